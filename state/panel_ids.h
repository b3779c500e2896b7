// SPDX-License-Identifier: GPL-3.0-or-later
// Panel resources and control ids of the panel file "K-VOR-PXScope242.uir".
#pragma once

namespace kvor {

inline constexpr const char* PANEL_FILE = "K-VOR-PXScope242.uir";
inline constexpr int MAIN_PANEL_RESOURCE = 1;
inline constexpr int POPUP_PANEL_RESOURCE = 2;
inline constexpr int GAUGE_PANEL_RESOURCE = 3;         // the gauge study window
inline constexpr int DISTRIBUTION_PANEL_RESOURCE = 4;  // the distribution window
inline constexpr int HISTORY_PANEL_RESOURCE = 5;       // the parameter history window
inline constexpr int CONTROL_CHART_PANEL_RESOURCE = 6; // the control chart window
inline constexpr int PUBLISH_PANEL_RESOURCE = 7;       // the Publish window

// ---- main panel ---------------------------------------------------------------------------
inline constexpr int MAIN_COMPORT = 2;       // ring, i32: serial port number
inline constexpr int MAIN_GET = 3;           // Get button; undimmed when a loop ends
inline constexpr int MAIN_ANAMODE = 4;       // ring, u16: analog output mode
inline constexpr int MAIN_RESET = 5;         // Reset analog min/max button
inline constexpr int MAIN_SEND = 10;         // Send button; dimmed for a foreign series
inline constexpr int MAIN_TEACH = 11;        // Teach button; dimmed for a foreign series
inline constexpr int MAIN_RBT_FILE = 12;     // radio, i32
inline constexpr int MAIN_RBT_EEPROM = 13;   // radio, i32
inline constexpr int MAIN_ANA_LABEL = 14;    // analog output caption, shown for modes above 1
inline constexpr int MAIN_THRESHOLD = 15;    // numeric, u16: video threshold
inline constexpr int MAIN_POWER = 16;        // numeric, u16
inline constexpr int MAIN_DELTATOL = 17;     // numeric, u16: delta tolerance (firmware < 240)
inline constexpr int MAIN_TOLERANCE = 18;    // numeric, u16
inline constexpr int MAIN_SETPOINT = 19;     // numeric, u16
inline constexpr int MAIN_RBT_RAM = 20;      // radio, i32
inline constexpr int MAIN_RUN = 21;          // Run button; dimmed while a loop runs
inline constexpr int MAIN_STOP = 22;         // Stop button
inline constexpr int MAIN_VIDEO = 23;        // Video button; dimmed while a loop runs
inline constexpr int MAIN_TRIGMODE = 24;     // ring, u16 (firmware >= 240)
inline constexpr int MAIN_HWMODE = 25;       // ring, u16: hardware mode
inline constexpr int MAIN_RS232MODE = 26;    // ring, u16: serial output mode
inline constexpr int MAIN_POLARITY = 27;     // ring, u16
inline constexpr int MAIN_AVERAGE = 28;      // numeric, u16
inline constexpr int MAIN_EMODE = 29;        // ring, u16: edge evaluation mode
inline constexpr int MAIN_MVALUE_ANA = 31;   // display, u16: measuring value (analog group)
inline constexpr int MAIN_UMVALUE = 32;      // display, i32: micrometres
inline constexpr int MAIN_MVALUE = 33;       // display, u16: measuring value
inline constexpr int MAIN_ANAMIN = 34;       // display, u16
inline constexpr int MAIN_ANAMAX = 35;       // display, u16
inline constexpr int MAIN_TOL = 36;          // display, u16: tolerance
inline constexpr int MAIN_LEDGE = 37;        // display, u16
inline constexpr int MAIN_REDGE = 38;        // display, u16
inline constexpr int MAIN_BANNER = 45;       // decoration behind the banner
inline constexpr int MAIN_EDGE_RIGHT = 46;   // numeric, u16: right limit of evaluated range
inline constexpr int MAIN_EDGE_LEFT = 47;    // numeric, u16: left limit
inline constexpr int MAIN_STATUS = 48;       // text message: the status line
inline constexpr int MAIN_VIDEOGRAPH = 49;   // graph: video curve and threshold line
inline constexpr int MAIN_BARGRAPH = 50;     // graph, 3 cursors
inline constexpr int MAIN_LOGO = 51;         // picture
inline constexpr int MAIN_ZOOM = 52;         // switch: strip-chart zoom
inline constexpr int MAIN_ANA_FRAME = 53;    // decoration around the analog displays
inline constexpr int MAIN_POPUP_TOGGLE = 54; // toggle button, i32
inline constexpr int MAIN_STRIPCHART = 55;   // strip chart, 5 traces
inline constexpr int MAIN_OPMODE = 56;       // switch, u16: operating mode
inline constexpr int MAIN_ANSWER_RATE = 76;  // display, r64: answers per second, NaN with no loop
inline constexpr int MAIN_LINE_MONITOR = 77; // Line monitor button

// Statistics and record group.
inline constexpr int MAIN_STAT_FRAME = 60;     // decoration
inline constexpr int MAIN_STAT_CAPTION = 61;   // text message
inline constexpr int MAIN_STAT_COUNT = 62;     // display, r64: answers since the reset
inline constexpr int MAIN_STAT_MEAN = 63;      // display, r64: mean measuring value
inline constexpr int MAIN_STAT_STDDEV = 64;    // display, r64: its sample deviation
inline constexpr int MAIN_STAT_MIN = 65;       // display, r64
inline constexpr int MAIN_STAT_MAX = 66;       // display, r64
inline constexpr int MAIN_STAT_INTOL = 67;     // display, r64: percent within tolerance
inline constexpr int MAIN_STAT_CP = 68;        // display, r64
inline constexpr int MAIN_STAT_CPK = 69;       // display, r64
inline constexpr int MAIN_STAT_RESET = 70;     // Reset statistics button
inline constexpr int MAIN_RECORD = 71;         // toggle button, i32: record on/off
inline constexpr int MAIN_RECORD_STATE = 72;   // text message: record file and answers
inline constexpr int MAIN_SAVE_PICTURE = 73;   // Save picture button
inline constexpr int MAIN_STAT_UM_MEAN = 74;   // display, r64: mean size in micrometres
inline constexpr int MAIN_STAT_UM_STDDEV = 75; // display, r64: its sample deviation
inline constexpr int MAIN_HISTORY = 100;       // History button: opens the history window
inline constexpr int MAIN_GAUGE_STUDY = 110;   // Gauge study button: opens the gauge window
inline constexpr int MAIN_DISTRIBUTION = 111;  // Distribution button: opens its window
inline constexpr int MAIN_PUBLISH = 120;       // Publish button: opens the Publish window
inline constexpr int MAIN_PAUSE = 121;         // toggle button, i32: strip chart and bar graph held
inline constexpr int MAIN_CONTROL_CHART = 122; // Control chart button: opens its window
inline constexpr int MAIN_CHART_SCALE = 123;   // ring, i32: the strip chart's value axis
inline constexpr int MAIN_CHART_LOW = 124;     // numeric, r64: its fixed low end
inline constexpr int MAIN_CHART_HIGH = 125;    // numeric, r64: its fixed high end
inline constexpr int MAIN_CHART_CURSOR = 126;  // text message: what the paused chart's cursor reads

// ---- parameter and calibration pop-up -----------------------------------------------------
inline constexpr int POP_DESCRIPTION = 2;   // text box: sensor description
inline constexpr int POP_ACTIVATE = 3;      // activate calibration button
inline constexpr int POP_DISCARD = 4;       // stop calibration button
inline constexpr int POP_FIT_INTERCEPT = 7; // display, r64
inline constexpr int POP_FIT_SLOPE = 8;     // display, r64
inline constexpr int POP_ACCEPT2 = 9;       // button
inline constexpr int POP_STORE = 12;        // button
inline constexpr int POP_ACCEPT1 = 13;      // button
inline constexpr int POP_LIVE2 = 14;        // numeric, u16: live value of object 2
inline constexpr int POP_SIZE2 = 15;        // numeric, u16: true size of object 2 (µm)
inline constexpr int POP_FIT = 16;          // button
inline constexpr int POP_LIVE1 = 17;        // numeric, u16: live value of object 1
inline constexpr int POP_SIZE1 = 18;        // numeric, u16: true size of object 1 (µm)
inline constexpr int POP_OFFSET = 19;       // numeric, r32: calibration offset
inline constexpr int POP_FACTOR = 20;       // numeric, r32: calibration factor
inline constexpr int POP_STEP2 = 31;        // check box, i32
inline constexpr int POP_STEP1 = 32;        // check box, i32

// ---- gauge study window -------------------------------------------------------------------
inline constexpr int GAUGE_REFERENCE = 2; // numeric, r64: size of the master part (µm)
inline constexpr int GAUGE_TOLERANCE = 3; // numeric, r64: tolerance of the feature (µm)
inline constexpr int GAUGE_READINGS = 4;  // numeric, i32: readings to take
inline constexpr int GAUGE_START = 5;     // Start button
inline constexpr int GAUGE_CHART = 6;     // graph: the readings, ref and ref ± 0.1 T
inline constexpr int GAUGE_MEAN = 7;      // display, r64 (µm)
inline constexpr int GAUGE_STDDEV = 8;    // display, r64: sample deviation s (µm)
inline constexpr int GAUGE_BIAS = 9;      // display, r64: mean - reference (µm)
inline constexpr int GAUGE_CG = 10;       // display, r64
inline constexpr int GAUGE_CGK = 11;      // display, r64
inline constexpr int GAUGE_VERDICT = 12;  // text message: capable / not capable / –
inline constexpr int GAUGE_STATE = 13;    // text message: what the study does now
inline constexpr int GAUGE_REPORT = 14;   // Save report button

// ---- distribution window ------------------------------------------------------------------
inline constexpr int DIST_HISTOGRAM = 2; // graph: the sizes, the limits, mean and normal curve
inline constexpr int DIST_COUNT = 3;     // display, r64
inline constexpr int DIST_MEAN = 4;      // display, r64: mean size (µm)
inline constexpr int DIST_WITHIN = 5;    // display, r64: deviation within (µm)
inline constexpr int DIST_OVERALL = 6;   // display, r64: overall deviation (µm)
inline constexpr int DIST_CP = 7;        // display, r64
inline constexpr int DIST_CPK = 8;       // display, r64
inline constexpr int DIST_PP = 9;        // display, r64
inline constexpr int DIST_PPK = 10;      // display, r64

// ---- control chart window ----------------------------------------------------------------
inline constexpr int CCW_INDIVIDUALS = 2;  // graph: the sizes, centre line, UCL and LCL, rule marks
inline constexpr int CCW_MOVING_RANGE = 3; // graph: the moving ranges and their UCL
inline constexpr int CCW_RESTART = 4;      // "Set limits from the next 25" button
inline constexpr int CCW_CENTRE = 5;       // numeric, r64: centre line entered (µm)
inline constexpr int CCW_MRBAR = 6;        // numeric, r64: average moving range entered (µm)
inline constexpr int CCW_APPLY = 7;        // Apply button: the entered limits
inline constexpr int CCW_RULE_FIRST = 8;   // check boxes, i32: rules 1 to 5 on ids 8 to 12
inline constexpr int CCW_LIMITS = 13;      // text message: the limits in use, or the gathering
inline constexpr int CCW_ALARM = 14;       // text message: the last rule broken and when

// ---- parameter history window ------------------------------------------------------------
inline constexpr int HIST_SENSORS = 2; // list box: the sensors seen, newest first
inline constexpr int HIST_ENTRIES = 3; // list box: the chosen sensor's entries, newest first
inline constexpr int HIST_TABLE = 4;   // table: 16 parameters; panel, entry, RAM, EEPROM
inline constexpr int HIST_LOAD = 5;    // Load into panel button
inline constexpr int HIST_SAVE = 6;    // Save as parameter file button
inline constexpr int HIST_READ = 7;    // Read sensor button
inline constexpr int HIST_BACKUP = 8;  // text message: whether the history holds an EEPROM set
inline constexpr int HIST_STATE = 9;   // text message: what the window shows and did last
inline constexpr int HIST_DAMAGE = 10; // text message: lines of the file left out, words lost

// ---- Publish window ----------------------------------------------------------------------
inline constexpr int PUB_URL = 2;       // string: mqtt://host:port or mqtts://host:port
inline constexpr int PUB_USER = 3;      // string: "" for none
inline constexpr int PUB_PASSWORD = 4;  // string, shown as dots
inline constexpr int PUB_CAFILE = 5;    // string: "" for the system's certificates
inline constexpr int PUB_CHOOSE_CA = 6; // button: picks the CA file
inline constexpr int PUB_PREFIX = 7;    // string: "" for the default, shown as its hint
inline constexpr int PUB_ON = 8;        // switch, i32: publishing on/off
inline constexpr int PUB_APPLY = 9;     // button: takes the settings, reconnects when on
inline constexpr int PUB_STATE = 10;    // text message: the connection's state
inline constexpr int PUB_TICK = 11;     // timer: refreshes the state while the window is open

// Columns of the history table.
inline constexpr int HIST_COL_PANEL = 0;
inline constexpr int HIST_COL_ENTRY = 1;
inline constexpr int HIST_COL_RAM = 2;
inline constexpr int HIST_COL_EEPROM = 3;

} // namespace kvor

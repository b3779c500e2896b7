#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes assets/K-VOR-PXScope242.uir, the scope's panel file, from the layout below.

The panel file is the one place where the layout lives; this script only keeps the JSON tidy.
Run it after changing the layout and commit both.
"""
import json
import pathlib

U16, I32, R32, R64, TEXT = "u16", "i32", "r32", "r64", "text"


def ctrl(id, kind, rect, label="", type="", **kw):
    c = {"id": id, "kind": kind, "type": type, "rect": list(rect), "label": label}
    c.update(kw)
    return c


def button(id, rect, label, callback, event, **kw):
    return ctrl(id, "command button", rect, label, callback=callback, events=[event], **kw)


def items(*pairs):
    return [{"text": t, "value": v} for v, t in pairs]


def figure(id, rect, label, **kw):
    """A display of a statistic or a rate: a dash until it has a number. It changes with every
    answer but is read, not watched: ten pictures a second are enough."""
    return ctrl(id, "numeric display", rect, label, R64, not_a_number="–",
                repaints_per_second=10, **kw)


BLUE = "0x0080FF"

main_controls = [
    # Banner across the top.
    ctrl(45, "decoration", (0, 0, 1270, 72), name="Banner", frame_color=BLUE),
    ctrl(51, "picture", (300, 10, 240, 22), name="Logo"),

    # Link and acquisition, left column.
    ctrl(90, "decoration", (10, 84, 280, 178), name="Acquisition group"),
    ctrl(91, "text message", (20, 90, 200, 18), type=TEXT, value="Sensor and acquisition",
         name="Acquisition caption", bold=True),
    ctrl(2, "ring", (20, 130, 260, 26), "Serial port", I32, items_from="serial_ports", value=1,
         callback="CC_DropDCom", events=["commit", "value changed"]),
    button(21, (20, 168, 80, 34), "Run", "CC_BTNRun", "commit"),
    button(22, (110, 168, 80, 34), "Stop", "CC_BTNStop", "left click"),
    button(23, (200, 168, 80, 34), "Video", "CC_BTNVideo", "commit"),
    ctrl(52, "switch", (20, 228, 120, 26), "Strip-chart zoom", I32, value=0,
         on_text="Zoom", off_text="Full range"),
    ctrl(56, "switch", (150, 228, 130, 26), "Operating mode", U16, value=0,
         on_text="HI-GAIN", off_text="LO-GAIN"),

    # Parameter transfer, left column.
    ctrl(92, "decoration", (10, 270, 280, 148), name="Transfer group"),
    ctrl(93, "text message", (20, 276, 200, 18), type=TEXT, value="Parameter transfer",
         name="Transfer caption", bold=True),
    ctrl(20, "radio button", (20, 300, 80, 22), "RAM", I32, value=1,
         callback="CC_RBTRam", events=["value changed"]),
    ctrl(13, "radio button", (105, 300, 85, 22), "EEPROM", I32, value=0,
         callback="CC_RBTEeprom", events=["value changed"]),
    ctrl(12, "radio button", (200, 300, 80, 22), "File", I32, value=0,
         callback="CC_RBTFile", events=["value changed"]),
    button(10, (20, 330, 80, 34), "Send", "CC_BTNSend", "left click"),
    button(3, (108, 330, 80, 34), "Get", "CC_BTNGet", "commit"),
    button(100, (196, 330, 84, 34), "History…", "CC_BTNHistory", "commit"),
    ctrl(54, "toggle button", (20, 374, 260, 34), "", I32, value=0, name="Parameters and calibration",
         on_text="Hide parameters && calibration", off_text="Parameters && calibration...",
         callback="CC_TOGGBTN_ParaII", events=["commit"]),

    # Sensor commands, left column.
    ctrl(94, "decoration", (10, 426, 280, 84), name="Commands group"),
    ctrl(95, "text message", (20, 432, 200, 18), type=TEXT, value="Sensor commands",
         name="Commands caption", bold=True),
    button(11, (20, 458, 125, 34), "Teach setpoint", "CC_ButtonTeach", "commit"),
    button(5, (155, 458, 125, 34), "Reset min/max", "CC_ButtonReset", "commit"),

    # Graphs, centre: the bar graph above, the strip chart and the video graph sharing one place.
    ctrl(50, "graph", (300, 102, 600, 150), "Pixel line", cursors=3, x_range=[1, 2048],
         y_range=[0, 1.05], y_ticks=False, x_label="pixel"),
    ctrl(55, "strip chart", (300, 282, 600, 290), "Measurement history", traces=5,
         points_per_screen=101, x_range=[0, 100], y_range=[0, 4096],
         x_label="seconds back from now",
         trace_colors=["0x008000", "0x008000", "0x000000", "0xFF0000", "0xFF0000"],
         callback="CC_StripChartCursor", events=["value changed"]),
    ctrl(49, "graph", (300, 282, 600, 290), "Video signal", x_range=[1, 4096],
         y_range=[0, 1024], x_label="virtual pixel", visible=False),
    # Under the graphs: Pause with the cursor's reading, the strip chart's value axis, and the
    # control chart window (ids 121-126; 120 is publishing's).
    ctrl(121, "toggle button", (300, 578, 90, 24), "", I32, value=0, name="Pause",
         on_text="Resume", off_text="Pause", callback="CC_BTNPause", events=["commit"]),
    ctrl(123, "ring", (398, 578, 130, 24), "", I32, value=0, name="Value axis",
         callback="CC_ChartScale", events=["commit"],
         items=items((0, "Y: zoom switch"), (1, "Y: automatic"), (2, "Y: fixed"))),
    ctrl(124, "numeric", (534, 578, 80, 24), "", R64, value=0.0, precision=0,
         limits=[-100000, 100000], name="Value axis low", dimmed=True,
         callback="CC_ChartScale", events=["commit"]),
    ctrl(125, "numeric", (620, 578, 80, 24), "", R64, value=4096.0, precision=0,
         limits=[-100000, 100000], name="Value axis high", dimmed=True,
         callback="CC_ChartScale", events=["commit"]),
    button(122, (780, 578, 120, 24), "Control chart…", "CC_BTNControlChart", "commit"),
    ctrl(126, "text message", (300, 606, 600, 20), type=TEXT, value="", name="Cursor reading"),

    # Measurement displays, right column.
    ctrl(96, "decoration", (910, 84, 350, 140), name="Measurement group"),
    ctrl(97, "text message", (920, 90, 200, 18), type=TEXT, value="Measurement",
         name="Measurement caption", bold=True),
    ctrl(33, "numeric display", (920, 130, 160, 34), "Measuring value", U16, point_size=22,
         bold=True),
    ctrl(32, "numeric display", (1090, 130, 160, 34), "Size in µm", I32, point_size=22,
         bold=True),
    ctrl(37, "numeric display", (920, 190, 105, 26), "Left edge", U16),
    ctrl(38, "numeric display", (1032, 190, 105, 26), "Right edge", U16),
    ctrl(36, "numeric display", (1145, 190, 105, 26), "Tolerance", U16),
    ctrl(53, "decoration", (910, 232, 350, 80), name="Analog output group", visible=False),
    ctrl(14, "text message", (920, 238, 200, 18), type=TEXT, value="Analog output",
         name="Analog output caption", bold=True, visible=False),
    ctrl(31, "numeric display", (920, 278, 105, 26), "Output value", U16, visible=False),
    ctrl(35, "numeric display", (1032, 278, 105, 26), "Maximum", U16, visible=False),
    ctrl(34, "numeric display", (1145, 278, 105, 26), "Minimum", U16, visible=False),

    # Statistics and record, right column below the measurement (ids 60-75), then the answer rate
    # and the line monitor (76, 77), and in the last row the gauge study and the distribution
    # window (110, 111).
    ctrl(60, "decoration", (910, 320, 350, 310), name="Statistics and record group"),
    ctrl(61, "text message", (920, 326, 250, 18), type=TEXT, value="Statistics and record",
         name="Statistics caption", bold=True),
    figure(62, (920, 366, 78, 26), "Count", precision=0, value=0),
    figure(63, (1004, 366, 78, 26), "Mean", precision=2),
    figure(64, (1088, 366, 78, 26), "Std. dev.", precision=2),
    figure(67, (1172, 366, 78, 26), "In tol. %", precision=1),
    figure(65, (920, 416, 78, 26), "Minimum", precision=0),
    figure(66, (1004, 416, 78, 26), "Maximum", precision=0),
    figure(68, (1088, 416, 78, 26), "Cp", precision=2),
    figure(69, (1172, 416, 78, 26), "Cpk", precision=2),
    figure(74, (920, 466, 162, 26), "Mean size in µm", precision=1),
    figure(75, (1088, 466, 162, 26), "Std. dev. of size in µm", precision=1),
    button(70, (920, 500, 105, 30), "Reset statistics", "CC_BTNResetStatistics", "commit"),
    ctrl(71, "toggle button", (1032, 500, 105, 30), "", I32, value=0, name="Record",
         on_text="Stop recording", off_text="Record…", callback="CC_TOGGBTN_Record",
         events=["commit"]),
    button(73, (1145, 500, 105, 30), "Save picture…", "CC_BTNSavePicture", "commit"),
    ctrl(72, "text message", (920, 536, 330, 18), type=TEXT, value="", name="Record state"),
    # The line as the service technician sees it: the answer rate and the line monitor.
    ctrl(79, "text message", (920, 570, 80, 18), type=TEXT, value="Answers/s",
         name="Answer rate caption"),
    figure(76, (1004, 566, 78, 26), "", precision=1, value=None, name="Answers/s"),
    button(77, (1145, 564, 105, 30), "Line monitor…", "CC_BTNLineMonitor", "commit"),
    button(110, (920, 598, 162, 26), "Gauge study…", "CC_BTNGaugeStudy", "commit"),
    button(111, (1088, 598, 162, 26), "Distribution…", "CC_BTNDistribution", "commit"),

    # Parameter set, bottom band.
    ctrl(98, "decoration", (10, 640, 1250, 82), name="Parameter group"),
    ctrl(99, "text message", (20, 646, 300, 18), type=TEXT, value="Parameter set",
         name="Parameter caption", bold=True),
    ctrl(16, "numeric", (20, 686, 100, 26), "Light power", U16, value=500, limits=[0, 1000]),
    ctrl(15, "numeric", (130, 686, 100, 26), "Video threshold", U16, value=512,
         limits=[0, 1023], callback="CC_NUMVideoThreshold", events=["value changed"]),
    ctrl(29, "ring", (240, 686, 170, 26), "Edge evaluation", U16, value=1,
         items=items((0, "Left edge"), (1, "Right edge"), (2, "Centre of both edges"))),
    ctrl(47, "numeric", (420, 686, 90, 26), "Left limit", U16, value=1, limits=[0, 65535],
         callback="CC_NEDITEdgeLeft", events=["commit"]),
    ctrl(46, "numeric", (520, 686, 90, 26), "Right limit", U16, value=1024, limits=[0, 65535],
         callback="CC_NEDITEdgeRight", events=["commit"]),
    ctrl(27, "ring", (620, 686, 100, 26), "Polarity", U16, value=1,
         items=items((0, "0 – normal"), (1, "1 – inverted"))),
    ctrl(19, "numeric", (730, 686, 90, 26), "Setpoint", U16, value=512, limits=[0, 65535]),
    ctrl(18, "numeric", (830, 686, 90, 26), "Tolerance", U16, value=100, limits=[0, 65535],
         callback="CC_NEDITTolerance", events=["value changed"]),
    ctrl(17, "numeric", (930, 686, 100, 26), "Delta tolerance", U16, value=0, limits=[0, 65535]),
    ctrl(24, "ring", (930, 686, 100, 26), "Trigger mode", U16, value=0, visible=False,
         items=items((0, "Mode 0"), (1, "Mode 1"), (2, "Mode 2"), (3, "Mode 3"))),
    ctrl(28, "numeric", (1040, 686, 90, 26), "Averaging", U16, value=0, limits=[0, 1024]),
    ctrl(25, "ring", (1140, 686, 110, 26), "Hardware mode", U16, value=1,
         callback="CC_DROPHardwareMode", events=["commit"],
         items=items((0, "Mode 0"), (1, "Mode 1"), (2, "Mode 2"), (3, "Mode 3"))),
    ctrl(48, "text message", (10, 730, 1250, 24), type=TEXT, value="", name="Status line",
         align="sunken", bg_color="0xFFFFFF", point_size=13),

    # Outputs, left column.
    ctrl(88, "decoration", (10, 518, 280, 112), name="Outputs group"),
    ctrl(89, "text message", (20, 524, 200, 18), type=TEXT, value="Outputs", name="Outputs caption",
         bold=True),
    ctrl(4, "ring", (20, 566, 150, 26), "Analog output mode", U16, value=0,
         callback="CC_RINGanamode", events=["commit"],
         items=items((0, "Mode 0 – value"), (1, "Mode 1 – value"), (2, "Mode 2 – maximum"),
                     (3, "Mode 3 – minimum"), (4, "Mode 4 – value"), (5, "Mode 5 – maximum"),
                     (6, "Mode 6 – minimum"), (7, "Mode 7 – value"))),
    ctrl(26, "ring", (180, 566, 100, 26), "Serial output", U16, value=0,
         items=items((0, "Mode 0"), (1, "Mode 1"))),
    # The scope's output to the plant: its measurements on an MQTT broker.
    button(120, (20, 598, 260, 26), "Publish…", "CC_BTNPublish", "commit"),
]

popup_controls = [
    ctrl(2, "text box", (15, 30, 530, 50), "Sensor", TEXT, value=""),
    ctrl(80, "decoration", (10, 92, 540, 58), name="Calibration words group"),
    ctrl(20, "numeric", (20, 118, 120, 26), "Factor", R32, value=1.0, precision=6,
         limits=[0, 63.999023], step=0.001),
    ctrl(19, "numeric", (150, 118, 120, 26), "Offset (µm)", R32, value=0.0, precision=1,
         limits=[-30000, 35535], step=1),
    button(3, (285, 112, 130, 32), "Activate calibration", "CC_ActivateCalibration", "commit"),
    button(4, (420, 112, 130, 32), "Stop calibration", "CC_DiscardCalibration", "commit"),
    ctrl(81, "decoration", (10, 158, 540, 132), name="Calibration objects group"),
    ctrl(82, "text message", (170, 164, 100, 16), type=TEXT, value="Live value", name="Live caption"),
    ctrl(83, "text message", (280, 164, 100, 16), type=TEXT, value="True size (µm)",
         name="Size caption"),
    ctrl(32, "check box", (20, 186, 140, 26), "Object 1", I32, value=0, dimmed=True,
         callback="CC_CheckStep1", events=["value changed"]),
    ctrl(17, "numeric", (170, 186, 100, 26), "", U16, value=0, indicator=True,
         name="Live value of object 1"),
    ctrl(18, "numeric", (280, 186, 100, 26), "", U16, value=7960, limits=[0, 65535],
         name="True size of object 1"),
    button(13, (390, 183, 150, 32), "Accept object 1", "CC_ButtonAcceptObject1", "commit",
           dimmed=True),
    ctrl(31, "check box", (20, 240, 140, 26), "Object 2", I32, value=0, dimmed=True,
         callback="CC_CheckStep2", events=["value changed"]),
    ctrl(14, "numeric", (170, 240, 100, 26), "", U16, value=0, indicator=True,
         name="Live value of object 2"),
    ctrl(15, "numeric", (280, 240, 100, 26), "", U16, value=21960, limits=[0, 65535],
         name="True size of object 2"),
    button(9, (390, 237, 150, 32), "Accept object 2", "CC_ButtonAcceptObject2", "commit",
           dimmed=True),
    button(16, (20, 318, 120, 32), "Fit line", "CC_ButtonDoFit", "commit", dimmed=True),
    ctrl(8, "numeric display", (150, 322, 190, 26), "Fitted slope (µm per unit)", R64,
         precision=10),
    ctrl(7, "numeric display", (350, 322, 190, 26), "Fitted intercept (µm)", R64, precision=10),
    button(12, (20, 364, 250, 32), "Store in sensor RAM", "CC_ButtonSaveCalValues", "commit",
           dimmed=True),
]

# The gauge study: the operator's inputs, the run chart, the figures and the verdict.
gauge_controls = [
    ctrl(2, "numeric", (20, 46, 150, 26), "Reference size ref (µm)", R64, value=7960.0,
         precision=1, limits=[-1000000, 1000000], step=1),
    ctrl(3, "numeric", (180, 46, 150, 26), "Tolerance T (µm)", R64, value=100.0, precision=1,
         limits=[0.1, 1000000], step=1),
    ctrl(4, "numeric", (340, 46, 100, 26), "Readings", I32, value=50, limits=[10, 500]),
    button(5, (450, 43, 110, 32), "Start", "CC_GaugeStart", "commit"),
    button(14, (600, 43, 200, 32), "Save report…", "CC_GaugeSaveReport", "commit", dimmed=True),
    # Two lines: a report's folder and both its files' names fit whole.
    ctrl(13, "text message", (20, 82, 780, 36), type=TEXT, value="", name="Study state",
         wrap=True),
    ctrl(6, "graph", (20, 140, 560, 346), "Readings", x_range=[0.5, 50.5], y_range=[7940, 7980],
         x_label="reading", y_label="size in µm"),
    ctrl(20, "text message", (20, 492, 560, 18), type=TEXT, name="Chart legend",
         value="Blue: readings · green: ref · red: ref ± 0.1·T"),
    figure(7, (600, 146, 200, 26), "Mean x̄ (µm)", precision=3),
    figure(8, (600, 196, 200, 26), "Std. dev. s (µm)", precision=3),
    figure(9, (600, 246, 200, 26), "Bias x̄ − ref (µm)", precision=3),
    figure(10, (600, 296, 95, 26), "Cg", precision=2),
    figure(11, (705, 296, 95, 26), "Cgk", precision=2),
    ctrl(21, "text message", (600, 334, 200, 18), type=TEXT, value="Capable: Cg and Cgk ≥ 1.33",
         name="Verdict rule"),
    ctrl(12, "text message", (600, 360, 200, 30), type=TEXT, value="–", name="Verdict",
         bold=True, point_size=16, align="sunken", bg_color="0xFFFFFF"),
]

# The distribution of the size since the statistics were last reset.
distribution_controls = [
    ctrl(2, "graph", (20, 30, 560, 420), "Size in µm since the last reset", x_range=[0, 1],
         y_range=[0, 1], x_label="size in µm", y_label="answers"),
    figure(3, (600, 50, 120, 26), "Count n", precision=0, value=0),
    figure(4, (730, 50, 120, 26), "Mean x̄ (µm)", precision=2),
    figure(5, (600, 100, 120, 26), "σ within (µm)", precision=3),
    figure(6, (730, 100, 120, 26), "σ overall (µm)", precision=3),
    figure(7, (600, 150, 120, 26), "Cp", precision=2),
    figure(8, (730, 150, 120, 26), "Cpk", precision=2),
    figure(9, (600, 200, 120, 26), "Pp", precision=2),
    figure(10, (730, 200, 120, 26), "Ppk", precision=2),
    ctrl(11, "text message", (600, 246, 250, 18), type=TEXT, name="Within note",
         value="σ within: average moving range / 1.128"),
    ctrl(12, "text message", (600, 266, 250, 18), type=TEXT, name="Overall note",
         value="σ overall: sample standard deviation"),
    ctrl(13, "text message", (600, 286, 250, 18), type=TEXT, name="Capability note",
         value="Cp, Cpk: σ within · Pp, Ppk: σ overall"),
    ctrl(14, "text message", (600, 306, 250, 18), type=TEXT, name="Limits note",
         value="Limits: setpoint ± tolerance, in µm"),
    ctrl(15, "text message", (600, 336, 250, 18), type=TEXT, name="Legend limits",
         value="Red: tolerance limits", text_color="0xFF0000"),
    ctrl(16, "text message", (600, 356, 250, 18), type=TEXT, name="Legend mean",
         value="Green: mean", text_color="0x008000"),
    ctrl(17, "text message", (600, 376, 250, 18), type=TEXT, name="Legend curve",
         value="Black: normal curve (x̄, σ overall)"),
]

# The control chart: the individuals chart of the size above its moving ranges, the limits
# (set from the next 25 readings or entered), the rules each on or off, and the alarm line.
control_chart_controls = [
    ctrl(2, "graph", (20, 30, 640, 300), "Individuals: size in µm", x_range=[0, 100],
         y_range=[0, 1], x_label="reading", y_label="size in µm"),
    ctrl(3, "graph", (20, 360, 640, 170), "Moving range in µm", x_range=[0, 100],
         y_range=[0, 1], x_label="reading", y_label="µm"),
    button(4, (680, 30, 200, 30), "Set limits from the next 25", "CC_ControlChartRestart",
           "commit"),
    ctrl(5, "numeric", (680, 90, 95, 26), "Centre x̄ (µm)", R64, value=0.0, precision=2,
         limits=[-1000000, 1000000], step=1),
    ctrl(6, "numeric", (785, 90, 95, 26), "MR̄ (µm)", R64, value=1.0, precision=3,
         limits=[0, 1000000], step=0.1),
    button(7, (680, 124, 200, 28), "Apply entered limits", "CC_ControlChartApply", "commit"),
    ctrl(20, "text message", (680, 166, 200, 18), type=TEXT, value="Rules", name="Rules caption",
         bold=True),
    ctrl(8, "check box", (680, 188, 200, 22), "1: one beyond 3σ", I32, value=1,
         callback="CC_ControlChartRule", events=["value changed"]),
    ctrl(9, "check box", (680, 212, 200, 22), "2: two of three beyond 2σ", I32, value=1,
         callback="CC_ControlChartRule", events=["value changed"]),
    ctrl(10, "check box", (680, 236, 200, 22), "3: four of five beyond 1σ", I32, value=1,
         callback="CC_ControlChartRule", events=["value changed"]),
    ctrl(11, "check box", (680, 260, 200, 22), "4: eight on one side", I32, value=1,
         callback="CC_ControlChartRule", events=["value changed"]),
    ctrl(12, "check box", (680, 284, 200, 22), "5: six rising or falling", I32, value=1,
         callback="CC_ControlChartRule", events=["value changed"]),
    ctrl(13, "text message", (680, 320, 200, 110), type=TEXT, value="", name="Limits",
         wrap=True),
    ctrl(21, "text message", (680, 440, 200, 90), type=TEXT, name="Chart legend", wrap=True,
         value="Blue: size · black: centre line · red: UCL, LCL · red numbers: the rule a "
               "point breaks"),
    ctrl(14, "text message", (20, 548, 860, 24), type=TEXT, value="", name="Alarm",
         bold=True, text_color="0xC00000", align="sunken", bg_color="0xFFFFFF"),
]

# The parameter history: the sensors seen, a sensor's entries, and an entry's words beside the
# panel's and beside what the sensor's RAM and EEPROM hold.
history_controls = [
    ctrl(2, "list box", (20, 36, 340, 254), "Sensors, newest first", I32,
         callback="CC_HistorySensor", events=["value changed"]),
    ctrl(3, "list box", (20, 322, 340, 218), "Entries, newest first", I32,
         callback="CC_HistoryEntry", events=["value changed"]),
    ctrl(8, "text message", (380, 8, 600, 18), type=TEXT, value="", name="EEPROM backup",
         text_color="0xC00000", bold=True),
    ctrl(10, "text message", (380, 28, 600, 18), type=TEXT, value="", name="File damage",
         text_color="0xC00000"),
    ctrl(4, "table", (380, 66, 600, 474), "Parameters (≠: differs from the panel)",
         columns=["Panel", "Entry", "RAM (read)", "EEPROM (read)"],
         rows=["Light power", "Serial output", "Video threshold", "Analog output mode",
               "Polarity", "Edge evaluation", "Left limit", "Right limit", "Setpoint",
               "Tolerance", "Operating mode", "Hardware mode", "Factor", "Offset (µm)",
               "Averaging", "Delta tol. / trigger"]),
    button(5, (20, 556, 165, 32), "Load into panel", "CC_HistoryLoad", "commit", dimmed=True),
    button(6, (195, 556, 165, 32), "Save as parameter file…", "CC_HistorySave", "commit",
           dimmed=True),
    button(7, (380, 556, 140, 32), "Read sensor", "CC_HistoryReadSensor", "commit"),
    ctrl(9, "text message", (530, 562, 450, 20), type=TEXT, value="", name="History state"),
]

# Publishing to the plant's MQTT broker: where, as whom, under which topics, on or off, and how
# the connection stands.
publish_controls = [
    ctrl(2, "string", (20, 36, 400, 26), "Broker URL (mqtt://host:port or mqtts://host:port)",
         TEXT, value="mqtt://localhost:1883", callback="CC_PublishEdit", events=["commit"]),
    ctrl(3, "string", (20, 90, 195, 26), "User", TEXT, value="", placeholder="none",
         callback="CC_PublishEdit", events=["commit"]),
    ctrl(4, "string", (225, 90, 195, 26), "Password", TEXT, value="", password=True,
         placeholder="none", callback="CC_PublishEdit", events=["commit"]),
    ctrl(5, "string", (20, 144, 310, 26), "CA file (mqtts; empty: the system's)", TEXT,
         value="", placeholder="the system's certificates", callback="CC_PublishEdit",
         events=["commit"]),
    button(6, (340, 142, 80, 30), "Choose…", "CC_PublishChooseCa", "commit",
           name="Choose CA file"),
    ctrl(7, "string", (20, 198, 400, 26), "Topic prefix (empty: the default shown)", TEXT,
         value="", callback="CC_PublishEdit", events=["commit"]),
    ctrl(8, "switch", (20, 248, 150, 28), "Publishing", I32, value=0, on_text="On",
         off_text="Off", callback="CC_PublishSwitch", events=["commit"]),
    button(9, (300, 246, 120, 32), "Apply", "CC_PublishApply", "commit"),
    ctrl(10, "text message", (20, 292, 400, 56), type=TEXT, value="Off", name="Connection state",
         wrap=True, align="sunken", bg_color="0xFFFFFF"),
    ctrl(11, "timer", (0, 0, 0, 0), name="State refresh", interval=0.5, dimmed=True,
         callback="CC_PublishTick", events=["timer tick"]),
]

panels = {
    "format": "K-VOR-PX Scope panel file",
    "version": 1,
    "panels": [
        {"resource": 1, "title": "K-VOR-PX Scope 2.42", "size": [1270, 760],
         "bg_color": "0xECEEF1", "callback": "CC_PANEL", "controls": main_controls},
        {"resource": 2, "title": "K-VOR-PX Scope 2.42 – Parameters and calibration",
         "size": [560, 410], "bg_color": "0xECEEF1", "callback": "CC_POPUP",
         "controls": popup_controls},
        {"resource": 3, "title": "K-VOR-PX Scope 2.42 – Gauge study", "size": [820, 520],
         "bg_color": "0xECEEF1", "callback": "CC_GAUGE_PANEL", "controls": gauge_controls},
        {"resource": 4, "title": "K-VOR-PX Scope 2.42 – Distribution", "size": [870, 470],
         "bg_color": "0xECEEF1", "callback": "CC_DISTRIBUTION_PANEL",
         "controls": distribution_controls},
        {"resource": 5, "title": "K-VOR-PX Scope 2.42 – Parameter history", "size": [1000, 604],
         "bg_color": "0xECEEF1", "callback": "CC_HISTORY_PANEL", "controls": history_controls},
        {"resource": 7, "title": "K-VOR-PX Scope 2.42 – Publish", "size": [440, 364],
         "bg_color": "0xECEEF1", "callback": "CC_PUBLISH_PANEL", "controls": publish_controls},
        {"resource": 6, "title": "K-VOR-PX Scope 2.42 – Control chart", "size": [900, 584],
         "bg_color": "0xECEEF1", "callback": "CC_CONTROL_CHART_PANEL",
         "controls": control_chart_controls},
    ],
}

out = pathlib.Path(__file__).resolve().parent.parent / "assets" / "K-VOR-PXScope242.uir"
out.write_text(json.dumps(panels, indent=1, ensure_ascii=False) + "\n", encoding="utf-8")
print(out)

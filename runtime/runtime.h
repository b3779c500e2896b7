// SPDX-License-Identifier: GPL-3.0-or-later
// The scope's runtime: panels, controls, graphs, strip chart, pop-ups, array files,
// serial ports, clock and events. This header is the whole surface that the program
// (app/, cli/, link/, params/, live/, calib/) sees; it contains nothing of the toolkit.
// A program with windows installs them first (ui/windows.h); without them the panels hold
// their values and attributes and show nothing, and no window toolkit is loaded.
//
// Conventions: panel handles and control ids are plain ints; every call returns an int,
// 0 (or a handle, or a count) on success and a negative code on failure. Colours are 0xRRGGBB.
#pragma once

#include <cstddef>
#include <cstdint>

// ---- program instance and life cycle ------------------------------------------------------

struct ProgramInstance {
    int argc;
    char** argv;
};

// Brings up the user-interface runtime. Returns 1 on success, 0 on failure.
int InitRuntime(ProgramInstance* instance);
// Discards every panel, closes every port and takes the runtime down (program end).
void CloseRuntime();

// ---- the operator's language --------------------------------------------------------------

// Picks the language from `--lang en|de` on the command line, else from the desktop's
// (LANGUAGE, LANG); English is the default. Returns 0, or -1 for a language the scope does not
// speak (the caller says so and stops).
int ChooseLanguage(int argc, char** argv);
// A text the program shows, in the operator's language; in English the very same pointer.
// Every text a panel, a pop-up or kvorctl shows is marked with Tr and its English text: the build
// collects these for the translators, with the panel file's texts.
const char* Tr(const char* english);
// Marks a text that is kept in English (it is compared, cut to a field or written to a file)
// and put into the operator's language where a window shows it.
constexpr const char* N_(const char* english) {
    return english;
}

// ---- events and callbacks -----------------------------------------------------------------

enum : int {
    EVENT_COMMIT = 1,
    EVENT_VAL_CHANGED = 2,
    EVENT_LEFT_CLICK = 3,
    EVENT_CLOSE = 11,
    EVENT_TIMER_TICK = 20, // a timer control's interval has passed
};

using CtrlCallbackPtr = int (*)(int panel, int control, int event, void* callbackData,
                                int eventData1, int eventData2);
using PanelCallbackPtr = int (*)(int panel, int event, void* callbackData, int eventData1,
                                 int eventData2);

// Callbacks are bound by name: the program registers them before loading panels; a panel file
// naming a callback that is not registered fails to load.
void RegisterCtrlCallback(const char* name, CtrlCallbackPtr callback);
void RegisterPanelCallback(const char* name, PanelCallbackPtr callback);

// Dispatches every pending event once: toolkit events, then each installed serial receive
// callback whose notify count of bytes is waiting. When nothing is pending it sleeps until an
// event or serial input arrives, at most a few milliseconds, so a busy-wait loop over it reads
// its clock often enough for its time-outs and takes next to no processor time.
int ProcessSystemEvents();
// A busy-wait loop whose clock matters next at `timerReading` (its time-out) says so before its
// event pass: that one ProcessSystemEvents then sleeps until the clock reads that much (a quarter
// of a second at most) instead of waking every few milliseconds for the loop to look at its
// clock. Serial input, operator actions and the toolkit's own timers still end the sleep at once.
void WakeNoLaterThan(double timerReading);
// Runs `function` once, in the first event processing after the callback running now (and every
// callback it was called from) has handed control back to events.
using DeferredCallbackPtr = void (*)(void* callbackData);
int PostDeferredCall(DeferredCallbackPtr function, void* callbackData);
// 1 once a termination signal (SIGTERM, SIGINT, SIGHUP) has come. With windows it closes the
// main panel as its close box would; without them the program ends its work when it sees this
// (a second signal ends the process at once).
int TerminationRequested();
// Dispatches events until QuitUserInterface; returns the code given to it.
int RunUserInterface();
// Ends RunUserInterface once the callback that is running (and every callback it was called
// from) has returned.
int QuitUserInterface(int code);

// ---- panels -------------------------------------------------------------------------------

// Loads panel resource `resource` of a panel file (relative names resolve against the program
// directory). Returns the panel handle (> 0) or a negative code; on failure one line naming the
// file, the control and the fault goes to standard error.
int LoadPanel(int parent, const char* file, int resource);
int DisplayPanel(int panel);
int HidePanel(int panel);
int DiscardPanel(int panel);

// ---- control values -----------------------------------------------------------------------
// A value set by the program raises no event. A value of the wrong type for a control is a
// programming error: debug builds abort with a message, release builds return a negative code.

int SetCtrlVal(int panel, int control, std::uint16_t value);
int SetCtrlVal(int panel, int control, std::int32_t value);
int SetCtrlVal(int panel, int control, float value);
int SetCtrlVal(int panel, int control, double value);
int SetCtrlVal(int panel, int control, const char* text);

int GetCtrlVal(int panel, int control, std::uint16_t* value);
int GetCtrlVal(int panel, int control, std::int32_t* value);
int GetCtrlVal(int panel, int control, float* value);
int GetCtrlVal(int panel, int control, double* value);
// Text values: at most size - 1 characters, always terminated.
int GetCtrlText(int panel, int control, char* text, std::size_t size);
template <std::size_t N> int GetCtrlVal(int panel, int control, char (&text)[N]) {
    return GetCtrlText(panel, control, text, N);
}

// ---- control attributes -------------------------------------------------------------------

enum : int {
    ATTR_DIMMED = 1,                  // int 0/1
    ATTR_VISIBLE = 2,                 // int 0/1
    ATTR_TEXT_COLOR = 3,              // int 0xRRGGBB
    ATTR_TEXT_BGCOLOR = 4,            // int 0xRRGGBB
    ATTR_TEXT_FONT = 5,               // text: a font family, or VAL_APP_META_FONT
    ATTR_TEXT_POINT_SIZE = 6,         // int
    ATTR_LABEL_TEXT = 7,              // text
    ATTR_MIN_VALUE = 8,               // number
    ATTR_MAX_VALUE = 9,               // number
    ATTR_ON_TEXT = 10,                // text (switches, toggle buttons)
    ATTR_OFF_TEXT = 11,               // text
    ATTR_LEFT = 12,                   // int, pixels
    ATTR_TOP = 13,                    // int, pixels
    ATTR_WIDTH = 14,                  // int, pixels
    ATTR_HEIGHT = 15,                 // int, pixels
    ATTR_CTRL_MODE = 16,              // int: VAL_HOT, VAL_INDICATOR
    ATTR_FRAME_COLOR = 17,            // int 0xRRGGBB: the colour of a decoration
    ATTR_TEXT_BOLD = 18,              // int 0/1: table cells
    ATTR_POINTS_PER_SCREEN = 20,      // strip chart, int
    ATTR_NUM_TRACES = 21,             // strip chart, int 1..16
    ATTR_SCROLL_MODE_CONTINUOUS = 22, // strip chart, int 0/1: scroll point by point
    ATTR_PASSWORD_MODE = 23,          // string entry, int 0/1: what is typed shows as dots
    ATTR_PLACEHOLDER = 24,            // string entry, text: the hint an empty entry shows
    ATTR_INTERVAL = 25,               // timer, seconds between ticks
    ATTR_ENABLED = 26,                // timer, int 0/1
    ATTR_TRACE_COLOR = 30,            // SetTraceAttribute, int 0xRRGGBB
};

// The runtime's application font.
inline constexpr const char* VAL_APP_META_FONT = "NIApp";

enum : int { VAL_HOT = 0, VAL_INDICATOR = 1 };

int SetCtrlAttribute(int panel, int control, int attribute, int value);
int SetCtrlAttribute(int panel, int control, int attribute, double value);
int SetCtrlAttribute(int panel, int control, int attribute, const char* text);
// The text a ring shows for `value` (its item's) or a switch (its on or off text); -1 when the
// control shows no text of its own for it.
int GetLabelFromValue(int panel, int control, double value, char* text, std::size_t size);
template <std::size_t N>
int GetLabelFromValue(int panel, int control, double value, char (&text)[N]) {
    return GetLabelFromValue(panel, control, value, text, N);
}

// ---- controls created at run time, pictures, text boxes -----------------------------------

enum : int { CTRL_TEXT_MSG = 1 };

// Adds a control (only text messages) at (top, left) in pixels; returns its id or a negative code.
int NewCtrl(int panel, int style, const char* label, int top, int left);
int DisplayImageFile(int panel, int control, const char* file);
// Replaces line `line` (0-based) of a text box; lines missing up to it are added empty.
int ReplaceTextBoxLine(int panel, int control, int line, const char* text);

// ---- list boxes and tables ----------------------------------------------------------------
// A list box holds items of a label and an i32 value; its value (GetCtrlVal, i32) is the value
// of the item picked, -1 with none; SetCtrlVal picks the item of a value. The operator's pick
// raises value changed, then commit. A table shows text cells under the column and row headings
// of the panel file; rows and columns count from 0.

int ClearListCtrl(int panel, int control);
// Inserts before item `index` (-1: after the last); returns the count of items.
int InsertListItem(int panel, int control, int index, const char* label, int value);
int SetTableCellVal(int panel, int control, int row, int column, const char* text);
// ATTR_TEXT_COLOR, ATTR_TEXT_BGCOLOR and ATTR_TEXT_BOLD of one cell.
int SetTableCellAttribute(int panel, int control, int row, int column, int attribute, int value);

// ---- graphs -------------------------------------------------------------------------------

enum : int {
    VAL_THIN_LINE = 0,
    VAL_THIN_STEP = 1,
};
enum : int { VAL_SOLID = 0 };
enum : int { VAL_XAXIS = 0, VAL_LEFT_YAXIS = 1 };
enum : int { VAL_MANUAL = 0, VAL_AUTOSCALE = 1 };
enum : int { VAL_IMMEDIATE_DRAW = 1, VAL_DELAYED_DRAW = 0 };

// Plots n points as a curve; returns a plot handle (> 0) or a negative code.
int PlotXY(int panel, int control, const double* x, const std::uint16_t* y, int n, int plotStyle,
           int lineStyle, int color);
int PlotXY(int panel, int control, const double* x, const double* y, int n, int plotStyle,
           int lineStyle, int color);
// A filled rectangle between two opposite corners (either order); returns a plot handle.
int PlotRectangle(int panel, int control, double x1, double y1, double x2, double y2, int color,
                  int fillColor);
// plot = -1 deletes every plot of the graph.
int DeleteGraphPlot(int panel, int control, int plot, int refresh);
// Cursors are numbered from 1.
int SetGraphCursor(int panel, int control, int cursor, double x, double y);
// A short text (a rule's number beside a point) centred just above (x, y); returns a plot handle.
int PlotText(int panel, int control, double x, double y, const char* text, int color);
// Any range is accepted, an inverted or empty one included.
int SetAxisScalingMode(int panel, int control, int axis, int mode, double min, double max);

// ---- strip chart --------------------------------------------------------------------------

// Appends `count` values starting at values[start], taking every (skip + 1)-th; the values are
// interleaved among the chart's traces (value k goes to trace k mod traces).
int PlotStripChart(int panel, int control, const double* values, int count, int start, int skip);
// Traces are numbered from 1.
int SetTraceAttribute(int panel, int control, int trace, int attribute, int value);
// The cursor of a chart the operator reads: `point` counts the points shown from the oldest (0);
// -1 takes the cursor away. The text is what the point under it means; the chart shows it beside
// the cursor. While a cursor is shown the operator moves it with the mouse and the arrow keys
// (Home, End), which raises value changed; the program reads where it went.
int SetStripChartCursor(int panel, int control, int point, const char* text);
int GetStripChartCursor(int panel, int control, int* point);
// The age in seconds of the newest `count` points, oldest first (not a number where a point has
// none): the X axis then counts seconds back from the newest point.
int SetStripChartAges(int panel, int control, const double* ages, int count);

// ---- pop-ups and files --------------------------------------------------------------------

int MessagePopup(const char* title, const char* message);
// Without windows a pop-up waits for nobody: its texts are kept, oldest first, for the program
// to say in its own way. Returns 1 with the oldest one kept (and forgets it), else 0.
int TakeKeptPopup(char* title, std::size_t titleSize, char* message, std::size_t messageSize);
// A question with Yes and No; 1 when the operator answers Yes, 0 for No or a closed window.
int ConfirmPopup(const char* title, const char* message);

enum : int { VAL_OK_BUTTON = 0, VAL_SAVE_BUTTON = 1, VAL_LOAD_BUTTON = 2, VAL_SELECT_BUTTON = 3 };
enum : int { VAL_NO_FILE_SELECTED = 0, VAL_EXISTING_FILE_SELECTED = 1, VAL_NEW_FILE_SELECTED = 2 };

// Returns 0 when cancelled, 1 for an existing file, 2 for a new one, negative on error.
// A save dialog (VAL_OK_BUTTON or VAL_SAVE_BUTTON) asks before replacing an existing file.
int FileSelectPopupPath(const char* defaultDirectory, const char* defaultFileName,
                        const char* fileTypeList, const char* title, int buttonLabel,
                        int restrictDirectory, int restrictExtension, int allowCancel,
                        int allowMakeDirectory, char* path, std::size_t pathSize);
template <std::size_t N>
int FileSelectPopup(const char* defaultDirectory, const char* defaultFileName,
                    const char* fileTypeList, const char* title, int buttonLabel,
                    int restrictDirectory, int restrictExtension, int allowCancel,
                    int allowMakeDirectory, char (&path)[N]) {
    return FileSelectPopupPath(defaultDirectory, defaultFileName, fileTypeList, title, buttonLabel,
                               restrictDirectory, restrictExtension, allowCancel,
                               allowMakeDirectory, path, N);
}

// A save dialog as FileSelectPopup with VAL_SAVE_BUTTON, except that it does not ask before
// replacing the file chosen: for a save that writes files beside that one, whose caller asks once
// about all of them (ConfirmPopup).
int FileSelectSavePopupPath(const char* defaultDirectory, const char* defaultFileName,
                            const char* fileTypeList, const char* title, char* path,
                            std::size_t pathSize);
template <std::size_t N>
int FileSelectSavePopup(const char* defaultDirectory, const char* defaultFileName,
                        const char* fileTypeList, const char* title, char (&path)[N]) {
    return FileSelectSavePopupPath(defaultDirectory, defaultFileName, fileTypeList, title, path, N);
}

// 1 when a file (of any kind) exists at `path`, 0 when none does.
int FileExists(const char* path);

// A save dialog offering a choice of file types: `typeList` holds entries "Description (*.ext)"
// separated by '\n'; *type names the entry offered first (from 0) and receives the one the
// operator chose. Returns as FileSelectPopup does.
int FileSelectTypePopupPath(const char* defaultDirectory, const char* defaultFileName,
                            const char* typeList, const char* title, int* type, char* path,
                            std::size_t pathSize);
template <std::size_t N>
int FileSelectTypePopup(const char* defaultDirectory, const char* defaultFileName,
                        const char* typeList, const char* title, int* type, char (&path)[N]) {
    return FileSelectTypePopupPath(defaultDirectory, defaultFileName, typeList, title, type, path,
                                   N);
}

enum : int { VAL_UNSIGNED_INTEGER = 1 };  // element type: unsigned 32-bit integers
enum : int { VAL_GROUPS_TOGETHER = 0 };   // array data order
enum : int { VAL_GROUPS_AS_COLUMNS = 0 }; // file layout
enum : int { VAL_CONST_WIDTH = 0 };       // column separation
enum : int { VAL_ASCII = 0 };             // file type
enum : int { VAL_TRUNCATE = 0, VAL_APPEND = 1, VAL_READ_ONLY = 2 }; // file action

// Writes a numeric array as text. Returns 0 or a negative code (the file cannot be written).
int ArrayToFile(const char* fileName, const void* array, int dataType, int numElements,
                int numGroups, int arrayDataOrder, int fileLayout, int colSepStyle, int fieldWidth,
                int fileType, int fileAction);
// Reads exactly numElements numbers separated by white space. Returns 0, or a negative code
// when the file cannot be read, is not text, is too large, holds fewer or more numbers, or holds
// anything that is not an unsigned decimal number; on failure the array is left unchanged.
int FileToArray(const char* fileName, void* array, int dataType, int numElements, int numGroups,
                int arrayDataOrder, int fileLayout, int fileType);

// The program's directory (where the panel file and images lie), without a trailing separator.
int GetProjectDirPath(char* dir, std::size_t size);
template <std::size_t N> int GetProjectDir(char (&dir)[N]) {
    return GetProjectDirPath(dir, N);
}

// The folder `subfolder` (empty: the folder itself) of what the scope keeps for the user across
// sessions: $XDG_DATA_HOME/kvorscope on Linux, the system's data location elsewhere; made when
// missing. Returns 0 or a negative code (it cannot be made, or the path does not fit).
int GetUserDataDirPath(const char* subfolder, char* dir, std::size_t size);
template <std::size_t N> int GetUserDataDir(const char* subfolder, char (&dir)[N]) {
    return GetUserDataDirPath(subfolder, dir, N);
}
// The files of a folder matching a pattern ("/some/folder/*.csv"), by name, one at a time: the
// first (after reading the folder), then the next. Names only, without the folder. 0 when one
// is given, -1 when there is none (more).
int GetFirstFile(const char* searchPath, char* fileName, std::size_t size);
int GetNextFile(char* fileName, std::size_t size);

// ---- text files written line by line ------------------------------------------------------
// Lines wait in memory and reach the operating system at every flush and, whatever the program
// does, at the latest half a second after they were written (the runtime's clock drives that
// inside event processing). The first failure ends the file: every later call returns it.

enum : int {
    kFileErrOpen = -20,     // the file cannot be created or opened
    kFileErrWrite = -21,    // the system refused the lines
    kFileErrDiskFull = -22, // no space left on the device
    kFileErrGone = -23,     // the file or its folder no longer exists
    kFileErrHandle = -24,   // no such open file
};

// fileAction VAL_TRUNCATE, VAL_APPEND or VAL_READ_ONLY (only a regular file). Returns a handle
// (> 0) or kFileErrOpen. Appending to a file whose last line has no line end (cut short by a
// crash) starts with one, so the lines appended stay whole.
int OpenTextFile(const char* fileName, int fileAction);
// Reads the next line of a file opened VAL_READ_ONLY, without its line end, cut to size - 1
// characters (the rest of a longer line is skipped). Returns its length, -2 at the end of the
// file (at the latest after 64 MiB), or the file's failure.
int ReadTextLine(int handle, char* line, std::size_t size);
template <std::size_t N> int ReadTextLine(int handle, char (&line)[N]) {
    return ReadTextLine(handle, line, N);
}
// Adds text (line ends included) to the file's pending lines. Returns 0 or the file's failure.
int WriteTextFile(int handle, const char* text);
// Hands the pending lines to the operating system now. Returns 0 or the file's failure.
int FlushTextFile(int handle);
// How many whole lines the operating system has taken so far (after a failure: the lines the file
// holds of those written since it was opened). Returns 0 or kFileErrHandle.
int GetTextFileLinesOut(int handle, double* lines);
// Flushes and closes; the handle is gone afterwards whatever the result.
int CloseTextFile(int handle);

// ---- files shared with other programs ----------------------------------------------------
// A file that several programs read and append to (two scopes on one machine): held under the
// system's file lock while open, so that what one reads and then appends is never interleaved
// with what another does.

enum : int { kFileErrLocked = -25 }; // another program held its lock beyond the time-out

// exclusive 1: opened for reading and appending, made when missing, locked against every other
// holder; 0: opened for reading only, shared with other readers. Waits at most timeoutSeconds
// for the lock. Returns a handle (> 0), kFileErrOpen or kFileErrLocked.
int OpenLockedFile(const char* fileName, int exclusive, double timeoutSeconds);
// The file's size in bytes, or a negative code.
long long LockedFileSize(int handle);
// Reads up to count bytes from offset: the count read (0 at the end) or a negative code.
int ReadLockedFile(int handle, long long offset, char* buffer, int count);
// Appends the text in one write and syncs it to the disk. A failed append leaves nothing of
// the text in the file. Returns 0 or kFileErrDiskFull, kFileErrWrite, kFileErrGone.
int AppendLockedFile(int handle, const char* text);
// Unlocks and closes; the handle is gone afterwards.
int CloseLockedFile(int handle);

// ---- pictures -----------------------------------------------------------------------------

// Writes the panel as the operator sees it to a PNG file. Returns 0 or a negative code.
int SavePanelImage(int panel, const char* pngFile);

// ---- reports ------------------------------------------------------------------------------
// A report of one A4 page written as PDF: a title, then lines of text and pictures of graphs,
// top to bottom in the order they were added; what does not fit on the page is left out.

int NewReport(const char* title); // returns a handle (> 0)
int AddReportText(int report, const char* text);
// The graph (or any control) as it shows now.
int AddReportGraph(int report, int panel, int control);
// Returns 0 or a negative code (the file cannot be written).
int SaveReportPDF(int report, const char* pdfFile);
int DiscardReport(int report);

// ---- a program without windows ------------------------------------------------------------

// Makes the port table the given devices (':'-separated paths, "simulated" for the simulated
// sensor), as KVOR_COM_PORTS does: port 1 is the first. Returns 0 or a negative code.
int NameComPorts(const char* devices);
// The name of the machine the program runs on (the station).
int GetStationName(char* text, std::size_t size);
// 1 when standard input (0), output (1) or error (2) is a terminal, else 0.
int IsTerminal(int stream);
// Runs `count` copies of this program at the same time, copy i with the arguments argvs[i] (a
// null-terminated list without the program name), and hands their output on whole line by whole
// line, standard output to standard output, error to error. Returns the highest exit status (a
// copy that did not start or crashed counts 1), negative when none could be run.
int RunProgramCopies(int count, const char* const* const* argvs);

// ---- clock --------------------------------------------------------------------------------

// Seconds since an arbitrary origin, monotonic, sub-millisecond resolution.
double Timer();
// Blocks for the given seconds (no event processing).
void Delay(double seconds);
void Sleep(unsigned milliseconds);

// ---- serial ports -------------------------------------------------------------------------
// Port numbers index the port table: 1..N are the machine's serial ports sorted by name at start,
// or the entries of KVOR_COM_PORTS (':'-separated device paths; the word "simulated" names the
// simulated sensor); "Simulated sensor" is always offered under GetSimulatedComPort(). Every
// call on a closed or vanished port fails with a negative code and has no other effect.

enum : int {
    kComErrUnknownSystem = -1,
    kComErrInvalidPort = -2,
    kComErrPortNotOpen = -3,
    kComErrIO = -4,
    kComErrNoPortFound = -6,
    kComErrCannotOpen = -7,
    kComErrInvalidParameter = -13,
    kComErrTimeout = -99,
};

enum : int { LWRS_RXFLAG = 0x0002, LWRS_TXEMPTY = 0x0004, LWRS_RECEIVE = 0x8000 };

using ComCallbackPtr = void (*)(int port, int eventMask, void* callbackData);

int OpenComConfig(int port, const char* deviceName, long baudRate, int parity, int dataBits,
                  int stopBits, int inputQueueSize, int outputQueueSize);
int SetComTime(int port, double timeoutSeconds);
int SetCTSMode(int port, int mode);
// eventMask 0 (or a null callback) removes the callback. The callback runs only inside event
// processing, when notifyCount bytes are waiting (LWRS_RECEIVE).
int InstallComCallback(int port, int eventMask, int notifyCount, int eventCharacter,
                       ComCallbackPtr callback, void* callbackData);
// Returns the bytes handed to the operating system (all of them, or a negative code).
int ComWrt(int port, const unsigned char* buffer, int count);
// Reads up to count bytes, waiting at most the port time-out; returns the count read.
int ComRd(int port, unsigned char* buffer, int count);
// Bytes waiting in the input queue; counts arrived bytes without any event processing. Asked
// again at once with nothing new, it waits a few milliseconds for the next byte, so a loop
// polling it sleeps in the operating system instead of spinning.
int GetInQLen(int port);
int FlushInQ(int port);
int FlushOutQ(int port);
int CloseCom(int port);

// The line monitor: a window listing every frame written and every frame or block read, bytes
// thrown away by FlushInQ and the notes below, as they happen. It records nothing while closed.
int DisplayLineMonitor();
// Adds a note to the line trace of a port ("set aside: ..."), shown marked in the monitor.
void TraceLineNote(int port, const char* text);

// The port table, for the port selector. Numbers stay with their devices while the scope runs:
// an adapter plugged in later gets a number never used before, one pulled out leaves the table
// (unless its port is open), and no number ever comes to mean another device. The label of a
// port as the selector shows it:
int GetComPortLabel(int port, char* text, std::size_t size);
// The station of a port: what stays the same while an adapter keeps its place on the line, as
// the port numbering knows it. "serial 0403:6001 A50285BI" (the adapter's USB serial number),
// else "place pci-0000:00:14.0-usb-0:2:1.0-port0" (where it is plugged in), else
// "device /dev/ttyS0"; "simulated sensor" for the simulation.
int GetComPortStation(int port, char* text, std::size_t size);
// 1 when port `com` is a simulated sensor, not a line to a real one.
int IsSimulatedComPort(int port);

// Read-back and test calls (plots, strip-chart traces, pop-ups answered without a person):
// see runtime/readback.h.

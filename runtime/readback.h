// SPDX-License-Identifier: GPL-3.0-or-later
// Inspection of what the runtime shows, and answers to pop-ups without a person: for tests,
// benchmarks and scripted operator checks. Nothing of the toolkit appears here.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/runtime.h"
#include "wire/protocol.h"

// ---- control attributes -------------------------------------------------------------------

int GetCtrlAttribute(int panel, int control, int attribute, int* value);
int GetCtrlAttribute(int panel, int control, int attribute, double* value);
int GetCtrlAttributeText(int panel, int control, int attribute, char* text, std::size_t size);

// ---- tables -------------------------------------------------------------------------------

// A cell's text, and its ATTR_TEXT_COLOR, ATTR_TEXT_BGCOLOR (-1: none) or ATTR_TEXT_BOLD.
int GetTableCellVal(int panel, int control, int row, int column, char* text, std::size_t size);
int GetTableCellAttribute(int panel, int control, int row, int column, int attribute, int* value);

// ---- graphs -------------------------------------------------------------------------------

// Cursors are numbered from 1.
int GetGraphCursor(int panel, int control, int cursor, double* x, double* y);
int GetAxisScalingMode(int panel, int control, int axis, int* mode, double* min, double* max);

enum : int { PLOT_KIND_CURVE = 1, PLOT_KIND_RECTANGLE = 2, PLOT_KIND_TEXT = 3 };

struct PlotInfo {
    int handle = 0;
    int kind = 0;                          // PLOT_KIND_CURVE or PLOT_KIND_RECTANGLE
    int color = 0;                         // line or outline colour, 0xRRGGBB
    int fillColor = 0;                     // rectangles
    int plotStyle = 0;                     // curves: VAL_THIN_LINE or VAL_THIN_STEP
    int points = 0;                        // curves: number of points
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // rectangles: the corners as given; texts: x1, y1
    char text[16] = {};                    // texts: the text (cut to 15 bytes)
};

// Plots of a graph in drawing order (first drawn first); returns the count or a negative code.
int GetGraphPlotCount(int panel, int control);
int GetGraphPlotInfo(int panel, int control, int index, PlotInfo* info);
// Copies up to max points of curve `index`; returns the number of points copied.
int GetGraphCurvePoints(int panel, int control, int index, double* x, double* y, int max);

// ---- strip chart --------------------------------------------------------------------------

// The points trace `trace` (from 1) shows now, oldest first: at most points-per-screen of them.
int GetStripChartPoints(int panel, int control, int trace, double* values, int max);
int GetTraceAttribute(int panel, int control, int trace, int attribute, int* value);

// ---- serial ports -------------------------------------------------------------------------

// The port table as the port selector lists it (numbers stay with their devices while the scope
// runs).
int GetComPortCount();           // entries, read afresh, the simulated sensor included
int GetComPortNumber(int index); // the number of entry `index` (0-based, ascending numbers)
int GetSimulatedComPort();       // the number of the "Simulated sensor" entry; never 1
// Why the port cannot be opened, in full (which program holds it, which group it needs), as far
// as the last attempt or a look at the device tells; an empty text when nothing stands in the way.
int GetComPortProblem(int port, char* text, std::size_t size);

// ---- line monitor -------------------------------------------------------------------------

enum : int { LINE_OUT = 0, LINE_IN = 1, LINE_FLUSHED = 2, LINE_NOTE = 3 };

struct LineMonitorEntry {
    double ms = 0; // since the scope started
    int port = 0;
    int kind = 0;                // LINE_OUT, LINE_IN, LINE_FLUSHED, LINE_NOTE
    int length = 0;              // bytes (notes: characters)
    int sync = -1, command = -1; // entries of one frame's length, else -1
    std::uint16_t words[kvor::protocol::PNUM] = {};
};

// The entries the open monitor lists now (the window first catches up with the trace);
// -1 while it is closed.
int GetLineMonitorEntryCount();
int GetLineMonitorEntry(int index, LineMonitorEntry* entry);
// The entry's line as the monitor shows it.
int GetLineMonitorEntryText(int index, char* text, std::size_t size);
int SetLineMonitorPaused(int paused);
int ClearLineMonitor();
int SaveLineMonitorText(const char* file);
int CloseLineMonitor();
// A PNG of the monitor window as it is now.
int SaveLineMonitorImage(const char* pngFile);

// ---- pop-ups ------------------------------------------------------------------------------

// When set, MessagePopup records its texts and returns at once instead of waiting for a person.
void SetPopupsAnswerThemselves(bool on);
int GetMessagePopupCount();
int GetLastMessagePopup(char* title, std::size_t titleSize, char* message, std::size_t messageSize);
// The answer of the next ConfirmPopup (once); without one, a question answers itself No.
void SetNextConfirmAnswer(int yes);
// How many questions were asked, and the last one's texts.
int GetLastConfirmPopup(char* title, std::size_t titleSize, char* message, std::size_t messageSize);
// The next FileSelectPopup returns `result` with `path` without showing a dialog (once).
void SetNextFileSelection(const char* path, int result);
// ... and, for a dialog with a choice of file types, the type chosen in it (from 0).
void SetNextFileSelectionType(int type);

// ---- events -------------------------------------------------------------------------------

// How often event processing has slept in the operating system and come back (through the event
// loop, once per sleep however often the kernel looked at the lines meanwhile).
long GetEventSleepCount();

// ---- panels -------------------------------------------------------------------------------

// A picture of a panel: SavePanelImage in runtime/runtime.h.
// Number of controls on a panel (those created at run time included).
int GetPanelControlCount(int panel);

// SPDX-License-Identifier: GPL-3.0-or-later
// The bar graph of the pixel line and the numeric displays of one measurement answer.
#include "live/bar_graph.h"

#include "live/chart_history.h"
#include "live/measurement.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"

namespace kvor {

namespace {

constexpr int kRed = 0xFF0000;
constexpr int kDarkGreen = 0x008000;
constexpr int kGreen = 0x00FF00;
constexpr double kCursorY = 0.75;
constexpr double kBarBottom = 0.25;
constexpr double kBarTop = 1.0;
constexpr double kWindowBottom = 0.0;
constexpr double kWindowTop = 0.35;

// A lit bar or a tolerance window along the pixel line, from x1 to x2. When x2 lies left of
// x1 the part it stands for is empty: no edge was found (Ledge 0), the edge lies beyond the
// last usable pixel, or the window lies wholly off the line. Such a shape is not drawn, so the
// operator never sees light or a window where there is none. x1 equal to x2 is a real place
// (a window with tolerance 0) and is drawn as a line. Parts beyond the axis are cut off by the
// graph itself.
void PlotSpan(int x1, int x2, double y1, double y2, int colour) {
    if (x2 < x1) return;
    PlotRectangle(pHandle, MAIN_BARGRAPH, x1, y1, x2, y2, colour, colour);
}

// Where the marker stands, from the edge evaluation mode; the centre needs both edges.
int MarkerPosition() {
    if (eMode == 0) return Ledge;
    if (eMode == 1) return Redge;
    if (Ledge == 0 || Redge == 0) return 1;
    return (Ledge + Redge) / 2;
}

int ClampMarker(int p) {
    if (p < pixB) p = pixB;
    if (p > pixE) p = pixE;
    if (p < 1) p = 1;
    if (p > ccdsubpixel) p = ccdsubpixel;
    return p;
}

void ShowToleranceColour() {
    int colour = MeasuringValueInTolerance() ? kDarkGreen : kRed;
    SetCtrlAttribute(pHandle, MAIN_UMVALUE, ATTR_TEXT_COLOR, colour);
    SetCtrlAttribute(pHandle, MAIN_MVALUE, ATTR_TEXT_COLOR, colour);
}

void ShowValues() {
    SetCtrlVal(pHandle, MAIN_LEDGE, Ledge);
    SetCtrlVal(pHandle, MAIN_REDGE, Redge);
    SetCtrlVal(pHandle, MAIN_MVALUE, Mvalue);
    SetCtrlVal(pHandle, MAIN_MVALUE_ANA, Mvalue);
    SetCtrlVal(pHandle, MAIN_UMVALUE, umValue);
    SetCtrlVal(pHandle, MAIN_TOL, tol);
    SetCtrlVal(pHandle, MAIN_ANAMAX, anaMax);
    SetCtrlVal(pHandle, MAIN_ANAMIN, anaMin);
}

// While a calibration object is selected the operator watches the value Accept will take.
void FeedCalibrationPopup() {
    i32 on = 0;
    GetCtrlVal(pPopup, POP_STEP1, &on);
    if (on == 1) SetCtrlVal(pPopup, POP_LIVE1, Mvalue);
    on = 0;
    GetCtrlVal(pPopup, POP_STEP2, &on);
    if (on == 1) SetCtrlVal(pPopup, POP_LIVE2, Mvalue);
}

void PlotLitBars() {
    if (edcnt == 0) {
        // No edge: the line is either wholly lit or wholly dark.
        if (mvstart > vThd && mvend > vThd) {
            PlotSpan(1, Ledge, kBarBottom, kBarTop, kRed);
            PlotSpan(Redge, pixE, kBarBottom, kBarTop, kRed);
        }
    } else if (edcnt == 1) {
        // One edge, in Ledge: the lit side is the brighter end of the line.
        if (mvstart < mvend) {
            PlotSpan(Ledge, pixE, kBarBottom, kBarTop, kRed);
        } else {
            PlotSpan(1, Ledge, kBarBottom, kBarTop, kRed);
        }
    } else {
        PlotSpan(1, Ledge, kBarBottom, kBarTop, kRed);
        PlotSpan(Redge, pixE, kBarBottom, kBarTop, kRed);
    }
}

// Clamps the start of a window below 0 to 1 and the end beyond the line to its last pixel.
void PlotClampedWindow(int x1, int x2) {
    if (x1 < 0) x1 = 1;
    if (x2 > ccdsubpixel - 1) x2 = ccdsubpixel;
    PlotSpan(x1, x2, kWindowBottom, kWindowTop, kGreen);
}

void PlotToleranceWindows(int p) {
    if (eMode == 2) {
        if (edcnt == 0) return;
        // In centre mode tVal is the object's size: the windows stand where its edges belong.
        int h = tVal / 2;
        int t = tol / 2;
        PlotClampedWindow(p - h - t, p - h + t);
        PlotSpan(p + h - t, p + h + t, kWindowBottom, kWindowTop, kGreen);
        return;
    }
    PlotClampedWindow(tVal - tol, tVal + tol);
}

} // namespace

void PlotVIDEOBarGraph() {
    int p = MarkerPosition();
    ShowToleranceColour();
    ShowValues();
    FeedCalibrationPopup();
    if (chartPaused == 1) return;
    SetAxisScalingMode(pHandle, MAIN_BARGRAPH, VAL_XAXIS, VAL_MANUAL, 1.0, ccdsubpixel);
    SetGraphCursor(pHandle, MAIN_BARGRAPH, 2, eBeg, kCursorY);
    SetGraphCursor(pHandle, MAIN_BARGRAPH, 3, eEnd, kCursorY);
    DeleteGraphPlot(pHandle, MAIN_BARGRAPH, -1, VAL_DELAYED_DRAW);
    p = ClampMarker(p);
    SetGraphCursor(pHandle, MAIN_BARGRAPH, 1, p, kCursorY);
    PlotLitBars();
    PlotToleranceWindows(p);
}

} // namespace kvor

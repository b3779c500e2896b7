// SPDX-License-Identifier: GPL-3.0-or-later
// The video curve with its threshold line, and the five-trace strip chart of the history.
#include "live/curve_strip.h"

#include "live/arrays.h"
#include "live/chart_history.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"

namespace kvor {

namespace {

constexpr int kRed = 0xFF0000;
constexpr int kDarkGreen = 0x008000;
constexpr int kBlack = 0x000000;
constexpr int kTraces = 5;
constexpr int kHistory = 500; // 100 samples of the 5 traces, interleaved sample by sample
constexpr int kPointsPerScreen = 101;
// Until a sensor has told its video full scale, the graph shows the range of the 10-bit
// converter most sensors carry, so that the default threshold (512) sits mid-graph.
constexpr double kDefaultVideoFullScale = 1024.0;

// The value the analog output follows in each analog mode.
int AnalogOutputValue() {
    switch (anaMode) {
    case 0:
    case 1:
    case 4:
    case 7:
        return Mvalue;
    case 2:
    case 5:
        return anaMax;
    case 3:
    case 6:
        // A held minimum still at the last pixel has not been undercut since its reset: the
        // chart shows it at the bottom instead of at the top.
        return anaMin == ccdvirtpixel - 1 ? 1 : anaMin;
    default:
        return 0;
    }
}

void AppendHistorySample() {
    int upper = tVal + tol;
    if (upper > ccdvirtpixel - 1) upper = ccdvirtpixel - 1;
    int lower = tVal - tol;
    if (lower < 1) lower = 1;
    int s = AnalogOutputValue();
    Shift(arrayNORM, kHistory, -kTraces, arrayNORM);
    arrayNORM[495] = upper;
    arrayNORM[496] = lower;
    arrayNORM[497] = tVal;
    arrayNORM[498] = Mvalue;
    arrayNORM[499] = s;
    KeepChartAnswer();
}

void ScaleStripChart() {
    if (ScaleChartAsChosen()) return;
    i32 zoom = 0;
    GetCtrlVal(pHandle, MAIN_ZOOM, &zoom);
    if (zoom == 0) {
        SetAxisScalingMode(pHandle, MAIN_STRIPCHART, VAL_LEFT_YAXIS, VAL_MANUAL, 0.0, ccdvirtpixel);
        return;
    }
    // The rule follows the tolerance parameter, the band's width the sensor's tolerance.
    int lo = 0;
    int hi = 0;
    if (tTol < 20) {
        lo = tVal - 40;
        hi = tVal + 40;
        if (Mvalue > hi) hi = Mvalue + 50;
        if (Mvalue < lo) lo = Mvalue - 50;
    } else {
        lo = tVal - 2 * tol;
        hi = tVal + 2 * tol;
        if (Mvalue > hi) hi = Mvalue + 100;
        if (Mvalue < lo) lo = Mvalue - 100;
    }
    if (hi > ccdvirtpixel - 1) hi = ccdvirtpixel - 1;
    if (lo < 1) lo = 1;
    SetAxisScalingMode(pHandle, MAIN_STRIPCHART, VAL_LEFT_YAXIS, VAL_MANUAL, lo, hi);
}

} // namespace

void PlotVIDEOCurve(const u16* samples, const double* positions) {
    double top = YMAXADC > 0 ? YMAXADC : kDefaultVideoFullScale;
    SetAxisScalingMode(pHandle, MAIN_VIDEOGRAPH, VAL_LEFT_YAXIS, VAL_MANUAL, 0.0, top);
    DeleteGraphPlot(pHandle, MAIN_VIDEOGRAPH, -1, VAL_DELAYED_DRAW);
    PlotXY(pHandle, MAIN_VIDEOGRAPH, positions, samples, 256, VAL_THIN_STEP, VAL_SOLID, kRed);
    PlotXY(pHandle, MAIN_VIDEOGRAPH, positions, thdArray, 256, VAL_THIN_STEP, VAL_SOLID,
           kDarkGreen);
}

void PlotRAWGraphX8() {
    AppendHistorySample();
    // Paused, the history goes on but the chart keeps the picture the operator reads.
    if (chartPaused == 1) return;
    SetCtrlAttribute(pHandle, MAIN_STRIPCHART, ATTR_POINTS_PER_SCREEN, kPointsPerScreen);
    SetCtrlAttribute(pHandle, MAIN_STRIPCHART, ATTR_SCROLL_MODE_CONTINUOUS, 1);
    ScaleStripChart();
    SetTraceAttribute(pHandle, MAIN_STRIPCHART, 1, ATTR_TRACE_COLOR, kDarkGreen);
    SetTraceAttribute(pHandle, MAIN_STRIPCHART, 2, ATTR_TRACE_COLOR, kDarkGreen);
    SetTraceAttribute(pHandle, MAIN_STRIPCHART, 3, ATTR_TRACE_COLOR, kBlack);
    SetTraceAttribute(pHandle, MAIN_STRIPCHART, 4, ATTR_TRACE_COLOR, kRed);
    SetTraceAttribute(pHandle, MAIN_STRIPCHART, 5, ATTR_TRACE_COLOR, kRed);
    SetCtrlAttribute(pHandle, MAIN_STRIPCHART, ATTR_NUM_TRACES, kTraces);
    // The whole history every time: each trace gets its 100 samples, and with 101 points per
    // screen the chart always shows the current window.
    PlotStripChart(pHandle, MAIN_STRIPCHART, arrayNORM, kHistory, 0, 0);
    ShowChartAges();
}

} // namespace kvor

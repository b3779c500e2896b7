// SPDX-License-Identifier: GPL-3.0-or-later
// Sensor answers of any content on their way into the displays, as the measurement loop and the
// video mode take them. The input is what the sensor would have sent:
//   bytes   0..35   the hardware answer of the identification (CCD geometry, video full scale)
//   bytes  36..67   the parameter words the panel holds (bar-graph windows, threshold, zoom)
//   byte   68       bit 0 and bit 1: the pop-up's object check boxes; bit 2: strip-chart zoom;
//                   bit 3: the parameter words came as a RAM read answer and are shown
//   then            up to eight 36-byte measurement answers, each decoded and drawn
//   the rest        a raw video block, 16-bit samples high byte first, drawn as the curve
// Every answer must come out on the panel as the sensor sent it, without a fault.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "fuzz/fuzz_scope.h"
#include "link/frame.h"
#include "link/identify.h"
#include "live/curve_strip.h"
#include "live/measurement.h"
#include "params/frame_map.h"
#include "params/panel_map.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"

namespace kvor::fuzz {
namespace {

constexpr std::size_t kHardwareAt = 0;
constexpr std::size_t kParametersAt = 36;
constexpr std::size_t kFlagsAt = 68;
constexpr std::size_t kAnswersAt = 69;
constexpr int kMaxAnswers = 8;
constexpr int kFrame = 36;

// A frame of the input into szReadBuf, as the receive callback reads it; missing bytes are 0.
void Receive(const std::uint8_t* data, std::size_t size, std::size_t at) {
    std::memset(szReadBuf, 0, kFrame);
    if (at < size) std::memcpy(szReadBuf, data + at, std::min<std::size_t>(kFrame, size - at));
}

// The state a sensor's answers meet: start values, then this input's identification.
void Identify(const std::uint8_t* data, std::size_t size) {
    YMAXADC = 0;
    pixB = 1;
    pixE = 1024;
    std::fill(std::begin(arrayNORM), std::end(arrayNORM), 0.0);
    std::fill(std::begin(adcbuf), std::end(adcbuf), u16{});
    Receive(data, size, kHardwareAt);
    ApplyHARDWAREInfo();
}

void TakeParameters(const std::uint8_t* data, std::size_t size) {
    for (int i = 0; i < PNUM; ++i)
        pp[i] = WordAt(data, size, kParametersAt + 2 * static_cast<std::size_t>(i));
    CopyPPtoVars();
    for (u16& t : thdArray)
        t = vThd;
    const int flags = kFlagsAt < size ? data[kFlagsAt] : 0;
    SetCtrlVal(pPopup, POP_STEP1, static_cast<i32>(flags & 1));
    SetCtrlVal(pPopup, POP_STEP2, static_cast<i32>((flags >> 1) & 1));
    SetCtrlVal(pHandle, MAIN_ZOOM, static_cast<i32>((flags >> 2) & 1));
    // As the answer of a RAM read: brought into range and shown, with this sensor's geometry.
    if (flags & 8) SetPanelValues();
}

u16 ShownU16(int panel, int control) {
    u16 v = 0;
    KVOR_FUZZ_CHECK(GetCtrlVal(panel, control, &v) >= 0);
    return v;
}

// What the operator sees of one answer: every value as sent, the tolerance colour by the
// signed band, shapes only where they stand for something.
void CheckShown() {
    KVOR_FUZZ_CHECK(ShownU16(pHandle, MAIN_LEDGE) == Ledge);
    KVOR_FUZZ_CHECK(ShownU16(pHandle, MAIN_REDGE) == Redge);
    KVOR_FUZZ_CHECK(ShownU16(pHandle, MAIN_MVALUE) == Mvalue);
    KVOR_FUZZ_CHECK(ShownU16(pHandle, MAIN_MVALUE_ANA) == Mvalue);
    KVOR_FUZZ_CHECK(ShownU16(pHandle, MAIN_TOL) == tol);
    KVOR_FUZZ_CHECK(ShownU16(pHandle, MAIN_ANAMAX) == anaMax);
    KVOR_FUZZ_CHECK(ShownU16(pHandle, MAIN_ANAMIN) == anaMin);
    i32 um = 0;
    KVOR_FUZZ_CHECK(GetCtrlVal(pHandle, MAIN_UMVALUE, &um) >= 0);
    KVOR_FUZZ_CHECK(um == umValue);
    KVOR_FUZZ_CHECK(umValue == static_cast<i32>(static_cast<std::uint32_t>(pp[4]) << 16 | pp[3]));

    const long long lower = static_cast<long long>(tVal) - tol;
    const long long upper = static_cast<long long>(tVal) + tol;
    const int wanted = (Mvalue < lower || Mvalue > upper) ? 0xFF0000 : 0x008000;
    int colour = -1;
    KVOR_FUZZ_CHECK(GetCtrlAttribute(pHandle, MAIN_MVALUE, ATTR_TEXT_COLOR, &colour) >= 0);
    KVOR_FUZZ_CHECK(colour == wanted);
    KVOR_FUZZ_CHECK(GetCtrlAttribute(pHandle, MAIN_UMVALUE, ATTR_TEXT_COLOR, &colour) >= 0);
    KVOR_FUZZ_CHECK(colour == wanted);

    const int plots = GetGraphPlotCount(pHandle, MAIN_BARGRAPH);
    KVOR_FUZZ_CHECK(plots >= 0 && plots <= 4);
    for (int i = 0; i < plots; ++i) {
        PlotInfo info;
        KVOR_FUZZ_CHECK(GetGraphPlotInfo(pHandle, MAIN_BARGRAPH, i, &info) == 0);
        KVOR_FUZZ_CHECK(info.kind == PLOT_KIND_RECTANGLE);
        KVOR_FUZZ_CHECK(info.x1 <= info.x2);
        KVOR_FUZZ_CHECK(info.color == 0xFF0000 || info.color == 0x00FF00);
    }
    double x = 0, y = 0;
    KVOR_FUZZ_CHECK(GetGraphCursor(pHandle, MAIN_BARGRAPH, 1, &x, &y) == 0);
    KVOR_FUZZ_CHECK(x <= ccdsubpixel);
    if (ccdsubpixel >= 1) KVOR_FUZZ_CHECK(x >= 1);

    double points[101];
    for (int trace = 1; trace <= 5; ++trace) {
        const int n = GetStripChartPoints(pHandle, MAIN_STRIPCHART, trace, points, 101);
        KVOR_FUZZ_CHECK(n >= 0 && n <= 101);
        for (int i = 0; i < n; ++i)
            KVOR_FUZZ_CHECK(std::isfinite(points[i]));
    }
}

void DrawAnswer(const std::uint8_t* data, std::size_t size, std::size_t at) {
    Receive(data, size, at);
    GetRxBuf(PNUM);
    TakeMeasurementAnswer(RUN_LOOP);
    CheckShown();
}

void DrawVideo(const std::uint8_t* data, std::size_t size, std::size_t at) {
    const std::size_t bytes = at < size ? std::min<std::size_t>(size - at, 512) : 0;
    for (std::size_t i = 0; 2 * i + 1 < bytes; ++i)
        adcbuf[i] = WordAt(data, size, at + 2 * i);
    PlotVIDEOCurve(adcbuf, xArray8);
    KVOR_FUZZ_CHECK(GetGraphPlotCount(pHandle, MAIN_VIDEOGRAPH) == 2);
    double x[256], y[256];
    KVOR_FUZZ_CHECK(GetGraphCurvePoints(pHandle, MAIN_VIDEOGRAPH, 0, x, y, 256) == 256);
    for (int i = 0; i < 256; ++i)
        KVOR_FUZZ_CHECK(y[i] == adcbuf[i] && x[i] == xArray8[i]);
}

} // namespace
} // namespace kvor::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kvor;
    using namespace kvor::fuzz;
    StartScopeOnce();
    Identify(data, size);
    TakeParameters(data, size);
    std::size_t at = kAnswersAt;
    // At least one answer, however short the input: missing bytes read as 0.
    for (int k = 0; k < kMaxAnswers && (k == 0 || at + kFrame <= size); ++k, at += kFrame)
        DrawAnswer(data, size, at);
    DrawVideo(data, size, at);
    ProcessSystemEvents();
    return 0;
}

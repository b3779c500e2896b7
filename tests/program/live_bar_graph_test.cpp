// SPDX-License-Identifier: GPL-3.0-or-later
// The bar graph and the numeric displays of one measurement answer, as the operator sees them:
// the rectangles and cursors on the graph, the display values and their colours.
#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "live/bar_graph.h"
#include "live/measurement.h"
#include "live/run_loop.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "tests/support/harness.h"

namespace kvor {
namespace {

constexpr int kRed = 0xFF0000;
constexpr int kGreen = 0x00FF00;
constexpr int kDarkGreen = 0x008000;

struct Rect {
    double x1, y1, x2, y2;
    int colour;
    bool operator==(const Rect&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Rect& r) {
    return os << std::hex << r.colour << std::dec << " (" << r.x1 << ", " << r.y1 << ")-(" << r.x2
              << ", " << r.y2 << ")";
}

// Every rectangle on the bar graph, in drawing order; fill must equal outline.
std::vector<Rect> BarGraphRects() {
    std::vector<Rect> rects;
    int n = GetGraphPlotCount(pHandle, MAIN_BARGRAPH);
    for (int i = 0; i < n; ++i) {
        PlotInfo info;
        EXPECT_EQ(GetGraphPlotInfo(pHandle, MAIN_BARGRAPH, i, &info), 0);
        EXPECT_EQ(info.kind, PLOT_KIND_RECTANGLE);
        EXPECT_EQ(info.fillColor, info.color);
        rects.push_back({info.x1, info.y1, info.x2, info.y2, info.color});
    }
    return rects;
}

Rect Bar(double x1, double x2) {
    return {x1, 0.25, x2, 1.0, kRed};
}
Rect Window(double x1, double x2) {
    return {x1, 0.0, x2, 0.35, kGreen};
}

double CursorX(int cursor) {
    double x = -1, y = -1;
    EXPECT_EQ(GetGraphCursor(pHandle, MAIN_BARGRAPH, cursor, &x, &y), 0);
    EXPECT_EQ(y, 0.75);
    return x;
}

int TextColour(int control) {
    int c = -1;
    GetCtrlAttribute(pHandle, control, ATTR_TEXT_COLOR, &c);
    return c;
}

// The words of a measurement answer, by name.
struct Answer {
    u16 ledge = 400, redge = 600, mvalue = 500;
    i32 um = 0;
    u16 tval = 500, tol = 20, edcnt = 2, mvstart = 600, mvend = 600, anamax = 0, anamin = 0;
};

class BarGraph : public test::ScopeTest {
  protected:
    void SetUp() override {
        test::ScopeTest::SetUp();
        eMode = 1;
        vThd = 512;
        eBeg = 10;
        eEnd = 1000;
        pixB = 1;
        pixE = 1024;
        ccdsubpixel = 2048;
        SetCtrlVal(pPopup, POP_STEP1, 0);
        SetCtrlVal(pPopup, POP_STEP2, 0);
    }
    // What the loops do with each answer: copy it out of pp, then draw it.
    void Show(const Answer& a) {
        std::array<u16, 16> w{a.ledge,
                              a.redge,
                              a.mvalue,
                              static_cast<u16>(a.um & 0xFFFF),
                              static_cast<u16>((a.um >> 16) & 0xFFFF),
                              a.tval,
                              a.tol,
                              a.edcnt,
                              a.mvstart,
                              a.mvend,
                              0,
                              a.anamax,
                              a.anamin,
                              0,
                              0,
                              0};
        for (int i = 0; i < 16; ++i)
            pp[i] = w[i];
        CopyPPtoMeasurement();
        PlotVIDEOBarGraph();
    }
};

TEST_F(BarGraph, DisplaysTheAnswerInEveryNumericDisplay) {
    Answer a;
    a.ledge = 123;
    a.redge = 456;
    a.mvalue = 289;
    a.um = 70196;
    a.tol = 17;
    a.anamax = 900;
    a.anamin = 33;
    Show(a);
    u16 v = 0;
    GetCtrlVal(pHandle, MAIN_LEDGE, &v);
    EXPECT_EQ(v, 123);
    GetCtrlVal(pHandle, MAIN_REDGE, &v);
    EXPECT_EQ(v, 456);
    GetCtrlVal(pHandle, MAIN_MVALUE, &v);
    EXPECT_EQ(v, 289);
    GetCtrlVal(pHandle, MAIN_MVALUE_ANA, &v);
    EXPECT_EQ(v, 289);
    GetCtrlVal(pHandle, MAIN_TOL, &v);
    EXPECT_EQ(v, 17);
    GetCtrlVal(pHandle, MAIN_ANAMAX, &v);
    EXPECT_EQ(v, 900);
    GetCtrlVal(pHandle, MAIN_ANAMIN, &v);
    EXPECT_EQ(v, 33);
    i32 um = 0;
    GetCtrlVal(pHandle, MAIN_UMVALUE, &um);
    EXPECT_EQ(um, 70196);
}

TEST_F(BarGraph, NegativeMicrometresFromTheSensorShowNegative) {
    Answer a;
    a.um = -55; // words 0xFFC9, 0xFFFF
    Show(a);
    i32 um = 0;
    GetCtrlVal(pHandle, MAIN_UMVALUE, &um);
    EXPECT_EQ(um, -55);
}

TEST_F(BarGraph, ToleranceColouringIncludesTheLimitsAndNeverUndercutsZero) {
    Answer a;
    a.tval = 500;
    a.tol = 20;
    for (auto [m, colour] : {std::pair{520, kDarkGreen},
                             {521, kRed},
                             {480, kDarkGreen},
                             {479, kRed},
                             {500, kDarkGreen}}) {
        a.mvalue = static_cast<u16>(m);
        Show(a);
        EXPECT_EQ(TextColour(MAIN_MVALUE), colour) << m;
        EXPECT_EQ(TextColour(MAIN_UMVALUE), colour) << m;
    }
    a.tval = 10;
    a.tol = 20;
    a.mvalue = 5;
    Show(a);
    EXPECT_EQ(TextColour(MAIN_MVALUE), kDarkGreen);
    a.mvalue = 0;
    Show(a);
    EXPECT_EQ(TextColour(MAIN_UMVALUE), kDarkGreen);
    a.tval = 65535;
    a.tol = 65535;
    a.mvalue = 65535;
    Show(a);
    EXPECT_EQ(TextColour(MAIN_MVALUE), kDarkGreen);
}

TEST_F(BarGraph, MarkerFollowsTheEdgeModeAndIsClampedToTheUsableLine) {
    Answer a;
    a.ledge = 101;
    a.redge = 200;
    eMode = 2;
    Show(a);
    EXPECT_EQ(CursorX(1), 150);
    eMode = 0;
    Show(a);
    EXPECT_EQ(CursorX(1), 101);
    eMode = 1;
    Show(a);
    EXPECT_EQ(CursorX(1), 200);
    eMode = 7; // any other mode counts as the centre
    Show(a);
    EXPECT_EQ(CursorX(1), 150);

    eMode = 2;
    pixB = 5;
    a.ledge = 0;
    a.redge = 700;
    Show(a);
    EXPECT_EQ(CursorX(1), 5);
    eMode = 0;
    pixB = 1;
    a.ledge = 1500;
    Show(a);
    EXPECT_EQ(CursorX(1), 1024);
    // A last usable pixel beyond the axis still leaves the marker on the axis.
    pixE = 4000;
    a.ledge = 3000;
    Show(a);
    EXPECT_EQ(CursorX(1), 2048);
}

TEST_F(BarGraph, RangeCursorsAndAxisFollowTheParameters) {
    eBeg = 33;
    eEnd = 777;
    ccdsubpixel = 1024;
    // The panel mapping sets the axis to the virtual pixels and draws its own marks.
    SetAxisScalingMode(pHandle, MAIN_BARGRAPH, VAL_XAXIS, VAL_MANUAL, 1.0, 4096);
    PlotRectangle(pHandle, MAIN_BARGRAPH, 0, 0, 4096, 1, 0xA0A0A0, 0xA0A0A0);
    Show(Answer{});
    EXPECT_EQ(CursorX(2), 33);
    EXPECT_EQ(CursorX(3), 777);
    int mode = -1;
    double lo = 0, hi = 0;
    GetAxisScalingMode(pHandle, MAIN_BARGRAPH, VAL_XAXIS, &mode, &lo, &hi);
    EXPECT_EQ(mode, VAL_MANUAL);
    EXPECT_EQ(lo, 1.0);
    EXPECT_EQ(hi, 1024.0);
    for (const Rect& r : BarGraphRects())
        EXPECT_NE(r.colour, 0xA0A0A0) << r;
}

TEST_F(BarGraph, TwoEdgesLightBothEndsAndOneWindowSitsAroundTheSetpoint) {
    Answer a;
    a.ledge = 400;
    a.redge = 600;
    a.edcnt = 2;
    a.tval = 500;
    a.tol = 20;
    Show(a);
    EXPECT_EQ(BarGraphRects(), (std::vector<Rect>{Bar(1, 400), Bar(600, 1024), Window(480, 520)}));
}

TEST_F(BarGraph, CentreModeWindowsStandWhereTheObjectsEdgesBelong) {
    eMode = 2;
    Answer a;
    a.ledge = 400;
    a.redge = 600; // P = 500
    a.edcnt = 2;
    a.tval = 200;
    a.tol = 21; // t = 10
    Show(a);
    EXPECT_EQ(BarGraphRects(),
              (std::vector<Rect>{Bar(1, 400), Bar(600, 1024), Window(390, 410), Window(590, 610)}));
    a.edcnt = 0;
    a.mvstart = 100; // dark line: no bars either
    Show(a);
    EXPECT_TRUE(BarGraphRects().empty());
    EXPECT_EQ(CursorX(1), 500);
}

TEST_F(BarGraph, CentreModeLeftWindowIsClampedToTheLine) {
    eMode = 2;
    Answer a;
    a.ledge = 100;
    a.redge = 140; // P = 120
    a.edcnt = 2;
    a.tval = 200; // h = 100
    a.tol = 60;   // t = 30: left window -10..50 starts at 1
    Show(a);
    std::vector<Rect> r = BarGraphRects();
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[2], Window(1, 50));
    EXPECT_EQ(r[3], Window(190, 250));
}

TEST_F(BarGraph, NoEdgeLightsTheLineOnlyWhenBothEndsAreAboveTheThreshold) {
    Answer a;
    a.edcnt = 0;
    a.ledge = 0;
    a.redge = 0;
    a.mvstart = 512; // equal to vThd: not above
    a.mvend = 900;
    Show(a);
    EXPECT_EQ(BarGraphRects(), (std::vector<Rect>{Window(480, 520)}));
    a.mvstart = 513;
    Show(a);
    // With no edge reported the bar from 1 to Ledge is empty; the lit line is Redge..pixE.
    EXPECT_EQ(BarGraphRects(), (std::vector<Rect>{Bar(0, 1024), Window(480, 520)}));
}

TEST_F(BarGraph, OneEdgeLightsTheBrighterEnd) {
    Answer a;
    a.edcnt = 1;
    a.ledge = 300;
    a.mvstart = 100;
    a.mvend = 800;
    Show(a);
    EXPECT_EQ(BarGraphRects().front(), Bar(300, 1024));
    a.mvstart = 800;
    Show(a);
    EXPECT_EQ(BarGraphRects().front(), Bar(1, 300));
    a.mvend = 900;
    a.mvstart = 900;
    Show(a);
    EXPECT_EQ(BarGraphRects().front(), Bar(1, 300));
}

TEST_F(BarGraph, EmptyBarsAndWindowsOffTheLineAreNotDrawn) {
    Answer a;
    a.edcnt = 2;
    a.ledge = 0;    // no left edge: 1..0 would be light where there is none
    a.redge = 1500; // right edge beyond the last usable pixel
    a.tval = 3000;  // window 2980..3020, beyond the axis: its end clamps to 2048
    a.tol = 20;
    Show(a);
    EXPECT_TRUE(BarGraphRects().empty());
    a.tval = 10; // window -10..30 starts at 1
    Show(a);
    EXPECT_EQ(BarGraphRects(), (std::vector<Rect>{Window(1, 30)}));
    a.tol = 0; // a window of no width is a place on the line and is drawn
    a.tval = 700;
    Show(a);
    EXPECT_EQ(BarGraphRects(), (std::vector<Rect>{Window(700, 700)}));
}

TEST_F(BarGraph, LiveValueReachesThePopupOnlyForTheSelectedObject) {
    SetCtrlVal(pPopup, POP_LIVE1, static_cast<u16>(1));
    SetCtrlVal(pPopup, POP_LIVE2, static_cast<u16>(2));
    Answer a;
    a.mvalue = 345;
    Show(a);
    u16 v1 = 0, v2 = 0;
    GetCtrlVal(pPopup, POP_LIVE1, &v1);
    GetCtrlVal(pPopup, POP_LIVE2, &v2);
    EXPECT_EQ(v1, 1);
    EXPECT_EQ(v2, 2);
    SetCtrlVal(pPopup, POP_STEP1, 1);
    Show(a);
    a.mvalue = 346;
    Show(a);
    GetCtrlVal(pPopup, POP_LIVE1, &v1);
    GetCtrlVal(pPopup, POP_LIVE2, &v2);
    EXPECT_EQ(v1, 346);
    EXPECT_EQ(v2, 2);
    SetCtrlVal(pPopup, POP_STEP1, 0);
    SetCtrlVal(pPopup, POP_STEP2, 1);
    a.mvalue = 347;
    Show(a);
    GetCtrlVal(pPopup, POP_LIVE1, &v1);
    GetCtrlVal(pPopup, POP_LIVE2, &v2);
    EXPECT_EQ(v1, 346);
    EXPECT_EQ(v2, 347);
}

} // namespace
} // namespace kvor

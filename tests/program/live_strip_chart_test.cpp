// SPDX-License-Identifier: GPL-3.0-or-later
// The strip chart of the measurement history and the video curve, checked on what the graphs
// hold: trace points, colours, axis ranges and curves.
#include <vector>

#include <gtest/gtest.h>

#include "live/curve_strip.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "tests/support/harness.h"

namespace kvor {
namespace {

std::vector<double> TracePoints(int trace) {
    std::vector<double> v(1000);
    int n = GetStripChartPoints(pHandle, MAIN_STRIPCHART, trace, v.data(), 1000);
    v.resize(n < 0 ? 0 : n);
    return v;
}

void YRange(int control, double* lo, double* hi) {
    int mode = -1;
    ASSERT_EQ(GetAxisScalingMode(pHandle, control, VAL_LEFT_YAXIS, &mode, lo, hi), 0);
    EXPECT_EQ(mode, VAL_MANUAL);
}

class StripChart : public test::ScopeTest {
  protected:
    void SetUp() override {
        test::ScopeTest::SetUp();
        ccdvirtpixel = 4096;
        anaMode = 0;
        tTol = 100;
        SetZoom(0);
    }
    void SetZoom(i32 on) { SetCtrlVal(pHandle, MAIN_ZOOM, on); }
    void Sample(u16 setpoint, u16 tolerance, u16 m, u16 mx = 0, u16 mn = 0) {
        tVal = setpoint;
        tol = tolerance;
        Mvalue = m;
        anaMax = mx;
        anaMin = mn;
        PlotRAWGraphX8();
    }
    // The newest sample of each trace.
    double Newest(int trace) {
        std::vector<double> v = TracePoints(trace);
        return v.empty() ? -1.0 : v.back();
    }
};

TEST_F(StripChart, FirstAnswerShowsNinetyNineZerosAndTheNewSampleInEveryTrace) {
    Sample(500, 20, 510);
    double expected[] = {520, 480, 500, 510, 510};
    for (int trace = 1; trace <= 5; ++trace) {
        std::vector<double> v = TracePoints(trace);
        ASSERT_EQ(v.size(), 100u) << trace;
        for (int k = 0; k < 99; ++k)
            ASSERT_EQ(v[k], 0.0) << trace << " " << k;
        EXPECT_EQ(v[99], expected[trace - 1]) << trace;
    }
}

TEST_F(StripChart, ShowsTheLastHundredSamplesOldestFirst) {
    for (int i = 0; i < 130; ++i)
        Sample(500, 20, static_cast<u16>(1000 + i));
    std::vector<double> v = TracePoints(4);
    ASSERT_GE(v.size(), 100u);
    ASSERT_LE(v.size(), 101u);
    for (int k = 0; k < 100; ++k)
        EXPECT_EQ(v[v.size() - 100 + k], 1030 + k) << k;
    for (int k = 0; k < 100; ++k)
        ASSERT_EQ(arrayNORM[5 * k + 3], 1030 + k);
}

TEST_F(StripChart, SettingsAndColoursOfTheFiveTraces) {
    Sample(500, 20, 510);
    int n = 0;
    GetCtrlAttribute(pHandle, MAIN_STRIPCHART, ATTR_NUM_TRACES, &n);
    EXPECT_EQ(n, 5);
    GetCtrlAttribute(pHandle, MAIN_STRIPCHART, ATTR_POINTS_PER_SCREEN, &n);
    EXPECT_EQ(n, 101);
    int colours[] = {0x008000, 0x008000, 0x000000, 0xFF0000, 0xFF0000};
    for (int trace = 1; trace <= 5; ++trace) {
        int c = -1;
        GetTraceAttribute(pHandle, MAIN_STRIPCHART, trace, ATTR_TRACE_COLOR, &c);
        EXPECT_EQ(c, colours[trace - 1]) << trace;
    }
}

TEST_F(StripChart, ToleranceLinesStayOnTheLine) {
    Sample(10, 20, 15);
    EXPECT_EQ(Newest(2), 1);
    EXPECT_EQ(Newest(1), 30);
    Sample(4090, 20, 4095);
    EXPECT_EQ(Newest(1), 4095);
    EXPECT_EQ(Newest(2), 4070);
    Sample(65535, 65535, 65535);
    EXPECT_EQ(Newest(1), 4095);
    EXPECT_EQ(Newest(2), 1);
}

TEST_F(StripChart, FifthTraceFollowsTheAnalogOutputMode) {
    struct Case {
        u16 mode, mn;
        double expected;
    } cases[] = {{0, 7, 300}, {1, 7, 300}, {4, 7, 300},  {7, 7, 300},  {2, 7, 900}, {5, 7, 900},
                 {3, 7, 7},   {6, 7, 7},   {3, 4095, 1}, {6, 4095, 1}, {8, 7, 0},   {65535, 7, 0}};
    for (const Case& c : cases) {
        anaMode = c.mode;
        Sample(500, 20, 300, 900, c.mn);
        EXPECT_EQ(Newest(5), c.expected) << "anaMode " << c.mode;
    }
}

TEST_F(StripChart, ZoomOffShowsTheWholeLine) {
    Sample(500, 20, 510);
    double lo = -1, hi = -1;
    YRange(MAIN_STRIPCHART, &lo, &hi);
    EXPECT_EQ(lo, 0.0);
    EXPECT_EQ(hi, 4096.0);
}

TEST_F(StripChart, ZoomFollowsTheSetpointBandAndTheMeasuringValue) {
    SetZoom(1);
    double lo = -1, hi = -1;
    tTol = 10;
    Sample(500, 10, 560);
    YRange(MAIN_STRIPCHART, &lo, &hi);
    EXPECT_EQ(lo, 460);
    EXPECT_EQ(hi, 610);
    Sample(500, 10, 400);
    YRange(MAIN_STRIPCHART, &lo, &hi);
    EXPECT_EQ(lo, 350);
    EXPECT_EQ(hi, 540);
    tTol = 20; // the wide rule, with the band from the sensor's tolerance
    Sample(30, 10, 5);
    YRange(MAIN_STRIPCHART, &lo, &hi);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 50);
    Sample(4000, 100, 4050);
    YRange(MAIN_STRIPCHART, &lo, &hi);
    EXPECT_EQ(lo, 3800);
    EXPECT_EQ(hi, 4095);
    Sample(65535, 65535, 0);
    YRange(MAIN_STRIPCHART, &lo, &hi);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 4095);
}

class VideoCurve : public test::ScopeTest {};

TEST_F(VideoCurve, SignalInRedAndThresholdInGreenAsStepLines) {
    u16 samples[256];
    double positions[256];
    for (int i = 0; i < 256; ++i) {
        samples[i] = static_cast<u16>(3 * i);
        positions[i] = 16.0 * i;
        thdArray[i] = 400;
    }
    YMAXADC = 1024;
    PlotVIDEOCurve(samples, positions);
    PlotVIDEOCurve(samples, positions); // redrawing replaces, never adds
    ASSERT_EQ(GetGraphPlotCount(pHandle, MAIN_VIDEOGRAPH), 2);
    int colours[] = {0xFF0000, 0x008000};
    for (int p = 0; p < 2; ++p) {
        PlotInfo info;
        ASSERT_EQ(GetGraphPlotInfo(pHandle, MAIN_VIDEOGRAPH, p, &info), 0);
        EXPECT_EQ(info.kind, PLOT_KIND_CURVE);
        EXPECT_EQ(info.plotStyle, VAL_THIN_STEP);
        EXPECT_EQ(info.color, colours[p]);
        EXPECT_EQ(info.points, 256);
        double x[256], y[256];
        ASSERT_EQ(GetGraphCurvePoints(pHandle, MAIN_VIDEOGRAPH, p, x, y, 256), 256);
        EXPECT_EQ(x[255], 16.0 * 255);
        EXPECT_EQ(y[100], p == 0 ? 300.0 : 400.0);
    }
    double lo = -1, hi = -1;
    YRange(MAIN_VIDEOGRAPH, &lo, &hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 1024);
    YMAXADC = 256;
    PlotVIDEOCurve(samples, positions);
    YRange(MAIN_VIDEOGRAPH, &lo, &hi);
    EXPECT_EQ(hi, 256);
}

TEST_F(VideoCurve, BeforeIdentificationTheGraphShowsTheTenBitRange) {
    u16 samples[256] = {};
    double positions[256] = {};
    YMAXADC = 0;
    PlotVIDEOCurve(samples, positions);
    double lo = -1, hi = -1;
    YRange(MAIN_VIDEOGRAPH, &lo, &hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 1024);
}

} // namespace
} // namespace kvor

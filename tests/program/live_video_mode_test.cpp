// The video-signal mode against the simulated sensor: the requests of each cycle for both block
// layouts, the redraw of curve and bar graph, and the ways the mode ends.
#include <vector>

#include <gtest/gtest.h>

#include "app/panel_ids.h"
#include "app/state.h"
#include "link/protocol.h"
#include "tests/support/harness.h"
#include "ui/readback.h"
#include "ui/runtime.h"

namespace kvor {
namespace {

using test::Click;
using test::Later;

std::vector<sim::Request> Settled(sim::SimulatedSensor& s) {
    test::PumpFor(0.3);
    return s.requests();
}

int PlotHandle(int control, int index) {
    PlotInfo info;
    if (GetGraphPlotInfo(pHandle, control, index, &info) < 0) return -1;
    return info.handle;
}

class VideoMode : public test::ScopeTest {
  protected:
    void VideoFor(int ms) {
        Later(ms, [] { Click(1, MAIN_STOP); });
        Click(1, MAIN_VIDEO);
    }
};

TEST_F(VideoMode, BoardHundredReadsFourBlocksAfterEachMeasurement) {
    ASSERT_EQ(pcbtype, 100);
    sensor().clearRequests();
    VideoFor(1500);
    std::vector<sim::Request> reqs = Settled(sensor());
    ASSERT_GE(reqs.size(), 10u);
    const int firsts[] = {0, 64, 128, 192};
    std::size_t whole = reqs.size() / 5 * 5;
    for (std::size_t i = 0; i < whole; ++i) {
        const sim::Request& r = reqs[i];
        if (i % 5 == 0) {
            EXPECT_EQ(r.command, protocol::CMD_MEASURE) << i;
            continue;
        }
        EXPECT_EQ(r.command, protocol::CMD_READ_VIDEO64) << i;
        EXPECT_EQ(r.words[0], firsts[i % 5 - 1]) << i;
        EXPECT_EQ(r.words[1], i % 5 == 4 ? 1 : 0) << i;
    }
}

class VideoModeOneBlock : public VideoMode {
  protected:
    sim::Options SensorOptions() const override {
        sim::Options o = VideoMode::SensorOptions();
        EXPECT_TRUE(sim::ModelPreset("board7", &o.model));
        return o;
    }
};

TEST_F(VideoModeOneBlock, OtherBoardsReadOneBlockOf256) {
    ASSERT_NE(pcbtype, 0);
    ASSERT_NE(pcbtype, 100);
    sensor().clearRequests();
    VideoFor(1200);
    std::vector<sim::Request> reqs = Settled(sensor());
    ASSERT_GE(reqs.size(), 6u);
    for (std::size_t i = 0; i + 1 < reqs.size(); i += 2) {
        EXPECT_EQ(reqs[i].command, protocol::CMD_MEASURE) << i;
        EXPECT_EQ(reqs[i + 1].command, protocol::CMD_READ_VIDEO256) << i;
        for (u16 w : reqs[i + 1].words)
            EXPECT_EQ(w, 0);
    }
}

TEST_F(VideoMode, RedrawsCurveAndBarGraphEveryCycle) {
    std::vector<int> curveHandles, barHandles;
    for (int ms : {700, 1400}) {
        Later(ms, [&] {
            curveHandles.push_back(PlotHandle(MAIN_VIDEOGRAPH, 0));
            barHandles.push_back(PlotHandle(MAIN_BARGRAPH, 0));
        });
    }
    VideoFor(1600);
    ASSERT_EQ(curveHandles.size(), 2u);
    EXPECT_GT(curveHandles[0], 0);
    EXPECT_NE(curveHandles[0], curveHandles[1]);
    EXPECT_NE(barHandles[0], barHandles[1]);
    ASSERT_EQ(GetGraphPlotCount(pHandle, MAIN_VIDEOGRAPH), 2);
    double x[256], y[256];
    ASSERT_EQ(GetGraphCurvePoints(pHandle, MAIN_VIDEOGRAPH, 0, x, y, 256), 256);
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(y[i], adcbuf[i]) << i;
        ASSERT_EQ(x[i], xArray8[i]) << i;
    }
    int visible = -1;
    GetCtrlAttribute(pHandle, MAIN_VIDEOGRAPH, ATTR_VISIBLE, &visible);
    EXPECT_EQ(visible, 1);
    GetCtrlAttribute(pHandle, MAIN_STRIPCHART, ATTR_VISIBLE, &visible);
    EXPECT_EQ(visible, 0);
    int mode = -1;
    double lo = 0, hi = 0;
    GetAxisScalingMode(pHandle, MAIN_VIDEOGRAPH, VAL_XAXIS, &mode, &lo, &hi);
    EXPECT_EQ(lo, 1.0);
    EXPECT_EQ(hi, ccdvirtpixel);
}

TEST_F(VideoMode, SilentSensorEndsTheModeWithoutDrawing) {
    DeleteGraphPlot(pHandle, MAIN_VIDEOGRAPH, -1, VAL_IMMEDIATE_DRAW);
    sim::Faults f;
    f.silent = true;
    sensor().setFaults(f);
    double t0 = Timer();
    Click(1, MAIN_VIDEO);
    double took = Timer() - t0;
    EXPECT_GT(took, 1.4);
    EXPECT_LT(took, 3.0);
    EXPECT_EQ(test::StatusLine(), "Timeout RS232-Line!");
    EXPECT_EQ(GetGraphPlotCount(pHandle, MAIN_VIDEOGRAPH), 0);
    int d = -1;
    GetCtrlAttribute(pHandle, MAIN_RUN, ATTR_DIMMED, &d);
    EXPECT_EQ(d, 0);
}

TEST_F(VideoModeOneBlock, BlockTimeOutDoesNotEndTheMode) {
    sim::Faults f;
    f.videoBlockBytes = 100; // every 512-byte block comes short
    sensor().setFaults(f);
    sensor().clearRequests();
    std::string statusDuringBlocks;
    int stopDuring = -1;
    Later(2500, [&] {
        stopDuring = stop_flag;
        Click(1, MAIN_STOP);
    });
    Later(1200, [&] { statusDuringBlocks = test::StatusLine(); });
    Click(1, MAIN_VIDEO);
    EXPECT_EQ(stopDuring, 0);
    int measures = 0;
    for (const sim::Request& r : Settled(sensor()))
        measures += r.command == protocol::CMD_MEASURE;
    EXPECT_GE(measures, 2);
    EXPECT_EQ(statusDuringBlocks, "Waiting for Data[256] ...");
}

TEST_F(VideoMode, StopDuringTheMeasurementWaitStillDrawsOnce) {
    DeleteGraphPlot(pHandle, MAIN_VIDEOGRAPH, -1, VAL_IMMEDIATE_DRAW);
    sim::Faults f;
    f.delaySeconds = 0.6;
    sensor().setFaults(f);
    sensor().clearRequests();
    Later(200, [] { Click(1, MAIN_STOP); });
    Click(1, MAIN_VIDEO);
    EXPECT_EQ(GetGraphPlotCount(pHandle, MAIN_VIDEOGRAPH), 2);
    std::vector<sim::Request> reqs = Settled(sensor());
    ASSERT_EQ(reqs.size(), 5u);
    EXPECT_EQ(reqs[0].command, protocol::CMD_MEASURE);
    EXPECT_EQ(reqs[4].command, protocol::CMD_READ_VIDEO64);
}

TEST_F(VideoMode, FrameAnswersAreTakenAgainAfterTheMode) {
    VideoFor(600);
    EXPECT_EQ(target, RAM);
    i32 ram = 0;
    GetCtrlVal(pHandle, MAIN_RBT_RAM, &ram);
    EXPECT_EQ(ram, 1);
    Click(1, MAIN_GET);
    EXPECT_EQ(test::StatusLine(), "Parameter-frame received! - Line Ok!");
}

} // namespace
} // namespace kvor

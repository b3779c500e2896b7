// SPDX-License-Identifier: GPL-3.0-or-later
// The video-signal mode against the simulated sensor: the requests of each cycle for both block
// layouts, the redraw of curve and bar graph, and the ways the mode ends.
#include <vector>

#include <gtest/gtest.h>

#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "tests/support/harness.h"
#include "wire/protocol.h"

namespace kvor {
namespace {

using test::Click;
using test::CountCommand;
using test::InTurn;
using test::Measuring;
using test::When;

int PlotHandle(int control, int index) {
    PlotInfo info;
    if (GetGraphPlotInfo(pHandle, control, index, &info) < 0) return -1;
    return info.handle;
}

class VideoMode : public test::ScopeTest {
  protected:
    // Runs the mode from a click on Video and stops it with a click on Stop once the sensor has
    // been asked for `measures` measurements.
    void VideoFor(int measures) {
        When(Measuring(sensor(), measures), [] { Click(1, MAIN_STOP); });
        Click(1, MAIN_VIDEO);
    }
};

TEST_F(VideoMode, BoardHundredReadsFourBlocksAfterEachMeasurement) {
    ASSERT_EQ(pcbtype, 100);
    const test::LineMark mark = test::ClearRequests(sensor());
    VideoFor(3);
    std::vector<sim::Request> reqs = test::Settled(sensor(), mark);
    ASSERT_GE(reqs.size(), 11u);
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
    const test::LineMark mark = test::ClearRequests(sensor());
    VideoFor(4);
    std::vector<sim::Request> reqs = test::Settled(sensor(), mark);
    ASSERT_GE(reqs.size(), 7u);
    for (std::size_t i = 0; i + 1 < reqs.size(); i += 2) {
        EXPECT_EQ(reqs[i].command, protocol::CMD_MEASURE) << i;
        EXPECT_EQ(reqs[i + 1].command, protocol::CMD_READ_VIDEO256) << i;
        for (u16 w : reqs[i + 1].words)
            EXPECT_EQ(w, 0);
    }
}

TEST_F(VideoMode, RedrawsCurveAndBarGraphEveryCycle) {
    std::vector<int> curveHandles, barHandles;
    const auto look = [&] {
        curveHandles.push_back(PlotHandle(MAIN_VIDEOGRAPH, 0));
        barHandles.push_back(PlotHandle(MAIN_BARGRAPH, 0));
    };
    // A whole cycle, drawn, between the two looks.
    InTurn({{Measuring(sensor(), 2), look}, {Measuring(sensor(), 2), [&] {
                                                 look();
                                                 Click(1, MAIN_STOP);
                                             }}});
    Click(1, MAIN_VIDEO);
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
    const i32 written = requestCount;
    Click(1, MAIN_VIDEO);
    EXPECT_GT(Timer() - t0, 1.4);
    EXPECT_EQ(requestCount - written, 1) << "one request, one time-out";
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
    const test::LineMark mark = test::ClearRequests(sensor());
    std::string statusDuringBlocks;
    int stopDuring = -1;
    // While the first short block is awaited, and again after the mode went on to the next
    // measurement.
    InTurn({{[this] { return CountCommand(sensor().requests(), protocol::CMD_READ_VIDEO256) >= 1; },
             [&] { statusDuringBlocks = test::StatusLine(); }},
            {Measuring(sensor()), [&] {
                 stopDuring = stop_flag;
                 Click(1, MAIN_STOP);
             }}});
    Click(1, MAIN_VIDEO);
    EXPECT_EQ(stopDuring, 0);
    int measures = 0;
    for (const sim::Request& r : test::Settled(sensor(), mark))
        measures += r.command == protocol::CMD_MEASURE;
    EXPECT_GE(measures, 2);
    EXPECT_EQ(statusDuringBlocks, "Waiting for Data[256] ...");
}

TEST_F(VideoMode, StopDuringTheMeasurementWaitStillDrawsOnce) {
    DeleteGraphPlot(pHandle, MAIN_VIDEOGRAPH, -1, VAL_IMMEDIATE_DRAW);
    // Every measurement answer is held back a while: Stop is clicked while one is awaited.
    sim::Faults f;
    f.holdCommand = protocol::CMD_MEASURE;
    f.holdSeconds = 0.6;
    sensor().setFaults(f);
    const test::LineMark mark = test::ClearRequests(sensor());
    std::size_t requestsAtStop = 0;
    When([this] { return sensor().holdingAnswer(); },
         [&] {
             Click(1, MAIN_STOP);
             requestsAtStop = sensor().requests().size();
         });
    Click(1, MAIN_VIDEO);
    EXPECT_EQ(GetGraphPlotCount(pHandle, MAIN_VIDEOGRAPH), 2);
    // The cycle of that measurement ends with its four blocks, and nothing follows.
    std::vector<sim::Request> reqs = test::Settled(sensor(), mark);
    ASSERT_GE(requestsAtStop, 1u);
    ASSERT_EQ(reqs.size(), requestsAtStop + 4);
    EXPECT_EQ(reqs[requestsAtStop - 1].command, protocol::CMD_MEASURE);
    for (std::size_t i = requestsAtStop; i < reqs.size(); ++i)
        EXPECT_EQ(reqs[i].command, protocol::CMD_READ_VIDEO64) << i;
}

TEST_F(VideoMode, FrameAnswersAreTakenAgainAfterTheMode) {
    VideoFor(2);
    EXPECT_EQ(target, RAM);
    i32 ram = 0;
    GetCtrlVal(pHandle, MAIN_RBT_RAM, &ram);
    EXPECT_EQ(ram, 1);
    Click(1, MAIN_GET);
    EXPECT_EQ(test::StatusLine(), "Parameter-frame received! - Line Ok!");
}

} // namespace
} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// The measurement loop driven through the panel against the simulated sensor: what goes on the
// line, what the displays and the strip chart show, and how each way of ending it behaves.
#include <algorithm>
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
using test::Later;
using test::Measuring;
using test::When;

int Dimmed(int control) {
    int d = -1;
    GetCtrlAttribute(pHandle, control, ATTR_DIMMED, &d);
    return d;
}

i32 Radio(int control) {
    i32 v = -1;
    GetCtrlVal(pHandle, control, &v);
    return v;
}

// Samples of the history that an answer has filled since it was marked with -1.
int DrawnSamples() {
    int n = 0;
    for (int k = 0; k < 100; ++k)
        n += arrayNORM[5 * k + 2] != -1.0;
    return n;
}

class RunLoop : public test::ScopeTest {
  protected:
    // At the line's own pace, so that the loop's rate and time-outs are the real ones.
    sim::Options SensorOptions() const override {
        sim::Options o = test::ScopeTest::SensorOptions();
        o.paced = true;
        return o;
    }
    // Runs the loop from a click on Run and stops it with a click on Stop once the sensor has
    // been asked for `measures` measurements.
    void RunFor(int measures) {
        When(Measuring(sensor(), measures), [] { Click(1, MAIN_STOP); });
        Click(1, MAIN_RUN);
    }
};

TEST_F(RunLoop, PollsContinuouslyAndDrawsEveryAnswerOnce) {
    std::fill(std::begin(arrayNORM), std::end(arrayNORM), -1.0);
    const test::LineMark mark = test::ClearRequests(sensor());
    std::size_t requestsAtStop = 0;
    When(Measuring(sensor(), 20), [&] {
        Click(1, MAIN_STOP);
        requestsAtStop = sensor().requests().size();
    });
    Click(1, MAIN_RUN);
    std::vector<sim::Request> reqs = test::Settled(sensor(), mark);
    // The request the loop had just sent may have reached the sensor only after the Stop.
    ASSERT_GE(reqs.size(), 20u);
    ASSERT_GE(reqs.size(), requestsAtStop);
    ASSERT_LE(reqs.size(), requestsAtStop + 1);
    for (const sim::Request& r : reqs)
        EXPECT_EQ(r.command, protocol::CMD_MEASURE);
    // Each answer is drawn once and followed by one request; the request sent in the pass
    // that handled Stop stays unanswered or undrawn.
    int drawn = DrawnSamples();
    EXPECT_GE(drawn, static_cast<int>(reqs.size()) - 1);
    EXPECT_LE(drawn, static_cast<int>(reqs.size()));
    u16 shown = 0;
    GetCtrlVal(pHandle, MAIN_MVALUE, &shown);
    EXPECT_EQ(shown, Mvalue);
    EXPECT_EQ(arrayNORM[498], Mvalue);
    test::ExpectNoMoreRequests(sensor(), mark);
}

TEST_F(RunLoop, DisplaysFollowTheObjectInTheCurtain) {
    // Inside the edge limits the program starts with (1..1024).
    sensor().setObject(400.0, 800.0, false);
    RunFor(5);
    u16 l = 0, r = 0;
    GetCtrlVal(pHandle, MAIN_LEDGE, &l);
    GetCtrlVal(pHandle, MAIN_REDGE, &r);
    EXPECT_NEAR(l, 400, 8);
    EXPECT_NEAR(r, 800, 8);
    EXPECT_EQ(l, Ledge);
    EXPECT_EQ(r, Redge);
}

TEST_F(RunLoop, LaterRequestsCarryTheSetpointOfThePreviousAnswer) {
    std::vector<u16> ram = sensor().ramParameters();
    ram[8] = 777;
    sensor().setRamParameters(ram);
    tVal = 300;
    const test::LineMark mark = test::ClearRequests(sensor());
    RunFor(5);
    std::vector<sim::Request> reqs = test::Settled(sensor(), mark);
    ASSERT_GE(reqs.size(), 3u);
    EXPECT_EQ(reqs[0].words[8], 300);
    for (std::size_t i = 1; i < reqs.size(); ++i)
        EXPECT_EQ(reqs[i].words[8], 777) << i;
    EXPECT_EQ(tVal, 777);
}

TEST_F(RunLoop, MicrometresAboveSixteenBitsComeFromBothAnswerWords) {
    // The largest factor and offset words make the size larger than 65535 micrometres.
    std::vector<u16> ram = sensor().ramParameters();
    ram[12] = 65535;
    ram[13] = 65535;
    sensor().setRamParameters(ram);
    sensor().setObject(400.0, 800.0, false);
    RunFor(5);
    i32 um = 0;
    GetCtrlVal(pHandle, MAIN_UMVALUE, &um);
    EXPECT_GT(um, 65535);
    EXPECT_NEAR(um, 65535.0 / 1024 * Mvalue + 35535, 2.0);
}

TEST_F(RunLoop, StopEndsTheLoopInThePassThatHandledIt) {
    // No request goes out after the pass that handled Stop. The sensor holds its answers back
    // a moment, so that Stop comes while the request it has taken is the loop's last one.
    sim::Faults hold;
    hold.holdCommand = protocol::CMD_MEASURE;
    hold.holdSeconds = 0.05;
    sensor().setFaults(hold);
    const test::LineMark mark = test::MarkLine(sensor());
    std::size_t requestsAtStop = 0;
    const std::function<bool()> measuring = Measuring(sensor(), 3);
    When([&] { return measuring() && sensor().holdingAnswer(); },
         [&] {
             Click(1, MAIN_STOP);
             requestsAtStop = sensor().requests().size();
         });
    Click(1, MAIN_RUN);
    EXPECT_GT(requestsAtStop, 0u);
    EXPECT_EQ(sensor().requests().size(), requestsAtStop);
    EXPECT_EQ(stop_flag, 1);
    test::ExpectNoMoreRequests(sensor(), mark);
}

TEST_F(RunLoop, DimsRunAndVideoWhileRunningAndUndimsThemAndGetAfter) {
    SetCtrlAttribute(pHandle, MAIN_GET, ATTR_DIMMED, 1);
    int runDimmed = -1, videoDimmed = -1, stripVisible = -1, videoVisible = -1;
    When(Measuring(sensor(), 2), [&] {
        runDimmed = Dimmed(MAIN_RUN);
        videoDimmed = Dimmed(MAIN_VIDEO);
        GetCtrlAttribute(pHandle, MAIN_STRIPCHART, ATTR_VISIBLE, &stripVisible);
        GetCtrlAttribute(pHandle, MAIN_VIDEOGRAPH, ATTR_VISIBLE, &videoVisible);
        Click(1, MAIN_STOP);
    });
    Click(1, MAIN_RUN);
    EXPECT_EQ(runDimmed, 1);
    EXPECT_EQ(videoDimmed, 1);
    EXPECT_EQ(stripVisible, 1);
    EXPECT_EQ(videoVisible, 0);
    EXPECT_EQ(Dimmed(MAIN_RUN), 0);
    EXPECT_EQ(Dimmed(MAIN_VIDEO), 0);
    EXPECT_EQ(Dimmed(MAIN_GET), 0);
}

TEST_F(RunLoop, LeavesTheRamTargetChosen) {
    SetCtrlVal(pHandle, MAIN_RBT_RAM, 0);
    SetCtrlVal(pHandle, MAIN_RBT_EEPROM, 1);
    target = EEPROM;
    RunFor(2);
    EXPECT_EQ(Radio(MAIN_RBT_RAM), 1);
    EXPECT_EQ(Radio(MAIN_RBT_EEPROM), 0);
    EXPECT_EQ(Radio(MAIN_RBT_FILE), 0);
    EXPECT_EQ(target, RAM);
}

TEST_F(RunLoop, SilentSensorEndsTheLoopAfterItsTimeOut) {
    sim::Faults f;
    f.silent = true;
    sensor().setFaults(f);
    double t0 = Timer();
    const i32 written = requestCount;
    Click(1, MAIN_RUN);
    EXPECT_GT(Timer() - t0, 1.4);
    EXPECT_EQ(requestCount - written, 1) << "one request, one time-out";
    EXPECT_EQ(test::StatusLine(), "Timeout RS232-Line!");
    EXPECT_EQ(stop_flag, 1);
    EXPECT_EQ(Dimmed(MAIN_RUN), 0);
}

TEST_F(RunLoop, TimeOutCountsFromTheLastRequest) {
    // The sensor falls silent while the loop runs: the loop ends 1.5 s after its last request,
    // which went out at most one exchange before the silence.
    double silentFrom = 0;
    i32 writtenAtSilence = -1;
    When(Measuring(sensor(), 20), [&] {
        sim::Faults f;
        f.silent = true;
        sensor().setFaults(f);
        silentFrom = Timer();
        writtenAtSilence = requestCount;
    });
    Click(1, MAIN_RUN);
    ASSERT_GT(silentFrom, 0);
    EXPECT_GT(Timer() - silentFrom, 1.4);
    // The request on its way when the sensor fell silent may have been answered; the next not.
    EXPECT_LE(requestCount - writtenAtSilence, 1);
    EXPECT_EQ(test::StatusLine(), "Timeout RS232-Line!");
}

TEST_F(RunLoop, ClosingTheMainPanelEndsTheLoopAndTheProgram) {
    const test::LineMark mark = test::MarkLine(sensor());
    Later(50, [] { Click(1, MAIN_RUN); });
    int writtenAtClose = -1;
    When(Measuring(sensor(), 2), [&] {
        writtenAtClose = requestCount;
        test::ClosePanelWindow(pHandle);
    });
    // Should the close not end the program, the test fails instead of hanging.
    Later(30000, [] { QuitUserInterface(-1); });
    int rc = RunUserInterface();
    EXPECT_EQ(rc, 0);
    ASSERT_GE(writtenAtClose, 0);
    EXPECT_EQ(requestCount, writtenAtClose) << "the loop asked again after the close";
    EXPECT_EQ(stop_flag, 1);
    EXPECT_LT(GetInQLen(com), 0) << "the port is closed";
    test::ExpectNoMoreRequests(sensor(), mark);
}

TEST_F(RunLoop, ChoosingAnotherPortEndsTheLoopAndSetsUpThatPort) {
    sim::SimulatedSensor& other = secondSensor(SensorOptions());
    const test::LineMark mark = test::MarkLine(sensor());
    int writtenAtPick = -1;
    When(Measuring(sensor(), 2), [&] {
        writtenAtPick = requestCount;
        test::PickRingValue(1, MAIN_COMPORT, 2);
    });
    Click(1, MAIN_RUN);
    EXPECT_EQ(com, 2);
    EXPECT_EQ(stop_flag, 1);
    EXPECT_EQ(Dimmed(MAIN_RUN), 0);
    std::vector<sim::Request> seen = other.requests();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front().command, protocol::CMD_ECHO);
    bool readRam = std::any_of(seen.begin(), seen.end(), [](const sim::Request& r) {
        return r.command == protocol::CMD_READ_RAM;
    });
    EXPECT_TRUE(readRam);
    // The first sensor is left alone.
    test::ExpectNoMoreRequests(sensor(), mark, writtenAtPick);
}

} // namespace
} // namespace kvor

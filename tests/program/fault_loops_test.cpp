// SPDX-License-Identifier: GPL-3.0-or-later
// Faults of the sensor or the line met by the two long-running loops, the measurement (Run) and
// the video mode. Each cell: the loop ends with its report when it must and goes on when it
// may, within its time-out; the panel took input meanwhile; afterwards the line is good again
// and the loop runs as before.
#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "tests/program/fault_support.h"
#include "tests/support/harness.h"
#include "wire/protocol.h"

namespace kvor {
namespace {

using namespace test;
namespace p = protocol;

constexpr const char* kBlockTimeout = "Timeout-RS-232 while reading 64 data-words!";

// The picture on the video graph is the video mode's: drawn over the virtual pixel positions
// from the samples in adcbuf (the threshold entry draws over the physical ones).
bool PictureOfTheVideoMode() {
    double x[256], y[256];
    if (GetGraphCurvePoints(pHandle, MAIN_VIDEOGRAPH, 0, x, y, 256) != 256) return false;
    for (int i = 0; i < 256; ++i)
        if (x[i] != xArray8[i] || y[i] != adcbuf[i]) return false;
    return true;
}

class LoopFaults : public FaultCellTest {
  protected:
    // Measurements and (last blocks of) pictures the sensor was asked for since `from`.
    int Measures(std::size_t from) {
        return CountCommand(sensor().requests(), p::CMD_MEASURE, from);
    }
    int Blocks(std::size_t from) {
        return CountCommand(sensor().requests(), p::CMD_READ_VIDEO64, from);
    }

    // The loop of this cell, started by its button.
    void StartLoop() { Of(GetParam().op).start(); }

    // On a good line the loop runs until Stop and leaves the report of a good cycle.
    void ExpectLoopRunsAgain() {
        const std::size_t before = sensor().requests().size();
        // Two whole pictures before the third measurement.
        When(Measuring(sensor(), GetParam().op == Op::Run ? 10 : 3), [] { Click(1, MAIN_STOP); });
        StartLoop();
        EXPECT_EQ(StatusLine(), Of(GetParam().op).answered);
        if (GetParam().op == Op::Run) {
            EXPECT_GE(Measures(before), 10);
        } else {
            EXPECT_GE(Blocks(before), 8);
        }
    }
};

TEST_P(LoopFaults, TheLoopEndsWithItsReportOrGoesOnAndTheLineRecovers) {
    const Cell cell = GetParam();
    const bool video = cell.op == Op::Video;
    const Operation& row = Of(cell.op);
    const std::size_t served = sensor().requests().size();
    int stopFlagDuring = -1;
    int blocksBeforeStop = -1;
    switch (cell.fault) {
    case Fault::ExtraBytes:
        sensor().setFaults(FaultSettings(cell.fault, served, 0));
        // Stopped once the entry made meanwhile was taken and a whole cycle has been drawn
        // since (the entry draws on the video graph too).
        InTurn({{[this, video, served] {
                     return probe_.handled && Measures(served) >= (video ? 5 : 20);
                 },
                 [] {}},
                {Measuring(sensor(), 2), [] { Click(1, MAIN_STOP); }}});
        break;
    case Fault::LateAnswer:
        // Run: late from the middle of the run on, so the loop's own time-out has to end it.
        // Video: late from the first measurement on. (Late from the middle of a picture on, a
        // late block is taken by the next measurement wait as its answer, and the mode runs
        // on stale answers for two pictures before a measurement times out.)
        if (video) {
            sensor().setFaults(FaultSettings(cell.fault, served, 0));
        } else {
            When(Measuring(sensor(), 3),
                 [this] { sensor().setFaults(FaultSettings(Fault::LateAnswer, 0, 0)); });
        }
        break;
    case Fault::DroppedAnswer:
        sensor().setFaults(FaultSettings(cell.fault, served, 40));
        break;
    case Fault::HangUp:
        // A picture is four blocks after a measurement: 23 ends in the middle of the fifth.
        sensor().setFaults(FaultSettings(cell.fault, served, video ? 23 : 25));
        break;
    case Fault::ShortVideoBlocks:
        // Stop during the second block: the picture is finished, then the mode ends.
        sensor().setFaults(FaultSettings(cell.fault, served, 0));
        When([this, served] { return Blocks(served) >= 2; },
             [&] {
                 stopFlagDuring = stop_flag;
                 blocksBeforeStop = Blocks(served);
                 Click(1, MAIN_STOP);
             });
        break;
    default:
        sensor().setFaults(FaultSettings(cell.fault, served, 0));
    }

    const Outcome o = Perform(row.start);
    SentOn(1, o);
    const std::string status = StatusLine();
    switch (cell.fault) {
    case Fault::Silence:
        EXPECT_EQ(status, row.timedOut);
        EXPECT_EQ(Measures(served), 1);
        EXPECT_EQ(Blocks(served), 0) << "no picture without a measurement";
        break;
    case Fault::ExtraBytes:
        // Four stray bytes after every answer change nothing.
        EXPECT_EQ(status, row.answered);
        EXPECT_GE(Measures(served), video ? 5 : 20);
        if (video) {
            EXPECT_TRUE(PictureOfTheVideoMode());
            // Every cycle a whole picture.
            EXPECT_EQ(Blocks(served),
                      std::count(row.requests.begin(), row.requests.end(), p::CMD_READ_VIDEO64) *
                          Measures(served));
        } else {
            u16 shown = 0;
            GetCtrlVal(pHandle, MAIN_MVALUE, &shown);
            EXPECT_EQ(shown, Mvalue);
        }
        break;
    case Fault::DroppedAnswer:
        // One lost answer in forty ends the loop: the fortieth request was the last.
        EXPECT_EQ(status, row.timedOut);
        EXPECT_EQ(Measures(served), 40);
        break;
    case Fault::LateAnswer:
        EXPECT_EQ(status, row.timedOut);
        if (video) {
            EXPECT_EQ(Measures(served), 1);
            EXPECT_EQ(Blocks(served), 0);
        } else {
            EXPECT_GE(Measures(served), 3);
        }
        break;
    case Fault::HangUp:
        EXPECT_EQ(status, row.timedOut);
        if (video) {
            // The two blocks after the hang-up time out; the next measurement ends the mode.
            EXPECT_EQ(Measures(served), 5);
        } else {
            EXPECT_EQ(Measures(served), 25);
        }
        break;
    case Fault::ShortVideoBlocks:
        // Each short block times out on its own and the picture goes on.
        EXPECT_EQ(stopFlagDuring, 0);
        EXPECT_GE(blocksBeforeStop, 2);
        EXPECT_EQ(status, kBlockTimeout);
        EXPECT_EQ(Measures(served), 1);
        EXPECT_EQ(Blocks(served), 4);
        EXPECT_TRUE(PictureOfTheVideoMode()) << "drawn all the same";
        break;
    default:
        ADD_FAILURE() << "no such cell";
    }
    ExpectEnded(1, o);
    ExpectProbeHandled(o);
    RecoverAndGet(1, false);
    ExpectLoopRunsAgain();
}

// Run reads no video blocks and sends neither echo nor identification requests; the video mode
// loses a dropped answer the way it loses a silent one.
INSTANTIATE_TEST_SUITE_P(Run, LoopFaults,
                         ::testing::Values(Cell{Fault::Silence, Op::Run},
                                           Cell{Fault::ExtraBytes, Op::Run},
                                           Cell{Fault::DroppedAnswer, Op::Run},
                                           Cell{Fault::LateAnswer, Op::Run},
                                           Cell{Fault::HangUp, Op::Run}),
                         CellName);

INSTANTIATE_TEST_SUITE_P(Video, LoopFaults,
                         ::testing::Values(Cell{Fault::Silence, Op::Video},
                                           Cell{Fault::ExtraBytes, Op::Video},
                                           Cell{Fault::ShortVideoBlocks, Op::Video},
                                           Cell{Fault::LateAnswer, Op::Video},
                                           Cell{Fault::HangUp, Op::Video}),
                         CellName);

} // namespace
} // namespace kvor

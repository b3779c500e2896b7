// SPDX-License-Identifier: GPL-3.0-or-later
// Faults of the sensor or the line met by the calibration on the pop-up: its activation from
// rest, and its stop and its store made, as the operator makes them, while the measurement
// runs. Each cell: the report, the pop-up's controls and the edge evaluation mode afterwards,
// what became of the run loop, the time the exchange took, panel input meanwhile, and a good
// line afterwards.
#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

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

// Dimmed state of the check boxes, the Accept buttons, Fit and Store.
std::vector<int> CalibrationDimming() {
    return {Dimmed(pPopup, POP_STEP1),   Dimmed(pPopup, POP_STEP2), Dimmed(pPopup, POP_ACCEPT1),
            Dimmed(pPopup, POP_ACCEPT2), Dimmed(pPopup, POP_FIT),   Dimmed(pPopup, POP_STORE)};
}
const std::vector<int> kAtRest(6, 1);

bool PopupShown() {
    return Control(2, POP_STORE)->window()->isVisible();
}

i32 Toggle() {
    i32 v = -1;
    GetCtrlVal(pHandle, MAIN_POPUP_TOGGLE, &v);
    return v;
}

u16 ModeShown() {
    u16 m = 99;
    GetCtrlVal(pHandle, MAIN_EMODE, &m);
    return m;
}

float Factor() {
    float f = -1;
    GetCtrlVal(pPopup, POP_FACTOR, &f);
    return f;
}

bool Lost(Fault f) {
    return f == Fault::Silence || f == Fault::LateAnswer || f == Fault::HangUp;
}

class CalibrationFaults : public FaultCellTest {
  protected:
    void SetUp() override {
        FaultCellTest::SetUp();
        Click(1, MAIN_POPUP_TOGGLE);
        eMode = 1; // the mode to restore, apart from the centre mode the calibration shows
        // Two objects inside the range the sensor evaluates, with the panel's default sizes a line
        // that the calibration words can carry.
        sensor().setObject(200.0, 400.0, false);
    }

    void Inject() {
        sim::Faults f = FaultSettings(GetParam().fault, sensor().requests().size(), 1);
        // The sensor takes the calibration request and goes away without an answer.
        if (GetParam().fault == Fault::HangUp) f.silent = true;
        sensor().setFaults(f);
    }

    int Calibrations(const Outcome& o) {
        const std::vector<int> sent = SentOn(1, o);
        return static_cast<int>(std::count(sent.begin(), sent.end(), p::CMD_CALIBRATION));
    }

    // After the way back: a calibration can be activated and stopped again.
    void ExpectCalibrationWorksAgain() {
        if (Toggle() == 0) Click(1, MAIN_POPUP_TOGGLE);
        When(Measuring(sensor()), Of(Op::CalStop).start);
        Of(Op::CalActivate).start();
        EXPECT_EQ(StatusLine(), Of(Op::CalStop).answered);
        EXPECT_EQ(stop_flag, 1);
    }
};

TEST_P(CalibrationFaults, TheCalibrationReportsTheFaultAndTheLineRecovers) {
    const Cell cell = GetParam();
    const bool lost = Lost(cell.fault);
    const Operation& row = Of(cell.op);
    const float factorBefore = Factor();
    Outcome o;
    std::string statusAfter;
    int loopAfter = -1;
    std::vector<int> dimmingAfter;

    if (cell.op == Op::CalActivate) {
        int loopDuring = -1;
        u16 modeDuring = 99;
        std::vector<int> dimmingDuring;
        if (!lost) {
            // Stopped once the loop has run and the entry made meanwhile was taken.
            const std::function<bool()> measuring = Measuring(sensor(), 3);
            When([this, measuring] { return measuring() && probe_.handled; },
                 [&] {
                     loopDuring = stop_flag == 0;
                     modeDuring = ModeShown();
                     dimmingDuring = CalibrationDimming();
                     Click(1, MAIN_STOP);
                 });
        }
        Inject();
        o = Perform(row.start);
        EXPECT_EQ(Calibrations(o), 1);
        if (lost) {
            EXPECT_EQ(StatusLine(), row.timedOut);
            EXPECT_EQ(CalibrationDimming(), kAtRest) << "nothing to accept";
            EXPECT_EQ(CountCommand(sensor().requests(), p::CMD_MEASURE, o.requestsBefore), 0)
                << "no run loop was started";
            EXPECT_EQ(ModeShown(), 1);
        } else {
            EXPECT_EQ(loopDuring, 1);
            EXPECT_EQ(modeDuring, 2);
            EXPECT_EQ(dimmingDuring, (std::vector<int>{0, 0, 1, 1, 1, 1}));
        }
    } else {
        // The operator's path: activation starts the run loop, and the stop or the store is
        // clicked inside it.
        const bool hangUp = cell.fault == Fault::HangUp;
        InTurn({
            {Measuring(sensor()),
             [this] {
                 Click(2, POP_STEP1);
                 Click(2, POP_ACCEPT1);
                 sensor().setObject(500.0, 800.0, false);
             }},
            {Measuring(sensor(), 2),
             [&] {
                 if (cell.op == Op::CalStore) {
                     Click(2, POP_STEP2);
                     Click(2, POP_ACCEPT2);
                     Click(2, POP_FIT);
                     ASSERT_EQ(Dimmed(pPopup, POP_STORE), 0);
                 }
                 // The hang-up counts requests: the loop's request on its way must be one the
                 // sensor has taken, so the sensor holds its answer back a moment and the click
                 // comes meanwhile. The answer then lands inside the exchange's wait for it.
                 if (hangUp) {
                     sim::Faults f;
                     f.holdCommand = p::CMD_MEASURE;
                     f.holdSeconds = 0.5;
                     sensor().setFaults(f);
                 }
             }},
            {[this, hangUp] { return !hangUp || sensor().holdingAnswer(); },
             [&] {
                 Inject();
                 o = Perform(row.start);
                 statusAfter = StatusLine();
                 loopAfter = stop_flag == 0;
                 dimmingAfter = CalibrationDimming();
                 // The moment does not matter: the loop may also have ended on its own by then.
                 if (loopAfter == 1)
                     Later(200, [] {
                         if (stop_flag == 0) Click(1, MAIN_STOP);
                     });
             }},
        });
        Of(Op::CalActivate).start();
        ASSERT_GT(o.started, 0) << "the stop or store never ran";
        EXPECT_EQ(Calibrations(o), 1);
        // A lost answer: the loop's request in flight has its 1.5 s, then the exchange its own.
        EXPECT_EQ(dimmingAfter, kAtRest);

        if (cell.op == Op::CalStop) {
            // Stopped either way: the pop-up goes, the loop ends after the stop's pass.
            EXPECT_EQ(loopAfter, 0);
            EXPECT_FALSE(PopupShown());
            EXPECT_EQ(Toggle(), 0);
            if (lost) {
                EXPECT_EQ(statusAfter, row.timedOut);
                EXPECT_EQ(eMode, 1);
                EXPECT_EQ(ModeShown(), 2) << "the mode control keeps what it showed";
            } else {
                EXPECT_EQ(statusAfter, row.answered);
                EXPECT_EQ(ModeShown(), 1);
            }
        } else if (lost) {
            // The store's own time-out; the run loop then goes on with a request of its own.
            EXPECT_EQ(statusAfter, row.timedOut);
            EXPECT_EQ(loopAfter, 1);
            EXPECT_EQ(Factor(), factorBefore) << "the panel keeps the sensor's line";
            EXPECT_TRUE(PopupShown());
        } else {
            EXPECT_EQ(statusAfter, row.answered);
            EXPECT_EQ(loopAfter, 1) << "the measurement goes on";
            EXPECT_EQ(sensor().ramParameters()[12], slope);
            EXPECT_EQ(sensor().ramParameters()[13], intersect);
            EXPECT_EQ(ModeShown(), 1);
        }
    }
    ExpectEnded(1, o);
    ExpectProbeHandled(o);
    RecoverAndGet(1, false);
    ExpectCalibrationWorksAgain();
}

// The calibration sends neither echo nor identification requests and reads no video; a
// dropped answer is lost like a silent one, and a late one is crossed with the activation only.
INSTANTIATE_TEST_SUITE_P(Activate, CalibrationFaults,
                         ::testing::Values(Cell{Fault::Silence, Op::CalActivate},
                                           Cell{Fault::ExtraBytes, Op::CalActivate},
                                           Cell{Fault::LateAnswer, Op::CalActivate},
                                           Cell{Fault::HangUp, Op::CalActivate}),
                         CellName);

INSTANTIATE_TEST_SUITE_P(Stop, CalibrationFaults,
                         ::testing::Values(Cell{Fault::Silence, Op::CalStop},
                                           Cell{Fault::ExtraBytes, Op::CalStop},
                                           Cell{Fault::HangUp, Op::CalStop}),
                         CellName);

INSTANTIATE_TEST_SUITE_P(Store, CalibrationFaults,
                         ::testing::Values(Cell{Fault::Silence, Op::CalStore},
                                           Cell{Fault::ExtraBytes, Op::CalStore},
                                           Cell{Fault::HangUp, Op::CalStore}),
                         CellName);

} // namespace
} // namespace kvor

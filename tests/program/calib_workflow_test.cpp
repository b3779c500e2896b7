// SPDX-License-Identifier: GPL-3.0-or-later
// The two-point calibration driven through the pop-up against the simulated sensor: the normal
// path from activation to store, and every way of leaving it.
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <string>
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
using test::InTurn;
using test::Measuring;
using test::When;

int Dimmed(int panel, int control) {
    int d = -1;
    GetCtrlAttribute(panel, control, ATTR_DIMMED, &d);
    return d;
}

i32 Value(int panel, int control) {
    i32 v = -1;
    GetCtrlVal(panel, control, &v);
    return v;
}

u16 Mode() {
    u16 m = 99;
    GetCtrlVal(pHandle, MAIN_EMODE, &m);
    return m;
}

float Float(int control) {
    float f = -1;
    GetCtrlVal(pPopup, control, &f);
    return f;
}

bool PopupShown() {
    return test::Control(2, POP_STORE)->window()->isVisible();
}

// Dimmed state of the six calibration controls: check boxes, Accept buttons, Fit, Store.
std::vector<int> CalibrationDimming() {
    return {Dimmed(pPopup, POP_STEP1),   Dimmed(pPopup, POP_STEP2), Dimmed(pPopup, POP_ACCEPT1),
            Dimmed(pPopup, POP_ACCEPT2), Dimmed(pPopup, POP_FIT),   Dimmed(pPopup, POP_STORE)};
}
const std::vector<int> kAllDimmed(6, 1);

std::vector<sim::Request> CalibrationRequests(sim::SimulatedSensor& s) {
    std::vector<sim::Request> out;
    for (const sim::Request& r : s.requests())
        if (r.command == protocol::CMD_CALIBRATION) out.push_back(r);
    return out;
}

void Silence(sim::SimulatedSensor& s, bool silent) {
    sim::Faults f;
    f.silent = silent;
    s.setFaults(f);
}

class Calibration : public test::ScopeTest {
  protected:
    void SetUp() override {
        test::ScopeTest::SetUp();
        Click(1, MAIN_POPUP_TOGGLE);
    }
};

TEST_F(Calibration, StartsAtRest) {
    EXPECT_TRUE(PopupShown());
    EXPECT_EQ(CalibrationDimming(), kAllDimmed);
    EXPECT_EQ(Value(pPopup, POP_STEP1), 0);
    EXPECT_EQ(Value(pPopup, POP_STEP2), 0);
}

TEST_F(Calibration, NormalPathFromActivationToStoreWithTheLoopRunning) {
    test::EnterNumber(2, POP_SIZE1, 5000);
    test::EnterNumber(2, POP_SIZE2, 15000);
    sensor().setObject(300.0, 500.0, false);
    u16 modeBefore = eMode;
    sensor().clearRequests();

    std::string activated;
    u16 modeShown = 0;
    int loopRunning = -1;
    std::vector<int> afterSelect, afterAccept1, afterAccept2, afterFit;
    double x1 = 0, x2 = 0;
    std::string stored;
    int loopAfterStore = -1;
    bool popupAfterStore = false;
    std::vector<int> afterStore;
    u16 modeAfterStore = 99;
    std::vector<std::pair<u16, i32>> later;
    // Each step once the loop has drawn an answer measured after the step before.
    InTurn({
        {Measuring(sensor(), 2),
         [&] {
             // The status line shows the run loop's "Line Ok!" by now; the message stays in
             // szStatus.
             activated = szStatus;
             modeShown = Mode();
             loopRunning = stop_flag == 0;
             Click(2, POP_STEP1);
             afterSelect = CalibrationDimming();
         }},
        {Measuring(sensor(), 2),
         [&] {
             Click(2, POP_ACCEPT1);
             x1 = pixel[0];
             afterAccept1 = CalibrationDimming();
             sensor().setObject(400.0, 900.0, false);
         }},
        {Measuring(sensor(), 2), [&] { Click(2, POP_STEP2); }},
        {Measuring(sensor(), 2),
         [&] {
             Click(2, POP_ACCEPT2);
             x2 = pixel[1];
             afterAccept2 = CalibrationDimming();
             Click(2, POP_FIT);
             afterFit = CalibrationDimming();
         }},
        {Measuring(sensor(), 2),
         [&] {
             Click(2, POP_STORE);
             stored = test::StatusLine();
             loopAfterStore = stop_flag == 0;
             popupAfterStore = PopupShown();
             afterStore = CalibrationDimming();
             modeAfterStore = Mode();
         }},
        // Answers measured along the stored line.
        {Measuring(sensor(), 3),
         [&] {
             later.push_back({Mvalue, umValue});
         }},
        {Measuring(sensor(), 3),
         [&] {
             later.push_back({Mvalue, umValue});
             Click(1, MAIN_STOP);
         }},
    });
    Click(2, POP_ACTIVATE);

    EXPECT_EQ(activated, "Calibration activated!");
    EXPECT_EQ(modeShown, 2);
    EXPECT_EQ(loopRunning, 1);
    EXPECT_EQ(afterSelect, (std::vector<int>{0, 0, 0, 1, 1, 1}));
    EXPECT_EQ(afterAccept1, (std::vector<int>{1, 0, 1, 1, 1, 1}));
    EXPECT_EQ(afterAccept2, (std::vector<int>{1, 1, 1, 1, 0, 1}));
    EXPECT_EQ(afterFit, (std::vector<int>{1, 1, 1, 1, 1, 0}));
    EXPECT_NE(x1, x2);
    EXPECT_EQ(umeter[0], 5000);
    EXPECT_EQ(umeter[1], 15000);
    double fitSlope = 10000.0 / (x2 - x1);
    EXPECT_NEAR(slopeval, fitSlope, 1e-9);
    EXPECT_NEAR(interval, 5000.0 - fitSlope * x1, 1e-6);
    double shownSlope = 0;
    GetCtrlVal(pPopup, POP_FIT_SLOPE, &shownSlope);
    EXPECT_EQ(shownSlope, slopeval);

    // The store: what went on the line, and what the answer made of the panel.
    std::vector<sim::Request> cal = CalibrationRequests(sensor());
    ASSERT_EQ(cal.size(), 2u);
    EXPECT_EQ(cal[0].words[0], protocol::CAL_ACTIVATE);
    EXPECT_EQ(cal[1].words[0], protocol::CAL_STORE);
    u16 slopeWord = static_cast<u16>(std::trunc(1024 * slopeval));
    u16 intersectWord = static_cast<u16>(std::trunc(30000 + interval));
    EXPECT_EQ(cal[1].words[1], slopeWord);
    EXPECT_EQ(cal[1].words[2], intersectWord);
    EXPECT_EQ(sensor().ramParameters()[12], slopeWord);
    EXPECT_EQ(sensor().ramParameters()[13], intersectWord);
    EXPECT_EQ(stored, "New Calibration values in activated in RAM!");
    EXPECT_EQ(slope, slopeWord);
    EXPECT_EQ(intersect, intersectWord);
    EXPECT_FLOAT_EQ(Float(POP_FACTOR), static_cast<float>(slopeWord / 1024.0));
    EXPECT_FLOAT_EQ(Float(POP_OFFSET), static_cast<float>(intersectWord - 30000));
    EXPECT_EQ(eMode, modeBefore);
    EXPECT_EQ(modeAfterStore, modeBefore);
    EXPECT_EQ(afterStore, kAllDimmed);
    EXPECT_EQ(Value(pPopup, POP_STEP1), 0);
    EXPECT_EQ(Value(pPopup, POP_STEP2), 0);
    EXPECT_EQ(flagstep1, 0);
    EXPECT_EQ(flagstep2, 0);
    EXPECT_TRUE(popupAfterStore);
    EXPECT_EQ(loopAfterStore, 1);

    // The sensor now measures along the new line.
    ASSERT_EQ(later.size(), 2u);
    for (auto [m, um] : later) {
        double expected = slopeWord / 1024.0 * m + (intersectWord - 30000.0);
        EXPECT_NEAR(um, expected, 2.0) << "measuring value " << m;
        EXPECT_NEAR(um, slopeval * m + interval, m / 1024.0 + 2.0);
    }
}

TEST_F(Calibration, ObjectsMayBeAcceptedInEitherOrder) {
    int fitAfterFirst = -1, fitAfterSecond = -1;
    InTurn({{Measuring(sensor(), 2),
             [&] {
                 Click(2, POP_STEP2);
                 Click(2, POP_ACCEPT2);
             }},
            {Measuring(sensor(), 2), [&] {
                 fitAfterFirst = Dimmed(pPopup, POP_FIT);
                 Click(2, POP_STEP1);
                 Click(2, POP_ACCEPT1);
                 fitAfterSecond = Dimmed(pPopup, POP_FIT);
                 Click(1, MAIN_STOP);
             }}});
    Click(2, POP_ACTIVATE);
    EXPECT_EQ(fitAfterFirst, 1);
    EXPECT_EQ(fitAfterSecond, 0);
    EXPECT_EQ(flagstep1, 1);
    EXPECT_EQ(flagstep2, 1);
}

TEST_F(Calibration, TurningOneCheckBoxOnTurnsTheOtherOff) {
    i32 step2 = -1;
    int accept1 = -1, accept2 = -1, bothOff1 = -1, bothOff2 = -1;
    When(Measuring(sensor()), [&] {
        Click(2, POP_STEP2);
        Click(2, POP_STEP1);
        step2 = Value(pPopup, POP_STEP2);
        accept1 = Dimmed(pPopup, POP_ACCEPT1);
        accept2 = Dimmed(pPopup, POP_ACCEPT2);
        Click(2, POP_STEP1); // off again: nothing to accept
        bothOff1 = Dimmed(pPopup, POP_ACCEPT1);
        bothOff2 = Dimmed(pPopup, POP_ACCEPT2);
        Click(1, MAIN_STOP);
    });
    Click(2, POP_ACTIVATE);
    EXPECT_EQ(step2, 0);
    EXPECT_EQ(accept1, 0);
    EXPECT_EQ(accept2, 1);
    EXPECT_EQ(bothOff1, 1);
    EXPECT_EQ(bothOff2, 1);
}

TEST_F(Calibration, ActivationWithoutAnswerChangesNothingElse) {
    Silence(sensor(), true);
    u16 modeBefore = Mode();
    const i32 written = requestCount;
    Click(2, POP_ACTIVATE);
    EXPECT_EQ(requestCount - written, 1) << "one request, one time-out";
    EXPECT_EQ(test::StatusLine(), "Timeout-RS-232...");
    EXPECT_EQ(CalibrationDimming(), kAllDimmed);
    EXPECT_EQ(Mode(), modeBefore);
    EXPECT_EQ(stop_flag, 1) << "no run loop was started";
}

TEST_F(Calibration, ActivationStartsTheLoopOnlyWhenNoneRuns) {
    // No loop running: the activation runs one and returns when it is stopped.
    bool stopped = false;
    When(Measuring(sensor(), 6), [&] {
        Click(1, MAIN_STOP);
        stopped = true;
    });
    Click(2, POP_ACTIVATE);
    EXPECT_TRUE(stopped) << "the activation returned before the Stop";
    EXPECT_GT(test::CountCommand(sensor().requests(), protocol::CMD_MEASURE), 5);

    // A loop running: the activation returns after its exchange, without a loop of its own,
    // and the loop goes on.
    int activationReturned = 0;
    int measuresDuringActivation = -1;
    int loopAfter = -1;
    InTurn({{Measuring(sensor()),
             [&] {
                 const std::size_t before = sensor().requests().size();
                 Click(2, POP_ACTIVATE);
                 ++activationReturned;
                 measuresDuringActivation =
                     test::CountCommand(sensor().requests(), protocol::CMD_MEASURE, before);
             }},
            {Measuring(sensor(), 2), [&] {
                 loopAfter = stop_flag == 0;
                 Click(1, MAIN_STOP);
             }}});
    Click(1, MAIN_RUN);
    EXPECT_EQ(activationReturned, 1);
    // The loop's own request, sent before the click, may reach the sensor during it; a loop of
    // the activation's own would ask for many.
    EXPECT_LE(measuresDuringActivation, 1);
    EXPECT_EQ(loopAfter, 1);
    EXPECT_EQ(test::StatusLine(), "Calibration activated!");
}

TEST_F(Calibration, TheActivationAnswerIsNotDrawnAsAMeasurement) {
    // The sensor answers the activation with its calibration words in words 0 and 1 and zeros
    // elsewhere: drawn as a measurement it would put Mvalue 0 into the history.
    sensor().setObject(300.0, 500.0, false);
    std::fill(std::begin(arrayNORM), std::end(arrayNORM), -1.0);
    InTurn({{Measuring(sensor(), 5), [] { Click(2, POP_ACTIVATE); }},
            {Measuring(sensor()), [] { Click(1, MAIN_STOP); }}});
    Click(1, MAIN_RUN);
    int drawn = 0;
    for (int k = 0; k < 100; ++k) {
        if (arrayNORM[5 * k + 2] == -1.0) continue;
        ++drawn;
        EXPECT_NE(arrayNORM[5 * k + 3], 0.0) << "sample " << k;
    }
    EXPECT_GT(drawn, 3);
    EXPECT_EQ(szStatus, std::string("Calibration activated!"));
}

TEST_F(Calibration, StopAnsweredRestoresTheModeAndHidesThePopup) {
    u16 modeBefore = eMode;
    InTurn({{Measuring(sensor()), [] { Click(2, POP_STEP1); }},
            {Measuring(sensor()), [] { Click(2, POP_DISCARD); }}});
    Click(2, POP_ACTIVATE); // returns when the stop has ended the loop
    EXPECT_EQ(test::StatusLine(), "Calibration stopped successfully!");
    EXPECT_EQ(stop_flag, 1);
    EXPECT_EQ(eMode, modeBefore);
    EXPECT_EQ(Mode(), modeBefore);
    EXPECT_EQ(CalibrationDimming(), kAllDimmed);
    EXPECT_EQ(Value(pPopup, POP_STEP1), 0);
    EXPECT_FALSE(PopupShown());
    EXPECT_EQ(Value(pHandle, MAIN_POPUP_TOGGLE), 0);
    std::vector<sim::Request> cal = CalibrationRequests(sensor());
    ASSERT_FALSE(cal.empty());
    EXPECT_EQ(cal.back().words[0], protocol::CAL_STOP);
    EXPECT_EQ(Float(POP_FACTOR), static_cast<float>(slope / 1024.0));
}

TEST_F(Calibration, StopWithoutAnswerStillReturnsToRestButKeepsTheMode) {
    eMode = 1;
    When(Measuring(sensor()), [this] {
        Click(2, POP_STEP1);
        Click(2, POP_ACCEPT1);
        Silence(sensor(), true);
        Click(2, POP_DISCARD);
    });
    Click(2, POP_ACTIVATE);
    EXPECT_EQ(test::StatusLine(), "Timeout-RS-232...");
    EXPECT_EQ(stop_flag, 1);
    EXPECT_EQ(eMode, 1);
    EXPECT_EQ(Mode(), 2) << "the mode control keeps what it showed";
    EXPECT_EQ(CalibrationDimming(), kAllDimmed);
    EXPECT_EQ(flagstep1, 0);
    EXPECT_FALSE(PopupShown());
    EXPECT_EQ(Value(pHandle, MAIN_POPUP_TOGGLE), 0);
}

TEST_F(Calibration, StopWithoutActivationRestoresTheModeSavedAtProgramStart) {
    eMode = 1;
    Click(2, POP_DISCARD);
    EXPECT_EQ(test::StatusLine(), "Calibration stopped successfully!");
    EXPECT_EQ(eMode, 0);
    EXPECT_EQ(Mode(), 0);
    EXPECT_FALSE(PopupShown());
}

TEST_F(Calibration, ClosingThePopupOnlyHidesIt) {
    std::vector<int> before, after;
    int loopAfter = -1;
    bool shownAfter = true;
    InTurn({{Measuring(sensor()),
             [&] {
                 Click(2, POP_STEP1);
                 before = CalibrationDimming();
                 test::ClosePanelWindow(pPopup);
             }},
            {Measuring(sensor(), 2), [&] {
                 after = CalibrationDimming();
                 shownAfter = PopupShown();
                 loopAfter = stop_flag == 0;
                 Click(1, MAIN_STOP);
             }}});
    Click(2, POP_ACTIVATE);
    EXPECT_FALSE(shownAfter);
    EXPECT_EQ(Value(pHandle, MAIN_POPUP_TOGGLE), 0);
    EXPECT_EQ(after, before);
    EXPECT_EQ(Value(pPopup, POP_STEP1), 1);
    EXPECT_EQ(loopAfter, 1);
    // Reopened, it shows the same situation.
    Click(1, MAIN_POPUP_TOGGLE);
    EXPECT_TRUE(PopupShown());
    EXPECT_EQ(CalibrationDimming(), before);
}

} // namespace
} // namespace kvor

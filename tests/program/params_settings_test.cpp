// SPDX-License-Identifier: GPL-3.0-or-later
// The setting controls as the operator uses them: edge limits held to the line, the tolerance
// display, dimming and showing of dependent controls, the pop-up, teach and reset.
#include <algorithm>
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
using test::EnterNumber;
using test::PickRingValue;
using test::StatusLine;

u16 Shown(int control) {
    u16 v = 0;
    GetCtrlVal(pHandle, control, &v);
    return v;
}

int Attr(int control, int attribute) {
    int v = -1;
    GetCtrlAttribute(pHandle, control, attribute, &v);
    return v;
}

double CursorX(int cursor) {
    double x = -1, y = -1;
    GetGraphCursor(pHandle, MAIN_BARGRAPH, cursor, &x, &y);
    EXPECT_EQ(y, 1.0);
    return x;
}

std::vector<int> Commands(const sim::SimulatedSensor& s, const test::LineMark& mark) {
    std::vector<int> codes;
    for (const sim::Request& r : test::Settled(s, mark))
        codes.push_back(r.command);
    return codes;
}

// A sensor whose edge limits run from 1 to 1024.
class Settings : public test::ScopeTest {
  protected:
    sim::Options SensorOptions() const override {
        sim::Options o = test::ScopeTest::SensorOptions();
        sim::ModelPreset("unknown", &o.model);
        return o;
    }
    void SetUp() override {
        test::ScopeTest::SetUp();
        ASSERT_EQ(pixB, 1);
        ASSERT_EQ(pixE, 1024);
    }
};

TEST_F(Settings, TheLeftLimitStaysFrom1To1023) {
    EnterNumber(1, MAIN_EDGE_LEFT, 2000);
    EXPECT_EQ(Shown(MAIN_EDGE_LEFT), 1023);
    EXPECT_EQ(eBeg, 1023);
    EXPECT_EQ(CursorX(2), 1023.0);
    EnterNumber(1, MAIN_EDGE_LEFT, 0);
    EXPECT_EQ(Shown(MAIN_EDGE_LEFT), 1);
    EXPECT_EQ(eBeg, 1);
    EXPECT_EQ(CursorX(2), 1.0);
    // A limit inside the line moves the cursor and waits for the next send for the variable.
    EnterNumber(1, MAIN_EDGE_LEFT, 500);
    EXPECT_EQ(Shown(MAIN_EDGE_LEFT), 500);
    EXPECT_EQ(CursorX(2), 500.0);
    EXPECT_EQ(eBeg, 1);
}

TEST_F(Settings, ALineOfNoPixelsGivesNoWrappedLimit) {
    pixE = 0; // as a sensor reporting 0 virtual pixels leaves it
    EnterNumber(1, MAIN_EDGE_LEFT, 5);
    EXPECT_EQ(Shown(MAIN_EDGE_LEFT), 0);
    EXPECT_EQ(eBeg, 0);
    EXPECT_EQ(CursorX(2), 0.0);
}

TEST_F(Settings, TheRightLimitStaysFrom2To1024) {
    EnterNumber(1, MAIN_EDGE_RIGHT, 0);
    EXPECT_EQ(Shown(MAIN_EDGE_RIGHT), 2);
    EXPECT_EQ(eEnd, 2);
    EXPECT_EQ(CursorX(3), 2.0);
    EnterNumber(1, MAIN_EDGE_RIGHT, 5000);
    EXPECT_EQ(Shown(MAIN_EDGE_RIGHT), 1024);
    EXPECT_EQ(eEnd, 1024);
    EXPECT_EQ(CursorX(3), 1024.0);
    EnterNumber(1, MAIN_EDGE_RIGHT, 800);
    EXPECT_EQ(CursorX(3), 800.0);
    EXPECT_EQ(eEnd, 1024);
}

TEST_F(Settings, ToleranceIsEchoedAndDimmedInHardwareModes1And3) {
    const u16 mode = eHardware;
    // The panel starts in hardware mode 1, without a tolerance.
    ASSERT_EQ(Attr(MAIN_TOLERANCE, ATTR_DIMMED), 1);
    PickRingValue(1, MAIN_HWMODE, 0);
    EXPECT_EQ(Attr(MAIN_TOLERANCE, ATTR_DIMMED), 0);
    EnterNumber(1, MAIN_TOLERANCE, 77);
    EXPECT_EQ(Shown(MAIN_TOL), 77);
    EXPECT_NE(tTol, 77);
    PickRingValue(1, MAIN_HWMODE, 3);
    EXPECT_EQ(Attr(MAIN_TOLERANCE, ATTR_DIMMED), 1);
    PickRingValue(1, MAIN_HWMODE, 2);
    EXPECT_EQ(Attr(MAIN_TOLERANCE, ATTR_DIMMED), 0);
    PickRingValue(1, MAIN_HWMODE, 1);
    EXPECT_EQ(Attr(MAIN_TOLERANCE, ATTR_DIMMED), 1);
    PickRingValue(1, MAIN_HWMODE, 0);
    EXPECT_EQ(Attr(MAIN_TOLERANCE, ATTR_DIMMED), 0);
    EXPECT_EQ(eHardware, mode);
}

TEST_F(Settings, AnalogModesAbove1ShowTheAnalogOutput) {
    const int controls[] = {MAIN_MVALUE_ANA, MAIN_ANAMAX, MAIN_ANAMIN, MAIN_ANA_LABEL,
                            MAIN_ANA_FRAME};
    PickRingValue(1, MAIN_ANAMODE, 2);
    for (int c : controls)
        EXPECT_EQ(Attr(c, ATTR_VISIBLE), 1) << "control " << c;
    PickRingValue(1, MAIN_ANAMODE, 1);
    for (int c : controls)
        EXPECT_EQ(Attr(c, ATTR_VISIBLE), 0) << "control " << c;
    EXPECT_EQ(anaMode, 0);
}

TEST_F(Settings, TheThresholdLineFollowsTheEntryOverTheLastPicture) {
    EnterNumber(1, MAIN_THRESHOLD, 300);
    for (u16 v : thdArray)
        ASSERT_EQ(v, 300);
    EXPECT_EQ(vThd, 512);
    // The video graph carries a curve at the new threshold, on the physical positions.
    bool found = false;
    const int n = GetGraphPlotCount(pHandle, MAIN_VIDEOGRAPH);
    for (int i = 0; i < n && !found; ++i) {
        double x[256], y[256];
        if (GetGraphCurvePoints(pHandle, MAIN_VIDEOGRAPH, i, x, y, 256) != 256) continue;
        found =
            std::all_of(y, y + 256, [](double v) { return v == 300.0; }) && x[255] == xArray[255];
    }
    EXPECT_TRUE(found);
}

TEST_F(Settings, TheToggleShowsAndHidesThePopup) {
    QWidget* popup = test::Control(pPopup, POP_DESCRIPTION)->window();
    EXPECT_FALSE(popup->isVisible());
    Click(1, MAIN_POPUP_TOGGLE);
    EXPECT_TRUE(popup->isVisible());
    Click(1, MAIN_POPUP_TOGGLE);
    EXPECT_FALSE(popup->isVisible());
}

TEST_F(Settings, TeachSendsTheWordBufferThenReadsRamBack) {
    u16 words[PNUM];
    std::copy(std::begin(pp), std::end(pp), words);
    power = 999; // the teach frame does not carry the variables
    // The teach answer comes after a while; the status line is read meanwhile.
    sim::Faults late;
    late.holdCommand = protocol::CMD_TEACH;
    late.holdSeconds = 1.0;
    sensor().setFaults(late);
    const test::LineMark mark = test::ClearRequests(sensor());
    std::string during;
    test::When([this] { return sensor().holdingAnswer(); }, [&] { during = StatusLine(); });
    Click(1, MAIN_TEACH);
    EXPECT_EQ(during, "New setpoint value teached!");
    EXPECT_EQ(Commands(sensor(), mark),
              (std::vector<int>{protocol::CMD_TEACH, protocol::CMD_READ_RAM}));
    const sim::Request teach = sensor().requests().front();
    EXPECT_TRUE(std::equal(std::begin(words), std::end(words), teach.words));
    EXPECT_EQ(StatusLine(), "Parameter-frame received! - Line Ok!");
    EXPECT_EQ(tVal, sensor().ramParameters()[8]);
}

TEST_F(Settings, AnUnansweredTeachReadsNothing) {
    sim::Faults silent;
    silent.silent = true;
    sensor().setFaults(silent);
    const test::LineMark mark = test::ClearRequests(sensor());
    const double t0 = Timer();
    Click(1, MAIN_TEACH);
    EXPECT_GE(Timer() - t0, 1.4);
    EXPECT_EQ(StatusLine(), "New setpoint value teached!");
    EXPECT_EQ(Commands(sensor(), mark), std::vector<int>{protocol::CMD_TEACH});
}

TEST_F(Settings, ResetAnsweredLateButWithinItsTimeOutIsOk) {
    // A second late: well past any short wait, and half a second inside the time-out, which
    // is room enough for a busy machine.
    sim::Faults late;
    late.delaySeconds = 1.0;
    sensor().setFaults(late);
    const test::LineMark mark = test::ClearRequests(sensor());
    std::string during;
    test::When([this] { return !sensor().requests().empty(); }, [&] { during = StatusLine(); });
    const double t0 = Timer();
    Click(1, MAIN_RESET);
    EXPECT_GE(Timer() - t0, 1.0);
    EXPECT_EQ(during, "Reset Max/Min values...");
    EXPECT_EQ(StatusLine(), "Reset of analog-output Max/Min OK!");
    EXPECT_EQ(Commands(sensor(), mark), std::vector<int>{protocol::CMD_RESET_MINMAX});
}

TEST_F(Settings, ResetUnansweredTimesOut) {
    sim::Faults silent;
    silent.silent = true;
    sensor().setFaults(silent);
    const test::LineMark mark = test::ClearRequests(sensor());
    const double t0 = Timer();
    Click(1, MAIN_RESET);
    EXPECT_GE(Timer() - t0, 1.4);
    EXPECT_EQ(StatusLine(), "Timeout-RS-232...");
    // One request, one time-out.
    EXPECT_EQ(Commands(sensor(), mark), std::vector<int>{protocol::CMD_RESET_MINMAX});
}

} // namespace
} // namespace kvor

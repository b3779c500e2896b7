// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter set between the panel and the sensor, driven through the panel: which command
// goes out with which words, what the panel shows of the answer, and the target buttons.
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
using test::StatusLine;

u16 Shown(int control) {
    u16 v = 0;
    GetCtrlVal(pHandle, control, &v);
    return v;
}

float ShownReal(int control) {
    float v = 0;
    GetCtrlVal(pPopup, control, &v);
    return v;
}

i32 Radio(int control) {
    i32 v = -1;
    GetCtrlVal(pHandle, control, &v);
    return v;
}

int Visible(int control) {
    int v = -1;
    GetCtrlAttribute(pHandle, control, ATTR_VISIBLE, &v);
    return v;
}

// The newest request of the sensor, once it carries `command`: a write is not awaited, so it
// may still be on its way when the click returns.
sim::Request LastRequest(sim::SimulatedSensor& s, int command) {
    test::PumpUntil(
        [&] {
            const std::vector<sim::Request> r = s.requests();
            return !r.empty() && r.back().command == command;
        },
        5.0);
    const std::vector<sim::Request> r = s.requests();
    return r.empty() ? sim::Request{} : r.back();
}

std::vector<PlotInfo> Rectangles(int control) {
    std::vector<PlotInfo> rects;
    const int n = GetGraphPlotCount(pHandle, control);
    for (int i = 0; i < n; ++i) {
        PlotInfo info;
        GetGraphPlotInfo(pHandle, control, i, &info);
        if (info.kind == PLOT_KIND_RECTANGLE) rects.push_back(info);
    }
    return rects;
}

class Transfer : public test::ScopeTest {
  protected:
    // The factor and offset are edited on the pop-up, which the operator opens first.
    static void OpenPopup() { Click(1, MAIN_POPUP_TOGGLE); }
    // The sensor takes a write as it logs it.
    std::vector<u16> RamAfterSend() {
        const std::size_t before = sensor().requests().size();
        Click(1, MAIN_SEND);
        EXPECT_TRUE(test::PumpUntil([&] { return sensor().requests().size() > before; }, 5.0));
        return sensor().ramParameters();
    }
    void SetRam(int word, u16 value) {
        std::vector<u16> words = sensor().ramParameters();
        words[static_cast<std::size_t>(word)] = value;
        sensor().setRamParameters(words);
    }
};

TEST_F(Transfer, GetFromEepromSendsCommand4WithTheVariablesAndShowsTheAnswer) {
    Click(1, MAIN_RBT_EEPROM);
    EXPECT_EQ(target, EEPROM);
    SetRam(0, 777); // only the RAM differs from the EEPROM
    power = 432;
    tVal = 100;
    sensor().clearRequests();
    Click(1, MAIN_GET);
    const sim::Request r = LastRequest(sensor(), protocol::CMD_READ_EEPROM);
    EXPECT_EQ(r.command, protocol::CMD_READ_EEPROM);
    EXPECT_EQ(r.words[0], 432);
    EXPECT_EQ(r.words[8], 100);
    EXPECT_EQ(r.words[15], trigMode);
    EXPECT_EQ(StatusLine(), "Parameter-frame received! - Line Ok!");
    const std::vector<u16> eeprom = sensor().eepromParameters();
    EXPECT_EQ(power, eeprom[0]);
    EXPECT_NE(power, 777);
    EXPECT_EQ(Shown(MAIN_POWER), eeprom[0]);
}

TEST_F(Transfer, GetFromRamWithoutAnAnswerShowsThePreviousValuesInRange) {
    sim::Faults silent;
    silent.silent = true;
    sensor().setFaults(silent);
    power = 1001; // a value that only the range rules bring back to the panel
    vThd = 700;
    std::string during;
    test::When([this] { return !sensor().requests().empty(); }, [&] { during = StatusLine(); });
    sensor().clearRequests();
    const double t0 = Timer();
    const i32 written = requestCount;
    Click(1, MAIN_GET);
    EXPECT_EQ(during, "Waiting for parameter-frame ...");
    EXPECT_EQ(StatusLine(), "Timeout-RS-232...");
    EXPECT_GE(Timer() - t0, 1.4);
    EXPECT_EQ(requestCount - written, 1) << "one request, one time-out";
    EXPECT_EQ(power, 500);
    EXPECT_EQ(Shown(MAIN_POWER), 500);
    EXPECT_EQ(vThd, 700);
    EXPECT_EQ(Shown(MAIN_THRESHOLD), 700);
}

TEST_F(Transfer, SendWritesCommand3ToEepromAnd1ToRamWithoutWaiting) {
    sensor().clearRequests();
    EnterNumber(1, MAIN_POWER, 640);
    Click(1, MAIN_RBT_EEPROM);
    Click(1, MAIN_SEND);
    EXPECT_EQ(StatusLine(), "Line Ok!");
    sim::Request r = LastRequest(sensor(), protocol::CMD_WRITE_EEPROM);
    EXPECT_EQ(r.command, protocol::CMD_WRITE_EEPROM);
    EXPECT_EQ(r.words[0], 640);
    EXPECT_EQ(sensor().eepromParameters()[0], 640);
    EXPECT_EQ(power, 640) << "the panel's values went to the variables first";

    sim::Faults silent;
    silent.silent = true;
    sensor().setFaults(silent); // a write is not answered anyway
    EnterNumber(1, MAIN_POWER, 650);
    Click(1, MAIN_RBT_RAM);
    Click(1, MAIN_RBT_RAM); // switching RAM off keeps it on
    EXPECT_EQ(Radio(MAIN_RBT_RAM), 1);
    // A wait for an answer would sleep in several event passes until its time-out.
    const long sleeps = GetEventSleepCount();
    Click(1, MAIN_SEND);
    EXPECT_LE(GetEventSleepCount() - sleeps, 2) << "no wait for an answer";
    EXPECT_EQ(StatusLine(), "Line Ok!");
    r = LastRequest(sensor(), protocol::CMD_WRITE_RAM);
    EXPECT_EQ(r.command, protocol::CMD_WRITE_RAM);
    EXPECT_EQ(r.words[0], 650);
}

TEST_F(Transfer, TheTargetButtonsStayExclusiveAndFallBackToRam) {
    Click(1, MAIN_RBT_FILE);
    EXPECT_EQ(target, DATFILE);
    EXPECT_EQ(Radio(MAIN_RBT_FILE), 1);
    EXPECT_EQ(Radio(MAIN_RBT_EEPROM), 0);
    EXPECT_EQ(Radio(MAIN_RBT_RAM), 0);
    Click(1, MAIN_RBT_EEPROM);
    EXPECT_EQ(target, EEPROM);
    EXPECT_EQ(Radio(MAIN_RBT_FILE), 0);
    EXPECT_EQ(Radio(MAIN_RBT_RAM), 0);
    Click(1, MAIN_RBT_EEPROM); // off again
    EXPECT_EQ(target, RAM);
    EXPECT_EQ(Radio(MAIN_RBT_RAM), 1);
    EXPECT_EQ(Radio(MAIN_RBT_EEPROM), 0);
    Click(1, MAIN_RBT_FILE);
    Click(1, MAIN_RBT_FILE);
    EXPECT_EQ(target, RAM);
    EXPECT_EQ(Radio(MAIN_RBT_RAM), 1);
    EXPECT_EQ(Radio(MAIN_RBT_FILE), 0);
}

TEST_F(Transfer, FactorAndOffsetGoOutTruncated) {
    OpenPopup();
    EnterNumber(2, POP_FACTOR, 1.5);
    EnterNumber(2, POP_OFFSET, -12.7);
    std::vector<u16> ram = RamAfterSend();
    EXPECT_EQ(ram[12], 1536);
    EXPECT_EQ(ram[13], 29987);
    EnterNumber(2, POP_FACTOR, 0.0009);
    EXPECT_EQ(RamAfterSend()[12], 0);
}

TEST_F(Transfer, AnAnswerIsShownThroughTheRangeRulesAndTheWordEncodings) {
    SetRam(0, 1001);
    SetRam(3, 2);
    SetRam(5, 3);
    SetRam(12, 1536);
    SetRam(13, 29000);
    SetRam(15, 3);
    Click(1, MAIN_GET);
    EXPECT_EQ(Shown(MAIN_POWER), 500);
    EXPECT_EQ(Shown(MAIN_EMODE), 2) << "an edge mode the sensor does not know is the centre";
    EXPECT_FLOAT_EQ(ShownReal(POP_FACTOR), 1.5f);
    EXPECT_FLOAT_EQ(ShownReal(POP_OFFSET), -1000.0f);
    EXPECT_EQ(deltaTol, 3);
    EXPECT_EQ(trigMode, 3);
    EXPECT_EQ(Shown(MAIN_TRIGMODE), 3);
    for (int c : {MAIN_MVALUE_ANA, MAIN_ANAMAX, MAIN_ANAMIN, MAIN_ANA_LABEL, MAIN_ANA_FRAME})
        EXPECT_EQ(Visible(c), 1) << "control " << c;

    SetRam(3, 1);
    SetRam(12, 65535);
    SetRam(13, 60001);
    Click(1, MAIN_GET);
    EXPECT_FLOAT_EQ(ShownReal(POP_FACTOR), 1.0f);
    EXPECT_FLOAT_EQ(ShownReal(POP_OFFSET), 0.0f);
    for (int c : {MAIN_MVALUE_ANA, MAIN_ANAMAX, MAIN_ANAMIN, MAIN_ANA_LABEL, MAIN_ANA_FRAME})
        EXPECT_EQ(Visible(c), 0) << "control " << c;
}

TEST_F(Transfer, EachReadAddsTheLineAndTheToleranceBand) {
    SetRam(8, 50);  // setpoint
    SetRam(9, 100); // tolerance
    SetRam(6, 300);
    SetRam(7, 900);
    const std::size_t before = Rectangles(MAIN_BARGRAPH).size();
    Click(1, MAIN_GET);
    Click(1, MAIN_GET);
    const std::vector<PlotInfo> rects = Rectangles(MAIN_BARGRAPH);
    ASSERT_EQ(rects.size(), before + 4);
    const PlotInfo& line = rects[rects.size() - 2];
    EXPECT_EQ(line.color, 0xA0A0A0);
    EXPECT_EQ(line.fillColor, 0xA0A0A0);
    EXPECT_EQ(line.x2, ccdvirtpixel);
    EXPECT_EQ(line.y2, 1.0);
    const PlotInfo& band = rects.back();
    EXPECT_EQ(band.color, 0x00FF00);
    EXPECT_EQ(band.x1, -50.0);
    EXPECT_EQ(band.x2, 150.0);
    EXPECT_EQ(band.y2, 0.25);

    double x = 0, y = 0;
    GetGraphCursor(pHandle, MAIN_BARGRAPH, 2, &x, &y);
    EXPECT_EQ(x, 300.0);
    EXPECT_EQ(y, 0.75);
    GetGraphCursor(pHandle, MAIN_BARGRAPH, 3, &x, &y);
    EXPECT_EQ(x, 900.0);
    int mode = -1;
    double lo = 0, hi = 0;
    GetAxisScalingMode(pHandle, MAIN_BARGRAPH, VAL_XAXIS, &mode, &lo, &hi);
    EXPECT_EQ(mode, VAL_MANUAL);
    EXPECT_EQ(lo, 1.0);
    EXPECT_EQ(hi, ccdvirtpixel);
}

class Type104Transfer : public Transfer {
    sim::Options SensorOptions() const override {
        sim::Options o = test::ScopeTest::SensorOptions();
        sim::ModelPreset("104", &o.model);
        return o;
    }
};

TEST_F(Type104Transfer, TheFactorIsScaledBy512) {
    OpenPopup();
    EnterNumber(2, POP_FACTOR, 1.5);
    EXPECT_EQ(RamAfterSend()[12], 768);
    SetRam(12, 65535);
    Click(1, MAIN_GET);
    EXPECT_FLOAT_EQ(ShownReal(POP_FACTOR), 2.0f);
}

TEST_F(Type104Transfer, AFactorAbove64GoesBackUncut) {
    // At the 512 scale the word carries factors up to 128: read and sent back, it stays.
    SetRam(12, 40000);
    Click(1, MAIN_GET);
    EXPECT_FLOAT_EQ(ShownReal(POP_FACTOR), 78.125f);
    EXPECT_EQ(RamAfterSend()[12], 40000);
}

} // namespace
} // namespace kvor

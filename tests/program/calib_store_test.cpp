// SPDX-License-Identifier: GPL-3.0-or-later
// Storing a fitted line: the words on the line for both factor scales, the answer shown as the
// active line, a store without answer, and lines that no word pair can carry.
#include <limits>
#include <vector>

#include <QLabel>
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

int Dimmed(int control) {
    int d = -1;
    GetCtrlAttribute(pPopup, control, ATTR_DIMMED, &d);
    return d;
}

float Float(int control) {
    float f = -1;
    GetCtrlVal(pPopup, control, &f);
    return f;
}

std::vector<sim::Request> CalibrationRequests(const std::vector<sim::Request>& requests) {
    std::vector<sim::Request> out;
    for (const sim::Request& r : requests)
        if (r.command == protocol::CMD_CALIBRATION) out.push_back(r);
    return out;
}

class Store : public test::ScopeTest {
  protected:
    void SetUp() override {
        test::ScopeTest::SetUp();
        Click(1, MAIN_POPUP_TOGGLE);
    }
    // A fitted line ready to store, as the Fit button leaves it.
    void Fitted(double factor, double offset) {
        slopeval = factor;
        interval = offset;
        SetCtrlAttribute(pPopup, POP_STORE, ATTR_DIMMED, 0);
        SetCtrlAttribute(pPopup, POP_FIT, ATTR_DIMMED, 1);
        mark_ = test::ClearRequests(sensor());
    }
    // The calibration requests since the fit, once the sensor has every request written.
    std::vector<sim::Request> Stored() {
        return CalibrationRequests(test::Settled(sensor(), mark_));
    }
    test::LineMark mark_;
};

TEST_F(Store, TheDefaultFitGoesOutAsWordsHighByteFirstAndTheAnswerIsShown) {
    ASSERT_NE(ccdtype, 104);
    Fitted(14000.0 / 421.0, -22840.0 / 421.0);
    Click(2, POP_STORE);
    std::vector<sim::Request> cal = Stored();
    ASSERT_EQ(cal.size(), 1u);
    EXPECT_EQ(cal[0].words[0], 2);
    EXPECT_EQ(cal[0].words[1], 0x8504); // 34052
    EXPECT_EQ(cal[0].words[2], 0x74F9); // 29945
    EXPECT_EQ(test::StatusLine(), "New Calibration values in activated in RAM!");
    EXPECT_EQ(slope, 34052);
    EXPECT_EQ(intersect, 29945);
    EXPECT_EQ(Float(POP_FACTOR), 33.25390625f);
    EXPECT_EQ(Float(POP_OFFSET), -55.0f);
    EXPECT_EQ(Dimmed(POP_STORE), 1);
    EXPECT_EQ(Dimmed(POP_FIT), 1);
}

TEST_F(Store, WithoutAnswerStoreIsDimmedAndThePanelKeepsTheOldLine) {
    float factorBefore = Float(POP_FACTOR);
    float offsetBefore = Float(POP_OFFSET);
    u16 modeBefore = eMode;
    Fitted(1.0009, -12.7);
    sim::Faults f;
    f.silent = true;
    sensor().setFaults(f);
    Click(2, POP_STORE);
    EXPECT_EQ(test::StatusLine(), "Timeout-RS-232...");
    EXPECT_EQ(Dimmed(POP_STORE), 1);
    EXPECT_EQ(Dimmed(POP_FIT), 1);
    // The words computed for the store are kept; the controls still show the sensor's line.
    EXPECT_EQ(slope, 1024);
    EXPECT_EQ(intersect, 29987);
    EXPECT_EQ(Float(POP_FACTOR), factorBefore);
    EXPECT_EQ(Float(POP_OFFSET), offsetBefore);
    EXPECT_EQ(eMode, modeBefore);
}

TEST_F(Store, LinesWithoutWordsAreRefusedAndNothingIsSent) {
    struct Case {
        double factor, offset;
        const char* message;
    } cases[] = {
        {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN(),
         "Fit cannot be stored: fit is not a number!"},
        {64.0, 0.0, "Fit cannot be stored: factor out of range!"},
        {-3.0, 0.0, "Fit cannot be stored: factor out of range!"},
        {10.0, -30001.0, "Fit cannot be stored: offset out of range!"},
        {10.0, 35536.0, "Fit cannot be stored: offset out of range!"},
    };
    for (const Case& c : cases) {
        u16 slopeBefore = slope, intersectBefore = intersect;
        float factorBefore = Float(POP_FACTOR);
        Fitted(c.factor, c.offset);
        Click(2, POP_STORE);
        EXPECT_EQ(test::StatusLine(), c.message);
        EXPECT_TRUE(Stored().empty()) << c.message;
        EXPECT_EQ(slope, slopeBefore);
        EXPECT_EQ(intersect, intersectBefore);
        EXPECT_EQ(Float(POP_FACTOR), factorBefore);
        EXPECT_EQ(Dimmed(POP_STORE), 1);
    }
}

TEST_F(Store, TwoAcceptsAtTheSameValueGiveANotANumberFitThatIsRefused) {
    sensor().setObject(300.0, 500.0, false);
    std::string status;
    std::size_t calRequests = 99;
    test::When(test::Measuring(sensor(), 2), [&] {
        Click(2, POP_STEP1);
        Click(2, POP_ACCEPT1);
        pixel[0] = 700; // both objects at the same measuring value
        Click(2, POP_STEP2);
        Click(2, POP_ACCEPT2);
        pixel[1] = 700;
        Click(2, POP_FIT);
        // The failed fit shows itself as what it is.
        for (const int fit : {POP_FIT_SLOPE, POP_FIT_INTERCEPT})
            EXPECT_EQ(qobject_cast<QLabel*>(test::Control(2, fit))->text(), "NaN");
        sensor().clearRequests();
        Click(2, POP_STORE);
        status = test::StatusLine();
        calRequests = CalibrationRequests(sensor().requests()).size();
        Click(1, MAIN_STOP);
    });
    Click(2, POP_ACTIVATE);
    EXPECT_EQ(status, "Fit cannot be stored: fit is not a number!");
    EXPECT_EQ(calRequests, 0u);
}

class Store104 : public Store {
  protected:
    sim::Options SensorOptions() const override {
        sim::Options o = Store::SensorOptions();
        EXPECT_TRUE(sim::ModelPreset("104", &o.model));
        return o;
    }
};

TEST_F(Store104, HalfTheFactorScaleForCcdType104) {
    ASSERT_EQ(ccdtype, 104);
    Fitted(14000.0 / 421.0, -22840.0 / 421.0);
    Click(2, POP_STORE);
    std::vector<sim::Request> cal = Stored();
    ASSERT_EQ(cal.size(), 1u);
    EXPECT_EQ(cal[0].words[1], 0x4282); // 17026
    EXPECT_EQ(cal[0].words[2], 0x74F9);
    EXPECT_EQ(slope, 17026);
    EXPECT_EQ(Float(POP_FACTOR), 33.25390625f);
    // 127.99 fits a word only with this scale.
    Fitted(127.99, 0.0);
    Click(2, POP_STORE);
    EXPECT_EQ(test::StatusLine(), "New Calibration values in activated in RAM!");
    EXPECT_EQ(slope, 65530);
}

} // namespace
} // namespace kvor

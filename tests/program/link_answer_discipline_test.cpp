// One answer for one request, at the pace of a real line: an exchange started at any point of a
// measurement cycle never takes the measurement answer, a late answer is never taken by the next
// exchange, and a parameter answer is read whatever command word it carries, unless that word
// names another request.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/panel_ids.h"
#include "app/state.h"
#include "link/protocol.h"
#include "tests/program/fault_support.h"
#include "tests/support/harness.h"
#include "ui/runtime.h"

namespace kvor {
namespace {

namespace p = protocol;
using test::Click;
using test::PumpUntil;
using test::StatusLine;

// A parameter set that no range rule changes, and a measurement answer that no other answer
// looks like: whichever of them shows up where it does not belong gives itself away.
const std::vector<u16> kRam = {321, 1, 432, 3, 0, 1, 10, 4000, 777, 55, 1, 2, 1536, 29000, 16, 5};
const std::vector<u16> kMeasurement(PNUM, 0x5A5A);

std::vector<u16> Variables() {
    return {power, rs232Mode, vThd,   anaMode,   polarity, eMode,     eBeg,    eEnd,
            tVal,  tTol,      opMode, eHardware, slope,    intersect, average, trigMode};
}

std::vector<u16> Words() {
    return {pp, pp + PNUM};
}

float PopupReal(int control) {
    float v = 0;
    GetCtrlVal(pPopup, control, &v);
    return v;
}

enum class Op { Get, Teach, Reset, Activate, Stop, Store };

struct Phase {
    int afterBytes;     // of the measurement answer on the line when the operator clicks
    double holdSeconds; // the rest follows this much later
};

// Before the first byte, in the middle, one byte short, whole but not yet taken; and an answer
// so late that the exchange gives up on it and sends its own request.
constexpr Phase kPhases[] = {{0, 0.15}, {9, 0.15}, {35, 0.15}, {36, 0.15}, {0, 2.0}};

class PacedLine : public test::ScopeTest {
  protected:
    sim::Options SensorOptions() const override {
        sim::Options o = ScopeTest::SensorOptions();
        o.paced = true;
        return o;
    }
    void SetUp() override {
        ScopeTest::SetUp();
        sensor().setRamParameters(kRam);
        sensor().setMeasurementAnswer(kMeasurement);
    }
};

class ExchangeInsideTheLoop : public PacedLine, public ::testing::WithParamInterface<Op> {
  protected:
    // Clicks the operation and checks at once what it took, while the loop is still around it.
    void Operate(const Phase& phase) {
        const std::string at = "phase " + std::to_string(phase.afterBytes) + " bytes, " +
                               std::to_string(phase.holdSeconds) + " s";
        switch (GetParam()) {
        case Op::Get:
            Click(1, MAIN_GET);
            EXPECT_EQ(StatusLine(), test::kParametersOk) << at;
            EXPECT_EQ(Variables(), kRam) << at;
            break;
        case Op::Teach:
            Click(1, MAIN_TEACH);
            EXPECT_EQ(StatusLine(), test::kParametersOk) << at;
            EXPECT_EQ(Variables(), sensor().ramParameters()) << at;
            break;
        case Op::Reset:
            Click(1, MAIN_RESET);
            EXPECT_EQ(StatusLine(), "Reset of analog-output Max/Min OK!") << at;
            break;
        case Op::Activate:
            Click(2, POP_ACTIVATE);
            EXPECT_EQ(StatusLine(), "Calibration activated!") << at;
            EXPECT_EQ(slope, kRam[12]) << at;
            EXPECT_EQ(intersect, kRam[13]) << at;
            break;
        case Op::Stop:
            Click(2, POP_DISCARD);
            EXPECT_EQ(StatusLine(), "Calibration stopped successfully!") << at;
            EXPECT_EQ(slope, kRam[12]) << at;
            EXPECT_FLOAT_EQ(PopupReal(POP_FACTOR), kRam[12] / 1024.0f) << at;
            break;
        case Op::Store:
            // The fit of the two reference objects: factor 2, offset 4800.
            slopeval = 2.0;
            interval = 4800.0;
            oldMode = eMode;
            SetCtrlAttribute(pPopup, POP_STORE, ATTR_DIMMED, 0);
            Click(2, POP_STORE);
            EXPECT_EQ(StatusLine(), "New Calibration values in activated in RAM!") << at;
            EXPECT_EQ(sensor().ramParameters()[12], 2048) << at;
            EXPECT_EQ(sensor().ramParameters()[13], 34800) << at;
            EXPECT_FLOAT_EQ(PopupReal(POP_FACTOR), 2.0f) << at;
            EXPECT_FLOAT_EQ(PopupReal(POP_OFFSET), 4800.0f) << at;
            break;
        }
        EXPECT_NE(Words(), kMeasurement) << at << ": the measurement answer was taken";
    }
};

TEST_P(ExchangeInsideTheLoop, NeverTakesTheMeasurementAnswerAndTheLoopGoesOn) {
    for (const Phase& phase : kPhases) {
        bool operated = false;
        std::size_t afterOp = 0;
        bool loopWentOn = false;
        test::When([] { return stop_flag == 0; },
                   [&] {
                       sim::Faults hold;
                       hold.holdCommand = p::CMD_MEASURE;
                       hold.holdAfterBytes = phase.afterBytes;
                       hold.holdSeconds = phase.holdSeconds;
                       sensor().setFaults(hold);
                       test::When([&] { return sensor().holdingAnswer(); },
                                  [&] {
                                      Operate(phase);
                                      operated = true;
                                      sensor().setFaults({});
                                      afterOp = sensor().requests().size();
                                      if (stop_flag == 1) return;
                                      // More measurements follow, each drawn whole.
                                      const double giveUp = Timer() + 10.0;
                                      test::When(
                                          [&, giveUp] {
                                              loopWentOn =
                                                  test::CountCommand(sensor().requests(),
                                                                     p::CMD_MEASURE, afterOp) >= 3;
                                              return loopWentOn || Timer() > giveUp;
                                          },
                                          [] {
                                              EXPECT_EQ(Ledge, kMeasurement[0]);
                                              EXPECT_EQ(Mvalue, kMeasurement[2]);
                                              Click(1, MAIN_STOP);
                                          });
                                  });
                   });
        Click(1, MAIN_RUN); // returns when the loop has ended
        ASSERT_TRUE(operated) << "phase " << phase.afterBytes;
        if (GetParam() != Op::Stop) {
            EXPECT_TRUE(loopWentOn) << "phase " << phase.afterBytes;
        }
        sensor().setRamParameters(kRam);
    }
}

std::string OpName(const ::testing::TestParamInfo<Op>& info) {
    const char* names[] = {"Get", "Teach", "Reset", "Activate", "Stop", "Store"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Operations, ExchangeInsideTheLoop,
                         ::testing::Values(Op::Get, Op::Teach, Op::Reset, Op::Activate, Op::Stop,
                                           Op::Store),
                         OpName);

// An answer that comes after its exchange gave up lands in the next one and is set aside there:
// a late reset answer is not the calibration's words, a late teach answer not the parameter set.
TEST_F(PacedLine, ALateAnswerIsNotTakenByTheNextExchange) {
    for (int late : {p::CMD_RESET_MINMAX, p::CMD_TEACH}) {
        sim::Faults hold;
        hold.holdCommand = late;
        // A second past the exchange's 1.5 s: it lands inside the next exchange unless the
        // machine stalls for a second in between, and the checks below hold either way.
        hold.holdSeconds = 2.5;
        sensor().setFaults(hold);
        const std::size_t asked = sensor().requests().size();
        const std::size_t sent = sensor().answersSent();
        Click(1, late == p::CMD_TEACH ? MAIN_TEACH : MAIN_RESET);
        // A teach that was not answered reads nothing back.
        EXPECT_EQ(test::CountCommand(sensor().requests(), p::CMD_READ_RAM, asked), 0) << late;
        sensor().setFaults({});
        sensor().setRamParameters(kRam);
        if (late == p::CMD_RESET_MINMAX) {
            // The activation starts the run loop; it is stopped once it runs.
            test::When([] { return stop_flag == 0; }, [] { Click(1, MAIN_STOP); });
            Click(2, POP_ACTIVATE);
            EXPECT_GE(sensor().answersSent(), sent + 2) << "the late answer went out";
            EXPECT_EQ(slope, kRam[12]);
            EXPECT_EQ(intersect, kRam[13]);
            EXPECT_FLOAT_EQ(PopupReal(POP_FACTOR), kRam[12] / 1024.0f);
        } else {
            Click(1, MAIN_GET);
            EXPECT_GE(sensor().answersSent(), sent + 2) << "the late answer went out";
            EXPECT_EQ(StatusLine(), test::kParametersOk);
            EXPECT_EQ(Variables(), kRam);
        }
    }
}

// A parameter read takes any command word that is not another request's code.
TEST_F(PacedLine, AParameterAnswerIsReadUnlessItsWordNamesAnotherRequest) {
    const struct {
        int word;
        bool read;
    } cases[] = {{0, true},
                 {p::CMD_READ_RAM, true},
                 {13, true},
                 {0xFFFF, true},
                 {p::CMD_MEASURE, false},
                 {p::CMD_CALIBRATION, false},
                 {p::CMD_WRITE_RAM, false}};
    for (const auto& c : cases) {
        sim::Faults f;
        f.parameterAnswerWord = c.word;
        sensor().setFaults(f);
        sensor().setRamParameters(kRam);
        power = 999;
        Click(1, MAIN_GET);
        EXPECT_EQ(StatusLine(), c.read ? test::kParametersOk : test::kLinkTimeout) << c.word;
        EXPECT_EQ(power, c.read ? kRam[0] : 999) << c.word;
    }
}

} // namespace
} // namespace kvor

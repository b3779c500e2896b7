// SPDX-License-Identifier: GPL-3.0-or-later
// One answer for one request, at the pace of a real line: an exchange started at any point of a
// measurement cycle never takes the measurement answer, a late answer is never taken by the next
// exchange, and a parameter answer is read whatever command word it carries, unless that word
// names another request.
#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "live/statistics.h"
#include "params/history.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "tests/program/fault_support.h"
#include "tests/support/harness.h"
#include "wire/protocol.h"

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

using test::Op;

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
    // Answers to `command` stop after `afterBytes`; the rest follows `seconds` later (negative:
    // once released).
    void Hold(int command, int afterBytes, double seconds) {
        sim::Faults hold;
        hold.holdCommand = command;
        hold.holdAfterBytes = afterBytes;
        hold.holdSeconds = seconds;
        sensor().setFaults(hold);
    }
    // Clicks the operation and checks at once what it took: the status it ends with alone, and
    // the sensor's words (`answered()`, its RAM or EEPROM as it answered) where it takes any.
    void Operate(Op op, const std::function<std::vector<u16>()>& answered, const std::string& at) {
        const test::Operation& row = test::Of(op);
        if (op == Op::CalStore) {
            // The fit of the two reference objects: factor 2, offset 4800.
            slopeval = 2.0;
            interval = 4800.0;
            oldMode = eMode;
            SetCtrlAttribute(pPopup, POP_STORE, ATTR_DIMMED, 0);
        }
        row.start();
        // With no loop running (a calibration stop came first) an activation starts one, whose
        // first request reports itself.
        if (op != Op::CalActivate || StatusLine() != test::Of(Op::Run).answered) {
            EXPECT_EQ(StatusLine(), row.answered) << at;
        }
        switch (op) {
        case Op::Get:
        case Op::GetEeprom:
            EXPECT_EQ(Variables(), answered()) << at;
            break;
        case Op::Teach:
            EXPECT_EQ(Variables(), sensor().ramParameters()) << at;
            break;
        case Op::CalActivate:
            EXPECT_EQ(slope, answered()[12]) << at;
            EXPECT_EQ(intersect, answered()[13]) << at;
            break;
        case Op::CalStop:
            EXPECT_EQ(slope, answered()[12]) << at;
            EXPECT_FLOAT_EQ(PopupReal(POP_FACTOR), answered()[12] / 1024.0f) << at;
            break;
        case Op::CalStore:
            EXPECT_EQ(sensor().ramParameters()[12], 2048) << at;
            EXPECT_EQ(sensor().ramParameters()[13], 34800) << at;
            // The pop-up shows the newest calibration words the scope has: these, unless a
            // read clicked inside the store's wait brought another set.
            EXPECT_FLOAT_EQ(PopupReal(POP_FACTOR), answered()[12] / 1024.0f) << at;
            EXPECT_FLOAT_EQ(PopupReal(POP_OFFSET), answered()[13] - 30000.0f) << at;
            break;
        default:
            break;
        }
        EXPECT_NE(Words(), kMeasurement) << at << ": the measurement answer was taken";
    }
};

class ExchangeInsideTheLoop : public PacedLine, public ::testing::WithParamInterface<Op> {
  protected:
    // While the loop is still around it.
    void Operate(const Phase& phase) {
        PacedLine::Operate(
            GetParam(), [this] { return sensor().ramParameters(); },
            "phase " + std::to_string(phase.afterBytes) + " bytes, " +
                std::to_string(phase.holdSeconds) + " s");
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
        if (GetParam() != Op::CalStop) {
            EXPECT_TRUE(loopWentOn) << "phase " << phase.afterBytes;
        }
        sensor().setRamParameters(kRam);
    }
}

std::string OpName(const ::testing::TestParamInfo<Op>& info) {
    return test::NameOf(info.param);
}

INSTANTIATE_TEST_SUITE_P(Operations, ExchangeInsideTheLoop,
                         ::testing::Values(Op::Get, Op::Teach, Op::Reset, Op::CalActivate,
                                           Op::CalStop, Op::CalStore),
                         OpName);

// Each operation alone on a good line puts its row's requests on the line, in order, and ends
// with its row's status (a loop is stopped once its first cycle is whole).
class WireOrder : public PacedLine, public ::testing::WithParamInterface<Op> {};

TEST_P(WireOrder, EachOperationAloneIsItsRow) {
    const test::Operation& row = test::Of(GetParam());
    if (row.awaited == p::CMD_MEASURE)
        test::When(test::Measuring(sensor(), 2), [] { Click(1, MAIN_STOP); });
    const test::LineMark mark = test::ClearRequests(sensor());
    row.start();
    const std::vector<int> sent = test::CommandsFrom(test::Settled(sensor(), mark), 0);
    ASSERT_GE(sent.size(), row.requests.size());
    EXPECT_EQ(std::vector<int>(sent.begin(), sent.begin() + row.requests.size()), row.requests);
    if (row.awaited != p::CMD_MEASURE) {
        EXPECT_EQ(sent.size(), row.requests.size());
    }
    EXPECT_EQ(StatusLine().rfind(row.answered, 0), 0u) << StatusLine();
}

INSTANTIATE_TEST_SUITE_P(Operations, WireOrder,
                         ::testing::Values(Op::StartUp, Op::Run, Op::Video, Op::Get, Op::GetEeprom,
                                           Op::Send, Op::Teach, Op::Reset),
                         OpName);

// An answer that comes after its exchange gave up lands in the next one and is set aside there:
// a late reset answer is not the calibration's words nor the parameter set, a late teach answer
// not the parameter set. Whatever trails the late frame (runs of 0x00 of any length, 0x55 and
// 0xAA bytes) never costs the answer behind it.
TEST_F(PacedLine, ALateAnswerIsNotTakenByTheNextExchange) {
    const struct {
        int late;
        bool thenGet;
        int trailer;
        int value;
    } kLateThenGet[] = {{p::CMD_RESET_MINMAX, false, 4, 0xEE}, {p::CMD_TEACH, true, 4, 0xEE},
                        {p::CMD_RESET_MINMAX, true, 4, 0xEE},  {p::CMD_TEACH, true, 1, 0x00},
                        {p::CMD_TEACH, true, 3, 0x00},         {p::CMD_RESET_MINMAX, true, 2, 0x00},
                        {p::CMD_TEACH, true, 2, 0x55},         {p::CMD_TEACH, true, 1, 0xAA},
                        {p::CMD_RESET_MINMAX, false, 5, 0x00}};
    for (const auto& [late, thenGet, trailer, value] : kLateThenGet) {
        const std::string at = std::to_string(late) + " trailed by " + std::to_string(trailer) +
                               " x " + std::to_string(value);
        sim::Faults hold;
        hold.holdCommand = late;
        hold.holdSeconds = -1.0; // let go once the next exchange has written its request
        hold.extraBytes = trailer;
        hold.extraByteValue = value;
        sensor().setFaults(hold);
        const std::size_t asked = sensor().requests().size();
        const std::size_t sent = sensor().answersSent();
        Click(1, late == p::CMD_TEACH ? MAIN_TEACH : MAIN_RESET);
        // A teach that was not answered reads nothing back.
        EXPECT_EQ(test::CountCommand(sensor().requests(), p::CMD_READ_RAM, asked), 0) << at;
        sensor().setFaults({});
        sensor().setRamParameters(kRam);
        test::When([n = requestCount] { return requestCount > n; },
                   [this] { sensor().releaseHeldAnswer(); });
        if (!thenGet) {
            // The activation starts the run loop; it is stopped once it runs.
            test::When([] { return stop_flag == 0; }, [] { Click(1, MAIN_STOP); });
            Click(2, POP_ACTIVATE);
            EXPECT_TRUE(test::PumpUntil([&] { return sensor().answersSent() >= sent + 2; }, 5.0))
                << at << ": the late answer went out";
            EXPECT_EQ(slope, kRam[12]) << at;
            EXPECT_EQ(intersect, kRam[13]) << at;
            EXPECT_FLOAT_EQ(PopupReal(POP_FACTOR), kRam[12] / 1024.0f) << at;
        } else {
            Click(1, MAIN_GET);
            EXPECT_TRUE(test::PumpUntil([&] { return sensor().answersSent() >= sent + 2; }, 5.0))
                << at << ": the late answer went out";
            EXPECT_EQ(StatusLine(), test::kParametersOk) << at;
            EXPECT_EQ(Variables(), kRam) << at;
        }
    }
}

// A Get whose answer has landed, Run clicked inside its wait and stopped after a dozen
// answers: the Get still ends with its own answer, however many the loop took meanwhile.
TEST_F(PacedLine, AnAnsweredGetOutlastsALoopClickedInsideItsWait) {
    Hold(p::CMD_READ_RAM, 35, -1.0);
    test::When([this] { return sensor().holdingAnswer(); },
               [this] {
                   sensor().setFaults({});
                   const std::size_t sent = sensor().answersSent();
                   sensor().releaseHeldAnswer();
                   ASSERT_TRUE(sensor().awaitAnswersSent(sent + 1, 5.0));
                   test::When(test::Measuring(sensor(), 12), [] { Click(1, MAIN_STOP); });
                   Click(1, MAIN_RUN);
               });
    power = 999;
    Click(1, MAIN_GET);
    EXPECT_EQ(StatusLine(), test::kParametersOk);
    EXPECT_EQ(Variables(), kRam);
}

// A write acknowledged some tens of milliseconds late, with a command word no request uses,
// inside a running loop: the acknowledgment is set aside, never taken for a measurement.
TEST_F(PacedLine, ALateAcknowledgmentIsNeverAMeasurement) {
    for (const double delay : {0.0, 0.03, 0.07}) {
        sim::Faults f;
        f.ackWord = 0;
        f.ackDelaySeconds = delay;
        sensor().setFaults(f);
        const std::size_t asked = sensor().requests().size();
        test::InTurn({{test::Measuring(sensor(), 2), [] { Click(1, MAIN_SEND); }},
                      {test::Measuring(sensor(), 6), [] { Click(1, MAIN_STOP); }}});
        Click(1, MAIN_RUN);
        ASSERT_EQ(test::CountCommand(sensor().requests(), p::CMD_WRITE_RAM, asked), 1) << delay;
        // Every measurement answer is the same: one other among them would widen the range.
        EXPECT_EQ(statMin, statMax) << delay;
        EXPECT_EQ(Mvalue, kMeasurement[2]) << delay;
        EXPECT_NE(StatusLine(), test::kLoopTimeout) << delay;
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

// Every ordered pair of exchanges, the inner one clicked while the outer one's answer is held
// before its first byte, in its middle and whole, each pair right after a Send, inside a running
// loop: each ends as it ends alone, and the inner request goes out only after the outer answer.
// On a sensor that acknowledges writes and on one that leaves them unanswered.
class OverlappingClicks : public PacedLine,
                          public ::testing::WithParamInterface<std::tuple<Op, bool>> {
  protected:
    sim::Options SensorOptions() const override {
        sim::Options o = PacedLine::SensorOptions();
        o.acknowledgeWrites = std::get<1>(GetParam());
        return o;
    }
    // What a read of the sensor shows now: the RAM, or the EEPROM for a read of it.
    std::vector<u16> Read(Op op) {
        return op == Op::GetEeprom ? sensor().eepromParameters() : sensor().ramParameters();
    }
    // The outer answer held after `afterBytes`: 0 nothing back yet, 9 on its way; 35 then let
    // go and awaited in the queue without an event pass: landed, not yet taken.
    void Overlap(Op outer, Op inner, int afterBytes, const std::string& at) {
        Click(1, MAIN_SEND);
        Hold(test::Of(outer).awaited, afterBytes, afterBytes == 35 ? -1.0 : 0.15);
        outer_ = outer;
        test::When([this] { return sensor().holdingAnswer(); },
                   [this, inner, afterBytes, at] {
                       sensor().setFaults({});
                       outerRead_ = Read(outer_);
                       if (afterBytes == 35) AnswerInTheQueue();
                       Operate(
                           inner, [this, inner] { return Read(inner); }, at + " (inner)");
                   });
        // An activation after a calibration stop starts a loop of its own, which the operator
        // stops once it runs.
        if ((outer == Op::CalActivate && inner == Op::CalStop) ||
            (outer == Op::CalStop && inner == Op::CalActivate))
            test::InTurn({{[] { return stop_flag == 1; }, [] {}},
                          {[] { return stop_flag == 0; }, [] { Click(1, MAIN_STOP); }}});
        // A teach reads the RAM back after the inner exchange; everything else answered first,
        // and keeps what it answered only where the inner exchange learned or told the sensor
        // nothing newer: the newest set wins.
        Operate(
            outer,
            [this, outer, inner] {
                if (outer == Op::Teach) return Read(outer);
                if (SetsTheParameters(inner)) return Read(inner);
                return outer == Op::CalStore ? Read(outer) : outerRead_;
            },
            at + " (outer)");
        // The history's newest RAM set is the one the sensor holds.
        if (historyRamKnown == 1 && inner != Op::GetEeprom) {
            EXPECT_EQ(std::vector<u16>(historyRam, historyRam + PNUM), sensor().ramParameters())
                << at;
        }
    }
    static bool SetsTheParameters(Op op) {
        return op == Op::Get || op == Op::GetEeprom || op == Op::Teach || op == Op::CalStore;
    }
    // Lets the held answer go and waits, without an event pass, until it is in the queue.
    void AnswerInTheQueue() {
        const std::size_t sent = sensor().answersSent();
        sensor().releaseHeldAnswer();
        ASSERT_TRUE(sensor().awaitAnswersSent(sent + 1, 5.0)) << "the held answer never went out";
    }
    Op outer_ = Op::Get;
    std::vector<u16> outerRead_;
};

TEST_P(OverlappingClicks, EachExchangeEndsAsAloneAndSeesOnlyItsOwnAnswer) {
    const Op outer = std::get<0>(GetParam());
    for (const Op inner : {Op::Get, Op::GetEeprom, Op::Teach, Op::Reset, Op::CalActivate,
                           Op::CalStop, Op::CalStore}) {
        for (const int afterBytes : {0, 9, 35}) {
            const std::string at = test::NameOf(inner) + " inside, " + std::to_string(afterBytes);
            bool done = false;
            test::When([] { return stop_flag == 0; },
                       [&] {
                           Overlap(outer, inner, afterBytes, at);
                           done = true;
                           if (stop_flag == 0) Click(1, MAIN_STOP);
                       });
            Click(1, MAIN_RUN);
            ASSERT_TRUE(done) << at;
            EXPECT_EQ(sensor().answersOvertaken(), 0u) << at;
            sensor().setRamParameters(kRam);
        }
    }
}

std::string PairName(const ::testing::TestParamInfo<std::tuple<Op, bool>>& info) {
    return test::NameOf(std::get<0>(info.param)) +
           (std::get<1>(info.param) ? "_Acknowledged" : "_SilentWrites");
}

INSTANTIATE_TEST_SUITE_P(Pairs, OverlappingClicks,
                         ::testing::Combine(::testing::Values(Op::Get, Op::GetEeprom, Op::Teach,
                                                              Op::Reset, Op::CalActivate,
                                                              Op::CalStop, Op::CalStore),
                                            ::testing::Bool()),
                         PairName);

class SilentWrites : public PacedLine {
  protected:
    sim::Options SensorOptions() const override {
        sim::Options o = PacedLine::SensorOptions();
        o.acknowledgeWrites = false;
        return o;
    }
    // Seconds from the write to the next request with `command` on the line, once the sensor
    // has logged both.
    double FromWriteTo(int command) {
        test::PumpUntil([&] { return Between(command) < 1e9; }, 5.0);
        return Between(command);
    }
    double Between(int command) {
        const std::vector<sim::Request> r = sensor().requests();
        const auto write =
            std::find_if(r.begin(), r.end(), [](const sim::Request& q) { return q.command == 1; });
        const auto next = std::find_if(
            write, r.end(), [command](const sim::Request& q) { return q.command == command; });
        return write == r.end() || next == r.end() ? 1e9 : next->at - write->at;
    }
};

// On the sensor's own clock the read follows the write within the acknowledgment window, far
// inside the time-out a wait for an acknowledgment would take (the figure itself:
// bench_line_turnaround).
TEST_F(SilentWrites, AReadFollowsAWriteAtOnce) {
    sensor().clearRequests();
    Click(1, MAIN_SEND);
    Click(1, MAIN_GET);
    EXPECT_EQ(StatusLine(), test::kParametersOk);
    EXPECT_LT(FromWriteTo(p::CMD_READ_RAM), TIMEOUT)
        << testing::PrintToString(test::CommandsFrom(sensor().requests(), 0));
    EXPECT_EQ(test::CommandsFrom(sensor().requests(), 0),
              (std::vector<int>{p::CMD_WRITE_RAM, p::CMD_READ_RAM}));
}

// A write in the middle of a video block leaves the block whole: the video goes on at once,
// not after a block time-out.
TEST_F(SilentWrites, ASendDuringAVideoBlockLosesNothing) {
    Hold(p::CMD_READ_VIDEO64, 9, -1.0);
    sensor().clearRequests();
    test::InTurn({{[this] { return sensor().holdingAnswer(); },
                   [this] {
                       sensor().setFaults({});
                       // The rest of the block goes out while the write waits for it.
                       test::When([] { return true; }, [this] { sensor().releaseHeldAnswer(); });
                       Click(1, MAIN_SEND);
                   }},
                  {[this] { return Between(p::CMD_MEASURE) < 1e9; }, [] { Click(1, MAIN_STOP); }}});
    Click(1, MAIN_VIDEO);
    EXPECT_LT(FromWriteTo(p::CMD_MEASURE), TIMEOUT)
        << StatusLine() << "; requests "
        << testing::PrintToString(test::CommandsFrom(sensor().requests(), 0));
    EXPECT_NE(StatusLine(), "Timeout-RS-232 while reading 64 data-words!");
}

// Run clicked while a teach waits, Stop while the loop waits for the teach's answer: the loop
// never sends, Run and Video are live again, and the teach ends as it ends alone.
TEST_F(PacedLine, AStopBeforeTheLoopsFirstRequestEndsIt) {
    Hold(p::CMD_TEACH, 0, 0.3);
    sensor().clearRequests();
    test::When([this] { return sensor().holdingAnswer(); },
               [] {
                   test::When([] { return stop_flag == 0 && test::Dimmed(pHandle, MAIN_RUN) == 1; },
                              [] { Click(1, MAIN_STOP); });
                   Click(1, MAIN_RUN);
               });
    Click(1, MAIN_TEACH);
    EXPECT_EQ(StatusLine(), test::kParametersOk);
    EXPECT_EQ(test::CountCommand(sensor().requests(), p::CMD_MEASURE), 0);
    EXPECT_EQ(test::Dimmed(pHandle, MAIN_RUN), 0);
    EXPECT_EQ(test::Dimmed(pHandle, MAIN_VIDEO), 0);
}

// A dialog that holds the event loop while the video's measurement answer lands ends nothing.
TEST_F(PacedLine, ADialogDuringTheVideoWaitEndsNothing) {
    test::InTurn({{[] { return stop_flag == 0; }, [this] { Hold(p::CMD_MEASURE, 0, 0.05); }},
                  {[this] { return sensor().holdingAnswer(); },
                   [this] {
                       sensor().setFaults({});
                       // The dialog's own event loop, open until the answer has landed in it
                       // and the loop's time-out has passed.
                       ASSERT_TRUE(test::PumpUntil(
                           [] { return rx_flag == 1 && Timer() - tstart > TIMEOUT; }, 10.0));
                   }},
                  {test::Measuring(sensor(), 2), [] { Click(1, MAIN_STOP); }}});
    Click(1, MAIN_VIDEO);
    EXPECT_NE(StatusLine(), test::kLoopTimeout);
}

// Another port picked while the measurement answer is still coming: the new line is set up at
// once, since nothing of the old request can arrive on it. The scope sleeps in no event pass
// between the pick and the echo on the new line (one look at the line after the echo aside);
// a settle waiting for the old answer would sleep in dozens (the time: bench_line_turnaround).
TEST_F(PacedLine, APortPickDuringRunSetsTheNewLineUpAtOnce) {
    sim::SimulatedSensor& other = secondSensor(SensorOptions());
    long sleepsAtPick = -1, sleepsAtEcho = -1;
    test::InTurn({{[] { return stop_flag == 0; }, [this] { Hold(p::CMD_MEASURE, 0, -1.0); }},
                  {[this] { return sensor().holdingAnswer(); },
                   [&] {
                       const i32 written = requestCount;
                       test::When([written] { return requestCount > written; },
                                  [&] { sleepsAtEcho = GetEventSleepCount(); });
                       sleepsAtPick = GetEventSleepCount();
                       test::PickRingValue(1, MAIN_COMPORT, 2);
                   }}});
    Click(1, MAIN_RUN);
    sensor().releaseHeldAnswer();
    ASSERT_GE(sleepsAtEcho, 0);
    EXPECT_LE(sleepsAtEcho - sleepsAtPick, 2);
    EXPECT_EQ(com, 2);
    ASSERT_FALSE(other.requests().empty());
    EXPECT_EQ(other.requests().front().command, p::CMD_ECHO);
}

} // namespace
} // namespace kvor

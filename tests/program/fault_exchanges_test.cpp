// SPDX-License-Identifier: GPL-3.0-or-later
// Faults of the sensor or the line met by the one-shot exchanges of the main panel: Get, Send,
// Teach and Reset. Each cell: the report in the status line, what went on the line, that the
// variables keep their values when no answer came, the time taken, panel input meanwhile, and
// a good line afterwards.
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

bool Unanswered(Fault f) {
    return f == Fault::Silence || f == Fault::DroppedAnswer || f == Fault::LateAnswer ||
           f == Fault::HangUp;
}

class ExchangeFaults : public FaultCellTest {
  protected:
    void SetUp() override {
        FaultCellTest::SetUp();
        // The sensor holds another light power than the panel: a read shows whether it came.
        std::vector<u16> ram = sensor().ramParameters();
        ram[0] = static_cast<u16>(power == 700 ? 701 : 700);
        sensor().setRamParameters(ram);
    }

    void Inject() {
        const Cell cell = GetParam();
        const std::size_t served = sensor().requests().size();
        sim::Faults f = FaultSettings(cell.fault, served, 1);
        if (cell.fault != Fault::HangUp) {
            sensor().setFaults(f);
            return;
        }
        if (cell.op == Op::Send) {
            // A write has no answer to lose: the line is gone before it, after a reset.
            sensor().setFaults(f);
            Click(1, MAIN_RESET);
            ASSERT_TRUE(PumpUntil([] { return GetInQLen(com) < 0; }, 2.0)) << "still open";
            return;
        }
        // Teach: answered, then gone before the read-back. The others: the sensor takes the
        // request and goes away without an answer.
        f.silent = cell.op != Op::Teach;
        sensor().setFaults(f);
    }
};

TEST_P(ExchangeFaults, TheExchangeReportsTheFaultAndTheLineRecovers) {
    const Cell cell = GetParam();
    const u16 powerBefore = power;
    const u16 written = static_cast<u16>(power == 450 ? 451 : 450);
    if (cell.op == Op::Send) EnterNumber(1, MAIN_POWER, written);
    Inject();
    if (HasFatalFailure()) return;

    const Operation& row = Of(cell.op);
    const Outcome o = Perform(row.start);
    const std::string status = StatusLine();
    const std::vector<int> sent = SentOn(1, o);
    const bool lost = Unanswered(cell.fault);

    if (cell.op == Op::Send) {
        // Writes are not answered: only a frame that could not be written is a failure.
        if (cell.fault == Fault::HangUp) {
            EXPECT_EQ(status, "Transmit...");
            EXPECT_TRUE(sent.empty());
        } else {
            EXPECT_EQ(status, row.answered);
            EXPECT_EQ(sent, row.requests);
            EXPECT_EQ(sensor().requests().back().words[0], written);
            // A silent sensor acts on nothing; any other takes the words.
            EXPECT_EQ(sensor().ramParameters()[0] == written, cell.fault != Fault::Silence);
        }
    } else if (!lost) {
        EXPECT_EQ(sent, row.requests);
        EXPECT_EQ(status, row.answered);
        if (cell.op == Op::Get) {
            EXPECT_EQ(power, sensor().ramParameters()[0]);
        }
        if (cell.op == Op::Teach) {
            EXPECT_EQ(tVal, sensor().ramParameters()[8]);
        }
    } else {
        // Unanswered, the operation sends its first request only and reports its time-out.
        EXPECT_EQ(sent, std::vector<int>{row.awaited});
        if (cell.op == Op::Get) {
            EXPECT_EQ(power, powerBefore) << "no answer, no new values";
        }
        if (cell.op == Op::Teach && cell.fault == Fault::HangUp) {
            // The teach went through; the line went before the read-back could.
            EXPECT_EQ(status, kLinkTimeout);
        } else {
            EXPECT_EQ(status, row.timedOut);
        }
    }
    ExpectEnded(1, o);
    ExpectProbeHandled(o);
    RecoverAndGet(1, false);
}

// None of these sends the echo or an identification request or reads video. Dropped answers
// are crossed with Get only; Send expects no answer to lose or delay.
INSTANTIATE_TEST_SUITE_P(Get, ExchangeFaults,
                         ::testing::Values(Cell{Fault::Silence, Op::Get},
                                           Cell{Fault::ExtraBytes, Op::Get},
                                           Cell{Fault::DroppedAnswer, Op::Get},
                                           Cell{Fault::LateAnswer, Op::Get},
                                           Cell{Fault::HangUp, Op::Get}),
                         CellName);

INSTANTIATE_TEST_SUITE_P(Send, ExchangeFaults,
                         ::testing::Values(Cell{Fault::Silence, Op::Send},
                                           Cell{Fault::ExtraBytes, Op::Send},
                                           Cell{Fault::HangUp, Op::Send}),
                         CellName);

INSTANTIATE_TEST_SUITE_P(Teach, ExchangeFaults,
                         ::testing::Values(Cell{Fault::Silence, Op::Teach},
                                           Cell{Fault::ExtraBytes, Op::Teach},
                                           Cell{Fault::LateAnswer, Op::Teach},
                                           Cell{Fault::HangUp, Op::Teach}),
                         CellName);

INSTANTIATE_TEST_SUITE_P(Reset, ExchangeFaults,
                         ::testing::Values(Cell{Fault::Silence, Op::Reset},
                                           Cell{Fault::ExtraBytes, Op::Reset},
                                           Cell{Fault::LateAnswer, Op::Reset},
                                           Cell{Fault::HangUp, Op::Reset}),
                         CellName);

} // namespace
} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// Faults of the sensor or the line met by the link set-up: at start-up (the port selector picks
// port 1 again, as after plugging the sensor back in) and when the operator picks another port
// while the measurement runs. Each cell: the report in the status line, what was sent, how long
// the set-up took, that the panel took input meanwhile, and a good line afterwards.
#include <cstring>
#include <set>
#include <string>
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

// The texts by which the set-up reports a line that went away after the echo.
const std::set<std::string> kSetUpFailures = {kLinkTimeout, "Error reading HARDWARE-info!",
                                              "Timeout - reading firmware info!",
                                              "Error reading firmware-info!"};
const std::set<std::string> kFirmwareFailures = {"Timeout - reading firmware info!",
                                                 "Error reading firmware-info!"};

class LinkFaults : public FaultCellTest {
  protected:
    // Checks the set-up's report and its requests on the sensor it talked to.
    void ExpectSetUpOutcome(const Outcome& o, int port) {
        const Fault fault = GetParam().fault;
        const Operation& row = Of(GetParam().op);
        const std::vector<int> echoOnly = {row.awaited};
        const std::vector<int>& wholeSetUp = row.requests;
        const std::string status = StatusLine();
        const std::vector<int> sent = SentOn(port, o);
        switch (fault) {
        case Fault::Silence:
        case Fault::LateAnswer:
            EXPECT_EQ(status, row.timedOut);
            EXPECT_EQ(sent, echoOnly) << "nothing further is sent";
            break;
        case Fault::WrongEchoSync:
            EXPECT_EQ(status, "read error - not sync byte 0xAA!");
            EXPECT_EQ(sent, echoOnly);
            break;
        case Fault::WrongHardwareCommand:
            // The firmware text that follows must not hide that the description never came.
            EXPECT_EQ(status, "Error reading HARDWARE-info!");
            EXPECT_EQ(sent, wholeSetUp);
            break;
        case Fault::ExtraBytes:
            EXPECT_EQ(status.rfind(row.answered, 0), 0u) << status;
            EXPECT_EQ(sent, wholeSetUp);
            break;
        case Fault::GarbledFirmware:
            // A text that names no series is a sensor of the own series, whatever it says.
            EXPECT_FALSE(status.empty());
            EXPECT_LE(std::strlen(szVersion), 72u);
            EXPECT_EQ(sent, wholeSetUp);
            EXPECT_EQ(Dimmed(pHandle, MAIN_SEND), 0);
            EXPECT_EQ(Dimmed(pHandle, MAIN_TEACH), 0);
            break;
        case Fault::ShortFirmware:
            EXPECT_EQ(kFirmwareFailures.count(status), 1u) << status;
            EXPECT_STREQ(szVersion, "");
            EXPECT_EQ(sent, wholeSetUp) << "the parameter read still runs";
            break;
        case Fault::HangUp:
            // Answered the echo, then gone: every later wait ends by its time-out. A scope slow
            // to read (a loaded machine) loses the echo answer with the line and stops after
            // the echo's own time-out.
            EXPECT_EQ(kSetUpFailures.count(status), 1u) << '"' << status << '"';
            EXPECT_EQ(sent, echoOnly);
            break;
        default:
            ADD_FAILURE() << "no such cell";
        }
    }
};

TEST_P(LinkFaults, SetUpReportsTheFaultAndTheLineRecovers) {
    const Cell cell = GetParam();
    Outcome o;
    int port = 1;
    if (cell.op == Op::StartUp) {
        sensor().setFaults(FaultSettings(cell.fault, sensor().requests().size(), 1));
        o = Perform(Of(Op::StartUp).start);
        ExpectSetUpOutcome(o, 1);
    } else {
        // The measurement runs against a good sensor on port 1; port 2 has the fault.
        sim::Options faulty = SensorOptions();
        faulty.faults = FaultSettings(cell.fault, 0, 1);
        secondSensor(faulty);
        port = 2;
        double pickedAt = 0;
        i32 writtenAtPick = -1;
        When(Measuring(sensor(), 2), [&] {
            pickedAt = Timer();
            writtenAtPick = requestCount;
            Of(Op::PortChange).start();
        });
        o = Perform(Of(Op::Run).start);
        ASSERT_GT(pickedAt, 0);
        EXPECT_EQ(com, 2);
        // The loop ended with the pick: the set-up's time is what the click took beyond it.
        o.seconds -= pickedAt - o.started;
        o.started = pickedAt;
        o.writtenAtPick = writtenAtPick;
        ExpectSetUpOutcome(o, 2);
        ExpectEnded(1, o);
    }
    ExpectEnded(port, o);
    ExpectProbeHandled(o);
    RecoverAndGet(port, true);
}

// At the line's own pace, as from a real sensor: the answer to the measurement request sent
// just before the pick is still coming in when the port has been opened again.
class PacedPortPick : public ScopeTest {
  protected:
    sim::Options SensorOptions() const override {
        sim::Options o = ScopeTest::SensorOptions();
        o.paced = true;
        return o;
    }
};

TEST_F(PacedPortPick, PickingThePortAgainDuringRunSetsTheLinkUp) {
    std::string wrong;
    for (int round = 0; round < 5; ++round) {
        // At another moment of the exchange each round; the loop runs by then.
        When(Measuring(sensor(), 2),
             [round] { Later(37 * round, [] { PickRingValue(1, MAIN_COMPORT, 1); }); });
        Click(1, MAIN_RUN);
        EXPECT_EQ(stop_flag, 1);
        const std::string status = StatusLine();
        if (status.rfind(kFirmwareText, 0) != 0 && wrong.empty())
            wrong = "round " + std::to_string(round) + ": \"" + status + "\", CCD type " +
                    std::to_string(ccdtype);
    }
    EXPECT_TRUE(wrong.empty()) << wrong;
    Click(1, MAIN_GET);
    EXPECT_EQ(StatusLine(), kParametersOk);
    EXPECT_EQ(ccdtype, 2);
}

// Not crossed with the set-up: short video blocks (no video is read), dropped answers (the
// silent echo and the missing description are their cases), and for a port change a late echo
// (the silent one).
INSTANTIATE_TEST_SUITE_P(StartUp, LinkFaults,
                         ::testing::Values(Cell{Fault::Silence, Op::StartUp},
                                           Cell{Fault::WrongEchoSync, Op::StartUp},
                                           Cell{Fault::WrongHardwareCommand, Op::StartUp},
                                           Cell{Fault::ExtraBytes, Op::StartUp},
                                           Cell{Fault::GarbledFirmware, Op::StartUp},
                                           Cell{Fault::ShortFirmware, Op::StartUp},
                                           Cell{Fault::LateAnswer, Op::StartUp},
                                           Cell{Fault::HangUp, Op::StartUp}),
                         CellName);

INSTANTIATE_TEST_SUITE_P(PortChange, LinkFaults,
                         ::testing::Values(Cell{Fault::Silence, Op::PortChange},
                                           Cell{Fault::WrongEchoSync, Op::PortChange},
                                           Cell{Fault::WrongHardwareCommand, Op::PortChange},
                                           Cell{Fault::ExtraBytes, Op::PortChange},
                                           Cell{Fault::GarbledFirmware, Op::PortChange},
                                           Cell{Fault::ShortFirmware, Op::PortChange},
                                           Cell{Fault::HangUp, Op::PortChange}),
                         CellName);

} // namespace
} // namespace kvor

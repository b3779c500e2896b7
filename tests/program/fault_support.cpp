// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/program/fault_support.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"

namespace kvor::test {
namespace {

const char* FaultName(Fault f) {
    switch (f) {
    case Fault::Silence:
        return "Silence";
    case Fault::WrongEchoSync:
        return "WrongEchoSync";
    case Fault::WrongHardwareCommand:
        return "WrongHardwareCommand";
    case Fault::ExtraBytes:
        return "ExtraBytes";
    case Fault::GarbledFirmware:
        return "GarbledFirmware";
    case Fault::ShortFirmware:
        return "ShortFirmware";
    case Fault::ShortVideoBlocks:
        return "ShortVideoBlocks";
    case Fault::DroppedAnswer:
        return "DroppedAnswer";
    case Fault::LateAnswer:
        return "LateAnswer";
    case Fault::HangUp:
        return "HangUp";
    }
    return "?";
}

} // namespace

std::string CellName(const ::testing::TestParamInfo<Cell>& info) {
    return std::string(FaultName(info.param.fault)) + "_" + NameOf(info.param.op);
}

void PrintTo(const Cell& cell, std::ostream* os) {
    *os << FaultName(cell.fault) << " x " << NameOf(cell.op);
}

sim::Faults FaultSettings(Fault fault, std::size_t served, std::size_t after) {
    sim::Faults f;
    switch (fault) {
    case Fault::Silence:
        f.silent = true;
        break;
    case Fault::WrongEchoSync:
        f.wrongEchoSync = true;
        break;
    case Fault::WrongHardwareCommand:
        f.wrongHardwareCommand = true;
        break;
    case Fault::ExtraBytes:
        f.extraBytes = 4;
        break;
    case Fault::GarbledFirmware:
        f.garbledFirmware = true;
        break;
    case Fault::ShortFirmware:
        f.firmwareTextBytes = 30;
        break;
    case Fault::ShortVideoBlocks:
        f.videoBlockBytes = 100;
        break;
    case Fault::DroppedAnswer:
        // The sensor drops every n-th request since its start: the next drop is `after` away,
        // the one after that far beyond the test.
        f.dropEvery = static_cast<int>(served + after);
        break;
    case Fault::LateAnswer:
        f.delaySeconds = kLateSeconds;
        break;
    case Fault::HangUp:
        f.hangUpAfter = static_cast<int>(served + after);
        break;
    }
    return f;
}

void ScheduleProbe(int ms, Probe* probe) {
    probe->typed = vThd == 321 ? 322 : 321;
    Later(ms, [probe] {
        EnterNumber(1, MAIN_THRESHOLD, probe->typed);
        probe->taken = thdArray[0];
        probe->at = Timer();
        probe->handled = true;
    });
}

int Dimmed(int panel, int control) {
    int d = -1;
    GetCtrlAttribute(panel, control, ATTR_DIMMED, &d);
    return d;
}

std::vector<int> CommandsFrom(const std::vector<sim::Request>& requests, std::size_t from) {
    std::vector<int> codes;
    for (std::size_t i = from; i < requests.size(); ++i)
        codes.push_back(requests[i].command);
    return codes;
}

long ResidentBytes() {
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (f == nullptr) return -1;
    long size = 0, resident = 0;
    const int got = std::fscanf(f, "%ld %ld", &size, &resident);
    std::fclose(f);
    return got == 2 ? resident * sysconf(_SC_PAGESIZE) : -1;
}

FaultCellTest::Outcome FaultCellTest::Perform(const std::function<void()>& operate) {
    Outcome o;
    o.requestsBefore = onPort(GetParam().op == Op::PortChange ? 2 : 1).requests().size();
    o.logged[0] = sensor().requests().size();
    o.logged[1] = second_ ? second_->requests().size() : 0;
    o.written = requestCount;
    ScheduleProbe(100, &probe_);
    o.started = Timer();
    operate();
    o.seconds = Timer() - o.started;
    return o;
}

std::vector<int> FaultCellTest::SentOn(int port, const Outcome& o) {
    sim::SimulatedSensor& line = onPort(port);
    const std::size_t from = o.logged[port - 1];
    // Before a port pick everything went to port 1, after it everything to port 2.
    const i32 picked = o.writtenAtPick < 0 ? requestCount : o.writtenAtPick;
    const auto caughtUp = [&] {
        const i32 written = port == 1 ? picked - o.written : requestCount - picked;
        return line.finished() ||
               line.requests().size() - from >= static_cast<std::size_t>(written);
    };
    // A request flushed out of the scope's output queue before the sensor read it (a port
    // closed under it) never arrives: the wait then ends at its bound.
    PumpUntil(caughtUp, 5.0);
    return CommandsFrom(line.requests(), from);
}

void FaultCellTest::ExpectEnded(int port, const Outcome& o) {
    EXPECT_EQ(stop_flag, 1);
    EXPECT_EQ(Dimmed(pHandle, MAIN_RUN), 0);
    EXPECT_EQ(Dimmed(pHandle, MAIN_VIDEO), 0);
    // Late answers may still be on their way; requests may not.
    const std::size_t settled = SentOn(port, o).size();
    const i32 written = requestCount;
    Drain();
    EXPECT_EQ(requestCount, written) << "requests after the operation ended";
    EXPECT_EQ(onPort(port).requests().size() - o.logged[port - 1], settled);
}

void FaultCellTest::ExpectProbeHandled(const Outcome& outcome) {
    EXPECT_TRUE(PumpUntil([this] { return probe_.handled; }, 2.0)) << "the entry was not taken";
    EXPECT_EQ(probe_.taken, probe_.typed);
    // An operation that lasts has to take the entry while it runs.
    if (outcome.seconds > 0.5) {
        EXPECT_LT(probe_.at, outcome.started + outcome.seconds);
    }
}

sim::SimulatedSensor& FaultCellTest::NewSensorOn(int port) {
    std::unique_ptr<sim::SimulatedSensor>& slot = port == 2 ? second_ : sensor_;
    slot = std::make_unique<sim::SimulatedSensor>(SensorOptions());
    EXPECT_TRUE(slot->start());
    std::string ports = sensor_->devicePath();
    if (second_) ports.append(":").append(second_->devicePath()); // GCC 12 -O3 warns on + here
    setenv("KVOR_COM_PORTS", ports.c_str(), 1);
    return *slot;
}

void FaultCellTest::RecoverAndGet(int port, bool setUpAgain) {
    const Fault fault = GetParam().fault;
    if (fault == Fault::HangUp) {
        NewSensorOn(port);
        setUpAgain = true;
    } else {
        onPort(port).setFaults({});
        // A late answer still on its way must not meet the next request: every request has its
        // answer on the line before the Get.
        if (fault == Fault::LateAnswer) {
            sim::SimulatedSensor& line = onPort(port);
            // Once whole on the line, the Get's flush discards it with whatever is queued.
            EXPECT_TRUE(line.awaitAnswersSent(line.requests().size(), kLateSeconds + 5.0));
        }
    }
    if (setUpAgain) {
        PickRingValue(1, MAIN_COMPORT, port);
        EXPECT_EQ(com, port);
        EXPECT_EQ(StatusLine().rfind(kFirmwareText, 0), 0u) << StatusLine();
        EXPECT_EQ(Dimmed(pHandle, MAIN_SEND), 0);
    }
    std::vector<u16> ram = onPort(port).ramParameters();
    ram[0] = static_cast<u16>(power == 555 ? 556 : 555);
    onPort(port).setRamParameters(ram);
    Click(1, MAIN_GET);
    EXPECT_EQ(StatusLine(), kParametersOk);
    EXPECT_EQ(power, ram[0]);
}

} // namespace kvor::test

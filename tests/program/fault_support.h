// SPDX-License-Identifier: GPL-3.0-or-later
// What the fault matrix and the soak share: the faults of a sensor or line, each injected into a
// running simulated sensor; an operator entry made while an operation runs, to show the panel
// still takes input; the checks that what an operation started has ended; and the way back to
// a good line afterwards.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sim/simulated_sensor.h"
#include "state/state.h"
#include "tests/program/operations.h"
#include "tests/support/harness.h"

namespace kvor::test {

enum class Fault {
    Silence,
    WrongEchoSync,
    WrongHardwareCommand,
    ExtraBytes,
    GarbledFirmware,
    ShortFirmware,
    ShortVideoBlocks,
    DroppedAnswer,
    LateAnswer,
    HangUp,
};

struct Cell {
    Fault fault;
    Op op;
};

std::string CellName(const ::testing::TestParamInfo<Cell>& info);
void PrintTo(const Cell& cell, std::ostream* os);

// How a fault looks in the sensor's settings when injected now, on a sensor that has served
// `served` requests since it started. Drops and hang-ups count requests from the start, so
// they are placed `after` requests from now.
sim::Faults FaultSettings(Fault fault, std::size_t served, std::size_t after);

// The answer late by this much: well past the 1.5 s every wait allows.
inline constexpr double kLateSeconds = 2.0;

// A number typed into the video threshold entry while an operation runs. Its callback redraws
// the threshold line at once, so thdArray tells that the program took the input.
struct Probe {
    bool handled = false;
    double at = 0; // Timer() when the entry was made
    u16 typed = 0; // the value entered
    u16 taken = 0; // thdArray[0] right after the entry
};
void ScheduleProbe(int ms, Probe* probe);

int Dimmed(int panel, int control);
std::vector<int> CommandsFrom(const std::vector<sim::Request>& requests, std::size_t from);

// Resident memory of this process in bytes, from /proc/self/statm.
long ResidentBytes();

// One cell of the fault matrix: a fault injected into the sensor on port 1 (or into a second
// sensor on port 2 for a port change), one operation through the panel, and the way back.
class FaultCellTest : public ScopeTest, public ::testing::WithParamInterface<Cell> {
  protected:
    struct Outcome {
        double started = 0;
        double seconds = 0;
        std::size_t requestsBefore = 0; // of the sensor the operation talks to
        std::size_t logged[2] = {};     // requests the sensors of ports 1 and 2 had logged
        i32 written = 0;                // requests the scope had written
        i32 writtenAtPick = -1;         // ... when port 2 was picked, if it was
    };

    // Runs the operation (a click that returns when the operation has ended) with the probe
    // scheduled 100 ms into it.
    Outcome Perform(const std::function<void()>& operate);

    // The requests the sensor of `port` received during the operation, once it has logged
    // every one the scope wrote to it (or has hung up).
    std::vector<int> SentOn(int port, const Outcome& outcome);
    // What ended must stay ended: the flag, Run and Video undimmed, and once the sensor has
    // every request the scope wrote, nothing the scope still has in hand writes another.
    void ExpectEnded(int port, const Outcome& outcome);
    // The probe was handled; during the operation when it lasted long enough for that.
    void ExpectProbeHandled(const Outcome& outcome);

    // Clears the fault (for a hang-up, a new sensor takes over the port), sets the link up
    // again when `setUpAgain` or the line hung up, and checks that a Get is answered.
    void RecoverAndGet(int port, bool setUpAgain);

    // Replaces the sensor of a port by a new one and points the port table at it.
    sim::SimulatedSensor& NewSensorOn(int port);

    sim::SimulatedSensor& onPort(int port) { return port == 2 ? *second_ : sensor(); }

    Probe probe_;
};

} // namespace kvor::test

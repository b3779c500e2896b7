// SPDX-License-Identifier: GPL-3.0-or-later
// kvor-sensor-sim: a simulated K-VOR-PX sensor for the scope, on a pseudo-terminal.
#include <csignal>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "sim/command_line.h"
#include "sim/simulated_sensor.h"

using kvor::sim::CommandLine;

namespace {

// Waits for SIGINT or SIGTERM (blocked in every thread) or the sensor's own end.
void AnswerUntilTheEnd(const kvor::sim::SimulatedSensor& sensor, const sigset_t& signals) {
    const timespec tick{0, 100 * 1000 * 1000};
    while (!sensor.finished()) {
        if (sigtimedwait(&signals, nullptr, &tick) > 0) return;
    }
}

} // namespace

int main(int argc, char** argv) {
    const CommandLine c =
        kvor::sim::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (c.action) {
    case CommandLine::Action::Error:
        std::fprintf(stderr, "kvor-sensor-sim: %s (see --help)\n", c.error.c_str());
        return 2;
    case CommandLine::Action::Help:
        std::fputs(kvor::sim::HelpText().c_str(), stdout);
        return 0;
    case CommandLine::Action::Version:
        std::fputs(kvor::sim::VersionText().c_str(), stdout);
        return 0;
    case CommandLine::Action::ListModels:
        std::fputs(kvor::sim::ModelListText().c_str(), stdout);
        return 0;
    case CommandLine::Action::Run:
        break;
    }

    // Blocked before the sensor's thread starts, so only sigtimedwait below takes them.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    kvor::sim::SimulatedSensor sensor(c.options);
    if (c.objectFixed) sensor.setObject(c.objectLeft, c.objectRight, false);
    if (!sensor.start()) {
        std::fprintf(stderr, "kvor-sensor-sim: %s\n", sensor.lastError().c_str());
        return 1;
    }
    std::printf("%s\n", sensor.devicePath().c_str());
    std::fflush(stdout);
    AnswerUntilTheEnd(sensor, signals);
    sensor.stop();
    return 0;
}

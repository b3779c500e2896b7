// SPDX-License-Identifier: GPL-3.0-or-later
// What the benchmarks that start kvorctl share: where it is, and the answer rate a simulated
// sensor saw.
#pragma once

#include <string>
#include <vector>

#include "sim/simulated_sensor.h"
#include "wire/protocol.h"

namespace kvor::bench {

// The program `name` in the folder of the benchmark started as `argv0`.
inline std::string ProgramBeside(const char* argv0, const char* name) {
    const std::string self = argv0;
    const auto slash = self.rfind('/');
    return (slash == std::string::npos ? std::string(".") : self.substr(0, slash)) + "/" + name;
}

// Measurements a second the sensor was asked for, first request to last.
inline double AnswerRate(const sim::SimulatedSensor& sensor) {
    std::vector<double> at;
    for (const sim::Request& r : sensor.requests())
        if (r.command == protocol::CMD_MEASURE) at.push_back(r.at);
    if (at.size() < 2 || !(at.back() > at.front())) return 0;
    return static_cast<double>(at.size() - 1) / (at.back() - at.front());
}

} // namespace kvor::bench

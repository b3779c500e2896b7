// SPDX-License-Identifier: GPL-3.0-or-later
// The options of kvor-sensor-sim.
#pragma once

#include <string>
#include <vector>

#include "sim/simulated_sensor.h"

namespace kvor::sim {

struct CommandLine {
    enum class Action { Run, Help, Version, ListModels, Error };
    Action action = Action::Run;
    Options options;
    bool keepOpen = false;
    bool objectFixed = false; // --object: edges in virtual pixels, no drift
    double objectLeft = 0.0;
    double objectRight = 0.0;
    bool firmwareGiven = false;
    std::string firmware;
    std::string error; // one line, for Action::Error
};

CommandLine ParseCommandLine(const std::vector<std::string>& args); // without the program name
std::string HelpText();
std::string VersionText();
std::string ModelListText();

} // namespace kvor::sim

// SPDX-License-Identifier: GPL-3.0-or-later
// The table behind ModelPreset: every sensor type the scope's identification knows.
#pragma once

#include <string>
#include <vector>

#include "sim/simulated_sensor.h"

namespace kvor::sim {

struct PresetEntry {
    std::string name;
    std::string description;
    Model model;
};

const std::vector<PresetEntry>& ModelPresetTable();

} // namespace kvor::sim

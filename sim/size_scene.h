// SPDX-License-Identifier: GPL-3.0-or-later
// The scenes of the size a measurement answer reports: a process steady with noise, or one that
// steps, drifts or runs to one side, for the control chart's rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "sim/sensor_firmware.h"
#include "sim/simulated_sensor.h"

namespace kvor::sim {

struct SceneState {
    int scene = SCENE_NONE; // the scene the count belongs to
    std::size_t answers = 0;
    std::int32_t base = 0; // the size of the first answer of the scene, micrometres
};

// The size the scene gives answer `k` of it (from 0), around `base`.
std::int32_t SceneSize(int scene, int after, std::size_t k, std::int32_t base);
// Shapes words 3 and 4 of a measurement answer as the scene says.
void ApplySizeScene(Answer& answer, int command, const Faults& faults, SceneState& state);
// "calm", "step", "trend", "run"; false for any other name.
bool SceneByName(const std::string& name, int* scene);

} // namespace kvor::sim

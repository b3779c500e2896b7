// SPDX-License-Identifier: GPL-3.0-or-later
// What a faulty sensor or line does to an answer's bytes. The faults that decide whether and
// when an answer goes out at all (silence, drops, delays, hang-up) belong to the sensor's loop.
#pragma once

#include <random>

#include "sim/sensor_firmware.h"
#include "sim/simulated_sensor.h"

namespace kvor::sim {

inline constexpr int kMaxFaultBytes = 1024; // longest block a fault may make

void ApplyAnswerFaults(Answer& answer, int command, const Faults& faults, std::mt19937& rng);

} // namespace kvor::sim

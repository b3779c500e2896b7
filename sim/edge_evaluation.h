// SPDX-License-Identifier: GPL-3.0-or-later
// How the sensor's firmware reads its line: threshold crossings inside the edge limits, the
// measuring value by the edge evaluation mode, and micrometres from the calibration words.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/parameter_words.h"
#include "sim/simulated_sensor.h"

namespace kvor::sim {

struct LineReading {
    std::uint16_t leftEdge = 0;  // virtual pixels; 0 when no edge was found
    std::uint16_t rightEdge = 0; // equals leftEdge when only one edge was found
    std::uint16_t edgeCount = 0;
    std::uint16_t value = 0;      // measuring value by the edge evaluation mode
    bool valid = false;           // enough edges for the mode
    std::uint16_t levelStart = 0; // video level at the start of the line
    std::uint16_t levelEnd = 0;   // and at its end
};

LineReading EvaluateLine(const std::vector<double>& pixels, const Model& model,
                         const ParameterSet& ram);

// slope / M * value + (intersect - 30000), M = 512 for CCD type 104 and 1024 otherwise;
// a negative size reads 0.
std::uint32_t Micrometres(std::uint16_t value, const ParameterSet& ram, const Model& model);

} // namespace kvor::sim

// SPDX-License-Identifier: GPL-3.0-or-later
// The sensor's 16-word parameter set, as held in its RAM and EEPROM.
#pragma once

#include <array>
#include <cstdint>

#include "wire/protocol.h"

namespace kvor::sim {

using ParameterSet = std::array<std::uint16_t, protocol::PNUM>;

enum ParameterWord : int {
    kPower = 0,
    kRs232Mode = 1,
    kVideoThreshold = 2,
    kAnalogMode = 3,
    kPolarity = 4,
    kEdgeMode = 5,
    kEdgeBegin = 6,
    kEdgeEnd = 7,
    kSetpoint = 8,
    kTolerance = 9,
    kOperatingMode = 10,
    kHardwareMode = 11,
    kSlope = 12,
    kIntersect = 13,
    kAverage = 14,
    kWord15 = 15,
};

// Edge evaluation modes (word 5). The sensor knows four; anything else measures the size.
enum EdgeMode : int { kModeLeftEdge = 0, kModeRightEdge = 1, kModeSize = 2, kModeCentre = 3 };

inline constexpr int kIntersectBias = 30000; // offset 0 in word 13

// What a sensor leaves the factory with; the scope starts with the same values.
inline constexpr ParameterSet kFactoryParameters = {500, 0,   512, 0, 1,    1,     1, 1024,
                                                    512, 100, 0,   1, 1024, 30000, 0, 0};

} // namespace kvor::sim

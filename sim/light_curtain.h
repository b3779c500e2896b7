// SPDX-License-Identifier: GPL-3.0-or-later
// The light curtain the sensor looks at: a lit CCD line with the shadow of one object in it.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "sim/parameter_words.h"
#include "sim/simulated_sensor.h"

namespace kvor::sim {

// Line geometry with every untrusted model value brought into a range the line can have.
int PhysicalPixels(const Model& model); // 16..8192
int VirtualPixels(const Model& model);  // 16..16384
int VideoFullScale(const Model& model); // largest sample value: adcmax - 1, 1023 when adcmax is 0

class LightCurtain {
  public:
    explicit LightCurtain(std::uint32_t seed);

    // A new head keeps an object placed with setObject; the default object moves along.
    void setModel(const Model& model);
    // Left and right shadow edge in virtual pixels.
    void setObject(double leftEdge, double rightEdge, bool drifting);

    // One exposure: PhysicalPixels() values on the video scale, 0..VideoFullScale().
    // The light follows the power word, the averaging word lowers the noise.
    std::vector<double> expose(const ParameterSet& ram, double seconds);

    std::mt19937& random() { return rng_; }

  private:
    void placeDefaultObject();
    double driftAt(double seconds) const;

    Model model_;
    double left_ = 0.0;  // virtual pixels
    double right_ = 0.0; // virtual pixels
    bool drifting_ = true;
    bool placed_ = false;
    std::mt19937 rng_;
};

// The 256 video samples of an exposure, as the sensor sends them.
std::vector<std::uint16_t> VideoSamples(const std::vector<double>& pixels);

} // namespace kvor::sim

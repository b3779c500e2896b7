// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/light_curtain.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kvor::sim {

namespace {

constexpr double kDarkLevel = 0.03;      // dark signal of a covered pixel, of full scale
constexpr double kStrayLight = 0.02;     // light that still reaches the pixels in the shadow
constexpr double kVignetting = 0.08;     // loss of light towards both ends of the line
constexpr double kPixelNoise = 0.004;    // pixel noise, of full scale
constexpr double kEdgeJitter = 0.15;     // object vibration, virtual pixels
constexpr double kDriftAmplitude = 0.02; // of the evaluated span

double Logistic(double x) {
    return 1.0 / (1.0 + std::exp(-x));
}

// The span the default object lies in: the start values evaluate virtual pixels 1..1024.
double DefaultSpan(const Model& model) {
    return std::min(VirtualPixels(model), 1024);
}

} // namespace

int PhysicalPixels(const Model& model) {
    return std::clamp<int>(model.ccdmaxpixel, 16, 8192);
}

int VirtualPixels(const Model& model) {
    if (model.ccdvirtpixel == 0) return PhysicalPixels(model);
    return std::clamp<int>(model.ccdvirtpixel, 16, 16384);
}

int VideoFullScale(const Model& model) {
    return model.adcmax == 0 ? 1023 : model.adcmax - 1;
}

LightCurtain::LightCurtain(std::uint32_t seed) : rng_(seed) {
    placeDefaultObject();
}

void LightCurtain::setModel(const Model& model) {
    model_ = model;
    if (!placed_) placeDefaultObject();
}

void LightCurtain::setObject(double leftEdge, double rightEdge, bool drifting) {
    if (!std::isfinite(leftEdge) || !std::isfinite(rightEdge)) return;
    left_ = std::min(leftEdge, rightEdge);
    right_ = std::max(leftEdge, rightEdge);
    drifting_ = drifting;
    placed_ = true;
}

// With the start values (right edge, setpoint 512) the right edge sits on the setpoint.
void LightCurtain::placeDefaultObject() {
    const double span = DefaultSpan(model_);
    left_ = 0.35 * span;
    right_ = 0.50 * span;
    drifting_ = true;
}

// Two slow swings, so the object wanders without ever repeating quickly.
double LightCurtain::driftAt(double seconds) const {
    if (!drifting_) return 0.0;
    const double a = kDriftAmplitude * DefaultSpan(model_);
    const double tau = 2.0 * std::numbers::pi;
    return a * (std::sin(tau * seconds / 40.0) + 0.35 * std::sin(tau * seconds / 9.1 + 1.0));
}

std::vector<double> LightCurtain::expose(const ParameterSet& ram, double seconds) {
    const int n = PhysicalPixels(model_);
    const double toPhysical = static_cast<double>(n) / VirtualPixels(model_);
    const double full = VideoFullScale(model_);
    const double power = std::min<double>(ram[kPower], 1000.0);
    const double lit = full * std::min(0.98, power / 550.0);
    const double dark = full * kDarkLevel;
    const int averaged = std::clamp<int>(ram[kAverage], 1, 64);
    std::normal_distribution<double> noise(0.0, full * kPixelNoise / std::sqrt(averaged));
    std::normal_distribution<double> jitter(0.0, kEdgeJitter);

    const double shift = driftAt(seconds) + (drifting_ ? jitter(rng_) : 0.0);
    const double left = (left_ + shift) * toPhysical;
    const double right = (right_ + shift) * toPhysical;
    // Diffraction softens each shadow edge over about one video sample.
    const double softness = std::max(0.7, n / 256.0);

    std::vector<double> pixels(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        const double x = k + 0.5;
        const double shade = Logistic((x - left) / softness) - Logistic((x - right) / softness);
        const double u = 2.0 * x / n - 1.0;
        const double light = (lit - dark) * (1.0 - kVignetting * u * u);
        const double value = dark + light * (1.0 - shade * (1.0 - kStrayLight)) + noise(rng_);
        pixels[static_cast<std::size_t>(k)] = std::clamp(value, 0.0, full);
    }
    return pixels;
}

std::vector<std::uint16_t> VideoSamples(const std::vector<double>& pixels) {
    std::vector<std::uint16_t> samples(256, 0);
    if (pixels.empty()) return samples;
    const std::size_t n = pixels.size();
    for (std::size_t i = 0; i < 256; ++i) {
        const std::size_t k = std::min(n - 1, (2 * i + 1) * n / 512);
        samples[i] = static_cast<std::uint16_t>(std::lround(pixels[k]));
    }
    return samples;
}

} // namespace kvor::sim

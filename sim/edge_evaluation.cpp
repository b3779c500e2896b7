// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/edge_evaluation.h"

#include <algorithm>
#include <cmath>

#include "sim/light_curtain.h"

namespace kvor::sim {

namespace {

struct Crossing {
    double position; // virtual pixels
    bool intoObject;
};

// A crossing counts once the signal is clearly past the threshold, so pixel noise at a soft
// edge does not make a burst of edges; its position is where the signal passes the threshold.
std::vector<Crossing> FindCrossings(const std::vector<double>& s, double threshold,
                                    double hysteresis, bool darkObject, double toVirtual) {
    std::vector<Crossing> crossings;
    if (s.empty()) return crossings;
    bool lit = s[0] > threshold;
    for (std::size_t k = 1; k < s.size(); ++k) {
        const bool turnsDark = lit && s[k] < threshold - hysteresis;
        const bool turnsLit = !lit && s[k] > threshold + hysteresis;
        if (!turnsDark && !turnsLit) continue;
        std::size_t j = k;
        while (j > 1 && ((s[j - 1] < threshold) == turnsDark))
            --j;
        const double a = s[j - 1];
        const double b = s[j];
        const double frac = (a == b) ? 0.5 : std::clamp((a - threshold) / (a - b), 0.0, 1.0);
        const double x = static_cast<double>(j - 1) + 0.5 + frac;
        crossings.push_back({x * toVirtual, turnsDark == darkObject});
        lit = turnsLit;
    }
    return crossings;
}

std::uint16_t LevelOf(const std::vector<double>& s, std::size_t from, std::size_t count) {
    double sum = 0.0;
    for (std::size_t k = from; k < from + count; ++k)
        sum += s[k];
    return static_cast<std::uint16_t>(std::lround(sum / static_cast<double>(count)));
}

std::uint16_t ValueFor(int mode, std::uint16_t left, std::uint16_t right) {
    switch (mode) {
    case kModeLeftEdge:
        return left;
    case kModeRightEdge:
        return right;
    case kModeCentre:
        return static_cast<std::uint16_t>((left + right) / 2);
    default:
        return static_cast<std::uint16_t>(right - left);
    }
}

} // namespace

LineReading EvaluateLine(const std::vector<double>& pixels, const Model& model,
                         const ParameterSet& ram) {
    LineReading r;
    if (pixels.empty()) return r;
    const int virt = VirtualPixels(model);
    const double toVirtual = static_cast<double>(virt) / static_cast<double>(pixels.size());
    const double hysteresis = (VideoFullScale(model) + 1) / 64.0;
    const bool darkObject = ram[kPolarity] != 0;

    std::vector<std::uint16_t> edges;
    std::vector<bool> into;
    for (const Crossing& c :
         FindCrossings(pixels, ram[kVideoThreshold], hysteresis, darkObject, toVirtual)) {
        const long v = std::clamp<long>(std::lround(c.position), 1, virt);
        if (v < ram[kEdgeBegin] || v > ram[kEdgeEnd]) continue;
        edges.push_back(static_cast<std::uint16_t>(v));
        into.push_back(c.intoObject);
    }

    r.edgeCount = static_cast<std::uint16_t>(edges.size());
    if (edges.size() == 1) r.leftEdge = r.rightEdge = edges[0];
    if (edges.size() >= 2) {
        // The object starts where the line goes into it and ends where it last comes out.
        std::size_t first = 0;
        while (first < edges.size() && !into[first])
            ++first;
        if (first == edges.size()) first = 0;
        std::size_t last = edges.size() - 1;
        while (last > first && into[last])
            --last;
        if (last == first) last = edges.size() - 1;
        r.leftEdge = edges[first];
        r.rightEdge = edges[last];
    }
    const int mode = ram[kEdgeMode];
    const bool needsTwo = mode != kModeLeftEdge && mode != kModeRightEdge && mode != kModeCentre;
    r.valid = edges.size() >= (needsTwo ? 2u : 1u);
    r.value = r.valid ? ValueFor(mode, r.leftEdge, r.rightEdge) : 0;

    const std::size_t ends = std::min<std::size_t>(4, pixels.size());
    r.levelStart = LevelOf(pixels, 0, ends);
    r.levelEnd = LevelOf(pixels, pixels.size() - ends, ends);
    return r;
}

std::uint32_t Micrometres(std::uint16_t value, const ParameterSet& ram, const Model& model) {
    const double multiplier = model.ccdtype == 104 ? 512.0 : 1024.0;
    const double um = ram[kSlope] / multiplier * value + (ram[kIntersect] - kIntersectBias);
    if (!(um > 0.0)) return 0;
    return static_cast<std::uint32_t>(std::min(um, 4294967295.0));
}

} // namespace kvor::sim

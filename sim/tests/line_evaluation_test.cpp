// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <numeric>

#include <gtest/gtest.h>

#include "sim/edge_evaluation.h"
#include "sim/light_curtain.h"

namespace kvor::sim {
namespace {

// The default head (4096 virtual pixels) with an object fixed at 1000..1600.
struct Line {
    Model model;
    LightCurtain curtain{7};
    ParameterSet ram = kFactoryParameters;

    Line() {
        curtain.setModel(model);
        curtain.setObject(1000, 1600, false);
        ram[kEdgeEnd] = 4096;
    }
    LineReading read() { return EvaluateLine(curtain.expose(ram, 0.0), model, ram); }
};

TEST(LineEvaluation, FindsBothShadowEdgesInVirtualPixels) {
    Line line;
    const LineReading r = line.read();
    EXPECT_EQ(r.edgeCount, 2);
    EXPECT_NEAR(r.leftEdge, 1000, 4);
    EXPECT_NEAR(r.rightEdge, 1600, 4);
    // The line is lit at both ends, above the threshold.
    EXPECT_GT(r.levelStart, line.ram[kVideoThreshold]);
    EXPECT_GT(r.levelEnd, line.ram[kVideoThreshold]);
}

TEST(LineEvaluation, MeasuringValueFollowsTheEdgeEvaluationMode) {
    Line line;
    const LineReading base = line.read();
    const int l = base.leftEdge;
    const int r = base.rightEdge;
    const struct {
        int mode;
        int expected;
    } cases[] = {{0, l}, {1, r}, {2, r - l}, {3, (l + r) / 2}, {9, r - l}};
    for (const auto& c : cases) {
        line.ram[kEdgeMode] = static_cast<std::uint16_t>(c.mode);
        const LineReading m = line.read();
        EXPECT_TRUE(m.valid) << "mode " << c.mode;
        EXPECT_NEAR(m.value, c.expected, 6) << "mode " << c.mode;
    }
}

TEST(LineEvaluation, EdgesOutsideTheLimitsDoNotCount) {
    Line line;
    line.ram[kEdgeEnd] = 1300;
    line.ram[kEdgeMode] = kModeSize;
    LineReading r = line.read();
    EXPECT_EQ(r.edgeCount, 1);
    EXPECT_NEAR(r.leftEdge, 1000, 4);
    EXPECT_EQ(r.rightEdge, r.leftEdge);
    EXPECT_FALSE(r.valid); // a size needs two edges
    EXPECT_EQ(r.value, 0);

    line.ram[kEdgeBegin] = 1700;
    line.ram[kEdgeEnd] = 4096;
    r = line.read();
    EXPECT_EQ(r.edgeCount, 0);
    EXPECT_EQ(r.leftEdge, 0);
}

TEST(LineEvaluation, InvertedPolarityTakesTheLitPartAsTheObject) {
    Line line;
    line.ram[kPolarity] = 0;
    const LineReading r = line.read();
    EXPECT_EQ(r.edgeCount, 2);
    EXPECT_NEAR(r.leftEdge, 1600, 4); // where the light comes back
}

TEST(LineEvaluation, VideoFollowsTheLightPowerAndTheFullScale) {
    Line line;
    const auto mean = [&](std::uint16_t power) {
        line.ram[kPower] = power;
        const auto s = VideoSamples(line.curtain.expose(line.ram, 0.0));
        return std::accumulate(s.begin(), s.end(), 0.0) / 256.0;
    };
    const double dim = mean(250);
    const double bright = mean(500);
    EXPECT_LT(dim, 0.75 * bright);
    line.ram[kPower] = 0;
    EXPECT_EQ(line.read().edgeCount, 0); // all dark: nothing crosses the threshold

    ModelPreset("adc256", &line.model);
    line.curtain.setModel(line.model);
    line.ram[kPower] = 1000;
    const auto s = VideoSamples(line.curtain.expose(line.ram, 0.0));
    EXPECT_LE(*std::max_element(s.begin(), s.end()), 255);
    EXPECT_GT(*std::max_element(s.begin(), s.end()), 200);
}

TEST(LineEvaluation, TheDefaultObjectDriftsAroundTheSetpoint) {
    Model model;
    LightCurtain curtain(3);
    curtain.setModel(model);
    ParameterSet ram = kFactoryParameters; // right edge, limits 1..1024, setpoint 512
    int lowest = 0xFFFF;
    int highest = 0;
    for (double t = 0.0; t < 40.0; t += 0.5) {
        const LineReading r = EvaluateLine(curtain.expose(ram, t), model, ram);
        ASSERT_TRUE(r.valid) << "t " << t;
        lowest = std::min<int>(lowest, r.value);
        highest = std::max<int>(highest, r.value);
    }
    EXPECT_GT(highest - lowest, 10); // it moves
    EXPECT_GT(lowest, 512 - 100);    // but stays within the start tolerance
    EXPECT_LT(highest, 512 + 100);
}

TEST(LineEvaluation, MicrometresComeFromTheCalibrationWords) {
    Model model;
    ParameterSet ram = kFactoryParameters;
    ram[kSlope] = 2048;
    ram[kIntersect] = 30100;
    EXPECT_EQ(Micrometres(500, ram, model), 1100u);
    model.ccdtype = 104; // slope multiplier 512
    EXPECT_EQ(Micrometres(500, ram, model), 2100u);
    ram[kIntersect] = 0;
    EXPECT_EQ(Micrometres(500, ram, model), 0u); // a negative size reads 0
    ram[kSlope] = 65535;
    ram[kIntersect] = 65535;
    EXPECT_EQ(Micrometres(65535, ram, model), 8423887u); // beyond 16 bits, in both words
}

} // namespace
} // namespace kvor::sim

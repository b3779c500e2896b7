// SPDX-License-Identifier: GPL-3.0-or-later
// The control chart's limits and run rules, reading by reading, against a computation over the
// whole series at once: scenes made for each rule, one that breaks none, and random series.
#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "live/control_chart.h"

namespace kvor {
namespace {

// What each reading after the 25 of the baseline breaks, from the series as a whole.
std::vector<i32> RulesOfSeries(const std::vector<double>& x) {
    double sum = 0, mr = 0;
    for (int i = 0; i < CC_BASELINE; ++i) {
        sum += x[i];
        if (i > 0) mr += std::fabs(x[i] - x[i - 1]);
    }
    const double c = sum / CC_BASELINE;
    const double s = 2.66 * (mr / (CC_BASELINE - 1)) / 3.0;
    auto beyond = [&](int i, double z, int side) { return side * (x[i] - c) > z * s; };
    std::vector<i32> rules(x.size(), 0);
    for (int i = CC_BASELINE; i < static_cast<int>(x.size()); ++i) {
        const int j = i - CC_BASELINE; // readings against the limits before this one
        const int side = x[i] > c ? 1 : -1;
        auto count = [&](int n, double z) {
            int k = 0;
            for (int m = i - n + 1; m <= i; ++m)
                k += beyond(m, z, side) ? 1 : 0;
            return k;
        };
        if (beyond(i, 3, side)) rules[i] |= RULE_BEYOND_3_SIGMA;
        if (j >= 2 && beyond(i, 2, side) && count(3, 2) >= 2) rules[i] |= RULE_2_OF_3_BEYOND_2;
        if (j >= 4 && beyond(i, 1, side) && count(5, 1) >= 4) rules[i] |= RULE_4_OF_5_BEYOND_1;
        if (j >= 7) {
            int above = 0, below = 0;
            for (int m = i - 7; m <= i; ++m) {
                above += x[m] > c ? 1 : 0;
                below += x[m] < c ? 1 : 0;
            }
            if (above == 8 || below == 8) rules[i] |= RULE_8_ON_ONE_SIDE;
        }
        if (j >= 5) {
            bool up = true, down = true;
            for (int m = i - 4; m <= i; ++m) {
                up = up && x[m] > x[m - 1];
                down = down && x[m] < x[m - 1];
            }
            if (up || down) rules[i] |= RULE_TREND_OF_6;
        }
    }
    return rules;
}

std::vector<i32> RulesReadingByReading(const std::vector<double>& x) {
    ccRulesOn = RULES_ALL;
    ControlChartRestart();
    std::vector<i32> rules;
    for (const double v : x)
        rules.push_back(ControlChartAdd(v));
    return rules;
}

// A baseline alternating 100 and 102, beginning and ending with 100: centre 100.96, MR-bar 2,
// sigma 1.7733.
std::vector<double> Scene(const std::vector<double>& after) {
    std::vector<double> x;
    for (int i = 0; i < CC_BASELINE; ++i)
        x.push_back(i % 2 == 0 ? 100.0 : 102.0);
    x.insert(x.end(), after.begin(), after.end());
    return x;
}

TEST(ControlChart, EachSceneBreaksItsRuleAsTheWholeSeriesDoes) {
    const struct {
        const char* name;
        std::vector<double> after;
        i32 expected; // the rules the scene breaks somewhere
    } scenes[] = {
        {"calm", {100.5, 101.5, 100.5, 101.5, 100.5, 101.5, 100.5, 101.5, 100.5, 101.5}, 0},
        {"step", {100.5, 101.5, 108.0}, RULE_BEYOND_3_SIGMA},
        {"two of three", {100.5, 104.8, 101.0, 104.8}, RULE_2_OF_3_BEYOND_2},
        {"four of five", {103.0, 103.0, 100.5, 103.0, 103.0}, RULE_4_OF_5_BEYOND_1},
        {"run", {101.5, 101.6, 101.5, 101.6, 101.5, 101.6, 101.5, 101.6}, RULE_8_ON_ONE_SIDE},
        {"trend", {99.5, 99.8, 100.1, 100.4, 100.7, 101.0}, RULE_TREND_OF_6},
    };
    for (const auto& scene : scenes) {
        const std::vector<double> x = Scene(scene.after);
        const std::vector<i32> got = RulesReadingByReading(x);
        EXPECT_EQ(got, RulesOfSeries(x)) << scene.name;
        i32 any = 0;
        for (const i32 r : got)
            any |= r;
        EXPECT_EQ(any, scene.expected) << scene.name;
    }
    EXPECT_NEAR(ControlChartMRUCL(), 3.267 * 2.0, 1e-9);
    EXPECT_NEAR(ControlChartUCL() - ControlChartLCL(), 2 * 2.66 * 2.0, 1e-9);
}

TEST(ControlChart, RandomSeriesAgreeWithTheWholeSeriesAndRulesSwitchOff) {
    std::mt19937 rng(7);
    for (int series = 0; series < 200; ++series) {
        std::normal_distribution<double> noise(500.0, 1.0 + series % 5);
        std::vector<double> x;
        double drift = 0;
        for (int i = 0; i < 120; ++i) {
            drift += series % 3 == 0 ? 0.05 : 0.0;
            x.push_back(noise(rng) + drift);
        }
        ASSERT_EQ(RulesReadingByReading(x), RulesOfSeries(x)) << "series " << series;
        // Rules switched off are never reported.
        ControlChartRestart();
        ccRulesOn = RULE_TREND_OF_6;
        for (const double v : x)
            EXPECT_EQ(ControlChartAdd(v) & ~RULE_TREND_OF_6, 0);
    }
}

TEST(ControlChart, EnteredLimitsHoldUntilChangedAndNumbersNameTheRules) {
    ccRulesOn = RULES_ALL;
    ControlChartSetLimits(10.0, 1.0);
    // Sigma 0.8867: 12.0 lies beyond 2 sigma, 12.7 beyond the upper limit 12.66.
    EXPECT_EQ(ControlChartAdd(12.0), 0);
    EXPECT_EQ(ControlChartAdd(12.7), RULE_BEYOND_3_SIGMA);
    EXPECT_EQ(ControlChartAdd(12.0), RULE_2_OF_3_BEYOND_2);
    EXPECT_DOUBLE_EQ(ccCentre, 10.0);
    EXPECT_EQ(LowestRuleNumber(RULE_2_OF_3_BEYOND_2 | RULE_TREND_OF_6), 2);
    EXPECT_EQ(LowestRuleNumber(0), 0);
    EXPECT_STREQ(RuleText(5), "Rule 5: six in a row rising or falling");
    EXPECT_EQ(ControlChartAdd(NAN), 0);
}

} // namespace
} // namespace kvor

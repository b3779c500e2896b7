// SPDX-License-Identifier: GPL-3.0-or-later
// The running statistics against a two-pass computation in long double, over whole ranges of
// answers: values at the top of the 16-bit range, where a sum of squares would cancel, long
// runs, setpoints that move, and the cases where a figure is not defined.
#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "live/histogram.h"
#include "live/statistics.h"
#include "state/state.h"
#include "tests/support/statistics_reference.h"

namespace kvor {
namespace {

using Answer = test::ReferenceAnswer;

void Feed(const std::vector<Answer>& answers) {
    ResetStatistics();
    for (const Answer& a : answers) {
        Mvalue = static_cast<u16>(a.mv);
        tVal = static_cast<u16>(a.setpoint);
        tol = static_cast<u16>(a.tol);
        umValue = static_cast<i32>(a.um);
        AddAnswerToStatistics();
    }
}

struct Case {
    int count;
    int centre; // of the measuring values
    int spread; // of the noise
    int bands;  // setpoints used, one after the other
    unsigned seed;
};

class StatisticsOverRuns : public ::testing::TestWithParam<Case> {};

TEST_P(StatisticsOverRuns, EqualATwoPassComputation) {
    const Case c = GetParam();
    std::mt19937 rng(c.seed);
    std::uniform_int_distribution<int> noise(-c.spread, c.spread);
    std::vector<Answer> answers;
    for (int i = 0; i < c.count; ++i) {
        const int band = i * c.bands / c.count;
        Answer a{};
        a.mv = std::clamp(c.centre + noise(rng), 0, 65535);
        a.setpoint = std::clamp(c.centre + 7 * band * c.spread / 4, 0, 65535);
        a.tol = c.spread / 2 + band;
        a.um = 2000000000 + 3 * a.mv; // micrometres far from zero
        answers.push_back(a);
    }
    Feed(answers);
    const test::ReferenceFigures e = test::ComputeReference(answers);

    EXPECT_EQ(statCount, c.count);
    EXPECT_NEAR(statMean, e.mean, 1e-9 * c.centre);
    EXPECT_NEAR(StatStdDev(), e.sd, 1e-9 * e.sd + 1e-12);
    EXPECT_EQ(statMin, e.min);
    EXPECT_EQ(statMax, e.max);
    EXPECT_DOUBLE_EQ(StatInTolPercent(), e.inPct);
    EXPECT_NEAR(statUmMean, e.umMean, 1e-12 * 2e9);
    EXPECT_NEAR(StatUmStdDev(), e.umSd, 1e-6 * e.umSd + 1e-9);
    EXPECT_NEAR(StatWithinStdDev(), e.within, 1e-9 * e.within + 1e-12);
    EXPECT_NEAR(StatUmWithinStdDev(), e.umWithin, 1e-9 * e.umWithin + 1e-12);
    EXPECT_NEAR(StatCp(), e.cp, 1e-9);
    EXPECT_NEAR(StatCpk(), e.cpk, 1e-9);
    EXPECT_NEAR(StatPp(), e.pp, 1e-9);
    EXPECT_NEAR(StatPpk(), e.ppk, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Runs, StatisticsOverRuns,
                         ::testing::Values(Case{2, 100, 3, 1, 1}, Case{50, 800, 40, 2, 2},
                                           Case{1000, 65500, 30, 3, 3},
                                           Case{200000, 65530, 5, 4, 4}, Case{5000, 20, 40, 2, 5},
                                           Case{777, 32768, 32767, 3, 6}),
                         [](const auto& info) {
                             return std::to_string(info.param.count) + "AnswersAround" +
                                    std::to_string(info.param.centre);
                         });

// However far the sizes stray, every answer ends in the bin that holds its size, once each.
TEST(Statistics, HistogramBinsHoldEverySizeInItsOwnBin) {
    std::mt19937 rng(7);
    for (const int spread : {3, 1000, 2147483647}) {
        std::uniform_int_distribution<i32> size(-spread, spread);
        std::vector<i32> sizes;
        for (int i = 0; i < 5000; ++i)
            sizes.push_back(size(rng) / (i % 7 + 1));
        // The extremes come last, when the bins are full: both ways of merging are taken.
        sizes.insert(sizes.end(), {2147483647, -2147483647 - 1});
        ResetHistogram();
        for (i32 s : sizes)
            AddToHistogram(s);
        double counts[HIST_BINS] = {};
        for (i32 s : sizes) {
            const double bin = std::floor(s / histWidth) - histFirst;
            ASSERT_TRUE(bin >= 0 && bin < HIST_BINS) << s << " width " << histWidth;
            counts[static_cast<int>(bin)] += 1;
        }
        EXPECT_EQ(histTotal, static_cast<double>(sizes.size()));
        for (int k = 0; k < HIST_BINS; ++k)
            EXPECT_EQ(histCount[k], counts[k]) << "bin " << k << ", spread " << spread;
    }
}

TEST(Statistics, WhatIsNotDefinedYetIsNotANumber) {
    Feed({});
    EXPECT_EQ(statCount, 0);
    EXPECT_TRUE(std::isnan(StatStdDev()));
    EXPECT_TRUE(std::isnan(StatInTolPercent()));
    for (double f : {StatCp(), StatCpk(), StatPp(), StatPpk(), StatWithinStdDev()})
        EXPECT_TRUE(std::isnan(f));
    // One answer: a mean and a share, no scatter.
    Feed({{500, 500, 10, 500}});
    EXPECT_EQ(statMean, 500);
    EXPECT_EQ(StatInTolPercent(), 100);
    EXPECT_TRUE(std::isnan(StatStdDev()));
    EXPECT_TRUE(std::isnan(StatUmStdDev()));
    EXPECT_TRUE(std::isnan(StatUmWithinStdDev()));
    EXPECT_TRUE(std::isnan(StatCp()));
    // Answers all alike: no scatter, so no capability; the share counts the band's ends in.
    Feed({{510, 500, 10, 1}, {510, 500, 10, 1}, {510, 500, 10, 1}});
    EXPECT_EQ(StatStdDev(), 0);
    for (double f : {StatCp(), StatCpk(), StatPp(), StatPpk()})
        EXPECT_TRUE(std::isnan(f));
    EXPECT_EQ(StatInTolPercent(), 100);
    // A setpoint below the tolerance: the lower limit below 0 is never undercut.
    Feed({{0, 5, 10, 0}, {16, 5, 10, 0}});
    EXPECT_EQ(StatInTolPercent(), 50);
}

} // namespace
} // namespace kvor

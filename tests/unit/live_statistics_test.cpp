// The running statistics against a two-pass computation in long double, over whole ranges of
// answers: values at the top of the 16-bit range, where a sum of squares would cancel, long
// runs, setpoints that move, and the cases where a figure is not defined.
#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/state.h"
#include "live/statistics.h"

namespace kvor {
namespace {

struct Answer {
    u16 mv, setpoint, tol;
    i32 um;
};

void Feed(const std::vector<Answer>& answers) {
    ResetStatistics();
    for (const Answer& a : answers) {
        Mvalue = a.mv;
        tVal = a.setpoint;
        tol = a.tol;
        umValue = a.um;
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
        a.mv = static_cast<u16>(std::clamp(c.centre + noise(rng), 0, 65535));
        a.setpoint = static_cast<u16>(std::clamp(c.centre + 7 * band * c.spread / 4, 0, 65535));
        a.tol = static_cast<u16>(c.spread / 2 + band);
        a.um = 2000000000 + 3 * a.mv; // micrometres far from zero
        answers.push_back(a);
    }
    Feed(answers);

    long double sum = 0, umSum = 0;
    int in = 0, lo = 65535, hi = 0;
    for (const Answer& a : answers) {
        sum += a.mv;
        umSum += a.um;
        in += a.mv >= a.setpoint - a.tol && a.mv <= a.setpoint + a.tol;
        lo = std::min<int>(lo, a.mv);
        hi = std::max<int>(hi, a.mv);
    }
    const long double n = c.count, mean = sum / n, umMean = umSum / n;
    long double ss = 0, uss = 0;
    for (const Answer& a : answers) {
        ss += (a.mv - mean) * (a.mv - mean);
        uss += (a.um - umMean) * (a.um - umMean);
    }
    const double sd = static_cast<double>(std::sqrt(ss / (n - 1)));
    const double umSd = static_cast<double>(std::sqrt(uss / (n - 1)));
    const Answer& last = answers.back();

    EXPECT_EQ(statCount, c.count);
    EXPECT_NEAR(statMean, static_cast<double>(mean), 1e-9 * c.centre);
    EXPECT_NEAR(StatStdDev(), sd, 1e-9 * sd + 1e-12);
    EXPECT_EQ(statMin, lo);
    EXPECT_EQ(statMax, hi);
    EXPECT_DOUBLE_EQ(StatInTolPercent(), 100.0 * in / c.count);
    EXPECT_NEAR(statUmMean, static_cast<double>(umMean), 1e-12 * 2e9);
    EXPECT_NEAR(StatUmStdDev(), umSd, 1e-6 * umSd + 1e-9);
    EXPECT_NEAR(StatCp(), 2.0 * last.tol / (6 * sd), 1e-9);
    const double upper = last.setpoint + last.tol, lower = last.setpoint - last.tol;
    EXPECT_NEAR(StatCpk(), std::min(upper - statMean, statMean - lower) / (3 * sd), 1e-9);
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

TEST(Statistics, WhatIsNotDefinedYetIsNotANumber) {
    Feed({});
    EXPECT_EQ(statCount, 0);
    EXPECT_TRUE(std::isnan(StatStdDev()));
    EXPECT_TRUE(std::isnan(StatInTolPercent()));
    EXPECT_TRUE(std::isnan(StatCp()));
    EXPECT_TRUE(std::isnan(StatCpk()));
    // One answer: a mean and a share, no scatter.
    Feed({{500, 500, 10, 500}});
    EXPECT_EQ(statMean, 500);
    EXPECT_EQ(StatInTolPercent(), 100);
    EXPECT_TRUE(std::isnan(StatStdDev()));
    EXPECT_TRUE(std::isnan(StatUmStdDev()));
    EXPECT_TRUE(std::isnan(StatCp()));
    // Answers all alike: no scatter, so no capability; the share counts the band's ends in.
    Feed({{510, 500, 10, 1}, {510, 500, 10, 1}, {510, 500, 10, 1}});
    EXPECT_EQ(StatStdDev(), 0);
    EXPECT_TRUE(std::isnan(StatCp()));
    EXPECT_TRUE(std::isnan(StatCpk()));
    EXPECT_EQ(StatInTolPercent(), 100);
    // A setpoint below the tolerance: the lower limit below 0 is never undercut.
    Feed({{0, 5, 10, 0}, {16, 5, 10, 0}});
    EXPECT_EQ(StatInTolPercent(), 50);
}

} // namespace
} // namespace kvor

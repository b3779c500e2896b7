// SPDX-License-Identifier: GPL-3.0-or-later
// The calibration words a fitted line is stored as, and the lines that have none.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "calib/store.h"

namespace kvor {
namespace {

struct Words {
    int status;
    u16 slope;
    u16 intersect;
};

Words Encode(double factor, double offset, int multiplier) {
    Words w{0, 4711, 4712};
    w.status = EncodeCalibrationWords(factor, offset, multiplier, &w.slope, &w.intersect);
    return w;
}

TEST(CalibrationWords, TruncateTowardZero) {
    Words w = Encode(1.0009, -12.7, SLOPEMULTI);
    EXPECT_EQ(w.status, kCalWordsOk);
    EXPECT_EQ(w.slope, 1024);
    EXPECT_EQ(w.intersect, 29987);
}

TEST(CalibrationWords, TheDefaultFitForBothMultipliers) {
    double factor = 14000.0 / 421.0;
    double offset = -22840.0 / 421.0;
    Words w = Encode(factor, offset, SLOPEMULTI);
    EXPECT_EQ(w.status, kCalWordsOk);
    EXPECT_EQ(w.slope, 34052);
    EXPECT_EQ(w.intersect, 29945);
    w = Encode(factor, offset, SLOPEMULTI_512);
    EXPECT_EQ(w.slope, 17026);
    EXPECT_EQ(w.intersect, 29945);
}

TEST(CalibrationWords, TheEdgesOfWhatAWordCanCarry) {
    EXPECT_EQ(Encode(0.0, -30000.0, SLOPEMULTI).slope, 0);
    EXPECT_EQ(Encode(0.0, -30000.0, SLOPEMULTI).intersect, 0);
    Words top = Encode(65535.0 / 1024, 35535.9, SLOPEMULTI);
    EXPECT_EQ(top.status, kCalWordsOk);
    EXPECT_EQ(top.slope, 65535);
    EXPECT_EQ(top.intersect, 65535);
    // Just below zero still truncates to word 0.
    EXPECT_EQ(Encode(-0.0005, -30000.5, SLOPEMULTI).status, kCalWordsOk);
    EXPECT_EQ(Encode(127.99, 0.0, SLOPEMULTI_512).slope, 65530);
}

TEST(CalibrationWords, LinesWithoutWordsAreRefusedAndWriteNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double factor, offset;
        int multiplier, status;
    } cases[] = {
        {nan, nan, SLOPEMULTI, kCalFitNotANumber},
        {1.0, nan, SLOPEMULTI, kCalFitNotANumber},
        {64.0, 0.0, SLOPEMULTI, kCalFactorOutOfRange},
        {128.0, 0.0, SLOPEMULTI_512, kCalFactorOutOfRange},
        {-1.0 / 1024, 0.0, SLOPEMULTI, kCalFactorOutOfRange},
        {inf, 0.0, SLOPEMULTI, kCalFactorOutOfRange},
        {-inf, 0.0, SLOPEMULTI, kCalFactorOutOfRange},
        {1.0, 35536.0, SLOPEMULTI, kCalOffsetOutOfRange},
        {1.0, -30001.0, SLOPEMULTI, kCalOffsetOutOfRange},
        {1.0, 1e300, SLOPEMULTI, kCalOffsetOutOfRange},
    };
    for (const Case& c : cases) {
        Words w = Encode(c.factor, c.offset, c.multiplier);
        EXPECT_EQ(w.status, c.status) << c.factor << " " << c.offset;
        EXPECT_EQ(w.slope, 4711);
        EXPECT_EQ(w.intersect, 4712);
    }
    // 127.99 is a factor for M = 512 but not for M = 1024.
    EXPECT_EQ(Encode(127.99, 0.0, SLOPEMULTI).status, kCalFactorOutOfRange);
}

} // namespace
} // namespace kvor

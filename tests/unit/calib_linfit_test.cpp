// SPDX-License-Identifier: GPL-3.0-or-later
// LinFit: the least-squares line of the two-point calibration.
#include <cmath>

#include <gtest/gtest.h>

#include "calib/linfit.h"

namespace kvor {
namespace {

TEST(LinFit, ThreePointsGiveTheLeastSquaresLineAndTheMeanSquaredErrorOverN) {
    double x[] = {0, 1, 2};
    double y[] = {0, 1, 3};
    double f[3] = {};
    double slope = 0, intercept = 0, mse = -1;
    ASSERT_EQ(LinFit(x, y, 3, f, &slope, &intercept, &mse), 0);
    EXPECT_DOUBLE_EQ(slope, 1.5);
    EXPECT_NEAR(intercept, -1.0 / 6.0, 1e-15);
    EXPECT_NEAR(f[0], -1.0 / 6.0, 1e-15);
    EXPECT_NEAR(f[1], 4.0 / 3.0, 1e-15);
    EXPECT_NEAR(f[2], 17.0 / 6.0, 1e-15);
    EXPECT_NEAR(mse, 1.0 / 18.0, 1e-15);
}

TEST(LinFit, TheCalibrationDefaultsGiveTheFactoryLine) {
    double x[] = {241, 662};
    double y[] = {7960, 21960};
    double f[2] = {};
    double slope = 0, intercept = 0, mse = -1;
    ASSERT_EQ(LinFit(x, y, 2, f, &slope, &intercept, &mse), 0);
    EXPECT_NEAR(slope, 33.2541567695962, 1e-12);
    EXPECT_NEAR(intercept, -54.2517814726840, 1e-10);
    EXPECT_NEAR(f[0], 7960, 1e-9);
    EXPECT_NEAR(f[1], 21960, 1e-9);
    EXPECT_NEAR(mse, 0.0, 1e-15);
}

TEST(LinFit, FewerThanTwoPointsLeaveEveryOutputAsItWas) {
    double x[] = {1, 2};
    double y[] = {3, 4};
    for (int n : {1, 0, -5}) {
        double f[2] = {11, 12};
        double slope = 13, intercept = 14, mse = 15;
        EXPECT_EQ(LinFit(x, y, n, f, &slope, &intercept, &mse), kErrTooFewPoints) << n;
        EXPECT_EQ(f[0], 11);
        EXPECT_EQ(f[1], 12);
        EXPECT_EQ(slope, 13);
        EXPECT_EQ(intercept, 14);
        EXPECT_EQ(mse, 15);
    }
}

TEST(LinFit, EqualXGivesNotANumberEverywhereWithStatusZero) {
    double x[] = {5, 5};
    double y[] = {10, 20};
    double f[2] = {};
    double slope = 0, intercept = 0, mse = 0;
    EXPECT_EQ(LinFit(x, y, 2, f, &slope, &intercept, &mse), 0);
    EXPECT_TRUE(std::isnan(slope));
    EXPECT_TRUE(std::isnan(intercept));
    EXPECT_TRUE(std::isnan(f[0]));
    EXPECT_TRUE(std::isnan(f[1]));
    EXPECT_TRUE(std::isnan(mse));
}

TEST(LinFit, WritesExactlyNFittedValues) {
    double x[] = {0, 1, 2, 3};
    double y[] = {1, 3, 5, 7};
    double f[6] = {-1, -1, -1, -1, -99, -99};
    double slope = 0, intercept = 0, mse = 0;
    ASSERT_EQ(LinFit(x, y, 4, f, &slope, &intercept, &mse), 0);
    EXPECT_DOUBLE_EQ(slope, 2.0);
    EXPECT_DOUBLE_EQ(intercept, 1.0);
    EXPECT_DOUBLE_EQ(f[3], 7.0);
    EXPECT_EQ(f[4], -99);
    EXPECT_EQ(f[5], -99);
}

} // namespace
} // namespace kvor

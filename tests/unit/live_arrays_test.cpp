// SPDX-License-Identifier: GPL-3.0-or-later
// Copy1D and Shift: the routines that age the strip-chart history in place.
#include <climits>
#include <vector>

#include <gtest/gtest.h>

#include "live/arrays.h"

namespace kvor {
namespace {

using Vec = std::vector<double>;

Vec Shifted(Vec in, int s) {
    Vec out(in.size(), -1.0);
    EXPECT_EQ(Shift(in.data(), static_cast<int>(in.size()), s, out.data()), 0);
    return out;
}

TEST(Shift, MovesTowardsHigherOrLowerIndicesAndFillsWithZero) {
    Vec v{1, 2, 3, 4, 5};
    EXPECT_EQ(Shifted(v, 2), (Vec{0, 0, 1, 2, 3}));
    EXPECT_EQ(Shifted(v, -2), (Vec{3, 4, 5, 0, 0}));
    EXPECT_EQ(Shifted(v, 0), v);
    EXPECT_EQ(Shifted(v, 4), (Vec{0, 0, 0, 0, 1}));
    EXPECT_EQ(Shifted(v, -4), (Vec{5, 0, 0, 0, 0}));
}

TEST(Shift, InPlaceGivesTheSameResultAsIntoAnotherArray) {
    for (int s : {-3, -1, 1, 3}) {
        Vec v{1, 2, 3, 4, 5, 6, 7};
        ASSERT_EQ(Shift(v.data(), 7, s, v.data()), 0);
        EXPECT_EQ(v, Shifted({1, 2, 3, 4, 5, 6, 7}, s)) << "shift " << s;
    }
}

TEST(Shift, RefusesTooLongShiftsAndBadCountsWithoutTouchingEitherArray) {
    Vec in{1, 2, 3, 4, 5};
    Vec out(5, 9.0);
    for (int s : {5, -5, 6, INT_MAX, INT_MIN, INT_MIN + 1}) {
        EXPECT_EQ(Shift(in.data(), 5, s, out.data()), kErrShiftTooLong) << s;
    }
    EXPECT_EQ(Shift(in.data(), 0, 0, out.data()), kErrCountBelowOne);
    EXPECT_EQ(Shift(in.data(), -3, 1, out.data()), kErrCountBelowOne);
    EXPECT_EQ(out, Vec(5, 9.0));
    EXPECT_EQ(in, (Vec{1, 2, 3, 4, 5}));
}

TEST(Shift, AgesTheStripChartHistoryByOneSample) {
    Vec h(500);
    for (int i = 0; i < 500; ++i)
        h[i] = i;
    ASSERT_EQ(Shift(h.data(), 500, -5, h.data()), 0);
    for (int i = 0; i < 495; ++i)
        ASSERT_EQ(h[i], i + 5) << i;
    for (int i = 495; i < 500; ++i)
        EXPECT_EQ(h[i], 0.0);
}

TEST(Copy1D, CopiesCountElementsAndNothingBeyond) {
    Vec in{1.5, -2, 3};
    Vec out(4, 7.0);
    EXPECT_EQ(Copy1D(in.data(), 2, out.data()), 0);
    EXPECT_EQ(out, (Vec{1.5, -2, 7, 7}));
}

TEST(Copy1D, RefusesCountsBelowOneAndLeavesTheOutput) {
    Vec in{1, 2};
    Vec out(2, 7.0);
    EXPECT_EQ(Copy1D(in.data(), 0, out.data()), kErrCountBelowOne);
    EXPECT_EQ(Copy1D(in.data(), -1, out.data()), kErrCountBelowOne);
    EXPECT_EQ(out, Vec(2, 7.0));
}

} // namespace
} // namespace kvor

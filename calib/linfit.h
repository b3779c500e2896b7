// SPDX-License-Identifier: GPL-3.0-or-later
// Least-squares straight line through n point pairs.
#pragma once

namespace kvor {

inline constexpr int kErrTooFewPoints = -20006;

int LinFit(const double* x, const double* y, int n, double* fitted, double* slope,
           double* intercept, double* mse);

} // namespace kvor

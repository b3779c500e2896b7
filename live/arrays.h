// SPDX-License-Identifier: GPL-3.0-or-later
// Array routines on doubles.
#pragma once

namespace kvor {

inline constexpr int kErrCountBelowOne = -20003;
inline constexpr int kErrShiftTooLong = -20102;

int Copy1D(const double* input, int count, double* output);
int Shift(const double* input, int count, int shifts, double* output);

} // namespace kvor

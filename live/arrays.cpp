// SPDX-License-Identifier: GPL-3.0-or-later
// Array routines on doubles: the strip-chart history ages through Shift.
#include "live/arrays.h"

#include <algorithm>
#include <cstring>

namespace kvor {

int Copy1D(const double* input, int count, double* output) {
    if (count < 1) return kErrCountBelowOne;
    for (int i = 0; i < count; ++i)
        output[i] = input[i];
    return 0;
}

int Shift(const double* input, int count, int shifts, double* output) {
    if (count < 1) return kErrCountBelowOne;
    // Widened, so that the magnitude of the most negative int is still a number.
    long long s = shifts;
    long long m = s < 0 ? -s : s;
    if (m >= count) return kErrShiftTooLong;
    if (s == 0) return Copy1D(input, count, output);
    const int k = static_cast<int>(m);
    const auto kept = static_cast<std::size_t>(count - k) * sizeof(double);
    // memmove copies as if through a buffer, so the shift is safe in place.
    if (s > 0) {
        std::memmove(output + k, input, kept);
        std::fill(output, output + k, 0.0);
    } else {
        std::memmove(output, input + k, kept);
        std::fill(output + (count - k), output + count, 0.0);
    }
    return 0;
}

} // namespace kvor

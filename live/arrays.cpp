// SPDX-License-Identifier: GPL-3.0-or-later
// Array routines on doubles: the strip-chart history ages through Shift.
#include "live/arrays.h"

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
    int k = static_cast<int>(m);
    // Copying away from the side that is emptied makes the shift safe in place.
    if (s > 0) {
        for (int i = count - 1; i >= k; --i)
            output[i] = input[i - k];
        for (int i = 0; i < k; ++i)
            output[i] = 0.0;
    } else {
        for (int i = 0; i < count - k; ++i)
            output[i] = input[i + k];
        for (int i = count - k; i < count; ++i)
            output[i] = 0.0;
    }
    return 0;
}

} // namespace kvor

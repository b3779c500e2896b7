// SPDX-License-Identifier: GPL-3.0-or-later
// The bins stay aligned to multiples of their width, so two neighbours always merge into one bin
// of twice the width and no answer ever moves to a bin that does not hold its size.
#include "live/histogram.h"

#include <cmath>

namespace kvor {

double histCount[HIST_BINS] = {};
double histWidth = 1;
double histFirst = 0;
double histTotal = 0;

namespace {

// The bin of a size among all multiples of the width; sizes are 32-bit, so it is exact.
double BinOf(double um) {
    return std::floor(um / histWidth);
}

// The merged bins take the lower or the upper part of the new range, whichever side the size
// that does not fit lies on.
void DoubleTheWidth(bool below) {
    const double first = below ? std::floor((histFirst + HIST_BINS - 1) / 2) - (HIST_BINS - 1)
                               : std::floor(histFirst / 2);
    double merged[HIST_BINS] = {};
    for (int k = 0; k < HIST_BINS; ++k) {
        const int into = static_cast<int>(std::floor((histFirst + k) / 2) - first);
        merged[into] += histCount[k];
    }
    for (int k = 0; k < HIST_BINS; ++k)
        histCount[k] = merged[k];
    histFirst = first;
    histWidth *= 2;
}

} // namespace

void ResetHistogram() {
    for (double& c : histCount)
        c = 0;
    histWidth = 1;
    histFirst = 0;
    histTotal = 0;
}

void AddToHistogram(i32 um) {
    const double x = um;
    // The first size sits in the middle, with room for scatter on both sides.
    if (histTotal == 0) histFirst = BinOf(x) - HIST_BINS / 2;
    // Each doubling at least doubles the reach on the size's side: a few dozen at most.
    while (BinOf(x) < histFirst || BinOf(x) >= histFirst + HIST_BINS)
        DoubleTheWidth(BinOf(x) < histFirst);
    histCount[static_cast<int>(BinOf(x) - histFirst)] += 1;
    histTotal += 1;
}

} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// How the sizes since the last reset of the statistics are distributed: counts in a fixed number
// of bins whose width doubles whenever a size falls outside, so every answer counts in constant
// memory however long the line runs and however far a size strays.
#pragma once

#include "state/state.h"

namespace kvor {

inline constexpr int HIST_BINS = 64;

extern double histCount[HIST_BINS]; // answers per bin
extern double histWidth;            // micrometres per bin: a power of two, 1 to start with
extern double histFirst;            // bin k holds sizes in [(histFirst + k) · w, ... + w)
extern double histTotal;            // answers counted

void ResetHistogram();
// Counts a size in micrometres.
void AddToHistogram(i32 um);

} // namespace kvor

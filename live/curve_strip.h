// SPDX-License-Identifier: GPL-3.0-or-later
// The video curve with its threshold line, and the strip chart of the measurement history.
#pragma once

#include "state/state.h"

namespace kvor {

void PlotVIDEOCurve(const u16* samples, const double* positions);
void PlotRAWGraphX8();

} // namespace kvor

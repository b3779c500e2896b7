// SPDX-License-Identifier: GPL-3.0-or-later
// The bar graph of the pixel line and the numeric measurement displays.
#pragma once

namespace kvor {

void PlotVIDEOBarGraph();
// The tolerance test of the current answer: Mvalue within tVal ± tol, both ends included.
bool MeasuringValueInTolerance();

} // namespace kvor

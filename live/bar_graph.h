// SPDX-License-Identifier: GPL-3.0-or-later
// The bar graph of the pixel line and the numeric measurement displays.
#pragma once

namespace kvor {

void PlotVIDEOBarGraph();

} // namespace kvor

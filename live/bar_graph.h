// The bar graph of the pixel line and the numeric measurement displays.
#pragma once

namespace kvor {

void PlotVIDEOBarGraph();

} // namespace kvor

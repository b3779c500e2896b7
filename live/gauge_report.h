// SPDX-License-Identifier: GPL-3.0-or-later
// The gauge study's report: one PDF page with the figures, the run chart, the sensor, the date
// and the operator's inputs, and the readings as a CSV file beside it.
#pragma once

#include "state/callback.h"

namespace kvor {

KVOR_CALLBACK(CC_GaugeSaveReport);

// The study's report as a PDF at `path`, and its readings as a CSV file at `csvPath`; each 0 when
// written.
int WriteGaugeReport(const char* path);
int WriteGaugeReadings(const char* csvPath);
// Where the readings go beside a report: its name ending in .csv instead of .pdf.
void GaugeReadingsPath(const char* reportPath, char* csvPath, int size);

} // namespace kvor

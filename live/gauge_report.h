// SPDX-License-Identifier: GPL-3.0-or-later
// The gauge study's report: one PDF page with the figures, the run chart, the sensor, the date
// and the operator's inputs, and the readings as a CSV file beside it.
#pragma once

#include "state/callback.h"

namespace kvor {

KVOR_CALLBACK(CC_GaugeSaveReport);

} // namespace kvor

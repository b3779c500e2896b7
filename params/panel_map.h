// SPDX-License-Identifier: GPL-3.0-or-later
// Parameter variables to and from the panel controls.
#pragma once

#include "state/state.h"

namespace kvor {

void GetPanelValues();
void SetPanelValues();
// The 16 words a Send would write now, read from the panel as GetPanelValues and CopyVarsToPP
// would read them, without changing a variable.
void ReadPanelWords(u16* words);
// The scale M of the factor word: 512 for CCD type 104, 1024 for every other sensor.
int SlopeMultiplier();
// The same for a sensor of CCD type `ccdType`, connected or not.
int SlopeMultiplierOf(u16 ccdType);
// Shows the calibration words slope and intersect as factor and offset on the pop-up.
void ShowCalibrationWords();
// A real value from the panel as a 16-bit word: truncated toward zero, then held to 0..65535
// (infinities included); NaN leaves `unchanged`.
u16 RealToWord(double value, u16 unchanged);
// Shows the analog output's displays (31, 35, 34, 14, 53) for analog modes above 1, else hides
// them.
void ShowAnalogOutput(u16 mode);

} // namespace kvor

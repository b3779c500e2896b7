// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter frame: variables to and from the word buffer, and the accepted ranges.
#pragma once

#include "state/state.h"

namespace kvor {

// Firmware 240 and above carries the trigger mode in word 15, older firmware the delta
// tolerance.
bool TriggerInWord15();
// Where the calibration words lie in the parameter set.
inline constexpr int SLOPE_WORD = 12;
inline constexpr int INTERSECT_WORD = 13;
void CopyVarsToPP();
void CopyPPtoVars();
// CopyPPtoVars for the words of an answered parameter read, except the words the scope learned
// or wrote after that read went out: the newest set wins.
void CopyNewestPPtoVars();
// Brings parameter words 0..15 into their accepted ranges (each rule touches its own variable).
void ApplyRangeRules();

} // namespace kvor

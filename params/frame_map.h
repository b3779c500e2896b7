// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter frame: variables to and from the word buffer, and the accepted ranges.
#pragma once

#include "state/state.h"

namespace kvor {

// Firmware 240 and above carries the trigger mode in word 15, older firmware the delta
// tolerance.
bool TriggerInWord15();
void CopyVarsToPP();
void CopyPPtoVars();
// Brings parameter words 0..15 into their accepted ranges (each rule touches its own variable).
void ApplyRangeRules();

} // namespace kvor

// The parameter frame: variables to and from the word buffer, and the accepted ranges.
#pragma once

#include "app/state.h"

namespace kvor {

void CopyVarsToPP();
void CopyPPtoVars();
// Brings parameter words 0..15 into their accepted ranges (each rule touches its own variable).
void ApplyRangeRules();
// The scale M of the calibration factor word: 512 for CCD type 104, otherwise 1024.
i32 SlopeMultiplier();

} // namespace kvor

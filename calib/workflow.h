// SPDX-License-Identifier: GPL-3.0-or-later
// The two-point calibration on the pop-up.
#pragma once

#include "state/callback.h"
#include "state/state.h"

namespace kvor {

// Sends calibration sub-command `step` (data word 0; the store sets words 1 and 2 before) and
// waits for the answer. Returns 1 when answered (slope and intersect then hold answer words
// 0 and 1), 0 on time-out.
int CalibrationExchange(int step, u16 newSlope = 0, u16 newIntersect = 0);

// Dims the six calibration controls, turns both check boxes off and clears both flags.
void SetCalibrationRest();

KVOR_CALLBACK(CC_ActivateCalibration);
KVOR_CALLBACK(CC_DiscardCalibration);
KVOR_CALLBACK(CC_CheckStep1);
KVOR_CALLBACK(CC_CheckStep2);
KVOR_CALLBACK(CC_ButtonAcceptObject1);
KVOR_CALLBACK(CC_ButtonAcceptObject2);
KVOR_CALLBACK(CC_ButtonDoFit);

} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// Storing a fitted line in the sensor.
#pragma once

#include "state/callback.h"
#include "state/state.h"

namespace kvor {

// Why a fitted line has no calibration words.
enum CalibrationWordsStatus : int {
    kCalWordsOk = 0,
    kCalFitNotANumber = -1,    // slope or intercept is not a number
    kCalFactorOutOfRange = -2, // M · factor truncated lies outside 0..65535
    kCalOffsetOutOfRange = -3, // 30000 + offset truncated lies outside 0..65535
};

// Encodes a factor and an offset as the words slope (factor · multiplier) and intersect
// (30000 + offset), each truncated toward zero. Writes both words only when both fit.
int EncodeCalibrationWords(double factor, double offset, int multiplier, u16* slopeWord,
                           u16* intersectWord);

KVOR_CALLBACK(CC_ButtonSaveCalValues);

} // namespace kvor

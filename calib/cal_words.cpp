// SPDX-License-Identifier: GPL-3.0-or-later
// The sensor's calibration words: factor and offset as unsigned 16-bit values.
#include "calib/store.h"

#include <cmath>

namespace kvor {

namespace {

// True when v truncated toward zero is a word, 0..65535; false for not-a-number as well.
bool TruncatesToWord(double v) {
    return v > -1.0 && v < 65536.0;
}

} // namespace

int EncodeCalibrationWords(double factor, double offset, int multiplier, u16* slopeWord,
                           u16* intersectWord) {
    if (std::isnan(factor) || std::isnan(offset)) return kCalFitNotANumber;
    double s = multiplier * factor;
    double i = YOFFSET + offset;
    if (!TruncatesToWord(s)) return kCalFactorOutOfRange;
    if (!TruncatesToWord(i)) return kCalOffsetOutOfRange;
    *slopeWord = static_cast<u16>(static_cast<i32>(s));
    *intersectWord = static_cast<u16>(static_cast<i32>(i));
    return kCalWordsOk;
}

} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter set as the 16 words of a frame, and the ranges the sensor accepts.
#include "params/frame_map.h"

#include <algorithm>

#include "link/exchange.h"

namespace kvor {

bool TriggerInWord15() {
    return softversion >= 240;
}

namespace {

// Word 9 and word 15 (delta tolerance) lie in 1..ccdvirtpixel.
void PixelSpan(u16& value) {
    if (value > ccdvirtpixel) value = ccdvirtpixel;
    if (value == 0) value = 1;
}

} // namespace

void CopyVarsToPP() {
    pp[0] = power;
    pp[1] = rs232Mode;
    pp[2] = vThd;
    pp[3] = anaMode;
    pp[4] = polarity;
    pp[5] = eMode;
    pp[6] = eBeg;
    pp[7] = eEnd;
    pp[8] = tVal;
    pp[9] = tTol;
    pp[10] = opMode;
    pp[11] = eHardware;
    pp[12] = slope;
    pp[13] = intersect;
    pp[14] = average;
    pp[15] = TriggerInWord15() ? trigMode : deltaTol;
}

void CopyPPtoVars() {
    power = pp[0];
    rs232Mode = pp[1];
    vThd = pp[2];
    anaMode = pp[3];
    polarity = pp[4];
    eMode = pp[5];
    eBeg = pp[6];
    eEnd = pp[7];
    tVal = pp[8];
    tTol = pp[9];
    opMode = pp[10];
    eHardware = pp[11];
    slope = pp[12];
    intersect = pp[13];
    average = pp[14];
    // A file or an answer does not say which firmware wrote word 15.
    deltaTol = pp[15];
    trigMode = pp[15];
}

void CopyNewestPPtoVars() {
    u16 answer[PNUM];
    std::copy_n(pp, PNUM, answer);
    CopyVarsToPP();
    for (int i = 0; i < PNUM; ++i)
        if (!NewerThanAnswer(i)) pp[i] = answer[i];
    CopyPPtoVars();
}

void ApplyRangeRules() {
    if (power > 1000) power = 500;
    if (rs232Mode > 1) rs232Mode = 0;
    if (vThd > 950) vThd = 950;
    if (vThd < 50) vThd = 50;
    if (anaMode > 7) anaMode = 0;
    if (polarity > 1) polarity = 1;
    // The sensor knows left edge, right edge and centre; the bar graph draws every other mode
    // as the centre, so that is what the operator is shown and what goes back to the sensor.
    if (eMode > 2) eMode = 2;
    if (eBeg > ccdvirtpixel) eBeg = 1;
    if (eEnd > ccdvirtpixel) eEnd = ccdvirtpixel;
    if (eEnd == 0) eEnd = 1;
    PixelSpan(tTol);
    if (eHardware > 3) eHardware = 3;
    // 65535 is what an erased word reads: factor 1.0 on the 1024 scale, whatever the scale.
    if (slope == 65535) slope = SLOPEMULTI;
    if (intersect > 60000) intersect = YOFFSET;
    if (average > 1024) average = 1024;
    PixelSpan(deltaTol);
}

} // namespace kvor

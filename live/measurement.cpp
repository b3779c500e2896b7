// SPDX-License-Identifier: GPL-3.0-or-later
// One measurement answer: its words in the measurement variables, its tolerance test, and what
// both acquisition loops do with it.
#include "live/measurement.h"

#include <cstdint>

#include "link/video_blocks.h"
#include "live/answer_tally.h"
#include "live/bar_graph.h"
#include "live/chart_history.h"
#include "live/curve_strip.h"
#include "state/state.h"

namespace kvor {

void CopyPPtoMeasurement() {
    Ledge = pp[0];
    Redge = pp[1];
    Mvalue = pp[2];
    // Word 3 is the low half, word 4 the high half of a two's-complement 32-bit value, so a
    // negative size (an offset below zero at a small measuring value) comes out negative.
    umValue = static_cast<i32>(static_cast<std::uint32_t>(pp[4]) << 16 | pp[3]);
    tVal = pp[5];
    tol = pp[6];
    edcnt = pp[7];
    mvstart = pp[8];
    mvend = pp[9];
    freevar = pp[10];
    anaMax = pp[11];
    anaMin = pp[12];
    in0 = pp[13];
}

bool MeasuringValueInTolerance() {
    // Signed limits: a setpoint below the tolerance gives a lower limit below 0 that no
    // measuring value can undercut.
    int upper = tVal + tol;
    int lower = tVal - tol;
    return !(Mvalue > upper || Mvalue < lower);
}

void TakeMeasurementAnswer(int loop) {
    CopyPPtoMeasurement();
    StampAnswer();
    if (loop == VIDEO_LOOP) ReadVideoLine();
    PlotVIDEOBarGraph();
    if (loop == VIDEO_LOOP) {
        PlotVIDEOCurve(adcbuf, xArray8);
    } else {
        PlotRAWGraphX8();
    }
    TallyMeasurementAnswer();
}

} // namespace kvor

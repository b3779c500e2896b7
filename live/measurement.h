// SPDX-License-Identifier: GPL-3.0-or-later
// One measurement answer: its words in the measurement variables, its tolerance test, and what
// both acquisition loops do with it.
#pragma once

namespace kvor {

// The loop an answer belongs to: it decides the graph of the pixel line that shows it.
enum MeasuringLoop : int {
    RUN_LOOP = 0,   // the strip chart
    VIDEO_LOOP = 1, // the raw CCD samples, read after the answer, as a curve
};

// Copies the 16 words of a measurement answer in pp into the measurement variables.
void CopyPPtoMeasurement();
// The tolerance test of the current answer: Mvalue within tVal ± tol, both ends included.
bool MeasuringValueInTolerance();
// Everything the program does with the measurement answer in pp: the words into the measurement
// variables first (anything after may process events, and a callback may refill pp), then in the
// video loop the raw samples, then the numeric displays, the bar graph, the loop's graph of the
// line and the tally.
void TakeMeasurementAnswer(int loop);

} // namespace kvor

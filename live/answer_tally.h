// SPDX-License-Identifier: GPL-3.0-or-later
// What happens to every measurement answer once it is drawn, whichever loop drew it, and to the
// figures made of them when the answers change their scale.
#pragma once

namespace kvor {

// Adds the answer in the measurement variables to the statistics, to a running record and to a
// running gauge study.
void TallyMeasurementAnswer();
// Called with every answer once it is tallied, when set: a program without windows writes the
// answer out and decides when its loop has taken enough.
extern void (*answerWatcher)();
// The answers after now are of another scale (a new calibration): the statistics and the
// distribution start afresh, a gauge study's series is broken off, and a running record says why
// in a row of its own.
void StartFiguresAfresh(const char* why);

} // namespace kvor

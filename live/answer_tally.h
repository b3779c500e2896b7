// SPDX-License-Identifier: GPL-3.0-or-later
// What happens to every measurement answer once it is drawn, whichever loop drew it.
#pragma once

namespace kvor {

// Adds the answer in the measurement variables to the statistics, to a running record and to a
// running gauge study.
void TallyMeasurementAnswer();
// Called with every answer once it is tallied, when set: a program without windows writes the
// answer out and decides when its loop has taken enough.
extern void (*answerWatcher)();

} // namespace kvor

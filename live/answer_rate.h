// SPDX-License-Identifier: GPL-3.0-or-later
// The answer rate: answers per second over the last second while a loop runs, so that a line
// that slows down shows before it times out.
#pragma once

namespace kvor {

void StartAnswerRate();
// One answer taken and drawn.
void CountAnswer();
// No loop runs: the display shows "–".
void StopAnswerRate();

} // namespace kvor

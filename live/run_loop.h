// SPDX-License-Identifier: GPL-3.0-or-later
// The measurement loop.
#pragma once

#include "state/callback.h"

namespace kvor {

void PushRUN();
// Both acquisition loops start alike: one graph in place of the other, Run and Video dimmed, the
// RAM target chosen again; and end alike: Run, Video and Get undimmed.
void BeginAcquisition(int shownGraph, int hiddenGraph);
void EndAcquisition();
KVOR_CALLBACK(CC_BTNRun);
KVOR_CALLBACK(CC_BTNStop);

} // namespace kvor

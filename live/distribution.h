// SPDX-License-Identifier: GPL-3.0-or-later
// The distribution window: a histogram of the size in micrometres over the answers since the
// statistics were last reset, with the tolerance limits, the mean and the normal curve of the same
// mean and deviation, and beside it the scatter within and overall and the capability both ways.
#pragma once

#include "state/callback.h"
#include "state/state.h"

namespace kvor {

extern i32 pDistribution;     // its panel; 0 until first opened
extern i32 distributionShown; // 1 while the operator has it open

// Redraws the window when it is open (every answer, every reset).
void ShowDistribution();

// Program end: the window goes.
void DiscardDistributionWindow();

KVOR_CALLBACK(CC_BTNDistribution);
int CC_DISTRIBUTION_PANEL(int panel, int event, void* callbackData, int eventData1, int eventData2);

} // namespace kvor

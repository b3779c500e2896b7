// SPDX-License-Identifier: GPL-3.0-or-later
// The individuals and moving-range chart of the size, with the run rules that tell the operator
// the process starts to drift before parts leave the tolerance. The limits come from the first
// readings after a restart or are entered, and stay fixed until the operator changes them.
#pragma once

#include "state/state.h"

namespace kvor {

inline constexpr i32 CC_BASELINE = 25; // readings the limits are set from
inline constexpr i32 CC_WINDOW = 8;    // the longest run a rule looks back over

// The run rules, one bit each. Their numbers, as the chart marks them, are 1 to 5.
enum : i32 {
    RULE_BEYOND_3_SIGMA = 1 << 0,  // 1: one point beyond 3 sigma
    RULE_2_OF_3_BEYOND_2 = 1 << 1, // 2: two of three beyond 2 sigma on one side
    RULE_4_OF_5_BEYOND_1 = 1 << 2, // 3: four of five beyond 1 sigma on one side
    RULE_8_ON_ONE_SIDE = 1 << 3,   // 4: eight in a row on one side of the centre line
    RULE_TREND_OF_6 = 1 << 4,      // 5: six in a row rising or falling
    RULES_ALL = (1 << 5) - 1,
};

extern i32 ccRulesOn;       // the rules the operator watches
extern i32 ccLimitsKnown;   // 1 once centre line and average moving range are set
extern double ccCentre;     // centre line: mean of the baseline, or entered
extern double ccMRBar;      // average moving range of the baseline, or entered
extern i32 ccBaselineCount; // readings taken towards the limits so far
extern double ccBaselineSum;
extern double ccBaselineMRSum;
extern double ccPrevious;          // the reading before the newest, for the moving range
extern i32 ccReadings;             // readings since the restart (baseline included)
extern double ccRecent[CC_WINDOW]; // the newest readings since the limits were set, oldest first
extern i32 ccRecentCount;

// Sets the limits from the next CC_BASELINE readings.
void ControlChartRestart();
// Fixes the limits the operator entered: the centre line and the average moving range.
void ControlChartSetLimits(double centre, double mrBar);
// Takes the next reading: into the baseline while it is being gathered, else against the rules.
// Returns the rules this reading breaks (0 while gathering, and for none).
i32 ControlChartAdd(double size);

double ControlChartSigma(); // the scatter within: 2.66 MR-bar / 3 (MR-bar / 1.128)
double ControlChartUCL();   // centre + 2.66 MR-bar
double ControlChartLCL();   // centre - 2.66 MR-bar
double ControlChartMRUCL(); // 3.267 MR-bar
// The lowest rule number among `rules` (1 to 5), 0 for none.
int LowestRuleNumber(i32 rules);
// "Rule 2: two of three beyond 2 sigma on one side" and so on; "" for 0.
const char* RuleText(int number);

} // namespace kvor

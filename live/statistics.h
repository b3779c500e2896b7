// SPDX-License-Identifier: GPL-3.0-or-later
// Live statistics of the measuring value over the answers since the last reset: what the
// operator reads to qualify a set-up (where the values sit, how they scatter, how often they
// leave the tolerance band, how capable the process is).
#pragma once

#include "state/callback.h"
#include "state/state.h"

namespace kvor {

// Running sums, updated in constant time per answer (Welford's method keeps the scatter exact
// over millions of answers where a sum of squares would cancel).
extern double statCount; // answers since the last reset
extern double statMean;  // measuring value: mean
extern double statM2;    // ... sum of squared deviations from the mean
extern double statMin;   // ... smallest and largest
extern double statMax;
extern double statInTol;  // answers within their own tolerance band
extern double statUmMean; // size in micrometres: mean
extern double statUmM2;   // ... sum of squared deviations
// Moving ranges between consecutive answers: the scatter within the process, free of its drift.
extern double statLast;    // measuring value of the previous answer
extern double statMRSum;   // ... sum of the moving ranges
extern double statUmLast;  // size in micrometres of the previous answer
extern double statUmMRSum; // ... sum of its moving ranges
extern i32 statUpper;      // the tolerance band of the latest answer
extern i32 statLower;
extern i32 statTol;

// Derived quantities; NaN while not defined (fewer than two answers, no scatter).
double StatStdDev(); // overall: the sample deviation
double StatUmStdDev();
double StatWithinStdDev(); // within: the average moving range / 1.128
double StatUmWithinStdDev();
double StatInTolPercent();
// Capability against the band of the latest answer: Cp and Cpk from the scatter within, Pp and
// Ppk from the overall scatter, as process-capability practice names them.
double StatCp();
double StatCpk();
double StatPp();
double StatPpk();

// Forgets every answer (program start, Reset statistics, another port) and shows the empty set.
void ResetStatistics();
// Takes the measurement answer in the measurement variables into the sums.
void AddAnswerToStatistics();
void ShowStatistics();

KVOR_CALLBACK(CC_BTNResetStatistics);

} // namespace kvor

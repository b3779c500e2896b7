// SPDX-License-Identifier: GPL-3.0-or-later
// Live statistics of the measuring value: count, mean, scatter, extremes, the share within the
// tolerance band and the process capability, over the answers since the last reset.
#include "live/statistics.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "live/distribution.h"
#include "live/histogram.h"
#include "live/measurement.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"

namespace kvor {

double statCount = 0;
double statMean = 0;
double statM2 = 0;
double statMin = 0;
double statMax = 0;
double statInTol = 0;
double statUmMean = 0;
double statUmM2 = 0;
double statLast = 0;
double statMRSum = 0;
double statUmLast = 0;
double statUmMRSum = 0;
i32 statUpper = 0;
i32 statLower = 0;
i32 statTol = 0;

namespace {

constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();
constexpr double kD2 = 1.128; // expected range of two normal values, in deviations

// Sample deviation (n - 1): the answers are a sample of what the line produces.
double SampleDeviation(double m2) {
    if (statCount < 2) return kUndefined;
    return std::sqrt(m2 / (statCount - 1));
}

// The average of the n - 1 moving ranges, scaled to a deviation.
double WithinDeviation(double mrSum) {
    if (statCount < 2) return kUndefined;
    return mrSum / (statCount - 1) / kD2;
}

double Potential(double s) {
    if (!(s > 0)) return kUndefined;
    return 2.0 * statTol / (6.0 * s);
}

// The nearer limit counts: a process off centre uses up its band on that side.
double Performance(double s) {
    if (!(s > 0)) return kUndefined;
    return std::min(statUpper - statMean, statMean - statLower) / (3.0 * s);
}

// Welford: the mean moves by its share of the new deviation; m2 grows by the product of the
// deviations from the old and the new mean.
void Accumulate(double x, double* mean, double* m2) {
    const double delta = x - *mean;
    *mean += delta / statCount;
    *m2 += delta * (x - *mean);
}

} // namespace

double StatStdDev() {
    return SampleDeviation(statM2);
}

double StatUmStdDev() {
    return SampleDeviation(statUmM2);
}

double StatWithinStdDev() {
    return WithinDeviation(statMRSum);
}

double StatUmWithinStdDev() {
    return WithinDeviation(statUmMRSum);
}

double StatInTolPercent() {
    return statCount < 1 ? kUndefined : 100.0 * statInTol / statCount;
}

// No scatter leaves a capability undefined.
double StatCp() {
    return Potential(StatWithinStdDev());
}

double StatCpk() {
    return Performance(StatWithinStdDev());
}

double StatPp() {
    return Potential(StatStdDev());
}

double StatPpk() {
    return Performance(StatStdDev());
}

void ResetStatistics() {
    statCount = 0;
    statMean = 0;
    statM2 = 0;
    statMin = 0;
    statMax = 0;
    statInTol = 0;
    statUmMean = 0;
    statUmM2 = 0;
    statLast = 0;
    statMRSum = 0;
    statUmLast = 0;
    statUmMRSum = 0;
    statUpper = 0;
    statLower = 0;
    statTol = 0;
    ResetHistogram();
    ShowStatistics();
}

void AddAnswerToStatistics() {
    statCount += 1;
    const double x = Mvalue;
    if (statCount == 1) {
        statMin = x;
        statMax = x;
    }
    if (statCount > 1) {
        statMRSum += std::abs(x - statLast);
        statUmMRSum += std::abs(umValue - statUmLast);
    }
    statLast = x;
    statUmLast = umValue;
    statMin = std::min(statMin, x);
    statMax = std::max(statMax, x);
    Accumulate(x, &statMean, &statM2);
    Accumulate(umValue, &statUmMean, &statUmM2);
    AddToHistogram(umValue);
    // The same test that colours the value displays, with this answer's own setpoint and band.
    if (MeasuringValueInTolerance()) statInTol += 1;
    statUpper = tVal + tol;
    statLower = tVal - tol;
    statTol = tol;
}

void ShowStatistics() {
    const bool any = statCount >= 1;
    SetCtrlVal(pHandle, MAIN_STAT_COUNT, statCount);
    SetCtrlVal(pHandle, MAIN_STAT_MEAN, any ? statMean : kUndefined);
    SetCtrlVal(pHandle, MAIN_STAT_STDDEV, StatStdDev());
    SetCtrlVal(pHandle, MAIN_STAT_MIN, any ? statMin : kUndefined);
    SetCtrlVal(pHandle, MAIN_STAT_MAX, any ? statMax : kUndefined);
    SetCtrlVal(pHandle, MAIN_STAT_INTOL, StatInTolPercent());
    SetCtrlVal(pHandle, MAIN_STAT_CP, StatCp());
    SetCtrlVal(pHandle, MAIN_STAT_CPK, StatCpk());
    SetCtrlVal(pHandle, MAIN_STAT_UM_MEAN, any ? statUmMean : kUndefined);
    SetCtrlVal(pHandle, MAIN_STAT_UM_STDDEV, StatUmStdDev());
    ShowDistribution();
}

KVOR_CALLBACK(CC_BTNResetStatistics) {
    if (event == EVENT_COMMIT) ResetStatistics();
    return 0;
}

} // namespace kvor

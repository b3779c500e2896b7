// SPDX-License-Identifier: GPL-3.0-or-later
// The individuals chart's limits and run rules, reading by reading in constant time.
#include "live/control_chart.h"

#include "runtime/runtime.h"

#include <cmath>

namespace kvor {

i32 ccRulesOn = RULES_ALL;
i32 ccLimitsKnown;
double ccCentre;
double ccMRBar;
i32 ccBaselineCount;
double ccBaselineSum;
double ccBaselineMRSum;
double ccPrevious;
i32 ccReadings;
double ccRecent[CC_WINDOW];
i32 ccRecentCount;

namespace {

// 3 / d2 for moving ranges of two (d2 = 1.128): the limits lie 2.66 MR-bar from the centre, and
// one sigma is a third of that, so a point beyond 3 sigma is exactly a point beyond a limit.
constexpr double kLimitFactor = 2.66;
constexpr double kMRLimitFactor = 3.267;

void Remember(double size) {
    if (ccRecentCount == CC_WINDOW) {
        for (int i = 1; i < CC_WINDOW; ++i)
            ccRecent[i - 1] = ccRecent[i];
        --ccRecentCount;
    }
    ccRecent[ccRecentCount++] = size;
}

// The reading k places before the newest (k below ccRecentCount).
double Back(int k) {
    return ccRecent[ccRecentCount - 1 - k];
}

// How many of the newest `n` readings lie beyond `zones` sigma above (side +1) or below (-1).
int BeyondOnSide(int n, double zones, int side) {
    const double edge = zones * ControlChartSigma();
    int count = 0;
    for (int k = 0; k < n; ++k)
        if (side * (Back(k) - ccCentre) > edge) ++count;
    return count;
}

// `count` of the newest `n` beyond `zones` sigma on one side, the newest among them.
bool RunBeyond(int n, int count, double zones) {
    if (ccRecentCount < n) return false;
    const int side = Back(0) > ccCentre ? 1 : -1;
    if (side * (Back(0) - ccCentre) <= zones * ControlChartSigma()) return false;
    return BeyondOnSide(n, zones, side) >= count;
}

bool EightOnOneSide() {
    if (ccRecentCount < 8) return false;
    return BeyondOnSide(8, 0.0, 1) == 8 || BeyondOnSide(8, 0.0, -1) == 8;
}

bool TrendOfSix() {
    if (ccRecentCount < 6) return false;
    bool rising = true;
    bool falling = true;
    for (int k = 0; k < 5; ++k) {
        rising = rising && Back(k) > Back(k + 1);
        falling = falling && Back(k) < Back(k + 1);
    }
    return rising || falling;
}

} // namespace

void ControlChartRestart() {
    ccLimitsKnown = 0;
    ccCentre = 0.0;
    ccMRBar = 0.0;
    ccBaselineCount = 0;
    ccBaselineSum = 0.0;
    ccBaselineMRSum = 0.0;
    ccPrevious = 0.0;
    ccReadings = 0;
    ccRecentCount = 0;
}

void ControlChartSetLimits(double centre, double mrBar) {
    ccCentre = centre;
    ccMRBar = mrBar;
    ccLimitsKnown = std::isfinite(centre) && std::isfinite(mrBar) && mrBar >= 0.0 ? 1 : 0;
    ccBaselineCount = CC_BASELINE;
    ccRecentCount = 0;
}

i32 ControlChartAdd(double size) {
    if (!std::isfinite(size)) return 0;
    ++ccReadings;
    if (ccLimitsKnown == 0) {
        if (ccBaselineCount > 0) ccBaselineMRSum += std::fabs(size - ccPrevious);
        ccBaselineSum += size;
        ++ccBaselineCount;
        ccPrevious = size;
        if (ccBaselineCount >= CC_BASELINE) {
            ccCentre = ccBaselineSum / CC_BASELINE;
            ccMRBar = ccBaselineMRSum / (CC_BASELINE - 1);
            ccLimitsKnown = 1;
        }
        return 0;
    }
    ccPrevious = size;
    Remember(size);
    i32 broken = 0;
    // Without scatter nothing lies beyond a sigma; only the runs on one side and trends count.
    if (RunBeyond(1, 1, 3.0)) broken |= RULE_BEYOND_3_SIGMA;
    if (RunBeyond(3, 2, 2.0)) broken |= RULE_2_OF_3_BEYOND_2;
    if (RunBeyond(5, 4, 1.0)) broken |= RULE_4_OF_5_BEYOND_1;
    if (EightOnOneSide()) broken |= RULE_8_ON_ONE_SIDE;
    if (TrendOfSix()) broken |= RULE_TREND_OF_6;
    return broken & ccRulesOn;
}

double ControlChartSigma() {
    return kLimitFactor * ccMRBar / 3.0;
}

double ControlChartUCL() {
    return ccCentre + kLimitFactor * ccMRBar;
}

double ControlChartLCL() {
    return ccCentre - kLimitFactor * ccMRBar;
}

double ControlChartMRUCL() {
    return kMRLimitFactor * ccMRBar;
}

int LowestRuleNumber(i32 rules) {
    for (int n = 1; n <= 5; ++n)
        if (rules & (1 << (n - 1))) return n;
    return 0;
}

const char* RuleText(int number) {
    switch (number) {
    case 1:
        return N_("Rule 1: one point beyond 3 sigma");
    case 2:
        return N_("Rule 2: two of three beyond 2 sigma on one side");
    case 3:
        return N_("Rule 3: four of five beyond 1 sigma on one side");
    case 4:
        return N_("Rule 4: eight in a row on one side of the centre line");
    case 5:
        return N_("Rule 5: six in a row rising or falling");
    default:
        return "";
    }
}

} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// The distribution window, drawn from the histogram and the running statistics.
#include "live/distribution.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "live/histogram.h"
#include "live/statistics.h"
#include "params/panel_map.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"

namespace kvor {

i32 pDistribution = 0;
i32 distributionShown = 0;

namespace {

constexpr int kCurvePoints = 121;
constexpr int kBarColour = 0x7FA7D9;
constexpr int kBarOutline = 0x2F5F9F;
constexpr int kLimitColour = 0xFF0000;
constexpr int kMeanColour = 0x008000;
constexpr int kCurveColour = 0x000000;

// The band of the latest answer in micrometres, through the sensor's calibration line; false
// when the line does not rise (no calibration words yet) or no answer came.
bool LimitsInMicrometres(double* lower, double* upper) {
    const double factor = static_cast<double>(slope) / SlopeMultiplier();
    const double offset = static_cast<double>(intersect) - YOFFSET;
    if (statCount < 1 || !(factor > 0)) return false;
    *lower = factor * statLower + offset;
    *upper = factor * statUpper + offset;
    return true;
}

void PlotVertical(double x, double top, int colour) {
    const double xs[2] = {x, x};
    const double ys[2] = {0, top};
    PlotXY(pDistribution, DIST_HISTOGRAM, xs, ys, 2, VAL_THIN_LINE, VAL_SOLID, colour);
}

// The normal curve of the mean and the overall deviation, scaled to answers per bin.
void PlotNormalCurve(double lo, double hi, double mean, double s) {
    if (!(s > 0)) return;
    double xs[kCurvePoints];
    double ys[kCurvePoints];
    const double scale = histTotal * histWidth / (s * std::sqrt(2 * std::numbers::pi));
    for (int i = 0; i < kCurvePoints; ++i) {
        xs[i] = lo + (hi - lo) * i / (kCurvePoints - 1);
        const double z = (xs[i] - mean) / s;
        ys[i] = scale * std::exp(-0.5 * z * z);
    }
    PlotXY(pDistribution, DIST_HISTOGRAM, xs, ys, kCurvePoints, VAL_THIN_LINE, VAL_SOLID,
           kCurveColour);
}

void ShowFigures() {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    SetCtrlVal(pDistribution, DIST_COUNT, statCount);
    SetCtrlVal(pDistribution, DIST_MEAN, statCount >= 1 ? statUmMean : nan);
    SetCtrlVal(pDistribution, DIST_WITHIN, StatUmWithinStdDev());
    SetCtrlVal(pDistribution, DIST_OVERALL, StatUmStdDev());
    SetCtrlVal(pDistribution, DIST_CP, StatCp());
    SetCtrlVal(pDistribution, DIST_CPK, StatCpk());
    SetCtrlVal(pDistribution, DIST_PP, StatPp());
    SetCtrlVal(pDistribution, DIST_PPK, StatPpk());
}

} // namespace

void ShowDistribution() {
    if (distributionShown == 0) return;
    ShowFigures();
    DeleteGraphPlot(pDistribution, DIST_HISTOGRAM, -1, VAL_DELAYED_DRAW);
    if (histTotal < 1) return;
    int first = HIST_BINS, last = -1;
    double tallest = 0;
    for (int k = 0; k < HIST_BINS; ++k) {
        if (histCount[k] <= 0) continue;
        first = std::min(first, k);
        last = std::max(last, k);
        tallest = std::max(tallest, histCount[k]);
    }
    double lo = (histFirst + first) * histWidth;
    double hi = (histFirst + last + 1) * histWidth;
    for (int k = first; k <= last; ++k) {
        const double x = (histFirst + k) * histWidth;
        if (histCount[k] > 0)
            PlotRectangle(pDistribution, DIST_HISTOGRAM, x, 0, x + histWidth, histCount[k],
                          kBarOutline, kBarColour);
    }
    const double s = StatUmStdDev();
    if (s > 0) {
        lo = std::min(lo, statUmMean - 4 * s);
        hi = std::max(hi, statUmMean + 4 * s);
        tallest = std::max(tallest, histTotal * histWidth / (s * std::sqrt(2 * std::numbers::pi)));
    }
    double lower = 0, upper = 0;
    if (LimitsInMicrometres(&lower, &upper)) {
        lo = std::min(lo, lower);
        hi = std::max(hi, upper);
    }
    const double margin = 0.05 * (hi - lo) + histWidth;
    lo -= margin;
    hi += margin;
    const double top = 1.1 * tallest;
    PlotNormalCurve(lo, hi, statUmMean, s);
    if (LimitsInMicrometres(&lower, &upper)) {
        PlotVertical(lower, top, kLimitColour);
        PlotVertical(upper, top, kLimitColour);
    }
    PlotVertical(statUmMean, top, kMeanColour);
    SetAxisScalingMode(pDistribution, DIST_HISTOGRAM, VAL_XAXIS, VAL_MANUAL, lo, hi);
    SetAxisScalingMode(pDistribution, DIST_HISTOGRAM, VAL_LEFT_YAXIS, VAL_MANUAL, 0, top);
}

void DiscardDistributionWindow() {
    distributionShown = 0;
    DiscardWindow(&pDistribution);
}

KVOR_CALLBACK(CC_BTNDistribution) {
    if (event != EVENT_COMMIT) return 0;
    if (LoadWindow(&pDistribution, DISTRIBUTION_PANEL_RESOURCE) == 0) return 0;
    distributionShown = 1;
    ShowDistribution();
    DisplayPanel(pDistribution);
    return 0;
}

int CC_DISTRIBUTION_PANEL(int, int event, void*, int, int) {
    if (event != EVENT_CLOSE) return 0;
    distributionShown = 0;
    HidePanel(pDistribution);
    return 0;
}

} // namespace kvor

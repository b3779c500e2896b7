// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/statistics_reference.h"

#include <algorithm>
#include <cmath>

namespace kvor::test {

ReferenceFigures ComputeReference(const std::vector<ReferenceAnswer>& answers) {
    long double sum = 0, umSum = 0;
    long in = 0, lo = answers.front().mv, hi = answers.front().mv;
    for (const ReferenceAnswer& a : answers) {
        sum += a.mv;
        umSum += a.um;
        in += a.mv >= a.setpoint - a.tol && a.mv <= a.setpoint + a.tol;
        lo = std::min(lo, a.mv);
        hi = std::max(hi, a.mv);
    }
    const long double n = static_cast<long double>(answers.size());
    const long double mean = sum / n, umMean = umSum / n;
    long double ss = 0, uss = 0, mr = 0, umr = 0;
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const ReferenceAnswer& a = answers[i];
        ss += (a.mv - mean) * (a.mv - mean);
        uss += (a.um - umMean) * (a.um - umMean);
        if (i == 0) continue;
        mr += std::abs(a.mv - answers[i - 1].mv);
        umr += std::abs(a.um - answers[i - 1].um);
    }
    ReferenceFigures f;
    f.n = static_cast<double>(n);
    f.mean = static_cast<double>(mean);
    f.umMean = static_cast<double>(umMean);
    f.sd = static_cast<double>(std::sqrt(ss / (n - 1)));
    f.umSd = static_cast<double>(std::sqrt(uss / (n - 1)));
    f.within = static_cast<double>(mr / (n - 1) / 1.128L);
    f.umWithin = static_cast<double>(umr / (n - 1) / 1.128L);
    f.min = static_cast<double>(lo);
    f.max = static_cast<double>(hi);
    f.inPct = 100.0 * static_cast<double>(in) / f.n;
    const ReferenceAnswer& last = answers.back();
    const double upper = static_cast<double>(last.setpoint + last.tol);
    const double lower = static_cast<double>(last.setpoint - last.tol);
    f.cp = 2.0 * static_cast<double>(last.tol) / (6.0 * f.within);
    f.cpk = std::min(upper - f.mean, f.mean - lower) / (3.0 * f.within);
    f.pp = 2.0 * static_cast<double>(last.tol) / (6.0 * f.sd);
    f.ppk = std::min(upper - f.mean, f.mean - lower) / (3.0 * f.sd);
    return f;
}

} // namespace kvor::test

// SPDX-License-Identifier: GPL-3.0-or-later
// Least-squares straight line through n point pairs.
#include "calib/linfit.h"

namespace kvor {

int LinFit(const double* x, const double* y, int n, double* fitted, double* slope,
           double* intercept, double* mse) {
    if (n < 2) return kErrTooFewPoints;
    long double sx = 0.0L;
    long double sxx = 0.0L;
    long double sy = 0.0L;
    long double sxy = 0.0L;
    for (int i = 0; i < n; ++i) {
        long double xi = x[i];
        sx += xi;
        sxx += xi * xi;
        sy += y[i];
        sxy += xi * y[i];
    }
    long double count = n;
    // Normal equations with numerator and denominator both negated. Equal x values make the
    // denominator 0, and the quotients not-a-number, as IEEE arithmetic has it.
    long double d = sx * sx - count * sxx;
    *slope = static_cast<double>((sx * sy - count * sxy) / d);
    *intercept = static_cast<double>((sx * sxy - sxx * sy) / d);
    *mse = 0.0;
    for (int i = 0; i < n; ++i) {
        double f = *slope * x[i] + *intercept;
        fitted[i] = f;
        double r = f - y[i];
        *mse = *mse + r * r;
    }
    *mse = *mse / n;
    return 0;
}

} // namespace kvor

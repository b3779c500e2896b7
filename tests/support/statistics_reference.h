// SPDX-License-Identifier: GPL-3.0-or-later
// The figures of a run of answers computed the textbook way, independently of the scope: two
// passes in long double, the capability from the last answer's band; Cp and Cpk from the scatter
// within (average moving range / 1.128), Pp and Ppk from the overall sample deviation.
#pragma once

#include <vector>

namespace kvor::test {

struct ReferenceAnswer {
    long mv, setpoint, tol, um;
};

struct ReferenceFigures {
    double n = 0, mean = 0, sd = 0, min = 0, max = 0, inPct = 0, cp = 0, cpk = 0, umMean = 0,
           umSd = 0, within = 0, umWithin = 0, pp = 0, ppk = 0;
};

// `answers` must not be empty.
ReferenceFigures ComputeReference(const std::vector<ReferenceAnswer>& answers);

} // namespace kvor::test

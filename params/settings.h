// SPDX-License-Identifier: GPL-3.0-or-later
// Setting controls with immediate feedback, teach and reset.
#pragma once

#include "state/callback.h"

namespace kvor {

KVOR_CALLBACK(CC_NUMVideoThreshold);
KVOR_CALLBACK(CC_NEDITEdgeLeft);
KVOR_CALLBACK(CC_NEDITEdgeRight);
KVOR_CALLBACK(CC_NEDITTolerance);
KVOR_CALLBACK(CC_DROPHardwareMode);
KVOR_CALLBACK(CC_RINGanamode);
KVOR_CALLBACK(CC_TOGGBTN_ParaII);
KVOR_CALLBACK(CC_ButtonTeach);
KVOR_CALLBACK(CC_ButtonReset);

} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// A picture of the main panel as the operator sees it, for reports and service questions.
#pragma once

#include "state/callback.h"

namespace kvor {

KVOR_CALLBACK(CC_BTNSavePicture);

} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// The video-signal mode.
#pragma once

#include "state/callback.h"

namespace kvor {

KVOR_CALLBACK(CC_BTNVideo);

} // namespace kvor

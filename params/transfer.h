// SPDX-License-Identifier: GPL-3.0-or-later
// Parameter transfer to and from RAM, EEPROM and file.
#pragma once

#include "state/callback.h"
#include "state/state.h"

namespace kvor {

void PushGET(i32 where);
KVOR_CALLBACK(CC_BTNSend);
KVOR_CALLBACK(CC_BTNGet);
KVOR_CALLBACK(CC_RBTRam);
KVOR_CALLBACK(CC_RBTEeprom);
KVOR_CALLBACK(CC_RBTFile);

} // namespace kvor

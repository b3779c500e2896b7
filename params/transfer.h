// SPDX-License-Identifier: GPL-3.0-or-later
// Parameter transfer to and from RAM, EEPROM and file.
#pragma once

#include "state/callback.h"
#include "state/state.h"

namespace kvor {

void PushGET(i32 where);
// One parameter read on the line (CMD_READ_RAM or CMD_READ_EEPROM, carrying the variables), with
// PushGET's texts in the status line: on an answer pp holds the sensor's set, recorded in the
// history as `event`. Changes no variable. Returns 1 when answered.
int ReadParameterFrame(i32 command, i32 event);
KVOR_CALLBACK(CC_BTNSend);
KVOR_CALLBACK(CC_BTNGet);
KVOR_CALLBACK(CC_RBTRam);
KVOR_CALLBACK(CC_RBTEeprom);
KVOR_CALLBACK(CC_RBTFile);

} // namespace kvor

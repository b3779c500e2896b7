// SPDX-License-Identifier: GPL-3.0-or-later
// Parameter transfer to and from RAM, EEPROM and file.
#pragma once

#include "state/callback.h"
#include "state/state.h"

namespace kvor {

// The parameter read on the line whose answer the history records when it lands (0: none), what
// it is recorded as and the link it went out on.
extern i32 historyReadRequest;
extern i32 historyReadEvent;
extern i32 historyReadLink;

void PushGET(i32 where);
// One parameter read on the line (CMD_READ_RAM or CMD_READ_EEPROM, carrying the variables), with
// PushGET's texts in the status line: on an answer pp holds the sensor's set, recorded in the
// history as `event` the moment it lands. Changes no variable. Returns 1 when answered.
int ReadParameterFrame(i32 command, i32 event);
// The receive callback took the answer to a parameter read: the history records it now.
void ParameterReadLanded();
KVOR_CALLBACK(CC_BTNSend);
KVOR_CALLBACK(CC_BTNGet);
KVOR_CALLBACK(CC_RBTRam);
KVOR_CALLBACK(CC_RBTEeprom);
KVOR_CALLBACK(CC_RBTFile);

} // namespace kvor

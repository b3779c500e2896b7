// SPDX-License-Identifier: GPL-3.0-or-later
// Port set-up, line check, the receive callback and the port selector.
#pragma once

#include "state/callback.h"
#include "state/state.h"

namespace kvor {

void InitRS232(i32 port);
int CheckComLine(i32 port);
void RX_Receive_Function(int port, int events, void* callbackData);
// Installs RX_Receive_Function as the port's receive callback (mask eventMask, notify count 36).
void InstallRxCallback();
// Removes the receive callback for a raw block read.
void RemoveRxCallback();
// Installs the receive callback unless it is installed.
void EnsureRxCallback();
KVOR_CALLBACK(CC_DropDCom);
// Opens the runtime's line monitor.
KVOR_CALLBACK(CC_BTNLineMonitor);

// The message of the status line for a failed port opening, by the runtime's error code.
const char* ComErrorText(int code);

} // namespace kvor

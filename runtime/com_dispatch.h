// SPDX-License-Identifier: GPL-3.0-or-later
// Between the event processing and the serial ports (internal to the runtime).
#pragma once

#include <set>

namespace kvor::rt {

// Runs every installed receive callback whose notify count of bytes is waiting; true when one ran.
bool DispatchComCallbacks();
// True when an installed receive callback has its notify count of bytes waiting.
bool ComCallbackPending();
// The numbers of the ports that are open.
std::set<int> OpenComPortNumbers();
// Closes every open port (program end).
void CloseAllComPorts();

} // namespace kvor::rt

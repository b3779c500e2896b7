// SPDX-License-Identifier: GPL-3.0-or-later
// Between the event processing and the serial ports (internal to the runtime).
#pragma once

#include <set>

namespace kvor::rt {

// Whether a dispatch looks at the lines (moving what the operating system holds into the queues
// and noticing a hang-up) or counts only the bytes already in the queues, with no system call.
enum class ComLook { Lines, QueuesOnly };

// Runs every installed receive callback whose notify count of bytes is waiting; true when one ran.
bool DispatchComCallbacks(ComLook look = ComLook::Lines);
// A frame a receive callback waits for has begun to arrive: the seconds its missing bytes take at
// the line's rate, the least over the ports (they cannot all be there sooner). 0 when no frame is
// part-way in.
double ComBytesInTransitSeconds();
// True in a program without windows: a frame part-way in is gathered by sleeping for its missing
// bytes, so the lines wake the program at the first byte rather than at a notify count (the
// operating system would wake it at every piece to count them).
bool GathersFramesBySleeping();
// True when an installed receive callback has its notify count of bytes waiting.
bool ComCallbackPending();
// The numbers of the ports that are open.
std::set<int> OpenComPortNumbers();
// Closes every open port (program end).
void CloseAllComPorts();

} // namespace kvor::rt

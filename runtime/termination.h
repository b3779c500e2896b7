// SPDX-License-Identifier: GPL-3.0-or-later
// A logout, a shutdown, kill or Ctrl+C in the terminal the scope was started from (SIGTERM,
// SIGHUP, SIGINT) ends the scope as closing its main window does.
#pragma once

namespace kvor::rt {

// From now on the first of these signals closes the main panel as the operator would, after
// any pop-up open at that moment has been dismissed: the program stops its loop, closes its
// record and its port, and ends. Without a panel to close, the runtime releases its ports and
// files and the signal ends the process as usual; so does a second signal. A program without
// windows sees the signal (TerminationRequested) and ends its work itself.
void EndOnTerminationSignals();
// Whether such a signal has come: the event loop, if it starts only now (the signal came during
// start-up), returns at once.
bool EndingOnSignal();

} // namespace kvor::rt

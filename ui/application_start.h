// SPDX-License-Identifier: GPL-3.0-or-later
// Bringing up the toolkit: the two command-line answers that need no window, and a clear failure
// when there is no display to open one on.
#pragma once

#include <QApplication>
#include <memory>

namespace kvor::rt {

// Prints the help or the version and ends the process with status 0 when the command line asks
// for it; ends it with status 255 (the program's -1) and one line on standard error when no
// display can be opened. Otherwise returns the application, which sees no other argument.
std::unique_ptr<QApplication> StartApplication(int argc, char** argv);

} // namespace kvor::rt

// SPDX-License-Identifier: GPL-3.0-or-later
// The subcommands on the parameter set: get, send and backup.
#pragma once

namespace kvor {

int CommandGet();
int CommandSend();
int CommandBackup();

} // namespace kvor

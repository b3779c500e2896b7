// SPDX-License-Identifier: GPL-3.0-or-later
// What the operator chose and finds again at the next start: the port, the folder last used for
// each kind of file the scope writes (records, pictures, reports), and the choices the windows
// keep themselves (the record format, the gauge study's inputs, the publishing settings).
#pragma once

#include "state/state.h"

namespace kvor {

// 1 where an operator's choices are remembered (the scope); kvorctl sets 0: a script neither
// reads nor changes what the operator chose.
extern i32 rememberChoices;

// The port used last, found again by its station (the adapter, wherever it is numbered now);
// 1 when it is not there or was the simulated sensor, which starts only when it is picked.
i32 RememberedPort();
void RememberPort(i32 port);
// The folder last used for files of `kind` ("records", "pictures", "reports") when it still
// exists, else the program's folder.
void FolderFor(const char* kind, char* dir, int size);
// Keeps the folder of `path` for files of `kind`.
void KeepFolderOf(const char* kind, const char* path);
// A number kept under `key`, or `fallback` when none (or no number) is.
double RememberedNumber(const char* key, double fallback);
void RememberNumber(const char* key, double value);

} // namespace kvor

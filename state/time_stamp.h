// SPDX-License-Identifier: GPL-3.0-or-later
// Local wall-clock time for records and the names of the files the operator saves.
#pragma once

#include "state/state.h"

namespace kvor {

// "2026-12-08T09:41:05.123+01:00": local ISO 8601 with milliseconds and the UTC offset.
void LocalTimeISO(char* text, int size);
// "20261208-094105": for default file names.
void LocalTimeFileStamp(char* text, int size);
// Now in UTC, ISO 8601 with milliseconds: "2025-03-01T08:15:02.347Z".
void UtcTimeISO(char* text, int size);
// Asks where to save a file, offering "PREFIX-20261208-094105.EXTENSION" in the folder last used
// for files of `folderKind` ("pictures", "reports"), or in the program's folder when none is
// given; the dialog asks before replacing a file. Above 0 when the operator chose `path`.
int AskSavePath(const char* prefix, const char* extension, const char* title,
                char (&path)[PATH_LEN], const char* folderKind = nullptr);
// The same for a save that writes files beside the one chosen: the dialog does not ask about
// replacing, the caller asks once about all of them (ConfirmReplace).
int AskSavePathForMany(const char* prefix, const char* extension, const char* title,
                       char (&path)[PATH_LEN], const char* folderKind = nullptr);

} // namespace kvor

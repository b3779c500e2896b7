// SPDX-License-Identifier: GPL-3.0-or-later
// The question before files are replaced: one question for all the files of one save.
#include "state/replace_files.h"

#include <cstdio>
#include <cstring>

#include "runtime/runtime.h"
#include "state/state.h"

namespace kvor {

namespace {

void Append(char* text, std::size_t size, const char* more) {
    std::strncat(text, more, size - std::strlen(text) - 1);
}

} // namespace

int ConfirmReplace(const char* title, const char* const* paths, int count) {
    int existing = 0;
    const char* last = nullptr;
    for (int i = 0; i < count; ++i) {
        if (paths[i] == nullptr || FileExists(paths[i]) != 1) continue;
        ++existing;
        last = paths[i];
    }
    if (existing == 0) return 1;
    char message[4 * PATH_LEN + 80];
    if (existing == 1) {
        std::snprintf(message, sizeof message, Tr("%s already exists.\nReplace it?"), last);
        return ConfirmPopup(title, message);
    }
    CopyText(message, sizeof message, N_("These files already exist:\n"));
    for (int i = 0; i < count; ++i) {
        if (paths[i] == nullptr || FileExists(paths[i]) != 1) continue;
        Append(message, sizeof message, paths[i]);
        Append(message, sizeof message, "\n");
    }
    Append(message, sizeof message, N_("Replace them?"));
    return ConfirmPopup(title, message);
}

} // namespace kvor

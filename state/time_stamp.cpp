// SPDX-License-Identifier: GPL-3.0-or-later
// Local wall-clock time from the C++ library: the formats carry no locale, so a record reads the
// same whatever language the operator's desktop speaks.
#include "state/time_stamp.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "runtime/runtime.h"
#include "state/remembered.h"
#include "state/state.h"

namespace kvor {

namespace {

struct LocalNow {
    std::tm tm{};
    int millis = 0;
};

LocalNow Now() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    LocalNow n;
    // The library looks at the system's time zone file on every conversion: answers that come
    // within one second share the second's conversion. One thread runs the program.
    static std::time_t convertedSecond = -1;
    static std::tm converted{};
    if (seconds != convertedSecond) {
        const std::tm* local = std::localtime(&seconds);
        converted = local != nullptr ? *local : std::tm{};
        convertedSecond = local != nullptr ? seconds : -1;
    }
    n.tm = converted;
    n.millis = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    if (n.millis < 0) n.millis += 1000;
    return n;
}

} // namespace

void UtcTimeISO(char* text, int size) {
    if (text == nullptr || size < 1) return;
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    int millis =
        static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    if (millis < 0) millis += 1000;
    std::tm utc{};
    if (const std::tm* t = std::gmtime(&seconds)) utc = *t;
    char date[24] = {};
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &utc);
    std::snprintf(text, static_cast<std::size_t>(size), "%s.%03dZ", date, millis);
}

void LocalTimeISO(char* text, int size) {
    if (text == nullptr || size < 1) return;
    const LocalNow n = Now();
    char date[24] = {};
    char zone[8] = {};
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &n.tm);
    // "+0100" becomes "+01:00"; a system that knows no offset gives an empty one.
    std::strftime(zone, sizeof zone, "%z", &n.tm);
    char offset[8] = {};
    if (zone[0] != '\0' && zone[1] != '\0' && zone[2] != '\0' && zone[3] != '\0' && zone[4] != '\0')
        std::snprintf(offset, sizeof offset, "%c%c%c:%c%c", zone[0], zone[1], zone[2], zone[3],
                      zone[4]);
    std::snprintf(text, static_cast<std::size_t>(size), "%s.%03d%s", date, n.millis, offset);
}

void LocalTimeFileStamp(char* text, int size) {
    if (text == nullptr || size < 1) return;
    const LocalNow n = Now();
    if (std::strftime(text, static_cast<std::size_t>(size), "%Y%m%d-%H%M%S", &n.tm) == 0)
        text[0] = '\0';
}

namespace {

// "PREFIX-20261208-094105.EXTENSION" and the filter "*.EXTENSION".
void DefaultSaveName(const char* prefix, const char* extension, char (&name)[64],
                     char (&filter)[16]) {
    char stamp[32];
    LocalTimeFileStamp(stamp, sizeof stamp);
    std::snprintf(name, sizeof name, "%s-%s.%s", prefix, stamp, extension);
    std::snprintf(filter, sizeof filter, "*.%s", extension);
}

// The folder a save dialog opens in: the one last used for its kind, else the program's.
void StartFolder(const char* folderKind, char (&dir)[PATH_LEN]) {
    if (folderKind != nullptr)
        FolderFor(folderKind, dir, PATH_LEN);
    else
        CopyText(dir, PATH_LEN, proj_dir);
}

} // namespace

int AskSavePath(const char* prefix, const char* extension, const char* title,
                char (&path)[PATH_LEN], const char* folderKind) {
    char name[64];
    char filter[16];
    char dir[PATH_LEN];
    DefaultSaveName(prefix, extension, name, filter);
    StartFolder(folderKind, dir);
    const int chosen = FileSelectPopup(dir, name, filter, title, VAL_SAVE_BUTTON, 0, 1, 1, 1, path);
    if (chosen > 0 && folderKind != nullptr) KeepFolderOf(folderKind, path);
    return chosen;
}

int AskSavePathForMany(const char* prefix, const char* extension, const char* title,
                       char (&path)[PATH_LEN], const char* folderKind) {
    char name[64];
    char filter[16];
    char dir[PATH_LEN];
    DefaultSaveName(prefix, extension, name, filter);
    StartFolder(folderKind, dir);
    const int chosen = FileSelectSavePopup(dir, name, filter, title, path);
    if (chosen > 0 && folderKind != nullptr) KeepFolderOf(folderKind, path);
    return chosen;
}

} // namespace kvor

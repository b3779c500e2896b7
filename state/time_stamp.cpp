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

// One second of wall-clock time, converted and written out once: answers that come within the
// same second share it (the library looks at the system's time zone file on every conversion).
struct Second {
    std::time_t at = -1;
    std::tm tm{};
    char date[24] = {};  // "2026-12-08T09:41:05"
    char offset[8] = {}; // "+01:00", or empty where the system knows no offset
};

struct WallNow {
    std::time_t seconds = 0;
    int millis = 0;
};

WallNow WallClock() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    WallNow n;
    n.seconds = system_clock::to_time_t(now);
    n.millis = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    if (n.millis < 0) n.millis += 1000;
    return n;
}

// The second `seconds` in local time or in UTC. One thread runs the program, so the library's
// shared result is safe to copy.
const Second& SecondOf(std::time_t seconds, bool local) {
    static Second cached[2];
    Second& s = cached[local ? 1 : 0];
    if (seconds == s.at) return s;
    const std::tm* t = local ? std::localtime(&seconds) : std::gmtime(&seconds);
    s = Second{};
    if (t == nullptr) return s;
    s.tm = *t;
    s.at = seconds;
    std::strftime(s.date, sizeof s.date, "%Y-%m-%dT%H:%M:%S", &s.tm);
    if (!local) return s;
    // "+0100" becomes "+01:00".
    char zone[8] = {};
    std::strftime(zone, sizeof zone, "%z", &s.tm);
    if (zone[0] != '\0' && zone[1] != '\0' && zone[2] != '\0' && zone[3] != '\0' && zone[4] != '\0')
        std::snprintf(s.offset, sizeof s.offset, "%c%c%c:%c%c", zone[0], zone[1], zone[2], zone[3],
                      zone[4]);
    return s;
}

// "DATE.mmmTAIL", cut short (and ended) where `text` holds fewer; written by hand, as every answer
// stamps its time.
void WriteStamp(char* text, int size, const char* date, int millis, const char* tail) {
    int n = 0;
    auto put = [&](char c) {
        if (n < size - 1) text[n++] = c;
    };
    for (const char* c = date; *c != '\0'; ++c)
        put(*c);
    put('.');
    put(static_cast<char>('0' + millis / 100));
    put(static_cast<char>('0' + millis / 10 % 10));
    put(static_cast<char>('0' + millis % 10));
    for (const char* c = tail; *c != '\0'; ++c)
        put(*c);
    text[n] = '\0';
}

} // namespace

void UtcTimeISO(char* text, int size) {
    if (text == nullptr || size < 1) return;
    const WallNow n = WallClock();
    WriteStamp(text, size, SecondOf(n.seconds, false).date, n.millis, "Z");
}

void LocalTimeISO(char* text, int size) {
    if (text == nullptr || size < 1) return;
    const WallNow n = WallClock();
    const Second& s = SecondOf(n.seconds, true);
    WriteStamp(text, size, s.date, n.millis, s.offset);
}

void LocalTimeFileStamp(char* text, int size) {
    if (text == nullptr || size < 1) return;
    const Second& s = SecondOf(WallClock().seconds, true);
    if (std::strftime(text, static_cast<std::size_t>(size), "%Y%m%d-%H%M%S", &s.tm) == 0)
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/remembered.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runtime/runtime.h"
#include "runtime/settings_store.h"

namespace kvor {

i32 rememberChoices = 1;

namespace {

constexpr int kMaxPortSearched = 256;

} // namespace

i32 RememberedPort() {
    char station[PATH_LEN];
    if (rememberChoices == 0) return 1;
    if (SettingGet("port/station", station, "") == 0 || station[0] == '\0') return 1;
    char here[PATH_LEN];
    for (int port = 1; port <= kMaxPortSearched; ++port) {
        if (GetComPortLabel(port, here, sizeof here) < 0) break;
        if (IsSimulatedComPort(port) == 1) continue;
        if (GetComPortStation(port, here, sizeof here) >= 0 && std::strcmp(here, station) == 0)
            return port;
    }
    return 1;
}

void RememberPort(i32 port) {
    char station[PATH_LEN] = "";
    if (rememberChoices == 0) return;
    if (IsSimulatedComPort(port) == 1 || GetComPortStation(port, station, sizeof station) < 0)
        station[0] = '\0';
    SettingSet("port/station", station);
}

void FolderFor(const char* kind, char* dir, int size) {
    char key[64];
    std::snprintf(key, sizeof key, "folders/%s", kind);
    if (rememberChoices == 1 && SettingGet(key, dir, static_cast<std::size_t>(size), "") == 1 &&
        dir[0] != '\0' && FileExists(dir) == 1)
        return;
    CopyText(dir, size, proj_dir);
}

void KeepFolderOf(const char* kind, const char* path) {
    const char* slash = std::strrchr(path, '/');
    if (slash == nullptr || rememberChoices == 0) return;
    char key[64];
    char dir[PATH_LEN];
    std::snprintf(key, sizeof key, "folders/%s", kind);
    std::snprintf(dir, sizeof dir, "%.*s", static_cast<int>(slash == path ? 1 : slash - path),
                  path);
    SettingSet(key, dir);
}

double RememberedNumber(const char* key, double fallback) {
    char text[64];
    if (rememberChoices == 0 || SettingGet(key, text, "") == 0) return fallback;
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    return end != text && *end == '\0' && std::isfinite(value) ? value : fallback;
}

void RememberNumber(const char* key, double value) {
    char text[64];
    if (rememberChoices == 0) return;
    std::snprintf(text, sizeof text, "%.17g", value);
    SettingSet(key, text);
}

} // namespace kvor

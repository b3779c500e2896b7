// SPDX-License-Identifier: GPL-3.0-or-later
// What the operator chose, remembered across runs in the desktop's usual place
// (~/.config/kvorscope/): plain settings by key, and secrets in files only the user can read.
#pragma once

#include <cstddef>

// The text stored under `key` (such as "publish/url"), or `fallback` when none is. Returns 1
// when the key was stored, 0 when the fallback was given.
int SettingGet(const char* key, char* text, std::size_t size, const char* fallback);
template <std::size_t N> int SettingGet(const char* key, char (&text)[N], const char* fallback) {
    return SettingGet(key, text, N, fallback);
}
// Stores `text` under `key` at once; 0, or -1 when the settings cannot be written.
int SettingSet(const char* key, const char* text);
// A secret (a password) kept in its own file, readable and writable by the user alone
// (mode 0600), next to the settings. An empty text removes the file.
int SecretGet(const char* name, char* text, std::size_t size);
template <std::size_t N> int SecretGet(const char* name, char (&text)[N]) {
    return SecretGet(name, text, N);
}
int SecretSet(const char* name, const char* text);

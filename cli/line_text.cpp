// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/line_text.h"

#include <charconv>

namespace kvor {

namespace {

void Put(LineText& line, char c) {
    if (line.length >= LineText::kCapacity - 1) return;
    line.text[line.length++] = c;
    line.text[line.length] = '\0';
}

} // namespace

void AddText(LineText& line, const char* text) {
    for (const char* c = text; *c != '\0'; ++c)
        Put(line, *c);
}

void AddNumber(LineText& line, long long value, int width) {
    char digits[24];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    const int n = error == std::errc{} ? static_cast<int>(end - digits) : 0;
    for (int pad = width - n; pad > 0; --pad)
        Put(line, ' ');
    for (int i = 0; i < n; ++i)
        Put(line, digits[i]);
}

} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// A line of output put together piece by piece, for the line every answer writes: whole numbers
// are spelt by hand, as the formatted print's parsing would cost more than the rest of the answer.
#pragma once

namespace kvor {

struct LineText {
    static constexpr int kCapacity = 400;
    char text[kCapacity] = {};
    int length = 0; // what does not fit is left off; the text stays ended
};

void AddText(LineText& line, const char* text);
// `value` in decimal, right-aligned in `width` characters (no padding with 0).
void AddNumber(LineText& line, long long value, int width = 0);

} // namespace kvor

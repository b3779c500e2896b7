// SPDX-License-Identifier: GPL-3.0-or-later
// Texts across the border between the program (terminated byte strings) and the toolkit.
#pragma once

#include <QString>

#include <cstddef>

namespace kvor::rt {

// A text the program hands over: UTF-8 where its bytes form UTF-8 (the program's own texts),
// every other byte as Latin-1, the 8-bit set the sensor's firmware texts use. Never a
// replacement character. A null pointer is an empty text.
QString FromProgramText(const char* text);

// Copies a text out as UTF-8, terminated, cut to size without splitting a character.
void CopyOut(const QString& text, char* out, std::size_t size);

} // namespace kvor::rt

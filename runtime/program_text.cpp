// SPDX-License-Identifier: GPL-3.0-or-later
// Texts across the border between the program (terminated byte strings) and the toolkit.
#include "runtime/program_text.h"

#include <algorithm>
#include <cstring>

namespace kvor::rt {

namespace {

// The length of the well-formed UTF-8 sequence at p (at most n bytes), or 0.
int Utf8SequenceAt(const unsigned char* p, std::size_t n) {
    const unsigned char b = p[0];
    int len = 0;
    unsigned char lo = 0x80, hi = 0xBF; // the range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
        len = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        len = 3;
        if (b == 0xE0) lo = 0xA0; // no overlong forms
        if (b == 0xED) hi = 0x9F; // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        len = 4;
        if (b == 0xF0) lo = 0x90;
        if (b == 0xF4) hi = 0x8F; // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (static_cast<std::size_t>(len) > n || p[1] < lo || p[1] > hi) return 0;
    for (int i = 2; i < len; ++i)
        if ((p[i] & 0xC0) != 0x80) return 0;
    return len;
}

} // namespace

QString FromProgramText(const char* text) {
    if (text == nullptr) return QString();
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    const std::size_t n = std::strlen(text);
    QString out;
    out.reserve(static_cast<qsizetype>(n));
    for (std::size_t i = 0; i < n;) {
        if (bytes[i] < 0x80) {
            out += QChar(bytes[i++]);
            continue;
        }
        const int len = Utf8SequenceAt(bytes + i, n - i);
        if (len > 0) {
            out += QString::fromUtf8(text + i, len);
            i += static_cast<std::size_t>(len);
        } else {
            out += QChar(bytes[i++]); // Latin-1: the byte is the code point
        }
    }
    return out;
}

void CopyOut(const QString& text, char* out, std::size_t size) {
    if (out == nullptr || size == 0) return;
    const QByteArray utf8 = text.toUtf8();
    std::size_t n = std::min(static_cast<std::size_t>(utf8.size()), size - 1);
    // Never cut a character in two.
    while (n > 0 && n < static_cast<std::size_t>(utf8.size()) &&
           (static_cast<unsigned char>(utf8[static_cast<int>(n)]) & 0xC0) == 0x80)
        --n;
    std::memcpy(out, utf8.constData(), n);
    out[n] = '\0';
}

} // namespace kvor::rt

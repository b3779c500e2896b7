// SPDX-License-Identifier: GPL-3.0-or-later
// Words and frames as they travel on the line: every word 16 bits, high byte first; a frame is
// the sync word, the command word and PNUM data words. The one codec of the program, the
// runtime's line monitor and the simulated sensor; depends on nothing.
#pragma once

#include <cstdint>

#include "wire/protocol.h"

namespace kvor::protocol {

using Byte = std::uint8_t;

// The words of one frame.
struct FrameWords {
    std::uint16_t sync = 0;
    std::uint16_t command = 0;
    std::uint16_t words[PNUM] = {};
};

// The word whose high byte is at[0].
constexpr std::uint16_t WordAt(const Byte* at) {
    return static_cast<std::uint16_t>(at[0] << 8 | at[1]);
}

// Puts the low 16 bits of value at at[0] and at[1], high byte first.
constexpr void PutWordAt(Byte* at, unsigned value) {
    at[0] = static_cast<Byte>(value >> 8 & 0xFF);
    at[1] = static_cast<Byte>(value & 0xFF);
}

// Data words 0..n-1 of the kFrameBytes at frame into words; never more than PNUM, the most a
// frame carries.
constexpr void DecodeDataWords(const Byte* frame, std::uint16_t* words, int n) {
    if (n > PNUM) n = PNUM;
    for (int i = 0; i < n; ++i)
        words[i] = WordAt(frame + 4 + 2 * i);
}

// The words of the kFrameBytes at frame.
constexpr FrameWords DecodeFrame(const Byte* frame) {
    FrameWords f;
    f.sync = WordAt(frame);
    f.command = WordAt(frame + 2);
    DecodeDataWords(frame, f.words, PNUM);
    return f;
}

// The kFrameBytes of a frame into out: the low 16 bits of sync and command, then the PNUM words.
constexpr void EncodeFrame(Byte* out, unsigned sync, unsigned command, const std::uint16_t* words) {
    PutWordAt(out, sync);
    PutWordAt(out + 2, command);
    for (int i = 0; i < PNUM; ++i)
        PutWordAt(out + 4 + 2 * i, words[i]);
}

} // namespace kvor::protocol

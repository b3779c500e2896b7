// SPDX-License-Identifier: GPL-3.0-or-later
// Words on the line as the sensor writes them: 16 bits, high byte first.
#pragma once

#include <cstdint>
#include <vector>

#include "wire/codec.h"

namespace kvor::sim {

using Bytes = std::vector<std::uint8_t>;

inline void PutWord(Bytes& out, unsigned value) {
    protocol::Byte word[2];
    protocol::PutWordAt(word, value);
    out.insert(out.end(), word, word + 2);
}

// A 36-byte frame: sync word, command word, 16 data words.
inline Bytes EncodeFrame(int sync, int command, const std::uint16_t (&words)[protocol::PNUM]) {
    Bytes out(protocol::kFrameBytes);
    protocol::EncodeFrame(out.data(), static_cast<unsigned>(sync), static_cast<unsigned>(command),
                          words);
    return out;
}

} // namespace kvor::sim

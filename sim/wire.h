// SPDX-License-Identifier: GPL-3.0-or-later
// Words on the line as the sensor sees them: 16 bits, high byte first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kvor::sim {

using Bytes = std::vector<std::uint8_t>;

inline void PutWord(Bytes& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

inline std::uint16_t GetWord(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]);
}

// A 36-byte frame: sync word, command word, 16 data words.
inline Bytes EncodeFrame(int sync, int command, const std::uint16_t (&words)[16]) {
    Bytes out;
    out.reserve(36);
    PutWord(out, static_cast<unsigned>(sync));
    PutWord(out, static_cast<unsigned>(command));
    for (std::uint16_t w : words)
        PutWord(out, w);
    return out;
}

} // namespace kvor::sim

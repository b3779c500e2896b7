// SPDX-License-Identifier: GPL-3.0-or-later
// Cuts the bytes that arrive from the scope into 36-byte request frames.
//
// Resynchronisation: a frame must begin 0x00 0x55 0x00 (the request sync word, then the high
// byte of a command word, which is 0 for every command of this sensor). A byte that cannot
// stand where it is in that start is dropped and the start is looked for again from the next
// byte. A partial frame followed by 50 ms of silence is dropped whole: the scope always writes
// a frame at once, so a gap means the rest of it is not coming.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sim/simulated_sensor.h"
#include "sim/wire.h"

namespace kvor::sim {

struct ReceivedFrame {
    Request request;
    double firstByteTime = 0.0; // when its first byte was seen, seconds
};

class FrameReader {
  public:
    static constexpr double kGapSeconds = 0.050;

    // Bytes seen at time `now` (seconds); returns the frames they complete.
    std::vector<ReceivedFrame> feed(const std::uint8_t* bytes, std::size_t count, double now);
    // Drops a partial frame once the line has been silent for the gap.
    void expire(double now);
    void clear() { pending_.clear(); }

    bool hasPartialFrame() const { return !pending_.empty(); }
    double partialDeadline() const { return lastByteTime_ + kGapSeconds; }
    std::size_t discardedBytes() const { return discarded_; }

  private:
    void resynchronise();

    Bytes pending_;
    double firstByteTime_ = 0.0;
    double lastByteTime_ = 0.0;
    std::size_t discarded_ = 0;
};

} // namespace kvor::sim

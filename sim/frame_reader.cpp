// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/frame_reader.h"

#include "wire/protocol.h"

namespace kvor::sim {

namespace {

constexpr std::uint8_t kFrameStart[3] = {0x00, 0x55, 0x00};

} // namespace

std::vector<ReceivedFrame> FrameReader::feed(const std::uint8_t* bytes, std::size_t count,
                                             double now) {
    std::vector<ReceivedFrame> frames;
    expire(now);
    for (std::size_t i = 0; i < count; ++i) {
        if (pending_.empty()) firstByteTime_ = now;
        pending_.push_back(bytes[i]);
        resynchronise();
        if (pending_.size() < static_cast<std::size_t>(protocol::kFrameBytes)) continue;
        ReceivedFrame f;
        static_cast<protocol::FrameWords&>(f.request) = protocol::DecodeFrame(pending_.data());
        f.firstByteTime = firstByteTime_;
        frames.push_back(f);
        pending_.clear();
    }
    lastByteTime_ = now;
    return frames;
}

void FrameReader::expire(double now) {
    if (pending_.empty() || now - lastByteTime_ < kGapSeconds) return;
    discarded_ += pending_.size();
    pending_.clear();
}

void FrameReader::resynchronise() {
    std::size_t i = 0;
    while (i < pending_.size() && i < 3) {
        if (pending_[i] == kFrameStart[i]) {
            ++i;
            continue;
        }
        pending_.erase(pending_.begin());
        ++discarded_;
        i = 0;
    }
}

} // namespace kvor::sim

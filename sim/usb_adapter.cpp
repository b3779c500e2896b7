// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/usb_adapter.h"

#include <algorithm>
#include <chrono>

namespace kvor::sim {

UsbAdapter::UsbAdapter(double latencySeconds, Deliver deliver)
    : latency_(std::clamp(latencySeconds, 0.001, 0.255)), deliver_(std::move(deliver)),
      timer_([this] { tick(); }) {}

UsbAdapter::~UsbAdapter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    timer_.join();
}

bool UsbAdapter::sendHeld(std::size_t upTo) {
    const std::size_t count = std::min(upTo, held_.size());
    for (std::size_t done = 0; done < count && !failed_; done += kPacketBytes)
        failed_ = !deliver_(held_.data() + done, std::min(kPacketBytes, count - done));
    held_.erase(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(count));
    return !failed_;
}

bool UsbAdapter::take(const std::uint8_t* bytes, std::size_t count) {
    std::lock_guard lock(mutex_);
    held_.insert(held_.end(), bytes, bytes + count);
    // Full packets go at once; the rest waits for the timer.
    return sendHeld(held_.size() / kPacketBytes * kPacketBytes);
}

void UsbAdapter::discard() {
    std::lock_guard lock(mutex_);
    held_.clear();
}

// The latency timer runs all the time, not from the first byte held: an answer's last bytes
// wait anything from nothing to a whole latency, depending on where in the period they land.
void UsbAdapter::tick() {
    using Clock = std::chrono::steady_clock;
    const auto period =
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(latency_));
    auto next = Clock::now() + period;
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        if (wake_.wait_until(lock, next, [this] { return stopping_; })) break;
        next += period;
        if (!held_.empty()) sendHeld(held_.size());
    }
}

} // namespace kvor::sim

// SPDX-License-Identifier: GPL-3.0-or-later
// What a USB-serial adapter does to the sensor's answers on their way to the computer: it
// gathers the bytes from the line and sends them on in USB packets, a full packet at once and a
// part-filled one only when its latency timer runs out (FTDI: 16 ms by default, 1 ms when the
// driver sets the line to low latency). A 36-byte answer thus waits up to a whole latency.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace kvor::sim {

class UsbAdapter {
  public:
    // Payload of one full-speed FTDI packet: 64 bytes less the two status bytes.
    static constexpr std::size_t kPacketBytes = 62;
    // Hands a packet to the computer's side; false when that side is gone.
    using Deliver = std::function<bool(const std::uint8_t*, std::size_t)>;

    UsbAdapter(double latencySeconds, Deliver deliver);
    ~UsbAdapter(); // stops the timer; what it still holds is lost, as when the adapter is pulled
    UsbAdapter(const UsbAdapter&) = delete;
    UsbAdapter& operator=(const UsbAdapter&) = delete;

    // Bytes from the sensor's line. False once the computer's side has gone.
    bool take(const std::uint8_t* bytes, std::size_t count);
    // Drops what it holds (the line is flushed).
    void discard();

  private:
    void tick();
    bool sendHeld(std::size_t upTo); // with mutex_ held

    const double latency_;
    Deliver deliver_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<std::uint8_t> held_;
    bool stopping_ = false;
    bool failed_ = false;
    std::thread timer_;
};

} // namespace kvor::sim

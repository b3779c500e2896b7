// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated adapter hands on whole USB packets: a full one at once, the rest when its
// latency timer runs out, every byte once and in order.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "sim/usb_adapter.h"

namespace kvor::sim {
namespace {

TEST(UsbAdapter, FullPacketsGoAtOnceAndTheRestWhenTheTimerRunsOut) {
    std::mutex mutex;
    std::condition_variable handedOn;
    std::vector<std::vector<std::uint8_t>> packets;
    UsbAdapter adapter(0.255, [&](const std::uint8_t* b, std::size_t n) {
        std::lock_guard lock(mutex);
        packets.emplace_back(b, b + n);
        handedOn.notify_all();
        return true;
    });
    std::vector<std::uint8_t> sent(100);
    for (std::size_t i = 0; i < sent.size(); ++i)
        sent[i] = static_cast<std::uint8_t>(i);
    ASSERT_TRUE(adapter.take(sent.data(), sent.size()));
    {
        std::lock_guard lock(mutex); // the first packet is out before take() returns
        ASSERT_FALSE(packets.empty());
        EXPECT_EQ(packets[0].size(), UsbAdapter::kPacketBytes);
    }
    std::unique_lock lock(mutex);
    handedOn.wait_for(lock, std::chrono::seconds(10), [&] { return packets.size() >= 2; });
    ASSERT_EQ(packets.size(), 2u);
    std::vector<std::uint8_t> got = packets[0];
    got.insert(got.end(), packets[1].begin(), packets[1].end());
    EXPECT_EQ(got, sent);
}

} // namespace
} // namespace kvor::sim

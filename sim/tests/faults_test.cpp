// SPDX-License-Identifier: GPL-3.0-or-later
// Every fault the sensor can show the scope, seen from the scope's end of the line.
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>

#include "sensor_fixture.h"

namespace kvor::sim::test {
namespace {

using Clock = std::chrono::steady_clock;
using SensorFaults = SensorOnLine;

TEST_F(SensorFaults, SilentSensorHearsButNeverAnswers) {
    openUnpaced();
    Faults f;
    f.silent = true;
    sensor().setFaults(f);
    EXPECT_TRUE(ask(5, {}, 36, 0.3).empty());
    EXPECT_TRUE(ask(1, {1, 2, 3}, 36, 0.3).empty());
    EXPECT_EQ(sensor().requests().size(), 2u);
    EXPECT_EQ(sensor().ramParameters()[0], 500); // a dead sensor takes nothing either
    sensor().setFaults({});
    EXPECT_EQ(ask(5, {}, 36).size(), 36u);
}

TEST_F(SensorFaults, WrongHeaderWordsAndExtraBytes) {
    openUnpaced();
    Faults f;
    f.wrongEchoSync = true;
    f.wrongHardwareCommand = true;
    sensor().setFaults(f);
    Bytes a = ask(5, {}, 36);
    ASSERT_EQ(a.size(), 36u);
    EXPECT_EQ(a[0], 0x00);
    EXPECT_EQ(a[1], 0x55);
    a = ask(10, {}, 36);
    EXPECT_EQ(WordAt(a, 1), 0);
    EXPECT_EQ(WordAt(a, 2), 2); // the words are still the description

    f = {};
    f.extraBytes = 4;
    sensor().setFaults(f);
    a = line().exchange(RequestFrame(2), 100, 0.3);
    ASSERT_EQ(a.size(), 40u);
    EXPECT_EQ(WordAt(a, 1), 2);
    EXPECT_EQ(Bytes(a.begin() + 36, a.end()), Bytes(4, 0xEE));
    // Raw blocks get no extra bytes.
    EXPECT_EQ(line().exchange(RequestFrame(7), 200, 0.3).size(), 72u);
}

TEST_F(SensorFaults, ShortGarbledAndLongBlocks) {
    openUnpaced();
    Faults f;
    f.firmwareTextBytes = 20;
    f.videoBlockBytes = 100;
    sensor().setFaults(f);
    Bytes a = line().exchange(RequestFrame(7), 200, 0.3);
    EXPECT_EQ(std::string(a.begin(), a.end()), Model{}.firmware.substr(0, 20));
    EXPECT_EQ(line().exchange(RequestFrame(9, {64, 0}), 200, 0.3).size(), 100u);
    EXPECT_EQ(line().exchange(RequestFrame(11), 600, 0.3).size(), 100u);

    f = {};
    f.garbledFirmware = true;
    f.videoBlockBytes = 600; // more than the 512 the scope waits for
    sensor().setFaults(f);
    a = line().exchange(RequestFrame(7), 200, 0.3);
    ASSERT_EQ(a.size(), 72u);
    EXPECT_NE(std::string(a.begin(), a.begin() + 8), "K-VOR-PX");
    EXPECT_EQ(line().exchange(RequestFrame(11), 700, 0.3).size(), 600u);
}

TEST_F(SensorFaults, DroppedAndDelayedAnswers) {
    openUnpaced();
    Faults f;
    f.dropEvery = 2;
    sensor().setFaults(f);
    EXPECT_EQ(ask(5, {}, 36, 0.3).size(), 36u);
    EXPECT_TRUE(ask(1, {321}, 36, 0.3).empty());
    EXPECT_EQ(ask(5, {}, 36, 0.3).size(), 36u);
    EXPECT_EQ(sensor().ramParameters()[0], 321); // acted on, only the answer was lost

    f = {};
    f.delaySeconds = 0.3;
    sensor().setFaults(f);
    const auto t0 = Clock::now();
    EXPECT_TRUE(ask(5, {}, 36, 0.2).empty());
    EXPECT_EQ(line().read(36, 1.0).size(), 36u);
    const double took = std::chrono::duration<double>(Clock::now() - t0).count();
    EXPECT_GE(took, 0.29);
    EXPECT_LT(took, 1.2);
}

TEST_F(SensorFaults, HangUpAfterNRequestsTakesThePortAway) {
    openUnpaced();
    Faults f;
    f.hangUpAfter = 2;
    sensor().setFaults(f);
    EXPECT_EQ(ask(5, {}, 36).size(), 36u);
    EXPECT_EQ(ask(5, {}, 36).size(), 36u);
    const int r = line().readAfterHangUp(1.0);
    EXPECT_TRUE(r == 0 || r == -EIO) << r;
    EXPECT_TRUE(sensor().finished());
    EXPECT_FALSE(std::filesystem::exists(sensor().devicePath())); // the port is gone
}

TEST_F(SensorFaults, ScopeClosingThePortEndsOnlyWhenAsked) {
    openUnpaced();
    line().close();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(sensor().finished());
    ScopeLine again(sensor().devicePath());
    ASSERT_TRUE(again.isOpen());
    EXPECT_EQ(again.exchange(RequestFrame(5), 36).size(), 36u);
    again.close();

    Options o;
    o.paced = false;
    o.endOnPeerHangUp = true;
    open(o);
    EXPECT_EQ(ask(5, {}, 36).size(), 36u);
    line().close();
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    while (!sensor().finished() && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(sensor().finished());
}

} // namespace
} // namespace kvor::sim::test

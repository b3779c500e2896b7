// SPDX-License-Identifier: GPL-3.0-or-later
// A line that carries garbage: random bytes, torn frames, floods and a sensor that goes away.
// Nothing may crash, hang or leave a variable outside what the panel accepts.
#include <chrono>
#include <cstdlib>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "link/identify.h"
#include "link/serial_link.h"
#include "link/video_blocks.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "tests/runtime/serial_pty.h"
#include "tests/support/harness.h"

namespace kvor {
namespace {

using test::Click;
using test::StatusLine;

std::vector<std::uint8_t> RandomBytes(std::size_t count, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::uint8_t> bytes(count);
    for (std::uint8_t& b : bytes)
        b = static_cast<std::uint8_t>(byte(rng));
    return bytes;
}

// The parameter set as the panel may show it.
void ExpectParametersInRange() {
    EXPECT_LE(power, 1000);
    EXPECT_LE(rs232Mode, 1);
    EXPECT_GE(vThd, 50);
    EXPECT_LE(vThd, 950);
    EXPECT_LE(anaMode, 7);
    EXPECT_LE(polarity, 1);
    EXPECT_LE(eMode, 2);
    EXPECT_LE(eBeg, ccdvirtpixel);
    EXPECT_GE(eEnd, 1);
    EXPECT_LE(eEnd, ccdvirtpixel);
    EXPECT_GE(tTol, 1);
    EXPECT_LE(tTol, ccdvirtpixel);
    EXPECT_LE(eHardware, 3);
    EXPECT_NE(slope, 65535);
    EXPECT_LE(intersect, 60000);
    EXPECT_LE(average, 1024);
}

// The scope's port 1 moved from the simulated sensor to a bare pseudo-terminal whose bytes the
// test writes.
class GarbageLine : public test::ScopeTest {
  protected:
    void SetUp() override {
        test::ScopeTest::SetUp();
        ASSERT_TRUE(pty_.ok());
        setenv("KVOR_COM_PORTS", pty_.path().c_str(), 1);
        test::PickRingValue(1, MAIN_COMPORT, 1); // answers nothing: the echo times out
        ASSERT_EQ(StatusLine(), "Timeout-RS-232...");
        pty_.receive(4096, 50);
    }
    // Writes `bytes` once the next exchange has sent its request and waits for the answer.
    void AnswerWith(std::vector<std::uint8_t> bytes) {
        auto got = std::make_shared<std::size_t>(0);
        test::When(
            [this, got] {
                *got += pty_.receive(kFrameBytes - *got, 1).size();
                return *got >= kFrameBytes;
            },
            [this, bytes] { pty_.send(bytes); });
    }
    static constexpr std::size_t kFrameBytes = 36;
    test::PtyPair pty_;
};

// A frame of random bytes carries the parameter read's command word only by chance: the read
// then times out and keeps the parameters, or takes that frame and shows it in range.
TEST_F(GarbageLine, RandomBytesAreRefusedOrShownInRange) {
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        const u16 powerBefore = power, slopeBefore = slope;
        AnswerWith(RandomBytes(3000, seed));
        const i32 written = requestCount;
        Click(1, MAIN_GET);
        EXPECT_EQ(requestCount - written, 1) << "one request, one time-out at most";
        const std::string status = StatusLine();
        if (status == "Timeout-RS-232...") {
            EXPECT_EQ(power, powerBefore);
            EXPECT_EQ(slope, slopeBefore);
        } else {
            EXPECT_EQ(status, "Parameter-frame received! - Line Ok!");
        }
        ExpectParametersInRange();
        test::Drain();
    }
    // A frame that answers the read is taken as the parameter set.
    std::vector<std::uint8_t> frame(36, 0);
    frame[1] = 0x55;
    frame[3] = 2; // the read's command word
    frame[4] = 0x01;
    frame[5] = 0x2C; // light power 300
    AnswerWith(frame);
    Click(1, MAIN_GET);
    EXPECT_EQ(StatusLine(), "Parameter-frame received! - Line Ok!");
    EXPECT_EQ(power, 300);
}

TEST_F(GarbageLine, ATornFrameTimesOutAndIsFlushedBeforeTheNextRequest) {
    const u16 powerBefore = power;
    AnswerWith(RandomBytes(20, 7));
    Click(1, MAIN_GET);
    EXPECT_EQ(StatusLine(), "Timeout-RS-232...");
    EXPECT_EQ(power, powerBefore);
    pty_.receive(4096, 50);

    std::vector<std::uint8_t> frame(36, 0);
    frame[1] = 0xAA;
    frame[3] = 2;
    frame[4] = 0x01; // power 300
    frame[5] = 0x2C;
    AnswerWith(frame);
    Click(1, MAIN_GET);
    EXPECT_EQ(StatusLine(), "Parameter-frame received! - Line Ok!");
    EXPECT_EQ(power, 300);
}

TEST_F(GarbageLine, AFloodIntoTheRawReadsStaysWithinTheReceiveBuffer) {
    std::fill(std::begin(adcbuf), std::end(adcbuf), 0xBEEF);
    // The raw reads poll without the receive callback: the flood comes from another thread.
    auto flood = [this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        pty_.send(RandomBytes(4000, 11));
    };
    std::thread writer(flood);
    const i32 n = GetVERSIONInfo();
    writer.join();
    EXPECT_GE(n, 72);
    EXPECT_LE(nBytesR, 1024);
    EXPECT_LE(std::strlen(szVersion), 72u);

    RemoveRxCallback();
    std::thread writer2(flood);
    ReadData64(64, 0);
    writer2.join();
    InstallRxCallback();
    EXPECT_LE(nBytesR, 1024);
    EXPECT_EQ(adcbuf[63], 0xBEEF);
    EXPECT_EQ(adcbuf[128], 0xBEEF);
}

class FloodingSensor : public test::ScopeTest {
    sim::Options SensorOptions() const override {
        sim::Options o = test::ScopeTest::SensorOptions();
        o.paced = true; // the stray bytes trickle in while the next exchange waits
        o.faults.extraBytes = 1024;
        return o;
    }
};

TEST_F(FloodingSensor, EveryOperationEndsAndTheParametersStayInRange) {
    for (int round = 0; round < 3; ++round) {
        const i32 written = requestCount;
        Click(1, MAIN_GET);
        EXPECT_EQ(requestCount - written, 1) << "one request, one time-out at most";
        ExpectParametersInRange();
    }
    // Stopped while it measures, or ended by its own time-out while the sensor still pours out
    // the floods of the answers before.
    auto measuring = test::Measuring(sensor(), 2);
    i32 writtenAtStop = -1;
    test::InTurn({{[] { return stop_flag == 0; }, [] {}},
                  {[&] { return stop_flag == 1 || measuring(); },
                   [&] {
                       if (stop_flag == 0) writtenAtStop = requestCount;
                       if (stop_flag == 0) Click(1, MAIN_STOP);
                   }}});
    Click(1, MAIN_RUN);
    if (writtenAtStop >= 0)
        EXPECT_EQ(requestCount, writtenAtStop) << "a request after the Stop";
    else
        EXPECT_EQ(StatusLine(), "Timeout RS232-Line!");
    Click(1, MAIN_RESET);
    Click(1, MAIN_TEACH);
    EXPECT_LE(std::strlen(szStatus), 72u);
}

class VanishingSensor : public test::ScopeTest {
    sim::Options SensorOptions() const override {
        sim::Options o = test::ScopeTest::SensorOptions();
        o.faults.hangUpAfter = 5; // the start-up's four requests, then one more
        return o;
    }
};

TEST_F(VanishingSensor, EveryRequestAfterwardsFailsQuietlyWithItsTimeOut) {
    Click(1, MAIN_GET);
    // The line hangs up after answering.
    EXPECT_TRUE(test::PumpUntil([this] { return sensor().finished(); }, 5.0));
    Click(1, MAIN_GET);
    EXPECT_EQ(StatusLine(), "Timeout-RS-232...");
    Click(1, MAIN_SEND);
    EXPECT_EQ(StatusLine(), "Transmit...") << "a frame that could not be written is not Ok";
    Click(1, MAIN_RESET);
    EXPECT_EQ(StatusLine(), "Timeout-RS-232...");
    EXPECT_EQ(CheckComLine(com), 0);
    // A vanished port is no sensor of a sister series.
    EXPECT_EQ(GetVERSIONInfo(), 0);
    EXPECT_EQ(GetHARDWAREInfo(), 0);
    RemoveRxCallback();
    EXPECT_EQ(ReadData256(), 1);
    InstallRxCallback();
    EXPECT_EQ(StatusLine(), "Timeout-RS-232 while reading 256 data-words!");
}

} // namespace
} // namespace kvor

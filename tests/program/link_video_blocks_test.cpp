// SPDX-License-Identifier: GPL-3.0-or-later
// Raw video blocks read from the simulated sensor: what is asked for, where the samples land,
// and what a block that is late, short or too long leaves behind.
#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>

#include "link/serial_link.h"
#include "link/video_blocks.h"
#include "runtime/runtime.h"
#include "state/state.h"
#include "tests/support/harness.h"
#include "wire/protocol.h"

namespace kvor {
namespace {

using test::StatusLine;

constexpr u16 kUntouched = 0xBEEF;

class VideoBlocks : public test::ScopeTest {
  protected:
    void SetUp() override {
        test::ScopeTest::SetUp();
        std::fill(std::begin(adcbuf), std::end(adcbuf), kUntouched);
        // The object's shadow covers samples 75 to 150 of the 4096-pixel line.
        sensor().setObject(1200.0, 2400.0, false);
        // The caller of a block read has the receive callback off.
        RemoveRxCallback();
        sensor().clearRequests();
    }
    void TearDown() override {
        InstallRxCallback();
        test::ScopeTest::TearDown();
    }
    void Faults(int blockBytes, bool silent = false) {
        sim::Faults f;
        f.videoBlockBytes = blockBytes;
        f.silent = silent;
        sensor().setFaults(f);
    }
    // szReadBuf as an old picture: every sample 0x0102.
    static void StalePicture() {
        for (std::size_t i = 0; i < sizeof szReadBuf; i += 2) {
            szReadBuf[i] = 0x01;
            szReadBuf[i + 1] = 0x02;
        }
    }
};

double Mean(int from, int to) {
    double sum = 0;
    for (int i = from; i <= to; ++i)
        sum += adcbuf[i];
    return sum / (to - from + 1);
}

TEST_F(VideoBlocks, TheLastOfFourBlocksAsksFor192And1AndFillsTheEndOfTheLine) {
    EXPECT_EQ(ReadData64(192, 1), 1);
    const std::vector<sim::Request> sent = sensor().requests();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].sync, 0x55);
    EXPECT_EQ(sent[0].command, protocol::CMD_READ_VIDEO64);
    EXPECT_EQ(sent[0].words[0], 192);
    EXPECT_EQ(sent[0].words[1], 1);
    for (int i = 2; i < 16; ++i)
        EXPECT_EQ(sent[0].words[i], 0);
    EXPECT_EQ(order, protocol::CMD_READ_VIDEO64);
    EXPECT_EQ(StatusLine(), "Data[64] block received!");
    EXPECT_EQ(nBytesR, 128);
    for (int i = 0; i < 192; ++i)
        ASSERT_EQ(adcbuf[i], kUntouched) << "sample " << i;
    for (int i = 192; i < 256; ++i)
        ASSERT_LE(adcbuf[i], 1023) << "sample " << i;
}

TEST_F(VideoBlocks, AFirstIndexNearTheEndFillsOnlyToTheLastSample) {
    ReadData64(240, 1);
    for (int i = 0; i < 240; ++i)
        ASSERT_EQ(adcbuf[i], kUntouched) << "sample " << i;
    for (int i = 240; i < 256; ++i)
        ASSERT_LE(adcbuf[i], 1023) << "sample " << i;
    EXPECT_EQ(sensor().requests().back().words[0], 240);
}

TEST_F(VideoBlocks, FourBlocksGiveThePictureWithTheShadowInIt) {
    ReadData64(0, 0);
    ReadData64(64, 0);
    ReadData64(128, 0);
    ReadData64(192, 1);
    for (int i = 0; i < 256; ++i)
        ASSERT_LE(adcbuf[i], 1023) << "sample " << i;
    // Samples decoded high byte first show the sensor's picture: dark inside the shadow.
    EXPECT_LT(Mean(90, 135), Mean(10, 50) / 2);
    EXPECT_LT(Mean(90, 135), Mean(170, 240) / 2);
}

TEST_F(VideoBlocks, OneBlockOf256AsksWithAllWordsZero) {
    EXPECT_EQ(ReadData256(), 1);
    const std::vector<sim::Request> sent = sensor().requests();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].command, protocol::CMD_READ_VIDEO256);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(sent[0].words[i], 0) << "word " << i;
    EXPECT_EQ(StatusLine(), "Data[256] block received!");
    EXPECT_EQ(nBytesR, 512);
    for (int i = 0; i < 256; ++i)
        ASSERT_LE(adcbuf[i], 1023) << "sample " << i;
    EXPECT_LT(Mean(90, 135), Mean(10, 50) / 2);
}

TEST_F(VideoBlocks, NoAnswerTimesOutAndDecodesTheOldBuffer) {
    Faults(-1, true);
    StalePicture();
    const double t0 = Timer();
    const i32 written = requestCount;
    EXPECT_EQ(ReadData64(64, 0), 1);
    EXPECT_GE(Timer() - t0, 1.4);
    EXPECT_EQ(requestCount - written, 1) << "one request, one time-out";
    EXPECT_EQ(StatusLine(), "Timeout-RS-232 while reading 64 data-words!");
    EXPECT_EQ(nBytesR, 0);
    for (int i = 64; i < 128; ++i)
        ASSERT_EQ(adcbuf[i], 0x0102) << "sample " << i;
    EXPECT_EQ(adcbuf[63], kUntouched);
    EXPECT_EQ(adcbuf[128], kUntouched);

    EXPECT_EQ(ReadData256(), 1);
    EXPECT_EQ(StatusLine(), "Timeout-RS-232 while reading 256 data-words!");
}

TEST_F(VideoBlocks, AShortBlockKeepsTheOldSamplesWhereBytesAreMissing) {
    Faults(100);
    StalePicture();
    ReadData64(0, 0);
    EXPECT_EQ(StatusLine(), "Timeout-RS-232 while reading 64 data-words!");
    EXPECT_EQ(nBytesR, 100);
    for (int i = 0; i < 50; ++i)
        ASSERT_LE(adcbuf[i], 1023) << "sample " << i;
    for (int i = 50; i < 64; ++i)
        ASSERT_EQ(adcbuf[i], 0x0102) << "sample " << i;
}

TEST_F(VideoBlocks, ALongerBlockIsReadWholeButNotReportedAsReceived) {
    Faults(200);
    SetStatusText("before");
    ReadData64(0, 0);
    EXPECT_EQ(nBytesR, 200);
    EXPECT_EQ(StatusLine(), "before");
    for (int i = 64; i < 256; ++i)
        ASSERT_EQ(adcbuf[i], kUntouched) << "sample " << i;
}

} // namespace
} // namespace kvor

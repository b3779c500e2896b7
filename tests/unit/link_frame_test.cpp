// SPDX-License-Identifier: GPL-3.0-or-later
// The 36-byte frame on the line: what FillTxBuf puts into szWriteBuf and what GetRxBuf takes
// out of szReadBuf.
#include <cstring>

#include <gtest/gtest.h>

#include "link/frame.h"

namespace kvor {
namespace {

class FrameCodec : public ::testing::Test {
  protected:
    void SetUp() override {
        std::memset(szWriteBuf, 0xEE, sizeof szWriteBuf);
        std::memset(szReadBuf, 0, sizeof szReadBuf);
        std::memset(pp, 0, sizeof pp);
        sync = 0x55;
    }
    void TearDown() override { sync = 0x55; }
};

TEST_F(FrameCodec, ReadRamWithZeroWordsIsSyncCommandAndThirtyTwoZeros) {
    const u16 words[PNUM] = {};
    FillTxBuf(CMD_READ_RAM, words);
    EXPECT_EQ(szWriteBuf[0], 0x00);
    EXPECT_EQ(szWriteBuf[1], 0x55);
    EXPECT_EQ(szWriteBuf[2], 0x00);
    EXPECT_EQ(szWriteBuf[3], 0x02);
    for (int i = 4; i < 36; ++i)
        EXPECT_EQ(szWriteBuf[i], 0) << "byte " << i;
    // Nothing beyond the frame is touched.
    EXPECT_EQ(szWriteBuf[36], 0xEE);
}

TEST_F(FrameCodec, EveryWordGoesHighByteFirstAtItsOffset) {
    u16 words[PNUM];
    for (int i = 0; i < PNUM; ++i)
        words[i] = static_cast<u16>(0x1234 + 0x0101 * i);
    FillTxBuf(CMD_WRITE_EEPROM, words);
    for (int i = 0; i < PNUM; ++i) {
        EXPECT_EQ(szWriteBuf[4 + 2 * i], words[i] >> 8) << "word " << i;
        EXPECT_EQ(szWriteBuf[5 + 2 * i], words[i] & 0xFF) << "word " << i;
    }
    EXPECT_EQ(szWriteBuf[4], 0x12);
    EXPECT_EQ(szWriteBuf[5], 0x34);
}

TEST_F(FrameCodec, CommandAndSyncAreSentAsTheirLow16Bits) {
    const u16 words[PNUM] = {};
    sync = 0x12355;
    FillTxBuf(0x2000B, words);
    EXPECT_EQ(szWriteBuf[0], 0x23);
    EXPECT_EQ(szWriteBuf[1], 0x55);
    EXPECT_EQ(szWriteBuf[2], 0x00);
    EXPECT_EQ(szWriteBuf[3], 0x0B);
}

TEST_F(FrameCodec, AnswerWordsDecodeHighByteFirstWhateverTheHeader) {
    szReadBuf[0] = 0x12; // neither sync nor command word is examined
    szReadBuf[1] = 0x34;
    szReadBuf[2] = 0xFF;
    szReadBuf[3] = 0xFF;
    szReadBuf[4] = 0xAB;
    szReadBuf[5] = 0xCD;
    szReadBuf[34] = 0x80;
    szReadBuf[35] = 0x01;
    GetRxBuf(PNUM);
    EXPECT_EQ(pp[0], 0xABCD);
    EXPECT_EQ(pp[15], 0x8001);
    for (int i = 1; i < 15; ++i)
        EXPECT_EQ(pp[i], 0) << "word " << i;
}

TEST_F(FrameCodec, DecodesOnlyTheWordsAskedForAndNeverMoreThanSixteen) {
    for (int i = 0; i < PNUM; ++i)
        pp[i] = 0x7777;
    std::memset(szReadBuf, 0x11, sizeof szReadBuf);
    GetRxBuf(3);
    EXPECT_EQ(pp[2], 0x1111);
    EXPECT_EQ(pp[3], 0x7777);

    // Bytes after the frame must not leak into pp, however large n is.
    std::memset(szReadBuf + 36, 0x99, sizeof szReadBuf - 36);
    GetRxBuf(500);
    for (int i = 0; i < PNUM; ++i)
        EXPECT_EQ(pp[i], 0x1111) << "word " << i;
    GetRxBuf(-4);
    EXPECT_EQ(pp[0], 0x1111);
}

TEST_F(FrameCodec, AFrameSentBackDecodesToTheSameWords) {
    u16 words[PNUM];
    for (int i = 0; i < PNUM; ++i)
        words[i] = static_cast<u16>(65535 - 4099 * i);
    FillTxBuf(CMD_MEASURE, words);
    std::memcpy(szReadBuf, szWriteBuf, 36);
    GetRxBuf(PNUM);
    for (int i = 0; i < PNUM; ++i)
        EXPECT_EQ(pp[i], words[i]) << "word " << i;
}

} // namespace
} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "scope_line.h"
#include "sim/frame_reader.h"

namespace kvor::sim {
namespace {

using test::RequestFrame;

std::vector<ReceivedFrame> Feed(FrameReader& r, const Bytes& bytes, double now) {
    return r.feed(bytes.data(), bytes.size(), now);
}

TEST(FrameReader, CutsBackToBackFramesAndDecodesTheWords) {
    FrameReader r;
    Bytes line = RequestFrame(8, {0x1234, 2});
    const Bytes second = RequestFrame(12, {2, 34052, 29945});
    line.insert(line.end(), second.begin(), second.end());
    const auto frames = Feed(r, line, 1.0);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].request.sync, 0x55);
    EXPECT_EQ(frames[0].request.command, 8);
    EXPECT_EQ(frames[0].request.words[0], 0x1234);
    EXPECT_EQ(frames[1].request.command, 12);
    EXPECT_EQ(frames[1].request.words[1], 34052);
    EXPECT_EQ(frames[1].request.words[2], 29945);
    EXPECT_FALSE(r.hasPartialFrame());
}

TEST(FrameReader, SkipsGarbageUntilAPlausibleFrameStart) {
    FrameReader r;
    // 0x00 0x00, a sync with a command high byte of 0x01 and a lone 0x55 are no frame start.
    Bytes line = {0xFF, 0x00, 0x00, 0x55, 0x01, 0x13, 0x55};
    const Bytes frame = RequestFrame(5, {7, 8});
    line.insert(line.end(), frame.begin(), frame.end());
    const auto frames = Feed(r, line, 1.0);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].request.command, 5);
    EXPECT_EQ(frames[0].request.words[0], 7);
    EXPECT_EQ(frames[0].request.words[1], 8);
    EXPECT_EQ(r.discardedBytes(), 7u);
}

TEST(FrameReader, JoinsAFrameSplitWithinTheGapAndDropsOneCutByIt) {
    const Bytes frame = RequestFrame(2, {1, 2, 3});
    const Bytes head(frame.begin(), frame.begin() + 20);
    const Bytes tail(frame.begin() + 20, frame.end());

    FrameReader joined;
    EXPECT_TRUE(Feed(joined, head, 1.000).empty());
    const auto frames = Feed(joined, tail, 1.030);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].request.words[2], 3);
    EXPECT_DOUBLE_EQ(frames[0].firstByteTime, 1.000);

    FrameReader cut;
    EXPECT_TRUE(Feed(cut, head, 1.000).empty());
    cut.expire(1.060);
    EXPECT_FALSE(cut.hasPartialFrame());
    EXPECT_TRUE(Feed(cut, tail, 1.061).empty()); // the rest alone is garbage
    const auto next = Feed(cut, RequestFrame(4), 1.2);
    ASSERT_EQ(next.size(), 1u);
    EXPECT_EQ(next[0].request.command, 4);
}

} // namespace
} // namespace kvor::sim

// SPDX-License-Identifier: GPL-3.0-or-later
// Bytes on the line: what ComWrt hands over, what ComRd and GetInQLen see, the time-out, the
// input queue bound and the flushes. No event is processed anywhere in here.
#include <cmath>
#include <thread>

#include "tests/runtime/serial_pty.h"

namespace kvor::test {
namespace {

class SerialIoTest : public SerialTest {
  protected:
    void SetUp() override { usePty(true); }
};

TEST_F(SerialIoTest, EveryByteValueCrossesUnchangedAndWrittenBytesAreOutOnReturn) {
    const std::vector<std::uint8_t> bytes = Pattern(256, 1); // 7 is odd: all 256 values
    ASSERT_EQ(ComWrt(1, bytes.data(), 256), 256);
    EXPECT_EQ(pty_.receive(256, 100), bytes) << "not with the system when ComWrt returned";
    pty_.send(bytes);
    std::vector<std::uint8_t> got(256);
    ASSERT_EQ(ComRd(1, got.data(), 256), 256);
    EXPECT_EQ(got, bytes);
}

TEST_F(SerialIoTest, QueueLengthCountsArrivedBytesWithoutEventProcessing) {
    EXPECT_EQ(GetInQLen(1), 0);
    pty_.send(Pattern(40));
    EXPECT_EQ(WaitForQueue(1, 40), 40);
    std::vector<std::uint8_t> got(36);
    ASSERT_EQ(ComRd(1, got.data(), 36), 36);
    EXPECT_EQ(GetInQLen(1), 4);
}

TEST_F(SerialIoTest, ReadGivesUpAfterAboutTheTimeOutWithWhatCame) {
    pty_.send(Pattern(10));
    std::vector<std::uint8_t> got(36);
    EXPECT_EQ(ComRd(1, got.data(), 36), 10);

    // No time-out: what is there, at once, however long the time-out it replaces.
    ASSERT_EQ(SetComTime(1, 30.0), 0);
    ASSERT_EQ(SetComTime(1, 0.0), 0);
    EXPECT_EQ(ComRd(1, got.data(), 36), 0);
}

TEST_F(SerialIoTest, ReadReturnsAsSoonAsAllBytesAreThereEvenInPieces) {
    ASSERT_EQ(SetComTime(1, 30.0), 0); // far beyond the sensor's pause, however busy the machine
    const std::vector<std::uint8_t> bytes = Pattern(36);
    std::thread sensor([this, &bytes] {
        pty_.send({bytes.begin(), bytes.begin() + 20});
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        pty_.send({bytes.begin() + 20, bytes.end()});
    });
    std::vector<std::uint8_t> got(36);
    const double start = Seconds();
    const int n = ComRd(1, got.data(), 36);
    const double took = Seconds() - start;
    sensor.join();
    EXPECT_EQ(n, 36);
    EXPECT_EQ(got, bytes);
    EXPECT_GT(took, 0.15);
}

TEST_F(SerialIoTest, BeyondTheInputQueueBytesWaitWithTheSystemAndNoneIsLost) {
    ASSERT_EQ(OpenLikeTheScope(1, 512), 0);
    const std::vector<std::uint8_t> bytes = Pattern(3000, 3);
    pty_.send(bytes);
    ASSERT_EQ(WaitForQueue(1, 512, 5.0), 512);
    EXPECT_EQ(WaitForQueue(1, 3000, 0.5), 512) << "the queue holds no more than its size";
    std::vector<std::uint8_t> got(3000);
    EXPECT_EQ(ComRd(1, got.data(), 3000), 3000);
    EXPECT_EQ(got, bytes);
}

TEST_F(SerialIoTest, FlushInQDiscardsTheQueueAndWhatTheSystemStillHolds) {
    pty_.send(Pattern(100));
    ASSERT_EQ(WaitForQueue(1, 100), 100);
    pty_.send(Pattern(50)); // not pulled into the queue yet
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_EQ(FlushInQ(1), 0);
    EXPECT_EQ(GetInQLen(1), 0);
    ASSERT_EQ(SetComTime(1, 0.2), 0);
    std::vector<std::uint8_t> got(150);
    EXPECT_EQ(ComRd(1, got.data(), 150), 0);
}

TEST_F(SerialIoTest, FlushOutQAndHandshakeLeaveTheLineWorking) {
    EXPECT_EQ(FlushOutQ(1), 0);
    EXPECT_EQ(SetCTSMode(1, 1), 0);
    EXPECT_EQ(SetCTSMode(1, 0), 0);
    const std::vector<std::uint8_t> frame = Pattern(36);
    ASSERT_EQ(ComWrt(1, frame.data(), 36), 36);
    EXPECT_EQ(pty_.receive(36), frame);
}

TEST_F(SerialIoTest, NonsenseArgumentsAreRefusedWithoutTouchingTheLine) {
    unsigned char buf[4] = {9, 9, 9, 9};
    EXPECT_EQ(SetComTime(1, -1.0), kComErrInvalidParameter);
    EXPECT_EQ(SetComTime(1, std::nan("")), kComErrInvalidParameter);
    EXPECT_EQ(SetComTime(1, 1e12), kComErrInvalidParameter);
    EXPECT_EQ(SetCTSMode(1, 2), kComErrInvalidParameter);
    EXPECT_EQ(ComWrt(1, buf, -1), kComErrInvalidParameter);
    EXPECT_EQ(ComWrt(1, nullptr, 4), kComErrInvalidParameter);
    EXPECT_EQ(ComRd(1, nullptr, 4), kComErrInvalidParameter);
    EXPECT_EQ(ComWrt(1, buf, 0), 0);
    EXPECT_TRUE(pty_.receive(1, 100).empty());
}

} // namespace
} // namespace kvor::test

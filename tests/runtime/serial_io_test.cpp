// Bytes on the line: what ComWrt hands over, what ComRd and GetInQLen see, the time-out, the
// input queue bound and the flushes. No event is processed anywhere in here.
#include <cmath>
#include <thread>

#include "tests/runtime/serial_pty.h"
#include "ui/com_dispatch.h"

namespace kvor::test {
namespace {

class SerialIoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pty_.ok());
        ASSERT_EQ(OpenLikeTheScope(1), 0);
        ASSERT_EQ(SetComTime(1, 1.5), 0);
    }
    void TearDown() override { kvor::rt::CloseAllComPorts(); }

    PtyPair pty_;
    ScopedEnv env_{"KVOR_COM_PORTS", pty_.path()};
};

TEST_F(SerialIoTest, EveryByteValueWrittenReachesTheLineUnchangedBeforeComWrtReturns) {
    const std::vector<std::uint8_t> bytes = AllByteValues();
    ASSERT_EQ(ComWrt(1, bytes.data(), 256), 256);
    // Already with the operating system: no event processing, and no wait beyond the poll.
    EXPECT_EQ(pty_.receive(256, 200), bytes);
}

TEST_F(SerialIoTest, EveryByteValueFromTheLineIsReadUnchanged) {
    const std::vector<std::uint8_t> bytes = AllByteValues();
    pty_.send(bytes);
    std::vector<std::uint8_t> got(256);
    ASSERT_EQ(ComRd(1, got.data(), 256), 256);
    EXPECT_EQ(got, bytes);
}

TEST_F(SerialIoTest, QueueLengthCountsArrivedBytesWithoutEventProcessing) {
    EXPECT_EQ(GetInQLen(1), 0);
    pty_.send(Pattern(36));
    EXPECT_EQ(WaitForQueue(1, 36), 36);
    pty_.send(Pattern(4));
    EXPECT_EQ(WaitForQueue(1, 40), 40);
    std::vector<std::uint8_t> got(36);
    ASSERT_EQ(ComRd(1, got.data(), 36), 36);
    EXPECT_EQ(got, Pattern(36));
    EXPECT_EQ(GetInQLen(1), 4);
}

TEST_F(SerialIoTest, ReadGivesUpAfterAboutTheTimeOutWithWhatCame) {
    pty_.send(Pattern(10));
    std::vector<std::uint8_t> got(36);
    const double start = Seconds();
    EXPECT_EQ(ComRd(1, got.data(), 36), 10);
    const double took = Seconds() - start;
    EXPECT_GT(took, 1.4);
    EXPECT_LT(took, 3.0);
    EXPECT_TRUE(std::equal(got.begin(), got.begin() + 10, Pattern(10).begin()));
}

TEST_F(SerialIoTest, ReadReturnsAsSoonAsAllBytesAreThereEvenInPieces) {
    std::thread sensor([this] {
        pty_.send(Pattern(20));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        pty_.send(Pattern(16, 20 * 7));
    });
    std::vector<std::uint8_t> got(36);
    const double start = Seconds();
    const int n = ComRd(1, got.data(), 36);
    const double took = Seconds() - start;
    sensor.join();
    EXPECT_EQ(n, 36);
    EXPECT_EQ(got, Pattern(36));
    EXPECT_GT(took, 0.15);
    EXPECT_LT(took, 1.0);
}

TEST_F(SerialIoTest, ZeroTimeOutReadsOnlyWhatIsThere) {
    ASSERT_EQ(SetComTime(1, 0.0), 0);
    std::vector<std::uint8_t> got(36);
    const double start = Seconds();
    EXPECT_EQ(ComRd(1, got.data(), 36), 0);
    EXPECT_LT(Seconds() - start, 0.5);
    pty_.send(Pattern(5));
    ASSERT_EQ(WaitForQueue(1, 5), 5);
    EXPECT_EQ(ComRd(1, got.data(), 36), 5);
}

TEST_F(SerialIoTest, MoreThanTheInputQueueWaitsWithTheSystemAndNothingIsLost) {
    ASSERT_EQ(OpenLikeTheScope(1, 512), 0);
    const std::vector<std::uint8_t> bytes = Pattern(3000, 3);
    std::thread sensor([this, &bytes] { pty_.send(bytes); });
    const int waiting = WaitForQueue(1, 3000, 0.5);
    EXPECT_EQ(waiting, 512) << "the queue holds 512 bytes, the rest stays with the system";
    std::vector<std::uint8_t> got(3000);
    EXPECT_EQ(ComRd(1, got.data(), 3000), 3000);
    sensor.join();
    EXPECT_EQ(got, bytes);
}

TEST_F(SerialIoTest, FlushInQDiscardsTheQueueAndWhatTheSystemStillHolds) {
    pty_.send(Pattern(100));
    ASSERT_EQ(WaitForQueue(1, 100), 100);
    pty_.send(Pattern(50)); // not yet pulled into the queue
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_EQ(FlushInQ(1), 0);
    EXPECT_EQ(GetInQLen(1), 0);
    ASSERT_EQ(SetComTime(1, 0.2), 0);
    std::vector<std::uint8_t> got(150);
    EXPECT_EQ(ComRd(1, got.data(), 150), 0);

    pty_.send(Pattern(36, 9)); // the line works on after the flush
    ASSERT_EQ(ComRd(1, got.data(), 36), 36);
    EXPECT_TRUE(std::equal(got.begin(), got.begin() + 36, Pattern(36, 9).begin()));
}

TEST_F(SerialIoTest, FlushOutQAndHandshakeKeepTheLineWorking) {
    EXPECT_EQ(FlushOutQ(1), 0);
    EXPECT_EQ(SetCTSMode(1, 1), 0);
    EXPECT_EQ(SetCTSMode(1, 0), 0);
    EXPECT_EQ(SetCTSMode(1, 2), kComErrInvalidParameter);
    const std::vector<std::uint8_t> frame = Pattern(36);
    ASSERT_EQ(ComWrt(1, frame.data(), 36), 36);
    EXPECT_EQ(pty_.receive(36), frame);
}

TEST_F(SerialIoTest, NonsenseArgumentsAreRefusedWithoutTouchingTheLine) {
    unsigned char buf[4] = {9, 9, 9, 9};
    EXPECT_EQ(SetComTime(1, -1.0), kComErrInvalidParameter);
    EXPECT_EQ(SetComTime(1, std::nan("")), kComErrInvalidParameter);
    EXPECT_EQ(SetComTime(1, 1e12), kComErrInvalidParameter);
    EXPECT_EQ(ComWrt(1, buf, -1), kComErrInvalidParameter);
    EXPECT_EQ(ComWrt(1, nullptr, 4), kComErrInvalidParameter);
    EXPECT_EQ(ComRd(1, nullptr, 4), kComErrInvalidParameter);
    EXPECT_EQ(ComRd(1, buf, -4), kComErrInvalidParameter);
    EXPECT_EQ(ComWrt(1, buf, 0), 0);
    EXPECT_TRUE(pty_.receive(1, 100).empty());
}

} // namespace
} // namespace kvor::test

// A line that goes away under the program (USB adapter pulled, simulator ended): every later call
// fails with a code and nothing else happens, however the program goes on calling.
#include <QCoreApplication>
#include <thread>

#include "tests/runtime/serial_pty.h"
#include "ui/com_dispatch.h"

namespace kvor::test {
namespace {

int g_calls = 0;
void CountCall(int, int, void*) {
    ++g_calls;
}

class SerialVanishTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g_calls = 0;
        ASSERT_TRUE(pty_.ok());
        ASSERT_EQ(OpenLikeTheScope(1), 0);
        ASSERT_EQ(SetComTime(1, 1.5), 0);
        ASSERT_EQ(InstallComCallback(1, LWRS_RECEIVE, 36, 0x55, CountCall, nullptr), 0);
    }
    void TearDown() override { kvor::rt::CloseAllComPorts(); }

    PtyPair pty_;
    ScopedEnv env_{"KVOR_COM_PORTS", pty_.path()};
};

void ExpectEveryCallFails(int port) {
    unsigned char buf[36] = {};
    EXPECT_LT(ComWrt(port, buf, 36), 0);
    const double start = Seconds();
    EXPECT_LT(ComRd(port, buf, 36), 0);
    EXPECT_LT(Seconds() - start, 0.5) << "a vanished line has nothing to wait for";
    EXPECT_LT(GetInQLen(port), 0);
    EXPECT_LT(FlushInQ(port), 0);
    EXPECT_LT(FlushOutQ(port), 0);
    EXPECT_LT(SetComTime(port, 1.5), 0);
    EXPECT_LT(SetCTSMode(port, 0), 0);
    EXPECT_LT(InstallComCallback(port, LWRS_RECEIVE, 36, 0x55, CountCall, nullptr), 0);
    EXPECT_FALSE(kvor::rt::ComCallbackPending());
    kvor::rt::DispatchComCallbacks();
    QCoreApplication::processEvents();
}

TEST_F(SerialVanishTest, EveryCallFailsOnceTheLineHasGone) {
    pty_.send(Pattern(40)); // a frame that arrives just before the end goes with the line
    pty_.hangUp();
    ExpectEveryCallFails(1);
    ExpectEveryCallFails(1); // and keeps failing
    EXPECT_EQ(g_calls, 0);
    EXPECT_LT(CloseCom(1), 0) << "closing a vanished port still tells that it had vanished";
    EXPECT_EQ(CloseCom(1), kComErrPortNotOpen);
}

TEST_F(SerialVanishTest, ALineGoingAwayDuringARead) {
    std::thread sensor([this] {
        pty_.send(Pattern(10));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        pty_.hangUp();
    });
    std::vector<std::uint8_t> got(36);
    const double start = Seconds();
    const int n = ComRd(1, got.data(), 36);
    const double took = Seconds() - start;
    sensor.join();
    EXPECT_LT(took, 1.0) << "the read ends with the line, not with the time-out";
    // What had arrived is handed over; the next call reports the loss.
    EXPECT_TRUE(n == 10 || n < 0) << n;
    EXPECT_LT(ComRd(1, got.data(), 36), 0);
}

TEST_F(SerialVanishTest, ThePortNumberCanBeOpenedAgainOnANewLine) {
    pty_.hangUp();
    EXPECT_LT(GetInQLen(1), 0);
    PtyPair fresh;
    ASSERT_TRUE(fresh.ok());
    ScopedEnv env("KVOR_COM_PORTS", fresh.path());
    ASSERT_EQ(OpenLikeTheScope(1), 0);
    const std::vector<std::uint8_t> frame = Pattern(36);
    EXPECT_EQ(ComWrt(1, frame.data(), 36), 36);
    EXPECT_EQ(fresh.receive(36), frame);
}

TEST_F(SerialVanishTest, EventProcessingDoesNotNoticeTheLossByCrashing) {
    pty_.hangUp();
    // The program's event loop after a lost sensor: dispatch, toolkit events, dispatch again.
    for (int pass = 0; pass < 100; ++pass) {
        EXPECT_FALSE(kvor::rt::ComCallbackPending());
        QCoreApplication::processEvents();
        kvor::rt::DispatchComCallbacks();
    }
    EXPECT_EQ(g_calls, 0);
    EXPECT_LT(GetInQLen(1), 0);
}

} // namespace
} // namespace kvor::test

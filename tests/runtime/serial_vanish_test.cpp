// SPDX-License-Identifier: GPL-3.0-or-later
// A line that goes away under the program (USB adapter pulled, simulator ended): every later call
// fails with a code and nothing else happens, however the program goes on calling.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <thread>

#include "tests/runtime/serial_pty.h"

namespace kvor::test {
namespace {

int g_calls = 0;
void CountCall(int, int, void*) {
    ++g_calls;
}

class SerialVanishTest : public SerialTest {
  protected:
    void SetUp() override {
        g_calls = 0;
        usePty(true);
        ASSERT_EQ(InstallComCallback(1, LWRS_RECEIVE, 36, 0x55, CountCall, nullptr), 0);
    }
};

TEST_F(SerialVanishTest, EveryCallFailsOnceTheLineHasGoneAndKeepsFailing) {
    ASSERT_EQ(SetComTime(1, 30.0), 0); // far beyond anything a busy machine adds
    pty_.send(Pattern(40)); // a frame that arrives just before the end goes with the line
    pty_.hangUp();
    for (int round = 0; round < 2; ++round) {
        unsigned char buf[36] = {};
        EXPECT_LT(ComWrt(1, buf, 36), 0);
        const double start = Seconds();
        EXPECT_LT(ComRd(1, buf, 36), 0);
        EXPECT_LT(Seconds() - start, 30.0) << "a vanished line has nothing to wait for";
        EXPECT_LT(GetInQLen(1), 0);
        EXPECT_LT(FlushInQ(1), 0);
        EXPECT_LT(FlushOutQ(1), 0);
        EXPECT_LT(SetComTime(1, 1.5), 0);
        EXPECT_LT(SetCTSMode(1, 0), 0);
        EXPECT_LT(InstallComCallback(1, LWRS_RECEIVE, 36, 0x55, CountCall, nullptr), 0);
        EXPECT_FALSE(kvor::rt::ComCallbackPending());
        kvor::rt::DispatchComCallbacks();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(g_calls, 0);
    EXPECT_LT(CloseCom(1), 0) << "closing a vanished port still tells that it had vanished";
    EXPECT_EQ(CloseCom(1), kComErrPortNotOpen);
}

TEST_F(SerialVanishTest, AReadEndsWithTheLineNotWithTheTimeOut) {
    ASSERT_EQ(SetComTime(1, 30.0), 0);
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
    EXPECT_LT(took, 30.0) << "the read ends with the line, not with its time-out";
    EXPECT_TRUE(n == 10 || n < 0) << n; // what had come is handed over, or the loss reported
    EXPECT_LT(ComRd(1, got.data(), 36), 0);
}

TEST_F(SerialVanishTest, ThePortNumberOpensAgainOnANewLine) {
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

TEST_F(SerialVanishTest, AVanishedLineDoesNotKeepWakingTheEventLoop) {
    ASSERT_EQ(InstallComCallback(1, 0, 0, 0, nullptr, nullptr), 0); // as during a block read
    pty_.hangUp();
    kvor::rt::DispatchComCallbacks(); // the event processing's pass over the ports
    // Twenty waits for events, each ended by a 5 ms timer unless something else wakes it.
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    ASSERT_NE(dispatcher, nullptr);
    QElapsedTimer clock;
    clock.start();
    for (int pass = 0; pass < 20; ++pass) {
        QTimer wake;
        wake.setSingleShot(true);
        wake.start(5);
        dispatcher->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        kvor::rt::DispatchComCallbacks();
    }
    EXPECT_GT(clock.elapsed(), 60) << "the lost line's descriptor kept the loop awake";
    EXPECT_EQ(g_calls, 0);
}

} // namespace
} // namespace kvor::test

// The receive callback: run only from the runtime's event dispatch, only with its notify count
// of bytes waiting, never while removed, never nested for the same port.
#include <QCoreApplication>

#include "tests/runtime/serial_pty.h"
#include "ui/com_dispatch.h"

namespace kvor::test {
namespace {

using kvor::rt::ComCallbackPending;
using kvor::rt::DispatchComCallbacks;

constexpr int kFrame = 36;
constexpr int kScopeMask = LWRS_RECEIVE | LWRS_RXFLAG | LWRS_TXEMPTY;

struct Calls {
    int count = 0;
    int port = 0;
    int events = 0;
    int depth = 0;
    int deepest = 0;
    int readBytes = 0; // what the callback takes per call (0: nothing)
    bool nest = false; // processes events itself, as a callback may
    bool closePort = false;
    std::vector<std::uint8_t> last;
};

void Receive(int port, int events, void* data) {
    auto& calls = *static_cast<Calls*>(data);
    ++calls.count;
    calls.port = port;
    calls.events = events;
    calls.deepest = std::max(calls.deepest, ++calls.depth);
    if (calls.readBytes > 0) {
        calls.last.assign(static_cast<std::size_t>(calls.readBytes), 0);
        ComRd(port, calls.last.data(), calls.readBytes);
    }
    if (calls.nest) {
        QCoreApplication::processEvents();
        DispatchComCallbacks();
    }
    if (calls.closePort) CloseCom(port);
    --calls.depth;
}

class SerialCallbackTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pty_.ok());
        ASSERT_EQ(OpenLikeTheScope(1), 0);
        ASSERT_EQ(SetComTime(1, 1.5), 0);
    }
    void TearDown() override { kvor::rt::CloseAllComPorts(); }

    int install() { return InstallComCallback(1, kScopeMask, kFrame, 0x55, Receive, &calls_); }

    PtyPair pty_;
    ScopedEnv env_{"KVOR_COM_PORTS", pty_.path()};
    Calls calls_;
};

TEST_F(SerialCallbackTest, RunsOnlyInsideTheDispatchWithThePortTheEventAndItsData) {
    calls_.readBytes = kFrame;
    ASSERT_EQ(install(), 0);
    pty_.send(Pattern(kFrame));
    ASSERT_EQ(WaitForQueue(1, kFrame), kFrame);
    QCoreApplication::processEvents(); // the toolkit's own events do not run it
    EXPECT_TRUE(ComCallbackPending());
    EXPECT_EQ(calls_.count, 0);

    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 1);
    EXPECT_EQ(calls_.port, 1);
    EXPECT_EQ(calls_.events, LWRS_RECEIVE);
    EXPECT_EQ(calls_.last, Pattern(kFrame));
    EXPECT_FALSE(ComCallbackPending());
    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 1);
}

TEST_F(SerialCallbackTest, WaitsForTheNotifyCountEvenWhenTheBytesAreStillWithTheSystem) {
    calls_.readBytes = kFrame;
    ASSERT_EQ(install(), 0);
    pty_.send(Pattern(kFrame - 1));
    ASSERT_EQ(WaitForQueue(1, kFrame - 1), kFrame - 1);
    EXPECT_FALSE(ComCallbackPending());
    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 0);

    // The last byte is not pulled into the queue by anyone but the check itself.
    pty_.send({0xAA});
    bool pending = false;
    const double start = Seconds();
    while (!pending && Seconds() - start < 1.0)
        pending = ComCallbackPending();
    EXPECT_TRUE(pending);
    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 1);
}

TEST_F(SerialCallbackTest, NeverRunsWhileRemovedEitherWay) {
    ASSERT_EQ(install(), 0);
    ASSERT_EQ(InstallComCallback(1, 0, kFrame, 0x55, nullptr, nullptr), 0);
    pty_.send(Pattern(kFrame));
    ASSERT_EQ(WaitForQueue(1, kFrame), kFrame);
    EXPECT_FALSE(ComCallbackPending());
    DispatchComCallbacks();
    ASSERT_EQ(install(), 0);
    ASSERT_EQ(InstallComCallback(1, kScopeMask, kFrame, 0x55, nullptr, &calls_), 0);
    DispatchComCallbacks();
    ASSERT_EQ(install(), 0);
    ASSERT_EQ(InstallComCallback(1, 0, kFrame, 0x55, Receive, &calls_), 0);
    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 0);

    // The raw block read is done; the callback is back and takes the frame.
    calls_.readBytes = kFrame;
    ASSERT_EQ(install(), 0);
    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 1);
}

TEST_F(SerialCallbackTest, ACallbackThatProcessesEventsIsNotEnteredAgain) {
    calls_.nest = true;
    ASSERT_EQ(install(), 0);
    pty_.send(Pattern(2 * kFrame));
    ASSERT_EQ(WaitForQueue(1, 2 * kFrame), 2 * kFrame);
    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 1);
    EXPECT_EQ(calls_.deepest, 1);
}

TEST_F(SerialCallbackTest, TwoFramesInTheQueueAreTwoCalls) {
    calls_.readBytes = kFrame;
    ASSERT_EQ(install(), 0);
    const std::vector<std::uint8_t> frames = Pattern(2 * kFrame);
    pty_.send(frames);
    ASSERT_EQ(WaitForQueue(1, 2 * kFrame), 2 * kFrame);
    DispatchComCallbacks();
    EXPECT_EQ(calls_.last, std::vector<std::uint8_t>(frames.begin(), frames.begin() + kFrame));
    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 2);
    EXPECT_EQ(calls_.last, std::vector<std::uint8_t>(frames.begin() + kFrame, frames.end()));
}

TEST_F(SerialCallbackTest, ACallbackThatTakesNothingIsCalledAgainOnlyWhenMoreArrives) {
    ASSERT_EQ(install(), 0);
    pty_.send(Pattern(kFrame));
    ASSERT_EQ(WaitForQueue(1, kFrame), kFrame);
    DispatchComCallbacks();
    DispatchComCallbacks();
    EXPECT_FALSE(ComCallbackPending()) << "the event loop would never rest";
    EXPECT_EQ(calls_.count, 1);
    pty_.send({1});
    ASSERT_EQ(WaitForQueue(1, kFrame + 1), kFrame + 1);
    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 2);

    // After a flush the count starts over: a new frame is a new call.
    ASSERT_EQ(FlushInQ(1), 0);
    pty_.send(Pattern(kFrame));
    ASSERT_EQ(WaitForQueue(1, kFrame), kFrame);
    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 3);
}

TEST_F(SerialCallbackTest, ACallbackMayCloseItsOwnPort) {
    calls_.closePort = true;
    ASSERT_EQ(install(), 0);
    pty_.send(Pattern(kFrame));
    ASSERT_EQ(WaitForQueue(1, kFrame), kFrame);
    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 1);
    EXPECT_EQ(GetInQLen(1), kComErrPortNotOpen);
    EXPECT_FALSE(ComCallbackPending());
    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 1);
}

TEST_F(SerialCallbackTest, ClosingOrReopeningRemovesTheCallback) {
    ASSERT_EQ(install(), 0);
    ASSERT_EQ(OpenLikeTheScope(1), 0);
    pty_.send(Pattern(kFrame));
    ASSERT_EQ(WaitForQueue(1, kFrame), kFrame);
    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 0);
}

TEST_F(SerialCallbackTest, NotifyCountMustFitTheInputQueue) {
    EXPECT_EQ(InstallComCallback(1, LWRS_RECEIVE, 0, 0, Receive, &calls_), kComErrInvalidParameter);
    EXPECT_EQ(InstallComCallback(1, LWRS_RECEIVE, 4097, 0, Receive, &calls_),
              kComErrInvalidParameter);
    EXPECT_EQ(InstallComCallback(1, kScopeMask, kFrame, 300, Receive, &calls_),
              kComErrInvalidParameter);
    EXPECT_EQ(InstallComCallback(1, LWRS_RECEIVE, 4096, 0, Receive, &calls_), 0);
}

} // namespace
} // namespace kvor::test

// SPDX-License-Identifier: GPL-3.0-or-later
// The receive callback: run only from the runtime's event dispatch, only with its notify count
// of bytes waiting, never while removed, never nested for the same port; in a program without
// windows, woken by a frame's first byte and sleeping for the rest.
#include <QCoreApplication>

#include <cstdio>

#include <sys/ioctl.h>

#include "runtime/com_dispatch.h"
#include "runtime/view.h"
#include "tests/runtime/serial_pty.h"
#include "ui/windows.h"

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
    int take = 0;      // bytes the callback reads (0: it leaves them)
    bool nest = false; // it processes events itself, as a callback may
    bool closePort = false;
    std::vector<std::uint8_t> last;
};

void Receive(int port, int events, void* data) {
    auto& calls = *static_cast<Calls*>(data);
    ++calls.count;
    calls.port = port;
    calls.events = events;
    calls.deepest = std::max(calls.deepest, ++calls.depth);
    if (calls.take > 0) {
        calls.last.assign(static_cast<std::size_t>(calls.take), 0);
        ComRd(port, calls.last.data(), calls.take);
    }
    if (calls.nest) {
        QCoreApplication::processEvents();
        DispatchComCallbacks();
    }
    if (calls.closePort) CloseCom(port);
    --calls.depth;
}

class SerialCallbackTest : public SerialTest {
  protected:
    void SetUp() override { usePty(true); }
    int install() { return InstallComCallback(1, kScopeMask, kFrame, 0x55, Receive, &calls_); }
    void arrive(int count) {
        const int before = GetInQLen(1);
        pty_.send(Pattern(static_cast<std::size_t>(count)));
        ASSERT_EQ(WaitForQueue(1, before + count), before + count);
    }

    Calls calls_;
};

TEST_F(SerialCallbackTest, RunsOnlyInsideTheDispatchWithThePortTheEventAndItsData) {
    calls_.take = kFrame;
    ASSERT_EQ(install(), 0);
    arrive(kFrame);
    QCoreApplication::processEvents(); // the toolkit's own events do not run it
    EXPECT_EQ(calls_.count, 0);
    EXPECT_TRUE(ComCallbackPending());
    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 1);
    EXPECT_EQ(calls_.port, 1);
    EXPECT_EQ(calls_.events, LWRS_RECEIVE);
    EXPECT_EQ(calls_.last, Pattern(kFrame));
    EXPECT_FALSE(ComCallbackPending());
    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 1);
}

TEST_F(SerialCallbackTest, WaitsForTheNotifyCountCountingBytesStillWithTheSystem) {
    ASSERT_EQ(install(), 0);
    arrive(kFrame - 1);
    EXPECT_FALSE(ComCallbackPending());
    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 0);
    pty_.send({0xAA}); // nobody but the check itself pulls this one in
    bool pending = false;
    for (const double start = Seconds(); !pending && Seconds() - start < 1.0;)
        pending = ComCallbackPending();
    EXPECT_TRUE(pending);
    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 1);
}

TEST_F(SerialCallbackTest, NeverRunsWhileRemovedEitherWayNorAfterCloseOrReopen) {
    arrive(kFrame);
    using Removal = std::pair<int, ComCallbackPtr>;
    for (const auto& [mask, fn] : {Removal{0, Receive}, Removal{kScopeMask, nullptr}}) {
        ASSERT_EQ(install(), 0);
        ASSERT_EQ(InstallComCallback(1, mask, kFrame, 0x55, fn, &calls_), 0);
        EXPECT_FALSE(ComCallbackPending());
        DispatchComCallbacks();
    }
    ASSERT_EQ(install(), 0);
    ASSERT_EQ(OpenLikeTheScope(1), 0);
    arrive(kFrame);
    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 0);

    // The raw block read is over: installed again, it takes the frame.
    calls_.take = kFrame;
    ASSERT_EQ(install(), 0);
    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 1);
}

TEST_F(SerialCallbackTest, ACallbackThatProcessesEventsIsNotEnteredAgain) {
    calls_.take = kFrame; // takes one frame, then processes events with the second one waiting
    calls_.nest = true;
    ASSERT_EQ(install(), 0);
    arrive(2 * kFrame);
    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 1);
    DispatchComCallbacks(); // the second frame, once the first call has returned
    EXPECT_EQ(calls_.count, 2);
    EXPECT_EQ(calls_.deepest, 1);
}

TEST_F(SerialCallbackTest, ACallbackThatTakesNothingIsCalledAgainOnlyWhenMoreArrives) {
    ASSERT_EQ(install(), 0);
    arrive(kFrame);
    DispatchComCallbacks();
    DispatchComCallbacks();
    EXPECT_FALSE(ComCallbackPending()) << "the event loop would never rest";
    EXPECT_EQ(calls_.count, 1);
    arrive(1);
    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 2);
    ASSERT_EQ(FlushInQ(1), 0); // after a flush a new frame is a new call
    arrive(kFrame);
    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 3);
}

TEST_F(SerialCallbackTest, ACallbackMayCloseItsOwnPort) {
    calls_.closePort = true;
    ASSERT_EQ(install(), 0);
    arrive(kFrame);
    DispatchComCallbacks();
    DispatchComCallbacks();
    EXPECT_EQ(calls_.count, 1);
    EXPECT_EQ(GetInQLen(1), kComErrPortNotOpen);
    EXPECT_FALSE(ComCallbackPending());
}

// The scope's own descriptor of the line, found among the process's open files.
int LineDescriptor(const std::string& device) {
    for (int fd = 0; fd < 1024; ++fd) {
        char link[64];
        char target[256] = {};
        std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
        if (readlink(link, target, sizeof target - 1) > 0 && device == target) return fd;
    }
    return -1;
}

// Whether the operating system holds `count` bytes of the line (within two seconds).
bool Held(int fd, int count) {
    int held = 0;
    for (const double start = Seconds(); held < count && Seconds() - start < 2.0;)
        if (ioctl(fd, FIONREAD, &held) != 0) return false;
    return held == count;
}

// What wakes a wait on the line within `waitMs`: readable, hung up, or nothing.
short Wakes(int fd, int waitMs = 0) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, waitMs) > 0 ? p.revents : 0;
}

TEST_F(SerialCallbackTest, AFrameInFivePiecesWakesTheProgramOnceAndWhole) {
    calls_.take = kFrame;
    ASSERT_EQ(install(), 0);
    const int fd = LineDescriptor(pty_.path());
    ASSERT_GE(fd, 0);
    const std::vector<std::uint8_t> frame = Pattern(kFrame, 3);
    for (std::size_t from = 0; from < 32; from += 8) {
        pty_.send({frame.begin() + from, frame.begin() + from + 8});
        ASSERT_TRUE(Held(fd, static_cast<int>(from) + 8));
        EXPECT_EQ(Wakes(fd), 0) << "woken with " << from + 8 << " bytes";
        EXPECT_EQ(GetInQLen(1), static_cast<int>(from) + 8); // counted all the same
        ProcessSystemEvents();
        EXPECT_EQ(calls_.count, 0);
    }
    pty_.send({frame.begin() + 32, frame.end()});
    EXPECT_EQ(Wakes(fd, 2000), POLLIN);
    for (const double start = Seconds(); calls_.count == 0 && Seconds() - start < 2.0;)
        ProcessSystemEvents();
    EXPECT_EQ(calls_.count, 1);
    EXPECT_EQ(calls_.last, frame);

    // Without the callback (a raw read polls the queue) every byte wakes; a hang-up always does.
    ASSERT_EQ(InstallComCallback(1, 0, kFrame, 0, nullptr, nullptr), 0);
    pty_.send({0x55});
    EXPECT_EQ(Wakes(fd, 2000), POLLIN);
    ASSERT_EQ(install(), 0);
    pty_.hangUp();
    EXPECT_NE(Wakes(fd) & POLLHUP, 0);
}

// A program without windows: the view is taken away for the test and put back after it.
class Windowless {
  public:
    Windowless() { rt::InstallView(nullptr); }
    ~Windowless() { InstallPanelWindows(); }
    Windowless(const Windowless&) = delete;
    Windowless& operator=(const Windowless&) = delete;
};

TEST_F(SerialCallbackTest, WithoutWindowsTheFirstByteWakesAndTheRestIsSleptFor) {
    const Windowless windowless;
    ASSERT_EQ(install(), 0);
    const int fd = LineDescriptor(pty_.path());
    ASSERT_GE(fd, 0);
    pty_.send({0x00});
    ASSERT_TRUE(Held(fd, 1));
    EXPECT_EQ(Wakes(fd), POLLIN) << "the first byte of a frame must wake a windowless program";

    // The missing bytes at the line's rate, for every part of the frame that can be in, at the
    // scope's settings and at a slower line with parity and two stop bits.
    struct Line {
        long baud;
        int parity, dataBits, stopBits, bits;
    };
    for (const Line line : {Line{19200, 0, 8, 1, 10}, Line{9600, 2, 7, 2, 11}}) {
        rt::CloseAllComPorts();
        ASSERT_EQ(
            OpenComConfig(1, "", line.baud, line.parity, line.dataBits, line.stopBits, 4096, 4096),
            0);
        ASSERT_EQ(FlushInQ(1), 0); // what the last opening left on the line
        ASSERT_EQ(install(), 0);
        EXPECT_EQ(rt::ComBytesInTransitSeconds(), 0.0) << "nothing in yet: no answer may come";
        for (int in = 1; in <= kFrame; ++in) {
            arrive(1);
            const double expected =
                in < kFrame ? (kFrame - in) * line.bits / static_cast<double>(line.baud) : 0;
            EXPECT_NEAR(rt::ComBytesInTransitSeconds(), expected, 1e-12) << in << " bytes in";
        }
        ASSERT_EQ(FlushInQ(1), 0);
        EXPECT_EQ(rt::ComBytesInTransitSeconds(), 0.0);
    }
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

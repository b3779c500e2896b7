// SPDX-License-Identifier: GPL-3.0-or-later
// The program's busy-wait loops sleep in the operating system while nothing happens: over
// ProcessSystemEvents (the answer waits) and over GetInQLen alone (the firmware text read).
#include <sys/resource.h>

#include "tests/runtime/serial_pty.h"

namespace kvor::test {
namespace {

double ThreadCpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_THREAD, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + 1e-6 * (u.ru_utime.tv_usec + u.ru_stime.tv_usec);
}

struct Loop {
    const char* name;
    void (*pass)();
};

class BusyWait : public SerialTest, public ::testing::WithParamInterface<Loop> {
  protected:
    void SetUp() override { usePty(true); }
};

// A loop that spins makes millions of passes in this time and takes the whole core; one that
// sleeps a few milliseconds a pass makes a hundred or so. A loaded machine only makes fewer.
TEST_P(BusyWait, MakesFewPassesAndTakesLittleCpuWhileTheLineIsQuiet) {
    constexpr double kSeconds = 0.4;
    const double cpu0 = ThreadCpuSeconds();
    const double t0 = Timer();
    int passes = 0;
    while (Timer() - t0 < kSeconds) {
        GetParam().pass();
        ++passes;
    }
    const double cpu = ThreadCpuSeconds() - cpu0;
    EXPECT_LT(passes, 200) << GetParam().name;
    EXPECT_LT(cpu, 0.25 * kSeconds) << GetParam().name;
    // Bytes that arrive are counted at once, however the loop sleeps.
    pty_.send(Pattern(36));
    EXPECT_EQ(WaitForQueue(1, 36), 36);
}

// A wait that names its time-out sleeps until then: a few passes in place of one every few
// milliseconds (a loaded machine only makes fewer).
TEST_F(SerialTest, AWaitToldItsTimeOutSleepsUntilIt) {
    const double timeOut = Timer() + 0.3;
    int passes = 0;
    while (Timer() <= timeOut) {
        WakeNoLaterThan(timeOut);
        ProcessSystemEvents();
        ++passes;
    }
    EXPECT_LE(passes, 6);
}

INSTANTIATE_TEST_SUITE_P(
    Loops, BusyWait,
    ::testing::Values(Loop{"ProcessSystemEvents", [] { ProcessSystemEvents(); }},
                      Loop{"GetInQLen", [] { GetInQLen(1); }}),
    [](const ::testing::TestParamInfo<Loop>& info) { return std::string(info.param.name); });

} // namespace
} // namespace kvor::test

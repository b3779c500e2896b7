// SPDX-License-Identifier: GPL-3.0-or-later
// The program's busy-wait loops sleep in the operating system while nothing happens: over
// ProcessSystemEvents (the answer waits) and over GetInQLen alone (the firmware text read).
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "tests/runtime/serial_pty.h"

namespace kvor::test {
namespace {

// Times this thread gave the processor up of its own accord: a pass that sleeps in the
// operating system does, a pass that spins does not, however loaded the machine.
long VoluntarySwitches() {
    rusage u{};
    getrusage(RUSAGE_THREAD, &u);
    return u.ru_nvcsw;
}

struct Loop {
    const char* name;
    void (*pass)();
};

class BusyWait : public SerialTest, public ::testing::WithParamInterface<Loop> {
  protected:
    void SetUp() override { usePty(true); }
};

// Nearly every pass over a quiet line sleeps; a loop that spins makes millions of passes
// without one. (Their share of a core is a benchmark: bench_wait_cpu.)
TEST_P(BusyWait, SleepsInNearlyEveryPassWhileTheLineIsQuiet) {
    constexpr long kPasses = 40;
    const long before = VoluntarySwitches();
    for (long i = 0; i < kPasses; ++i)
        GetParam().pass();
    EXPECT_GE(VoluntarySwitches() - before, kPasses / 2) << GetParam().name;
    // Bytes that arrive are counted at once, however the loop sleeps.
    pty_.send(Pattern(36));
    EXPECT_EQ(WaitForQueue(1, 36), 36);
}

// A wait that names a time-out far off sleeps until bytes arrive: its passes are the sensor's
// arrivals, a few each, not one every few milliseconds. The sensor sends its bytes in five
// pieces at its own pace.
TEST_F(SerialTest, AWaitToldItsTimeOutWakesForTheArrivals) {
    usePty(true);
    constexpr int kPieces = 5;
    // The sensor sends its next piece once the wait has counted the one before: the wait then
    // sleeps until that piece arrives, whatever the machine's load.
    std::atomic<int> counted{0};
    std::thread sensor([this, &counted] {
        for (int i = 0; i < kPieces; ++i) {
            while (counted.load() < 4 * i)
                std::this_thread::yield();
            pty_.send(Pattern(4));
        }
    });
    const double timeOut = Timer() + 60.0;
    int passes = 0;
    while (GetInQLen(1) < 4 * kPieces && Timer() <= timeOut) {
        WakeNoLaterThan(timeOut);
        ProcessSystemEvents();
        counted.store(GetInQLen(1));
        ++passes;
    }
    counted.store(4 * kPieces);
    sensor.join();
    EXPECT_EQ(GetInQLen(1), 4 * kPieces);
    EXPECT_LE(passes, 3 * kPieces);
}

INSTANTIATE_TEST_SUITE_P(
    Loops, BusyWait,
    ::testing::Values(Loop{"ProcessSystemEvents", [] { ProcessSystemEvents(); }},
                      Loop{"GetInQLen", [] { GetInQLen(1); }}),
    [](const ::testing::TestParamInfo<Loop>& info) { return std::string(info.param.name); });

} // namespace
} // namespace kvor::test

// SPDX-License-Identifier: GPL-3.0-or-later
// How much of a core a busy wait over ProcessSystemEvents and Timer takes while nothing arrives,
// beside a wait that never yields, and how late such a wait notices its 1.5 s time-out, with and
// without telling the runtime when that falls; and the same share for a wait over GetInQLen
// alone (the firmware text read) on a line that stays quiet.
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

#include "runtime/runtime.h"
#include "sim/simulated_sensor.h"
#include "ui/windows.h"

namespace {

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

enum class Pass { Spin, Events, EventsToldTheTimeOut };

// The program's wait: passes until the clock says the time-out is over; returns the share of
// one core and how far past the time-out the loop ended.
double Share(Pass pass, double seconds, long* passes, double* late) {
    const double cpu0 = CpuSeconds();
    const double t0 = Timer();
    *passes = 0;
    double t = t0;
    while ((t = Timer()) - t0 <= seconds) {
        if (pass == Pass::EventsToldTheTimeOut) WakeNoLaterThan(t0 + seconds);
        if (pass != Pass::Spin) ProcessSystemEvents();
        ++*passes;
    }
    *late = t - t0 - seconds;
    return (CpuSeconds() - cpu0) / (t - t0);
}

// The firmware text read's wait over the queue length of a silent sensor's line.
double QueueShare(double seconds, long* passes) {
    kvor::sim::Options options;
    options.faults.silent = true;
    kvor::sim::SimulatedSensor sensor(options);
    if (!sensor.start()) return -1.0;
    setenv("KVOR_COM_PORTS", sensor.devicePath().c_str(), 1);
    if (OpenComConfig(1, "", 19200, 0, 8, 1, 4096, 4096) < 0) return -1.0;
    const double cpu0 = CpuSeconds();
    const double t0 = Timer();
    *passes = 0;
    double t = t0;
    while ((t = Timer()) - t0 <= seconds) {
        GetInQLen(1);
        ++*passes;
    }
    const double share = (CpuSeconds() - cpu0) / (t - t0);
    CloseCom(1);
    return share;
}

} // namespace

int main(int argc, char** argv) {
    InstallPanelWindows();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ProgramInstance instance{argc, argv};
    if (!InitRuntime(&instance)) return 1;
    long passes = 0, spins = 0, toldPasses = 0;
    double late = 0, worst = 0, spinLate = 0, toldWorst = 0;
    double waiting = 0;
    for (int i = 0; i < 3; ++i) {
        waiting += Share(Pass::Events, 1.5, &passes, &late) / 3;
        if (late > worst) worst = late;
        Share(Pass::EventsToldTheTimeOut, 1.5, &toldPasses, &late);
        if (late > toldWorst) toldWorst = late;
    }
    const double spinning = Share(Pass::Spin, 1.5, &spins, &spinLate);
    long queuePasses = 0;
    const double queue = QueueShare(1.5, &queuePasses);
    std::printf("1.5 s wait over ProcessSystemEvents, share of one core|%.2f %%|\n", 100 * waiting);
    std::printf("1.5 s wait over ProcessSystemEvents, passes|%ld|\n", passes);
    std::printf("1.5 s wait over ProcessSystemEvents, worst lateness of 3|%.1f ms|\n",
                1000 * worst);
    std::printf("... told its time-out (WakeNoLaterThan), passes|%ld|\n", toldPasses);
    std::printf("... told its time-out (WakeNoLaterThan), worst lateness of 3|%.1f ms|\n",
                1000 * toldWorst);
    std::printf("1.5 s wait over GetInQLen on a quiet line, share of one core|%.2f %%|\n",
                100 * queue);
    std::printf("1.5 s wait over GetInQLen on a quiet line, passes|%ld|\n", queuePasses);
    std::printf("1.5 s wait that never yields, share of one core|%.0f %%|\n", 100 * spinning);
    CloseRuntime();
    return waiting < 0.10 && queue >= 0 && queue < 0.10 ? 0 : 1;
}

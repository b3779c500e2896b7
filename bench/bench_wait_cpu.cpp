// How much of a core a busy wait over ProcessSystemEvents and Timer takes while nothing arrives,
// beside a wait that never yields. The program waits like this for up to 1.5 s per request.
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

#include "ui/runtime.h"

namespace {

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double Share(bool processEvents, double seconds, long* passes) {
    const double cpu0 = CpuSeconds();
    const double t0 = Timer();
    *passes = 0;
    while (Timer() - t0 < seconds) {
        if (processEvents) ProcessSystemEvents();
        ++*passes;
    }
    return (CpuSeconds() - cpu0) / (Timer() - t0);
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ProgramInstance instance{argc, argv};
    if (!InitRuntime(&instance)) return 1;
    long passes = 0, spins = 0;
    const double waiting = Share(true, 2.0, &passes);
    const double spinning = Share(false, 2.0, &spins);
    std::printf("| wait of 2 s | share of one core | passes |\n|---|---|---|\n");
    std::printf("| ProcessSystemEvents + Timer | %.1f %% | %ld |\n", 100 * waiting, passes);
    std::printf("| Timer only, never yielding | %.1f %% | %ld |\n", 100 * spinning, spins);
    CloseRuntime();
    return waiting < 0.10 ? 0 : 1;
}

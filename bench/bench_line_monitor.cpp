// SPDX-License-Identifier: GPL-3.0-or-later
// What the line monitor costs per frame: with it open (recording, and its list catching up and
// repainting as it does for the operator) and with it closed.
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

#include "runtime/line_trace.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "ui/windows.h"
#include "wire/protocol.h"

namespace {

double ThreadCpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_THREAD, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + 1e-6 * (u.ru_utime.tv_usec + u.ru_stime.tv_usec);
}

// Frames as the serial layer hands them to the trace: a request and its answer per exchange,
// with an event pass now and then (a pass with nothing to do sleeps, which costs no CPU).
double CostPerFrameMs(int exchanges) {
    using namespace kvor;
    unsigned char frame[protocol::kFrameBytes] = {0x00, 0x55, 0x00, 0x08};
    rt::LineTrace& trace = rt::LineTrace::instance();
    const double c0 = ThreadCpuSeconds();
    for (int i = 0; i < exchanges; ++i) {
        frame[5] = static_cast<unsigned char>(i);
        if (trace.wanted()) trace.written(1, frame, protocol::kFrameBytes, protocol::kFrameBytes);
        if (trace.wanted()) trace.read(1, frame, protocol::kFrameBytes, protocol::kFrameBytes);
        if (i % 50 == 0) ProcessSystemEvents();
    }
    GetLineMonitorEntryCount(); // the list catches up with the last of them
    return 1000.0 * (ThreadCpuSeconds() - c0) / (2.0 * exchanges);
}

} // namespace

int main(int argc, char** argv) {
    InstallPanelWindows();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ProgramInstance instance{argc, argv};
    if (!InitRuntime(&instance)) return 1;
    const int n = argc > 1 ? std::atoi(argv[1]) : 20000;
    const double closed = CostPerFrameMs(n);
    DisplayLineMonitor();
    const double open = CostPerFrameMs(n);
    std::printf("line monitor, cost per frame while open|%.4f ms|\n", open);
    std::printf("line monitor, cost per frame while closed|%.4f ms|\n", closed);
    CloseRuntime();
    return 0;
}

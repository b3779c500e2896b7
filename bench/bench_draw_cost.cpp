// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own work for one measurement answer, without the line: decoding the answer,
// the numeric displays, the bar graph and the strip chart (what stands between an answer
// arriving and the next request going out), and the repaint that follows in the event pass.
//   bench_draw_cost [ANSWERS, default 5000]   (a few hundred are enough under callgrind)
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/startup.h"
#include "live/bar_graph.h"
#include "live/curve_strip.h"
#include "live/measurement.h"
#include "live/run_loop.h"
#include "runtime/runtime.h"
#include "state/state.h"
#include "ui/windows.h"

int main(int argc, char** argv) {
    InstallPanelWindows();
    using namespace kvor;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("KVOR_COM_PORTS", "/nonexistent/tty", 1);
    ProgramInstance instance{argc, argv};
    if (StartProgram(&instance) != 0) return 1;
    const int n = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5000;
    double drawing = 0, events = 0;
    for (int i = 0; i < n; ++i) {
        const u16 answer[16] = {static_cast<u16>(400 + i % 50),
                                static_cast<u16>(600 + i % 30),
                                200,
                                200,
                                0,
                                512,
                                100,
                                2,
                                900,
                                900,
                                0,
                                700,
                                300,
                                0,
                                0,
                                0};
        for (int k = 0; k < 16; ++k)
            pp[k] = answer[k];
        const double t0 = Timer();
        CopyPPtoMeasurement();
        PlotVIDEOBarGraph();
        PlotRAWGraphX8();
        const double t1 = Timer();
        ProcessSystemEvents(); // the repaint, while the line carries the next request
        events += Timer() - t1;
        drawing += t1 - t0;
    }
    std::printf("answer to next request: decode and draw|%.3f ms|\n", 1000 * drawing / n);
    std::printf("event pass with the repaint, per answer|%.3f ms|\n", 1000 * events / n);
    EndProgram();
    CloseRuntime();
    return 0;
}

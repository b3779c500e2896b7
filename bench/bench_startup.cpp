// SPDX-License-Identifier: GPL-3.0-or-later
// Time from start to an identified sensor with its parameters on the panel, against the
// simulated sensor at 19200 baud, and the program's peak resident memory after a run.
#include <sys/resource.h>

#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/startup.h"
#include "live/run_loop.h"
#include "runtime/runtime.h"
#include "sim/simulated_sensor.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "ui/windows.h"

namespace {

using namespace kvor;

// One start-up: loading both panels, the line check, both identifications and the RAM read.
double StartUpSeconds(ProgramInstance* instance, bool* identified) {
    sim::SimulatedSensor sensor; // paced like the real line
    if (!sensor.start()) return -1;
    setenv("KVOR_COM_PORTS", sensor.devicePath().c_str(), 1);
    ResetInstrumentState();
    const double t0 = Timer();
    const int started = StartProgram(instance);
    const double seconds = Timer() - t0;
    char status[128] = "";
    GetCtrlVal(pHandle, MAIN_STATUS, status);
    *identified = started == 0 && std::strncmp(status, "K-VOR-PX", 8) == 0 && power == 500;
    EndProgram();
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    InstallPanelWindows();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ProgramInstance instance{argc, argv};
    if (!InitRuntime(&instance)) return 1;
    std::vector<double> times;
    bool allIdentified = true;
    for (int i = 0; i < 5; ++i) {
        bool identified = false;
        times.push_back(StartUpSeconds(&instance, &identified));
        allIdentified &= identified;
    }
    std::sort(times.begin(), times.end());

    // Peak memory: one more start and ten seconds of measurement.
    sim::SimulatedSensor sensor;
    sensor.start();
    setenv("KVOR_COM_PORTS", sensor.devicePath().c_str(), 1);
    ResetInstrumentState();
    StartProgram(&instance);
    QTimer::singleShot(10000, [] { stop_flag = 1; });
    CC_BTNRun(pHandle, MAIN_RUN, EVENT_COMMIT, nullptr, 0, 0);
    EndProgram();
    rusage u{};
    getrusage(RUSAGE_SELF, &u);

    std::printf("start-up to an identified sensor with its parameters|%.3f s%s|\n",
                times[times.size() / 2], allIdentified ? "" : " (failed)");
    std::printf("peak resident memory after 10 s of measuring|%.1f MiB|\n", u.ru_maxrss / 1024.0);
    CloseRuntime();
    return allIdentified ? 0 : 1;
}

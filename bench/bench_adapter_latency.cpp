// SPDX-License-Identifier: GPL-3.0-or-later
// The measurement loop's paced cycle rate as a USB-serial adapter shapes it: the plain line,
// an adapter whose latency timer is at its default 16 ms, and one set to low latency (1 ms).
// Each answer is 36 bytes, shorter than a USB packet, so it waits for the timer.
#include <QTimer>

#include <cstdio>
#include <cstdlib>

#include "app/startup.h"
#include "live/run_loop.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "sim/simulated_sensor.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "ui/windows.h"
#include "wire/protocol.h"

namespace {

using namespace kvor;

// Measurement requests the sensor saw per second while the loop ran for `seconds`.
double CyclesPerSecond(ProgramInstance* instance, double adapterLatency, double seconds) {
    sim::Options options;
    options.adapterLatency = adapterLatency;
    sim::SimulatedSensor sensor(options);
    if (!sensor.start()) return 0.0;
    setenv("KVOR_COM_PORTS", sensor.devicePath().c_str(), 1);
    ResetInstrumentState();
    if (StartProgram(instance) != 0) return 0.0;
    sensor.clearRequests();
    QTimer::singleShot(static_cast<int>(seconds * 1000), [] { stop_flag = 1; });
    const double t0 = Timer();
    CC_BTNRun(pHandle, MAIN_RUN, EVENT_COMMIT, nullptr, 0, 0);
    const double took = Timer() - t0;
    int measurements = 0;
    for (const sim::Request& r : sensor.requests())
        measurements += r.command == protocol::CMD_MEASURE;
    EndProgram();
    return measurements / took;
}

} // namespace

int main(int argc, char** argv) {
    InstallPanelWindows();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    static ProgramInstance instance{argc, argv};
    if (!InitRuntime(&instance)) return 2;
    SetPopupsAnswerThemselves(true);
    const double plain = CyclesPerSecond(&instance, 0.0, seconds);
    const double timer16 = CyclesPerSecond(&instance, 0.016, seconds);
    const double timer1 = CyclesPerSecond(&instance, 0.001, seconds);
    const double limit = 19200.0 / 10.0 / (2 * protocol::kFrameBytes);
    std::printf("measurement cycles/s, paced line, plain serial port|%.1f|%.1f\n", plain, limit);
    std::printf("... through a USB adapter, latency timer 16 ms (default)|%.1f|%.1f\n", timer16,
                limit);
    std::printf("... through a USB adapter, low latency (1 ms)|%.1f|%.1f\n", timer1, limit);
    CloseRuntime();
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// How soon the scope puts the operator's next request on the line, as the paced sensor sees it:
// a read clicked right after a write to a sensor that never acknowledges writes (the scope
// waits out the acknowledgment window, 0.1 s after the write's last byte has left the line),
// and the echo on a port picked during Run while the old port's answer is still coming.
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/startup.h"
#include "link/serial_link.h"
#include "live/run_loop.h"
#include "params/transfer.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "sim/simulated_sensor.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "wire/protocol.h"

namespace {

using namespace kvor;

constexpr int kRounds = 7;

// Seconds on the sensor's clock from the write's first byte to the read's first byte.
double WriteToRead(const sim::SimulatedSensor& sensor) {
    const std::vector<sim::Request> r = sensor.requests();
    const auto write = std::find_if(r.begin(), r.end(), [](const sim::Request& q) {
        return q.command == protocol::CMD_WRITE_RAM;
    });
    const auto read = std::find_if(
        write, r.end(), [](const sim::Request& q) { return q.command == protocol::CMD_READ_RAM; });
    return write == r.end() || read == r.end() ? -1.0 : read->at - write->at;
}

double Median(std::vector<double> v) {
    if (v.empty()) return -1.0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Send, then Get at once, `kRounds` times; the median and the worst time from write to read.
bool SendThenGet(ProgramInstance* instance, double* median, double* worst) {
    sim::Options options;
    options.acknowledgeWrites = false;
    sim::SimulatedSensor sensor(options);
    if (!sensor.start()) return false;
    setenv("KVOR_COM_PORTS", sensor.devicePath().c_str(), 1);
    ResetInstrumentState();
    if (StartProgram(instance) != 0) return false;
    std::vector<double> times;
    for (int i = 0; i < kRounds; ++i) {
        sensor.clearRequests();
        CC_BTNSend(pHandle, MAIN_SEND, EVENT_LEFT_CLICK, nullptr, 0, 0);
        CC_BTNGet(pHandle, MAIN_GET, EVENT_COMMIT, nullptr, 0, 0);
        times.push_back(WriteToRead(sensor));
    }
    EndProgram();
    *median = Median(times);
    *worst = *std::max_element(times.begin(), times.end());
    return *std::min_element(times.begin(), times.end()) >= 0;
}

// Run on port 1; port 2 picked while the sensor holds a measurement answer back: seconds from
// the pick to the echo's first byte on port 2, as this process's clock sees both.
double PickToEcho(ProgramInstance* instance) {
    sim::SimulatedSensor first, second;
    if (!first.start() || !second.start()) return -1.0;
    const std::string ports = first.devicePath() + ":" + second.devicePath();
    setenv("KVOR_COM_PORTS", ports.c_str(), 1);
    ResetInstrumentState();
    if (StartProgram(instance) != 0) return -1.0;
    double picked = 0, echoed = 0;
    QTimer echo;
    echo.callOnTimeout([&] {
        if (echoed == 0 && !second.requests().empty()) echoed = Timer();
    });
    QTimer pick;
    pick.callOnTimeout([&] {
        if (stop_flag != 0 || picked > 0) return;
        if (!first.holdingAnswer()) {
            sim::Faults hold;
            hold.holdCommand = protocol::CMD_MEASURE;
            hold.holdSeconds = 1.0;
            first.setFaults(hold);
            return;
        }
        echo.start(1);
        picked = Timer();
        SetCtrlVal(pHandle, MAIN_COMPORT, std::int32_t{2});
        CC_DropDCom(pHandle, MAIN_COMPORT, EVENT_COMMIT, nullptr, 0, 0);
    });
    pick.start(2);
    QTimer::singleShot(10000, [] { stop_flag = 1; }); // a pick that never came ends the run
    CC_BTNRun(pHandle, MAIN_RUN, EVENT_COMMIT, nullptr, 0, 0);
    pick.stop();
    echo.stop();
    EndProgram();
    return picked > 0 && echoed > 0 ? echoed - picked : -1.0;
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static ProgramInstance instance{argc, argv};
    if (!InitRuntime(&instance)) return 2;
    SetPopupsAnswerThemselves(true);
    double median = -1, worst = -1;
    const bool sent = SendThenGet(&instance, &median, &worst);
    std::vector<double> picks;
    for (int i = 0; i < 3; ++i)
        picks.push_back(PickToEcho(&instance));
    std::printf("Send -> Get, write to read on the line, sensor never acknowledges, median of %d|"
                "%.3f s|0.15 s\n",
                kRounds, median);
    std::printf("... worst of %d|%.3f s|0.15 s\n", kRounds, worst);
    std::printf("port picked during Run to its echo on the new port, median of 3|%.3f s|0.4 s\n",
                Median(picks));
    CloseRuntime();
    return sent && worst <= 0.15 && Median(picks) >= 0 ? 0 : 1;
}

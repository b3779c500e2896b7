// SPDX-License-Identifier: GPL-3.0-or-later
// Figures of the measurement loop and the video mode against the simulated sensor on a
// pseudo-terminal: cycles per second paced as the real line, the share of one core the
// program's thread takes meanwhile, its own cost per cycle with the line unpaced (with and
// without a measurement record, and the statistics and record of one answer alone), and video
// frames per second for both block layouts.
#include <sys/resource.h>

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/startup.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "wire/protocol.h"
// The same file measures the scope before it had statistics and a record (scripts/bench.sh).
#if __has_include("live/record.h")
#define KVOR_BENCH_RECORD 1
#include "live/answer_tally.h"
#include "live/record.h"
#endif
#include "live/run_loop.h"
#include "live/video_mode.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "sim/simulated_sensor.h"
#include "ui/windows.h"

namespace {

using namespace kvor;

double CpuSeconds(int who) {
    rusage u{};
    getrusage(who, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + 1e-6 * (u.ru_utime.tv_usec + u.ru_stime.tv_usec);
}

double ThreadCpuSeconds() {
    return CpuSeconds(RUSAGE_THREAD);
}

// How often the calling thread has been put to sleep and woken again, or taken off its core:
// voluntary plus involuntary context switches, as /proc shows them for the thread.
long ThreadSwitches() {
    std::FILE* status = std::fopen("/proc/thread-self/status", "r");
    if (status == nullptr) return 0;
    long total = 0;
    char line[256];
    while (std::fgets(line, sizeof line, status) != nullptr) {
        long n = 0;
        if (std::sscanf(line, "voluntary_ctxt_switches: %ld", &n) == 1 ||
            std::sscanf(line, "nonvoluntary_ctxt_switches: %ld", &n) == 1)
            total += n;
    }
    std::fclose(status);
    return total;
}

struct Figures {
    double seconds = 0;
    double cpuSeconds = 0;
    long switches = 0;            // of the scope's thread
    long sleeps = 0;              // of its event processing: how often it came back through it
    double processCpuSeconds = 0; // every thread: the toolkit's helpers and the sensor's too
    int measurements = 0;         // command 8 requests the sensor saw
    double tallyMs = 0;           // statistics and record line of one answer, measured alone
};

// Starts the program against a fresh sensor, runs one loop for `seconds`, and counts. With
// `record` set, a measurement record runs to that file meanwhile; with `hidden`, the main panel
// is not on the screen, so nothing is painted (before the plots drew their pictures when the
// panel went to the screen, they still drew them then).
Figures Run(ProgramInstance* instance, sim::Options options, bool video, double seconds,
            [[maybe_unused]] const char* record = nullptr, bool hidden = false) {
    Figures f;
    sim::SimulatedSensor sensor(options);
    if (!sensor.start()) {
        std::fprintf(stderr, "sensor did not start: %s\n", sensor.lastError().c_str());
        return f;
    }
    setenv("KVOR_COM_PORTS", sensor.devicePath().c_str(), 1);
    ResetInstrumentState();
    if (StartProgram(instance) != 0) {
        std::fprintf(stderr, "start-up failed\n");
        return f;
    }
#ifdef KVOR_BENCH_RECORD
    if (record != nullptr) {
        SetNextFileSelection(record, VAL_NEW_FILE_SELECTED);
        SetCtrlVal(pHandle, MAIN_RECORD, 1);
        CC_TOGGBTN_Record(pHandle, MAIN_RECORD, EVENT_COMMIT, nullptr, 0, 0);
    }
#endif
    sensor.clearRequests();
    if (hidden) HidePanel(pHandle);
    QTimer::singleShot(static_cast<int>(seconds * 1000), [] { stop_flag = 1; });
    double t0 = Timer();
    double c0 = ThreadCpuSeconds();
    const long s0 = ThreadSwitches();
#ifdef KVOR_BENCH_SLEEPS
    const long e0 = GetEventSleepCount();
#endif
    const double p0 = CpuSeconds(RUSAGE_SELF);
    if (video) {
        CC_BTNVideo(pHandle, MAIN_VIDEO, EVENT_COMMIT, nullptr, 0, 0);
    } else {
        CC_BTNRun(pHandle, MAIN_RUN, EVENT_COMMIT, nullptr, 0, 0);
    }
    f.cpuSeconds = ThreadCpuSeconds() - c0;
    f.switches = ThreadSwitches() - s0;
#ifdef KVOR_BENCH_SLEEPS
    f.sleeps = GetEventSleepCount() - e0;
#endif
    f.processCpuSeconds = CpuSeconds(RUSAGE_SELF) - p0;
    f.seconds = Timer() - t0;
#ifdef KVOR_BENCH_RECORD
    if (record != nullptr) {
        // The same work alone, without the line: answers that vary, each followed by an event
        // pass that redraws what changed, against event passes alone (the toolkit's own, which
        // never waits for input).
        const int n = 5000;
        double c = ThreadCpuSeconds();
        for (int i = 0; i < n; ++i) {
            Mvalue = static_cast<u16>(500 + i % 37);
            TallyMeasurementAnswer();
            QCoreApplication::processEvents();
        }
        const double with = ThreadCpuSeconds() - c;
        c = ThreadCpuSeconds();
        for (int i = 0; i < n; ++i) {
            Mvalue = static_cast<u16>(500 + i % 37);
            QCoreApplication::processEvents();
        }
        f.tallyMs = 1000.0 * (with - (ThreadCpuSeconds() - c)) / n;
        SetCtrlVal(pHandle, MAIN_RECORD, 0);
        CC_TOGGBTN_Record(pHandle, MAIN_RECORD, EVENT_COMMIT, nullptr, 0, 0);
        std::remove(record);
    }
#endif
    for (const sim::Request& r : sensor.requests())
        f.measurements += r.command == protocol::CMD_MEASURE;
    EndProgram();
    return f;
}

sim::Options Sensor(bool paced, const char* preset) {
    sim::Options o;
    o.paced = paced;
    o.requestLogLimit = 0;
    if (preset != nullptr) sim::ModelPreset(preset, &o.model);
    return o;
}

// The program started against a sensor and left alone in its event loop, as an operator leaves
// it between measurements.
Figures Idle(ProgramInstance* instance, double seconds) {
    Figures f;
    sim::SimulatedSensor sensor(Sensor(true, nullptr));
    if (!sensor.start()) return f;
    setenv("KVOR_COM_PORTS", sensor.devicePath().c_str(), 1);
    ResetInstrumentState();
    if (StartProgram(instance) != 0) return f;
    QTimer::singleShot(static_cast<int>(seconds * 1000), [] { QuitUserInterface(0); });
    const double t0 = Timer();
    const double c0 = ThreadCpuSeconds();
    RunUserInterface();
    f.cpuSeconds = ThreadCpuSeconds() - c0;
    f.seconds = Timer() - t0;
    EndProgram();
    return f;
}

// Bytes of one exchange on a 19200 baud 8N1 line: 10 bits a byte.
double LineLimit(int bytes) {
    return 19200.0 / 10.0 / bytes;
}

} // namespace

int main(int argc, char** argv) {
    InstallPanelWindows();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    static ProgramInstance instance{argc, argv};
    if (!InitRuntime(&instance)) return 2;
    SetPopupsAnswerThemselves(true);

    const int frame = protocol::kFrameBytes;
    Figures paced = Run(&instance, Sensor(true, nullptr), false, seconds);
    Figures hidden = Run(&instance, Sensor(true, nullptr), false, seconds, nullptr, true);
    // Without and with a record, in turns, the cheapest of three each: a shared machine's load
    // only ever adds.
    const std::string record = std::string(P_tmpdir) + "/kvor-bench-record.csv";
    Figures unpaced, recording;
    double plainMs = 1e9, recordMs = 1e9;
    for (int k = 0; k < 3; ++k) {
        Figures a = Run(&instance, Sensor(false, nullptr), false, seconds);
        Figures b = Run(&instance, Sensor(false, nullptr), false, seconds, record.c_str());
        if (a.measurements > 0 && 1000.0 * a.cpuSeconds / a.measurements < plainMs) {
            plainMs = 1000.0 * a.cpuSeconds / a.measurements;
            unpaced = a;
        }
        if (b.measurements > 0 && 1000.0 * b.cpuSeconds / b.measurements < recordMs) {
            recordMs = 1000.0 * b.cpuSeconds / b.measurements;
            recording = b;
        }
    }
    Figures idle = Idle(&instance, seconds);
    Figures video64 = Run(&instance, Sensor(true, nullptr), true, seconds);
    Figures video256 = Run(&instance, Sensor(true, "board7"), true, seconds);

    const double cycles = paced.measurements / paced.seconds;
    const double frames64 = video64.measurements / video64.seconds;
    const double limit64 = LineLimit(2 * frame + 4 * (frame + protocol::kVideo64Bytes));
    const double frames256 = video256.measurements / video256.seconds;
    const double limit256 = LineLimit(2 * frame + frame + protocol::kVideo256Bytes);
    // One row a figure: name|measured|line limit (bench.sh lays them out).
    std::printf("measurement cycles/s, paced line|%.1f|%.1f\n", cycles, LineLimit(2 * frame));
    std::printf("CPU share of one core while Run polls the paced line|%.1f %%|\n",
                100.0 * paced.cpuSeconds / paced.seconds);
    std::printf("... wakes of the scope's thread per paced answer (context switches)|%.1f|\n",
                paced.measurements > 0 ? static_cast<double>(paced.switches) / paced.measurements
                                       : 0.0);
#ifdef KVOR_BENCH_SLEEPS
    std::printf(
        "... of them returns through the event loop (sleeps of its event processing)|%.1f|\n",
        paced.measurements > 0 ? static_cast<double>(paced.sleeps) / paced.measurements : 0.0);
#endif
    std::printf("... the whole process (toolkit helper threads, simulated sensor)|%.1f %%|\n",
                100.0 * paced.processCpuSeconds / paced.seconds);
    std::printf("... the scope's thread with the main panel hidden (nothing painted)|%.1f %%|\n",
                100.0 * hidden.cpuSeconds / hidden.seconds);
    std::printf("CPU share of one core with no loop running|%.2f %%|\n",
                100.0 * idle.cpuSeconds / idle.seconds);
    std::printf("measurement cycles/s, unpaced line|%.0f|\n",
                unpaced.measurements / unpaced.seconds);
    std::printf("program's own cost per answer, unpaced (CPU)|%.3f ms|\n", plainMs);
#ifdef KVOR_BENCH_RECORD
    std::printf("... with statistics and a record running as well (CPU)|%.3f ms|\n", recordMs);
    std::printf("statistics and record per answer, redraw included (CPU)|%.4f ms|\n",
                recording.tallyMs);
#endif
    std::printf("video frames/s, four 64-sample blocks (board 100)|%.2f|%.2f\n", frames64, limit64);
    std::printf("video frames/s, one 256-sample block (board 7)|%.2f|%.2f\n", frames256, limit256);
    CloseRuntime();
    return 0;
}

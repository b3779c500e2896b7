// SPDX-License-Identifier: GPL-3.0-or-later
// The measurement loop against the simulated sensor running as a program of its own on a
// paced line, for an instruction count of the scope alone: scripts/bench.sh runs it twice under
// valgrind's callgrind, for two lengths of the loop, and divides the difference of the
// instructions by the difference of the answers (start-up and shutdown cancel out).
//   bench_paced_answer [SECONDS, default 4]   prints the answers the loop took
#include <QCoreApplication>
#include <QProcess>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

#include "app/startup.h"
#include "live/run_loop.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "ui/windows.h"

int main(int argc, char** argv) {
    InstallPanelWindows();
    using namespace kvor;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 4.0;
    static ProgramInstance instance{argc, argv};
    if (!InitRuntime(&instance)) return 2;
    SetPopupsAnswerThemselves(true);

    QProcess sensor;
    sensor.start(QCoreApplication::applicationDirPath() + "/kvor-sensor-sim", {});
    if (!sensor.waitForStarted(5000) || !sensor.waitForReadyRead(5000)) return 3;
    const QByteArray device = sensor.readLine().trimmed();
    setenv("KVOR_COM_PORTS", device.constData(), 1);
    if (StartProgram(&instance) != 0) return 4;

    QTimer::singleShot(static_cast<int>(seconds * 1000), [] { stop_flag = 1; });
    const i32 first = requestCount;
    CC_BTNRun(pHandle, MAIN_RUN, EVENT_COMMIT, nullptr, 0, 0);
    std::printf("answers|%d|\n", requestCount - first);
    EndProgram();
    sensor.terminate();
    sensor.waitForFinished(5000);
    CloseRuntime();
    return 0;
}

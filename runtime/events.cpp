// SPDX-License-Identifier: GPL-3.0-or-later
// The runtime's start, the event loop, event processing inside busy loops, and the clock.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>
#include <thread>
#include <utility>

#include "runtime/com_dispatch.h"
#include "runtime/readback.h"
#include "runtime/registry.h"
#include "runtime/termination.h"
#include "runtime/view.h"

namespace kvor::rt {
namespace {

std::unique_ptr<QCoreApplication> g_application;
bool g_quitRequested = false;
// The clock reading by which the next busy-wait pass must be back; negative: none was named.
double g_wakeBy = -1;
long g_sleeps = 0;
int g_quitCode = 0;

QElapsedTimer& monotonicClock() {
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer;
}

// The longest a pass of a busy-wait loop sleeps when nothing happens. Input from the line and
// every operator action end the sleep at once; the cap only bounds how late a loop reads its
// clock, so the program's time-outs are noticed within 10 ms.
constexpr int kBusyWaitSleepMs = 8;
// RunUserInterface has no clock to read; it sleeps until something happens.
constexpr int kIdleSleepMs = 250;

// One timer, reused by every pass: it only ends the operating system's wait. The application
// owns it, so it goes (and is made again) with the application.
QTimer& WakeTimer() {
    static QPointer<QTimer> timer;
    if (timer.isNull()) {
        timer = new QTimer(QCoreApplication::instance());
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    return *timer;
}

// A program without windows has nobody to answer while a frame is part-way in: it sleeps until
// the frame's missing bytes can have arrived instead of waking at every piece the line delivers.
// Less than this is not worth a sleep of its own.
constexpr double kLeastTransitSleep = 0.001;

// Returns the whole milliseconds slept.
int SleepForBytesInTransit(int waitMs) {
    if (!GathersFramesBySleeping()) return 0;
    const double seconds = std::min(ComBytesInTransitSeconds(), waitMs / 1000.0);
    if (seconds < kLeastTransitSleep) return 0;
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    return static_cast<int>(seconds * 1000.0);
}

// Processes what is pending; when nothing was, sleeps until input or an event arrives, at most
// `waitMs` milliseconds.
void ProcessPending(int waitMs) {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (dispatcher == nullptr) return;
    // Bytes already in a queue wake nothing: their callback runs before any wait.
    if (DispatchComCallbacks(ComLook::QueuesOnly)) {
        dispatcher->processEvents(QEventLoop::AllEvents);
        return;
    }
    const int slept = SleepForBytesInTransit(waitMs);
    // One pass: what is pending is processed at once, else the wait ends with the first event.
    // The dispatcher watches every open line, so bytes arriving end this wait as well.
    QTimer& wake = WakeTimer();
    wake.start(std::max(0, waitMs - slept));
    dispatcher->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    wake.stop();
    ++g_sleeps;
    DispatchComCallbacks();
}

// How long the next busy-wait pass may sleep: until the clock reading its loop named, else the
// short cap. Never negative, never longer than the idle sleep.
int BusyWaitSleepMs() {
    const double wakeBy = std::exchange(g_wakeBy, -1.0);
    if (wakeBy < 0) return kBusyWaitSleepMs;
    const double ms = std::ceil((wakeBy - Timer()) * 1000.0);
    if (!(ms > 0)) return 0;
    return ms < kIdleSleepMs ? static_cast<int>(ms) : kIdleSleepMs;
}

} // namespace
} // namespace kvor::rt

using namespace kvor::rt;

bool kvor::rt::GathersFramesBySleeping() {
    return InstalledView() == nullptr;
}

int InitRuntime(ProgramInstance* instance) {
    if (QCoreApplication::instance() != nullptr) return 1;
    if (instance == nullptr || instance->argc < 0) return 0;
    if (View* view = InstalledView()) {
        g_application = view->startApplication(instance->argc, instance->argv);
    } else {
        // The command line is the program's own: the toolkit sees the program name alone.
        static int coreArgc = 1;
        static char fallbackName[] = "kvorctl";
        static char* coreArgv[] = {fallbackName, nullptr};
        if (instance->argc > 0 && instance->argv != nullptr && instance->argv[0] != nullptr)
            coreArgv[0] = instance->argv[0];
        // Without windows the toolkit's own event loop (poll and timers) serves: it waits on
        // fewer things than the desktop's and costs less at each wake-up. Programs this one
        // starts get the environment as it was.
        const QByteArray noGlib = qgetenv("QT_NO_GLIB");
        const bool hadNoGlib = qEnvironmentVariableIsSet("QT_NO_GLIB");
        qputenv("QT_NO_GLIB", "1");
        g_application = std::make_unique<QCoreApplication>(coreArgc, coreArgv);
        if (hadNoGlib)
            qputenv("QT_NO_GLIB", noGlib);
        else
            qunsetenv("QT_NO_GLIB");
    }
    if (!g_application) return 0;
    EndOnTerminationSignals();
    monotonicClock();
    return 1;
}

void CloseRuntime() {
    if (View* view = InstalledView()) view->closeWindows();
    RemoveAllPanels();
    CloseAllComPorts();
    CloseAllTextFiles();
    if (g_application) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        g_application.reset();
    }
}

int ProcessSystemEvents() {
    ProcessPending(BusyWaitSleepMs());
    return 0;
}

long GetEventSleepCount() {
    return g_sleeps;
}

void WakeNoLaterThan(double timerReading) {
    g_wakeBy = timerReading >= 0 ? timerReading : 0.0;
}

int RunUserInterface() {
    g_quitRequested = EndingOnSignal();
    while (!g_quitRequested)
        ProcessPending(kIdleSleepMs);
    return g_quitCode;
}

int QuitUserInterface(int code) {
    g_quitCode = code;
    g_quitRequested = true;
    return 0;
}

int TerminationRequested() {
    return EndingOnSignal() ? 1 : 0;
}

double Timer() {
    return static_cast<double>(monotonicClock().nsecsElapsed()) / 1e9;
}

void Delay(double seconds) {
    if (!(seconds > 0)) return;
    if (seconds > 3600) seconds = 3600;
    QThread::usleep(static_cast<unsigned long>(seconds * 1e6));
}

void Sleep(unsigned milliseconds) {
    QThread::msleep(milliseconds);
}

int GetProjectDirPath(char* dir, std::size_t size) {
    if (dir == nullptr || size == 0) return -1;
    const QByteArray path = ProjectDir().toUtf8();
    if (static_cast<std::size_t>(path.size()) >= size) {
        dir[0] = '\0';
        return -1;
    }
    std::memcpy(dir, path.constData(), static_cast<std::size_t>(path.size()) + 1);
    return 0;
}

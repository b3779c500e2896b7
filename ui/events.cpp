// The runtime's start, the event loop, event processing inside busy loops, and the clock.
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QThread>
#include <QTimer>

#include <cstring>
#include <memory>

#include "ui/application_start.h"
#include "ui/com_dispatch.h"
#include "ui/desktop_identity.h"
#include "ui/registry.h"

namespace kvor::rt {
namespace {

std::unique_ptr<QApplication> application;
bool quitRequested = false;
int quitCode = 0;

QElapsedTimer& monotonicClock() {
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer;
}

// Processes what is pending; when nothing was, waits for input at most `wait` milliseconds.
void ProcessPending(int waitMs) {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (dispatcher == nullptr) return;
    bool any = dispatcher->processEvents(QEventLoop::AllEvents);
    DispatchComCallbacks();
    if (any || ComCallbackPending()) return;
    // A timer bounds the wait, so a busy loop keeps its pace without burning a core.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    wake.start(waitMs);
    dispatcher->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    DispatchComCallbacks();
}

} // namespace
} // namespace kvor::rt

using namespace kvor::rt;

int InitRuntime(ProgramInstance* instance) {
    if (QApplication::instance() != nullptr) return 1;
    if (instance == nullptr || instance->argc < 0) return 0;
    application = StartApplication(instance->argc, instance->argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ApplyDesktopIdentity();
    monotonicClock();
    return 1;
}

void CloseRuntime() {
    RemoveAllPanels();
    CloseAllComPorts();
    CloseAllTextFiles();
    if (application) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        application.reset();
    }
}

int ProcessSystemEvents() {
    ProcessPending(1);
    return 0;
}

int RunUserInterface() {
    quitRequested = false;
    while (!quitRequested)
        ProcessPending(50);
    return quitCode;
}

int QuitUserInterface(int code) {
    quitCode = code;
    quitRequested = true;
    return 0;
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

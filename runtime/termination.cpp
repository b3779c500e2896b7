// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/termination.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include "runtime/com_dispatch.h"
#include "runtime/registry.h"
#include "runtime/runtime.h"
#include "runtime/view.h"

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace kvor::rt {

#ifdef Q_OS_UNIX
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
int g_pipe[2] = {-1, -1};
bool g_ending = false;

// Only hands the signal to the event loop: nothing else may run inside a signal handler.
void OnSignal(int signal) {
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(signal);
    (void)!::write(g_pipe[1], &byte, 1);
    errno = saved;
}

void EndAsUsual(int signal) {
    CloseAllComPorts();
    CloseAllTextFiles();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void SignalArrived() {
    unsigned char byte = 0;
    if (::read(g_pipe[0], &byte, 1) != 1) return;
    g_ending = true;
    const int panel = FirstPanelWithCallback();
    Panel* main = FindPanel(panel);
    View* view = InstalledView();
    if (view == nullptr) return; // no window to close: the program sees it and ends its work
    if (main == nullptr || !main->view) {
        EndAsUsual(byte);
        return;
    }
    view->closePopups();
    main->view->close(); // the close box: the program's own way to end
}

} // namespace

bool EndingOnSignal() {
    return g_ending;
}

void EndOnTerminationSignals() {
    if (g_pipe[0] >= 0 || QCoreApplication::instance() == nullptr) return;
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier =
        new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] { SignalArrived(); });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    // A second signal, while the first is still being dealt with, ends the process at once.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int s : kSignals)
        sigaction(s, &action, nullptr);
}

#else

void EndOnTerminationSignals() {}
bool EndingOnSignal() {
    return false;
}

#endif

} // namespace kvor::rt

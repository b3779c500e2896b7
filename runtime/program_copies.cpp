// SPDX-License-Identifier: GPL-3.0-or-later
// What a program without windows needs of the system beyond the panels: the port table named on
// its command line, the station's name, whether it talks to a person at a terminal, and copies of
// itself that run at once (one per sensor: every copy has the program's globals of its own).
#include <QByteArray>
#include <QCoreApplication>
#include <QProcess>
#include <QSysInfo>
#include <QThread>

#include <cstdio>
#include <memory>
#include <vector>

#include "runtime/program_text.h"
#include "runtime/runtime.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

int NameComPorts(const char* devices) {
    if (devices == nullptr) return -1;
    // The port table reads the list afresh when it has changed.
    return qputenv("KVOR_COM_PORTS", QByteArray(devices)) ? 0 : -1;
}

int GetStationName(char* text, std::size_t size) {
    if (text == nullptr || size == 0) return -1;
    kvor::rt::CopyOut(QSysInfo::machineHostName(), text, size);
    return 0;
}

int IsTerminal(int stream) {
#ifdef Q_OS_UNIX
    return stream >= 0 && stream <= 2 && ::isatty(stream) == 1 ? 1 : 0;
#else
    (void)stream;
    return 0;
#endif
}

namespace {

// Hands on the whole lines a copy has written so far (all of it once it has ended).
void PassLines(QProcess& copy, QByteArray& outHeld, QByteArray& errHeld, bool ended) {
    outHeld += copy.readAllStandardOutput();
    errHeld += copy.readAllStandardError();
    for (auto [held, stream] : {std::pair{&outHeld, stdout}, std::pair{&errHeld, stderr}}) {
        const qsizetype end = ended ? held->size() : held->lastIndexOf('\n') + 1;
        if (end <= 0) continue;
        std::fwrite(held->constData(), 1, static_cast<std::size_t>(end), stream);
        if (ended && !held->endsWith('\n')) std::fputc('\n', stream);
        std::fflush(stream);
        held->remove(0, end);
    }
}

} // namespace

int RunProgramCopies(int count, const char* const* const* argvs) {
    if (count <= 0 || argvs == nullptr || QCoreApplication::instance() == nullptr) return -1;
    struct Copy {
        std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
        QByteArray out, err;
        bool ended = false;
    };
    std::vector<Copy> copies(static_cast<std::size_t>(count));
    const QString program = QCoreApplication::applicationFilePath();
    for (int i = 0; i < count; ++i) {
        QStringList args;
        for (const char* const* a = argvs[i]; a != nullptr && *a != nullptr; ++a)
            args << QString::fromLocal8Bit(*a);
        copies[std::size_t(i)].process->start(program, args, QIODevice::ReadOnly);
    }
    int highest = 0;
    for (std::size_t running = copies.size(); running > 0;) {
        for (Copy& c : copies) {
            if (c.ended) continue;
            QProcess& p = *c.process;
            // A copy that could not start, or ended, is taken with what it wrote.
            const bool failedToStart =
                p.state() == QProcess::NotRunning && p.error() == QProcess::FailedToStart;
            const bool ended =
                failedToStart || p.waitForFinished(0) || p.state() == QProcess::NotRunning;
            PassLines(p, c.out, c.err, ended);
            if (!ended) continue;
            c.ended = true;
            --running;
            const int status =
                failedToStart || p.exitStatus() != QProcess::NormalExit ? 1 : p.exitCode();
            if (status > highest) highest = status;
        }
        if (running > 0) copies.front().process->waitForReadyRead(20);
        if (running > 0) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return highest;
}

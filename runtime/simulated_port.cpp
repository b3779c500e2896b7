// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/simulated_port.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

namespace kvor::rt {
namespace {

constexpr int kFirstLineTimeoutMs = 5000;
constexpr int kEndWaitMs = 500;
// A device path, not a stream of output: a longer first line is not the simulator's.
constexpr qint64 kMaxPathLength = 4096;

QString& ProgramOverride() {
    static QString program;
    return program;
}

// Reads the first line of standard output within the time-out; empty when none came.
QString ReadFirstLine(QProcess& process) {
    QElapsedTimer clock;
    clock.start();
    while (!process.canReadLine()) {
        const qint64 left = kFirstLineTimeoutMs - clock.elapsed();
        if (left <= 0 || process.bytesAvailable() > kMaxPathLength) return QString();
        if (!process.waitForReadyRead(static_cast<int>(left)) &&
            process.state() == QProcess::NotRunning && !process.canReadLine())
            return QString(); // ended without naming a line
    }
    const QByteArray line = process.readLine(kMaxPathLength);
    return QString::fromLocal8Bit(line).trimmed();
}

} // namespace

QString SimulatorProgram() {
    if (!ProgramOverride().isEmpty()) return ProgramOverride();
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("kvor-sensor-sim.exe");
#else
    const QString name = QStringLiteral("kvor-sensor-sim");
#endif
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

void SetSimulatorProgramForTests(const QString& program) {
    ProgramOverride() = program;
}

std::unique_ptr<SimulatorProcess> SimulatorProcess::start(QString* devicePath) {
    std::unique_ptr<SimulatorProcess> sim(new SimulatorProcess);
    sim->process_ = std::make_unique<QProcess>();
    QProcess& process = *sim->process_;
    // Its diagnostics belong on our standard error, not in the pipe we read the path from.
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(SimulatorProgram(),
                  QProcess::splitCommand(qEnvironmentVariable("KVOR_SIM_ARGS")));
    if (!process.waitForStarted(kFirstLineTimeoutMs)) return nullptr;
    *devicePath = ReadFirstLine(process);
    if (devicePath->isEmpty()) return nullptr;
    // Whatever it prints later is of no use; reading it keeps the pipe from filling up and
    // stalling the simulator.
    QObject::connect(&process, &QProcess::readyReadStandardOutput,
                     [&process] { process.readAllStandardOutput(); });
    return sim;
}

SimulatorProcess::~SimulatorProcess() {
    if (!process_ || process_->state() == QProcess::NotRunning) return;
    process_->terminate();
    if (!process_->waitForFinished(kEndWaitMs)) {
        process_->kill();
        process_->waitForFinished(kEndWaitMs);
    }
}

} // namespace kvor::rt

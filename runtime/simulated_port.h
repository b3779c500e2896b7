// SPDX-License-Identifier: GPL-3.0-or-later
// The "Simulated sensor" entry of the port table: kvor-sensor-sim started from the program
// directory, linked to over the pseudo-terminal it opens, ended when the port closes.
#pragma once

#include <QProcess>
#include <QString>
#include <memory>

namespace kvor::rt {

class SimulatorProcess {
  public:
    // Starts the simulator with the arguments of KVOR_SIM_ARGS (split like a command line) and
    // waits up to 5 s for its first output line, the device path. nullptr when it does not
    // start or names no device in time; a process that was started is ended again.
    static std::unique_ptr<SimulatorProcess> start(QString* devicePath);
    // Asks the simulator to end, then kills it if it is still there after a short wait.
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

  private:
    SimulatorProcess() = default;
    std::unique_ptr<QProcess> process_;
};

// The simulator program: kvor-sensor-sim next to the executable unless tests chose another
// (an empty path restores that default).
QString SimulatorProgram();
void SetSimulatorProgramForTests(const QString& program);

} // namespace kvor::rt

// SPDX-License-Identifier: GPL-3.0-or-later
// One program per port: the device held against every other program for as long as the scope
// has it open, and the line made as quick as the adapter allows.
#pragma once

#include <QString>
#include <memory>

#include "runtime/port_access.h"

namespace kvor::rt {

// An open descriptor on the device carrying an advisory lock (flock), which every scope asks for
// whoever runs it, root included; released when the object goes.
class DeviceHold {
  public:
    // nullptr, with the reason in `why`, when the device cannot be opened or another program
    // holds it: another scope's lock, or any open descriptor the process table shows.
    static std::unique_ptr<DeviceHold> take(const QString& realDevice, PortAccess* why);
    ~DeviceHold();
    DeviceHold(const DeviceHold&) = delete;
    DeviceHold& operator=(const DeviceHold&) = delete;

  private:
    DeviceHold() = default;
    int fd_ = -1;
};

// No further opens of the line the serial library opened on `fd` (for anyone but root).
void RefuseFurtherOpens(int fd);
// Sets the driver's low-latency flag (FTDI's driver then sends a short answer after 1 ms, not
// 16 ms). Returns a line for the line monitor: what the line now does, or why it does not apply.
QString SetLowLatency(int fd, const QString& realDevice);

} // namespace kvor::rt

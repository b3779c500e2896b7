// SPDX-License-Identifier: GPL-3.0-or-later
// The sensor's end of the line: the master side of a pseudo-terminal, in raw mode so that no
// byte is translated, non-blocking so that no call can hang the sensor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "sim/usb_adapter.h"

namespace kvor::sim {

class PtyPort {
  public:
    PtyPort() = default;
    ~PtyPort() { close(); }
    // From the next open on, answers reach the scope as through a USB adapter with this latency
    // timer (0: a plain serial line).
    void setAdapterLatency(double seconds) { adapterLatency_ = seconds; }
    PtyPort(const PtyPort&) = delete;
    PtyPort& operator=(const PtyPort&) = delete;

    bool open(std::string* error);
    void close(); // the scope sees its port vanish
    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }

    // Drops what waits in both directions, e.g. answers nobody will read after a hang-up.
    void discardPending();
    // Bytes the scope has written that the sensor has not read yet (-1: no port).
    int pending() const;
    // Writes every byte, waiting at most `timeoutSeconds` for room in the line; false when
    // the line is gone or stays full.
    bool writeAll(const std::uint8_t* bytes, std::size_t count, double timeoutSeconds);

  private:
    bool writeLine(const std::uint8_t* bytes, std::size_t count, double timeoutSeconds);

    double adapterLatency_ = 0.0;
    std::unique_ptr<UsbAdapter> adapter_;
    int fd_ = -1;
    std::string path_;
};

// Wakes the sensor's thread out of any wait when it is to stop.
class StopSignal {
  public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    void raise();
    void reset();
    int fd() const { return fds_[0]; }
    // Sleeps for `seconds`; true when the signal was raised meanwhile (or before).
    bool waitFor(double seconds) const;

  private:
    int fds_[2] = {-1, -1};
};

} // namespace kvor::sim

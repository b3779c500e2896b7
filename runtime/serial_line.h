// SPDX-License-Identifier: GPL-3.0-or-later
// One open serial device: the QSerialPort under a port number, with the input queue bounded and a
// line that vanishes (device unplugged, peer of a pseudo-terminal gone) noticed and closed.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QSerialPort>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "runtime/port_access.h"

namespace kvor::rt {

struct LineSettings {
    qint32 baudRate = 19200;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    // Bytes the input queue holds. Further bytes stay with the operating system (which holds
    // them, or holds the sender off) until the queue is read: nothing is dropped here.
    int inputQueueSize = 4096;
};

class DeviceHold;

// What an opening found out, for the port selector and the line monitor.
struct OpenReport {
    QString device;    // the device opened: the name given, links resolved
    PortAccess why;    // why it could not be opened
    QStringList notes; // how the line was set up (its latency)
};

class SerialLine {
  public:
    // nullptr when the device cannot be opened with these settings. The device's real path is
    // opened and held against every other program until the line is closed or vanishes.
    static std::unique_ptr<SerialLine> open(const QString& device, const LineSettings& settings,
                                            OpenReport* report);
    ~SerialLine();
    SerialLine(const SerialLine&) = delete;
    SerialLine& operator=(const SerialLine&) = delete;

    // False once the line has vanished; the device is then closed and every call below fails.
    bool alive();
    // alive(), without looking at the terminal again when it was looked at a moment ago: the
    // checks before and after each step of a serial call, and of the calls an event pass makes.
    bool aliveStill();
    // Called once, when the line is closed for having vanished (the call that found it out may be
    // any of those below, or an event pass).
    void whenVanished(std::function<void()> note) { vanishedNote_ = std::move(note); }
    // Bytes that have come into the queue (the operating system's are not asked for).
    int inQueue() const;
    // Seconds one character takes on the line at its settings: start, data, parity and stop bits.
    double secondsPerByte() const { return secondsPerByte_; }
    int inputQueueSize() const { return queueSize_; }

    // All bytes handed to the operating system within about a second: count, or a negative code.
    int write(const unsigned char* data, int count);
    // Up to count bytes, waiting at most timeoutMs for them: the count read, or a negative code.
    int read(unsigned char* data, int count, int timeoutMs);
    // Moves bytes the operating system already holds into the queue, waiting at most waitMs for
    // the first one; returns the bytes waiting in the queue, or a negative code. One look at the
    // line, which notices a hang-up as well.
    int waiting(int waitMs);
    // Empties the input queue; the bytes thrown away go to `dropped` when it is given.
    int flushInput(QByteArray* dropped = nullptr);
    int flushOutput();
    int setHardwareHandshake(bool on);
    // How many bytes the operating system gathers before a wait on the line wakes (a terminal's
    // VMIN, with VTIME 0): a receive callback's notify count, so that a frame arriving in
    // pieces wakes the program once; 1 wakes it at every byte. The queue length counts every
    // byte that has arrived all the same, and reads take what is there.
    void setWakeCount(int count);

  private:
    class EveryByte;
    SerialLine() = default;
    bool pull(int waitMs);
    // Bytes the operating system holds that the queue has not taken yet.
    int held() const;
    // Bytes in the queue and those the operating system holds for it, at most the queue size.
    int queued() const;
    // Sets the terminal's wake count; false when the terminal would not take it.
    bool applyWakeCount(int count);
    // Whether the line is known to have vanished (then closed), without looking at it again.
    bool closedIfVanished();
    // Notes a failed system call on the line: the codes of a device or a peer that is gone.
    void noteFailure(int error);
    bool waitWritable(int waitMs);
    // One look at the terminal (poll), noting when it was taken.
    short look(short events, int waitMs);

    std::unique_ptr<DeviceHold> hold_; // declared first: the line closes before the hold goes
    std::unique_ptr<QSerialPort> port_;
    int queueSize_ = 4096;
    int wakeCount_ = 1;
    double secondsPerByte_ = 10.0 / 19200;
    bool vanished_ = false;
    // The event loop has read bytes from the line since it was last looked at.
    bool arrivedUnseen_ = false;
    std::function<void()> vanishedNote_;
    // When the terminal was last looked at: the checks within one serial call look once.
    QElapsedTimer lastLook_;
};

} // namespace kvor::rt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/serial_line.h"

#include <QElapsedTimer>

#include <algorithm>
#include <optional>

#include "runtime/port_hold.h"
#include "runtime/runtime.h"

#ifdef Q_OS_UNIX
#include <cerrno>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace kvor::rt {
namespace {

// Each serial call looks at the terminal for a hang-up when it starts; the checks between and
// after its steps look again only this long after the last look (a look at a pseudo-terminal
// waits for the bytes the kernel is delivering to it).
constexpr qint64 kLookAgainNs = 1'000'000;
// A frame that the line has not taken within this time will not be taken at all.
constexpr int kWriteTimeoutMs = 1000;
// Bounds the rounds FlushInQ spends reading out what was still on its way.
constexpr int kFlushRounds = 8;
// The most bytes a terminal can be told to gather before it wakes a wait.
constexpr int kLargestWakeCount = 255;

#ifdef Q_OS_UNIX
// A hung-up terminal still polls readable but reads as end of file, and Qt reports no error for
// that; the hang-up bits are the only sure sign that the device or the peer is gone.
constexpr short kHangUp = POLLHUP | POLLERR | POLLNVAL;

short PollLine(int fd, short events, int waitMs) {
    pollfd p{fd, events, 0};
    int r = 0;
    do {
        r = ::poll(&p, 1, waitMs);
    } while (r < 0 && errno == EINTR);
    if (r < 0) return POLLERR;
    return r == 0 ? 0 : p.revents;
}
#endif

} // namespace

std::unique_ptr<SerialLine> SerialLine::open(const QString& device, const LineSettings& settings,
                                             OpenReport* report) {
    // A by-id link and its device are one port: the lock file and the hold go by the device.
    report->device = RealDevicePath(device);
    std::unique_ptr<SerialLine> line(new SerialLine);
    line->hold_ = DeviceHold::take(report->device, &report->why);
    if (!line->hold_) return nullptr;
    line->queueSize_ = settings.inputQueueSize;
    const int parityBits = settings.parity == QSerialPort::NoParity ? 0 : 1;
    const int stopBits = settings.stopBits == QSerialPort::TwoStop ? 2 : 1;
    if (settings.baudRate > 0)
        line->secondsPerByte_ =
            static_cast<double>(1 + settings.dataBits + parityBits + stopBits) / settings.baudRate;
    line->port_ = std::make_unique<QSerialPort>();
    QSerialPort& port = *line->port_;
    port.setPortName(report->device);
    port.setBaudRate(settings.baudRate);
    port.setParity(settings.parity);
    port.setDataBits(settings.dataBits);
    port.setStopBits(settings.stopBits);
    port.setFlowControl(QSerialPort::NoFlowControl);
    port.setReadBufferSize(settings.inputQueueSize);
    if (!port.open(QIODevice::ReadWrite)) {
        // A program that keeps only a lock file gets past the hold; its lock stops the library.
        report->why = ExplainHeld(
            report->device,
            {PortTrouble::Other, QStringLiteral("cannot open: %1").arg(port.errorString()),
             QStringLiteral("%1 cannot be opened: %2.").arg(report->device, port.errorString())});
        return nullptr;
    }
#ifdef Q_OS_UNIX
    const int fd = static_cast<int>(port.handle());
    RefuseFurtherOpens(fd);
    report->notes << QStringLiteral("opened %1, held against other programs").arg(report->device)
                  << SetLowLatency(fd, report->device);
#endif
    // Only marks the line: closing it from inside QSerialPort's own notification would pull the
    // object out from under it. The next call on the port closes it.
    SerialLine* self = line.get();
    QObject::connect(&port, &QSerialPort::errorOccurred, [self](QSerialPort::SerialPortError e) {
        if (e == QSerialPort::ResourceError) self->vanished_ = true;
    });
    QObject::connect(&port, &QSerialPort::readyRead, [self] { self->arrivedUnseen_ = true; });
    return line;
}

SerialLine::~SerialLine() = default;

bool SerialLine::alive() {
#ifdef Q_OS_UNIX
    if (!vanished_ && (look(0, 0) & kHangUp)) vanished_ = true;
#endif
    return !closedIfVanished();
}

bool SerialLine::aliveStill() {
    const bool seenJustNow = lastLook_.isValid() && lastLook_.nsecsElapsed() < kLookAgainNs;
    return seenJustNow ? !closedIfVanished() : alive();
}

short SerialLine::look(short events, int waitMs) {
#ifdef Q_OS_UNIX
    const short seen = PollLine(static_cast<int>(port_->handle()), events, waitMs);
    lastLook_.start();
    arrivedUnseen_ = false;
    return seen;
#else
    (void)events;
    (void)waitMs;
    return 0;
#endif
}

void SerialLine::noteFailure(int error) {
#ifdef Q_OS_UNIX
    // A pseudo-terminal whose peer hung up answers EIO; an unplugged adapter ENODEV or ENXIO.
    if (error == EIO || error == ENODEV || error == ENXIO) vanished_ = true;
#else
    (void)error;
#endif
}

int SerialLine::inQueue() const {
    return vanished_ ? 0 : static_cast<int>(port_->bytesAvailable());
}

bool SerialLine::closedIfVanished() {
    if (vanished_ && port_->isOpen()) {
        port_->close();
        hold_.reset(); // the device may come back, to this scope or to another program
        if (vanishedNote_) vanishedNote_();
    }
    return vanished_;
}

// One look at the line: notes a hang-up and moves what the operating system holds into the
// queue, waiting at most waitMs for the first byte. A full queue takes nothing more; the look
// then only asks whether the line is still there.
bool SerialLine::pull(int waitMs) {
    const bool room = port_->bytesAvailable() < queueSize_;
#ifdef Q_OS_UNIX
    const short events = look(room ? POLLIN : 0, room ? waitMs : 0);
    if (events & kHangUp) {
        vanished_ = true;
        return false;
    }
    if (!room || !(events & POLLIN)) return false;
    const qint64 before = port_->bytesAvailable();
    port_->waitForReadyRead(0);
    arrivedUnseen_ = false; // read during this look, not by the event loop
    return port_->bytesAvailable() > before;
#else
    return room && port_->waitForReadyRead(waitMs);
#endif
}

bool SerialLine::waitWritable(int waitMs) {
#ifdef Q_OS_UNIX
    const short events = look(POLLOUT, waitMs);
    if (events & kHangUp) {
        vanished_ = true;
        return false;
    }
    return (events & POLLOUT) != 0;
#else
    return port_->waitForBytesWritten(waitMs);
#endif
}

int SerialLine::held() const {
    int bytes = 0;
#ifdef Q_OS_UNIX
    if (::ioctl(static_cast<int>(port_->handle()), FIONREAD, &bytes) != 0) bytes = 0;
#endif
    return bytes;
}

int SerialLine::queued() const {
    // Fewer bytes than the wake count stay with the operating system until a read takes them.
    const qint64 bytes = port_->bytesAvailable() + (wakeCount_ > 1 ? held() : 0);
    return static_cast<int>(std::min<qint64>(bytes, queueSize_));
}

bool SerialLine::applyWakeCount(int count) {
#ifdef Q_OS_UNIX
    const int fd = static_cast<int>(port_->handle());
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) return false;
    tio.c_cc[VMIN] = static_cast<cc_t>(count);
    tio.c_cc[VTIME] = 0;
    return ::tcsetattr(fd, TCSANOW, &tio) == 0;
#else
    return count == 1;
#endif
}

void SerialLine::setWakeCount(int count) {
    count = std::clamp(count, 1, kLargestWakeCount);
    if (count == wakeCount_ || closedIfVanished()) return;
    if (applyWakeCount(count)) wakeCount_ = count;
}

// While a read or a flush needs bytes that are fewer than the wake count, the line wakes at
// every byte: fewer would not make it readable. The wake count comes back afterwards.
class SerialLine::EveryByte {
  public:
    explicit EveryByte(SerialLine& line)
        : line_(line),
          lowered_(line.wakeCount_ > 1 && line.held() < line.wakeCount_ && line.applyWakeCount(1)) {
    }
    ~EveryByte() {
        if (lowered_ && !line_.vanished_) line_.applyWakeCount(line_.wakeCount_);
    }
    EveryByte(const EveryByte&) = delete;
    EveryByte& operator=(const EveryByte&) = delete;

  private:
    SerialLine& line_;
    bool lowered_;
};

int SerialLine::write(const unsigned char* data, int count) {
    if (!aliveStill()) return kComErrIO;
    int direct = 0;
#ifdef Q_OS_UNIX
    // Nothing queued before it: the frame goes to the driver at once, without the rounds through
    // the event loop a queued write takes. What the driver does not take now is queued.
    if (port_->bytesToWrite() == 0 && count > 0) {
        ssize_t n = 0;
        do {
            n = ::write(static_cast<int>(port_->handle()), data, static_cast<std::size_t>(count));
        } while (n < 0 && errno == EINTR);
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            noteFailure(errno);
            closedIfVanished();
            return kComErrIO;
        }
        direct = n > 0 ? static_cast<int>(n) : 0;
        if (direct == count) return count;
    }
#endif
    const qint64 rest = count - direct;
    if (port_->write(reinterpret_cast<const char*>(data) + direct, rest) != rest) return kComErrIO;
    QElapsedTimer clock;
    clock.start();
    // flush() hands over what the driver takes now; asked only when the driver has room, it
    // never meets a full buffer (which Qt would report as a lost device).
    while (port_->bytesToWrite() > 0) {
        const qint64 left = kWriteTimeoutMs - clock.elapsed();
        if (left <= 0)
            return kComErrTimeout; // the rest stays queued until the line takes it or FlushOutQ
        if (waitWritable(static_cast<int>(left))) port_->flush();
        if (!aliveStill()) return kComErrIO;
    }
    return count;
}

int SerialLine::read(unsigned char* data, int count, int timeoutMs) {
    if (!aliveStill()) return kComErrIO;
    QElapsedTimer clock;
    clock.start();
    int got = 0;
    std::optional<EveryByte> everyByte;
    for (;;) {
        const qint64 n = port_->read(reinterpret_cast<char*>(data) + got, count - got);
        if (n > 0) got += static_cast<int>(n);
        if (got >= count) break;
        if (!everyByte) everyByte.emplace(*this);
        const qint64 left = timeoutMs - clock.elapsed();
        const bool arrived = pull(left > 0 ? static_cast<int>(left) : 0);
        if (!aliveStill()) return got > 0 ? got : kComErrIO;
        if (!arrived && left <= 0) break;
    }
    return got;
}

int SerialLine::waiting(int waitMs) {
    // Bytes the event loop read from the line since the last look show it is there: the look
    // without a wait is spared (a hang-up wakes the next pass, which reads nothing, and looks).
    if (waitMs == 0 && arrivedUnseen_ && !vanished_) {
        arrivedUnseen_ = false;
        lastLook_.start();
        return queued();
    }
    if (!closedIfVanished()) pull(waitMs);
    if (closedIfVanished()) return kComErrIO;
    return queued();
}

int SerialLine::flushInput(QByteArray* dropped) {
    if (!aliveStill()) return kComErrIO;
    // Nothing in the queue and nothing with the operating system: there is nothing to throw
    // away. A byte arriving now is one that arrives just after the flush.
    if (port_->bytesAvailable() == 0 && held() == 0) return 0;
    // Emptying the driver's queue would throw its bytes away unseen: a trace takes them first.
    if (dropped != nullptr) {
        std::optional<EveryByte> everyByte;
        if (held() > 0) everyByte.emplace(*this);
        for (int round = 0; round < kFlushRounds && pull(0); ++round)
            dropped->append(port_->readAll());
        dropped->append(port_->readAll());
    }
    port_->clear(QSerialPort::Input);
    // Bytes that were passing through the driver while it flushed.
    std::optional<EveryByte> everyByte;
    if (held() > 0) everyByte.emplace(*this);
    for (int round = 0; round < kFlushRounds && pull(0); ++round) {
        if (dropped != nullptr) dropped->append(port_->peek(port_->bytesAvailable()));
        port_->skip(port_->bytesAvailable());
    }
    if (dropped != nullptr) dropped->append(port_->peek(port_->bytesAvailable()));
    port_->skip(port_->bytesAvailable());
    return aliveStill() ? 0 : kComErrIO;
}

int SerialLine::flushOutput() {
    if (!aliveStill()) return kComErrIO;
    // Only what a write left behind (the line did not take it in time) is thrown away. A frame
    // whose write ended has been handed over whole and is on its way: at 19200 baud it takes
    // 19 ms to go out, and a request made right after it must not cut it off.
    if (port_->bytesToWrite() > 0) port_->clear(QSerialPort::Output);
    return aliveStill() ? 0 : kComErrIO;
}

int SerialLine::setHardwareHandshake(bool on) {
    if (!aliveStill()) return kComErrIO;
    const bool done =
        port_->setFlowControl(on ? QSerialPort::HardwareControl : QSerialPort::NoFlowControl);
    return done && aliveStill() ? 0 : kComErrIO;
}

} // namespace kvor::rt

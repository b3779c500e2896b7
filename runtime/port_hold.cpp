// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/port_hold.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <linux/serial.h>
#include <sys/sysmacros.h>
#endif

namespace kvor::rt {

#ifdef Q_OS_UNIX

std::unique_ptr<DeviceHold> DeviceHold::take(const QString& realDevice, PortAccess* why) {
    const QByteArray path = QFile::encodeName(realDevice);
    std::unique_ptr<DeviceHold> hold(new DeviceHold);
    hold->fd_ = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (hold->fd_ < 0) {
        *why = ExplainOpenError(realDevice, errno);
        return nullptr;
    }
    if (!::isatty(hold->fd_)) {
        *why = {PortTrouble::Other, QStringLiteral("cannot open: not a serial line"),
                QStringLiteral("%1 is not a serial line.").arg(realDevice)};
        return nullptr;
    }
    if (::flock(hold->fd_, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        *why = error == EWOULDBLOCK
                   ? ExplainHeld(realDevice,
                                 {PortTrouble::InUse, QStringLiteral("in use by another scope"),
                                  QStringLiteral("%1 is in use by another scope.").arg(realDevice)})
                   : ExplainOpenError(realDevice, error);
        return nullptr;
    }
    // A terminal program that opened the line without any lock still steals the scope's bytes.
    if (const PortAccess other = OtherProgramHolding(realDevice);
        other.trouble != PortTrouble::None) {
        *why = other;
        return nullptr;
    }
    return hold;
}

DeviceHold::~DeviceHold() {
    if (fd_ >= 0) ::close(fd_); // the lock goes with the descriptor
}

void RefuseFurtherOpens(int fd) {
#ifdef TIOCEXCL
    ::ioctl(fd, TIOCEXCL);
#else
    (void)fd;
#endif
}

#else

std::unique_ptr<DeviceHold> DeviceHold::take(const QString&, PortAccess*) {
    return std::unique_ptr<DeviceHold>(new DeviceHold);
}
DeviceHold::~DeviceHold() = default;
void RefuseFurtherOpens(int) {}

#endif

#ifdef Q_OS_LINUX
namespace {

constexpr unsigned kPtySlaveMajorFirst = 136; // Unix98 pseudo-terminal slaves: majors 136..143
constexpr unsigned kPtySlaveMajorLast = 143;

bool IsPseudoTerminal(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return false;
    const unsigned m = major(st.st_rdev);
    return m >= kPtySlaveMajorFirst && m <= kPtySlaveMajorLast;
}

// FTDI adapters tell their latency timer in sysfs; other adapters have none.
QString LatencyTimer(const QString& realDevice) {
    const QString file = QStringLiteral("/sys/class/tty/%1/device/latency_timer")
                             .arg(QFileInfo(realDevice).fileName());
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return {};
    bool ok = false;
    const int ms = f.read(16).trimmed().toInt(&ok);
    return ok ? QStringLiteral("; the adapter's latency timer is %1 ms").arg(ms) : QString();
}

} // namespace

QString SetLowLatency(int fd, const QString& realDevice) {
    serial_struct s{};
    if (::ioctl(fd, TIOCGSERIAL, &s) != 0) {
        if (IsPseudoTerminal(fd))
            return QStringLiteral("low latency: not applicable, %1 is a pseudo-terminal")
                .arg(realDevice);
        return QStringLiteral("low latency: not offered by the driver of %1 (%2)")
            .arg(realDevice, QString::fromLocal8Bit(std::strerror(errno)));
    }
    if (!(s.flags & ASYNC_LOW_LATENCY)) {
        s.flags |= ASYNC_LOW_LATENCY;
        if (::ioctl(fd, TIOCSSERIAL, &s) != 0 || ::ioctl(fd, TIOCGSERIAL, &s) != 0)
            return QStringLiteral("low latency: the driver of %1 refused it (%2)")
                .arg(realDevice, QString::fromLocal8Bit(std::strerror(errno)));
    }
    if (!(s.flags & ASYNC_LOW_LATENCY))
        return QStringLiteral("low latency: the driver of %1 does not keep it").arg(realDevice);
    return QStringLiteral("low latency on for %1").arg(realDevice) + LatencyTimer(realDevice);
}

#else

QString SetLowLatency(int, const QString&) {
    return QStringLiteral("low latency: left to the system's driver settings");
}

#endif

} // namespace kvor::rt

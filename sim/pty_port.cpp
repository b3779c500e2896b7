// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/pty_port.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#if defined(__APPLE__)
#include <util.h>
#else
#include <pty.h>
#endif
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace kvor::sim {

namespace {

constexpr double kAdapterWriteTimeout = 1.0; // a scope that reads nothing for this long

int Milliseconds(double seconds) {
    if (!(seconds > 0.0)) return 0;
    return static_cast<int>(std::min(std::ceil(seconds * 1000.0), 3600.0 * 1000.0));
}

// Paced answers are due to the tenth of a millisecond; a poll time-out in whole milliseconds
// would let every answer come up to a millisecond late.
int PollPrecisely(pollfd* p, double seconds) {
#ifdef __linux__
    const double s = std::clamp(seconds, 0.0, 3600.0);
    timespec t{};
    t.tv_sec = static_cast<time_t>(s);
    t.tv_nsec = static_cast<long>((s - static_cast<double>(t.tv_sec)) * 1e9);
    return ppoll(p, 1, &t, nullptr);
#else
    return poll(p, 1, Milliseconds(seconds));
#endif
}

bool SetNonBlocking(int fd) {
    const int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

} // namespace

bool PtyPort::open(std::string* error) {
    close();
    int master = -1;
    int slave = -1;
    char name[PATH_MAX] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        if (error) *error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    // Raw on the slave side, where the scope's reads and writes pass the line discipline.
    termios tio{};
    bool ok = tcgetattr(slave, &tio) == 0;
    if (ok) {
        cfmakeraw(&tio);
        cfsetispeed(&tio, B19200);
        cfsetospeed(&tio, B19200);
        ok = tcsetattr(slave, TCSANOW, &tio) == 0;
    }
    // The slave is the scope's to open: holding it here would hide the scope's hang-up.
    ::close(slave);
    if (!ok || !SetNonBlocking(master) || fcntl(master, F_SETFD, FD_CLOEXEC) != 0) {
        if (error)
            *error = std::string("cannot set up the pseudo-terminal: ") + std::strerror(errno);
        ::close(master);
        return false;
    }
    fd_ = master;
    path_ = name;
    if (adapterLatency_ > 0.0)
        adapter_ = std::make_unique<UsbAdapter>(
            adapterLatency_, [this](const std::uint8_t* bytes, std::size_t count) {
                return writeLine(bytes, count, kAdapterWriteTimeout);
            });
    return true;
}

void PtyPort::close() {
    adapter_.reset(); // before the line it writes to
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

int PtyPort::pending() const {
    int n = 0;
    if (fd_ < 0 || ioctl(fd_, FIONREAD, &n) != 0) return -1;
    return n;
}

void PtyPort::discardPending() {
    if (adapter_) adapter_->discard();
    if (fd_ >= 0) tcflush(fd_, TCIOFLUSH);
}

bool PtyPort::writeAll(const std::uint8_t* bytes, std::size_t count, double timeoutSeconds) {
    if (adapter_) return adapter_->take(bytes, count);
    return writeLine(bytes, count, timeoutSeconds);
}

bool PtyPort::writeLine(const std::uint8_t* bytes, std::size_t count, double timeoutSeconds) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::duration<double>(timeoutSeconds);
    std::size_t done = 0;
    while (done < count) {
        if (fd_ < 0) return false;
        const ssize_t n = ::write(fd_, bytes + done, count - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return false;
        const double left = std::chrono::duration<double>(deadline - Clock::now()).count();
        if (left <= 0.0) return false;
        pollfd p{fd_, POLLOUT, 0};
        if (poll(&p, 1, Milliseconds(left)) < 0 && errno != EINTR) return false;
        if (p.revents & (POLLERR | POLLNVAL)) return false;
    }
    return true;
}

StopSignal::StopSignal() {
    if (pipe(fds_) != 0) {
        fds_[0] = fds_[1] = -1;
        return;
    }
    for (int fd : fds_) {
        fcntl(fd, F_SETFD, FD_CLOEXEC);
        SetNonBlocking(fd);
    }
}

StopSignal::~StopSignal() {
    for (int fd : fds_)
        if (fd >= 0) ::close(fd);
}

void StopSignal::raise() {
    const char c = 1;
    if (fds_[1] >= 0) (void)!::write(fds_[1], &c, 1);
}

void StopSignal::reset() {
    char buf[64];
    while (fds_[0] >= 0 && ::read(fds_[0], buf, sizeof buf) > 0) {
    }
}

bool StopSignal::waitFor(double seconds) const {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::duration<double>(std::max(0.0, seconds));
    for (;;) {
        pollfd p{fds_[0], POLLIN, 0};
        const double left = std::chrono::duration<double>(deadline - Clock::now()).count();
        const int r = PollPrecisely(&p, left);
        if (r > 0) return true;
        if (r == 0 && left <= 0.0) return false;
        if (r == 0 && Clock::now() >= deadline) return false;
        if (r < 0 && errno != EINTR) return false;
    }
}

} // namespace kvor::sim

// SPDX-License-Identifier: GPL-3.0-or-later
#include "scope_line.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "sim/wire.h"

namespace kvor::sim::test {

namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() < 0 ? 0 : static_cast<int>(left.count()) + 1;
}

} // namespace

Bytes RequestFrame(int command, std::initializer_list<std::uint16_t> words) {
    std::uint16_t data[protocol::PNUM] = {};
    std::copy_n(words.begin(), std::min<std::size_t>(words.size(), protocol::PNUM), data);
    return EncodeFrame(protocol::kSyncRequest, command, data);
}

std::uint16_t WordAt(const Bytes& bytes, std::size_t index) {
    if (2 * index + 1 >= bytes.size()) return 0;
    return protocol::WordAt(&bytes[2 * index]);
}

ScopeLine::ScopeLine(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) return;
    termios tio{};
    if (tcgetattr(fd_, &tio) == 0) {
        cfmakeraw(&tio);
        cfsetispeed(&tio, B19200);
        cfsetospeed(&tio, B19200);
        tcsetattr(fd_, TCSANOW, &tio);
    }
}

ScopeLine::~ScopeLine() {
    close();
}

void ScopeLine::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool ScopeLine::write(const Bytes& bytes) {
    std::size_t done = 0;
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    while (fd_ >= 0 && done < bytes.size() && Clock::now() < deadline) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
    }
    return done == bytes.size();
}

Bytes ScopeLine::read(std::size_t count, double timeoutSeconds) {
    Bytes out;
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                             std::chrono::duration<double>(timeoutSeconds));
    while (fd_ >= 0 && out.size() < count) {
        pollfd p{fd_, POLLIN, 0};
        const int ms = MillisecondsLeft(deadline);
        if (ms == 0 || poll(&p, 1, ms) <= 0) break;
        std::uint8_t buf[1024];
        const ssize_t n = ::read(fd_, buf, std::min(sizeof buf, count - out.size()));
        if (n > 0)
            out.insert(out.end(), buf, buf + n);
        else if (n == 0 || (errno != EAGAIN && errno != EINTR))
            break;
    }
    return out;
}

Bytes ScopeLine::readUntilQuiet(double quietSeconds, double timeoutSeconds) {
    Bytes out;
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                             std::chrono::duration<double>(timeoutSeconds));
    for (;;) {
        Bytes more = read(4096, quietSeconds);
        if (more.empty() || Clock::now() >= deadline) break;
        out.insert(out.end(), more.begin(), more.end());
    }
    return out;
}

Bytes ScopeLine::exchange(const Bytes& request, std::size_t answerBytes, double timeoutSeconds) {
    if (!write(request)) return {};
    return read(answerBytes, timeoutSeconds);
}

int ScopeLine::readAfterHangUp(double timeoutSeconds) {
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                             std::chrono::duration<double>(timeoutSeconds));
    while (fd_ >= 0 && Clock::now() < deadline) {
        pollfd p{fd_, POLLIN, 0};
        if (poll(&p, 1, MillisecondsLeft(deadline)) <= 0) continue;
        std::uint8_t b = 0;
        const ssize_t n = ::read(fd_, &b, 1);
        if (n == 0) return 0;
        if (n < 0 && errno == EIO) return -EIO;
    }
    return 1; // the line is still there
}

} // namespace kvor::sim::test

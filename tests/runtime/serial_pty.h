// SPDX-License-Identifier: GPL-3.0-or-later
// What the serial tests stand on: a pseudo-terminal whose master side plays the sensor, the port
// table pointed at it through KVOR_COM_PORTS, and a fixture that closes every port afterwards.
#pragma once

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <gtest/gtest.h>

#include "runtime/com_dispatch.h"
#include "runtime/runtime.h"

namespace kvor::test {

// Sets an environment variable (or removes it) for the life of the object.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            setenv(name_.c_str(), old_->c_str(), 1);
        else
            unsetenv(name_.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    std::string name_;
    std::optional<std::string> old_;
};

inline double Seconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// The sensor's end of a line: the master side of a pseudo-terminal in raw mode, so that every
// byte value passes unchanged. The slave is closed again; the port opens it by its path.
class PtyPair {
  public:
    PtyPair() {
        int slave = -1;
        char name[256] = {};
        if (openpty(&master_, &slave, name, nullptr, nullptr) != 0) return;
        termios raw{};
        tcgetattr(master_, &raw);
        cfmakeraw(&raw);
        tcsetattr(master_, TCSANOW, &raw);
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
        close(slave);
        path_ = name;
    }
    ~PtyPair() { hangUp(); }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ok() const { return master_ >= 0 && !path_.empty(); }
    const std::string& path() const { return path_; }

    // The sensor side goes away, as when a USB adapter is pulled.
    void hangUp() {
        if (master_ >= 0) close(master_);
        master_ = -1;
    }

    void send(const std::vector<std::uint8_t>& bytes) {
        for (std::size_t done = 0; done < bytes.size();) {
            const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
            if (n > 0) {
                done += static_cast<std::size_t>(n);
            } else if (n < 0 && errno == EAGAIN) {
                pollfd p{master_, POLLOUT, 0};
                poll(&p, 1, 100);
            } else {
                ADD_FAILURE() << "writing to the pseudo-terminal failed";
                return;
            }
        }
    }

    // What the port has sent, once `count` bytes are there or `timeoutMs` has passed.
    std::vector<std::uint8_t> receive(std::size_t count, int timeoutMs = 1000) {
        std::vector<std::uint8_t> got;
        const double end = Seconds() + timeoutMs / 1000.0;
        while (got.size() < count && Seconds() < end) {
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, 10) <= 0) continue;
            std::uint8_t buf[4096];
            const ssize_t n = ::read(master_, buf, std::min(sizeof buf, count - got.size()));
            if (n <= 0) break;
            got.insert(got.end(), buf, buf + n);
        }
        return got;
    }

  private:
    int master_ = -1;
    std::string path_;
};

// Distinct bytes that run through every value, 0x11, 0x13, CR and LF included.
inline std::vector<std::uint8_t> Pattern(std::size_t count, std::uint8_t start = 0) {
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>(start + i * 7);
    return bytes;
}

// The scope's settings: 19200 8N1, queues of 4096 bytes.
inline int OpenLikeTheScope(int port, int inputQueue = 4096) {
    return OpenComConfig(port, "", 19200, 0, 8, 1, inputQueue, 4096);
}

// Polls the queue length alone, as the firmware read does, until it reaches `count`.
inline int WaitForQueue(int port, int count, double timeoutSeconds = 2.0) {
    const double start = Seconds();
    int n = GetInQLen(port);
    while (n >= 0 && n < count && Seconds() - start < timeoutSeconds)
        n = GetInQLen(port);
    return n;
}

// The lock file the serial port leaves for `device` while a program holds it.
inline QString LockFileOf(const std::string& device) {
    return "/run/lock/LCK.." + QString::fromStdString(device).mid(5).replace('/', '_');
}

// Starts the scope as a program of its own, without a window, with `device` as port 1.
inline void StartScope(QProcess& scope, const std::string& device) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KVOR_COM_PORTS", QString::fromStdString(device));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    scope.setProcessEnvironment(env);
    scope.start(QCoreApplication::applicationDirPath() + "/kvorscope", {});
}

class SerialTest : public ::testing::Test {
  protected:
    void TearDown() override { kvor::rt::CloseAllComPorts(); }
    // Makes the pseudo-terminal the only port (port 1); `open` opens it as the scope does.
    void usePty(bool open = false) {
        ASSERT_TRUE(pty_.ok());
        env_.emplace("KVOR_COM_PORTS", pty_.path());
        if (!open) return;
        ASSERT_EQ(OpenLikeTheScope(1), 0);
        ASSERT_EQ(SetComTime(1, 1.5), 0);
    }

    PtyPair pty_;
    std::optional<ScopedEnv> env_;
};

} // namespace kvor::test

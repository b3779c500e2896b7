// SPDX-License-Identifier: GPL-3.0-or-later
// kvor-sensor-sim as the scope starts it: a process that prints its port and answers there.
#include <chrono>
#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "scope_line.h"

extern char** environ;

namespace kvor::sim::test {
namespace {

// The executable with its standard output and error on pipes.
class SimProcess {
  public:
    explicit SimProcess(std::vector<std::string> args) {
        args.insert(args.begin(), KVOR_SENSOR_SIM_EXECUTABLE);
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        int out[2];
        int err[2];
        if (pipe(out) != 0 || pipe(err) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_adddup2(&actions, err[1], 2);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        posix_spawn_file_actions_addclose(&actions, err[0]);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        ::close(err[1]);
        out_ = out[0];
        err_ = err[0];
    }
    ~SimProcess() {
        if (pid_ > 0 && exitCode(0.0) == kRunning) {
            kill(pid_, SIGKILL);
            exitCode(2.0);
        }
        ::close(out_);
        ::close(err_);
    }

    static constexpr int kRunning = -1000;

    // Text read until the first line end, the stream's end or the time-out.
    std::string readLine(double seconds, bool fromError = false) const {
        std::string line;
        const int fd = fromError ? err_ : out_;
        const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
        while (Clock::now() < deadline) {
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 20) <= 0) continue;
            char c = 0;
            if (::read(fd, &c, 1) != 1 || c == '\n') break;
            line.push_back(c);
        }
        return line;
    }
    // Standard output up to its end.
    std::string readAll(double seconds) const {
        std::string text;
        const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
        while (Clock::now() < deadline) {
            pollfd p{out_, POLLIN, 0};
            if (poll(&p, 1, 20) <= 0) continue;
            char buf[512];
            const ssize_t n = ::read(out_, buf, sizeof buf);
            if (n <= 0) break;
            text.append(buf, static_cast<std::size_t>(n));
        }
        return text;
    }
    // Exit status once the process has ended, kRunning while it still runs.
    int exitCode(double seconds) {
        const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
        do {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                exit_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
                pid_ = -1;
            }
            if (pid_ < 0) return exit_;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        } while (Clock::now() < deadline);
        return kRunning;
    }
    void signal(int sig) const { kill(pid_, sig); }

  private:
    using Clock = std::chrono::steady_clock;
    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
    int exit_ = kRunning;
};

TEST(SensorExecutable, PrintsItsPortFirstAndEndsWhenTheScopeHangsUp) {
    SimProcess sim({"--unpaced", "--model", "104"});
    const std::string path = sim.readLine(5.0);
    ASSERT_EQ(path.rfind("/dev/", 0), 0u) << path;
    {
        ScopeLine line(path);
        ASSERT_TRUE(line.isOpen());
        Bytes echo = line.exchange(RequestFrame(5, {77}), 36);
        ASSERT_EQ(echo.size(), 36u);
        EXPECT_EQ(echo[1], 0xAA);
        EXPECT_EQ(WordAt(echo, 2), 77);
        EXPECT_EQ(WordAt(line.exchange(RequestFrame(10), 36), 2), 104);
        EXPECT_EQ(sim.exitCode(0.3), SimProcess::kRunning);
    }
    EXPECT_EQ(sim.exitCode(3.0), 0);
}

TEST(SensorExecutable, EndsCleanlyOnTerminate) {
    SimProcess sim({"--keep-open"});
    ASSERT_FALSE(sim.readLine(5.0).empty());
    sim.signal(SIGTERM);
    EXPECT_EQ(sim.exitCode(3.0), 0);
}

TEST(SensorExecutable, HelpAndBadOptions) {
    SimProcess help({"--help"});
    const std::string text = help.readAll(3.0);
    EXPECT_EQ(help.exitCode(3.0), 0);
    EXPECT_NE(text.find("--hang-up-after"), std::string::npos);
    EXPECT_NE(text.find("--list-models"), std::string::npos);

    SimProcess bad({"--model", "999"});
    const std::string message = bad.readLine(3.0, true);
    EXPECT_EQ(bad.exitCode(3.0), 2);
    EXPECT_NE(message.find("--model"), std::string::npos);
    EXPECT_TRUE(bad.readLine(0.2, true).empty()); // one line only
    EXPECT_TRUE(bad.readLine(0.2).empty());       // and no port on standard output
}

} // namespace
} // namespace kvor::sim::test

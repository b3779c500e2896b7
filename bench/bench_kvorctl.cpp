// SPDX-License-Identifier: GPL-3.0-or-later
// kvorctl as a script runs it, against simulated sensors at 19200 baud in this process: from its
// start to the first byte on the line, a get against the least time its conversation takes, the
// CPU and memory of measure, and eight sensors measured at once. The CPU an answer costs is set
// beside a bare loop's on the same line: on a virtual machine a wake-up alone may cost more than
// kvorctl's own work, so the difference is kvorctl's.
//   bench_kvorctl [SECONDS of the measure figures, default 5]
//   bench_kvorctl --cpu SECONDS   the CPU figures alone, paced and unpaced
// Rows "figure|measured|line limit", as the other benchmarks print them.
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/kvorctl_runs.h"
#include "sim/simulated_sensor.h"
#include "wire/codec.h"
#include "wire/protocol.h"

extern char** environ;

namespace {

using namespace kvor;
using bench::AnswerRate;

constexpr double kSecondsPerByte = 10.0 / 19200; // 8N1
constexpr double kLinkPauses = 3 * 0.1;          // the link set-up waits three times

std::string kvorctl;
std::string self; // this benchmark, started again for the bare loop

double Now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// `program` (kvorctl unless named) with these arguments; its stdout into `out` (-1: nowhere),
// stderr nowhere.
pid_t Start(const std::vector<std::string>& args, int out = -1, std::string program = kvorctl) {
    std::vector<char*> argv{program.data()};
    std::vector<std::string> copies = args;
    for (std::string& a : copies)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (out >= 0)
        posix_spawn_file_actions_adddup2(&actions, out, 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

struct Ended {
    int status = -1;
    long rssKb = 0; // peak resident memory
};

Ended Wait(pid_t pid) {
    Ended e;
    int status = 0;
    rusage use{};
    if (pid <= 0 || wait4(pid, &status, 0, &use) != pid) return e;
    e.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    e.rssKb = use.ru_maxrss;
    return e;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

// Start to the first byte kvorctl writes on a line nobody answers (a pseudo-terminal of our own).
double FirstByteSeconds() {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return -1;
    const std::string device = ptsname(master);
    const double t0 = Now();
    const pid_t pid = Start({"identify", "--port", device});
    pollfd p{master, POLLIN, 0};
    double seconds = -1;
    // The slave's first open and close may hang the line up: poll again until bytes come.
    for (double t = Now(); t - t0 < 10; t = Now()) {
        if (poll(&p, 1, 100) <= 0) continue;
        char byte;
        if (read(master, &byte, 1) == 1) {
            seconds = Now() - t0;
            break;
        }
    }
    if (pid > 0) kill(pid, SIGKILL);
    Wait(pid);
    close(master);
    return seconds;
}

// The bytes of the answer to one request.
int AnswerBytes(const sim::Request& r) {
    if (r.command == protocol::CMD_FIRMWARE_INFO) return protocol::kFirmwareTextBytes;
    if (r.command == protocol::CMD_READ_VIDEO64) return protocol::kVideo64Bytes;
    return protocol::kFrameBytes;
}

void GetFigures() {
    std::vector<double> took, least;
    for (int i = 0; i < 5; ++i) {
        sim::SimulatedSensor sensor; // paced
        if (!sensor.start()) return;
        const double t0 = Now();
        const Ended e = Wait(Start({"get", "--from", "ram", "--port", sensor.devicePath()}));
        const double seconds = Now() - t0;
        if (e.status != 0) {
            std::fprintf(stderr, "kvorctl get ended with %d\n", e.status);
            return;
        }
        int bytes = 0;
        for (const sim::Request& r : sensor.requests())
            bytes += protocol::kFrameBytes + AnswerBytes(r);
        took.push_back(seconds);
        least.push_back(bytes * kSecondsPerByte + kLinkPauses);
    }
    const double t = Median(took), l = Median(least);
    std::printf("kvorctl get --from ram, start to end (median of 5)|%.3f s|%.3f s|\n", t, l);
    std::printf("kvorctl get against the least time of its conversation|%.2f x|1.2 x|\n", t / l);
}

// The least any program spends on an answer on this machine: a loop that writes the measure
// request, waits for the answer as kvorctl does (the first byte, then a sleep for the rest at the
// line's rate), reads it and prints a line. Nothing else: no panel, no statistics, no event loop.
int BareLoop(const char* device, int count) {
    const int fd = ::open(device, O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios tio{};
    if (fd < 0 || tcgetattr(fd, &tio) != 0) return 1;
    cfmakeraw(&tio);
    cfsetspeed(&tio, B19200);
    if (tcsetattr(fd, TCSANOW, &tio) != 0) return 1;
    const std::uint16_t words[protocol::PNUM] = {};
    protocol::Byte request[protocol::kFrameBytes];
    protocol::EncodeFrame(request, protocol::kSyncRequest, protocol::CMD_MEASURE, words);
    for (int i = 0; i < count; ++i) {
        if (::write(fd, request, sizeof request) != static_cast<ssize_t>(sizeof request)) return 1;
        protocol::Byte answer[protocol::kFrameBytes];
        int got = 0;
        while (got < protocol::kFrameBytes) {
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 1000) <= 0) return 1;
            const ssize_t n =
                ::read(fd, answer + got, sizeof answer - static_cast<std::size_t>(got));
            if (n > 0) got += static_cast<int>(n);
            if (got > 0 && got < protocol::kFrameBytes)
                usleep(
                    static_cast<useconds_t>((protocol::kFrameBytes - got) * kSecondsPerByte * 1e6));
        }
        std::printf("%d,%u\n", i + 1, unsigned{protocol::WordAt(answer + 4)});
        std::fflush(stdout);
    }
    return 0;
}

// One measure of `count` answers on a paced sensor.
Ended Measure(int count) {
    sim::SimulatedSensor sensor;
    if (!sensor.start()) return {};
    return Wait(Start({"measure", "--count", std::to_string(count), "--format", "csv", "--port",
                       sensor.devicePath()}));
}

// What the kernel counted for every thread of a process: CPU seconds (to the nanosecond) and the
// times a thread waited and was woken.
struct Spent {
    double cpu = 0;
    long wakes = 0;
};

Spent SpentBy(pid_t pid) {
    Spent spent;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (dir == nullptr) return spent;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        const std::string task = tasks + "/" + entry->d_name;
        if (std::FILE* f = std::fopen((task + "/schedstat").c_str(), "r")) {
            unsigned long long ns = 0;
            if (std::fscanf(f, "%llu", &ns) == 1) spent.cpu += static_cast<double>(ns) / 1e9;
            std::fclose(f);
        }
        if (std::FILE* f = std::fopen((task + "/status").c_str(), "r")) {
            char line[256];
            long n = 0;
            while (std::fgets(line, sizeof line, f) != nullptr)
                if (std::sscanf(line, "voluntary_ctxt_switches: %ld", &n) == 1) spent.wakes += n;
            std::fclose(f);
        }
    }
    closedir(dir);
    return spent;
}

struct PerAnswer {
    double cpu = -1; // seconds
    double wakes = 0;
};

// CPU seconds and wake-ups an answer while kvorctl (or the bare loop) measures without end,
// counted by the kernel from the 20th answer on for `seconds`: start-up and the end stay out.
PerAnswer CpuPerAnswer(double seconds, bool paced, bool bare) {
    sim::Options options;
    options.paced = paced;
    sim::SimulatedSensor sensor(options);
    if (!sensor.start()) return {};
    const pid_t pid =
        bare ? Start({"--bare-loop", sensor.devicePath(), "2000000000"}, -1, self)
             : Start({"measure", "--follow", "--format", "csv", "--port", sensor.devicePath()});
    PerAnswer per;
    if (pid > 0 && sensor.awaitAnswersSent(20, 10)) {
        const Spent a = SpentBy(pid);
        const std::size_t first = sensor.answersSent();
        usleep(static_cast<useconds_t>(seconds * 1e6));
        const Spent b = SpentBy(pid);
        const double answers = static_cast<double>(sensor.answersSent() - first);
        if (answers > 0 && b.cpu > 0) {
            per.cpu = (b.cpu - a.cpu) / answers;
            per.wakes = static_cast<double>(b.wakes - a.wakes) / answers;
        }
    }
    if (pid > 0) kill(pid, SIGTERM);
    Wait(pid);
    return per;
}

// kvorctl and the bare loop in turn, in rounds, each round starting with the other one. What
// disturbs a run (the host taking the core, interrupts) only adds CPU, so the least of the rounds
// is each one's own cost; the most is printed beside it. kvorctl's own share is also given as the
// median of the rounds' differences, each taken between runs a few seconds apart.
void CpuFigures(const char* line, double seconds, bool paced) {
    constexpr int kRounds = 8;
    std::vector<double> own, bare, differences, ownWakes, bareWakes;
    for (int round = 0; round < kRounds; ++round) {
        PerAnswer o, b;
        if (round % 2 == 0) {
            o = CpuPerAnswer(seconds, paced, false);
            b = CpuPerAnswer(seconds, paced, true);
        } else {
            b = CpuPerAnswer(seconds, paced, true);
            o = CpuPerAnswer(seconds, paced, false);
        }
        if (o.cpu < 0 || b.cpu < 0) {
            std::fprintf(stderr, "a measure on the %s line failed\n", line);
            return;
        }
        own.push_back(o.cpu);
        bare.push_back(b.cpu);
        differences.push_back(o.cpu - b.cpu);
        ownWakes.push_back(o.wakes);
        bareWakes.push_back(b.wakes);
    }
    const auto [ownLeast, ownMost] = std::minmax_element(own.begin(), own.end());
    const auto [bareLeast, bareMost] = std::minmax_element(bare.begin(), bare.end());
    std::printf("kvorctl measure CPU per answer, %s line (%.1f s, least of %d; most %.4f ms)|%.4f "
                "ms||\n",
                line, seconds, kRounds, *ownMost * 1e3, *ownLeast * 1e3);
    std::printf("  a bare loop on the same line: write, wait, read, print (most %.4f ms)|%.4f "
                "ms||\n",
                *bareMost * 1e3, *bareLeast * 1e3);
    std::printf("  kvorctl's own CPU per answer, least beyond least (median of the rounds' "
                "differences %.4f ms)|%.4f ms|0.02 ms|\n",
                Median(differences) * 1e3, (*ownLeast - *bareLeast) * 1e3);
    std::printf("  wake-ups per answer, kvorctl and the bare loop (median of %d)|%.2f and %.2f||\n",
                kRounds, Median(ownWakes), Median(bareWakes));
}

void MeasureFigures(double seconds) {
    const double lineRate = 1.0 / (2 * protocol::kFrameBytes * kSecondsPerByte + 0.0005);
    CpuFigures("paced", seconds, true);
    CpuFigures("unpaced", seconds / 2, false);
    const Ended b = Measure(20 + static_cast<int>(seconds * lineRate));
    std::printf("kvorctl measure peak resident memory|%.1f MB|30 MB|\n",
                static_cast<double>(b.rssKb) / 1024);

    // Eight sensors, one kvorctl.
    std::vector<std::unique_ptr<sim::SimulatedSensor>> sensors;
    std::vector<std::string> args{"measure", "--seconds", std::to_string(seconds), "--format",
                                  "csv"};
    for (int i = 0; i < 8; ++i) {
        sensors.push_back(std::make_unique<sim::SimulatedSensor>());
        if (!sensors.back()->start()) return;
        args.push_back("--port");
        args.push_back(sensors.back()->devicePath());
    }
    const Ended all = Wait(Start(args));
    double lowest = 1e9;
    for (const auto& s : sensors)
        lowest = std::min(lowest, AnswerRate(*s));
    std::printf("kvorctl measure on 8 sensors at once: slowest sensor's answers (exit %d)|%.1f/s "
                "(%.1f %%)|%.1f/s (97 %% = %.1f/s)|\n",
                all.status, lowest, 100 * lowest / lineRate, lineRate, 0.97 * lineRate);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--bare-loop")
        return BareLoop(argv[2], std::atoi(argv[3]));
    self = "/proc/self/exe";
    kvorctl = bench::ProgramBeside(argv[0], "kvorctl");
    // "--cpu SECONDS": only the CPU an answer costs, paced and unpaced (a quicker look).
    const bool cpuOnly = argc > 2 && std::string(argv[1]) == "--cpu";
    const double seconds = argc > 1 ? std::max(1.0, std::atof(argv[cpuOnly ? 2 : 1])) : 5.0;
    if (cpuOnly) {
        CpuFigures("paced", seconds, true);
        CpuFigures("unpaced", seconds / 2, false);
        return 0;
    }
    std::vector<double> first;
    for (int i = 0; i < 7; ++i)
        first.push_back(FirstByteSeconds());
    std::printf("kvorctl start to the first byte on the line (median of 7, slowest %.3f s)|%.3f "
                "s|0.1 s|\n",
                *std::max_element(first.begin(), first.end()), Median(first));
    GetFigures();
    MeasureFigures(seconds);
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Publishing to a plant's broker, measured against Debian's mosquitto on the loopback and
// simulated sensors at 19200 baud: an answer to a subscriber's hands, the cycle rate with
// publishing on and off, and sixteen stations (kvorctl measure --follow --publish) into one
// broker.
//   bench_publish [SECONDS per run, default 10]
// Rows "figure|measured|aim", as the other benchmarks print them.
#include <arpa/inet.h>
#include <fcntl.h>
#include <mosquitto.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "bench/kvorctl_runs.h"
#include "sim/simulated_sensor.h"
#include "tests/publish/broker.h"
#include "wire/protocol.h"

extern char** environ;

namespace {

using namespace kvor;
using bench::AnswerRate;
using test::Field;
using test::FreePort;

std::string kvorctl;

double WallNow() {
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count();
}

pid_t Spawn(const std::vector<std::string>& args) {
    std::vector<std::string> copies = args;
    std::vector<char*> argv;
    for (std::string& a : copies)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int Wait(pid_t pid) {
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A broker of the bench's own, anonymous, on the loopback; listening within 10 s or none.
struct Broker {
    std::string dir, url;
    int port = 0;
    pid_t pid = -1;
    bool Start() {
        char tmpl[] = "/tmp/kvor-bench-broker-XXXXXX";
        if (mkdtemp(tmpl) == nullptr) return false;
        dir = tmpl;
        port = FreePort();
        url = "mqtt://127.0.0.1:" + std::to_string(port);
        std::ofstream(dir + "/mosquitto.conf")
            << "listener " << port << " 127.0.0.1\nallow_anonymous true\n"
            << "max_queued_messages 0\nmax_inflight_messages 0\n";
        pid = Spawn({"mosquitto", "-c", dir + "/mosquitto.conf"});
        for (int i = 0; i < 100; ++i) {
            const int s = socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in a{};
            a.sin_family = AF_INET;
            a.sin_port = htons(static_cast<uint16_t>(port));
            a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            const bool up = connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
            close(s);
            if (up) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }
    ~Broker() {
        if (pid > 0) kill(pid, SIGTERM);
        Wait(pid);
        if (!dir.empty()) std::filesystem::remove_all(dir);
    }
};

// Every measurement under bench/# with the wall time it came at.
struct Subscriber {
    struct Got {
        std::string topic, payload;
        double at;
    };
    std::mutex mutex;
    std::vector<Got> got;
    mosquitto* mosq = nullptr;
    bool Start(int port) {
        mosquitto_lib_init();
        mosq = mosquitto_new("bench-subscriber", true, this);
        mosquitto_message_callback_set(
            mosq, [](mosquitto*, void* self, const mosquitto_message* m) {
                auto* s = static_cast<Subscriber*>(self);
                const double at = WallNow();
                std::lock_guard lock(s->mutex);
                s->got.push_back({m->topic,
                                  std::string(static_cast<const char*>(m->payload),
                                              static_cast<std::size_t>(m->payloadlen)),
                                  at});
            });
        if (mosquitto_connect(mosq, "127.0.0.1", port, 30) != MOSQ_ERR_SUCCESS) return false;
        mosquitto_subscribe(mosq, nullptr, "bench/#", 1);
        return mosquitto_loop_start(mosq) == MOSQ_ERR_SUCCESS;
    }
    // Waits until nothing more has come for half a second (20 s at most); returns what came.
    std::vector<Got> Settled() {
        std::size_t last = static_cast<std::size_t>(-1);
        for (int i = 0; i < 40; ++i) {
            {
                std::lock_guard lock(mutex);
                if (got.size() == last) break;
                last = got.size();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
        }
        std::lock_guard lock(mutex);
        std::vector<Got> all;
        all.swap(got);
        return all;
    }
    ~Subscriber() {
        if (mosq == nullptr) return;
        mosquitto_disconnect(mosq);
        mosquitto_loop_stop(mosq, false);
        mosquitto_destroy(mosq);
    }
};

// "2026-12-10T16:17:54.059Z" as seconds since the epoch.
double IsoSeconds(const std::string& t) {
    std::tm tm{};
    int ms = 0;
    if (std::sscanf(t.c_str(), "%d-%d-%dT%d:%d:%d.%dZ", &tm.tm_year, &tm.tm_mon, &tm.tm_mday,
                    &tm.tm_hour, &tm.tm_min, &tm.tm_sec, &ms) != 7)
        return -1;
    tm.tm_year -= 1900;
    tm.tm_mon -= 1;
    return static_cast<double>(timegm(&tm)) + ms / 1000.0;
}

double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())))];
}

// One kvorctl measure of `seconds` on a paced sensor, publishing or not; its answer rate.
double RateOfOneRun(double seconds, const std::string& url) {
    sim::SimulatedSensor sensor;
    if (!sensor.start()) return 0;
    std::vector<std::string> args{
        kvorctl, "measure", "--seconds", std::to_string(seconds), "--port", sensor.devicePath()};
    if (!url.empty())
        for (const char* a : {"--publish", url.c_str(), "--topic", "bench/one"})
            args.push_back(a);
    if (Wait(Spawn(args)) != 0) std::fprintf(stderr, "kvorctl measure did not end well\n");
    return AnswerRate(sensor);
}

// The measurements of each station (topic bench/sN/measurement): seq numbers seen.
struct Station {
    std::set<long> seqs;
    long messages = 0;
    long highest = 0;
};

} // namespace

int main(int argc, char** argv) {
    kvorctl = bench::ProgramBeside(argv[0], "kvorctl");
    const double seconds = argc > 1 ? std::max(2.0, std::atof(argv[1])) : 10.0;
    Broker broker;
    if (!broker.Start()) {
        std::fprintf(stderr, "mosquitto does not start\n");
        return 1;
    }
    Subscriber sub;
    if (!sub.Start(broker.port)) {
        std::fprintf(stderr, "the subscriber cannot connect\n");
        return 1;
    }

    // One station with and without publishing; the latency from the published run.
    // Three of each, taken in turns, so that a busy moment of the machine weighs on both.
    std::vector<double> offRuns, onRuns;
    for (int i = 0; i < 3; ++i) {
        offRuns.push_back(RateOfOneRun(seconds, ""));
        onRuns.push_back(RateOfOneRun(seconds, broker.url));
    }
    const double off = Percentile(offRuns, 0.5), on = Percentile(onRuns, 0.5);
    std::vector<double> latency;
    for (const auto& g : sub.Settled())
        if (g.topic.ends_with("/measurement"))
            latency.push_back((g.at - IsoSeconds(Field(g.payload, "time"))) * 1e3);
    std::printf("answer to subscriber on the loopback, p50 (%zu answers; time field has ms)|%.2f "
                "ms|–|\n",
                latency.size(), Percentile(latency, 0.5));
    std::printf("answer to subscriber on the loopback, p99|%.2f ms|5 ms|\n",
                Percentile(latency, 0.99));
    std::printf("cycle rate, paced line: publishing off (median of 3)|%.2f/s|–|\n", off);
    std::printf("cycle rate, paced line: publishing on (median of 3)|%.2f/s (%+.2f %%)|at most 1 "
                "%% lower|\n",
                on, 100 * (on - off) / off);

    // Sixteen stations at once into the one broker.
    constexpr int kStations = 16;
    std::vector<std::unique_ptr<sim::SimulatedSensor>> sensors;
    std::vector<pid_t> pids;
    for (int i = 0; i < kStations; ++i) {
        sensors.push_back(std::make_unique<sim::SimulatedSensor>());
        if (!sensors.back()->start()) return 1;
        pids.push_back(
            Spawn({kvorctl, "measure", "--follow", "--port", sensors.back()->devicePath(),
                   "--publish", broker.url, "--topic", "bench/s" + std::to_string(i)}));
    }
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    int failed = 0;
    for (pid_t pid : pids)
        kill(pid, SIGTERM);
    for (pid_t pid : pids)
        failed += Wait(pid) != 0;
    std::map<std::string, Station> stations;
    for (const auto& g : sub.Settled()) {
        if (!g.topic.ends_with("/measurement")) continue;
        Station& s = stations[g.topic];
        const long seq = std::atol(Field(g.payload, "seq").c_str());
        s.seqs.insert(seq);
        s.highest = std::max(s.highest, seq);
        ++s.messages;
    }
    double slowest = 1e9;
    long asked = 0; // measurement requests the sensors took; a station stopped mid-request
                    // has asked for one more than it published
    for (const auto& s : sensors) {
        slowest = std::min(slowest, AnswerRate(*s));
        for (const sim::Request& r : s->requests())
            asked += r.command == protocol::CMD_MEASURE;
    }
    long lost = 0, twice = 0, total = 0;
    for (const auto& [topic, s] : stations) {
        lost += s.highest - static_cast<long>(s.seqs.size());
        twice += s.messages - static_cast<long>(s.seqs.size());
        total += static_cast<long>(s.seqs.size());
    }
    std::printf("16 stations into one broker: slowest station's rate (%d ended badly)|%.2f/s "
                "(%.1f %% of %.2f/s)|95 %%|\n",
                failed, slowest, 100 * slowest / off, off);
    std::printf("16 stations into one broker: stations heard, measurements (of %ld asked), "
                "missing seq, twice|%zu, %ld, %ld, %ld|16, asked - 16 at most, 0, -|\n",
                asked, stations.size(), total, lost, twice);
    return 0;
}

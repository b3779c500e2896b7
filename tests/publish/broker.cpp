// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/publish/broker.h"

#include <mosquitto.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace kvor::test {

int FreePort() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t n = sizeof a;
    int port = 0;
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&a), &n) == 0)
        port = ntohs(a.sin_port);
    close(s);
    return port;
}

bool Run(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Field(const std::string& json, const std::string& name) {
    const auto at = json.find("\"" + name + "\":");
    if (at == std::string::npos) return "";
    auto from = at + name.size() + 3;
    if (json[from] == '"') return json.substr(from + 1, json.find('"', from + 1) - from - 1);
    return json.substr(from, json.find_first_of(",}", from) - from);
}

TestBroker::TestBroker() {
    char tmpl[] = "/tmp/kvor-broker-XXXXXX";
    dir = mkdtemp(tmpl) ? tmpl : "";
    caFile = dir + "/ca.crt";
    otherCaFile = dir + "/other-ca.crt";
    plainPort_ = FreePort();
    tlsPort_ = FreePort();
    const std::string d = dir, ec = "-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";
    std::ofstream(d + "/san.ext") << "subjectAltName=IP:127.0.0.1\n";
    Run("cd " + d + " && openssl req -x509 " + ec + " -keyout ca.key -out ca.crt -days 2" +
        " -subj /CN=kvor-test-ca && openssl req -x509 " + ec +
        " -keyout other.key -out other-ca.crt -days 2 -subj /CN=kvor-other-ca && openssl req " +
        ec + " -keyout server.key -out server.csr -subj /CN=127.0.0.1 && openssl x509 -req" +
        " -in server.csr -CA ca.crt -CAkey ca.key -CAcreateserial -out server.crt -days 2" +
        " -extfile san.ext && chmod 644 server.key && mosquitto_passwd -b -c passwd " + kUser +
        " " + kPassword);
    std::ofstream(d + "/mosquitto.conf")
        << "per_listener_settings false\nallow_anonymous false\npassword_file " << d
        << "/passwd\npersistence true\npersistence_location " << d
        << "/\nmax_queued_messages 0\nmax_inflight_messages 100\nuser root\nlog_dest stdout\n"
        << "listener " << plainPort_ << " 127.0.0.1\nlistener " << tlsPort_ << " 127.0.0.1\ncafile "
        << caFile << "\ncertfile " << d << "/server.crt\nkeyfile " << d << "/server.key\n";
}

TestBroker::~TestBroker() {
    Stop();
    if (!dir.empty()) Run("rm -rf " + dir);
}

bool TestBroker::Start() {
    int out[2];
    if (pipe(out) != 0) return false;
    pid_ = fork();
    if (pid_ == 0) {
        // The broker ends with the test program, even one that a sanitizer report aborted.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        setpgid(0, 0);
        dup2(out[1], 1);
        close(out[0]);
        close(out[1]);
        // Its log says when it listens; whatever it logs later is drained.
        const std::string conf = dir + "/mosquitto.conf";
        execlp("sh", "sh", "-c",
               ("stdbuf -oL mosquitto -c '" + conf +
                "' | { sed -n '/ running$/{p;q}'; cat >/dev/null; }")
                   .c_str(),
               nullptr);
        _exit(127);
    }
    close(out[1]);
    // Listening once the broker says it runs (its listeners are opened before): at most 10 s.
    std::string said;
    pollfd readable{out[0], POLLIN, 0};
    while (said.find(" running") == std::string::npos && poll(&readable, 1, 10000) == 1) {
        char chunk[256];
        const ssize_t n = read(out[0], chunk, sizeof chunk);
        if (n <= 0) break;
        said.append(chunk, static_cast<std::size_t>(n));
    }
    close(out[0]);
    return said.find(" running") != std::string::npos;
}

void TestBroker::Stop() {
    if (pid_ <= 0) return;
    kill(-pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

std::string TestBroker::PlainUrl() const {
    return "mqtt://127.0.0.1:" + std::to_string(plainPort_);
}
std::string TestBroker::TlsUrl() const {
    return "mqtts://127.0.0.1:" + std::to_string(tlsPort_);
}

Subscriber::Subscriber(const TestBroker& broker, const std::string& filter, const std::string& id)
    : mosq_(mosquitto_new(id.c_str(), false, this)), filter_(filter),
      port_(std::atoi(broker.PlainUrl().substr(broker.PlainUrl().rfind(':') + 1).c_str())) {
    mosquitto_username_pw_set(mosq_, TestBroker::kUser, TestBroker::kPassword);
    mosquitto_message_callback_set(mosq_, [](mosquitto*, void* self, const mosquitto_message* m) {
        static_cast<Subscriber*>(self)->messages.push_back(
            {m->topic,
             std::string(static_cast<const char*>(m->payload),
                         static_cast<std::size_t>(m->payloadlen)),
             m->retain});
    });
    Reconnect();
}

Subscriber::~Subscriber() {
    mosquitto_disconnect(mosq_);
    mosquitto_destroy(mosq_);
}

void Subscriber::Reconnect() {
    mosquitto_connect(mosq_, "127.0.0.1", port_, 30);
    mosquitto_subscribe(mosq_, nullptr, filter_.c_str(), 1);
}

void Subscriber::Receive(std::size_t count, double idle) {
    int quiet = 0;
    while (messages.size() < count && quiet < static_cast<int>(idle * 10)) {
        const std::size_t before = messages.size();
        if (mosquitto_loop(mosq_, 100, 1) != MOSQ_ERR_SUCCESS) break;
        quiet = messages.size() == before ? quiet + 1 : 0;
    }
}

} // namespace kvor::test

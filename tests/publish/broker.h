// SPDX-License-Identifier: GPL-3.0-or-later
// A real mosquitto broker on the loopback for the publishing tests: a password file, TLS
// certificates of a CA made for the run, a plain and a TLS listener on free ports.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct mosquitto;

namespace kvor::test {

class TestBroker {
  public:
    TestBroker();
    ~TestBroker();
    bool Start(); // false when the broker does not listen
    void Stop();  // a clean stop; the broker keeps sessions and retained messages on disk
    std::string PlainUrl() const;
    std::string TlsUrl() const;
    std::string dir, caFile, otherCaFile;
    static constexpr const char* kUser = "station";
    static constexpr const char* kPassword = "s3cret";

  private:
    int plainPort_ = 0, tlsPort_ = 0;
    pid_t pid_ = -1;
};

// A subscriber on the plain listener: a persistent session with QoS 1, so messages published
// while it is away wait for it at the broker.
class Subscriber {
  public:
    struct Message {
        std::string topic, payload;
        bool retained;
    };
    Subscriber(const TestBroker& broker, const std::string& filter, const std::string& id);
    ~Subscriber();
    // Takes messages until `count` have come or nothing came for `idle` seconds.
    void Receive(std::size_t count, double idle = 10);
    void Reconnect();
    std::vector<Message> messages;

  private:
    ::mosquitto* mosq_;
    std::string filter_;
    int port_;
};

int FreePort();
// Runs a shell command; true when it succeeded.
bool Run(const std::string& command);
// The value of a JSON field: its number or string as text ("" when missing).
std::string Field(const std::string& json, const std::string& name);

} // namespace kvor::test

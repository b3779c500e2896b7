// SPDX-License-Identifier: GPL-3.0-or-later
// The connection to a plant's MQTT broker: libmosquitto on a network thread of its own, fed
// from a bounded queue so that whoever publishes never waits for the network.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

struct mosquitto;

namespace kvor::runtime {

// mqtt://host[:port] (1883) or mqtts://host[:port] (8883); false for anything else.
bool ParseBrokerUrl(const std::string& url, std::string& host, int& port, bool& tls);

class Publisher {
  public:
    enum class State { Off, Connecting, Connected, Refused };

    struct Options {
        std::string url;
        std::string user;
        std::string password;
        std::string caFile; // empty: the system's certificate store (mqtts only)
        std::string clientId;
        std::string statusTopic; // retained; `online` on every connect, `offline` as the will
        std::string online;
        std::string offline;
        std::size_t bound = 100000; // messages that may wait; past it the oldest go
    };

    struct Status {
        State state = State::Off;
        std::string reason;         // why it is not connected, or empty
        std::uint64_t waiting = 0;  // queued or sent and not yet acknowledged
        std::uint64_t dropped = 0;  // lost to the bound since the start
        std::uint64_t accepted = 0; // acknowledged by the broker
    };

    Publisher();
    ~Publisher();
    Publisher(const Publisher&) = delete;
    Publisher& operator=(const Publisher&) = delete;

    // Sets the connection up and starts the network thread; false with `error` when the
    // settings cannot work (URL, CA file, library). The connection itself is made in the
    // background and retried until Stop.
    bool Start(const Options& options, std::string& error);
    // Queues a message; never blocks on the network.
    void Enqueue(std::string topic, std::string payload, int qos, bool retain);
    // The status texts from now on (the will applies from the next connect).
    void SetStatusPayloads(std::string online, std::string offline);
    // A clean end: publishes `offline`, lets what waits go out for at most `timeout` seconds,
    // disconnects. Returns the messages that did not go out.
    std::uint64_t Stop(double timeout);
    Status GetStatus();
    // Waits at most `timeout` seconds until the state is another than `leaving`, or, leaving
    // Connecting, until an attempt to connect has failed. Returns the state then.
    State Await(State leaving, double timeout);
    // After a Stop that could not end the network thread: the object must outlive it (leak it).
    bool Detached() const { return detached_; }

  private:
    struct Message {
        std::string topic;
        std::string payload;
        int qos;
        bool retain;
    };

    static void OnConnect(mosquitto*, void* self, int rc);
    static void OnDisconnect(mosquitto*, void* self, int rc);
    static void OnPublish(mosquitto*, void* self, int mid);
    static void OnLog(mosquitto*, void* self, int level, const char* text);
    void Run();
    void PumpLocked();
    void PublishLocked(const Message& m);

    Options options_;
    std::string host_;
    int port_ = 0;
    mosquitto* mosq_ = nullptr;
    std::thread thread_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Message> queue_; // not yet handed to the library
    std::uint64_t inLibrary_ = 0;
    std::uint64_t dropped_ = 0;
    std::uint64_t accepted_ = 0;
    State state_ = State::Off;
    std::string reason_;
    bool connected_ = false;
    std::uint64_t failedAttempts_ = 0;
    bool stopping_ = false;
    bool finished_ = false;

    std::mutex logMutex_;
    std::string lastError_;        // the library's last error line
    std::string certificateError_; // a failed certificate check since the last connect
    bool detached_ = false;
};

} // namespace kvor::runtime

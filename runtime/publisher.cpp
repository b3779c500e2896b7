// SPDX-License-Identifier: GPL-3.0-or-later
// libmosquitto does the protocol, TLS, the resending of unacknowledged QoS 1 messages after a
// reconnect and the reconnecting itself; this file only keeps its own bounded queue in front of
// it, so the library never holds more than a window of messages and the measurement loop never
// waits. Lock order: mutex_ before the library's own locks, never the other way; the log
// callback, which the library calls while holding its locks, takes only logMutex_.
#include "runtime/publisher.h"

#include <mosquitto.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>

namespace kvor::runtime {

namespace {

// Messages handed to the library and not yet acknowledged: enough to keep the line to the
// broker busy, few enough that a broker restart leaves most of the backlog in our own queue.
constexpr std::uint64_t kWindow = 1000;
constexpr int kKeepAlive = 30;

void InitLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

bool ParsePort(const std::string& text, int& port) {
    if (text.empty() || text.size() > 5) return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 65535) return false;
    port = value;
    return true;
}

} // namespace

bool ParseBrokerUrl(const std::string& url, std::string& host, int& port, bool& tls) {
    std::string rest;
    if (url.rfind("mqtt://", 0) == 0) {
        tls = false;
        port = 1883;
        rest = url.substr(7);
    } else if (url.rfind("mqtts://", 0) == 0) {
        tls = true;
        port = 8883;
        rest = url.substr(8);
    } else {
        return false;
    }
    if (!rest.empty() && rest.back() == '/') rest.pop_back();
    std::string portText;
    if (!rest.empty() && rest.front() == '[') { // [::1]:1883
        const auto close = rest.find(']');
        if (close == std::string::npos) return false;
        host = rest.substr(1, close - 1);
        if (close + 1 < rest.size()) {
            if (rest[close + 1] != ':') return false;
            portText = rest.substr(close + 2);
            if (!ParsePort(portText, port)) return false;
        }
    } else {
        const auto colon = rest.rfind(':');
        host = rest.substr(0, colon);
        if (colon != std::string::npos && !ParsePort(rest.substr(colon + 1), port)) return false;
    }
    if (host.empty() || host.find_first_of("/@ ") != std::string::npos) return false;
    return true;
}

Publisher::Publisher() = default;

Publisher::~Publisher() {
    if (!detached_) Stop(0);
}

bool Publisher::Start(const Options& options, std::string& error) {
    if (mosq_ != nullptr) {
        error = "already publishing";
        return false;
    }
    bool tls = false;
    if (!ParseBrokerUrl(options.url, host_, port_, tls)) {
        error = "broker URL not understood (mqtt://host:port or mqtts://host:port)";
        return false;
    }
    if (!options.caFile.empty() && !std::ifstream(options.caFile).good()) {
        error = "CA file cannot be read: " + options.caFile;
        return false;
    }
    InitLibrary();
    options_ = options;
    mosq_ =
        mosquitto_new(options.clientId.empty() ? nullptr : options.clientId.c_str(), true, this);
    if (mosq_ == nullptr) {
        error = "the MQTT library could not start";
        return false;
    }
    mosquitto_int_option(mosq_, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    mosquitto_threaded_set(mosq_, true);
    mosquitto_reconnect_delay_set(mosq_, 1, 4, true);
    int rc = MOSQ_ERR_SUCCESS;
    if (!options.user.empty())
        rc = mosquitto_username_pw_set(mosq_, options.user.c_str(),
                                       options.password.empty() ? nullptr
                                                                : options.password.c_str());
    if (rc == MOSQ_ERR_SUCCESS && !options.statusTopic.empty())
        rc = mosquitto_will_set(mosq_, options.statusTopic.c_str(),
                                static_cast<int>(options.offline.size()), options.offline.data(), 1,
                                true);
    if (rc == MOSQ_ERR_SUCCESS && tls) {
        // The broker's certificate and host name are always checked: against the CA file the
        // operator named, else against the system's store.
        if (options.caFile.empty())
            rc = mosquitto_int_option(mosq_, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
        else
            rc = mosquitto_tls_set(mosq_, options.caFile.c_str(), nullptr, nullptr, nullptr,
                                   nullptr);
        if (rc == MOSQ_ERR_SUCCESS) rc = mosquitto_tls_opts_set(mosq_, 1, nullptr, nullptr);
    }
    if (rc != MOSQ_ERR_SUCCESS) {
        error = mosquitto_strerror(rc);
        mosquitto_destroy(mosq_);
        mosq_ = nullptr;
        return false;
    }
    mosquitto_connect_callback_set(mosq_, OnConnect);
    mosquitto_disconnect_callback_set(mosq_, OnDisconnect);
    mosquitto_publish_callback_set(mosq_, OnPublish);
    mosquitto_log_callback_set(mosq_, OnLog);
    {
        std::lock_guard lock(mutex_);
        state_ = State::Connecting;
        reason_.clear();
        queue_.clear();
        inLibrary_ = dropped_ = accepted_ = 0;
        connected_ = stopping_ = finished_ = false;
        failedAttempts_ = 0;
    }
    thread_ = std::thread([this] { Run(); });
    return true;
}

void Publisher::Run() {
    auto note = [this](int rc) {
        if (rc == MOSQ_ERR_SUCCESS) return;
        const int err = errno;
        std::string libraryLine;
        {
            std::lock_guard log(logMutex_);
            libraryLine = lastError_;
        }
        std::lock_guard lock(mutex_);
        if (stopping_) return;
        ++failedAttempts_;
        changed_.notify_all();
        if (rc == MOSQ_ERR_TLS) {
            state_ = State::Refused;
            reason_ = "certificate not accepted: " + libraryLine;
        } else if (state_ != State::Refused) {
            state_ = State::Connecting;
            reason_ = rc == MOSQ_ERR_ERRNO
                          ? std::string("broker not reachable: ") + std::strerror(err)
                          : std::string("broker not reachable: ") + mosquitto_strerror(rc);
        }
    };
    note(mosquitto_connect(mosq_, host_.c_str(), port_, kKeepAlive));
    for (;;) {
        // The library's loop reconnects by itself after a lost connection; it hands back only
        // after a failure it counts as final (TLS, name lookup) or the clean end.
        note(mosquitto_loop_forever(mosq_, 1000, 1));
        std::unique_lock lock(mutex_);
        if (changed_.wait_for(lock, std::chrono::seconds(2), [this] { return stopping_; })) break;
        lock.unlock();
        note(mosquitto_reconnect(mosq_));
    }
    std::lock_guard lock(mutex_);
    finished_ = true;
    changed_.notify_all();
}

void Publisher::PublishLocked(const Message& m) {
    const int rc =
        mosquitto_publish(mosq_, nullptr, m.topic.c_str(), static_cast<int>(m.payload.size()),
                          m.payload.data(), m.qos, m.retain);
    // A QoS 1 message taken by the library stays with it until acknowledged, across reconnects.
    if (m.qos > 0 && (rc == MOSQ_ERR_SUCCESS || rc == MOSQ_ERR_NO_CONN))
        ++inLibrary_;
    else if (rc != MOSQ_ERR_SUCCESS && rc != MOSQ_ERR_NO_CONN)
        ++dropped_;
}

void Publisher::PumpLocked() {
    while (connected_ && inLibrary_ < kWindow && !queue_.empty()) {
        PublishLocked(queue_.front());
        queue_.pop_front();
    }
}

void Publisher::Enqueue(std::string topic, std::string payload, int qos, bool retain) {
    std::lock_guard lock(mutex_);
    if (mosq_ == nullptr || stopping_) return;
    while (!queue_.empty() && queue_.size() + inLibrary_ >= options_.bound) {
        queue_.pop_front();
        ++dropped_;
    }
    queue_.push_back(Message{std::move(topic), std::move(payload), qos, retain});
    PumpLocked();
}

void Publisher::SetStatusPayloads(std::string online, std::string offline) {
    std::lock_guard lock(mutex_);
    if (mosq_ == nullptr || options_.statusTopic.empty()) return;
    options_.online = std::move(online);
    options_.offline = std::move(offline);
    mosquitto_will_set(mosq_, options_.statusTopic.c_str(),
                       static_cast<int>(options_.offline.size()), options_.offline.data(), 1, true);
}

void Publisher::OnConnect(mosquitto*, void* self, int rc) {
    auto* p = static_cast<Publisher*>(self);
    std::lock_guard lock(p->mutex_);
    if (rc != 0) {
        p->state_ = State::Refused;
        p->reason_ = mosquitto_connack_string(rc);
        p->changed_.notify_all();
        return;
    }
    p->connected_ = true;
    p->state_ = State::Connected;
    p->reason_.clear();
    {
        std::lock_guard log(p->logMutex_);
        p->certificateError_.clear();
    }
    // A broker that restarted without its store has forgotten the retained status.
    if (!p->options_.statusTopic.empty())
        p->PublishLocked(Message{p->options_.statusTopic, p->options_.online, 1, true});
    p->PumpLocked();
    p->changed_.notify_all();
}

void Publisher::OnDisconnect(mosquitto*, void* self, int rc) {
    auto* p = static_cast<Publisher*>(self);
    std::lock_guard lock(p->mutex_);
    p->connected_ = false;
    ++p->failedAttempts_;
    if (!p->stopping_ && p->state_ != State::Refused) {
        p->state_ = State::Connecting;
        p->reason_ = rc == 0 ? "" : "connection to the broker lost";
    }
    p->changed_.notify_all();
}

void Publisher::OnPublish(mosquitto*, void* self, int) {
    auto* p = static_cast<Publisher*>(self);
    std::lock_guard lock(p->mutex_);
    if (p->inLibrary_ > 0) --p->inLibrary_;
    ++p->accepted_;
    p->PumpLocked();
    p->changed_.notify_all();
}

void Publisher::OnLog(mosquitto*, void* self, int level, const char* text) {
    if (level != MOSQ_LOG_ERR || text == nullptr) return;
    auto* p = static_cast<Publisher*>(self);
    std::lock_guard lock(p->logMutex_);
    p->lastError_ = text;
    // The library tells a failed certificate check only in its log; a TLS line cut by a broker
    // going away is no refusal.
    if (std::strstr(text, "certificate") != nullptr || std::strstr(text, "verify failed"))
        p->certificateError_ = text;
}

std::uint64_t Publisher::Stop(double timeout) {
    if (mosq_ == nullptr) return 0;
    using Clock = std::chrono::steady_clock;
    const auto deadline =
        Clock::now() + std::chrono::milliseconds(static_cast<long long>(timeout * 1000));
    if (!options_.statusTopic.empty()) Enqueue(options_.statusTopic, options_.offline, 1, true);
    std::unique_lock lock(mutex_);
    changed_.wait_until(lock, deadline,
                        [this] { return !connected_ || (queue_.empty() && inLibrary_ == 0); });
    const std::uint64_t left = queue_.size() + inLibrary_;
    stopping_ = true;
    state_ = State::Off;
    reason_.clear();
    changed_.notify_all();
    lock.unlock();
    // A clean disconnect: the broker drops the will.
    mosquitto_disconnect(mosq_);
    lock.lock();
    const bool ended =
        changed_.wait_until(lock, std::max(deadline, Clock::now()) + std::chrono::seconds(1),
                            [this] { return finished_; });
    lock.unlock();
    if (ended) {
        thread_.join();
        mosquitto_destroy(mosq_);
    } else {
        // The network thread is stuck in a connect the system has not given up on; it is left
        // to end on its own with the library object it uses, rather than hang the program.
        thread_.detach();
        detached_ = true;
    }
    mosq_ = nullptr;
    lock.lock();
    queue_.clear();
    connected_ = false;
    return left;
}

Publisher::State Publisher::Await(State leaving, double timeout) {
    {
        std::unique_lock lock(mutex_);
        const std::uint64_t failed = failedAttempts_;
        changed_.wait_for(lock, std::chrono::milliseconds(static_cast<long long>(timeout * 1000)),
                          [&] {
                              return state_ != leaving ||
                                     (leaving == State::Connecting && failedAttempts_ != failed);
                          });
    }
    return GetStatus().state;
}

Publisher::Status Publisher::GetStatus() {
    std::lock_guard lock(mutex_);
    Status s;
    s.state = state_;
    s.reason = reason_;
    if (state_ == State::Connecting) {
        std::lock_guard log(logMutex_);
        if (!certificateError_.empty()) {
            s.state = State::Refused;
            s.reason = "certificate not accepted: " + certificateError_;
        }
    }
    s.waiting = queue_.size() + inLibrary_;
    s.dropped = dropped_;
    s.accepted = accepted_;
    return s;
}

} // namespace kvor::runtime

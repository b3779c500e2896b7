// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/simulated_sensor.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <poll.h>
#include <thread>
#include <unistd.h>

#include "sim/eeprom_file.h"
#include "sim/fault_injection.h"
#include "sim/frame_reader.h"
#include "sim/pty_port.h"
#include "sim/sensor_firmware.h"
#include "sim/size_scene.h"
#include "sim/wire.h"
#include "wire/protocol.h"

namespace kvor::sim {

namespace {

constexpr double kByteSeconds = 10.0 / 19200.0; // 8N1: start bit, 8 data bits, stop bit
constexpr std::size_t kPacedChunk = 8;          // bytes handed to the line at a time
constexpr double kWriteTimeout = 1.0;           // a scope that reads nothing for this long
constexpr double kHangUpPoll = 0.010;           // looks for the scope again this often
constexpr int kIdlePollMs = 200;
constexpr double kLongestDelay = 3600.0;
constexpr double kHangUpLinger = 0.1; // closing at once would take the last answer with it

} // namespace

struct SimulatedSensor::Impl {
    explicit Impl(Options o)
        : options(std::move(o)), firmware(options.model, options.seed),
          faultRandom(options.seed ^ 0x9E3779B9u) {}

    double now() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - epoch).count();
    }

    void run();
    bool serve(const ReceivedFrame& frame); // false: the sensor ends
    // Waits out a hold from `from` for `seconds`, or until released when negative: false when
    // told to stop.
    bool holdAnswer(double seconds, double from);
    // Sends bytes [from, to) paced from `start`: false when told to stop; *end is when the last
    // went out, *complete whether every byte reached the line.
    bool sendPart(const Bytes& bytes, std::size_t from, std::size_t to, double start, bool paced,
                  double* end, bool* complete);
    void logRequest(const Request& request);
    // Adds a frame as it went out to `to`, which keeps the newest requestLogLimit.
    void logAnswer(std::vector<Request>& to, const Bytes& bytes);
    void finish();

    mutable std::mutex mutex; // guards everything above the line below
    Options options;
    SensorFirmware firmware;
    std::mt19937 faultRandom;
    SceneState scene; // guarded as above
    std::vector<Request> log;
    std::vector<Request> sentMeasurements; // measurement answers that reached the line in full
    std::vector<Request> sentFrames;       // every answer frame that reached the line in full
    std::size_t served = 0;                // requests since start(), for drops and the hang-up
    bool holding = false;
    bool released = false;
    std::size_t overtaken = 0;
    std::size_t answersSent = 0;
    std::condition_variable answerSent; // raised with every answer sent whole
    std::string path;
    std::string error;
    bool eepromLoaded = false;
    bool ended = false;
    // Used by the sensor's thread only while it runs; by start() and stop() otherwise.
    PtyPort port;
    StopSignal stopSignal;
    std::vector<std::uint16_t> forcedMeasurement; // 16 words, or empty
    std::thread thread;
    const std::chrono::steady_clock::time_point epoch = std::chrono::steady_clock::now();
};

void SimulatedSensor::Impl::run() {
    FrameReader reader;
    bool peerSeen = false;
    std::uint8_t buffer[4096];
    for (;;) {
        pollfd fds[2] = {{port.fd(), POLLIN, 0}, {stopSignal.fd(), POLLIN, 0}};
        int timeout = kIdlePollMs;
        if (reader.hasPartialFrame()) {
            const double left = reader.partialDeadline() - now();
            timeout = std::clamp(static_cast<int>(std::ceil(left * 1000.0)), 1, kIdlePollMs);
        }
        const int r = poll(fds, 2, timeout);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0 || fds[1].revents != 0 || (fds[0].revents & POLLNVAL)) return;
        reader.expire(now());

        bool hungUp = (fds[0].revents & POLLHUP) != 0;
        if (fds[0].revents & POLLIN) {
            const ssize_t n = ::read(port.fd(), buffer, sizeof buffer);
            if (n > 0) {
                peerSeen = true;
                for (const ReceivedFrame& f :
                     reader.feed(buffer, static_cast<std::size_t>(n), now()))
                    if (!serve(f)) return;
                continue;
            }
            if (n < 0 && errno == EIO) hungUp = true;
        }
        if (!hungUp) {
            peerSeen = true; // no hang-up means the scope has the port open
            continue;
        }
        // Nobody has the port open. After the scope closes it, nothing it left is for anyone.
        if (peerSeen) {
            peerSeen = false;
            reader.clear();
            port.discardPending();
            bool end;
            {
                std::lock_guard lock(mutex);
                end = options.endOnPeerHangUp;
            }
            if (end) {
                finish();
                return;
            }
        }
        if (stopSignal.waitFor(kHangUpPoll)) return;
    }
}

bool SimulatedSensor::Impl::serve(const ReceivedFrame& frame) {
    Answer answer;
    Faults faults;
    bool paced = true;
    double latency = 0.0;
    std::size_t number = 0;
    {
        std::lock_guard lock(mutex);
        Request request = frame.request;
        request.at = frame.firstByteTime;
        logRequest(request);
        number = ++served;
        faults = options.faults;
        paced = options.paced;
        latency = std::isfinite(options.latencySeconds)
                      ? std::clamp(options.latencySeconds, 0.0, kLongestDelay)
                      : 0.0;
        // A silent sensor does nothing at all; a dropped answer was acted on and then lost.
        if (!faults.silent) {
            Request asked = frame.request;
            // The write's answer carries the set the sensor keeps: the one it had.
            if (faults.forgetWrites && asked.command == protocol::CMD_WRITE_RAM)
                asked.command = protocol::CMD_READ_RAM;
            if (faults.forgetWrites && asked.command == protocol::CMD_WRITE_EEPROM)
                asked.command = protocol::CMD_READ_EEPROM;
            answer = firmware.respond(asked, now());
            // ... under the write's own command word (high byte first).
            if (asked.command != frame.request.command && answer.bytes.size() >= 4) {
                answer.bytes[2] = static_cast<std::uint8_t>(frame.request.command >> 8);
                answer.bytes[3] = static_cast<std::uint8_t>(frame.request.command & 0xFF);
            }
            if (frame.request.command == protocol::CMD_MEASURE && forcedMeasurement.size() == 16) {
                std::uint16_t words[16];
                std::copy(forcedMeasurement.begin(), forcedMeasurement.end(), words);
                answer.bytes = EncodeFrame(protocol::kSyncRequest, protocol::CMD_MEASURE, words);
            }
            ApplyAnswerFaults(answer, frame.request.command, faults, faultRandom);
            ApplySizeScene(answer, frame.request.command, faults, scene);
            if (faults.dropEvery > 0 && number % static_cast<std::size_t>(faults.dropEvery) == 0)
                answer = {};
            const int command = frame.request.command;
            if (!options.acknowledgeWrites &&
                (command == protocol::CMD_WRITE_RAM || command == protocol::CMD_WRITE_EEPROM))
                answer = {};
        }
    }
    if (!answer.bytes.empty()) {
        double start = now();
        // The request is only complete on a 19200 baud line when its last byte has arrived.
        if (paced)
            start = std::max(start, frame.firstByteTime + protocol::kFrameBytes * kByteSeconds);
        start += latency;
        if (std::isfinite(faults.delaySeconds) && faults.delaySeconds > 0.0)
            start += std::min(faults.delaySeconds, kLongestDelay);
        const int command = frame.request.command;
        const bool write =
            command == protocol::CMD_WRITE_RAM || command == protocol::CMD_WRITE_EEPROM;
        if (write && std::isfinite(faults.ackDelaySeconds) && faults.ackDelaySeconds > 0.0)
            start += std::min(faults.ackDelaySeconds, kLongestDelay);
        bool complete = false;
        double end = start;
        std::size_t cut = answer.bytes.size();
        const bool held = faults.holdCommand != 0 && faults.holdCommand == frame.request.command;
        if (held) cut = std::min(cut, static_cast<std::size_t>(std::max(faults.holdAfterBytes, 0)));
        if (!sendPart(answer.bytes, 0, cut, start, paced, &end, &complete)) return false;
        if (complete && held) {
            {
                std::lock_guard lock(mutex);
                holding = true;
                released = false;
            }
            if (!holdAnswer(faults.holdSeconds, end)) return false;
            {
                std::lock_guard lock(mutex);
                holding = false;
                if (cut < answer.bytes.size() && port.pending() > 0) ++overtaken;
            }
            if (!sendPart(answer.bytes, cut, answer.bytes.size(), now(), paced, &end, &complete))
                return false;
        }
        if (complete && frame.request.command == protocol::CMD_MEASURE)
            logAnswer(sentMeasurements, answer.bytes);
        if (complete && answer.kind == Answer::Kind::Frame) logAnswer(sentFrames, answer.bytes);
        std::lock_guard lock(mutex);
        if (complete) {
            ++answersSent;
            answerSent.notify_all();
        }
    }
    if (faults.hangUpAfter > 0 && number >= static_cast<std::size_t>(faults.hangUpAfter)) {
        if (stopSignal.waitFor(kHangUpLinger)) return false;
        finish(); // before the scope can see the port vanish
        port.close();
        return false;
    }
    return true;
}

bool SimulatedSensor::Impl::holdAnswer(double seconds, double from) {
    constexpr double kReleaseLook = 0.002;
    if (!(seconds < 0.0)) {
        const double hold = std::isfinite(seconds) ? std::clamp(seconds, 0.0, kLongestDelay) : 0.0;
        // Held for the whole time from when the holding began, however late the line runs.
        return !stopSignal.waitFor(std::max(from, now()) + hold - now());
    }
    for (;;) {
        {
            std::lock_guard lock(mutex);
            if (released) return true;
        }
        if (stopSignal.waitFor(kReleaseLook)) return false;
    }
}

// Paced, each few bytes go out when the line would have finished sending them, so the scope
// sees an answer grow in its input queue as it would from a real sensor.
bool SimulatedSensor::Impl::sendPart(const Bytes& bytes, std::size_t from, std::size_t to,
                                     double start, bool paced, double* end, bool* complete) {
    *complete = false;
    *end = start;
    const std::size_t chunk = paced ? kPacedChunk : to - from;
    for (std::size_t offset = from; offset < to; offset += chunk) {
        const std::size_t count = std::min(chunk, to - offset);
        const double due =
            paced ? start + static_cast<double>(offset - from + count) * kByteSeconds : start;
        if (stopSignal.waitFor(due - now())) return false;
        *end = due;
        // A scope that has closed the port or stopped reading loses the rest of the answer.
        if (!port.writeAll(bytes.data() + offset, count, kWriteTimeout)) return true;
    }
    *complete = true;
    return true;
}

// The answer as it went out: sync and command word, then the data words, high byte first.
void SimulatedSensor::Impl::logAnswer(std::vector<Request>& to, const Bytes& bytes) {
    if (bytes.size() < static_cast<std::size_t>(protocol::kFrameBytes)) return;
    Request sent;
    static_cast<protocol::FrameWords&>(sent) = protocol::DecodeFrame(bytes.data());
    std::lock_guard lock(mutex);
    to.push_back(sent);
    const std::size_t limit = options.requestLogLimit;
    if (limit > 0 && to.size() > limit)
        to.erase(to.begin(), to.begin() + static_cast<std::ptrdiff_t>(to.size() - limit));
}

void SimulatedSensor::Impl::logRequest(const Request& request) {
    log.push_back(request);
    const std::size_t limit = options.requestLogLimit;
    if (limit > 0 && log.size() > limit)
        log.erase(log.begin(), log.begin() + static_cast<std::ptrdiff_t>(log.size() - limit));
}

void SimulatedSensor::Impl::finish() {
    std::lock_guard lock(mutex);
    ended = true;
}

SimulatedSensor::SimulatedSensor(Options options)
    : impl_(std::make_unique<Impl>(std::move(options))) {}

SimulatedSensor::~SimulatedSensor() {
    stop();
}

bool SimulatedSensor::start() {
    if (impl_->thread.joinable()) {
        if (!finished()) return true;
        stop();
    }
    std::lock_guard lock(impl_->mutex);
    impl_->error.clear();
    const std::string& file = impl_->options.eepromFile;
    if (!file.empty() && !impl_->eepromLoaded) {
        ParameterSet words{};
        switch (LoadEepromFile(file, &words, &impl_->error)) {
        case EepromLoad::Invalid:
            return false; // never overwrite a file the operator may still want
        case EepromLoad::Loaded:
            impl_->firmware.powerUpFrom(words);
            break;
        case EepromLoad::Missing:
            break;
        }
        impl_->firmware.keepEepromIn(file);
        impl_->eepromLoaded = true;
    }
    impl_->port.setAdapterLatency(impl_->options.adapterLatency);
    if (!impl_->port.open(&impl_->error)) return false;
    impl_->path = impl_->port.path();
    impl_->served = 0;
    impl_->ended = false;
    impl_->stopSignal.reset();
    impl_->thread = std::thread([impl = impl_.get()] { impl->run(); });
    return true;
}

void SimulatedSensor::setMeasurementAnswer(const std::vector<std::uint16_t>& words) {
    std::lock_guard lock(impl_->mutex);
    impl_->forcedMeasurement = words.size() == 16 ? words : std::vector<std::uint16_t>{};
}

void SimulatedSensor::stop() {
    impl_->stopSignal.raise();
    if (impl_->thread.joinable()) impl_->thread.join();
    impl_->port.close();
    impl_->stopSignal.reset();
}

std::string SimulatedSensor::devicePath() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->path;
}

void SimulatedSensor::setFaults(const Faults& faults) {
    std::lock_guard lock(impl_->mutex);
    impl_->options.faults = faults;
}

void SimulatedSensor::setModel(const Model& model) {
    std::lock_guard lock(impl_->mutex);
    impl_->options.model = model;
    impl_->firmware.setModel(model);
}

std::vector<Request> SimulatedSensor::requests() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->log;
}

void SimulatedSensor::clearRequests() {
    std::lock_guard lock(impl_->mutex);
    impl_->log.clear();
    impl_->sentMeasurements.clear();
    impl_->sentFrames.clear();
}

std::vector<Request> SimulatedSensor::answerFrames() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->sentFrames;
}

std::vector<Request> SimulatedSensor::measurementAnswers() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->sentMeasurements;
}

std::vector<std::uint16_t> SimulatedSensor::ramParameters() const {
    std::lock_guard lock(impl_->mutex);
    const ParameterSet& w = impl_->firmware.ram();
    return {w.begin(), w.end()};
}

std::vector<std::uint16_t> SimulatedSensor::eepromParameters() const {
    std::lock_guard lock(impl_->mutex);
    const ParameterSet& w = impl_->firmware.eeprom();
    return {w.begin(), w.end()};
}

// Words beyond the 16th are ignored; a shorter list leaves the remaining words as they are.
void SimulatedSensor::setRamParameters(const std::vector<std::uint16_t>& words) {
    std::lock_guard lock(impl_->mutex);
    ParameterSet ram = impl_->firmware.ram();
    std::copy_n(words.begin(), std::min(words.size(), ram.size()), ram.begin());
    impl_->firmware.setRam(ram);
}

void SimulatedSensor::setObject(double leftEdge, double rightEdge, bool drifting) {
    std::lock_guard lock(impl_->mutex);
    impl_->firmware.curtain().setObject(leftEdge, rightEdge, drifting);
}

bool SimulatedSensor::holdingAnswer() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->holding;
}

void SimulatedSensor::releaseHeldAnswer() {
    std::lock_guard lock(impl_->mutex);
    impl_->released = true;
}

std::size_t SimulatedSensor::answersOvertaken() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->overtaken;
}

bool SimulatedSensor::awaitAnswersSent(std::size_t count, double timeoutSeconds) const {
    std::unique_lock lock(impl_->mutex);
    return impl_->answerSent.wait_for(lock, std::chrono::duration<double>(timeoutSeconds),
                                      [this, count] { return impl_->answersSent >= count; });
}

std::size_t SimulatedSensor::answersSent() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->answersSent;
}

bool SimulatedSensor::finished() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->ended;
}

std::string SimulatedSensor::lastError() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->error;
}

} // namespace kvor::sim

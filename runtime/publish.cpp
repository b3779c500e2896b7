// SPDX-License-Identifier: GPL-3.0-or-later
// The program's publishing calls over the one Publisher of the process.
#include "runtime/publish.h"

#include <QString>
#include <QSysInfo>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "runtime/publisher.h"

namespace {

using kvor::runtime::Publisher;

std::unique_ptr<Publisher>& Instance() {
    static std::unique_ptr<Publisher> publisher;
    return publisher;
}

std::string Text(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

void CopyOut(char* out, std::size_t size, const std::string& text) {
    if (out == nullptr || size == 0) return;
    const std::size_t n = std::min(size - 1, text.size());
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

} // namespace

int PublishStart(const PublishSettings* settings, char* error, std::size_t size) {
    auto& publisher = Instance();
    if (publisher) PublishStop(0);
    if (settings == nullptr) return -1;
    Publisher::Options o;
    o.url = Text(settings->url);
    o.user = Text(settings->user);
    o.password = Text(settings->password);
    o.caFile = Text(settings->caFile);
    o.clientId = Text(settings->clientId);
    o.statusTopic = Text(settings->statusTopic);
    o.online = Text(settings->online);
    o.offline = Text(settings->offline);
    auto started = std::make_unique<Publisher>();
    std::string why;
    if (!started->Start(o, why)) {
        CopyOut(error, size, why);
        return -1;
    }
    publisher = std::move(started);
    CopyOut(error, size, "");
    return 0;
}

int PublishMessage(const char* topic, const char* payload, int qos, int retain) {
    auto& publisher = Instance();
    if (!publisher || topic == nullptr || payload == nullptr) return -1;
    publisher->Enqueue(topic, payload, qos > 0 ? 1 : 0, retain != 0);
    return 0;
}

int PublishSetStatus(const char* online, const char* offline) {
    auto& publisher = Instance();
    if (!publisher) return -1;
    publisher->SetStatusPayloads(Text(online), Text(offline));
    return 0;
}

int PublishStop(double timeout) {
    auto& publisher = Instance();
    if (!publisher) return 0;
    const auto left = publisher->Stop(timeout);
    // A network thread still in a connect keeps its publisher until the process ends.
    if (publisher->Detached()) static_cast<void>(publisher.release());
    publisher.reset();
    return static_cast<int>(std::min<std::uint64_t>(left, 0x7fffffff));
}

int PublishHostName(char* text, std::size_t size) {
    CopyOut(text, size, QSysInfo::machineHostName().toStdString());
    return 0;
}

int PublishAwait(int leaving, double timeout) {
    auto& publisher = Instance();
    if (!publisher) return PUBLISH_OFF;
    return static_cast<int>(publisher->Await(static_cast<Publisher::State>(leaving), timeout));
}

int PublishState(PublishStatus* status) {
    if (status == nullptr) return -1;
    *status = PublishStatus{};
    auto& publisher = Instance();
    if (!publisher) return PUBLISH_OFF;
    const Publisher::Status s = publisher->GetStatus();
    status->state = static_cast<int>(s.state);
    status->waiting = static_cast<double>(s.waiting);
    status->dropped = static_cast<double>(s.dropped);
    status->accepted = static_cast<double>(s.accepted);
    CopyOut(status->reason, sizeof status->reason, s.reason);
    return status->state;
}

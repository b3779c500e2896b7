// SPDX-License-Identifier: GPL-3.0-or-later
// Publishing to a plant's MQTT broker, as the program sees it: a connection started and stopped,
// messages handed over without waiting, and a state the program looks at when it likes.
// Nothing here calls back into the program.
#pragma once

#include <cstddef>

enum : int {
    PUBLISH_OFF = 0,
    PUBLISH_CONNECTING = 1, // trying, or the broker cannot be reached (messages wait)
    PUBLISH_CONNECTED = 2,
    PUBLISH_REFUSED = 3, // user, password or certificate not accepted
};

struct PublishSettings {
    const char* url;      // mqtt://host:port or mqtts://host:port
    const char* user;     // "" or null: none
    const char* password; // "" or null: none; never logged
    const char* caFile;   // "" or null: the system's certificates (mqtts)
    const char* clientId; // unique per broker
    const char* statusTopic;
    const char* online;  // retained on the status topic at every connect
    const char* offline; // the will, and published at a clean end
};

struct PublishStatus {
    int state;
    double waiting;  // messages not yet acknowledged by the broker
    double dropped;  // messages given up past the bound since the start
    double accepted; // messages the broker acknowledged
    char reason[256];
};

// Starts the connection in the background. 0, or -1 with the reason in `error` when the settings
// cannot work (URL, CA file); an unreachable broker is no error here, its messages wait.
int PublishStart(const PublishSettings* settings, char* error, std::size_t size);
// Queues a message (qos 0 or 1); 0, or -1 when no connection is started.
int PublishMessage(const char* topic, const char* payload, int qos, int retain);
// New status texts (the sensor's identity changed); the online text is not sent by this call.
int PublishSetStatus(const char* online, const char* offline);
// Publishes the offline status, lets the waiting messages go for at most `timeout` seconds,
// disconnects. Returns the messages that did not go out.
int PublishStop(double timeout);
// Waits at most `timeout` seconds until the state is another than `leaving`, or, leaving
// PUBLISH_CONNECTING, until an attempt to connect has failed (the reason then says why: a
// refusal shows as PUBLISH_REFUSED, an unreachable broker stays PUBLISH_CONNECTING).
int PublishAwait(int leaving, double timeout);
// The name of this machine, for the default topic prefix and the status.
int PublishHostName(char* text, std::size_t size);
// The connection's state now; returns status->state.
int PublishState(PublishStatus* status);

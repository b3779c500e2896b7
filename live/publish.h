// SPDX-License-Identifier: GPL-3.0-or-later
// Measurements to the plant: the scope's status, every measurement answer, the parameter sets
// and the statistics as JSON on a plant's MQTT broker, under a topic prefix the operator sets
// (by default kvorscope/<host name>/<port name>). The measurement loop never waits for the
// broker: the runtime queues and sends.
#pragma once

#include "state/callback.h"
#include "state/state.h"

namespace kvor {

inline constexpr int PUBLISH_TEXT_LEN = 256;
inline constexpr int PUBLISH_JSON_LEN = 1024;
inline constexpr double PUBLISH_STOP_WAIT = 2.0; // seconds a clean end lets the backlog go

extern i32 publishOn;                            // the operator's on/off
extern char szPublishUrl[PUBLISH_TEXT_LEN];      // mqtt://host:port or mqtts://host:port
extern char szPublishUser[PUBLISH_TEXT_LEN];     // "" for none
extern char szPublishPassword[PUBLISH_TEXT_LEN]; // "" for none; kept only in its own file
extern char szPublishCaFile[PATH_LEN];           // "" for the system's certificates
extern char szPublishPrefix[PUBLISH_TEXT_LEN];   // "" for the default
extern char szPublishTopic[PUBLISH_TEXT_LEN];    // the prefix in use while publishing
extern double publishSeq;                        // the last measurement's seq; 0 after a start
extern double publishStatAt;                     // Timer() of the last statistics
extern double publishDroppedTold;                // dropped messages the status has told

// A text as a JSON string (quotes included): quote, backslash and control characters escaped,
// other text (UTF-8 from the runtime) as it is.
void JsonString(char* out, int size, const char* text);
// kvorscope/<host name>/<port name>, each level made safe for a topic.
void DefaultPublishPrefix(char* prefix, int size);
// The messages, built from the variables as they are now.
void StatusJson(char* json, int size, const char* state, double dropped);
void MeasurementJson(char* json, int size);
void StatisticsJson(char* json, int size);
void ParameterJson(char* json, int size, i32 event, const u16* words);
// The rule the newest answer broke: {"seq", "time", "rule", "text", "value"}.
void AlarmJson(char* json, int size);

// Starts publishing with the settings above; 0, or -1 with the reason in `error`.
int StartPublishing(char* error, int size);
void StopPublishing();
// The settings from the operator's last run; publishing starts when it was on.
void RestorePublishing();
// What the loops and the history hand over; each does nothing while publishing is off.
void PublishMeasurement();
void PublishParameterSet(i32 event, const u16* words);
// The control chart's alarm of the newest answer, when it broke a rule (after its measurement).
void PublishAlarm();

} // namespace kvor

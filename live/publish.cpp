// SPDX-License-Identifier: GPL-3.0-or-later
// The messages the scope publishes and when. Every message is built here with snprintf into a
// fixed buffer and handed to the runtime's queue; nothing comes back from the network but the
// state the program asks for.
#include "live/publish.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "live/control_chart.h"
#include "live/control_window.h"
#include "live/measurement.h"
#include "live/statistics.h"
#include "params/frame_map.h"
#include "params/history_record.h"
#include "runtime/publish.h"
#include "runtime/runtime.h"
#include "runtime/settings_store.h"
#include "state/time_stamp.h"

namespace kvor {

i32 publishOn = 0;
char szPublishUrl[PUBLISH_TEXT_LEN] = "mqtt://localhost:1883";
char szPublishUser[PUBLISH_TEXT_LEN] = "";
char szPublishPassword[PUBLISH_TEXT_LEN] = "";
char szPublishCaFile[PATH_LEN] = "";
char szPublishPrefix[PUBLISH_TEXT_LEN] = "";
char szPublishTopic[PUBLISH_TEXT_LEN] = "";
double publishSeq = 0;
double publishStatAt = 0;
double publishDroppedTold = 0;

namespace {

constexpr const char* kPasswordSecret = "publish-password";
constexpr double kStatisticsEvery = 1.0;       // seconds
char szPublishIdentity[PUBLISH_JSON_LEN] = ""; // the status last handed to the runtime
// The newest parameter set of the history, kept while publishing is off: a start publishes it,
// so a subscriber always finds the set the sensor holds.
i32 lastParameterEvent = -1;
u16 lastParameterWords[PNUM] = {};

// The names of the parameter words, in the order of the frame.
constexpr const char* kWordNames[PNUM] = {
    "light_power", "serial_output",   "video_threshold", "analog_output_mode",
    "polarity",    "edge_evaluation", "left_limit",      "right_limit",
    "setpoint",    "tolerance",       "operating_mode",  "hardware_mode",
    "factor_word", "offset_word",     "averaging",       "delta_tolerance"};

// One level of a topic: letters, digits, '.', '-', '_'; anything else '_'.
void TopicLevel(char* out, int size, const char* text) {
    int n = 0;
    for (; text[n] != '\0' && n < size - 1; ++n) {
        const char c = text[n];
        const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
        out[n] = safe ? c : '_';
    }
    out[n] = '\0';
    if (n == 0) CopyText(out, size, "none");
}

// A number, or null when it is not one (statistics of fewer than two answers).
void JsonNumber(char* out, int size, double value) {
    if (std::isfinite(value))
        std::snprintf(out, static_cast<std::size_t>(size), "%.6g", value);
    else
        CopyText(out, size, "null");
}

void Topic(char* topic, int size, const char* leaf) {
    std::snprintf(topic, static_cast<std::size_t>(size), "%s/%s", szPublishTopic, leaf);
}

void Publish(const char* leaf, const char* json, int retain) {
    char topic[PUBLISH_TEXT_LEN + 16];
    Topic(topic, sizeof topic, leaf);
    PublishMessage(topic, json, 1, retain);
}

// The status follows the sensor on the link and tells messages lost while the broker was away.
void RefreshStatus() {
    PublishStatus st;
    PublishState(&st);
    char online[PUBLISH_JSON_LEN];
    char offline[PUBLISH_JSON_LEN];
    StatusJson(online, sizeof online, "online", st.dropped);
    if (std::strcmp(online, szPublishIdentity) == 0) return;
    // The drop count is told once the broker takes messages again.
    if (st.dropped != publishDroppedTold && st.state != PUBLISH_CONNECTED) return;
    StatusJson(offline, sizeof offline, "offline", st.dropped);
    PublishSetStatus(online, offline);
    Publish("status", online, 1);
    CopyText(szPublishIdentity, sizeof szPublishIdentity, online);
    publishDroppedTold = st.dropped;
}

void PublishStatistics() {
    char json[PUBLISH_JSON_LEN];
    StatisticsJson(json, sizeof json);
    Publish("statistics", json, 0);
    publishStatAt = Timer();
}

} // namespace

void JsonString(char* out, int size, const char* text) {
    if (out == nullptr || size < 3) return;
    int n = 0;
    out[n++] = '"';
    for (const char* p = text != nullptr ? text : ""; *p != '\0'; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        char esc[8];
        if (c == '"' || c == '\\') {
            std::snprintf(esc, sizeof esc, "\\%c", c);
        } else if (c < 0x20) {
            std::snprintf(esc, sizeof esc, "\\u%04x", c);
        } else {
            esc[0] = c != 0x7F ? static_cast<char>(c) : '?';
            esc[1] = '\0';
        }
        const int len = static_cast<int>(std::strlen(esc));
        if (n + len + 2 > size) break; // cut whole characters, keep the closing quote
        std::memcpy(out + n, esc, static_cast<std::size_t>(len));
        n += len;
    }
    out[n++] = '"';
    out[n] = '\0';
}

void DefaultPublishPrefix(char* prefix, int size) {
    char host[128] = "";
    char port[128] = "";
    char hostLevel[128];
    char portLevel[128];
    PublishHostName(host, sizeof host);
    if (IsSimulatedComPort(com) == 1)
        CopyText(port, sizeof port, "simulated");
    else if (GetComPortLabel(com, port, sizeof port) < 0)
        std::snprintf(port, sizeof port, "port%d", static_cast<int>(com));
    // A device path gives its name below /dev ("COM1 — /dev/ttyUSB0" is "ttyUSB0").
    const char* dev = std::strstr(port, "/dev/");
    const char* base = dev != nullptr ? dev + 4 : nullptr;
    TopicLevel(hostLevel, sizeof hostLevel, host);
    TopicLevel(portLevel, sizeof portLevel, base != nullptr ? base + 1 : port);
    std::snprintf(prefix, static_cast<std::size_t>(size), "kvorscope/%s/%s", hostLevel, portLevel);
}

void StatusJson(char* json, int size, const char* state, double dropped) {
    char host[128] = "";
    char port[128] = "";
    char firmware[STATUS_LEN + 1];
    char hostJson[300], portJson[300], firmwareJson[3 * STATUS_LEN], stateJson[32];
    PublishHostName(host, sizeof host);
    if (GetComPortLabel(com, port, sizeof port) < 0) port[0] = '\0';
    HistoryFirmwareText(szVersion, firmware, sizeof firmware);
    JsonString(hostJson, sizeof hostJson, host);
    JsonString(portJson, sizeof portJson, port);
    JsonString(firmwareJson, sizeof firmwareJson, firmware);
    JsonString(stateJson, sizeof stateJson, state);
    std::snprintf(json, static_cast<std::size_t>(size),
                  "{\"state\":%s,\"station\":%s,\"port\":%s,\"simulated\":%s,"
                  "\"sensor\":{\"firmware\":%s,\"ccd_type\":%u,\"pixels\":%u,"
                  "\"virtual_pixels\":%u,\"board\":%u,\"software_version\":%u,"
                  "\"hardware_type\":%u},\"program\":\"K-VOR-PX Scope 2.42\",\"dropped\":%.0f}",
                  stateJson, hostJson, portJson, IsSimulatedComPort(com) == 1 ? "true" : "false",
                  firmwareJson, unsigned{ccdtype}, unsigned{ccdmaxpixel}, unsigned{ccdvirtpixel},
                  unsigned{pcbtype}, unsigned{softversion}, unsigned{hwtype}, dropped);
}

void MeasurementJson(char* json, int size) {
    char time[40];
    UtcTimeISO(time, sizeof time);
    // The sensor found the edges its edge evaluation needs: both for the centre, one otherwise.
    const bool valid = edcnt >= (eMode == 2 ? 2 : 1);
    std::snprintf(json, static_cast<std::size_t>(size),
                  "{\"seq\":%.0f,\"time\":\"%s\",\"value\":%u,\"size_um\":%d,\"left_edge\":%u,"
                  "\"right_edge\":%u,\"edge_count\":%u,\"setpoint\":%u,\"tolerance\":%u,"
                  "\"in_tolerance\":%s,\"unit\":\"virtual pixel\",\"valid\":%s}",
                  publishSeq, time, unsigned{Mvalue}, static_cast<int>(umValue), unsigned{Ledge},
                  unsigned{Redge}, unsigned{edcnt}, unsigned{tVal}, unsigned{tol},
                  MeasuringValueInTolerance() ? "true" : "false", valid ? "true" : "false");
}

void AlarmJson(char* json, int size) {
    char time[40];
    char text[200];
    UtcTimeISO(time, sizeof time);
    JsonString(text, sizeof text, RuleText(ccRule));
    std::snprintf(json, static_cast<std::size_t>(size),
                  "{\"seq\":%.0f,\"time\":\"%s\",\"rule\":%d,\"text\":%s,\"value\":%d,"
                  "\"unit\":\"µm\"}",
                  publishSeq, time, static_cast<int>(ccRule), text, static_cast<int>(umValue));
}

void StatisticsJson(char* json, int size) {
    char time[40];
    char f[8][32];
    const double any = statCount > 0 ? 1 : NAN;
    JsonNumber(f[0], 32, statMean * any);
    JsonNumber(f[1], 32, StatStdDev());
    JsonNumber(f[2], 32, statMin * any);
    JsonNumber(f[3], 32, statMax * any);
    JsonNumber(f[4], 32, StatCp());
    JsonNumber(f[5], 32, StatCpk());
    JsonNumber(f[6], 32, statUmMean * any);
    JsonNumber(f[7], 32, StatUmStdDev());
    UtcTimeISO(time, sizeof time);
    std::snprintf(json, static_cast<std::size_t>(size),
                  "{\"time\":\"%s\",\"n\":%.0f,\"mean\":%s,\"sigma\":%s,\"min\":%s,\"max\":%s,"
                  "\"cp\":%s,\"cpk\":%s,\"mean_um\":%s,\"sigma_um\":%s,"
                  "\"unit\":\"virtual pixel\"}",
                  time, statCount, f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7]);
}

void ParameterJson(char* json, int size, i32 event, const u16* words) {
    const char* cause = event == HISTORY_SEND_RAM || event == HISTORY_SEND_EEPROM ? "write"
                        : event == HISTORY_TEACH                                  ? "teach"
                        : event == HISTORY_STORE_CAL                              ? "calibration"
                                                                                  : "read";
    char time[40];
    char eventJson[80];
    UtcTimeISO(time, sizeof time);
    JsonString(eventJson, sizeof eventJson, HistoryEventText(event));
    int n = std::snprintf(json, static_cast<std::size_t>(size),
                          "{\"time\":\"%s\",\"cause\":\"%s\",\"event\":%s,\"store\":\"%s\","
                          "\"values\":{",
                          time, cause, eventJson, IsEepromEvent(event) ? "EEPROM" : "RAM");
    for (int i = 0; i < PNUM && n > 0 && n < size; ++i) {
        const char* name = i == 15 && TriggerInWord15() ? "trigger_mode" : kWordNames[i];
        n += std::snprintf(json + n, static_cast<std::size_t>(size - n), "%s\"%s\":%u",
                           i > 0 ? "," : "", name, unsigned{words[i]});
    }
    for (int i = 0; i < PNUM && n > 0 && n < size; ++i)
        n += std::snprintf(json + n, static_cast<std::size_t>(size - n), "%s%u",
                           i == 0 ? "},\"words\":[" : ",", unsigned{words[i]});
    if (n > 0 && n < size) std::snprintf(json + n, static_cast<std::size_t>(size - n), "]}");
}

int StartPublishing(char* error, int size) {
    StopPublishing();
    if (szPublishPrefix[0] != '\0')
        CopyText(szPublishTopic, sizeof szPublishTopic, szPublishPrefix);
    else
        DefaultPublishPrefix(szPublishTopic, sizeof szPublishTopic);
    char status[PUBLISH_TEXT_LEN + 16];
    char clientId[PUBLISH_TEXT_LEN + 16];
    char online[PUBLISH_JSON_LEN];
    char offline[PUBLISH_JSON_LEN];
    Topic(status, sizeof status, "status");
    // One connection per prefix: a second scope on the same prefix takes the session over.
    std::snprintf(clientId, sizeof clientId, "kvorscope:%s", szPublishTopic);
    StatusJson(online, sizeof online, "online", 0);
    StatusJson(offline, sizeof offline, "offline", 0);
    const PublishSettings settings{szPublishUrl,    szPublishUser, szPublishPassword,
                                   szPublishCaFile, clientId,      status,
                                   online,          offline};
    if (PublishStart(&settings, error, static_cast<std::size_t>(size)) < 0) return -1;
    CopyText(szPublishIdentity, sizeof szPublishIdentity, online);
    publishSeq = 0;
    publishStatAt = 0;
    publishDroppedTold = 0;
    if (lastParameterEvent >= 0) {
        char json[PUBLISH_JSON_LEN];
        ParameterJson(json, sizeof json, lastParameterEvent, lastParameterWords);
        Publish("parameters", json, 1);
    }
    return 0;
}

void StopPublishing() {
    PublishStop(PUBLISH_STOP_WAIT);
    szPublishIdentity[0] = '\0';
}

void RestorePublishing() {
    char on[8];
    SettingGet("publish/url", szPublishUrl, "mqtt://localhost:1883");
    SettingGet("publish/user", szPublishUser, "");
    SettingGet("publish/cafile", szPublishCaFile, "");
    SettingGet("publish/prefix", szPublishPrefix, "");
    SettingGet("publish/on", on, "0");
    SecretGet(kPasswordSecret, szPublishPassword);
    publishOn = on[0] == '1' ? 1 : 0;
    char error[PUBLISH_TEXT_LEN];
    if (publishOn == 1 && StartPublishing(error, sizeof error) < 0) publishOn = 0;
}

void PublishMeasurement() {
    PublishStatus st;
    if (PublishState(&st) == PUBLISH_OFF) return;
    publishSeq += 1;
    char json[PUBLISH_JSON_LEN];
    MeasurementJson(json, sizeof json);
    Publish("measurement", json, 0);
    if (Timer() - publishStatAt >= kStatisticsEvery) {
        PublishStatistics();
        RefreshStatus();
    }
}

void PublishAlarm() {
    PublishStatus st;
    if (ccRule == 0 || PublishState(&st) == PUBLISH_OFF) return;
    char json[PUBLISH_JSON_LEN];
    AlarmJson(json, sizeof json);
    Publish("alarm", json, 0);
}

void PublishParameterSet(i32 event, const u16* words) {
    if (words == nullptr) return;
    lastParameterEvent = event;
    std::memcpy(lastParameterWords, words, sizeof lastParameterWords);
    PublishStatus st;
    if (PublishState(&st) == PUBLISH_OFF) return;
    RefreshStatus();
    char json[PUBLISH_JSON_LEN];
    ParameterJson(json, sizeof json, event, words);
    Publish("parameters", json, 1);
}

} // namespace kvor

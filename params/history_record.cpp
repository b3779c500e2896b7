// SPDX-License-Identifier: GPL-3.0-or-later
// The history file's record: RFC 4180 CSV with '.' as decimal point, lines ending in CR LF, one
// record a line; the last field checks the line, so whatever a crash leaves of a record is
// recognised as no record.
#include "params/history_record.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace kvor {

namespace {

constexpr const char* kEventTexts[] = {
    "",         "read at link set-up", "Get RAM", "Get EEPROM",
    "Send RAM", "Send EEPROM",         "Teach",   "Store calibration"};
constexpr int kEvents = static_cast<int>(sizeof kEventTexts / sizeof kEventTexts[0]);

// time, event, set, firmware, hardware, simulated, 16 words, check
constexpr int kFields = 6 + PNUM + 1;
constexpr int kFieldLen = 2 * STATUS_LEN + 16; // a firmware text of quotes, each doubled
constexpr int kLongestFileStem = 40;

// FNV-1a: every changed or missing byte changes it.
std::uint32_t Check(const char* text, std::size_t length) {
    std::uint32_t h = 2166136261u;
    for (std::size_t i = 0; i < length; ++i) {
        h ^= static_cast<unsigned char>(text[i]);
        h *= 16777619u;
    }
    return h;
}

std::uint32_t SensorCheck(const HistorySensor& s) {
    char identity[STATUS_LEN + 8 * HISTORY_HW_WORDS + 8];
    int n = std::snprintf(identity, sizeof identity, "%s|%d", s.firmware, s.simulated);
    for (u16 w : s.hardware)
        n += std::snprintf(identity + n, sizeof identity - static_cast<std::size_t>(n), "|%u",
                           unsigned{w});
    return Check(identity, std::strlen(identity));
}

// A decimal number of 1 to `digits` digits, at most `max`.
bool ParseNumber(const char* text, int digits, long max, long* value) {
    const int n = static_cast<int>(std::strlen(text));
    if (n < 1 || n > digits) return false;
    long v = 0;
    for (int i = 0; i < n; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        v = v * 10 + (text[i] - '0');
    }
    *value = v;
    return v <= max;
}

bool ParseWord(const char* text, u16* word) {
    long v = 0;
    if (!ParseNumber(text, 5, 65535, &v)) return false;
    *word = static_cast<u16>(v);
    return true;
}

// Splits a record into its fields, quotes undone. False when the count is not kFields or a
// field is too long.
bool SplitFields(const char* line, char (&fields)[kFields][kFieldLen]) {
    int field = 0, at = 0;
    bool quoted = false;
    for (const char* p = line;; ++p) {
        const char c = *p;
        if (quoted && c == '"' && p[1] == '"') {
            ++p; // a doubled quote stands for one
        } else if (c == '"' && (quoted || at == 0)) {
            quoted = !quoted;
            continue;
        } else if (c == '\0' || (c == ',' && !quoted)) {
            if (quoted || field >= kFields) return false;
            fields[field++][at] = '\0';
            at = 0;
            if (c == '\0') return field == kFields;
            continue;
        }
        if (field >= kFields || at >= kFieldLen - 1) return false;
        fields[field][at++] = *p;
    }
}

bool ParseHardware(const char* text, u16 (&words)[HISTORY_HW_WORDS]) {
    char part[8];
    const char* p = text;
    for (u16& w : words) {
        int n = 0;
        while (*p != ' ' && *p != '\0' && n < static_cast<int>(sizeof part) - 1)
            part[n++] = *p++;
        part[n] = '\0';
        if (!ParseWord(part, &w)) return false;
        if (&w != &words[HISTORY_HW_WORDS - 1] && *p++ != ' ') return false;
    }
    return *p == '\0';
}

bool ParseTime(const char* text, char* time) {
    const int n = static_cast<int>(std::strlen(text));
    if (n < 1 || n >= HISTORY_TIME_LEN) return false;
    for (int i = 0; i < n; ++i)
        if (std::strchr("0123456789-+:.TZ", text[i]) == nullptr) return false;
    CopyText(time, HISTORY_TIME_LEN, text);
    return true;
}

// Everything after the hardware words: whether simulated, then all 16 words or none.
bool ParseSet(char (&fields)[kFields][kFieldLen], HistoryEntry* e) {
    if (std::strcmp(fields[5], "yes") != 0 && std::strcmp(fields[5], "no") != 0) return false;
    e->sensor.simulated = fields[5][0] == 'y' ? 1 : 0;
    int present = 0;
    for (int i = 0; i < PNUM; ++i) {
        if (fields[6 + i][0] == '\0') continue;
        if (!ParseWord(fields[6 + i], &e->words[i])) return false;
        ++present;
    }
    if (present != 0 && (present != PNUM || e->set == 0)) return false;
    e->stored = present == PNUM ? 1 : 0;
    e->known = e->stored;
    return true;
}

} // namespace

const char* const HISTORY_HEADER =
    "time,event,set,firmware,hardware,simulated,light power,serial output,video threshold,"
    "analog output mode,polarity,edge evaluation,left limit,right limit,setpoint,tolerance,"
    "operating mode,hardware mode,factor word (factor x M),offset word (offset + 30000),"
    "averaging,delta tolerance or trigger mode,check\r\n";

const char* HistoryEventText(i32 event) {
    return event > 0 && event < kEvents ? kEventTexts[event] : "";
}

bool IsEepromEvent(i32 event) {
    return event == HISTORY_GET_EEPROM || event == HISTORY_SEND_EEPROM;
}

bool IsRamEvent(i32 event) {
    return event != HISTORY_NONE && !IsEepromEvent(event) && event < kEvents;
}

void HistoryFirmwareText(const char* raw, char* text, int size) {
    if (text == nullptr || size < 1) return;
    int n = 0;
    for (; raw != nullptr && raw[n] != '\0' && n < size - 1; ++n) {
        const unsigned char c = static_cast<unsigned char>(raw[n]);
        text[n] = c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    }
    while (n > 0 && text[n - 1] == ' ')
        --n;
    text[n] = '\0';
}

int FormatHistoryLine(const HistoryEntry& e, char* line, int size) {
    char firmware[2 * STATUS_LEN + 3];
    int f = 0;
    firmware[f++] = '"';
    for (const char* p = e.sensor.firmware; *p != '\0' && f < 2 * STATUS_LEN; ++p) {
        if (*p == '"') firmware[f++] = '"';
        firmware[f++] = *p;
    }
    firmware[f++] = '"';
    firmware[f] = '\0';
    char set[16] = "";
    if (e.set > 0) std::snprintf(set, sizeof set, "%d", static_cast<int>(e.set));
    const u16* h = e.sensor.hardware;
    int n = std::snprintf(line, static_cast<std::size_t>(size),
                          "%s,%s,%s,%s,%u %u %u %u %u %u %u %u %u %u %u,%s", e.time,
                          HistoryEventText(e.event), set, firmware, h[0], h[1], h[2], h[3], h[4],
                          h[5], h[6], h[7], h[8], h[9], h[10], e.sensor.simulated ? "yes" : "no");
    for (int i = 0; i < PNUM && n >= 0 && n < size; ++i)
        n += e.stored ? std::snprintf(line + n, static_cast<std::size_t>(size - n), ",%u",
                                      unsigned{e.words[i]})
                      : std::snprintf(line + n, static_cast<std::size_t>(size - n), ",");
    if (n < 0 || n >= size) return -1;
    const unsigned check = Check(line, static_cast<std::size_t>(n));
    n += std::snprintf(line + n, static_cast<std::size_t>(size - n), ",%08X\r\n", check);
    return n < size ? n : -1;
}

bool ParseHistoryLine(const char* line, HistoryEntry* e) {
    char fields[kFields][kFieldLen];
    const char* lastComma = std::strrchr(line, ',');
    if (lastComma == nullptr || std::strlen(lastComma + 1) != 8) return false;
    char check[9];
    std::snprintf(check, sizeof check, "%08X",
                  Check(line, static_cast<std::size_t>(lastComma - line)));
    if (std::strcmp(check, lastComma + 1) != 0 || !SplitFields(line, fields)) return false;
    *e = HistoryEntry{};
    e->event = HISTORY_NONE;
    for (int k = 1; k < kEvents; ++k)
        if (std::strcmp(fields[1], kEventTexts[k]) == 0) e->event = k;
    long set = 0;
    if (fields[2][0] != '\0' && !ParseNumber(fields[2], 9, 999999999, &set)) return false;
    e->set = static_cast<i32>(set);
    if (std::strlen(fields[3]) > STATUS_LEN) return false;
    HistoryFirmwareText(fields[3], e->sensor.firmware, sizeof e->sensor.firmware);
    return e->event != HISTORY_NONE && ParseTime(fields[0], e->time) &&
           ParseHardware(fields[4], e->sensor.hardware) && ParseSet(fields, e);
}

void HistoryFileName(const HistorySensor& s, char* name, int size) {
    char stem[kLongestFileStem + 1];
    int n = 0;
    for (const char* p = s.firmware; *p != '\0' && n < kLongestFileStem; ++p) {
        const char c = *p;
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.';
        stem[n++] = plain ? c : '_';
    }
    stem[n] = '\0';
    std::snprintf(name, static_cast<std::size_t>(size), "%s%s-%08X.csv",
                  s.simulated ? "simulated-" : "", n > 0 ? stem : "unidentified",
                  static_cast<unsigned>(SensorCheck(s)));
}

void HistorySensorLabel(const HistorySensor& s, char* text, int size) {
    std::snprintf(text, static_cast<std::size_t>(size), "%s\nCCD type %u, %u pixels%s",
                  s.firmware[0] != '\0' ? s.firmware : "(no firmware text)",
                  unsigned{s.hardware[0]}, unsigned{s.hardware[4]},
                  s.simulated ? " · simulated" : "");
}

} // namespace kvor

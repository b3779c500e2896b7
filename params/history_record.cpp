// SPDX-License-Identifier: GPL-3.0-or-later
// The history file's record: RFC 4180 CSV with '.' as decimal point, lines ending in CR LF, one
// record a line; the last field checks the line, so whatever a crash leaves of a record is
// recognised as no record.
#include "params/history_record.h"
#include "runtime/runtime.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "link/identify.h"

namespace kvor {

namespace {

constexpr const char* kEventTexts[] = {"",
                                       N_("read at link set-up"),
                                       N_("Get RAM"),
                                       N_("Get EEPROM"),
                                       N_("Send RAM"),
                                       N_("Send EEPROM"),
                                       N_("Teach"),
                                       N_("Store calibration")};
constexpr int kEvents = static_cast<int>(sizeof kEventTexts / sizeof kEventTexts[0]);

// time, event, set, firmware, hardware, simulated, station, 16 words, check; the records
// written before stations were kept have no station field.
constexpr int kFields = 7 + PNUM + 1;
constexpr int kFieldsWithoutStation = kFields - 1;
// a firmware text or a station of quotes, each doubled
constexpr int kFieldLen =
    2 * (STATUS_LEN > HISTORY_STATION_LEN ? STATUS_LEN : HISTORY_STATION_LEN) + 16;
constexpr int kLongestFileStem = 40;
constexpr int kLongestStationStem = 24;

constexpr const char* kHeaderWithoutStation =
    "time,event,set,firmware,hardware,simulated,light power,serial output,video threshold,"
    "analog output mode,polarity,edge evaluation,left limit,right limit,setpoint,tolerance,"
    "operating mode,hardware mode,factor word (factor x M),offset word (offset + 30000),"
    "averaging,delta tolerance or trigger mode,check";

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

// Splits a record into its fields, quotes undone. Returns their count, or -1 when there are
// more than kFields or a field is too long.
int SplitFields(const char* line, char (&fields)[kFields][kFieldLen]) {
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
            if (quoted || field >= kFields) return -1;
            fields[field++][at] = '\0';
            at = 0;
            if (c == '\0') return field;
            continue;
        }
        if (field >= kFields || at >= kFieldLen - 1) return -1;
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

// A text field as the history keeps it: printable ASCII of at most `longest` characters.
bool ParseText(const char* field, int longest, char* text, int size) {
    if (static_cast<int>(std::strlen(field)) > longest) return false;
    HistoryFirmwareText(field, text, size);
    return true;
}

// Everything after the hardware words: whether simulated, the station (when the record has
// one), then all 16 words or none.
bool ParseSet(char (&fields)[kFields][kFieldLen], int count, HistoryEntry* e) {
    if (std::strcmp(fields[5], "yes") != 0 && std::strcmp(fields[5], "no") != 0) return false;
    e->sensor.simulated = fields[5][0] == 'y' ? 1 : 0;
    const int first = count == kFields ? 7 : 6;
    if (count == kFields &&
        !ParseText(fields[6], HISTORY_STATION_LEN, e->sensor.station, sizeof e->sensor.station))
        return false;
    int present = 0;
    for (int i = 0; i < PNUM; ++i) {
        if (fields[first + i][0] == '\0') continue;
        if (!ParseWord(fields[first + i], &e->words[i])) return false;
        ++present;
    }
    if (present != 0 && (present != PNUM || e->set == 0)) return false;
    e->stored = present == PNUM ? 1 : 0;
    e->known = e->stored;
    return true;
}

// A text field in quotes, each quote in it doubled.
void QuoteField(const char* text, char* out, int size) {
    int n = 0;
    out[n++] = '"';
    for (const char* p = text; *p != '\0' && n < size - 3; ++p) {
        if (*p == '"') {
            if (n >= size - 4) break;
            out[n++] = '"';
        }
        out[n++] = *p;
    }
    out[n++] = '"';
    out[n] = '\0';
}

// Letters, digits, '-' and '.' as they are, every other character '_'.
int SafeStem(const char* text, char* stem, int longest) {
    int n = 0;
    for (const char* p = text; *p != '\0' && n < longest; ++p) {
        const char c = *p;
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.';
        stem[n++] = plain ? c : '_';
    }
    stem[n] = '\0';
    return n;
}

} // namespace

const char* const HISTORY_HEADER =
    "time,event,set,firmware,hardware,simulated,station,light power,serial output,video threshold,"
    "analog output mode,polarity,edge evaluation,left limit,right limit,setpoint,tolerance,"
    "operating mode,hardware mode,factor word (factor x M),offset word (offset + 30000),"
    "averaging,delta tolerance or trigger mode,check\r\n";

bool IsHistoryHeader(const char* line) {
    const std::size_t n = std::strlen(line);
    return (std::strncmp(line, HISTORY_HEADER, n) == 0 &&
            std::strcmp(HISTORY_HEADER + n, "\r\n") == 0) ||
           std::strcmp(line, kHeaderWithoutStation) == 0;
}

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
    char station[2 * HISTORY_STATION_LEN + 3];
    QuoteField(e.sensor.firmware, firmware, sizeof firmware);
    QuoteField(e.sensor.station, station, sizeof station);
    char set[16] = "";
    if (e.set > 0) std::snprintf(set, sizeof set, "%d", static_cast<int>(e.set));
    const u16* h = e.sensor.hardware;
    int n = std::snprintf(
        line, static_cast<std::size_t>(size), "%s,%s,%s,%s,%u %u %u %u %u %u %u %u %u %u %u,%s,%s",
        e.time, HistoryEventText(e.event), set, firmware, h[0], h[1], h[2], h[3], h[4], h[5], h[6],
        h[7], h[8], h[9], h[10], e.sensor.simulated ? "yes" : "no", station);
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
    if (std::strcmp(check, lastComma + 1) != 0) return false;
    const int count = SplitFields(line, fields);
    if (count != kFields && count != kFieldsWithoutStation) return false;
    *e = HistoryEntry{};
    e->event = HISTORY_NONE;
    for (int k = 1; k < kEvents; ++k)
        if (std::strcmp(fields[1], kEventTexts[k]) == 0) e->event = k;
    long set = 0;
    if (fields[2][0] != '\0' && !ParseNumber(fields[2], 9, 999999999, &set)) return false;
    e->set = static_cast<i32>(set);
    if (!ParseText(fields[3], STATUS_LEN, e->sensor.firmware, sizeof e->sensor.firmware))
        return false;
    return e->event != HISTORY_NONE && ParseTime(fields[0], e->time) &&
           ParseHardware(fields[4], e->sensor.hardware) && ParseSet(fields, count, e);
}

void HistoryFileName(const HistorySensor& s, char* name, int size) {
    char stem[kLongestFileStem + 1];
    const int n = SafeStem(s.firmware, stem, kLongestFileStem);
    const auto room = static_cast<std::size_t>(size);
    const char* simulated = s.simulated ? "simulated-" : "";
    const char* firmware = n > 0 ? stem : N_("unidentified");
    const auto identity = static_cast<unsigned>(SensorCheck(s));
    if (s.station[0] == '\0') {
        std::snprintf(name, room, "%s%s-%08X.csv", simulated, firmware, identity);
        return;
    }
    // The end of a station names it best ("...-port0", "...A50285BI", "/dev/ttyUSB0").
    const int length = static_cast<int>(std::strlen(s.station));
    char station[kLongestStationStem + 1];
    SafeStem(s.station + (length > kLongestStationStem ? length - kLongestStationStem : 0), station,
             kLongestStationStem);
    std::snprintf(name, room, "%s%s-%08X@%s-%08X.csv", simulated, firmware, identity, station,
                  static_cast<unsigned>(Check(s.station, static_cast<std::size_t>(length))));
}

void HistorySensorLabel(const HistorySensor& s, char* text, int size) {
    const u16* h = s.hardware;
    char pixels[96];
    PixelCountsText(h[1], h[5], h[4], pixels, sizeof pixels);
    const bool known = s.station[0] != '\0';
    std::snprintf(text, static_cast<std::size_t>(size), "%s\nCCD type %u%s\n%s\n%s%s",
                  s.firmware[0] != '\0' ? s.firmware : "(no firmware text)", unsigned{h[0]},
                  s.simulated ? N_(" · simulated") : "", pixels,
                  known ? "at " : N_("station not known"), s.station);
}

} // namespace kvor

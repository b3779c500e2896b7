// SPDX-License-Identifier: GPL-3.0-or-later
// The history window over the files of the history folder.
#include "params/history_window.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "params/frame_map.h"
#include "params/history.h"
#include "params/panel_map.h"
#include "params/para_file.h"
#include "params/transfer.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/time_stamp.h"
#include "wire/protocol.h"

namespace kvor {

inline constexpr int HISTORY_MAX_SENSORS = 64;
inline constexpr int HISTORY_MAX_ENTRIES = 1000; // the newest of a sensor's file

i32 pHistory = 0;
i32 historyShown = 0;
// The sensors of the history folder, newest first: their files and what each holds.
char historyFiles[HISTORY_MAX_SENSORS][PATH_LEN];
HistorySummary historySensors[HISTORY_MAX_SENSORS];
i32 historySensorCount = 0;
char historyChosenFile[PATH_LEN] = "";
HistorySummary historyChosen = {}; // what the chosen file holds
// The chosen sensor's entries, oldest first.
HistoryEntry historyEntries[HISTORY_MAX_ENTRIES];
i32 historyEntryCount = 0;
// What Read sensor read: RAM, then EEPROM.
u16 historyRead[2][PNUM];
i32 historyReadKnown[2] = {0, 0};

namespace {

constexpr int kMarked = 0xFFD966; // the cell differs from the panel
constexpr int kPlain = 0xFFFFFF;

void ShowState(const char* text) {
    SetCtrlVal(pHistory, HIST_STATE, text);
}

// "2026-12-08 09:41:05" of a record's time.
void ShortTime(const char* iso, char* text, int size) {
    CopyText(text, size < 20 ? size : 20, iso);
    if (char* t = std::strchr(text, 'T')) *t = ' ';
}

int WordControl(int word) {
    static const int controls[PNUM] = {
        MAIN_POWER,     MAIN_RS232MODE,  MAIN_THRESHOLD, MAIN_ANAMODE,   MAIN_POLARITY, MAIN_EMODE,
        MAIN_EDGE_LEFT, MAIN_EDGE_RIGHT, MAIN_SETPOINT,  MAIN_TOLERANCE, MAIN_OPMODE,   MAIN_HWMODE,
        POP_FACTOR,     POP_OFFSET,      MAIN_AVERAGE,   MAIN_DELTATOL};
    if (word == 15 && TriggerInWord15()) return MAIN_TRIGMODE;
    return controls[word];
}

// A word as the panel shows it: the factor (on the scale `multiplier` of the sensor the word
// belongs to) and the offset as the pop-up does, a ring's or a switch's text, any other word as
// its number.
void FormatWord(int word, u16 value, int multiplier, char* text, int size) {
    const auto room = static_cast<std::size_t>(size);
    if (word == 12)
        std::snprintf(text, room, "%.6f",
                      static_cast<double>(static_cast<float>(value / double(multiplier))));
    else if (word == 13)
        std::snprintf(text, room, "%.1f",
                      static_cast<double>(static_cast<float>(static_cast<i32>(value) - YOFFSET)));
    else if (GetLabelFromValue(pHandle, WordControl(word), value, text, room) != 0)
        std::snprintf(text, room, "%u", unsigned{value});
}

// One column of the table, in the units of the sensor of CCD type `ccdType`; words null shows a
// dash. A value that differs from the panel's is marked in colour, in bold and with "≠", so
// that no one needs the colour to see it.
void ShowColumn(int column, const u16* words, const u16* panel, u16 ccdType) {
    for (int w = 0; w < PNUM; ++w) {
        char shown[64];
        char text[80] = "–";
        const bool differs = words != nullptr && column != HIST_COL_PANEL && words[w] != panel[w];
        if (words != nullptr) {
            FormatWord(w, words[w], SlopeMultiplierOf(ccdType), shown, sizeof shown);
            std::snprintf(text, sizeof text, "%s%s", differs ? "≠ " : "", shown);
        }
        SetTableCellVal(pHistory, HIST_TABLE, w, column, text);
        SetTableCellAttribute(pHistory, HIST_TABLE, w, column, ATTR_TEXT_BGCOLOR,
                              differs ? kMarked : kPlain);
        SetTableCellAttribute(pHistory, HIST_TABLE, w, column, ATTR_TEXT_BOLD, differs ? 1 : 0);
    }
}

const HistoryEntry* ChosenEntry() {
    i32 k = -1;
    GetCtrlVal(pHistory, HIST_ENTRIES, &k);
    return k >= 0 && k < historyEntryCount ? &historyEntries[k] : nullptr;
}

void ShowTable() {
    u16 panel[PNUM];
    ReadPanelWords(panel);
    const HistoryEntry* entry = ChosenEntry();
    const bool known = entry != nullptr && entry->known != 0;
    // Each entry in its own sensor's units; the panel and the reads are the connected sensor's.
    ShowColumn(HIST_COL_PANEL, panel, panel, ccdtype);
    ShowColumn(HIST_COL_ENTRY, known ? entry->words : nullptr, panel,
               known ? entry->sensor.hardware[0] : ccdtype);
    ShowColumn(HIST_COL_RAM, historyReadKnown[0] ? historyRead[0] : nullptr, panel, ccdtype);
    ShowColumn(HIST_COL_EEPROM, historyReadKnown[1] ? historyRead[1] : nullptr, panel, ccdtype);
    SetCtrlAttribute(pHistory, HIST_LOAD, ATTR_DIMMED, known ? 0 : 1);
    SetCtrlAttribute(pHistory, HIST_SAVE, ATTR_DIMMED, known ? 0 : 1);
}

// Puts sensor `from` in its place among those before it, newest first.
void SortIn(int from) {
    for (int k = from; k > 0; --k) {
        if (std::strcmp(historySensors[k].newest.time, historySensors[k - 1].newest.time) <= 0)
            return;
        std::swap(historySensors[k], historySensors[k - 1]);
        std::swap(historyFiles[k], historyFiles[k - 1]);
    }
}

// Every file of the history folder with something to show: entries, or lines that are none.
void ListSensors() {
    historySensorCount = 0;
    char dir[PATH_LEN];
    char pattern[PATH_LEN + 8];
    char name[PATH_LEN];
    if (!HistoryFolder(dir)) return;
    std::snprintf(pattern, sizeof pattern, "%s/*.csv", dir);
    for (int found = GetFirstFile(pattern, name, sizeof name);
         found == 0 && historySensorCount < HISTORY_MAX_SENSORS;
         found = GetNextFile(name, sizeof name)) {
        char* path = historyFiles[historySensorCount];
        HistorySummary& summary = historySensors[historySensorCount];
        if (std::snprintf(path, PATH_LEN, "%s/%s", dir, name) >= PATH_LEN) continue;
        if (ReadHistoryFile(path, nullptr, 0, &summary) < 0) continue;
        if (summary.entries == 0 && summary.leftOut == 0) continue;
        SortIn(historySensorCount++);
    }
}

// A sensor's item: the sensor, its station, its newest entry; or why a file shows none.
void SensorItem(int k, bool linked, char* label, int size) {
    const HistorySummary& s = historySensors[k];
    const auto room = static_cast<std::size_t>(size);
    const char* name = std::strrchr(historyFiles[k], '/');
    name = name != nullptr ? name + 1 : historyFiles[k];
    if (IsNotHistory(s)) {
        std::snprintf(label, room, Tr("%s\nnot a parameter history: left as it is"), name);
        return;
    }
    if (s.entries == 0) {
        std::snprintf(label, room, Tr("%s\nno whole record: %d damaged lines left out"), name,
                      static_cast<int>(s.leftOut));
        return;
    }
    char sensor[HISTORY_STATION_LEN + STATUS_LEN + 160];
    char when[HISTORY_TIME_LEN];
    HistorySensorLabel(s.newest.sensor, sensor, sizeof sensor);
    ShortTime(s.newest.time, when, sizeof when);
    std::snprintf(label, room, Tr("%s%s\nlast %s%s"), sensor, linked ? Tr(" · on the line") : "",
                  when, s.eeprom ? "" : Tr(" · no EEPROM backup yet"));
}

// The list of sensors; the one chosen before stays chosen, else the sensor on the link, else the
// newest. Returns the index chosen, -1 with none.
int ShowSensors() {
    char dir[PATH_LEN] = "";
    char name[HISTORY_NAME_LEN];
    char onLink[PATH_LEN + HISTORY_NAME_LEN] = "";
    HistoryFileName(historySensor, name, sizeof name);
    if (HistoryFolder(dir)) std::snprintf(onLink, sizeof onLink, "%s/%s", dir, name);
    ClearListCtrl(pHistory, HIST_SENSORS);
    int onLinkAt = -1, chosenAt = -1;
    for (int k = historySensorCount - 1; k >= 0; --k) {
        char label[PATH_LEN + 400];
        const bool linked = std::strcmp(historyFiles[k], onLink) == 0;
        SensorItem(k, linked, label, sizeof label);
        InsertListItem(pHistory, HIST_SENSORS, 0, label, k);
        if (linked) onLinkAt = k;
        if (std::strcmp(historyFiles[k], historyChosenFile) == 0) chosenAt = k;
    }
    const int chosen = chosenAt >= 0            ? chosenAt
                       : onLinkAt >= 0          ? onLinkAt
                       : historySensorCount > 0 ? 0
                                                : -1;
    if (chosen >= 0) SetCtrlVal(pHistory, HIST_SENSORS, chosen);
    return chosen;
}

// What the chosen file lost and whether it holds an EEPROM backup, in a few words each.
void ShowFileState() {
    const HistorySummary& s = historyChosen;
    char damage[160] = "";
    const char* backup = "";
    if (historyChosenFile[0] != '\0' && IsNotHistory(s)) {
        CopyText(damage, sizeof damage,
                 N_("Not a parameter history: nothing is read from it or added to it"));
    } else if (historyChosenFile[0] != '\0') {
        int n = 0;
        if (s.leftOut > 0)
            n = std::snprintf(damage, sizeof damage, Tr("%d damaged line%s left out"),
                              static_cast<int>(s.leftOut), s.leftOut == 1 ? "" : "s");
        if (s.lost > 0)
            std::snprintf(damage + n, sizeof damage - static_cast<std::size_t>(n),
                          Tr("%s%d entr%s lost %s words (marked “words lost”)"), n > 0 ? " · " : "",
                          static_cast<int>(s.lost), s.lost == 1 ? "y" : "ies",
                          s.lost == 1 ? "its" : "their");
        if (s.eeprom == 0)
            backup = s.eepromLost != 0 ? Tr("EEPROM backup lost with a damaged line — Read sensor")
                     : s.leftOut > 0   ? Tr("no EEPROM backup known — Read sensor")
                                       : Tr("no EEPROM backup yet — Read sensor");
    }
    SetCtrlVal(pHistory, HIST_BACKUP, backup);
    SetCtrlVal(pHistory, HIST_DAMAGE, damage);
}

// The chosen sensor's entries, newest first and the newest picked.
void ListEntries() {
    ClearListCtrl(pHistory, HIST_ENTRIES);
    for (int k = 0; k < historyEntryCount; ++k) {
        const HistoryEntry& e = historyEntries[k];
        char when[HISTORY_TIME_LEN];
        char label[120] = "";
        ShortTime(e.time, when, sizeof when);
        std::snprintf(label, sizeof label, Tr("%s  %s  · set %d%s"), when,
                      Tr(HistoryEventText(e.event)), static_cast<int>(e.set),
                      e.stored ? ""
                      : e.lost ? Tr(", words lost")
                               : Tr(" again"));
        InsertListItem(pHistory, HIST_ENTRIES, 0, label, k);
    }
    if (historyEntryCount > 0) SetCtrlVal(pHistory, HIST_ENTRIES, historyEntryCount - 1);
    ShowFileState();
}

// Reads the chosen sensor's file and lists its entries.
void ShowEntries(int sensor) {
    historyEntryCount = 0;
    historyChosen = HistorySummary{};
    historyChosenFile[0] = '\0';
    if (sensor >= 0) {
        CopyText(historyChosenFile, sizeof historyChosenFile, historyFiles[sensor]);
        historyEntryCount = ReadHistoryFile(historyFiles[sensor], historyEntries,
                                            HISTORY_MAX_ENTRIES, &historyChosen);
        historyEntryCount = historyEntryCount < 0 ? 0 : historyEntryCount;
    }
    ListEntries();
}

void ShowHistoryWindow() {
    ListSensors();
    ShowEntries(ShowSensors());
    ShowTable();
    if (historyEnded != 0) ShowState(szHistoryProblem);
}

} // namespace

void RefreshHistoryWindow() {
    if (historyShown != 0) ShowHistoryWindow();
}

void HistoryRecorded(const char* path, const HistorySummary& summary) {
    if (historyShown == 0) return;
    int k = 0;
    while (k < historySensorCount && std::strcmp(historyFiles[k], path) != 0)
        ++k;
    if (k == historySensorCount) {
        if (k == HISTORY_MAX_SENSORS) {
            ShowHistoryWindow();
            return;
        }
        CopyText(historyFiles[k], PATH_LEN, path);
        ++historySensorCount;
    }
    historySensors[k] = summary;
    SortIn(k);
    const bool chosen = std::strcmp(path, historyChosenFile) == 0;
    if (chosen) {
        // The oldest entry kept makes room for the newest.
        if (historyEntryCount == HISTORY_MAX_ENTRIES)
            std::copy(historyEntries + 1, historyEntries + HISTORY_MAX_ENTRIES, historyEntries);
        historyEntryCount = std::min(historyEntryCount + 1, HISTORY_MAX_ENTRIES);
        historyEntries[historyEntryCount - 1] = summary.newest;
        historyChosen = summary;
    }
    const int shown = ShowSensors();
    if (chosen)
        ListEntries();
    else if (historyChosenFile[0] == '\0')
        ShowEntries(shown);
    ShowTable();
}

void ForgetSensorReads() {
    historyReadKnown[0] = 0;
    historyReadKnown[1] = 0;
}

void DiscardHistoryWindow() {
    historyShown = 0;
    DiscardWindow(&pHistory);
}

KVOR_CALLBACK(CC_BTNHistory) {
    if (event != EVENT_COMMIT) return 0;
    if (LoadWindow(&pHistory, HISTORY_PANEL_RESOURCE) == 0) return 0;
    historyShown = 1;
    historyChosenFile[0] = '\0'; // the window opens on the sensor on the line
    ShowHistoryWindow();
    DisplayPanel(pHistory);
    return 0;
}

KVOR_CALLBACK(CC_HistorySensor) {
    if (event != EVENT_VAL_CHANGED) return 0;
    i32 k = -1;
    GetCtrlVal(pHistory, HIST_SENSORS, &k);
    ShowEntries(k >= 0 && k < historySensorCount ? k : -1);
    ShowTable();
    return 0;
}

KVOR_CALLBACK(CC_HistoryEntry) {
    if (event == EVENT_VAL_CHANGED) ShowTable();
    return 0;
}

// The entry goes onto the panel the way Get puts a parameter file there, range rules included;
// nothing is sent.
KVOR_CALLBACK(CC_HistoryLoad) {
    if (event != EVENT_COMMIT) return 0;
    const HistoryEntry* entry = ChosenEntry();
    if (entry == nullptr || entry->known == 0) return 0;
    std::uint32_t words[PNUM];
    for (int i = 0; i < PNUM; ++i)
        words[i] = entry->words[i];
    char text[160];
    char when[HISTORY_TIME_LEN];
    ShortTime(entry->time, when, sizeof when);
    std::snprintf(text, sizeof text,
                  Tr("On the panel: %s of %s. Nothing is sent until you press Send."),
                  Tr(HistoryEventText(entry->event)), when);
    TakeParaWords(words);
    PushGET(DATFILE);
    ShowTable();
    ShowState(text);
    return 0;
}

KVOR_CALLBACK(CC_HistorySave) {
    if (event != EVENT_COMMIT) return 0;
    const HistoryEntry* entry = ChosenEntry();
    if (entry == nullptr || entry->known == 0) return 0;
    u16 words[PNUM];
    std::copy(entry->words, entry->words + PNUM, words);
    char path[PATH_LEN];
    if (AskSavePath("KVORpara", "dat", Tr("K-VOR-PX-Series Parameter File"), path) <= 0) return 0;
    char text[PATH_LEN + 40];
    const bool saved = WriteParaFile(path, words) >= 0;
    std::snprintf(text, sizeof text,
                  saved ? Tr("Saved: %s") : Tr("Error writing parameter file! %s"), path);
    ShowState(text);
    return 0;
}

// RAM and EEPROM read into the window's own columns: the panel and the parameter variables stay
// as they are; the reads go into the history like every other.
KVOR_CALLBACK(CC_HistoryReadSensor) {
    if (event != EVENT_COMMIT) return 0;
    ForgetSensorReads();
    ShowTable();
    const i32 commands[2] = {protocol::CMD_READ_RAM, protocol::CMD_READ_EEPROM};
    const i32 events[2] = {HISTORY_GET_RAM, HISTORY_GET_EEPROM};
    for (int k = 0; k < 2; ++k) {
        if (ReadParameterFrame(commands[k], events[k]) != 1) break;
        std::copy(pp, pp + PNUM, historyRead[k]);
        historyReadKnown[k] = 1;
    }
    char time[HISTORY_TIME_LEN];
    char text[120];
    LocalTimeISO(time, sizeof time);
    if (historyReadKnown[1] != 0) {
        SetStatusText(N_("Parameter-frame received! - Line Ok!"));
        std::snprintf(text, sizeof text,
                      Tr("RAM and EEPROM of the sensor on the line, read at %.8s"), time + 11);
    } else {
        std::snprintf(text, sizeof text, Tr("Read sensor: %s (%s)"),
                      historyReadKnown[0] != 0 ? N_("RAM read, EEPROM no answer") : "no answer",
                      szStatus);
    }
    ShowStatus();
    if (historyShown != 0) ShowHistoryWindow();
    ShowState(text);
    return 0;
}

int CC_HISTORY_PANEL(int, int event, void*, int, int) {
    if (event != EVENT_CLOSE) return 0;
    historyShown = 0;
    HidePanel(pHistory);
    return 0;
}

} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// Keeping the parameter history. Each record is appended in one write and synced to the disk
// before the file is closed; the file is read again before every record, so the set numbers go
// on from what the file holds, whoever wrote it last.
#include "params/history.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "live/publish.h"
#include "params/history_window.h"
#include "state/time_stamp.h"
#include "ui/runtime.h"

namespace kvor {

i32 historyCause = HISTORY_NONE;
i32 historyLink = 0;
i32 historyEnded = 0;
HistorySensor historySensor = {};
u16 historyRam[PNUM] = {};
i32 historyRamKnown = 0;
char szHistoryProblem[PATH_LEN + 80] = "";

namespace {

void ShowHistoryProblem(void*) {
    ShowStatusLiteral(szHistoryProblem);
}

// The first failure ends the history for this run; the operator is told once, after what the
// operation itself shows.
void EndHistory(int code, const char* path) {
    historyEnded = 1;
    std::snprintf(szHistoryProblem, sizeof szHistoryProblem, "Parameter history stopped (%s): %s",
                  FileFailureText(code), path);
    PostDeferredCall(ShowHistoryProblem, nullptr);
}

bool SensorFilePath(char (&path)[PATH_LEN]) {
    char dir[PATH_LEN];
    char name[96];
    if (!HistoryFolder(dir)) return false;
    HistoryFileName(historySensor, name, sizeof name);
    return std::snprintf(path, sizeof path, "%s/%s", dir, name) < static_cast<int>(sizeof path);
}

// Appends one record (behind the column names when the file has no line yet) in a single
// write, synced when the file closes.
int AppendRecord(const char* path, const HistoryEntry& entry, bool withHeader) {
    char text[HISTORY_LINE_LEN * 2] = "";
    if (withHeader) CopyText(text, sizeof text, HISTORY_HEADER);
    const int used = static_cast<int>(std::strlen(text));
    if (FormatHistoryLine(entry, text + used, static_cast<int>(sizeof text) - used) < 0)
        return kFileErrWrite;
    const int file = OpenTextFile(path, VAL_APPEND);
    if (file <= 0) return kFileErrOpen;
    const int written = WriteTextFile(file, text);
    const int closed = CloseTextFile(file);
    return written < 0 ? written : closed;
}

void NoteRamSet(i32 event, const u16* words) {
    if (!IsRamEvent(event)) return;
    // A teach whose read-back got no answer has changed the setpoint unseen.
    historyRamKnown = words != nullptr ? 1 : (event == HISTORY_TEACH ? 0 : historyRamKnown);
    if (words != nullptr) std::copy_n(words, PNUM, historyRam);
}

} // namespace

void ResetHistory() {
    historyCause = HISTORY_NONE;
    historyEnded = 0;
    szHistoryProblem[0] = '\0';
    HistoryLinkStarted();
}

void HistoryLinkStarted() {
    ++historyLink;
    historySensor = HistorySensor{};
    historyRamKnown = 0;
    ForgetSensorReads();
}

void HistorySensorIdentified(int hardwareKnown) {
    HistoryFirmwareText(szVersion, historySensor.firmware, sizeof historySensor.firmware);
    historySensor.simulated = IsSimulatedComPort(com) == 1 ? 1 : 0;
    const u16 words[HISTORY_HW_WORDS] = {ccdtype,      ccdmaxpixel, ccdresolution, pcbtype,
                                         ccdvirtpixel, ccdsubpixel, ccdpixB,       ccdpixE,
                                         softversion,  hwtype,      adcmax};
    for (int i = 0; i < HISTORY_HW_WORDS; ++i)
        historySensor.hardware[i] = hardwareKnown != 0 ? words[i] : u16{0};
}

i32 TakeHistoryCause(i32 get) {
    const i32 event = historyCause != HISTORY_NONE ? historyCause : get;
    historyCause = HISTORY_NONE;
    return event;
}

void RecordParameterSet(i32 event, const u16* words) {
    NoteRamSet(event, words);
    if (words == nullptr) return;
    PublishParameterSet(event, words);
    if (event != HISTORY_GET_RAM && event != HISTORY_GET_EEPROM && event != HISTORY_LINK_SETUP)
        ForgetSensorReads();
    if (historyEnded != 0) return;
    char path[PATH_LEN];
    if (!SensorFilePath(path)) {
        EndHistory(kFileErrOpen, "no history folder");
        return;
    }
    HistorySummary before;
    const bool readable = ReadHistoryFile(path, nullptr, 0, &before) >= 0;
    HistoryEntry entry{};
    LocalTimeISO(entry.time, sizeof entry.time);
    entry.event = event;
    entry.sensor = historySensor;
    entry.known = words != nullptr ? 1 : 0;
    if (entry.known) std::copy_n(words, PNUM, entry.words);
    const HistoryEntry& last = before.newest;
    const bool same = before.entries > 0 && last.known && entry.known &&
                      std::equal(entry.words, entry.words + PNUM, last.words);
    entry.set = !entry.known ? 0 : same ? last.set : before.lastSet + 1;
    entry.stored = entry.known && !same ? 1 : 0;
    const int result = AppendRecord(path, entry, !readable || before.lines == 0);
    if (result < 0) EndHistory(result, path);
    RefreshHistoryWindow();
}

void RecordCalibrationStore(u16 slopeWord, u16 intersectWord, i32 link) {
    if (historyRamKnown == 0 || link != historyLink) return;
    u16 words[PNUM];
    std::copy_n(historyRam, PNUM, words);
    words[12] = slopeWord;
    words[13] = intersectWord;
    RecordParameterSet(HISTORY_STORE_CAL, words);
}

bool HistoryFolder(char (&dir)[PATH_LEN]) {
    return GetUserDataDir("history", dir) == 0;
}

int ReadHistoryFile(const char* path, HistoryEntry* keep, int max, HistorySummary* summary) {
    *summary = HistorySummary{};
    const int file = OpenTextFile(path, VAL_READ_ONLY);
    if (file <= 0) return -1;
    char line[HISTORY_LINE_LEN];
    HistoryEntry entry;
    u16 setWords[PNUM] = {};
    i32 setOfWords = 0;
    while (ReadTextLine(file, line) >= 0) {
        ++summary->lines;
        if (!ParseHistoryLine(line, &entry)) continue;
        // An entry that does not store its set has the set of the entry before it.
        if (entry.stored) {
            setOfWords = entry.set;
            std::copy_n(entry.words, PNUM, setWords);
        } else if (entry.set != 0 && entry.set == setOfWords) {
            std::copy_n(setWords, PNUM, entry.words);
            entry.known = 1;
        }
        summary->lastSet = std::max(summary->lastSet, entry.set);
        if (IsEepromEvent(entry.event) && entry.known) summary->eeprom = 1;
        if (max > 0) keep[summary->entries % max] = entry;
        ++summary->entries;
        summary->newest = entry;
    }
    CloseTextFile(file);
    if (max <= 0) return 0;
    const int kept = std::min(summary->entries, max);
    // The ring of the newest `max` starts with the oldest of them.
    if (summary->entries > max) std::rotate(keep, keep + summary->entries % max, keep + max);
    return kept;
}

} // namespace kvor

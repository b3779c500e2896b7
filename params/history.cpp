// SPDX-License-Identifier: GPL-3.0-or-later
// Keeping the parameter history. Each record is appended in one write and synced to the disk
// while the file is locked; before it, the scan of the file goes on from where the last record
// left it, so the set numbers go on from what the file holds, whoever wrote it last.
#include "params/history.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "live/publish.h"
#include "params/history_window.h"
#include "runtime/runtime.h"
#include "state/time_stamp.h"

namespace kvor {

i32 historyCause = HISTORY_NONE;
i32 historyLink = 0;
i32 historyEnded = 0;
HistorySensor historySensor = {};
i32 historySensorChanges = 0;
u16 historyRam[PNUM] = {};
i32 historyRamKnown = 0;
char szHistoryProblem[PATH_LEN + 80] = "";
// The file the last record went to and how far it is known: one scan goes on from record to
// record while no one else changes what it read.
char historyScanFile[PATH_LEN] = "";
HistoryScan historyScan = {};
i32 historyScanKnown = 0;
i32 historyScanRestarted = 0; // 1 when the last record had to read its file from the start

namespace {

constexpr double kLockWaitSeconds = 2.0;
constexpr const char* kNotHistory = "not a parameter history, left as it is";

void ShowHistoryProblem(void*) {
    ShowStatusLiteral(szHistoryProblem);
}

// The first failure ends the history for this run; the operator is told once, after what the
// operation itself shows.
void EndHistory(const char* why, const char* path) {
    historyEnded = 1;
    historyScanKnown = 0;
    std::snprintf(szHistoryProblem, sizeof szHistoryProblem,
                  N_("Parameter history stopped (%s): %s"), why, path);
    PostDeferredCall(ShowHistoryProblem, nullptr);
}

bool SensorFilePath(char (&path)[PATH_LEN]) {
    char dir[PATH_LEN];
    char name[HISTORY_NAME_LEN];
    if (!HistoryFolder(dir)) return false;
    HistoryFileName(historySensor, name, sizeof name);
    return std::snprintf(path, sizeof path, "%s/%s", dir, name) < static_cast<int>(sizeof path);
}

// Brings the scan of the locked file up to its end: from where the last record left it while
// the file still holds what was read, else from its start.
int CatchUp(int file, const char* path) {
    const long long size = LockedFileSize(file);
    if (size < 0) return static_cast<int>(size);
    if (historyScanKnown == 0 || std::strcmp(historyScanFile, path) != 0 ||
        !HistoryScanHolds(file, size, historyScan)) {
        historyScan = HistoryScan{};
        historyScan.endsInLine = 1;
        historyScanRestarted = 1;
        CopyText(historyScanFile, sizeof historyScanFile, path);
    }
    historyScanKnown = 0;
    const int read = ScanHistory(file, size, &historyScan, nullptr, 0);
    historyScanKnown = read == 0 ? 1 : 0;
    return read;
}

// The entry's set: the newest entry's when the words are that set's, else the next number.
void NumberSet(HistoryEntry* entry) {
    const HistorySummary& before = historyScan.summary;
    const HistoryEntry& last = before.newest;
    const bool same = before.entries > 0 && last.known &&
                      std::equal(entry->words, entry->words + PNUM, last.words);
    entry->set = same ? last.set : before.lastSet + 1;
    entry->stored = same ? 0 : 1;
}

// Appends one record in a single write (behind the column names in a new file, on a line of its
// own behind a line a crash cut short), all under the file's lock. Returns 0, a file failure,
// or 1 when the file is no parameter history.
int AppendRecord(const char* path, HistoryEntry* entry) {
    const int file = OpenLockedFile(path, 1, kLockWaitSeconds);
    if (file <= 0) return file < 0 ? file : kFileErrOpen;
    historyScanRestarted = 0;
    int result = CatchUp(file, path);
    const i32 restarted = historyScanRestarted;
    if (result == 0 && IsNotHistory(historyScan.summary)) result = 1;
    if (result == 0) {
        NumberSet(entry);
        char text[HISTORY_LINE_LEN * 2];
        const int used =
            std::snprintf(text, sizeof text, "%s%s", historyScan.endsInLine == 0 ? "\r\n" : "",
                          historyScan.summary.lines == 0 ? HISTORY_HEADER : "");
        result = FormatHistoryLine(*entry, text + used, static_cast<int>(sizeof text) - used) < 0
                     ? kFileErrWrite
                     : AppendLockedFile(file, text);
    }
    // The record read back: the scan stays at the file's end.
    if (result == 0) result = CatchUp(file, path);
    historyScanRestarted = restarted;
    CloseLockedFile(file);
    return result;
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
    historyScanKnown = 0;
    HistoryLinkStarted();
}

void HistoryLinkStarted() {
    ++historyLink;
    ++historySensorChanges;
    historySensor = HistorySensor{};
    historyRamKnown = 0;
    ForgetSensorReads();
    char station[HISTORY_STATION_LEN + 1];
    if (GetComPortStation(com, station, sizeof station) != 0 || station[0] == '\0')
        std::snprintf(station, sizeof station, "port %d", static_cast<int>(com));
    HistoryFirmwareText(station, historySensor.station, sizeof historySensor.station);
}

void HistorySensorIdentified(int hardwareKnown) {
    ++historySensorChanges;
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
        EndHistory(FileFailureText(kFileErrOpen), "no history folder");
        return;
    }
    HistoryEntry entry{};
    LocalTimeISO(entry.time, sizeof entry.time);
    entry.event = event;
    entry.sensor = historySensor;
    entry.known = 1;
    std::copy_n(words, PNUM, entry.words);
    const int result = AppendRecord(path, &entry);
    if (result != 0) {
        EndHistory(result > 0 ? kNotHistory : FileFailureText(result), path);
        return;
    }
    // A file read from its start may have changed anywhere: the window reads it again too.
    if (historyScanRestarted != 0)
        RefreshHistoryWindow();
    else
        HistoryRecorded(path, historyScan.summary);
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

} // namespace kvor

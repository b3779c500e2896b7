// SPDX-License-Identifier: GPL-3.0-or-later
// The measurement record: RFC 4180 CSV, '.' as decimal point, lines ending in CR LF; or the same
// with ';' and a decimal comma for spreadsheets in a decimal-comma locale. The lines
// go through the runtime's buffered text file, so the measurement never waits for the disk; a
// failed write ends the record and never the measurement.
#include "live/record.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "live/chart_history.h"
#include "live/control_window.h"
#include "live/measurement.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/remembered.h"
#include "state/time_stamp.h"

namespace kvor {

i32 recordFormat = RECORD_POINT;
i32 recordFile = 0;
char szRecordName[PATH_LEN] = {};
double recordCount = 0;
double recordNotes = 0;
i32 recordPort = 0;
double recordStart = 0;
double recordShown = 0;

namespace {

constexpr double kStateEvery = 0.25; // seconds between updates of the state text
constexpr int kMessageLen = PATH_LEN + 80;

void ShowRecordState() {
    char text[kMessageLen];
    std::snprintf(text, sizeof text, Tr("%s: %.0f answers"), FileBaseName(szRecordName),
                  recordCount);
    SetCtrlVal(pHandle, MAIN_RECORD_STATE, text);
    recordShown = Timer();
}

// The toggle and the state text return to N_("no record").
void ClearRecordState() {
    recordFile = 0;
    SetCtrlVal(pHandle, MAIN_RECORD, 0);
    SetCtrlVal(pHandle, MAIN_RECORD_STATE, "");
}

// What the file holds after a failure: the lines the system took, less the header and the notes.
void CountRowsHeld() {
    double lines = 0;
    if (GetTextFileLinesOut(recordFile, &lines) == 0)
        recordCount = lines - 1 - recordNotes > 0 ? lines - 1 - recordNotes : 0;
}

void ReportFailure(int code) {
    char text[kMessageLen];
    const char* why = FileFailureText(code);
    std::snprintf(text, sizeof text, Tr("Record ended (%s): %s is incomplete after %.0f answers"),
                  why, szRecordName, recordCount);
    ShowStatusLiteral(text);
}

// The record ends at its first failure; the loop that feeds it goes on.
void FailRecord(int code) {
    CountRowsHeld();
    CloseTextFile(recordFile);
    ClearRecordState();
    ReportFailure(code);
}

// The time (now, or an answer's `stamp` taken at `taken`) and the seconds since the record
// started, as the first two fields of a row.
void TimeFields(char (&time)[40], char (&seconds)[32], const char* stamp = nullptr,
                double taken = 0) {
    if (stamp != nullptr)
        CopyText(time, sizeof time, stamp);
    else
        LocalTimeISO(time, sizeof time);
    const double t = (stamp != nullptr ? taken : Timer()) - recordStart;
    FormatRecordNumber(seconds, sizeof seconds, t >= 0 ? t : 0, 3);
}

} // namespace

void FormatRecordNumber(char* text, int size, double value, int decimals) {
    if (!std::isfinite(value) || std::abs(value) > 1e12) value = 0;
    auto [end, ec] =
        std::to_chars(text, text + size - 1, value, std::chars_format::fixed, decimals);
    *(ec == std::errc() ? end : text) = '\0';
    if (recordFormat != RECORD_COMMA) return;
    if (char* point = std::strchr(text, '.')) *point = ',';
}

void FormatRecordLine(char* line, int size, const char* fields, char between) {
    const char separator = recordFormat == RECORD_COMMA ? ';' : ',';
    int i = 0;
    for (; fields[i] != '\0' && i < size - 3; ++i)
        line[i] = fields[i] == between ? separator : fields[i];
    line[i++] = '\r';
    line[i++] = '\n';
    line[i] = '\0';
}

int StartRecord() {
    char stamp[32];
    char name[64];
    char path[PATH_LEN];
    LocalTimeFileStamp(stamp, sizeof stamp);
    std::snprintf(name, sizeof name, "KVOR-record-%s.csv", stamp);
    // The save dialog asks before replacing a file that exists.
    int format = recordFormat;
    char dir[PATH_LEN];
    FolderFor("records", dir, sizeof dir);
    if (FileSelectTypePopup(dir, name, RECORD_TYPES, Tr("Measurement record"), &format, path) <= 0)
        return -1;
    recordFormat = format == RECORD_COMMA ? RECORD_COMMA : RECORD_POINT;
    RememberNumber("record/format", recordFormat);
    KeepFolderOf("records", path);
    // The header goes out at once: a file that takes nothing is refused before the record.
    const i32 file = OpenTextFile(path, VAL_TRUNCATE);
    char header[256];
    FormatRecordLine(header, sizeof header, RECORD_HEADER, ',');
    int result = file;
    if (result > 0) result = WriteTextFile(file, header);
    if (result >= 0) result = FlushTextFile(file);
    if (result < 0) {
        if (file > 0) CloseTextFile(file);
        char text[kMessageLen];
        std::snprintf(text, sizeof text, Tr("No record: %s (%s)"), path, FileFailureText(result));
        ShowStatusLiteral(text);
        return -1;
    }
    recordFile = file;
    CopyText(szRecordName, sizeof szRecordName, path);
    recordCount = 0;
    recordNotes = 0;
    recordPort = com;
    recordStart = Timer();
    ShowRecordState();
    return 0;
}

void NoteInRecord(const char* note) {
    if (recordFile <= 0) return;
    char time[40];
    char seconds[32];
    char text[200];
    char fields[320];
    char line[320];
    // The note is quoted: it may hold the separator; a quote in it is doubled.
    int n = 0;
    for (const char* p = note; *p != '\0' && n < static_cast<int>(sizeof text) - 2; ++p) {
        if (*p == '"') text[n++] = '"';
        text[n++] = *p == '\t' ? ' ' : *p;
    }
    text[n] = '\0';
    TimeFields(time, seconds);
    std::snprintf(fields, sizeof fields, "%s\t%s\t\t\t\t\t\t\t\t\t\t\t\"%s\"\t", time, seconds,
                  text);
    FormatRecordLine(line, sizeof line, fields, '\t');
    // A note goes out on its own, so that the rows of answers the file holds stay countable.
    double before = 0, after = 0;
    int result = FlushTextFile(recordFile);
    GetTextFileLinesOut(recordFile, &before);
    if (result >= 0) result = WriteTextFile(recordFile, line);
    if (result >= 0) result = FlushTextFile(recordFile);
    GetTextFileLinesOut(recordFile, &after);
    if (after > before) recordNotes += 1;
    if (result < 0) FailRecord(result);
}

void RecordAnswer() {
    if (recordFile <= 0) return;
    // Answers of another sensor follow: the record says so before the first of them.
    if (com != recordPort) {
        char port[96] = {};
        char note[128];
        recordPort = com;
        GetComPortLabel(com, port, sizeof port);
        std::snprintf(note, sizeof note, "another port: %s", port);
        NoteInRecord(note);
        if (recordFile <= 0) return;
    }
    char time[40];
    char seconds[32];
    char fields[176];
    char line[176];
    char rule[4] = "";
    // The answer's own time, as the strip chart's cursor reads it (now, for an answer not
    // stamped when it was taken).
    TimeFields(time, seconds, szAnswerTime[0] != '\0' ? szAnswerTime : nullptr, answerTaken);
    if (ccRule > 0) std::snprintf(rule, sizeof rule, "%d", static_cast<int>(ccRule));
    // The note field stays empty in a row of an answer; the rule field names the lowest rule of
    // the control chart it broke.
    std::snprintf(fields, sizeof fields, "%s\t%s\t%u\t%u\t%u\t%d\t%u\t%u\t%d\t%u\t%u\t%u\t\t%s",
                  time, seconds, unsigned{Ledge}, unsigned{Redge}, unsigned{Mvalue},
                  static_cast<int>(umValue), unsigned{tVal}, unsigned{tol},
                  MeasuringValueInTolerance() ? 1 : 0, unsigned{edcnt}, unsigned{anaMax},
                  unsigned{anaMin}, rule);
    FormatRecordLine(line, sizeof line, fields, '\t');
    const int result = WriteTextFile(recordFile, line);
    if (result < 0) {
        FailRecord(result);
        return;
    }
    recordCount += 1;
    if (Timer() - recordShown >= kStateEvery) ShowRecordState();
}

void FlushRecord() {
    if (recordFile <= 0) return;
    const int result = FlushTextFile(recordFile);
    if (result < 0) {
        FailRecord(result);
        return;
    }
    ShowRecordState();
}

void EndRecord() {
    if (recordFile <= 0) return;
    // Lines the disk refuses leave the count at what the file holds.
    const int flushed = FlushTextFile(recordFile);
    if (flushed < 0) {
        FailRecord(flushed);
        return;
    }
    const int result = CloseTextFile(recordFile);
    ClearRecordState();
    if (result < 0) {
        ReportFailure(result);
        return;
    }
    char text[kMessageLen];
    std::snprintf(text, sizeof text, Tr("Recorded %.0f answers to %s"), recordCount, szRecordName);
    ShowStatusLiteral(text);
}

KVOR_CALLBACK(CC_TOGGBTN_Record) {
    if (event != EVENT_COMMIT) return 0;
    i32 on = 0;
    GetCtrlVal(pHandle, MAIN_RECORD, &on);
    if (on == 0) {
        EndRecord();
    } else if (recordFile <= 0 && StartRecord() < 0) {
        // Cancelled or refused: the toggle says what runs.
        SetCtrlVal(pHandle, MAIN_RECORD, 0);
    }
    return 0;
}

} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// The measurement record: one CSV line per measurement answer, for quality records and for
// spreadsheets and statistics packages.
#pragma once

#include "state/callback.h"
#include "state/state.h"

namespace kvor {

inline constexpr const char* RECORD_HEADER =
    "time,t_s,left_edge,right_edge,measuring_value,size_um,setpoint,tolerance,in_tolerance,"
    "edge_count,analog_max,analog_min,note,rule";

// The two kinds of record the save dialog offers: RFC 4180 with a decimal point, and for
// spreadsheets in a decimal-comma locale ';' between fields and a decimal comma.
enum : i32 { RECORD_POINT = 0, RECORD_COMMA = 1 };
inline constexpr const char* RECORD_TYPES =
    "CSV (*.csv)\nCSV for spreadsheets with decimal comma (*.csv)";

extern i32 recordFormat;            // the operator's last choice, offered first next time
extern i32 recordFile;              // open text file of the record; 0 while none runs
extern char szRecordName[PATH_LEN]; // its path as the operator chose it
extern double recordCount;          // answers written to it
extern double recordNotes;          // rows of notes the file holds
extern i32 recordPort;              // the port its answers come from
extern double recordStart;          // Timer() when it started
extern double recordShown;          // Timer() when its state was last shown

// Asks for the file and starts the record; returns 0, or a negative code when none runs.
int StartRecord();
// A line's fields joined by the separator of the chosen format, with CR LF; in `fields` they
// are separated by `between`, which they do not hold otherwise.
void FormatRecordLine(char* line, int size, const char* fields, char between);
// A number with `decimals` decimals, '.' or ',' as the format says, whatever the locale.
void FormatRecordNumber(char* text, int size, double value, int decimals);
// Writes the answer in the measurement variables as one line.
void RecordAnswer();
// A row of its own between the answers, with the time and a note in the last column: what
// changed the scale of the answers after it (a new calibration, another port).
void NoteInRecord(const char* note);
// Hands the lines written so far to the system (the end of a loop).
void FlushRecord();
// Closes the record and reports "Recorded N answers to NAME".
void EndRecord();

KVOR_CALLBACK(CC_TOGGBTN_Record);

} // namespace kvor

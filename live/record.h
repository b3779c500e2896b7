// The measurement record: one CSV line per measurement answer, for quality records and for
// spreadsheets and statistics packages.
#pragma once

#include "app/callback.h"
#include "app/state.h"

namespace kvor {

inline constexpr const char* RECORD_HEADER =
    "time,t_s,left_edge,right_edge,measuring_value,size_um,setpoint,tolerance,in_tolerance,"
    "edge_count,analog_max,analog_min";

extern i32 recordFile;              // open text file of the record; 0 while none runs
extern char szRecordName[PATH_LEN]; // its path as the operator chose it
extern double recordCount;          // answers written to it
extern double recordStart;          // Timer() when it started
extern double recordShown;          // Timer() when its state was last shown

// Asks for the file and starts the record; returns 0, or a negative code when none runs.
int StartRecord();
// Writes the answer in the measurement variables as one line.
void RecordAnswer();
// Hands the lines written so far to the system (the end of a loop).
void FlushRecord();
// Closes the record and reports "Recorded N answers to NAME".
void EndRecord();

KVOR_CALLBACK(CC_TOGGBTN_Record);

} // namespace kvor

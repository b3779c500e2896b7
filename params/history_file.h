// SPDX-License-Identifier: GPL-3.0-or-later
// A sensor's history file as its lines tell it, read under the file lock: what the window shows
// and what the next record goes on from. A scan can go on from where it stopped, so a record
// reads only what was appended since, however long the file is.
#pragma once

#include "params/history_record.h"

namespace kvor {

// What a sensor's file holds beyond the entries kept from it.
struct HistorySummary {
    i32 lines;      // lines of any kind, blank ones aside
    i32 entries;    // whole records
    i32 leftOut;    // lines that are no whole record (damaged, edited, cut short)
    i32 lost;       // entries whose set went with a record left out: their words are not known
    i32 lastSet;    // the highest set number
    i32 eeprom;     // 1 when an EEPROM set with its words is among them
    i32 eepromLost; // 1 when an EEPROM entry lost its words
    i32 header;     // 1 when the file starts with the names of its columns
    HistoryEntry newest;
};

// A file with lines of which none is a record or the column names is no parameter history: it
// is reported, and nothing is appended to it.
bool IsNotHistory(const HistorySummary& summary);

// A line as a scan met it: where it starts and its first bytes.
struct HistoryLineMark {
    long long at;
    i32 length; // bytes kept in text, the line end aside; at most HISTORY_LINE_LEN - 1
    char text[HISTORY_LINE_LEN];
};

// How far a scan of one file has come.
struct HistoryScan {
    HistorySummary summary;
    long long end;  // bytes read
    i32 endsInLine; // 1 when nothing was read or the last byte read ends a line
    // The newest set the lines store, its words and the line that stores them.
    i32 setOfWords;
    u16 setWords[PNUM];
    HistoryLineMark setLine;
    HistoryLineMark tail; // the last line read
};

// Reads the lines of a file opened with OpenLockedFile from scan->end up to byte `to`. Each
// whole record read goes into keep, a ring of `max` (none when max is 0). Returns 0 or the
// file's failure.
int ScanHistory(int file, long long to, HistoryScan* scan, HistoryEntry* keep, int max);
// Whether the file, now `size` bytes, still holds what the scan read: not shorter, its last
// line and the line storing the newest set unchanged. Two short reads, however long the file.
bool HistoryScanHolds(int file, long long size, const HistoryScan& scan);

// Reads a sensor's file: its whole records, each with its set's words where the file tells them;
// the newest `max` of them go to keep (oldest first). Returns how many were kept, or -1 when the
// file cannot be read.
int ReadHistoryFile(const char* path, HistoryEntry* keep, int max, HistorySummary* summary);

} // namespace kvor

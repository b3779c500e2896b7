// SPDX-License-Identifier: GPL-3.0-or-later
// One line of the parameter history: when, what happened, which sensor at which station, and the
// sixteen words of the parameter frame. A line is a CSV record that ends in a check of everything
// before it, so a record cut short by a crash or a full disk is never taken for a whole one.
#pragma once

#include "state/state.h"

namespace kvor {

// What happened to a parameter set on the line.
enum HistoryEvent : i32 {
    HISTORY_NONE = 0,
    HISTORY_LINK_SETUP = 1, // the RAM set read at link set-up
    HISTORY_GET_RAM = 2,
    HISTORY_GET_EEPROM = 3,
    HISTORY_SEND_RAM = 4,
    HISTORY_SEND_EEPROM = 5,
    HISTORY_TEACH = 6,     // the RAM set read back after a teach
    HISTORY_STORE_CAL = 7, // the RAM set after a calibration store
};

inline constexpr int HISTORY_HW_WORDS = 11; // words 0..10 of the hardware answer
inline constexpr int HISTORY_TIME_LEN = 40;
inline constexpr int HISTORY_STATION_LEN = 80;
inline constexpr int HISTORY_LINE_LEN = 768;
inline constexpr int HISTORY_NAME_LEN = 128; // a history file's name

// The sensor a set belongs to. A sensor tells no serial number of its own, so its station (the
// adapter it is on) tells two sensors of one type and firmware apart.
struct HistorySensor {
    char firmware[STATUS_LEN + 1]; // printable ASCII, blanks at the end cut; empty: none read
    u16 hardware[HISTORY_HW_WORDS];
    i32 simulated;
    // printable ASCII ("serial 0403:6001 A50285BI", "device /dev/ttyS0"); empty: not known, as
    // in the records of files written before stations were kept
    char station[HISTORY_STATION_LEN + 1];
};

struct HistoryEntry {
    char time[HISTORY_TIME_LEN]; // local ISO 8601
    i32 event;
    i32 set;    // the number of its parameter set in the sensor's file; 0: no set known
    i32 stored; // 1: the line holds the words; 0: the set is the one of the entry before
    i32 known;  // 1: words hold the set
    i32 lost;   // 1: the record that stores its set is damaged, so its words are not known
    u16 words[PNUM];
    HistorySensor sensor;
};

// "read at link set-up", "Get RAM", ...; "" for anything else.
const char* HistoryEventText(i32 event);
bool IsEepromEvent(i32 event);
// A set the sensor's RAM holds after the event.
bool IsRamEvent(i32 event);

// The first line of every history file: the names of its columns.
extern const char* const HISTORY_HEADER;
// A line (without its line end) that names the columns, of this file format or of the one
// without a station.
bool IsHistoryHeader(const char* line);

// The firmware text as the history keeps it: printable ASCII, '?' for any other byte, blanks at
// the end cut.
void HistoryFirmwareText(const char* raw, char* text, int size);
// The record of an entry, with its check and CR LF. Returns its length, or -1 when it does not
// fit.
int FormatHistoryLine(const HistoryEntry& entry, char* line, int size);
// Takes a line read from a file (without its line end): true only for a whole, well-formed
// record, whose entry then holds it (words known when the line stores them). A record without
// a station field is one written before stations were kept: its station is not known.
bool ParseHistoryLine(const char* line, HistoryEntry* entry);
// The name of a sensor's file: its firmware text made safe for any file system, a check of its
// whole identity, then "@", its station made safe and a check of it, ".csv"; "simulated-" in
// front for the simulated sensor. Without a station: the name files had before stations were
// kept (no "@" part).
void HistoryFileName(const HistorySensor& sensor, char* name, int size);
// Four lines: "K-VOR-PX-250 firmware V2.40", "CCD type 2 · simulated", "1024 pixel; 2048
// subpixel; 4096 virtual pixel", "at device /dev/ttyS0" (or "station not known").
void HistorySensorLabel(const HistorySensor& sensor, char* text, int size);

} // namespace kvor

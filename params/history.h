// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter history: every parameter set the scope reads from or writes to a sensor, kept
// in one append-only file per sensor and station under the user's data folder
// ($XDG_DATA_HOME/kvorscope/history/). It costs nothing on the line: it records what the
// exchanges carry anyway.
#pragma once

#include "params/history_file.h"
#include "params/history_record.h"
#include "state/state.h"

namespace kvor {

extern i32 historyCause;            // what the next parameter read is recorded as; 0: a Get
extern i32 historyLink;             // counts the link set-ups: a set belongs to its link's sensor
extern i32 historyEnded;            // 1 after a write failed: nothing more is recorded
extern HistorySensor historySensor; // the sensor on the link, as identification told it
// Counts the times historySensor was set (each link start and identification): what is kept per
// sensor looks again at the sensor only when this has moved.
extern i32 historySensorChanges;
extern u16 historyRam[PNUM]; // the set the sensor's RAM holds, as far as the line told it
extern i32 historyRamKnown;
extern char szHistoryProblem[PATH_LEN + 80]; // why the history stopped

// Program start: the history is kept again.
void ResetHistory();
// A link is being set up on port `com`: no sensor is known on it yet, only its station.
void HistoryLinkStarted();
// Identification has run: the sensor's firmware text and (when it answered) its hardware words.
void HistorySensorIdentified(int hardwareKnown);
// The event a parameter read records: historyCause when a caller set it, else `get`; clears it.
i32 TakeHistoryCause(i32 get);

// Records a set that went over the line (words of the answer or the request); words null: the
// read got no answer. A set equal to the newest entry's is recorded as an event of that set.
// The file stays locked from finding the set's number to the end of the record, so two scopes
// on one file never give two sets one number; a record reads only what others appended since
// the last one.
void RecordParameterSet(i32 event, const u16* words);
// Records the RAM set after an answered calibration store: the set known on the link with the
// words the sensor answered; nothing when the store went out on an earlier link (`link`) or no
// RAM set is known.
void RecordCalibrationStore(u16 slopeWord, u16 intersectWord, i32 link);

// The history folder (made when missing); false when there is none.
bool HistoryFolder(char (&dir)[PATH_LEN]);

} // namespace kvor

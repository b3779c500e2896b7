// SPDX-License-Identifier: GPL-3.0-or-later
// The history window: the sensors seen, newest first; the chosen sensor's entries; an entry's
// sixteen parameters beside the panel's and beside what the sensor's RAM and EEPROM hold, each
// marked where it differs from the panel. An entry goes onto the panel as Get from a file puts
// a file there, or into a parameter file.
#pragma once

#include "params/history_file.h"
#include "state/callback.h"
#include "state/state.h"

namespace kvor {

extern i32 pHistory;     // its panel; 0 until first opened
extern i32 historyShown; // 1 while the operator has it open

// Reads the history folder again and shows it, when the window is open.
void RefreshHistoryWindow();
// A record went into the file at `path`, which now holds `summary`: the open window shows it
// without reading a file again.
void HistoryRecorded(const char* path, const HistorySummary& summary);
// The sets Read sensor read belong to its link and hold only until the next write.
void ForgetSensorReads();
// Program end: the window goes.
void DiscardHistoryWindow();

KVOR_CALLBACK(CC_BTNHistory);
KVOR_CALLBACK(CC_HistorySensor);
KVOR_CALLBACK(CC_HistoryEntry);
KVOR_CALLBACK(CC_HistoryLoad);
KVOR_CALLBACK(CC_HistorySave);
KVOR_CALLBACK(CC_HistoryReadSensor);
int CC_HISTORY_PANEL(int panel, int event, void* callbackData, int eventData1, int eventData2);

} // namespace kvor

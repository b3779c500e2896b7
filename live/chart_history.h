// SPDX-License-Identifier: GPL-3.0-or-later
// The answers the strip chart shows, kept beside the chart's own points: their sizes and the
// times they were taken, so that a cursor on the paused chart reads what the record holds. Also
// the Pause toggle, the cursor, and the chart's value axis (the zoom switch, automatic, or the
// operator's fixed range).
#pragma once

#include "state/callback.h"
#include "state/state.h"

namespace kvor {

inline constexpr int CHART_ANSWERS = 100; // the answers of the strip chart's history, oldest first
inline constexpr int ANSWER_TIME_LEN = 40;

enum : i32 { CHART_SCALE_ZOOM = 0, CHART_SCALE_AUTO = 1, CHART_SCALE_FIXED = 2 };

// The time of the answer taken last (local ISO 8601 with milliseconds): the record's time.
extern char szAnswerTime[ANSWER_TIME_LEN];
extern double answerTaken; // Timer() when it was taken

// The history, aligned with the strip chart's history arrayNORM: a ring whose newest answer is
// in slot chartNewest and whose oldest in the slot after it. A new answer takes the oldest one's
// slot; nothing moves.
extern i32 chartKnown[CHART_ANSWERS]; // 1 where an answer is kept
extern u16 chartMvalue[CHART_ANSWERS];
extern i32 chartSize[CHART_ANSWERS]; // micrometres
extern double chartTaken[CHART_ANSWERS];
extern char chartTime[CHART_ANSWERS][ANSWER_TIME_LEN];
extern i32 chartNewest;

// The same, oldest first, as the chart showed it when the operator paused it.
extern i32 chartPaused; // 1 while the strip chart and the bar graph stand still
extern i32 pausedKnown[CHART_ANSWERS];
extern u16 pausedMvalue[CHART_ANSWERS];
extern i32 pausedSize[CHART_ANSWERS];
extern double pausedTaken[CHART_ANSWERS];
extern char pausedTime[CHART_ANSWERS][ANSWER_TIME_LEN];
extern i32 chartCursor; // the answer under the cursor (index above), -1 for none

extern i32 chartScale; // CHART_SCALE_...
extern double chartLow, chartHigh;

// Notes the time of the answer just taken.
void StampAnswer();
// The clock time of a local ISO time stamp: "hh:mm:ss.mmm".
void ClockOf(const char* stamp, char* clock, int size);
// Moves the history on by the answer in the measurement variables.
void KeepChartAnswer();
// The strip chart's point `point` (0 is the oldest shown) as an index of the history: the chart
// shows the newest answers and, at its left edge, the one point it kept from the picture before.
int ChartAnswerAtPoint(int point);
// "measuring value 2048, size 7960 µm at 09:41:05.123" for an answer of the paused history.
void CursorText(int index, char* text, int size);
// The chart's value axis when the operator chose one other than the zoom switch's; false leaves
// it to the switch.
bool ScaleChartAsChosen();
// The X axis: the age of each answer shown, in seconds back from the newest.
void ShowChartAges();

KVOR_CALLBACK(CC_BTNPause);
KVOR_CALLBACK(CC_StripChartCursor);
KVOR_CALLBACK(CC_ChartScale);

} // namespace kvor

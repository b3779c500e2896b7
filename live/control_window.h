// SPDX-License-Identifier: GPL-3.0-or-later
// The control chart window: the size of every answer on an individuals chart with its centre
// line and control limits, the moving ranges below, the rules the operator watches, and the
// alarm line. The limits and the rules chosen are remembered with the sensor.
#pragma once

#include "state/callback.h"
#include "state/state.h"

namespace kvor {

inline constexpr int CC_POINTS = 100; // readings the window shows
inline constexpr int ALARM_LEN = 160;

extern i32 pControlChart;       // its panel; 0 until first opened
extern i32 controlChartShown;   // 1 while the operator has it open
extern i32 ccRule;              // the lowest rule the newest answer broke, 0 for none
extern char szAlarm[ALARM_LEN]; // the last alarm message, written when the window shows it
// The readings shown, oldest first: the size, its moving range (not a number for the first
// reading after a restart) and the lowest rule it broke.
extern double ccPointSize[CC_POINTS];
extern double ccPointRange[CC_POINTS];
extern i32 ccPointRule[CC_POINTS];
extern double ccPointNumber[CC_POINTS]; // the reading's number since the restart
extern i32 ccPointCount;

// The size of the answer in the measurement variables into the chart, against the rules.
void ControlChartAnswer();
// Redraws the window when it is open.
void ShowControlChart();
// Program end: the window goes.
void DiscardControlChartWindow();

KVOR_CALLBACK(CC_BTNControlChart);
KVOR_CALLBACK(CC_ControlChartRestart);
KVOR_CALLBACK(CC_ControlChartApply);
KVOR_CALLBACK(CC_ControlChartRule);
int CC_CONTROL_CHART_PANEL(int panel, int event, void* callbackData, int eventData1,
                           int eventData2);

} // namespace kvor

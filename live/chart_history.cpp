// SPDX-License-Identifier: GPL-3.0-or-later
// The strip chart's answers, the Pause toggle with its cursor, and the chart's axes.
#include "live/chart_history.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/time_stamp.h"

namespace kvor {

char szAnswerTime[ANSWER_TIME_LEN] = {};
double answerTaken = 0;
i32 chartKnown[CHART_ANSWERS] = {};
u16 chartMvalue[CHART_ANSWERS] = {};
i32 chartSize[CHART_ANSWERS] = {};
double chartTaken[CHART_ANSWERS] = {};
char chartTime[CHART_ANSWERS][ANSWER_TIME_LEN] = {};
i32 chartNewest = CHART_ANSWERS - 1;
i32 chartPaused = 0;
i32 pausedKnown[CHART_ANSWERS] = {};
u16 pausedMvalue[CHART_ANSWERS] = {};
i32 pausedSize[CHART_ANSWERS] = {};
double pausedTaken[CHART_ANSWERS] = {};
char pausedTime[CHART_ANSWERS][ANSWER_TIME_LEN] = {};
i32 chartCursor = -1;
i32 chartScale = CHART_SCALE_ZOOM;
double chartLow = 0;
double chartHigh = 4096;

namespace {

constexpr int kChartPoints = CHART_ANSWERS + 1; // the strip chart's points per screen

// The point of the chart that shows history answer `index`.
int PointOfAnswer(int index) {
    return index + 1;
}

void ShowCursor() {
    char text[128] = "";
    if (chartCursor >= 0) CursorText(chartCursor, text, sizeof text);
    const int point = chartCursor >= 0 ? PointOfAnswer(chartCursor) : -1;
    SetStripChartCursor(pHandle, MAIN_STRIPCHART, point, text);
    SetCtrlVal(pHandle, MAIN_CHART_CURSOR, text);
}

// The newest answer kept, -1 for none.
int NewestPaused() {
    for (int i = CHART_ANSWERS - 1; i >= 0; --i)
        if (pausedKnown[i] == 1) return i;
    return -1;
}

// The slot of the history that holds its `index`th answer, oldest first.
int ChartSlot(int index) {
    return (chartNewest + 1 + index) % CHART_ANSWERS;
}

void Pause() {
    for (int i = 0; i < CHART_ANSWERS; ++i) {
        const int slot = ChartSlot(i);
        pausedKnown[i] = chartKnown[slot];
        pausedMvalue[i] = chartMvalue[slot];
        pausedSize[i] = chartSize[slot];
        pausedTaken[i] = chartTaken[slot];
        std::memcpy(pausedTime[i], chartTime[slot], sizeof pausedTime[i]);
    }
    chartPaused = 1;
    chartCursor = NewestPaused();
    ShowCursor();
}

void Resume() {
    chartPaused = 0;
    chartCursor = -1;
    ShowCursor();
}

} // namespace

void ClockOf(const char* stamp, char* clock, int size) {
    const char* t = std::strchr(stamp, 'T');
    CopyText(clock, size, t != nullptr ? t + 1 : stamp);
    if (std::strlen(clock) > 12) clock[12] = '\0';
}

void StampAnswer() {
    LocalTimeISO(szAnswerTime, sizeof szAnswerTime);
    answerTaken = Timer();
}

void KeepChartAnswer() {
    chartNewest = (chartNewest + 1) % CHART_ANSWERS;
    chartKnown[chartNewest] = 1;
    chartMvalue[chartNewest] = Mvalue;
    chartSize[chartNewest] = umValue;
    chartTaken[chartNewest] = answerTaken;
    CopyText(chartTime[chartNewest], ANSWER_TIME_LEN, szAnswerTime);
}

int ChartAnswerAtPoint(int point) {
    if (point <= 0 || point >= kChartPoints) return -1;
    return point - 1;
}

void CursorText(int index, char* text, int size) {
    if (index < 0 || index >= CHART_ANSWERS || pausedKnown[index] != 1) {
        CopyText(text, size, N_("no answer here"));
        return;
    }
    char clock[16];
    ClockOf(pausedTime[index], clock, sizeof clock);
    std::snprintf(text, static_cast<std::size_t>(size), Tr("measuring value %u, size %d µm at %s"),
                  unsigned{pausedMvalue[index]}, static_cast<int>(pausedSize[index]), clock);
}

bool ScaleChartAsChosen() {
    if (chartScale == CHART_SCALE_AUTO) {
        SetAxisScalingMode(pHandle, MAIN_STRIPCHART, VAL_LEFT_YAXIS, VAL_AUTOSCALE, 0, 0);
        return true;
    }
    if (chartScale == CHART_SCALE_FIXED) {
        SetAxisScalingMode(pHandle, MAIN_STRIPCHART, VAL_LEFT_YAXIS, VAL_MANUAL, chartLow,
                           chartHigh);
        return true;
    }
    return false;
}

void ShowChartAges() {
    double ages[CHART_ANSWERS];
    const double now = chartTaken[chartNewest];
    for (int i = 0; i < CHART_ANSWERS; ++i) {
        const int slot = ChartSlot(i);
        ages[i] = chartKnown[slot] == 1 ? now - chartTaken[slot] : NAN;
    }
    SetStripChartAges(pHandle, MAIN_STRIPCHART, ages, CHART_ANSWERS);
}

KVOR_CALLBACK(CC_BTNPause) {
    if (event != EVENT_COMMIT) return 0;
    i32 on = 0;
    GetCtrlVal(pHandle, MAIN_PAUSE, &on);
    // The toggle says what holds, whatever the chart did before.
    if (on == 1)
        Pause();
    else
        Resume();
    return 0;
}

// The operator moved the cursor (mouse or arrow keys): it rests on an answer, never between.
KVOR_CALLBACK(CC_StripChartCursor) {
    if (event != EVENT_VAL_CHANGED || chartPaused == 0) return 0;
    int point = -1;
    GetStripChartCursor(pHandle, MAIN_STRIPCHART, &point);
    const int index = ChartAnswerAtPoint(point);
    if (index >= 0 && pausedKnown[index] == 1) chartCursor = index;
    ShowCursor();
    return 0;
}

// The value axis: the zoom switch's range, automatic, or the range the operator enters; a
// range entered upside down is taken the right way up.
KVOR_CALLBACK(CC_ChartScale) {
    if (event != EVENT_COMMIT) return 0;
    GetCtrlVal(pHandle, MAIN_CHART_SCALE, &chartScale);
    GetCtrlVal(pHandle, MAIN_CHART_LOW, &chartLow);
    GetCtrlVal(pHandle, MAIN_CHART_HIGH, &chartHigh);
    if (chartLow > chartHigh) {
        const double t = chartLow;
        chartLow = chartHigh;
        chartHigh = t;
    }
    if (chartLow == chartHigh) chartHigh = chartLow + 1;
    const bool fixed = chartScale == CHART_SCALE_FIXED;
    SetCtrlAttribute(pHandle, MAIN_CHART_LOW, ATTR_DIMMED, fixed ? 0 : 1);
    SetCtrlAttribute(pHandle, MAIN_CHART_HIGH, ATTR_DIMMED, fixed ? 0 : 1);
    ScaleChartAsChosen();
    return 0;
}

} // namespace kvor

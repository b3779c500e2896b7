// SPDX-License-Identifier: GPL-3.0-or-later
// The control chart window and what a broken rule sets off: the mark, the alarm line, the
// record's rule column and the alarm message.
#include "live/control_window.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "live/chart_history.h"
#include "live/control_chart.h"
#include "params/history.h"
#include "runtime/runtime.h"
#include "runtime/settings_store.h"
#include "state/panel_ids.h"
#include "state/remembered.h"

namespace kvor {

i32 pControlChart = 0;
i32 controlChartShown = 0;
i32 ccRule = 0;
char szAlarm[ALARM_LEN] = {};
double ccPointSize[CC_POINTS] = {};
double ccPointRange[CC_POINTS] = {};
i32 ccPointRule[CC_POINTS] = {};
double ccPointNumber[CC_POINTS] = {};
i32 ccPointCount = 0;

namespace {

constexpr int kSizeColour = 0x0050C0;
constexpr int kCentreColour = 0x000000;
constexpr int kLimitColour = 0xFF0000;
constexpr int kMarkColour = 0xC00000;
constexpr int kKeyLen = 320;

// The settings key of the sensor on the link: its history file's name tells one sensor from
// another (firmware, hardware words, station).
char szChartKey[kKeyLen] = {};
// historySensorChanges when the sensor was last looked at: the key is made again only after a
// link start or an identification, not for every answer.
i32 chartSensorSeen = -1;

void SensorKey(char* key, int size) {
    char name[PATH_LEN];
    HistoryFileName(historySensor, name, sizeof name);
    if (char* dot = std::strrchr(name, '.')) *dot = '\0';
    std::snprintf(key, static_cast<std::size_t>(size), "controlchart/%s", name);
}

// "centre mrbar rules", or "gathering rules" while the limits are not set; nothing where the
// operator's choices are not remembered (a script's kvorctl).
void Remember() {
    if (szChartKey[0] == '\0' || rememberChoices == 0) return;
    char text[96];
    if (ccLimitsKnown == 1)
        std::snprintf(text, sizeof text, "%.17g %.17g %d", ccCentre, ccMRBar,
                      static_cast<int>(ccRulesOn));
    else
        std::snprintf(text, sizeof text, "gathering %d", static_cast<int>(ccRulesOn));
    SettingSet(szChartKey, text);
}

// Another sensor on the link: its own limits and rules, or a fresh start from its next 25.
// Returns true when the sensor changed.
bool RecallForSensor() {
    if (chartSensorSeen == historySensorChanges) return false;
    chartSensorSeen = historySensorChanges;
    char key[kKeyLen];
    SensorKey(key, sizeof key);
    if (std::strcmp(key, szChartKey) == 0) return false;
    CopyText(szChartKey, sizeof szChartKey, key);
    char text[96];
    double centre = 0, mrBar = 0;
    int rules = RULES_ALL;
    ccPointCount = 0;
    text[0] = '\0';
    if (rememberChoices == 1 && SettingGet(key, text, "") == 1 &&
        std::sscanf(text, "%lf %lf %d", &centre, &mrBar, &rules) == 3) {
        ccRulesOn = rules & RULES_ALL;
        ControlChartRestart();
        ControlChartSetLimits(centre, mrBar);
        if (ccLimitsKnown == 1) return true;
    }
    if (std::sscanf(text, "gathering %d", &rules) == 1) ccRulesOn = rules & RULES_ALL;
    ControlChartRestart();
    return true;
}

void KeepPoint(double size, double range, int rule) {
    if (ccPointCount == CC_POINTS) {
        std::memmove(ccPointSize, ccPointSize + 1, (CC_POINTS - 1) * sizeof ccPointSize[0]);
        std::memmove(ccPointRange, ccPointRange + 1, (CC_POINTS - 1) * sizeof ccPointRange[0]);
        std::memmove(ccPointRule, ccPointRule + 1, (CC_POINTS - 1) * sizeof ccPointRule[0]);
        std::memmove(ccPointNumber, ccPointNumber + 1, (CC_POINTS - 1) * sizeof ccPointNumber[0]);
        --ccPointCount;
    }
    ccPointSize[ccPointCount] = size;
    ccPointRange[ccPointCount] = range;
    ccPointRule[ccPointCount] = rule;
    ccPointNumber[ccPointCount] = ccReadings;
    ++ccPointCount;
}

// The last broken rule as it happened. Rules break at many answers in a row; the message is
// written from these only when the window shows it.
i32 alarmRule = 0;
i32 alarmReading = 0;
double alarmSize = 0;
char alarmClock[16] = {};

void WriteAlarm() {
    if (alarmRule == 0) {
        szAlarm[0] = '\0';
        return;
    }
    std::snprintf(szAlarm, sizeof szAlarm, Tr("%s — at %s, reading %d, size %.0f µm"),
                  Tr(RuleText(alarmRule)), alarmClock, static_cast<int>(alarmReading), alarmSize);
}

void ShowAlarm(int rule, double size) {
    ClockOf(szAnswerTime, alarmClock, sizeof alarmClock);
    alarmRule = rule;
    alarmReading = ccReadings;
    alarmSize = size;
    if (pControlChart <= 0) return;
    WriteAlarm();
    SetCtrlVal(pControlChart, CCW_ALARM, szAlarm);
}

void ShowLimits() {
    char text[256];
    if (ccLimitsKnown == 1)
        std::snprintf(text, sizeof text,
                      Tr("Centre x̄ %.2f µm\nUCL %.2f · LCL %.2f µm\nMR̄ %.3f · MR UCL %.3f µm\n"
                         "σ = 2.66·MR̄/3 = %.3f µm"),
                      ccCentre, ControlChartUCL(), ControlChartLCL(), ccMRBar, ControlChartMRUCL(),
                      ControlChartSigma());
    else
        std::snprintf(text, sizeof text, Tr("Setting the limits: %d of %d readings"),
                      static_cast<int>(ccBaselineCount), CC_BASELINE);
    SetCtrlVal(pControlChart, CCW_LIMITS, text);
}

void ShowRuleBoxes() {
    for (int n = 1; n <= 5; ++n)
        SetCtrlVal(pControlChart, CCW_RULE_FIRST + n - 1, (ccRulesOn & (1 << (n - 1))) ? 1 : 0);
}

// The fields for entered limits start from the limits in use.
void ShowLimitsInFields() {
    if (pControlChart <= 0 || ccLimitsKnown != 1) return;
    SetCtrlVal(pControlChart, CCW_CENTRE, ccCentre);
    SetCtrlVal(pControlChart, CCW_MRBAR, ccMRBar);
}

void PlotLevel(int control, double level, double x0, double x1, int colour) {
    const double xs[2] = {x0, x1};
    const double ys[2] = {level, level};
    PlotXY(pControlChart, control, xs, ys, 2, VAL_THIN_LINE, VAL_SOLID, colour);
}

// The value axis spans the points and the lines, with a little room for the marks above.
void ScaleValues(int control, const double* values, int n, double lo, double hi) {
    for (int i = 0; i < n; ++i)
        if (std::isfinite(values[i])) {
            lo = std::min(lo, values[i]);
            hi = std::max(hi, values[i]);
        }
    if (!(lo <= hi)) return;
    const double room = hi > lo ? 0.12 * (hi - lo) : 1.0;
    SetAxisScalingMode(pControlChart, control, VAL_LEFT_YAXIS, VAL_MANUAL, lo - room / 2,
                       hi + room);
}

} // namespace

void ControlChartAnswer() {
    if (RecallForSensor() && pControlChart > 0) {
        ShowRuleBoxes();
        ShowLimitsInFields();
    }
    const double size = umValue;
    const bool hadPrevious = ccReadings > 0;
    const double range = hadPrevious ? std::fabs(size - ccPrevious) : NAN;
    const i32 knownBefore = ccLimitsKnown;
    ccRule = LowestRuleNumber(ControlChartAdd(size));
    KeepPoint(size, range, ccRule);
    if (ccLimitsKnown != knownBefore) {
        Remember();
        ShowLimitsInFields();
    }
    if (ccRule != 0) ShowAlarm(ccRule, size);
    ShowControlChart();
}

void ShowControlChart() {
    if (controlChartShown == 0 || pControlChart <= 0) return;
    ShowLimits();
    DeleteGraphPlot(pControlChart, CCW_INDIVIDUALS, -1, VAL_DELAYED_DRAW);
    DeleteGraphPlot(pControlChart, CCW_MOVING_RANGE, -1, VAL_DELAYED_DRAW);
    if (ccPointCount < 1) return;
    const double x0 = ccPointNumber[0] - 0.5;
    const double x1 =
        std::max(ccPointNumber[0] + CC_POINTS - 0.5, ccPointNumber[ccPointCount - 1] + 0.5);
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    if (ccLimitsKnown == 1) {
        lo = ControlChartLCL();
        hi = ControlChartUCL();
        PlotLevel(CCW_INDIVIDUALS, ccCentre, x0, x1, kCentreColour);
        PlotLevel(CCW_INDIVIDUALS, hi, x0, x1, kLimitColour);
        PlotLevel(CCW_INDIVIDUALS, lo, x0, x1, kLimitColour);
        PlotLevel(CCW_MOVING_RANGE, ccMRBar, x0, x1, kCentreColour);
        PlotLevel(CCW_MOVING_RANGE, ControlChartMRUCL(), x0, x1, kLimitColour);
    }
    PlotXY(pControlChart, CCW_INDIVIDUALS, ccPointNumber, ccPointSize, ccPointCount, VAL_THIN_LINE,
           VAL_SOLID, kSizeColour);
    PlotXY(pControlChart, CCW_MOVING_RANGE, ccPointNumber, ccPointRange, ccPointCount,
           VAL_THIN_LINE, VAL_SOLID, kSizeColour);
    for (int i = 0; i < ccPointCount; ++i) {
        if (ccPointRule[i] == 0) continue;
        char mark[4];
        std::snprintf(mark, sizeof mark, "%d", static_cast<int>(ccPointRule[i]));
        PlotText(pControlChart, CCW_INDIVIDUALS, ccPointNumber[i], ccPointSize[i], mark,
                 kMarkColour);
    }
    SetAxisScalingMode(pControlChart, CCW_INDIVIDUALS, VAL_XAXIS, VAL_MANUAL, x0, x1);
    SetAxisScalingMode(pControlChart, CCW_MOVING_RANGE, VAL_XAXIS, VAL_MANUAL, x0, x1);
    ScaleValues(CCW_INDIVIDUALS, ccPointSize, ccPointCount, lo, hi);
    ScaleValues(CCW_MOVING_RANGE, ccPointRange, ccPointCount, 0,
                ccLimitsKnown == 1 ? ControlChartMRUCL() : 0);
}

void DiscardControlChartWindow() {
    controlChartShown = 0;
    DiscardWindow(&pControlChart);
}

KVOR_CALLBACK(CC_BTNControlChart) {
    if (event != EVENT_COMMIT) return 0;
    if (LoadWindow(&pControlChart, CONTROL_CHART_PANEL_RESOURCE) == 0) return 0;
    controlChartShown = 1;
    RecallForSensor();
    ShowRuleBoxes();
    ShowLimitsInFields();
    WriteAlarm();
    SetCtrlVal(pControlChart, CCW_ALARM, szAlarm);
    ShowControlChart();
    DisplayPanel(pControlChart);
    return 0;
}

// The limits come afresh from the next 25 readings; the chart starts over.
KVOR_CALLBACK(CC_ControlChartRestart) {
    if (event != EVENT_COMMIT) return 0;
    RecallForSensor();
    ControlChartRestart();
    ccPointCount = 0;
    alarmRule = 0;
    szAlarm[0] = '\0';
    SetCtrlVal(pControlChart, CCW_ALARM, "");
    Remember();
    ShowControlChart();
    return 0;
}

KVOR_CALLBACK(CC_ControlChartApply) {
    if (event != EVENT_COMMIT) return 0;
    RecallForSensor();
    double centre = 0, mrBar = 0;
    GetCtrlVal(pControlChart, CCW_CENTRE, &centre);
    GetCtrlVal(pControlChart, CCW_MRBAR, &mrBar);
    if (!(mrBar > 0)) {
        SetCtrlVal(pControlChart, CCW_LIMITS,
                   N_("MR̄ must be above 0: the limits stay as they were"));
        return 0;
    }
    ControlChartSetLimits(centre, mrBar);
    Remember();
    ShowControlChart();
    return 0;
}

KVOR_CALLBACK(CC_ControlChartRule) {
    if (event != EVENT_VAL_CHANGED) return 0;
    const int n = control - CCW_RULE_FIRST + 1;
    if (n < 1 || n > 5) return 0;
    RecallForSensor();
    i32 on = 0;
    GetCtrlVal(pControlChart, control, &on);
    if (on == 1)
        ccRulesOn |= 1 << (n - 1);
    else
        ccRulesOn &= ~(1 << (n - 1));
    Remember();
    return 0;
}

int CC_CONTROL_CHART_PANEL(int, int event, void*, int, int) {
    if (event != EVENT_CLOSE) return 0;
    controlChartShown = 0;
    HidePanel(pControlChart);
    return 0;
}

} // namespace kvor

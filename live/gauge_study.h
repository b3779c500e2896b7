// SPDX-License-Identifier: GPL-3.0-or-later
// The type-1 gauge study: a master part of known size measured a number of times in a row tells
// whether the sensor can measure a feature's tolerance at all. From the mean x̄ and the sample
// deviation s of the readings, the reference size ref and the tolerance T:
//   Cg = 0.2 T / (6 s),  Cgk = (0.1 T - |x̄ - ref|) / (3 s);  capable when both reach 1.33.
#pragma once

#include "state/callback.h"
#include "state/state.h"

namespace kvor {

inline constexpr int GAUGE_MAX_READINGS = 500;
inline constexpr double GAUGE_CAPABLE = 1.33;
inline constexpr int GAUGE_TEXT_LEN = 160;

extern i32 pGauge;                              // its panel; 0 until first opened
extern double gaugeRef;                         // reference size of the master part, µm
extern double gaugeTol;                         // tolerance of the feature, µm
extern i32 gaugeWanted;                         // readings the operator asked for
extern i32 gaugeTaken;                          // readings taken so far
extern double gaugeReading[GAUGE_MAX_READINGS]; // sizes in µm, in the order they came
extern i32 gaugeTaking;                         // 1 while the study takes answers
extern i32 gaugeOwnRun;                         // 1 while the measurement loop runs for it
extern i32 gaugeInterrupted;                    // 1 when the series was broken off
extern double gaugeMean, gaugeStdDev, gaugeBias, gaugeCg, gaugeCgk; // NaN where not defined
// What was measured, taken at Start, and when: a study is one series of one sensor.
extern char szGaugeSensor[GAUGE_TEXT_LEN]; // firmware, CCD type and pixel counts
extern char szGaugePort[GAUGE_TEXT_LEN];   // the port it answered on
extern char szGaugeFirst[40];              // when the first reading came
extern char szGaugeLast[40];               // when the last reading came

// 1 capable, 0 not capable, -1 no verdict (interrupted, unfinished, a figure not a number).
int GaugeVerdict();
// The verdict with its reason: "capable: Cg and Cgk both at least 1.33", "not capable: Cgk 0.87
// below 1.33", or why there is none.
void GaugeVerdictText(char* text, int size);
// Takes the answer in the measurement variables as a reading while a study runs.
void TakeGaugeReading();
// The series is broken off (the loop feeding it ended, another sensor or a new calibration):
// the study shows no verdict and waits for a new Start. Nothing happens while none runs.
void InterruptGaugeStudy();

// Program end: the window goes, a study with it.
void DiscardGaugeWindow();

KVOR_CALLBACK(CC_BTNGaugeStudy);
KVOR_CALLBACK(CC_GaugeStart);
int CC_GAUGE_PANEL(int panel, int event, void* callbackData, int eventData1, int eventData2);

} // namespace kvor

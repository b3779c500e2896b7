// SPDX-License-Identifier: GPL-3.0-or-later
// Every drawn measurement answer, from the measurement loop, the video loop or a calibration's
// run, counts in the answer rate and the statistics, goes into a running record and is a reading
// of a running gauge study.
#include "live/answer_tally.h"

#include "live/answer_rate.h"
#include "live/control_window.h"
#include "live/gauge_study.h"
#include "live/publish.h"
#include "live/record.h"
#include "live/statistics.h"

namespace kvor {

void (*answerWatcher)() = nullptr;

void TallyMeasurementAnswer() {
    CountAnswer();
    AddAnswerToStatistics();
    ShowStatistics();
    ControlChartAnswer();
    RecordAnswer();
    PublishMeasurement();
    PublishAlarm();
    TakeGaugeReading();
    if (answerWatcher != nullptr) answerWatcher();
}

void StartFiguresAfresh(const char* why) {
    ResetStatistics();
    InterruptGaugeStudy();
    NoteInRecord(why);
}

} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// The measurement loop: one request outstanding, one redraw per answer.
#include "live/run_loop.h"

#include "link/exchange.h"
#include "live/answer_rate.h"
#include "live/gauge_study.h"
#include "live/measurement.h"
#include "live/record.h"
#include "params/frame_map.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"

namespace kvor {

namespace {

// The count of the loop's own request: another request sent from a callback inside the loop
// (Get, Teach, a calibration step...) has taken the line over, and the loop goes on with a new
// request of its own once that exchange has ended.
i32 loopRequest = 0;

// Returns false when a Stop or a port pick came while the line settled: no request then.
bool RequestMeasurement() {
    PrepareRequest();
    if (stop_flag == 1) return false;
    CopyVarsToPP();
    WriteRequest(CMD_MEASURE);
    loopRequest = requestCount;
    return true;
}

// The loop counts as running from the first thing that may process events: a Stop clicked
// from then on is never overwritten, and a loop stopped before its first request sends none.
void StartRun() {
    stop_flag = 0;
    BeginAcquisition(MAIN_STRIPCHART, MAIN_VIDEOGRAPH);
    if (RequestMeasurement() && nBytesW == kFrameBytes) ShowStatusLiteral(N_("Line Ok!"));
    tstart = Timer();
    graphrefresh = 0;
}

void EndRun() {
    rx_flag = 0;
    graphrefresh = 0;
    EndAcquisition();
}

} // namespace

void BeginAcquisition(int shownGraph, int hiddenGraph) {
    SetCtrlAttribute(pHandle, hiddenGraph, ATTR_VISIBLE, 0);
    SetCtrlAttribute(pHandle, shownGraph, ATTR_VISIBLE, 1);
    SetCtrlAttribute(pHandle, MAIN_VIDEO, ATTR_DIMMED, 1);
    SetCtrlAttribute(pHandle, MAIN_RUN, ATTR_DIMMED, 1);
    SetCtrlVal(pHandle, MAIN_RBT_RAM, 1);
    target = RAM;
    SetCtrlVal(pHandle, MAIN_RBT_EEPROM, 0);
    SetCtrlVal(pHandle, MAIN_RBT_FILE, 0);
    StartAnswerRate();
}

void EndAcquisition() {
    // The queues are emptied only when no answer is on its way: one cut in half would be
    // taken for the head of the next. An answer still coming is taken when it lands.
    if (!AnswerOnItsWay()) FlushInQ(com);
    FlushOutQ(com);
    SetCtrlAttribute(pHandle, MAIN_VIDEO, ATTR_DIMMED, 0);
    SetCtrlAttribute(pHandle, MAIN_RUN, ATTR_DIMMED, 0);
    SetCtrlAttribute(pHandle, MAIN_GET, ATTR_DIMMED, 0);
    FlushRecord();
    StopAnswerRate();
    // Whatever ended the loop ends the gauge study's series before its last reading.
    InterruptGaugeStudy();
}

void PushRUN() {
    StartRun();
    while (stop_flag == 0) {
        // The answer is read out of pp before the next request refills it.
        if (graphrefresh == 1) {
            TakeMeasurementAnswer(RUN_LOOP);
            graphrefresh = 0;
        }
        if (rx_flag == 1 || requestCount != loopRequest || LineTakenOver(loopRequest)) {
            if (!RequestMeasurement()) break;
            tstart = Timer();
        }
        tdiff = Timer() - tstart;
        if (tdiff > TIMEOUT) {
            ShowStatusLiteral(N_("Timeout RS232-Line!"));
            stop_flag = 1;
            break;
        }
        // Stop, the panel's close box and the port selector run in here and raise stop_flag;
        // the answer ends the pass as soon as it is whole, else the time-out does.
        WakeNoLaterThan(tstart + TIMEOUT);
        ProcessSystemEvents();
    }
    EndRun();
}

KVOR_CALLBACK(CC_BTNRun) {
    if (event == EVENT_COMMIT) PushRUN();
    return 0;
}

// Acts on the mouse press, so a loop stops even when the button is released elsewhere.
KVOR_CALLBACK(CC_BTNStop) {
    if (event != EVENT_LEFT_CLICK) return 0;
    stop_flag = 1;
    SetCtrlAttribute(pHandle, MAIN_RUN, ATTR_DIMMED, 0);
    SetCtrlAttribute(pHandle, MAIN_VIDEO, ATTR_DIMMED, 0);
    return 0;
}

} // namespace kvor

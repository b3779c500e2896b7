// SPDX-License-Identifier: GPL-3.0-or-later
// The video-signal mode: a measurement exchange, the raw CCD samples, one redraw per cycle.
#include "live/video_mode.h"

#include "link/exchange.h"
#include "link/serial_link.h"
#include "link/video_blocks.h"
#include "live/answer_tally.h"
#include "live/bar_graph.h"
#include "live/curve_strip.h"
#include "live/run_loop.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "ui/runtime.h"

namespace kvor {

namespace {

void StartVideo() {
    BeginAcquisition(MAIN_VIDEOGRAPH, MAIN_STRIPCHART);
    SetAxisScalingMode(pHandle, MAIN_VIDEOGRAPH, VAL_XAXIS, VAL_MANUAL, 1.0, ccdvirtpixel);
    stop_flag = 0;
}

// Stop is not looked at here: a Stop during the wait still lets this cycle read and draw.
// Returns 1 when the answer to this cycle's request has arrived; 0 on time-out, and when a
// callback inside the wait sent a request of its own (that exchange took the line over, and the
// next cycle asks again).
int WaitForMeasureAnswer(i32 request) {
    for (;;) {
        if (rx_flag == 1 && answeredRequest == request) return 1;
        if (requestCount != request || LineTakenOver(request)) return 0;
        ProcessSystemEvents();
        // An answer that landed while a dialog held the event loop came in its time.
        const bool answered = rx_flag == 1 && answeredRequest == request;
        tdiff = (answered ? tanswer : Timer()) - tstart;
        if (tdiff > TIMEOUT) {
            ShowStatusLiteral("Timeout RS232-Line!");
            stop_flag = 1;
            return 0;
        }
    }
}

// Boards 0 and 100 send the line in four 64-sample blocks, every other board in one.
void ReadVideoSamples() {
    if (pcbtype == 0 || pcbtype == 100) {
        ReadData64(0, 0);
        ReadData64(64, 0);
        ReadData64(128, 0);
        ReadData64(192, 1);
    } else {
        ReadData256();
    }
}

void RunVideoCycle() {
    PrepareRequest();
    // A Stop or a port pick while the line settled: this cycle sends nothing.
    if (stop_flag == 1) return;
    // The request carries pp as the last exchange left it.
    tstart = Timer();
    WriteRequest(CMD_MEASURE);
    if (WaitForMeasureAnswer(requestCount) == 1) {
        CopyPPtoMeasurement();
        // The raw blocks carry no frame: the receive callback must not take them for one.
        RemoveRxCallback();
        FlushInQ(com);
        FlushOutQ(com);
        ReadVideoSamples();
        InstallRxCallback();
        PlotVIDEOBarGraph();
        PlotVIDEOCurve(adcbuf, xArray8);
        TallyMeasurementAnswer();
    }
    ProcessSystemEvents();
}

void EndVideo() {
    // Whatever ended the mode, frame answers are taken again afterwards.
    InstallRxCallback();
    EndAcquisition();
}

} // namespace

KVOR_CALLBACK(CC_BTNVideo) {
    if (event != EVENT_COMMIT) return 0;
    StartVideo();
    do {
        RunVideoCycle();
    } while (stop_flag == 0);
    EndVideo();
    return 0;
}

} // namespace kvor

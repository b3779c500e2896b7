// SPDX-License-Identifier: GPL-3.0-or-later
// The video-signal mode: a measurement exchange, the raw CCD samples, one redraw per cycle.
#include "live/video_mode.h"

#include "link/exchange.h"
#include "link/serial_link.h"
#include "live/measurement.h"
#include "live/run_loop.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"

namespace kvor {

namespace {

void StartVideo() {
    BeginAcquisition(MAIN_VIDEOGRAPH, MAIN_STRIPCHART);
    SetAxisScalingMode(pHandle, MAIN_VIDEOGRAPH, VAL_XAXIS, VAL_MANUAL, 1.0, ccdvirtpixel);
    stop_flag = 0;
}

void RunVideoCycle() {
    PrepareRequest();
    // A Stop or a port pick while the line settled: this cycle sends nothing.
    if (stop_flag == 1) return;
    // The request carries pp as the last exchange left it.
    tstart = Timer();
    WriteRequest(CMD_MEASURE);
    // Stop is not looked at in the wait: a Stop during it still lets this cycle read and draw.
    // An exchange clicked inside the wait takes the line over, and the next cycle asks again.
    const int answered = AwaitAnswer(TEST_TIME_FIRST | GIVE_WAY, nullptr);
    if (answered == 1) TakeMeasurementAnswer(VIDEO_LOOP);
    if (answered == 0) {
        ShowStatusLiteral(N_("Timeout RS232-Line!"));
        stop_flag = 1;
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

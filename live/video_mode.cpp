// The video-signal mode: a measurement exchange, the raw CCD samples, one redraw per cycle.
#include "live/video_mode.h"

#include "app/panel_ids.h"
#include "app/state.h"
#include "link/frame.h"
#include "link/serial_link.h"
#include "link/video_blocks.h"
#include "live/answer_rate.h"
#include "live/bar_graph.h"
#include "live/curve_strip.h"
#include "live/run_loop.h"
#include "ui/runtime.h"

namespace kvor {

namespace {

constexpr int kFrameLen = PNUM * 2 + 4;

void StartVideo() {
    BeginAcquisition(MAIN_VIDEOGRAPH, MAIN_STRIPCHART);
    SetAxisScalingMode(pHandle, MAIN_VIDEOGRAPH, VAL_XAXIS, VAL_MANUAL, 1.0, ccdvirtpixel);
    stop_flag = 0;
}

// Stop is not looked at here: a Stop during the wait still lets this cycle read and draw.
void WaitForMeasureAnswer() {
    while (rx_flag != 1) {
        ProcessSystemEvents();
        tdiff = Timer() - tstart;
        if (tdiff > TIMEOUT) {
            ShowStatusLiteral("Timeout RS232-Line!");
            stop_flag = 1;
            return;
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
    FlushInQ(com);
    FlushOutQ(com);
    rx_flag = 0;
    // The request carries pp as the last exchange left it.
    FillTxBuf(CMD_MEASURE, pp);
    tstart = Timer();
    nBytesW = ComWrt(com, szWriteBuf, kFrameLen);
    WaitForMeasureAnswer();
    if (rx_flag == 1) {
        CopyPPtoMeasurement();
        // The raw blocks carry no frame: the receive callback must not take them for one.
        RemoveRxCallback();
        FlushInQ(com);
        FlushOutQ(com);
        ReadVideoSamples();
        InstallRxCallback();
        PlotVIDEOBarGraph();
        PlotVIDEOCurve(adcbuf, xArray8);
        CountAnswer();
    }
    ProcessSystemEvents();
}

void EndVideo() {
    EndAcquisition();
    // Whatever ended the mode, frame answers are taken again afterwards.
    InstallRxCallback();
    FlushOutQ(com);
    FlushInQ(com);
}

} // namespace

KVOR_CALLBACK(CC_BTNVideo) {
    (void)panel, (void)control, (void)callbackData, (void)eventData1, (void)eventData2;
    if (event != EVENT_COMMIT) return 0;
    StartVideo();
    do {
        RunVideoCycle();
    } while (stop_flag == 0);
    EndVideo();
    return 0;
}

} // namespace kvor

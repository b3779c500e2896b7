// The calibration exchange: command 12 with a sub-command in data word 0.
#include "app/panel_ids.h"
#include "app/state.h"
#include "calib/workflow.h"
#include "link/frame.h"
#include "ui/runtime.h"

namespace kvor {

int CalibrationExchange(int step) {
    FlushInQ(com);
    FlushOutQ(com);
    rx_flag = 0;
    pp[0] = static_cast<u16>(step);
    order = CMD_CALIBRATION;
    FillTxBuf(CMD_CALIBRATION, pp);
    nBytesW = ComWrt(com, szWriteBuf, 2 * PNUM + 4);
    ShowStatusLiteral("Reset Max/Min values...");
    tstart = Timer();
    for (;;) {
        ProcessSystemEvents();
        if (rx_flag == 1) {
            GetRxBuf(PNUM);
            // The sensor answers with the calibration words it holds after the command.
            slope = pp[0];
            intersect = pp[1];
            // This answer is not a measurement: a run loop around this call must not draw it.
            graphrefresh = 0;
            return 1;
        }
        tdiff = Timer() - tstart;
        if (tdiff >= TIMEOUT) break;
    }
    SetStatusText("Timeout-RS-232...");
    ShowStatus();
    return 0;
}

} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// The calibration exchange: command 12 with a sub-command in data word 0.
#include "link/exchange.h"
#include "calib/workflow.h"
#include "link/frame.h"
#include "params/frame_map.h"
#include "runtime/runtime.h"
#include "state/state.h"

namespace kvor {

int CalibrationExchange(int step, u16 newSlope, u16 newIntersect) {
    PrepareRequest();
    pp[0] = static_cast<u16>(step);
    // The store carries the new words; the other sub-commands leave pp as it is.
    if (step == CAL_STORE) {
        pp[1] = newSlope;
        pp[2] = newIntersect;
    }
    order = CMD_CALIBRATION;
    WriteRequest(CMD_CALIBRATION);
    // A store tells the sensor new calibration words: a read answered before it is older.
    if (step == CAL_STORE && nBytesW == kFrameBytes) {
        MarkWordsSet(SLOPE_WORD, 1);
        MarkWordsSet(INTERSECT_WORD, 1);
    }
    ShowStatusLiteral(N_("Reset Max/Min values..."));
    tstart = Timer();
    if (AwaitAnswer(TEST_ANSWER_FIRST, N_("Timeout-RS-232...")) == 0) {
        ShowStatus();
        return 0;
    }
    // The sensor answers with the calibration words it holds after the command, unless a newer
    // exchange clicked inside the wait has told them since.
    if (!NewerThanAnswer(SLOPE_WORD)) slope = pp[0];
    if (!NewerThanAnswer(INTERSECT_WORD)) intersect = pp[1];
    return 1;
}

} // namespace kvor

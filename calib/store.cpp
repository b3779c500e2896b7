// SPDX-License-Identifier: GPL-3.0-or-later
// Storing a fitted line in the sensor's RAM with the calibration command's store step.
#include "calib/store.h"

#include <cstdio>

#include "calib/workflow.h"
#include "live/answer_tally.h"
#include "params/history.h"
#include "params/panel_map.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "wire/protocol.h"

namespace kvor {

namespace {

// A fit that no pair of words can carry is refused before anything goes on the line: a
// truncated word would put a wrong line into the sensor.
const char* RefusalText(int status) {
    switch (status) {
    case kCalFitNotANumber:
        return N_("Fit cannot be stored: fit is not a number!");
    case kCalFactorOutOfRange:
        return N_("Fit cannot be stored: factor out of range!");
    default:
        return N_("Fit cannot be stored: offset out of range!");
    }
}

void ShowStoredCalibration() {
    SetStatusText(N_("New Calibration values in activated in RAM!"));
    ShowStatus();
    ShowCalibrationWords();
    // The mode saved at activation is back in the variable and on the panel.
    eMode = oldMode;
    SetCtrlVal(pHandle, MAIN_EMODE, eMode);
    SetCalibrationRest();
}

} // namespace

KVOR_CALLBACK(CC_ButtonSaveCalValues) {
    if (event != EVENT_COMMIT) return 0;
    u16 newSlope = 0;
    u16 newIntersect = 0;
    int status =
        EncodeCalibrationWords(slopeval, interval, SlopeMultiplier(), &newSlope, &newIntersect);
    if (status != kCalWordsOk) {
        SetStatusText(RefusalText(status));
        ShowStatus();
    } else {
        // The new words are in the variables before anything is sent.
        slope = newSlope;
        intersect = newIntersect;
        const i32 link = historyLink;
        if (CalibrationExchange(protocol::CAL_STORE, slope, intersect) == 1) {
            // The answer's words are what the sensor's RAM holds now.
            RecordCalibrationStore(slope, intersect, link);
            ShowStoredCalibration();
            // Sizes before and after are of two scales: no figure mixes them.
            char why[96];
            std::snprintf(why, sizeof why, "new calibration: factor %.8g, offset %d µm",
                          static_cast<double>(slope) / SlopeMultiplier(),
                          static_cast<int>(intersect) - YOFFSET);
            StartFiguresAfresh(why);
        }
    }
    SetCtrlAttribute(pPopup, POP_STORE, ATTR_DIMMED, 1);
    ProcessSystemEvents();
    return 0;
}

} // namespace kvor

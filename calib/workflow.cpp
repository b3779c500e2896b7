// SPDX-License-Identifier: GPL-3.0-or-later
// The two-point calibration on the pop-up: activate, select and accept two objects, fit, stop.
// Each step is expressed by dimming and enabling the pop-up's calibration controls.
#include "calib/workflow.h"

#include "calib/linfit.h"
#include "live/run_loop.h"
#include "params/panel_map.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "wire/protocol.h"

namespace kvor {

namespace {

void Dim(int control, int dimmed) {
    SetCtrlAttribute(pPopup, control, ATTR_DIMMED, dimmed);
}

i32 CheckBoxOn(int control) {
    i32 on = 0;
    GetCtrlVal(pPopup, control, &on);
    return on;
}

// Point n of the fit: the live measuring value and the size the operator entered.
void AcceptObject(int n, u16* flag, int sizeControl, int checkBox, int acceptButton) {
    *flag = 1;
    u16 size = 0;
    GetCtrlVal(pPopup, sizeControl, &size);
    pixel[n] = Mvalue;
    umeter[n] = size;
    if (flagstep1 == 1 && flagstep2 == 1) Dim(POP_FIT, 0);
    Dim(checkBox, 1);
    Dim(acceptButton, 1);
    SetCtrlVal(pPopup, checkBox, 0);
}

// A check box turned on makes its object the selected one; the program keeps them exclusive.
// Setting the other box raises no event, so its Accept button is dimmed here.
void SelectObject(int checkBox, int otherBox, int acceptButton, int otherAccept) {
    if (CheckBoxOn(checkBox) == 1) {
        SetCtrlVal(pPopup, otherBox, 0);
        Dim(acceptButton, 0);
        Dim(otherAccept, 1);
    } else {
        Dim(POP_ACCEPT1, 1);
        Dim(POP_ACCEPT2, 1);
    }
}

} // namespace

void SetCalibrationRest() {
    Dim(POP_ACCEPT1, 1);
    Dim(POP_ACCEPT2, 1);
    Dim(POP_STEP1, 1);
    Dim(POP_STEP2, 1);
    Dim(POP_FIT, 1);
    Dim(POP_STORE, 1);
    SetCtrlVal(pPopup, POP_STEP1, 0);
    SetCtrlVal(pPopup, POP_STEP2, 0);
    flagstep1 = 0;
    flagstep2 = 0;
}

KVOR_CALLBACK(CC_ActivateCalibration) {
    if (event != EVENT_COMMIT) return 0;
    if (CalibrationExchange(protocol::CAL_ACTIVATE) == 0) return 0;
    SetStatusText(N_("Calibration activated!"));
    ShowStatus();
    ShowCalibrationWords();
    // Only the control shows the centre mode; the sensor gets it with the next parameter write.
    oldMode = eMode;
    SetCtrlVal(pHandle, MAIN_EMODE, static_cast<u16>(2));
    ProcessSystemEvents();
    Dim(POP_STEP1, 0);
    Dim(POP_STEP2, 0);
    // The operator needs live measuring values to accept objects: start the run loop unless
    // one already runs (this callback then runs inside it and returns at once).
    if (stop_flag == 1) PushRUN();
    return 0;
}

KVOR_CALLBACK(CC_DiscardCalibration) {
    if (event != EVENT_COMMIT) return 0;
    stop_flag = 1;
    if (CalibrationExchange(protocol::CAL_STOP) == 1) {
        SetStatusText(N_("Calibration stopped successfully!"));
        ShowStatus();
        ShowCalibrationWords();
        eMode = oldMode;
        SetCtrlVal(pHandle, MAIN_EMODE, eMode);
        ProcessSystemEvents();
    }
    SetCalibrationRest();
    HidePanel(pPopup);
    SetCtrlVal(pHandle, MAIN_POPUP_TOGGLE, 0);
    return 0;
}

KVOR_CALLBACK(CC_CheckStep1) {
    if (event == EVENT_VAL_CHANGED) SelectObject(POP_STEP1, POP_STEP2, POP_ACCEPT1, POP_ACCEPT2);
    return 0;
}

KVOR_CALLBACK(CC_CheckStep2) {
    if (event == EVENT_VAL_CHANGED) SelectObject(POP_STEP2, POP_STEP1, POP_ACCEPT2, POP_ACCEPT1);
    return 0;
}

KVOR_CALLBACK(CC_ButtonAcceptObject1) {
    if (event == EVENT_COMMIT) AcceptObject(0, &flagstep1, POP_SIZE1, POP_STEP1, POP_ACCEPT1);
    return 0;
}

KVOR_CALLBACK(CC_ButtonAcceptObject2) {
    if (event == EVENT_COMMIT) AcceptObject(1, &flagstep2, POP_SIZE2, POP_STEP2, POP_ACCEPT2);
    return 0;
}

KVOR_CALLBACK(CC_ButtonDoFit) {
    if (event != EVENT_COMMIT) return 0;
    LinFit(pixel, umeter, 2, zarray, &slopeval, &interval, &mse);
    SetCtrlVal(pPopup, POP_FIT_SLOPE, slopeval);
    SetCtrlVal(pPopup, POP_FIT_INTERCEPT, interval);
    Dim(POP_STORE, 0);
    Dim(POP_FIT, 1);
    return 0;
}

} // namespace kvor

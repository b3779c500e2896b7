// SPDX-License-Identifier: GPL-3.0-or-later
// Controls that give immediate feedback while the operator edits, and the two one-shot
// commands: teach the setpoint, reset the analog output's held minimum and maximum.
#include "params/settings.h"

#include "link/exchange.h"
#include "live/curve_strip.h"
#include "params/history.h"
#include "params/panel_map.h"
#include "params/transfer.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"

namespace kvor {

namespace {

u16 ReadMain(int control) {
    u16 value = 0;
    GetCtrlVal(pHandle, control, &value);
    return value;
}

} // namespace

KVOR_CALLBACK(CC_NUMVideoThreshold) {
    if (event != EVENT_VAL_CHANGED) return 0;
    const u16 v = ReadMain(MAIN_THRESHOLD);
    for (u16& level : thdArray)
        level = v;
    PlotVIDEOCurve(adcbuf, xArray);
    return 0;
}

// The left limit may reach pixB but stays below pixE.
KVOR_CALLBACK(CC_NEDITEdgeLeft) {
    if (event != EVENT_COMMIT) return 0;
    u16 v = ReadMain(MAIN_EDGE_LEFT);
    if (v < pixB) {
        v = pixB;
        eBeg = v;
    }
    if (v > pixE) {
        v = pixE > 0 ? static_cast<u16>(pixE - 1) : 0;
        eBeg = v;
    }
    SetCtrlVal(pHandle, MAIN_EDGE_LEFT, v);
    SetGraphCursor(pHandle, MAIN_BARGRAPH, 2, v, 1.0);
    return 0;
}

// The right limit may reach pixE but stays above pixB.
KVOR_CALLBACK(CC_NEDITEdgeRight) {
    if (event != EVENT_COMMIT) return 0;
    u16 v = ReadMain(MAIN_EDGE_RIGHT);
    if (v > pixE) {
        v = pixE;
        eEnd = v;
    }
    if (v < pixB) {
        v = static_cast<u16>(pixB + 1);
        eEnd = v;
    }
    SetCtrlVal(pHandle, MAIN_EDGE_RIGHT, v);
    SetGraphCursor(pHandle, MAIN_BARGRAPH, 3, v, 1.0);
    return 0;
}

KVOR_CALLBACK(CC_NEDITTolerance) {
    if (event != EVENT_VAL_CHANGED) return 0;
    SetCtrlVal(pHandle, MAIN_TOL, ReadMain(MAIN_TOLERANCE));
    return 0;
}

// Hardware modes 1 and 3 take no tolerance.
KVOR_CALLBACK(CC_DROPHardwareMode) {
    if (event != EVENT_COMMIT) return 0;
    const u16 mode = ReadMain(MAIN_HWMODE);
    SetCtrlAttribute(pHandle, MAIN_TOLERANCE, ATTR_DIMMED, mode == 1 || mode == 3 ? 1 : 0);
    return 0;
}

KVOR_CALLBACK(CC_RINGanamode) {
    if (event != EVENT_COMMIT) return 0;
    ShowAnalogOutput(ReadMain(MAIN_ANAMODE));
    return 0;
}

KVOR_CALLBACK(CC_TOGGBTN_ParaII) {
    if (event != EVENT_COMMIT) return 0;
    i32 on = 0;
    GetCtrlVal(pHandle, MAIN_POPUP_TOGGLE, &on);
    if (on == 0)
        HidePanel(pPopup);
    else
        DisplayPanel(pPopup);
    return 0;
}

// The teach frame carries whatever pp holds; once the sensor has taken its current measuring
// value as the setpoint, the parameter set is read back from RAM.
KVOR_CALLBACK(CC_ButtonTeach) {
    if (event != EVENT_COMMIT) return 0;
    order = CMD_TEACH;
    const int answered =
        ExchangeFrame(order, TEST_TIME_FIRST, N_("New setpoint value teached!"), nullptr);
    if (answered == 1 && tdiff <= TIMEOUT) {
        historyCause = HISTORY_TEACH;
        PushGET(RAM);
    }
    return 0;
}

KVOR_CALLBACK(CC_ButtonReset) {
    if (event != EVENT_COMMIT) return 0;
    order = CMD_RESET_MINMAX;
    ExchangeFrame(order, TEST_TIME_FIRST, "Reset Max/Min values...", nullptr);
    // The answer's words are not looked at: only its arrival in time counts.
    SetStatusText(tdiff <= TIMEOUT ? N_("Reset of analog-output Max/Min OK!")
                                   : N_("Timeout-RS-232..."));
    ShowStatus();
    return 0;
}

} // namespace kvor

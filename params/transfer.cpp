// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter set between the panel and the sensor's RAM, its EEPROM or a parameter file.
#include "params/transfer.h"

#include <cstdio>

#include "link/exchange.h"
#include "link/frame.h"
#include "live/answer_tally.h"
#include "params/frame_map.h"
#include "params/history.h"
#include "params/panel_map.h"
#include "params/para_file.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"

namespace kvor {

i32 historyReadRequest;
i32 historyReadEvent;
i32 historyReadLink;

namespace {

void SetRadio(int control, i32 on) {
    SetCtrlVal(pHandle, control, on);
}

i32 RadioValue(int control) {
    i32 on = 0;
    GetCtrlVal(pHandle, control, &on);
    return on;
}

// Exactly one target button stays on; switching one off falls back to RAM.
void SelectTarget(int control, i32 where) {
    if (RadioValue(control) != 0) {
        SetRadio(control, 1);
        target = where;
        if (control != MAIN_RBT_RAM) SetRadio(MAIN_RBT_RAM, 0);
        if (control != MAIN_RBT_EEPROM) SetRadio(MAIN_RBT_EEPROM, 0);
        if (control != MAIN_RBT_FILE) SetRadio(MAIN_RBT_FILE, 0);
    } else {
        target = RAM;
        SetRadio(MAIN_RBT_RAM, 1);
    }
}

} // namespace

int ReadParameterFrame(i32 command, i32 event) {
    const i32 link = historyLink;
    PrepareRequest();
    // The request carries the current variables; the answer replaces them.
    CopyVarsToPP();
    // The history keeps every set the sensor answers with the moment it lands, so reads overlapped
    // by the operator's clicks are kept in the order their answers came.
    historyReadRequest = requestCount + 1;
    historyReadEvent = event;
    historyReadLink = link;
    WriteRequest(command, pp);
    const i32 request = requestCount;
    if (nBytesW == kFrameBytes) ShowStatusLiteral(N_("Waiting for parameter-frame ..."));
    tstart = Timer();
    const int answered = AwaitAnswer(TEST_ANSWER_FIRST, N_("Timeout-RS-232..."));
    if (answered == 1) GetRxBuf(PNUM);
    // Unanswered (or answered on another port's link): recorded as a read without its set.
    if (historyReadRequest == request) {
        historyReadRequest = 0;
        RecordParameterSet(event, answered == 1 && link == historyLink ? pp : nullptr);
    }
    return answered;
}

void ParameterReadLanded() {
    if (historyReadRequest == 0 || answeredRequest != historyReadRequest) return;
    historyReadRequest = 0;
    // Under the sensor of the link the request went out on: not when another port was picked.
    RecordParameterSet(historyReadEvent, historyReadLink == historyLink ? pp : nullptr);
}

void PushGET(i32 where) {
    const i32 event = TakeHistoryCause(where == EEPROM ? HISTORY_GET_EEPROM : HISTORY_GET_RAM);
    if (where != DATFILE) {
        if (where == RAM) order = CMD_READ_RAM;
        if (where == EEPROM) order = CMD_READ_EEPROM;
        // An exchange clicked inside the wait that read or wrote the set is newer than this
        // answer: its words stay.
        if (ReadParameterFrame(order, event) == 1) {
            CopyNewestPPtoVars();
            SetStatusText(N_("Parameter-frame received! - Line Ok!"));
        }
    }
    SetPanelValues();
    ShowStatus();
}

KVOR_CALLBACK(CC_BTNSend) {
    if (event != EVENT_LEFT_CLICK) return 0;
    ShowStatusLiteral(N_("Transmit..."));
    if (target == DATFILE) {
        if (FileSelectPopup(proj_dir, "KVORpara.dat", "*.dat", Tr("K-VOR-PX-Series Parameter File"),
                            VAL_OK_BUTTON, 0, 1, 1, 1, file_name) > 0)
            SendParaToFile();
        return 0;
    }
    // A write is not waited for and empties no queue: "Line Ok!" only says the whole frame went
    // to the port. Only an answer already on its way to an earlier request lands first.
    order = target == EEPROM ? CMD_WRITE_EEPROM : CMD_WRITE_RAM;
    GetPanelValues();
    LetAnswerLand();
    // pp is about to carry the parameter set: a measurement answer in it is not drawn.
    graphrefresh = 0;
    CopyVarsToPP();
    sync = kSyncRequest;
    // Other calibration words in the RAM put the sizes after this write on another scale.
    const bool newCalibration = order == CMD_WRITE_RAM && historyRamKnown == 1 &&
                                (historyRam[SLOPE_WORD] != pp[SLOPE_WORD] ||
                                 historyRam[INTERSECT_WORD] != pp[INTERSECT_WORD]);
    if (WriteRequest(order) == kFrameBytes) {
        ShowStatusLiteral(N_("Line Ok!"));
        // The history keeps the set as it went to the sensor.
        RecordParameterSet(order == CMD_WRITE_EEPROM ? HISTORY_SEND_EEPROM : HISTORY_SEND_RAM, pp);
        if (newCalibration) {
            char why[96];
            std::snprintf(why, sizeof why, "new calibration sent: factor %.8g, offset %d µm",
                          static_cast<double>(slope) / SlopeMultiplier(),
                          static_cast<int>(intersect) - YOFFSET);
            StartFiguresAfresh(why);
        }
    }
    return 0;
}

KVOR_CALLBACK(CC_BTNGet) {
    if (event != EVENT_COMMIT) return 0;
    if (target == DATFILE)
        ReadParaFromFile();
    else if (target == RAM)
        order = CMD_READ_RAM;
    else if (target == EEPROM)
        order = CMD_READ_EEPROM;
    PushGET(target);
    return 0;
}

KVOR_CALLBACK(CC_RBTRam) {
    if (event == EVENT_VAL_CHANGED) SelectTarget(MAIN_RBT_RAM, RAM);
    return 0;
}

KVOR_CALLBACK(CC_RBTEeprom) {
    if (event == EVENT_VAL_CHANGED) SelectTarget(MAIN_RBT_EEPROM, EEPROM);
    return 0;
}

KVOR_CALLBACK(CC_RBTFile) {
    if (event == EVENT_VAL_CHANGED) SelectTarget(MAIN_RBT_FILE, DATFILE);
    return 0;
}

} // namespace kvor

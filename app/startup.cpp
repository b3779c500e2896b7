// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, the instrument's start values, panel adjustment and shutdown.
#include "app/startup.h"
#include "runtime/runtime.h"

#include "app/banner.h"
#include "link/serial_link.h"
#include "live/control_window.h"
#include "live/distribution.h"
#include "live/gauge_study.h"
#include "live/publish.h"
#include "live/publish_window.h"
#include "live/record.h"
#include "live/statistics.h"
#include "params/history.h"
#include "params/history_window.h"
#include "params/panel_map.h"
#include "state/panel_ids.h"
#include "state/remembered.h"
#include "state/state.h"

namespace kvor {

void InitVars() {
    SetParameterStartValues();

    com = 1;
    sync = 0x55;
    order = 1;
    target = 1;
    rx_flag = 0;
    stop_flag = 1;

    ccdmaxpixel = 1024;
    ccdsubpixel = 2048;
    ccdvirtpixel = 4096;
    pcbtype = 100;

    SetStatusText(N_("InitVars"));
    ShowStatus();

    CopyText(szSoftVersion, sizeof szSoftVersion, "Version 2.42");
    CopyText(szSoftName, sizeof szSoftName, "V-UDU-DA-Rired");
    ShowLogo(2);

    // The panel file's values become the parameter set.
    GetPanelValues();

    DeleteGraphPlot(pHandle, MAIN_BARGRAPH, -1, VAL_IMMEDIATE_DRAW);
    SetGraphCursor(pHandle, MAIN_BARGRAPH, 1, tVal, 1.0);
    SetGraphCursor(pHandle, MAIN_BARGRAPH, 2, eBeg, 1.0);
    SetGraphCursor(pHandle, MAIN_BARGRAPH, 3, eEnd, 1.0);
    // The tolerance band around the setpoint; its left end may lie below zero.
    const int bandLeft = static_cast<int>(tVal) - static_cast<int>(tTol);
    const int bandRight = static_cast<int>(tVal) + static_cast<int>(tTol);
    PlotRectangle(pHandle, MAIN_BARGRAPH, bandLeft, 0.0, bandRight, 0.25, 0x00FF00, 0x00FF00);

    for (int i = 0; i < 256; ++i) {
        xArray[i] = 4.0 * i;
        thdArray[i] = vThd;
    }
}

void InitGUI() {
    u16 mode = 0;
    GetCtrlVal(pHandle, MAIN_HWMODE, &mode);
    SetCtrlAttribute(pHandle, MAIN_TOLERANCE, ATTR_DIMMED, mode == 1 || mode == 3 ? 1 : 0);
    tol = tTol;
}

int CC_PANEL(int, int event, void*, int, int) {
    if (event != EVENT_CLOSE) return 0;
    stop_flag = 1;
    Delay(0.2);
    CloseCom(com);
    QuitUserInterface(0);
    return 0;
}

int CC_POPUP(int, int event, void*, int, int) {
    if (event != EVENT_CLOSE) return 0;
    HidePanel(pPopup);
    SetCtrlVal(pHandle, MAIN_POPUP_TOGGLE, 0);
    return 0;
}

int StartProgram(ProgramInstance* instance) {
    if (!InitRuntime(instance)) return -1;
    RegisterProgramCallbacks();
    pHandle = LoadPanel(0, PANEL_FILE, MAIN_PANEL_RESOURCE);
    if (pHandle < 0) return -1;
    pPopup = LoadPanel(0, PANEL_FILE, POPUP_PANEL_RESOURCE);
    if (pPopup < 0) return -1;
    GetProjectDir(proj_dir);
    InitVars();
    // The port of the last run where its adapter is still plugged in, else port 1.
    com = RememberedPort();
    SetCtrlVal(pHandle, MAIN_COMPORT, com);
    ResetHistory();
    RestorePublishing(); // before the link: its first parameter read is published
    InitRS232(com);
    InitGUI();
    ResetStatistics();
    // The operator's choice holds while the scope runs and is offered again at the next start.
    const int format = static_cast<int>(RememberedNumber("record/format", RECORD_POINT));
    recordFormat = format == RECORD_COMMA ? RECORD_COMMA : RECORD_POINT;
    DisplayPanel(pHandle);
    return 0;
}

void EndProgram() {
    EndRecord();
    StopPublishing();
    DiscardGaugeWindow();
    DiscardDistributionWindow();
    DiscardControlChartWindow();
    DiscardHistoryWindow();
    DiscardPublishWindow();
    CloseCom(com);
    DiscardPanel(pPopup);
    DiscardPanel(pHandle);
}

int WinMain(ProgramInstance* instance, void*, char*, int) {
    if (StartProgram(instance) < 0) {
        CloseRuntime(); // the runtime goes down with the process; nothing else is undone
        return -1;
    }
    RunUserInterface();
    EndProgram();
    CloseRuntime();
    return 0;
}

} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// Every callback the panel file may name, registered under its name before the panels load.
#include "app/startup.h"
#include "calib/store.h"
#include "calib/workflow.h"
#include "link/serial_link.h"
#include "live/chart_history.h"
#include "live/control_window.h"
#include "live/distribution.h"
#include "live/gauge_report.h"
#include "live/gauge_study.h"
#include "live/picture.h"
#include "live/publish_window.h"
#include "live/record.h"
#include "live/run_loop.h"
#include "live/statistics.h"
#include "live/video_mode.h"
#include "params/history_window.h"
#include "params/settings.h"
#include "params/transfer.h"

namespace kvor {

void RegisterProgramCallbacks() {
    struct Entry {
        const char* name;
        CtrlCallbackPtr callback;
    };
    static const Entry controls[] = {
        {"CC_DropDCom", CC_DropDCom},
        {"CC_BTNRun", CC_BTNRun},
        {"CC_BTNStop", CC_BTNStop},
        {"CC_BTNVideo", CC_BTNVideo},
        {"CC_BTNLineMonitor", CC_BTNLineMonitor},
        {"CC_BTNSend", CC_BTNSend},
        {"CC_BTNGet", CC_BTNGet},
        {"CC_RBTRam", CC_RBTRam},
        {"CC_RBTEeprom", CC_RBTEeprom},
        {"CC_RBTFile", CC_RBTFile},
        {"CC_NUMVideoThreshold", CC_NUMVideoThreshold},
        {"CC_NEDITEdgeLeft", CC_NEDITEdgeLeft},
        {"CC_NEDITEdgeRight", CC_NEDITEdgeRight},
        {"CC_NEDITTolerance", CC_NEDITTolerance},
        {"CC_DROPHardwareMode", CC_DROPHardwareMode},
        {"CC_RINGanamode", CC_RINGanamode},
        {"CC_TOGGBTN_ParaII", CC_TOGGBTN_ParaII},
        {"CC_ButtonTeach", CC_ButtonTeach},
        {"CC_ButtonReset", CC_ButtonReset},
        {"CC_ActivateCalibration", CC_ActivateCalibration},
        {"CC_DiscardCalibration", CC_DiscardCalibration},
        {"CC_CheckStep1", CC_CheckStep1},
        {"CC_CheckStep2", CC_CheckStep2},
        {"CC_ButtonAcceptObject1", CC_ButtonAcceptObject1},
        {"CC_ButtonAcceptObject2", CC_ButtonAcceptObject2},
        {"CC_ButtonDoFit", CC_ButtonDoFit},
        {"CC_ButtonSaveCalValues", CC_ButtonSaveCalValues},
        {"CC_BTNResetStatistics", CC_BTNResetStatistics},
        {"CC_TOGGBTN_Record", CC_TOGGBTN_Record},
        {"CC_BTNSavePicture", CC_BTNSavePicture},
        {"CC_BTNGaugeStudy", CC_BTNGaugeStudy},
        {"CC_GaugeStart", CC_GaugeStart},
        {"CC_GaugeSaveReport", CC_GaugeSaveReport},
        {"CC_BTNDistribution", CC_BTNDistribution},
        {"CC_BTNHistory", CC_BTNHistory},
        {"CC_HistorySensor", CC_HistorySensor},
        {"CC_HistoryEntry", CC_HistoryEntry},
        {"CC_HistoryLoad", CC_HistoryLoad},
        {"CC_HistorySave", CC_HistorySave},
        {"CC_HistoryReadSensor", CC_HistoryReadSensor},
        {"CC_BTNPublish", CC_BTNPublish},
        {"CC_PublishEdit", CC_PublishEdit},
        {"CC_PublishChooseCa", CC_PublishChooseCa},
        {"CC_PublishSwitch", CC_PublishSwitch},
        {"CC_PublishApply", CC_PublishApply},
        {"CC_PublishTick", CC_PublishTick},
        {"CC_BTNPause", CC_BTNPause},
        {"CC_StripChartCursor", CC_StripChartCursor},
        {"CC_ChartScale", CC_ChartScale},
        {"CC_BTNControlChart", CC_BTNControlChart},
        {"CC_ControlChartRestart", CC_ControlChartRestart},
        {"CC_ControlChartApply", CC_ControlChartApply},
        {"CC_ControlChartRule", CC_ControlChartRule},
    };
    for (const Entry& e : controls)
        RegisterCtrlCallback(e.name, e.callback);
    RegisterPanelCallback("CC_PANEL", CC_PANEL);
    RegisterPanelCallback("CC_POPUP", CC_POPUP);
    RegisterPanelCallback("CC_GAUGE_PANEL", CC_GAUGE_PANEL);
    RegisterPanelCallback("CC_DISTRIBUTION_PANEL", CC_DISTRIBUTION_PANEL);
    RegisterPanelCallback("CC_HISTORY_PANEL", CC_HISTORY_PANEL);
    RegisterPanelCallback("CC_PUBLISH_PANEL", CC_PUBLISH_PANEL);
    RegisterPanelCallback("CC_CONTROL_CHART_PANEL", CC_CONTROL_CHART_PANEL);
}

} // namespace kvor

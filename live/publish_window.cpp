// SPDX-License-Identifier: GPL-3.0-or-later
// The Publish window. The settings shown are taken only when the operator applies them (the
// Apply button or the On/Off switch); until then the state line says they wait.
#include "live/publish_window.h"

#include <cstdio>
#include <cstring>

#include "live/publish.h"
#include "runtime/publish.h"
#include "runtime/runtime.h"
#include "runtime/settings_store.h"
#include "state/panel_ids.h"

namespace kvor {

i32 pPublish = 0;
i32 publishEdited = 0;
char szPublishError[256] = "";

namespace {

constexpr const char* kPasswordSecret = "publish-password";

void ShowSettings() {
    char prefix[PUBLISH_TEXT_LEN];
    DefaultPublishPrefix(prefix, sizeof prefix);
    SetCtrlVal(pPublish, PUB_URL, szPublishUrl);
    SetCtrlVal(pPublish, PUB_USER, szPublishUser);
    SetCtrlVal(pPublish, PUB_PASSWORD, szPublishPassword);
    SetCtrlVal(pPublish, PUB_CAFILE, szPublishCaFile);
    SetCtrlVal(pPublish, PUB_PREFIX, szPublishPrefix);
    SetCtrlAttribute(pPublish, PUB_PREFIX, ATTR_PLACEHOLDER, prefix);
    SetCtrlVal(pPublish, PUB_ON, publishOn);
    publishEdited = 0;
}

void ReadSettings() {
    GetCtrlVal(pPublish, PUB_URL, szPublishUrl);
    GetCtrlVal(pPublish, PUB_USER, szPublishUser);
    GetCtrlVal(pPublish, PUB_PASSWORD, szPublishPassword);
    GetCtrlVal(pPublish, PUB_CAFILE, szPublishCaFile);
    GetCtrlVal(pPublish, PUB_PREFIX, szPublishPrefix);
    GetCtrlVal(pPublish, PUB_ON, &publishOn);
}

void ShowState() {
    if (pPublish <= 0) return;
    char text[640];
    PublishStateText(text, sizeof text);
    SetCtrlVal(pPublish, PUB_STATE, text);
}

} // namespace

void PublishStateText(char* text, int size) {
    PublishStatus st;
    PublishState(&st);
    const auto n = static_cast<std::size_t>(size);
    int used = 0;
    if (st.state == PUBLISH_OFF && szPublishError[0] != '\0')
        used = std::snprintf(text, n, Tr("Off: %s"), szPublishError);
    else if (st.state == PUBLISH_OFF)
        used = std::snprintf(text, n, "%s", Tr("Off"));
    else if (st.state == PUBLISH_CONNECTED)
        used = std::snprintf(text, n, Tr("Connected to %s under %s"), szPublishUrl, szPublishTopic);
    else if (st.state == PUBLISH_REFUSED)
        used = std::snprintf(text, n, Tr("Refused by %s: %s"), szPublishUrl, st.reason);
    else
        used = std::snprintf(text, n, Tr("Connecting to %s%s%s"), szPublishUrl,
                             st.reason[0] != '\0' ? ": " : "", st.reason);
    if (used < 0 || used >= size) return;
    if (st.state != PUBLISH_OFF)
        used += std::snprintf(text + used, n - static_cast<std::size_t>(used),
                              Tr("\n%.0f messages waiting, %.0f dropped, %.0f sent"), st.waiting,
                              st.dropped, st.accepted);
    if (publishEdited == 1 && used >= 0 && used < size)
        std::snprintf(text + used, n - static_cast<std::size_t>(used), "%s%s",
                      st.state != PUBLISH_OFF ? " · " : "\n",
                      Tr("Changed settings wait for Apply"));
}

int ApplyPublishSettings() {
    if (pPublish > 0) ReadSettings();
    // The password only in its own file, which the user alone can read.
    char on[2] = {publishOn == 1 ? '1' : '0', '\0'};
    SettingSet("publish/url", szPublishUrl);
    SettingSet("publish/user", szPublishUser);
    SettingSet("publish/cafile", szPublishCaFile);
    SettingSet("publish/prefix", szPublishPrefix);
    SecretSet(kPasswordSecret, szPublishPassword);
    szPublishError[0] = '\0';
    publishEdited = 0;
    int result = 0;
    if (publishOn == 1) {
        result = StartPublishing(szPublishError, sizeof szPublishError);
        if (result < 0) {
            publishOn = 0;
            on[0] = '0';
            if (pPublish > 0) SetCtrlVal(pPublish, PUB_ON, publishOn);
        }
    } else {
        StopPublishing();
    }
    SettingSet("publish/on", on);
    ShowState();
    return result;
}

void DiscardPublishWindow() {
    DiscardWindow(&pPublish);
}

KVOR_CALLBACK(CC_BTNPublish) {
    if (event != EVENT_COMMIT) return 0;
    const bool first = pPublish <= 0;
    if (LoadWindow(&pPublish, PUBLISH_PANEL_RESOURCE) == 0) return 0;
    if (first || publishEdited == 0) ShowSettings();
    ShowState();
    SetCtrlAttribute(pPublish, PUB_TICK, ATTR_ENABLED, 1);
    DisplayPanel(pPublish);
    return 0;
}

KVOR_CALLBACK(CC_PublishEdit) {
    if (event != EVENT_COMMIT) return 0;
    publishEdited = 1;
    ShowState();
    return 0;
}

KVOR_CALLBACK(CC_PublishChooseCa) {
    if (event != EVENT_COMMIT) return 0;
    char current[PATH_LEN];
    char dir[PATH_LEN] = "/etc/ssl/certs";
    char path[PATH_LEN];
    GetCtrlVal(pPublish, PUB_CAFILE, current);
    // The folder of the file chosen before, else where the system keeps its certificates.
    if (const char* slash = std::strrchr(current, '/'); slash != nullptr && slash != current)
        std::snprintf(dir, sizeof dir, "%.*s", static_cast<int>(slash - current), current);
    if (FileSelectPopup(dir, "", "*.crt;*.pem", Tr("CA certificate of the broker"),
                        VAL_SELECT_BUTTON, 0, 0, 1, 0, path) != VAL_EXISTING_FILE_SELECTED)
        return 0;
    SetCtrlVal(pPublish, PUB_CAFILE, path);
    publishEdited = 1;
    ShowState();
    return 0;
}

KVOR_CALLBACK(CC_PublishSwitch) {
    if (event != EVENT_COMMIT) return 0;
    ApplyPublishSettings();
    return 0;
}

KVOR_CALLBACK(CC_PublishApply) {
    if (event != EVENT_COMMIT) return 0;
    ApplyPublishSettings();
    return 0;
}

KVOR_CALLBACK(CC_PublishTick) {
    if (event == EVENT_TIMER_TICK) ShowState();
    return 0;
}

int CC_PUBLISH_PANEL(int, int event, void*, int, int) {
    if (event != EVENT_CLOSE) return 0;
    SetCtrlAttribute(pPublish, PUB_TICK, ATTR_ENABLED, 0);
    HidePanel(pPublish);
    return 0;
}

} // namespace kvor

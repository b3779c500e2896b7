// SPDX-License-Identifier: GPL-3.0-or-later
// The Publish window: the broker, the account, the CA file, the topic prefix, publishing on or
// off, and the connection's state while the window is open.
#pragma once

#include "state/callback.h"
#include "state/state.h"

namespace kvor {

extern i32 pPublish;             // its panel; 0 until first opened
extern i32 publishEdited;        // 1 while the window shows settings not applied yet
extern char szPublishError[256]; // why the last start failed ("" when it did not)

// The connection's state in words: "Connected to …", "Connecting to …: broker not reachable …",
// "Refused: …", with the messages waiting and dropped.
void PublishStateText(char* text, int size);
// Takes the settings from the window, remembers them (the password in its own file) and
// starts, restarts or stops publishing as the switch says. 0, or -1 when publishing could not
// start (szPublishError says why; the switch is off again).
int ApplyPublishSettings();

// Program end: the window goes.
void DiscardPublishWindow();

KVOR_CALLBACK(CC_BTNPublish);
KVOR_CALLBACK(CC_PublishEdit);
KVOR_CALLBACK(CC_PublishChooseCa);
KVOR_CALLBACK(CC_PublishSwitch);
KVOR_CALLBACK(CC_PublishApply);
KVOR_CALLBACK(CC_PublishTick);
int CC_PUBLISH_PANEL(int panel, int event, void* callbackData, int eventData1, int eventData2);

} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// The panels shown as windows: the scope installs them before the runtime starts. Nothing of the
// toolkit appears here.
#pragma once

// Makes every panel loaded from now on a window of widgets, pop-ups dialogs, reports drawn with
// their graphs. Call before InitRuntime.
void InstallPanelWindows();

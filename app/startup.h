// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, panel state and shutdown of the program.
#pragma once

#include "runtime/runtime.h"
#include "state/callback.h"

namespace kvor {

// The program: start-up, event loop, shutdown. 0 after a normal end, -1 when the runtime or a
// panel fails to load.
int WinMain(ProgramInstance* instance, void* previousInstance, char* commandLine, int showMode);

// The steps of WinMain before and after the event loop, for tests that drive the panel.
int StartProgram(ProgramInstance* instance); // 0, or -1 as WinMain
void EndProgram();                           // close port, discard both panels

void RegisterProgramCallbacks();
void InitVars();
void InitGUI();
int CC_PANEL(int panel, int event, void* callbackData, int eventData1, int eventData2);
int CC_POPUP(int panel, int event, void* callbackData, int eventData1, int eventData2);

} // namespace kvor

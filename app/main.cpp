// SPDX-License-Identifier: GPL-3.0-or-later
// On Linux the program starts here: its panels are windows, and WinMain gets its instance.
#include "app/startup.h"
#include "ui/windows.h"

int main(int argc, char** argv) {
    InstallPanelWindows();
    ProgramInstance instance{argc, argv};
    return kvor::WinMain(&instance, nullptr, nullptr, 0);
}

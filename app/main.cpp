// SPDX-License-Identifier: GPL-3.0-or-later
// On Linux the program starts here and hands its instance to WinMain.
#include "app/startup.h"

int main(int argc, char** argv) {
    ProgramInstance instance{argc, argv};
    return kvor::WinMain(&instance, nullptr, nullptr, 0);
}

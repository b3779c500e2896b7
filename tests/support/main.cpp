// SPDX-License-Identifier: GPL-3.0-or-later
// Every test program runs with the runtime up (offscreen unless told otherwise), pop-ups that
// answer themselves, and a parameter history and settings of its own in a fresh folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "ui/windows.h"

int main(int argc, char** argv) {
    InstallPanelWindows();
    ::testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    char data[] = "/tmp/kvor-tests-XXXXXX";
    if (mkdtemp(data) == nullptr) return 2;
    setenv("XDG_DATA_HOME", data, 1);
    // The operator's remembered settings of the tests' own, never those of whoever runs them.
    setenv("XDG_CONFIG_HOME", (std::string(data) + "/config").c_str(), 1);
    static ProgramInstance instance{argc, argv};
    if (!InitRuntime(&instance)) return 2;
    SetPopupsAnswerThemselves(true);
    const int result = RUN_ALL_TESTS();
    CloseRuntime();
    std::filesystem::remove_all(data);
    return result;
}

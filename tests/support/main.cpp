// SPDX-License-Identifier: GPL-3.0-or-later
// Every test program runs with the runtime up (offscreen unless told otherwise) and pop-ups
// that answer themselves.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ui/readback.h"
#include "ui/runtime.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static ProgramInstance instance{argc, argv};
    if (!InitRuntime(&instance)) return 2;
    SetPopupsAnswerThemselves(true);
    const int result = RUN_ALL_TESTS();
    CloseRuntime();
    return result;
}

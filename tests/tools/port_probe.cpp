// SPDX-License-Identifier: GPL-3.0-or-later
// Opens port 1 as the scope does (KVOR_COM_PORTS names it) and prints the port's entry in the
// selector as first listed, the result code, the entry afterwards and the reason in full: run
// as another user by the tests.
#include <cstdio>
#include <cstdlib>

#include "runtime/readback.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ProgramInstance instance{argc, argv};
    if (!InitRuntime(&instance)) return 2;
    char listed[512];
    char label[512];
    char problem[1024];
    GetComPortCount(); // the list as the selector reads it
    GetComPortLabel(1, listed, sizeof listed);
    const int code = OpenComConfig(1, "", 19200, 0, 8, 1, 4096, 4096);
    GetComPortLabel(1, label, sizeof label);
    GetComPortProblem(1, problem, sizeof problem);
    std::printf("%s\n%d\n%s\n%s\n", listed, code, label, problem);
    CloseRuntime();
    return 0;
}

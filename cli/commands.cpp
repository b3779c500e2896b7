// SPDX-License-Identifier: GPL-3.0-or-later
// Ports, identification, teach and the reset of the analog minimum and maximum.
#include "cli/commands.h"

#include <cstdio>
#include <cstring>

#include "cli/options.h"
#include "cli/session.h"
#include "params/settings.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"

namespace kvor {

int CommandPorts() {
    const int count = GetComPortCount();
    if (count <= 0) return Fail(EXIT_PORT, "%s", "No serial port found");
    for (int i = 0; i < count; ++i) {
        const int number = GetComPortNumber(i);
        char label[512] = "", problem[512] = "";
        GetComPortLabel(number, label, sizeof label);
        GetComPortProblem(number, problem, sizeof problem);
        if (cli.json)
            Say("{\"number\":%d,\"label\":%s,\"problem\":%s}", number, Quoted(label),
                problem[0] != '\0' ? Quoted(problem) : "null");
        else
            Say("%5d  %s%s%s", number, label, problem[0] != '\0' ? "  -- " : "", problem);
    }
    return EXIT_DONE;
}

int CommandIdentify() {
    const int status = SetUpLink();
    if (status != EXIT_DONE) return status;
    // The pop-up's sensor description, as identification filled it in.
    char description[512] = "";
    GetCtrlVal(pPopup, POP_DESCRIPTION, description);
    for (char* c = description; *c != '\0'; ++c)
        if (*c == '\n') *c = ';';
    // The firmware text comes padded with blanks to its full length.
    char version[sizeof szVersion];
    CopyText(version, sizeof version, szVersion);
    for (std::size_t n = std::strlen(version); n > 0 && version[n - 1] == ' '; --n)
        version[n - 1] = '\0';
    if (cli.json) {
        char firmware[200];
        JsonText(firmware, sizeof firmware, version);
        Say("{\"port\":%s,\"firmware\":%s,\"ccd_type\":%u,\"pixels\":%u,\"virtual_pixels\":%u,"
            "\"board_type\":%u,\"description\":%s}",
            QuotedPort(), firmware, unsigned{ccdtype}, unsigned{ccdmaxpixel},
            unsigned{ccdvirtpixel}, unsigned{pcbtype}, Quoted(description));
        return EXIT_DONE;
    }
    Say("firmware        %s", version);
    Say("ccd type        %u", unsigned{ccdtype});
    Say("pixels          %u", unsigned{ccdmaxpixel});
    Say("virtual pixels  %u", unsigned{ccdvirtpixel});
    Say("board type      %u", unsigned{pcbtype});
    Say("description     %s", description);
    return EXIT_DONE;
}

int CommandTeach() {
    const int status = SetUpLink();
    if (status != EXIT_DONE) return status;
    const u16 before = tVal;
    // The Teach button: the sensor takes its measuring value, the RAM set is read again.
    CC_ButtonTeach(pHandle, MAIN_TEACH, EVENT_COMMIT, nullptr, 0, 0);
    const int answered = Answered("teach");
    if (answered != EXIT_DONE) return answered;
    if (cli.json)
        Say("{\"port\":%s,\"setpoint\":%u,\"was\":%u}", QuotedPort(), unsigned{tVal},
            unsigned{before});
    else
        Say("setpoint  %u  (was %u)", unsigned{tVal}, unsigned{before});
    return EXIT_DONE;
}

int CommandResetMinMax() {
    const int status = SetUpLink();
    if (status != EXIT_DONE) return status;
    CC_ButtonReset(pHandle, MAIN_RESET, EVENT_COMMIT, nullptr, 0, 0);
    if (tdiff > TIMEOUT) return Fail(EXIT_SILENT, Tr("no answer to the reset (%s)"), Tr(szStatus));
    if (cli.json)
        Say("{\"port\":%s,\"reset\":true}", QuotedPort());
    else
        Say("%s", szStatus);
    return EXIT_DONE;
}

} // namespace kvor

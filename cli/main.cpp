// SPDX-License-Identifier: GPL-3.0-or-later
// kvorctl: the scope's procedures without a window, for scripts, services and the engineers who
// set up many sensors. One process works on one port with the program's globals; several ports
// run as copies of kvorctl at the same time, one per port, their lines merged as they come.
#include <cstdio>
#include <cstring>
#include <vector>

#include "cli/commands.h"
#include "cli/options.h"
#include "cli/parameters.h"
#include "cli/session.h"
#include "runtime/runtime.h"

namespace kvor {

namespace {

int RunCommand() {
    const char* c = cli.command;
    if (std::strcmp(c, "ports") == 0) return CommandPorts();
    if (std::strcmp(c, "identify") == 0) return CommandIdentify();
    if (std::strcmp(c, "get") == 0) return CommandGet();
    if (std::strcmp(c, "send") == 0) return CommandSend();
    if (std::strcmp(c, "measure") == 0) return CommandMeasure();
    if (std::strcmp(c, "teach") == 0) return CommandTeach();
    if (std::strcmp(c, "reset-minmax") == 0) return CommandResetMinMax();
    if (std::strcmp(c, "gauge") == 0) return CommandGauge();
    return CommandBackup();
}

// The arguments of the copy for port `index`: the command line with that one port, its lines
// named; `extra` added (send's --dry-run, then --yes).
std::vector<const char*> CopyArguments(int argc, char** argv, int index, const char* extra) {
    std::vector<const char*> args;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--port") == 0 && i + 1 < argc) {
            ++i;
            continue;
        }
        args.push_back(argv[i]);
    }
    args.push_back("--port");
    args.push_back(cli.ports[index]);
    args.push_back("--named");
    if (extra != nullptr) args.push_back(extra);
    args.push_back(nullptr);
    return args;
}

int RunCopies(int argc, char** argv, const char* extra) {
    std::vector<std::vector<const char*>> args;
    std::vector<const char* const*> argvs;
    for (int i = 0; i < cli.portCount; ++i)
        args.push_back(CopyArguments(argc, argv, i, extra));
    for (const auto& a : args)
        argvs.push_back(a.data());
    const int status = RunProgramCopies(cli.portCount, argvs.data());
    return status < 0 ? EXIT_FAILED : status;
}

// Several ports: one copy each, all at once. A send asks once for all of them, after every
// copy has shown what it will change.
int RunOnEveryPort(int argc, char** argv) {
    if (cli.csv && std::strcmp(cli.command, "measure") == 0)
        Say("port,seq,time,value,size_um,left_edge,right_edge,setpoint,tolerance,in_tolerance,"
            "edge_count,analog_max,analog_min");
    const bool asks = std::strcmp(cli.command, "send") == 0 && !cli.dryRun && !cli.yes;
    if (!asks) return RunCopies(argc, argv, nullptr);
    if (IsTerminal(0) == 0) {
        std::fputs("kvorctl: no terminal to ask on: give --yes to write\n", stderr);
        return EXIT_USAGE;
    }
    const int shown = RunCopies(argc, argv, "--dry-run");
    if (shown != EXIT_DONE) return shown;
    std::fprintf(stderr, "Write these changes to the %d sensors? [y/N] ", cli.portCount);
    std::fflush(stderr);
    char answer[16] = "";
    if (std::fgets(answer, sizeof answer, stdin) == nullptr || (answer[0] | 0x20) != 'y') {
        std::fputs("kvorctl: not written\n", stderr);
        return EXIT_FAILED;
    }
    return RunCopies(argc, argv, "--yes");
}

} // namespace

} // namespace kvor

int main(int argc, char** argv) {
    using namespace kvor;
    int answered = 0;
    const int parsed = ParseCommandLine(argc, argv, &answered);
    if (answered != 0 || parsed != EXIT_DONE) return parsed;
    int status = StartSession(argc, argv);
    if (status != EXIT_DONE) return status;
    if (cli.portCount > 1)
        status = RunOnEveryPort(argc, argv);
    else
        status = RunCommand();
    EndSession();
    return status;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/options.h"
#include "runtime/runtime.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <system_error>
#include <vector>

namespace kvor {

CliOptions cli{};
char cliPortName[PATH_LEN] = "";

namespace {

constexpr const char* kVersion = "2.42";

const char* Help() {
    return Tr(
        "Usage: kvorctl COMMAND [--port P]... [OPTIONS]\n"
        "The K-VOR-PX Scope without a window: the panel's procedures for scripts and services.\n"
        "\n"
        "Commands:\n"
        "  ports                          the serial ports as the scope's selector lists them\n"
        "  identify                       link set-up and identification of the sensor\n"
        "  get --from ram|eeprom [--out FILE.dat]\n"
        "                                 the parameter set, every parameter by name\n"
        "  send --to ram|eeprom FILE.dat [--dry-run] [--yes]\n"
        "                                 shows what changes, writes, reads back and checks\n"
        "  measure (--count N | --seconds S | --follow) [--format text|csv|json]\n"
        "                                 one line per answer, then the statistics\n"
        "  teach                          the current measuring value becomes the setpoint\n"
        "  reset-minmax                   resets the analog output's minimum and maximum\n"
        "  gauge --ref R --tolerance T [--count N] [--report FILE.pdf]\n"
        "                                 type-1 gauge study; the exit status tells capable\n"
        "  backup --dir DIR               RAM and EEPROM as parameter files, into the history\n"
        "\n"
        "Publishing (measure): --publish URL [--topic PREFIX] [--user U] [--password-file F]\n"
        "  [--cafile CA]   every answer, the statistics and the status to an MQTT broker\n"
        "                (mqtt://host:port or mqtts://host:port; topics under PREFIX, by default\n"
        "                kvorscope/HOST/PORT). The password comes from the file F or from the\n"
        "                environment variable KVORCTL_MQTT_PASSWORD, never from the command line.\n"
        "                A broker that cannot be reached holds nothing up: the messages wait.\n"
        "\n"
        "Options:\n"
        "  --port P      a COM number as the selector numbers it, a device path, or 'simulated'\n"
        "                (default 1); repeat it to work on several sensors at the same time\n"
        "  --json        JSON output (JSON lines for measure)\n"
        "  --lang L      the language of messages and help: en or de (default: the desktop's)\n"
        "  --help        show this help and exit\n"
        "  --version     show the version and exit\n"
        "\n"
        "Exit status: 0 done; 1 the command's own failure (a set not held, not capable);\n"
        "2 usage; 3 a port that cannot be opened; 4 the sensor did not answer; 5 a sensor of\n"
        "another series; 6 the broker refused (user, password, certificate). With several ports,\n"
        "the highest.\n");
}
int Usage(const char* text, const char* what = "") {
    std::fprintf(stderr, Tr("kvorctl: %s%s (see kvorctl --help)\n"), text, what);
    return EXIT_USAGE;
}

bool Number(const char* text, double* value) {
    if (text == nullptr || *text == '\0') return false;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text, &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(v)) return false;
    *value = v;
    return true;
}

bool Count(const char* text, i32* value) {
    double v = 0;
    if (!Number(text, &v) || v < 1 || v > 2e9 || v != std::floor(v)) return false;
    *value = static_cast<i32>(v);
    return true;
}

bool Is(const char* a, const char* b) {
    return a != nullptr && std::strcmp(a, b) == 0;
}

bool KnownCommand(const char* c) {
    for (const char* k : {"ports", "identify", "get", "send", "measure", "teach", "reset-minmax",
                          "gauge", "backup"})
        if (Is(c, k)) return true;
    return false;
}

// What each command takes beside --port and --json.
bool Takes(const char* option) {
    const char* c = cli.command;
    if (Is(option, "--from") || Is(option, "--out")) return Is(c, "get");
    if (Is(option, "--to") || Is(option, "--dry-run") || Is(option, "--yes")) return Is(c, "send");
    if (Is(option, "--seconds") || Is(option, "--follow") || Is(option, "--format") ||
        Is(option, "--publish") || Is(option, "--topic") || Is(option, "--user") ||
        Is(option, "--password-file") || Is(option, "--cafile"))
        return Is(c, "measure");
    if (Is(option, "--count")) return Is(c, "measure") || Is(c, "gauge");
    if (Is(option, "--ref") || Is(option, "--tolerance") || Is(option, "--report"))
        return Is(c, "gauge");
    if (Is(option, "--dir")) return Is(c, "backup");
    return false;
}

// A file or folder named on the command line is where the shell is; the runtime's own paths
// are the program's folder's.
const char* FromHere(const char* path) {
    static char held[6][PATH_LEN];
    static int next = 0;
    std::error_code failed;
    const std::string full = std::filesystem::absolute(path, failed).string();
    if (failed || full.size() >= PATH_LEN || next == 6) return path;
    CopyText(held[next], PATH_LEN, full.c_str());
    return held[next++];
}

int Check() {
    const char* c = cli.command;
    if (Is(c, "get") && !cli.storeGiven) return Usage(Tr("get needs --from ram or --from eeprom"));
    if (Is(c, "send") && !cli.storeGiven) return Usage(Tr("send needs --to ram or --to eeprom"));
    if (Is(c, "send") && cli.file == nullptr) return Usage(Tr("send needs a parameter file"));
    if (Is(c, "measure") && (cli.count > 0) + (cli.seconds > 0) + cli.follow != 1)
        return Usage(Tr("measure needs one of --count, --seconds or --follow"));
    if (Is(c, "gauge") && (!cli.refGiven || !cli.tolGiven))
        return Usage(Tr("gauge needs --ref and --tolerance"));
    if (Is(c, "gauge") && !(cli.tol > 0)) return Usage(Tr("the tolerance must be above 0"));
    if (Is(c, "gauge") && cli.count != 0 && (cli.count < 10 || cli.count > 500))
        return Usage(Tr("a gauge study takes 10 to 500 readings"));
    if (Is(c, "backup") && cli.dir == nullptr) return Usage(Tr("backup needs --dir"));
    const bool publishing = cli.topic != nullptr || cli.user != nullptr ||
                            cli.passwordFile != nullptr || cli.caFile != nullptr;
    if (publishing && cli.publish == nullptr)
        return Usage(Tr("--topic, --user, --password-file and --cafile go with --publish URL"));
    return EXIT_DONE;
}

} // namespace

int ParseCommandLine(int argc, char** argv, int* answered) {
    *answered = 0;
    if (ChooseLanguage(argc, argv) != 0) return Usage(Tr("--lang takes en or de"));
    // The language is chosen: the command and its options are read without --lang and its value,
    // wherever it stood.
    static std::vector<char*> kept;
    kept.assign(argv, argv + argc);
    for (auto a = kept.begin() + (argc > 0 ? 1 : 0); a != kept.end();) {
        if (Is(*a, "--lang") && a + 1 != kept.end())
            a = kept.erase(a, a + 2);
        else if (std::strncmp(*a, "--lang=", 7) == 0)
            a = kept.erase(a);
        else
            ++a;
    }
    argc = static_cast<int>(kept.size());
    argv = kept.data();
    for (int i = 1; i < argc; ++i) {
        if (Is(argv[i], "--help")) return std::fputs(Help(), stdout), *answered = 1, EXIT_DONE;
        if (Is(argv[i], "--version"))
            return std::printf("kvorctl %s\n", kVersion), *answered = 1, EXIT_DONE;
    }
    if (argc < 2) return Usage(Tr("no command given"));
    cli.command = argv[1];
    if (!KnownCommand(cli.command)) return Usage(Tr("unknown command: "), cli.command);
    for (int i = 2; i < argc; ++i) {
        const char* a = argv[i];
        const char* v = i + 1 < argc ? argv[i + 1] : nullptr;
        if (a[0] != '-' || a[1] != '-') {
            if (!Is(cli.command, "send") || cli.file != nullptr)
                return Usage(Tr("unexpected: "), a);
            cli.file = a;
            continue;
        }
        const bool flag = Is(a, "--json") || Is(a, "--dry-run") || Is(a, "--yes") ||
                          Is(a, "--follow") || Is(a, "--named");
        // A password on the command line is seen by every user of the machine (ps, /proc).
        if (Is(a, "--password") || std::strncmp(a, "--password=", 11) == 0)
            return Usage(Tr("the broker's password comes from --password-file F or the "
                            "environment variable KVORCTL_MQTT_PASSWORD, never from the command "
                            "line"));
        if (!flag && v == nullptr) return Usage(Tr("a value is missing after "), a);
        if (!flag) ++i;
        if (Is(a, "--port")) {
            if (cli.portCount == CLI_MAX_PORTS) return Usage(Tr("too many ports"));
            cli.ports[cli.portCount++] = v;
        } else if (Is(a, "--json")) {
            cli.json = 1;
        } else if (Is(a, "--named")) {
            cli.named = 1;
        } else if (!Takes(a)) {
            return Usage(cli.command, (std::string(" takes no ") + a).c_str());
        } else if (Is(a, "--from") || Is(a, "--to")) {
            if (!Is(v, "ram") && !Is(v, "eeprom")) return Usage(Tr("ram or eeprom, not: "), v);
            (Is(a, "--from") ? cli.fromEeprom : cli.toEeprom) = Is(v, "eeprom") ? 1 : 0;
            cli.storeGiven = 1;
        } else if (Is(a, "--out")) {
            cli.out = v;
        } else if (Is(a, "--dry-run")) {
            cli.dryRun = 1;
        } else if (Is(a, "--yes")) {
            cli.yes = 1;
        } else if (Is(a, "--follow")) {
            cli.follow = 1;
        } else if (Is(a, "--count")) {
            if (!Count(v, &cli.count)) return Usage(Tr("--count needs a whole number above 0"));
        } else if (Is(a, "--seconds")) {
            if (!Number(v, &cli.seconds) || !(cli.seconds > 0))
                return Usage(Tr("--seconds needs a number above 0"));
        } else if (Is(a, "--format")) {
            if (!Is(v, "text") && !Is(v, "csv") && !Is(v, "json"))
                return Usage(Tr("--format is text, csv or json, not: "), v);
            cli.csv = Is(v, "csv") ? 1 : 0;
            if (Is(v, "json")) cli.json = 1;
        } else if (Is(a, "--ref")) {
            if (!Number(v, &cli.ref)) return Usage(Tr("--ref needs a number (µm)"));
            cli.refGiven = 1;
        } else if (Is(a, "--tolerance")) {
            if (!Number(v, &cli.tol)) return Usage(Tr("--tolerance needs a number (µm)"));
            cli.tolGiven = 1;
        } else if (Is(a, "--report")) {
            cli.report = v;
        } else if (Is(a, "--dir")) {
            cli.dir = v;
        } else if (Is(a, "--publish")) {
            cli.publish = v;
        } else if (Is(a, "--topic")) {
            cli.topic = v;
        } else if (Is(a, "--user")) {
            cli.user = v;
        } else if (Is(a, "--password-file")) {
            cli.passwordFile = v;
        } else if (Is(a, "--cafile")) {
            cli.caFile = v;
        }
    }
    if (cli.json && cli.csv) return Usage(Tr("--json and --format csv exclude each other"));
    if (cli.portCount == 0) cli.ports[cli.portCount++] = "1";
    for (const char** path :
         {&cli.out, &cli.file, &cli.dir, &cli.report, &cli.passwordFile, &cli.caFile})
        if (*path != nullptr) *path = FromHere(*path);
    return Check();
}

} // namespace kvor

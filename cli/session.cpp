// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/session.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "app/startup.h"
#include "cli/options.h"
#include "link/serial_link.h"
#include "live/statistics.h"
#include "params/history.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/remembered.h"

namespace kvor {

namespace {

bool namedPortOk = false;

// The port as the command line named it: a number of the port table, or a device path or
// "simulated", which become port 1 of a table of their own.
bool Numbered(const char* port) {
    char* end = nullptr;
    std::strtol(port, &end, 10);
    return end != port && *end == '\0';
}

int PortNumber() {
    const char* p = cli.ports[0];
    if (Numbered(p)) {
        const long n = std::strtol(p, nullptr, 10);
        return n >= 1 && n <= 100000 ? static_cast<int>(n) : -1;
    }
    return namedPortOk ? 1 : -1;
}

// The runtime's texts of a port that did not open (the status line's).
bool OpenFailed(const char* status) {
    for (int code : {kComErrUnknownSystem, kComErrInvalidPort, kComErrPortNotOpen, kComErrIO,
                     kComErrNoPortFound, kComErrCannotOpen, kComErrInvalidParameter})
        if (std::strcmp(status, ComErrorText(code)) == 0) return true;
    return false;
}

// Pop-ups shown while nobody looks: "Attention !!!" and its lines, on one line.
bool TakePopup(char* text, int size) {
    char title[STATUS_LEN + 1];
    char message[512];
    if (TakeKeptPopup(title, sizeof title, message, sizeof message) == 0) return false;
    for (char* c = message; *c != '\0'; ++c)
        if (*c == '\n') *c = ' ';
    std::snprintf(text, static_cast<std::size_t>(size), "%s", message);
    return true;
}

// JSON objects carry their port; text and CSV lines name it first.
void Prefix(FILE* stream) {
    if (cli.named && !cli.json) std::fprintf(stream, cli.csv ? "%s," : "%-14s ", cliPortName);
}

// The rest of a result line on stdout, ended and flushed: a pipe gets every line as it comes.
__attribute__((format(printf, 1, 0))) void EndLine(const char* format, va_list args) {
    std::vfprintf(stdout, format, args);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

int Fail(int status, const char* format, ...) {
    char text[600];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    std::fprintf(stderr, "kvorctl: %s: %s\n", cliPortName, text);
    std::fflush(stderr);
    return status;
}

void Say(const char* format, ...) {
    Prefix(stdout);
    va_list args;
    va_start(args, format);
    EndLine(format, args);
    va_end(args);
}

void SayComment(const char* format, ...) {
    std::fputs("# ", stdout);
    if (cli.named) std::fprintf(stdout, "%s ", cliPortName);
    va_list args;
    va_start(args, format);
    EndLine(format, args);
    va_end(args);
}

void Say(const LineText& line) {
    Prefix(stdout);
    std::fwrite(line.text, 1, static_cast<std::size_t>(line.length), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void JsonText(char* out, int size, const char* text) {
    int n = 0;
    auto put = [&](char c) {
        if (n < size - 2) out[n++] = c;
    };
    put('"');
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c != 0; ++c) {
        if (*c == '"' || *c == '\\') {
            put('\\');
            put(static_cast<char>(*c));
        } else if (*c < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", *c);
            for (const char* e = esc; *e != '\0'; ++e)
                put(*e);
        } else {
            put(static_cast<char>(*c));
        }
    }
    out[n++] = '"';
    out[n] = '\0';
}

const char* QuotedPort() {
    static char text[2 * PATH_LEN];
    JsonText(text, sizeof text, cliPortName);
    return text;
}

const char* Quoted(const char* text) {
    static char quoted[4 * PATH_LEN];
    JsonText(quoted, sizeof quoted, text);
    return quoted;
}

void FigureText(char* out, int size, double value, int decimals) {
    const char* none = cli.json ? "null" : (cli.csv ? "" : "n/a");
    if (!std::isfinite(value))
        std::snprintf(out, static_cast<std::size_t>(size), "%s", none);
    else
        std::snprintf(out, static_cast<std::size_t>(size), "%.*f", decimals, value);
}

void Progress(double startedAt, const char* done) {
    static double shownAt = 0;
    static bool shown = false;
    // Asked once: a terminal does not come or go while the command runs.
    static const bool onTerminal = IsTerminal(2) == 1 && IsTerminal(1) == 0;
    if (!onTerminal) return;
    if (done[0] == '\0') {
        if (shown) std::fputs("\r\033[K", stderr);
        shown = false;
        return;
    }
    const double now = Timer();
    if (now - startedAt < 1.0 || now - shownAt < 0.25) return;
    shownAt = now;
    shown = true;
    std::fprintf(stderr, "\r\033[K%s: %s", cliPortName, done);
    std::fflush(stderr);
}

int StartSession(int argc, char** argv) {
    static ProgramInstance instance{};
    instance = {argc, argv};
    CopyText(cliPortName, sizeof cliPortName, cli.ports[0]);
    rememberChoices = 0;
    if (!InitRuntime(&instance)) return Fail(EXIT_FAILED, "%s", Tr("the runtime does not start"));
    // A port named by its device (or the simulated sensor) is the whole port table of this
    // process, before the panel's port selector is made: the machine's ports are not searched.
    // A process that runs copies for several ports leaves the table to each copy.
    if (cli.portCount == 1 && !Numbered(cli.ports[0]))
        namedPortOk = NameComPorts(cli.ports[0]) == 0;
    RegisterProgramCallbacks();
    pHandle = LoadPanel(0, PANEL_FILE, MAIN_PANEL_RESOURCE);
    pPopup = pHandle < 0 ? -1 : LoadPanel(0, PANEL_FILE, POPUP_PANEL_RESOURCE);
    if (pHandle < 0 || pPopup < 0)
        return Fail(EXIT_FAILED, "%s", Tr("the panel file does not load"));
    GetProjectDir(proj_dir);
    InitVars();
    ResetHistory();
    InitGUI();
    ResetStatistics();
    return EXIT_DONE;
}

int SetUpLink() {
    const int port = PortNumber();
    if (port < 0) return Fail(EXIT_PORT, "%s", ComErrorText(kComErrInvalidPort));
    // The port selector's pick: the same procedure the ring's commit runs.
    com = port;
    SetCtrlVal(pHandle, MAIN_COMPORT, com);
    CC_DropDCom(pHandle, MAIN_COMPORT, EVENT_COMMIT, nullptr, 0, 0);
    char popup[600];
    if (TakePopup(popup, sizeof popup)) return Fail(EXIT_FOREIGN, "%s", popup);
    if (OpenFailed(szStatus)) {
        char why[512] = "";
        GetComPortProblem(port, why, sizeof why);
        return Fail(EXIT_PORT, "%s%s%s", Tr(szStatus), why[0] != '\0' ? ": " : "", why);
    }
    if (rx_flag != 1) return Fail(EXIT_SILENT, Tr("no answer (%s)"), Tr(szStatus));
    if (std::strncmp(szStatus, "Error reading", 13) == 0 ||
        std::strncmp(szStatus, "Timeout", 7) == 0 || std::strncmp(szStatus, "read error", 10) == 0)
        return Fail(EXIT_SILENT, "%s", Tr(szStatus));
    return EXIT_DONE;
}

int Answered(const char* what) {
    if (rx_flag == 1) return EXIT_DONE;
    return Fail(EXIT_SILENT, Tr("no answer to %s (%s)"), what, Tr(szStatus));
}

void EndSession() {
    EndProgram();
    CloseRuntime();
}

} // namespace kvor

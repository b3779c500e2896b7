// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter set as the panel shows it: each word by the name of its variable, in the unit of
// its control (a ring's item, the factor and offset of the pop-up), with the raw word.
#include "cli/parameters.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <system_error>

#include "cli/options.h"
#include "cli/session.h"
#include "params/frame_map.h"
#include "params/panel_map.h"
#include "params/para_file.h"
#include "params/transfer.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/time_stamp.h"

namespace kvor {

namespace {

struct ParameterRow {
    const char* name;
    int control; // on the main panel; 0: the calibration word on the pop-up
};
// By frame word; word 15 is the trigger mode from firmware 240 on, else the delta tolerance.
const ParameterRow kRows[PNUM] = {
    {"power", MAIN_POWER},
    {"rs232_mode", MAIN_RS232MODE},
    {"threshold", MAIN_THRESHOLD},
    {"analog_mode", MAIN_ANAMODE},
    {"polarity", MAIN_POLARITY},
    {"edge_mode", MAIN_EMODE},
    {"edge_left", MAIN_EDGE_LEFT},
    {"edge_right", MAIN_EDGE_RIGHT},
    {"setpoint", MAIN_SETPOINT},
    {"tolerance", MAIN_TOLERANCE},
    {"op_mode", MAIN_OPMODE},
    {"hardware_mode", MAIN_HWMODE},
    {"factor", 0},
    {"offset", 0},
    {"average", MAIN_AVERAGE},
    {"delta_tolerance", MAIN_DELTATOL},
};

const char* NameOf(int word) {
    return word == 15 && TriggerInWord15() ? "trigger_mode" : kRows[word].name;
}

// The word as its control shows it: a ring's or switch's text, the factor and offset as the
// pop-up computes them, else the number.
void ShownValue(int word, u16 raw, char* text, int size) {
    const auto n = static_cast<std::size_t>(size);
    if (word == 12) {
        std::snprintf(text, n, "%.6g", static_cast<double>(raw) / SlopeMultiplier());
        return;
    }
    if (word == 13) {
        std::snprintf(text, n, "%d", static_cast<int>(raw) - YOFFSET);
        return;
    }
    const int control = word == 15 && TriggerInWord15() ? MAIN_TRIGMODE : kRows[word].control;
    char label[80] = "";
    if (GetLabelFromValue(pHandle, control, raw, label) == 0 && label[0] != '\0')
        std::snprintf(text, n, "%s", label);
    else
        std::snprintf(text, n, "%u", unsigned{raw});
}

const char* StoreName(int eeprom) {
    return eeprom ? "eeprom" : "ram";
}

void PrintSet(const u16* words, int eeprom) {
    if (cli.json) {
        char line[4096];
        int used = std::snprintf(line, sizeof line, "{\"port\":");
        JsonText(line + used, static_cast<int>(sizeof line) - used, cliPortName);
        used = static_cast<int>(std::strlen(line));
        used += std::snprintf(line + used, sizeof line - static_cast<std::size_t>(used),
                              ",\"store\":\"%s\",\"parameters\":[", StoreName(eeprom));
        for (int w = 0; w < PNUM; ++w) {
            char shown[96], quoted[200];
            ShownValue(w, words[w], shown, sizeof shown);
            JsonText(quoted, sizeof quoted, shown);
            used += std::snprintf(line + used, sizeof line - static_cast<std::size_t>(used),
                                  "%s{\"word\":%d,\"name\":\"%s\",\"value\":%s,\"raw\":%u}",
                                  w == 0 ? "" : ",", w, NameOf(w), quoted, unsigned{words[w]});
        }
        std::snprintf(line + used, sizeof line - static_cast<std::size_t>(used), "]}");
        Say("%s", line);
        return;
    }
    for (int w = 0; w < PNUM; ++w) {
        char shown[96];
        ShownValue(w, words[w], shown, sizeof shown);
        // Padded by characters, not bytes: "–" and "µ" take one column each.
        int columns = 0;
        for (const char* c = shown; *c != '\0'; ++c)
            columns += (*c & 0xC0) != 0x80 ? 1 : 0;
        Say("%2d  %-16s %s%*s %5u", w, NameOf(w), shown, columns < 24 ? 24 - columns : 0, "",
            unsigned{words[w]});
    }
}

// The Get button with its target: RAM or EEPROM into the panel.
int ReadSet(int eeprom) {
    target = eeprom ? EEPROM : RAM;
    CC_BTNGet(pHandle, MAIN_GET, EVENT_COMMIT, nullptr, 0, 0);
    return Answered(eeprom ? "the EEPROM read" : "the RAM read");
}

// The target radio buttons, as the operator clicks them.
void PickTarget(int eeprom) {
    const int control = eeprom ? MAIN_RBT_EEPROM : MAIN_RBT_RAM;
    SetCtrlVal(pHandle, control, 1);
    if (eeprom)
        CC_RBTEeprom(pHandle, control, EVENT_VAL_CHANGED, nullptr, 0, 0);
    else
        CC_RBTRam(pHandle, control, EVENT_VAL_CHANGED, nullptr, 0, 0);
}

// Letters, digits, '-' and '.' as they are; every other run of characters one '_', none at the
// end (the firmware text comes padded with blanks).
void FileNamePart(char* text) {
    char* to = text;
    for (const char* c = text; *c != '\0'; ++c) {
        const bool kept = (*c >= 'A' && *c <= 'Z') || (*c >= 'a' && *c <= 'z') ||
                          (*c >= '0' && *c <= '9') || *c == '-' || *c == '.';
        if (kept)
            *to++ = *c;
        else if (to != text && to[-1] != '_')
            *to++ = '_';
    }
    if (to != text && to[-1] == '_') --to;
    *to = '\0';
}

bool Confirm(int changes) {
    std::fprintf(stderr, "Write %d change%s to the %s of %s? [y/N] ", changes,
                 changes == 1 ? "" : "s", cli.toEeprom ? "EEPROM" : "RAM", cliPortName);
    std::fflush(stderr);
    char answer[16] = "";
    if (std::fgets(answer, sizeof answer, stdin) == nullptr) return false;
    return answer[0] == 'y' || answer[0] == 'Y';
}

} // namespace

int CommandGet() {
    // The link set-up has read the RAM set, as the scope's start-up does.
    int status = SetUpLink();
    if (status == EXIT_DONE && cli.fromEeprom) status = ReadSet(1);
    if (status != EXIT_DONE) return status;
    u16 words[PNUM];
    std::memcpy(words, pp, sizeof words);
    PrintSet(words, cli.fromEeprom);
    if (cli.out == nullptr) return EXIT_DONE;
    // The Send button with the file target, its dialog answered with --out.
    CopyText(file_name, sizeof file_name, cli.out);
    SetStatusText("");
    SendParaToFile();
    if (szStatus[0] != '\0')
        return Fail(EXIT_FAILED, Tr("cannot write %s (%s)"), cli.out, Tr(szStatus));
    return EXIT_DONE;
}

int CommandSend() {
    int status = SetUpLink();
    if (status == EXIT_DONE && cli.toEeprom) status = ReadSet(1);
    if (status != EXIT_DONE) return status;
    u16 before[PNUM];
    std::memcpy(before, pp, sizeof before);
    // The Get button with the file target: the file's words through the range rules onto the
    // panel.
    std::uint32_t fileWords[PNUM] = {};
    if (FileToArray(cli.file, fileWords, VAL_UNSIGNED_INTEGER, PNUM, 1, VAL_GROUPS_TOGETHER,
                    VAL_GROUPS_AS_COLUMNS, VAL_ASCII) < 0)
        return Fail(EXIT_USAGE, Tr("%s is not a parameter file (16 numbers)"), cli.file);
    CopyText(file_name, sizeof file_name, cli.file);
    TakeParaWords(fileWords);
    PushGET(DATFILE);
    u16 after[PNUM];
    ReadPanelWords(after);
    int changes = 0;
    for (int w = 0; w < PNUM; ++w) {
        if (before[w] == after[w]) continue;
        ++changes;
        char was[96], will[96];
        ShownValue(w, before[w], was, sizeof was);
        ShownValue(w, after[w], will, sizeof will);
        if (cli.json)
            Say("{\"port\":%s,\"word\":%d,\"name\":\"%s\",\"raw\":%u,\"new_raw\":%u}", QuotedPort(),
                w, NameOf(w), unsigned{before[w]}, unsigned{after[w]});
        else
            Say("%2d  %-16s %s (%u) -> %s (%u)", w, NameOf(w), was, unsigned{before[w]}, will,
                unsigned{after[w]});
    }
    if (changes == 0) {
        std::fprintf(stderr, "kvorctl: %s: the %s holds this set already: nothing to write\n",
                     cliPortName, cli.toEeprom ? "EEPROM" : "RAM");
        return EXIT_DONE;
    }
    if (cli.dryRun) return EXIT_DONE;
    if (!cli.yes) {
        if (IsTerminal(0) == 0)
            return Fail(EXIT_USAGE, "%s", Tr("no terminal to ask on: give --yes to write"));
        if (!Confirm(changes)) return Fail(EXIT_FAILED, "%s", Tr("not written"));
    }
    PickTarget(cli.toEeprom);
    CC_BTNSend(pHandle, MAIN_SEND, EVENT_LEFT_CLICK, nullptr, 0, 0);
    if (nBytesW != 36) return Fail(EXIT_PORT, Tr("the set did not go out (%s)"), Tr(szStatus));
    status = ReadSet(cli.toEeprom);
    if (status != EXIT_DONE) return status;
    int differ = 0;
    for (int w = 0; w < PNUM; ++w)
        if (pp[w] != after[w]) {
            ++differ;
            Fail(EXIT_FAILED, Tr("word %d (%s) holds %u, written %u"), w, NameOf(w),
                 unsigned{pp[w]}, unsigned{after[w]});
        }
    if (differ > 0)
        return Fail(EXIT_FAILED, Tr("the %s does not hold what was written"),
                    cli.toEeprom ? "EEPROM" : "RAM");
    std::fprintf(stderr, "kvorctl: %s: %d change%s written to the %s and read back\n", cliPortName,
                 changes, changes == 1 ? "" : "s", cli.toEeprom ? "EEPROM" : "RAM");
    return EXIT_DONE;
}

int CommandBackup() {
    int status = SetUpLink();
    if (status != EXIT_DONE) return status;
    u16 ram[PNUM];
    std::memcpy(ram, pp, sizeof ram);
    status = ReadSet(1);
    if (status != EXIT_DONE) return status;
    // Named by sensor (its firmware text and its port: several alike may be backed up into one
    // folder at once), station and time; both reads are in the history.
    char sensor[STATUS_LEN + 1], port[PATH_LEN], station[64], stamp[32];
    CopyText(sensor, sizeof sensor, szVersion[0] != '\0' ? szVersion : "sensor");
    CopyText(port, sizeof port, cliPortName[0] == '/' ? cliPortName + 1 : cliPortName);
    GetStationName(station, sizeof station);
    LocalTimeFileStamp(stamp, sizeof stamp);
    for (char* text : {sensor, port, station})
        FileNamePart(text);
    std::error_code made;
    std::filesystem::create_directories(cli.dir, made);
    if (made)
        return Fail(EXIT_FAILED, Tr("cannot make the folder %s (%s)"), cli.dir,
                    made.message().c_str());
    for (int eeprom = 0; eeprom < 2; ++eeprom) {
        char path[PATH_LEN];
        const int n = std::snprintf(path, sizeof path, "%s/%s_%s_%s_%s_%s.dat", cli.dir, sensor,
                                    port, station, stamp, StoreName(eeprom));
        if (n < 0 || n >= static_cast<int>(sizeof path))
            return Fail(EXIT_USAGE, "%s", Tr("the folder's name is too long"));
        errno = 0;
        if (WriteParaFile(path, eeprom ? pp : ram) < 0)
            return Fail(EXIT_FAILED, Tr("cannot write %s (%s)"), path,
                        errno != 0 ? std::strerror(errno) : "write error");
        if (cli.json)
            Say("{\"port\":%s,\"store\":\"%s\",\"file\":%s}", QuotedPort(), StoreName(eeprom),
                Quoted(path));
        else
            Say("%-6s %s", StoreName(eeprom), path);
    }
    return EXIT_DONE;
}

} // namespace kvor

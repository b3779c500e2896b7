// SPDX-License-Identifier: GPL-3.0-or-later
// kvorctl's command line: the subcommand, the ports and the options, and its exit statuses.
#pragma once

#include "state/state.h"

namespace kvor {

// The exit status tells a script what happened; with several ports, the highest.
enum : int {
    EXIT_DONE = 0,    // done
    EXIT_FAILED = 1,  // the command's own failure: a set not held, a gauge not capable
    EXIT_USAGE = 2,   // the command line is wrong
    EXIT_PORT = 3,    // a port that cannot be opened
    EXIT_SILENT = 4,  // the sensor did not answer
    EXIT_FOREIGN = 5, // a sensor of another series
    EXIT_REFUSED = 6, // the MQTT broker refused the connection (user, password, certificate)
};

inline constexpr int CLI_MAX_PORTS = 32;

struct CliOptions {
    const char* command;
    const char* ports[CLI_MAX_PORTS];
    i32 portCount;
    i32 json;         // --json, or --format json
    i32 csv;          // --format csv
    i32 named;        // lines name their port (a copy run for one of several ports)
    i32 fromEeprom;   // get --from eeprom
    i32 toEeprom;     // send --to eeprom
    i32 storeGiven;   // --from / --to given
    const char* out;  // get --out FILE.dat
    const char* file; // send FILE.dat
    i32 dryRun, yes;
    i32 count;       // measure --count, gauge --count
    double seconds;  // measure --seconds
    i32 follow;      // measure --follow
    double ref, tol; // gauge
    i32 refGiven, tolGiven;
    const char* report; // gauge --report
    const char* dir;    // backup --dir
    // measure --publish URL [--topic PREFIX] [--user U] [--password-file F] [--cafile CA]
    const char* publish;
    const char* topic;
    const char* user;
    const char* passwordFile;
    const char* caFile;
};

extern CliOptions cli;
// The port this process works on and its name in every line and message.
extern char cliPortName[PATH_LEN];

// Reads the command line into cli; returns EXIT_DONE, or EXIT_USAGE after one line on stderr.
// --help and --version answer at once (*answered = 1).
int ParseCommandLine(int argc, char** argv, int* answered);

} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// What one record of the parameter history costs on a short file and on a long one: the first
// record of a link reads the file once, every later one only what was appended since.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "params/history.h"
#include "runtime/runtime.h"

namespace {

using namespace kvor;

// A sensor's file of `records` sets, written as the history writes them.
std::string FillFile(int records) {
    CopyText(historySensor.station, sizeof historySensor.station,
             ("bench " + std::to_string(records)).c_str());
    char dir[PATH_LEN], name[HISTORY_NAME_LEN];
    if (!HistoryFolder(dir)) std::exit(1);
    HistoryFileName(historySensor, name, sizeof name);
    const std::string path = std::string(dir) + "/" + name;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << HISTORY_HEADER;
    HistoryEntry e{};
    CopyText(e.time, sizeof e.time, "2026-12-08T09:41:05.123+01:00");
    e.event = HISTORY_GET_RAM;
    e.sensor = historySensor;
    e.stored = e.known = 1;
    for (int k = 1; k <= records; ++k) {
        char line[HISTORY_LINE_LEN];
        e.set = k;
        e.words[0] = static_cast<u16>(k);
        if (FormatHistoryLine(e, line, sizeof line) > 0) file << line;
    }
    return path;
}

// Milliseconds of the first record on the file and of each of `more` after it.
void Measure(int records, int more) {
    FillFile(records);
    u16 words[PNUM] = {};
    double t = Timer();
    words[0] = 1;
    RecordParameterSet(HISTORY_GET_RAM, words);
    const double first = Timer() - t;
    t = Timer();
    for (int k = 0; k < more; ++k) {
        words[0] = static_cast<u16>(2 + k);
        RecordParameterSet(HISTORY_GET_RAM, words);
    }
    const double each = (Timer() - t) / more;
    std::printf("parameter history, first record on a file of %d records|%.3f ms|\n", records,
                1000.0 * first);
    std::printf("parameter history, each later record on a file of %d records|%.3f ms|\n", records,
                1000.0 * each);
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    char data[] = "/tmp/kvor-bench-history-XXXXXX";
    if (mkdtemp(data) == nullptr) return 1;
    setenv("XDG_DATA_HOME", data, 1);
    ProgramInstance instance{argc, argv};
    if (!InitRuntime(&instance)) return 1;
    ResetHistory();
    CopyText(historySensor.firmware, sizeof historySensor.firmware, "K-VOR-PX-250 V2.40");
    const int more = argc > 1 ? std::atoi(argv[1]) : 200;
    Measure(100, more > 0 ? more : 1);
    Measure(100000, more > 0 ? more : 1);
    CloseRuntime();
    std::filesystem::remove_all(data);
    return kvor::historyEnded;
}

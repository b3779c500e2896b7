// SPDX-License-Identifier: GPL-3.0-or-later
// A parameter history file of any content, read as the history window reads it: every entry
// taken is a whole record, and written again it reads back as the same entry.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fuzz/fuzz_scope.h"
#include "params/history.h"
#include "params/history_record.h"

namespace kvor::fuzz {
namespace {

// The file the input is written to (see TempFile).
constexpr const char* kInputFile = "/tmp/kvor_fuzz_historyXXXXXX.csv";

constexpr int kKept = 8;

bool SameEntry(const HistoryEntry& a, const HistoryEntry& b) {
    return std::strcmp(a.time, b.time) == 0 && a.event == b.event && a.set == b.set &&
           a.stored == b.stored &&
           (a.stored == 0 || std::memcmp(a.words, b.words, sizeof a.words) == 0) &&
           std::strcmp(a.sensor.firmware, b.sensor.firmware) == 0 &&
           std::memcmp(a.sensor.hardware, b.sensor.hardware, sizeof a.sensor.hardware) == 0 &&
           a.sensor.simulated == b.sensor.simulated;
}

} // namespace
} // namespace kvor::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kvor;
    using namespace kvor::fuzz;
    StartScopeOnce();
    WriteTempFile(kInputFile, data, size);

    static HistoryEntry kept[kKept];
    HistorySummary summary;
    const int n = ReadHistoryFile(TempFile(kInputFile), kept, kKept, &summary);
    KVOR_FUZZ_CHECK(n >= 0 && n <= kKept &&
                    n == (summary.entries < kKept ? summary.entries : kKept));
    KVOR_FUZZ_CHECK(summary.entries <= summary.lines);
    for (int k = 0; k < n; ++k) {
        const HistoryEntry& e = kept[k];
        KVOR_FUZZ_CHECK(HistoryEventText(e.event)[0] != '\0');
        KVOR_FUZZ_CHECK(e.time[0] != '\0' && std::memchr(e.time, '\0', sizeof e.time) != nullptr);
        KVOR_FUZZ_CHECK(e.stored == 0 || (e.known == 1 && e.set > 0));
        char line[HISTORY_LINE_LEN];
        KVOR_FUZZ_CHECK(FormatHistoryLine(e, line, sizeof line) > 0);
        line[std::strcspn(line, "\r\n")] = '\0';
        HistoryEntry again;
        KVOR_FUZZ_CHECK(ParseHistoryLine(line, &again));
        KVOR_FUZZ_CHECK(SameEntry(e, again));
    }
    return 0;
}

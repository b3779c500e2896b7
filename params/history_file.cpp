// SPDX-License-Identifier: GPL-3.0-or-later
// Reading history files line by line through the file lock.
#include "params/history_file.h"

#include <algorithm>
#include <cstring>

#include "runtime/runtime.h"

namespace kvor {

namespace {

constexpr double kLockWaitSeconds = 2.0;
constexpr int kChunk = 8192;

void Mark(HistoryLineMark* mark, long long at, const char* line, int length) {
    mark->at = at;
    mark->length = length;
    std::memcpy(mark->text, line, static_cast<std::size_t>(length));
    mark->text[length] = '\0';
}

// Takes one line into the scan. `whole`: the line fitted its buffer.
void TakeLine(HistoryScan* scan, long long at, const char* line, int length, bool whole,
              HistoryEntry* keep, int max) {
    HistorySummary& s = scan->summary;
    if (length == 0 && whole) return; // a blank line, as a cut record leaves behind it
    ++s.lines;
    Mark(&scan->tail, at, line, length);
    if (at == 0 && IsHistoryHeader(line)) {
        s.header = 1;
        return;
    }
    HistoryEntry e;
    if (!whole || !ParseHistoryLine(line, &e)) {
        ++s.leftOut;
        return;
    }
    // An entry that does not store its set has the set of the entry before it; when that
    // record was left out, its words went with it.
    if (e.stored) {
        scan->setOfWords = e.set;
        std::copy_n(e.words, PNUM, scan->setWords);
        Mark(&scan->setLine, at, line, length);
    } else if (e.set != 0 && e.set == scan->setOfWords) {
        std::copy_n(scan->setWords, PNUM, e.words);
        e.known = 1;
    } else if (e.set != 0) {
        e.lost = 1;
        ++s.lost;
    }
    s.lastSet = std::max(s.lastSet, e.set);
    if (IsEepromEvent(e.event) && e.known) s.eeprom = 1;
    if (IsEepromEvent(e.event) && e.lost) s.eepromLost = 1;
    if (max > 0) keep[s.entries % max] = e;
    ++s.entries;
    s.newest = e;
}

// Whether the file holds the marked line's bytes where the mark says.
bool StillThere(int file, const HistoryLineMark& mark) {
    char bytes[HISTORY_LINE_LEN];
    return ReadLockedFile(file, mark.at, bytes, mark.length) == mark.length &&
           std::memcmp(bytes, mark.text, static_cast<std::size_t>(mark.length)) == 0;
}

} // namespace

bool IsNotHistory(const HistorySummary& summary) {
    return summary.lines > 0 && summary.entries == 0 && summary.header == 0;
}

int ScanHistory(int file, long long to, HistoryScan* scan, HistoryEntry* keep, int max) {
    static char chunk[kChunk];
    char line[HISTORY_LINE_LEN];
    int length = 0;
    bool whole = true;
    long long at = scan->end;
    while (scan->end < to) {
        const auto want = static_cast<int>(std::min<long long>(kChunk, to - scan->end));
        const int got = ReadLockedFile(file, scan->end, chunk, want);
        if (got < 0) return got;
        if (got == 0) break; // the file ended sooner than it said
        for (int i = 0; i < got; ++i) {
            const char c = chunk[i];
            if (c != '\n') {
                if (length < HISTORY_LINE_LEN - 1)
                    line[length++] = c;
                else
                    whole = false;
                continue;
            }
            if (length > 0 && line[length - 1] == '\r' && whole) --length;
            line[length] = '\0';
            TakeLine(scan, at, line, length, whole, keep, max);
            at = scan->end + i + 1;
            length = 0;
            whole = true;
        }
        scan->end += got;
        scan->endsInLine = chunk[got - 1] == '\n' ? 1 : 0;
    }
    // A last line without its line end: a record whose end a crash took is no record, but one
    // that lacks only the line end is whole.
    if (at < scan->end) {
        if (length > 0 && line[length - 1] == '\r' && whole) --length;
        line[length] = '\0';
        TakeLine(scan, at, line, length, whole, keep, max);
    }
    return 0;
}

bool HistoryScanHolds(int file, long long size, const HistoryScan& scan) {
    if (size < scan.end) return false;
    if (scan.end == 0) return true;
    return StillThere(file, scan.tail) && (scan.setOfWords == 0 || StillThere(file, scan.setLine));
}

int ReadHistoryFile(const char* path, HistoryEntry* keep, int max, HistorySummary* summary) {
    *summary = HistorySummary{};
    const int file = OpenLockedFile(path, 0, kLockWaitSeconds);
    if (file <= 0) return -1;
    static HistoryScan scan;
    scan = HistoryScan{};
    scan.endsInLine = 1;
    const long long size = LockedFileSize(file);
    const int read = size < 0 ? static_cast<int>(size) : ScanHistory(file, size, &scan, keep, max);
    CloseLockedFile(file);
    if (read < 0) return -1;
    *summary = scan.summary;
    if (max <= 0) return 0;
    const int kept = std::min(summary->entries, max);
    // The ring of the newest `max` starts with the oldest of them.
    if (summary->entries > max) std::rotate(keep, keep + summary->entries % max, keep + max);
    return kept;
}

} // namespace kvor

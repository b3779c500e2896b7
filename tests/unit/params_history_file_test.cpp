// SPDX-License-Identifier: GPL-3.0-or-later
// The history file after a crash: a record cut anywhere, or any byte of one changed, is no
// record, every other record is read, and what is appended next starts a line of its own.
#include <cstdio>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "params/history.h"
#include "runtime/runtime.h"

namespace kvor {
namespace {

HistoryEntry Entry(i32 event, i32 set, u16 power) {
    HistoryEntry e{};
    CopyText(e.time, sizeof e.time, "2026-12-08T09:41:05.123+01:00");
    e.event = event;
    e.set = set;
    e.stored = e.known = 1;
    for (int i = 0; i < PNUM; ++i)
        e.words[i] = static_cast<u16>(power + 7 * i);
    CopyText(e.sensor.firmware, sizeof e.sensor.firmware, "K-VOR-PX \"1024\", V2.40");
    e.sensor.hardware[0] = 2;
    return e;
}

std::string Line(const HistoryEntry& e) {
    char line[HISTORY_LINE_LEN];
    EXPECT_GT(FormatHistoryLine(e, line, sizeof line), 0);
    return line;
}

class HistoryFile : public ::testing::Test {
  protected:
    int Read(const std::string& bytes, HistoryEntry* kept) {
        std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes;
        HistorySummary summary;
        return ReadHistoryFile(path_.c_str(), kept, 4, &summary);
    }
    void TearDown() override { std::remove(path_.c_str()); }
    // Tests may run side by side: each has a file of its own.
    std::string path_ = ::testing::TempDir() + "kvor-history-" +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".csv";
};

TEST_F(HistoryFile, IsReadUpToItsLastWholeRecordWhereverTheLastIsCut) {
    const std::string whole = std::string(HISTORY_HEADER) + Line(Entry(HISTORY_GET_RAM, 1, 500)) +
                              Line(Entry(HISTORY_SEND_EEPROM, 2, 640));
    const std::string last = Line(Entry(HISTORY_TEACH, 3, 90));
    HistoryEntry kept[4];
    for (std::size_t cut = 0; cut <= last.size(); ++cut) {
        SCOPED_TRACE(cut);
        // Only the line end may be missing from a whole record.
        const int whole3 = cut >= last.size() - 2 ? 3 : 2;
        ASSERT_EQ(Read(whole + last.substr(0, cut), kept), whole3);
        EXPECT_EQ(kept[1].event, HISTORY_SEND_EEPROM);
        EXPECT_EQ(kept[1].words[15], 640 + 7 * 15);
        EXPECT_STREQ(kept[1].sensor.firmware, "K-VOR-PX \"1024\", V2.40");
        // The next record appended after the crash is whole.
        const int file = OpenTextFile(path_.c_str(), VAL_APPEND);
        ASSERT_EQ(WriteTextFile(file, Line(Entry(HISTORY_GET_EEPROM, 4, 1)).c_str()), 0);
        ASSERT_EQ(CloseTextFile(file), 0);
        HistorySummary summary;
        ASSERT_EQ(ReadHistoryFile(path_.c_str(), kept, 4, &summary), whole3 + 1);
        EXPECT_EQ(kept[whole3].event, HISTORY_GET_EEPROM);
        EXPECT_EQ(summary.eeprom, 1);
    }
}

TEST_F(HistoryFile, ARecordWithAnyByteChangedIsLeftOutAndTheOthersAreRead) {
    const std::string first = Line(Entry(HISTORY_LINK_SETUP, 1, 500));
    const std::string middle = Line(Entry(HISTORY_SEND_RAM, 2, 640));
    HistoryEntry again = Entry(HISTORY_GET_EEPROM, 2, 0);
    again.stored = 0; // the set of the entry before, not stored twice
    const std::string last = Line(again);
    HistoryEntry kept[4];
    for (std::size_t at = 0; at + 2 < middle.size(); ++at) {
        SCOPED_TRACE(at);
        std::string changed = middle;
        changed[at] = static_cast<char>(changed[at] ^ 0x01);
        ASSERT_EQ(Read(first + changed + last, kept), 2);
        EXPECT_EQ(kept[0].event, HISTORY_LINK_SETUP);
        // Its set is gone with it, so the entry after it knows no words.
        EXPECT_EQ(kept[1].known, 0);
    }
    ASSERT_EQ(Read(first + middle + last, kept), 3);
    EXPECT_EQ(kept[2].known, 1);
    EXPECT_EQ(kept[2].words[0], 640);
}

} // namespace
} // namespace kvor

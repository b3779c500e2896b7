// SPDX-License-Identifier: GPL-3.0-or-later
// The history file after a crash: a record cut anywhere, or any byte of one changed, is no
// record, every other record is read, and what is appended next starts a line of its own.
// Records appended by two scopes at once, and after a record was damaged.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
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
    int Read(const std::string& bytes, HistoryEntry* kept, HistorySummary* summary = nullptr) {
        std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes;
        HistorySummary own;
        return ReadHistoryFile(path_.c_str(), kept, 4, summary != nullptr ? summary : &own);
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
        HistorySummary summary;
        ASSERT_EQ(Read(first + changed + last, kept, &summary), 2);
        EXPECT_EQ(kept[0].event, HISTORY_LINK_SETUP);
        // Its set is gone with it, so the entry after it knows no words, and says so.
        EXPECT_EQ(kept[1].known, 0);
        EXPECT_EQ(kept[1].lost, 1);
        EXPECT_EQ(summary.leftOut, 1);
        EXPECT_EQ(summary.lost, 1);
        EXPECT_EQ(summary.eepromLost, 1);
        EXPECT_EQ(summary.eeprom, 0);
    }
    ASSERT_EQ(Read(first + middle + last, kept), 3);
    EXPECT_EQ(kept[2].known, 1);
    EXPECT_EQ(kept[2].words[0], 640);
}

// Records through the procedure every exchange uses, to the file of a sensor at a station.
class HistoryRecords : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetHistory();
        CopyText(historySensor.station, sizeof historySensor.station,
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        char dir[PATH_LEN], name[HISTORY_NAME_LEN];
        ASSERT_TRUE(HistoryFolder(dir));
        HistoryFileName(historySensor, name, sizeof name);
        path_ = std::string(dir) + "/" + name;
    }
    void TearDown() override {
        std::remove(path_.c_str());
        ResetHistory();
    }
    static void Record(int power) {
        const u16 words[PNUM] = {static_cast<u16>(power)};
        RecordParameterSet(HISTORY_GET_RAM, words);
    }
    std::string path_;
};

TEST_F(HistoryRecords, TwoScopesAppendingAtOnceNeverGiveTwoSetsOneNumber) {
    constexpr int kEach = 150;
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    const pid_t other = fork();
    ASSERT_GE(other, 0);
    if (other == 0) {
        char start = 0;
        if (read(go[0], &start, 1) != 1) _exit(2);
        for (int i = 0; i < kEach; ++i)
            Record(10000 + i);
        _exit(historyEnded);
    }
    ASSERT_EQ(write(go[1], "!", 1), 1);
    for (int i = 0; i < kEach; ++i)
        Record(30000 + i);
    int status = 0;
    ASSERT_EQ(waitpid(other, &status, 0), other);
    close(go[0]);
    close(go[1]);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0 && historyEnded == 0);
    static HistoryEntry kept[2 * kEach];
    HistorySummary summary;
    ASSERT_EQ(ReadHistoryFile(path_.c_str(), kept, 2 * kEach, &summary), 2 * kEach);
    EXPECT_EQ(summary.leftOut, 0);
    // Every record a set of its own, numbered 1, 2, 3 ... in the order of the file.
    for (int k = 0; k < 2 * kEach; ++k)
        EXPECT_TRUE(kept[k].set == k + 1 && kept[k].stored == 1) << k;
}

TEST_F(HistoryRecords, AFileThatIsNoHistoryIsReportedAndLeftAsItIs) {
    const std::string garbage = "PK\x03\x04 not a history\nsecond line\n";
    std::ofstream(path_, std::ios::binary) << garbage;
    Record(700);
    EXPECT_EQ(std::string(szHistoryProblem),
              "Parameter history stopped (not a parameter history, left as it is): " + path_);
    std::stringstream after;
    after << std::ifstream(path_, std::ios::binary).rdbuf();
    EXPECT_EQ(after.str(), garbage);
}

} // namespace
} // namespace kvor

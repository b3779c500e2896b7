// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter history against the simulated sensor's own log: what it keeps of a session,
// restoring an entry through the panel, reading the sensor beside the panel, a full disk, two
// sensors of one type at two stations, files of before stations were kept, damaged records,
// and each entry in its own sensor's units.
#include <unistd.h>

#include <QListWidget>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "params/history.h"
#include "params/history_window.h"
#include "params/panel_map.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "tests/support/harness.h"
#include "wire/protocol.h"

namespace kvor {
namespace {

using test::Click;
using Words = std::vector<u16>;

class History : public test::ScopeTest {
  protected:
    void SetUp() override {
        char dir[] = "/tmp/kvor-history-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        data_ = dir;
        setenv("XDG_DATA_HOME", dir, 1);
        test::ScopeTest::SetUp();
    }
    void TearDown() override {
        test::ScopeTest::TearDown();
        std::filesystem::remove_all(data_);
    }
    static std::string SensorFile() {
        char dir[PATH_LEN], name[HISTORY_NAME_LEN];
        EXPECT_TRUE(HistoryFolder(dir));
        HistoryFileName(historySensor, name, sizeof name);
        return std::string(dir) + "/" + name;
    }
    static std::vector<HistoryEntry> Entries() {
        static HistoryEntry kept[200];
        HistorySummary summary;
        const int n = ReadHistoryFile(SensorFile().c_str(), kept, 200, &summary);
        return {kept, kept + (n > 0 ? n : 0)};
    }
    // Send is taken on the mouse button going down; the write is not awaited.
    void Send() {
        const std::size_t before = sensor().requests().size();
        test::PressButton(1, MAIN_SEND);
        test::ReleaseButton(1, MAIN_SEND);
        ASSERT_TRUE(test::PumpUntil([&] { return sensor().requests().size() > before; }, 5.0));
    }
    std::string data_;
};

// What the history must hold, from the sensor's log alone: each set it answered a read with or
// was written, the RAM set after a store with the words it answered.
std::vector<std::pair<std::string, Words>> FromSensorLog(const sim::SimulatedSensor& s) {
    std::vector<std::pair<std::string, Words>> expected;
    std::vector<sim::Request> answers = s.answerFrames();
    Words ram;
    int previous = 0;
    for (const sim::Request& r : s.requests()) {
        auto a = std::find_if(answers.begin(), answers.end(),
                              [&](const sim::Request& x) { return x.command == r.command; });
        if (a == answers.end()) continue;
        const Words sent(r.words, r.words + PNUM), answered(a->words, a->words + PNUM);
        const bool store =
            r.command == protocol::CMD_CALIBRATION && r.words[0] == protocol::CAL_STORE;
        answers.erase(a);
        if (r.command == protocol::CMD_READ_RAM) {
            expected.push_back({expected.empty()                  ? "read at link set-up"
                                : previous == protocol::CMD_TEACH ? "Teach"
                                                                  : "Get RAM",
                                ram = answered});
        } else if (r.command == protocol::CMD_READ_EEPROM) {
            expected.push_back({"Get EEPROM", answered});
        } else if (r.command == protocol::CMD_WRITE_RAM ||
                   r.command == protocol::CMD_WRITE_EEPROM) {
            expected.push_back(
                {r.command == protocol::CMD_WRITE_RAM ? "Send RAM" : "Send EEPROM", sent});
            if (r.command == protocol::CMD_WRITE_RAM) ram = sent;
        } else if (store) {
            ram[12] = answered[0];
            ram[13] = answered[1];
            expected.push_back({"Store calibration", ram});
        }
        previous = r.command;
    }
    return expected;
}

TEST_F(History, HoldsEntryForEntryWhatTheSensorWasSentAndAnsweredAndEachSetOnce) {
    Click(1, MAIN_GET);
    Click(1, MAIN_RBT_EEPROM);
    Click(1, MAIN_GET); // the EEPROM holds what the RAM held at power-up: the same set
    Click(1, MAIN_RBT_RAM);
    test::EnterNumber(1, MAIN_POWER, 640);
    Send();
    Click(1, MAIN_RBT_EEPROM);
    Send(); // the set just sent to the RAM
    Click(1, MAIN_TEACH);
    Click(1, MAIN_POPUP_TOGGLE);
    slopeval = 2.5;
    interval = -40.0;
    SetCtrlAttribute(pPopup, POP_STORE, ATTR_DIMMED, 0);
    Click(2, POP_STORE);
    ASSERT_TRUE(sensor().awaitAnswersSent(sensor().requests().size(), 5.0));

    const auto expected = FromSensorLog(sensor());
    const std::vector<HistoryEntry> entries = Entries();
    ASSERT_EQ(entries.size(), 7u);
    ASSERT_EQ(entries.size(), expected.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(HistoryEventText(entries[i].event), expected[i].first);
        EXPECT_EQ(Words(entries[i].words, entries[i].words + PNUM), expected[i].second);
        EXPECT_TRUE(entries[i].known);
        const bool sameAsBefore = i > 0 && expected[i].second == expected[i - 1].second;
        EXPECT_EQ(entries[i].stored, sameAsBefore ? 0 : 1);
    }
    EXPECT_EQ(entries.back().words[12], 2560); // the word the sensor answered: 2.5 · 1024
}

// Sets in every word's accepted range, its ends included, through the history file, the
// window's Load into panel and Send: the words on the line are the entry's, bit for bit.
TEST_F(History, AnEntryLoadedIntoThePanelIsSentBitForBit) {
    const u16 lo[PNUM] = {0, 0, 50, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0};
    const u16 hi[PNUM] = {1000,  1,    950, 7, 1,     2,     4096, 4096,
                          65535, 4096, 1,   3, 65534, 60000, 1024, 65535};
    std::mt19937 random(21);
    std::vector<Words> sets = {Words(lo, lo + PNUM), Words(hi, hi + PNUM)};
    while (sets.size() < 24) {
        Words w(PNUM);
        for (int i = 0; i < PNUM; ++i)
            w[i] = static_cast<u16>(std::uniform_int_distribution<int>(lo[i], hi[i])(random));
        sets.push_back(w);
    }
    for (const Words& w : sets)
        RecordParameterSet(HISTORY_GET_RAM, w.data());
    Click(1, MAIN_HISTORY);
    auto* list = qobject_cast<QListWidget*>(test::Control(pHistory, HIST_ENTRIES));
    ASSERT_NE(list, nullptr);
    for (std::size_t k = 0; k < sets.size(); ++k) {
        SCOPED_TRACE(k);
        // Newest first; each Send has added an entry, the link set-up was the first.
        list->setCurrentRow(list->count() - 2 - static_cast<int>(k));
        Click(pHistory, HIST_LOAD);
        Send();
        const sim::Request sent = sensor().requests().back();
        EXPECT_EQ(sent.command, protocol::CMD_WRITE_RAM);
        EXPECT_EQ(Words(sent.words, sent.words + PNUM), sets[k]);
    }
}

// The operator sees RAM and EEPROM beside the panel, nothing but the two reads go on the line,
// and neither the panel nor a parameter variable changes.
TEST_F(History, ReadSensorShowsRamAndEepromBesideThePanelAndChangesNothing) {
    Words ram = sensor().ramParameters();
    ram[0] = 900;
    sensor().setRamParameters(ram);
    test::EnterNumber(1, MAIN_POWER, 321);
    Click(1, MAIN_HISTORY);
    u16 panelBefore[PNUM], panelAfter[PNUM];
    ReadPanelWords(panelBefore);
    u16* const variables[] = {&power, &rs232Mode, &vThd,    &anaMode,  &polarity, &eMode,
                              &eBeg,  &eEnd,      &tVal,    &tTol,     &opMode,   &eHardware,
                              &slope, &intersect, &average, &deltaTol, &trigMode};
    Words before;
    for (u16* v : variables)
        before.push_back(*v);
    sensor().clearRequests();
    Click(pHistory, HIST_READ);
    ReadPanelWords(panelAfter);
    Words after;
    for (u16* v : variables)
        after.push_back(*v);
    EXPECT_EQ(after, before);
    EXPECT_TRUE(std::equal(panelBefore, panelBefore + PNUM, panelAfter));
    std::vector<int> commands;
    for (const sim::Request& r : sensor().requests())
        commands.push_back(r.command);
    EXPECT_EQ(commands, (std::vector<int>{protocol::CMD_READ_RAM, protocol::CMD_READ_EEPROM}));
    auto cell = [](int row, int column) {
        char text[64] = "";
        int marked = 0;
        GetTableCellVal(pHistory, HIST_TABLE, row, column, text, sizeof text);
        GetTableCellAttribute(pHistory, HIST_TABLE, row, column, ATTR_TEXT_BOLD, &marked);
        return std::string(text) + (marked ? " (marked)" : "");
    };
    EXPECT_EQ(cell(0, HIST_COL_PANEL), "321");
    EXPECT_EQ(cell(0, HIST_COL_RAM), "≠ 900 (marked)");
    EXPECT_EQ(cell(0, HIST_COL_EEPROM), "≠ 500 (marked)");
    EXPECT_EQ(cell(2, HIST_COL_RAM), cell(2, HIST_COL_PANEL));
    EXPECT_EQ(cell(12, HIST_COL_EEPROM), "1.000000");
    const std::vector<HistoryEntry> entries = Entries();
    ASSERT_GE(entries.size(), 2u);
    EXPECT_EQ(entries[entries.size() - 2].words[0], 900);
    EXPECT_EQ(HistoryEventText(entries.back().event), std::string("Get EEPROM"));
}

// A disk that takes no more ends the history, says so once, and the scope goes on.
TEST_F(History, AFullDiskEndsOnlyTheHistoryWithItsMessage) {
    const std::string file = SensorFile();
    ASSERT_EQ(std::filesystem::remove(file), true);
    std::filesystem::create_symlink("/dev/full", file);
    sensor().setRamParameters({777});
    Click(1, MAIN_GET);
    EXPECT_EQ(test::StatusLine(), "Parameter-frame received! - Line Ok!");
    EXPECT_EQ(power, 777);
    ProcessSystemEvents();
    EXPECT_EQ(test::StatusLine(), "Parameter history stopped (disk full): " + file);
    std::filesystem::remove(file);
    { std::ofstream empty(file); }
    Send();
    ProcessSystemEvents();
    EXPECT_EQ(test::StatusLine(), "Line Ok!");
    EXPECT_EQ(sensor().ramParameters()[0], 777);
    EXPECT_EQ(std::filesystem::file_size(file), 0u);
}

QListWidget* List(int control) {
    return qobject_cast<QListWidget*>(test::Control(pHistory, control));
}

// The window's sensors as the list shows them; each item's tooltip and accessible text must
// hold its whole text, whatever the box cuts off on the screen.
std::vector<std::string> SensorItems() {
    std::vector<std::string> items;
    QListWidget* list = List(HIST_SENSORS);
    for (int row = 0; list != nullptr && row < list->count(); ++row) {
        const QListWidgetItem* item = list->item(row);
        EXPECT_EQ(item->toolTip(), item->text());
        EXPECT_EQ(item->data(Qt::AccessibleTextRole).toString(),
                  QString(item->text()).replace('\n', ", "));
        items.push_back(item->text().toStdString());
    }
    return items;
}

// Picks the sensor whose item holds `text`; false when none does.
bool PickSensor(const std::string& text) {
    const std::vector<std::string> items = SensorItems();
    for (std::size_t row = 0; row < items.size(); ++row)
        if (items[row].find(text) != std::string::npos) {
            List(HIST_SENSORS)->setCurrentRow(static_cast<int>(row));
            return true;
        }
    return false;
}

std::string Text(int control) {
    char text[512] = "";
    GetCtrlVal(pHistory, control, text);
    return text;
}

std::string FileText(const std::string& path) {
    std::stringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

// What the table shows of word `word` for each entry of the chosen sensor, newest first,
// without a mark.
std::vector<std::string> EntryColumn(int word) {
    std::vector<std::string> cells;
    for (int row = 0; row < List(HIST_ENTRIES)->count(); ++row) {
        List(HIST_ENTRIES)->setCurrentRow(row);
        char text[64] = "";
        GetTableCellVal(pHistory, HIST_TABLE, word, HIST_COL_ENTRY, text, sizeof text);
        cells.push_back(std::string(text).substr(std::string(text).rfind(' ') + 1));
    }
    return cells;
}

TEST_F(History, TwoSensorsOfOneTypeOnTwoAdaptersKeepTwoHistories) {
    sim::SimulatedSensor& other = secondSensor(SensorOptions());
    other.setRamParameters({901});
    Click(1, MAIN_GET);
    test::PickRingValue(1, MAIN_COMPORT, 2);
    ASSERT_EQ(power, 901);
    Click(1, MAIN_GET);
    char description[512] = "";
    GetCtrlText(pPopup, POP_DESCRIPTION, description, sizeof description);
    const std::string pixels =
        std::string(description).substr(11, std::string(description).find('\n') - 11);
    ASSERT_EQ(pixels, "1024 pixel; 2048 subpixel");
    Click(1, MAIN_HISTORY);

    const std::vector<std::string> items = SensorItems();
    ASSERT_EQ(items.size(), 2u);
    const std::string type =
        "K-VOR-PX-250 firmware V2.40\nCCD type 2\n" + pixels + "; 4096 virtual pixel\nat device ";
    // The newest first: the sensor on the line, chosen.
    EXPECT_EQ(items[0].rfind(type + other.devicePath() + " · on the line\nlast ", 0), 0u)
        << items[0];
    EXPECT_TRUE(items[0].ends_with(" · no EEPROM backup yet")) << items[0];
    EXPECT_EQ(items[1].rfind(type + sensor().devicePath() + "\nlast ", 0), 0u) << items[1];
    EXPECT_EQ(List(HIST_SENSORS)->currentRow(), 0);
    EXPECT_EQ(EntryColumn(0), (std::vector<std::string>{"901", "901"}));
    ASSERT_TRUE(PickSensor("at device " + sensor().devicePath()));
    EXPECT_EQ(EntryColumn(0), (std::vector<std::string>{"500", "500"}));
    // Load offers the set of the sensor picked, not the other's.
    Click(pHistory, HIST_LOAD);
    u16 words[PNUM];
    ReadPanelWords(words);
    EXPECT_EQ(words[0], 500);
}

// A file of before stations were kept, named by the sensor alone: its entries are listed and can
// be loaded, and nothing new goes into it.
TEST_F(History, AFileOfTheSensorAloneIsReadAsStationNotKnown) {
    char dir[PATH_LEN], name[HISTORY_NAME_LEN];
    ASSERT_TRUE(HistoryFolder(dir));
    HistorySensor alone = historySensor;
    alone.station[0] = '\0';
    HistoryFileName(alone, name, sizeof name);
    const std::string file = std::string(dir) + "/" + name;
    EXPECT_EQ(std::string(name).find('@'), std::string::npos);
    const std::string before =
        "time,event,set,firmware,hardware,simulated,light power,serial output,video threshold,"
        "analog output mode,polarity,edge evaluation,left limit,right limit,setpoint,tolerance,"
        "operating mode,hardware mode,factor word (factor x M),offset word (offset + 30000),"
        "averaging,delta tolerance or trigger mode,check\r\n"
        "2025-03-04T10:11:12.000+01:00,Get RAM,1,\"K-VOR-PX-250 V2.40\",2 1024 250 100 4096 2048 "
        "1 4096 240 250 1024,no,500,0,200,1,0,2,1,4096,2048,100,0,0,1024,30000,1,50,9F66A5AC\r\n"
        "2025-03-04T10:12:13.000+01:00,Get EEPROM,1,\"K-VOR-PX-250 V2.40\",2 1024 250 100 4096 "
        "2048 1 4096 240 250 1024,no,,,,,,,,,,,,,,,,,5C10B1C7\r\n";
    std::ofstream(file, std::ios::binary) << before;
    Click(1, MAIN_HISTORY);
    ASSERT_TRUE(PickSensor("station not known"));
    EXPECT_EQ(Text(HIST_BACKUP), "");
    EXPECT_EQ(Text(HIST_DAMAGE), "");
    EXPECT_EQ(List(HIST_ENTRIES)->item(0)->text().toStdString(),
              "2025-03-04 10:12:13  Get EEPROM  · set 1 again");
    Click(pHistory, HIST_LOAD);
    Send();
    const sim::Request sent = sensor().requests().back();
    EXPECT_EQ(Words(sent.words, sent.words + PNUM),
              (Words{500, 0, 200, 1, 0, 2, 1, 4096, 2048, 100, 0, 0, 1024, 30000, 1, 50}));
    EXPECT_EQ(FileText(file), before);
}

// A record damaged under the scope: the window says what it took, and the next read of that set
// stores its words in full again.
TEST_F(History, TheWindowSaysWhatADamagedRecordTookUntilTheSetIsReadAgain) {
    Click(1, MAIN_RBT_EEPROM);
    Click(1, MAIN_GET); // the same set as the link set-up read
    std::string text = FileText(SensorFile());
    text[text.find(",read at link set-up,1,") + 1] = 'R';
    std::ofstream(SensorFile(), std::ios::binary | std::ios::trunc) << text;
    Click(1, MAIN_HISTORY);
    EXPECT_EQ(Text(HIST_DAMAGE), "1 damaged line left out · 1 entry lost its words (marked "
                                 "“words lost”)");
    EXPECT_EQ(Text(HIST_BACKUP), "EEPROM backup lost with a damaged line — Read sensor");
    ASSERT_EQ(List(HIST_ENTRIES)->count(), 1);
    EXPECT_NE(
        List(HIST_ENTRIES)->item(0)->text().toStdString().find("Get EEPROM  · set 1, words lost"),
        std::string::npos);
    int dimmed = 0;
    GetCtrlAttribute(pHistory, HIST_LOAD, ATTR_DIMMED, &dimmed);
    EXPECT_EQ(dimmed, 1);

    Click(1, MAIN_GET);
    ASSERT_EQ(List(HIST_ENTRIES)->count(), 2);
    EXPECT_NE(List(HIST_ENTRIES)->item(0)->text().toStdString().find("Get EEPROM  · set 2"),
              std::string::npos);
    EXPECT_EQ(Text(HIST_BACKUP), "");
    const std::vector<HistoryEntry> entries = Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries.back().stored, 1);
    EXPECT_EQ(entries.back().set, 2);
}

// The factor of every entry, over the whole range of its word, reads back to that word on the
// scale of the entry's own sensor (512 for CCD type 104, 1024 for any other), whatever sensor
// is on the line.
TEST_F(History, EachEntryShowsItsFactorOnItsOwnSensorsScale) {
    const HistorySensor onLine = historySensor;
    std::map<int, std::pair<int, int>> expected; // light power -> CCD type, factor word
    for (const u16 type : {u16{104}, u16{3}}) {
        historySensor.hardware[0] = type;
        CopyText(historySensor.station, sizeof historySensor.station,
                 ("bench " + std::to_string(type)).c_str());
        for (int word = 0, k = 0;; word = std::min(word + 3677, 65535), ++k) {
            u16 words[PNUM] = {static_cast<u16>(100 + k + type)};
            words[12] = static_cast<u16>(word);
            RecordParameterSet(HISTORY_GET_RAM, words);
            expected[words[0]] = {type, word};
            if (word == 65535) break;
        }
    }
    historySensor = onLine;
    ASSERT_EQ(ccdtype, 2);
    Click(1, MAIN_HISTORY);
    std::size_t checked = 0;
    for (const char* station : {"at bench 104", "at bench 3"}) {
        ASSERT_TRUE(PickSensor(station));
        const std::vector<std::string> powers = EntryColumn(0), factors = EntryColumn(12);
        for (std::size_t row = 0; row < powers.size(); ++row, ++checked) {
            const auto [type, word] = expected.at(std::stoi(powers[row]));
            EXPECT_EQ(std::lround(std::stod(factors[row]) * (type == 104 ? 512 : 1024)), word)
                << powers[row] << " " << factors[row];
        }
    }
    EXPECT_EQ(checked, expected.size());
}

} // namespace
} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter file through the panel's file target: what a save writes, that a load gives it
// back, and that no file that is not 16 numbers changes a variable.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "tests/support/harness.h"

namespace kvor {
namespace {

namespace fs = std::filesystem;
using test::Click;
using test::EnterNumber;
using test::StatusLine;

u16* const kParameters[] = {&power, &rs232Mode, &vThd,    &anaMode,  &polarity, &eMode,
                            &eBeg,  &eEnd,      &tVal,    &tTol,     &opMode,   &eHardware,
                            &slope, &intersect, &average, &deltaTol, &trigMode};

std::vector<u16> Parameters() {
    std::vector<u16> values;
    for (u16* p : kParameters)
        values.push_back(*p);
    return values;
}

std::vector<std::string> Lines(const fs::path& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

void Write(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

class ParaFile : public test::ScopeTest {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kvor_para_" + std::to_string(getpid()));
        fs::create_directories(dir_);
        test::ScopeTest::SetUp();
        Click(1, MAIN_RBT_FILE);
        ASSERT_EQ(target, DATFILE);
    }
    void TearDown() override {
        test::ScopeTest::TearDown();
        fs::remove_all(dir_);
    }
    void Save(const fs::path& file) {
        SetNextFileSelection(file.c_str(), VAL_NEW_FILE_SELECTED);
        Click(1, MAIN_SEND);
    }
    void Load(const fs::path& file) {
        SetNextFileSelection(file.c_str(), VAL_EXISTING_FILE_SELECTED);
        Click(1, MAIN_GET);
    }
    fs::path dir_;
};

TEST_F(ParaFile, ASaveIsSixteenRightAlignedNumbersOnePerLine) {
    const fs::path file = dir_ / "KVORpara.dat";
    Save(file);
    EXPECT_EQ(StatusLine(), "Transmit...");
    EXPECT_STREQ(file_name, file.c_str());
    const std::vector<std::string> lines = Lines(file);
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[0], "  500");
    EXPECT_EQ(lines[1], "    0");
    EXPECT_EQ(lines[2], "  512");
    EXPECT_EQ(lines[12], " 1024");
    EXPECT_EQ(lines[13], "30000");
    for (const std::string& line : lines)
        EXPECT_EQ(line.size(), 5u) << '"' << line << '"';

    // A second save replaces the first.
    EnterNumber(1, MAIN_POWER, 7);
    Save(file);
    EXPECT_EQ(Lines(file).size(), 16u);
    EXPECT_EQ(Lines(file)[0], "    7");
}

TEST_F(ParaFile, ALoadGivesBackWhatWasSavedWithWord15InBoth) {
    EnterNumber(1, MAIN_POWER, 640);
    EnterNumber(1, MAIN_SETPOINT, 700);
    test::PickRingValue(1, MAIN_TRIGMODE, 2);
    Click(1, MAIN_POPUP_TOGGLE);
    EnterNumber(2, POP_FACTOR, 1.5);
    const fs::path file = dir_ / "set.dat";
    Save(file);
    const std::vector<u16> saved = Parameters();
    ASSERT_EQ(trigMode, 2);

    EnterNumber(1, MAIN_POWER, 100);
    EnterNumber(1, MAIN_SETPOINT, 1);
    power = 100;
    tVal = 1;
    slope = 4;
    Load(file);
    std::vector<u16> loaded = Parameters();
    EXPECT_EQ(loaded[0], 640);
    EXPECT_EQ(loaded[8], 700);
    EXPECT_EQ(loaded[12], 1536);
    EXPECT_EQ(deltaTol, 2);
    EXPECT_EQ(trigMode, 2);
    loaded[15] = saved[15]; // deltaTol took word 15, the trigger mode, as well
    EXPECT_EQ(loaded, saved);
    u16 shown = 0;
    GetCtrlVal(pHandle, MAIN_POWER, &shown);
    EXPECT_EQ(shown, 640);
}

TEST_F(ParaFile, AnErasedFactorWordIsShownAsFactorOne) {
    const fs::path file = dir_ / "erased.dat";
    Write(file, "500 0 512 0 1 1 1 1024\t512 100 0 1 65535 30000 0 0\n");
    Load(file);
    EXPECT_EQ(slope, 1024);
    float factor = 0;
    GetCtrlVal(pPopup, POP_FACTOR, &factor);
    EXPECT_FLOAT_EQ(factor, 1.0f);
    // A number beyond a word keeps its low 16 bits.
    Write(file, "65537 0 512 0 1 1 1 1024 512 100 0 1 1024 30000 0 0");
    Load(file);
    EXPECT_EQ(power, 1);
}

TEST_F(ParaFile, NoBadFileChangesAVariable) {
    std::string many;
    for (int i = 0; i < 1000000; ++i)
        many += "1\n";
    std::string binary;
    for (int i = 0; i < 256; ++i)
        binary += static_cast<char>(i);
    const std::vector<std::pair<std::string, std::string>> files = {
        {"empty.dat", ""},
        {"fifteen.dat", "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15\n"},
        {"seventeen.dat", "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17\n"},
        {"word.dat", "500 0 512 0 1 1 1 1024 512 100 0 1 1024 30000 zero 0\n"},
        {"negative.dat", "500 0 512 0 1 1 1 1024 512 100 0 1 1024 -3 0 0\n"},
        {"binary.dat", binary},
        {"million.dat", many},
    };
    power = 432;
    const std::vector<u16> before = Parameters();
    for (const auto& [name, text] : files) {
        Write(dir_ / name, text);
        SetStatusText("before");
        Load(dir_ / name);
        EXPECT_EQ(Parameters(), before) << name;
        EXPECT_EQ(StatusLine(), "Error reading parameter file!") << name;
    }
    Load(dir_ / "missing.dat");
    EXPECT_EQ(Parameters(), before);
    EXPECT_EQ(StatusLine(), "Error reading parameter file!");
    Load(dir_); // a directory
    EXPECT_EQ(Parameters(), before);
    EXPECT_EQ(StatusLine(), "Error reading parameter file!");
}

TEST_F(ParaFile, AFileThatCannotBeWrittenIsReported) {
    Save(dir_ / "no" / "such" / "dir" / "KVORpara.dat");
    EXPECT_EQ(StatusLine(), "Error writing parameter file!");
}

TEST_F(ParaFile, CancelledDialogsWriteNothingAndReadNothing) {
    SetNextFileSelection("", VAL_NO_FILE_SELECTED);
    Click(1, MAIN_SEND);
    EXPECT_EQ(StatusLine(), "Transmit...");
    EXPECT_TRUE(fs::is_empty(dir_));

    power = 1001; // shown again through the range rules: the panel is redrawn
    vThd = 700;
    SetStatusText("kept");
    SetNextFileSelection("", VAL_NO_FILE_SELECTED);
    Click(1, MAIN_GET);
    EXPECT_EQ(power, 500);
    EXPECT_EQ(vThd, 700);
    u16 shown = 0;
    GetCtrlVal(pHandle, MAIN_THRESHOLD, &shown);
    EXPECT_EQ(shown, 700);
    EXPECT_EQ(StatusLine(), "kept");
}

} // namespace
} // namespace kvor

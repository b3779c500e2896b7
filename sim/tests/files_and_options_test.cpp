// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <unistd.h>

#include <gtest/gtest.h>

#include "sim/command_line.h"
#include "sim/eeprom_file.h"
#include "sim/model_presets.h"

namespace kvor::sim {
namespace {

namespace fs = std::filesystem;

fs::path TempFile(const std::string& name) {
    const fs::path dir =
        fs::temp_directory_path() / ("kvor_sim_test_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir / name;
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path) << text;
}

std::string ReadText(const fs::path& path) {
    std::ostringstream s;
    s << std::ifstream(path).rdbuf();
    return s.str();
}

TEST(EepromFile, WritesTheParameterFileLayoutAndReadsItBack) {
    const fs::path path = TempFile("eeprom.dat");
    ParameterSet words = kFactoryParameters;
    words[15] = 65535;
    std::string error;
    ASSERT_TRUE(SaveEepromFile(path.string(), words, &error)) << error;
    const std::string text = ReadText(path);
    EXPECT_EQ(text.substr(0, 18), "  500\n    0\n  512\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 16);
    EXPECT_NE(text.find("30000\n"), std::string::npos);
    ParameterSet read{};
    EXPECT_EQ(LoadEepromFile(path.string(), &read, &error), EepromLoad::Loaded);
    EXPECT_EQ(read, words);
    EXPECT_FALSE(fs::exists(path.string() + ".new"));
}

TEST(EepromFile, RefusesAnythingButSixteenWords) {
    const fs::path path = TempFile("bad.dat");
    ParameterSet read = kFactoryParameters;
    std::string error;
    EXPECT_EQ(LoadEepromFile(TempFile("none.dat").string(), &read, &error), EepromLoad::Missing);
    const std::string fifteen = "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15";
    for (const std::string& text : {fifteen, fifteen + " 16 17", fifteen + " 65536",
                                    fifteen + " -1", fifteen + " 1x", fifteen + " 0x10"}) {
        WriteText(path, text);
        EXPECT_EQ(LoadEepromFile(path.string(), &read, &error), EepromLoad::Invalid) << text;
        EXPECT_FALSE(error.empty());
    }
    EXPECT_EQ(read, kFactoryParameters); // a refused file changes nothing
    WriteText(path, fifteen + "\n16");   // all on one line but the last: still 16 words
    EXPECT_EQ(LoadEepromFile(path.string(), &read, &error), EepromLoad::Loaded);
    EXPECT_EQ(read[15], 16);
}

TEST(ModelPresets, CoverEveryRowOfTheScopesIdentification) {
    std::set<int> types;
    std::set<int> boards;
    std::set<int> scales;
    for (const std::string& name : ModelPresetNames()) {
        Model m;
        ASSERT_TRUE(ModelPreset(name, &m)) << name;
        types.insert(m.ccdtype);
        boards.insert(m.pcbtype);
        scales.insert(m.adcmax);
        EXPECT_GE(m.ccdvirtpixel, m.ccdmaxpixel) << name;
        EXPECT_EQ(m.firmware.rfind("K-VOR-PX", 0), 0u) << name;
    }
    EXPECT_EQ(types, (std::set<int>{1, 2, 3, 4, 77, 101, 102, 103, 104}));
    EXPECT_EQ(boards, (std::set<int>{0, 7, 100}));
    EXPECT_EQ(scales, (std::set<int>{256, 1024}));

    Model m;
    ASSERT_TRUE(ModelPreset("1-80", &m));
    EXPECT_EQ(m.hwtype, 80);
    ASSERT_TRUE(ModelPreset("102-230", &m));
    EXPECT_EQ(m.softversion, 230);
    ASSERT_TRUE(ModelPreset("104", &m));
    EXPECT_EQ(m.ccdmaxpixel, 1536);
    ASSERT_TRUE(ModelPreset("2-250", &m));
    EXPECT_EQ(m.firmware, Model{}.firmware); // the default head
    EXPECT_FALSE(ModelPreset("2-251", &m));
}

TEST(CommandLine, TakesEveryOptionAndRefusesBadOnes) {
    CommandLine c = ParseCommandLine({"--firmware",
                                      "K-VOR-RW-250 V2.40",
                                      "--model",
                                      "104",
                                      "--unpaced",
                                      "--seed=9",
                                      "--eeprom",
                                      "/tmp/e.dat",
                                      "--silent",
                                      "--wrong-echo-sync",
                                      "--wrong-hardware-command",
                                      "--extra-bytes",
                                      "4",
                                      "--firmware-bytes=20",
                                      "--garbled-firmware",
                                      "--video-block-bytes",
                                      "100",
                                      "--drop-every",
                                      "3",
                                      "--delay",
                                      "0.25",
                                      "--hang-up-after",
                                      "5",
                                      "--object",
                                      "300,700",
                                      "--scene",
                                      "trend",
                                      "--scene-after=12"});
    ASSERT_EQ(c.action, CommandLine::Action::Run) << c.error;
    EXPECT_EQ(c.options.model.ccdtype, 104);
    EXPECT_EQ(c.options.model.firmware, "K-VOR-RW-250 V2.40"); // the text beats the preset's
    EXPECT_FALSE(c.options.paced);
    EXPECT_EQ(c.options.seed, 9u);
    EXPECT_EQ(c.options.eepromFile, "/tmp/e.dat");
    const Faults& f = c.options.faults;
    EXPECT_TRUE(f.silent && f.wrongEchoSync && f.wrongHardwareCommand && f.garbledFirmware);
    EXPECT_EQ(f.extraBytes, 4);
    EXPECT_EQ(f.firmwareTextBytes, 20);
    EXPECT_EQ(f.videoBlockBytes, 100);
    EXPECT_EQ(f.dropEvery, 3);
    EXPECT_DOUBLE_EQ(f.delaySeconds, 0.25);
    EXPECT_EQ(f.hangUpAfter, 5);
    EXPECT_EQ(f.scene, SCENE_TREND);
    EXPECT_EQ(f.sceneAfter, 12);
    EXPECT_TRUE(c.objectFixed);
    EXPECT_DOUBLE_EQ(c.objectRight, 700.0);
    EXPECT_TRUE(c.options.endOnPeerHangUp);
    EXPECT_FALSE(ParseCommandLine({"--keep-open"}).options.endOnPeerHangUp);

    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--bogus"},
                                               {"--model", "5"},
                                               {"--model"},
                                               {"--extra-bytes", "x"},
                                               {"--drop-every", "0"},
                                               {"--delay", "-1"},
                                               {"--delay", "nan"},
                                               {"--seed", "4294967296"},
                                               {"--object", "700,300"},
                                               {"--unpaced=1"},
                                               {"--scene", "drift"},
                                               {"--scene-after", "-1"}}) {
        const CommandLine e = ParseCommandLine(bad);
        EXPECT_EQ(e.action, CommandLine::Action::Error) << bad[0];
        EXPECT_EQ(e.error.find('\n'), std::string::npos);
    }
}

TEST(CommandLine, HelpNamesEveryOptionAndTheListEveryPreset) {
    const std::string help = HelpText();
    for (const char* option : {"--model",
                               "--list-models",
                               "--unpaced",
                               "--firmware ",
                               "--eeprom",
                               "--seed",
                               "--silent",
                               "--wrong-echo-sync",
                               "--wrong-hardware-command",
                               "--extra-bytes",
                               "--firmware-bytes",
                               "--garbled-firmware",
                               "--video-block-bytes",
                               "--drop-every",
                               "--delay",
                               "--hang-up-after",
                               "-h, --help",
                               "--version",
                               "--object",
                               "--keep-open",
                               "--scene",
                               "--scene-after"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
    // The example text must be one the scope operates: its own series, not a sister's.
    EXPECT_NE(help.find("\"K-VOR-PX-"), std::string::npos);
    EXPECT_EQ(help.find("K-VOR-RW"), std::string::npos);
}

TEST(CommandLine, AnswersHelpAndVersionLikeEveryProgram) {
    for (const char* help : {"-h", "--help"})
        EXPECT_EQ(ParseCommandLine({"--model", "104", help}).action, CommandLine::Action::Help);
    EXPECT_EQ(ParseCommandLine({"--version"}).action, CommandLine::Action::Version);
    for (const char* bad : {"-v", "-help", "--version=1", "-h=1"})
        EXPECT_EQ(ParseCommandLine({bad}).action, CommandLine::Action::Error) << bad;
    const std::string version = VersionText();
    EXPECT_EQ(version.rfind("kvor-sensor-sim (K-VOR-PX Scope) ", 0), 0u) << version;
    EXPECT_NE(version.find_first_of("0123456789"), std::string::npos) << version;
}

// Each preset's row gives its firmware version as its firmware text writes it ("2.40" in
// "... V2.40"), never as the bare number 240; the lines above the table explain every column.
TEST(CommandLine, ModelListExplainsItsColumnsAndWritesVersionsAsTheSensorDoes) {
    std::istringstream in(ModelListText());
    std::vector<std::vector<std::string>> rows;
    std::string above; // the text above the table's heading
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::vector<std::string> row{std::istream_iterator<std::string>(words), {}};
        if (!rows.empty() || (!row.empty() && row[0] == "NAME"))
            rows.push_back(row);
        else
            above += line + "\n";
    }
    ASSERT_FALSE(rows.empty());
    const std::vector<std::string> heading = rows[0];
    const std::vector<std::string> columns = {"NAME",  "TYPE",     "PIXELS", "VIRTUAL", "OPTICS",
                                              "BOARD", "FIRMWARE", "HW",     "ADC"};
    ASSERT_GE(heading.size(), columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        EXPECT_EQ(heading[i], columns[i]);
        if (i > 0) {
            EXPECT_NE(above.find(columns[i] + " "), std::string::npos) << columns[i];
        }
    }
    const std::size_t firmwareColumn = 6;
    for (const PresetEntry& e : ModelPresetTable()) {
        const auto row = std::find_if(rows.begin() + 1, rows.end(),
                                      [&](const auto& r) { return r.at(0) == e.name; });
        ASSERT_NE(row, rows.end()) << e.name;
        ASSERT_GT(row->size(), firmwareColumn) << e.name;
        const std::string& text = e.model.firmware;
        EXPECT_EQ("V" + row->at(firmwareColumn), text.substr(text.rfind(' ') + 1)) << e.name;
    }
}

} // namespace
} // namespace kvor::sim

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
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
                                      "300,700"});
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
                                               {"--unpaced=1"}}) {
        const CommandLine e = ParseCommandLine(bad);
        EXPECT_EQ(e.action, CommandLine::Action::Error) << bad[0];
        EXPECT_EQ(e.error.find('\n'), std::string::npos);
    }
}

TEST(CommandLine, HelpNamesEveryOptionAndTheListEveryPreset) {
    const std::string help = HelpText();
    for (const char* option :
         {"--model", "--list-models", "--unpaced", "--firmware ", "--eeprom", "--seed", "--silent",
          "--wrong-echo-sync", "--wrong-hardware-command", "--extra-bytes", "--firmware-bytes",
          "--garbled-firmware", "--video-block-bytes", "--drop-every", "--delay", "--hang-up-after",
          "--help", "--object", "--keep-open"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
    const std::string list = ModelListText();
    for (const std::string& name : ModelPresetNames())
        EXPECT_NE(list.find(name + " "), std::string::npos) << name;
}

} // namespace
} // namespace kvor::sim

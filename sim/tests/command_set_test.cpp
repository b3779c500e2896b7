// SPDX-License-Identifier: GPL-3.0-or-later
// The sensor's answers to every command, byte by byte, over a real pseudo-terminal.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <unistd.h>

#include "sensor_fixture.h"

namespace kvor::sim::test {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::uint16_t> DataWords(const Bytes& frame) {
    std::vector<std::uint16_t> w;
    for (std::size_t i = 2; i < 18; ++i)
        w.push_back(WordAt(frame, i));
    return w;
}

using CommandSet = SensorOnLine;

TEST_F(CommandSet, EchoAnswersWithSync00AAAndTheRequestsWords) {
    openUnpaced();
    const Bytes a = ask(5, {0x1234, 0xABCD, 3}, 36);
    ASSERT_EQ(a.size(), 36u);
    Bytes expected = RequestFrame(5, {0x1234, 0xABCD, 3});
    expected[1] = 0xAA;
    EXPECT_EQ(a, expected);
    const std::vector<Request> log = sensor().requests();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].sync, 0x55);
    EXPECT_EQ(log[0].command, 5);
    EXPECT_EQ(log[0].words[1], 0xABCD);
}

TEST_F(CommandSet, HardwareAnswerDescribesThePreset) {
    for (const char* name : {"2-350", "104", "board0", "adc256"}) {
        Model m;
        ASSERT_TRUE(ModelPreset(name, &m));
        openUnpaced(m);
        const Bytes a = ask(10, {}, 36);
        ASSERT_EQ(a.size(), 36u) << name;
        EXPECT_EQ(WordAt(a, 0), 0x55) << name;
        EXPECT_EQ(WordAt(a, 1), 10) << name;
        const std::vector<std::uint16_t> expected = {m.ccdtype,
                                                     m.ccdmaxpixel,
                                                     m.ccdresolution,
                                                     m.pcbtype,
                                                     m.ccdvirtpixel,
                                                     m.ccdsubpixel,
                                                     m.ccdpixB,
                                                     m.ccdpixE,
                                                     m.softversion,
                                                     m.hwtype,
                                                     m.adcmax,
                                                     0,
                                                     0,
                                                     0,
                                                     0,
                                                     0};
        EXPECT_EQ(DataWords(a), expected) << name;
    }
}

TEST_F(CommandSet, FirmwareTextIs72BytesInBothEncodings) {
    Model m;
    m.firmware = "K-VOR-QN-PX-250 V2.40";
    openUnpaced(m);
    Bytes a = ask(7, {}, 80, 0.3);
    std::string text(a.begin(), a.end());
    EXPECT_EQ(text, m.firmware + std::string(72 - m.firmware.size(), ' '));

    ASSERT_TRUE(ModelPreset("board0", &m)); // one character in the low byte of each word
    sensor().setModel(m);
    a = ask(7, {}, 80, 0.3);
    ASSERT_EQ(a.size(), 72u);
    std::string chars;
    for (std::size_t i = 0; i < 72; i += 2) {
        EXPECT_EQ(a[i], 0) << i;
        chars.push_back(static_cast<char>(a[i + 1]));
    }
    EXPECT_EQ(chars, m.firmware + std::string(36 - m.firmware.size(), ' '));
}

TEST_F(CommandSet, VideoBlocksHaveTheirSizesAndShowTheShadow) {
    openUnpaced();
    sensor().setObject(1000, 2000, false);
    ask(8, {}, 36);
    Bytes video;
    for (std::uint16_t first : {0, 64, 128, 192}) {
        const Bytes block = ask(9, {first, first == 192}, 128);
        ASSERT_EQ(block.size(), 128u) << first;
        EXPECT_TRUE(line().read(1, 0.05).empty()) << first; // nothing more
        video.insert(video.end(), block.begin(), block.end());
    }
    // Samples 0..255 span the 4096 virtual pixels: the shadow covers samples 63..124.
    EXPECT_GT(WordAt(video, 20), 700);
    EXPECT_LT(WordAt(video, 90), 100);
    EXPECT_GT(WordAt(video, 200), 700);
    for (std::size_t i = 0; i < video.size(); i += 2)
        EXPECT_LT(video[i], 0x04) << i; // < 1024

    const Bytes whole = ask(11, {}, 512);
    EXPECT_EQ(whole.size(), 512u);
    EXPECT_TRUE(line().read(1, 0.05).empty());
    EXPECT_LT(WordAt(whole, 90), 100);
}

TEST_F(CommandSet, WrittenParametersReadBackFromRamAndEeprom) {
    openUnpaced();
    // A new sensor holds the scope's own start values, in RAM and in EEPROM.
    const std::vector<std::uint16_t> start = {500, 0,   512, 0, 1,    1,     1, 1024,
                                              512, 100, 0,   1, 1024, 30000, 0, 0};
    EXPECT_EQ(DataWords(ask(2, {}, 36)), start);
    EXPECT_EQ(DataWords(ask(4, {}, 36)), start);
    const std::initializer_list<std::uint16_t> set = {400, 1,  300, 2, 1,    2,     10, 900,
                                                      250, 30, 1,   0, 2048, 30500, 4,  7};
    Bytes a = ask(1, set, 36);
    EXPECT_EQ(a, RequestFrame(1, set));
    a = ask(2, {}, 36);
    EXPECT_EQ(a, RequestFrame(2, set));
    EXPECT_EQ(sensor().ramParameters(), std::vector<std::uint16_t>(set));

    // The measurement request's words are the scope's copy: the sensor keeps its own.
    ask(8, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 36);
    EXPECT_EQ(sensor().ramParameters(), std::vector<std::uint16_t>(set));

    EXPECT_EQ(sensor().eepromParameters(), start); // writing RAM leaves the EEPROM alone
    ask(3, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}, 36);
    EXPECT_EQ(WordAt(ask(4, {}, 36), 17), 16);
    EXPECT_EQ(sensor().ramParameters(), std::vector<std::uint16_t>(set));
}

TEST_F(CommandSet, EepromFileOutlivesTheSensor) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("kvor_sim_eeprom_" + std::to_string(::getpid()) + ".dat");
    std::filesystem::remove(path);
    const std::initializer_list<std::uint16_t> set = {600, 0,  450, 0, 1,    0,     5, 800,
                                                      300, 20, 0,   2, 1100, 29990, 0, 3};
    Options o;
    o.paced = false;
    o.eepromFile = path.string();
    open(o);
    ask(3, set, 36);
    EXPECT_TRUE(std::filesystem::exists(path));
    line_.reset();
    sensor_.reset();

    open(o); // powers up from the file: RAM too
    EXPECT_EQ(DataWords(ask(4, {}, 36)), std::vector<std::uint16_t>(set));
    EXPECT_EQ(DataWords(ask(2, {}, 36)), std::vector<std::uint16_t>(set));
    std::filesystem::remove(path);
}

TEST_F(CommandSet, TeachTakesTheMeasuringValueAsSetpoint) {
    openUnpaced();
    sensor().setObject(300, 700, false);
    const Bytes m = ask(8, {}, 36);
    EXPECT_NEAR(WordAt(m, 4), 700, 4); // right edge mode
    const Bytes t = ask(6, {}, 36);
    EXPECT_EQ(WordAt(t, 1), 6);
    EXPECT_NEAR(WordAt(t, 2 + 8), 700, 4);
    EXPECT_EQ(sensor().ramParameters()[8], WordAt(t, 2 + 8));
    EXPECT_EQ(WordAt(ask(8, {}, 36), 2 + 5), WordAt(t, 2 + 8)); // the answer's setpoint
}

TEST_F(CommandSet, AnalogExtremesAreHeldUntilReset) {
    openUnpaced();
    sensor().setObject(300, 600, false);
    ask(8, {}, 36);
    sensor().setObject(300, 800, false);
    const Bytes held = ask(8, {}, 36);
    EXPECT_NEAR(WordAt(held, 2 + 11), 800, 4);
    EXPECT_NEAR(WordAt(held, 2 + 12), 600, 4);

    const Bytes reset = ask(11, {1}, 36); // any data word set: the reset, not a video read
    ASSERT_EQ(reset.size(), 36u);
    EXPECT_EQ(WordAt(reset, 1), 11);
    EXPECT_NEAR(WordAt(reset, 2 + 11), 800, 4);
    EXPECT_EQ(WordAt(reset, 2 + 11), WordAt(reset, 2 + 12));
}

TEST_F(CommandSet, CalibrationStoreChangesTheMicrometres) {
    openUnpaced();
    sensor().setObject(300, 2300, false);
    std::vector<std::uint16_t> ram = sensor().ramParameters();
    ram[5] = 2;    // size
    ram[7] = 4096; // the whole line
    sensor().setRamParameters(ram);
    Bytes m = ask(8, {}, 36);
    const int size = WordAt(m, 4);
    EXPECT_NEAR(size, 2000, 6);
    EXPECT_EQ(WordAt(m, 5) + 65536 * WordAt(m, 6), size); // factor 1, offset 0

    Bytes c = ask(12, {1}, 36);
    EXPECT_EQ(WordAt(c, 1), 12);
    EXPECT_EQ(WordAt(c, 2), 1024);
    EXPECT_EQ(WordAt(c, 3), 30000);
    c = ask(12, {2, 34052, 29945}, 36);
    EXPECT_EQ(WordAt(c, 2), 34052);
    EXPECT_EQ(WordAt(c, 3), 29945);
    EXPECT_EQ(sensor().ramParameters()[12], 34052);
    EXPECT_EQ(sensor().ramParameters()[13], 29945);

    m = ask(8, {}, 36);
    const long um = WordAt(m, 5) + 65536L * WordAt(m, 6);
    EXPECT_EQ(um, static_cast<long>(34052.0 / 1024 * WordAt(m, 4) - 55));
    EXPECT_GT(um, 65535); // carried in both words
    c = ask(12, {0}, 36);
    EXPECT_EQ(WordAt(c, 2), 34052); // stopping keeps the stored words
}

TEST_F(CommandSet, GarbageAndCutFramesAreSkipped) {
    openUnpaced();
    Bytes noisy = {0x13, 0x00, 0x00, 0x55, 0x77};
    const Bytes echo = RequestFrame(5, {42});
    noisy.insert(noisy.end(), echo.begin(), echo.end());
    Bytes a = line().exchange(noisy, 36);
    ASSERT_EQ(a.size(), 36u);
    EXPECT_EQ(WordAt(a, 0), 0xAA);
    EXPECT_EQ(WordAt(a, 2), 42);

    const Bytes cut(echo.begin(), echo.begin() + 30);
    EXPECT_TRUE(line().exchange(cut, 36, 0.2).empty()); // waits for the rest, then drops it
    a = line().exchange(RequestFrame(2), 36);
    ASSERT_EQ(a.size(), 36u);
    EXPECT_EQ(WordAt(a, 1), 2);
    EXPECT_EQ(sensor().requests().size(), 2u);
}

TEST_F(CommandSet, PacedAnswersTakeTheLineTime) {
    Options o; // paced by default
    open(o);
    auto t0 = Clock::now();
    ASSERT_EQ(ask(5, {}, 36).size(), 36u);
    const double echo = std::chrono::duration<double>(Clock::now() - t0).count();
    EXPECT_GE(echo, 0.9 * 72 * 10 / 19200.0);
    EXPECT_LT(echo, 1.0);

    t0 = Clock::now();
    ASSERT_EQ(ask(11, {}, 512).size(), 512u);
    const double video = std::chrono::duration<double>(Clock::now() - t0).count();
    EXPECT_GE(video, 0.9 * (36 + 512) * 10 / 19200.0);
    EXPECT_LT(video, 2.0);
}

} // namespace
} // namespace kvor::sim::test

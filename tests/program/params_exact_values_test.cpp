// SPDX-License-Identifier: GPL-3.0-or-later
// What the sensor holds comes back to it unchanged: every calibration word through the pop-up,
// and whole parameter sets through Get -> Send and Get -> Save -> Load -> Send, for both
// slope multipliers.
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <QDoubleSpinBox>
#include <gtest/gtest.h>

#include "params/panel_map.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "tests/program/fault_support.h"
#include "tests/support/harness.h"
#include "wire/protocol.h"

namespace kvor {
namespace {

namespace fs = std::filesystem;
namespace p = protocol;
using test::Click;

// The sensor types of the two slope multipliers: 1024 for type 2, 512 for type 104.
class ExactValues : public test::ScopeTest, public ::testing::WithParamInterface<const char*> {
  protected:
    sim::Options SensorOptions() const override {
        sim::Options o = ScopeTest::SensorOptions();
        EXPECT_TRUE(sim::ModelPreset(GetParam(), &o.model));
        return o;
    }

    // A parameter set that every range rule leaves as it is, on this sensor's line.
    std::vector<u16> RandomSet(std::mt19937& rng) const {
        auto in = [&rng](int lo, int hi) {
            return static_cast<u16>(std::uniform_int_distribution<int>(lo, hi)(rng));
        };
        const int v = ccdvirtpixel;
        const bool trigger = softversion >= 240;
        return {in(0, 1000),  in(0, 1),     in(50, 950), in(0, 7),
                in(0, 1),     in(0, 2),     in(0, v),    in(1, v),
                in(0, 65535), in(1, v),     in(0, 1),    in(0, 3),
                in(0, 65534), in(0, 60000), in(0, 1024), trigger ? in(0, 65535) : in(1, v)};
    }

    // The words of the next write the sensor receives after `from` requests.
    std::vector<u16> WrittenAfter(std::size_t from, int command) {
        std::vector<sim::Request> r;
        EXPECT_TRUE(test::PumpUntil(
            [&] {
                r = sensor().requests();
                return test::CountCommand(r, command, from) > 0;
            },
            5.0));
        for (std::size_t i = from; i < r.size(); ++i)
            if (r[i].command == command) return {r[i].words, r[i].words + PNUM};
        return {};
    }

    std::vector<u16> GetThenSend(const std::vector<u16>& set) {
        sensor().setRamParameters(set);
        Click(1, MAIN_GET);
        EXPECT_EQ(test::StatusLine(), test::kParametersOk);
        const std::size_t from = sensor().requests().size();
        Click(1, MAIN_SEND);
        return WrittenAfter(from, p::CMD_WRITE_RAM);
    }
};

QString FactorText() {
    auto* box = qobject_cast<QDoubleSpinBox*>(test::Control(2, POP_FACTOR));
    return box == nullptr ? QString() : box->text();
}

// Every word a sensor may hold is shown and read back as itself, and no two factors look alike.
TEST_P(ExactValues, EveryCalibrationWordIsReadBackAsShown) {
    int slopeLost = 0, offsetLost = 0, lookAlike = 0;
    QString before;
    for (int w = 0; w <= 65534; ++w) {
        slope = static_cast<u16>(w);
        ShowCalibrationWords();
        const QString shown = FactorText();
        if (w > 0 && shown == before) ++lookAlike;
        before = shown;
        GetPanelValues();
        if (slope != w && slopeLost++ == 0) ADD_FAILURE() << "slope word " << w << " -> " << slope;
    }
    for (int w = 0; w <= 65535; ++w) {
        intersect = static_cast<u16>(w);
        ShowCalibrationWords();
        GetPanelValues();
        if (intersect != w && offsetLost++ == 0)
            ADD_FAILURE() << "offset word " << w << " -> " << intersect;
    }
    EXPECT_EQ(slopeLost, 0);
    EXPECT_EQ(offsetLost, 0);
    EXPECT_EQ(lookAlike, 0) << "two slope words show the same factor";
    EXPECT_FALSE(before.isEmpty());
}

TEST_P(ExactValues, RandomParameterSetsComeBackToTheSensorBitForBit) {
    std::mt19937 rng(20261208u + static_cast<unsigned>(ccdtype));
    // Factor words 1026 and 3003 were once sent back as 1025 and 3002.
    const u16 knownLosses[] = {1026, 3003};
    for (int round = 0; round < 30; ++round) {
        std::vector<u16> set = RandomSet(rng);
        if (round < 2) set[12] = knownLosses[round];
        EXPECT_EQ(GetThenSend(set), set) << "round " << round;
    }
}

TEST_P(ExactValues, ASetSavedAndLoadedAgainIsTheSetThatWasRead) {
    const fs::path dir = fs::temp_directory_path() / ("kvor-exact-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::mt19937 rng(4711u + static_cast<unsigned>(ccdtype));
    for (int round = 0; round < 4; ++round) {
        const std::vector<u16> set = RandomSet(rng);
        const fs::path file = dir / ("set" + std::to_string(round) + ".dat");
        sensor().setRamParameters(set);
        Click(1, MAIN_GET);
        Click(1, MAIN_RBT_FILE);
        SetNextFileSelection(file.c_str(), VAL_NEW_FILE_SELECTED);
        Click(1, MAIN_SEND);
        // Another set in the panel, then the file back into it.
        Click(1, MAIN_RBT_RAM);
        sensor().setRamParameters(RandomSet(rng));
        Click(1, MAIN_GET);
        Click(1, MAIN_RBT_FILE);
        SetNextFileSelection(file.c_str(), VAL_EXISTING_FILE_SELECTED);
        Click(1, MAIN_GET);
        Click(1, MAIN_RBT_EEPROM);
        const std::size_t from = sensor().requests().size();
        Click(1, MAIN_SEND);
        EXPECT_EQ(WrittenAfter(from, p::CMD_WRITE_EEPROM), set) << "round " << round;
        Click(1, MAIN_RBT_RAM);
    }
    fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(SlopeMultipliers, ExactValues, ::testing::Values("2-250", "104"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string("Type") + (info.param[0] == '1' ? "104" : "2");
                         });

} // namespace
} // namespace kvor

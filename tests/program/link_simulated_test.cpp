// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated sensor is never taken for a sensor: chosen in the port selector (under its own
// number, never port 1) it is started and identified, and the status line and the pop-up's
// description say it is simulated until a real line is chosen again. Texts the sensor sends in
// its 8-bit character set reach the status line as sent.
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdlib>

#include "link/serial_link.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "tests/support/harness.h"

namespace kvor {
namespace {

using test::PickRingValue;
using test::StatusLine;

std::string DescriptionLine(int line) {
    char text[1024] = "";
    GetCtrlVal(pPopup, POP_DESCRIPTION, text);
    std::string all = text;
    for (int i = 0; i < line; ++i) {
        const auto end = all.find('\n');
        if (end == std::string::npos) return "";
        all.erase(0, end + 1);
    }
    return all.substr(0, all.find('\n'));
}

class SimulatedChoice : public test::ScopeTest {};

TEST_F(SimulatedChoice, TheStatusLineAndThePopupSayWhileTheSimulationRuns) {
    const QString program =
        QDir(QCoreApplication::applicationDirPath()).filePath("kvor-sensor-sim");
    if (!QFile::exists(program)) GTEST_SKIP() << "kvor-sensor-sim is not built next to the tests";
    const std::string realStatus = StatusLine();
    ASSERT_EQ(realStatus.rfind("K-VOR-PX", 0), 0u) << realStatus;
    EXPECT_EQ(DescriptionLine(2), "");

    setenv("KVOR_SIM_ARGS", "--unpaced", 1);
    const int simulated = GetSimulatedComPort();
    ASSERT_NE(simulated, 1);
    PickRingValue(1, MAIN_COMPORT, simulated);
    unsetenv("KVOR_SIM_ARGS");
    EXPECT_EQ(com, simulated);
    EXPECT_EQ(StatusLine().rfind("Simulated sensor: K-VOR-PX", 0), 0u) << StatusLine();
    EXPECT_NE(DescriptionLine(2).find("SIMULATED"), std::string::npos) << DescriptionLine(2);

    PickRingValue(1, MAIN_COMPORT, 1);
    EXPECT_EQ(StatusLine(), realStatus);
    EXPECT_EQ(DescriptionLine(2), "");
}

class Latin1Firmware : public test::ScopeTest {
  protected:
    sim::Options SensorOptions() const override {
        sim::Options o = ScopeTest::SensorOptions();
        o.model.firmware = "K-VOR-PX-250 firmware V2.40 3.0\xB5m \xA9";
        return o;
    }
};

TEST_F(Latin1Firmware, BytesAboveSevenBitShowAsLatin1NotReplacementCharacters) {
    EXPECT_NE(StatusLine().find("3.0\xC2\xB5m \xC2\xA9"), std::string::npos) << StatusLine();
    EXPECT_EQ(StatusLine().find("\xEF\xBF\xBD"), std::string::npos); // U+FFFD
}

} // namespace
} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures in docs/: the scope as an operator sees it, driven through the panel against the
// simulated sensor. Not part of the suite; run with
//   KVOR_SHOTS_DIR=docs build/bin/kvor_program_tests --gtest_also_run_disabled_tests
//       --gtest_filter='*Screenshots*:*LineMonitorShot*'
#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/startup.h"
#include "live/control_window.h"
#include "live/distribution.h"
#include "live/gauge_study.h"
#include "live/publish_window.h"
#include "params/history_window.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "tests/runtime/serial_pty.h"
#include "tests/support/harness.h"

namespace kvor::test {
namespace {

std::string ShotPath(const char* name) {
    const char* dir = std::getenv("KVOR_SHOTS_DIR");
    return QDir(dir != nullptr ? dir : ".").filePath(name).toStdString();
}

class Screenshots : public ScopeTest {
  protected:
    sim::Options SensorOptions() const override {
        sim::Options o;
        o.paced = true;
        return o;
    }
};

TEST_F(Screenshots, DISABLED_MainPanelPopupAndVideo) {
    SetPopupsAnswerThemselves(true);
    SavePanelImage(pHandle, ShotPath("main-panel-idle.png").c_str());
    // Running with a record: three seconds of measurement, then the picture, then Stop; the
    // statistics of the run stay.
    const std::string record = QDir::temp().filePath("KVOR-record-screenshot.csv").toStdString();
    SetNextFileSelection(record.c_str(), VAL_NEW_FILE_SELECTED);
    Click(pHandle, MAIN_RECORD);
    Later(3000, [] {
        EXPECT_EQ(SavePanelImage(pHandle, ShotPath("main-panel.png").c_str()), 0);
        Click(pHandle, MAIN_STOP);
    });
    Click(pHandle, MAIN_RUN);
    Click(pHandle, MAIN_RECORD);
    EXPECT_EQ(SavePanelImage(pHandle, ShotPath("main-panel-statistics.png").c_str()), 0);
    std::remove(record.c_str());
    // Analog output shown and the strip chart zoomed on the tolerance band.
    PickRingValue(pHandle, MAIN_ANAMODE, 2);
    Click(pHandle, MAIN_ZOOM);
    Later(3000, [] {
        EXPECT_EQ(SavePanelImage(pHandle, ShotPath("main-panel-analog-zoom.png").c_str()), 0);
        Click(pHandle, MAIN_STOP);
    });
    Click(pHandle, MAIN_RUN);
    Click(pHandle, MAIN_ZOOM);
    PickRingValue(pHandle, MAIN_ANAMODE, 0);
    // The video signal.
    Later(2500, [] {
        EXPECT_EQ(SavePanelImage(pHandle, ShotPath("video-mode.png").c_str()), 0);
        Click(pHandle, MAIN_STOP);
    });
    Click(pHandle, MAIN_VIDEO);
    // A calibration under way: activated, object 1 selected with its live value.
    Click(pHandle, MAIN_POPUP_TOGGLE);
    Later(1500, [] { Click(pPopup, POP_STEP1); });
    Later(3000, [] {
        EXPECT_EQ(SavePanelImage(pPopup, ShotPath("calibration-popup.png").c_str()), 0);
        EXPECT_EQ(SavePanelImage(pHandle, ShotPath("main-panel-calibrating.png").c_str()), 0);
        Click(pPopup, POP_DISCARD);
    });
    Click(pPopup, POP_ACTIVATE);
}

// The distribution of a drifting object, then a gauge study of a still master part and the first
// page of its report.
TEST_F(Screenshots, DISABLED_GaugeStudyAndDistribution) {
    SetPopupsAnswerThemselves(true);
    // A narrow band around the object in the sensor, so that the limits lie close to the bars.
    std::vector<u16> ram = sensor().ramParameters();
    ram[8] = 524;
    ram[9] = 8;
    sensor().setRamParameters(ram);
    Click(pHandle, MAIN_DISTRIBUTION);
    Later(6000, [] {
        EXPECT_EQ(SavePanelImage(pDistribution, ShotPath("distribution.png").c_str()), 0);
        Click(pHandle, MAIN_STOP);
    });
    Click(pHandle, MAIN_RUN);
    sensor().setObject(400.0, 800.0, false);
    Click(pHandle, MAIN_GAUGE_STUDY);
    EnterNumber(pGauge, GAUGE_REFERENCE, 803);
    EnterNumber(pGauge, GAUGE_TOLERANCE, 40);
    Click(pGauge, GAUGE_START);
    EXPECT_EQ(SavePanelImage(pGauge, ShotPath("gauge-study.png").c_str()), 0);
    const std::string pdf = QDir::temp().filePath("KVOR-gauge-screenshot.pdf").toStdString();
    SetNextFileSelection(pdf.c_str(), VAL_NEW_FILE_SELECTED);
    Click(pGauge, GAUGE_REPORT);
    const std::string png = ShotPath("gauge-study-report");
    const std::string convert = "pdftoppm -png -r 80 -singlefile '" + pdf + "' '" + png + "'";
    EXPECT_EQ(std::system(convert.c_str()), 0);
    std::remove(pdf.c_str());
    std::remove((pdf.substr(0, pdf.size() - 4) + ".csv").c_str());
}

// The control chart with a step in the size after 120 answers, and the strip chart paused with its
// cursor some answers back.
TEST_F(Screenshots, DISABLED_ControlChartAndPausedStripChart) {
    Click(pHandle, MAIN_CONTROL_CHART);
    Click(pControlChart, CCW_RESTART);
    sim::Faults step;
    step.scene = sim::SCENE_STEP;
    step.sceneAfter = 120;
    sensor().setFaults(step);
    PickRingValue(pHandle, MAIN_CHART_SCALE, 1);
    Later(7000, [] {
        Click(pHandle, MAIN_PAUSE);
        for (int i = 0; i < 12; ++i)
            QTest::keyClick(Control(pHandle, MAIN_STRIPCHART), Qt::Key_Left);
        EXPECT_EQ(SavePanelImage(pHandle, ShotPath("main-panel-paused.png").c_str()), 0);
        EXPECT_EQ(SavePanelImage(pControlChart, ShotPath("control-chart.png").c_str()), 0);
        Click(pHandle, MAIN_PAUSE);
        Click(pHandle, MAIN_STOP);
    });
    Click(pHandle, MAIN_RUN);
}

// The history window comparing the panel with an entry, the RAM and the EEPROM: a set sent to
// the RAM only, a teach, and an edit on the panel not sent yet.
TEST_F(Screenshots, DISABLED_ParameterHistory) {
    EnterNumber(pHandle, MAIN_POWER, 640);
    EnterNumber(pHandle, MAIN_THRESHOLD, 600);
    PressButton(pHandle, MAIN_SEND);
    ReleaseButton(pHandle, MAIN_SEND);
    Click(pHandle, MAIN_TEACH);
    EnterNumber(pHandle, MAIN_AVERAGE, 16);
    Click(pHandle, MAIN_HISTORY);
    Click(pHistory, HIST_READ);
    auto* entries = qobject_cast<QListWidget*>(Control(pHistory, HIST_ENTRIES));
    ASSERT_NE(entries, nullptr);
    entries->setCurrentRow(entries->count() - 1); // the set read at link set-up
    EXPECT_EQ(SavePanelImage(pHistory, ShotPath("parameter-history.png").c_str()), 0);
}

// Stops the loop that runs once the sensor has seen `count` more requests.
void StopAfterRequests(sim::SimulatedSensor& sensor, std::size_t count) {
    Later(5, [&sensor, count] {
        if (sensor.requests().size() >= count)
            Click(pHandle, MAIN_STOP);
        else
            StopAfterRequests(sensor, count);
    });
}

class LineMonitorShot : public Screenshots {
  protected:
    void SetUp() override {
        DisplayLineMonitor(); // open before start-up, so that it lists the whole conversation
        ClearLineMonitor();
        Screenshots::SetUp();
    }
    void TearDown() override {
        Screenshots::TearDown();
        CloseLineMonitor();
    }
};

TEST_F(LineMonitorShot, DISABLED_StartUpRunAndAFaultyLine) {
    sensor().clearRequests();
    StopAfterRequests(sensor(), 4);
    Click(pHandle, MAIN_RUN);
    // A line that adds three bytes behind every answer: the flushes throw them away.
    sim::Faults faults;
    faults.extraBytes = 3;
    sensor().setFaults(faults);
    const LineMark mark = ClearRequests(sensor());
    StopAfterRequests(sensor(), 3);
    Click(pHandle, MAIN_RUN);
    // A sensor gone silent: the request goes out, nothing comes back within the time-out. The
    // answer to the request sent as Stop came arrives first.
    AwaitAnswers(sensor(), mark);
    faults = {};
    faults.silent = true;
    sensor().setFaults(faults);
    Click(pHandle, MAIN_GET);
    EXPECT_EQ(SaveLineMonitorImage(ShotPath("line-monitor.png").c_str()), 0);
}

// The port selector as a user outside group dialout sees it, with one adapter given to that
// group and another held by a second scope.
TEST(PortSelectorShot, DISABLED_NoPermissionAndInUse) {
    if (geteuid() != 0) GTEST_SKIP() << "giving a device to group dialout needs root";
    PtyPair dialout, held;
    ASSERT_EQ(chown(dialout.path().c_str(), 0, 20), 0);
    ASSERT_EQ(chmod(dialout.path().c_str(), 0660), 0);
    ASSERT_EQ(chmod(held.path().c_str(), 0666), 0); // anyone's, but taken
    QProcess other;
    StartScope(other, held.path());
    const QString lock = LockFileOf(held.path());
    const auto lockedByOther = [&] {
        QFile f(lock);
        return f.open(QIODevice::ReadOnly) &&
               f.readLine().trimmed().toLongLong() == other.processId();
    };
    ASSERT_TRUE(PumpUntil(lockedByOther, 30.0));
    ScopedEnv ports("KVOR_COM_PORTS", dialout.path() + ":" + held.path());
    RegisterProgramCallbacks();
    pHandle = LoadPanel(0, PANEL_FILE, MAIN_PANEL_RESOURCE);
    DisplayPanel(pHandle);
    auto* ring = qobject_cast<QComboBox*>(Control(pHandle, MAIN_COMPORT));
    ASSERT_NE(ring, nullptr);
    ASSERT_EQ(setegid(65534), 0); // the list read as an ordinary user
    ASSERT_EQ(seteuid(65534), 0);
    ring->showPopup();
    ASSERT_EQ(seteuid(0), 0);
    ASSERT_EQ(setegid(0), 0);
    ASSERT_TRUE(PumpUntil([&] { return ring->view()->isVisible(); }, 5.0));
    EXPECT_TRUE(ring->view()->window()->grab().save(
        QString::fromStdString(ShotPath("port-selector-reasons.png"))));
    ring->hidePopup();
    DiscardPanel(pHandle);
    other.terminate();
    other.waitForFinished();
}

// The Publish window connected while the loop runs; KVOR_SHOT_BROKER names a broker that takes
// anonymous stations (mqtt://127.0.0.1:PORT).
TEST_F(Screenshots, DISABLED_PublishWindowConnected) {
    const char* broker = std::getenv("KVOR_SHOT_BROKER");
    if (broker == nullptr) GTEST_SKIP() << "no KVOR_SHOT_BROKER";
    Click(pHandle, MAIN_PUBLISH);
    SetCtrlVal(pPublish, PUB_URL, broker);
    SetCtrlVal(pPublish, PUB_USER, "");
    Click(pPublish, PUB_ON);
    Later(4000, [] {
        EXPECT_EQ(SavePanelImage(pPublish, ShotPath("publish-window.png").c_str()), 0);
        Click(pHandle, MAIN_STOP);
    });
    Click(pHandle, MAIN_RUN);
}

} // namespace
} // namespace kvor::test

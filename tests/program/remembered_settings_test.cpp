// SPDX-License-Identifier: GPL-3.0-or-later
// What the operator chose today is there tomorrow: a day of choices made through the panels,
// the scope ended and started again on the same settings folder, and everything found again.
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/startup.h"
#include "live/gauge_study.h"
#include "live/publish.h"
#include "live/publish_window.h"
#include "live/record.h"
#include "runtime/publish.h"
#include "runtime/readback.h"
#include "state/panel_ids.h"
#include "state/remembered.h"
#include "tests/support/harness.h"
#include "ui/panel_window.h"

namespace kvor {
namespace {

using test::Click;
using test::Control;

// Types into a string entry with real keys, replacing what it held, and confirms with Enter.
void Type(int panel, int control, const char* text) {
    QWidget* w = Control(panel, control);
    ASSERT_NE(w, nullptr);
    w->setFocus();
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_Delete);
    QTest::keyClicks(w, QString::fromUtf8(text));
    QTest::keyClick(w, Qt::Key_Return);
}

std::string Text(int panel, int control) {
    char text[640] = "";
    GetCtrlVal(panel, control, text);
    return text;
}

std::string Read(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class Remembered : public test::ScopeTest {};

TEST_F(Remembered, WhatTheOperatorChoseIsThereAtTheNextStart) {
    const std::string config = std::string(std::getenv("XDG_CONFIG_HOME")) + "/kvorscope/";
    const std::string records = testing::TempDir() + "kvor-remembered-records";
    const std::string pictures = testing::TempDir() + "kvor-remembered-pictures";
    std::filesystem::create_directories(records);
    std::filesystem::create_directories(pictures);
    secondSensor(SensorOptions());
    test::PickRingValue(1, MAIN_COMPORT, 2);
    test::Drain();

    // Publishing to a broker nobody listens on: the state line follows by itself.
    Click(1, MAIN_PUBLISH);
    ASSERT_GT(pPublish, 0);
    Type(pPublish, PUB_URL, "mqtt://127.0.0.1:1");
    Type(pPublish, PUB_USER, "line4");
    Type(pPublish, PUB_PASSWORD, "pa\"ss w0rd");
    Type(pPublish, PUB_PREFIX, "plant/hall2/line4");
    EXPECT_NE(Text(pPublish, PUB_STATE).find("wait for Apply"), std::string::npos);
    Click(pPublish, PUB_ON);
    EXPECT_TRUE(test::PumpUntil(
        [] { return Text(pPublish, PUB_STATE).find("not reachable") != std::string::npos; }, 30))
        << Text(pPublish, PUB_STATE);
    EXPECT_EQ(static_cast<QLineEdit*>(Control(pPublish, PUB_PASSWORD))->echoMode(),
              QLineEdit::Password);

    // A record in comma format, a picture, a gauge study; the gauge window moved and closed.
    SetNextFileSelection((records + "/r.csv").c_str(), VAL_NEW_FILE_SELECTED);
    SetNextFileSelectionType(RECORD_COMMA);
    Click(1, MAIN_RECORD);
    Click(1, MAIN_RECORD);
    SetNextFileSelection((pictures + "/p.png").c_str(), VAL_NEW_FILE_SELECTED);
    Click(1, MAIN_SAVE_PICTURE);
    Click(1, MAIN_GAUGE_STUDY);
    test::EnterNumber(pGauge, GAUGE_REFERENCE, 803.5);
    test::EnterNumber(pGauge, GAUGE_TOLERANCE, 40);
    test::EnterNumber(pGauge, GAUGE_READINGS, 12);
    Click(pGauge, GAUGE_START);
    ASSERT_TRUE(test::PumpUntil([] { return gaugeTaken >= 12; }, 60));
    rt::WindowOf(pGauge)->move(123, 77);
    test::ClosePanelWindow(pGauge);
    test::Drain();

    EndProgram();
    recordFormat = RECORD_POINT;
    szPublishUrl[0] = szPublishPassword[0] = '\0';
    static char name[] = "kvor_tests";
    static char* argv[] = {name, nullptr};
    static ProgramInstance instance{1, argv};
    ASSERT_EQ(StartProgram(&instance), 0);

    i32 port = 0;
    GetCtrlVal(pHandle, MAIN_COMPORT, &port);
    EXPECT_EQ(com, 2);
    EXPECT_EQ(port, 2);
    EXPECT_EQ(recordFormat, RECORD_COMMA);
    EXPECT_STREQ(szPublishUrl, "mqtt://127.0.0.1:1");
    EXPECT_STREQ(szPublishUser, "line4");
    EXPECT_STREQ(szPublishPassword, "pa\"ss w0rd");
    EXPECT_STREQ(szPublishPrefix, "plant/hall2/line4");
    EXPECT_EQ(publishOn, 1);
    PublishStatus st;
    EXPECT_NE(PublishState(&st), PUBLISH_OFF);
    // The password only in its own file, which only the user can read.
    struct stat secret {};
    ASSERT_EQ(stat((config + "publish-password").c_str(), &secret), 0);
    EXPECT_EQ(secret.st_mode & 0777, 0600u);
    EXPECT_EQ(Read(config + "kvorscope.conf").find("w0rd"), std::string::npos);
    // The save dialogs open where the files went.
    char dir[PATH_LEN];
    FolderFor("records", dir, sizeof dir);
    EXPECT_EQ(std::string(dir), records);
    FolderFor("pictures", dir, sizeof dir);
    EXPECT_EQ(std::string(dir), pictures);
    FolderFor("reports", dir, sizeof dir);
    EXPECT_STREQ(dir, proj_dir);
    // The gauge window opens where it was, with the study's inputs.
    Click(1, MAIN_GAUGE_STUDY);
    test::Drain();
    double ref = 0, tol = 0;
    i32 readings = 0;
    GetCtrlVal(pGauge, GAUGE_REFERENCE, &ref);
    GetCtrlVal(pGauge, GAUGE_TOLERANCE, &tol);
    GetCtrlVal(pGauge, GAUGE_READINGS, &readings);
    EXPECT_EQ(ref, 803.5);
    EXPECT_EQ(tol, 40);
    EXPECT_EQ(readings, 12);
    EXPECT_EQ(rt::WindowOf(pGauge)->pos(), QPoint(123, 77));
}

} // namespace
} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, the banner, the first marks on the bar graph, and the program's end.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <string>

#include "app/banner.h"
#include "app/startup.h"
#include "runtime/readback.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "tests/support/harness.h"

namespace kvor::test {
namespace {

// The panels loaded and InitVars run, without any serial line.
class InitVarsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetInstrumentState();
        RegisterProgramCallbacks();
        pHandle = LoadPanel(0, PANEL_FILE, MAIN_PANEL_RESOURCE);
        pPopup = LoadPanel(0, PANEL_FILE, POPUP_PANEL_RESOURCE);
        ASSERT_GT(pHandle, 0);
        ASSERT_GT(pPopup, 0);
        controlsBefore_ = GetPanelControlCount(pHandle);
        InitVars();
    }
    void TearDown() override {
        DiscardPanel(pPopup);
        DiscardPanel(pHandle);
    }
    struct Line {
        std::string text;
        int left, top, size, back, colour;
    };
    Line TextLine(int id) {
        Line l{};
        char text[128] = "";
        GetCtrlVal(pHandle, id, text);
        l.text = text;
        GetCtrlAttribute(pHandle, id, ATTR_LEFT, &l.left);
        GetCtrlAttribute(pHandle, id, ATTR_TOP, &l.top);
        GetCtrlAttribute(pHandle, id, ATTR_TEXT_POINT_SIZE, &l.size);
        GetCtrlAttribute(pHandle, id, ATTR_TEXT_BGCOLOR, &l.back);
        GetCtrlAttribute(pHandle, id, ATTR_TEXT_COLOR, &l.colour);
        return l;
    }
    int controlsBefore_ = 0;
};

TEST_F(InitVarsTest, ShowsInitVarsAndTheFirstMarks) {
    EXPECT_EQ(StatusLine(), "InitVars");
    double x = 0, y = 0;
    const double want[3][2] = {{512, 1.0}, {1, 1.0}, {1024, 1.0}};
    for (int c = 1; c <= 3; ++c) {
        GetGraphCursor(pHandle, MAIN_BARGRAPH, c, &x, &y);
        EXPECT_EQ(x, want[c - 1][0]) << "cursor " << c;
        EXPECT_EQ(y, want[c - 1][1]) << "cursor " << c;
    }
    ASSERT_EQ(GetGraphPlotCount(pHandle, MAIN_BARGRAPH), 1);
    PlotInfo band;
    GetGraphPlotInfo(pHandle, MAIN_BARGRAPH, 0, &band);
    EXPECT_EQ(band.kind, PLOT_KIND_RECTANGLE);
    EXPECT_EQ(band.x1, 412);
    EXPECT_EQ(band.x2, 612);
    EXPECT_EQ(band.y1, 0.0);
    EXPECT_EQ(band.y2, 0.25);
    EXPECT_EQ(band.color, 0x00FF00);
    EXPECT_EQ(band.fillColor, 0x00FF00);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(xArray[i], 4.0 * i);
        EXPECT_EQ(thdArray[i], 512);
    }
}

TEST_F(InitVarsTest, PanelValuesBecomeTheParameterSet) {
    EXPECT_EQ(power, 500);
    EXPECT_EQ(vThd, 512);
    EXPECT_EQ(eMode, 1);
    EXPECT_EQ(eEnd, 1024);
    EXPECT_EQ(tTol, 100);
    EXPECT_EQ(eHardware, 1);
    EXPECT_EQ(slope, 1024);
    EXPECT_EQ(intersect, 30000);
}

TEST_F(InitVarsTest, BannerInStyleTwo) {
    int frame = 0;
    GetCtrlAttribute(pHandle, MAIN_BANNER, ATTR_FRAME_COLOR, &frame);
    EXPECT_EQ(frame, 0x0080FF);
    char logo[64] = "";
    GetCtrlText(pHandle, MAIN_LOGO, logo, sizeof logo);
    EXPECT_STREQ(logo, "zo.bmp");
    int left = 0, top = 0;
    GetCtrlAttribute(pHandle, MAIN_LOGO, ATTR_LEFT, &left);
    GetCtrlAttribute(pHandle, MAIN_LOGO, ATTR_TOP, &top);
    EXPECT_EQ(left, 300);
    EXPECT_EQ(top, 10);
    // Three contact lines, then the name, then the version: five new text controls.
    ASSERT_EQ(GetPanelControlCount(pHandle), controlsBefore_ + 5);
    const int first = 1000;
    for (int i = 0; i < 3; ++i) {
        const Line l = TextLine(first + i);
        EXPECT_FALSE(l.text.empty());
        EXPECT_EQ(l.left, 15);
        EXPECT_EQ(l.top, 10 + 15 * i);
        EXPECT_EQ(l.size, 11);
        EXPECT_EQ(l.back, 0x0080FF);
        EXPECT_EQ(l.colour, 0xFFFFFF);
    }
    const Line name = TextLine(first + 3);
    EXPECT_EQ(name.text, "V-UDU-DA-Rired");
    EXPECT_EQ(name.left, 300);
    EXPECT_EQ(name.top, 35);
    EXPECT_EQ(name.size, 18);
    const Line version = TextLine(first + 4);
    EXPECT_EQ(version.text, "Version 2.42");
    EXPECT_EQ(version.left, 450);
    EXPECT_EQ(version.top, 40);
    EXPECT_EQ(version.size, 11);
    EXPECT_EQ(version.colour, 0xFFFFFF);
}

TEST_F(InitVarsTest, OtherStylesAndRepeats) {
    const int count = GetPanelControlCount(pHandle);
    ShowLogo(4);
    ShowLogo(-1);
    EXPECT_EQ(GetPanelControlCount(pHandle), count);
    ShowLogo(1); // no logo, no contact lines: name and version only
    EXPECT_EQ(GetPanelControlCount(pHandle), count + 2);
    int visible = 1;
    GetCtrlAttribute(pHandle, MAIN_LOGO, ATTR_VISIBLE, &visible);
    EXPECT_EQ(visible, 0);
    ShowLogo(3);
    EXPECT_EQ(GetPanelControlCount(pHandle), count + 2 + 5);
    int frame = 0;
    GetCtrlAttribute(pHandle, MAIN_BANNER, ATTR_FRAME_COLOR, &frame);
    EXPECT_EQ(frame, 0xFFFFFF);
    const Line name = TextLine(1000 + 5 + 2 + 3);
    EXPECT_EQ(name.left, 300);
    EXPECT_EQ(name.top, 22);
    EXPECT_EQ(name.colour, 0x808080);
}

TEST_F(InitVarsTest, EveryControlCanBeFoundByItsDescription) {
    for (int id :
         {2,  3,  4,  10, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29,
          31, 32, 33, 34, 35, 36, 37, 38, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56}) {
        QWidget* w = Control(pHandle, id);
        ASSERT_NE(w, nullptr) << "main control " << id;
        EXPECT_FALSE(w->accessibleName().isEmpty()) << "main control " << id;
    }
    for (int id : {2, 3, 4, 7, 8, 9, 12, 13, 14, 15, 16, 17, 18, 19, 20, 31, 32}) {
        QWidget* w = Control(pPopup, id);
        ASSERT_NE(w, nullptr) << "pop-up control " << id;
        EXPECT_FALSE(w->accessibleName().isEmpty()) << "pop-up control " << id;
    }
    // The calibration starts at rest.
    for (int id : {32, 31, 13, 9, 16, 12}) {
        int dimmed = 0;
        GetCtrlAttribute(pPopup, id, ATTR_DIMMED, &dimmed);
        EXPECT_EQ(dimmed, 1) << "pop-up control " << id;
    }
}

// The program as a whole, in a folder of its own with a panel file changed for the test.
class ProgramRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const QString bin = QCoreApplication::applicationDirPath();
        for (const char* f : {"kvorscope", "zo.bmp", "qZorevor.bmp"})
            ASSERT_TRUE(QFile::copy(bin + "/" + f, dir_.filePath(f))) << f;
        QFile panel(bin + "/K-VOR-PXScope242.uir");
        ASSERT_TRUE(panel.open(QIODevice::ReadOnly));
        panelText_ = panel.readAll();
    }
    int Run(const QByteArray& panelFile, QString* errors) {
        QFile out(dir_.filePath("K-VOR-PXScope242.uir"));
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write(panelFile);
        out.close();
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("KVOR_COM_PORTS", "/nonexistent/tty");
        p.setProcessEnvironment(env);
        p.start(dir_.filePath("kvorscope"), {});
        p.waitForFinished(20000);
        *errors = QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1000;
    }
    QTemporaryDir dir_;
    QByteArray panelText_;
};

TEST_F(ProgramRunTest, MissingPopupResourceEndsWithMinusOne) {
    QJsonDocument doc = QJsonDocument::fromJson(panelText_);
    QJsonObject root = doc.object();
    QJsonArray panels = root["panels"].toArray();
    panels.removeAt(1);
    root["panels"] = panels;
    QString errors;
    EXPECT_EQ(Run(QJsonDocument(root).toJson(), &errors), 255); // -1 as an exit status
    EXPECT_TRUE(errors.contains("panel 2")) << errors.toStdString();
}

TEST_F(ProgramRunTest, MalformedPanelFileEndsWithMinusOneAndOneLine) {
    QByteArray broken = panelText_;
    broken.replace("\"kind\": \"ring\"", "\"kind\": \"dial\"");
    QString errors;
    EXPECT_EQ(Run(broken, &errors), 255);
    const QStringList lines = errors.split('\n', Qt::SkipEmptyParts).filter("K-VOR-PXScope242");
    ASSERT_EQ(lines.size(), 1) << errors.toStdString();
    EXPECT_TRUE(lines[0].contains("control 2")) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains("unknown kind")) << lines[0].toStdString();
}

class ShutdownTest : public ScopeTest {};

TEST_F(ShutdownTest, ClosingTheMainPanelEndsTheEventLoopWithZero) {
    Later(100, [] { ClosePanelWindow(pHandle); });
    EXPECT_EQ(RunUserInterface(), 0);
    EXPECT_EQ(stop_flag, 1);
    EXPECT_LT(GetInQLen(com), 0); // the port is closed
}

TEST_F(ShutdownTest, ClosingThePopupTurnsItsToggleOff) {
    Click(pHandle, MAIN_POPUP_TOGGLE);
    int on = 0;
    GetCtrlVal(pHandle, MAIN_POPUP_TOGGLE, &on);
    EXPECT_EQ(on, 1);
    EXPECT_TRUE(Control(pPopup, POP_DESCRIPTION)->window()->isVisible());
    ClosePanelWindow(pPopup);
    GetCtrlVal(pHandle, MAIN_POPUP_TOGGLE, &on);
    EXPECT_EQ(on, 0);
    EXPECT_FALSE(Control(pPopup, POP_DESCRIPTION)->window()->isVisible());
    Click(pHandle, MAIN_POPUP_TOGGLE);
    EXPECT_TRUE(Control(pPopup, POP_DESCRIPTION)->window()->isVisible());
}

} // namespace
} // namespace kvor::test

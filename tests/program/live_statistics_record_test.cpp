// SPDX-License-Identifier: GPL-3.0-or-later
// Statistics and the measurement record against what the simulated sensor put on the line: every
// figure is computed again here, independently, from the sensor's own log of its answers. Runs
// end by the sensor falling silent after a chosen number of answers, so every answer it sent has
// been drawn when the loop times out.
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "live/chart_history.h"
#include "live/control_chart.h"
#include "live/control_window.h"
#include "live/distribution.h"
#include "live/gauge_study.h"
#include "live/publish.h"
#include "live/record.h"
#include "live/statistics.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "tests/support/harness.h"
#include "tests/support/statistics_reference.h"

namespace kvor {
namespace {

using test::Click;

// What one answer says, taken from its words as the sensor sent them, in the order of the
// record's columns after the two times.
struct Sent {
    long left, right, mv, um, setpoint, tol, in, edges, amax, amin;
    std::vector<std::string> Columns() const {
        std::vector<std::string> c;
        for (long v : {left, right, mv, um, setpoint, tol, in, edges, amax, amin})
            c.push_back(std::to_string(v));
        return c;
    }
};

Sent Decode(const sim::Request& a) {
    const auto& w = a.words;
    const long mv = w[2], setpoint = w[5], tol = w[6];
    const long um = static_cast<std::int32_t>(static_cast<std::uint32_t>(w[4]) << 16 | w[3]);
    return {w[0], w[1],  mv,   um, setpoint, tol, mv >= setpoint - tol && mv <= setpoint + tol,
            w[7], w[11], w[12]};
}

test::ReferenceFigures Compute(const std::vector<Sent>& sent) {
    std::vector<test::ReferenceAnswer> answers;
    for (const Sent& s : sent)
        answers.push_back({s.mv, s.setpoint, s.tol, s.um});
    return test::ComputeReference(answers);
}

double Shown(int control) {
    double v = std::nan("");
    GetCtrlVal(pHandle, control, &v);
    return v;
}

QString ShownText(int control, int panel = 1) {
    auto* label = qobject_cast<QLabel*>(test::Control(panel, control));
    return label == nullptr ? QString() : label->text();
}

class StatisticsAndRecord : public test::ScopeTest {
  protected:
    void SetUp() override {
        test::ScopeTest::SetUp();
        // No record runs, and nothing counted for an earlier one (a test before may have left
        // its record running until the program ended) is taken for this test's.
        ASSERT_EQ(recordFile, 0) << "a record left running";
        recordCount = 0;
        // A drifting, noisy object whose right edge (the measuring value) sits near 800.
        sensor().setObject(400.0, 800.0, true);
        SetSetpoint(800);
        sensor().clearRequests();
    }
    void SetSetpoint(u16 setpoint) {
        std::vector<u16> ram = sensor().ramParameters();
        ram[8] = setpoint;
        sensor().setRamParameters(ram);
    }
    std::size_t Answers() { return sensor().measurementAnswers().size(); }

    // Starts a loop with a click on `button`; `onAnswers(n)` runs in the loop's event passes
    // with the number of answers sent so far and returns true to make the sensor fall silent.
    // The loop then ends by its time-out. Every wait is bounded.
    void RunUntil(int button, std::function<bool(std::size_t)> onAnswers,
                  sim::SimulatedSensor* on = nullptr) {
        sim::SimulatedSensor& s = on != nullptr ? *on : sensor();
        QTimer poll;
        bool silenced = false;
        const double end = Timer() + 20.0;
        poll.callOnTimeout([&] {
            if (silenced) return;
            if (onAnswers(s.measurementAnswers().size()) || Timer() > end) {
                sim::Faults f;
                f.silent = true;
                s.setFaults(f);
                silenced = true;
            }
        });
        poll.start(2);
        Click(1, button);
        poll.stop();
        s.setFaults({});
    }
    std::vector<Sent> SentAnswers() {
        std::vector<Sent> v;
        for (const sim::Request& a : sensor().measurementAnswers())
            v.push_back(Decode(a));
        return v;
    }
    // The record as Python's csv module reads it, one row a line, fields separated by tabs.
    std::vector<std::vector<std::string>> ReadCsv(const std::string& path, char delimiter = ',') {
        QProcess py;
        py.start("python3", {"-c",
                             "import csv,sys\n"
                             "for r in csv.reader(open(sys.argv[1], newline=''), "
                             "delimiter=sys.argv[2]):\n"
                             "    print('\\t'.join(r))\n",
                             QString::fromStdString(path), QString(QChar(delimiter))});
        EXPECT_TRUE(py.waitForFinished(30000));
        EXPECT_EQ(py.exitCode(), 0) << py.readAllStandardError().toStdString();
        std::vector<std::vector<std::string>> rows;
        for (const QByteArray& line : py.readAllStandardOutput().split('\n')) {
            if (line.isEmpty()) continue;
            std::vector<std::string> row;
            for (const QByteArray& f : line.split('\t'))
                row.push_back(f.toStdString());
            rows.push_back(row);
        }
        return rows;
    }
    std::string TempPath(const char* name) {
        return testing::TempDir() + "kvor-" + std::to_string(getpid()) + "-" + name;
    }
    void StartRecordTo(const std::string& path, int format = RECORD_POINT) {
        SetNextFileSelection(path.c_str(), VAL_NEW_FILE_SELECTED);
        SetNextFileSelectionType(format);
        Click(1, MAIN_RECORD);
        ASSERT_GT(recordFile, 0) << test::StatusLine();
    }
};

// Matching the record against the answers, line for line.
void ExpectRecordEquals(const std::vector<std::vector<std::string>>& rows,
                        const std::vector<Sent>& sent, std::size_t lines) {
    ASSERT_EQ(rows.size(), lines + 1);
    const std::vector<std::string> header = {
        "time",       "t_s",        "left_edge", "right_edge",   "measuring_value",
        "size_um",    "setpoint",   "tolerance", "in_tolerance", "edge_count",
        "analog_max", "analog_min", "note",      "rule"};
    EXPECT_EQ(rows[0], header);
    double lastT = -1;
    for (std::size_t i = 0; i < lines; ++i) {
        const std::vector<std::string>& r = rows[i + 1];
        ASSERT_EQ(r.size(), 14u) << i;
        EXPECT_EQ(std::vector<std::string>(r.begin() + 2, r.end() - 2), sent[i].Columns())
            << "line " << i;
        EXPECT_EQ(r[12], "") << "an answer's row holds no note";
        // 2026-12-08T09:41:05.123+01:00 (or Z-less offset +00:00)
        int y, mo, d, h, mi, sec, ms, oh, om;
        char sign;
        EXPECT_EQ(std::sscanf(r[0].c_str(), "%4d-%2d-%2dT%2d:%2d:%2d.%3d%c%2d:%2d", &y, &mo, &d, &h,
                              &mi, &sec, &ms, &sign, &oh, &om),
                  10)
            << r[0];
        EXPECT_EQ(r[0].size(), 29u) << r[0];
        const double t = std::stod(r[1]);
        EXPECT_EQ(r[1].size() - r[1].find('.'), 4u) << r[1];
        EXPECT_GE(t, lastT) << i;
        lastT = t;
    }
}

enum class Loop { Run, Video };

class StatisticsOfEachLoop : public StatisticsAndRecord,
                             public ::testing::WithParamInterface<Loop> {};

// The setpoint moves in the middle of the run, so the share within tolerance mixes answers
// judged against two bands, each by its own.
TEST_P(StatisticsOfEachLoop, EqualAnIndependentComputationOverTheAnswersSent) {
    const int button = GetParam() == Loop::Run ? MAIN_RUN : MAIN_VIDEO;
    bool moved = false;
    RunUntil(button, [&](std::size_t n) {
        if (n >= 25 && !moved) {
            SetSetpoint(1500);
            moved = true;
        }
        return n >= 60;
    });
    const std::vector<Sent> sent = SentAnswers();
    ASSERT_GE(sent.size(), 60u);
    ASSERT_EQ(statCount, static_cast<double>(sent.size())) << "every answer sent is counted once";
    const bool both = std::any_of(sent.begin(), sent.end(), [](auto& s) { return s.in; }) &&
                      std::any_of(sent.begin(), sent.end(), [](auto& s) { return !s.in; });
    ASSERT_TRUE(both) << "the run should hold answers within and beyond their band";

    const test::ReferenceFigures e = Compute(sent);
    const double rel = 1e-9;
    EXPECT_EQ(Shown(MAIN_STAT_COUNT), e.n);
    EXPECT_NEAR(Shown(MAIN_STAT_MEAN), e.mean, rel * std::abs(e.mean));
    EXPECT_NEAR(Shown(MAIN_STAT_STDDEV), e.sd, rel * e.sd);
    EXPECT_EQ(Shown(MAIN_STAT_MIN), e.min);
    EXPECT_EQ(Shown(MAIN_STAT_MAX), e.max);
    EXPECT_NEAR(Shown(MAIN_STAT_INTOL), e.inPct, 1e-9);
    EXPECT_NEAR(Shown(MAIN_STAT_CP), e.cp, rel * std::abs(e.cp));
    EXPECT_NEAR(Shown(MAIN_STAT_CPK), e.cpk, rel * std::abs(e.cpk));
    EXPECT_NEAR(Shown(MAIN_STAT_UM_MEAN), e.umMean, rel * std::abs(e.umMean));
    EXPECT_NEAR(Shown(MAIN_STAT_UM_STDDEV), e.umSd, rel * e.umSd);

    // A second run adds up; Reset forgets, and what is not defined shows a dash.
    RunUntil(button, [&](std::size_t n) { return n >= sent.size() + 5; });
    EXPECT_EQ(Shown(MAIN_STAT_COUNT), static_cast<double>(Answers()));
    Click(1, MAIN_STAT_RESET);
    EXPECT_EQ(Shown(MAIN_STAT_COUNT), 0.0);
    for (int id : {MAIN_STAT_MEAN, MAIN_STAT_STDDEV, MAIN_STAT_MIN, MAIN_STAT_MAX, MAIN_STAT_INTOL,
                   MAIN_STAT_CP, MAIN_STAT_CPK, MAIN_STAT_UM_MEAN, MAIN_STAT_UM_STDDEV})
        EXPECT_EQ(ShownText(id), QString::fromUtf8("–")) << "control " << id;
}

INSTANTIATE_TEST_SUITE_P(Loops, StatisticsOfEachLoop, ::testing::Values(Loop::Run, Loop::Video),
                         [](const auto& info) {
                             return info.param == Loop::Run ? "Run" : "Video";
                         });

TEST_F(StatisticsAndRecord, APortChangeStartsTheStatisticsAgain) {
    RunUntil(MAIN_RUN, [](std::size_t n) { return n >= 5; });
    ASSERT_GE(statCount, 5.0);
    test::PickRingValue(1, MAIN_COMPORT, 1);
    EXPECT_EQ(statCount, 0.0);
    EXPECT_EQ(ShownText(MAIN_STAT_STDDEV), QString::fromUtf8("–"));
}

class RecordOfEachFormat : public StatisticsAndRecord, public ::testing::WithParamInterface<int> {};

// The spreadsheet format reads back with ';' between fields and, once its decimal commas are
// points again, to the same numbers; the format chosen is offered first the next time.
TEST_P(RecordOfEachFormat, RecordReadsBackLineForLineAsTheAnswersSent) {
    const std::string path = TempPath("record.csv");
    const bool comma = GetParam() == RECORD_COMMA;
    StartRecordTo(path, GetParam());
    RunUntil(MAIN_RUN, [](std::size_t n) { return n >= 40; });
    // Before the toggle is released the loop's end has already put every line on disk.
    const std::vector<Sent> sent = SentAnswers();
    std::vector<std::vector<std::string>> rows = ReadCsv(path, comma ? ';' : ',');
    for (std::size_t i = 1; i < rows.size(); ++i) {
        std::string& t = rows[i].at(1);
        ASSERT_EQ(t.find(comma ? '.' : ','), std::string::npos) << t;
        std::replace(t.begin(), t.end(), ',', '.');
    }
    ExpectRecordEquals(rows, sent, sent.size());
    EXPECT_EQ(recordFormat, GetParam());
    Click(1, MAIN_RECORD);
    EXPECT_EQ(recordFile, 0);
    EXPECT_EQ(test::StatusLine(),
              "Recorded " + std::to_string(sent.size()) + " answers to " + path);
    EXPECT_EQ(ShownText(MAIN_RECORD_STATE), QString());
    std::remove(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(Formats, RecordOfEachFormat, ::testing::Values(RECORD_POINT, RECORD_COMMA),
                         [](const auto& info) {
                             return info.param == RECORD_COMMA ? "DecimalComma" : "Plain";
                         });

// The sensor vanishes from the line in the middle of a run: the loop ends by its time-out and
// the record, still running, holds every answer that arrived.
TEST_F(StatisticsAndRecord, RecordAfterAPulledCableHoldsEveryAnswerDrawn) {
    const std::string path = TempPath("pulled.csv");
    StartRecordTo(path);
    QTimer pull;
    pull.callOnTimeout([&] {
        if (Answers() >= 30) {
            pull.stop();
            sensor().stop();
        }
    });
    pull.start(2);
    Click(1, MAIN_RUN);
    pull.stop();
    EXPECT_EQ(test::StatusLine(), "Timeout RS232-Line!");
    const std::vector<Sent> sent = SentAnswers();
    const std::vector<std::vector<std::string>> rows = ReadCsv(path);
    // An answer on its way when the line went may be lost with it.
    ASSERT_FALSE(rows.empty());
    const std::size_t lines = rows.size() - 1;
    ASSERT_TRUE(lines == sent.size() || lines + 1 == sent.size()) << lines << " of " << sent.size();
    ExpectRecordEquals(rows, sent, lines);
    EXPECT_EQ(recordCount, static_cast<double>(rows.size() - 1));
    EXPECT_GT(recordFile, 0) << "the record waits for the operator";
    std::remove(path.c_str());
}

// The disk fills up during the record (the process may write files of 4 KiB only): the record
// ends with a message and a file of whole lines; the measurement goes on.
TEST_F(StatisticsAndRecord, FullDiskEndsTheRecordWithAMessageAndNotTheMeasurement) {
    const std::string path = TempPath("full.csv");
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    StartRecordTo(path);
    std::size_t atFailure = 0;
    std::string message;
    RunUntil(MAIN_RUN, [&](std::size_t n) {
        if (recordFile != 0) return false;
        if (atFailure == 0) {
            atFailure = n;
            message = test::StatusLine();
        }
        return n >= atFailure + 20;
    });
    setrlimit(RLIMIT_FSIZE, &old);
    ASSERT_GT(atFailure, 0u) << "the record never failed: " << test::StatusLine();
    EXPECT_EQ(message.rfind("Record ended (disk full): " + path + " is incomplete after ", 0), 0u)
        << message;
    i32 toggle = -1;
    GetCtrlVal(pHandle, MAIN_RECORD, &toggle);
    EXPECT_EQ(toggle, 0);
    EXPECT_EQ(ShownText(MAIN_RECORD_STATE), QString());
    // Every answer, those after the failure included, was drawn and counted.
    EXPECT_GE(Answers(), atFailure + 20);
    EXPECT_EQ(statCount, static_cast<double>(Answers()));
    // What the disk took is whole lines, each the answer it stands for, and the count says so.
    const std::vector<std::vector<std::string>> rows = ReadCsv(path);
    ASSERT_GE(rows.size(), 2u);
    ExpectRecordEquals(rows, SentAnswers(), rows.size() - 1);
    EXPECT_NE(message.find("after " + std::to_string(rows.size() - 1) + " answers"),
              std::string::npos)
        << message;
    std::remove(path.c_str());
}

// A device that takes nothing at all is refused when the record starts, here while the
// measurement runs; the measurement does not notice.
TEST_F(StatisticsAndRecord, ARecordOnAFullDeviceIsRefusedAtOnce) {
    bool asked = false;
    RunUntil(MAIN_RUN, [&](std::size_t n) {
        if (n >= 10 && !asked) {
            asked = true;
            SetNextFileSelection("/dev/full", VAL_EXISTING_FILE_SELECTED);
            Click(1, MAIN_RECORD);
            EXPECT_EQ(test::StatusLine(), "No record: /dev/full (disk full)");
        }
        return n >= 30;
    });
    EXPECT_TRUE(asked);
    EXPECT_EQ(recordFile, 0);
    i32 toggle = -1;
    GetCtrlVal(pHandle, MAIN_RECORD, &toggle);
    EXPECT_EQ(toggle, 0);
    EXPECT_EQ(statCount, static_cast<double>(Answers()));
}

// The operator takes longer in the record's file dialog than the loop waits for an answer.
TEST_F(StatisticsAndRecord, TimeInTheRecordDialogNeverEndsTheMeasurement) {
    const std::string path = TempPath("dialog.csv");
    SetPopupsAnswerThemselves(false);
    bool asked = false;
    RunUntil(MAIN_RUN, [&](std::size_t n) {
        if (n >= 10 && !asked) {
            asked = true;
            const double opened = Timer();
            test::Later(2000, [path] {
                auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                ASSERT_NE(d, nullptr);
                d->selectFile(QString::fromStdString(path));
                static_cast<QDialog*>(d)->accept(); // as the Save button does
            });
            Click(1, MAIN_RECORD);
            EXPECT_GT(Timer() - opened, TIMEOUT);
        }
        // Answers recorded after the dialog show that the loop went on.
        return asked && recordCount >= 10;
    });
    SetPopupsAnswerThemselves(true);
    EXPECT_GT(recordFile, 0) << test::StatusLine();
    EXPECT_GE(recordCount, 10.0);
    Click(1, MAIN_RECORD);
    std::remove(path.c_str());
}

// A window open already, even minimised, comes to the front when its button is pressed again.
TEST_F(StatisticsAndRecord, AWindowOpenAlreadyComesToTheFrontAgain) {
    QWidget* main = test::Control(1, MAIN_RUN)->window();
    auto active = [](QWidget* w) {
        return test::PumpUntil([w] { return QApplication::activeWindow() == w; }, 5);
    };
    for (int button : {MAIN_GAUGE_STUDY, MAIN_DISTRIBUTION, MAIN_HISTORY, MAIN_LINE_MONITOR}) {
        main->activateWindow();
        ASSERT_TRUE(active(main));
        Click(1, button);
        QWidget* window = nullptr;
        ASSERT_TRUE(test::PumpUntil(
            [&] { return (window = QApplication::activeWindow()) && window != main; }, 5));
        window->showMinimized();
        main->activateWindow();
        ASSERT_TRUE(active(main));
        Click(1, button);
        EXPECT_TRUE(!window->isMinimized() && window->isVisible()) << button;
        EXPECT_TRUE(active(window)) << button;
    }
    CloseLineMonitor();
}

TEST_F(StatisticsAndRecord, SavePictureWritesThePanelAsPng) {
    const std::string path = TempPath("picture.png");
    SetNextFileSelection(path.c_str(), VAL_NEW_FILE_SELECTED);
    Click(1, MAIN_SAVE_PICTURE);
    EXPECT_EQ(test::StatusLine(), "Picture saved to " + path);
    FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    unsigned char magic[8] = {};
    EXPECT_EQ(std::fread(magic, 1, 8, f), 8u);
    std::fclose(f);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(magic) + 1, 3), "PNG");
    std::remove(path.c_str());
}

// The distribution window against the answers sent: the figures, the bars (their heights add up
// to every answer) and the limits drawn where the band of the last answer lies in micrometres.
TEST_F(StatisticsAndRecord, DistributionWindowEqualsTheAnswersSent) {
    std::vector<u16> ram = sensor().ramParameters();
    ram[12] = 3 * SLOPEMULTI; // 3 µm per unit, 25 µm offset
    ram[13] = YOFFSET + 25;
    sensor().setRamParameters(ram);
    Click(1, MAIN_GET); // the scope takes the calibration words
    Click(1, MAIN_DISTRIBUTION);
    sensor().clearRequests();
    Click(1, MAIN_STAT_RESET);
    RunUntil(MAIN_RUN, [](std::size_t n) { return n >= 200; });
    const test::ReferenceFigures e = Compute(SentAnswers());
    auto shown = [](int id) {
        double v = std::nan("");
        GetCtrlVal(pDistribution, id, &v);
        return v;
    };
    EXPECT_EQ(shown(DIST_COUNT), e.n);
    const std::pair<int, double> figures[] = {
        {DIST_MEAN, e.umMean}, {DIST_WITHIN, e.umWithin}, {DIST_OVERALL, e.umSd}, {DIST_CP, e.cp},
        {DIST_CPK, e.cpk},     {DIST_PP, e.pp},           {DIST_PPK, e.ppk}};
    for (const auto& [id, want] : figures)
        EXPECT_NEAR(shown(id), want, 1e-9 * std::abs(want)) << "control " << id;
    double bars = 0;
    std::vector<double> lines;
    for (int i = 0; i < GetGraphPlotCount(pDistribution, DIST_HISTOGRAM); ++i) {
        PlotInfo info;
        GetGraphPlotInfo(pDistribution, DIST_HISTOGRAM, i, &info);
        if (info.kind == PLOT_KIND_RECTANGLE) bars += info.y2;
        double x[2], y[2];
        if (info.kind == PLOT_KIND_CURVE && info.points == 2 &&
            GetGraphCurvePoints(pDistribution, DIST_HISTOGRAM, i, x, y, 2) == 2)
            lines.push_back(x[0]);
    }
    EXPECT_EQ(bars, e.n);
    const Sent last = SentAnswers().back();
    const std::vector<double> limits = {3.0 * (last.setpoint - last.tol) + 25,
                                        3.0 * (last.setpoint + last.tol) + 25, e.umMean};
    EXPECT_EQ(lines.size(), 3u);
    for (double want : limits)
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](double x) {
            return std::abs(x - want) < 1e-6 * want;
        })) << want;
}

// A type-1 gauge study in three scenes: a still master part measured true, a wandering one with
// the sensor's offset 25 µm off, and sizes all alike, which tell nothing of the scatter. The
// figures equal a computation over the sizes the sensor sent; the report is one PDF page carrying
// them, the readings a CSV beside it.
struct Scene {
    const char* name;
    bool drifting;
    int offset; // µm
    bool alike; // every answer the same
    int verdict;
};

std::string Figure(double v, const char* format) {
    char text[40];
    std::snprintf(text, sizeof text, format, v);
    return std::isfinite(v) ? text : "–";
}

QString PdfText(const std::string& pdf) {
    QProcess text;
    text.start("pdftotext", {"-layout", QString::fromStdString(pdf), "-"});
    EXPECT_TRUE(text.waitForFinished(30000));
    // The PDF's font sets "fi" as one ligature glyph.
    return QString::fromUtf8(text.readAllStandardOutput())
        .simplified()
        .replace(QChar(0xFB01), "fi");
}

// The file's content, empty when there is none.
std::string ReadText(const std::string& path) {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

class GaugeStudy : public StatisticsAndRecord, public ::testing::WithParamInterface<Scene> {};

TEST_P(GaugeStudy, FiguresEqualTheSizesSentAndTheReportCarriesThem) {
    const Scene scene = GetParam();
    sensor().setObject(400.0, 800.0, scene.drifting);
    std::vector<u16> ram = sensor().ramParameters();
    ram[13] = static_cast<u16>(YOFFSET + scene.offset);
    sensor().setRamParameters(ram);
    if (scene.alike)
        sensor().setMeasurementAnswer({0, 800, 800, 800, 0, 800, 100, 2, 0, 0, 0, 0, 0, 0, 0, 0});
    Click(1, MAIN_GAUGE_STUDY);
    ASSERT_GT(pGauge, 0);
    test::EnterNumber(pGauge, GAUGE_REFERENCE, 800);
    test::EnterNumber(pGauge, GAUGE_TOLERANCE, 200);
    test::EnterNumber(pGauge, GAUGE_READINGS, 25);
    sensor().clearRequests();
    Click(pGauge, GAUGE_START); // runs the measurement until the 25th reading
    // The sensor logs an answer once it has gone out whole, which may be after the scope took it.
    ASSERT_TRUE(test::PumpUntil([this] { return SentAnswers().size() >= 25; }, 5.0));
    const std::vector<Sent> sent = SentAnswers();
    const test::ReferenceFigures e = Compute({sent.begin(), sent.begin() + 25});
    const double mean = e.umMean, sd = e.umSd;
    // Readings all alike leave Cg and Cgk undefined.
    const double cg = sd > 0 ? 0.2 * 200 / (6 * sd) : std::nan("");
    const double cgk = sd > 0 ? (0.1 * 200 - std::abs(mean - 800)) / (3 * sd) : std::nan("");
    EXPECT_EQ(stop_flag, 1) << "the study ended the run it started";
    double shown = 0;
    const std::pair<int, double> figures[] = {{GAUGE_MEAN, mean},
                                              {GAUGE_STDDEV, sd},
                                              {GAUGE_BIAS, mean - 800},
                                              {GAUGE_CG, cg},
                                              {GAUGE_CGK, cgk}};
    for (const auto& [id, want] : figures) {
        GetCtrlVal(pGauge, id, &shown);
        if (std::isnan(want))
            EXPECT_TRUE(std::isnan(shown)) << "control " << id;
        else
            EXPECT_NEAR(shown, want, 1e-9 * std::abs(want) + 1e-12) << "control " << id;
    }
    const int verdict = std::isnan(cg) ? -1 : cg >= 1.33 && cgk >= 1.33 ? 1 : 0;
    ASSERT_EQ(verdict, scene.verdict) << "the scene should be " << scene.name;
    EXPECT_EQ(GaugeVerdict(), verdict);

    const std::string pdf = TempPath("gauge.pdf"), csv = TempPath("gauge.csv");
    SetNextFileSelection(pdf.c_str(), VAL_NEW_FILE_SELECTED);
    Click(pGauge, GAUGE_REPORT);
    EXPECT_EQ(test::StatusLine(),
              "Report saved to " + pdf + " and " + csv.substr(csv.rfind('/') + 1));
    QProcess info;
    info.start("pdfinfo", {QString::fromStdString(pdf)});
    ASSERT_TRUE(info.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput())
                    .contains(QRegularExpression("Pages:\\s+1\\n")));
    const std::string expected[] = {
        Figure(mean, "%.3f µm Standard deviation s: ") + Figure(sd, "%.3f µm"),
        "(6·s): " + Figure(cg, "%.2f"), "(3·s): " + Figure(cgk, "%.2f"),
        verdict == 1   ? "Result: capable: Cg and Cgk both at least 1.33"
        : verdict == 0 ? "Result: not capable: Cgk " + Figure(cgk, "%.2f") + " below 1.33"
                       : "Result: none: the readings do not scatter",
        "Reference size ref: 800.000 µm Tolerance T: 200.000 µm"};
    const QString page = PdfText(pdf);
    for (const std::string& want : expected)
        EXPECT_TRUE(page.contains(QString::fromStdString(want))) << want << "\n"
                                                                 << page.toStdString();
    EXPECT_TRUE(page.contains(QRegularExpression("First reading: 20\\d\\d-.* Last reading: 20")));
    std::vector<std::vector<std::string>> rows = ReadCsv(csv);
    ASSERT_EQ(rows.size(), 26u);
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(rows[i + 1],
                  (std::vector<std::string>{std::to_string(i + 1), std::to_string(sent[i].um)}));

    // Saved again under the same name, over a record that has the readings' name: one question
    // names every file the save would replace; declined, neither file is touched.
    for (const auto& [pdfThere, answer] : {std::pair{true, 0}, {false, 0}, {false, 1}}) {
        std::remove(pdf.c_str());
        if (pdfThere) std::ofstream(pdf) << "an earlier report";
        std::ofstream(csv) << "time,t_s\r\n";
        SetNextFileSelection(pdf.c_str(),
                             pdfThere ? VAL_EXISTING_FILE_SELECTED : VAL_NEW_FILE_SELECTED);
        SetNextConfirmAnswer(answer);
        Click(pGauge, GAUGE_REPORT);
        char title[80], text[1200];
        GetLastConfirmPopup(title, sizeof title, text, sizeof text);
        const std::string question = text;
        EXPECT_NE(question.find(csv), std::string::npos) << question;
        EXPECT_EQ(question.find(pdf + "\n") != std::string::npos, pdfThere) << question;
        // Declined: both as they were; agreed: both written.
        EXPECT_EQ(ReadText(csv) == "time,t_s\r\n", answer == 0);
        EXPECT_EQ(ReadText(pdf) == (pdfThere ? "an earlier report" : ""), answer == 0);
    }
    std::remove(pdf.c_str());
    std::remove(csv.c_str());
}

INSTANTIATE_TEST_SUITE_P(Scenes, GaugeStudy,
                         ::testing::Values(Scene{"Capable", false, 0, false, 1},
                                           Scene{"NotCapable", true, 25, false, 0},
                                           Scene{"AllAlike", false, 0, true, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

// A study is one uninterrupted series of one sensor: Stop, a pick of another port (another
// sensor), a time-out or a calibration stored in the run breaks it off. The window then shows no
// verdict, a new run takes no reading into it, and its report names the sensor and port it
// started on. A stored calibration also starts the statistics afresh, and the record notes the
// new line in a row of its own between the answers of the two scales.
enum class Break { Stop, PortPick, Timeout, Calibration, SendCalibration };

class GaugeInterrupted : public StatisticsAndRecord, public ::testing::WithParamInterface<Break> {};

TEST_P(GaugeInterrupted, ShowsNoVerdictTakesNothingMoreAndNamesWhatWasMeasured) {
    sim::Options other = SensorOptions();
    ASSERT_TRUE(sim::ModelPreset("104", &other.model));
    sim::SimulatedSensor& second = secondSensor(other);
    const std::string record = TempPath("interrupted.csv");
    StartRecordTo(record);
    Click(1, MAIN_POPUP_TOGGLE);
    Click(1, MAIN_GAUGE_STUDY);
    // Before a study every figure and the verdict show a dash.
    for (int id : {GAUGE_MEAN, GAUGE_STDDEV, GAUGE_BIAS, GAUGE_CG, GAUGE_CGK, GAUGE_VERDICT})
        EXPECT_EQ(ShownText(id, pGauge), QString("–")) << id;
    test::EnterNumber(pGauge, GAUGE_READINGS, 25);
    char port[128];
    GetComPortLabel(1, port, sizeof port);
    std::size_t brokenAt = 0;
    // The study starts inside a run the operator started, and is broken off after 5 readings.
    RunUntil(MAIN_RUN, [&](std::size_t n) {
        if (n >= 3 && gaugeTaking == 0 && brokenAt == 0) Click(pGauge, GAUGE_START);
        if (gaugeTaken < 5 || brokenAt > 0) return brokenAt > 0 && n >= brokenAt + 10;
        brokenAt = n;
        if (GetParam() == Break::Stop) test::PressButton(1, MAIN_STOP);
        if (GetParam() == Break::PortPick) test::PickRingValue(1, MAIN_COMPORT, 2);
        if (GetParam() == Break::Calibration) {
            slopeval = 2.0;
            interval = 10.0;
            SetCtrlAttribute(pPopup, POP_STORE, ATTR_DIMMED, 0);
            Click(2, POP_STORE);
        }
        // Another factor typed into the pop-up and sent to the RAM: the same new scale.
        if (GetParam() == Break::SendCalibration) {
            SetCtrlVal(pPopup, POP_FACTOR, 2.0f);
            SetCtrlVal(pPopup, POP_OFFSET, 10.0f);
            test::PressButton(1, MAIN_SEND);
        }
        return GetParam() == Break::Timeout;
    });
    ASSERT_GT(brokenAt, 0u);
    Click(1, MAIN_RECORD);
    const std::vector<std::vector<std::string>> rows = ReadCsv(record);
    std::vector<std::size_t> notes;
    for (std::size_t i = 1; i < rows.size(); ++i)
        if (rows[i].at(12) != "") notes.push_back(i);
    if (GetParam() == Break::Calibration || GetParam() == Break::SendCalibration) {
        ASSERT_EQ(notes.size(), 1u);
        EXPECT_EQ(rows[notes[0]][12], GetParam() == Break::Calibration
                                          ? "new calibration: factor 2, offset 10 µm"
                                          : "new calibration sent: factor 2, offset 10 µm");
        EXPECT_EQ(std::count(rows[notes[0]].begin() + 2, rows[notes[0]].begin() + 12, ""), 10);
        EXPECT_EQ(rows[notes[0]][13], "") << "a note's row names no rule";
        EXPECT_EQ(statCount, static_cast<double>(rows.size() - 1 - notes[0]));
        EXPECT_EQ(recordCount, static_cast<double>(rows.size() - 2));
    }
    std::remove(record.c_str());
    const int taken = gaugeTaken;
    auto text = [](int id) { return ShownText(id, pGauge); };
    const QString interrupted =
        QString("Interrupted after %1 readings – press Start to begin again").arg(taken);
    EXPECT_EQ(text(GAUGE_STATE), interrupted);
    EXPECT_EQ(text(GAUGE_VERDICT), QString("–"));
    EXPECT_TRUE(GaugeVerdict() == -1 && std::isnan(gaugeCg) && std::isnan(gaugeCgk));
    // A new run, on whichever sensor is on the line now, is no part of the study.
    sim::SimulatedSensor& now = GetParam() == Break::PortPick ? second : sensor();
    const std::size_t before = now.measurementAnswers().size();
    RunUntil(
        MAIN_RUN, [&](std::size_t n) { return n >= before + 10; }, &now);
    EXPECT_EQ(gaugeTaken, taken);
    EXPECT_EQ(text(GAUGE_STATE), interrupted);

    // The report names the sensor and port of the study's start, and no verdict. Saved in a
    // folder of a long name, the window's line says where, whole.
    const std::string folder = TempPath("Quality records of line 3 – gauge studies");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder)));
    const std::string pdf = folder + "/KVOR-gauge-study-20261208-094105.pdf";
    SetNextFileSelection(pdf.c_str(), VAL_NEW_FILE_SELECTED);
    Click(pGauge, GAUGE_REPORT);
    auto* line = qobject_cast<QLabel*>(test::Control(pGauge, GAUGE_STATE));
    ASSERT_TRUE(text(GAUGE_STATE).startsWith("Report saved to " + QString::fromStdString(pdf)));
    ASSERT_GT(line->fontMetrics().horizontalAdvance(line->text()), line->width());
    EXPECT_LE(line->heightForWidth(line->width()), line->height()) << line->text().toStdString();
    const QString page = PdfText(pdf);
    for (const std::string& want :
         {std::string("Sensor: K-VOR-PX-250 firmware V2.40, CCD type 2, 1024 pixel; 2048 subpixel; "
                      "4096 virtual pixel"),
          std::string("Port: ") + port,
          "Result: none: interrupted after " + std::to_string(taken) + " of 25 readings"})
        EXPECT_TRUE(page.contains(QString::fromStdString(want))) << want << "\n"
                                                                 << page.toStdString();
    EXPECT_FALSE(page.contains("K-VOR-PX-104")) << page.toStdString();
    QDir(QString::fromStdString(folder)).removeRecursively();
}

const char* const kBreakNames[] = {"Stop", "PortPick", "Timeout", "Calibration", "SendCalibration"};

INSTANTIATE_TEST_SUITE_P(Breaks, GaugeInterrupted,
                         ::testing::Values(Break::Stop, Break::PortPick, Break::Timeout,
                                           Break::Calibration, Break::SendCalibration),
                         [](const auto& info) {
                             return kBreakNames[static_cast<int>(info.param)];
                         });

} // namespace
} // namespace kvor

namespace kvor {
namespace {

// The control chart computed here over the whole series of sizes: the limits from the first 25,
// then each later reading against the rules over the readings since then. The lowest rule each
// breaks, 0 for none (the baseline's readings break none).
struct ChartReference {
    double centre = 0, mrBar = 0;
    std::vector<int> rule;
};

ChartReference ComputeChart(const std::vector<double>& x) {
    ChartReference c;
    const std::size_t base = 25;
    for (std::size_t i = 0; i < base && i < x.size(); ++i) {
        c.centre += x[i] / base;
        if (i > 0) c.mrBar += std::abs(x[i] - x[i - 1]) / (base - 1);
    }
    const double s = 2.66 * c.mrBar / 3;
    c.rule.assign(x.size(), 0);
    for (std::size_t i = base; i < x.size(); ++i) {
        const std::size_t since = i - base + 1; // readings against the limits so far
        const int side = x[i] > c.centre ? 1 : -1;
        auto beyond = [&](std::size_t n, double k) {
            int m = 0;
            for (std::size_t j = i + 1 - n; j <= i; ++j)
                m += side * (x[j] - c.centre) > k * s;
            return m;
        };
        auto newestBeyond = [&](double k) { return side * (x[i] - c.centre) > k * s; };
        bool sameSide = since >= 8, rising = since >= 6, falling = since >= 6;
        for (std::size_t j = i + 1 - std::min<std::size_t>(since, 8); sameSide && j <= i; ++j)
            sameSide = x[j] != c.centre && (x[j] > c.centre) == (side > 0);
        for (std::size_t j = i + 1 - std::min<std::size_t>(since, 6); j < i; ++j) {
            rising = rising && x[j + 1] > x[j];
            falling = falling && x[j + 1] < x[j];
        }
        const bool broken[5] = {newestBeyond(3), since >= 3 && newestBeyond(2) && beyond(3, 2) >= 2,
                                since >= 5 && newestBeyond(1) && beyond(5, 1) >= 4, sameSide,
                                rising || falling};
        for (int n = 5; n >= 1; --n)
            if (broken[n - 1]) c.rule[i] = n;
    }
    return c;
}

struct SceneCase {
    int scene;
    int firstRule; // the rule the scene breaks first; 0: none
};

class ControlChartScenes : public StatisticsAndRecord,
                           public ::testing::WithParamInterface<SceneCase> {};

// Each scene of the sensor breaks its rule, and only as the chart computed here over the sizes it
// sent says: in the record's rule column, in the window's marks and limits, and in the alarm line.
// Paused in the middle, the strip chart stands still while the run goes on, and its cursor reads
// what the record holds.
TEST_P(ControlChartScenes, RulesEqualAnIndependentChartAndThePausedCursorReadsTheRecord) {
    const std::string path = TempPath("chart.csv");
    Click(1, MAIN_CONTROL_CHART);
    Click(pControlChart, CCW_RESTART);
    sim::Faults scene;
    scene.scene = GetParam().scene;
    sensor().setFaults(scene);
    StartRecordTo(path);
    std::vector<double> frozen(CHART_ANSWERS + 1), paused;
    RunUntil(MAIN_RUN, [&](std::size_t n) {
        // Past the history's length: the paused history has gone round at least once.
        if (n >= 110 && paused.empty()) {
            Click(1, MAIN_PAUSE);
            paused.resize(frozen.size());
            GetStripChartPoints(pHandle, MAIN_STRIPCHART, 4, paused.data(), int(paused.size()));
        }
        return n >= 125;
    });
    Click(1, MAIN_RECORD);
    const std::vector<Sent> sent = SentAnswers();
    std::vector<double> sizes;
    for (const Sent& s : sent)
        sizes.push_back(double(s.um));
    const ChartReference ref = ComputeChart(sizes);
    const auto rows = ReadCsv(path);
    ASSERT_EQ(rows.size(), sent.size() + 1);
    int first = 0;
    for (std::size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(rows[i + 1][13], ref.rule[i] ? std::to_string(ref.rule[i]) : "") << "row " << i;
        if (first == 0) first = ref.rule[i];
    }
    EXPECT_EQ(first, GetParam().firstRule);

    // The window: centre line, UCL and LCL first, then the sizes, then a number at each point
    // that broke a rule.
    double x[2], y[2];
    const double ucl = ref.centre + 2.66 * ref.mrBar, lcl = ref.centre - 2.66 * ref.mrBar;
    const double levels[3] = {ref.centre, ucl, lcl};
    for (int k = 0; k < 3; ++k) {
        ASSERT_EQ(GetGraphCurvePoints(pControlChart, CCW_INDIVIDUALS, k, x, y, 2), 2);
        EXPECT_NEAR(y[0], levels[k], 1e-9) << k;
    }
    ASSERT_EQ(GetGraphCurvePoints(pControlChart, CCW_MOVING_RANGE, 1, x, y, 2), 2);
    EXPECT_NEAR(y[0], 3.267 * ref.mrBar, 1e-9);
    std::vector<std::pair<double, std::string>> marks, expected;
    for (int i = 0, n = GetGraphPlotCount(pControlChart, CCW_INDIVIDUALS); i < n; ++i) {
        PlotInfo info;
        GetGraphPlotInfo(pControlChart, CCW_INDIVIDUALS, i, &info);
        if (info.kind == PLOT_KIND_TEXT) marks.emplace_back(info.x1, info.text);
    }
    for (std::size_t i = sent.size() > 100 ? sent.size() - 100 : 0; i < sent.size(); ++i)
        if (ref.rule[i]) expected.emplace_back(double(i + 1), std::to_string(ref.rule[i]));
    EXPECT_EQ(marks, expected);
    EXPECT_EQ(ShownText(CCW_ALARM, pControlChart).isEmpty(), first == 0);
    // Closed and opened again, the window shows the last alarm: the reading that broke a rule last.
    const QString alarmShown = ShownText(CCW_ALARM, pControlChart);
    DiscardControlChartWindow();
    Click(1, MAIN_CONTROL_CHART);
    EXPECT_EQ(ShownText(CCW_ALARM, pControlChart), alarmShown);
    for (std::size_t i = sent.size(); i-- > 0;)
        if (ref.rule[i] != 0) {
            EXPECT_TRUE(alarmShown.contains(QString(", reading %1,").arg(i + 1))) << i;
            break;
        }
    // The alarm as publishing sends it: JSON naming the last answer's rule and size.
    char json[PUBLISH_JSON_LEN];
    AlarmJson(json, sizeof json);
    const QJsonObject alarm = QJsonDocument::fromJson(json).object();
    EXPECT_EQ(alarm.value("rule").toInt(-1), ref.rule.back()) << json;
    EXPECT_EQ(alarm.value("value").toInt(), sent.back().um) << json;
    EXPECT_EQ(alarm.value("text").toString().toStdString(), RuleText(ref.rule.back())) << json;

    // Paused: the chart kept its picture; the cursor reads answers exactly as the record has them.
    ASSERT_FALSE(paused.empty());
    GetStripChartPoints(pHandle, MAIN_STRIPCHART, 4, frozen.data(), int(frozen.size()));
    EXPECT_EQ(frozen, paused);
    QWidget* chart = test::Control(1, MAIN_STRIPCHART);
    for (Qt::Key key : {Qt::Key_End, Qt::Key_Left, Qt::Key_PageUp, Qt::Key_Home, Qt::Key_Right}) {
        QTest::keyClick(chart, key);
        const std::string text = ShownText(MAIN_CHART_CURSOR).toStdString();
        unsigned mv = 0;
        int um = 0;
        char clock[16] = {};
        ASSERT_EQ(
            std::sscanf(text.c_str(), "measuring value %u, size %d %*s at %15s", &mv, &um, clock),
            3)
            << text;
        int point = -1;
        GetStripChartCursor(pHandle, MAIN_STRIPCHART, &point);
        ASSERT_GE(point, 0);
        EXPECT_EQ(frozen[std::size_t(point)], mv) << "the point under the cursor";
        const bool inRecord = std::any_of(rows.begin() + 1, rows.end(), [&](const auto& r) {
            return r[0].substr(11, 12) == clock && r[4] == std::to_string(mv) &&
                   r[5] == std::to_string(um);
        });
        EXPECT_TRUE(inRecord) << text;
    }
    // Released, the chart shows the present again at the next answer.
    Click(1, MAIN_PAUSE);
    EXPECT_EQ(ShownText(MAIN_CHART_CURSOR), QString());
    RunUntil(MAIN_RUN, [&](std::size_t n) { return n >= sent.size() + 3; });
    GetStripChartPoints(pHandle, MAIN_STRIPCHART, 4, frozen.data(), int(frozen.size()));
    EXPECT_EQ(frozen.back(), double(SentAnswers().back().mv));
    std::remove(path.c_str());
}

std::string SceneName(const ::testing::TestParamInfo<SceneCase>& info) {
    const char* names[] = {"", "Calm", "Step", "Trend", "Run"};
    return names[info.param.scene];
}

INSTANTIATE_TEST_SUITE_P(Scenes, ControlChartScenes,
                         ::testing::Values(SceneCase{sim::SCENE_CALM, 0},
                                           SceneCase{sim::SCENE_STEP, 1},
                                           SceneCase{sim::SCENE_RUN, 4},
                                           SceneCase{sim::SCENE_TREND, 5}),
                         SceneName);

} // namespace
} // namespace kvor

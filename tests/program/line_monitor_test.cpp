// SPDX-License-Identifier: GPL-3.0-or-later
// The line monitor and the answer rate against the simulated sensor: every frame the monitor
// lists as written is a request the sensor received, in order and word for word; what it lists
// as read is what the sensor answered; a faulty line shows its thrown-away bytes.
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QTreeView>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/line_trace.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "tests/support/harness.h"
#include "wire/protocol.h"

namespace kvor {
namespace {

const std::vector<std::uint16_t> kAnswer = {410, 620, 515, 1234, 0,   512, 100, 2,
                                            900, 901, 0,   700,  300, 0,   0,   0};

std::vector<LineMonitorEntry> Entries(int kind) {
    std::vector<LineMonitorEntry> found;
    for (int i = 0, n = GetLineMonitorEntryCount(); i < n; ++i) {
        LineMonitorEntry e;
        if (GetLineMonitorEntry(i, &e) == 0 && e.kind == kind) found.push_back(e);
    }
    return found;
}

std::string Text(int index) {
    char text[512];
    return GetLineMonitorEntryText(index, text, sizeof text) == 0 ? text : "";
}

bool Listed(const std::string& part) {
    for (int i = 0, n = GetLineMonitorEntryCount(); i < n; ++i)
        if (Text(i).find(part) != std::string::npos) return true;
    return false;
}

class LineMonitor : public test::ScopeTest {
  protected:
    // The monitor is open before the scope starts, so it lists the start-up conversation too.
    void SetUp() override {
        ASSERT_EQ(DisplayLineMonitor(), 0);
        ClearLineMonitor();
        test::ScopeTest::SetUp();
    }
    void TearDown() override {
        test::ScopeTest::TearDown();
        SetLineMonitorPaused(0);
        CloseLineMonitor();
    }
    // Runs the measurement loop until the sensor has seen `requests` measurement requests; the
    // last answer lands and the monitor lists it.
    void RunUntil(std::size_t requests) {
        const test::LineMark mark = test::ClearRequests(sensor());
        StopAfter(requests);
        test::Click(1, MAIN_RUN);
        test::AwaitAnswers(sensor(), mark);
        ListsAllTraced();
    }
    // The monitor has caught up with the trace.
    static void ListsAllTraced() {
        EXPECT_TRUE(test::PumpUntil(
            [] {
                return GetLineMonitorEntryCount() ==
                       static_cast<int>(rt::LineTrace::instance().entries().size());
            },
            10.0));
    }
    void StopAfter(std::size_t requests) {
        test::Later(5, [this, requests] {
            if (sensor().requests().size() >= requests)
                test::Click(1, MAIN_STOP);
            else
                StopAfter(requests);
        });
    }
    // Every written frame listed is the request the sensor received, in order.
    void ExpectWrittenAsReceived(const std::vector<sim::Request>& received) {
        const std::vector<LineMonitorEntry> out = Entries(LINE_OUT);
        // The request written in the pass that took Stop may be flushed out of the system's
        // output queue before the sensor reads it.
        ASSERT_GE(out.size(), received.size());
        ASSERT_LE(out.size(), received.size() + 1);
        for (std::size_t i = 0; i < received.size(); ++i) {
            EXPECT_EQ(out[i].sync, received[i].sync) << "request " << i;
            EXPECT_EQ(out[i].command, received[i].command) << "request " << i;
            for (int w = 0; w < protocol::PNUM; ++w)
                EXPECT_EQ(out[i].words[w], received[i].words[w]) << "request " << i;
        }
    }
};

TEST_F(LineMonitor, ListsTheStartUpAndARunAsTheSensorSawThem) {
    std::vector<sim::Request> seen = sensor().requests();
    ListsAllTraced();
    ExpectWrittenAsReceived(seen);
    EXPECT_TRUE(Listed("cmd 5 echo"));
    EXPECT_TRUE(Listed("sync 0x00aa  cmd 5 echo")); // the sensor's echo answer
    EXPECT_TRUE(Listed("firmware text \"K-VOR-PX-250 firmware V2.40"));
    EXPECT_TRUE(Listed("cmd 10 hardware info"));

    LineMonitorEntry last;
    ASSERT_EQ(GetLineMonitorEntry(GetLineMonitorEntryCount() - 1, &last), 0);
    ClearLineMonitor();
    ASSERT_EQ(GetLineMonitorEntryCount(), 0);
    sensor().setMeasurementAnswer(kAnswer);
    RunUntil(20);
    seen = sensor().requests();
    ExpectWrittenAsReceived(seen);
    // Every answer read is the sensor's measurement answer, word for word.
    const std::vector<LineMonitorEntry> in = Entries(LINE_IN);
    ASSERT_GE(in.size() + 1, seen.size());
    for (const LineMonitorEntry& e : in) {
        ASSERT_EQ(e.length, protocol::kFrameBytes);
        EXPECT_EQ(e.command, protocol::CMD_MEASURE);
        for (int w = 0; w < protocol::PNUM; ++w)
            EXPECT_EQ(e.words[w], kAnswer[static_cast<std::size_t>(w)]);
    }
    EXPECT_TRUE(Listed("cmd 8 measure |   410   620   515  1234"));
    // Times count up from the scope's start, on through a clearing of the list.
    for (int i = 0, n = GetLineMonitorEntryCount(); i < n; ++i) {
        LineMonitorEntry b;
        GetLineMonitorEntry(i, &b);
        EXPECT_LE(last.ms, b.ms);
        last = b;
    }
}

TEST_F(LineMonitor, ShowsBytesAFaultyLineThrowsAwayAndNotesSetAside) {
    sim::Faults faults;
    faults.extraBytes = 3;
    sensor().setFaults(faults);
    ClearLineMonitor();
    RunUntil(10);
    // Three bytes behind every answer: the flush before the next request throws them away.
    const std::vector<LineMonitorEntry> flushed = Entries(LINE_FLUSHED);
    ASSERT_FALSE(flushed.empty());
    for (const LineMonitorEntry& e : flushed)
        EXPECT_EQ(e.length % 3, 0);
    EXPECT_TRUE(Listed("THROWN AWAY by a queue flush"));

    const std::string note = "set aside: a frame of command 2 " + std::string(300, '.');
    TraceLineNote(com, note.c_str());
    EXPECT_TRUE(Listed(">>> " + note));
    EXPECT_EQ(Entries(LINE_NOTE).size(), 1u);
    // Every column has its heading, and no frame or note is cut off in its column.
    QTreeView* list = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == "Line monitor") list = w->findChild<QTreeView*>();
    ASSERT_NE(list, nullptr);
    for (int c = 0; c < list->model()->columnCount(); ++c) {
        const QString heading = list->model()->headerData(c, Qt::Horizontal).toString();
        EXPECT_FALSE(heading.isEmpty()) << c;
        const int width = list->header()->sectionSize(c);
        EXPECT_LE(list->header()->fontMetrics().horizontalAdvance(heading), width) << c;
        for (int r = 0; r < list->model()->rowCount(); ++r)
            EXPECT_LE(list->sizeHintForIndex(list->model()->index(r, c)).width(), width) << Text(r);
    }
}

TEST_F(LineMonitor, PausesClearsSavesAndRecordsNothingWhileClosed) {
    ClearLineMonitor();
    CloseLineMonitor();
    test::Click(1, MAIN_GET); // one exchange while nobody looks
    ASSERT_EQ(sensor().requests().back().command, protocol::CMD_READ_RAM);
    ASSERT_EQ(DisplayLineMonitor(), 0);
    const int before = GetLineMonitorEntryCount();
    EXPECT_EQ(before, 0);

    SetLineMonitorPaused(1);
    test::Click(1, MAIN_GET);
    EXPECT_EQ(GetLineMonitorEntryCount(), before);
    SetLineMonitorPaused(0);
    EXPECT_GE(GetLineMonitorEntryCount(), before + 2); // the request and its answer
    EXPECT_TRUE(Listed("cmd 2 read RAM"));

    const std::string file = testing::TempDir() + "line-trace.txt";
    ASSERT_EQ(SaveLineMonitorText(file.c_str()), 0);
    QFile saved(QString::fromStdString(file));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(saved.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), GetLineMonitorEntryCount());
    EXPECT_EQ(lines.last().toStdString(), Text(GetLineMonitorEntryCount() - 1));
}

double AnswerRate() {
    double rate = 0;
    GetCtrlVal(pHandle, MAIN_ANSWER_RATE, &rate);
    return rate;
}

TEST_F(LineMonitor, AnswerRateShowsWhileALoopRunsAndADashOtherwise) {
    EXPECT_TRUE(std::isnan(AnswerRate()));
    auto* display = qobject_cast<QLabel*>(test::Control(1, MAIN_ANSWER_RATE));
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->text(), QStringLiteral("\u2013"));
    double during = NAN;
    // Looked at from inside the loop, once it has shown a rate, and then stopped.
    std::function<void()> look = [&] {
        if (AnswerRate() > 0 || sensor().requests().size() > 5000) {
            during = AnswerRate();
            test::Click(1, MAIN_STOP);
        } else {
            test::Later(5, look);
        }
    };
    test::Later(5, look);
    sensor().clearRequests();
    test::Click(1, MAIN_RUN);
    EXPECT_GT(during, 0.0);
    EXPECT_TRUE(std::isfinite(during));
    EXPECT_TRUE(std::isnan(AnswerRate()));
    EXPECT_EQ(display->text(), QStringLiteral("\u2013"));
}

} // namespace
} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// kvorctl against simulated sensors: its exit statuses, each made by a real cause; the wire
// conversation of a get against the scope's own start-up; a dry run that writes nothing; two
// ports at once; and no window toolkit in its process.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/stat.h>

#include "runtime/runtime.h"
#include "state/state.h"
#include "tests/support/harness.h"
#include "wire/protocol.h"

namespace kvor::test {
namespace {

struct Outcome {
    int status = -1;
    QString out, err;
};

Outcome Kvorctl(const QStringList& args, const QString& simArgs = "--unpaced",
                const QStringList& as = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KVOR_SIM_ARGS", simArgs);
    p.setProcessEnvironment(env);
    const QString program = QCoreApplication::applicationDirPath() + "/kvorctl";
    if (as.isEmpty())
        p.start(program, args);
    else
        p.start("setpriv", as + QStringList{"--", program} + args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

std::vector<std::vector<int>> Conversation(const std::vector<sim::Request>& requests) {
    std::vector<std::vector<int>> frames;
    for (const sim::Request& r : requests) {
        std::vector<int> f{r.sync, r.command};
        f.insert(f.end(), std::begin(r.words), std::end(r.words));
        frames.push_back(f);
    }
    return frames;
}

// A copy of a parameter file with the setpoint (word 8) changed.
QString WithSetpoint(const QString& file, const QString& setpoint) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) return {};
    QStringList words = QString::fromLatin1(in.readAll()).split('\n', Qt::SkipEmptyParts);
    words[8] = setpoint.rightJustified(5);
    const QString changed = file + "." + setpoint;
    QFile out(changed);
    if (!out.open(QIODevice::WriteOnly)) return {};
    out.write(words.join('\n').toLatin1() + "\n");
    return changed;
}

class KvorctlTest : public ScopeTest {};

TEST_F(KvorctlTest, ExitStatusesTellEachCause) {
    QTemporaryDir dir;
    const QString file = dir.filePath("set.dat");
    ASSERT_EQ(Kvorctl({"get", "--from", "ram", "--port", "simulated", "--out", file}).status, 0);
    const QString changed = WithSetpoint(file, "600");
    // A sensor without permission on its device node, run as another user.
    sim::SimulatedSensor locked;
    ASSERT_TRUE(locked.start());
    ASSERT_EQ(chmod(locked.devicePath().c_str(), 0600), 0);
    const QString lockedPath = QString::fromStdString(locked.devicePath());
    const QString report = dir.filePath("study.pdf");
    struct Row {
        const char* cause;
        QStringList args;
        QString sim;
        QStringList as;
        int status;
    };
    const Row rows[] = {
        {"a sensor answering", {"identify", "--port", "simulated"}, "--unpaced", {}, 0},
        {"the same set sent again",
         {"send", "--to", "ram", file, "--yes", "--port", "simulated"},
         "--unpaced",
         {},
         0},
        {"a set the sensor does not keep",
         {"send", "--to", "ram", changed, "--yes", "--port", "simulated"},
         "--unpaced --forget-writes",
         {},
         1},
        {"a study far off its reference, reported",
         {"gauge", "--ref", "9000", "--tolerance", "50", "--count", "10", "--report", report,
          "--port", "simulated"},
         "--unpaced",
         {},
         1},
        {"a command without its store", {"get", "--port", "simulated"}, "--unpaced", {}, 2},
        {"an unknown command", {"erase"}, "--unpaced", {}, 2},
        {"no permission on the device node",
         {"identify", "--port", lockedPath},
         "",
         {"--reuid=65534", "--regid=65534", "--clear-groups"},
         3},
        {"a silent sensor",
         {"get", "--from", "ram", "--port", "simulated"},
         "--unpaced --silent",
         {},
         4},
        {"a sister series",
         {"identify", "--port", "simulated"},
         "--unpaced --firmware \"K-VOR-RW-250 firmware V1.10\"",
         {},
         5},
    };
    for (const Row& row : rows) {
        const Outcome run = Kvorctl(row.args, row.sim, row.as);
        EXPECT_EQ(run.status, row.status) << row.cause << "\n" << run.err.toStdString();
        // Every failure is one line on stderr naming the port, results only on stdout.
        if (row.status >= 3) {
            EXPECT_EQ(run.out, "") << row.cause;
            EXPECT_EQ(run.err.count('\n'), 1) << row.cause << run.err.toStdString();
            EXPECT_TRUE(run.err.startsWith("kvorctl: " + row.args.last() + ": ")) << row.cause;
        }
    }
    // The study's report is a PDF drawn without a display, its readings beside it.
    QFile pdf(report), readings(dir.filePath("study.csv"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdf.read(5), "%PDF-");
    EXPECT_GT(pdf.size(), 5000);
    ASSERT_TRUE(readings.open(QIODevice::ReadOnly));
    EXPECT_EQ(readings.readAll().count('\n'), 11);
}

TEST_F(KvorctlTest, GetHasTheWireConversationOfTheScopesStartUpAndDryRunWritesNothing) {
    const auto startUp = Conversation(sensor().requests());
    ASSERT_FALSE(startUp.empty());
    CloseCom(com); // one program per port
    sensor().clearRequests();
    const QString port = QString::fromStdString(sensor().devicePath());
    const Outcome get = Kvorctl({"get", "--from", "ram", "--port", port, "--json"});
    ASSERT_EQ(get.status, 0) << get.err.toStdString();
    EXPECT_EQ(Conversation(sensor().requests()), startUp);
    EXPECT_TRUE(get.out.contains("\"name\":\"setpoint\"")) << get.out.toStdString();

    // A file with another setpoint: the dry run names the change and writes nothing.
    QTemporaryDir dir;
    const QString file = dir.filePath("set.dat");
    ASSERT_EQ(Kvorctl({"get", "--from", "ram", "--port", port, "--out", file}).status, 0);
    const QString changed = WithSetpoint(file, "600");
    const auto ramBefore = sensor().ramParameters();
    sensor().clearRequests();
    const Outcome dry = Kvorctl({"send", "--to", "ram", changed, "--dry-run", "--port", port});
    EXPECT_EQ(dry.status, 0) << dry.err.toStdString();
    EXPECT_TRUE(dry.out.contains("setpoint")) << dry.out.toStdString();
    EXPECT_EQ(dry.out.count('\n'), 1) << dry.out.toStdString();
    EXPECT_EQ(CountCommand(sensor().requests(), protocol::CMD_WRITE_RAM), 0);
    EXPECT_EQ(CountCommand(sensor().requests(), protocol::CMD_WRITE_EEPROM), 0);
    EXPECT_EQ(sensor().ramParameters(), ramBefore);
    // Without a terminal to ask on, a send without --yes refuses and writes nothing either.
    EXPECT_EQ(Kvorctl({"send", "--to", "ram", changed, "--port", port}).status, 2);
    EXPECT_EQ(CountCommand(sensor().requests(), protocol::CMD_WRITE_RAM), 0);
}

TEST_F(KvorctlTest, TwoPortsMeasureAtOnceEachLineNamingItsPort) {
    CloseCom(com);
    const QString first = QString::fromStdString(sensor().devicePath());
    const Outcome run = Kvorctl(
        {"measure", "--count", "3", "--format", "csv", "--port", first, "--port", "simulated"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    EXPECT_TRUE(lines.value(0).startsWith("port,seq,time,value"));
    for (const QString& name : {first, QString("simulated")}) {
        EXPECT_EQ(
            lines.filter(QRegularExpression("^" + QRegularExpression::escape(name) + ",[123],20"))
                .size(),
            3)
            << run.out.toStdString();
        // The statistics are a comment line, as a CSV reader skips them, naming the port.
        EXPECT_EQ(
            lines.filter(QRegularExpression("^# " + QRegularExpression::escape(name) + " n 3 "))
                .size(),
            1)
            << run.out.toStdString();
    }
}

// The report program takes its page only as a whole, well-formed description.
TEST(KvorctlProcess, ReportProgramDrawsAPageAndRefusesAnythingElse) {
    const QByteArray graph = "graph\t300\t200\t0.5\t3.5\t510\t530\treading\tsize\t-1\t-1\n";
    const QByteArray page = "title\tType-1 gauge study\ntext\tSensor: K-VOR\tPX\n" + graph +
                            "curve\t255\t0\t3\t1\t520\t2\tnan\t3\t521\n"
                            "rect\t65280\t65280\t1\t515\t2\t516\n";
    const struct {
        const char* fault;
        QByteArray description;
        int status;
    } rows[] = {
        {"", page, 0},
        {"a curve with fewer points than it names", graph + "curve\t255\t0\t3\t1\t520\n", 1},
        {"a plot before any graph", "rect\t1\t1\t0\t0\t1\t1\n", 1},
        {"an axis without a span", "graph\t300\t200\t1\t1\t0\t1\t\t\t-1\t-1\n", 1},
        {"a point at infinity", graph + "curve\t255\t0\t1\tinf\t1\n", 1},
        {"a colour beyond 24 bits", graph + "rect\t16777216\t0\t0\t0\t1\t1\n", 1},
        {"a line of no known kind", "picture\tx\n", 1},
    };
    QTemporaryDir dir;
    for (const auto& row : rows) {
        const QString file = dir.filePath("page.pdf");
        QFile::remove(file);
        QProcess drawer;
        drawer.start(QCoreApplication::applicationDirPath() + "/kvor-report", {file});
        ASSERT_TRUE(drawer.waitForStarted(30000));
        drawer.write(row.description);
        drawer.closeWriteChannel();
        ASSERT_TRUE(drawer.waitForFinished(30000)) << row.fault;
        EXPECT_EQ(drawer.exitCode(), row.status) << row.fault;
        QFile pdf(file);
        EXPECT_EQ(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-", row.status == 0)
            << row.fault;
    }
}

TEST(KvorctlProcess, LoadsNeitherWidgetsNorThePlotLibrary) {
    QProcess ldd;
    ldd.start("ldd", {QCoreApplication::applicationDirPath() + "/kvorctl"});
    ASSERT_TRUE(ldd.waitForFinished(30000));
    const QString libraries = QString::fromUtf8(ldd.readAllStandardOutput());
    ASSERT_TRUE(libraries.contains("libQt6Core")) << libraries.toStdString();
    EXPECT_FALSE(libraries.contains("Widgets", Qt::CaseInsensitive));
    EXPECT_FALSE(libraries.contains("qcustomplot", Qt::CaseInsensitive));
    EXPECT_FALSE(libraries.contains("libQt6Gui"));
}

} // namespace
} // namespace kvor::test

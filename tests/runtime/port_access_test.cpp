// SPDX-License-Identifier: GPL-3.0-or-later
// Why a port will not open, as the operator reads it in the selector, in the line monitor and
// from the runtime: one row per reason, each made real on a pseudo-terminal (given to group
// dialout, held by another process, opened exclusively) and opened by this process or, as
// another user, by kvor-port-probe under setpriv.
#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <functional>
#include <grp.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

#include "runtime/line_trace.h"
#include "runtime/readback.h"
#include "tests/runtime/serial_pty.h"

namespace kvor::test {
namespace {

constexpr gid_t kDialout = 20;
constexpr gid_t kNogroup = 65534;

struct Scene {
    PtyPair pty;
    std::string ports;                  // KVOR_COM_PORTS; the pseudo-terminal when empty
    int attempt = 1;                    // the port number opened
    int exclusive = -1;                 // a descriptor on the line with TIOCEXCL, and no lock
    std::unique_ptr<QProcess> terminal; // a program reading the line, without any lock
    QTemporaryDir dir;
    ~Scene() {
        if (exclusive >= 0) close(exclusive);
    }
    void giveTo(gid_t group) {
        ASSERT_EQ(chown(pty.path().c_str(), 0, group), 0);
        ASSERT_EQ(chmod(pty.path().c_str(), 0660), 0);
    }
};

struct Row {
    const char* reason;
    QStringList as; // setpriv options; empty: this process opens the port
    std::function<void(Scene&)> setUp;
    int code;
    std::function<QString(const Scene&)> brief; // the entry's mark; empty: none
    bool listed;                                // marked as soon as the list is read
};

QString Pid(long pid) {
    return QString::number(pid);
}

QString ByUs(const Scene&) {
    return "in use by kvor_runtime_tests (" + Pid(getpid()) + ")";
}

const QStringList kNobody{"--reuid=65534", "--regid=65534", "--clear-groups"};
const QStringList kNobodyInDialout{"--reuid=65534", "--regid=65534", "--groups=20"};

void HoldInThisProcess(Scene&) {
    ASSERT_EQ(OpenLikeTheScope(1), 0);
}

std::vector<Row> Rows() {
    const QString nogroup = QString::fromLocal8Bit(getgrgid(kNogroup)->gr_name);
    return {
        {"opens", kNobodyInDialout, [](Scene& s) { s.giveTo(kDialout); }, 0,
         [](const Scene&) { return QString(); }, false},
        {"no permission", kNobody, [](Scene& s) { s.giveTo(kDialout); }, kComErrCannotOpen,
         [](const Scene&) { return "no permission \u2013 join group dialout, then log in again"; },
         true},
        {"in the group, not logged in again",
         {"--reuid=65534", "--regid=1", "--clear-groups"},
         [](Scene& s) { s.giveTo(kNogroup); },
         kComErrCannotOpen,
         [nogroup](const Scene&) {
             return "no permission \u2013 log in again to use group " + nogroup;
         },
         true},
        {"another scope, as root", {"--reuid=0"}, HoldInThisProcess, kComErrCannotOpen, ByUs, true},
        {"another scope", kNobodyInDialout,
         [](Scene& s) {
             s.giveTo(kDialout);
             HoldInThisProcess(s);
         },
         kComErrCannotOpen, ByUs, true},
        {"opened exclusively", kNobodyInDialout,
         [](Scene& s) {
             s.giveTo(kDialout);
             s.exclusive = open(s.pty.path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
             ASSERT_EQ(ioctl(s.exclusive, TIOCEXCL), 0);
         },
         kComErrCannotOpen,
         [](const Scene&) { return "in use \u2013 opened exclusively by another program"; }, false},
        {"a terminal program without a lock",
         {},
         [](Scene& s) {
             s.terminal = std::make_unique<QProcess>();
             s.terminal->setStandardInputFile(QString::fromStdString(s.pty.path()));
             s.terminal->start("sleep", {"60"});
             ASSERT_TRUE(s.terminal->waitForStarted());
         },
         kComErrCannotOpen,
         [](const Scene& s) { return "in use by sleep (" + Pid(s.terminal->processId()) + ")"; },
         false},
        {"through a link, while open under its name",
         {},
         [](Scene& s) {
             const std::string link = s.dir.filePath("by-id-link").toStdString();
             ASSERT_EQ(symlink(s.pty.path().c_str(), link.c_str()), 0);
             s.ports = s.pty.path() + ":" + link;
             s.attempt = 2;
             HoldInThisProcess(s);
         },
         kComErrCannotOpen,
         ByUs,
         false},
        {"gone",
         {},
         [](Scene& s) { s.ports = "/dev/kvor-no-such-device"; },
         kComErrCannotOpen,
         [](const Scene&) { return "not there \u2013 unplugged?"; },
         false},
        {"anything else",
         {},
         [](Scene& s) { s.ports = "/tmp"; },
         kComErrCannotOpen,
         [](const Scene&) { return "cannot open: Is a directory"; },
         false},
    };
}

QStringList Probe(const QStringList& as, const std::string& ports) {
    QProcess probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KVOR_COM_PORTS", QString::fromStdString(ports));
    probe.setProcessEnvironment(env);
    probe.start("setpriv",
                as + QStringList{QCoreApplication::applicationDirPath() + "/kvor-port-probe"});
    if (!probe.waitForFinished(30000)) return {};
    return QString::fromLocal8Bit(probe.readAllStandardOutput()).split('\n');
}

class PortAccessTest : public SerialTest {};

TEST_F(PortAccessTest, EachReasonIsToldInTheSelectorTheMonitorAndTheRuntime) {
    QStringList skipped;
    for (const Row& row : Rows()) {
        SCOPED_TRACE(row.reason);
        if (!row.as.isEmpty() && geteuid() != 0) {
            skipped << row.reason;
            continue;
        }
        Scene s;
        ASSERT_TRUE(s.pty.ok());
        s.ports = s.pty.path();
        ScopedEnv env("KVOR_COM_PORTS", s.ports);
        row.setUp(s);
        ScopedEnv ports("KVOR_COM_PORTS", s.ports);
        const QString brief = row.brief(s);
        const QString device = QString::fromStdString(s.ports).split(':').last();
        QString entry = QString("COM%1 \u2013 %2").arg(s.attempt).arg(device);
        if (!brief.isEmpty()) entry += " [" + brief + "]";
        QStringList out; // the entry as listed, the code, the entry afterwards, the reason
        if (row.as.isEmpty()) {
            char text[1024];
            GetComPortLabel(s.attempt, text, sizeof text);
            out << text << QString::number(OpenLikeTheScope(s.attempt));
            GetComPortLabel(s.attempt, text, sizeof text);
            out << text;
            GetComPortProblem(s.attempt, text, sizeof text);
            out << text;
            const rt::TraceEntry& note = rt::LineTrace::instance().entries().back();
            EXPECT_TRUE(QString::fromUtf8(note.bytes).endsWith(out[3])) << note.bytes.data();
        } else {
            out = Probe(row.as, s.ports);
            ASSERT_GE(out.size(), 4) << out.join('|').toStdString();
        }
        EXPECT_EQ(out[0].toStdString(),
                  (row.listed ? entry : QString("COM%1 \u2013 %2").arg(s.attempt).arg(device))
                      .toStdString());
        EXPECT_EQ(out[1].toInt(), row.code);
        EXPECT_EQ(out[2].toStdString(), entry.toStdString());
        EXPECT_EQ(out[3].isEmpty(), brief.isEmpty()) << out[3].toStdString();
        if (!brief.isEmpty()) {
            EXPECT_TRUE(out[3].contains(s.pty.path().c_str()) || out[3].contains(device));
        }
        if (s.terminal) s.terminal->kill(), s.terminal->waitForFinished();
        kvor::rt::CloseAllComPorts();
    }
    if (!skipped.isEmpty())
        GTEST_SKIP() << "handing a device to another user needs root: "
                     << skipped.join(", ").toStdString();
}

// The adapter is pulled (the terminal hung up under the scope) and comes back as the same
// device: the port is released at once, the monitor says so, and it opens again.
TEST_F(PortAccessTest, AHungUpLineIsReleasedAndTheSameDeviceOpensAgain) {
    if (geteuid() != 0) GTEST_SKIP() << "hanging up a terminal (TIOCVHANGUP) needs root";
    usePty(true);
    const int line = open(pty_.path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(line, 0);
    ASSERT_EQ(ioctl(line, TIOCVHANGUP), 0);
    close(line);
    EXPECT_LT(GetInQLen(1), 0);
    EXPECT_TRUE(
        rt::LineTrace::instance().entries().back().bytes.startsWith("the line has vanished"));
    ASSERT_EQ(OpenLikeTheScope(1), 0);
    const std::vector<std::uint8_t> frame = Pattern(36);
    EXPECT_EQ(ComWrt(1, frame.data(), 36), 36);
    EXPECT_EQ(pty_.receive(36), frame);
}

} // namespace
} // namespace kvor::test

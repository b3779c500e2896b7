// SPDX-License-Identifier: GPL-3.0-or-later
// The "Simulated sensor" entry: the simulator program is started, its first line names the
// line to open, and closing the port ends the program. Stand-in simulators (small shell
// scripts) show each step; the real kvor-sensor-sim answers an echo when it has been built.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <thread>

#include "runtime/serial_port_table.h"
#include "runtime/simulated_port.h"
#include "tests/runtime/serial_pty.h"

namespace kvor::test {
namespace {

using kvor::rt::SetSimulatorProgramForTests;
constexpr int kSim = kvor::rt::kSimulatedSensorPort;

// True while a process with this id exists (and is not a zombie of ours: QProcess reaps it).
bool Running(long pid) {
    return pid > 0 && (kill(static_cast<pid_t>(pid), 0) == 0);
}

class SerialSimulatedTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    void TearDown() override {
        kvor::rt::CloseAllComPorts();
        SetSimulatorProgramForTests(QString());
    }

    // A stand-in simulator: records its id, then runs `body` (a shell script fragment).
    void useScript(const std::string& body) {
        const QString path = dir_.filePath("fake-sim");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const std::string script =
            "#!/bin/sh\necho $$ > '" + pidFile().toStdString() + "'\n" + body + "\n";
        file.write(script.c_str());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        SetSimulatorProgramForTests(path);
    }
    QString pidFile() const { return dir_.filePath("pid"); }
    long simulatorPid() const {
        QFile file(pidFile());
        if (!file.open(QIODevice::ReadOnly)) return -1;
        return file.readAll().trimmed().toLong();
    }
    bool endsWithin(double seconds) const {
        const double start = Seconds();
        while (Running(simulatorPid()) && Seconds() - start < seconds)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return !Running(simulatorPid());
    }

    QTemporaryDir dir_;
    ScopedEnv noPorts_{"KVOR_COM_PORTS", ""}; // no real port; the simulator has its own number
};

TEST_F(SerialSimulatedTest, OpensTheLineTheSimulatorNamesAndEndsItOnClose) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    // The arguments reach the simulator: here they carry the line it names.
    ScopedEnv args("KVOR_SIM_ARGS", "--device " + pty.path() + " --model 2-250");
    useScript("[ \"$1\" = --device ] && [ \"$3\" = --model ] && [ \"$4\" = 2-250 ] || exit 3\n"
              "echo \"$2\"\nexec sleep 30");
    ASSERT_EQ(OpenLikeTheScope(kSim), 0);
    EXPECT_TRUE(Running(simulatorPid()));
    const std::vector<std::uint8_t> frame = Pattern(36);
    ASSERT_EQ(ComWrt(kSim, frame.data(), 36), 36);
    EXPECT_EQ(pty.receive(36), frame);

    EXPECT_EQ(CloseCom(kSim), 0);
    EXPECT_TRUE(endsWithin(2.0));
}

TEST_F(SerialSimulatedTest, ASimulatorThatIgnoresTheRequestToEndIsKilled) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    useScript("trap '' TERM\necho '" + pty.path() + "'\nwhile :; do sleep 0.1; done");
    ASSERT_EQ(OpenLikeTheScope(kSim), 0);
    const double start = Seconds();
    EXPECT_EQ(CloseCom(kSim), 0);
    EXPECT_LT(Seconds() - start, 3.0);
    EXPECT_TRUE(endsWithin(1.0));
}

TEST_F(SerialSimulatedTest, ASimulatorThatEndsWithoutALineCannotBeOpened) {
    useScript("exit 1");
    const double start = Seconds();
    EXPECT_EQ(OpenLikeTheScope(kSim), kComErrCannotOpen);
    EXPECT_LT(Seconds() - start, 2.0) << "its end is not waited out for the full time-out";
    EXPECT_EQ(GetInQLen(kSim), kComErrPortNotOpen);
}

TEST_F(SerialSimulatedTest, ASilentSimulatorIsGivenUpAfterAboutFiveSecondsAndEnded) {
    useScript("exec sleep 30");
    const double start = Seconds();
    EXPECT_EQ(OpenLikeTheScope(kSim), kComErrCannotOpen);
    const double took = Seconds() - start;
    EXPECT_GT(took, 4.5);
    EXPECT_LT(took, 8.0);
    EXPECT_TRUE(endsWithin(2.0));
}

TEST_F(SerialSimulatedTest, AMissingProgramOrAnUnusableLineCannotBeOpened) {
    SetSimulatorProgramForTests(dir_.filePath("not-there"));
    EXPECT_EQ(OpenLikeTheScope(kSim), kComErrCannotOpen);
    useScript("echo /dev/kvor-no-such-line\nexec sleep 30");
    EXPECT_EQ(OpenLikeTheScope(kSim), kComErrCannotOpen);
    EXPECT_TRUE(endsWithin(2.0));
}

TEST_F(SerialSimulatedTest, TheBuiltSimulatorAnswersTheEcho) {
    const QString program =
        QDir(QCoreApplication::applicationDirPath()).filePath("kvor-sensor-sim");
    if (!QFile::exists(program)) GTEST_SKIP() << "kvor-sensor-sim is not built next to the tests";
    ScopedEnv args("KVOR_SIM_ARGS", "--unpaced");
    ASSERT_EQ(OpenLikeTheScope(kSim), 0);
    ASSERT_EQ(SetComTime(kSim, 1.5), 0);
    std::vector<std::uint8_t> echo(36, 0);
    echo[1] = 0x55; // sync word
    echo[3] = 5;    // command 5, the echo
    ASSERT_EQ(ComWrt(kSim, echo.data(), 36), 36);
    std::vector<std::uint8_t> answer(36);
    ASSERT_EQ(ComRd(kSim, answer.data(), 36), 36);
    EXPECT_EQ(answer[0], 0x00);
    EXPECT_EQ(answer[1], 0xAA);
    EXPECT_EQ(CloseCom(kSim), 0);
}

} // namespace
} // namespace kvor::test

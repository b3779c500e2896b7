// SPDX-License-Identifier: GPL-3.0-or-later
// A logout, a shutdown, kill or Ctrl+C ends the scope as closing its window does: it ends
// normally, its lock file is gone and the port is free for the next program at once.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>

#include <csignal>

#include <gtest/gtest.h>

#include "sim/simulated_sensor.h"
#include "tests/runtime/serial_pty.h"
#include "tests/support/harness.h"
#include "wire/protocol.h"

namespace kvor::test {
namespace {

class EndOnSignal : public SerialTest, public ::testing::WithParamInterface<int> {};

TEST_P(EndOnSignal, ReleasesThePortAndEndsNormally) {
    sim::Options options;
    options.paced = false;
    sim::SimulatedSensor sensor(options);
    ASSERT_TRUE(sensor.start());
    QProcess scope;
    StartScope(scope, sensor.devicePath());
    ASSERT_TRUE(scope.waitForStarted());
    // The start-up's last request: the parameters read from the sensor's RAM.
    ASSERT_TRUE(PumpUntil(
        [&] { return CountCommand(sensor.requests(), protocol::CMD_READ_RAM) > 0; }, 60.0));
    const QString lock = LockFileOf(sensor.devicePath());
    ASSERT_TRUE(QFile::exists(lock)) << "the scope holds the port";
    ::kill(static_cast<pid_t>(scope.processId()), GetParam());
    ASSERT_TRUE(scope.waitForFinished(60000));
    EXPECT_EQ(scope.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(scope.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(lock));
    ScopedEnv ports("KVOR_COM_PORTS", sensor.devicePath());
    EXPECT_EQ(OpenLikeTheScope(1), 0);
}

INSTANTIATE_TEST_SUITE_P(Signals, EndOnSignal, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

} // namespace
} // namespace kvor::test

// SPDX-License-Identifier: GPL-3.0-or-later
// Text files written line by line: the lines reach the file on the runtime's clock without any
// call of the program, so a killed program loses only its last moments; the first failure ends
// the file and is reported by every later call.
#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "runtime/runtime.h"

namespace {

std::string Slurp(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().toStdString();
}

// The child writes numbered lines stamped with the runtime's clock while it processes events
// as every loop of the program does, notes the moment and is killed.
void WriteUntilKilled(const std::string& file, const std::string& deathNote) {
    const int h = OpenTextFile(file.c_str(), VAL_TRUNCATE);
    if (h <= 0) std::_Exit(3);
    const double start = Timer();
    for (int i = 0; Timer() - start < 1.6; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "%d,%.6f\r\n", i, Timer());
        if (WriteTextFile(h, line) != 0) std::_Exit(4);
        ProcessSystemEvents();
    }
    char note[32];
    const int n = std::snprintf(note, sizeof note, "%.6f", Timer());
    const int fd = ::open(deathNote.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0 || ::write(fd, note, static_cast<std::size_t>(n)) != n) std::_Exit(5);
    std::raise(SIGKILL);
}

TEST(TextFilesDeathTest, AKilledProgramLeavesWholeLinesAllButTheLastSecond) {
    GTEST_FLAG_SET(death_test_style, "fast");
    QTemporaryDir dir;
    const std::string file = dir.filePath("record.csv").toStdString();
    const std::string note = dir.filePath("died").toStdString();
    EXPECT_EXIT(WriteUntilKilled(file, note), ::testing::KilledBySignal(SIGKILL), "");
    const double died = std::stod(Slurp(QString::fromStdString(note)));
    const std::string text = Slurp(QString::fromStdString(file));
    ASSERT_FALSE(text.empty());
    ASSERT_EQ(text.substr(text.size() - 2), "\r\n") << "the file ends in a whole line";
    int expected = 0;
    double last = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        int i = -1;
        ASSERT_EQ(std::sscanf(text.c_str() + at, "%d,%lf", &i, &last), 2);
        ASSERT_EQ(i, expected++) << "lines in order, none missing";
        at = end + 2;
    }
    EXPECT_GE(last, died - 1.0) << "more than the last second was lost";
}

TEST(TextFiles, TheFirstFailureEndsTheFileAndIsReportedByEveryLaterCall) {
    // A full device takes the open and the pending lines, and refuses them at the flush.
    int h = OpenTextFile("/dev/full", VAL_APPEND);
    ASSERT_GT(h, 0);
    EXPECT_EQ(WriteTextFile(h, "a,b\r\n"), 0);
    EXPECT_EQ(FlushTextFile(h), kFileErrDiskFull);
    EXPECT_EQ(WriteTextFile(h, "c,d\r\n"), kFileErrDiskFull);
    EXPECT_EQ(CloseTextFile(h), kFileErrDiskFull);
    EXPECT_EQ(FlushTextFile(h), kFileErrHandle) << "a closed file is gone";

    // A folder removed under an open file: the lines go nowhere the operator can find.
    auto dir = std::make_unique<QTemporaryDir>();
    const QString path = dir->filePath("record.csv");
    h = OpenTextFile(path.toUtf8().constData(), VAL_TRUNCATE);
    ASSERT_GT(h, 0);
    EXPECT_EQ(WriteTextFile(h, "x\r\n"), 0);
    EXPECT_EQ(FlushTextFile(h), 0);
    EXPECT_EQ(Slurp(path), "x\r\n");
    dir.reset();
    EXPECT_EQ(WriteTextFile(h, "y\r\n"), 0);
    EXPECT_EQ(FlushTextFile(h), kFileErrGone);
    EXPECT_EQ(CloseTextFile(h), kFileErrGone);

    EXPECT_EQ(OpenTextFile("/nonexistent-folder/record.csv", VAL_TRUNCATE), kFileErrOpen);
    EXPECT_EQ(WriteTextFile(12345, "z"), kFileErrHandle);
}

} // namespace

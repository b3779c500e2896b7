// SPDX-License-Identifier: GPL-3.0-or-later
// The scope on a command line: --help and --version answer without a window or a display, and
// a missing display ends the start in one plain line with the program's -1.
#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

namespace kvor {
namespace {

struct Outcome {
    int status = -1000;
    QString out, err;
};

// Runs the built scope with a display environment of its own (no DISPLAY, no Wayland).
Outcome RunScope(const QStringList& arguments, const QString& platform) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.insert("QT_QPA_PLATFORM", platform);
    env.insert("KVOR_COM_PORTS", "/nonexistent/tty");
    p.setProcessEnvironment(env);
    p.start(QDir(QCoreApplication::applicationDirPath()).filePath("kvorscope"), arguments);
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished(5000);
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1000,
            QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

TEST(CommandLine, HelpAndVersionAnswerWithoutADisplay) {
    const Outcome help = RunScope({"--help"}, "xcb");
    EXPECT_EQ(help.status, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.startsWith("Usage: kvorscope [--help | --version]\n"))
        << help.out.toStdString();
    EXPECT_TRUE(help.out.contains("--version")) << help.out.toStdString();
    EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();

    const Outcome version = RunScope({"--version"}, "xcb");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "kvorscope 2.42\n");
    EXPECT_TRUE(version.err.isEmpty()) << version.err.toStdString();
}

TEST(CommandLine, NoDisplayIsOneLineAndMinusOneNotAnAbort) {
    // The toolkit's own options change nothing either: -platform offscreen would find a display.
    for (const QStringList& arguments : {QStringList{}, QStringList{"-platform", "offscreen"}}) {
        const Outcome o = RunScope(arguments, "xcb");
        EXPECT_EQ(o.status, 255) << arguments.join(' ').toStdString();
        EXPECT_EQ(o.err.count('\n'), 1) << o.err.toStdString();
        EXPECT_TRUE(o.err.startsWith("kvorscope: no display")) << o.err.toStdString();
        EXPECT_TRUE(o.out.isEmpty());
    }
}

} // namespace
} // namespace kvor

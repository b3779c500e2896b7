// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/view_parts.h"

#include "runtime/runtime.h"
#include "runtime/translation.h"

#include <QByteArray>
#include <QList>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kvor::rt {
namespace {

constexpr const char* kVersion = "2.42";

const char* Help() {
    return Tr(
        "Usage: kvorscope [--help | --version]\n"
        "Operating program for K-VOR-PX optical line sensors on an RS-232 line.\n"
        "\n"
        "  --lang L   the language of the windows: en (English) or de (German); the desktop's\n"
        "             language (LANGUAGE, LANG) without it, English where it is neither\n"
        "  --help     show this help and exit\n"
        "  --version  show the version and exit\n"
        "\n"
        "The serial port is chosen on the panel; port 1 is the first serial port found.\n"
        "KVOR_COM_PORTS=PATH[:PATH...] replaces the ports found (\"simulated\" names the\n"
        "simulated sensor).\n");
}
// What the toolkit says while it starts: kept back, and replaced by one plain line if it fails.
QList<QByteArray>& startMessages() {
    static QList<QByteArray> messages;
    return messages;
}

void HoldStartMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) {
        startMessages().append(message.toLocal8Bit());
        return;
    }
    // The toolkit's fatal message talks of reinstalling; the operator needs to hear the cause.
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((display == nullptr || *display == '\0') && (wayland == nullptr || *wayland == '\0'))
        std::fputs("kvorscope: no display (neither DISPLAY nor WAYLAND_DISPLAY is set)\n", stderr);
    else
        std::fprintf(stderr, "kvorscope: cannot open the display %s\n",
                     display != nullptr && *display != '\0' ? display : wayland);
    std::fflush(stderr);
    std::_Exit(255);
}

bool Asks(int argc, char** argv, const char* option) {
    for (int i = 1; i < argc; ++i)
        if (argv[i] != nullptr && std::strcmp(argv[i], option) == 0) return true;
    return false;
}

} // namespace

std::unique_ptr<QApplication> StartApplication(int argc, char** argv) {
    if (ChooseLanguage(argc, argv) != 0) {
        std::fputs(Tr("kvorscope: --lang takes en or de\n"), stderr);
        std::exit(2);
    }
    if (Asks(argc, argv, "--help")) {
        std::fputs(Help(), stdout);
        std::exit(0);
    }
    if (Asks(argc, argv, "--version")) {
        std::printf("kvorscope %s\n", kVersion);
        std::exit(0);
    }
    // Nothing else on the command line (--lang aside) changes what the scope does, the toolkit's
    // own options
    // (-platform, -style, ...) included: the toolkit sees the program name alone.
    static int toolkitArgc = 1;
    static char* toolkitArgv[] = {argc > 0 && argv != nullptr ? argv[0] : nullptr, nullptr};
    static char fallbackName[] = "kvorscope";
    if (toolkitArgv[0] == nullptr) toolkitArgv[0] = fallbackName;
    const QtMessageHandler previous = qInstallMessageHandler(HoldStartMessage);
    auto application = std::make_unique<QApplication>(toolkitArgc, toolkitArgv);
    qInstallMessageHandler(previous);
    for (const QByteArray& message : startMessages())
        std::fprintf(stderr, "%s\n", message.constData());
    startMessages().clear();
    QApplication::setApplicationName(QStringLiteral("K-VOR-PX Scope"));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    TranslateToolkit();
    return application;
}

} // namespace kvor::rt

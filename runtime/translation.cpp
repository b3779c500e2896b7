// SPDX-License-Identifier: GPL-3.0-or-later
// Which language the scope speaks and where its translations come from. English is the
// program's own text and needs no file; German comes from kvorscope_de.qm, found beside the
// program (translations/) or where the package installs it.
#include "runtime/translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>

#include "runtime/runtime.h"

namespace kvor::rt {
namespace {

QTranslator g_program;
std::unique_ptr<QTranslator> g_toolkit;
bool g_translating = false;

// The folder of the running program, before and after the application exists.
QString ProgramFolder(const char* argv0) {
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    if (self.exists()) return QFileInfo(self.canonicalFilePath()).absolutePath();
    if (QCoreApplication::instance() != nullptr) return QCoreApplication::applicationDirPath();
    return argv0 != nullptr ? QFileInfo(QString::fromLocal8Bit(argv0)).absolutePath()
                            : QDir::currentPath();
}

bool LoadProgramTranslation(const QString& language, const char* argv0) {
    const QString name = QStringLiteral("kvorscope_") + language;
    const QString folder = ProgramFolder(argv0);
    // Beside the program in a build; under share/ in an installation (the program lives in
    // libexec/kvorscope/, the translations in share/kvorscope/translations/).
    for (const QString& dir : {folder + QStringLiteral("/translations"),
                               folder + QStringLiteral("/../../share/kvorscope/translations"),
                               QStringLiteral("/usr/share/kvorscope/translations")}) {
        if (g_program.load(name, dir)) return true;
    }
    return false;
}

// The desktop's language: LANGUAGE, LC_ALL, LC_MESSAGES, LANG as the system locale reads them.
QString DesktopLanguage() {
    const QStringList languages = QLocale::system().uiLanguages();
    for (const QString& l : languages) {
        if (l.startsWith(QLatin1String("de"))) return QStringLiteral("de");
        if (l.startsWith(QLatin1String("en")) || l == QLatin1String("C")) break;
    }
    return QStringLiteral("en");
}

} // namespace

QString Shown(const QString& english) {
    if (!g_translating || english.isEmpty()) return english;
    const QString german = g_program.translate(kTextContext, english.toUtf8().constData());
    if (!german.isEmpty()) return german;
    // A status text made of a known lead and what follows it ("Simulated sensor: K-VOR-PX...")
    // shows its lead translated.
    const qsizetype colon = english.indexOf(QLatin1String(": "));
    if (colon <= 0) return english;
    const QString lead = english.left(colon + 2);
    const QString shownLead = g_program.translate(kTextContext, lead.toUtf8().constData());
    return shownLead.isEmpty() ? english : shownLead + english.mid(colon + 2);
}

bool Translating() {
    return g_translating;
}

void TranslateToolkit() {
    if (!g_translating || g_toolkit || QCoreApplication::instance() == nullptr) return;
    g_toolkit = std::make_unique<QTranslator>();
    if (g_toolkit->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(g_toolkit.get());
}

} // namespace kvor::rt

using namespace kvor::rt;

int ChooseLanguage(int argc, char** argv) {
    QString language;
    for (int i = 1; i < argc && argv != nullptr; ++i) {
        if (argv[i] == nullptr) continue;
        if (std::strcmp(argv[i], "--lang") == 0 && i + 1 < argc && argv[i + 1] != nullptr)
            language = QString::fromLocal8Bit(argv[i + 1]);
        else if (std::strncmp(argv[i], "--lang=", 7) == 0)
            language = QString::fromLocal8Bit(argv[i] + 7);
        else if (std::strcmp(argv[i], "--lang") == 0)
            return -1;
    }
    if (language.isNull()) language = DesktopLanguage();
    if (language == QLatin1String("en")) {
        g_translating = false;
        if (g_toolkit) QCoreApplication::removeTranslator(g_toolkit.get());
        g_toolkit.reset();
        return 0;
    }
    if (language != QLatin1String("de")) return -1;
    if (!g_translating) {
        if (!LoadProgramTranslation(language, argc > 0 && argv != nullptr ? argv[0] : nullptr)) {
            std::fputs("kvorscope: the German translation is not installed; English is shown\n",
                       stderr);
            return 0;
        }
        g_translating = true;
    }
    TranslateToolkit();
    return 0;
}

const char* Tr(const char* english) {
    if (english == nullptr) return "";
    if (!g_translating) return english;
    // Each text is looked up once; the map keeps its German bytes for the program's lifetime.
    static std::unordered_map<std::string, std::string> known;
    auto found = known.find(english);
    if (found == known.end()) {
        const QString german = g_program.translate(kTextContext, english);
        found = known
                    .emplace(english, german.isEmpty() ? std::string(english)
                                                       : german.toUtf8().toStdString())
                    .first;
    }
    return found->second.c_str();
}

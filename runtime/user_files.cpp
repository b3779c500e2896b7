// SPDX-License-Identifier: GPL-3.0-or-later
// What the scope keeps for the user across sessions: the folder it lives in and its files; and
// calls the program leaves for later, when its callback has returned.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include "runtime/program_text.h"
#include "runtime/registry.h"

namespace kvor::rt {
namespace {

QStringList g_foundFiles; // what GetFirstFile found and GetNextFile has not given yet

int NextFound(char* fileName, std::size_t size) {
    if (fileName == nullptr || size == 0) return -1;
    while (!g_foundFiles.isEmpty()) {
        const QByteArray name = g_foundFiles.takeFirst().toUtf8();
        // A name the program's buffer cannot hold whole is no name of its files.
        if (static_cast<std::size_t>(name.size()) < size) {
            CopyOut(QString::fromUtf8(name), fileName, size);
            return 0;
        }
    }
    fileName[0] = '\0';
    return -1;
}

} // namespace
} // namespace kvor::rt

using namespace kvor::rt;

int GetUserDataDirPath(const char* subfolder, char* dir, std::size_t size) {
    if (dir == nullptr || size == 0) return -1;
    dir[0] = '\0';
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty()) return -1;
    QString path = QDir(base).filePath(QStringLiteral("kvorscope"));
    if (subfolder != nullptr && subfolder[0] != '\0')
        path = QDir(path).filePath(QString::fromUtf8(subfolder));
    const QByteArray utf8 = QDir::toNativeSeparators(path).toUtf8();
    if (static_cast<std::size_t>(utf8.size()) >= size || !QDir().mkpath(path)) return -1;
    CopyOut(QString::fromUtf8(utf8), dir, size);
    return 0;
}

int FileExists(const char* path) {
    if (path == nullptr || path[0] == '\0') return 0;
    // A dangling link is a name in use too: saving there would write where it points.
    const QFileInfo info(ResolvePath(QString::fromUtf8(path)));
    return info.exists() || info.isSymLink() ? 1 : 0;
}

int GetFirstFile(const char* searchPath, char* fileName, std::size_t size) {
    g_foundFiles.clear();
    if (searchPath == nullptr) return NextFound(fileName, size);
    const QString search = QDir::fromNativeSeparators(QString::fromUtf8(searchPath));
    const qsizetype slash = search.lastIndexOf(QLatin1Char('/'));
    const QDir dir(slash < 0 ? QStringLiteral(".") : search.left(slash + 1));
    g_foundFiles = dir.entryList({search.mid(slash + 1)}, QDir::Files, QDir::Name);
    return NextFound(fileName, size);
}

int GetNextFile(char* fileName, std::size_t size) {
    return NextFound(fileName, size);
}

int PostDeferredCall(DeferredCallbackPtr function, void* callbackData) {
    if (function == nullptr || QCoreApplication::instance() == nullptr) return -1;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [function, callbackData] { function(callbackData); },
        Qt::QueuedConnection);
    return 0;
}

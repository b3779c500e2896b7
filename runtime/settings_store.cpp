// SPDX-License-Identifier: GPL-3.0-or-later
// Settings in ~/.config/kvorscope/kvorscope.conf through QSettings, written through at every
// change so a crash loses nothing chosen; secrets in files of mode 0600 beside it.
#include "runtime/settings_store.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QString>

#include <algorithm>
#include <cstring>

namespace {

// The folder follows XDG_CONFIG_HOME as it is at each call (a service, a test, another user).
QString Folder() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base.isEmpty() ? QString() : base + "/kvorscope";
}

void CopyOut(char* out, std::size_t size, const QByteArray& text) {
    if (out == nullptr || size == 0) return;
    const std::size_t n = std::min(size - 1, static_cast<std::size_t>(text.size()));
    std::memcpy(out, text.constData(), n);
    out[n] = '\0';
}

// A secret's name is one of ours ("publish-password"); nothing with a path in it.
QString SecretPath(const char* name) {
    const QString folder = Folder();
    const QString n = QString::fromUtf8(name);
    if (folder.isEmpty() || n.isEmpty() || n.contains('/') || n.startsWith('.')) return {};
    return folder + "/" + n;
}

} // namespace

int SettingGet(const char* key, char* text, std::size_t size, const char* fallback) {
    const QSettings store(Folder() + "/kvorscope.conf", QSettings::IniFormat);
    const QVariant value = key != nullptr ? store.value(QString::fromUtf8(key)) : QVariant();
    const bool stored = value.isValid();
    CopyOut(text, size, stored ? value.toString().toUtf8() : QByteArray(fallback ? fallback : ""));
    return stored ? 1 : 0;
}

int SettingSet(const char* key, const char* text) {
    if (key == nullptr || text == nullptr || Folder().isEmpty()) return -1;
    QSettings store(Folder() + "/kvorscope.conf", QSettings::IniFormat);
    store.setValue(QString::fromUtf8(key), QString::fromUtf8(text));
    store.sync();
    return store.status() == QSettings::NoError ? 0 : -1;
}

int SecretGet(const char* name, char* text, std::size_t size) {
    CopyOut(text, size, QByteArray());
    QFile file(SecretPath(name));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly)) return -1;
    // A secret another user could read is not used: it may have been seen.
    if (file.permissions() & (QFile::ReadGroup | QFile::ReadOther)) return -1;
    QByteArray secret = file.read(4096);
    while (secret.endsWith('\n') || secret.endsWith('\r'))
        secret.chop(1);
    if (static_cast<std::size_t>(secret.size()) >= size) return -1;
    CopyOut(text, size, secret);
    return 0;
}

int SecretSet(const char* name, const char* text) {
    const QString path = SecretPath(name);
    if (path.isEmpty() || text == nullptr) return -1;
    QFile::remove(path);
    if (text[0] == '\0') return 0;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    // Made with the owner's rights only, before a byte of the secret is in it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner))
        return -1;
    const qint64 n = static_cast<qint64>(std::strlen(text));
    return file.write(text, n) == n && file.flush() ? 0 : -1;
}

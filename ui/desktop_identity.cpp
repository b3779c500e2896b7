// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/view_parts.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>

namespace kvor::rt {

namespace {

// The desktop entry kvorscope.desktop, named without its extension.
const char* const kDesktopEntry = "kvorscope";
constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The desktop's icon theme first. Otherwise the renderings installed with the program (its
// folder is libexec/kvorscope, beside share) or built beside it (bin, beside share).
QIcon ScopeIcon() {
    QIcon themed = QIcon::fromTheme(QString::fromLatin1(kDesktopEntry));
    if (!themed.isNull()) return themed;
    const QString programDir = QCoreApplication::applicationDirPath();
    for (const QString& share :
         {programDir + QStringLiteral("/../../share"), programDir + QStringLiteral("/../share")}) {
        QIcon icon;
        for (const int size : kIconSizes) {
            const QString file = QStringLiteral("%1/icons/hicolor/%2x%2/apps/%3.png")
                                     .arg(share)
                                     .arg(size)
                                     .arg(QString::fromLatin1(kDesktopEntry));
            if (QFileInfo::exists(file)) icon.addFile(file, QSize(size, size));
        }
        if (!icon.isNull()) return icon;
    }
    return {};
}

} // namespace

void ApplyDesktopIdentity() {
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopEntry));
    QApplication::setWindowIcon(ScopeIcon());
}

} // namespace kvor::rt

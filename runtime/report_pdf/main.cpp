// SPDX-License-Identifier: GPL-3.0-or-later
// kvor-report: draws a report of a program without windows into a PDF. The description comes on
// standard input, the file to write is the one argument; exit status 0 when the page is written.
// It runs where there is no display: the toolkit's offscreen platform, set before it starts.
#include <QByteArray>
#include <QGuiApplication>

#include <cstdio>

#include "runtime/report_pdf/page.h"

namespace {

constexpr qint64 kMostDescription = 64 * 1024 * 1024;

int Refuse(const QString& reason) {
    std::fprintf(stderr, "kvor-report: %s\n", reason.toLocal8Bit().constData());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) return Refuse(QStringLiteral("usage: kvor-report FILE.pdf < description"));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int appArgc = 1;
    QGuiApplication app(appArgc, argv);
    const QString file = QString::fromLocal8Bit(argv[1]);
    QByteArray description;
    char block[65536];
    for (std::size_t n; (n = std::fread(block, 1, sizeof block, stdin)) > 0;) {
        description.append(block, qsizetype(n));
        if (description.size() > kMostDescription)
            return Refuse(QStringLiteral("the description is too long"));
    }
    if (std::ferror(stdin) != 0) return Refuse(QStringLiteral("cannot read the description"));
    kvor::report::Page page;
    QString reason;
    if (!kvor::report::ReadPage(description, &page, &reason)) return Refuse(reason);
    if (!kvor::report::WritePdf(page, file)) return Refuse(QStringLiteral("cannot write ") + file);
    return 0;
}

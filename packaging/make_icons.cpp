// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the scope's scalable icon into the fixed sizes of an icon theme:
// OUTDIR/<N>x<N>/apps/NAME.png for every size N given. Run at build time.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <charconv>
#include <cstdio>
#include <cstring>

namespace {

bool ParseSize(const char* text, int* size) {
    const char* end = text + std::strlen(text);
    const auto [ptr, ec] = std::from_chars(text, end, *size);
    return ec == std::errc() && ptr == end && *size >= 8 && *size <= 1024;
}

bool RenderOne(QSvgRenderer& svg, const QString& outDir, const QString& name, int size) {
    const QString dir = QStringLiteral("%1/%2x%2/apps").arg(outDir).arg(size);
    if (!QDir().mkpath(dir)) return false;
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p);
    p.end();
    return img.save(dir + QLatin1Char('/') + name + QStringLiteral(".png"), "PNG");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: make_icons ICON.SVG OUTDIR NAME SIZE...\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "make_icons: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int i = 4; i < argc; ++i) {
        int size = 0;
        if (!ParseSize(argv[i], &size) || !RenderOne(svg, QString::fromLocal8Bit(argv[2]),
                                                     QString::fromLocal8Bit(argv[3]), size)) {
            std::fprintf(stderr, "make_icons: cannot make the %s-pixel icon\n", argv[i]);
            return 1;
        }
    }
    return 0;
}

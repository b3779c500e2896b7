// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the scope's two banner logos as BMP files: "zo.bmp", a slim word mark for the blue
// banner, and "qZorevor.bmp", a larger mark for the white one. Run at build time.
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>

namespace {

// A light curtain: an emitter bar, the beam, and an object casting its shadow.
void DrawCurtain(QPainter& p, QRectF r, QColor beam, QColor object) {
    const double bar = r.width() * 0.08;
    p.setPen(Qt::NoPen);
    p.setBrush(beam.darker(130));
    p.drawRect(QRectF(r.left(), r.top(), bar, r.height()));
    p.drawRect(QRectF(r.right() - bar, r.top(), bar, r.height()));
    const int lines = 6;
    for (int i = 0; i < lines; ++i) {
        const double y = r.top() + r.height() * (i + 0.5) / lines;
        p.setPen(QPen(beam, 1.2));
        p.drawLine(QPointF(r.left() + bar, y), QPointF(r.right() - bar, y));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(object);
    p.drawEllipse(QRectF(r.center().x() - r.height() * 0.3, r.top() + r.height() * 0.2,
                         r.height() * 0.6, r.height() * 0.6));
}

bool SmallMark(const char* file) {
    QImage img(240, 22, QImage::Format_RGB888);
    img.fill(QColor(0x00, 0x80, 0xFF));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    DrawCurtain(p, QRectF(2, 2, 44, 18), QColor(0xFF, 0xFF, 0xFF), QColor(0xFF, 0xC0, 0x20));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(14);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(54, 0, 186, 22), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("K-VOR-PX"));
    f.setBold(false);
    f.setPixelSize(12);
    p.setFont(f);
    p.drawText(QRectF(132, 0, 108, 22), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("line sensors"));
    p.end();
    return img.save(QString::fromUtf8(file), "BMP");
}

bool LargeMark(const char* file) {
    QImage img(180, 56, QImage::Format_RGB888);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    DrawCurtain(p, QRectF(4, 8, 56, 40), QColor(0x00, 0x80, 0xFF), QColor(0x40, 0x40, 0x40));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(20);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0x00, 0x60, 0xC0));
    p.drawText(QRectF(68, 6, 112, 26), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("K-VOR"));
    f.setPixelSize(12);
    f.setBold(false);
    p.setFont(f);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawText(QRectF(68, 30, 112, 20), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("through-beam"));
    p.end();
    return img.save(QString::fromUtf8(file), "BMP");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_logos ZO.BMP QZOREVOR.BMP\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return SmallMark(argv[1]) && LargeMark(argv[2]) ? 0 : 1;
}

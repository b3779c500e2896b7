// SPDX-License-Identifier: GPL-3.0-or-later
// The page as the scope's report has it: A4, the title, the lines broken between words, and each
// graph the width of the page in the proportions it has on the panel, with its axes, ticks, grid
// and plots.
#include <QPageLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QTextOption>

#include <cmath>

#include "runtime/report_pdf/page.h"

namespace kvor::report {
namespace {

QColor Colour(int rgb, int otherwise) {
    return QColor::fromRgb(QRgb(rgb >= 0 ? rgb : otherwise));
}

// Ticks at 1, 2 or 5 times a power of ten, about five over the range.
std::vector<double> Ticks(double min, double max) {
    const double raw = (max - min) / 5;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power;
    for (double f : {2.0, 5.0, 10.0})
        if (raw > step) step = power * f;
    std::vector<double> ticks;
    for (double t = std::ceil(min / step) * step; t <= max + step * 1e-9 && ticks.size() < 50;
         t += step)
        ticks.push_back(std::fabs(t) < step * 1e-9 ? 0.0 : t);
    return ticks;
}

void DrawGraph(QPainter* p, const Graph& g, const QRectF& box, double dot) {
    p->fillRect(box, Colour(g.background, 0xFFFFFF));
    QFont font(QStringLiteral("DejaVu Sans"), 8);
    p->setFont(font);
    const QFontMetricsF fm(p->fontMetrics());
    const auto xTicks = Ticks(g.xMin, g.xMax), yTicks = Ticks(g.yMin, g.yMax);
    double labelWidth = 0;
    for (double t : yTicks)
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(QString::number(t, 'g', 6)));
    const double gap = fm.height() / 2;
    const double left =
        box.left() + gap + (g.yLabel.isEmpty() ? 0 : fm.height() + gap) + labelWidth + gap;
    const double bottom =
        box.bottom() - gap - (g.xLabel.isEmpty() ? 0 : fm.height() + gap) - fm.height() - gap;
    const QRectF area(QPointF(left, box.top() + gap), QPointF(box.right() - gap, bottom));
    auto X = [&](double x) {
        return area.left() + (x - g.xMin) / (g.xMax - g.xMin) * area.width();
    };
    auto Y = [&](double y) {
        return area.bottom() - (y - g.yMin) / (g.yMax - g.yMin) * area.height();
    };
    QPen grid(Colour(g.grid, 0xD0D0D0), dot, Qt::DotLine);
    for (double t : xTicks) {
        p->setPen(grid);
        p->drawLine(QPointF(X(t), area.top()), QPointF(X(t), area.bottom()));
        p->setPen(QPen(Qt::black, dot));
        const QString label = QString::number(t, 'g', 6);
        p->drawText(QRectF(X(t) - labelWidth - fm.height() * 4, area.bottom() + gap,
                           2 * (labelWidth + fm.height() * 4), fm.height()),
                    Qt::AlignHCenter | Qt::AlignTop, label);
    }
    for (double t : yTicks) {
        p->setPen(grid);
        p->drawLine(QPointF(area.left(), Y(t)), QPointF(area.right(), Y(t)));
        p->setPen(QPen(Qt::black, dot));
        p->drawText(
            QRectF(area.left() - gap - labelWidth, Y(t) - fm.height() / 2, labelWidth, fm.height()),
            Qt::AlignRight | Qt::AlignVCenter, QString::number(t, 'g', 6));
    }
    if (!g.xLabel.isEmpty())
        p->drawText(
            QRectF(area.left(), box.bottom() - gap - fm.height(), area.width(), fm.height()),
            Qt::AlignCenter, g.xLabel);
    if (!g.yLabel.isEmpty()) {
        p->save();
        p->translate(box.left() + gap, area.center().y());
        p->rotate(-90);
        p->drawText(QRectF(-area.height() / 2, 0, area.height(), fm.height()), Qt::AlignCenter,
                    g.yLabel);
        p->restore();
    }
    p->setPen(QPen(Qt::black, dot));
    p->drawRect(area);
    p->save();
    p->setClipRect(area);
    p->setRenderHint(QPainter::Antialiasing);
    for (const Plot& plot : g.plots) {
        p->setPen(QPen(Colour(plot.color, 0), 2 * dot));
        if (plot.rectangle) {
            p->setBrush(Colour(plot.fill, 0));
            p->drawRect(QRectF(QPointF(X(plot.x1), Y(plot.y1)), QPointF(X(plot.x2), Y(plot.y2)))
                            .normalized());
            p->setBrush(Qt::NoBrush);
            continue;
        }
        // A point not a number breaks the curve, as on the panel.
        QPainterPath path;
        bool drawing = false;
        for (std::size_t i = 0; i < plot.x.size(); ++i) {
            if (std::isnan(plot.x[i]) || std::isnan(plot.y[i])) {
                drawing = false;
                continue;
            }
            const QPointF at(X(plot.x[i]), Y(plot.y[i]));
            if (!drawing) {
                path.moveTo(at);
            } else {
                // Steps: level until the next point, then up or down to it.
                if (plot.style == 1) path.lineTo(at.x(), path.currentPosition().y());
                path.lineTo(at);
            }
            drawing = true;
        }
        p->drawPath(path);
    }
    p->restore();
}

} // namespace

bool WritePdf(const Page& page, const QString& file) {
    QPdfWriter writer(file);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
    writer.setResolution(300);
    writer.setTitle(page.title);
    writer.setCreator(QStringLiteral("K-VOR-PX Scope"));
    QPainter p;
    if (!p.begin(&writer)) return false;
    const QRect room(QPoint(0, 0), writer.pageLayout().paintRectPixels(writer.resolution()).size());
    const double dot = writer.resolution() / 96.0; // one pixel of the screen
    int y = room.top();
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 16, QFont::Bold));
    const int titleHeight = p.fontMetrics().lineSpacing();
    p.drawText(QRect(room.left(), y, room.width(), titleHeight), Qt::AlignLeft, page.title);
    y += titleHeight * 3 / 2;
    const QFont textFont(QStringLiteral("DejaVu Sans"), 10);
    p.setFont(textFont);
    const int line = p.fontMetrics().lineSpacing();
    QTextOption wrap(Qt::AlignLeft);
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const Item& item : page.items) {
        if (item.graph < 0) {
            const QRectF rest(room.left(), y, room.width(), room.bottom() - y);
            const int height =
                item.text.isEmpty() ? line : int(p.boundingRect(rest, item.text, wrap).height());
            if (y + height > room.bottom()) break;
            p.drawText(rest, item.text, wrap);
            y += height;
            continue;
        }
        const Graph& g = page.graphs[std::size_t(item.graph)];
        const QSize fitted =
            QSize(g.width, g.height).scaled(room.width(), room.bottom() - y, Qt::KeepAspectRatio);
        if (fitted.height() < line) break;
        y += line / 2;
        DrawGraph(&p, g, QRectF(QPointF(room.left(), y), QSizeF(fitted)), dot);
        p.setFont(textFont);
        y += fitted.height() + line / 2;
    }
    return p.end();
}

} // namespace kvor::report

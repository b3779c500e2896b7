// SPDX-License-Identifier: GPL-3.0-or-later
// The description of a page, line by line, checked before anything is drawn.
#include <QByteArray>
#include <QList>

#include <cmath>

#include "runtime/report_pdf/page.h"

namespace kvor::report {
namespace {

constexpr int kMostPoints = 1'000'000;
constexpr int kMostSide = 10000;

bool Int(const QByteArray& field, int lo, int hi, int* value) {
    bool ok = false;
    const int v = field.toInt(&ok);
    if (!ok || v < lo || v > hi) return false;
    *value = v;
    return true;
}

// A coordinate; "nan" is a gap in a curve, anything else not finite is refused.
bool Coordinate(const QByteArray& field, double* value) {
    if (field == "nan") {
        *value = NAN;
        return true;
    }
    bool ok = false;
    *value = field.toDouble(&ok);
    return ok && std::isfinite(*value);
}

bool Range(const QByteArray& lo, const QByteArray& hi, double* min, double* max) {
    return Coordinate(lo, min) && Coordinate(hi, max) && *min < *max;
}

bool ReadGraph(const QList<QByteArray>& f, Graph* g) {
    if (f.size() != 11) return false;
    g->xLabel = QString::fromUtf8(f[7]);
    g->yLabel = QString::fromUtf8(f[8]);
    return Int(f[1], 1, kMostSide, &g->width) && Int(f[2], 1, kMostSide, &g->height) &&
           Range(f[3], f[4], &g->xMin, &g->xMax) && Range(f[5], f[6], &g->yMin, &g->yMax) &&
           Int(f[9], -1, 0xFFFFFF, &g->grid) && Int(f[10], -1, 0xFFFFFF, &g->background);
}

bool ReadCurve(const QList<QByteArray>& f, Plot* p) {
    int n = 0;
    if (f.size() < 4 || !Int(f[1], 0, 0xFFFFFF, &p->color) || !Int(f[2], 0, 1, &p->style) ||
        !Int(f[3], 0, kMostPoints, &n) || f.size() != 4 + 2 * n)
        return false;
    p->x.resize(std::size_t(n));
    p->y.resize(std::size_t(n));
    for (int i = 0; i < n; ++i)
        if (!Coordinate(f[4 + 2 * i], &p->x[std::size_t(i)]) ||
            !Coordinate(f[5 + 2 * i], &p->y[std::size_t(i)]))
            return false;
    return true;
}

bool ReadRectangle(const QList<QByteArray>& f, Plot* p) {
    p->rectangle = true;
    return f.size() == 7 && Int(f[1], 0, 0xFFFFFF, &p->color) && Int(f[2], 0, 0xFFFFFF, &p->fill) &&
           Coordinate(f[3], &p->x1) && Coordinate(f[4], &p->y1) && Coordinate(f[5], &p->x2) &&
           Coordinate(f[6], &p->y2) && !std::isnan(p->x1 + p->y1 + p->x2 + p->y2);
}

bool ReadLine(const QByteArray& line, Page* page) {
    const QList<QByteArray> f = line.split('\t');
    const QByteArray& kind = f[0];
    if (kind == "title" || kind == "text") {
        const QString text = f.size() > 1 ? QString::fromUtf8(f.mid(1).join(' ')) : QString();
        if (kind == "title")
            page->title = text;
        else
            page->items.push_back({text, -1});
        return true;
    }
    if (kind == "graph") {
        Graph g;
        if (!ReadGraph(f, &g)) return false;
        page->items.push_back({QString(), int(page->graphs.size())});
        page->graphs.push_back(std::move(g));
        return true;
    }
    // Plots belong to the graph before them.
    if (page->graphs.empty()) return false;
    Plot p;
    if (kind == "curve" ? !ReadCurve(f, &p) : kind != "rect" || !ReadRectangle(f, &p)) return false;
    page->graphs.back().plots.push_back(std::move(p));
    return true;
}

} // namespace

bool ReadPage(const QByteArray& description, Page* page, QString* reason) {
    int number = 0;
    for (const QByteArray& line : description.split('\n')) {
        ++number;
        if (line.isEmpty()) continue;
        if (!ReadLine(line, page)) {
            *reason =
                QStringLiteral("line %1 of the description is not one of a report").arg(number);
            return false;
        }
    }
    return true;
}

} // namespace kvor::report

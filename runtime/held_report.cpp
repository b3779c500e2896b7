// SPDX-License-Identifier: GPL-3.0-or-later
// A report held as lines of a description, one item a line, fields between tabs:
//   title TEXT | text TEXT | graph W H XMIN XMAX YMIN YMAX XLABEL YLABEL GRID BACKGROUND
//   curve COLOUR STYLE N X Y X Y ... | rect COLOUR FILL X1 Y1 X2 Y2
// and the report program that draws it into a PDF.
#include "runtime/held_report.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <cmath>
#include <map>

#include "runtime/program_text.h"
#include "runtime/readback.h"
#include "runtime/registry.h"

namespace kvor::rt {
namespace {

constexpr int kReportProgramMs = 30000; // start, draw and write one page
constexpr qsizetype kMostHeld = 64 * 1024 * 1024;

std::map<int, QByteArray>& Held() {
    static std::map<int, QByteArray> reports;
    return reports;
}
int g_next = 1;

// A text as one field: no tab or line break of its own.
QByteArray Field(const QString& text) {
    QString flat = text;
    flat.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    flat.remove(QLatin1Char('\r'));
    return flat.toUtf8();
}

QByteArray Number(double value) {
    return std::isfinite(value) ? QByteArray::number(value, 'g', 12) : QByteArray("nan");
}

// An axis scaled to what it shows: the span of the values, or one around a single value.
void AutoScale(double* min, double* max, double lo, double hi) {
    if (!(lo <= hi)) return;
    const double margin = hi > lo ? (hi - lo) * 0.05 : std::max(1.0, std::fabs(lo) * 0.05);
    *min = lo - margin;
    *max = hi + margin;
}

QByteArray Describe(const ControlDef& def, const HeldGraph& graph) {
    double xMin = graph.xMin, xMax = graph.xMax, yMin = graph.yMin, yMax = graph.yMax;
    double xLo = INFINITY, xHi = -INFINITY, yLo = INFINITY, yHi = -INFINITY;
    auto take = [](double v, double* lo, double* hi) {
        if (!std::isfinite(v)) return;
        *lo = std::min(*lo, v);
        *hi = std::max(*hi, v);
    };
    for (const HeldPlot& p : graph.plots) {
        for (std::size_t i = 0; i < p.x.size(); ++i) {
            take(p.x[i], &xLo, &xHi);
            take(p.y[i], &yLo, &yHi);
        }
        if (p.kind == PLOT_KIND_RECTANGLE) {
            for (double x : {p.x1, p.x2})
                take(x, &xLo, &xHi);
            for (double y : {p.y1, p.y2})
                take(y, &yLo, &yHi);
        }
    }
    if (graph.xMode == VAL_AUTOSCALE) AutoScale(&xMin, &xMax, xLo, xHi);
    if (graph.yMode == VAL_AUTOSCALE) AutoScale(&yMin, &yMax, yLo, yHi);
    QByteArray out = "graph";
    for (const QByteArray& f :
         {QByteArray::number(def.rect.width()), QByteArray::number(def.rect.height()), Number(xMin),
          Number(xMax), Number(yMin), Number(yMax), Field(def.xLabel), Field(def.yLabel),
          QByteArray::number(def.gridColor), QByteArray::number(def.plotBgColor)})
        out += '\t' + f;
    out += '\n';
    for (const HeldPlot& p : graph.plots) {
        if (p.kind == PLOT_KIND_TEXT) continue; // marks beside points: no report draws them
        if (p.kind == PLOT_KIND_RECTANGLE) {
            out += "rect\t" + QByteArray::number(p.color) + '\t' + QByteArray::number(p.fillColor);
            for (double v : {p.x1, p.y1, p.x2, p.y2})
                out += '\t' + Number(v);
        } else {
            out += "curve\t" + QByteArray::number(p.color) + '\t' +
                   QByteArray::number(p.plotStyle) + '\t' + QByteArray::number(p.x.size());
            for (std::size_t i = 0; i < p.x.size(); ++i)
                out += '\t' + Number(p.x[i]) + '\t' + Number(p.y[i]);
        }
        out += '\n';
    }
    return out;
}

} // namespace

int NewHeldReport(const char* title) {
    const int handle = g_next++;
    Held()[handle] = "title\t" + Field(FromProgramText(title)) + '\n';
    return handle;
}

int AddHeldReportText(int report, const char* text) {
    auto it = Held().find(report);
    if (it == Held().end()) return -1;
    it->second += "text\t" + Field(FromProgramText(text)) + '\n';
    return 0;
}

int AddHeldReportGraph(int report, int panel, int control) {
    auto it = Held().find(report);
    const Control* c = FindControl(panel, control);
    if (it == Held().end() || c == nullptr || c->heldGraph() == nullptr) return -1;
    const QByteArray graph = Describe(c->definition(), *c->heldGraph());
    if (it->second.size() + graph.size() > kMostHeld) return -1;
    it->second += graph;
    return 0;
}

int SaveHeldReport(int report, const char* pdfFile) {
    auto it = Held().find(report);
    if (it == Held().end() || pdfFile == nullptr || pdfFile[0] == '\0') return -1;
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/kvor-report");
    if (!QFileInfo(program).isExecutable()) return -1;
    QProcess drawer;
    // Whether the page is there is the answer; the caller names the file that is not.
    drawer.setStandardOutputFile(QProcess::nullDevice());
    drawer.setStandardErrorFile(QProcess::nullDevice());
    drawer.start(program, {QString::fromUtf8(pdfFile)});
    if (!drawer.waitForStarted(kReportProgramMs)) return -1;
    drawer.write(it->second);
    drawer.closeWriteChannel();
    if (!drawer.waitForFinished(kReportProgramMs)) {
        drawer.kill();
        drawer.waitForFinished(kReportProgramMs);
        return -1;
    }
    return drawer.exitStatus() == QProcess::NormalExit && drawer.exitCode() == 0 ? 0 : -1;
}

int DiscardHeldReport(int report) {
    return Held().erase(report) == 1 ? 0 : -1;
}

} // namespace kvor::rt

// SPDX-License-Identifier: GPL-3.0-or-later
// Reports of one page, written with the toolkit's own PDF writer: a title, lines of text and
// pictures of graphs, top to bottom on an A4 page, as the program hands them over.
#include <qcustomplot.h>

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextOption>

#include <map>
#include <vector>

#include "runtime/program_text.h"
#include "runtime/registry.h"
#include "ui/replot_pacer.h"
#include "ui/view_parts.h"
#include "ui/widget_control.h"

namespace kvor::rt {
namespace {

constexpr double kPictureScale = 3.0; // a graph is drawn at three times its screen size

struct ReportItem {
    QString text;    // a line of text, or
    QPixmap picture; // a picture of a graph
};

struct Report {
    QString title;
    std::vector<ReportItem> items;
};

std::map<int, Report>& Reports() {
    static std::map<int, Report> reports;
    return reports;
}

int g_nextReport = 1;

// A graph draws itself afresh at a higher resolution; any other control as it shows.
QPixmap PictureOf(QWidget* body) {
    FlushAllReplots();
    if (auto* plot = qobject_cast<QCustomPlot*>(body))
        return plot->toPixmap(plot->width(), plot->height(), kPictureScale);
    return body->grab();
}

void Draw(QPainter* painter, const Report& report, const QRect& page) {
    QFont titleFont(QStringLiteral("DejaVu Sans"), 16, QFont::Bold);
    QFont textFont(QStringLiteral("DejaVu Sans"), 10);
    int y = page.top();
    painter->setFont(titleFont);
    const int titleHeight = painter->fontMetrics().lineSpacing();
    painter->drawText(QRect(page.left(), y, page.width(), titleHeight), Qt::AlignLeft,
                      report.title);
    y += titleHeight * 3 / 2;
    painter->setFont(textFont);
    const int line = painter->fontMetrics().lineSpacing();
    // A line longer than the page goes on below, broken between words (a path where it must).
    QTextOption wrap(Qt::AlignLeft);
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const ReportItem& item : report.items) {
        if (item.picture.isNull()) {
            const QRectF room(page.left(), y, page.width(), page.bottom() - y);
            const int height =
                item.text.isEmpty()
                    ? line
                    : static_cast<int>(painter->boundingRect(room, item.text, wrap).height());
            if (y + height > page.bottom()) break;
            painter->drawText(room, item.text, wrap);
            y += height;
            continue;
        }
        const QSize fitted =
            item.picture.size().scaled(page.width(), page.bottom() - y, Qt::KeepAspectRatio);
        if (fitted.height() < line) break;
        y += line / 2;
        painter->drawPixmap(QRect(QPoint(page.left(), y), fitted), item.picture);
        y += fitted.height() + line / 2;
    }
}

} // namespace
} // namespace kvor::rt

using namespace kvor::rt;

int NewPdfReport(const char* title) {
    const int handle = g_nextReport++;
    Reports()[handle].title = FromProgramText(title);
    return handle;
}

int AddPdfReportText(int report, const char* text) {
    auto it = Reports().find(report);
    if (it == Reports().end()) return -1;
    it->second.items.push_back({FromProgramText(text), QPixmap()});
    return 0;
}

int AddPdfReportGraph(int report, int panel, int control) {
    auto it = Reports().find(report);
    auto* c = dynamic_cast<WidgetControl*>(FindControl(panel, control));
    if (it == Reports().end() || c == nullptr || c->body() == nullptr) return -1;
    it->second.items.push_back({QString(), PictureOf(c->body())});
    return 0;
}

int SavePdfReport(int report, const char* pdfFile) {
    auto it = Reports().find(report);
    if (it == Reports().end() || pdfFile == nullptr) return -1;
    QPdfWriter writer(QString::fromUtf8(pdfFile));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
    writer.setResolution(300);
    writer.setTitle(it->second.title);
    writer.setCreator(QStringLiteral("K-VOR-PX Scope"));
    QPainter painter;
    if (!painter.begin(&writer)) return -1;
    // The painter's origin is the top left corner inside the margins.
    const QSize area = writer.pageLayout().paintRectPixels(writer.resolution()).size();
    Draw(&painter, it->second, QRect(QPoint(0, 0), area));
    return painter.end() ? 0 : -1;
}

int DiscardPdfReport(int report) {
    return Reports().erase(report) == 1 ? 0 : -1;
}

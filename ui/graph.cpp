// SPDX-License-Identifier: GPL-3.0-or-later
// Graphs: curves, filled rectangles, cursors and axis scaling, over QCustomPlot.
#include <qcustomplot.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "runtime/readback.h"
#include "runtime/registry.h"
#include "ui/control_kinds.h"
#include "ui/plot_widget.h"
#include "ui/replot_pacer.h"

namespace kvor::rt {
namespace {

struct PlotEntry {
    PlotInfo info;
    QCPGraph* graph = nullptr;
    QCPItemRect* rect = nullptr;
    QCPItemText* text = nullptr;
};

struct Cursor {
    QCPItemStraightLine* line = nullptr;
    QCPItemTracer* marker = nullptr;
    double x = 0, y = 0;
};

struct AxisSetting {
    int mode = VAL_MANUAL;
    double min = 0, max = 1;
};

const int kCursorColours[] = {0x000000, 0x0000C0, 0x0000C0};

// Curves or rectangles of a graph in the order they were first made; the first `used` are
// shown, the rest hidden until taken again.
template <class Item> class PlotPool {
  public:
    template <class Make> Item* take(Make make) {
        if (used_ == items_.size()) items_.push_back(make());
        Item* item = items_[used_++];
        item->setVisible(true);
        return item;
    }
    void hideAll() {
        for (Item* item : items_)
            item->setVisible(false);
        used_ = 0;
    }
    // Drops one shown item from the pool (it is deleted one by one); true when it was there.
    bool forget(Item* item) {
        const auto it = std::find(items_.begin(), items_.end(), item);
        if (it == items_.end()) return false;
        if (static_cast<std::size_t>(it - items_.begin()) < used_) --used_;
        items_.erase(it);
        return true;
    }

  private:
    std::vector<Item*> items_; // owned by the plot
    std::size_t used_ = 0;
};

} // namespace

// Applies a requested range: an inverted one is shown the right way round, an empty one widened
// by half a unit, a non-finite one ignored; the request itself is kept as asked.
void ApplyAxisRange(QCPAxis* axis, double min, double max) {
    if (!std::isfinite(min) || !std::isfinite(max)) return;
    if (min > max) std::swap(min, max);
    if (max - min < 1e-9) {
        min -= 0.5;
        max += 0.5;
    }
    axis->setRange(min, max);
}

void StylePlot(QCustomPlot* plot, const ControlDef& def) {
    const QColor background = ToQColor(def.plotBgColor >= 0 ? def.plotBgColor : 0xFFFFFF);
    if (auto* widget = dynamic_cast<PlotWidget*>(plot))
        widget->setBackgroundColour(background);
    else
        plot->setBackground(QBrush(background));
    plot->axisRect()->setAutoMargins(QCP::msLeft | QCP::msBottom | QCP::msTop | QCP::msRight);
    plot->setNotAntialiasedElements(QCP::aeAll);
    QFont tickFont = plot->font();
    tickFont.setPointSize(8);
    for (QCPAxis* axis : {plot->xAxis, plot->yAxis}) {
        axis->setTickLabelFont(tickFont);
        axis->setLabelFont(tickFont);
        QPen grid(ToQColor(def.gridColor >= 0 ? def.gridColor : 0xD0D0D0));
        grid.setStyle(Qt::DotLine);
        axis->grid()->setPen(grid);
    }
    plot->yAxis->setTickLabels(def.yTicks);
    plot->yAxis->setTicks(def.yTicks);
    plot->xAxis->setLabel(def.xLabel);
    plot->yAxis->setLabel(def.yLabel);
    ApplyAxisRange(plot->xAxis, def.xMin, def.xMax);
    ApplyAxisRange(plot->yAxis, def.yMin, def.yMax);
}

namespace {

class GraphControl : public WidgetControl {
  public:
    GraphControl(int panel, const ControlDef& def, QWidget* canvas)
        : WidgetControl(panel, def, canvas) {
        plot_ = new PlotWidget;
        StylePlot(plot_, def);
        axes_[VAL_XAXIS] = {VAL_MANUAL, def.xMin, def.xMax};
        axes_[VAL_LEFT_YAXIS] = {VAL_MANUAL, def.yMin, def.yMax};
        for (int i = 0; i < def.cursors; ++i)
            addCursor(i);
        pacer_ = new ReplotPacer(plot_); // owned by the plot
        finish(plot_);
    }

    int plotXY(const double* x, const double* y, int n, int style, int colour) override {
        if (x == nullptr || y == nullptr || n < 0 || n > 1'000'000) return -1;
        QCPGraph* graph = graphs_.take([this] {
            QCPGraph* g = plot_->addGraph();
            g->setAdaptiveSampling(false);
            return g;
        });
        lieOverLastPlot(graph);
        QVector<double> keys(n), values(n);
        for (int i = 0; i < n; ++i) {
            keys[i] = x[i];
            values[i] = y[i];
        }
        graph->setData(keys, values, false);
        graph->setPen(QPen(ToQColor(colour), 1));
        graph->setLineStyle(style == VAL_THIN_STEP ? QCPGraph::lsStepLeft : QCPGraph::lsLine);
        PlotEntry entry;
        entry.graph = graph;
        entry.info.kind = PLOT_KIND_CURVE;
        entry.info.color = colour & 0xFFFFFF;
        entry.info.plotStyle = style;
        entry.info.points = n;
        return add(entry);
    }

    int plotRectangle(double x1, double y1, double x2, double y2, int colour, int fill) override {
        QCPItemRect* rect = rects_.take([this] {
            auto* r = new QCPItemRect(plot_); // owned by the plot
            r->setClipToAxisRect(true);
            r->setLayer(QStringLiteral("main"));
            return r;
        });
        lieOverLastPlot(rect);
        rect->topLeft->setCoords(std::min(x1, x2), std::max(y1, y2));
        rect->bottomRight->setCoords(std::max(x1, x2), std::min(y1, y2));
        rect->setPen(QPen(ToQColor(colour), 1));
        rect->setBrush(QBrush(ToQColor(fill)));
        PlotEntry entry;
        entry.rect = rect;
        entry.info.kind = PLOT_KIND_RECTANGLE;
        entry.info.color = colour & 0xFFFFFF;
        entry.info.fillColor = fill & 0xFFFFFF;
        entry.info.x1 = x1;
        entry.info.y1 = y1;
        entry.info.x2 = x2;
        entry.info.y2 = y2;
        return add(entry);
    }

    int plotText(double x, double y, const QString& text, int colour) override {
        QCPItemText* item = texts_.take([this] {
            auto* t = new QCPItemText(plot_); // owned by the plot
            t->setClipToAxisRect(true);
            t->setLayer(QStringLiteral("main"));
            t->setPositionAlignment(Qt::AlignHCenter | Qt::AlignBottom);
            QFont font = plot_->font();
            font.setPointSize(8);
            font.setBold(true);
            t->setFont(font);
            return t;
        });
        lieOverLastPlot(item);
        item->position->setCoords(x, y);
        item->setText(text);
        item->setColor(ToQColor(colour));
        PlotEntry entry;
        entry.text = item;
        entry.info.kind = PLOT_KIND_TEXT;
        entry.info.color = colour & 0xFFFFFF;
        entry.info.x1 = x;
        entry.info.y1 = y;
        const QByteArray bytes = text.toUtf8().left(sizeof entry.info.text - 1);
        std::copy(bytes.begin(), bytes.end(), entry.info.text);
        return add(entry);
    }

    int deletePlot(int handle) override {
        if (handle == -1) {
            graphs_.hideAll();
            rects_.hideAll();
            texts_.hideAll();
            lastPlot_ = nullptr;
            plots_.clear();
            replot();
            return 0;
        }
        for (auto it = plots_.begin(); it != plots_.end(); ++it) {
            if (it->info.handle == handle) {
                release(*it);
                plots_.erase(it);
                replot();
                return 0;
            }
        }
        return -1;
    }

    int setCursor(int n, double x, double y) override {
        if (n < 1 || n > static_cast<int>(cursors_.size())) return -1;
        Cursor& c = cursors_[n - 1];
        c.x = x;
        c.y = y;
        c.line->point1->setCoords(x, 0);
        c.line->point2->setCoords(x, 1);
        c.marker->position->setCoords(x, y);
        replot();
        return 0;
    }
    int getCursor(int n, double* x, double* y) const {
        if (n < 1 || n > static_cast<int>(cursors_.size())) return -1;
        if (x) *x = cursors_[n - 1].x;
        if (y) *y = cursors_[n - 1].y;
        return 0;
    }

    int setScaling(int axis, int mode, double min, double max) override {
        if (axis != VAL_XAXIS && axis != VAL_LEFT_YAXIS) return -1;
        axes_[axis] = {mode, min, max};
        QCPAxis* a = axis == VAL_XAXIS ? plot_->xAxis : plot_->yAxis;
        const QCPRange before = a->range();
        if (mode == VAL_AUTOSCALE) {
            a->rescale(true);
        } else {
            ApplyAxisRange(a, min, max);
        }
        // The loops set the same range with every answer: only a new one asks for a picture,
        // the axes drawn again.
        if (a->range() != before) pacer_->request(ReplotPacer::Change::Axes);
        return 0;
    }
    int getScaling(int axis, int* mode, double* min, double* max) const {
        if (axis != VAL_XAXIS && axis != VAL_LEFT_YAXIS) return -1;
        if (mode) *mode = axes_[axis].mode;
        if (min) *min = axes_[axis].min;
        if (max) *max = axes_[axis].max;
        return 0;
    }

    int count() const { return static_cast<int>(plots_.size()); }
    const PlotEntry* entry(int index) const {
        if (index < 0 || index >= count()) return nullptr;
        return &plots_[index];
    }

  private:
    void addCursor(int index) {
        Cursor c;
        const QColor colour = ToQColor(def_.traceColors.size() > static_cast<size_t>(index)
                                           ? def_.traceColors[index]
                                           : kCursorColours[index % 3]);
        c.line = new QCPItemStraightLine(plot_);
        QPen pen(colour, 1);
        pen.setStyle(index == 0 ? Qt::SolidLine : Qt::DashLine);
        c.line->setPen(pen);
        c.line->setLayer(QStringLiteral("main"));
        c.marker = new QCPItemTracer(plot_);
        c.marker->setStyle(index == 0 ? QCPItemTracer::tsCircle : QCPItemTracer::tsSquare);
        c.marker->setSize(7);
        c.marker->setPen(QPen(colour, 1));
        c.marker->setBrush(QBrush(Qt::white));
        c.marker->setLayer(QStringLiteral("main"));
        cursors_.push_back(c);
        c.line->point1->setCoords(0, 0);
        c.line->point2->setCoords(0, 1);
        c.marker->position->setCoords(0, 0);
    }
    int add(PlotEntry entry) {
        entry.info.handle = nextHandle_++;
        plots_.push_back(entry);
        replot();
        return entry.info.handle;
    }
    // Each plot lies over the plots made before it, whichever curve or rectangle of a pool it
    // reuses, and the cursors lie over every plot: they share one picture. Plots taken again in
    // the order they were first made lie that way already; moving one to the top would make the
    // whole graph redraw, grid and axes included.
    void lieOverLastPlot(QCPLayerable* plot) {
        QCPLayer* layer = plot->layer();
        const QList<QCPLayerable*> order = layer->children();
        const bool below = lastPlot_ != nullptr && lastPlot_->layer() == layer &&
                           order.indexOf(plot) < order.indexOf(lastPlot_);
        if (below) plot->setLayer(layer);
        lastPlot_ = plot;
        if (cursors_.empty() || (!below && order.indexOf(plot) < order.indexOf(cursors_[0].line)))
            return;
        for (const Cursor& c : cursors_) {
            c.line->setLayer(c.line->layer());
            c.marker->setLayer(c.marker->layer());
        }
    }
    void release(PlotEntry& e) {
        if (lastPlot_ == e.graph || lastPlot_ == e.rect || lastPlot_ == e.text) lastPlot_ = nullptr;
        if (e.text && texts_.forget(e.text)) plot_->removeItem(e.text);
        if (e.graph && graphs_.forget(e.graph)) plot_->removeGraph(e.graph);
        if (e.rect && rects_.forget(e.rect)) plot_->removeItem(e.rect);
    }
    void replot() { pacer_->request(ReplotPacer::Change::Contents); }

    PlotWidget* plot_;
    ReplotPacer* pacer_;
    // Deleting every plot hides them for the next answer to take again in the same order:
    // adding or removing a plot makes the whole graph replot, grid and axes included.
    PlotPool<QCPGraph> graphs_;
    PlotPool<QCPItemRect> rects_;
    PlotPool<QCPItemText> texts_;
    QCPLayerable* lastPlot_ = nullptr; // the plot made last since every plot was deleted
    std::vector<PlotEntry> plots_;
    std::vector<Cursor> cursors_;
    AxisSetting axes_[2];
    int nextHandle_ = 1;
};

GraphControl* graphOf(int panel, int control) {
    return dynamic_cast<GraphControl*>(FindControl(panel, control));
}

} // namespace

std::unique_ptr<Control> MakeGraphControl(int panel, const ControlDef& def, QWidget* canvas) {
    return std::make_unique<GraphControl>(panel, def, canvas);
}

} // namespace kvor::rt

using kvor::rt::graphOf;

int GetGraphCursor(int panel, int control, int cursor, double* x, double* y) {
    auto* g = graphOf(panel, control);
    return g == nullptr ? -1 : g->getCursor(cursor, x, y);
}

int GetGraphPlotCount(int panel, int control) {
    auto* g = graphOf(panel, control);
    return g == nullptr ? -1 : g->count();
}

int GetGraphPlotInfo(int panel, int control, int index, PlotInfo* info) {
    auto* g = graphOf(panel, control);
    const auto* e = g == nullptr ? nullptr : g->entry(index);
    if (e == nullptr || info == nullptr) return -1;
    *info = e->info;
    return 0;
}

int GetGraphCurvePoints(int panel, int control, int index, double* x, double* y, int max) {
    auto* g = graphOf(panel, control);
    const auto* e = g == nullptr ? nullptr : g->entry(index);
    if (e == nullptr || e->graph == nullptr || max < 0) return -1;
    int n = 0;
    for (auto it = e->graph->data()->constBegin(); it != e->graph->data()->constEnd() && n < max;
         ++it, ++n) {
        if (x) x[n] = it->key;
        if (y) y[n] = it->value;
    }
    return n;
}

int GetAxisScalingMode(int panel, int control, int axis, int* mode, double* min, double* max) {
    if (auto* g = graphOf(panel, control)) return g->getScaling(axis, mode, min, max);
    return kvor::rt::GetStripChartScaling(kvor::rt::FindControl(panel, control), axis, mode, min,
                                          max);
}

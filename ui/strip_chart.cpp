// SPDX-License-Identifier: GPL-3.0-or-later
// The strip chart: interleaved traces scrolling through a fixed number of points per screen.
#include <qcustomplot.h>

#include <QKeyEvent>

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <vector>

#include "runtime/readback.h"
#include "runtime/registry.h"
#include "ui/control_kinds.h"
#include "ui/plot_widget.h"
#include "ui/replot_pacer.h"

namespace kvor::rt {
namespace {

constexpr int kMaxTraces = 16;
constexpr int kDefaultColours[] = {0x008000, 0x008000, 0x000000, 0xFF0000,
                                   0xFF0000, 0x0000FF, 0x00A0A0, 0xA000A0};

// The traces, drawn from the chart's own points whenever the plot is painted: the newest point
// of every trace at the right edge of the screen. A run of equal values keeps only its first and
// last point, which strokes the same pixels as its hundred segments: a flat trace such as a
// tolerance limit costs one line. A value that is not a number breaks its trace.
class Traces : public LiveDrawing {
  public:
    Traces(QCustomPlot* plot, QCPLayer* layer) : LiveDrawing(plot, layer, plot->axisRect()) {}

    std::vector<std::deque<double>> data;
    std::vector<int> colours;
    int pointsPerScreen = 100;

    // The traces keep to a band of the chart: only the band they covered on the screen and the
    // one they cover now are painted again, not the whole chart.
    QRect repaintArea() const override { return onScreen_ | band(); }
    void shownIn(const QRegion& region) override {
        onScreen_ = region.contains(onScreen_) ? drawn_ : onScreen_ | drawn_;
    }

  protected:
    void draw(QCPPainter* painter) override {
        drawn_ = band();
        QCPAxis* keys = mParentPlot->xAxis;
        QCPAxis* values = mParentPlot->yAxis;
        for (size_t t = 0; t < data.size(); ++t) {
            const std::deque<double>& d = data[t];
            const int n = static_cast<int>(d.size());
            const int first = pointsPerScreen - n;
            painter->setPen(QPen(ToQColor(colours[t]), 1));
            line_.clear();
            for (int i = 0; i < n; ++i) {
                const double v = d[static_cast<size_t>(i)];
                if (!std::isfinite(v)) {
                    stroke(painter);
                    continue;
                }
                const bool inside = i > 0 && i + 1 < n && d[static_cast<size_t>(i) - 1] == v &&
                                    d[static_cast<size_t>(i) + 1] == v;
                if (inside) continue;
                line_.emplace_back(keys->coordToPixel(first + i), values->coordToPixel(v));
            }
            stroke(painter);
        }
    }

  private:
    // The pixels the points cover (the lines between them lie within), a pen's width around,
    // inside the clip.
    QRect band() const {
        const QRect clip = LiveDrawing::repaintArea();
        double top = clip.bottom(), bottom = clip.top(), left = clip.right(), right = clip.left();
        bool any = false;
        for (const std::deque<double>& d : data) {
            double low = std::numeric_limits<double>::infinity(), high = -low;
            for (double v : d)
                if (std::isfinite(v)) {
                    low = std::min(low, v);
                    high = std::max(high, v);
                }
            if (low > high) continue;
            any = true;
            const double y0 = mParentPlot->yAxis->coordToPixel(low);
            const double y1 = mParentPlot->yAxis->coordToPixel(high);
            const int first = pointsPerScreen - static_cast<int>(d.size());
            top = std::min({top, y0, y1});
            bottom = std::max({bottom, y0, y1});
            left = std::min(left, mParentPlot->xAxis->coordToPixel(first));
            right = std::max(right, mParentPlot->xAxis->coordToPixel(pointsPerScreen - 1));
        }
        if (!any) return {};
        // Axes that map a value to no pixel at all (not a number): the whole chart.
        if (!(top <= bottom && left <= right)) return clip;
        // Bounded by the clip before it becomes whole pixels: a value far off the chart is far
        // off any integer too.
        const auto within = [](double v, int lo, int hi) {
            return static_cast<int>(std::floor(std::clamp(v, lo - 2.0, hi + 2.0)));
        };
        const QRect box(QPoint(within(left, clip.left(), clip.right()) - 1,
                               within(top, clip.top(), clip.bottom()) - 1),
                        QPoint(within(right, clip.left(), clip.right()) + 2,
                               within(bottom, clip.top(), clip.bottom()) + 2));
        return box & clip;
    }

    void stroke(QCPPainter* painter) {
        if (!line_.empty()) painter->drawPolyline(line_.data(), static_cast<int>(line_.size()));
        line_.clear();
    }

    std::vector<QPointF> line_;
    QRect drawn_;    // the band of the last picture drawn
    QRect onScreen_; // where the screen may show traces
};

class StripChart : public WidgetControl {
  public:
    StripChart(int panel, const ControlDef& def, QWidget* canvas)
        : WidgetControl(panel, def, canvas) {
        plot_ = new PlotWidget;
        StylePlot(plot_, def);
        pacer_ = new ReplotPacer(plot_);                                   // owned by the plot
        traces_ = new Traces(plot_, plot_->layer(QStringLiteral("main"))); // owned by the plot
        traces_->pointsPerScreen = std::clamp(def.pointsPerScreen, 2, 100000);
        plot_->xAxis->setRange(0, traces_->pointsPerScreen - 1);
        axis_[0] = {VAL_MANUAL, 0, static_cast<double>(traces_->pointsPerScreen - 1)};
        axis_[1] = {VAL_MANUAL, def.yMin, def.yMax};
        setTraces(std::clamp(def.traces, 1, kMaxTraces));
        makeCursor();
        finish(plot_);
    }

    int append(const double* values, int count, int start, int skip) override {
        if (values == nullptr || count < 0 || start < 0 || skip < 0) return -1;
        const int traces = static_cast<int>(traces_->data.size());
        for (int k = 0, i = start; k < count; ++k, i += skip + 1) {
            std::deque<double>& trace = traces_->data[static_cast<size_t>(next_)];
            trace.push_back(values[i]);
            if (static_cast<int>(trace.size()) > traces_->pointsPerScreen) trace.pop_front();
            if (++next_ == traces) {
                next_ = 0;
                ++samples_;
            }
        }
        redraw();
        return 0;
    }

    int setAttribute(int attribute, const Value& value) override {
        if (attribute == ATTR_POINTS_PER_SCREEN) {
            const int n = ToInt(value);
            if (n < 2 || n > 100000) return -1;
            // Set again with every answer: only a new width changes the picture.
            if (n == traces_->pointsPerScreen) return 0;
            traces_->pointsPerScreen = n;
            plot_->xAxis->setRange(0, n - 1);
            for (auto& trace : traces_->data)
                while (static_cast<int>(trace.size()) > n)
                    trace.pop_front();
            redraw(ReplotPacer::Change::Axes);
            return 0;
        }
        if (attribute == ATTR_NUM_TRACES) {
            const int n = ToInt(value);
            if (n < 1 || n > kMaxTraces) return -1;
            if (n != static_cast<int>(traces_->data.size())) setTraces(n);
            return 0;
        }
        if (attribute == ATTR_SCROLL_MODE_CONTINUOUS) return 0;
        return WidgetControl::setAttribute(attribute, value);
    }
    int setStripCursor(int point, const QString& text) override {
        if (point >= traces_->pointsPerScreen) return -1;
        cursorPoint_ = point < 0 ? -1 : point;
        cursorText_->setText(text);
        placeCursor();
        return 0;
    }
    int stripCursor(int* point) const override { return *point = cursorPoint_, 0; }

    // Ticks every fifth of the screen, each labelled with the age of the point it stands at.
    int setAges(const double* ages, int count) override {
        const int n = traces_->pointsPerScreen;
        QMap<double, QString> ticks;
        for (int i = count - 1, k = 0; i >= 0; --i, ++k) {
            const int point = n - count + i;
            if (point < 0 || k % std::max(1, n / 5) != 0 || !std::isfinite(ages[i])) continue;
            ticks.insert(point, QString::number(ages[i], 'f', ages[i] < 10 ? 1 : 0));
        }
        if (ticks == ticker_->ticks()) return 0;
        ticker_->setTicks(ticks);
        redraw(ReplotPacer::Change::Axes);
        return 0;
    }

    int getAttribute(int attribute, Value* value) const override {
        if (attribute == ATTR_POINTS_PER_SCREEN)
            return *value = double(traces_->pointsPerScreen), 0;
        if (attribute == ATTR_NUM_TRACES) return *value = double(traces_->data.size()), 0;
        return WidgetControl::getAttribute(attribute, value);
    }

    // Colours are set again with every answer: only a new one asks for a picture.
    int setTraceColour(int trace, int colour) override {
        if (trace < 1 || trace > static_cast<int>(traces_->data.size())) return -1;
        int& held = traces_->colours[static_cast<size_t>(trace - 1)];
        if (held == (colour & 0xFFFFFF)) return 0;
        held = colour & 0xFFFFFF;
        pacer_->request(ReplotPacer::Change::Contents);
        return 0;
    }
    int traceColour(int trace) const {
        if (trace < 1 || trace > static_cast<int>(traces_->data.size())) return -1;
        return traces_->colours[static_cast<size_t>(trace - 1)];
    }
    int points(int trace, double* out, int max) const {
        if (trace < 1 || trace > static_cast<int>(traces_->data.size()) || max < 0) return -1;
        const auto& d = traces_->data[static_cast<size_t>(trace - 1)];
        int n = 0;
        for (auto it = d.begin(); it != d.end() && n < max; ++it)
            out[n++] = *it;
        return n;
    }
    int setScaling(int axis, int mode, double min, double max) override {
        if (axis != VAL_XAXIS && axis != VAL_LEFT_YAXIS) return -1;
        axis_[axis] = {mode, min, max};
        if (axis == VAL_LEFT_YAXIS) {
            const QCPRange before = plot_->yAxis->range();
            if (mode == VAL_AUTOSCALE)
                autoscale();
            else
                ApplyAxisRange(plot_->yAxis, min, max);
            // Set again with every answer: only a new range asks for a picture, axes and all.
            if (plot_->yAxis->range() != before) pacer_->request(ReplotPacer::Change::Axes);
        }
        return 0;
    }
    int getScaling(int axis, int* mode, double* min, double* max) const {
        if (axis != VAL_XAXIS && axis != VAL_LEFT_YAXIS) return -1;
        if (mode) *mode = axis_[axis].mode;
        if (min) *min = axis_[axis].min;
        if (max) *max = axis_[axis].max;
        return 0;
    }

  private:
    struct Axis {
        int mode;
        double min, max;
    };

    // The reading cursor: a line over the chart with what the point under it means. The operator
    // moves it with the mouse (press or drag) and the arrow keys while the program shows it.
    void makeCursor() {
        ticker_ = QSharedPointer<QCPAxisTickerText>::create();
        plot_->xAxis->setTicker(ticker_);
        if (plot_->xAxis->label().isEmpty())
            plot_->xAxis->setLabel(QStringLiteral("seconds back from now"));
        cursorLine_ = new QCPItemStraightLine(plot_); // owned by the plot
        cursorLine_->setPen(QPen(QColor(0x0000C0), 1, Qt::DashLine));
        cursorText_ = new QCPItemText(plot_); // owned by the plot
        cursorText_->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
        cursorText_->position->setType(QCPItemPosition::ptAxisRectRatio);
        cursorText_->setPadding(QMargins(4, 2, 4, 2));
        cursorText_->setBrush(QBrush(QColor(255, 255, 255, 220)));
        cursorText_->setPen(QPen(QColor(0x0000C0)));
        cursorText_->setColor(QColor(0x0000C0));
        placeCursor();
        // The connections end with the chart (keys_), which the plot may outlive by an event pass.
        QObject::connect(plot_, &QCustomPlot::mousePress, &keys_,
                         [this](QMouseEvent* e) { pointAt(e->position().x()); });
        QObject::connect(plot_, &QCustomPlot::mouseMove, &keys_, [this](QMouseEvent* e) {
            if (e->buttons() & Qt::LeftButton) pointAt(e->position().x());
        });
        plot_->installEventFilter(&keys_);
        keys_.chart = this;
    }

    void placeCursor() {
        const bool shown = cursorPoint_ >= 0;
        cursorLine_->setVisible(shown);
        cursorText_->setVisible(shown);
        plot_->setFocusPolicy(shown ? Qt::StrongFocus : Qt::NoFocus);
        if (shown) {
            cursorLine_->point1->setCoords(cursorPoint_, 0);
            cursorLine_->point2->setCoords(cursorPoint_, 1);
            // The text stands on the side of the line with more room.
            const bool right = cursorPoint_ < traces_->pointsPerScreen / 2;
            cursorText_->setPositionAlignment((right ? Qt::AlignLeft : Qt::AlignRight) |
                                              Qt::AlignTop);
            const double x = (cursorPoint_ - plot_->xAxis->range().lower) /
                             std::max(1.0, plot_->xAxis->range().size());
            cursorText_->position->setCoords(std::clamp(x, 0.0, 1.0), 0.02);
        }
        redraw(ReplotPacer::Change::Axes);
    }

    // The operator put the cursor somewhere: the program hears of it and says what lies there.
    void moveTo(int point) {
        if (cursorPoint_ < 0) return;
        point = std::clamp(point, 0, traces_->pointsPerScreen - 1);
        if (point == cursorPoint_) return;
        cursorPoint_ = point;
        placeCursor();
        fire(EVENT_VAL_CHANGED);
    }
    void pointAt(double pixel) {
        if (cursorPoint_ < 0) return;
        plot_->setFocus(Qt::MouseFocusReason);
        moveTo(static_cast<int>(std::lround(plot_->xAxis->pixelToCoord(pixel))));
    }

    struct Keys : QObject {
        StripChart* chart = nullptr;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() != QEvent::KeyPress || chart->cursorPoint_ < 0) return false;
            const int key = static_cast<QKeyEvent*>(event)->key();
            const int at = chart->cursorPoint_;
            const int last = chart->traces_->pointsPerScreen - 1;
            const int to = key == Qt::Key_Left       ? at - 1
                           : key == Qt::Key_Right    ? at + 1
                           : key == Qt::Key_PageUp   ? at - 10
                           : key == Qt::Key_PageDown ? at + 10
                           : key == Qt::Key_Home     ? 0
                           : key == Qt::Key_End      ? last
                                                     : -2;
            if (to == -2) return false;
            chart->moveTo(to);
            return true;
        }
    };

    void setTraces(int n) {
        traces_->data.assign(static_cast<size_t>(n), {});
        traces_->colours.resize(static_cast<size_t>(n));
        next_ = 0;
        for (int i = 0; i < n; ++i) {
            const int colour = static_cast<size_t>(i) < def_.traceColors.size()
                                   ? def_.traceColors[static_cast<size_t>(i)]
                                   : kDefaultColours[i % 8];
            traces_->colours[static_cast<size_t>(i)] = colour;
        }
        redraw(ReplotPacer::Change::Axes);
    }

    // The value axis spans the points shown now.
    void autoscale() {
        double low = std::numeric_limits<double>::infinity(), high = -low;
        for (const auto& trace : traces_->data)
            for (double v : trace)
                if (std::isfinite(v)) {
                    low = std::min(low, v);
                    high = std::max(high, v);
                }
        if (low > high) return;
        if (low == high) {
            // One value: the span shown stays, centred on it.
            const double half = plot_->yAxis->range().size() / 2;
            low -= half;
            high += half;
        }
        ApplyAxisRange(plot_->yAxis, low, high);
    }

    // The points are drawn once per picture, not once per append.
    void redraw(ReplotPacer::Change change = ReplotPacer::Change::Contents) {
        pacer_->request(change);
    }

    PlotWidget* plot_;
    ReplotPacer* pacer_;
    // The points and colours; the plot owns them, and outlives the chart by an event pass.
    Traces* traces_;
    int next_ = 0;
    long long samples_ = 0;
    Axis axis_[2] = {};
    QSharedPointer<QCPAxisTickerText> ticker_;
    QCPItemStraightLine* cursorLine_ = nullptr; // owned by the plot
    QCPItemText* cursorText_ = nullptr;         // owned by the plot
    int cursorPoint_ = -1;
    Keys keys_;
};

StripChart* stripOf(int panel, int control) {
    return dynamic_cast<StripChart*>(FindControl(panel, control));
}

} // namespace

std::unique_ptr<Control> MakeStripChartControl(int panel, const ControlDef& def, QWidget* canvas) {
    return std::make_unique<StripChart>(panel, def, canvas);
}

int GetStripChartScaling(Control* control, int axis, int* mode, double* min, double* max) {
    auto* s = dynamic_cast<StripChart*>(control);
    return s == nullptr ? -1 : s->getScaling(axis, mode, min, max);
}

} // namespace kvor::rt

using kvor::rt::stripOf;

int GetTraceAttribute(int panel, int control, int trace, int attribute, int* value) {
    auto* s = stripOf(panel, control);
    if (s == nullptr || attribute != ATTR_TRACE_COLOR || value == nullptr) return -1;
    const int c = s->traceColour(trace);
    if (c < 0) return -1;
    *value = c;
    return 0;
}

int GetStripChartPoints(int panel, int control, int trace, double* values, int max) {
    auto* s = stripOf(panel, control);
    return s == nullptr ? -1 : s->points(trace, values, max);
}

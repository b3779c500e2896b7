// SPDX-License-Identifier: GPL-3.0-or-later
// The strip chart: interleaved traces scrolling through a fixed number of points per screen.
#include <qcustomplot.h>

#include <deque>
#include <vector>

#include "ui/control_kinds.h"
#include "ui/plot_widget.h"
#include "ui/readback.h"
#include "ui/registry.h"
#include "ui/replot_pacer.h"

namespace kvor::rt {
namespace {

constexpr int kMaxTraces = 16;
constexpr int kDefaultColours[] = {0x008000, 0x008000, 0x000000, 0xFF0000,
                                   0xFF0000, 0x0000FF, 0x00A0A0, 0xA000A0};

class StripChart : public Control {
  public:
    StripChart(int panel, const ControlDef& def, QWidget* canvas) : Control(panel, def, canvas) {
        auto* widget = new PlotWidget;
        plot_ = widget;
        StylePlot(plot_, def);
        pacer_ = new ReplotPacer(widget); // owned by the plot
        pacer_->setPrepare([this] { handOver(); });
        pointsPerScreen_ = std::clamp(def.pointsPerScreen, 2, 100000);
        axis_[0] = {VAL_MANUAL, 0, static_cast<double>(pointsPerScreen_ - 1)};
        axis_[1] = {VAL_MANUAL, def.yMin, def.yMax};
        setTraces(std::clamp(def.traces, 1, kMaxTraces));
        finish(plot_);
    }
    // The plot outlives the chart by an event pass (it is deleted later).
    ~StripChart() override { pacer_->setPrepare(nullptr); }

    int append(const double* values, int count, int start, int skip) {
        if (values == nullptr || count < 0 || start < 0 || skip < 0) return -1;
        const int traces = static_cast<int>(data_.size());
        for (int k = 0, i = start; k < count; ++k, i += skip + 1) {
            std::deque<double>& trace = data_[static_cast<size_t>(next_)];
            trace.push_back(values[i]);
            if (static_cast<int>(trace.size()) > pointsPerScreen_) trace.pop_front();
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
            const bool same = n == pointsPerScreen_;
            pointsPerScreen_ = n;
            for (auto& trace : data_)
                while (static_cast<int>(trace.size()) > n)
                    trace.pop_front();
            redraw(same ? ReplotPacer::Change::Contents : ReplotPacer::Change::Axes);
            return 0;
        }
        if (attribute == ATTR_NUM_TRACES) {
            const int n = ToInt(value);
            if (n < 1 || n > kMaxTraces) return -1;
            if (n != static_cast<int>(data_.size())) setTraces(n);
            return 0;
        }
        if (attribute == ATTR_SCROLL_MODE_CONTINUOUS) return 0;
        return Control::setAttribute(attribute, value);
    }
    int getAttribute(int attribute, Value* value) const override {
        if (attribute == ATTR_POINTS_PER_SCREEN) return *value = double(pointsPerScreen_), 0;
        if (attribute == ATTR_NUM_TRACES) return *value = double(data_.size()), 0;
        return Control::getAttribute(attribute, value);
    }

    int setTraceColour(int trace, int colour) {
        if (trace < 1 || trace > static_cast<int>(data_.size())) return -1;
        colours_[static_cast<size_t>(trace - 1)] = colour & 0xFFFFFF;
        plot_->graph(trace - 1)->setPen(QPen(ToQColor(colour), 1));
        pacer_->request(ReplotPacer::Change::Contents);
        return 0;
    }
    int traceColour(int trace) const {
        if (trace < 1 || trace > static_cast<int>(data_.size())) return -1;
        return colours_[static_cast<size_t>(trace - 1)];
    }
    int points(int trace, double* out, int max) const {
        if (trace < 1 || trace > static_cast<int>(data_.size()) || max < 0) return -1;
        const auto& d = data_[static_cast<size_t>(trace - 1)];
        int n = 0;
        for (auto it = d.begin(); it != d.end() && n < max; ++it)
            out[n++] = *it;
        return n;
    }
    int setScaling(int axis, int mode, double min, double max) {
        if (axis != VAL_XAXIS && axis != VAL_LEFT_YAXIS) return -1;
        axis_[axis] = {mode, min, max};
        if (axis == VAL_LEFT_YAXIS) {
            const QCPRange before = plot_->yAxis->range();
            if (mode == VAL_AUTOSCALE)
                plot_->yAxis->rescale(true);
            else
                ApplyAxisRange(plot_->yAxis, min, max);
            // Set again with every answer; the axes are drawn again only when it changes.
            pacer_->request(plot_->yAxis->range() == before ? ReplotPacer::Change::Contents
                                                            : ReplotPacer::Change::Axes);
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

    void setTraces(int n) {
        plot_->clearGraphs();
        data_.assign(static_cast<size_t>(n), {});
        colours_.resize(static_cast<size_t>(n));
        next_ = 0;
        for (int i = 0; i < n; ++i) {
            const int colour = static_cast<size_t>(i) < def_.traceColors.size()
                                   ? def_.traceColors[static_cast<size_t>(i)]
                                   : kDefaultColours[i % 8];
            colours_[static_cast<size_t>(i)] = colour;
            QCPGraph* g = plot_->addGraph();
            g->setPen(QPen(ToQColor(colour), 1));
            g->setAdaptiveSampling(false);
        }
        redraw(ReplotPacer::Change::Axes);
    }

    // The points reach the plot once per picture, not once per append.
    void redraw(ReplotPacer::Change change = ReplotPacer::Change::Contents) {
        pacer_->request(change);
    }

    // The newest point of every trace stands at the right edge of the screen.
    void handOver() {
        for (size_t t = 0; t < data_.size(); ++t) {
            const auto& d = data_[t];
            QVector<double> keys, values;
            keys.reserve(static_cast<int>(d.size()));
            values.reserve(static_cast<int>(d.size()));
            const int first = pointsPerScreen_ - static_cast<int>(d.size());
            int k = first;
            for (double v : d) {
                keys.push_back(k++);
                values.push_back(v);
            }
            plot_->graph(static_cast<int>(t))->setData(keys, values, true);
        }
        plot_->xAxis->setRange(0, pointsPerScreen_ - 1);
    }

    QCustomPlot* plot_;
    ReplotPacer* pacer_;
    std::vector<std::deque<double>> data_;
    std::vector<int> colours_;
    int pointsPerScreen_ = 100;
    int next_ = 0;
    long long samples_ = 0;
    Axis axis_[2] = {};
};

StripChart* stripOf(int panel, int control) {
    return dynamic_cast<StripChart*>(FindControl(panel, control));
}

} // namespace

std::unique_ptr<Control> MakeStripChartControl(int panel, const ControlDef& def, QWidget* canvas) {
    return std::make_unique<StripChart>(panel, def, canvas);
}

int SetStripChartScaling(Control* control, int axis, int mode, double min, double max) {
    auto* s = dynamic_cast<StripChart*>(control);
    return s == nullptr ? -1 : s->setScaling(axis, mode, min, max);
}

int GetStripChartScaling(Control* control, int axis, int* mode, double* min, double* max) {
    auto* s = dynamic_cast<StripChart*>(control);
    return s == nullptr ? -1 : s->getScaling(axis, mode, min, max);
}

} // namespace kvor::rt

using kvor::rt::stripOf;

int PlotStripChart(int panel, int control, const double* values, int count, int start, int skip) {
    auto* s = stripOf(panel, control);
    return s == nullptr ? -1 : s->append(values, count, start, skip);
}

int SetTraceAttribute(int panel, int control, int trace, int attribute, int value) {
    auto* s = stripOf(panel, control);
    if (s == nullptr || attribute != ATTR_TRACE_COLOR) return -1;
    return s->setTraceColour(trace, value);
}

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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/replot_pacer.h"

#include "ui/plot_widget.h"

#include <algorithm>
#include <vector>

namespace kvor::rt {
namespace {

std::vector<ReplotPacer*>& Pacers() {
    static std::vector<ReplotPacer*> pacers;
    return pacers;
}

} // namespace

ReplotPacer::ReplotPacer(PlotWidget* plot) : QObject(plot), plot_(plot) {
    // Curves, rectangles and cursors are drawn at each repaint over one picture of the
    // background, the grid and the axes, which is drawn again only when the axes change.
    if (QCPLayer* main = plot_->layer(QStringLiteral("main"))) plot_->setLiveLayer(main);
    // The widget is repainted with the rest of the panel in the next paint pass.
    plot_->setPlottingHint(QCP::phImmediateRefresh, false);
    Pacers().push_back(this);
}

ReplotPacer::~ReplotPacer() {
    auto& pacers = Pacers();
    pacers.erase(std::remove(pacers.begin(), pacers.end(), this), pacers.end());
}

void ReplotPacer::request(Change change) {
    axes_ = axes_ || change == Change::Axes;
    pending_ = true;
    // The panel's next picture draws it.
    if (axes_)
        plot_->update();
    else
        plot_->updateLiveLayer();
}

void ReplotPacer::flush() {
    if (!pending_) return;
    pending_ = false;
    // The curves are drawn when the plot is painted; new axes need a new picture first.
    if (axes_) {
        axes_ = false;
        plot_->replot(QCustomPlot::rpRefreshHint);
    }
}

bool ReplotPacer::shownIn(const QWidget* window) const {
    return plot_->window() == window;
}

void FlushAllReplots() {
    const std::vector<ReplotPacer*> pacers = Pacers();
    for (ReplotPacer* pacer : pacers)
        pacer->flush();
}

void FlushReplotsIn(const QWidget* window) {
    const std::vector<ReplotPacer*> pacers = Pacers();
    for (ReplotPacer* pacer : pacers)
        if (pacer->shownIn(window)) pacer->flush();
}

} // namespace kvor::rt

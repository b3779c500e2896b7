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
    // Curves, rectangles and cursors get a picture of their own above one picture of the
    // background, the grid and the axes, so that redrawing them leaves the rest as it was
    // drawn. That picture starts as a copy of the one below.
    QCPLayer* main = plot_->layer(QStringLiteral("main"));
    if (main != nullptr) {
        for (const char* below : {"axes", "legend", "overlay"})
            if (QCPLayer* layer = plot_->layer(QString::fromLatin1(below)))
                plot_->moveLayer(layer, main, QCustomPlot::limBelow);
        main->setMode(QCPLayer::lmBuffered);
    }
    plot_->stackPictures();
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
    QCPLayer* main = plot_->layer(QStringLiteral("main"));
    if (axes_ || main == nullptr)
        plot_->update();
    else
        plot_->updateLayer(main);
}

void ReplotPacer::flush() {
    if (!pending_) return;
    pending_ = false;
    if (prepare_) prepare_();
    if (axes_) {
        axes_ = false;
        plot_->replot(QCustomPlot::rpRefreshHint);
        return;
    }
    // A layer falls back to a whole replot by itself while any picture is out of date.
    if (QCPLayer* main = plot_->layer(QStringLiteral("main"))) plot_->redrawLayer(main);
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

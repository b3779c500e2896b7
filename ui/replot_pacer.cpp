// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/replot_pacer.h"

#include <qcustomplot.h>

#include <algorithm>
#include <vector>

namespace kvor::rt {
namespace {

// A screen shows about sixty pictures a second; more replots than that are never seen.
constexpr int kFrameMs = 16;

std::vector<ReplotPacer*>& Pacers() {
    static std::vector<ReplotPacer*> pacers;
    return pacers;
}

} // namespace

ReplotPacer::ReplotPacer(QCustomPlot* plot, bool cursors)
    : QObject(plot), plot_(plot), cursors_(cursors) {
    // Curves and rectangles get a picture of their own above one picture of the background,
    // the grid and the axes, so that redrawing them leaves the rest as it was drawn; cursors
    // get one more above. Every picture is laid over the others at each repaint, so there are
    // no more of them than that.
    QCPLayer* main = plot_->layer(QStringLiteral("main"));
    QCPLayer* overlay = plot_->layer(QStringLiteral("overlay"));
    if (main != nullptr && overlay != nullptr) {
        for (const char* below : {"axes", "legend"})
            if (QCPLayer* layer = plot_->layer(QString::fromLatin1(below)))
                plot_->moveLayer(layer, main, QCustomPlot::limBelow);
        main->setMode(QCPLayer::lmBuffered);
        overlay->setMode(cursors_ ? QCPLayer::lmBuffered : QCPLayer::lmLogical);
        if (!cursors_) plot_->moveLayer(overlay, main, QCustomPlot::limBelow);
    }
    // The widget is repainted with the rest of the panel in the next paint pass.
    plot_->setPlottingHint(QCP::phImmediateRefresh, false);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &ReplotPacer::flush);
    Pacers().push_back(this);
}

ReplotPacer::~ReplotPacer() {
    auto& pacers = Pacers();
    pacers.erase(std::remove(pacers.begin(), pacers.end(), this), pacers.end());
}

void ReplotPacer::request(Change change) {
    axes_ = axes_ || change == Change::Axes;
    pending_ = true;
    if (timer_.isActive()) return;
    const qint64 since = sinceLast_.isValid() ? sinceLast_.elapsed() : kFrameMs;
    timer_.start(static_cast<int>(std::max<qint64>(0, kFrameMs - since)));
}

void ReplotPacer::flush() {
    timer_.stop();
    if (!pending_) return;
    pending_ = false;
    sinceLast_.start();
    if (prepare_) prepare_();
    if (axes_) {
        axes_ = false;
        plot_->replot(QCustomPlot::rpRefreshHint);
        return;
    }
    // A layer falls back to a whole replot by itself while any picture is out of date.
    if (QCPLayer* main = plot_->layer(QStringLiteral("main"))) main->replot();
    QCPLayer* overlay = plot_->layer(QStringLiteral("overlay"));
    if (overlay != nullptr && cursors_) overlay->replot();
}

void FlushAllReplots() {
    const std::vector<ReplotPacer*> pacers = Pacers();
    for (ReplotPacer* pacer : pacers)
        pacer->flush();
}

} // namespace kvor::rt

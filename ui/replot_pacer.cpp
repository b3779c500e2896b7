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

ReplotPacer::ReplotPacer(QCustomPlot* plot) : QObject(plot), plot_(plot) {
    // Curves and rectangles get a picture of their own, so that redrawing them leaves the
    // grid and the axes as they were drawn; the cursors' overlay layer has one already.
    if (QCPLayer* main = plot_->layer(QStringLiteral("main"))) main->setMode(QCPLayer::lmBuffered);
    if (QCPLayer* overlay = plot_->layer(QStringLiteral("overlay")))
        overlay->setMode(QCPLayer::lmBuffered);
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
    for (const char* name : {"main", "overlay"})
        if (QCPLayer* layer = plot_->layer(QString::fromLatin1(name))) layer->replot();
}

void FlushAllReplots() {
    const std::vector<ReplotPacer*> pacers = Pacers();
    for (ReplotPacer* pacer : pacers)
        pacer->flush();
}

} // namespace kvor::rt

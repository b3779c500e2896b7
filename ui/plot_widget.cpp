// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/plot_widget.h"

#include <QBackingStore>

namespace kvor::rt {

// The picture of the background, the grid and the axes: opaque, so painting copies it without
// blending. QCustomPlot clears a picture before its layers draw into it; here the clearing only
// marks it, and the first layer that draws finds the background colour laid down.
class PlotWidget::Picture : public QCPAbstractPaintBuffer {
  public:
    Picture(PlotWidget* plot, const QSize& size, double ratio)
        : QCPAbstractPaintBuffer(size, ratio), plot_(plot) {
        reallocateBuffer();
    }

    QCPPainter* startPainting() override {
        if (restart_) {
            restart_ = false;
            picture_.fill(plot_->fill_->brush.color());
        }
        return new QCPPainter(&picture_);
    }
    void draw(QCPPainter* painter) const override { painter->drawImage(0, 0, picture_); }
    void clear(const QColor&) override { restart_ = true; }
    const QImage& picture() const { return picture_; }

  protected:
    void reallocateBuffer() override {
        picture_ = QImage(mSize * mDevicePixelRatio, QImage::Format_RGB32);
        picture_.setDevicePixelRatio(mDevicePixelRatio);
        restart_ = true;
    }

  private:
    PlotWidget* plot_;
    QImage picture_;
    bool restart_ = true;
};

// The live layer's place among QCustomPlot's pictures, holding none: while the plot is painted
// the layer draws onto the screen, at any other time (a whole replot) into nothing.
class PlotWidget::OnScreen : public QCPAbstractPaintBuffer {
  public:
    explicit OnScreen(PlotWidget* plot)
        : QCPAbstractPaintBuffer(QSize(1, 1), 1.0), plot_(plot),
          nothing_(1, 1, QImage::Format_RGB32) {}

    QCPPainter* startPainting() override {
        return plot_->painting_ ? new QCPPainter(plot_) : new QCPPainter(&nothing_);
    }
    void draw(QCPPainter*) const override {}
    void clear(const QColor&) override {}

  protected:
    void reallocateBuffer() override {}

  private:
    PlotWidget* plot_;
    QImage nothing_;
};

LiveDrawing::LiveDrawing(QCustomPlot* plot, QCPLayer* layer, QCPAxisRect* axes)
    : QCPLayerable(plot), axes_(axes) {
    setLayer(layer);
}

QRect LiveDrawing::clipRect() const {
    return axes_ != nullptr ? axes_->rect() : QCPLayerable::clipRect();
}

// The clip lies one pixel higher than the axis rect, as QCPLayer sets it.
QRect LiveDrawing::repaintArea() const {
    return clipRect().translated(0, -1);
}

void LiveDrawing::applyDefaultAntialiasingHint(QCPPainter* painter) const {
    applyAntialiasingHint(painter, mAntialiased, QCP::aePlottables);
}

PlotWidget::PlotWidget() : fill_(new Fill(this)) { // the fill is owned by the plot
    // The picture covers every pixel: nothing behind the plot needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotWidget::setBackgroundColour(const QColor& colour) {
    setBackground(QBrush(colour));
    fill_->brush = QBrush(colour);
}

void PlotWidget::setLiveLayer(QCPLayer* live) {
    live_ = live;
    if (layer(layerCount() - 1) != live) moveLayer(live, layer(layerCount() - 1), limAbove);
    for (int i = 0; i < layerCount(); ++i)
        layer(i)->setMode(layer(i) == live ? QCPLayer::lmBuffered : QCPLayer::lmLogical);
    // QCustomPlot keeps the pictures it finds: the layers below the live one share the first.
    mPaintBuffers.clear();
    mPaintBuffers.append(QSharedPointer<QCPAbstractPaintBuffer>(
        new Picture(this, viewport().size(), mBufferDevicePixelRatio)));
    mPaintBuffers.append(QSharedPointer<QCPAbstractPaintBuffer>(new OnScreen(this)));
    replot(rpQueuedReplot);
}

void PlotWidget::updateLiveLayer() {
    const QRect area = liveArea();
    update(area.isValid() ? area : rect());
}

// Every curve, rectangle and cursor is clipped to its axis rect (the clip lies one pixel
// higher, as QCPLayer sets it); the plot's layout grid draws nothing.
QRect PlotWidget::liveArea() const {
    if (live_ == nullptr) return {};
    QRect area;
    for (QCPLayerable* child : live_->children()) {
        if (child == plotLayout()) continue;
        QCPAxisRect* axes = nullptr;
        if (auto* plottable = qobject_cast<QCPAbstractPlottable*>(child)) {
            if (plottable->keyAxis() != nullptr) axes = plottable->keyAxis()->axisRect();
        } else if (auto* item = qobject_cast<QCPAbstractItem*>(child)) {
            if (item->clipToAxisRect()) axes = item->clipAxisRect();
        } else if (auto* drawing = dynamic_cast<LiveDrawing*>(child)) {
            area |= drawing->repaintArea();
            continue;
        }
        if (axes == nullptr) return {};
        area |= axes->rect().adjusted(0, -1, 0, 0);
    }
    return area.isValid() ? area & rect() : QRect();
}

template <class Replot> void PlotWidget::withoutRepaint(Replot replot) {
    const bool enabled = updatesEnabled();
    if (enabled) setAttribute(Qt::WA_UpdatesDisabled);
    replot();
    if (enabled) setAttribute(Qt::WA_UpdatesDisabled, false);
}

void PlotWidget::paintEvent(QPaintEvent* event) {
    const auto* picture =
        mPaintBuffers.isEmpty() ? nullptr : dynamic_cast<const Picture*>(mPaintBuffers[0].data());
    if (picture == nullptr || live_ == nullptr) {
        // Pictures QCustomPlot made itself: laid over one another.
        QCPPainter painter(this);
        painter.fillRect(rect(), fill_->brush);
        for (const QSharedPointer<QCPAbstractPaintBuffer>& buffer : mPaintBuffers)
            buffer->draw(&painter);
        return;
    }
    // A whole replot not made yet (a new size, new axes) comes first: its repaint is this one.
    if (hasInvalidatedPaintBuffers()) withoutRepaint([this] { replot(rpRefreshHint); });
    {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        const QImage& image = picture->picture();
        const qreal ratio = image.devicePixelRatio();
        for (const QRect& part : event->region()) {
            if (ratio == 1.0)
                painter.drawImage(part.topLeft(), image, part);
            else
                painter.drawImage(QRectF(part), image,
                                  QRectF(part.x() * ratio, part.y() * ratio, part.width() * ratio,
                                         part.height() * ratio));
        }
    }
    painting_ = true;
    withoutRepaint([this] { live_->replot(); });
    painting_ = false;
    // A picture taken of the plot (grab, render) leaves the screen as it was: only a paint into
    // the window's backing store is what the screen shows.
    QBackingStore* screen = window()->backingStore();
    if (screen == nullptr || redirected(nullptr) != screen->paintDevice()) return;
    for (QCPLayerable* child : live_->children())
        if (auto* drawing = dynamic_cast<LiveDrawing*>(child)) drawing->shownIn(event->region());
}

} // namespace kvor::rt

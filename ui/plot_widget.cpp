// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/plot_widget.h"

#include <cstring>

namespace kvor::rt {

// One picture of the stack: opaque, so copying it needs no blending. QCustomPlot clears a
// picture before its layers draw into it; here the clearing only marks it, and the first layer
// that draws finds the picture below (or the background colour) laid down first.
class PlotWidget::StackedPicture : public QCPAbstractPaintBuffer {
  public:
    StackedPicture(PlotWidget* plot, const QSize& size, double ratio)
        : QCPAbstractPaintBuffer(size, ratio), plot_(plot) {
        reallocateBuffer();
    }

    QCPPainter* startPainting() override {
        if (restart_) {
            restart_ = false;
            ++generation_;
            const StackedPicture* under = plot_->below(this);
            // Outside the area its layer draws in, a picture still holds the copy it made of
            // the picture below, as long as that one has not been drawn anew since.
            const QRect area = plot_->liveArea_;
            if (under == nullptr) {
                picture_.fill(plot_->fill_->brush.color());
            } else if (under->generation_ == baseGeneration_ && area.isValid() &&
                       mDevicePixelRatio == 1.0 && picture_.rect().contains(area)) {
                copyRows(under->picture_, area);
            } else {
                copyRows(under->picture_, picture_.rect());
                baseGeneration_ = under->generation_;
            }
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
    // Row by row: a row is short enough for the processor's vector copy.
    void copyRows(const QImage& from, const QRect& area) {
        if (from.size() != picture_.size() || from.format() != picture_.format()) {
            picture_ = from.copy();
            return;
        }
        const auto line = static_cast<std::size_t>(picture_.bytesPerLine());
        const std::size_t left = static_cast<std::size_t>(area.left()) * 4; // 32-bit pixels
        const auto bytes = static_cast<std::size_t>(area.width()) * 4;
        uchar* to = picture_.bits() + static_cast<std::size_t>(area.top()) * line + left;
        const uchar* row = from.constBits() + static_cast<std::size_t>(area.top()) * line + left;
        for (int y = 0; y < area.height(); ++y, to += line, row += line)
            std::memcpy(to, row, bytes);
    }

    PlotWidget* plot_;
    QImage picture_;
    bool restart_ = true;
    int generation_ = 0;      // pictures drawn anew
    int baseGeneration_ = -1; // the picture below's, when it was last copied whole
};

PlotWidget::PlotWidget() : fill_(new Fill(this)) { // the fill is owned by the plot
    // The top picture covers every pixel: nothing behind the plot needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotWidget::setBackgroundColour(const QColor& colour) {
    setBackground(QBrush(colour));
    fill_->brush = QBrush(colour);
}

void PlotWidget::stackPictures() {
    // As many pictures as QCustomPlot lays the layers out in: one at the bottom, one for each
    // layer of its own, and one more for ordinary layers above such a layer. It keeps pictures
    // it finds and makes only missing ones.
    int count = 1;
    for (int i = 0; i < layerCount(); ++i) {
        if (layer(i)->mode() != QCPLayer::lmBuffered) continue;
        ++count;
        if (i + 1 < layerCount() && layer(i + 1)->mode() == QCPLayer::lmLogical) ++count;
    }
    mPaintBuffers.clear();
    for (int i = 0; i < count; ++i)
        mPaintBuffers.append(QSharedPointer<QCPAbstractPaintBuffer>(
            new StackedPicture(this, viewport().size(), mBufferDevicePixelRatio)));
    replot(rpQueuedReplot); // the layers find their new pictures in a whole replot
}

const PlotWidget::StackedPicture* PlotWidget::below(const StackedPicture* picture) const {
    for (int i = 1; i < mPaintBuffers.size(); ++i)
        if (mPaintBuffers.at(i).data() == picture)
            return dynamic_cast<const StackedPicture*>(mPaintBuffers.at(i - 1).data());
    return nullptr;
}

void PlotWidget::redrawLayer(QCPLayer* layer) {
    liveArea_ = liveAreaOf(layer);
    // A replot of the layer alone asks for a repaint of the whole widget although only its own
    // area changed; the rest stays on the screen as it is.
    const bool partly = liveArea_.isValid() && !hasInvalidatedPaintBuffers() && updatesEnabled();
    if (partly) setAttribute(Qt::WA_UpdatesDisabled);
    layer->replot();
    if (partly) {
        setAttribute(Qt::WA_UpdatesDisabled, false);
        update(liveArea_);
    }
    liveArea_ = QRect();
}

void PlotWidget::updateLayer(const QCPLayer* layer) {
    const QRect area = liveAreaOf(layer);
    update(area.isValid() ? area : rect());
}

// Where the layer draws: every curve, rectangle and cursor is clipped to its axis rect (the
// clip lies one pixel higher, as QCPLayer sets it); the plot's layout grid draws nothing.
// Invalid when something may draw outside.
QRect PlotWidget::liveAreaOf(const QCPLayer* layer) const {
    QRect area;
    for (QCPLayerable* child : layer->children()) {
        if (child == plotLayout()) continue;
        QCPAxisRect* axes = nullptr;
        if (auto* plottable = qobject_cast<QCPAbstractPlottable*>(child)) {
            if (plottable->keyAxis() != nullptr) axes = plottable->keyAxis()->axisRect();
        } else if (auto* item = qobject_cast<QCPAbstractItem*>(child)) {
            if (item->clipToAxisRect()) axes = item->clipAxisRect();
        }
        if (axes == nullptr) return {};
        area |= axes->rect().adjusted(0, -1, 0, 0);
    }
    return area.isValid() ? area & rect() : QRect();
}

void PlotWidget::paintEvent(QPaintEvent* event) {
    QCPPainter painter(this);
    if (!painter.isActive() || mPaintBuffers.isEmpty()) return;
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (auto* top = dynamic_cast<const StackedPicture*>(mPaintBuffers.last().data())) {
        for (const QRect& part : event->region())
            painter.drawImage(part.topLeft(), top->picture(), part);
        return;
    }
    // Pictures QCustomPlot made itself, before the stack was set up: laid over one another.
    painter.fillRect(rect(), fill_->brush);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (const QSharedPointer<QCPAbstractPaintBuffer>& picture : mPaintBuffers)
        picture->draw(&painter);
}

} // namespace kvor::rt

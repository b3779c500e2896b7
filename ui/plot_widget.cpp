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
            if (const StackedPicture* under = plot_->below(this))
                copyRows(under->picture_);
            else
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
    // Row by row: a row is short enough for the processor's vector copy.
    void copyRows(const QImage& from) {
        if (from.size() != picture_.size() || from.format() != picture_.format()) {
            picture_ = from.copy();
            return;
        }
        const auto bytes = static_cast<std::size_t>(picture_.bytesPerLine());
        uchar* to = picture_.bits();
        const uchar* row = from.constBits();
        for (int y = 0; y < picture_.height(); ++y, to += bytes, row += bytes)
            std::memcpy(to, row, bytes);
    }

    PlotWidget* plot_;
    QImage picture_;
    bool restart_ = true;
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

void PlotWidget::paintEvent(QPaintEvent*) {
    QCPPainter painter(this);
    if (!painter.isActive() || mPaintBuffers.isEmpty()) return;
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (dynamic_cast<const StackedPicture*>(mPaintBuffers.last().data()) != nullptr) {
        mPaintBuffers.last()->draw(&painter);
        return;
    }
    // Pictures QCustomPlot made itself, before the stack was set up: laid over one another.
    painter.fillRect(rect(), fill_->brush);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (const QSharedPointer<QCPAbstractPaintBuffer>& picture : mPaintBuffers)
        picture->draw(&painter);
}

} // namespace kvor::rt

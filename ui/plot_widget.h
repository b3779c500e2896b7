// SPDX-License-Identifier: GPL-3.0-or-later
// The plot widget of graphs and strip charts: QCustomPlot whose pictures are opaque and stacked.
// The bottom picture holds the background, the grid and the axes; each picture above it starts
// as a copy of the one below and has its own layer drawn over that (the curves and rectangles,
// then the cursors). The top picture is the whole plot, so a repaint only copies it to the
// screen, and a new answer copies the background and draws the curves instead of clearing a
// transparent picture and blending it over the others.
#pragma once

#include <qcustomplot.h>

namespace kvor::rt {

class PlotWidget : public QCustomPlot {
  public:
    PlotWidget();
    // The colour behind everything, in the bottom picture.
    void setBackgroundColour(const QColor& colour);
    // Gives every layer with a picture of its own a stacked picture; called once the layers'
    // modes are set. A layer's picture is then out of date whenever one below it is redrawn:
    // redraw the layers in order from the lowest one that changed.
    void stackPictures();
    // Replots one layer with a picture of its own, repainting only where it draws.
    void redrawLayer(QCPLayer* layer);
    // Asks for a repaint of where the layer draws: the panel's next picture replots it.
    void updateLayer(const QCPLayer* layer);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    class StackedPicture;

    // Fills the whole widget, first thing on the background layer.
    class Fill : public QCPLayerable {
      public:
        explicit Fill(QCustomPlot* plot) : QCPLayerable(plot, QStringLiteral("background")) {}
        QBrush brush{Qt::white};

      protected:
        void applyDefaultAntialiasingHint(QCPPainter*) const override {}
        void draw(QCPPainter* painter) override {
            painter->fillRect(mParentPlot->viewport(), brush);
        }
    };

    // The picture below `picture`, or nullptr for the bottom one.
    const StackedPicture* below(const StackedPicture* picture) const;
    QRect liveAreaOf(const QCPLayer* layer) const;

    Fill* fill_;
    QRect liveArea_; // where the layer being redrawn draws, while it is
};

} // namespace kvor::rt

// SPDX-License-Identifier: GPL-3.0-or-later
// The plot widget of graphs and strip charts: QCustomPlot whose bottom picture (background,
// grid and axes) is opaque, so that a repaint copies it instead of blending it over a filled
// background, and blends only the pictures of the curves and cursors over it.
#pragma once

#include <qcustomplot.h>

namespace kvor::rt {

class PlotWidget : public QCustomPlot {
  public:
    PlotWidget();
    // The colour behind everything, in the bottom picture.
    void setBackgroundColour(const QColor& colour);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
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
    Fill* fill_;
};

} // namespace kvor::rt

// SPDX-License-Identifier: GPL-3.0-or-later
// The plot widget of graphs and strip charts: QCustomPlot with one opaque picture of the
// background, the grid and the axes, and one live layer (the curves, rectangles and cursors)
// drawn straight onto the screen over it whenever the plot is painted. A new answer repaints
// the axis rect only: its part of the picture is copied to the screen and the live layer drawn
// on top, with no picture of the curves to clear, blend or copy.
#pragma once

#include <qcustomplot.h>

namespace kvor::rt {

// Something of the plot's own drawn on the live layer inside one axis rect (and clipped to it),
// beside QCustomPlot's plottables and items.
class LiveDrawing : public QCPLayerable {
  public:
    LiveDrawing(QCustomPlot* plot, QCPLayer* layer, QCPAxisRect* axes);
    // Where a new picture of it may differ from what the screen shows: by default its whole
    // (clipped) axis rect.
    virtual QRect repaintArea() const;
    // It has just been painted onto the screen within `region`.
    virtual void shownIn([[maybe_unused]] const QRegion& region) {}

  protected:
    QRect clipRect() const override;
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override;

  private:
    QCPAxisRect* axes_;
};

class PlotWidget : public QCustomPlot {
  public:
    PlotWidget();
    // The colour behind everything, in the background picture.
    void setBackgroundColour(const QColor& colour);
    // Makes `live` (a layer of its own above every other layer) the layer drawn at each paint,
    // over one picture of all the others.
    void setLiveLayer(QCPLayer* live);
    // Asks for a repaint of where the live layer draws, after its curves or rectangles changed.
    void updateLiveLayer();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    class Picture;
    class OnScreen;

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

    // Runs `replot` without the repaint of the whole widget that QCustomPlot asks for.
    template <class Replot> void withoutRepaint(Replot replot);
    // Where the live layer draws; invalid when something on it may draw anywhere.
    QRect liveArea() const;

    Fill* fill_;
    QCPLayer* live_ = nullptr;
    bool painting_ = false; // inside paintEvent: the live layer draws onto the screen
};

} // namespace kvor::rt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/plot_widget.h"

namespace kvor::rt {

PlotWidget::PlotWidget() : fill_(new Fill(this)) {} // the fill is owned by the plot

void PlotWidget::setBackgroundColour(const QColor& colour) {
    setBackground(QBrush(colour));
    fill_->brush = QBrush(colour);
}

void PlotWidget::paintEvent(QPaintEvent*) {
    QCPPainter painter(this);
    if (!painter.isActive()) return;
    for (int i = 0; i < mPaintBuffers.size(); ++i) {
        painter.setCompositionMode(i == 0 ? QPainter::CompositionMode_Source
                                          : QPainter::CompositionMode_SourceOver);
        mPaintBuffers.at(i)->draw(&painter);
        // The layers clip everything one pixel short of the bottom edge.
        if (i == 0) painter.fillRect(QRect(0, height() - 1, width(), 1), fill_->brush);
    }
}

} // namespace kvor::rt

#include "ui/plot_widget.h"

namespace kvor::rt {

PlotWidget::PlotWidget() {
    // Far larger than any screen: the widget's own edges clip it.
    constexpr double kEverywhere = 1e6;
    background_ = new QCPItemRect(this); // owned by the plot
    background_->setLayer(QStringLiteral("background"));
    background_->setClipToAxisRect(false);
    background_->setSelectable(false);
    background_->topLeft->setType(QCPItemPosition::ptAbsolute);
    background_->bottomRight->setType(QCPItemPosition::ptAbsolute);
    background_->topLeft->setCoords(-kEverywhere, -kEverywhere);
    background_->bottomRight->setCoords(kEverywhere, kEverywhere);
    background_->setPen(Qt::NoPen);
    setBackgroundColour(Qt::white);
}

void PlotWidget::setBackgroundColour(const QColor& colour) {
    setBackground(QBrush(colour));
    background_->setBrush(QBrush(colour));
}

void PlotWidget::paintEvent(QPaintEvent*) {
    QCPPainter painter(this);
    if (!painter.isActive()) return;
    for (int i = 0; i < mPaintBuffers.size(); ++i) {
        painter.setCompositionMode(i == 0 ? QPainter::CompositionMode_Source
                                          : QPainter::CompositionMode_SourceOver);
        mPaintBuffers.at(i)->draw(&painter);
    }
}

} // namespace kvor::rt

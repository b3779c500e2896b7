// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/switch_widget.h"

#include <QPainter>
#include <QPainterPath>

namespace kvor::rt {

SwitchWidget::SwitchWidget(QWidget* parent) : QAbstractButton(parent) {
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void SwitchWidget::setTexts(const QString& on, const QString& off) {
    on_ = on;
    off_ = off;
    update();
}

QSize SwitchWidget::sizeHint() const {
    return {120, 26};
}

void SwitchWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF track(1, 3, 40, height() - 6.0);
    const bool on = isChecked();
    const QColor active = isEnabled() ? QColor(0x00, 0x80, 0xFF) : QColor(0xA0, 0xA0, 0xA0);
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
    p.setBrush(on ? active : QColor(0xD8, 0xD8, 0xD8));
    p.drawRoundedRect(track, track.height() / 2, track.height() / 2);
    const double knob = track.height() - 4;
    const double kx = on ? track.right() - knob - 2 : track.left() + 2;
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(kx, track.top() + 2, knob, knob));
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(track.adjusted(-1, -1, 1, 1), track.height() / 2, track.height() / 2);
    }
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const QRectF textRect(track.right() + 6, 0, width() - track.right() - 6, height());
    p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, on ? on_ : off_);
}

} // namespace kvor::rt

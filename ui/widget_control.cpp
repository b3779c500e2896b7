// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widget_control.h"

#include <QAccessible>
#include <QLabel>

#include <cmath>

#include "runtime/registry.h"
#include "runtime/translation.h"

namespace kvor::rt {

QColor ToQColor(int rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}
int FromQColor(const QColor& colour) {
    return (colour.red() << 16) | (colour.green() << 8) | colour.blue();
}

WidgetControl::WidgetControl(int panel, const ControlDef& def, QWidget* canvas)
    : Control(panel, def), canvas_(canvas), textColor_(def.textColor), bgColor_(def.bgColor),
      pointSize_(def.pointSize) {}

WidgetControl::~WidgetControl() {
    // The window owns the widgets; a control discarded on its own takes its widgets along.
    if (label_) label_->deleteLater();
    if (body_) body_->deleteLater();
}

void WidgetControl::finish(QWidget* body) {
    body_ = body;
    body->setParent(canvas_);
    body->setGeometry(def_.rect);
    const QString name = def_.label.isEmpty() ? def_.name : def_.label;
    body->setAccessibleName(name);
    // Screen readers and scripted operator checks find a control by its panel resource and id.
    const Panel* owner = FindPanel(panel_);
    const int resource = owner != nullptr ? owner->resource : panel_;
    body->setAccessibleDescription(
        QStringLiteral("panel %1, control %2").arg(resource).arg(def_.id));
    body->setObjectName(QStringLiteral("p%1c%2").arg(panel_).arg(def_.id));
    if (showsLabelAbove() && !def_.label.isEmpty()) {
        label_ = new QLabel(def_.label, canvas_);
        label_->setObjectName(QStringLiteral("p%1c%2label").arg(panel_).arg(def_.id));
        QFont f = label_->font();
        f.setPointSize(9);
        label_->setFont(f);
        label_->adjustSize();
        label_->move(def_.rect.left(), def_.rect.top() - label_->height() - 1);
        label_->setBuddy(body);
    }
    applyFont();
    applyColours();
    body->setEnabled(!def_.dimmed);
    if (label_) label_->setEnabled(!def_.dimmed);
    body->setVisible(def_.visible);
    if (label_) label_->setVisible(def_.visible);
}

void WidgetControl::applyColours() {
    if (!body_) return;
    QPalette palette = body_->palette();
    if (textColor_ >= 0) {
        palette.setColor(QPalette::WindowText, ToQColor(textColor_));
        palette.setColor(QPalette::Text, ToQColor(textColor_));
        palette.setColor(QPalette::ButtonText, ToQColor(textColor_));
    }
    if (bgColor_ >= 0) {
        palette.setColor(QPalette::Window, ToQColor(bgColor_));
        palette.setColor(QPalette::Base, ToQColor(bgColor_));
        body_->setAutoFillBackground(true);
    }
    body_->setPalette(palette);
}

void WidgetControl::applyFont() {
    if (!body_) return;
    QFont f = body_->font();
    if (!fontFamily_.isEmpty() && fontFamily_ != QLatin1String(VAL_APP_META_FONT)) {
        f.setFamily(fontFamily_);
    }
    // Sizes count pixels, so texts keep their place on the panel whatever the screen's dpi.
    if (pointSize_ > 0) f.setPixelSize(pointSize_);
    f.setBold(def_.bold);
    body_->setFont(f);
}

int WidgetControl::setAttribute(int attribute, const Value& value) {
    if (!body_) return -1;
    switch (attribute) {
    case ATTR_DIMMED:
        body_->setEnabled(ToInt(value) == 0);
        if (label_) label_->setEnabled(ToInt(value) == 0);
        return 0;
    case ATTR_VISIBLE:
        body_->setVisible(ToInt(value) != 0);
        if (label_) label_->setVisible(ToInt(value) != 0);
        return 0;
    // Colours are set again with every answer: only a new one reaches the widget.
    case ATTR_TEXT_COLOR:
    case ATTR_TEXT_BGCOLOR: {
        int& colour = attribute == ATTR_TEXT_COLOR ? textColor_ : bgColor_;
        const int wanted = ToInt(value) & 0xFFFFFF;
        if (colour == wanted) return 0;
        colour = wanted;
        applyColours();
        return 0;
    }
    case ATTR_TEXT_FONT:
        fontFamily_ = ToText(value);
        applyFont();
        return 0;
    case ATTR_TEXT_POINT_SIZE:
        if (ToInt(value) < 1 || ToInt(value) > 200) return -1;
        pointSize_ = ToInt(value);
        applyFont();
        return 0;
    case ATTR_LABEL_TEXT:
        def_.label = Shown(ToText(value));
        body_->setAccessibleName(def_.label);
        if (label_) {
            label_->setText(def_.label);
            label_->adjustSize();
        }
        return 0;
    case ATTR_LEFT:
        body_->move(ToInt(value), body_->y());
        return 0;
    case ATTR_TOP:
        body_->move(body_->x(), ToInt(value));
        return 0;
    case ATTR_WIDTH:
        body_->resize(std::max(1, ToInt(value)), body_->height());
        return 0;
    case ATTR_HEIGHT:
        body_->resize(body_->width(), std::max(1, ToInt(value)));
        return 0;
    default:
        return -1;
    }
}

int WidgetControl::getAttribute(int attribute, Value* value) const {
    if (!body_) return -1;
    switch (attribute) {
    case ATTR_DIMMED:
        *value = body_->isEnabled() ? 0.0 : 1.0;
        return 0;
    case ATTR_VISIBLE:
        *value = body_->isVisibleTo(canvas_) ? 1.0 : 0.0;
        return 0;
    case ATTR_TEXT_COLOR:
        *value = static_cast<double>(
            textColor_ >= 0 ? textColor_
                            : FromQColor(body_->palette().color(QPalette::WindowText)));
        return 0;
    case ATTR_TEXT_BGCOLOR:
        *value = static_cast<double>(
            bgColor_ >= 0 ? bgColor_ : FromQColor(body_->palette().color(QPalette::Window)));
        return 0;
    case ATTR_TEXT_FONT:
        *value = fontFamily_.isEmpty() ? QString::fromLatin1(VAL_APP_META_FONT) : fontFamily_;
        return 0;
    case ATTR_TEXT_POINT_SIZE:
        *value = static_cast<double>(pointSize_ > 0 ? pointSize_ : body_->font().pixelSize());
        return 0;
    case ATTR_LABEL_TEXT:
        *value = def_.label;
        return 0;
    case ATTR_LEFT:
        *value = static_cast<double>(body_->x());
        return 0;
    case ATTR_TOP:
        *value = static_cast<double>(body_->y());
        return 0;
    case ATTR_WIDTH:
        *value = static_cast<double>(body_->width());
        return 0;
    case ATTR_HEIGHT:
        *value = static_cast<double>(body_->height());
        return 0;
    default:
        return -1;
    }
}

} // namespace kvor::rt

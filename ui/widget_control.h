// SPDX-License-Identifier: GPL-3.0-or-later
// A control shown as widgets on its panel's window: its body, the label above it, its colours
// and font; the families derive from it (one file each).
#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

#include <memory>

#include "runtime/control.h"

class QLabel;

namespace kvor::rt {

class WidgetControl : public Control {
  public:
    WidgetControl(int panel, const ControlDef& def, QWidget* canvas);
    ~WidgetControl() override;

    QWidget* body() const { return body_; }

    int setAttribute(int attribute, const Value& value) override;
    int getAttribute(int attribute, Value* value) const override;
    void raise() override {
        if (body_) body_->raise();
    }

  protected:
    // Derived classes create their body widget and then call finish().
    void finish(QWidget* body);
    void applyColours();
    virtual void applyFont();
    virtual bool showsLabelAbove() const { return true; }

    QWidget* canvas_;
    QPointer<QWidget> body_;
    QPointer<QLabel> label_;
    int textColor_ = -1, bgColor_ = -1;
    QString fontFamily_;
    int pointSize_ = 0;
};

std::unique_ptr<Control> MakeWidgetControl(int panel, const ControlDef& def, QWidget* canvas);

QColor ToQColor(int rgb);
int FromQColor(const QColor& colour);

} // namespace kvor::rt

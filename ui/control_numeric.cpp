// SPDX-License-Identifier: GPL-3.0-or-later
// Numeric entries and numeric displays.
#include <QDoubleSpinBox>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>

#include <algorithm>
#include <cmath>
#include <limits>

#include "runtime/registry.h"
#include "ui/accessible_readout.h"
#include "ui/control_kinds.h"

namespace kvor::rt {
namespace {

// A spin box that tells the operator's confirmation apart: Enter and an arrow step commit at
// once, leaving the field commits only when the value changed since the last commit.
// A value that arrives whole, not keystroke by keystroke (an assistive tool setting the value or
// the text, a paste), is confirmed at once, as typing it and pressing Enter would be.
class EntryBox : public QDoubleSpinBox {
  public:
    std::function<void()> onCommit;
    double committed = 0;

    // Called on every change of the value: commits one that no typing is building up.
    void changed() {
        if (typing_ == 0 && value() != committed) commit();
    }

  protected:
    bool event(QEvent* event) override {
        const bool input = event->type() == QEvent::KeyPress ||
                           event->type() == QEvent::KeyRelease ||
                           event->type() == QEvent::InputMethod;
        typing_ += input ? 1 : 0;
        const bool handled = QDoubleSpinBox::event(event);
        typing_ -= input ? 1 : 0;
        return handled;
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            interpretText();
            commit();
            event->accept();
            return;
        }
        QDoubleSpinBox::keyPressEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override {
        QDoubleSpinBox::focusOutEvent(event);
        if (value() != committed) commit();
    }
    void stepBy(int steps) override {
        ++typing_;
        QDoubleSpinBox::stepBy(steps);
        --typing_;
        commit();
    }

  private:
    int typing_ = 0;
    void commit() {
        committed = value();
        if (onCommit) onCommit();
    }
};

double TypeLow(ValueType type) {
    switch (type) {
    case ValueType::U16:
        return 0;
    case ValueType::I32:
        return -2147483648.0;
    default:
        return -std::numeric_limits<float>::max();
    }
}
double TypeHigh(ValueType type) {
    switch (type) {
    case ValueType::U16:
        return 65535;
    case ValueType::I32:
        return 2147483647.0;
    default:
        return std::numeric_limits<float>::max();
    }
}

class NumericEntry : public WidgetControl {
  public:
    NumericEntry(int panel, const ControlDef& def, QWidget* canvas)
        : WidgetControl(panel, def, canvas) {
        box_ = new EntryBox;
        const bool integer = def.type == ValueType::U16 || def.type == ValueType::I32;
        box_->setDecimals(integer ? 0 : std::max(0, def.precision));
        const double lo = def.hasLimits ? std::max(def.min, TypeLow(def.type)) : TypeLow(def.type);
        const double hi =
            def.hasLimits ? std::min(def.max, TypeHigh(def.type)) : TypeHigh(def.type);
        box_->setRange(lo, hi);
        box_->setSingleStep(def.step > 0 ? def.step : 1);
        box_->setAlignment(Qt::AlignRight);
        box_->setKeyboardTracking(true);
        box_->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
        box_->setValue(def.value);
        box_->committed = box_->value();
        exact_ = box_->value();
        box_->onCommit = [this] { fire(EVENT_COMMIT); };
        // Only the operator changes the box's value outside a program set: from then on the
        // control holds what the box holds, which is what was typed or stepped to.
        QObject::connect(box_, &QDoubleSpinBox::valueChanged, [this](double v) {
            if (ProgramSetting::active()) return;
            // A dimmed entry takes no input, not even a value set by an assistive tool.
            if (!box_->isEnabled()) {
                ProgramSetting undo;
                box_->setValue(box_->committed);
                return;
            }
            exact_ = v;
            fire(EVENT_VAL_CHANGED);
            box_->changed();
        });
        finish(box_);
    }
    // The box shows the value to its decimals; the control keeps it whole, so what the program
    // sets is what it reads back, bit for bit (the parameter set travels through these controls).
    int setValue(const Value& value) override {
        ProgramSetting setting;
        const double v = ToDouble(value);
        box_->setValue(v);
        box_->committed = box_->value();
        exact_ = std::isnan(v) ? box_->value() : std::clamp(v, box_->minimum(), box_->maximum());
        return 0;
    }
    int getValue(Value* value) const override {
        *value = exact_;
        return 0;
    }
    int setAttribute(int attribute, const Value& value) override {
        ProgramSetting setting;
        int result = 0;
        if (attribute == ATTR_MIN_VALUE)
            box_->setMinimum(ToDouble(value));
        else if (attribute == ATTR_MAX_VALUE)
            box_->setMaximum(ToDouble(value));
        else
            result = WidgetControl::setAttribute(attribute, value);
        // New limits hold the value inside them, as the box does.
        exact_ = std::clamp(exact_, box_->minimum(), box_->maximum());
        return result;
    }
    int getAttribute(int attribute, Value* value) const override {
        if (attribute == ATTR_MIN_VALUE) return *value = box_->minimum(), 0;
        if (attribute == ATTR_MAX_VALUE) return *value = box_->maximum(), 0;
        return WidgetControl::getAttribute(attribute, value);
    }

  private:
    EntryBox* box_;
    double exact_ = 0;
};

// A display: digits of one width, right-aligned, so changing numbers do not jump.
class NumericDisplay : public WidgetControl {
  public:
    NumericDisplay(int panel, const ControlDef& def, QWidget* canvas)
        : WidgetControl(panel, def, canvas) {
        label_body_ = new Readout(true);
        label_body_->setFrameShape(QFrame::StyledPanel);
        label_body_->setFrameShadow(QFrame::Sunken);
        label_body_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label_body_->setMargin(3);
        if (def.repaintsPerSecond > 0) label_body_->restBetweenPaints(1000 / def.repaintsPerSecond);
        if (bgColor_ < 0) bgColor_ = 0xFFFFFF;
        finish(label_body_);
        show(def.value);
    }
    int setValue(const Value& value) override {
        show(ToDouble(value));
        return 0;
    }
    int getValue(Value* value) const override {
        *value = value_;
        return 0;
    }

  protected:
    void applyFont() override {
        QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        f.setPixelSize(pointSize_ > 0 ? pointSize_ : 14);
        f.setBold(def_.bold);
        if (body_) body_->setFont(f);
    }

  private:
    void show(double v) {
        value_ = v;
        QString text;
        // Not a number: a failed computation shows "NaN"; a display whose quantity may not be
        // defined yet (a deviation of one value) says so in the panel file, with a dash that
        // screen readers read out as it stands.
        if (std::isnan(v)) {
            text = def_.notANumber;
        } else if (std::isinf(v)) {
            text = v > 0 ? QStringLiteral("Inf") : QStringLiteral("-Inf");
        } else if (def_.type == ValueType::U16 || def_.type == ValueType::I32) {
            text = QString::number(static_cast<long long>(v));
        } else {
            text = QString::number(v, 'f', std::max(0, def_.precision));
        }
        label_body_->display(text, v);
    }
    Readout* label_body_;
    double value_ = 0;
};

} // namespace

std::unique_ptr<Control> MakeNumericControl(int panel, const ControlDef& def, QWidget* canvas) {
    if (def.kind == QLatin1String("numeric") && !def.indicator)
        return std::make_unique<NumericEntry>(panel, def, canvas);
    if (def.kind == QLatin1String("numeric display") || def.kind == QLatin1String("numeric"))
        return std::make_unique<NumericDisplay>(panel, def, canvas);
    return nullptr;
}

} // namespace kvor::rt

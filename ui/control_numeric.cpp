// Numeric entries and numeric displays.
#include <QDoubleSpinBox>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>

#include <cmath>
#include <limits>

#include "ui/control_kinds.h"
#include "ui/registry.h"

namespace kvor::rt {
namespace {

// A spin box that tells the operator's confirmation apart: Enter and an arrow step commit at
// once, leaving the field commits only when the value changed since the last commit.
class EntryBox : public QDoubleSpinBox {
  public:
    std::function<void()> onCommit;
    double committed = 0;

  protected:
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
        QDoubleSpinBox::stepBy(steps);
        commit();
    }

  private:
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

class NumericEntry : public Control {
  public:
    NumericEntry(int panel, const ControlDef& def, QWidget* canvas) : Control(panel, def, canvas) {
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
        box_->onCommit = [this] { fire(EVENT_COMMIT); };
        QObject::connect(box_, &QDoubleSpinBox::valueChanged, [this] { fire(EVENT_VAL_CHANGED); });
        finish(box_);
    }
    int setValue(const Value& value) override {
        ProgramSetting setting;
        box_->setValue(ToDouble(value));
        box_->committed = box_->value();
        return 0;
    }
    int getValue(Value* value) const override {
        *value = box_->value();
        return 0;
    }
    int setAttribute(int attribute, const Value& value) override {
        ProgramSetting setting;
        if (attribute == ATTR_MIN_VALUE) return box_->setMinimum(ToDouble(value)), 0;
        if (attribute == ATTR_MAX_VALUE) return box_->setMaximum(ToDouble(value)), 0;
        return Control::setAttribute(attribute, value);
    }
    int getAttribute(int attribute, Value* value) const override {
        if (attribute == ATTR_MIN_VALUE) return *value = box_->minimum(), 0;
        if (attribute == ATTR_MAX_VALUE) return *value = box_->maximum(), 0;
        return Control::getAttribute(attribute, value);
    }

  private:
    EntryBox* box_;
};

// A display: digits of one width, right-aligned, so changing numbers do not jump.
class NumericDisplay : public Control {
  public:
    NumericDisplay(int panel, const ControlDef& def, QWidget* canvas)
        : Control(panel, def, canvas) {
        label_body_ = new QLabel;
        label_body_->setFrameShape(QFrame::StyledPanel);
        label_body_->setFrameShadow(QFrame::Sunken);
        label_body_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label_body_->setMargin(3);
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
        if (std::isnan(v)) {
            text = QStringLiteral("\u2013"); // no number to show
        } else if (std::isinf(v)) {
            text = v > 0 ? QStringLiteral("Inf") : QStringLiteral("-Inf");
        } else if (def_.type == ValueType::U16 || def_.type == ValueType::I32) {
            text = QString::number(static_cast<long long>(v));
        } else {
            text = QString::number(v, 'f', std::max(0, def_.precision));
        }
        label_body_->setText(text);
    }
    QLabel* label_body_;
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

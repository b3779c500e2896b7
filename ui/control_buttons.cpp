// SPDX-License-Identifier: GPL-3.0-or-later
// Command buttons, toggle buttons, check boxes, radio buttons and switches.
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "runtime/registry.h"
#include "runtime/translation.h"
#include "ui/control_kinds.h"
#include "ui/switch_widget.h"

namespace kvor::rt {
namespace {

// Left click when the mouse button goes down, commit when it is released over the button.
class CommandButton : public WidgetControl {
  public:
    CommandButton(int panel, const ControlDef& def, QWidget* canvas)
        : WidgetControl(panel, def, canvas) {
        auto* button = new QPushButton(def.label);
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::pressed, [this] { fire(EVENT_LEFT_CLICK); });
        QObject::connect(button, &QPushButton::clicked, [this] { fire(EVENT_COMMIT); });
        finish(button);
    }
    int setAttribute(int attribute, const Value& value) override {
        if (attribute == ATTR_LABEL_TEXT)
            static_cast<QPushButton*>(body())->setText(Shown(ToText(value)));
        return WidgetControl::setAttribute(attribute, value);
    }

  protected:
    bool showsLabelAbove() const override { return false; }
};

// Check boxes, radio buttons, toggle buttons and switches hold 0 or 1; the operator's flip
// raises value changed, then commit.
class BinaryControl : public WidgetControl {
  public:
    BinaryControl(int panel, const ControlDef& def, QWidget* canvas, QAbstractButton* button)
        : WidgetControl(panel, def, canvas), button_(button) {
        button->setCheckable(true);
        button->setChecked(def.value != 0);
        // The flip itself, not the click: a key, a mouse click and an assistive Toggle or Press
        // all end here. The program's own sets run under ProgramSetting and raise nothing.
        QObject::connect(button, &QAbstractButton::toggled, [this] {
            updateText();
            fire(EVENT_VAL_CHANGED);
            fire(EVENT_COMMIT);
        });
        finish(button);
        updateText();
    }
    int setValue(const Value& value) override {
        ProgramSetting setting;
        button_->setChecked(ToDouble(value) != 0);
        updateText();
        return 0;
    }
    int getValue(Value* value) const override {
        *value = button_->isChecked() ? 1.0 : 0.0;
        return 0;
    }
    int setAttribute(int attribute, const Value& value) override {
        if (attribute == ATTR_ON_TEXT || attribute == ATTR_OFF_TEXT) {
            (attribute == ATTR_ON_TEXT ? def_.onText : def_.offText) = Shown(ToText(value));
            updateText();
            return 0;
        }
        if (attribute == ATTR_LABEL_TEXT && def_.kind != QLatin1String("switch") &&
            def_.kind != QLatin1String("toggle button")) {
            button_->setText(Shown(ToText(value)));
        }
        return WidgetControl::setAttribute(attribute, value);
    }
    int getAttribute(int attribute, Value* value) const override {
        if (attribute == ATTR_ON_TEXT) return *value = def_.onText, 0;
        if (attribute == ATTR_OFF_TEXT) return *value = def_.offText, 0;
        return WidgetControl::getAttribute(attribute, value);
    }

    bool valueLabel(double value, QString* label) const override {
        if (!showsLabelAbove() || (value != 0 && value != 1)) return false;
        *label = value != 0 ? def_.onText : def_.offText;
        return true;
    }

  protected:
    bool showsLabelAbove() const override {
        return def_.kind == QLatin1String("switch") || def_.kind == QLatin1String("toggle button");
    }

  private:
    void updateText() {
        if (auto* sw = qobject_cast<SwitchWidget*>(button_)) {
            sw->setTexts(def_.onText, def_.offText);
        } else if (def_.kind == QLatin1String("toggle button")) {
            const QString& t = button_->isChecked() ? def_.onText : def_.offText;
            button_->setText(t.isEmpty() ? def_.label : t);
        }
    }
    QAbstractButton* button_;
};

} // namespace

std::unique_ptr<Control> MakeButtonControl(int panel, const ControlDef& def, QWidget* canvas) {
    const QString& k = def.kind;
    if (k == QLatin1String("command button"))
        return std::make_unique<CommandButton>(panel, def, canvas);
    QAbstractButton* button = nullptr;
    if (k == QLatin1String("check box")) button = new QCheckBox(def.label);
    if (k == QLatin1String("radio button")) {
        auto* radio = new QRadioButton(def.label);
        radio->setAutoExclusive(false); // independent toggles: the program keeps them exclusive
        button = radio;
    }
    if (k == QLatin1String("toggle button")) button = new QPushButton(def.label);
    if (k == QLatin1String("switch")) button = new SwitchWidget;
    if (button == nullptr) return nullptr;
    return std::make_unique<BinaryControl>(panel, def, canvas, button);
}

} // namespace kvor::rt

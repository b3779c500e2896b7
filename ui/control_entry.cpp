// SPDX-License-Identifier: GPL-3.0-or-later
// A line of text the operator types: a broker's address, a user name, a password (shown as
// dots), a file. Value changed at every change the operator makes, commit when the line is
// confirmed (Enter, or leaving it changed); a text the program sets raises neither.
#include <QLineEdit>

#include "runtime/registry.h"
#include "ui/control_kinds.h"

namespace kvor::rt {
namespace {

class StringEntry : public WidgetControl {
  public:
    StringEntry(int panel, const ControlDef& def, QWidget* canvas)
        : WidgetControl(panel, def, canvas) {
        edit_ = new QLineEdit(def.text);
        edit_->setMaxLength(1023);
        edit_->setPlaceholderText(def.placeholder);
        edit_->setEchoMode(def.password ? QLineEdit::Password : QLineEdit::Normal);
        // textEdited comes from the operator only (typing, pasting, an assistive tool's value).
        QObject::connect(edit_, &QLineEdit::textEdited, [this] {
            if (ProgramSetting::active()) return;
            changed_ = true;
            fire(EVENT_VAL_CHANGED);
        });
        QObject::connect(edit_, &QLineEdit::editingFinished, [this] {
            if (!changed_) return;
            changed_ = false;
            fire(EVENT_COMMIT);
        });
        finish(edit_);
    }
    int setValue(const Value& value) override {
        ProgramSetting setting;
        edit_->setText(ToText(value));
        changed_ = false;
        return 0;
    }
    int getValue(Value* value) const override {
        *value = edit_->text();
        return 0;
    }
    int setAttribute(int attribute, const Value& value) override {
        if (attribute == ATTR_PASSWORD_MODE) {
            edit_->setEchoMode(ToInt(value) != 0 ? QLineEdit::Password : QLineEdit::Normal);
            return 0;
        }
        if (attribute == ATTR_PLACEHOLDER) {
            edit_->setPlaceholderText(ToText(value));
            return 0;
        }
        return WidgetControl::setAttribute(attribute, value);
    }
    int getAttribute(int attribute, Value* value) const override {
        if (attribute == ATTR_PASSWORD_MODE)
            return *value = edit_->echoMode() == QLineEdit::Password ? 1.0 : 0.0, 0;
        if (attribute == ATTR_PLACEHOLDER) return *value = edit_->placeholderText(), 0;
        return WidgetControl::getAttribute(attribute, value);
    }

  private:
    QLineEdit* edit_;
    bool changed_ = false;
};

} // namespace

std::unique_ptr<Control> MakeEntryControl(int panel, const ControlDef& def, QWidget* canvas) {
    if (def.kind == QLatin1String("string"))
        return std::make_unique<StringEntry>(panel, def, canvas);
    // A timer shows nothing: the window's control is the runtime's own.
    if (def.kind == QLatin1String("timer")) return MakeValueControl(panel, def);
    return nullptr;
}

} // namespace kvor::rt

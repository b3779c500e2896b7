#include "ui/accessible_readout.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

#include <algorithm>
#include <limits>

namespace kvor::rt {
namespace {

const char* const kReadout = "kvorReadout"; // 1 text, 2 number
const char* const kValue = "kvorValue";

// The label's accessible name stays its caption; the shown text is the value and the text.
class ReadoutAccessible : public QAccessibleWidget,
                          public QAccessibleTextInterface,
                          public QAccessibleValueInterface {
  public:
    ReadoutAccessible(QLabel* label, bool numeric)
        : QAccessibleWidget(label, QAccessible::StaticText), numeric_(numeric) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::ValueInterface && numeric_)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return shown();
        return QAccessibleWidget::text(t);
    }

    // Text interface: read only, no selection, no caret.
    QString text(int start, int end) const override {
        const QString s = shown();
        start = std::clamp(start, 0, static_cast<int>(s.size()));
        end = end < 0 ? static_cast<int>(s.size())
                      : std::clamp(end, start, static_cast<int>(s.size()));
        return s.mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(shown().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

    // Value interface: the number shown, read only.
    QVariant currentValue() const override { return object()->property(kValue); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return std::numeric_limits<double>::max(); }
    QVariant minimumValue() const override { return std::numeric_limits<double>::lowest(); }
    QVariant minimumStepSize() const override { return 0.0; }

  private:
    QString shown() const { return static_cast<QLabel*>(widget())->text(); }
    bool numeric_;
};

QAccessibleInterface* ReadoutFactory(const QString&, QObject* object) {
    auto* label = qobject_cast<QLabel*>(object);
    if (label == nullptr) return nullptr;
    const int kind = label->property(kReadout).toInt();
    return kind == 0 ? nullptr : new ReadoutAccessible(label, kind == 2);
}

} // namespace

void MakeReadout(QLabel* label, bool numeric) {
    static const bool installed = [] {
        QAccessible::installFactory(ReadoutFactory);
        return true;
    }();
    (void)installed;
    label->setProperty(kReadout, numeric ? 2 : 1);
    label->setProperty(kValue, 0.0);
}

void ShowReadout(QLabel* label, const QString& text, double value) {
    const QString old = label->text();
    const bool numeric = label->property(kReadout).toInt() == 2;
    const bool valueChanged = numeric && label->property(kValue).toDouble() != value;
    label->setText(text);
    if (numeric) label->setProperty(kValue, value);
    if (!QAccessible::isActive()) return;
    if (old != text) {
        QAccessibleTextUpdateEvent update(label, 0, old, text);
        QAccessible::updateAccessibility(&update);
    }
    if (valueChanged) {
        QAccessibleValueChangeEvent change(label, value);
        QAccessible::updateAccessibility(&change);
    }
}

} // namespace kvor::rt

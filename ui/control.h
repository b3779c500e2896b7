// SPDX-License-Identifier: GPL-3.0-or-later
// One control of a panel: its widgets, its value, its attributes and its callback.
#pragma once

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <string>
#include <variant>
#include <vector>

#include "ui/runtime.h"

class QLabel;
class QJsonObject;

namespace kvor::rt {

enum class ValueType { None, U16, I32, R32, R64, Text };
const char* ValueTypeName(ValueType type);

struct RingItem {
    QString text;
    double value = 0;
};

// What the panel file says of a control.
struct ControlDef {
    int id = 0;
    QString kind;
    ValueType type = ValueType::None;
    QRect rect;
    QString label;
    QString name; // accessible name where the control shows no label
    std::vector<RingItem> items;
    QString itemsFrom; // "serial_ports": the port table
    double value = 0;
    QString text; // text value, image file
    double min = 0, max = 0, step = 1;
    bool hasLimits = false;
    int precision = 0;
    QString notANumber = QStringLiteral("NaN"); // what a display shows for a value not a number
    int repaintsPerSecond = 0; // a figure read rather than watched: repainted at most this often
    QString onText, offText;
    QString callback;
    int events = 0; // bit (1 << event) for each event the callback takes
    int textColor = -1, bgColor = -1, frameColor = -1;
    int pointSize = 0;
    bool bold = false;
    bool dimmed = false, visible = true, indicator = false;
    QString align;
    bool wrap = false; // text messages: a text wider than the control goes on at the next line
    double xMin = 0, xMax = 1, yMin = 0, yMax = 1;
    QString xLabel, yLabel;
    bool yTicks = true; // graphs: tick labels on the Y axis
    int cursors = 0;
    int traces = 1, pointsPerScreen = 100;
    std::vector<int> traceColors;
    int gridColor = -1, plotBgColor = -1;
    QStringList columns, rowLabels; // tables: the headings of the columns and of the rows
};

// The numeric or text value carried through SetCtrlVal / GetCtrlVal.
using Value = std::variant<double, QString>;

class Control {
  public:
    Control(int panel, const ControlDef& def, QWidget* canvas);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    int panel() const { return panel_; }
    int id() const { return def_.id; }
    ValueType type() const { return def_.type; }
    const QString& kind() const { return def_.kind; }
    QWidget* body() const { return body_; }

    virtual int setValue(const Value& value);
    virtual int getValue(Value* value) const;
    virtual int setAttribute(int attribute, const Value& value);
    virtual int getAttribute(int attribute, Value* value) const;
    // The text the control shows for `value` (a ring's item, a switch's on or off text); false
    // when it shows none of its own.
    virtual bool valueLabel([[maybe_unused]] double value, [[maybe_unused]] QString* label) const {
        return false;
    }

    void bindCallback(CtrlCallbackPtr callback, int events) {
        callback_ = callback;
        events_ = events;
    }
    // Delivers an operator's event to the callback, unless the program is setting the value.
    void fire(int event);

  protected:
    // Derived classes create their body widget and then call finish().
    void finish(QWidget* body);
    void applyColours();
    virtual void applyFont();
    virtual bool showsLabelAbove() const { return true; }

    int panel_;
    ControlDef def_;
    QWidget* canvas_;
    QPointer<QWidget> body_;
    QPointer<QLabel> label_;
    CtrlCallbackPtr callback_ = nullptr;
    int events_ = 0;
    int textColor_ = -1, bgColor_ = -1;
    QString fontFamily_;
    int pointSize_ = 0;
};

std::unique_ptr<Control> MakeControl(int panel, const ControlDef& def, QWidget* canvas);

QColor ToQColor(int rgb);
int FromQColor(const QColor& colour);
int ToInt(const Value& value);
double ToDouble(const Value& value);
QString ToText(const Value& value);

} // namespace kvor::rt

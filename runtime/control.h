// SPDX-License-Identifier: GPL-3.0-or-later
// One control of a panel as the panel file describes it: its value, its attributes and its
// callback. What shows it (a widget, or nothing in a program without a window) derives from it.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "runtime/runtime.h"

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
    bool password = false;          // string entries: what is typed shows as dots
    QString placeholder;            // string entries: the hint while empty
    double interval = 1;            // timers: seconds between ticks
};

// What a graph shows, as values: its plots in drawing order and its axes. A report drawn
// without a window draws it from these.
struct HeldPlot {
    int kind = 0; // PLOT_KIND_CURVE, PLOT_KIND_RECTANGLE or PLOT_KIND_TEXT (its place in x1, y1)
    int color = 0, fillColor = 0, plotStyle = 0;
    std::vector<double> x, y;              // curves
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // rectangles
};
struct HeldGraph {
    std::vector<HeldPlot> plots;
    int xMode = 0, yMode = 0; // VAL_MANUAL or VAL_AUTOSCALE
    double xMin = 0, xMax = 1, yMin = 0, yMax = 1;
};

// The numeric or text value carried through SetCtrlVal / GetCtrlVal.
using Value = std::variant<double, QString>;

class Control {
  public:
    Control(int panel, const ControlDef& def) : panel_(panel), def_(def) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    int panel() const { return panel_; }
    int id() const { return def_.id; }
    ValueType type() const { return def_.type; }
    const QString& kind() const { return def_.kind; }

    virtual int setValue(const Value& value);
    virtual int getValue(Value* value) const;
    virtual int setAttribute(int attribute, const Value& value) = 0;
    virtual int getAttribute(int attribute, Value* value) const = 0;
    // The text the control shows for `value` (a ring's item, a switch's on or off text); false
    // when it shows none of its own.
    virtual bool valueLabel([[maybe_unused]] double value, [[maybe_unused]] QString* label) const {
        return false;
    }
    // A control made at run time lies over those of the panel file.
    virtual void raise() {}

    // The operations of single families; -1 when the control is not of that family.
    virtual int replaceLine(int, const QString&) { return -1; }               // text boxes
    virtual int load(const QString&) { return -1; }                           // pictures
    virtual int setItems(const std::vector<RingItem>&, double) { return -1; } // rings
    // Runs just before the ring's list opens (the port selector reads the port table afresh).
    virtual int setBeforeOpen(std::function<void()>) { return -1; }
    virtual int clearItems() { return -1; }                                        // list boxes
    virtual int insert(int, const QString&, int) { return -1; }                    // list boxes
    virtual int setCell(int, int, const QString&) { return -1; }                   // tables
    virtual int setCellAttribute(int, int, int, int) { return -1; }                // tables
    virtual int plotXY(const double*, const double*, int, int, int) { return -1; } // graphs
    virtual int plotRectangle(double, double, double, double, int, int) { return -1; }
    virtual int deletePlot(int) { return -1; }
    virtual int setCursor(int, double, double) { return -1; }
    virtual int plotText(double, double, const QString&, int) { return -1; } // graphs
    virtual int setScaling(int, int, double, double) { return -1; }          // graphs, strip charts
    virtual int append(const double*, int, int, int) { return -1; }          // strip charts
    virtual int setTraceColour(int, int) { return -1; }
    // A graph's plots and axes; null for other controls.
    virtual const HeldGraph* heldGraph() const { return nullptr; }
    const ControlDef& definition() const { return def_; }
    virtual int setStripCursor(int, const QString&) { return -1; } // strip charts
    virtual int stripCursor(int*) const { return -1; }
    virtual int setAges(const double*, int) { return -1; }

    void bindCallback(CtrlCallbackPtr callback, int events) {
        callback_ = callback;
        events_ = events;
    }
    // Delivers an operator's event to the callback, unless the program is setting the value.
    void fire(int event);

  protected:
    int panel_;
    ControlDef def_;
    CtrlCallbackPtr callback_ = nullptr;
    int events_ = 0;
};

// The kinds a panel file may name.
bool IsKnownKind(const QString& kind);
// A control that holds its value and attributes and shows nothing: the panel of a program
// without a window.
std::unique_ptr<Control> MakeValueControl(int panel, const ControlDef& def);

int ToInt(const Value& value);
double ToDouble(const Value& value);
QString ToText(const Value& value);

} // namespace kvor::rt

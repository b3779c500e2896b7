// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of a panel that no window shows: each holds its value and attributes exactly as
// the shown one does (what the program sets is what it reads back, limits and all), and the
// plots it would draw as values. A program without windows runs the same procedures on them.
#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "runtime/int_map.h"
#include "runtime/readback.h"
#include "runtime/registry.h"

namespace kvor::rt {
namespace {

bool Is(const ControlDef& def, const char* kind) {
    return def.kind == QLatin1String(kind);
}

// Attributes every control keeps; the families add their own.
class ValueControl : public Control {
  public:
    ValueControl(int panel, const ControlDef& def) : Control(panel, def) {
        attributes_[ATTR_DIMMED] = def.dimmed ? 1.0 : 0.0;
        attributes_[ATTR_VISIBLE] = def.visible ? 1.0 : 0.0;
        attributes_[ATTR_TEXT_COLOR] = double(def.textColor >= 0 ? def.textColor : 0x000000);
        attributes_[ATTR_TEXT_BGCOLOR] = double(def.bgColor >= 0 ? def.bgColor : 0xECECEC);
        attributes_[ATTR_TEXT_FONT] = QString::fromLatin1(VAL_APP_META_FONT);
        attributes_[ATTR_TEXT_POINT_SIZE] = double(def.pointSize > 0 ? def.pointSize : 12);
        attributes_[ATTR_LABEL_TEXT] = def.label;
        attributes_[ATTR_LEFT] = double(def.rect.left());
        attributes_[ATTR_TOP] = double(def.rect.top());
        attributes_[ATTR_WIDTH] = double(def.rect.width());
        attributes_[ATTR_HEIGHT] = double(def.rect.height());
    }
    int setAttribute(int attribute, const Value& value) override {
        if (attribute == ATTR_FRAME_COLOR && Is(def_, "decoration")) attribute = ATTR_TEXT_BGCOLOR;
        Value* slot = attributes_.find(attribute);
        if (slot == nullptr) return -1;
        switch (attribute) {
        case ATTR_TEXT_COLOR:
        case ATTR_TEXT_BGCOLOR:
            *slot = double(ToInt(value) & 0xFFFFFF);
            return 0;
        case ATTR_TEXT_POINT_SIZE:
            if (ToInt(value) < 1 || ToInt(value) > 200) return -1;
            *slot = double(ToInt(value));
            return 0;
        case ATTR_WIDTH:
        case ATTR_HEIGHT:
            *slot = double(std::max(1, ToInt(value)));
            return 0;
        case ATTR_DIMMED:
        case ATTR_VISIBLE:
            *slot = ToInt(value) != 0 ? 1.0 : 0.0;
            return 0;
        case ATTR_TEXT_FONT:
        case ATTR_LABEL_TEXT:
        case ATTR_ON_TEXT:
        case ATTR_OFF_TEXT:
            *slot = ToText(value);
            return 0;
        default:
            *slot = double(ToInt(value));
            return 0;
        }
    }
    int getAttribute(int attribute, Value* value) const override {
        if (attribute == ATTR_FRAME_COLOR && Is(def_, "decoration")) attribute = ATTR_TEXT_BGCOLOR;
        const Value* slot = attributes_.find(attribute);
        if (slot == nullptr) return -1;
        *value = *slot;
        return 0;
    }

  protected:
    IntMap<Value> attributes_;
};

double TypeLow(ValueType type) {
    if (type == ValueType::U16) return 0;
    if (type == ValueType::I32) return -2147483648.0;
    return -std::numeric_limits<float>::max();
}
double TypeHigh(ValueType type) {
    if (type == ValueType::U16) return 65535;
    if (type == ValueType::I32) return 2147483647.0;
    return std::numeric_limits<float>::max();
}

// An entry keeps its value inside its limits; a display shows whatever it is given.
class Numeric : public ValueControl {
  public:
    Numeric(int panel, const ControlDef& def, bool entry)
        : ValueControl(panel, def), entry_(entry), low_(TypeLow(def.type)),
          high_(TypeHigh(def.type)) {
        if (entry && def.hasLimits) {
            low_ = std::max(def.min, low_);
            high_ = std::min(def.max, high_);
        }
        value_ = entry ? std::clamp(def.value, low_, high_) : def.value;
    }
    int setValue(const Value& value) override {
        const double v = ToDouble(value);
        if (!entry_)
            value_ = v;
        else if (!std::isnan(v))
            value_ = std::clamp(v, low_, high_);
        return 0;
    }
    int getValue(Value* value) const override {
        *value = value_;
        return 0;
    }
    int setAttribute(int attribute, const Value& value) override {
        if (!entry_ || (attribute != ATTR_MIN_VALUE && attribute != ATTR_MAX_VALUE))
            return ValueControl::setAttribute(attribute, value);
        (attribute == ATTR_MIN_VALUE ? low_ : high_) = ToDouble(value);
        if (high_ < low_) (attribute == ATTR_MIN_VALUE ? high_ : low_) = ToDouble(value);
        value_ = std::clamp(value_, low_, high_);
        return 0;
    }
    int getAttribute(int attribute, Value* value) const override {
        if (entry_ && attribute == ATTR_MIN_VALUE) return *value = low_, 0;
        if (entry_ && attribute == ATTR_MAX_VALUE) return *value = high_, 0;
        return ValueControl::getAttribute(attribute, value);
    }

  private:
    bool entry_;
    double low_, high_;
    double value_ = 0;
};

// Check boxes, radio buttons, toggle buttons and switches hold 0 or 1.
class Binary : public ValueControl {
  public:
    Binary(int panel, const ControlDef& def) : ValueControl(panel, def), on_(def.value != 0) {
        attributes_[ATTR_ON_TEXT] = def.onText;
        attributes_[ATTR_OFF_TEXT] = def.offText;
    }
    int setValue(const Value& value) override {
        on_ = ToDouble(value) != 0;
        return 0;
    }
    int getValue(Value* value) const override {
        *value = on_ ? 1.0 : 0.0;
        return 0;
    }
    bool valueLabel(double value, QString* label) const override {
        if ((!Is(def_, "switch") && !Is(def_, "toggle button")) || (value != 0 && value != 1))
            return false;
        *label = ToText(attributes_.at(value != 0 ? ATTR_ON_TEXT : ATTR_OFF_TEXT));
        return true;
    }

  private:
    bool on_;
};

// A ring keeps a value no item carries, as it was given.
class Ring : public ValueControl {
  public:
    Ring(int panel, const ControlDef& def) : ValueControl(panel, def), items_(def.items) {
        value_ = carries(def.value) ? def.value : 0.0; // no item picked
    }
    int setValue(const Value& value) override {
        value_ = ToDouble(value);
        return 0;
    }
    int getValue(Value* value) const override {
        *value = value_;
        return 0;
    }
    bool valueLabel(double value, QString* label) const override {
        for (const RingItem& item : items_)
            if (item.value == value) return *label = item.text, true;
        return false;
    }
    int setItems(const std::vector<RingItem>& items, double current) override {
        items_ = items;
        value_ = current;
        return 0;
    }
    int setBeforeOpen(std::function<void()>) override { return 0; } // no list ever opens

  private:
    bool carries(double v) const {
        return std::any_of(items_.begin(), items_.end(),
                           [v](const RingItem& i) { return i.value == v; });
    }
    std::vector<RingItem> items_;
    double value_ = 0;
};

// Text messages and text boxes hold their text; a picture its image file.
class Text : public ValueControl {
  public:
    Text(int panel, const ControlDef& def) : ValueControl(panel, def), text_(def.text) {
        if (Is(def, "picture") && !def.text.isEmpty() && load(def.text) != 0) text_.clear();
    }
    int setValue(const Value& value) override {
        if (Is(def_, "picture")) return Control::setValue(value);
        text_ = ToText(value);
        return 0;
    }
    int getValue(Value* value) const override {
        *value = text_;
        return 0;
    }
    int replaceLine(int line, const QString& text) override {
        if (!Is(def_, "text box") || line < 0 || line > 10000) return -1;
        QStringList lines = text_.split(QLatin1Char('\n'));
        if (text_.isEmpty()) lines.clear();
        while (lines.size() <= line)
            lines.append(QString());
        lines[line] = text;
        text_ = lines.join(QLatin1Char('\n'));
        return 0;
    }
    int load(const QString& file) override {
        if (!Is(def_, "picture") || !QFileInfo(ResolvePath(file)).isReadable()) return -1;
        text_ = file;
        return 0;
    }

  private:
    QString text_;
};

// A line of text the operator types (a broker's address, a user name, a password).
class StringEntry : public ValueControl {
  public:
    StringEntry(int panel, const ControlDef& def) : ValueControl(panel, def), text_(def.text) {
        attributes_[ATTR_PASSWORD_MODE] = def.password ? 1.0 : 0.0;
        attributes_[ATTR_PLACEHOLDER] = def.placeholder;
    }
    int setValue(const Value& value) override {
        text_ = ToText(value);
        return 0;
    }
    int getValue(Value* value) const override {
        *value = text_;
        return 0;
    }
    int setAttribute(int attribute, const Value& value) override {
        if (attribute == ATTR_PLACEHOLDER) return attributes_[attribute] = ToText(value), 0;
        return ValueControl::setAttribute(attribute, value);
    }

  private:
    QString text_;
};

// Ticks every interval while enabled, shown or not: a window that watches something refreshes
// itself with it.
class TimerControl : public ValueControl {
  public:
    TimerControl(int panel, const ControlDef& def) : ValueControl(panel, def) {
        attributes_[ATTR_INTERVAL] = def.interval;
        attributes_[ATTR_ENABLED] = def.dimmed ? 0.0 : 1.0;
        timer_.setInterval(int(def.interval * 1000));
        QObject::connect(&timer_, &QTimer::timeout, [this] { fire(EVENT_TIMER_TICK); });
        if (!def.dimmed) timer_.start();
    }
    int setAttribute(int attribute, const Value& value) override {
        if (attribute == ATTR_INTERVAL) {
            const double s = ToDouble(value);
            if (!(s >= 0.01 && s <= 3600)) return -1;
            attributes_[attribute] = s;
            timer_.setInterval(int(s * 1000));
            return 0;
        }
        if (attribute == ATTR_ENABLED) {
            const bool on = ToInt(value) != 0;
            attributes_[attribute] = on ? 1.0 : 0.0;
            if (on && !timer_.isActive()) timer_.start();
            if (!on) timer_.stop();
            return 0;
        }
        return ValueControl::setAttribute(attribute, value);
    }

  private:
    QTimer timer_;
};

// Items of a label and a value; the value of the item picked, -1 with none.
class ListBox : public ValueControl {
  public:
    using ValueControl::ValueControl;
    int setValue(const Value& value) override {
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (items_[i].second == ToInt(value)) return picked_ = int(i), 0;
        return -1;
    }
    int getValue(Value* value) const override {
        *value = picked_ < 0 ? -1.0 : double(items_[std::size_t(picked_)].second);
        return 0;
    }
    int clearItems() override {
        items_.clear();
        picked_ = -1;
        return 0;
    }
    int insert(int index, const QString& label, int value) override {
        const int at = index < 0 || index > int(items_.size()) ? int(items_.size()) : index;
        items_.insert(items_.begin() + at, {label, value});
        if (picked_ >= at) ++picked_;
        return int(items_.size());
    }

  private:
    std::vector<std::pair<QString, int>> items_;
    int picked_ = -1;
};

class Table : public ValueControl {
  public:
    Table(int panel, const ControlDef& def)
        : ValueControl(panel, def), rows_(int(def.rowLabels.size())),
          columns_(int(def.columns.size())), cells_(std::size_t(rows_ * columns_)) {}
    int setCell(int row, int column, const QString& text) override {
        if (!inside(row, column)) return -1;
        cells_[std::size_t(row * columns_ + column)] = text;
        return 0;
    }
    int setCellAttribute(int row, int column, int attribute, int) override {
        const bool known = attribute == ATTR_TEXT_COLOR || attribute == ATTR_TEXT_BGCOLOR ||
                           attribute == ATTR_TEXT_BOLD;
        return inside(row, column) && known ? 0 : -1;
    }

  private:
    bool inside(int row, int column) const {
        return row >= 0 && row < rows_ && column >= 0 && column < columns_;
    }
    int rows_, columns_;
    std::vector<QString> cells_;
};

// A graph holds its plots and its axes as it would draw them, and its cursors.
class Graph : public ValueControl {
  public:
    Graph(int panel, const ControlDef& def)
        : ValueControl(panel, def), cursors_(std::size_t(std::max(0, def.cursors))) {
        held_.xMin = def.xMin;
        held_.xMax = def.xMax;
        held_.yMin = def.yMin;
        held_.yMax = def.yMax;
    }
    int plotXY(const double* x, const double* y, int n, int style, int color) override {
        if (x == nullptr || y == nullptr || n < 0 || n > 1'000'000) return -1;
        HeldPlot& plot = add(PLOT_KIND_CURVE, color, color);
        plot.plotStyle = style;
        plot.x.assign(x, x + n);
        plot.y.assign(y, y + n);
        return handles_.back();
    }
    int plotRectangle(double x1, double y1, double x2, double y2, int color, int fill) override {
        HeldPlot& plot = add(PLOT_KIND_RECTANGLE, color, fill);
        plot.x1 = x1;
        plot.y1 = y1;
        plot.x2 = x2;
        plot.y2 = y2;
        return handles_.back();
    }
    int plotText(double x, double y, const QString&, int color) override {
        HeldPlot& plot = add(PLOT_KIND_TEXT, color, color);
        plot.x1 = x;
        plot.y1 = y;
        return handles_.back();
    }
    int deletePlot(int handle) override {
        if (handle == -1) {
            handles_.clear();
            held_.plots.clear();
            return 0;
        }
        const auto it = std::find(handles_.begin(), handles_.end(), handle);
        if (it == handles_.end()) return -1;
        held_.plots.erase(held_.plots.begin() + (it - handles_.begin()));
        handles_.erase(it);
        return 0;
    }
    int setCursor(int n, double x, double y) override {
        if (n < 1 || n > int(cursors_.size())) return -1;
        cursors_[std::size_t(n - 1)] = {x, y};
        return 0;
    }
    int setScaling(int axis, int mode, double min, double max) override {
        if (axis != VAL_XAXIS && axis != VAL_LEFT_YAXIS) return -1;
        const bool x = axis == VAL_XAXIS;
        (x ? held_.xMode : held_.yMode) = mode;
        if (mode == VAL_MANUAL && min < max) {
            (x ? held_.xMin : held_.yMin) = min;
            (x ? held_.xMax : held_.yMax) = max;
        }
        return 0;
    }
    const HeldGraph* heldGraph() const override { return &held_; }

  private:
    HeldPlot& add(int kind, int color, int fill) {
        handles_.push_back(nextHandle_++);
        HeldPlot& plot = held_.plots.emplace_back();
        plot.kind = kind;
        plot.color = color;
        plot.fillColor = fill;
        return plot;
    }
    std::vector<int> handles_; // one for each of held_.plots
    HeldGraph held_;
    std::vector<std::pair<double, double>> cursors_;
    int nextHandle_ = 1;
};

// A strip chart takes its points and lets them go: nothing scrolls where nobody looks.
class StripChart : public ValueControl {
  public:
    StripChart(int panel, const ControlDef& def) : ValueControl(panel, def) {
        attributes_[ATTR_POINTS_PER_SCREEN] = double(std::clamp(def.pointsPerScreen, 2, 100000));
        attributes_[ATTR_NUM_TRACES] = double(std::clamp(def.traces, 1, 16));
        attributes_[ATTR_SCROLL_MODE_CONTINUOUS] = 0.0;
    }
    int append(const double* values, int count, int start, int skip) override {
        return values == nullptr || count < 0 || start < 0 || skip < 0 ? -1 : 0;
    }
    int setAttribute(int attribute, const Value& value) override {
        const int n = ToInt(value);
        if (attribute == ATTR_POINTS_PER_SCREEN && (n < 2 || n > 100000)) return -1;
        if (attribute == ATTR_NUM_TRACES && (n < 1 || n > 16)) return -1;
        return ValueControl::setAttribute(attribute, value);
    }
    int setTraceColour(int trace, int) override {
        return trace >= 1 && trace <= ToInt(attributes_.at(ATTR_NUM_TRACES)) ? 0 : -1;
    }
    int setStripCursor(int point, const QString&) override {
        if (point >= ToInt(attributes_.at(ATTR_POINTS_PER_SCREEN))) return -1;
        cursor_ = point < 0 ? -1 : point;
        return 0;
    }
    int stripCursor(int* point) const override { return *point = cursor_, 0; }
    int setAges(const double*, int) override { return 0; }
    int setScaling(int axis, int, double, double) override {
        return axis == VAL_XAXIS || axis == VAL_LEFT_YAXIS ? 0 : -1;
    }

  private:
    int cursor_ = -1;
};

} // namespace

bool IsKnownKind(const QString& kind) {
    static const char* const kinds[] = {
        "command button", "numeric",     "numeric display", "ring",     "radio button", "check box",
        "toggle button",  "switch",      "text message",    "text box", "decoration",   "picture",
        "graph",          "strip chart", "list box",        "table",    "string",       "timer"};
    for (const char* k : kinds)
        if (kind == QLatin1String(k)) return true;
    return false;
}

std::unique_ptr<Control> MakeValueControl(int panel, const ControlDef& def) {
    if (Is(def, "numeric") || Is(def, "numeric display"))
        return std::make_unique<Numeric>(panel, def, Is(def, "numeric") && !def.indicator);
    if (Is(def, "check box") || Is(def, "radio button") || Is(def, "toggle button") ||
        Is(def, "switch"))
        return std::make_unique<Binary>(panel, def);
    if (Is(def, "ring")) return std::make_unique<Ring>(panel, def);
    if (Is(def, "text message") || Is(def, "text box") || Is(def, "picture"))
        return std::make_unique<Text>(panel, def);
    if (Is(def, "list box")) return std::make_unique<ListBox>(panel, def);
    if (Is(def, "string")) return std::make_unique<StringEntry>(panel, def);
    if (Is(def, "timer")) return std::make_unique<TimerControl>(panel, def);
    if (Is(def, "table")) return std::make_unique<Table>(panel, def);
    if (Is(def, "graph")) return std::make_unique<Graph>(panel, def);
    if (Is(def, "strip chart")) return std::make_unique<StripChart>(panel, def);
    return std::make_unique<ValueControl>(panel, def); // command buttons, decorations
}

} // namespace kvor::rt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/panel_file.h"

#include <algorithm>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <limits>

#include "runtime/registry.h"

namespace kvor::rt {
namespace {

constexpr qint64 kMaxPanelFileBytes = 4 * 1024 * 1024;

bool ParseColour(const QJsonValue& v, int* out) {
    if (v.isUndefined() || v.isNull()) return true;
    if (v.isDouble()) {
        *out = v.toInt() & 0xFFFFFF;
        return true;
    }
    QString s = v.toString();
    if (s.startsWith(QLatin1Char('#'))) s = s.mid(1);
    if (s.startsWith(QLatin1String("0x"))) s = s.mid(2);
    bool ok = false;
    const int c = s.toInt(&ok, 16);
    if (!ok || s.size() != 6) return false;
    *out = c;
    return true;
}

bool ParseType(const QString& s, ValueType* type) {
    static const std::pair<const char*, ValueType> names[] = {
        {"", ValueType::None},   {"u16", ValueType::U16}, {"i32", ValueType::I32},
        {"r32", ValueType::R32}, {"r64", ValueType::R64}, {"text", ValueType::Text}};
    for (const auto& [name, t] : names)
        if (s == QLatin1String(name)) return *type = t, true;
    return false;
}

int EventBit(const QString& s) {
    if (s == QLatin1String("commit")) return 1 << EVENT_COMMIT;
    if (s == QLatin1String("value changed")) return 1 << EVENT_VAL_CHANGED;
    if (s == QLatin1String("left click")) return 1 << EVENT_LEFT_CLICK;
    if (s == QLatin1String("timer tick")) return 1 << EVENT_TIMER_TICK;
    return 0;
}

bool ParseRange(const QJsonValue& v, double* lo, double* hi) {
    if (v.isUndefined()) return true;
    const QJsonArray a = v.toArray();
    if (a.size() != 2 || !a[0].isDouble() || !a[1].isDouble()) return false;
    *lo = a[0].toDouble();
    *hi = a[1].toDouble();
    return true;
}

// Fills one control; returns an empty text or the fault.
QString ParseControl(const QJsonObject& o, ControlDef* c) {
    if (!o.value(QLatin1String("id")).isDouble()) return QStringLiteral("no numeric id");
    c->id = o.value(QLatin1String("id")).toInt();
    c->kind = o.value(QLatin1String("kind")).toString();
    if (!IsKnownKind(c->kind)) return QStringLiteral("unknown kind \"%1\"").arg(c->kind);
    if (!ParseType(o.value(QLatin1String("type")).toString(), &c->type))
        return QStringLiteral("unknown value type \"%1\"")
            .arg(o.value(QLatin1String("type")).toString());
    const QJsonArray r = o.value(QLatin1String("rect")).toArray();
    if (r.size() != 4) return QStringLiteral("rect must be [left, top, width, height]");
    c->rect = QRect(r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt());
    c->label = o.value(QLatin1String("label")).toString();
    c->name = o.value(QLatin1String("name")).toString();
    const QJsonValue value = o.value(QLatin1String("value"));
    if (value.isString())
        c->text = value.toString();
    else if (value.isNull()) // a display that starts with no number: it shows "–"
        c->value = std::numeric_limits<double>::quiet_NaN();
    else
        c->value = value.toDouble();
    c->text =
        o.contains(QLatin1String("image")) ? o.value(QLatin1String("image")).toString() : c->text;
    for (const QJsonValue& item : o.value(QLatin1String("items")).toArray()) {
        const QJsonObject io = item.toObject();
        if (!io.value(QLatin1String("value")).isDouble())
            return QStringLiteral("ring item without a value");
        c->items.push_back({io.value(QLatin1String("text")).toString(),
                            io.value(QLatin1String("value")).toDouble()});
    }
    c->itemsFrom = o.value(QLatin1String("items_from")).toString();
    if (o.contains(QLatin1String("limits"))) {
        if (!ParseRange(o.value(QLatin1String("limits")), &c->min, &c->max))
            return QStringLiteral("limits must be [min, max]");
        c->hasLimits = true;
    }
    c->step = o.value(QLatin1String("step")).toDouble(1);
    c->precision = o.value(QLatin1String("precision")).toInt(0);
    c->notANumber = o.value(QLatin1String("not_a_number")).toString(QStringLiteral("NaN"));
    c->repaintsPerSecond =
        std::clamp(o.value(QLatin1String("repaints_per_second")).toInt(0), 0, 1000);
    c->onText = o.value(QLatin1String("on_text")).toString();
    c->offText = o.value(QLatin1String("off_text")).toString();
    c->callback = o.value(QLatin1String("callback")).toString();
    for (const QJsonValue& e : o.value(QLatin1String("events")).toArray()) {
        const int bit = EventBit(e.toString());
        if (bit == 0) return QStringLiteral("unknown event \"%1\"").arg(e.toString());
        c->events |= bit;
    }
    if (!c->callback.isEmpty() && c->events == 0) return QStringLiteral("callback without events");
    if (!ParseColour(o.value(QLatin1String("text_color")), &c->textColor) ||
        !ParseColour(o.value(QLatin1String("bg_color")), &c->bgColor) ||
        !ParseColour(o.value(QLatin1String("frame_color")), &c->frameColor) ||
        !ParseColour(o.value(QLatin1String("grid_color")), &c->gridColor) ||
        !ParseColour(o.value(QLatin1String("plot_bg_color")), &c->plotBgColor))
        return QStringLiteral("a colour is not 0xRRGGBB");
    c->pointSize = o.value(QLatin1String("point_size")).toInt(0);
    c->bold = o.value(QLatin1String("bold")).toBool(false);
    c->dimmed = o.value(QLatin1String("dimmed")).toBool(false);
    c->visible = o.value(QLatin1String("visible")).toBool(true);
    c->indicator = o.value(QLatin1String("indicator")).toBool(false);
    c->align = o.value(QLatin1String("align")).toString();
    c->wrap = o.value(QLatin1String("wrap")).toBool(false);
    if (!ParseRange(o.value(QLatin1String("x_range")), &c->xMin, &c->xMax) ||
        !ParseRange(o.value(QLatin1String("y_range")), &c->yMin, &c->yMax))
        return QStringLiteral("axis ranges must be [min, max]");
    c->xLabel = o.value(QLatin1String("x_label")).toString();
    c->yLabel = o.value(QLatin1String("y_label")).toString();
    c->yTicks = o.value(QLatin1String("y_ticks")).toBool(true);
    c->cursors = o.value(QLatin1String("cursors")).toInt(0);
    if (c->cursors < 0 || c->cursors > 8) return QStringLiteral("cursor count outside 0..8");
    c->traces = o.value(QLatin1String("traces")).toInt(1);
    c->pointsPerScreen = o.value(QLatin1String("points_per_screen")).toInt(100);
    for (const QJsonValue& t : o.value(QLatin1String("trace_colors")).toArray()) {
        int colour = 0;
        if (!ParseColour(t, &colour)) return QStringLiteral("a trace colour is not 0xRRGGBB");
        c->traceColors.push_back(colour);
    }
    for (const QJsonValue& t : o.value(QLatin1String("columns")).toArray())
        c->columns.append(t.toString());
    for (const QJsonValue& t : o.value(QLatin1String("rows")).toArray())
        c->rowLabels.append(t.toString());
    c->password = o.value(QLatin1String("password")).toBool(false);
    c->placeholder = o.value(QLatin1String("placeholder")).toString();
    c->interval = o.value(QLatin1String("interval")).toDouble(1);
    if (!(c->interval >= 0.01 && c->interval <= 3600))
        return QStringLiteral("timer interval outside 0.01..3600 s");
    if (!c->callback.isEmpty() && FindCtrlCallback(c->callback) == nullptr)
        return QStringLiteral("unknown callback \"%1\"").arg(c->callback);
    return {};
}

} // namespace

bool ReadPanelDef(const QString& file, int resource, PanelDef* panel, QString* error) {
    auto fail = [&](const QString& where, const QString& what) {
        *error = QStringLiteral("%1: %2: %3").arg(file, where, what);
        return false;
    };
    QFile f(ResolvePath(file));
    if (!f.open(QIODevice::ReadOnly)) return fail(QStringLiteral("file"), f.errorString());
    if (f.size() > kMaxPanelFileBytes)
        return fail(QStringLiteral("file"), QStringLiteral("too large"));
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &parseError);
    if (doc.isNull())
        return fail(QStringLiteral("offset %1").arg(parseError.offset), parseError.errorString());
    const QJsonArray panels = doc.object().value(QLatin1String("panels")).toArray();
    for (const QJsonValue& pv : panels) {
        const QJsonObject p = pv.toObject();
        if (p.value(QLatin1String("resource")).toInt(-1) != resource) continue;
        const QString where = QStringLiteral("panel %1").arg(resource);
        panel->resource = resource;
        panel->title = p.value(QLatin1String("title")).toString();
        const QJsonArray size = p.value(QLatin1String("size")).toArray();
        if (size.size() != 2 || size[0].toInt() <= 0 || size[1].toInt() <= 0)
            return fail(where, QStringLiteral("size must be [width, height]"));
        panel->size = QSize(size[0].toInt(), size[1].toInt());
        int bg = 0xECECEC;
        if (!ParseColour(p.value(QLatin1String("bg_color")), &bg))
            return fail(where, QStringLiteral("bg_color is not 0xRRGGBB"));
        panel->background = bg;
        panel->callback = p.value(QLatin1String("callback")).toString();
        if (!panel->callback.isEmpty() && FindPanelCallback(panel->callback) == nullptr)
            return fail(where,
                        QStringLiteral("unknown panel callback \"%1\"").arg(panel->callback));
        for (const QJsonValue& cv : p.value(QLatin1String("controls")).toArray()) {
            ControlDef c;
            const QString fault = ParseControl(cv.toObject(), &c);
            const QString at =
                QStringLiteral("%1, control %2")
                    .arg(where)
                    .arg(cv.toObject().value(QLatin1String("id")).toVariant().toString());
            if (!fault.isEmpty()) return fail(at, fault);
            for (const ControlDef& other : panel->controls)
                if (other.id == c.id) return fail(at, QStringLiteral("id used twice"));
            panel->controls.push_back(std::move(c));
        }
        return true;
    }
    return fail(QStringLiteral("panel %1").arg(resource), QStringLiteral("no such resource"));
}

} // namespace kvor::rt

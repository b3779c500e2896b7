// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/control.h"

#include <cmath>

#include "runtime/registry.h"

namespace kvor::rt {

const char* ValueTypeName(ValueType type) {
    switch (type) {
    case ValueType::None:
        return "none";
    case ValueType::U16:
        return "u16";
    case ValueType::I32:
        return "i32";
    case ValueType::R32:
        return "r32";
    case ValueType::R64:
        return "r64";
    case ValueType::Text:
        return "text";
    }
    return "?";
}

double ToDouble(const Value& value) {
    if (const double* d = std::get_if<double>(&value)) return *d;
    return std::get<QString>(value).toDouble();
}

int ToInt(const Value& value) {
    const double d = ToDouble(value);
    if (!std::isfinite(d)) return 0;
    if (d >= 2147483647.0) return 2147483647;
    if (d <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(d);
}

QString ToText(const Value& value) {
    if (const QString* s = std::get_if<QString>(&value)) return *s;
    return QString::number(std::get<double>(value));
}

void Control::fire(int event) {
    if (ProgramSetting::active() || callback_ == nullptr) return;
    if ((events_ & (1 << event)) == 0) return;
    callback_(panel_, def_.id, event, nullptr, 0, 0);
}

int Control::setValue(const Value&) {
    return ReportMisuse("SetCtrlVal", panel_, def_.id, "this control holds no value");
}

int Control::getValue(Value*) const {
    return ReportMisuse("GetCtrlVal", panel_, def_.id, "this control holds no value");
}

} // namespace kvor::rt

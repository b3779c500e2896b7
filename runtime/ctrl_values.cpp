// SPDX-License-Identifier: GPL-3.0-or-later
// Control values and attributes, text messages made at run time, images and text-box lines.
#include <cmath>
#include <cstring>

#include "runtime/program_text.h"
#include "runtime/registry.h"

namespace kvor::rt {
namespace {

bool TypeFits(ValueType control, ValueType given) {
    return control == given;
}

int SetValue(const char* call, int panel, int id, ValueType given, const Value& value) {
    Control* c = FindControl(panel, id);
    if (c == nullptr) return -1;
    if (!TypeFits(c->type(), given)) {
        char detail[96];
        std::snprintf(detail, sizeof detail, "control holds %s, given %s", ValueTypeName(c->type()),
                      ValueTypeName(given));
        return ReportMisuse(call, panel, id, detail);
    }
    return c->setValue(value);
}

int GetValue(int panel, int id, ValueType wanted, Value* value) {
    Control* c = FindControl(panel, id);
    if (c == nullptr) return -1;
    if (c->type() != wanted) {
        char detail[96];
        std::snprintf(detail, sizeof detail, "control holds %s, asked for %s",
                      ValueTypeName(c->type()), ValueTypeName(wanted));
        return ReportMisuse("GetCtrlVal", panel, id, detail);
    }
    return c->getValue(value);
}

// Numbers leave the runtime inside the range of their type.
double Clamp(double v, double lo, double hi) {
    if (std::isnan(v)) return 0;
    return v < lo ? lo : (v > hi ? hi : v);
}

} // namespace
} // namespace kvor::rt

using namespace kvor::rt;

int SetCtrlVal(int panel, int control, std::uint16_t value) {
    return SetValue("SetCtrlVal", panel, control, ValueType::U16, double(value));
}
int SetCtrlVal(int panel, int control, std::int32_t value) {
    return SetValue("SetCtrlVal", panel, control, ValueType::I32, double(value));
}
int SetCtrlVal(int panel, int control, float value) {
    return SetValue("SetCtrlVal", panel, control, ValueType::R32, double(value));
}
int SetCtrlVal(int panel, int control, double value) {
    return SetValue("SetCtrlVal", panel, control, ValueType::R64, value);
}
int SetCtrlVal(int panel, int control, const char* text) {
    return SetValue("SetCtrlVal", panel, control, ValueType::Text, FromProgramText(text));
}

int GetCtrlVal(int panel, int control, std::uint16_t* value) {
    Value v;
    const int r = GetValue(panel, control, ValueType::U16, &v);
    if (r == 0 && value) *value = static_cast<std::uint16_t>(Clamp(ToDouble(v), 0, 65535));
    return r;
}
int GetCtrlVal(int panel, int control, std::int32_t* value) {
    Value v;
    const int r = GetValue(panel, control, ValueType::I32, &v);
    if (r == 0 && value)
        *value = static_cast<std::int32_t>(Clamp(ToDouble(v), -2147483648.0, 2147483647.0));
    return r;
}
int GetCtrlVal(int panel, int control, float* value) {
    Value v;
    const int r = GetValue(panel, control, ValueType::R32, &v);
    if (r == 0 && value) *value = static_cast<float>(Clamp(ToDouble(v), -3.4e38, 3.4e38));
    return r;
}
int GetCtrlVal(int panel, int control, double* value) {
    Value v;
    const int r = GetValue(panel, control, ValueType::R64, &v);
    if (r == 0 && value) *value = ToDouble(v);
    return r;
}
int GetCtrlText(int panel, int control, char* text, std::size_t size) {
    Value v;
    Control* c = FindControl(panel, control);
    if (c == nullptr) return -1;
    // A text box gives its lines separated by line ends, a picture its image file.
    const int r = c->type() == ValueType::Text || c->type() == ValueType::None
                      ? c->getValue(&v)
                      : GetValue(panel, control, ValueType::Text, &v);
    if (r == 0) CopyOut(ToText(v), text, size);
    return r;
}

int SetCtrlAttribute(int panel, int control, int attribute, int value) {
    Control* c = FindControl(panel, control);
    return c == nullptr ? -1 : c->setAttribute(attribute, double(value));
}
int SetCtrlAttribute(int panel, int control, int attribute, double value) {
    Control* c = FindControl(panel, control);
    return c == nullptr ? -1 : c->setAttribute(attribute, value);
}
int SetCtrlAttribute(int panel, int control, int attribute, const char* text) {
    Control* c = FindControl(panel, control);
    return c == nullptr ? -1 : c->setAttribute(attribute, FromProgramText(text));
}
int GetCtrlAttribute(int panel, int control, int attribute, int* value) {
    Control* c = FindControl(panel, control);
    Value v;
    const int r = c == nullptr ? -1 : c->getAttribute(attribute, &v);
    if (r == 0 && value) *value = ToInt(v);
    return r;
}
int GetCtrlAttribute(int panel, int control, int attribute, double* value) {
    Control* c = FindControl(panel, control);
    Value v;
    const int r = c == nullptr ? -1 : c->getAttribute(attribute, &v);
    if (r == 0 && value) *value = ToDouble(v);
    return r;
}
int GetCtrlAttributeText(int panel, int control, int attribute, char* text, std::size_t size) {
    Control* c = FindControl(panel, control);
    Value v;
    const int r = c == nullptr ? -1 : c->getAttribute(attribute, &v);
    if (r == 0) CopyOut(ToText(v), text, size);
    return r;
}

int GetLabelFromValue(int panel, int control, double value, char* text, std::size_t size) {
    Control* c = FindControl(panel, control);
    QString label;
    if (c == nullptr || !c->valueLabel(value, &label)) return -1;
    CopyOut(label, text, size);
    return 0;
}

int NewCtrl(int panel, int style, const char* label, int top, int left) {
    Panel* p = FindPanel(panel);
    if (p == nullptr || style != CTRL_TEXT_MSG) return -1;
    ControlDef def;
    def.id = p->nextNewId++;
    def.kind = QStringLiteral("text message");
    def.type = ValueType::Text;
    def.rect = QRect(left, top, 0, 0);
    def.name = FromProgramText(label);
    def.text = def.name;
    std::unique_ptr<Control> c = MakeControl(*p, def);
    c->raise();
    p->controls[def.id] = std::move(c);
    return def.id;
}

int DisplayImageFile(int panel, int control, const char* file) {
    Control* c = FindControl(panel, control);
    return c == nullptr || file == nullptr ? -1 : c->load(QString::fromUtf8(file));
}

int ReplaceTextBoxLine(int panel, int control, int line, const char* text) {
    Control* c = FindControl(panel, control);
    return c == nullptr ? -1 : c->replaceLine(line, FromProgramText(text));
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Factories of the control families (one file each).
#pragma once

#include <functional>
#include <memory>

#include "ui/control.h"

namespace kvor::rt {

std::unique_ptr<Control> MakeButtonControl(int panel, const ControlDef& def, QWidget* canvas);
std::unique_ptr<Control> MakeNumericControl(int panel, const ControlDef& def, QWidget* canvas);
std::unique_ptr<Control> MakeTextControl(int panel, const ControlDef& def, QWidget* canvas);
std::unique_ptr<Control> MakeGraphControl(int panel, const ControlDef& def, QWidget* canvas);
std::unique_ptr<Control> MakeStripChartControl(int panel, const ControlDef& def, QWidget* canvas);
std::unique_ptr<Control> MakeListControl(int panel, const ControlDef& def, QWidget* canvas);

// The kinds a panel file may name.
bool IsKnownKind(const QString& kind);

} // namespace kvor::rt

namespace kvor::rt {

// Operations of single families.
int ReplaceLineOf(Control* control, int line, const QString& text);
int LoadImageInto(Control* control, const QString& file);
int SetRingItems(Control* control, const std::vector<RingItem>& items, double current);
// Runs just before the ring's list opens (the port selector reads the port table afresh).
int SetRingBeforeOpen(Control* control, std::function<void()> beforeOpen);

} // namespace kvor::rt

class QCPAxis;
class QCustomPlot;

namespace kvor::rt {

// Shared by graphs and strip charts.
void ApplyAxisRange(QCPAxis* axis, double min, double max);
void StylePlot(QCustomPlot* plot, const ControlDef& def);
// -1 when the control is not a strip chart.
int SetStripChartScaling(Control* control, int axis, int mode, double min, double max);
int GetStripChartScaling(Control* control, int axis, int* mode, double* min, double* max);

} // namespace kvor::rt

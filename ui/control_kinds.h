// SPDX-License-Identifier: GPL-3.0-or-later
// Factories of the control families (one file each).
#pragma once

#include <functional>
#include <memory>

#include "ui/widget_control.h"

namespace kvor::rt {

std::unique_ptr<Control> MakeButtonControl(int panel, const ControlDef& def, QWidget* canvas);
std::unique_ptr<Control> MakeNumericControl(int panel, const ControlDef& def, QWidget* canvas);
std::unique_ptr<Control> MakeTextControl(int panel, const ControlDef& def, QWidget* canvas);
std::unique_ptr<Control> MakeGraphControl(int panel, const ControlDef& def, QWidget* canvas);
std::unique_ptr<Control> MakeStripChartControl(int panel, const ControlDef& def, QWidget* canvas);
std::unique_ptr<Control> MakeListControl(int panel, const ControlDef& def, QWidget* canvas);
std::unique_ptr<Control> MakeEntryControl(int panel, const ControlDef& def, QWidget* canvas);

} // namespace kvor::rt

class QCPAxis;
class QCustomPlot;

namespace kvor::rt {

// Shared by graphs and strip charts.
void ApplyAxisRange(QCPAxis* axis, double min, double max);
void StylePlot(QCustomPlot* plot, const ControlDef& def);
// -1 when the control is not a strip chart.
int GetStripChartScaling(Control* control, int axis, int* mode, double* min, double* max);

} // namespace kvor::rt

// SPDX-License-Identifier: GPL-3.0-or-later
// The calls on single families of controls: list boxes, tables, graphs and strip charts. Each
// goes to the control, which shows it or holds it; a control of another family refuses it.
#include <vector>

#include "runtime/program_text.h"
#include "runtime/registry.h"

using namespace kvor::rt;

int ClearListCtrl(int panel, int control) {
    Control* c = FindControl(panel, control);
    return c == nullptr ? -1 : c->clearItems();
}

int InsertListItem(int panel, int control, int index, const char* label, int value) {
    Control* c = FindControl(panel, control);
    return c == nullptr ? -1 : c->insert(index, FromProgramText(label), value);
}

int SetTableCellVal(int panel, int control, int row, int column, const char* text) {
    Control* c = FindControl(panel, control);
    return c == nullptr ? -1 : c->setCell(row, column, FromProgramText(text));
}

int SetTableCellAttribute(int panel, int control, int row, int column, int attribute, int value) {
    Control* c = FindControl(panel, control);
    return c == nullptr ? -1 : c->setCellAttribute(row, column, attribute, value);
}

int PlotXY(int panel, int control, const double* x, const double* y, int n, int plotStyle, int,
           int color) {
    Control* c = FindControl(panel, control);
    return c == nullptr ? -1 : c->plotXY(x, y, n, plotStyle, color);
}

int PlotXY(int panel, int control, const double* x, const std::uint16_t* y, int n, int plotStyle,
           int lineStyle, int color) {
    if (y == nullptr || n < 0 || n > 1'000'000) return -1;
    std::vector<double> values(y, y + n);
    return PlotXY(panel, control, x, values.data(), n, plotStyle, lineStyle, color);
}

int PlotRectangle(int panel, int control, double x1, double y1, double x2, double y2, int color,
                  int fillColor) {
    Control* c = FindControl(panel, control);
    return c == nullptr ? -1 : c->plotRectangle(x1, y1, x2, y2, color, fillColor);
}

int DeleteGraphPlot(int panel, int control, int plot, int) {
    Control* c = FindControl(panel, control);
    return c == nullptr ? -1 : c->deletePlot(plot);
}

int SetGraphCursor(int panel, int control, int cursor, double x, double y) {
    Control* c = FindControl(panel, control);
    return c == nullptr ? -1 : c->setCursor(cursor, x, y);
}

int SetAxisScalingMode(int panel, int control, int axis, int mode, double min, double max) {
    Control* c = FindControl(panel, control);
    return c == nullptr ? -1 : c->setScaling(axis, mode, min, max);
}

int PlotStripChart(int panel, int control, const double* values, int count, int start, int skip) {
    Control* c = FindControl(panel, control);
    return c == nullptr ? -1 : c->append(values, count, start, skip);
}

int SetTraceAttribute(int panel, int control, int trace, int attribute, int value) {
    Control* c = FindControl(panel, control);
    if (c == nullptr || attribute != ATTR_TRACE_COLOR) return -1;
    return c->setTraceColour(trace, value);
}

int PlotText(int panel, int control, double x, double y, const char* text, int color) {
    Control* c = FindControl(panel, control);
    return c == nullptr ? -1 : c->plotText(x, y, FromProgramText(text), color);
}

int SetStripChartCursor(int panel, int control, int point, const char* text) {
    Control* c = FindControl(panel, control);
    return c == nullptr ? -1 : c->setStripCursor(point, FromProgramText(text));
}

int GetStripChartCursor(int panel, int control, int* point) {
    Control* c = FindControl(panel, control);
    return c == nullptr || point == nullptr ? -1 : c->stripCursor(point);
}

int SetStripChartAges(int panel, int control, const double* ages, int count) {
    Control* c = FindControl(panel, control);
    if (c == nullptr || ages == nullptr || count < 0 || count > 100000) return -1;
    return c->setAges(ages, count);
}

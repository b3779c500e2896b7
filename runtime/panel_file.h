// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the panel file: a JSON document of panels and their controls.
#pragma once

#include <QSize>
#include <QString>

#include <vector>

#include "runtime/control.h"

namespace kvor::rt {

struct PanelDef {
    int resource = 0;
    QString title;
    QSize size;
    int background = 0xECECEC; // 0xRRGGBB
    QString callback;
    std::vector<ControlDef> controls;
};

// Reads panel `resource` of `file`. On failure returns false with one line naming the file, the
// control and the fault in *error.
bool ReadPanelDef(const QString& file, int resource, PanelDef* panel, QString* error);

} // namespace kvor::rt

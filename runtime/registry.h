// SPDX-License-Identifier: GPL-3.0-or-later
// The runtime's own bookkeeping: registered callbacks, loaded panels, the program directory.
#pragma once

#include <QString>

#include <memory>

#include "runtime/control.h"
#include "runtime/int_map.h"
#include "runtime/runtime.h"
#include "runtime/view.h"

namespace kvor::rt {

struct Panel {
    int handle = 0;
    int resource = 0;
    QString file;
    std::unique_ptr<PanelView> view; // null in a program without windows
    IntMap<std::unique_ptr<Control>> controls;
    PanelCallbackPtr callback = nullptr;
    int nextNewId = 1000;
};

CtrlCallbackPtr FindCtrlCallback(const QString& name);
PanelCallbackPtr FindPanelCallback(const QString& name);

Panel* FindPanel(int handle);
Control* FindControl(int panel, int control);
int AddPanel(std::unique_ptr<Panel> panel); // returns the handle
void RemovePanel(int handle);
// A control of a panel: shown on its window, or held as a value where the panel has none.
std::unique_ptr<Control> MakeControl(const Panel& panel, const ControlDef& def);
void RemoveAllPanels();
// The first panel loaded that has a panel callback (the program's main panel); 0 when none has.
int FirstPanelWithCallback();

// Marks the panel whose close event is being delivered: discarding it then deletes its window
// only after the event has returned.
class ClosingPanel {
  public:
    explicit ClosingPanel(int handle);
    ~ClosingPanel();
    ClosingPanel(const ClosingPanel&) = delete;
    ClosingPanel& operator=(const ClosingPanel&) = delete;
    static bool is(int handle);

  private:
    int previous_;
};

// While the program sets a value, what shows it changes without raising events.
class ProgramSetting {
  public:
    ProgramSetting();
    ~ProgramSetting();
    ProgramSetting(const ProgramSetting&) = delete;
    ProgramSetting& operator=(const ProgramSetting&) = delete;
    static bool active();
};

QString ProjectDir();
// A relative name resolves against the program directory.
QString ResolvePath(const QString& name);

// Flushes and closes every text file still open (program end).
void CloseAllTextFiles();

// A wrong value type is a programming error: loud in debug builds.
int ReportMisuse(const char* call, int panel, int control, const char* detail);

} // namespace kvor::rt

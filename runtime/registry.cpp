// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/registry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <map>

#include "runtime/view.h"

namespace kvor::rt {
namespace {

std::map<QString, CtrlCallbackPtr>& ctrlCallbacks() {
    static std::map<QString, CtrlCallbackPtr> table;
    return table;
}
std::map<QString, PanelCallbackPtr>& panelCallbacks() {
    static std::map<QString, PanelCallbackPtr> table;
    return table;
}
IntMap<std::unique_ptr<Panel>>& panels() {
    static IntMap<std::unique_ptr<Panel>> table;
    return table;
}
int g_nextHandle = 1;
int g_settingDepth = 0;
int g_closingHandle = 0;

} // namespace

CtrlCallbackPtr FindCtrlCallback(const QString& name) {
    auto it = ctrlCallbacks().find(name);
    return it == ctrlCallbacks().end() ? nullptr : it->second;
}
PanelCallbackPtr FindPanelCallback(const QString& name) {
    auto it = panelCallbacks().find(name);
    return it == panelCallbacks().end() ? nullptr : it->second;
}

Panel* FindPanel(int handle) {
    const std::unique_ptr<Panel>* p = panels().find(handle);
    return p != nullptr ? p->get() : nullptr;
}

Control* FindControl(int panel, int control) {
    Panel* p = FindPanel(panel);
    if (p == nullptr) return nullptr;
    const std::unique_ptr<Control>* c = p->controls.find(control);
    return c != nullptr ? c->get() : nullptr;
}

int AddPanel(std::unique_ptr<Panel> panel) {
    const int handle = g_nextHandle++;
    panel->handle = handle;
    panels()[handle] = std::move(panel);
    return handle;
}

int FirstPanelWithCallback() {
    for (const auto& [handle, panel] : panels())
        if (panel->callback != nullptr) return handle;
    return 0;
}

void RemovePanel(int handle) {
    std::unique_ptr<Panel> panel = panels().take(handle);
    if (!panel) return;
    // Controls go before their window, which owns what shows them.
    panel->controls.clear();
    if (panel->view && ClosingPanel::is(handle)) panel->view->discardLater();
    panel->view.reset();
}

ClosingPanel::ClosingPanel(int handle) : previous_(g_closingHandle) {
    g_closingHandle = handle;
}
ClosingPanel::~ClosingPanel() {
    g_closingHandle = previous_;
}
bool ClosingPanel::is(int handle) {
    return handle != 0 && g_closingHandle == handle;
}

void RemoveAllPanels() {
    while (!panels().empty())
        RemovePanel(panels().firstKey());
}

ProgramSetting::ProgramSetting() {
    ++g_settingDepth;
}
ProgramSetting::~ProgramSetting() {
    --g_settingDepth;
}
bool ProgramSetting::active() {
    return g_settingDepth > 0;
}

QString ProjectDir() {
    if (QCoreApplication::instance() != nullptr) return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString ResolvePath(const QString& name) {
    if (name.isEmpty() || QFileInfo(name).isAbsolute()) return name;
    return QDir(ProjectDir()).filePath(name);
}

int ReportMisuse(const char* call, int panel, int control, const char* detail) {
    std::fprintf(stderr, "kvorscope: %s on panel %d, control %d: %s\n", call, panel, control,
                 detail);
#ifndef NDEBUG
    std::abort();
#else
    return -1;
#endif
}

} // namespace kvor::rt

void RegisterCtrlCallback(const char* name, CtrlCallbackPtr callback) {
    kvor::rt::ctrlCallbacks()[QString::fromUtf8(name)] = callback;
}

void RegisterPanelCallback(const char* name, PanelCallbackPtr callback) {
    kvor::rt::panelCallbacks()[QString::fromUtf8(name)] = callback;
}

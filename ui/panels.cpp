// SPDX-License-Identifier: GPL-3.0-or-later
// Loading, showing, hiding and discarding panels.
#include <QApplication>
#include <QDir>
#include <QWidget>

#include <cstdio>

#include "ui/com_dispatch.h"
#include "ui/control_kinds.h"
#include "ui/panel_file.h"
#include "ui/panel_window.h"
#include "ui/registry.h"
#include "ui/replot_pacer.h"
#include "ui/serial_port_table.h"

namespace kvor::rt {

bool IsKnownKind(const QString& kind) {
    static const char* const kinds[] = {
        "command button", "numeric",     "numeric display", "ring",     "radio button", "check box",
        "toggle button",  "switch",      "text message",    "text box", "decoration",   "picture",
        "graph",          "strip chart", "list box",        "table"};
    for (const char* k : kinds)
        if (kind == QLatin1String(k)) return true;
    return false;
}

std::unique_ptr<Control> MakeControl(int panel, const ControlDef& def, QWidget* canvas) {
    if (auto c = MakeButtonControl(panel, def, canvas)) return c;
    if (auto c = MakeNumericControl(panel, def, canvas)) return c;
    if (auto c = MakeTextControl(panel, def, canvas)) return c;
    if (auto c = MakeListControl(panel, def, canvas)) return c;
    if (def.kind == QLatin1String("graph")) return MakeGraphControl(panel, def, canvas);
    if (def.kind == QLatin1String("strip chart")) return MakeStripChartControl(panel, def, canvas);
    return nullptr;
}

// The port selector lists the port table.
std::vector<RingItem> PortTableItems() {
    std::vector<RingItem> items;
    const ComPortTable& table = CurrentComPortTable();
    for (const ComPortEntry& entry : table.ports)
        items.push_back({ComPortLabel(table, entry.number), static_cast<double>(entry.number)});
    return items;
}

// Port selectors by panel and control; each lists the table as last read.
std::vector<std::pair<int, int>> g_portSelectors;

void ListPortsIn(int panel, int id) {
    Control* ring = FindControl(panel, id);
    if (ring == nullptr) return;
    Value current;
    ring->getValue(&current);
    SetRingItems(ring, PortTableItems(), ToDouble(current));
}

void ListPortsInEverySelector() {
    std::erase_if(g_portSelectors,
                  [](auto s) { return FindControl(s.first, s.second) == nullptr; });
    for (const auto& [panel, id] : g_portSelectors)
        ListPortsIn(panel, id);
}

// The list is read again when the operator opens it and when a device comes or goes.
void MakePortSelector(int panel, Control* ring, double current) {
    RefreshComPortTable(OpenComPortNumbers());
    SetRingItems(ring, PortTableItems(), current);
    const int id = ring->id();
    SetRingBeforeOpen(ring, [panel, id] {
        RefreshComPortTable(OpenComPortNumbers());
        ListPortsIn(panel, id);
    });
    g_portSelectors.emplace_back(panel, id);
    SetComPortTableListener(ListPortsInEverySelector);
    WatchForDevices();
}

void BringToFront(QWidget* window) {
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace kvor::rt

using namespace kvor::rt;

int LoadPanel(int, const char* file, int resource) {
    if (QApplication::instance() == nullptr || file == nullptr) return -1;
    PanelDef def;
    QString error;
    if (!ReadPanelDef(QString::fromUtf8(file), resource, &def, &error)) {
        std::fprintf(stderr, "kvorscope: %s\n", error.toUtf8().constData());
        return -1;
    }
    auto panel = std::make_unique<Panel>();
    panel->resource = resource;
    panel->file = QString::fromUtf8(file);
    panel->callback = def.callback.isEmpty() ? nullptr : FindPanelCallback(def.callback);
    Panel* raw = panel.get();
    const int handle = AddPanel(std::move(panel));
    raw->window = std::make_unique<PanelWindow>(handle, def.title, def.size, def.background);
    raw->canvas = raw->window->canvas();
    for (const ControlDef& c : def.controls) {
        std::unique_ptr<Control> control = MakeControl(handle, c, raw->canvas);
        if (!c.callback.isEmpty()) control->bindCallback(FindCtrlCallback(c.callback), c.events);
        Control* made = control.get();
        raw->controls[c.id] = std::move(control);
        if (c.itemsFrom == QLatin1String("serial_ports")) MakePortSelector(handle, made, c.value);
    }
    return handle;
}

int DisplayPanel(int panel) {
    Panel* p = FindPanel(panel);
    if (p == nullptr) return -1;
    BringToFront(p->window.get());
    return 0;
}

int HidePanel(int panel) {
    Panel* p = FindPanel(panel);
    if (p == nullptr) return -1;
    p->window->hide();
    return 0;
}

int DiscardPanel(int panel) {
    if (FindPanel(panel) == nullptr) return -1;
    RemovePanel(panel);
    return 0;
}

int GetPanelControlCount(int panel) {
    Panel* p = FindPanel(panel);
    return p == nullptr ? -1 : static_cast<int>(p->controls.size());
}

int SavePanelImage(int panel, const char* pngFile) {
    Panel* p = FindPanel(panel);
    if (p == nullptr || pngFile == nullptr) return -1;
    FlushAllReplots();
    QApplication::processEvents();
    const QPixmap image = p->window->grab();
    return image.save(QString::fromUtf8(pngFile), "PNG") ? 0 : -1;
}

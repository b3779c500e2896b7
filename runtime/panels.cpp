// SPDX-License-Identifier: GPL-3.0-or-later
// Loading, showing, hiding and discarding panels.
#include <QCoreApplication>
#include <QDir>

#include <cstdio>

#include "runtime/com_dispatch.h"
#include "runtime/panel_file.h"
#include "runtime/registry.h"
#include "runtime/serial_port_table.h"
#include "runtime/view.h"

namespace kvor::rt {

// A control is shown on its panel's window, or held as a value where there is none.
std::unique_ptr<Control> MakeControl(const Panel& panel, const ControlDef& def) {
    if (panel.view) return panel.view->makeControl(panel.handle, def);
    return MakeValueControl(panel.handle, def);
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
    ring->setItems(PortTableItems(), ToDouble(current));
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
    ring->setItems(PortTableItems(), current);
    const int id = ring->id();
    ring->setBeforeOpen([panel, id] {
        RefreshComPortTable(OpenComPortNumbers());
        ListPortsIn(panel, id);
    });
    g_portSelectors.emplace_back(panel, id);
    SetComPortTableListener(ListPortsInEverySelector);
    WatchForDevices();
}

} // namespace kvor::rt

using namespace kvor::rt;

int LoadPanel(int, const char* file, int resource) {
    if (QCoreApplication::instance() == nullptr || file == nullptr) return -1;
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
    if (View* view = InstalledView()) raw->view = view->makePanelView(handle, def);
    for (const ControlDef& c : def.controls) {
        std::unique_ptr<Control> control = MakeControl(*raw, c);
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
    if (p->view) p->view->show();
    return 0;
}

int HidePanel(int panel) {
    Panel* p = FindPanel(panel);
    if (p == nullptr) return -1;
    if (p->view) p->view->hide();
    return 0;
}

int DiscardPanel(int panel) {
    if (FindPanel(panel) == nullptr) return -1;
    RemovePanel(panel);
    return 0;
}

int GetPanelControlCount(int panel) {
    Panel* p = FindPanel(panel);
    return p == nullptr ? -1 : p->controls.size();
}

int SavePanelImage(int panel, const char* pngFile) {
    Panel* p = FindPanel(panel);
    if (p == nullptr || pngFile == nullptr || !p->view) return -1;
    return p->view->savePicture(QString::fromUtf8(pngFile));
}

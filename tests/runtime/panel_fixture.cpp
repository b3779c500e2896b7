// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/runtime/panel_fixture.h"

#include "runtime/registry.h"

namespace kvor::test {

std::vector<Event>& RecordedEvents() {
    static std::vector<Event> events;
    return events;
}

int RecordEvent(int, int control, int event, void*, int, int) {
    RecordedEvents().push_back({control, event});
    return 0;
}

void PanelTest::SetUp() {
    RecordedEvents().clear();
    RegisterCtrlCallback("Record", RecordEvent);
}

void PanelTest::TearDown() {
    for (int p : panels_)
        DiscardPanel(p);
}

std::string PanelTest::WritePanelFile(const std::string& json) {
    const QString path = dir_.filePath(QStringLiteral("panel.uir"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(json.data(), static_cast<qint64>(json.size()));
    return path.toStdString();
}

int PanelTest::Load(const std::string& json, int resource) {
    const int handle = LoadPanel(0, WritePanelFile(json).c_str(), resource);
    if (handle > 0) panels_.push_back(handle);
    return handle;
}

} // namespace kvor::test

// SPDX-License-Identifier: GPL-3.0-or-later
// The port table while adapters come and go: numbers stay with their devices, new devices get
// numbers never used, the port in use stays, and the port selector shows the table as it is
// whenever the operator opens it.
#include <QComboBox>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <map>

#include "runtime/serial_port_table.h"
#include "tests/runtime/panel_fixture.h"
#include "tests/runtime/serial_pty.h"
#include "tests/support/harness.h"

namespace kvor::test {
namespace {

using rt::ComPortEntry;
using rt::FoundPort;
using rt::NumberPorts;

TEST(PortNumbering, NumbersNeverMoveToAnotherDeviceWhateverIsPluggedOrPulled) {
    const QStringList universe{"/dev/ttyS0",   "/dev/ttyS1",   "/dev/ttyS10",  "/dev/ttyUSB0",
                               "/dev/ttyUSB1", "/dev/ttyUSB2", "/dev/ttyACM0", "/dev/ttyACM1"};
    for (quint32 seed = 1; seed <= 200; ++seed) {
        QRandomGenerator random(seed);
        std::vector<ComPortEntry> table;
        std::map<int, QString> everGiven; // number -> the one device it ever meant
        std::map<QString, int> numberOf;
        rt::PortNumbering numbering;
        for (int reading = 0; reading < 30; ++reading) {
            std::vector<FoundPort> found;
            for (const QString& d : universe)
                if (random.bounded(3) != 0) found.push_back({d, d, QString(), QString()});
            std::set<int> inUse;
            for (const ComPortEntry& e : table)
                if (random.bounded(4) == 0) inUse.insert(e.number);
            const std::vector<ComPortEntry> before = table;
            table = NumberPorts(found, before, inUse, &numbering);

            if (reading == 0) // the first reading numbers the ports found from 1, in their order
                for (std::size_t i = 0; i < table.size(); ++i) {
                    ASSERT_EQ(table[i].number, static_cast<int>(i) + 1);
                    ASSERT_EQ(table[i].device, found[i].device);
                }
            for (std::size_t i = 0; i < table.size(); ++i) {
                const ComPortEntry& e = table[i];
                ASSERT_NE(e.number, rt::kSimulatedSensorPort);
                if (i > 0) {
                    ASSERT_LT(table[i - 1].number, e.number);
                }
                const auto [it, fresh] = everGiven.emplace(e.number, e.device);
                ASSERT_EQ(it->second, e.device) << "seed " << seed << ": number " << e.number;
                // ... and a device plugged in again gets the number it had
                const auto [had, first] = numberOf.emplace(e.device, e.number);
                ASSERT_EQ(had->second, e.number) << e.device.toStdString();
            }
            for (const ComPortEntry& old : before) {
                const bool present = std::any_of(found.begin(), found.end(),
                                                 [&](auto& f) { return f.device == old.device; });
                const auto now = std::find_if(table.begin(), table.end(),
                                              [&](auto& e) { return e.device == old.device; });
                if (present || inUse.count(old.number)) {
                    ASSERT_NE(now, table.end()) << old.device.toStdString();
                    ASSERT_EQ(now->number, old.number) << old.device.toStdString();
                } else {
                    ASSERT_EQ(now, table.end()) << old.device.toStdString();
                }
            }
            for (const FoundPort& f : found)
                ASSERT_TRUE(std::any_of(table.begin(), table.end(),
                                        [&](auto& e) { return e.device == f.device; }));
        }
    }
}

// An adapter is known by its serial number, or where it has none by the place it is plugged
// into, whatever device name the system gives it this time.
TEST(PortNumbering, AnAdapterPluggedInAgainGetsItsNumberByItsSerialOrItsPlace) {
    rt::PortNumbering n;
    const FoundPort ftdi{"/dev/ttyUSB0", "/dev/ttyUSB0", "FT232R (A5)", "serial 0403:6001 A5"};
    const FoundPort ch340{"/dev/ttyUSB1", "/dev/ttyUSB1", "USB Serial", "place usb-0:1.2:1.0"};
    NumberPorts({ftdi, ch340}, {}, {}, &n);
    const auto numbers = [&](std::vector<FoundPort> found) {
        std::vector<int> got;
        for (const ComPortEntry& e : NumberPorts(found, {}, {}, &n))
            got.push_back(e.number);
        return got;
    };
    EXPECT_EQ(numbers({{"/dev/ttyUSB1", "", "", ftdi.identity}}), std::vector<int>{1});
    EXPECT_EQ(numbers({{"/dev/ttyUSB0", "", "", ch340.identity}}), std::vector<int>{2});
    EXPECT_EQ(numbers({{"/dev/ttyUSB0", "", "", "serial 0403:6001 B7"}}), std::vector<int>{3});
    EXPECT_EQ(numbers({ftdi, {"/dev/ttyUSB2", "", "", ftdi.identity}}), (std::vector<int>{1, 4}));
}

TEST(PortNumbering, NewDevicesStepOverTheSimulatedSensorsNumber) {
    rt::PortNumbering numbering{rt::kSimulatedSensorPort - 1, {}};
    const auto table = NumberPorts({{"/dev/a", "/dev/a", "", ""}, {"/dev/b", "/dev/b", "", ""}}, {},
                                   {}, &numbering);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].number, rt::kSimulatedSensorPort - 1);
    EXPECT_EQ(table[1].number, rt::kSimulatedSensorPort + 1);
}

class PortSelectorList : public PanelTest {};

TEST_F(PortSelectorList, OpeningTheSelectorShowsTheTableAsItIsNowAndKeepsTheChoice) {
    ScopedEnv env("KVOR_COM_PORTS", "/dev/kvor-a:/dev/kvor-b");
    const int p = Load(R"({"panels":[{"resource":1,"title":"t","size":[400,100],"controls":[
     {"id":2,"kind":"ring","type":"i32","rect":[10,10,300,26],"label":"Serial port",
      "items_from":"serial_ports","value":2,"callback":"Record","events":["commit","value changed"]}
    ]}]})");
    ASSERT_GT(p, 0);
    DisplayPanel(p);
    auto* ring = qobject_cast<QComboBox*>(Control(p, 2));
    ASSERT_NE(ring, nullptr);
    const auto items = [ring] {
        QStringList texts;
        for (int i = 0; i < ring->count(); ++i)
            texts << ring->itemText(i);
        return texts;
    };
    EXPECT_EQ(items(), (QStringList{"COM1 \u2013 /dev/kvor-a", "COM2 \u2013 /dev/kvor-b",
                                    "Simulated sensor"}));
    ScopedEnv plugged("KVOR_COM_PORTS", "/dev/kvor-a:/dev/kvor-b:/dev/kvor-c");
    ring->showPopup();
    EXPECT_EQ(items(), (QStringList{"COM1 \u2013 /dev/kvor-a", "COM2 \u2013 /dev/kvor-b",
                                    "COM3 \u2013 /dev/kvor-c", "Simulated sensor"}));
    ring->hidePopup();
    ScopedEnv pulled("KVOR_COM_PORTS", "/dev/kvor-a");
    ring->showPopup();
    ring->hidePopup();
    // The chosen number is no longer in the table: it stays shown as it was, not moved.
    std::int32_t chosen = 0;
    GetCtrlVal(p, 2, &chosen);
    EXPECT_EQ(chosen, 2);
    EXPECT_EQ(items().size(), 3);
    EXPECT_TRUE(RecordedEvents().empty()); // the lists changed, the operator picked nothing

    // A device that comes while the list is closed: the system's notice updates it at once.
    QTemporaryDir devices;
    rt::WatchDeviceFolder(devices.path());
    ScopedEnv plugged2("KVOR_COM_PORTS", "/dev/kvor-a:/dev/kvor-d");
    QFile node(devices.filePath("kvor-d"));
    ASSERT_TRUE(node.open(QIODevice::WriteOnly));
    EXPECT_TRUE(PumpUntil([&] { return items().contains("COM2 \u2013 /dev/kvor-d"); }, 30.0))
        << items().join(", ").toStdString();
}

} // namespace
} // namespace kvor::test

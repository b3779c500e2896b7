// The port table: which device each port number of the program stands for.
#pragma once

#include <QString>
#include <functional>
#include <set>
#include <vector>

namespace kvor::rt {

// The "Simulated sensor" entry's number. Real ports are numbered from 1 in the order found and
// never reach it (Windows counts COM ports up to 256), so port 1 is never the simulation.
inline constexpr int kSimulatedSensorPort = 1000;

struct ComPortEntry {
    int number = 0;
    QString device;         // what QSerialPort opens (a system location such as /dev/ttyS0)
    QString shownName;      // how the port selector names it
    QString description;    // what the machine tells about it; may be empty
    bool simulated = false; // the simulated sensor (the fixed entry, or named in KVOR_COM_PORTS)
};

// Entries by ascending number; the fixed "Simulated sensor" entry is always the last.
struct ComPortTable {
    std::vector<ComPortEntry> ports;
    const ComPortEntry* find(int port) const;
    // Whether there is any port besides the fixed "Simulated sensor" entry.
    bool hasPorts() const { return ports.size() > 1; }
};

// The word in KVOR_COM_PORTS that names the simulated sensor instead of a device path.
inline constexpr const char* kSimulatedSensorWord = "simulated";

// The table as last read (read afresh first when KVOR_COM_PORTS has changed since).
const ComPortTable& CurrentComPortTable();
// Reads the table afresh. With KVOR_COM_PORTS set, its entries are ports 1..N in order (an empty
// value means no real port). Otherwise the machine's serial ports, in natural name order at the
// first reading; later readings keep every known device's number, give a new device the next
// number never used, drop a device that is gone unless its number is in `inUse`, and never give
// a number to another device.
void RefreshComPortTable(const std::set<int>& inUse);

// Device names and descriptions of the machine's serial ports, sorted by natural name order.
struct FoundPort {
    QString device, shownName, description;
};
// The numbering rule above, on its own: `previous` is the table before, `nextNumber` the lowest
// number never given yet (1 before the first reading); it advances past every number given.
std::vector<ComPortEntry> NumberPorts(const std::vector<FoundPort>& found,
                                      const std::vector<ComPortEntry>& previous,
                                      const std::set<int>& inUse, int* nextNumber);

// Called after every reading that changed the table (the port selectors refresh their lists).
void SetComPortTableListener(std::function<void()> listener);
// Reads the table again whenever the system adds or removes a device (on Linux, a node in /dev).
void WatchForDevices();
// The same for any folder whose entries come and go with devices.
void WatchDeviceFolder(const QString& folder);

// "COM1 – /dev/ttyS0 (description)", or "Simulated sensor"; empty for a number outside the table.
QString ComPortLabel(const ComPortTable& table, int port);

} // namespace kvor::rt

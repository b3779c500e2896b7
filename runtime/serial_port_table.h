// SPDX-License-Identifier: GPL-3.0-or-later
// The port table: which device each port number of the program stands for.
#pragma once

#include <QString>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "runtime/port_access.h"

namespace kvor::rt {

// The "Simulated sensor" entry's number. Real ports are numbered from 1 in the order found and
// never reach it (Windows counts COM ports up to 256), so port 1 is never the simulation.
inline constexpr int kSimulatedSensorPort = 1000;

struct ComPortEntry {
    int number = 0;
    QString device;         // what QSerialPort opens (a system location such as /dev/ttyS0)
    QString shownName;      // how the port selector names it
    QString description;    // the adapter's product and serial number; may be empty
    bool simulated = false; // the simulated sensor (the fixed entry, or named in KVOR_COM_PORTS)
    QString problem;        // why it cannot be opened, in a few words; empty when none is known
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
// `identity` is what stays when an adapter is plugged in again: its serial number, or where
// it has none the place it is plugged into (by-path); empty for the device name itself.
struct FoundPort {
    QString device, shownName, description, identity;
};
// Every number given so far, by the identity it was given to.
struct PortNumbering {
    int next = 1; // the lowest number never given yet
    std::map<QString, int> given;
};
// The numbering rule above, on its own: `previous` is the table before. A device whose identity
// had a number before gets it again, even after it was gone.
std::vector<ComPortEntry> NumberPorts(const std::vector<FoundPort>& found,
                                      const std::vector<ComPortEntry>& previous,
                                      const std::set<int>& inUse, PortNumbering* numbering);

// Why the last opening of a device failed, shown in its entry until it is opened again.
void NoteOpenFailure(const QString& device, const PortAccess& why);
void ForgetOpenFailure(const QString& device);
// The reason noted for a device, in full; empty when none is.
QString OpenFailureText(const QString& device);

// Called after every reading that changed the table (the port selectors refresh their lists).
void SetComPortTableListener(std::function<void()> listener);
// Reads the table again whenever the system adds or removes a device (on Linux, a node in /dev).
void WatchForDevices();
// The same for any folder whose entries come and go with devices.
void WatchDeviceFolder(const QString& folder);

// The station of an entry (see GetComPortStation): the identity the numbering gives it, or its
// device name where the adapter tells none.
QString ComPortStation(const ComPortEntry& entry);

// "COM1 – FT232R USB UART (A50285BI) – /dev/ttyUSB0", "COM2 – /dev/ttyS0 [no permission – ...]",
// or "Simulated sensor"; empty for a number outside the table.
QString ComPortLabel(const ComPortTable& table, int port);

} // namespace kvor::rt

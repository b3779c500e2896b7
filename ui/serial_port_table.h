// The port table: which device each port number of the program stands for.
#pragma once

#include <QString>
#include <vector>

namespace kvor::rt {

struct ComPortEntry {
    QString device;      // what QSerialPort opens (a system location such as /dev/ttyS0)
    QString shownName;   // how the port selector names it
    QString description; // what the machine tells about it; may be empty
};

// Ports 1..N are `ports`; port N + 1 is the simulated sensor.
struct ComPortTable {
    std::vector<ComPortEntry> ports;

    int simulatedPort() const { return static_cast<int>(ports.size()) + 1; }
    int count() const { return simulatedPort(); }
    bool isRealPort(int port) const { return port >= 1 && port <= static_cast<int>(ports.size()); }
};

// Reads the table afresh: the paths of KVOR_COM_PORTS when that variable is set (an empty value
// means no real port at all), otherwise the serial ports the machine reports, in natural name
// order (ttyS2 before ttyS10).
ComPortTable ReadComPortTable();

// "COM1 – /dev/ttyS0 (description)", or "Simulated sensor"; empty for a number outside the table.
QString ComPortLabel(const ComPortTable& table, int port);

} // namespace kvor::rt

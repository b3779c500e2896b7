#include "ui/serial_port_table.h"

#include <QDir>
#include <QSerialPortInfo>
#include <QStringList>
#include <algorithm>

namespace kvor::rt {
namespace {

// Digit runs compare by value, so ttyUSB2 comes before ttyUSB10 and COM9 before COM10.
bool NaturalLess(const QString& a, const QString& b) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype ei = i;
            qsizetype ej = j;
            while (ei < a.size() && a[ei].isDigit())
                ++ei;
            while (ej < b.size() && b[ej].isDigit())
                ++ej;
            QStringView da = QStringView(a).mid(i, ei - i);
            QStringView db = QStringView(b).mid(j, ej - j);
            while (da.size() > 1 && da.front() == u'0')
                da = da.mid(1);
            while (db.size() > 1 && db.front() == u'0')
                db = db.mid(1);
            if (da.size() != db.size()) return da.size() < db.size();
            if (const int c = da.compare(db); c != 0) return c < 0;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j]) return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

std::vector<ComPortEntry> PortsFromEnvironment(const QString& list) {
    std::vector<ComPortEntry> ports;
    for (const QString& path : list.split(QDir::listSeparator(), Qt::SkipEmptyParts))
        ports.push_back({path.trimmed(), path.trimmed(), QString()});
    std::erase_if(ports, [](const ComPortEntry& e) { return e.device.isEmpty(); });
    return ports;
}

std::vector<ComPortEntry> PortsOfMachine() {
    QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    std::sort(infos.begin(), infos.end(), [](const QSerialPortInfo& a, const QSerialPortInfo& b) {
        return NaturalLess(a.portName(), b.portName());
    });
    std::vector<ComPortEntry> ports;
    for (const QSerialPortInfo& info : infos) {
#ifdef Q_OS_WIN
        // "COM3" reads better than the system location "\\.\COM3".
        ports.push_back({info.systemLocation(), info.portName(), info.description()});
#else
        ports.push_back({info.systemLocation(), info.systemLocation(), info.description()});
#endif
    }
    return ports;
}

} // namespace

ComPortTable ReadComPortTable() {
    if (qEnvironmentVariableIsSet("KVOR_COM_PORTS"))
        return {PortsFromEnvironment(qEnvironmentVariable("KVOR_COM_PORTS"))};
    return {PortsOfMachine()};
}

QString ComPortLabel(const ComPortTable& table, int port) {
    if (port == table.simulatedPort()) return QStringLiteral("Simulated sensor");
    if (!table.isRealPort(port)) return QString();
    const ComPortEntry& entry = table.ports[static_cast<std::size_t>(port - 1)];
    QString label = QStringLiteral("COM%1 \u2013 %2").arg(port).arg(entry.shownName);
    if (!entry.description.isEmpty()) label += QStringLiteral(" (%1)").arg(entry.description);
    return label;
}

} // namespace kvor::rt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/serial_port_table.h"
#include "runtime/translation.h"

#include "runtime/com_dispatch.h"
#include "runtime/program_text.h"
#include "runtime/runtime.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QPointer>
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

ComPortEntry SimulatedEntry(int number) {
    return {number,    QString(), QString::fromUtf8(N_("Simulated sensor")),
            QString(), true,      QString()};
}

std::vector<ComPortEntry> PortsFromEnvironment(const QString& list) {
    std::vector<ComPortEntry> ports;
    for (const QString& part : list.split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
        const QString path = part.trimmed();
        const int number = static_cast<int>(ports.size()) + 1;
        if (path == QLatin1String(kSimulatedSensorWord))
            ports.push_back(SimulatedEntry(number));
        else if (!path.isEmpty())
            ports.push_back({number, path, path, QString(), false, QString()});
    }
    return ports;
}

// Where each device is plugged in, by the system's by-path links: device -> link name.
std::map<QString, QString> PlacesOfDevices() {
    std::map<QString, QString> places;
#ifdef Q_OS_LINUX
    const QDir folder(QStringLiteral("/dev/serial/by-path"));
    for (const QFileInfo& link : folder.entryInfoList(QDir::System | QDir::Files))
        places[link.canonicalFilePath()] = link.fileName();
#endif
    return places;
}

// "FT232R USB UART (A50285BI)": the product as the adapter names it, and its serial number.
QString AdapterName(const QSerialPortInfo& info) {
    QString name = info.description();
    if (!info.serialNumber().isEmpty())
        name += (name.isEmpty() ? QStringLiteral("%1") : QStringLiteral(" (%1)"))
                    .arg(info.serialNumber());
    return name;
}

QString Identity(const QSerialPortInfo& info, const std::map<QString, QString>& places) {
    if (!info.serialNumber().isEmpty())
        return QStringLiteral("serial %1:%2 %3")
            .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
            .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'))
            .arg(info.serialNumber());
    const auto place = places.find(QFileInfo(info.systemLocation()).canonicalFilePath());
    return place != places.end() ? QStringLiteral("place ") + place->second : QString();
}

std::vector<FoundPort> PortsOfMachine() {
    QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    std::sort(infos.begin(), infos.end(), [](const QSerialPortInfo& a, const QSerialPortInfo& b) {
        return NaturalLess(a.portName(), b.portName());
    });
    const std::map<QString, QString> places = PlacesOfDevices();
    std::vector<FoundPort> ports;
    for (const QSerialPortInfo& info : infos) {
#ifdef Q_OS_WIN
        // "COM3" reads better than the system location "\\.\COM3".
        const QString shown = info.portName();
#else
        const QString shown = info.systemLocation();
#endif
        ports.push_back({info.systemLocation(), shown, AdapterName(info), Identity(info, places)});
    }
    return ports;
}

std::map<QString, PortAccess> g_openFailures; // by device as the table names it

// What the entry's device is known to refuse: the last failed opening, else what can be seen
// without opening it.
QString ProblemOf(const ComPortEntry& e) {
    if (e.simulated) return {};
    const auto failed = g_openFailures.find(e.device);
    if (failed != g_openFailures.end()) return failed->second.brief;
    return ProbePort(RealDevicePath(e.device)).brief;
}

ComPortTable g_table;
PortNumbering g_numbering;
std::function<void()> g_listener;
QString g_source; // "env:<value>" or "machine": a change of source starts the numbering afresh

QString SourceNow() {
    return qEnvironmentVariableIsSet("KVOR_COM_PORTS")
               ? QStringLiteral("env:") + qEnvironmentVariable("KVOR_COM_PORTS")
               : QStringLiteral("machine");
}

bool SameTable(const ComPortTable& a, const ComPortTable& b) {
    if (a.ports.size() != b.ports.size()) return false;
    for (std::size_t i = 0; i < a.ports.size(); ++i) {
        const ComPortEntry& x = a.ports[i];
        const ComPortEntry& y = b.ports[i];
        if (x.number != y.number || x.device != y.device || x.description != y.description ||
            x.simulated != y.simulated || x.problem != y.problem)
            return false;
    }
    return true;
}

} // namespace

const ComPortEntry* ComPortTable::find(int port) const {
    for (const ComPortEntry& e : ports)
        if (e.number == port) return &e;
    return nullptr;
}

std::vector<ComPortEntry> NumberPorts(const std::vector<FoundPort>& found,
                                      const std::vector<ComPortEntry>& previous,
                                      const std::set<int>& inUse, PortNumbering* numbering) {
    std::vector<ComPortEntry> ports;
    std::set<QString> seen;
    for (const FoundPort& f : found) {
        QString identity = f.identity.isEmpty() ? QStringLiteral("device ") + f.device : f.identity;
        // Two adapters that share a serial number are still two ports.
        if (!seen.insert(identity).second) identity += QStringLiteral(" at ") + f.device;
        seen.insert(identity);
        const auto known = numbering->given.find(identity);
        int number = 0;
        if (known != numbering->given.end()) {
            number = known->second;
        } else {
            if (numbering->next == kSimulatedSensorPort) ++numbering->next;
            number = numbering->next++;
            numbering->given[identity] = number;
        }
        ports.push_back({number, f.device, f.shownName, f.description, false, QString()});
    }
    // A port in use keeps its entry while it is open, even when its device is gone.
    for (const ComPortEntry& e : previous) {
        const bool stillFound = std::any_of(ports.begin(), ports.end(),
                                            [&](const auto& p) { return p.number == e.number; });
        if (!e.simulated && !stillFound && inUse.count(e.number) != 0) ports.push_back(e);
    }
    std::sort(ports.begin(), ports.end(),
              [](const auto& a, const auto& b) { return a.number < b.number; });
    return ports;
}

const ComPortTable& CurrentComPortTable() {
    if (g_source != SourceNow()) RefreshComPortTable(OpenComPortNumbers());
    return g_table;
}

void RefreshComPortTable(const std::set<int>& inUse) {
    ComPortTable table;
    const bool fromEnvironment = qEnvironmentVariableIsSet("KVOR_COM_PORTS");
    const QString source = SourceNow();
    if (fromEnvironment) {
        // A script's list: port n is its n-th entry, read as it stands now.
        table.ports = PortsFromEnvironment(qEnvironmentVariable("KVOR_COM_PORTS"));
    } else {
        std::vector<ComPortEntry> previous;
        if (g_source == source) {
            previous = g_table.ports;
        } else {
            g_numbering = PortNumbering{};
        }
        std::erase_if(previous, [](const auto& e) { return e.number == kSimulatedSensorPort; });
        table.ports = NumberPorts(PortsOfMachine(), previous, inUse, &g_numbering);
    }
    for (ComPortEntry& e : table.ports)
        e.problem = ProblemOf(e);
    table.ports.push_back(SimulatedEntry(kSimulatedSensorPort));
    const bool changed = !SameTable(table, g_table) || g_source != source;
    g_table = std::move(table);
    g_source = source;
    if (changed && g_listener) g_listener();
}

void SetComPortTableListener(std::function<void()> listener) {
    g_listener = std::move(listener);
}

void WatchDeviceFolder(const QString& folder) {
    static QPointer<QFileSystemWatcher> watcher;
    if (QCoreApplication::instance() == nullptr) return;
    if (!watcher) {
        watcher = new QFileSystemWatcher(QCoreApplication::instance());
        QObject::connect(watcher, &QFileSystemWatcher::directoryChanged,
                         [] { RefreshComPortTable(OpenComPortNumbers()); });
    }
    if (!watcher->directories().contains(folder)) watcher->addPath(folder);
}

void WatchForDevices() {
#ifdef Q_OS_LINUX
    // Plugging in or pulling out an adapter adds or removes its node in /dev.
    WatchDeviceFolder(QStringLiteral("/dev"));
#endif
}

void NoteOpenFailure(const QString& device, const PortAccess& why) {
    g_openFailures[device] = why;
}

void ForgetOpenFailure(const QString& device) {
    g_openFailures.erase(device);
}

QString OpenFailureText(const QString& device) {
    const auto failed = g_openFailures.find(device);
    return failed != g_openFailures.end() ? failed->second.full : QString();
}

QString ComPortStation(const ComPortEntry& entry) {
    if (entry.simulated) return QStringLiteral("simulated sensor");
    const QString device = QFileInfo(entry.device).canonicalFilePath();
    const std::map<QString, QString> places = PlacesOfDevices();
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (device.isEmpty() || QFileInfo(info.systemLocation()).canonicalFilePath() != device)
            continue;
        const QString identity = Identity(info, places);
        if (!identity.isEmpty()) return identity;
    }
    // A device the system lists no adapter for (a script's port, a pseudo-terminal) may still
    // have a place.
    const auto place = places.find(device);
    return place != places.end() ? QStringLiteral("place ") + place->second
                                 : QStringLiteral("device ") + entry.device;
}

QString ComPortLabel(const ComPortTable& table, int port) {
    const ComPortEntry* entry = table.find(port);
    if (entry == nullptr) return QString();
    // The simulated sensor's name in the operator's language; a device's as the system names it.
    const QString name = entry->simulated ? Shown(entry->shownName) : entry->shownName;
    if (port == kSimulatedSensorPort) return name;
    QString label = QStringLiteral("COM%1 \u2013 ").arg(port);
    if (!entry->description.isEmpty()) label += entry->description + QStringLiteral(" \u2013 ");
    label += name;
    if (!entry->problem.isEmpty()) label += QStringLiteral(" [%1]").arg(entry->problem);
    return label;
}

} // namespace kvor::rt

using namespace kvor::rt;

int GetComPortStation(int port, char* text, std::size_t size) {
    if (!text || size == 0) return kComErrInvalidParameter;
    text[0] = '\0';
    const ComPortEntry* entry = CurrentComPortTable().find(port);
    if (entry == nullptr) return kComErrInvalidPort;
    CopyOut(ComPortStation(*entry), text, size);
    return 0;
}

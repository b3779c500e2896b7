// SPDX-License-Identifier: GPL-3.0-or-later
// The serial ports of the runtime: the port numbers the program uses, over SerialLine, and the
// receive callbacks that event processing runs.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <vector>

#include "runtime/com_dispatch.h"
#include "runtime/line_trace.h"
#include "runtime/program_text.h"
#include "runtime/registry.h"
#include "runtime/runtime.h"
#include "runtime/serial_line.h"
#include "runtime/serial_port_table.h"
#include "runtime/simulated_port.h"

namespace kvor::rt {
namespace {

// Queue sizes below this are the classic runtime's way of asking for its default.
constexpr int kSmallestQueue = 30;
constexpr int kDefaultQueue = 512;
constexpr int kLargestQueue = 1 << 20;
constexpr double kDefaultTimeoutSeconds = 5.0;
// No wait of a serial call may hold the panel longer than this.
constexpr double kLongestTimeoutSeconds = 3600.0;
// GetInQLen calls closer together than this, with nothing new, are a tight polling loop.
constexpr qint64 kTightPollNs = 500'000;
constexpr int kTightPollWaitMs = 4;

struct ComCallback {
    int eventMask = 0;
    int notifyCount = 0;
    ComCallbackPtr function = nullptr;
    void* data = nullptr;
    // The queue length at the last call that took no byte: a callback that leaves the bytes
    // where they are is called again only when more arrive, not on every event pass. -1 once
    // bytes have been read or flushed.
    int idleLength = -1;
};

struct OpenPort {
    // Declared before the line so that the line closes first and the simulator sees the hang-up.
    std::unique_ptr<SimulatorProcess> simulator;
    std::unique_ptr<SerialLine> line;
    double timeoutSeconds = kDefaultTimeoutSeconds;
    ComCallback callback;
    QElapsedTimer lastQueueQuery;
    int lastQueueLength = -1;
};

std::map<int, std::unique_ptr<OpenPort>> g_ports;
// Ports whose receive callback is running; a callback that processes events is not re-entered.
std::vector<int> g_portsInCallback;

class InCallback {
  public:
    explicit InCallback(int port) : port_(port) { g_portsInCallback.push_back(port); }
    ~InCallback() {
        const auto it = std::find(g_portsInCallback.begin(), g_portsInCallback.end(), port_);
        if (it != g_portsInCallback.end()) g_portsInCallback.erase(it);
    }
    InCallback(const InCallback&) = delete;
    InCallback& operator=(const InCallback&) = delete;

    static bool running(int port) {
        return std::find(g_portsInCallback.begin(), g_portsInCallback.end(), port) !=
               g_portsInCallback.end();
    }

  private:
    int port_;
};

void NoteVanished(int port) {
    LineTrace::instance().portEvent(
        port, QStringLiteral("the line has vanished: the adapter was unplugged, the peer hung up, "
                             "or the system took the device away (brltty, see the README); "
                             "the port is released"));
}

// The open port behind a number, or the code of why there is none usable.
int Find(int port, OpenPort** open) {
    if (port < 1) return kComErrInvalidPort;
    const auto it = g_ports.find(port);
    if (it == g_ports.end()) return kComErrPortNotOpen;
    // Looks at the terminal unless a call a moment ago did: a pass of calls looks once.
    if (!it->second->line->aliveStill()) return kComErrIO;
    *open = it->second.get();
    return 0;
}

int QueueSize(int asked) {
    return asked < kSmallestQueue ? kDefaultQueue : asked;
}

bool MakeSettings(long baudRate, int parity, int dataBits, int stopBits, int inputQueueSize,
                  int outputQueueSize, LineSettings* settings) {
    static constexpr QSerialPort::Parity kParities[] = {
        QSerialPort::NoParity, QSerialPort::OddParity, QSerialPort::EvenParity,
        QSerialPort::MarkParity, QSerialPort::SpaceParity};
    if (baudRate < 1 || baudRate > 4'000'000 || parity < 0 || parity > 4 || dataBits < 5 ||
        dataBits > 8 || stopBits < 1 || stopBits > 2 || inputQueueSize < 0 ||
        inputQueueSize > kLargestQueue || outputQueueSize < 0 || outputQueueSize > kLargestQueue)
        return false;
    settings->baudRate = static_cast<qint32>(baudRate);
    settings->parity = kParities[parity];
    settings->dataBits = static_cast<QSerialPort::DataBits>(dataBits);
    settings->stopBits = stopBits == 1 ? QSerialPort::OneStop : QSerialPort::TwoStop;
    settings->inputQueueSize = QueueSize(inputQueueSize);
    return true;
}

void CloseAllOnExit() {
    CloseAllComPorts();
}

// Ports must be closed and simulators ended while the application object still exists.
void CloseWithApplication() {
    qRemovePostRoutine(CloseAllOnExit);
    qAddPostRoutine(CloseAllOnExit);
}

// Whether the port has a receive callback installed that is not running now.
bool AwaitsBytes(int port, const ComCallback& cb) {
    return cb.function && (cb.eventMask & LWRS_RECEIVE) && !InCallback::running(port);
}

// Whether the port's receive callback is due with `waiting` bytes in the queue: installed, not
// running, its notify count waiting and not already offered to it unchanged.
bool CallbackDue(int port, const OpenPort& open, int waiting) {
    const ComCallback& cb = open.callback;
    if (!AwaitsBytes(port, cb)) return false;
    return waiting >= cb.notifyCount && waiting > cb.idleLength;
}

void BytesTaken(OpenPort& open) {
    open.callback.idleLength = -1;
}

} // namespace

namespace {

// One port's look and, when its notify count is waiting, its receive callback; true when it ran.
// Without a look, only the bytes already in the queue count.
bool DispatchPort(int port, OpenPort& open, bool look) {
    // Every line is looked at, with a callback or not: a vanished one is closed at once, as its
    // hung-up descriptor would wake the event loop on every pass.
    const int waiting = look ? open.line->waiting(0) : open.line->inQueue();
    if (waiting < 0 || !CallbackDue(port, open, waiting)) return false;
    ComCallback& cb = open.callback;
    const ComCallbackPtr function = cb.function;
    void* const data = cb.data;
    cb.idleLength = waiting;
    const InCallback guard(port);
    function(port, LWRS_RECEIVE, data);
    return true;
}

} // namespace

bool DispatchComCallbacks(ComLook look) {
    bool ran = false;
    // A callback may close, reopen or uninstall any port, its own included: the next port is
    // found afresh after each.
    for (auto it = g_ports.begin(); it != g_ports.end();) {
        const int port = it->first;
        if (DispatchPort(port, *it->second, look == ComLook::Lines)) ran = true;
        it = g_ports.upper_bound(port);
    }
    return ran;
}

double ComBytesInTransitSeconds() {
    double least = 0;
    for (const auto& [port, open] : g_ports) {
        const ComCallback& cb = open->callback;
        if (!AwaitsBytes(port, cb)) continue;
        const int arrived = open->line->inQueue();
        // Nothing yet: the answer may not have been sent at all. All there: nothing to wait for.
        if (arrived <= 0 || arrived >= cb.notifyCount) continue;
        const double seconds = (cb.notifyCount - arrived) * open->line->secondsPerByte();
        if (least == 0 || seconds < least) least = seconds;
    }
    return least;
}

bool ComCallbackPending() {
    bool pending = false;
    for (auto& [port, open] : g_ports) {
        const int waiting = open->line->waiting(0);
        if (waiting >= 0 && !pending && CallbackDue(port, *open, waiting)) pending = true;
    }
    return pending;
}

std::set<int> OpenComPortNumbers() {
    std::set<int> numbers;
    for (const auto& entry : g_ports)
        numbers.insert(entry.first);
    return numbers;
}

void CloseAllComPorts() {
    g_ports.clear();
}

} // namespace kvor::rt

using namespace kvor::rt;

int OpenComConfig(int port, const char* /*deviceName: the table decides*/, long baudRate,
                  int parity, int dataBits, int stopBits, int inputQueueSize, int outputQueueSize) {
    if (!QCoreApplication::instance()) return kComErrUnknownSystem;
    // The number must still stand for the device the operator chose: the table is read again,
    // and a device that is gone leaves its number unknown rather than passing it on.
    RefreshComPortTable(OpenComPortNumbers());
    const ComPortTable& table = CurrentComPortTable();
    const ComPortEntry* entry = table.find(port);
    if (entry == nullptr) return table.hasPorts() ? kComErrInvalidPort : kComErrNoPortFound;
    const bool simulated = entry->simulated;
    const QString entryDevice = entry->device;
    LineSettings settings;
    if (!MakeSettings(baudRate, parity, dataBits, stopBits, inputQueueSize, outputQueueSize,
                      &settings))
        return kComErrInvalidParameter;

    g_ports.erase(port);
    auto open = std::make_unique<OpenPort>();
    QString device;
    if (simulated) {
        open->simulator = SimulatorProcess::start(&device);
        if (!open->simulator) return kComErrCannotOpen;
    } else {
        device = entryDevice;
    }
    OpenReport report;
    open->line = SerialLine::open(device, settings, &report);
    LineTrace& trace = LineTrace::instance();
    if (!open->line) {
        // The status line keeps the program's own words; the reason goes where the operator
        // looks next: the port's entry in the selector and the line monitor.
        if (!simulated) {
            NoteOpenFailure(entryDevice, report.why);
            RefreshComPortTable(OpenComPortNumbers());
        }
        trace.portEvent(port, QStringLiteral("cannot open %1: %2").arg(device, report.why.full));
        return kComErrCannotOpen;
    }
    if (!simulated) ForgetOpenFailure(entryDevice);
    for (const QString& note : report.notes)
        trace.portEvent(port, note);
    open->line->whenVanished([port] { NoteVanished(port); });
    g_ports[port] = std::move(open);
    CloseWithApplication();
    return 0;
}

int SetComTime(int port, double timeoutSeconds) {
    OpenPort* open = nullptr;
    if (const int code = Find(port, &open); code < 0) return code;
    if (!(timeoutSeconds >= 0.0 && timeoutSeconds <= kLongestTimeoutSeconds))
        return kComErrInvalidParameter;
    open->timeoutSeconds = timeoutSeconds;
    return 0;
}

int SetCTSMode(int port, int mode) {
    OpenPort* open = nullptr;
    if (const int code = Find(port, &open); code < 0) return code;
    if (mode != 0 && mode != 1) return kComErrInvalidParameter;
    return open->line->setHardwareHandshake(mode == 1);
}

int InstallComCallback(int port, int eventMask, int notifyCount, int eventCharacter,
                       ComCallbackPtr callback, void* callbackData) {
    OpenPort* open = nullptr;
    if (const int code = Find(port, &open); code < 0) return code;
    if (eventMask == 0 || !callback) {
        open->callback = ComCallback{};
        open->line->setWakeCount(1);
        return 0;
    }
    if ((eventMask & LWRS_RECEIVE) &&
        (notifyCount < 1 || notifyCount > open->line->inputQueueSize()))
        return kComErrInvalidParameter;
    if ((eventMask & LWRS_RXFLAG) && (eventCharacter < 0 || eventCharacter > 255))
        return kComErrInvalidParameter;
    open->callback = ComCallback{eventMask, notifyCount, callback, callbackData, -1};
    // The operating system counts the notify count's bytes before it wakes the program, unless
    // the program sleeps for the bytes of a frame that has begun to arrive.
    const bool counted = (eventMask & LWRS_RECEIVE) && !GathersFramesBySleeping();
    open->line->setWakeCount(counted ? notifyCount : 1);
    return 0;
}

int ComWrt(int port, const unsigned char* buffer, int count) {
    OpenPort* open = nullptr;
    if (const int code = Find(port, &open); code < 0) return code;
    if (count < 0 || (count > 0 && !buffer)) return kComErrInvalidParameter;
    if (count == 0) return 0;
    const int written = open->line->write(buffer, count);
    if (LineTrace::instance().wanted()) LineTrace::instance().written(port, buffer, count, written);
    return written;
}

int ComRd(int port, unsigned char* buffer, int count) {
    OpenPort* open = nullptr;
    if (const int code = Find(port, &open); code < 0) return code;
    if (count < 0 || (count > 0 && !buffer)) return kComErrInvalidParameter;
    if (count == 0) return 0;
    const int timeoutMs = static_cast<int>(std::lround(open->timeoutSeconds * 1000.0));
    const int got = open->line->read(buffer, count, timeoutMs);
    if (got > 0) BytesTaken(*open);
    if (got >= 0 && LineTrace::instance().wanted())
        LineTrace::instance().read(port, buffer, got, count);
    return got;
}

int GetInQLen(int port) {
    OpenPort* open = nullptr;
    if (const int code = Find(port, &open); code < 0) return code;
    // A caller spinning on the queue length gets the next byte as soon as it arrives, but no
    // longer burns a core while none does.
    const bool tight =
        open->lastQueueQuery.isValid() && open->lastQueueQuery.nsecsElapsed() < kTightPollNs;
    int waiting = open->line->waiting(0);
    if (tight && waiting == open->lastQueueLength && waiting >= 0 &&
        waiting < open->line->inputQueueSize())
        waiting = open->line->waiting(kTightPollWaitMs);
    open->lastQueueLength = waiting;
    open->lastQueueQuery.start();
    return waiting;
}

int FlushInQ(int port) {
    OpenPort* open = nullptr;
    if (const int code = Find(port, &open); code < 0) return code;
    BytesTaken(*open);
    LineTrace& trace = LineTrace::instance();
    if (!trace.wanted()) return open->line->flushInput();
    QByteArray dropped;
    const int result = open->line->flushInput(&dropped);
    trace.flushed(port, dropped);
    return result;
}

int FlushOutQ(int port) {
    OpenPort* open = nullptr;
    if (const int code = Find(port, &open); code < 0) return code;
    return open->line->flushOutput();
}

int CloseCom(int port) {
    if (port < 1) return kComErrInvalidPort;
    const auto it = g_ports.find(port);
    if (it == g_ports.end()) return kComErrPortNotOpen;
    const bool alive = it->second->line->alive();
    g_ports.erase(it);
    return alive ? 0 : kComErrIO;
}

int GetComPortCount() {
    RefreshComPortTable(OpenComPortNumbers());
    return static_cast<int>(CurrentComPortTable().ports.size());
}

int GetComPortNumber(int index) {
    const ComPortTable& table = CurrentComPortTable();
    if (index < 0 || index >= static_cast<int>(table.ports.size())) return kComErrInvalidPort;
    return table.ports[static_cast<std::size_t>(index)].number;
}

int GetSimulatedComPort() {
    return kSimulatedSensorPort;
}

int IsSimulatedComPort(int port) {
    const ComPortEntry* entry = CurrentComPortTable().find(port);
    return entry != nullptr && entry->simulated ? 1 : 0;
}

int GetComPortProblem(int port, char* text, std::size_t size) {
    if (!text || size == 0) return kComErrInvalidParameter;
    text[0] = '\0';
    const ComPortEntry* entry = CurrentComPortTable().find(port);
    if (entry == nullptr) return kComErrInvalidPort;
    QString why = entry->simulated ? QString() : OpenFailureText(entry->device);
    if (why.isEmpty() && !entry->simulated) why = ProbePort(RealDevicePath(entry->device)).full;
    CopyOut(why, text, size);
    return 0;
}

int GetComPortLabel(int port, char* text, std::size_t size) {
    if (!text || size == 0) return kComErrInvalidParameter;
    const QString label = ComPortLabel(CurrentComPortTable(), port);
    if (label.isEmpty()) {
        text[0] = '\0';
        return kComErrInvalidPort;
    }
    CopyOut(label, text, size);
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/line_trace.h"

#include <QLoggingCategory>

#include "runtime/runtime.h"
#include "wire/codec.h"

Q_LOGGING_CATEGORY(lcSerial, "kvor.serial", QtInfoMsg)

namespace kvor::rt {
namespace {

namespace proto = kvor::protocol;

int Word(const QByteArray& b, int offset) {
    return proto::WordAt(reinterpret_cast<const proto::Byte*>(b.constData()) + offset);
}

QString Hex(const QByteArray& bytes, int shown) {
    QString text = QString::fromLatin1(bytes.left(shown).toHex(' '));
    if (bytes.size() > shown) text += QStringLiteral(" …");
    return text;
}

QString Frame(const QByteArray& b, bool zeroData) {
    const int command = Word(b, 2);
    QString text = QStringLiteral("sync 0x%1  cmd %2 |")
                       .arg(Word(b, 0), 4, 16, QLatin1Char('0'))
                       .arg(CommandName(command, zeroData));
    for (int i = 0; i < proto::PNUM; ++i)
        text += QStringLiteral(" %1").arg(Word(b, 4 + 2 * i), 5);
    return text;
}

bool AllDataZero(const unsigned char* data) {
    for (int i = 4; i < proto::kFrameBytes; ++i)
        if (data[i] != 0) return false;
    return true;
}

// The firmware sends its text as bytes, or (board type 0) one character in the low byte of
// each word: the zero bytes between are left out, anything unprintable is shown as a dot.
QString FirmwareText(const QByteArray& b) {
    QString text;
    for (const char c : b) {
        const auto u = static_cast<unsigned char>(c);
        if (u == 0) continue;
        text += u >= 0x20 && u < 0x7F ? QChar(static_cast<char16_t>(u)) : QChar(u'·');
    }
    // The sensor pads its text with blanks to the full 72 bytes.
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return QStringLiteral("firmware text \"%1\"").arg(text);
}

QString VideoBlock(const QByteArray& b) {
    const int samples = static_cast<int>(b.size() / 2);
    if (samples == 0) return QStringLiteral("video block, no whole sample: %1").arg(Hex(b, 8));
    return QStringLiteral("video block, %1 samples, first %2, last %3")
        .arg(samples)
        .arg(Word(b, 0))
        .arg(Word(b, 2 * (samples - 1)));
}

QString ReadText(const TraceEntry& e) {
    if (e.request == proto::CMD_FIRMWARE_INFO) return FirmwareText(e.bytes);
    if (e.request == proto::CMD_READ_VIDEO64 ||
        (e.request == proto::CMD_READ_VIDEO256 && e.zeroData))
        return VideoBlock(e.bytes);
    if (e.bytes.size() == proto::kFrameBytes) return Frame(e.bytes, false);
    return QStringLiteral("bytes %1").arg(Hex(e.bytes, 40));
}

} // namespace

QString CommandName(int command, bool zeroData) {
    static const char* const kNames[] = {
        "",           "write RAM",     "read RAM", "write EEPROM", "read EEPROM",   "echo",
        "teach",      "firmware info", "measure",  "video 64",     "hardware info", "reset min/max",
        "calibration"};
    if (command == proto::CMD_READ_VIDEO256 && zeroData)
        return QStringLiteral("%1 video 256").arg(command);
    if (command >= 1 && command <= 12)
        return QStringLiteral("%1 %2").arg(command).arg(QLatin1String(kNames[command]));
    return QStringLiteral("%1 unknown").arg(command);
}

QStringList TraceFields(const TraceEntry& e) {
    static const char* const kDirections[] = {"out", "in", "flush", "note"};
    QString bytes = QString::number(e.bytes.size());
    QString what;
    switch (e.kind) {
    case TraceKind::Out:
        if (e.asked < 0) what = QStringLiteral("NOT SENT (code %1)  ").arg(e.asked);
        what +=
            e.bytes.size() == proto::kFrameBytes ? Frame(e.bytes, e.zeroData) : Hex(e.bytes, 40);
        break;
    case TraceKind::In:
        what = ReadText(e);
        if (e.bytes.size() < e.asked)
            what += QStringLiteral("  (%1 B asked, time-out)").arg(e.asked);
        break;
    case TraceKind::Flushed:
        what = QStringLiteral("THROWN AWAY by a queue flush: %1").arg(Hex(e.bytes, 40));
        break;
    case TraceKind::Note:
        bytes.clear();
        what = QString::fromUtf8(e.bytes);
        break;
    }
    return {QStringLiteral("%1").arg(e.ms, 10, 'f', 1), QString::number(e.port),
            QLatin1String(kDirections[static_cast<int>(e.kind)]), bytes, what};
}

QString FormatTraceEntry(const TraceEntry& e) {
    const QStringList f = TraceFields(e);
    QString text = QStringLiteral("%1 ms  port %2  %3  ").arg(f[0], f[1]).arg(f[2], -5);
    if (e.kind == TraceKind::Note) return text + QStringLiteral(">>> ") + f[4];
    return text + QStringLiteral("%1 B  ").arg(f[3], 3) + f[4];
}

LineTrace& LineTrace::instance() {
    static LineTrace trace;
    return trace;
}

bool LineTrace::wanted() const {
    return monitorOpen_ || lcSerial().isDebugEnabled();
}

void LineTrace::setMonitorOpen(bool open) {
    monitorOpen_ = open;
}

void LineTrace::clear() {
    entries_.clear();
}

// One clock for every entry, whenever the monitor was opened or cleared: the scope's own.
void LineTrace::add(TraceEntry entry, bool always) {
    entry.ms = Timer() * 1000.0;
    if (lcSerial().isDebugEnabled()) qCDebug(lcSerial).noquote() << FormatTraceEntry(entry);
    if (!monitorOpen_ && !always) return;
    if (entries_.size() >= kCapacity) entries_.pop_front();
    entries_.push_back(std::move(entry));
    ++next_;
}

void LineTrace::written(int port, const unsigned char* data, int count, int result) {
    TraceEntry e;
    e.port = port;
    e.kind = TraceKind::Out;
    e.asked = result < 0 ? result : 0;
    e.bytes = QByteArray(reinterpret_cast<const char*>(data), count);
    if (count == proto::kFrameBytes) {
        e.zeroData = AllDataZero(data);
        lastRequest_[port] = {proto::WordAt(&data[2]), e.zeroData};
    }
    e.request = lastRequest_[port].command;
    add(std::move(e));
}

void LineTrace::read(int port, const unsigned char* data, int count, int asked) {
    TraceEntry e;
    e.port = port;
    e.kind = TraceKind::In;
    e.asked = asked;
    const Request& r = lastRequest_[port];
    e.request = r.command;
    e.zeroData = r.zeroData;
    e.bytes = QByteArray(reinterpret_cast<const char*>(data), count > 0 ? count : 0);
    add(std::move(e));
}

void LineTrace::flushed(int port, const QByteArray& bytes) {
    if (bytes.isEmpty()) return;
    TraceEntry e;
    e.port = port;
    e.kind = TraceKind::Flushed;
    e.bytes = bytes;
    add(std::move(e));
}

void LineTrace::note(int port, const char* text) {
    TraceEntry e;
    e.port = port;
    e.kind = TraceKind::Note;
    e.bytes = QByteArray(text != nullptr ? text : "");
    add(std::move(e));
}

void LineTrace::portEvent(int port, const QString& text) {
    TraceEntry e;
    e.port = port;
    e.kind = TraceKind::Note;
    e.bytes = text.toUtf8();
    add(std::move(e), true);
}

} // namespace kvor::rt

void TraceLineNote(int port, const char* text) {
    kvor::rt::LineTrace& trace = kvor::rt::LineTrace::instance();
    if (trace.wanted()) trace.note(port, text);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The trace of what goes over the serial lines, for the line monitor and the kvor.serial logging
// category. The serial layer records into it only while someone looks: the monitor is open or
// the category is switched on (QT_LOGGING_RULES="kvor.serial.debug=true").
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <deque>
#include <map>

namespace kvor::rt {

enum class TraceKind { Out, In, Flushed, Note };

struct TraceEntry {
    double ms = 0; // since the scope started
    int port = 0;
    TraceKind kind = TraceKind::Out;
    int asked = 0;         // reads: bytes asked for; writes: the result when it failed (< 0)
    int request = -1;      // command word of the last request written on this port
    bool zeroData = false; // that request's data words were all 0 (the 256-sample video read)
    QByteArray bytes;      // notes: their text
};

class LineTrace {
  public:
    static constexpr std::size_t kCapacity = 10000;

    static LineTrace& instance();
    // Whether the serial layer should record at all.
    bool wanted() const;
    void setMonitorOpen(bool open);
    void clear();

    void written(int port, const unsigned char* data, int count, int result);
    void read(int port, const unsigned char* data, int count, int asked);
    void flushed(int port, const QByteArray& bytes);
    void note(int port, const char* text);
    // What happened to the port itself (why it would not open, how it was set up, that it
    // vanished): kept even while nobody looks, for the operator who opens the monitor to see
    // why, and few enough never to crowd out the frames.
    void portEvent(int port, const QString& text);

    const std::deque<TraceEntry>& entries() const { return entries_; }
    // Sequence number of entries().front(): rises as old entries give way to new ones.
    std::uint64_t firstSequence() const { return next_ - entries_.size(); }
    std::uint64_t nextSequence() const { return next_; }

  private:
    void add(TraceEntry entry, bool always = false);

    std::deque<TraceEntry> entries_;
    std::uint64_t next_ = 0;
    bool monitorOpen_ = false;
    struct Request {
        int command = -1;
        bool zeroData = false;
    };
    // Per port: the last request, which tells how the next raw read is to be read.
    std::map<int, Request> lastRequest_;
};

// One line of text for an entry, as the saved trace and the log print it.
QString FormatTraceEntry(const TraceEntry& entry);
// The same in the monitor's columns: time in ms, port, direction, bytes (none for a note), and
// what the bytes are (or the note).
QStringList TraceFields(const TraceEntry& entry);
// "8 measure", "12 calibration", ...; the zero-data 11 is the video read.
QString CommandName(int command, bool zeroData);

} // namespace kvor::rt

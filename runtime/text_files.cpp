// SPDX-License-Identifier: GPL-3.0-or-later
// Text files written line by line while the program runs: the lines wait in memory and reach
// the operating system at every flush, at the latest half a second after they were written,
// so a killed program loses no more than the last moments.
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>

#include "runtime/registry.h"

namespace kvor::rt {
namespace {

constexpr int kFlushAfterMs = 500;
constexpr qint64 kLargestBuffer = 256 * 1024; // written at once beyond this
constexpr qint64 kLongestRead = 64 * 1024 * 1024;

struct TextFile {
    QFile file;
    QByteArray pending;
    QTimer flushTimer;
    int error = 0;       // the first failure; every later call reports it
    qint64 read = 0;     // bytes read so far (files opened for reading)
    double linesOut = 0; // whole lines the system has taken
};

int g_nextHandle = 1;

// Whether a file has content whose last byte is not a line end.
bool EndsInsideALine(const QString& path) {
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly) || probe.isSequential() || probe.size() == 0) return false;
    return probe.seek(probe.size() - 1) && probe.read(1) != "\n";
}

std::map<int, std::unique_ptr<TextFile>>& Files() {
    static std::map<int, std::unique_ptr<TextFile>> files;
    return files;
}

TextFile* Find(int handle) {
    auto it = Files().find(handle);
    return it == Files().end() ? nullptr : it->second.get();
}

// No room for the file, on the disk, in the quota or under the size limit, says so; everything
// else is a write failure.
int WriteFailure() {
    return errno == ENOSPC || errno == EDQUOT || errno == EFBIG ? kFileErrDiskFull : kFileErrWrite;
}

int Flush(TextFile& f) {
    f.flushTimer.stop();
    if (f.error != 0) return f.error;
    if (!f.pending.isEmpty()) {
        const qint64 before = f.file.size();
        errno = 0;
        const qint64 n = f.file.write(f.pending);
        if (n != f.pending.size()) {
            f.error = WriteFailure();
            // Part of the lines may have gone out: keep the whole ones, so the file still ends
            // with a whole line.
            const qint64 out = std::min<qint64>(f.file.size() - before, f.pending.size());
            const qint64 whole = out > 0 ? f.pending.lastIndexOf('\n', out - 1) + 1 : 0;
            if (out > 0) f.file.resize(before + whole);
            f.linesOut += static_cast<double>(f.pending.left(whole).count('\n'));
            f.pending.clear();
            return f.error;
        }
        f.linesOut += static_cast<double>(f.pending.count('\n'));
        f.pending.clear();
    }
    // An unplugged stick or a removed folder leaves the open file writing into nowhere the
    // operator can find: that ends the file as a failed write would.
    if (!QFileInfo::exists(f.file.fileName())) f.error = kFileErrGone;
    return f.error;
}

bool SyncToDisk(QFile& file) {
#ifdef _WIN32
    return _commit(file.handle()) == 0;
#else
    // Devices and pipes cannot be synced and need not be.
    return ::fsync(file.handle()) == 0 || errno == EINVAL || errno == EROFS;
#endif
}

} // namespace

void CloseAllTextFiles() {
    for (auto& [handle, f] : Files()) {
        Flush(*f);
        f->file.close();
    }
    Files().clear();
}

} // namespace kvor::rt

using namespace kvor::rt;

int OpenTextFile(const char* fileName, int fileAction) {
    if (fileName == nullptr || fileName[0] == '\0') return kFileErrOpen;
    auto f = std::make_unique<TextFile>();
    const QString path = ResolvePath(QString::fromUtf8(fileName));
    f->file.setFileName(path);
    if (fileAction == VAL_READ_ONLY) {
        // A device or a pipe could hand out bytes without end.
        if (!f->file.open(QIODevice::ReadOnly) || f->file.isSequential()) return kFileErrOpen;
    } else {
        const QIODevice::OpenMode mode = fileAction == VAL_APPEND
                                             ? QIODevice::Append
                                             : QIODevice::WriteOnly | QIODevice::Truncate;
        if (fileAction == VAL_APPEND && EndsInsideALine(path)) f->pending = "\n";
        // Unbuffered: a flush hands the lines to the operating system at once.
        if (!f->file.open(mode | QIODevice::Unbuffered)) return kFileErrOpen;
    }
    f->flushTimer.setSingleShot(true);
    TextFile* raw = f.get();
    QObject::connect(&f->flushTimer, &QTimer::timeout, [raw] { Flush(*raw); });
    const int handle = g_nextHandle++;
    Files()[handle] = std::move(f);
    return handle;
}

int ReadTextLine(int handle, char* line, std::size_t size) {
    TextFile* f = Find(handle);
    if (f == nullptr || line == nullptr || size == 0 || !f->file.isReadable())
        return kFileErrHandle;
    line[0] = '\0';
    if (f->read >= kLongestRead || f->file.atEnd()) return -2;
    QByteArray bytes = f->file.readLine(static_cast<qint64>(size) + 1);
    f->read += bytes.size();
    // The rest of a line longer than the program's buffer is read and dropped.
    bool ended = bytes.endsWith('\n');
    char c = 0;
    while (!ended && f->read < kLongestRead && f->file.getChar(&c)) {
        ++f->read;
        ended = c == '\n';
    }
    if (bytes.endsWith('\n')) bytes.chop(1);
    if (bytes.endsWith('\r')) bytes.chop(1);
    const std::size_t length =
        std::min<std::size_t>(static_cast<std::size_t>(bytes.size()), size - 1);
    std::memcpy(line, bytes.constData(), length);
    line[length] = '\0';
    return static_cast<int>(length);
}

int WriteTextFile(int handle, const char* text) {
    TextFile* f = Find(handle);
    if (f == nullptr || text == nullptr) return kFileErrHandle;
    if (f->error != 0) return f->error;
    f->pending.append(text);
    if (f->pending.size() >= kLargestBuffer) return Flush(*f);
    if (!f->flushTimer.isActive()) f->flushTimer.start(kFlushAfterMs);
    return 0;
}

int GetTextFileLinesOut(int handle, double* lines) {
    TextFile* f = Find(handle);
    if (f == nullptr || lines == nullptr) return kFileErrHandle;
    *lines = f->linesOut;
    return 0;
}

int FlushTextFile(int handle) {
    TextFile* f = Find(handle);
    return f == nullptr ? kFileErrHandle : Flush(*f);
}

int CloseTextFile(int handle) {
    auto it = Files().find(handle);
    if (it == Files().end()) return kFileErrHandle;
    int result = Flush(*it->second);
    // A closed record is on the disk itself, not only with the system.
    if (result == 0 && !it->second->file.isReadable() && !SyncToDisk(it->second->file))
        result = kFileErrWrite;
    it->second->file.close();
    Files().erase(it);
    return result;
}

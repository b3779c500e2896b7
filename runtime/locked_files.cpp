// SPDX-License-Identifier: GPL-3.0-or-later
// Files shared with other programs under the system's file lock: every holder reads what the
// others appended before it appends, and no two appends interleave.
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/file.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <chrono>
#include <cstring>
#include <map>
#include <memory>
#include <thread>

#include "runtime/registry.h"

namespace kvor::rt {
namespace {

struct LockedFile {
    QFile file;
    bool exclusive = false;
};

std::map<int, std::unique_ptr<LockedFile>> g_files;
int g_nextHandle = 1;

LockedFile* Find(int handle) {
    const auto it = g_files.find(handle);
    return it == g_files.end() ? nullptr : it->second.get();
}

// One attempt at the lock, never waiting in the system.
bool TryLock(QFile& file, bool exclusive) {
#ifdef _WIN32
    OVERLAPPED at{};
    const auto os = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    return LockFileEx(os, flags, 0, MAXDWORD, MAXDWORD, &at) != 0;
#else
    return ::flock(file.handle(), (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0;
#endif
}

void Unlock(QFile& file) {
#ifdef _WIN32
    OVERLAPPED at{};
    UnlockFileEx(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle())), 0, MAXDWORD, MAXDWORD,
                 &at);
#else
    ::flock(file.handle(), LOCK_UN);
#endif
}

bool Sync(QFile& file) {
#ifdef _WIN32
    return _commit(file.handle()) == 0;
#else
    // Devices cannot be synced and need not be.
    return ::fsync(file.handle()) == 0 || errno == EINVAL || errno == EROFS;
#endif
}

int WriteFailure(int error) {
    return error == ENOSPC || error == EDQUOT || error == EFBIG ? kFileErrDiskFull : kFileErrWrite;
}

} // namespace
} // namespace kvor::rt

using namespace kvor::rt;

int OpenLockedFile(const char* fileName, int exclusive, double timeoutSeconds) {
    if (fileName == nullptr || fileName[0] == '\0') return kFileErrOpen;
    auto f = std::make_unique<LockedFile>();
    f->exclusive = exclusive != 0;
    f->file.setFileName(ResolvePath(QString::fromUtf8(fileName)));
    // A device (a full disk's stand-in, a terminal) has no end to append at; opening a pipe to
    // read would wait for a writer, so only a plain file is read.
    const QFileInfo info(f->file.fileName());
    const bool plain = info.isFile() || !info.exists();
    if (!f->exclusive && !info.isFile()) return kFileErrOpen;
    const QIODevice::OpenMode mode = !f->exclusive ? QIODevice::OpenMode(QIODevice::ReadOnly)
                                     : plain       ? QIODevice::ReadWrite | QIODevice::Append
                                                   : QIODevice::OpenMode(QIODevice::ReadWrite);
    if (!f->file.open(mode | QIODevice::Unbuffered)) return kFileErrOpen;
    // Another holder keeps the lock for the moment of one read or one append.
    QElapsedTimer waited;
    waited.start();
    const auto limit = static_cast<qint64>(timeoutSeconds * 1000.0);
    while (!TryLock(f->file, f->exclusive)) {
        if (waited.elapsed() >= limit) return kFileErrLocked;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const int handle = g_nextHandle++;
    g_files[handle] = std::move(f);
    return handle;
}

long long LockedFileSize(int handle) {
    LockedFile* f = Find(handle);
    if (f == nullptr) return kFileErrHandle;
    // A device has no size to read from: nothing is read from it.
    return f->file.isSequential() ? 0 : static_cast<long long>(f->file.size());
}

int ReadLockedFile(int handle, long long offset, char* buffer, int count) {
    LockedFile* f = Find(handle);
    if (f == nullptr || buffer == nullptr || count < 0 || offset < 0) return kFileErrHandle;
    if (f->file.isSequential() || offset >= f->file.size()) return 0;
    if (!f->file.seek(offset)) return kFileErrWrite;
    const qint64 n = f->file.read(buffer, count);
    return n < 0 ? kFileErrWrite : static_cast<int>(n);
}

int AppendLockedFile(int handle, const char* text) {
    LockedFile* f = Find(handle);
    if (f == nullptr || text == nullptr || !f->exclusive) return kFileErrHandle;
    if (!QFileInfo::exists(f->file.fileName())) return kFileErrGone;
    const qint64 before = f->file.isSequential() ? -1 : f->file.size();
    const auto length = static_cast<qint64>(std::strlen(text));
    errno = 0;
    const qint64 written = f->file.write(text, length);
    int result = 0;
    if (written != length)
        result = WriteFailure(errno);
    else if (!Sync(f->file))
        result = kFileErrWrite;
    // Whatever part of the text reached the file goes again: the file ends as it did.
    if (result != 0 && before >= 0) f->file.resize(before);
    return result;
}

int CloseLockedFile(int handle) {
    const auto it = g_files.find(handle);
    if (it == g_files.end()) return kFileErrHandle;
    Unlock(it->second->file);
    it->second->file.close();
    g_files.erase(it);
    return 0;
}

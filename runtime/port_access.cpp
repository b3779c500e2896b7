// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/port_access.h"
#include "runtime/translation.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#endif

namespace kvor::rt {

QString RealDevicePath(const QString& device) {
    const QString real = QFileInfo(device).canonicalFilePath();
    return real.isEmpty() ? device : real;
}

#ifdef Q_OS_UNIX
namespace {

// Where serial programs leave their lock files (UUCP style, and the serial library's own).
constexpr const char* kLockFolders[] = {"/var/lock",       "/run/lock",  "/var/spool/locks",
                                        "/var/spool/uucp", "/etc/locks", "/tmp",
                                        "/var/tmp"};
// A lock file or a process name is a line or two; anything longer is not one.
constexpr qint64 kLongestLockFile = 512;
constexpr long kLargestPid = 4194304; // the kernel's ceiling for pid_max
constexpr int kMostProcessesLooked = 8192;
constexpr int kLongestName = 64;

struct Holder {
    long pid = 0;
    QString program;
    bool alive = false;
    QString lockFile;
};

// Bytes from a file someone else wrote: printable ASCII up to the first other byte, bounded.
QString Printable(const QByteArray& bytes) {
    QString text;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u >= 0x7F || text.size() >= kLongestName) break;
        text += QChar(static_cast<char16_t>(u));
    }
    return text.trimmed();
}

QByteArray ReadSmallFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.read(kLongestLockFile);
}

bool ProcessAlive(long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// The program's name as it was started (the kernel's own name for it is cut at 15 characters).
QString ProgramOf(long pid) {
    const QByteArray line = ReadSmallFile(QStringLiteral("/proc/%1/cmdline").arg(pid));
    const qsizetype end = line.indexOf('\0'); // no end within the bytes read: not to be trusted
    const QByteArray started = end > 0 ? line.left(end) : QByteArray();
    const QString name = Printable(started.mid(started.lastIndexOf('/') + 1));
    return name.isEmpty() ? Printable(ReadSmallFile(QStringLiteral("/proc/%1/comm").arg(pid)))
                          : name;
}

// "/dev/ttyUSB0" -> "LCK..ttyUSB0", "/dev/pts/3" -> "LCK..pts_3".
QString LockName(const QString& realDevice) {
    QString name = realDevice;
    if (name.startsWith(QLatin1String("/dev/"))) name = name.mid(5);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QStringLiteral("LCK..") + name;
}

// The holder a lock file names: its first line (or first word) is the process id, then the
// program's name on the second line (or as the second word).
std::optional<Holder> HolderFromLockFiles(const QString& realDevice) {
    for (const char* folder : kLockFolders) {
        const QString path = QString::fromLatin1(folder) + QLatin1Char('/') + LockName(realDevice);
        const QByteArray content = ReadSmallFile(path);
        if (content.isEmpty()) continue;
        const QList<QByteArray> lines = content.split('\n');
        const QList<QByteArray> words = lines.value(0).simplified().split(' ');
        bool ok = false;
        const long pid = words.value(0).toLong(&ok);
        if (!ok || pid < 1 || pid > kLargestPid) continue;
        Holder h{pid, Printable(lines.value(1)), ProcessAlive(pid), path};
        if (h.program.isEmpty()) h.program = Printable(words.value(1));
        if (h.alive && !ProgramOf(pid).isEmpty()) h.program = ProgramOf(pid);
        return h;
    }
    return std::nullopt;
}

QString GroupName(gid_t gid) {
    std::vector<char> buffer(16384);
    group g{};
    group* found = nullptr;
    if (getgrgid_r(gid, &g, buffer.data(), buffer.size(), &found) == 0 && found != nullptr)
        return QString::fromLocal8Bit(found->gr_name);
    return QString::number(gid);
}

QString UserName(uid_t uid) {
    std::vector<char> buffer(16384);
    passwd p{};
    passwd* found = nullptr;
    if (getpwuid_r(uid, &p, buffer.data(), buffer.size(), &found) == 0 && found != nullptr)
        return QString::fromLocal8Bit(found->pw_name);
    return QString::number(uid);
}

bool InSessionGroups(gid_t gid) {
    if (getegid() == gid) return true;
    const int n = getgroups(0, nullptr);
    if (n <= 0) return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(n));
    const int got = getgroups(n, groups.data());
    for (int i = 0; i < got; ++i)
        if (groups[static_cast<std::size_t>(i)] == gid) return true;
    return false;
}

// Whether the group database puts this user in the group, whatever this session started with.
bool InDatabaseGroups(gid_t gid) {
    std::vector<char> buffer(16384);
    passwd p{};
    passwd* me = nullptr;
    if (getpwuid_r(geteuid(), &p, buffer.data(), buffer.size(), &me) != 0 || me == nullptr)
        return false;
    int n = 256;
    std::vector<gid_t> groups(static_cast<std::size_t>(n));
    if (getgrouplist(me->pw_name, me->pw_gid, groups.data(), &n) < 0) {
        if (n <= 0 || n > 65536) return false;
        groups.resize(static_cast<std::size_t>(n));
        if (getgrouplist(me->pw_name, me->pw_gid, groups.data(), &n) < 0) return false;
    }
    for (int i = 0; i < n; ++i)
        if (groups[static_cast<std::size_t>(i)] == gid) return true;
    return false;
}

QString ModeText(mode_t mode) {
    QString text = S_ISCHR(mode) ? QStringLiteral("c") : QStringLiteral("-");
    const char* letters = "rwxrwxrwx";
    for (int bit = 0; bit < 9; ++bit)
        text += (mode & (0400u >> bit)) ? QLatin1Char(letters[bit]) : QLatin1Char('-');
    return text;
}

PortAccess NoPermission(const QString& device, const struct stat& st) {
    const QString group = GroupName(st.st_gid);
    const QString owner = UserName(st.st_uid);
    const QString me = UserName(geteuid());
    const QString what = ShownText("No permission to open %1 (%2 %3:%4). ")
                             .arg(device, ModeText(st.st_mode), owner, group);
    const bool groupWould = (st.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    if (groupWould && !InSessionGroups(st.st_gid) && InDatabaseGroups(st.st_gid))
        return {PortTrouble::NotLoggedInAgain,
                ShownText("no permission \u2013 log in again to use group %1").arg(group),
                what + ShownText("%1 is in group %2, but this session started before that: "
                                 "log out and in again (or restart the computer).")
                           .arg(me, group)};
    if (groupWould && !InSessionGroups(st.st_gid))
        return {PortTrouble::NoPermission,
                ShownText("no permission \u2013 join group %1, then log in again").arg(group),
                what + ShownText("%1 is not in group %2: join it with "
                                 "\"sudo usermod -aG %2 %1\", then log out and in again.")
                           .arg(me, group)};
    return {PortTrouble::Forbidden, ShownText("no permission"),
            what + ShownText("No group of %1 may use it; a udev rule can give the device "
                             "to group dialout (see the README).")
                       .arg(me)};
}

PortAccess Gone(const QString& device) {
    return {PortTrouble::Gone, ShownText("not there \u2013 unplugged?"),
            ShownText("%1 is not there: the adapter has been unplugged, or the system took "
                      "it away again. On Ubuntu-family systems brltty claims CH340 and "
                      "similar adapters seconds after they are plugged in (see the README).")
                .arg(device)};
}

PortAccess HeldBy(const QString& device, const QString& program, long pid) {
    const QString who = QStringLiteral("%1 (%2)")
                            .arg(program.isEmpty() ? ShownText("a program") : program)
                            .arg(pid);
    return {PortTrouble::InUse, ShownText("in use by %1").arg(who),
            ShownText("%1 is in use by %2. End that program or pick another port; "
                      "\"fuser -v %1\" shows who holds it. Right after an adapter is "
                      "plugged in this may be ModemManager probing it for a few seconds.")
                .arg(device, who)};
}

} // namespace

PortAccess ProbePort(const QString& realDevice) {
    struct stat st {};
    const QByteArray path = QFile::encodeName(realDevice);
    if (::stat(path.constData(), &st) != 0 || !S_ISCHR(st.st_mode)) return {};
    if (faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) != 0)
        return errno == EACCES ? NoPermission(realDevice, st) : PortAccess{};
    const std::optional<Holder> h = HolderFromLockFiles(realDevice);
    if (h && h->alive && h->pid != static_cast<long>(getpid()))
        return HeldBy(realDevice, h->program, h->pid);
    return {};
}

PortAccess ExplainOpenError(const QString& realDevice, int error) {
    switch (error) {
    case EACCES:
    case EPERM: {
        struct stat st {};
        if (::stat(QFile::encodeName(realDevice).constData(), &st) == 0)
            return NoPermission(realDevice, st);
        return Gone(realDevice);
    }
    case EBUSY:
        return ExplainHeld(
            realDevice,
            {PortTrouble::InUse,
             QStringLiteral("in use \u2013 opened exclusively by another program"),
             QStringLiteral("%1 is opened exclusively by another program (\"device or resource "
                            "busy\"). \"sudo fuser -v %1\" names it. Right after an adapter is "
                            "plugged in this may be ModemManager probing it for a few seconds.")
                 .arg(realDevice)});
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return Gone(realDevice);
    default: {
        const QString text = QString::fromLocal8Bit(std::strerror(error));
        return {PortTrouble::Other, QStringLiteral("cannot open: %1").arg(text),
                QStringLiteral("%1 cannot be opened: %2.").arg(realDevice, text)};
    }
    }
}

PortAccess ExplainHeld(const QString& realDevice, const PortAccess& otherwise) {
    if (const std::optional<Holder> h = HolderFromLockFiles(realDevice)) {
        if (h->alive) return HeldBy(realDevice, h->program, h->pid);
        return {PortTrouble::StaleLock,
                QStringLiteral("locked by an ended program \u2013 remove %1").arg(h->lockFile),
                QStringLiteral("%1 is locked by %2, which ended (process %3) without removing its "
                               "lock file %4, and this user may not remove it: "
                               "\"sudo rm %4\" frees the port.")
                    .arg(realDevice, h->program.isEmpty() ? "a program" : h->program)
                    .arg(h->pid)
                    .arg(h->lockFile)};
    }
    const PortAccess other = OtherProgramHolding(realDevice);
    return other.trouble != PortTrouble::None ? other : otherwise;
}

PortAccess OtherProgramHolding(const QString& realDevice) {
    struct stat target {};
    if (::stat(QFile::encodeName(realDevice).constData(), &target) != 0 || !S_ISCHR(target.st_mode))
        return {};
    DIR* proc = opendir("/proc");
    if (proc == nullptr) return {};
    PortAccess found;
    int looked = 0;
    const long self = static_cast<long>(getpid());
    while (dirent* e = readdir(proc)) {
        char* end = nullptr;
        const long pid = std::strtol(e->d_name, &end, 10);
        if (end == e->d_name || *end != '\0' || pid == self) continue;
        if (++looked > kMostProcessesLooked) break;
        const QByteArray fds = QByteArray("/proc/") + e->d_name + "/fd";
        DIR* dir = opendir(fds.constData()); // other users' processes are closed to us
        if (dir == nullptr) continue;
        while (dirent* f = readdir(dir)) {
            if (f->d_name[0] == '.') continue;
            struct stat st {};
            if (fstatat(dirfd(dir), f->d_name, &st, 0) == 0 && S_ISCHR(st.st_mode) &&
                st.st_rdev == target.st_rdev) {
                found = HeldBy(realDevice, ProgramOf(pid), pid);
                break;
            }
        }
        closedir(dir);
        if (found.trouble != PortTrouble::None) break;
    }
    closedir(proc);
    return found;
}

#else // serial ports of other systems are opened exclusively by the system itself

PortAccess ProbePort(const QString&) {
    return {};
}
PortAccess ExplainOpenError(const QString& device, int) {
    return {PortTrouble::Other, QStringLiteral("cannot open"),
            QStringLiteral("%1 cannot be opened.").arg(device)};
}
PortAccess ExplainHeld(const QString&, const PortAccess& otherwise) {
    return otherwise;
}
PortAccess OtherProgramHolding(const QString&) {
    return {};
}

#endif

} // namespace kvor::rt

// SPDX-License-Identifier: GPL-3.0-or-later
// Why a serial device cannot be opened, in words the operator can act on: no permission (and
// whether joining a group or logging in again helps), held by another program (which, where the
// lock file or the process table tells), opened exclusively, gone, or the system's own text.
#pragma once

#include <QString>

namespace kvor::rt {

enum class PortTrouble {
    None,
    NoPermission,     // the device's group would do, and this user is not in it
    NotLoggedInAgain, // in that group by the group database, but not in this session yet
    Forbidden,        // no permission that a group would give
    InUse,            // another program holds the port
    StaleLock,        // a lock file of a program that has ended, which this user cannot remove
    Gone,             // no such device (any more)
    Other,            // anything else, in the system's words
};

struct PortAccess {
    PortTrouble trouble = PortTrouble::None;
    QString brief; // for the port selector's entry: a few words
    QString full;  // for the line monitor: what happened and what to do
};

// The full path a device name stands for (a /dev/serial/by-id link resolved); the name itself
// when it does not exist.
QString RealDevicePath(const QString& device);

// What can be told without opening the device, for the port list: no permission, or a live
// program named in the port's lock file. trouble None otherwise.
PortAccess ProbePort(const QString& realDevice);

// Why opening failed with the system's error number `error`.
PortAccess ExplainOpenError(const QString& realDevice, int error);
// Why the device is held by someone else after it opened (a lock, another program's open
// descriptor): InUse or StaleLock with what is known of the holder; `otherwise` when nothing is.
PortAccess ExplainHeld(const QString& realDevice, const PortAccess& otherwise);
// InUse when another process has the device open (by the process table, as far as this user
// may look into it), else trouble None.
PortAccess OtherProgramHolding(const QString& realDevice);

} // namespace kvor::rt

// SPDX-License-Identifier: GPL-3.0-or-later
// How the desktop knows the scope: the icon of its windows and the desktop entry they belong
// to, so that a dock or task bar puts a running scope under its menu entry.
#pragma once

namespace kvor::rt {

// Once, right after the application object exists.
void ApplyDesktopIdentity();

} // namespace kvor::rt

// SPDX-License-Identifier: GPL-3.0-or-later
// A file the scope writes replaces an existing one only when the operator has agreed to lose it.
#pragma once

namespace kvor {

// Asks once about every one of the `count` paths that exists, naming them all in the one
// question. 1 when none exists or the operator agreed to replace them, 0 when not.
int ConfirmReplace(const char* title, const char* const* paths, int count);

} // namespace kvor

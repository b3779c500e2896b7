// SPDX-License-Identifier: GPL-3.0-or-later
// Raw video block reads (receive callback switched off by the caller).
#pragma once

#include "state/state.h"

namespace kvor {

int ReadData64(i32 first, i32 last);
int ReadData256();

} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// Raw video block reads.
#pragma once

#include "state/state.h"

namespace kvor {

int ReadData64(i32 first, i32 last);
int ReadData256();
// The raw samples of the whole pixel line into adcbuf, after a measurement answer: the receive
// callback is off while the blocks come (they carry no frame) and on again afterwards.
void ReadVideoLine();

} // namespace kvor

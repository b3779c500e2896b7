// SPDX-License-Identifier: GPL-3.0-or-later
// Encoding of request frames and decoding of answer frames.
#pragma once

#include "state/state.h"
#include "wire/codec.h"

namespace kvor {

using namespace kvor::protocol;

// Fills bytes 0..35 of szWriteBuf: sync, the low 16 bits of the command, then the 16 words.
void FillTxBuf(i32 command, const u16* words);
// Decodes data words 0..n-1 of the answer frame in szReadBuf into pp (n is limited to PNUM).
void GetRxBuf(i32 n);

} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// The 36-byte frame: sync word, command word, 16 data words, every word high byte first.
#include "link/frame.h"

namespace kvor {

void FillTxBuf(i32 command, const u16* words) {
    // Only the low 16 bits of a command code go on the line.
    EncodeFrame(szWriteBuf, static_cast<unsigned>(sync), static_cast<unsigned>(command), words);
}

void GetRxBuf(i32 n) {
    // pp has PNUM words and an answer frame carries no more: never decode past byte 35.
    DecodeDataWords(szReadBuf, pp, n);
}

} // namespace kvor

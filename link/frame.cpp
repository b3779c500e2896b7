// SPDX-License-Identifier: GPL-3.0-or-later
// The 36-byte frame: sync word, command word, 16 data words, every word high byte first.
#include "link/frame.h"

namespace kvor {

namespace {

void PutWord(unsigned char* at, i32 value) {
    at[0] = static_cast<unsigned char>((value >> 8) & 0xFF);
    at[1] = static_cast<unsigned char>(value & 0xFF);
}

} // namespace

void FillTxBuf(i32 command, const u16* words) {
    PutWord(&szWriteBuf[0], sync);
    // Only the low 16 bits of a command code go on the line.
    PutWord(&szWriteBuf[2], command);
    for (int i = 0; i < PNUM; ++i)
        PutWord(&szWriteBuf[4 + 2 * i], words[i]);
}

void GetRxBuf(i32 n) {
    // pp has PNUM words and an answer frame carries no more: never decode past byte 35.
    if (n > PNUM) n = PNUM;
    for (int i = 0; i < n; ++i)
        pp[i] = static_cast<u16>(szReadBuf[4 + 2 * i] * 256 + szReadBuf[5 + 2 * i]);
}

} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// Raw video blocks: 64 or 256 samples of 16 bits, high byte first, without a frame header.
// The receive callback is off while they come, so a block stays in the input queue.
#include "link/video_blocks.h"

#include "link/exchange.h"
#include "link/serial_link.h"
#include "runtime/runtime.h"

namespace kvor {

namespace {

struct Block {
    i32 command;
    int samples;
    const char* waiting;
    const char* timeout;
    const char* received;
};

constexpr Block kBlock64 = {CMD_READ_VIDEO64, 64, N_("Waiting for Data[64] ..."),
                            N_("Timeout-RS-232 while reading 64 data-words!"),
                            N_("Data[64] block received!")};
constexpr Block kBlock256 = {CMD_READ_VIDEO256, 256, N_("Waiting for Data[256] ..."),
                             N_("Timeout-RS-232 while reading 256 data-words!"),
                             N_("Data[256] block received!")};

// Requests one block and decodes it into adcbuf[first..]. Samples that did not arrive keep
// whatever szReadBuf held before, as the sensor's old picture.
void ReadBlock(const Block& block, i32 first, const u16* words) {
    const int bytes = 2 * block.samples;
    order = block.command;
    PrepareRequest();
    WriteRequest(order, words);
    ShowStatusLiteral(block.waiting);

    int n = 0;
    tstart = Timer();
    const i32 request = requestCount;
    do {
        // Every byte of the block ends the pass (the receive callback is off), else the time-out.
        WakeNoLaterThan(tstart + TIMEOUT);
        ProcessSystemEvents();
        // An exchange clicked meanwhile let the block land and emptied the queue for its own
        // answer: this block is gone, and its samples keep the old picture.
        if (LineTakenOver(request)) {
            ShowStatus();
            return;
        }
        n = GetInQLen(com);
        tdiff = Timer() - tstart;
        if (tdiff > TIMEOUT) {
            SetStatusText(block.timeout);
            break;
        }
    } while (n < bytes);

    nBytesR = ReadRawBlock(n);
    ForgetPendingAnswer();
    if (nBytesR == bytes) SetStatusText(block.received);

    for (int i = 0; i < block.samples; ++i) {
        const int at = first + i;
        if (at < 0 || at >= 256) continue; // a first index off the line fills nothing past it
        adcbuf[at] = WordAt(&szReadBuf[2 * i]);
    }
    ShowStatus();
}

} // namespace

int ReadData64(i32 first, i32 last) {
    // Word 1 tells the sensor that this is the last of the four blocks of one picture.
    const u16 words[PNUM] = {static_cast<u16>(first), static_cast<u16>(last)};
    ReadBlock(kBlock64, first, words);
    return 1;
}

int ReadData256() {
    // Command 11 with all data words 0 is the video read, not the analog min/max reset.
    const u16 words[PNUM] = {};
    ReadBlock(kBlock256, 0, words);
    return 1;
}

void ReadVideoLine() {
    RemoveRxCallback();
    FlushInQ(com);
    FlushOutQ(com);
    // Boards 0 and 100 send the line in four 64-sample blocks, every other board in one.
    if (pcbtype == 0 || pcbtype == 100) {
        ReadData64(0, 0);
        ReadData64(64, 0);
        ReadData64(128, 0);
        ReadData64(192, 1);
    } else {
        ReadData256();
    }
    InstallRxCallback();
}

} // namespace kvor

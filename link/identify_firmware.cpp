// SPDX-License-Identifier: GPL-3.0-or-later
// The sensor's firmware text (command 7): 72 raw bytes that name the sensor series.
#include <cstring>

#include "link/exchange.h"
#include "link/identify.h"
#include "link/serial_link.h"
#include "runtime/runtime.h"

namespace kvor {

namespace {

struct Series {
    const char* name;
    i32 code; // 0: this scope's own series
};

// Tested in this order; a later match overrides an earlier one.
constexpr Series kSeries[] = {
    {"K-VOR-PX", 0},     {"K-VOR-RW", -1},    {"K-VOR-QN-PX", -2},
    {"K-VOR-DK-PX", -3}, {"K-VOR-QN-RW", -4}, {"K-VOR-DK-RW", -5},
};

// Bytes waiting when the wait ends; a vanished port counts as nothing waiting, so that its
// error code is never taken for a series code.
int WaitForFirmwareText() {
    int n = 0;
    tstart = Timer();
    do {
        n = GetInQLen(com);
        if (n < 0) n = 0;
        tdiff = Timer() - tstart;
        if (tdiff > TIMEOUT) {
            SetStatusText(N_("Timeout - reading firmware info!"));
            break;
        }
    } while (n < kFirmwareTextBytes);
    return n;
}

// Board type 0 sends the text as 36 words, one character in the low byte of each.
void TakeWordCodedText() {
    int i = 0;
    for (; i < kFirmwareTextBytes / 2; ++i)
        szVersion[i] = static_cast<char>(szReadBuf[2 * i + 1]);
    szVersion[i] = '\0';
    SetStatusText(szVersion);
}

// The 72 bytes need not hold a zero byte: the text ends at the first one or after 72.
void TakeByteText() {
    int i = 0;
    for (; i < kFirmwareTextBytes && szReadBuf[i] != 0; ++i)
        szVersion[i] = static_cast<char>(szReadBuf[i]);
    szVersion[i] = '\0';
    SetStatusText(szVersion);
}

i32 SeriesResult(i32 n) {
    i32 result = n;
    for (const Series& s : kSeries) {
        if (std::strncmp(szStatus, s.name, std::strlen(s.name)) == 0)
            result = s.code == 0 ? n : s.code;
    }
    return result;
}

} // namespace

i32 GetVERSIONInfo() {
    // The text has no frame header: the receive callback must not take it for an answer.
    RemoveRxCallback();
    PrepareRequest();
    WriteRequest(CMD_FIRMWARE_INFO);
    ShowStatusLiteral(N_("Waiting for firmware info ..."));

    const int n = WaitForFirmwareText();
    nBytesR = ReadRawBlock(n);
    // Read, or given up: nothing more of it is awaited.
    ForgetPendingAnswer();

    InstallRxCallback();
    FlushInQ(com);
    FlushOutQ(com);
    rx_flag = 0;
    return DecodeVERSIONInfo(n);
}

i32 DecodeVERSIONInfo(i32 waiting) {
    szVersion[0] = '\0';
    if (nBytesR == kFirmwareTextBytes) {
        if (pcbtype == 0)
            TakeWordCodedText();
        else
            TakeByteText();
    }
    ShowStatus();
    return SeriesResult(waiting);
}

} // namespace kvor

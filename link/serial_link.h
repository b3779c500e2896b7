// Port set-up, line check, the receive callback and the port selector.
#pragma once

#include "app/callback.h"
#include "app/state.h"

namespace kvor {

void InitRS232(i32 port);
int CheckComLine(i32 port);
void RX_Receive_Function(int port, int events, void* callbackData);
// Installs RX_Receive_Function as the port's receive callback (mask eventMask, notify count 36).
void InstallRxCallback();
// Removes the receive callback for a raw block read.
void RemoveRxCallback();
KVOR_CALLBACK(CC_DropDCom);
// Opens the runtime's line monitor.
KVOR_CALLBACK(CC_BTNLineMonitor);

// The message of the status line for a failed port opening, by the runtime's error code.
const char* ComErrorText(int code);

// The order of the tests in each pass of a wait for an answer frame, and when the text of a
// sent request is shown.
enum : int {
    TEST_TIME_FIRST = 0,    // events, clock, rx_flag: an answer of the last pass still counts
    TEST_ANSWER_FIRST = 1,  // events, rx_flag, clock
    SHOW_WHEN_COMPLETE = 2, // sentText only when all 36 bytes went out
    SAME_COMMAND = 4,       // only an answer carrying the request's command word counts
};

// One request and the wait for its 36-byte answer frame, the same for every exchange: empties
// the input and the output queue of com, clears rx_flag, builds `command` from pp in szWriteBuf
// and writes the frame (count in nBytesW); shows sentText (when given) in the status line; then
// tstart = Timer() and passes of ProcessSystemEvents until rx_flag is 1 or tdiff exceeds
// TIMEOUT, testing in the order `how` names. On time-out copies timeoutText (when given) into
// szStatus. Returns 1 when rx_flag is 1 after the wait, else 0; tdiff holds the last reading.
int ExchangeFrame(i32 command, int how, const char* sentText, const char* timeoutText);
// Reads the `waiting` bytes of a raw block into szReadBuf, never more than it holds; returns the
// count read (0 when nothing was waiting).
int ReadRawBlock(int waiting);

} // namespace kvor

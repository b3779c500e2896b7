// SPDX-License-Identifier: GPL-3.0-or-later
// The one way a request goes out and its answer frame is awaited. The receive callback runs only
// inside ProcessSystemEvents, so every wait is a busy loop of event passes and clock readings,
// and any other callback (Get, Teach, a calibration step, Stop, a port pick) may run inside it.
#include "link/exchange.h"

#include <algorithm>

#include "link/frame.h"
#include "link/serial_link.h"
#include "params/transfer.h"
#include "runtime/runtime.h"

namespace kvor {

namespace {

// An acknowledgment that has begun to arrive is let finish while its bytes keep coming; a line
// quiet for this long (a USB adapter holds bytes back up to 16 ms) has nothing more of it.
constexpr double kAckQuiet = 0.05;
// How long after a write's last byte has left the line its acknowledgment may begin.
constexpr double kAckWindow = 0.1;
// One byte on the 19200 baud 8N1 line: a start bit, eight data bits, a stop bit.
constexpr double kLineByteSeconds = 10.0 / 19200.0;

// What the sensor sends back for a request: a frame, a raw block, or for a write perhaps a frame.
int AnswerKind(i32 command, const u16* words) {
    switch (command & 0xFFFF) {
    case CMD_READ_RAM:
    case CMD_READ_EEPROM:
    case CMD_ECHO:
    case CMD_TEACH:
    case CMD_MEASURE:
    case CMD_HARDWARE_INFO:
    case CMD_CALIBRATION:
        return AWAIT_FRAME;
    case CMD_WRITE_RAM:
    case CMD_WRITE_EEPROM:
        return AWAIT_ACK_MAY;
    case CMD_FIRMWARE_INFO:
    case CMD_READ_VIDEO64:
        return AWAIT_BLOCK;
    case CMD_RESET_MINMAX:
        // All sixteen words 0 make it the video read, answered with a raw block.
        return std::any_of(words, words + PNUM, [](u16 w) { return w != 0; }) ? AWAIT_FRAME
                                                                              : AWAIT_BLOCK;
    default:
        return AWAIT_NOTHING;
    }
}

int BlockLength(i32 command) {
    switch (command & 0xFFFF) {
    case CMD_FIRMWARE_INFO:
        return kFirmwareTextBytes;
    case CMD_READ_VIDEO64:
        return kVideo64Bytes;
    default:
        return kVideo256Bytes;
    }
}

bool WithinTimeOut() {
    return Timer() - tsent <= TIMEOUT;
}

// The acknowledgment of a write: whatever frame begins to arrive within kAckWindow of the
// write's last byte leaving the line is that write's, whatever its command word, and is set
// aside. The next request waits for it to land, or for the window to pass without a byte.
void LetAcknowledgmentLand() {
    const double windowEnd = tsent + kFrameBytes * kLineByteSeconds + kAckWindow;
    int seen = GetInQLen(com);
    double lastByte = Timer();
    while (answerPending == AWAIT_ACK_MAY && seen >= 0) {
        const double now = Timer();
        if (seen == 0 && now > windowEnd) break;
        // Whole (the receive callback is off during a raw read): the flush behind takes it.
        if (seen >= kFrameBytes) break;
        // Begun in time: let it finish while its bytes keep coming, within its own time-out.
        if (seen > 0 && (now - lastByte >= kAckQuiet || !WithinTimeOut())) break;
        WakeNoLaterThan(seen == 0 ? windowEnd : lastByte + kAckQuiet);
        ProcessSystemEvents();
        const int waiting = GetInQLen(com);
        if (waiting != seen) lastByte = Timer();
        seen = waiting;
    }
}

// The answer to the last request landed and lies in rx_flag, pp and szReadBuf: the wait that
// was interrupted while waiting for it finds it in its own record once the exchange about to
// start has ended. An answer no wait waits for any more is not kept.
void KeepOwedAnswer() {
    if (requestCount == 0 || rx_flag != 1 || answeredRequest != requestCount) return;
    for (WaitRecord* wait = innermostWait; wait != nullptr; wait = wait->outer) {
        if (wait->request != requestCount || wait->kept == 1) continue;
        wait->kept = 1;
        std::copy_n(szReadBuf, kFrameBytes, wait->frame);
        std::copy_n(pp, PNUM, wait->words);
        wait->refresh = graphrefresh;
        wait->landed = tanswer;
        return;
    }
}

// The wait, after another exchange used the line: its clock back, and its own answer if it
// landed meanwhile, else none.
void TakeBackWait(WaitRecord& wait, double begun) {
    tstart = begun;
    if (wait.kept != 1) {
        rx_flag = 0;
        graphrefresh = 0;
        return;
    }
    std::copy_n(wait.frame, kFrameBytes, szReadBuf);
    std::copy_n(wait.words, PNUM, pp);
    graphrefresh = wait.refresh;
    tanswer = wait.landed;
    answeredRequest = wait.request;
    rx_flag = 1;
}

// Requests that tell the sensor or learn from it the whole parameter set.
bool CarriesWholeSet(i32 command) {
    switch (command & 0xFFFF) {
    case CMD_WRITE_RAM:
    case CMD_READ_RAM:
    case CMD_WRITE_EEPROM:
    case CMD_READ_EEPROM:
    case CMD_TEACH:
        return true;
    default:
        return false;
    }
}

} // namespace

void LetAnswerLand() {
    if (answerPending == AWAIT_ACK_MAY) LetAcknowledgmentLand();
    // The answer on its way lands within its own time-out; a vanished port delivers nothing.
    while (AnswerOnItsWay() && GetInQLen(com) >= 0) {
        WakeNoLaterThan(tsent + TIMEOUT);
        ProcessSystemEvents();
    }
    answerPending = AWAIT_NOTHING;
    KeepOwedAnswer();
}

void PrepareRequest() {
    LetAnswerLand();
    FlushInQ(com);
    FlushOutQ(com);
    flushedAfter = requestCount;
    // The queue is empty: the next byte to come begins a frame.
    rxResync = 0;
    rxSyncHigh = 0;
    rx_flag = 0;
    // A measurement answer taken just now is not drawn: pp is about to carry another request.
    graphrefresh = 0;
}

i32 WriteRequest(i32 command, const u16* words) {
    const int kind = AnswerKind(command, words);
    // A raw block must not be taken for frames; a frame answer needs the callback, which the
    // raw read this exchange interrupted had switched off.
    if (kind == AWAIT_BLOCK) RemoveRxCallback();
    if (kind == AWAIT_FRAME) EnsureRxCallback();
    FillTxBuf(command, words);
    nBytesW = ComWrt(com, szWriteBuf, kFrameBytes);
    awaited = command & 0xFFFF;
    answerPending = nBytesW == kFrameBytes ? kind : AWAIT_NOTHING;
    requestPort = com;
    tsent = Timer();
    ++requestCount;
    if (CarriesWholeSet(command) && nBytesW == kFrameBytes) MarkWordsSet(0, PNUM);
    return nBytesW;
}

int AwaitAnswer(int how, const char* timeoutText) {
    const bool answerFirst = (how & TEST_ANSWER_FIRST) != 0;
    const bool givesWay = (how & GIVE_WAY) != 0;
    const double begun = tstart;
    WaitRecord wait{};
    wait.request = requestCount;
    wait.outer = innermostWait;
    // A loop's wait gives way to an exchange and asks again: it keeps no answer.
    if (!givesWay) innermostWait = &wait;
    for (;;) {
        // Only the answer, an operator action or the time-out can end the wait.
        WakeNoLaterThan(tstart + TIMEOUT);
        ProcessSystemEvents();
        if (requestCount != wait.request || LineTakenOver(wait.request)) {
            if (givesWay) return -1;
            TakeBackWait(wait, begun);
        }
        if (answerFirst && rx_flag == 1) break;
        tdiff = (rx_flag == 1 ? tanswer : Timer()) - tstart;
        if (tdiff > TIMEOUT) {
            if (timeoutText != nullptr) SetStatusText(timeoutText);
            break;
        }
        if (!answerFirst && rx_flag == 1) break;
    }
    if (!givesWay) innermostWait = wait.outer;
    // Answered or given up: nothing more is awaited for this request.
    if (rx_flag != 1 && requestCount == wait.request) answerPending = AWAIT_NOTHING;
    answerRequest = wait.request;
    return rx_flag == 1 ? 1 : 0;
}

int ExchangeFrame(i32 command, int how, const char* sentText, const char* timeoutText,
                  void (*fill)()) {
    PrepareRequest();
    if (fill != nullptr) fill();
    WriteRequest(command, pp);
    if (sentText != nullptr && (!(how & SHOW_WHEN_COMPLETE) || nBytesW == kFrameBytes))
        ShowStatusLiteral(sentText);
    tstart = Timer();
    return AwaitAnswer(how, timeoutText);
}

bool TakesAnswer(int commandWord) {
    // Whatever answers a write is its acknowledgment: nothing to take.
    if (awaited == CMD_WRITE_RAM || awaited == CMD_WRITE_EEPROM) return false;
    const bool requestCode = commandWord >= CMD_WRITE_RAM && commandWord <= CMD_CALIBRATION;
    return !requestCode || commandWord == awaited;
}

void TakeAnswer() {
    rx_flag = 1;
    graphrefresh = awaited == CMD_MEASURE ? 1 : 0;
    answerPending = AWAIT_NOTHING;
    answeredRequest = requestCount;
    tanswer = Timer();
    if (awaited == CMD_READ_RAM || awaited == CMD_READ_EEPROM) ParameterReadLanded();
}

bool AnswerOnItsWay() {
    switch (answerPending) {
    case AWAIT_FRAME:
        return WithinTimeOut();
    case AWAIT_BLOCK: {
        const int waiting = GetInQLen(com);
        return waiting >= 0 && waiting < BlockLength(awaited) && WithinTimeOut();
    }
    default:
        return false;
    }
}

void ForgetPendingAnswer() {
    answerPending = AWAIT_NOTHING;
}

void MarkWordsSet(int first, int count) {
    for (int i = first; i < first + count && i < PNUM; ++i)
        if (i >= 0) wordSetBy[i] = requestCount;
}

bool NewerThanAnswer(int word) {
    return word >= 0 && word < PNUM && wordSetBy[word] > answerRequest;
}

void AcknowledgmentLanded() {
    if (answerPending == AWAIT_ACK_MAY) answerPending = AWAIT_NOTHING;
}

bool LineTakenOver(i32 request) {
    return flushedAfter >= request;
}

int ReadRawBlock(int waiting) {
    const int room = static_cast<int>(sizeof szReadBuf);
    const int count = waiting < room ? waiting : room;
    if (count <= 0) return 0;
    return ComRd(com, szReadBuf, count);
}

} // namespace kvor

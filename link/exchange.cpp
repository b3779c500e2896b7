// SPDX-License-Identifier: GPL-3.0-or-later
// The one way a request goes out and its answer frame is awaited. The receive callback runs only
// inside ProcessSystemEvents, so every wait is a busy loop of event passes and clock readings,
// and any other callback (Get, Teach, a calibration step, Stop, a port pick) may run inside it.
#include "link/exchange.h"

#include <algorithm>
#include <iterator>

#include "link/frame.h"
#include "link/serial_link.h"
#include "runtime/runtime.h"

namespace kvor {

namespace {

// An acknowledgment that has begun to arrive is let finish while its bytes keep coming; a line
// quiet for this long (a USB adapter holds bytes back up to 16 ms) has nothing more of it.
constexpr double kAckQuiet = 0.05;

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

// A write's acknowledgment is not waited for; only one that has begun to arrive is let finish,
// so that the flush behind it never cuts it in half.
void LetAcknowledgmentFinish() {
    int seen = GetInQLen(com);
    double lastByte = Timer();
    while (seen > 0 && seen < kFrameBytes && answerPending == AWAIT_ACK_MAY && WithinTimeOut() &&
           Timer() - lastByte < kAckQuiet) {
        ProcessSystemEvents();
        const int now = GetInQLen(com);
        if (now != seen) lastByte = Timer();
        seen = now;
    }
}

// The answer to the last request landed and lies in rx_flag, pp and szReadBuf: whoever waits for
// it gets it back from here after the exchange about to start has ended.
void KeepOwedAnswer() {
    if (requestCount == 0 || rx_flag != 1 || answeredRequest != requestCount) return;
    OwedAnswer& slot = owed[owedNext];
    owedNext = (owedNext + 1) % OWED_DEPTH;
    slot.request = requestCount;
    std::copy_n(szReadBuf, kFrameBytes, slot.frame);
    std::copy_n(pp, PNUM, slot.words);
    slot.refresh = graphrefresh;
    slot.landed = tanswer;
}

// Puts back the answer kept for `request`; false when none landed for it.
bool GiveBackOwedAnswer(i32 request) {
    const auto slot = std::find_if(std::begin(owed), std::end(owed),
                                   [request](const OwedAnswer& o) { return o.request == request; });
    if (slot == std::end(owed)) return false;
    std::copy_n(slot->frame, kFrameBytes, szReadBuf);
    std::copy_n(slot->words, PNUM, pp);
    graphrefresh = slot->refresh;
    tanswer = slot->landed;
    answeredRequest = request;
    rx_flag = 1;
    return true;
}

// The wait for `request`, begun at `begun`, after another exchange used the line: its clock back,
// and its own answer if it landed meanwhile, else none.
void TakeBackWait(i32 request, double begun) {
    tstart = begun;
    if (!GiveBackOwedAnswer(request)) {
        rx_flag = 0;
        graphrefresh = 0;
    }
}

} // namespace

void LetAnswerLand() {
    if (answerPending == AWAIT_ACK_MAY) LetAcknowledgmentFinish();
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
    return nBytesW;
}

int AwaitAnswer(int how, const char* timeoutText) {
    const bool answerFirst = (how & TEST_ANSWER_FIRST) != 0;
    const i32 request = requestCount;
    const double begun = tstart;
    for (;;) {
        // Only the answer, an operator action or the time-out can end the wait.
        WakeNoLaterThan(tstart + TIMEOUT);
        ProcessSystemEvents();
        if (requestCount != request || LineTakenOver(request)) {
            if ((how & GIVE_WAY) != 0) return -1;
            TakeBackWait(request, begun);
        }
        if (answerFirst && rx_flag == 1) break;
        tdiff = (rx_flag == 1 ? tanswer : Timer()) - tstart;
        if (tdiff > TIMEOUT) {
            if (timeoutText != nullptr) SetStatusText(timeoutText);
            break;
        }
        if (!answerFirst && rx_flag == 1) break;
    }
    // Answered or given up: nothing more is awaited for this request.
    if (rx_flag != 1 && requestCount == request) answerPending = AWAIT_NOTHING;
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
    const bool requestCode = commandWord >= CMD_WRITE_RAM && commandWord <= CMD_CALIBRATION;
    return !requestCode || commandWord == awaited;
}

void TakeAnswer() {
    rx_flag = 1;
    graphrefresh = awaited == CMD_MEASURE ? 1 : 0;
    answerPending = AWAIT_NOTHING;
    answeredRequest = requestCount;
    tanswer = Timer();
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

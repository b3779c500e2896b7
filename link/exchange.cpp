// The one way a request goes out and its answer frame is awaited. The receive callback runs only
// inside ProcessSystemEvents, so every wait is a busy loop of event passes and clock readings.
#include "link/exchange.h"

#include "link/frame.h"
#include "ui/runtime.h"

namespace kvor {

namespace {

// The requests the sensor answers with a frame; the others are not answered (the writes may
// be, and then their answer is taken like any other) or answer with a raw block.
bool AnswersWithFrame(i32 command, const u16* words) {
    switch (command & 0xFFFF) {
    case CMD_READ_RAM:
    case CMD_READ_EEPROM:
    case CMD_ECHO:
    case CMD_TEACH:
    case CMD_MEASURE:
    case CMD_HARDWARE_INFO:
    case CMD_CALIBRATION:
        return true;
    case CMD_WRITE_RAM:
    case CMD_WRITE_EEPROM:
        // The sensor may acknowledge a write with a frame; it must not be cut by what follows.
        return true;
    case CMD_RESET_MINMAX:
        // All sixteen words 0 make it the video read, answered with a raw block.
        for (int i = 0; i < PNUM; ++i)
            if (words[i] != 0) return true;
        return false;
    default:
        return false;
    }
}

} // namespace

void PrepareRequest() {
    // The answer on its way lands within its own time-out; a vanished port delivers nothing.
    while (AnswerOnItsWay() && GetInQLen(com) >= 0)
        ProcessSystemEvents();
    answerPending = 0;
    FlushInQ(com);
    FlushOutQ(com);
    rx_flag = 0;
    // A measurement answer taken just now is not drawn: pp is about to carry another request.
    graphrefresh = 0;
}

i32 WriteRequest(i32 command, const u16* words) {
    FillTxBuf(command, words);
    nBytesW = ComWrt(com, szWriteBuf, kFrameBytes);
    awaited = command & 0xFFFF;
    answerPending = AnswersWithFrame(command, words) && nBytesW == kFrameBytes ? 1 : 0;
    tsent = Timer();
    ++requestCount;
    return nBytesW;
}

int AwaitAnswer(int how, const char* timeoutText) {
    const bool answerFirst = (how & TEST_ANSWER_FIRST) != 0;
    for (;;) {
        ProcessSystemEvents();
        if (answerFirst && rx_flag == 1) break;
        tdiff = Timer() - tstart;
        if (tdiff > TIMEOUT) {
            if (timeoutText != nullptr) SetStatusText(timeoutText);
            break;
        }
        if (!answerFirst && rx_flag == 1) break;
    }
    // Answered or given up: nothing more is awaited for this request.
    if (rx_flag != 1) answerPending = 0;
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
    answerPending = 0;
    answeredRequest = requestCount;
}

bool AnswerOnItsWay() {
    return answerPending == 1 && Timer() - tsent <= TIMEOUT;
}

void ForgetPendingAnswer() {
    answerPending = 0;
}

int ReadRawBlock(int waiting) {
    const int room = static_cast<int>(sizeof szReadBuf);
    const int count = waiting < room ? waiting : room;
    if (count <= 0) return 0;
    return ComRd(com, szReadBuf, count);
}

} // namespace kvor

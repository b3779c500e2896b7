// The one way a request waits for its answer frame. The receive callback runs only inside
// ProcessSystemEvents, so the wait is a busy loop of event passes and clock readings.
#include "link/frame.h"
#include "link/serial_link.h"
#include "ui/runtime.h"

namespace kvor {

int ExchangeFrame(i32 command, int how, const char* sentText, const char* timeoutText) {
    FlushInQ(com);
    FlushOutQ(com);
    rx_flag = 0;
    FillTxBuf(command, pp);
    nBytesW = ComWrt(com, szWriteBuf, 2 * PNUM + 4);
    if (sentText != nullptr && (!(how & SHOW_WHEN_COMPLETE) || nBytesW == 2 * PNUM + 4))
        ShowStatusLiteral(sentText);

    const bool answerFirst = (how & TEST_ANSWER_FIRST) != 0;
    tstart = Timer();
    for (;;) {
        ProcessSystemEvents();
        // A late answer to an earlier request may land in this wait; the sensor answers with the
        // command word of the request, so a frame with another one is not this answer.
        if ((how & SAME_COMMAND) != 0 && rx_flag == 1 &&
            szReadBuf[2] * 256 + szReadBuf[3] != (command & 0xFFFF))
            rx_flag = 0;
        if (answerFirst && rx_flag == 1) break;
        tdiff = Timer() - tstart;
        if (tdiff > TIMEOUT) {
            if (timeoutText != nullptr) SetStatusText(timeoutText);
            break;
        }
        if (!answerFirst && rx_flag == 1) break;
    }
    return rx_flag == 1 ? 1 : 0;
}

int ReadRawBlock(int waiting) {
    const int room = static_cast<int>(sizeof szReadBuf);
    const int count = waiting < room ? waiting : room;
    if (count <= 0) return 0;
    return ComRd(com, szReadBuf, count);
}

} // namespace kvor

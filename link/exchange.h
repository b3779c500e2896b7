// SPDX-License-Identifier: GPL-3.0-or-later
// The one way a request goes to the sensor and the one way its answer frame is awaited.
//
// Every frame exchange of the program is three steps: PrepareRequest (what is on its way to the
// request before has landed or timed out; both queues empty, rx_flag clear), filling pp,
// WriteRequest. Frame answers are then awaited with AwaitAnswer, whose event passes
// hand back to the wait exactly its own answer, whatever exchanges the operator starts inside
// it. The rule of what is taken lives in TakesAnswer, which the receive callback applies to
// every frame.
#pragma once

#include "link/frame.h"
#include "state/state.h"

namespace kvor {

// The order of the tests in each pass of a wait for an answer frame, and when the text of a
// sent request is shown.
enum : int {
    TEST_TIME_FIRST = 0,    // events, clock, rx_flag: an answer of the last pass still counts
    TEST_ANSWER_FIRST = 1,  // events, rx_flag, clock
    SHOW_WHEN_COMPLETE = 2, // sentText only when all 36 bytes went out
    GIVE_WAY = 4, // a loop's wait: an exchange inside it ends the wait at once, without an answer
};

// What may still come on the line for the last request (answerPending).
enum : int {
    AWAIT_NOTHING = 0,
    AWAIT_FRAME = 1,  // an answer frame, within TIMEOUT
    AWAIT_BLOCK = 2,  // a raw block of the length its request asks for, within TIMEOUT
    AWAIT_ACK_MAY = 3 // a write: the sensor may acknowledge it with a frame, or not at all
};

// Lets what is on its way to the last request land or time out (events are processed only while
// it is), so that nothing after it flushes an answer in half; keeps an answer that landed for
// the wait it interrupts. Empties no queue: the write of a parameter set starts here.
void LetAnswerLand();
// LetAnswerLand, then empties both queues of com and clears rx_flag and graphrefresh.
void PrepareRequest();
// Builds `command` from `words` in szWriteBuf and writes the 36 bytes (count in nBytesW); from
// now on the receive callback takes the answers to this command. Returns nBytesW.
i32 WriteRequest(i32 command, const u16* words = pp);
// Event passes until rx_flag is 1 or tdiff exceeds TIMEOUT since tstart, in the order `how`
// names. On time-out copies timeoutText (when given) into szStatus. Returns 1 when rx_flag is 1
// after the wait, else 0; -1 when the wait gave way (GIVE_WAY). tdiff of an answer is taken at
// its landing, so an answer that came in time is never late because a dialog held the event
// loop. When a callback inside a pass made an exchange of its own, the wait gets back its clock
// (tstart) and exactly its own answer: the one that landed meanwhile, or none.
int AwaitAnswer(int how, const char* timeoutText);
// A whole exchange: PrepareRequest, fill (when given) fills pp, WriteRequest(command, pp),
// sentText (when given) in the status line, tstart = Timer(), AwaitAnswer.
int ExchangeFrame(i32 command, int how, const char* sentText, const char* timeoutText,
                  void (*fill)() = nullptr);

// Whether the receive callback takes a frame carrying this command word: a frame answering
// another request the scope sends (codes 1 to 12 other than the one awaited) is set aside; every
// other word is taken.
bool TakesAnswer(int commandWord);
// The receive callback's end of an answer: rx_flag raised, graphrefresh too when it answers a
// measurement request, the request no longer awaited.
void TakeAnswer();
// Whether the answer to the last request is still on its way: not yet taken, and its time-out
// not yet passed.
bool AnswerOnItsWay();
// Nothing is on its way any more on com (the port was closed or given up).
void ForgetPendingAnswer();
// The request just written tells the sensor these words of its parameter set (the whole set is
// marked by WriteRequest itself for reads, writes and the teach).
void MarkWordsSet(int first, int count);
// Whether the scope learned word `word` of the parameter set from the sensor, or told it to the
// sensor, after the request whose answer the last wait returned: that answer's word is older
// than what the panel holds and is not applied.
bool NewerThanAnswer(int word);
// A frame answering a write has landed (and was set aside): the next request need not wait.
void AcknowledgmentLanded();
// Whether an exchange after `request` emptied the queues: its raw block is gone.
bool LineTakenOver(i32 request);

// Reads the `waiting` bytes of a raw block into szReadBuf, never more than it holds; returns the
// count read (0 when nothing was waiting).
int ReadRawBlock(int waiting);

} // namespace kvor

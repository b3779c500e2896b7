// SPDX-License-Identifier: GPL-3.0-or-later
#include "live/answer_rate.h"

#include <limits>

#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"

namespace kvor {

namespace {

// More answers than this in one second come only from a line without pacing; the rate is then
// counted over the newest of them.
constexpr int kMaxAnswers = 8192;
constexpr double kWindow = 1.0;
// The display changes at most this often, however fast the answers come.
constexpr double kShowEvery = 0.1;
// Early in a loop the rate is counted over the time it has run, but not less than this.
constexpr double kShortestWindow = 0.25;

double answerTime[kMaxAnswers];
int answerFirst = 0; // oldest kept
int answerCount = 0;
double rateStart = 0;
double rateShown = 0;

void DropOlderThan(double t) {
    while (answerCount > 0 && answerTime[answerFirst] < t) {
        answerFirst = (answerFirst + 1) % kMaxAnswers;
        --answerCount;
    }
}

} // namespace

void StartAnswerRate() {
    answerFirst = 0;
    answerCount = 0;
    rateStart = Timer();
    rateShown = rateStart;
    SetCtrlVal(pHandle, MAIN_ANSWER_RATE, 0.0);
}

void CountAnswer() {
    const double now = Timer();
    DropOlderThan(now - kWindow);
    if (answerCount == kMaxAnswers) {
        answerFirst = (answerFirst + 1) % kMaxAnswers;
        --answerCount;
    }
    answerTime[(answerFirst + answerCount) % kMaxAnswers] = now;
    ++answerCount;
    if (now - rateShown < kShowEvery) return;
    rateShown = now;
    double window = now - rateStart;
    if (window > kWindow) window = kWindow;
    if (window < kShortestWindow) window = kShortestWindow;
    SetCtrlVal(pHandle, MAIN_ANSWER_RATE, answerCount / window);
}

void StopAnswerRate() {
    answerCount = 0;
    SetCtrlVal(pHandle, MAIN_ANSWER_RATE, std::numeric_limits<double>::quiet_NaN());
}

} // namespace kvor

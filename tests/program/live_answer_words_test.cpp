// SPDX-License-Identifier: GPL-3.0-or-later
// Measurement answers of the sensor's choosing, through the line into the displays.
#include <random>
#include <vector>

#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "tests/support/harness.h"

namespace kvor::test {
namespace {

class AnswerWords : public ScopeTest {
  protected:
    // Runs the loop until the sensor has been asked for `measures` measurements and stops it
    // with a click; a loop that ends on its own before fails the test.
    void RunFor(int measures) {
        When(
            Measuring(sensor(), measures), [] { Click(pHandle, MAIN_STOP); }, 10.0);
        Click(pHandle, MAIN_RUN);
    }
    i32 Shown(int control) {
        i32 v = 0;
        GetCtrlVal(pHandle, control, &v);
        return v;
    }
};

TEST_F(AnswerWords, MicrometresComeFromWordsThreeAndFour) {
    std::vector<std::uint16_t> words(16, 0);
    words[0] = 300;  // left edge
    words[1] = 700;  // right edge
    words[2] = 400;  // measuring value
    words[3] = 4660; // micrometres, low half
    words[4] = 1;    // micrometres, high half
    words[5] = 512;
    words[6] = 100;
    words[7] = 2;
    sensor().setMeasurementAnswer(words);
    RunFor(3);
    EXPECT_EQ(Shown(MAIN_UMVALUE), 70196);
    EXPECT_EQ(umValue, 70196);
    std::uint16_t left = 0;
    GetCtrlVal(pHandle, MAIN_LEDGE, &left);
    EXPECT_EQ(left, 300);
}

TEST_F(AnswerWords, AnySixteenWordsAreShownAndTheLoopGoesOn) {
    std::mt19937 random(7);
    std::vector<std::vector<std::uint16_t>> answers = {std::vector<std::uint16_t>(16, 0),
                                                       std::vector<std::uint16_t>(16, 65535)};
    for (int i = 0; i < 8; ++i) {
        std::vector<std::uint16_t> w(16);
        for (auto& x : w)
            x = static_cast<std::uint16_t>(random());
        answers.push_back(w);
    }
    for (const auto& words : answers) {
        sensor().setMeasurementAnswer(words);
        sensor().clearRequests();
        RunFor(5);
        // Still polling when Stop came, still a sane panel after it.
        EXPECT_GT(sensor().requests().size(), 3u);
        EXPECT_NE(StatusLine(), "Timeout RS232-Line!");
        EXPECT_LE(GetGraphPlotCount(pHandle, MAIN_BARGRAPH), 5);
        std::uint16_t shown = 0;
        GetCtrlVal(pHandle, MAIN_MVALUE, &shown);
        EXPECT_EQ(shown, words[2]);
    }
}

} // namespace
} // namespace kvor::test

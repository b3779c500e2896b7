// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever sixteen words the sensor answers, the displays take them without a crash, without
// undefined arithmetic (run under the sanitizer build) and without a shape on the bar graph
// whose ends are inverted.
#include <random>

#include <gtest/gtest.h>

#include "live/measurement.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "tests/support/harness.h"

namespace kvor {
namespace {

class AnyAnswer : public test::ScopeTest {
  protected:
    // What the measurement loop does with one answer.
    void Display(const u16 (&words)[16]) {
        for (int i = 0; i < 16; ++i)
            pp[i] = words[i];
        TakeMeasurementAnswer(RUN_LOOP);
    }
    void ExpectShown(const u16 (&words)[16]) {
        u16 v = 0;
        GetCtrlVal(pHandle, MAIN_LEDGE, &v);
        EXPECT_EQ(v, words[0]);
        GetCtrlVal(pHandle, MAIN_REDGE, &v);
        EXPECT_EQ(v, words[1]);
        GetCtrlVal(pHandle, MAIN_MVALUE, &v);
        EXPECT_EQ(v, words[2]);
        i32 um = 0;
        GetCtrlVal(pHandle, MAIN_UMVALUE, &um);
        EXPECT_EQ(static_cast<std::uint32_t>(um),
                  static_cast<std::uint32_t>(words[4]) << 16 | words[3]);
        int n = GetGraphPlotCount(pHandle, MAIN_BARGRAPH);
        for (int i = 0; i < n; ++i) {
            PlotInfo info;
            ASSERT_EQ(GetGraphPlotInfo(pHandle, MAIN_BARGRAPH, i, &info), 0);
            EXPECT_LE(info.x1, info.x2);
        }
        double x = 0, y = 0;
        GetGraphCursor(pHandle, MAIN_BARGRAPH, 1, &x, &y);
        if (ccdsubpixel >= 1) {
            EXPECT_GE(x, 1);
            EXPECT_LE(x, ccdsubpixel);
        }
    }
};

TEST_F(AnyAnswer, AllZeroAndAllOnesInEveryModeAndZoom) {
    for (u16 fill : {u16{0}, u16{65535}}) {
        u16 w[16];
        for (u16& x : w)
            x = fill;
        for (u16 mode : {u16{0}, u16{1}, u16{2}, u16{9}}) {
            for (i32 zoom : {0, 1}) {
                eMode = mode;
                anaMode = static_cast<u16>(mode * 3 % 10);
                SetCtrlVal(pHandle, MAIN_ZOOM, zoom);
                Display(w);
                ExpectShown(w);
            }
        }
    }
}

TEST_F(AnyAnswer, RandomWordsWithRandomParametersAndLineGeometry) {
    std::mt19937 rng(20240);
    std::uniform_int_distribution<int> word(0, 65535);
    std::uniform_int_distribution<int> small(0, 12);
    for (int round = 0; round < 400; ++round) {
        u16 w[16];
        for (u16& x : w)
            x = static_cast<u16>(round % 3 == 0 ? small(rng) : word(rng));
        eMode = static_cast<u16>(small(rng) % 4);
        anaMode = static_cast<u16>(small(rng));
        tTol = static_cast<u16>(word(rng) % 40);
        vThd = static_cast<u16>(word(rng));
        eBeg = static_cast<u16>(word(rng));
        eEnd = static_cast<u16>(word(rng));
        // Geometry as odd sensors might report it, the empty line included.
        u16 geometry[] = {0, 1, 2, 1024, 2048, 4096, 65535};
        ccdsubpixel = geometry[word(rng) % 7];
        ccdvirtpixel = geometry[word(rng) % 7];
        pixB = geometry[word(rng) % 7];
        pixE = geometry[word(rng) % 7];
        SetCtrlVal(pHandle, MAIN_ZOOM, round % 2);
        Display(w);
        ExpectShown(w);
        if (HasFailure()) break;
    }
}

} // namespace
} // namespace kvor

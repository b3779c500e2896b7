// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter set as frame words: the two copies and the ranges every shown value is held to.
#include <gtest/gtest.h>

#include "params/frame_map.h"
#include "params/panel_map.h"

#include <cmath>
#include <limits>

namespace kvor {
namespace {

u16* const kVars[PNUM] = {&power, &rs232Mode, &vThd,    &anaMode, &polarity, &eMode,
                          &eBeg,  &eEnd,      &tVal,    &tTol,    &opMode,   &eHardware,
                          &slope, &intersect, &average, &deltaTol};

class ParameterFrame : public ::testing::Test {
  protected:
    void SetUp() override {
        savedVirt_ = ccdvirtpixel;
        savedVersion_ = softversion;
        Defaults();
    }
    void TearDown() override {
        ccdvirtpixel = savedVirt_;
        softversion = savedVersion_;
    }
    // An in-range set: each range test changes one variable only.
    static void Defaults() {
        ccdvirtpixel = 4096;
        softversion = 240;
        power = 500;
        rs232Mode = 1;
        vThd = 512;
        anaMode = 7;
        polarity = 1;
        eMode = 2;
        eBeg = 10;
        eEnd = 1000;
        tVal = 512;
        tTol = 100;
        opMode = 1;
        eHardware = 3;
        slope = 1024;
        intersect = 30000;
        average = 1024;
        deltaTol = 5;
        trigMode = 3;
    }
    u16 savedVirt_ = 0;
    u16 savedVersion_ = 0;
};

TEST_F(ParameterFrame, VariablesGoToTheirWordsAndWord15FollowsTheFirmware) {
    for (int i = 0; i < 15; ++i)
        *kVars[i] = static_cast<u16>(100 + i);
    deltaTol = 77;
    trigMode = 88;
    softversion = 239;
    CopyVarsToPP();
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(pp[i], 100 + i) << "word " << i;
    EXPECT_EQ(pp[15], 77);
    softversion = 240;
    CopyVarsToPP();
    EXPECT_EQ(pp[15], 88);
}

TEST_F(ParameterFrame, WordsGoToTheirVariablesAndWord15IntoBoth) {
    for (int i = 0; i < PNUM; ++i)
        pp[i] = static_cast<u16>(60000 + i);
    pp[15] = 7;
    CopyPPtoVars();
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(*kVars[i], 60000 + i) << "word " << i;
    EXPECT_EQ(deltaTol, 7);
    EXPECT_EQ(trigMode, 7);
}

TEST_F(ParameterFrame, ThereAndBackKeepsEveryVariableButTheOtherWord15) {
    softversion = 230;
    CopyVarsToPP();
    CopyPPtoVars();
    EXPECT_EQ(power, 500);
    EXPECT_EQ(intersect, 30000);
    EXPECT_EQ(average, 1024);
    EXPECT_EQ(deltaTol, 5);
    EXPECT_EQ(trigMode, 5); // was 3: the firmware carries only the delta tolerance
}

struct Rule {
    u16* var;
    u16 given;
    u16 shown;
};

TEST_F(ParameterFrame, ValuesOutsideTheirRangeAreReplaced) {
    const Rule rules[] = {
        {&power, 1001, 500},
        {&power, 1000, 1000},
        {&rs232Mode, 2, 0},
        {&vThd, 951, 950},
        {&vThd, 49, 50},
        {&vThd, 50, 50},
        {&anaMode, 8, 0},
        {&polarity, 2, 1},
        {&polarity, 0, 0},
        {&eMode, 3, 2},
        {&eMode, 65535, 2},
        {&eMode, 0, 0},
        {&eBeg, 4097, 1},
        {&eBeg, 4096, 4096},
        {&eEnd, 4097, 4096},
        {&eEnd, 0, 1},
        {&tVal, 65535, 65535},
        {&tTol, 5000, 4096},
        {&tTol, 0, 1},
        {&opMode, 65535, 65535},
        {&eHardware, 4, 3},
        {&slope, 65535, 1024},
        {&slope, 65534, 65534},
        {&intersect, 60001, 30000},
        {&intersect, 60000, 60000},
        {&average, 1025, 1024},
        {&deltaTol, 0, 1},
        {&deltaTol, 4097, 4096},
        {&trigMode, 0, 0},
        {&trigMode, 65535, 65535},
    };
    for (const Rule& r : rules) {
        Defaults();
        u16 before[PNUM];
        for (int i = 0; i < PNUM; ++i)
            before[i] = *kVars[i];
        const u16 trigBefore = trigMode;
        *r.var = r.given;
        ApplyRangeRules();
        EXPECT_EQ(*r.var, r.shown) << "given " << r.given;
        // No rule touches another variable.
        for (int i = 0; i < PNUM; ++i) {
            if (kVars[i] != r.var) {
                EXPECT_EQ(*kVars[i], before[i]) << "word " << i;
            }
        }
        if (r.var != &trigMode) {
            EXPECT_EQ(trigMode, trigBefore);
        }
    }
}

TEST_F(ParameterFrame, PixelRangesFollowTheIdentifiedLine) {
    ccdvirtpixel = 1024;
    eBeg = 1025;
    eEnd = 2000;
    tTol = 1500;
    deltaTol = 1024;
    ApplyRangeRules();
    EXPECT_EQ(eBeg, 1);
    EXPECT_EQ(eEnd, 1024);
    EXPECT_EQ(tTol, 1024);
    EXPECT_EQ(deltaTol, 1024);
}

TEST(RealToWord, TruncatesTowardZeroAndHoldsToTheWord) {
    EXPECT_EQ(RealToWord(1.5 * 1024, 7), 1536);
    EXPECT_EQ(RealToWord(1.5 * 512, 7), 768);
    EXPECT_EQ(RealToWord(0.0009 * 1024, 7), 0);
    EXPECT_EQ(RealToWord(30000 + static_cast<double>(-12.7f), 7), 29987);
    EXPECT_EQ(RealToWord(65535.99, 7), 65535);
    EXPECT_EQ(RealToWord(-0.99, 7), 0);
    // Beyond the word: the nearest end, never a wrapped value.
    EXPECT_EQ(RealToWord(65536.0, 7), 65535);
    EXPECT_EQ(RealToWord(64.5 * 1024, 7), 65535);
    EXPECT_EQ(RealToWord(-1.0, 7), 0);
    EXPECT_EQ(RealToWord(-1e300, 7), 0);
    EXPECT_EQ(RealToWord(1e300, 7), 65535);
    EXPECT_EQ(RealToWord(std::numeric_limits<double>::infinity(), 7), 65535);
    EXPECT_EQ(RealToWord(-std::numeric_limits<double>::infinity(), 7), 0);
    EXPECT_EQ(RealToWord(std::nan(""), 4711), 4711);
}

} // namespace
} // namespace kvor

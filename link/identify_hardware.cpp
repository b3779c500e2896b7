// SPDX-License-Identifier: GPL-3.0-or-later
// The sensor's hardware description (command 10): CCD geometry and the X positions of the
// 256 video samples.
#include <cstddef>

#include "link/exchange.h"
#include "link/frame.h"
#include "link/identify.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"

namespace kvor {

namespace {

u16 AnswerWord(int byteOffset) {
    return WordAt(&szReadBuf[byteOffset]);
}

struct LineStep {
    u16 pixels;
    int step;
};

// The line lengths the scope knows, with the distance between two of their 256 video samples.
constexpr LineStep kPhysicalSteps[] = {{512, 2},  {768, 3},  {1024, 4},
                                       {1280, 5}, {1536, 6}, {2048, 8}};
constexpr LineStep kVirtualSteps[] = {{512, 2},   {768, 3},   {1024, 4}, {1180, 5},
                                      {1280, 5},  {1536, 6},  {2048, 8}, {2360, 10},
                                      {2560, 10}, {4096, 16}, {8192, 32}};

template <std::size_t N> int StepOf(const LineStep (&table)[N], u16 pixels, int unknown) {
    for (const LineStep& row : table)
        if (row.pixels == pixels) return row.step;
    return unknown;
}

void FillPositions() {
    int step = PhysicalStep(ccdmaxpixel);
    if (step == 0) {
        // A line length the scope does not know is drawn as 2048 pixels of a 1024 line.
        step = 8;
        ccdmaxpixel = 1024;
    }
    const int step8 = VirtualStep(ccdvirtpixel);
    for (int i = 0; i < 256; ++i) {
        xArray[i] = static_cast<double>(step * i);
        xArray8[i] = static_cast<double>(step8 * i);
    }
}

} // namespace

int PhysicalStep(u16 pixels) {
    return StepOf(kPhysicalSteps, pixels, 0);
}

int VirtualStep(u16 pixels) {
    return StepOf(kVirtualSteps, pixels, 1);
}

int GetHARDWAREInfo() {
    ExchangeFrame(CMD_HARDWARE_INFO, TEST_TIME_FIRST, nullptr, "Timeout-RS-232...");
    if (rx_flag != 1) return 0;
    return ApplyHARDWAREInfo();
}

int ApplyHARDWAREInfo() {
    // The words are taken whatever the command word says; only then is it checked.
    const u16 command = AnswerWord(2);
    ccdtype = AnswerWord(4);
    ccdmaxpixel = AnswerWord(6);
    ccdresolution = AnswerWord(8);
    pcbtype = AnswerWord(10);
    ccdvirtpixel = AnswerWord(12);
    ccdsubpixel = AnswerWord(14);
    ccdpixB = AnswerWord(16);
    ccdpixE = AnswerWord(18);
    softversion = AnswerWord(20);
    hwtype = AnswerWord(22);
    adcmax = AnswerWord(24);
    if (command != CMD_HARDWARE_INFO) return 0;

    SetAxisScalingMode(pHandle, MAIN_VIDEOGRAPH, VAL_XAXIS, VAL_MANUAL, 1.0,
                       static_cast<double>(ccdvirtpixel));
    FillPositions();
    ApplySensorDescription();
    return 1;
}

} // namespace kvor

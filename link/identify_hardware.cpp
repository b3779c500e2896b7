// SPDX-License-Identifier: GPL-3.0-or-later
// The sensor's hardware description (command 10): CCD geometry and the X positions of the
// 256 video samples.
#include "link/exchange.h"
#include "link/frame.h"
#include "link/identify.h"
#include "state/panel_ids.h"
#include "ui/runtime.h"

namespace kvor {

namespace {

u16 AnswerWord(int byteOffset) {
    return WordAt(&szReadBuf[byteOffset]);
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

// Distance in pixels between two of the 256 video samples on a line of `pixels` pixels.
int PhysicalStep(u16 pixels) {
    switch (pixels) {
    case 512:
        return 2;
    case 768:
        return 3;
    case 1024:
        return 4;
    case 1280:
        return 5;
    case 1536:
        return 6;
    case 2048:
        return 8;
    default:
        return 0;
    }
}

int VirtualStep(u16 pixels) {
    switch (pixels) {
    case 512:
        return 2;
    case 768:
        return 3;
    case 1024:
        return 4;
    case 1180:
        return 5;
    case 1280:
        return 5;
    case 1536:
        return 6;
    case 2048:
        return 8;
    case 2360:
        return 10;
    case 2560:
        return 10;
    case 4096:
        return 16;
    case 8192:
        return 32;
    default:
        return 1;
    }
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

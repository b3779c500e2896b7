// SPDX-License-Identifier: GPL-3.0-or-later
// What the scope knows of each CCD type: the two description lines of the pop-up, the texts of
// the operating-mode switch, which parameter controls apply, the video full scale and the
// range of the edge limits. Texts are UTF-8 (the micro sign).
#include "link/identify.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"

namespace kvor {

namespace {

void Lines(const char* line0, const char* line1) {
    ReplaceTextBoxLine(pPopup, POP_DESCRIPTION, 0, line0);
    ReplaceTextBoxLine(pPopup, POP_DESCRIPTION, 1, line1);
}

void SwitchTexts(const char* on, const char* off) {
    SetCtrlAttribute(pHandle, MAIN_OPMODE, ATTR_ON_TEXT, on);
    SetCtrlAttribute(pHandle, MAIN_OPMODE, ATTR_OFF_TEXT, off);
}

void GainSwitch() {
    SwitchTexts("HI-GAIN", "LO-GAIN");
}
void ConverterSwitch() {
    SwitchTexts("ADC-CNV", "DIG-CMP");
}

// Firmware 240 and above carries the trigger mode in word 15, older firmware the delta
// tolerance.
void RuleV() {
    const int trigger = softversion >= 240 ? 1 : 0;
    SetCtrlAttribute(pHandle, MAIN_TRIGMODE, ATTR_VISIBLE, trigger);
    SetCtrlAttribute(pHandle, MAIN_DELTATOL, ATTR_VISIBLE, 1 - trigger);
}

void RuleA() {
    YMAXADC = adcmax == 256 ? 256 : 1024;
}

void EdgeRange(u16 last) {
    pixB = 1;
    pixE = last;
}

void StripChartToLine() {
    SetAxisScalingMode(pHandle, MAIN_STRIPCHART, VAL_LEFT_YAXIS, VAL_MANUAL, 0.0,
                       static_cast<double>(ccdmaxpixel));
}

void Type1() {
    if (ccdresolution == 30)
        Lines("CCD-SENSOR:1024 pixel; 3.0µm res.;", "optical-lense, 3.0mm working range");
    if (hwtype == 80 || ccdresolution == 80) {
        Lines("CCD-SENSOR:1024 pixel; 2048 subpixel", "8.0mm working range; 4µm resolution");
        RuleV();
        SetCtrlAttribute(pHandle, MAIN_RS232MODE, ATTR_DIMMED, 1);
    }
    GainSwitch();
    RuleA();
    EdgeRange(ccdvirtpixel);
}

void Type2() {
    if (ccdresolution == 750)
        Lines("CCD-SENSOR:1024 pixel; 25µm pixel-pitch;", "opt.-lense, 75mm working range");
    if (hwtype == 250 || ccdresolution == 250) {
        Lines("CCD-SENSOR:1024 pixel; 2048 subpixel", "25.6mm working range; 12.5µm resolution");
        RuleV();
    }
    if (hwtype == 350 || ccdresolution == 350) {
        Lines("CCD-SENSOR:1024 pixel; 2048 subpixel", "35mm working range; 17µm resolution");
        RuleV();
    }
    GainSwitch();
    RuleA();
    EdgeRange(ccdvirtpixel);
}

void Type3() {
    Lines("CCD-SENSOR:512 pixel; 25µm pixel-pitch;", "12,8mm working range");
    StripChartToLine();
    GainSwitch();
    EdgeRange(512);
}

void Type4() {
    Lines("CCD-SENSOR:512 pixel; 12,5µm pixel-pitch;", "6,4mm working range");
    StripChartToLine();
    EdgeRange(512);
}

void Type101() {
    Lines("CCD-SENSOR:256 pixel; 63.5µm pixel-pitch;",
          "Working-Range: 16.25mm, Resolution: 31.75µm (subpixel x2)");
    RuleV();
    ConverterSwitch();
    RuleA();
    EdgeRange(ccdvirtpixel);
}

void Type102() {
    Lines("CCD-SENSOR:768 pixel; 63.5µm pixel-pitch;",
          "Working-Range: 48,8mm, Resolution: 31.75µm (subpixel x2)");
    if (softversion == 220) ConverterSwitch();
    if (softversion == 230) {
        // This firmware uses word 15 as an offset value of its own.
        SetCtrlAttribute(pHandle, MAIN_OPMODE, ATTR_DIMMED, 1);
        SetCtrlAttribute(pHandle, MAIN_DELTATOL, ATTR_LABEL_TEXT, "OFFSET-VALUE");
        SetCtrlAttribute(pHandle, MAIN_DELTATOL, ATTR_MIN_VALUE, 950.0);
        SetCtrlAttribute(pHandle, MAIN_DELTATOL, ATTR_MAX_VALUE, 1000.0);
    }
    RuleV();
    RuleA();
    EdgeRange(ccdvirtpixel);
}

void Type103() {
    Lines("CCD-SENSOR:1180 pixel; 63.5µm pixel-pitch;",
          "Working-Range: 74,9mm,   Resolution: 31.75µm (subpixel x2)");
    RuleV();
    ConverterSwitch();
    RuleA();
    EdgeRange(ccdvirtpixel);
}

void Type104() {
    Lines("CCD-SENSOR:1536 pixel; 63.5µm pixel-pitch;",
          "Working-Range: 97,5mm,   Resolution: 63.5µm");
    RuleV();
    ConverterSwitch();
    RuleA();
    EdgeRange(ccdvirtpixel);
}

void UnknownType() {
    Lines("CCD-SENSOR: no information avialable!", "                                     ");
    ConverterSwitch();
    YMAXADC = 1024;
    EdgeRange(1024);
}

} // namespace

void ApplySensorDescription() {
    switch (ccdtype) {
    case 1:
        Type1();
        break;
    case 2:
        Type2();
        break;
    case 3:
        Type3();
        break;
    case 4:
        Type4();
        break;
    case 101:
        Type101();
        break;
    case 102:
        Type102();
        break;
    case 103:
        Type103();
        break;
    case 104:
        Type104();
        break;
    default:
        UnknownType();
        break;
    }
}

} // namespace kvor

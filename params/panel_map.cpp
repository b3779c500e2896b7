// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter variables to and from the controls of the main panel and the pop-up, and
// everything on the panel that depends on them.
#include "params/panel_map.h"

#include <cmath>

#include "live/curve_strip.h"
#include "params/frame_map.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"

namespace kvor {

namespace {

constexpr int kGrey = 0xA0A0A0;
constexpr int kGreen = 0x00FF00;

// The displays of the analog output, shown only in the analog modes above 1.
constexpr int kAnalogControls[] = {MAIN_MVALUE_ANA, MAIN_ANAMAX, MAIN_ANAMIN, MAIN_ANA_LABEL,
                                   MAIN_ANA_FRAME};

void ReadMain(int control, u16* value) {
    GetCtrlVal(pHandle, control, value);
}

// The main panel's parameter controls in the order GetPanelValues reads them, with their
// variables and frame words.
struct ParameterControl {
    int control;
    u16* variable;
    int word;
};
const ParameterControl kParameterControls[] = {
    {MAIN_POWER, &power, 0},     {MAIN_RS232MODE, &rs232Mode, 1}, {MAIN_THRESHOLD, &vThd, 2},
    {MAIN_ANAMODE, &anaMode, 3}, {MAIN_POLARITY, &polarity, 4},   {MAIN_EMODE, &eMode, 5},
    {MAIN_EDGE_LEFT, &eBeg, 6},  {MAIN_EDGE_RIGHT, &eEnd, 7},     {MAIN_SETPOINT, &tVal, 8},
    {MAIN_TOLERANCE, &tTol, 9},  {MAIN_HWMODE, &eHardware, 11},   {MAIN_AVERAGE, &average, 14},
    {MAIN_OPMODE, &opMode, 10},  {MAIN_DELTATOL, &deltaTol, 15},  {MAIN_TRIGMODE, &trigMode, 15},
};

// The factor and offset on the pop-up as the words 12 and 13; a control that holds no number
// leaves the word as given.
void ReadCalibrationWords(u16* slopeWord, u16* intersectWord) {
    float factor = static_cast<float>(*slopeWord) / static_cast<float>(SlopeMultiplier());
    float offset = static_cast<float>(static_cast<i32>(*intersectWord) - YOFFSET);
    GetCtrlVal(pPopup, POP_FACTOR, &factor);
    GetCtrlVal(pPopup, POP_OFFSET, &offset);
    *slopeWord = RealToWord(SlopeMultiplier() * static_cast<double>(factor), *slopeWord);
    *intersectWord = RealToWord(YOFFSET + static_cast<double>(offset), *intersectWord);
}
void ShowMain(int control, u16 value) {
    SetCtrlVal(pHandle, control, value);
}

} // namespace

int SlopeMultiplier() {
    return SlopeMultiplierOf(ccdtype);
}

int SlopeMultiplierOf(u16 ccdType) {
    return ccdType == 104 ? SLOPEMULTI_512 : SLOPEMULTI;
}

// The factor control reaches as far as the word does at this sensor's scale (twice as far for
// CCD type 104), so that a factor read back from it before a send is never cut.
void ShowCalibrationWords() {
    const double m = SlopeMultiplier();
    SetCtrlAttribute(pPopup, POP_FACTOR, ATTR_MAX_VALUE, 65534.0 / m);
    SetCtrlVal(pPopup, POP_FACTOR, static_cast<float>(slope / m));
    SetCtrlVal(pPopup, POP_OFFSET, static_cast<float>(static_cast<i32>(intersect) - YOFFSET));
}

namespace {

// The edge limits, the line's full width and the tolerance band around the setpoint. Nothing
// is deleted: the bar-graph display clears the graph when it redraws.
void DrawBarGraphMarks() {
    SetGraphCursor(pHandle, MAIN_BARGRAPH, 2, eBeg, 0.75);
    SetGraphCursor(pHandle, MAIN_BARGRAPH, 3, eEnd, 0.75);
    PlotRectangle(pHandle, MAIN_BARGRAPH, 0.0, 0.0, ccdvirtpixel, 1.0, kGrey, kGrey);
    // The band's left end may lie below 0.
    const i32 low = static_cast<i32>(tVal) - static_cast<i32>(tTol);
    const i32 high = static_cast<i32>(tVal) + static_cast<i32>(tTol);
    PlotRectangle(pHandle, MAIN_BARGRAPH, low, 0.0, high, 0.25, kGreen, kGreen);
}

} // namespace

u16 RealToWord(double value, u16 unchanged) {
    if (std::isnan(value)) return unchanged;
    const double whole = std::trunc(value);
    if (whole <= 0.0) return 0;
    if (whole >= 65535.0) return 65535;
    return static_cast<u16>(whole);
}

void ShowAnalogOutput(u16 mode) {
    const int visible = mode > 1 ? 1 : 0;
    for (int control : kAnalogControls)
        SetCtrlAttribute(pHandle, control, ATTR_VISIBLE, visible);
}

void GetPanelValues() {
    for (const ParameterControl& p : kParameterControls)
        ReadMain(p.control, p.variable);
    ReadCalibrationWords(&slope, &intersect);
}

void ReadPanelWords(u16* words) {
    const int word15 = TriggerInWord15() ? MAIN_TRIGMODE : MAIN_DELTATOL;
    for (const ParameterControl& p : kParameterControls)
        if (p.word != 15 || p.control == word15) {
            words[p.word] = *p.variable;
            ReadMain(p.control, &words[p.word]);
        }
    words[12] = slope;
    words[13] = intersect;
    ReadCalibrationWords(&words[12], &words[13]);
}

void SetPanelValues() {
    ApplyRangeRules();
    ShowMain(MAIN_POWER, power);
    ShowMain(MAIN_RS232MODE, rs232Mode);
    ShowMain(MAIN_THRESHOLD, vThd);
    ShowMain(MAIN_ANAMODE, anaMode);
    ShowMain(MAIN_POLARITY, polarity);
    ShowMain(MAIN_EMODE, eMode);
    ShowMain(MAIN_EDGE_LEFT, eBeg);
    ShowMain(MAIN_EDGE_RIGHT, eEnd);
    ShowMain(MAIN_TOL, tTol);
    ShowMain(MAIN_SETPOINT, tVal);
    ShowMain(MAIN_TOLERANCE, tTol);
    ShowMain(MAIN_HWMODE, eHardware);
    ShowMain(MAIN_AVERAGE, average);
    ShowMain(MAIN_DELTATOL, deltaTol);
    ShowMain(MAIN_TRIGMODE, trigMode);
    ShowCalibrationWords();
    ShowMain(MAIN_OPMODE, opMode);

    ShowAnalogOutput(anaMode);
    for (u16& level : thdArray)
        level = vThd;
    SetAxisScalingMode(pHandle, MAIN_BARGRAPH, VAL_XAXIS, VAL_MANUAL, 1.0, ccdvirtpixel);
    // The video graph with the new threshold line over the last picture.
    PlotVIDEOCurve(adcbuf, xArray8);
    DrawBarGraphMarks();
}

} // namespace kvor

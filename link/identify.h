// SPDX-License-Identifier: GPL-3.0-or-later
// Sensor identification: hardware description and firmware text.
#pragma once

#include "state/state.h"

namespace kvor {

int GetHARDWAREInfo();
// Distance in pixels between two of the 256 video samples on a line of `pixels` physical
// pixels; 0 for a line length the scope does not know.
int PhysicalStep(u16 pixels);
// The same on the line of `pixels` virtual (sub)pixels the video curve is drawn over; 1 for a
// length the scope does not know.
int VirtualStep(u16 pixels);
// A sensor's pixel counts as its description on the pop-up and the video graph word them:
// "1024 pixel; 2048 subpixel; 4096 virtual pixel" (physical pixels, the subpixel span, the
// virtual pixels); "pixel counts not known" when the sensor told none.
void PixelCountsText(u16 physical, u16 subpixel, u16 virtualPixels, char* text, int size);
// Takes the hardware answer frame in szReadBuf: the eleven description words whatever the
// command word, then, only when it is 10, the graph axis, xArray, xArray8 and the description
// table. Returns 1 when the command word was 10, else 0. No serial traffic.
int ApplyHARDWAREInfo();
i32 GetVERSIONInfo();
// Takes the firmware text out of the nBytesR bytes read into szReadBuf (only a block of exactly
// 72 is a text), shows szStatus and names the series. `waiting` is the count that was in the
// input queue when the wait ended; returns it, or the series code. No serial traffic.
i32 DecodeVERSIONInfo(i32 waiting);
// The row of the sensor description table for ccdtype: text box lines, switch texts, controls
// 17/24/26/56, YMAXADC, pixB and pixE (after a hardware answer with command word 10).
void ApplySensorDescription();

} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// The banner at the top of the main panel: background, logo, contact lines, name and version.
#include "app/banner.h"

#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"

namespace kvor {
namespace {

struct BannerStyle {
    int frame;        // colour of the banner frame
    const char* logo; // nullptr: the logo picture is hidden
    int logoLeft, logoTop;
    bool contactLines;
    int contactBack, contactText;
    int nameLeft, nameTop, versionLeft, versionTop;
    int titleBack, titleText;
};

const BannerStyle kStyles[4] = {
    {0xFFFFFF, nullptr, 0, 0, false, 0, 0, 20, 20, 170, 26, 0xFFFFFF, 0x808080},
    {0x0080FF, nullptr, 0, 0, false, 0, 0, 20, 20, 170, 26, 0x0080FF, 0xFFFFFF},
    {0x0080FF, "zo.bmp", 300, 10, true, 0x0080FF, 0xFFFFFF, 300, 35, 450, 40, 0x0080FF, 0xFFFFFF},
    {0xFFFFFF, "qZorevor.bmp", 670, 7, true, 0xFFFFFF, 0x000000, 300, 22, 450, 28, 0xFFFFFF,
     0x808080},
};

const char* const kContactLines[3] = {
    N_("K-VOR-PX through-beam line sensors"),
    N_("Sensor service: see the sensor's data sheet"),
    N_("Scope for RS-232, 19200 baud"),
};

} // namespace

void ShowInfoText(int background, int textColour, const char* text, int left, int top,
                  int pointSize) {
    const int id = NewCtrl(pHandle, CTRL_TEXT_MSG, "", top, left);
    SetCtrlAttribute(pHandle, id, ATTR_TEXT_FONT, VAL_APP_META_FONT);
    SetCtrlAttribute(pHandle, id, ATTR_TEXT_BGCOLOR, background);
    SetCtrlAttribute(pHandle, id, ATTR_TEXT_COLOR, textColour);
    SetCtrlAttribute(pHandle, id, ATTR_TEXT_POINT_SIZE, pointSize);
    SetCtrlVal(pHandle, id, text);
}

void ShowLogo(int style) {
    if (style < 0 || style > 3) return;
    const BannerStyle& s = kStyles[style];
    SetCtrlAttribute(pHandle, MAIN_BANNER, ATTR_FRAME_COLOR, s.frame);
    if (s.logo == nullptr) {
        SetCtrlAttribute(pHandle, MAIN_LOGO, ATTR_VISIBLE, 0);
    } else {
        SetCtrlAttribute(pHandle, MAIN_LOGO, ATTR_LEFT, s.logoLeft);
        SetCtrlAttribute(pHandle, MAIN_LOGO, ATTR_TOP, s.logoTop);
        DisplayImageFile(pHandle, MAIN_LOGO, s.logo);
    }
    if (s.contactLines) {
        const int tops[3] = {10, 25, 40};
        for (int i = 0; i < 3; ++i)
            ShowInfoText(s.contactBack, s.contactText, kContactLines[i], 15, tops[i], 11);
    }
    ShowInfoText(s.titleBack, s.titleText, szSoftName, s.nameLeft, s.nameTop, 18);
    ShowInfoText(s.titleBack, s.titleText, szSoftVersion, s.versionLeft, s.versionTop, 11);
}

} // namespace kvor

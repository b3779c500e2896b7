// SPDX-License-Identifier: GPL-3.0-or-later
// The banner at the top of the main panel.
#pragma once

namespace kvor {

void ShowInfoText(int background, int textColour, const char* text, int left, int top,
                  int pointSize);
void ShowLogo(int style);

} // namespace kvor

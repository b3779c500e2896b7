// SPDX-License-Identifier: GPL-3.0-or-later
// The sensor's pixel counts in the words its description uses.
#include <cstdio>

#include "link/identify.h"

namespace kvor {

void PixelCountsText(u16 physical, u16 subpixel, u16 virtualPixels, char* text, int size) {
    if (text == nullptr || size < 1) return;
    const auto room = static_cast<std::size_t>(size);
    if (physical == 0 && subpixel == 0 && virtualPixels == 0)
        std::snprintf(text, room, "pixel counts not known");
    else
        std::snprintf(text, room, "%u pixel; %u subpixel; %u virtual pixel", unsigned{physical},
                      unsigned{subpixel}, unsigned{virtualPixels});
}

} // namespace kvor

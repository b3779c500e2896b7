// SPDX-License-Identifier: GPL-3.0-or-later
// Save picture: the main panel to a PNG file the operator names.
#include "live/picture.h"

#include <cstdio>

#include "runtime/runtime.h"
#include "state/state.h"
#include "state/time_stamp.h"

namespace kvor {

KVOR_CALLBACK(CC_BTNSavePicture) {
    if (event != EVENT_COMMIT) return 0;
    char path[PATH_LEN];
    if (AskSavePath("KVOR", "png", Tr("Save picture of the panel"), path, "pictures") <= 0)
        return 0;
    char text[PATH_LEN + 40];
    if (SavePanelImage(pHandle, path) == 0) {
        std::snprintf(text, sizeof text, Tr("Picture saved to %s"), path);
    } else {
        std::snprintf(text, sizeof text, Tr("Cannot save the picture to %s"), path);
    }
    ShowStatusLiteral(text);
    return 0;
}

} // namespace kvor

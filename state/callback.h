// SPDX-License-Identifier: GPL-3.0-or-later
// The signature of every control callback of the program. Most callbacks look only at the
// event; the other arguments are there because the runtime passes them.
#pragma once

#define KVOR_CALLBACK(name)                                                                        \
    int name([[maybe_unused]] int panel, [[maybe_unused]] int control, int event,                  \
             [[maybe_unused]] void* callbackData, [[maybe_unused]] int eventData1,                 \
             [[maybe_unused]] int eventData2)

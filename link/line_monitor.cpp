// SPDX-License-Identifier: GPL-3.0-or-later
// The line monitor, for the service technician: the runtime lists the traffic of the line.
#include "link/serial_link.h"
#include "runtime/runtime.h"

namespace kvor {

KVOR_CALLBACK(CC_BTNLineMonitor) {
    if (event == EVENT_COMMIT) DisplayLineMonitor();
    return 0;
}

} // namespace kvor

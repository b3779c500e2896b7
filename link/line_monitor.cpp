// The line monitor, for the service technician: the runtime lists the traffic of the line.
#include "link/serial_link.h"
#include "ui/runtime.h"

namespace kvor {

KVOR_CALLBACK(CC_BTNLineMonitor) {
    (void)panel, (void)control, (void)callbackData, (void)eventData1, (void)eventData2;
    if (event == EVENT_COMMIT) DisplayLineMonitor();
    return 0;
}

} // namespace kvor

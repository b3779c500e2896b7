// Sensor identification: hardware description and firmware text.
#pragma once

#include "app/state.h"

namespace kvor {

int GetHARDWAREInfo();
i32 GetVERSIONInfo();
// The row of the sensor description table for ccdtype: text box lines, switch texts, controls
// 17/24/26/56, YMAXADC, pixB and pixE (after a hardware answer with command word 10).
void ApplySensorDescription();

} // namespace kvor

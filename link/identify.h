// Sensor identification: hardware description and firmware text.
#pragma once

#include "app/state.h"

namespace kvor {

int GetHARDWAREInfo();
i32 GetVERSIONInfo();

} // namespace kvor

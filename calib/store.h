// Storing a fitted line in the sensor.
#pragma once

#include "app/callback.h"

namespace kvor {

KVOR_CALLBACK(CC_ButtonSaveCalValues);

} // namespace kvor

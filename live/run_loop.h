// The measurement loop.
#pragma once

#include "app/callback.h"

namespace kvor {

void PushRUN();
// Copies the 16 words of a measurement answer in pp into the measurement variables.
void CopyPPtoMeasurement();
KVOR_CALLBACK(CC_BTNRun);
KVOR_CALLBACK(CC_BTNStop);

} // namespace kvor

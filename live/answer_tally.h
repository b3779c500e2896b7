// What happens to every measurement answer once it is drawn, whichever loop drew it.
#pragma once

namespace kvor {

// Adds the answer in the measurement variables to the statistics and to a running record.
void TallyMeasurementAnswer();

} // namespace kvor

// Every drawn measurement answer, from the measurement loop, the video loop or a calibration's
// run, counts in the answer rate and the statistics and goes into a running record.
#include "live/answer_tally.h"

#include "live/answer_rate.h"
#include "live/record.h"
#include "live/statistics.h"

namespace kvor {

void TallyMeasurementAnswer() {
    CountAnswer();
    AddAnswerToStatistics();
    ShowStatistics();
    RecordAnswer();
}

} // namespace kvor

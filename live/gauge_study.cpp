// SPDX-License-Identifier: GPL-3.0-or-later
// The gauge study window: the operator's inputs, the run chart as the readings come, and at the
// end the figures and the verdict. The readings are the sizes in micrometres of the measurement
// answers, taken from whichever loop runs; with none running the study runs the measurement loop
// itself and ends it again with its last reading. Whatever ends the loop before the last reading
// breaks the series off: readings of two runs, two sensors or two calibrations are not one study.
#include "live/gauge_study.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "link/identify.h"
#include "live/run_loop.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/remembered.h"
#include "state/time_stamp.h"

namespace kvor {

i32 pGauge = 0;
double gaugeRef = 0;
double gaugeTol = 0;
i32 gaugeWanted = 0;
i32 gaugeTaken = 0;
double gaugeReading[GAUGE_MAX_READINGS] = {};
i32 gaugeTaking = 0;
i32 gaugeOwnRun = 0;
i32 gaugeInterrupted = 0;
double gaugeMean = std::numeric_limits<double>::quiet_NaN();
double gaugeStdDev = gaugeMean, gaugeBias = gaugeMean, gaugeCg = gaugeMean, gaugeCgk = gaugeMean;
char szGaugeSensor[GAUGE_TEXT_LEN] = {};
char szGaugePort[GAUGE_TEXT_LEN] = {};
char szGaugeFirst[40] = {};
char szGaugeLast[40] = {};

namespace {

constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();
constexpr int kMinReadings = 10;
constexpr int kReadingColour = 0x0000C0;
constexpr int kRefColour = 0x008000;
constexpr int kLimitColour = 0xFF0000;
constexpr int kCapableColour = 0x008000;
constexpr int kNotCapableColour = 0xC00000;

// Two passes: the mean first, then the squared deviations from it.
void ComputeFigures() {
    gaugeMean = gaugeStdDev = gaugeBias = gaugeCg = gaugeCgk = kUndefined;
    const int n = gaugeTaken;
    if (n < 1) return;
    double sum = 0;
    for (int i = 0; i < n; ++i)
        sum += gaugeReading[i];
    gaugeMean = sum / n;
    gaugeBias = gaugeMean - gaugeRef;
    if (n < 2) return;
    double squares = 0;
    for (int i = 0; i < n; ++i)
        squares += (gaugeReading[i] - gaugeMean) * (gaugeReading[i] - gaugeMean);
    gaugeStdDev = std::sqrt(squares / (n - 1));
    // Part of a series tells nothing of the capability; readings all alike say nothing about the
    // scatter: the sensor resolves too coarsely.
    if (n < gaugeWanted || !(gaugeStdDev > 0)) return;
    gaugeCg = 0.2 * gaugeTol / (6.0 * gaugeStdDev);
    gaugeCgk = (0.1 * gaugeTol - std::abs(gaugeBias)) / (3.0 * gaugeStdDev);
}

void ShowState(const char* text) {
    SetCtrlVal(pGauge, GAUGE_STATE, text);
}

void ShowFigures() {
    SetCtrlVal(pGauge, GAUGE_MEAN, gaugeMean);
    SetCtrlVal(pGauge, GAUGE_STDDEV, gaugeStdDev);
    SetCtrlVal(pGauge, GAUGE_BIAS, gaugeBias);
    SetCtrlVal(pGauge, GAUGE_CG, gaugeCg);
    SetCtrlVal(pGauge, GAUGE_CGK, gaugeCgk);
    const int verdict = GaugeVerdict();
    SetCtrlVal(pGauge, GAUGE_VERDICT,
               verdict == 1   ? "capable"
               : verdict == 0 ? "not capable"
                              : "–");
    SetCtrlAttribute(pGauge, GAUGE_VERDICT, ATTR_TEXT_COLOR,
                     verdict == 1   ? kCapableColour
                     : verdict == 0 ? kNotCapableColour
                                    : 0);
    // A study that has ended can be reported, with "–" for what it could not tell.
    SetCtrlAttribute(pGauge, GAUGE_REPORT, ATTR_DIMMED, gaugeTaking != 0 || gaugeTaken < 1 ? 1 : 0);
}

void PlotLevel(double y, int colour) {
    const double xs[2] = {0.5, gaugeWanted + 0.5};
    const double ys[2] = {y, y};
    PlotXY(pGauge, GAUGE_CHART, xs, ys, 2, VAL_THIN_LINE, VAL_SOLID, colour);
}

// The run chart: the readings in their order against ref and ref ± 0.1 T.
void PlotChart() {
    const double band = 0.1 * gaugeTol;
    double lo = gaugeRef - 1.5 * band;
    double hi = gaugeRef + 1.5 * band;
    double xs[GAUGE_MAX_READINGS];
    for (int i = 0; i < gaugeTaken; ++i) {
        xs[i] = i + 1;
        lo = std::min(lo, gaugeReading[i]);
        hi = std::max(hi, gaugeReading[i]);
    }
    DeleteGraphPlot(pGauge, GAUGE_CHART, -1, VAL_DELAYED_DRAW);
    PlotLevel(gaugeRef - band, kLimitColour);
    PlotLevel(gaugeRef + band, kLimitColour);
    PlotLevel(gaugeRef, kRefColour);
    if (gaugeTaken > 0)
        PlotXY(pGauge, GAUGE_CHART, xs, gaugeReading, gaugeTaken, VAL_THIN_LINE, VAL_SOLID,
               kReadingColour);
    const double margin = 0.05 * (hi - lo) + 0.5;
    SetAxisScalingMode(pGauge, GAUGE_CHART, VAL_XAXIS, VAL_MANUAL, 0.5, gaugeWanted + 0.5);
    SetAxisScalingMode(pGauge, GAUGE_CHART, VAL_LEFT_YAXIS, VAL_MANUAL, lo - margin, hi + margin);
}

void ShowProgress() {
    char text[80];
    std::snprintf(text, sizeof text, Tr("Reading %d of %d: keep the master part still"), gaugeTaken,
                  gaugeWanted);
    ShowState(text);
}

void EndStudy() {
    gaugeTaking = 0;
    ComputeFigures();
    ShowFigures();
    PlotChart();
    char text[96];
    if (gaugeInterrupted == 0)
        std::snprintf(text, sizeof text, Tr("Done: %d readings"), gaugeTaken);
    else
        std::snprintf(text, sizeof text,
                      Tr("Interrupted after %d readings – press Start to begin again"), gaugeTaken);
    ShowState(text);
}

// The firmware text without the blanks that pad it to its 72 bytes.
void TrimmedFirmware(char* text, int size) {
    CopyText(text, size, szVersion);
    for (int i = static_cast<int>(std::strlen(text)) - 1; i >= 0 && text[i] == ' '; --i)
        text[i] = '\0';
}

// The sensor on the line and its port as the study starts: the report names what was measured,
// not what happens to be connected when it is saved.
void NoteWhatIsMeasured() {
    char firmware[STATUS_LEN + 1];
    char pixels[64];
    TrimmedFirmware(firmware, sizeof firmware);
    PixelCountsText(ccdmaxpixel, ccdsubpixel, ccdvirtpixel, pixels, sizeof pixels);
    std::snprintf(szGaugeSensor, sizeof szGaugeSensor, "%s, CCD type %u, %s",
                  firmware[0] != '\0' ? firmware : N_("not identified"), unsigned{ccdtype}, pixels);
    if (GetComPortLabel(com, szGaugePort, sizeof szGaugePort) < 0 || szGaugePort[0] == '\0')
        std::snprintf(szGaugePort, sizeof szGaugePort, "port %d", static_cast<int>(com));
    szGaugeFirst[0] = '\0';
    szGaugeLast[0] = '\0';
}

// A figure below the limit with enough decimals that it never reads as the limit itself.
void BelowLimit(char* text, int size, const char* name, double value) {
    for (int decimals = 2; decimals <= 6; ++decimals) {
        std::snprintf(text, static_cast<std::size_t>(size), "%s %.*f", name, decimals, value);
        if (std::strtod(std::strchr(text, ' ') + 1, nullptr) < GAUGE_CAPABLE) return;
    }
}

// The operator's inputs, kept within what the study can use.
void ReadInputs() {
    i32 wanted = 0;
    GetCtrlVal(pGauge, GAUGE_REFERENCE, &gaugeRef);
    GetCtrlVal(pGauge, GAUGE_TOLERANCE, &gaugeTol);
    GetCtrlVal(pGauge, GAUGE_READINGS, &wanted);
    gaugeWanted = std::clamp<i32>(wanted, kMinReadings, GAUGE_MAX_READINGS);
    if (!std::isfinite(gaugeRef)) gaugeRef = 0;
    if (!(gaugeTol > 0)) gaugeTol = kUndefined;
    // The next start of the scope offers the same master part and tolerance.
    RememberNumber("gauge/reference", gaugeRef);
    if (gaugeTol > 0) RememberNumber("gauge/tolerance", gaugeTol);
    RememberNumber("gauge/readings", gaugeWanted);
}

// The inputs of the last study the operator started, in any run of the scope.
void ShowRememberedInputs() {
    double value = 0;
    GetCtrlVal(pGauge, GAUGE_REFERENCE, &value);
    SetCtrlVal(pGauge, GAUGE_REFERENCE, RememberedNumber("gauge/reference", value));
    GetCtrlVal(pGauge, GAUGE_TOLERANCE, &value);
    SetCtrlVal(pGauge, GAUGE_TOLERANCE, RememberedNumber("gauge/tolerance", value));
    i32 readings = 0;
    GetCtrlVal(pGauge, GAUGE_READINGS, &readings);
    SetCtrlVal(pGauge, GAUGE_READINGS,
               static_cast<i32>(RememberedNumber("gauge/readings", readings)));
}

} // namespace

int GaugeVerdict() {
    if (gaugeTaking != 0 || gaugeInterrupted != 0 || gaugeTaken < gaugeWanted) return -1;
    if (std::isnan(gaugeCg) || std::isnan(gaugeCgk)) return -1;
    return gaugeCg >= GAUGE_CAPABLE && gaugeCgk >= GAUGE_CAPABLE ? 1 : 0;
}

void GaugeVerdictText(char* text, int size) {
    if (text == nullptr || size < 1) return;
    const auto room = static_cast<std::size_t>(size);
    const int verdict = GaugeVerdict();
    if (verdict == 1) {
        std::snprintf(text, room, Tr("capable: Cg and Cgk both at least %.2f"), GAUGE_CAPABLE);
    } else if (verdict == 0) {
        char cg[24] = {}, cgk[24] = {};
        if (gaugeCg < GAUGE_CAPABLE) BelowLimit(cg, sizeof cg, "Cg", gaugeCg);
        if (gaugeCgk < GAUGE_CAPABLE) BelowLimit(cgk, sizeof cgk, "Cgk", gaugeCgk);
        std::snprintf(text, room, Tr("not capable: %s%s%s below %.2f"), cg,
                      cg[0] != '\0' && cgk[0] != '\0' ? " and " : "", cgk, GAUGE_CAPABLE);
    } else if (gaugeInterrupted != 0 || gaugeTaking != 0) {
        std::snprintf(text, room, Tr("none: interrupted after %d of %d readings"), gaugeTaken,
                      gaugeWanted);
    } else {
        std::snprintf(text, room, "%s",
                      Tr("none: the readings do not scatter, Cg and Cgk are not defined"));
    }
}

void TakeGaugeReading() {
    if (gaugeTaking == 0 || gaugeTaken >= gaugeWanted) return;
    // An answer drawn after a Stop or a port pick belongs to no uninterrupted series.
    if (stop_flag != 0) {
        InterruptGaugeStudy();
        return;
    }
    gaugeReading[gaugeTaken++] = umValue;
    LocalTimeISO(szGaugeLast, sizeof szGaugeLast);
    if (gaugeTaken == 1) CopyText(szGaugeFirst, sizeof szGaugeFirst, szGaugeLast);
    if (gaugeTaken < gaugeWanted) {
        ShowProgress();
        PlotChart();
        return;
    }
    EndStudy();
    // The loop the study started ends after this answer's event pass.
    if (gaugeOwnRun != 0) stop_flag = 1;
}

void InterruptGaugeStudy() {
    if (gaugeTaking == 0) return;
    gaugeInterrupted = 1;
    EndStudy();
    // The loop the study started for itself ends with it.
    if (gaugeOwnRun != 0) stop_flag = 1;
}

void DiscardGaugeWindow() {
    gaugeTaking = 0;
    gaugeTaken = 0;
    DiscardWindow(&pGauge);
}

KVOR_CALLBACK(CC_BTNGaugeStudy) {
    if (event != EVENT_COMMIT) return 0;
    const bool first = pGauge <= 0;
    if (LoadWindow(&pGauge, GAUGE_PANEL_RESOURCE) == 0) return 0;
    if (first) {
        ShowRememberedInputs();
        // No study yet: every figure and the verdict show "–".
        ComputeFigures();
        ShowFigures();
        ShowState(N_("Place the master part, then press Start"));
    }
    DisplayPanel(pGauge);
    return 0;
}

KVOR_CALLBACK(CC_GaugeStart) {
    if (event != EVENT_COMMIT) return 0;
    ReadInputs();
    gaugeTaken = 0;
    gaugeTaking = 1;
    gaugeInterrupted = 0;
    NoteWhatIsMeasured();
    ComputeFigures();
    ShowFigures();
    PlotChart();
    ShowProgress();
    // A loop runs: its answers are the readings.
    if (stop_flag == 0) return 0;
    gaugeOwnRun = 1;
    PushRUN();
    gaugeOwnRun = 0;
    return 0;
}

// Closing the window abandons a study that is taking readings.
int CC_GAUGE_PANEL(int, int event, void*, int, int) {
    if (event != EVENT_CLOSE) return 0;
    InterruptGaugeStudy();
    HidePanel(pGauge);
    return 0;
}

} // namespace kvor

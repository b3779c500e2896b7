// SPDX-License-Identifier: GPL-3.0-or-later
// Save report: the PDF where the operator names it, the readings in a CSV file of the same name
// beside it, in the record's format the operator chose last.
#include "live/gauge_report.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "live/gauge_study.h"
#include "live/record.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/replace_files.h"
#include "state/state.h"
#include "state/time_stamp.h"

namespace kvor {

namespace {

constexpr int kLineLen = 256;

// A figure as the window shows it: "–" where it is not defined.
const char* Figure(char* text, int size, double value, int decimals) {
    if (std::isnan(value)) return "–";
    std::snprintf(text, size, "%.*f", decimals, value);
    return text;
}

void AddLine(int report, const char* format, const char* a, const char* b = "") {
    char line[kLineLen];
    std::snprintf(line, sizeof line, format, a, b);
    AddReportText(report, line);
}

} // namespace

int WriteGaugeReport(const char* path) {
    char a[40], b[40], verdict[kLineLen - 8];
    const int report = NewReport(Tr("Type-1 gauge study"));
    // The sensor and port as they were when the study started.
    AddLine(report, Tr("Sensor: %s"), szGaugeSensor);
    AddLine(report, Tr("Port: %s"), szGaugePort);
    AddLine(report, Tr("First reading: %s    Last reading: %s"), szGaugeFirst, szGaugeLast);
    AddLine(report, Tr("Reference size ref: %s µm    Tolerance T: %s µm"),
            Figure(a, sizeof a, gaugeRef, 3), Figure(b, sizeof b, gaugeTol, 3));
    std::snprintf(a, sizeof a, "%d", gaugeTaken);
    std::snprintf(b, sizeof b, "%d", gaugeWanted);
    AddLine(report, Tr("Readings: %s of %s sizes in µm, one measurement answer each"), a, b);
    AddReportText(report, "");
    AddLine(report, Tr("Mean x̄: %s µm    Standard deviation s: %s µm"),
            Figure(a, sizeof a, gaugeMean, 3), Figure(b, sizeof b, gaugeStdDev, 3));
    AddLine(report, Tr("Bias x̄ − ref: %s µm"), Figure(a, sizeof a, gaugeBias, 3));
    AddLine(report, Tr("Cg = 0.2·T / (6·s): %s    Cgk = (0.1·T − |x̄ − ref|) / (3·s): %s"),
            Figure(a, sizeof a, gaugeCg, 2), Figure(b, sizeof b, gaugeCgk, 2));
    GaugeVerdictText(verdict, sizeof verdict);
    AddLine(report, Tr("Result: %s"), verdict);
    AddReportText(report, "");
    AddReportText(report, Tr("Run chart: readings (blue), ref (green), ref ± 0.1·T (red)"));
    AddReportGraph(report, pGauge, GAUGE_CHART);
    const int result = SaveReportPDF(report, path);
    DiscardReport(report);
    return result;
}

int WriteGaugeReadings(const char* path) {
    const i32 file = OpenTextFile(path, VAL_TRUNCATE);
    if (file <= 0) return file;
    char line[kLineLen], fields[kLineLen], size[40];
    FormatRecordLine(line, sizeof line, "reading,size_um", ',');
    int result = WriteTextFile(file, line);
    for (int i = 0; i < gaugeTaken && result >= 0; ++i) {
        FormatRecordNumber(size, sizeof size, gaugeReading[i], 0);
        std::snprintf(fields, sizeof fields, "%d\t%s", i + 1, size);
        FormatRecordLine(line, sizeof line, fields, '\t');
        result = WriteTextFile(file, line);
    }
    const int closed = CloseTextFile(file);
    return result < 0 ? result : closed;
}

void GaugeReadingsPath(const char* reportPath, char* csvPath, int size) {
    const std::size_t len = std::strlen(reportPath);
    const bool pdf = len >= 4 && std::strcmp(reportPath + len - 4, ".pdf") == 0;
    std::snprintf(csvPath, std::size_t(size), "%.*s.csv", static_cast<int>(pdf ? len - 4 : len),
                  reportPath);
}

KVOR_CALLBACK(CC_GaugeSaveReport) {
    if (event != EVENT_COMMIT) return 0;
    char path[PATH_LEN];
    const char* title = N_("Save gauge study report");
    if (AskSavePathForMany("KVOR-gauge-study", "pdf", title, path, "reports") <= 0) return 0;
    // The readings beside the report: the same name ending in .csv.
    char csv[PATH_LEN + 4];
    GaugeReadingsPath(path, csv, sizeof csv);
    // One question for both files; declined, neither is touched.
    const char* files[2] = {path, csv};
    if (ConfirmReplace(title, files, 2) != 1) return 0;
    char text[3 * PATH_LEN + 64];
    if (WriteGaugeReport(path) != 0)
        std::snprintf(text, sizeof text, Tr("Cannot save the report to %s"), path);
    else if (WriteGaugeReadings(csv) != 0)
        std::snprintf(text, sizeof text, Tr("Report saved to %s; cannot save the readings to %s"),
                      path, csv);
    else
        std::snprintf(text, sizeof text, Tr("Report saved to %s and %s"), path, FileBaseName(csv));
    ShowStatusLiteral(text);
    SetCtrlVal(pGauge, GAUGE_STATE, text);
    return 0;
}

} // namespace kvor

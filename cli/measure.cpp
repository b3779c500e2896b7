// SPDX-License-Identifier: GPL-3.0-or-later
// measure and gauge: the Run button's loop on a panel nobody looks at. Every answer the loop
// tallies is written out as it comes; the Stop button's procedure ends the loop.
#include <cstdio>
#include <limits>

#include "cli/commands.h"
#include "cli/options.h"
#include "cli/publishing.h"
#include "cli/session.h"
#include "live/answer_tally.h"
#include "live/gauge_report.h"
#include "live/gauge_study.h"
#include "live/measurement.h"
#include "live/run_loop.h"
#include "live/statistics.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/time_stamp.h"

namespace kvor {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
i32 answersSeen = 0;
double measureStart = 0;
i32 stoppedBySignal = 0;

void Stop() {
    CC_BTNStop(pHandle, MAIN_STOP, EVENT_LEFT_CLICK, nullptr, 0, 0);
}

// The answer's line: a JSON object, a CSV row, or aligned columns.
void WriteAnswer() {
    ++answersSeen;
    char time[40];
    UtcTimeISO(time, sizeof time);
    const bool inTol = MeasuringValueInTolerance();
    const long long columns[] = {
        answersSeen, Mvalue, static_cast<int>(umValue), Ledge, Redge, tVal, tol, inTol, edcnt,
        anaMax,      anaMin};
    LineText line;
    if (cli.json) {
        static const char* const names[] = {
            "{\"port\":",         ",\"seq\":",        ",\"value\":",      ",\"size_um\":",
            ",\"left_edge\":",    ",\"right_edge\":", ",\"setpoint\":",   ",\"tolerance\":",
            ",\"in_tolerance\":", ",\"edge_count\":", ",\"analog_max\":", ",\"analog_min\":"};
        AddText(line, names[0]);
        AddText(line, QuotedPort());
        AddText(line, names[1]);
        AddNumber(line, columns[0]);
        AddText(line, ",\"time\":\"");
        AddText(line, time);
        AddText(line, "\"");
        for (int i = 1; i < 11; ++i) {
            AddText(line, names[i + 1]);
            if (i == 7)
                AddText(line, inTol ? "true" : "false");
            else
                AddNumber(line, columns[i]);
        }
        AddText(line, "}");
    } else if (cli.csv) {
        AddNumber(line, columns[0]);
        AddText(line, ",");
        AddText(line, time);
        for (int i = 1; i < 11; ++i) {
            AddText(line, ",");
            AddNumber(line, columns[i]);
        }
    } else {
        static const int widths[] = {6, 5, 8, 5, 5, 5, 5};
        AddNumber(line, columns[0], widths[0]);
        AddText(line, "  ");
        AddText(line, time);
        for (int i = 1; i < 7; ++i) {
            AddText(line, "  ");
            AddNumber(line, columns[i], widths[i]);
        }
        AddText(line, inTol ? "  in" : "  OUT");
    }
    Say(line);
}

// After every answer: enough taken, time up, or a termination signal.
void WatchMeasurement() {
    WriteAnswer();
    if (TerminationRequested() != 0) stoppedBySignal = 1;
    // A broker that refuses ends the run: the station would measure for nobody.
    if (CliPublishingRefused() != EXIT_DONE) {
        Stop();
        return;
    }
    const bool counted = cli.count > 0 && answersSeen >= cli.count;
    const bool timeUp = cli.seconds > 0 && Timer() - measureStart >= cli.seconds;
    if (counted || timeUp || stoppedBySignal) {
        Stop();
        return;
    }
    if (cli.count > 0) {
        char text[64];
        std::snprintf(text, sizeof text, "%d of %d answers", answersSeen, cli.count);
        Progress(measureStart, text);
    }
}

void WriteStatistics() {
    char mean[32], sigma[32], min[32], max[32], share[32], cp[32], cpk[32];
    const bool any = statCount > 0;
    FigureText(mean, sizeof mean, any ? statMean : kNaN, 3);
    FigureText(sigma, sizeof sigma, StatStdDev(), 3);
    FigureText(min, sizeof min, any ? statMin : kNaN, 0);
    FigureText(max, sizeof max, any ? statMax : kNaN, 0);
    FigureText(share, sizeof share, StatInTolPercent(), 2);
    FigureText(cp, sizeof cp, StatCp(), 3);
    FigureText(cpk, sizeof cpk, StatCpk(), 3);
    if (cli.json) {
        Say("{\"port\":%s,\"statistics\":{\"n\":%.0f,\"mean\":%s,\"sigma\":%s,\"min\":%s,"
            "\"max\":%s,\"in_tolerance_percent\":%s,\"cp\":%s,\"cpk\":%s}}",
            QuotedPort(), statCount, mean, sigma, min, max, share, cp, cpk);
        return;
    }
    const char* format =
        "n %.0f  mean %s  sigma %s  min %s  max %s  in tolerance %s %%  Cp %s  Cpk %s";
    // CSV keeps its rows for the answers: the statistics follow as a comment line.
    if (cli.csv)
        SayComment(format, statCount, mean, sigma, min, max, share, cp, cpk);
    else
        Say(format, statCount, mean, sigma, min, max, share, cp, cpk);
}

// The Run button's loop until the watcher stops it; EXIT_SILENT when it ended on a time-out.
int RunLoop() {
    measureStart = Timer();
    answerWatcher = WatchMeasurement;
    CC_BTNRun(pHandle, MAIN_RUN, EVENT_COMMIT, nullptr, 0, 0);
    answerWatcher = nullptr;
    Progress(measureStart, "");
    if (CliPublishingRefused() != EXIT_DONE) return EXIT_REFUSED;
    const bool enough = stoppedBySignal || (cli.count > 0 && answersSeen >= cli.count) ||
                        (cli.seconds > 0 && Timer() - measureStart >= cli.seconds);
    if (!enough)
        return Fail(EXIT_SILENT, Tr("the sensor stopped answering after %d answers"), answersSeen);
    return EXIT_DONE;
}

} // namespace

int CommandMeasure() {
    int status = SetUpLink();
    if (status != EXIT_DONE) return status;
    status = StartCliPublishing();
    if (status != EXIT_DONE) {
        EndCliPublishing();
        return status;
    }
    // Only the answers of this run count.
    ResetStatistics();
    if (cli.csv && !cli.named)
        Say("seq,time,value,size_um,left_edge,right_edge,setpoint,tolerance,in_tolerance,"
            "edge_count,analog_max,analog_min");
    const int result = RunLoop();
    WriteStatistics();
    EndCliPublishing();
    return result;
}

int CommandGauge() {
    const int status = SetUpLink();
    if (status != EXIT_DONE) return status;
    // The study's window, its inputs as the operator types them, its Start button.
    CC_BTNGaugeStudy(pHandle, MAIN_GAUGE_STUDY, EVENT_COMMIT, nullptr, 0, 0);
    if (pGauge <= 0) return Fail(EXIT_FAILED, "%s", Tr("the gauge study's panel does not load"));
    SetCtrlVal(pGauge, GAUGE_REFERENCE, cli.ref);
    SetCtrlVal(pGauge, GAUGE_TOLERANCE, cli.tol);
    if (cli.count > 0) SetCtrlVal(pGauge, GAUGE_READINGS, cli.count);
    measureStart = Timer();
    CC_GaugeStart(pGauge, GAUGE_START, EVENT_COMMIT, nullptr, 0, 0);
    if (gaugeTaken < gaugeWanted)
        return Fail(EXIT_SILENT, Tr("the study stopped after %d of %d readings"), gaugeTaken,
                    gaugeWanted);
    const int verdict = GaugeVerdict();
    const char* said = verdict == 1 ? "capable" : (verdict == 0 ? "not capable" : "not defined");
    char mean[32], s[32], bias[32], cg[32], cgk[32];
    FigureText(mean, sizeof mean, gaugeMean, 3);
    FigureText(s, sizeof s, gaugeStdDev, 3);
    FigureText(bias, sizeof bias, gaugeBias, 3);
    FigureText(cg, sizeof cg, gaugeCg, 3);
    FigureText(cgk, sizeof cgk, gaugeCgk, 3);
    if (cli.json)
        Say("{\"port\":%s,\"readings\":%d,\"reference\":%g,\"tolerance\":%g,\"mean\":%s,"
            "\"s\":%s,\"bias\":%s,\"cg\":%s,\"cgk\":%s,\"capable\":%s}",
            QuotedPort(), gaugeTaken, gaugeRef, gaugeTol, mean, s, bias, cg, cgk,
            verdict == 1 ? "true" : "false");
    else
        Say("readings %d  mean %s um  s %s um  bias %s um  Cg %s  Cgk %s  %s", gaugeTaken, mean, s,
            bias, cg, cgk, said);
    // The report and its readings beside it, as the gauge window saves them.
    if (cli.report != nullptr) {
        char csv[PATH_LEN + 4];
        GaugeReadingsPath(cli.report, csv, sizeof csv);
        if (WriteGaugeReport(cli.report) != 0)
            return Fail(EXIT_FAILED, "cannot write the report to %s", cli.report);
        if (WriteGaugeReadings(csv) != 0)
            return Fail(EXIT_FAILED, "cannot write the readings to %s", csv);
    }
    return verdict == 1 ? EXIT_DONE : EXIT_FAILED;
}

} // namespace kvor

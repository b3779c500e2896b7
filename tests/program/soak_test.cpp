// SPDX-License-Identifier: GPL-3.0-or-later
// A long session at the unpaced line's full speed: tens of thousands of measurement cycles and
// hundreds of pictures, with Stop and Run, port changes that set the link up again, and the
// pop-up and the calibration used in between. Nothing may crash, the resident memory stays
// flat after the warm-up, and the panels keep the plots and controls they had.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "tests/program/fault_support.h"
#include "tests/support/harness.h"
#include "wire/protocol.h"

namespace kvor {
namespace {

using namespace test;
namespace p = protocol;

#if defined(__SANITIZE_ADDRESS__)
// Freed memory waits in the sanitizer's quarantine, so the resident size grows by design, and
// each cycle costs several times as much; the sanitizer reports leaks itself.
constexpr bool kResidentSizeMeans = false;
constexpr long kScale = 4;
#else
constexpr bool kResidentSizeMeans = true;
constexpr long kScale = 1;
#endif

constexpr long kMeasurementCycles = 20000 / kScale;
constexpr long kPictures = 500 / kScale;
constexpr int kRounds = 20; // at least, for enough port changes and memory samples
// What one round asks for: twenty rounds make the cycles and pictures above.
constexpr long kRoundRunCycles = 200 / kScale;
constexpr long kRoundStopCycles = 800 / kScale;
constexpr long kRoundPictures = 25 / kScale;
constexpr double kLongestSoak = 600.0; // seconds, should a loop never end; twenty rounds take
                                       // about a minute on an idle machine
constexpr int kWarmUpRounds = 2;
constexpr long kMaxGrowth = 2L << 20; // bytes between the first and the last quarter
constexpr int kStripHistory = 101;    // points per trace the strip chart may hold

class Soak : public ScopeTest {
  protected:
    sim::Options SensorOptions() const override {
        sim::Options o = ScopeTest::SensorOptions();
        o.requestLogLimit = 4096; // counted and cleared every 50 ms, far below the limit
        return o;
    }

    // Takes the requests the sensor has logged since the last count. A request logged between
    // the copy and the clearing is not counted: the figures are lower bounds.
    void Count() {
        const std::vector<sim::Request> seen = sensor().requests();
        sensor().clearRequests();
        for (const sim::Request& r : seen) {
            measures_ += r.command == p::CMD_MEASURE;
            pictures_ += r.command == p::CMD_READ_VIDEO64 && r.words[1] == 1;
        }
    }
    void KeepCounting() {
        Later(50, [this] {
            Count();
            KeepCounting();
        });
    }
    // A condition for When(): a loop runs and the sensor has been asked for `more` measurements
    // (or pictures) than when it was first looked at.
    std::function<bool()> Counted(long more, bool pictures = false) {
        auto target = std::make_shared<long>(-1);
        return [this, target, more, pictures] {
            Count();
            const long n = pictures ? pictures_ : measures_;
            if (*target < 0) *target = n + more;
            return stop_flag == 0 && n >= *target;
        };
    }

    // Panels must not collect plots, controls or history, whatever ran on them.
    void ExpectNoGrowth(const char* when) {
        const int bars = GetGraphPlotCount(pHandle, MAIN_BARGRAPH);
        const int curves = GetGraphPlotCount(pHandle, MAIN_VIDEOGRAPH);
        EXPECT_GE(bars, 0) << when;
        EXPECT_LE(bars, 4) << when << ": two lit bars and two tolerance windows at most";
        EXPECT_GE(curves, 0) << when;
        EXPECT_LE(curves, 2) << when << ": the picture and the threshold line";
        EXPECT_EQ(GetPanelControlCount(pHandle), mainControls_) << when;
        EXPECT_EQ(GetPanelControlCount(pPopup), popupControls_) << when;
        static double points[4096];
        for (int trace = 1; trace <= 5; ++trace)
            EXPECT_LE(GetStripChartPoints(pHandle, MAIN_STRIPCHART, trace, points, 4096),
                      kStripHistory)
                << when << ", trace " << trace;
    }

    void Sample() { resident_.push_back(ResidentBytes()); }

    // One round of what an operator does in a session.
    void Round() {
        // Run, and another pick of port 1 ends it and sets the link up again.
        InTurn({{Counted(kRoundRunCycles / 2), [this] { Sample(); }},
                {Counted(kRoundRunCycles / 2), [] { PickRingValue(1, MAIN_COMPORT, 1); }}},
               kLongestSoak);
        Click(1, MAIN_RUN);
        EXPECT_EQ(stop_flag, 1);
        EXPECT_EQ(StatusLine().rfind(kFirmwareText, 0), 0u) << StatusLine();

        // Run again until Stop, with the plots looked at while it runs.
        InTurn({{Counted(kRoundStopCycles / 2),
                 [this] {
                     Sample();
                     ExpectNoGrowth("running");
                 }},
                {Counted(kRoundStopCycles / 2), [] { Click(1, MAIN_STOP); }}},
               kLongestSoak);
        Click(1, MAIN_RUN);
        EXPECT_EQ(StatusLine(), "Line Ok!");

        // Pictures until Stop.
        InTurn({{Counted(kRoundPictures / 2, true), [this] { ExpectNoGrowth("video"); }},
                {Counted(kRoundPictures - kRoundPictures / 2, true), [] { Click(1, MAIN_STOP); }}},
               kLongestSoak);
        Click(1, MAIN_VIDEO);
        EXPECT_EQ(StatusLine(), "Data[64] block received!");

        // The pop-up: a calibration activated (it runs the loop) and stopped, the toggle used.
        Click(1, MAIN_POPUP_TOGGLE);
        InTurn({{Counted(1), [] { Click(2, POP_STEP1); }},
                {Counted(1), [] { Click(2, POP_DISCARD); }}},
               kLongestSoak);
        Click(2, POP_ACTIVATE);
        EXPECT_EQ(StatusLine(), "Calibration stopped successfully!");
        Click(1, MAIN_POPUP_TOGGLE);
        Click(1, MAIN_POPUP_TOGGLE);
        Count();
        Sample();
        ExpectNoGrowth("between rounds");
    }

    long measures_ = 0;
    long pictures_ = 0;
    int mainControls_ = 0;
    int popupControls_ = 0;
    std::vector<long> resident_;
};

double Mean(std::vector<long>::const_iterator from, std::vector<long>::const_iterator to) {
    return std::accumulate(from, to, 0.0) / static_cast<double>(to - from);
}

TEST_F(Soak, TensOfThousandsOfCyclesLeaveMemoryAndPanelsAsTheyWere) {
    mainControls_ = GetPanelControlCount(pHandle);
    popupControls_ = GetPanelControlCount(pPopup);
    ASSERT_GT(mainControls_, 0);
    ASSERT_GT(popupControls_, 0);
    sensor().clearRequests();
    KeepCounting();

    const double t0 = Timer();
    int rounds = 0;
    std::size_t warmSamples = 0;
    while (
        (rounds < kRounds || measures_ - pictures_ < kMeasurementCycles || pictures_ < kPictures) &&
        Timer() - t0 < kLongestSoak) {
        Round();
        if (++rounds == kWarmUpRounds) warmSamples = resident_.size();
        if (HasFailure()) break; // one broken round says it all
    }
    const double took = Timer() - t0;
    Count();

    EXPECT_GE(measures_ - pictures_, kMeasurementCycles) << "in " << took << " s";
    EXPECT_GE(pictures_, kPictures) << "in " << took << " s";

    EXPECT_GE(rounds, kRounds) << "in " << took << " s";

    // Resident memory after the warm-up: the last quarter of the samples against the first.
    ASSERT_GE(resident_.size(), warmSamples + 8);
    const std::vector<long> warm(resident_.begin() + static_cast<long>(warmSamples),
                                 resident_.end());
    const long quarter = static_cast<long>(warm.size() / 4);
    const double first = Mean(warm.begin(), warm.begin() + quarter);
    const double last = Mean(warm.end() - quarter, warm.end());
    const double peak = static_cast<double>(*std::max_element(warm.begin(), warm.end()));
    if (kResidentSizeMeans) {
        EXPECT_LT(last - first, static_cast<double>(kMaxGrowth))
            << "resident memory grew from " << first / 1048576 << " MB to " << last / 1048576
            << " MB";
        EXPECT_LT(peak - first, 2.0 * kMaxGrowth) << "peak " << peak / 1048576 << " MB";
    }

    std::printf("soak: %d rounds in %.1f s, %ld measurement cycles, %ld pictures; resident "
                "%.1f MB at start, %.1f MB first quarter, %.1f MB last quarter, %.1f MB peak\n",
                rounds, took, measures_ - pictures_, pictures_, resident_.front() / 1048576.0,
                first / 1048576, last / 1048576, peak / 1048576);
    RecordProperty("measurement_cycles", std::to_string(measures_ - pictures_));
    RecordProperty("pictures", std::to_string(pictures_));
    RecordProperty("resident_growth_bytes", std::to_string(static_cast<long>(last - first)));
}

} // namespace
} // namespace kvor

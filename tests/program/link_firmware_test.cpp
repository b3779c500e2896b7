// SPDX-License-Identifier: GPL-3.0-or-later
// The firmware text: the own series goes on to the parameter read, a sister series is told to
// use its own scope, and texts that are short, long, word-coded or garbage are survived.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "link/identify.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "tests/support/harness.h"
#include "wire/protocol.h"

namespace kvor {
namespace {

using test::StatusLine;

int Dimmed(int control) {
    int d = -1;
    GetCtrlAttribute(pHandle, control, ATTR_DIMMED, &d);
    return d;
}

bool ReadRamSent(sim::SimulatedSensor& s) {
    for (const sim::Request& r : s.requests())
        if (r.command == protocol::CMD_READ_RAM) return true;
    return false;
}

struct Sister {
    const char* firmware;
    i32 code;
    const char* message;
};

void PrintTo(const Sister& s, std::ostream* os) {
    *os << s.firmware;
}

const Sister kSisters[] = {
    {"K-VOR-RW-250 firmware V1.10", -1,
     "K-VOR-RW-series hardware detected!\nUSE K-VOR-RW-Scope Software!"},
    {"K-VOR-QN-PX-250 firmware V3.01", -2,
     "K-VOR-GZ-PX-series hardware detected!\nUSE K-VOR-GZ-PX-Scope Software!"},
    {"K-VOR-DK-PX-250 firmware V3.01", -3,
     "K-VOR-GZ-PX-series hardware detected!\nUSE K-VOR-GZ-PX-Scope Software!"},
    {"K-VOR-QN-RW-250 firmware V3.01", -4,
     "K-VOR-GZ-RW-series hardware detected!\nUSE K-VOR-GZ-RW-Scope Software!"},
    {"K-VOR-DK-RW-250 firmware V3.01", -5,
     "K-VOR-GZ-RW-series hardware detected!\nUSE K-VOR-GZ-RW-Scope Software!"},
};

class SisterSeries : public test::ScopeTest, public ::testing::WithParamInterface<Sister> {
  protected:
    sim::Options SensorOptions() const override {
        sim::Options o = test::ScopeTest::SensorOptions();
        o.model.firmware = GetParam().firmware;
        return o;
    }
    void SetUp() override {
        popupsBefore_ = GetMessagePopupCount();
        test::ScopeTest::SetUp();
    }
    int popupsBefore_ = 0;
};

TEST_P(SisterSeries, IsToldToUseItsOwnScopeAndIsNotWrittenTo) {
    EXPECT_EQ(GetMessagePopupCount(), popupsBefore_ + 1);
    char title[64] = "", message[256] = "";
    GetLastMessagePopup(title, sizeof title, message, sizeof message);
    EXPECT_STREQ(title, "Attention !!!");
    EXPECT_STREQ(message, GetParam().message);
    EXPECT_EQ(Dimmed(MAIN_SEND), 1);
    EXPECT_EQ(Dimmed(MAIN_TEACH), 1);
    EXPECT_FALSE(ReadRamSent(sensor()));
    EXPECT_EQ(StatusLine().rfind(GetParam().firmware, 0), 0u) << StatusLine();

    EXPECT_EQ(GetVERSIONInfo(), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(EverySister, SisterSeries, ::testing::ValuesIn(kSisters));

class SisterThenOwn : public test::ScopeTest {
    sim::Options SensorOptions() const override {
        sim::Options o = test::ScopeTest::SensorOptions();
        o.model.firmware = "K-VOR-RW-80 firmware V1.00";
        return o;
    }
};

TEST_F(SisterThenOwn, AnOwnSensorOnAnotherPortMayBeWrittenToAgain) {
    ASSERT_EQ(Dimmed(MAIN_SEND), 1);
    sim::SimulatedSensor& own = secondSensor(test::ScopeTest::SensorOptions());
    test::PickRingValue(1, MAIN_COMPORT, 2);
    EXPECT_EQ(Dimmed(MAIN_SEND), 0);
    EXPECT_EQ(Dimmed(MAIN_TEACH), 0);
    EXPECT_TRUE(ReadRamSent(own));
}

class FirmwareText : public test::ScopeTest {
  protected:
    void Use(const sim::Faults& faults) { sensor().setFaults(faults); }
};

TEST_F(FirmwareText, OwnSeriesAndTextsNamingNoSeriesGiveTheByteCount) {
    EXPECT_EQ(GetVERSIONInfo(), 72);
    sim::Model m = sim::Model{};
    m.firmware = "K-VOR-PX firmware of a special build";
    sensor().setModel(m);
    EXPECT_EQ(GetVERSIONInfo(), 72);
    m.firmware = "ACME line sensor V1";
    sensor().setModel(m);
    EXPECT_EQ(GetVERSIONInfo(), 72);
    EXPECT_EQ(StatusLine().rfind("ACME line sensor V1", 0), 0u);
    // "K-VOR-PX" names the own series only as the first eight characters.
    m.firmware = "K-VOR-QN-PX-7";
    sensor().setModel(m);
    EXPECT_EQ(GetVERSIONInfo(), -2);
}

TEST_F(FirmwareText, AShortTextTimesOutAndLeavesNoVersion) {
    sim::Faults f;
    f.firmwareTextBytes = 40;
    Use(f);
    const double t0 = Timer();
    const i32 written = requestCount;
    EXPECT_EQ(GetVERSIONInfo(), 40);
    EXPECT_GE(Timer() - t0, 1.4);
    EXPECT_EQ(requestCount - written, 1) << "one request, one time-out";
    EXPECT_EQ(StatusLine(), "Timeout - reading firmware info!");
    EXPECT_STREQ(szVersion, "");
    // The receive callback is back: a frame exchange works at once.
    test::Click(1, MAIN_GET);
    EXPECT_EQ(StatusLine(), "Parameter-frame received! - Line Ok!");
}

TEST_F(FirmwareText, MoreThan72BytesAreReadButNotTakenAsText) {
    sim::Faults f;
    f.firmwareTextBytes = 100;
    Use(f);
    SetStatusText("before");
    EXPECT_EQ(GetVERSIONInfo(), 100);
    EXPECT_STREQ(szVersion, "");
    EXPECT_EQ(StatusLine(), "before");
    EXPECT_EQ(nBytesR, 100);
}

TEST_F(FirmwareText, ARandomTextIsKeptWithinItsBuffer) {
    sim::Faults f;
    f.garbledFirmware = true;
    Use(f);
    for (int round = 0; round < 5; ++round) {
        const i32 r = GetVERSIONInfo();
        EXPECT_TRUE(r == 72 || (r < 0 && r >= -5)) << r;
        EXPECT_LE(std::strlen(szVersion), 72u);
        EXPECT_LE(std::strlen(szStatus), 72u);
    }
    test::Click(1, MAIN_GET);
    EXPECT_EQ(StatusLine(), "Parameter-frame received! - Line Ok!");
}

class ShortTextAtStartUp : public test::ScopeTest {
    sim::Options SensorOptions() const override {
        sim::Options o = test::ScopeTest::SensorOptions();
        o.faults.firmwareTextBytes = 30;
        return o;
    }
};

TEST_F(ShortTextAtStartUp, TheParameterReadStillRuns) {
    EXPECT_TRUE(ReadRamSent(sensor()));
    EXPECT_EQ(Dimmed(MAIN_SEND), 0);
    // The firmware text never came: the set-up ends on that, not on an empty status line.
    EXPECT_STREQ(szVersion, "");
    EXPECT_EQ(StatusLine(), "Error reading firmware-info!");
}

class LongTextAtStartUp : public test::ScopeTest {
    sim::Options SensorOptions() const override {
        sim::Options o = test::ScopeTest::SensorOptions();
        o.faults.firmwareTextBytes = 100;
        return o;
    }
};

TEST_F(LongTextAtStartUp, EndsOnTheFirmwareError) {
    EXPECT_TRUE(ReadRamSent(sensor()));
    EXPECT_STREQ(szVersion, "");
    EXPECT_EQ(StatusLine(), "Error reading firmware-info!");
}

class BoardZero : public test::ScopeTest {
    sim::Options SensorOptions() const override {
        sim::Options o = test::ScopeTest::SensorOptions();
        sim::ModelPreset("board0", &o.model);
        return o;
    }
};

TEST_F(BoardZero, TheTextIsOneCharacterPerWord) {
    EXPECT_EQ(std::string(szVersion).size(), 36u);
    EXPECT_EQ(std::string(szVersion).rfind("K-VOR-PX-250 firmware V2.10", 0), 0u) << szVersion;
    EXPECT_EQ(StatusLine(), szVersion);
    EXPECT_EQ(GetVERSIONInfo(), 72);
    // Words high byte first: the character is the second byte of each pair.
    EXPECT_EQ(szReadBuf[0], 0);
    EXPECT_EQ(szReadBuf[1], 'K');
    EXPECT_EQ(szReadBuf[3], '-');
}

} // namespace
} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// The serial link as the operator meets it: start-up against a sensor that answers, one that is
// silent or answers the echo wrongly, longer answers, ports that cannot be used, and the port
// selector.
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

#include <QAbstractItemView>
#include <QComboBox>
#include <gtest/gtest.h>

#include "link/serial_link.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "tests/support/harness.h"
#include "wire/protocol.h"

namespace kvor {
namespace {

using test::PickRingValue;
using test::StatusLine;

std::vector<int> Commands(const std::vector<sim::Request>& requests) {
    std::vector<int> codes;
    for (const sim::Request& r : requests)
        codes.push_back(r.command);
    return codes;
}

class LinkStartUp : public test::ScopeTest {};

TEST_F(LinkStartUp, ChecksIdentifiesThenReadsRamAndShowsTheFirmwareText) {
    EXPECT_EQ(Commands(sensor().requests()),
              (std::vector<int>{protocol::CMD_ECHO, protocol::CMD_HARDWARE_INFO,
                                protocol::CMD_FIRMWARE_INFO, protocol::CMD_READ_RAM}));
    EXPECT_EQ(StatusLine().rfind("K-VOR-PX-250 firmware V2.40", 0), 0u) << StatusLine();
    EXPECT_EQ(std::string(szVersion).size(), 72u);
    EXPECT_EQ(target, RAM);

    sensor().clearRequests();
    EXPECT_EQ(CheckComLine(com), 1);
    EXPECT_EQ(StatusLine(), "Echo Check - Line Ok!");
    EXPECT_EQ(pp[0], 0x00AA);
    const std::vector<sim::Request> sent = sensor().requests();
    ASSERT_EQ(sent.size(), 1u);
    // The echo carries the parameter set as it stands in the variables.
    EXPECT_EQ(sent[0].sync, 0x55);
    EXPECT_EQ(sent[0].words[0], power);
    EXPECT_EQ(sent[0].words[2], vThd);
    EXPECT_EQ(sent[0].words[13], intersect);
}

// The hardware request carries the echo answer's words with the echo sync in word 0; the
// firmware request carries the hardware answer's words.
TEST_F(LinkStartUp, IdentificationRequestsCarryTheWordsOfTheAnswerBefore) {
    const std::vector<sim::Request> r = sensor().requests();
    ASSERT_GE(r.size(), 3u);
    std::vector<u16> echo(r[0].words, r[0].words + PNUM);
    echo[0] = protocol::kSyncEcho;
    EXPECT_EQ(std::vector<u16>(r[1].words, r[1].words + PNUM), echo);
    const sim::Model m;
    const std::vector<u16> description = {m.ccdtype,      m.ccdmaxpixel, m.ccdresolution, m.pcbtype,
                                          m.ccdvirtpixel, m.ccdsubpixel, m.ccdpixB,       m.ccdpixE,
                                          m.softversion,  m.hwtype,      m.adcmax};
    EXPECT_EQ(std::vector<u16>(r[2].words, r[2].words + description.size()), description);
}

// The port as the program leaves it: 19200 baud, 8 data bits, no parity, one stop bit, no
// handshake of either kind.
TEST_F(LinkStartUp, TheLineIs19200Baud8N1WithoutHandshake) {
    const int fd = ::open(sensor().devicePath().c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    termios t{};
    ASSERT_EQ(tcgetattr(fd, &t), 0);
    ::close(fd);
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B19200));
    EXPECT_EQ(cfgetispeed(&t), static_cast<speed_t>(B19200));
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), 0u);
}

class SilentSensor : public test::ScopeTest {
    sim::Options SensorOptions() const override {
        sim::Options o = test::ScopeTest::SensorOptions();
        o.faults.silent = true;
        return o;
    }
};

TEST_F(SilentSensor, TimesOutAfterAboutOneAndAHalfSecondsAndSendsNothingMore) {
    EXPECT_EQ(StatusLine(), "Timeout-RS-232...");
    EXPECT_EQ(Commands(sensor().requests()), std::vector<int>{protocol::CMD_ECHO});
    // Identification never ran: the start values stand.
    EXPECT_EQ(ccdvirtpixel, 4096);
    EXPECT_EQ(pcbtype, 100);

    const double t0 = Timer();
    const i32 written = requestCount;
    EXPECT_EQ(CheckComLine(com), 0);
    EXPECT_GE(Timer() - t0, 1.4);
    EXPECT_EQ(requestCount - written, 1) << "one request, one time-out";
    EXPECT_EQ(StatusLine(), "Timeout-RS-232...");
}

class WrongEchoSync : public test::ScopeTest {
    sim::Options SensorOptions() const override {
        sim::Options o = test::ScopeTest::SensorOptions();
        o.faults.wrongEchoSync = true;
        return o;
    }
};

TEST_F(WrongEchoSync, ReportsTheSyncAndGoesNoFurther) {
    EXPECT_EQ(StatusLine(), "read error - not sync byte 0xAA!");
    EXPECT_EQ(Commands(sensor().requests()), std::vector<int>{protocol::CMD_ECHO});
    EXPECT_EQ(pp[0], 0x0055);
}

class LongerAnswers : public test::ScopeTest {
    sim::Options SensorOptions() const override {
        sim::Options o = test::ScopeTest::SensorOptions();
        o.faults.extraBytes = 4;
        return o;
    }
};

TEST_F(LongerAnswers, TakesTheFirst36BytesOfA40ByteAnswerAndDropsTheRest) {
    // Every exchange of the start-up went through, each answer followed by four stray bytes.
    EXPECT_EQ(StatusLine().rfind("K-VOR-PX-250", 0), 0u) << StatusLine();
    EXPECT_EQ(ccdtype, 2);
    EXPECT_EQ(ccdvirtpixel, 4096);

    std::vector<u16> words = sensor().ramParameters();
    words[0] = 321;
    words[2] = 456;
    sensor().setRamParameters(words);
    for (int round = 0; round < 2; ++round) {
        test::Click(1, MAIN_GET);
        EXPECT_EQ(StatusLine(), "Parameter-frame received! - Line Ok!");
        EXPECT_EQ(power, 321);
        EXPECT_EQ(vThd, 456);
        EXPECT_EQ(GetInQLen(com), 0) << "the stray bytes stay in the queue";
    }
}

class PortSelector : public test::ScopeTest {};

TEST_F(PortSelector, OnePickSetsUpTheLinkOnceOnTheNewPort) {
    sim::Options second = test::ScopeTest::SensorOptions();
    ASSERT_TRUE(sim::ModelPreset("104", &second.model));
    sim::SimulatedSensor& other = secondSensor(second);
    sensor().clearRequests();

    PickRingValue(1, MAIN_COMPORT, 2);
    EXPECT_EQ(com, 2);
    EXPECT_EQ(Commands(other.requests()),
              (std::vector<int>{protocol::CMD_ECHO, protocol::CMD_HARDWARE_INFO,
                                protocol::CMD_FIRMWARE_INFO, protocol::CMD_READ_RAM}));
    EXPECT_TRUE(sensor().requests().empty());
    EXPECT_EQ(ccdtype, 104);
    EXPECT_EQ(StatusLine().rfind("K-VOR-PX-104", 0), 0u) << StatusLine();

    // Back to the first sensor, and the same item again: each pick is one set-up.
    PickRingValue(1, MAIN_COMPORT, 1);
    PickRingValue(1, MAIN_COMPORT, 1);
    EXPECT_EQ(Commands(sensor().requests()).size(), 8u);
    EXPECT_EQ(ccdtype, 2);
}

TEST_F(PortSelector, ChangingThePortEndsTheMeasurementLoop) {
    sim::SimulatedSensor& other = secondSensor(test::ScopeTest::SensorOptions());
    i32 writtenAtPick = -1;
    test::When(test::Measuring(sensor(), 2), [&] {
        writtenAtPick = requestCount;
        PickRingValue(1, MAIN_COMPORT, 2);
    });
    test::Click(1, MAIN_RUN);
    ASSERT_GE(writtenAtPick, 0);
    // The set-up of the new line and nothing more.
    EXPECT_EQ(requestCount - writtenAtPick, 4);
    EXPECT_EQ(stop_flag, 1);
    EXPECT_EQ(com, 2);
    ASSERT_FALSE(other.requests().empty());
    EXPECT_EQ(other.requests().front().command, protocol::CMD_ECHO);
}

TEST_F(PortSelector, NoPortAtAll) {
    // Without real ports port 1 stands for nothing: the simulated sensor has a number of its own.
    setenv("KVOR_COM_PORTS", "", 1);
    PickRingValue(1, MAIN_COMPORT, 1);
    EXPECT_EQ(StatusLine(), "No serial port found");
}

TEST_F(PortSelector, ADeviceThatCannotBeOpened) {
    setenv("KVOR_COM_PORTS", "/nonexistent/ttyKVOR0", 1);
    PickRingValue(1, MAIN_COMPORT, 1);
    EXPECT_EQ(StatusLine(), "Cannot open port");
    // The entry's mark of trouble is never cut off: the box shows the entry's beginning and end
    // and the whole in its tool tip; the list opens as wide as its widest entry.
    auto* box = qobject_cast<QComboBox*>(test::Control(1, MAIN_COMPORT));
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(box->currentText().endsWith("[not there – unplugged?]"));
    ASSERT_GT(box->fontMetrics().horizontalAdvance(box->currentText()), box->width());
    box->grab();
    EXPECT_EQ(box->toolTip(), box->currentText());
    box->showPopup();
    for (int i = 0; i < box->count(); ++i)
        EXPECT_LE(box->view()->sizeHintForIndex(box->model()->index(i, 0)).width(),
                  box->view()->viewport()->width());
    box->hidePopup();
    // The panel goes on without a port: a read reports its time-out.
    test::Click(1, MAIN_GET);
    EXPECT_EQ(StatusLine(), "Timeout-RS-232...");
}

TEST_F(PortSelector, ANumberOutsideTheTable) {
    InitRS232(7);
    EXPECT_EQ(StatusLine(), "Invalid port number");
}

TEST(ComErrorText, EveryCodeHasItsMessage) {
    EXPECT_STREQ(ComErrorText(-1), "Unknown system error");
    EXPECT_STREQ(ComErrorText(-2), "Invalid port number");
    EXPECT_STREQ(ComErrorText(-3), "Port is not open");
    EXPECT_STREQ(ComErrorText(-4), "Unknown I/0 error");
    EXPECT_STREQ(ComErrorText(-5), "RS-232 error!");
    EXPECT_STREQ(ComErrorText(-6), "No serial port found");
    EXPECT_STREQ(ComErrorText(-7), "Cannot open port");
    EXPECT_STREQ(ComErrorText(-8), "RS-232 error!");
    EXPECT_STREQ(ComErrorText(-13), "Invalid parameter");
    EXPECT_STREQ(ComErrorText(-99), "Timeout");
}

} // namespace
} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
// The port table and what opening a port answers: the codes the status line turns into
// "No serial port found", "Invalid port number", "Cannot open port" and "Invalid parameter".
#include <cstring>
#include <string>
#include <vector>

#include "runtime/readback.h"
#include "tests/runtime/serial_pty.h"

namespace kvor::test {
namespace {

class SerialTableTest : public SerialTest {};

std::string Label(int port) {
    char text[256];
    return GetComPortLabel(port, text, sizeof text) == 0 ? text : "<error>";
}

TEST_F(SerialTableTest, TheVariablesEntriesAreThePortsInOrderAndTheSimulatorIsNeverPortOne) {
    {
        ScopedEnv env("KVOR_COM_PORTS", "/dev/kvor-a");
        EXPECT_EQ(GetComPortCount(), 2);
    }
    ScopedEnv env("KVOR_COM_PORTS", "/dev/kvor-a::/dev/kvor-b:simulated");
    EXPECT_EQ(GetComPortCount(), 4); // empty parts name no port
    const int simulated = GetSimulatedComPort();
    EXPECT_GT(simulated, 256); // beyond every COM number a machine gives
    EXPECT_EQ(Label(1), "COM1 \u2013 /dev/kvor-a");
    EXPECT_EQ(Label(2), "COM2 \u2013 /dev/kvor-b");
    EXPECT_EQ(Label(3), "COM3 \u2013 Simulated sensor"); // named by the script
    EXPECT_EQ(Label(simulated), "Simulated sensor");
    const std::vector<int> numbers{GetComPortNumber(0), GetComPortNumber(1), GetComPortNumber(2),
                                   GetComPortNumber(3)};
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, simulated}));
    EXPECT_EQ((std::vector<int>{IsSimulatedComPort(1), IsSimulatedComPort(3),
                                IsSimulatedComPort(simulated), IsSimulatedComPort(4)}),
              (std::vector<int>{0, 1, 1, 0}));
    EXPECT_EQ(Label(0), "<error>");
    EXPECT_EQ(Label(4), "<error>");
}

TEST_F(SerialTableTest, AShortLabelBufferGetsATerminatedPrefixNeverHalfACharacter) {
    ScopedEnv env("KVOR_COM_PORTS", "/dev/kvor-a");
    const std::string full = Label(1);
    for (std::size_t size = 1; size <= 9; ++size) { // "COM1 " then a 3-byte dash
        char text[16];
        std::memset(text, 'x', sizeof text);
        ASSERT_EQ(GetComPortLabel(1, text, size), 0);
        const std::size_t len = std::strlen(text);
        EXPECT_EQ(full.compare(0, len, text), 0);
        EXPECT_TRUE(len < size && (len <= 5 || len >= 8)) << "size " << size;
    }
}

TEST_F(SerialTableTest, WithoutAnyPortPortOneIsNoSerialPortNeverTheSimulation) {
    ScopedEnv env("KVOR_COM_PORTS", "");
    EXPECT_EQ(GetComPortCount(), 1); // the "Simulated sensor" entry alone
    EXPECT_NE(GetSimulatedComPort(), 1);
    for (const int port : {1, 2, 0, -3})
        EXPECT_EQ(OpenLikeTheScope(port), kComErrNoPortFound);
    EXPECT_EQ(IsSimulatedComPort(1), 0);
}

TEST_F(SerialTableTest, NumbersOutsideTheTableAreInvalid) {
    usePty();
    for (const int port : {0, -1, 3, 999, 1001})
        EXPECT_EQ(OpenLikeTheScope(port), kComErrInvalidPort);
    EXPECT_EQ(OpenLikeTheScope(1), 0);
}

TEST_F(SerialTableTest, MissingNonTerminalAndBusyDevicesCannotBeOpened) {
    ASSERT_TRUE(pty_.ok());
    ScopedEnv env("KVOR_COM_PORTS",
                  "/dev/kvor-no-such-device:/tmp:" + pty_.path() + ":" + pty_.path());
    EXPECT_EQ(OpenLikeTheScope(1), kComErrCannotOpen);
    EXPECT_EQ(OpenLikeTheScope(2), kComErrCannotOpen);
    ASSERT_EQ(OpenLikeTheScope(3), 0);
    EXPECT_EQ(OpenLikeTheScope(4), kComErrCannotOpen); // the same line, held by port 3
    ASSERT_EQ(CloseCom(3), 0);
    EXPECT_EQ(OpenLikeTheScope(4), 0);
}

TEST_F(SerialTableTest, BadSettingsAreRefusedAndLeaveAnOpenPortOpen) {
    usePty();
    EXPECT_EQ(OpenComConfig(1, "", 0, 0, 8, 1, 4096, 4096), kComErrInvalidParameter);
    EXPECT_EQ(OpenComConfig(1, "", 19200, 5, 8, 1, 4096, 4096), kComErrInvalidParameter);
    EXPECT_EQ(OpenComConfig(1, "", 19200, 0, 9, 1, 4096, 4096), kComErrInvalidParameter);
    EXPECT_EQ(OpenComConfig(1, "", 19200, 0, 8, 3, 4096, 4096), kComErrInvalidParameter);
    EXPECT_EQ(OpenComConfig(1, "", 19200, 0, 8, 1, -1, 4096), kComErrInvalidParameter);
    EXPECT_EQ(GetInQLen(1), kComErrPortNotOpen);
    ASSERT_EQ(OpenLikeTheScope(1), 0);
    EXPECT_EQ(OpenComConfig(1, "", 19200, 0, 8, 0, 4096, 4096), kComErrInvalidParameter);
    const std::vector<std::uint8_t> frame = Pattern(2);
    EXPECT_EQ(ComWrt(1, frame.data(), 2), 2);
    EXPECT_EQ(pty_.receive(2), frame);
}

TEST_F(SerialTableTest, OpeningAnOpenPortAgainStartsItAfreshWithAnEmptyQueue) {
    usePty();
    ASSERT_EQ(OpenLikeTheScope(1), 0);
    pty_.send(Pattern(10));
    ASSERT_EQ(WaitForQueue(1, 10), 10);
    ASSERT_EQ(OpenLikeTheScope(1), 0);
    EXPECT_EQ(GetInQLen(1), 0);
    pty_.send(Pattern(5));
    EXPECT_EQ(WaitForQueue(1, 5), 5);
}

TEST_F(SerialTableTest, CallsOnPortsThatAreNotOpenFailAndDoNothing) {
    usePty();
    ASSERT_EQ(OpenLikeTheScope(1), 0);
    ASSERT_EQ(CloseCom(1), 0);
    unsigned char buf[4] = {1, 2, 3, 4};
    for (const int port : {1, 7}) {
        EXPECT_EQ(ComWrt(port, buf, 4), kComErrPortNotOpen);
        EXPECT_EQ(ComRd(port, buf, 4), kComErrPortNotOpen);
        EXPECT_EQ(GetInQLen(port), kComErrPortNotOpen);
        EXPECT_EQ(FlushInQ(port), kComErrPortNotOpen);
        EXPECT_EQ(FlushOutQ(port), kComErrPortNotOpen);
        EXPECT_EQ(SetComTime(port, 1.5), kComErrPortNotOpen);
        EXPECT_EQ(SetCTSMode(port, 0), kComErrPortNotOpen);
        EXPECT_EQ(InstallComCallback(port, LWRS_RECEIVE, 36, 0x55, nullptr, nullptr),
                  kComErrPortNotOpen);
        EXPECT_EQ(CloseCom(port), kComErrPortNotOpen);
    }
    EXPECT_EQ(ComWrt(0, buf, 4), kComErrInvalidPort);
    EXPECT_EQ(buf[0], 1);
    EXPECT_TRUE(pty_.receive(1, 100).empty());
}

} // namespace
} // namespace kvor::test

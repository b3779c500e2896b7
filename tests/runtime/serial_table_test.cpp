// The port table and what opening a port answers: the codes the status line turns into
// "No serial port found", "Invalid port number", "Cannot open port" and "Invalid parameter".
#include <cstring>
#include <string>

#include "tests/runtime/serial_pty.h"
#include "ui/com_dispatch.h"

namespace kvor::test {
namespace {

std::string Label(int port, std::size_t size = 256) {
    std::string text(size, 'x');
    if (GetComPortLabel(port, text.data(), size) != 0) return "<error>";
    return text.c_str();
}

class SerialTableTest : public ::testing::Test {
  protected:
    void TearDown() override { kvor::rt::CloseAllComPorts(); }
};

TEST_F(SerialTableTest, PathsOfTheVariableAreThePortsInTheirOrderThenTheSimulator) {
    ScopedEnv env("KVOR_COM_PORTS", "/dev/kvor-a:/dev/kvor-b");
    EXPECT_EQ(GetComPortCount(), 3);
    EXPECT_EQ(GetSimulatedComPort(), 3);
    EXPECT_NE(Label(1).find("/dev/kvor-a"), std::string::npos) << Label(1);
    EXPECT_NE(Label(2).find("/dev/kvor-b"), std::string::npos) << Label(2);
    EXPECT_EQ(Label(1).rfind("COM1", 0), 0u) << Label(1);
    EXPECT_EQ(Label(3), "Simulated sensor");
    char text[16];
    EXPECT_EQ(GetComPortLabel(0, text, sizeof text), kComErrInvalidPort);
    EXPECT_EQ(GetComPortLabel(4, text, sizeof text), kComErrInvalidPort);
}

TEST_F(SerialTableTest, TableIsReadAgainWhenTheVariableChanges) {
    {
        ScopedEnv env("KVOR_COM_PORTS", "/dev/kvor-a");
        EXPECT_EQ(GetComPortCount(), 2);
    }
    ScopedEnv env("KVOR_COM_PORTS", "/dev/kvor-a::/dev/kvor-b::/dev/kvor-c:");
    EXPECT_EQ(GetComPortCount(), 4); // empty parts name no port
    EXPECT_NE(Label(3).find("/dev/kvor-c"), std::string::npos);
}

TEST_F(SerialTableTest, WithoutTheVariableTheMachinesPortsComeFirstAndTheSimulatorLast) {
    ScopedEnv env("KVOR_COM_PORTS", std::nullopt);
    const int count = GetComPortCount();
    ASSERT_GE(count, 1);
    EXPECT_EQ(GetSimulatedComPort(), count);
    EXPECT_EQ(Label(count), "Simulated sensor");
    for (int port = 1; port < count; ++port)
        EXPECT_EQ(Label(port).rfind("COM" + std::to_string(port) + " ", 0), 0u) << Label(port);
}

TEST_F(SerialTableTest, ShortLabelBufferGetsATerminatedPrefixWithoutAHalfCharacter) {
    ScopedEnv env("KVOR_COM_PORTS", "/dev/kvor-a");
    const std::string full = Label(1);
    // "COM1 " is five bytes; the dash after it takes three in UTF-8.
    for (std::size_t size = 1; size <= 9; ++size) {
        char text[16];
        std::memset(text, 'x', sizeof text);
        ASSERT_EQ(GetComPortLabel(1, text, size), 0);
        const std::size_t len = std::strlen(text);
        EXPECT_LT(len, size);
        EXPECT_EQ(full.compare(0, len, text), 0);
        EXPECT_TRUE(len <= 5 || len >= 8) << "cut inside the dash at size " << size;
    }
    EXPECT_EQ(GetComPortLabel(1, nullptr, 10), kComErrInvalidParameter);
}

TEST_F(SerialTableTest, AnEmptyTableHasOnlyTheSimulatorAndNoPortToOpen) {
    ScopedEnv env("KVOR_COM_PORTS", "");
    EXPECT_EQ(GetComPortCount(), 1);
    EXPECT_EQ(GetSimulatedComPort(), 1);
    EXPECT_EQ(OpenLikeTheScope(2), kComErrNoPortFound);
    EXPECT_EQ(OpenLikeTheScope(0), kComErrNoPortFound);
    EXPECT_EQ(OpenLikeTheScope(-3), kComErrNoPortFound);
}

TEST_F(SerialTableTest, NumbersOutsideTheTableAreInvalid) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    ScopedEnv env("KVOR_COM_PORTS", pty.path());
    EXPECT_EQ(OpenLikeTheScope(0), kComErrInvalidPort);
    EXPECT_EQ(OpenLikeTheScope(-1), kComErrInvalidPort);
    EXPECT_EQ(OpenLikeTheScope(3), kComErrInvalidPort);
    EXPECT_EQ(OpenLikeTheScope(1000), kComErrInvalidPort);
    EXPECT_EQ(OpenLikeTheScope(1), 0);
}

TEST_F(SerialTableTest, DevicesThatCannotBeOpenedSayCannotOpen) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    ScopedEnv env("KVOR_COM_PORTS",
                  "/dev/kvor-no-such-device:/tmp:" + pty.path() + ":" + pty.path());
    EXPECT_EQ(OpenLikeTheScope(1), kComErrCannotOpen); // missing
    EXPECT_EQ(OpenLikeTheScope(2), kComErrCannotOpen); // not a terminal
    ASSERT_EQ(OpenLikeTheScope(3), 0);
    EXPECT_EQ(OpenLikeTheScope(4), kComErrCannotOpen); // the same line, busy under port 3
    EXPECT_EQ(ComWrt(4, reinterpret_cast<const unsigned char*>("x"), 1), kComErrPortNotOpen);
    ASSERT_EQ(CloseCom(3), 0);
    EXPECT_EQ(OpenLikeTheScope(4), 0); // free again
}

TEST_F(SerialTableTest, BadSettingsAreRefusedAndLeaveThePortAsItWas) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    ScopedEnv env("KVOR_COM_PORTS", pty.path());
    EXPECT_EQ(OpenComConfig(1, "", 0, 0, 8, 1, 4096, 4096), kComErrInvalidParameter);
    EXPECT_EQ(OpenComConfig(1, "", 19200, 5, 8, 1, 4096, 4096), kComErrInvalidParameter);
    EXPECT_EQ(OpenComConfig(1, "", 19200, 0, 9, 1, 4096, 4096), kComErrInvalidParameter);
    EXPECT_EQ(OpenComConfig(1, "", 19200, 0, 4, 1, 4096, 4096), kComErrInvalidParameter);
    EXPECT_EQ(OpenComConfig(1, "", 19200, 0, 8, 3, 4096, 4096), kComErrInvalidParameter);
    EXPECT_EQ(OpenComConfig(1, "", 19200, 0, 8, 1, -1, 4096), kComErrInvalidParameter);
    EXPECT_EQ(OpenComConfig(1, "", 19200, 0, 8, 1, 4096, -1), kComErrInvalidParameter);
    EXPECT_EQ(GetInQLen(1), kComErrPortNotOpen);

    ASSERT_EQ(OpenLikeTheScope(1), 0);
    EXPECT_EQ(OpenComConfig(1, "", 19200, 0, 8, 0, 4096, 4096), kComErrInvalidParameter);
    const unsigned char frame[] = {0x00, 0x55};
    EXPECT_EQ(ComWrt(1, frame, 2), 2) << "a refused reopening closed the open port";
    EXPECT_EQ(pty.receive(2), std::vector<std::uint8_t>(frame, frame + 2));
}

TEST_F(SerialTableTest, OpeningAnOpenPortAgainReopensIt) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    ScopedEnv env("KVOR_COM_PORTS", pty.path());
    ASSERT_EQ(OpenLikeTheScope(1), 0);
    pty.send(Pattern(10));
    ASSERT_EQ(WaitForQueue(1, 10), 10);
    ASSERT_EQ(OpenLikeTheScope(1), 0);
    EXPECT_EQ(GetInQLen(1), 0) << "the reopened port starts with an empty queue";
    pty.send(Pattern(5));
    EXPECT_EQ(WaitForQueue(1, 5), 5);
}

TEST_F(SerialTableTest, CallsOnPortsThatAreNotOpenFailAndDoNothing) {
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
    EXPECT_EQ(CloseCom(-1), kComErrInvalidPort);
    EXPECT_EQ(buf[0], 1);
}

TEST_F(SerialTableTest, ClosingTwiceFailsTheSecondTime) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    ScopedEnv env("KVOR_COM_PORTS", pty.path());
    ASSERT_EQ(OpenLikeTheScope(1), 0);
    EXPECT_EQ(CloseCom(1), 0);
    EXPECT_EQ(CloseCom(1), kComErrPortNotOpen);
}

} // namespace
} // namespace kvor::test

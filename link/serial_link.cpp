// SPDX-License-Identifier: GPL-3.0-or-later
// The serial port to the sensor: set-up, echo check, the receive callback and the port selector.
#include "link/serial_link.h"

#include <cstdio>
#include <cstring>

#include "link/exchange.h"
#include "link/frame.h"
#include "link/identify.h"
#include "live/statistics.h"
#include "params/frame_map.h"
#include "params/history.h"
#include "params/transfer.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/remembered.h"

namespace kvor {

namespace {

constexpr long kBaud = 19200;
constexpr int kParityNone = 0;
constexpr int kDataBits = 8;
constexpr int kStopBits = 1;
constexpr int kQueueSize = 4096;
constexpr int kHandshakeOff = 0;

const char* ForeignSeriesText(i32 result) {
    if (result == -1) return N_("K-VOR-RW-series hardware detected!\nUSE K-VOR-RW-Scope Software!");
    if (result == -2 || result == -3)
        return N_("K-VOR-GZ-PX-series hardware detected!\nUSE K-VOR-GZ-PX-Scope Software!");
    if (result == -4 || result == -5)
        return N_("K-VOR-GZ-RW-series hardware detected!\nUSE K-VOR-GZ-RW-Scope Software!");
    return N_("Incompatible hardware detected!\nCan not be used with V-UDU-DA-Rired Software!");
}

void DimTransferButtons(int dimmed) {
    SetCtrlAttribute(pHandle, MAIN_TEACH, ATTR_DIMMED, dimmed);
    SetCtrlAttribute(pHandle, MAIN_SEND, ATTR_DIMMED, dimmed);
}

// An operator must never take the simulation for a sensor: while the link runs to the simulated
// sensor, the status line and the pop-up's description say so.
bool simulationShown = false;

// Whether RX_Receive_Function is installed: a raw read switches it off.
bool rxCallbackOn = false;

void TellWhetherSimulated() {
    constexpr int kSimulationLine = 2; // below the two description lines of identification
    if (IsSimulatedComPort(com) != 1) {
        if (simulationShown) ReplaceTextBoxLine(pPopup, POP_DESCRIPTION, kSimulationLine, "");
        simulationShown = false;
        return;
    }
    simulationShown = true;
    ReplaceTextBoxLine(pPopup, POP_DESCRIPTION, kSimulationLine,
                       Tr("SIMULATED SENSOR (kvor-sensor-sim) - no real sensor connected"));
    // Kept in English like every status text; a window shows the "Simulated sensor: " in the
    // operator's language.
    char status[STATUS_LEN + 1] = "";
    CopyText(status, sizeof status, N_("Simulated sensor: "));
    const int used = static_cast<int>(std::strlen(status));
    CopyText(status + used, STATUS_LEN + 1 - used, szStatus);
    SetStatusText(status);
}

// Reads `count` bytes of a frame whose first bytes have come: the rest is on the line right
// behind them, so the read waits only as long as a frame takes through a USB adapter, never the
// port's whole time-out.
int ReadFrameBytes(unsigned char* to, int count) {
    constexpr double kFrameRest = 0.1;
    if (count <= 0) return 0;
    if (GetInQLen(com) >= count) return ComRd(com, to, count);
    SetComTime(com, kFrameRest);
    const int got = ComRd(com, to, count);
    SetComTime(com, TIMEOUT);
    return got;
}

// Everything after a successful line check: identification, then the RAM parameters.
void IdentifySensor() {
    Delay(0.1);
    const bool hardwareKnown = GetHARDWAREInfo() != 0;
    if (!hardwareKnown) SetStatusText(N_("Error reading HARDWARE-info!"));
    Delay(0.1);
    const i32 r = GetVERSIONInfo();
    HistorySensorIdentified(hardwareKnown ? 1 : 0);
    if (r > 0 && r < kFirmwareTextBytes) SetStatusText(N_("Error reading firmware-info!"));
    if (r < 0) {
        MessagePopup(Tr("Attention !!!"), ForeignSeriesText(r));
        DimTransferButtons(1);
        return;
    }
    // Without a firmware text the set-up ends on what went wrong with it, not on an empty line.
    // Nor does a firmware text hide that the hardware description never came: the panel then
    // still shows the default line geometry.
    char setUpProblem[STATUS_LEN + 1] = "";
    if (!hardwareKnown)
        CopyText(setUpProblem, sizeof setUpProblem, "Error reading HARDWARE-info!");
    else if (szVersion[0] == '\0')
        CopyText(setUpProblem, sizeof setUpProblem,
                 r == 0 ? "Timeout - reading firmware info!" : "Error reading firmware-info!");
    DimTransferButtons(0);
    Delay(0.1);
    target = RAM;
    historyCause = HISTORY_LINK_SETUP;
    PushGET(RAM);
    SetStatusText(setUpProblem[0] == '\0' ? szVersion : setUpProblem);
    TellWhetherSimulated();
}

// The port may have been reopened while the sensor was still answering a request made on it
// (the same port picked again during a measurement): wait until the line has been quiet for
// longer than a request and the sensor's turn-around take, at most half a second, so that the
// flush below takes that answer and the echo check does not. When that answer had not begun, a
// quiet line is not enough: its first bytes are awaited too (within the half second and the
// answer's own time-out). A request made on another port cannot answer here: nothing to wait
// for. The panel stays live meanwhile.
void SettleLine(i32 port) {
    constexpr double kQuiet = 0.04;
    constexpr double kLongest = 0.5;
    const bool answerComing = AnswerOnItsWay() && requestPort == port;
    if (!answerComing && GetInQLen(port) <= 0) return;
    const double start = Timer();
    double quietSince = start;
    int seen = GetInQLen(port);
    bool heard = seen > 0;
    while (seen >= 0 && com == port && Timer() - start < kLongest) {
        const bool awaitingFirstBytes = answerComing && !heard && AnswerOnItsWay();
        if (!awaitingFirstBytes && Timer() - quietSince >= kQuiet) break;
        ProcessSystemEvents();
        const int now = GetInQLen(port);
        if (now != seen) {
            quietSince = Timer();
            heard = true;
        }
        seen = now;
    }
}

// A frame set aside may have brought bytes behind it (a sensor that adds a trailer, the rest of a
// cut frame): they are dropped byte by byte up to the next sync word, whose two bytes then begin
// szReadBuf. A 0x00 at the end of what has come is remembered as a sync word's possible head.
// Returns 2 when a sync word was found, 0 when the queue ran out first (the search goes on with
// the next bytes).
int SkipToSyncWord() {
    while (GetInQLen(com) > 0) {
        unsigned char byte = 0;
        if (ComRd(com, &byte, 1) != 1) return 0;
        const bool low = byte == (kSyncRequest & 0xFF) || byte == (kSyncEcho & 0xFF);
        if (rxSyncHigh == 1 && low) {
            szReadBuf[0] = 0x00;
            szReadBuf[1] = byte;
            rxSyncHigh = 0;
            return 2;
        }
        rxSyncHigh = byte == 0x00 ? 1 : 0;
    }
    return 0;
}

} // namespace

const char* ComErrorText(int code) {
    switch (code) {
    case kComErrUnknownSystem:
        return N_("Unknown system error");
    case kComErrInvalidPort:
        return N_("Invalid port number");
    case kComErrPortNotOpen:
        return N_("Port is not open");
    case kComErrIO:
        return N_("Unknown I/0 error");
    case kComErrNoPortFound:
        return N_("No serial port found");
    case kComErrCannotOpen:
        return N_("Cannot open port");
    case kComErrInvalidParameter:
        return N_("Invalid parameter");
    case kComErrTimeout:
        return N_("Timeout");
    default:
        return N_("RS-232 error!");
    }
}

void InstallRxCallback() {
    InstallComCallback(com, eventMask, kFrameBytes, sync, RX_Receive_Function, nullptr);
    rxCallbackOn = true;
}

void RemoveRxCallback() {
    InstallComCallback(com, 0, kFrameBytes, sync, nullptr, nullptr);
    rxCallbackOn = false;
}

void EnsureRxCallback() {
    if (!rxCallbackOn) InstallRxCallback();
}

void InitRS232(i32 port) {
    HistoryLinkStarted();
    const int opened =
        OpenComConfig(port, "", kBaud, kParityNone, kDataBits, kStopBits, kQueueSize, kQueueSize);
    if (opened < 0) {
        SetStatusText(ComErrorText(opened));
        ShowStatus();
        return;
    }
    SetComTime(port, TIMEOUT);
    SettleLine(port);
    // Another port picked while this one settled has set its own link up.
    if (com != port) return;
    // Whatever was on its way on the port closed before is nothing this link waits for.
    ForgetPendingAnswer();
    FlushInQ(port);
    FlushOutQ(port);
    SetCTSMode(port, kHandshakeOff);
    InstallRxCallback();
    if (CheckComLine(port) == 1) IdentifySensor();
    ShowStatus();
}

// The exchange runs on com, the port InitRS232 has just opened.
int CheckComLine([[maybe_unused]] i32 port) {
    ExchangeFrame(CMD_ECHO, TEST_TIME_FIRST, nullptr, "Timeout-RS-232...", CopyVarsToPP);
    int result = 0;
    if (rx_flag == 1) {
        pp[0] = WordAt(szReadBuf);
        // The sensor answers the echo with the sync word 0x00AA.
        if (pp[0] == kSyncEcho) {
            SetStatusText(N_("Echo Check - Line Ok!"));
            result = 1;
        } else {
            SetStatusText(N_("read error - not sync byte 0xAA!"));
        }
    }
    ShowStatus();
    return result;
}

void RX_Receive_Function([[maybe_unused]] int port, int events,
                         [[maybe_unused]] void* callbackData) {
    if (!(events & LWRS_RECEIVE)) return;
    int have = 0;
    if (rxResync == 1) {
        have = SkipToSyncWord();
        if (have == 0) return;
        rxResync = 0;
    }
    // The callback runs with a whole frame waiting; after a sync word, its rest may still come.
    const int got = have == 0 ? ComRd(com, szReadBuf, kFrameBytes)
                              : have + ReadFrameBytes(&szReadBuf[have], kFrameBytes - have);
    // A read that came back short (the port vanished under the callback) is no answer.
    if (got != kFrameBytes) {
        FlushInQ(com);
        return;
    }
    // A late answer to another request is set aside whole; the answer behind it stays queued.
    const int word = WordAt(&szReadBuf[2]);
    if (!TakesAnswer(word)) {
        rxResync = 1;
        rxSyncHigh = 0;
        AcknowledgmentLanded();
        char note[80];
        if (awaited == CMD_WRITE_RAM || awaited == CMD_WRITE_EEPROM)
            std::snprintf(note, sizeof note,
                          "set aside: acknowledgment of write %d (command word %d)", awaited, word);
        else
            std::snprintf(note, sizeof note,
                          "set aside: answer with command word %d while %d awaited", word, awaited);
        TraceLineNote(com, note);
        return;
    }
    GetRxBuf(PNUM);
    TakeAnswer();
    // Whatever the sensor sent beyond the frame is discarded.
    FlushInQ(com);
}

// The ring raises commit and value changed for one pick; the link is set up on the commit only,
// so one pick opens the port once.
KVOR_CALLBACK(CC_DropDCom) {
    if (event != EVENT_COMMIT) return 0;
    stop_flag = 1;
    ResetStatistics();
    // An answer still on its way stays awaited: the link set-up lets it land before its flush.
    CloseCom(com);
    GetCtrlVal(pHandle, MAIN_COMPORT, &com);
    RememberPort(com);
    ShowStatusLiteral(N_("Init COM-Port ..."));
    InitRS232(com);
    return 0;
}

} // namespace kvor

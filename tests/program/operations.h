// SPDX-License-Identifier: GPL-3.0-or-later
// The operations that talk to the sensor, in one table: how the operator starts each, what it
// puts on the line, and what the status line says when it was answered and when its wait ran
// out. The fault matrix, the overlap of clicks and the conversations on the line all read it,
// so a new operation is one row.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kvor::test {

inline constexpr const char* kLinkTimeout = "Timeout-RS-232...";
inline constexpr const char* kLoopTimeout = "Timeout RS232-Line!";
inline constexpr const char* kParametersOk = "Parameter-frame received! - Line Ok!";
inline constexpr const char* kFirmwareText = "K-VOR-PX-250 firmware V2.40";

enum class Op {
    StartUp,    // the link set-up again, by picking port 1 in the port selector
    PortChange, // port 2 picked (while the measurement runs, in the fault matrix)
    Run,
    Video,
    Get, // of the RAM
    GetEeprom,
    Send,
    Teach,
    Reset,
    CalActivate,
    CalStop,
    CalStore,
};

struct Operation {
    Op op;
    const char* name;
    // The operator's click; it returns when the operation has ended (a loop: once stopped).
    void (*start)();
    // The requests it puts on the line answered, in order (a loop: its first cycle).
    std::vector<int> requests;
    // The request whose answer its wait stands for (0: none is waited for).
    int awaited;
    // The status line once answered (the set-up: the firmware text it begins with), and once
    // its wait ran out (nullptr: it waits for nothing).
    const char* answered;
    const char* timedOut;
};

const Operation& Of(Op op);
std::string NameOf(Op op);
void PrintTo(Op op, std::ostream* os);

// A target button clicked when it is on goes off: it is clicked only when off.
void SelectTarget(int control);

} // namespace kvor::test

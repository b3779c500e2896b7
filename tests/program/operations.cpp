// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/program/operations.h"

#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "tests/support/harness.h"
#include "wire/protocol.h"

namespace kvor::test {
namespace {

namespace p = protocol;

const std::vector<int> kSetUp = {p::CMD_ECHO, p::CMD_HARDWARE_INFO, p::CMD_FIRMWARE_INFO,
                                 p::CMD_READ_RAM};
const std::vector<int> kPicture = {p::CMD_MEASURE, p::CMD_READ_VIDEO64, p::CMD_READ_VIDEO64,
                                   p::CMD_READ_VIDEO64, p::CMD_READ_VIDEO64};

void GetRam() {
    SelectTarget(MAIN_RBT_RAM);
    Click(1, MAIN_GET);
}

void GetEeprom() {
    SelectTarget(MAIN_RBT_EEPROM);
    Click(1, MAIN_GET);
}

// clang-format off
const Operation kOperations[] = {
    {Op::StartUp, "StartUp", [] { PickRingValue(1, MAIN_COMPORT, 1); },
     kSetUp, p::CMD_ECHO, kFirmwareText, kLinkTimeout},
    {Op::PortChange, "PortChange", [] { PickRingValue(1, MAIN_COMPORT, 2); },
     kSetUp, p::CMD_ECHO, kFirmwareText, kLinkTimeout},
    {Op::Run, "Run", [] { Click(1, MAIN_RUN); },
     {p::CMD_MEASURE}, p::CMD_MEASURE, "Line Ok!", kLoopTimeout},
    {Op::Video, "Video", [] { Click(1, MAIN_VIDEO); },
     kPicture, p::CMD_MEASURE, "Data[64] block received!", kLoopTimeout},
    {Op::Get, "Get", GetRam,
     {p::CMD_READ_RAM}, p::CMD_READ_RAM, kParametersOk, kLinkTimeout},
    {Op::GetEeprom, "GetEeprom", GetEeprom,
     {p::CMD_READ_EEPROM}, p::CMD_READ_EEPROM, kParametersOk, kLinkTimeout},
    {Op::Send, "Send", [] { Click(1, MAIN_SEND); },
     {p::CMD_WRITE_RAM}, 0, "Line Ok!", nullptr},
    // An unanswered teach says only what it sent, and reads nothing back.
    {Op::Teach, "Teach", [] { Click(1, MAIN_TEACH); },
     {p::CMD_TEACH, p::CMD_READ_RAM}, p::CMD_TEACH, kParametersOk, "New setpoint value teached!"},
    {Op::Reset, "Reset", [] { Click(1, MAIN_RESET); },
     {p::CMD_RESET_MINMAX}, p::CMD_RESET_MINMAX, "Reset of analog-output Max/Min OK!",
     kLinkTimeout},
    // The activation starts the run loop.
    {Op::CalActivate, "CalActivate", [] { Click(2, POP_ACTIVATE); },
     {p::CMD_CALIBRATION, p::CMD_MEASURE}, p::CMD_CALIBRATION, "Calibration activated!",
     kLinkTimeout},
    {Op::CalStop, "CalStop", [] { Click(2, POP_DISCARD); },
     {p::CMD_CALIBRATION}, p::CMD_CALIBRATION, "Calibration stopped successfully!", kLinkTimeout},
    {Op::CalStore, "CalStore", [] { Click(2, POP_STORE); },
     {p::CMD_CALIBRATION}, p::CMD_CALIBRATION, "New Calibration values in activated in RAM!",
     kLinkTimeout},
};
// clang-format on

} // namespace

const Operation& Of(Op op) {
    for (const Operation& o : kOperations)
        if (o.op == op) return o;
    ADD_FAILURE() << "no row for operation " << static_cast<int>(op);
    return kOperations[0];
}

std::string NameOf(Op op) {
    return Of(op).name;
}

void PrintTo(Op op, std::ostream* os) {
    *os << Of(op).name;
}

void SelectTarget(int control) {
    i32 on = 0;
    GetCtrlVal(pHandle, control, &on);
    if (on == 0) Click(1, control);
}

} // namespace kvor::test

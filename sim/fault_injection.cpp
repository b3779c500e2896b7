// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/fault_injection.h"

#include <algorithm>

#include "wire/codec.h"

namespace kvor::sim {

namespace p = kvor::protocol;

namespace {

void Resize(Bytes& bytes, int count, std::uint8_t fill) {
    bytes.resize(static_cast<std::size_t>(std::clamp(count, 0, kMaxFaultBytes)), fill);
}

} // namespace

void ApplyAnswerFaults(Answer& answer, int command, const Faults& faults, std::mt19937& rng) {
    switch (answer.kind) {
    case Answer::Kind::Frame:
        if (faults.wrongEchoSync && command == p::CMD_ECHO) answer.bytes[1] = p::kSyncRequest;
        if (faults.wrongHardwareCommand && command == p::CMD_HARDWARE_INFO) answer.bytes[3] = 0;
        if (faults.parameterAnswerWord >= 0 &&
            (command == p::CMD_READ_RAM || command == p::CMD_READ_EEPROM ||
             command == p::CMD_WRITE_RAM || command == p::CMD_WRITE_EEPROM ||
             command == p::CMD_TEACH)) {
            p::PutWordAt(&answer.bytes[2], static_cast<unsigned>(faults.parameterAnswerWord));
        }
        if (faults.ackWord >= 0 && (command == p::CMD_WRITE_RAM || command == p::CMD_WRITE_EEPROM))
            p::PutWordAt(&answer.bytes[2], static_cast<unsigned>(faults.ackWord & 0xFFFF));
        if (faults.extraBytes > 0)
            answer.bytes.insert(
                answer.bytes.end(),
                static_cast<std::size_t>(std::min(faults.extraBytes, kMaxFaultBytes)),
                static_cast<std::uint8_t>(faults.extraByteValue & 0xFF));
        break;
    case Answer::Kind::FirmwareText:
        if (faults.garbledFirmware) {
            std::uniform_int_distribution<int> byte(0, 255);
            for (std::uint8_t& b : answer.bytes)
                b = static_cast<std::uint8_t>(byte(rng));
        }
        // A longer text is padded with blanks, as the sensor pads its own.
        if (faults.firmwareTextBytes != p::kFirmwareTextBytes)
            Resize(answer.bytes, faults.firmwareTextBytes, ' ');
        break;
    case Answer::Kind::VideoBlock:
        if (faults.videoBlockBytes >= 0) Resize(answer.bytes, faults.videoBlockBytes, 0);
        break;
    case Answer::Kind::None:
        break;
    }
}

} // namespace kvor::sim

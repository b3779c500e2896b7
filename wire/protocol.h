// SPDX-License-Identifier: GPL-3.0-or-later
// Bytes on the line between the scope and a K-VOR-PX sensor: frame size and command codes.
// Shared by the program, the runtime's line monitor and the simulated sensor; depends on nothing.
#pragma once

#include <cstdint>

namespace kvor::protocol {

inline constexpr std::int32_t PNUM = 16;         // data words in every frame
inline constexpr int kFrameBytes = 4 + 2 * PNUM; // sync word, command word, data words
inline constexpr int kSyncRequest = 0x0055;      // sync word of every request
inline constexpr int kSyncEcho = 0x00AA;         // sync word of the echo answer
inline constexpr int kFirmwareTextBytes = 72;    // raw answer to the firmware request
inline constexpr int kVideo64Bytes = 128;        // raw answer to a 64-sample block read
inline constexpr int kVideo256Bytes = 512;       // raw answer to the 256-sample read

enum Command : int {
    CMD_WRITE_RAM = 1,
    CMD_READ_RAM = 2,
    CMD_WRITE_EEPROM = 3,
    CMD_READ_EEPROM = 4,
    CMD_ECHO = 5,
    CMD_TEACH = 6,
    CMD_FIRMWARE_INFO = 7,
    CMD_MEASURE = 8,
    CMD_READ_VIDEO64 = 9,
    CMD_HARDWARE_INFO = 10,
    CMD_RESET_MINMAX = 11,  // answered with a frame
    CMD_READ_VIDEO256 = 11, // all data words 0: answered with 512 raw bytes
    CMD_CALIBRATION = 12,
};

// Sub-commands of CMD_CALIBRATION, in data word 0.
enum CalibrationStep : int { CAL_STOP = 0, CAL_ACTIVATE = 1, CAL_STORE = 2 };

} // namespace kvor::protocol

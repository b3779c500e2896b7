// SPDX-License-Identifier: GPL-3.0-or-later
// The EEPROM kept on disk: 16 numbers, one a line, right-aligned in five characters, the same
// layout as the scope's parameter file, so either can be loaded into the other.
#pragma once

#include <string>

#include "sim/parameter_words.h"

namespace kvor::sim {

enum class EepromLoad { Loaded, Missing, Invalid };

// Any white space separates the numbers; exactly 16 of them, each 0..65535.
EepromLoad LoadEepromFile(const std::string& path, ParameterSet* words, std::string* error);
// Writes a new file beside the old one and renames it over, so a crash never leaves half a file.
bool SaveEepromFile(const std::string& path, const ParameterSet& words, std::string* error);

} // namespace kvor::sim

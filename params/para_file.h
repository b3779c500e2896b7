// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter file: 16 words, one per line, right-aligned in five characters.
#pragma once

#include <cstdint>

#include "state/state.h"

namespace kvor {

void SendParaToFile();
void ReadParaFromFile();
// Writes 16 words as a parameter file; 0 or the runtime's negative code.
int WriteParaFile(const char* path, const u16* words);
// The words of a parameter file into pp (their low 16 bits) and on into the variables; the range
// rules follow when PushGET(DATFILE) shows them.
void TakeParaWords(const std::uint32_t* words);

} // namespace kvor

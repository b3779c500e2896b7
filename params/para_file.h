// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter file: 16 words, one per line, right-aligned in five characters.
#pragma once

namespace kvor {

void SendParaToFile();
void ReadParaFromFile();

} // namespace kvor

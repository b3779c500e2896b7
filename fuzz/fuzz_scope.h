// SPDX-License-Identifier: GPL-3.0-or-later
// What every fuzz target shares: the runtime up offscreen with the scope's two real panels and
// the instrument's start values, as after a start-up that found no sensor; and the check that
// turns a broken promise into a crash the fuzzer keeps.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kvor::fuzz {

// Brings the runtime up and loads both panels from the panel file beside the fuzzer, once per
// process; later calls do nothing.
void StartScopeOnce();

// Prints what failed and where, then aborts.
[[noreturn]] void Fail(const char* what, const char* file, int line);

// The file the target writes its input to: one per process, made from `pattern` on the first
// call (its six X before a four-character ending replaced), removed when the process ends.
const char* TempFile(const char* pattern);
// Writes the input to TempFile(pattern), replacing what it held.
void WriteTempFile(const char* pattern, const std::uint8_t* data, std::size_t size);

// The 16-bit word at byte offset `at`, high byte first, or 0 past the end of the input.
std::uint16_t WordAt(const std::uint8_t* data, std::size_t size, std::size_t at);

} // namespace kvor::fuzz

#define KVOR_FUZZ_CHECK(cond)                                                                      \
    do {                                                                                           \
        if (!(cond)) ::kvor::fuzz::Fail(#cond, __FILE__, __LINE__);                                \
    } while (0)

// SPDX-License-Identifier: GPL-3.0-or-later
// The identification fed with anything a sensor could send:
//   bytes 0..35   the answer to the hardware request (command word, eleven description words)
//   the rest      the raw answer to the firmware request, of any length: 72 bytes are a text
//                 (36 word-coded characters on board type 0), anything else is none
// szReadBuf still holds earlier bytes (the hardware answer and older ghosts) beyond the block,
// as it does on the line. The description, the sample positions, the firmware text and the
// series decision must follow from this input alone.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/fuzz_scope.h"
#include "link/identify.h"
#include "runtime/runtime.h"
#include "state/state.h"

namespace kvor::fuzz {
namespace {

constexpr std::size_t kTextAt = 36;

// The sample steps the program uses: a known line is spanned by its 256 samples exactly; a
// known virtual line by the smallest whole step whose 256 samples reach its end.
void CheckSteps(u16 pixels) {
    const int step = PhysicalStep(pixels);
    KVOR_FUZZ_CHECK(step == 0 || step * 256 == pixels);
    const int step8 = VirtualStep(pixels);
    KVOR_FUZZ_CHECK(step8 == 1 || (step8 * 256 >= pixels && (step8 - 1) * 256 < pixels));
}

void CheckHardware(const std::uint8_t* data, std::size_t size, int result) {
    const u16 command = WordAt(data, size, 2);
    KVOR_FUZZ_CHECK(result == (command == 10 ? 1 : 0));
    const u16 words[11] = {ccdtype, 0,       ccdresolution, pcbtype, ccdvirtpixel, ccdsubpixel,
                           ccdpixB, ccdpixE, softversion,   hwtype,  adcmax};
    for (int i = 0; i < 11; ++i)
        if (i != 1) KVOR_FUZZ_CHECK(words[i] == WordAt(data, size, 4 + 2 * static_cast<size_t>(i)));
    const u16 sentPixels = WordAt(data, size, 6);
    if (result == 0) {
        KVOR_FUZZ_CHECK(ccdmaxpixel == sentPixels);
        return;
    }
    CheckSteps(sentPixels);
    CheckSteps(ccdvirtpixel);
    // A line length the scope does not know is taken as 1024 pixels, its samples 8 apart.
    const bool knownLine = PhysicalStep(sentPixels) != 0;
    const int step = knownLine ? PhysicalStep(sentPixels) : 8;
    const int step8 = VirtualStep(ccdvirtpixel);
    for (int i = 0; i < 256; ++i)
        KVOR_FUZZ_CHECK(xArray[i] == step * i && xArray8[i] == step8 * i);
    KVOR_FUZZ_CHECK(ccdmaxpixel == (knownLine ? sentPixels : 1024));
    KVOR_FUZZ_CHECK(pixB == 1);
    KVOR_FUZZ_CHECK(pixE == ccdvirtpixel || pixE == 512 || pixE == 1024);
    KVOR_FUZZ_CHECK(YMAXADC == 0 || YMAXADC == 256 || YMAXADC == 1024);
}

// The firmware text this block carries, decoded here independently.
std::string ExpectedText(const std::uint8_t* block, std::size_t n) {
    std::string text;
    if (n != 72) return text;
    if (pcbtype == 0) {
        for (std::size_t i = 0; i < 36 && block[2 * i + 1] != 0; ++i)
            text += static_cast<char>(block[2 * i + 1]);
    } else {
        for (std::size_t i = 0; i < 72 && block[i] != 0; ++i)
            text += static_cast<char>(block[i]);
    }
    return text;
}

i32 ExpectedResult(const std::string& text, i32 waiting) {
    struct Series {
        const char* name;
        i32 code;
    };
    const Series series[] = {{"K-VOR-PX", 0},     {"K-VOR-RW", -1},    {"K-VOR-QN-PX", -2},
                             {"K-VOR-DK-PX", -3}, {"K-VOR-QN-RW", -4}, {"K-VOR-DK-RW", -5}};
    i32 result = waiting;
    for (const Series& s : series)
        if (text.compare(0, std::strlen(s.name), s.name) == 0) result = s.code ? s.code : waiting;
    return result;
}

} // namespace
} // namespace kvor::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kvor;
    using namespace kvor::fuzz;
    StartScopeOnce();

    // Ghosts of an earlier sensor behind whatever arrives now.
    for (std::size_t i = 0; i < sizeof szReadBuf; ++i)
        szReadBuf[i] = static_cast<unsigned char>("K-VOR-RW ghost "[i % 15]);
    CopyText(szVersion, sizeof szVersion, "K-VOR-DK-RW ghost of the last sensor");
    YMAXADC = 0;
    std::memset(szReadBuf, 0, 36);
    std::memcpy(szReadBuf, data, std::min<std::size_t>(size, 36));
    CheckHardware(data, size, ApplyHARDWAREInfo());

    // The block as the firmware read leaves it: every byte waiting, szReadBuf full at most.
    const std::size_t n = size > kTextAt ? size - kTextAt : 0;
    const std::uint8_t* block = data + std::min(size, kTextAt);
    nBytesR = static_cast<i32>(std::min(n, sizeof szReadBuf));
    std::memcpy(szReadBuf, block, static_cast<std::size_t>(nBytesR));
    // What the status line holds when the wait ends: its time-out text for a short block, the
    // echo check's text otherwise.
    SetStatusText(n < 72 ? "Timeout - reading firmware info!" : "Echo Check - Line Ok!");
    const i32 result = DecodeVERSIONInfo(static_cast<i32>(n));

    KVOR_FUZZ_CHECK(std::memchr(szVersion, '\0', sizeof szVersion) != nullptr);
    KVOR_FUZZ_CHECK(std::memchr(szStatus, '\0', sizeof szStatus) != nullptr);
    const std::string text = ExpectedText(block, n);
    KVOR_FUZZ_CHECK(text == szVersion);
    if (n == 72) KVOR_FUZZ_CHECK(text == szStatus);
    KVOR_FUZZ_CHECK(result == ExpectedResult(text, static_cast<i32>(n)));
    ProcessSystemEvents();
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// A parameter file of any content, read as the Get button reads it with the file target: the
// operator picks the file, ReadParaFromFile takes it, PushGET(DATFILE) shows it. The variables
// take all 16 words of the file or none, and whatever was taken is shown within the sensor's
// ranges.

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/fuzz_scope.h"
#include "params/para_file.h"
#include "params/transfer.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"

namespace kvor::fuzz {
namespace {

// The file the operator "picks", made once per process and removed when the process ends.
constexpr const char* kInputFile = "/tmp/kvor_fuzz_paraXXXXXX.dat";

// The variables of words 0..14; word 15 goes into both deltaTol and trigMode.
u16* const kWordVars[15] = {&power,  &rs232Mode, &vThd,  &anaMode,   &polarity,
                            &eMode,  &eBeg,      &eEnd,  &tVal,      &tTol,
                            &opMode, &eHardware, &slope, &intersect, &average};

using Words = std::array<u16, 17>; // words 0..14, deltaTol, trigMode

Words Variables() {
    Words w{};
    for (int i = 0; i < 15; ++i)
        w[i] = *kWordVars[i];
    w[15] = deltaTol;
    w[16] = trigMode;
    return w;
}

// Values a file is unlikely to hold, so that a read that took nothing is told apart.
void SetRecognisableVariables() {
    for (int i = 0; i < 15; ++i)
        *kWordVars[i] = static_cast<u16>(0xA5A0 + i);
    deltaTol = 0xA5AF;
    trigMode = 0xA5B0;
}

// The runs of decimal digits in the file, in order, and whether anything but digits and white
// space stands between them. A run too long for 64 bits counts as unreadable.
struct Numbers {
    std::vector<std::uint64_t> values;
    bool onlyDigitsAndSpace = true;
    bool overlong = false;
};

Numbers NumbersOf(const std::uint8_t* data, std::size_t size) {
    Numbers n;
    std::size_t i = 0;
    while (i < size) {
        if (!std::isdigit(data[i])) {
            if (!std::isspace(data[i])) n.onlyDigitsAndSpace = false;
            ++i;
            continue;
        }
        std::uint64_t v = 0;
        int digits = 0;
        for (; i < size && std::isdigit(data[i]); ++i) {
            // Leading zeros do not make a number long.
            if (v != 0 || data[i] != '0') ++digits;
            if (digits > 19) n.overlong = true;
            v = v * 10 + static_cast<unsigned>(data[i] - '0');
        }
        n.values.push_back(v);
    }
    return n;
}

// What the writer writes: 16 lines, each a number of 0..65535 right-aligned in five places.
bool IsWritersFormat(const std::uint8_t* data, std::size_t size) {
    if (size != 16 * 6) return false;
    for (int line = 0; line < 16; ++line) {
        const std::uint8_t* f = data + 6 * line;
        if (f[5] != '\n') return false;
        int k = 0;
        while (k < 4 && f[k] == ' ')
            ++k;
        if (k < 4 && f[k] == '0') return false; // no padding with zeros
        unsigned v = 0;
        for (; k < 5; ++k) {
            if (!std::isdigit(f[k])) return false;
            v = v * 10 + static_cast<unsigned>(f[k] - '0');
        }
        if (v > 65535) return false;
    }
    return true;
}

void CheckShownWithinRanges() {
    KVOR_FUZZ_CHECK(power <= 1000);
    KVOR_FUZZ_CHECK(rs232Mode <= 1);
    KVOR_FUZZ_CHECK(vThd >= 50 && vThd <= 950);
    KVOR_FUZZ_CHECK(anaMode <= 7);
    KVOR_FUZZ_CHECK(polarity <= 1);
    KVOR_FUZZ_CHECK(eMode <= 2);
    KVOR_FUZZ_CHECK(eBeg <= ccdvirtpixel);
    KVOR_FUZZ_CHECK(eEnd >= 1 && eEnd <= ccdvirtpixel);
    KVOR_FUZZ_CHECK(tTol >= 1 && tTol <= ccdvirtpixel);
    KVOR_FUZZ_CHECK(eHardware <= 3);
    KVOR_FUZZ_CHECK(slope != 65535);
    KVOR_FUZZ_CHECK(intersect <= 60000);
    KVOR_FUZZ_CHECK(average <= 1024);
    KVOR_FUZZ_CHECK(deltaTol >= 1 && deltaTol <= ccdvirtpixel);
    // The panel shows what the variables hold. The operating-mode switch is left out: it can
    // show only off and on, whatever word 10 holds.
    struct Shown {
        int control;
        const u16* value;
    };
    const Shown shown[] = {
        {MAIN_POWER, &power},       {MAIN_RS232MODE, &rs232Mode}, {MAIN_THRESHOLD, &vThd},
        {MAIN_ANAMODE, &anaMode},   {MAIN_POLARITY, &polarity},   {MAIN_EMODE, &eMode},
        {MAIN_EDGE_LEFT, &eBeg},    {MAIN_EDGE_RIGHT, &eEnd},     {MAIN_SETPOINT, &tVal},
        {MAIN_TOLERANCE, &tTol},    {MAIN_HWMODE, &eHardware},    {MAIN_AVERAGE, &average},
        {MAIN_DELTATOL, &deltaTol}, {MAIN_TRIGMODE, &trigMode}};
    for (const Shown& s : shown) {
        u16 v = 0;
        KVOR_FUZZ_CHECK(GetCtrlVal(pHandle, s.control, &v) >= 0);
        KVOR_FUZZ_CHECK(v == *s.value);
    }
    // The pop-up shows the calibration words as factor and offset.
    float factor = -1, offset = -1;
    KVOR_FUZZ_CHECK(GetCtrlVal(pPopup, POP_FACTOR, &factor) >= 0);
    KVOR_FUZZ_CHECK(GetCtrlVal(pPopup, POP_OFFSET, &offset) >= 0);
    const double scale = ccdtype == 104 ? SLOPEMULTI_512 : SLOPEMULTI;
    KVOR_FUZZ_CHECK(std::fabs(factor - slope / scale) < 1e-3);
    KVOR_FUZZ_CHECK(std::fabs(offset - (static_cast<i32>(intersect) - YOFFSET)) < 1e-3);
    // szStatus stays a terminated text of at most 72 characters.
    KVOR_FUZZ_CHECK(std::memchr(szStatus, '\0', sizeof szStatus) != nullptr);
}

// The sensors a file may be loaded against: their line length bounds the pixel words, type 104
// scales the factor word by 512 instead of 1024.
struct Sensor {
    u16 type;
    u16 virtualPixels;
};
constexpr Sensor kSensors[] = {{2, 4096}, {104, 1536}};

void ReadAndShow(const std::uint8_t* data, std::size_t size, const Sensor& sensor) {
    ccdtype = sensor.type;
    ccdvirtpixel = sensor.virtualPixels;
    // Every parameter read adds its two marks to the bar graph until a measurement redraws it;
    // clearing them here stands for that redraw, so thousands of reads stay as fast as one.
    DeleteGraphPlot(pHandle, MAIN_BARGRAPH, -1, VAL_IMMEDIATE_DRAW);

    SetRecognisableVariables();
    const Words before = Variables();
    SetStatusText("before the file");
    SetNextFileSelection(TempFile(kInputFile), 1);
    ReadParaFromFile();
    const Words after = Variables();

    // The words the file holds, when it holds 16 numbers that fit 32 bits.
    const Numbers n = NumbersOf(data, size);
    std::optional<Words> fromFile;
    if (n.values.size() == 16 && !n.overlong) {
        Words w{};
        bool fits = true;
        for (int i = 0; i < 16; ++i) {
            fits = fits && n.values[i] <= 0xFFFFFFFFull;
            w[i] = static_cast<u16>(n.values[i] & 0xFFFF);
        }
        w[16] = w[15];
        if (fits) fromFile = w;
    }
    // Nothing but 16 such numbers and white space: the reader must take it.
    const bool plainNumbers = fromFile.has_value() && n.onlyDigitsAndSpace;
    if (IsWritersFormat(data, size)) KVOR_FUZZ_CHECK(plainNumbers);

    const bool refused = std::strcmp(szStatus, "Error reading parameter file!") == 0;
    if (refused) {
        KVOR_FUZZ_CHECK(!plainNumbers);
        KVOR_FUZZ_CHECK(after == before);
    } else {
        KVOR_FUZZ_CHECK(fromFile.has_value());
        KVOR_FUZZ_CHECK(after == *fromFile);
        KVOR_FUZZ_CHECK(std::strcmp(szStatus, "before the file") == 0);
    }
    KVOR_FUZZ_CHECK(std::strcmp(file_name, TempFile(kInputFile)) == 0);

    PushGET(DATFILE);
    CheckShownWithinRanges();
}

} // namespace
} // namespace kvor::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kvor::fuzz;
    StartScopeOnce();
    WriteTempFile(kInputFile, data, size);
    for (const Sensor& sensor : kSensors)
        ReadAndShow(data, size, sensor);
    ProcessSystemEvents();
    return 0;
}

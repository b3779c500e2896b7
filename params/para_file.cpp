// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter file: the 16 words of the parameter frame, one per line, each right-aligned in
// five characters.
#include "params/para_file.h"

#include "params/frame_map.h"
#include "params/panel_map.h"
#include "runtime/runtime.h"
#include "state/state.h"

namespace kvor {

namespace {

constexpr int kFieldWidth = 5;

} // namespace

int WriteParaFile(const char* path, const u16* words) {
    std::uint32_t wide[PNUM] = {};
    for (int i = 0; i < PNUM; ++i)
        wide[i] = words[i];
    return ArrayToFile(path, wide, VAL_UNSIGNED_INTEGER, PNUM, 1, VAL_GROUPS_TOGETHER,
                       VAL_GROUPS_AS_COLUMNS, VAL_CONST_WIDTH, kFieldWidth, VAL_ASCII,
                       VAL_TRUNCATE);
}

void SendParaToFile() {
    GetPanelValues();
    CopyVarsToPP();
    if (WriteParaFile(file_name, pp) < 0) {
        SetStatusText(N_("Error writing parameter file!"));
        ShowStatus();
    }
}

void TakeParaWords(const std::uint32_t* words) {
    // A number above 65535 keeps only the low 16 bits that a frame word can carry.
    for (int i = 0; i < PNUM; ++i)
        pp[i] = static_cast<u16>(words[i] & 0xFFFF);
    CopyPPtoVars();
}

void ReadParaFromFile() {
    if (FileSelectPopup(proj_dir, "KVORpara.dat", "*.dat", Tr("K-VOR-PX-Parameter-File"),
                        VAL_LOAD_BUTTON, 0, 1, 1, 1, file_name) <= 0)
        return;
    std::uint32_t words[PNUM] = {};
    // A file that is not 16 numbers changes no variable.
    if (FileToArray(file_name, words, VAL_UNSIGNED_INTEGER, PNUM, 1, VAL_GROUPS_TOGETHER,
                    VAL_GROUPS_AS_COLUMNS, VAL_ASCII) < 0) {
        SetStatusText(N_("Error reading parameter file!"));
        ShowStatus();
        return;
    }
    TakeParaWords(words);
}

} // namespace kvor

// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/fuzz_scope.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "app/startup.h"
#include "runtime/readback.h"
#include "runtime/runtime.h"
#include "state/panel_ids.h"
#include "state/state.h"
#include "ui/windows.h"

namespace kvor::fuzz {

void StartScopeOnce() {
    static bool started = false;
    if (started) return;
    started = true;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The parameter history of fuzzed answers goes to a folder of its own.
    static char data[] = "/tmp/kvor-fuzz-XXXXXX";
    if (mkdtemp(data) == nullptr) Fail("mkdtemp", __FILE__, __LINE__);
    setenv("XDG_DATA_HOME", data, 1);
    // The fuzzer's own options stay away from the toolkit's argument parsing.
    static char name[] = "kvor_fuzz";
    static char* argv[] = {name, nullptr};
    static ProgramInstance instance{1, argv};
    InstallPanelWindows();
    if (!InitRuntime(&instance)) Fail("InitRuntime", __FILE__, __LINE__);
    SetPopupsAnswerThemselves(true);
    RegisterProgramCallbacks();
    pHandle = LoadPanel(0, PANEL_FILE, MAIN_PANEL_RESOURCE);
    pPopup = LoadPanel(0, PANEL_FILE, POPUP_PANEL_RESOURCE);
    if (pHandle < 0 || pPopup < 0) Fail("LoadPanel of the panel file", __FILE__, __LINE__);
    GetProjectDir(proj_dir);
    InitVars();
    InitGUI();
    DisplayPanel(pHandle);
    ProcessSystemEvents();
    // libFuzzer ends the process with exit(). Registered after the runtime's own statics came
    // to life, this runs before they are destroyed: panels go while the toolkit is still up.
    std::atexit([] { CloseRuntime(); });
}

void Fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    std::fflush(stderr);
    std::abort();
}

std::uint16_t WordAt(const std::uint8_t* data, std::size_t size, std::size_t at) {
    const unsigned hi = at < size ? data[at] : 0;
    const unsigned lo = at + 1 < size ? data[at + 1] : 0;
    return static_cast<std::uint16_t>(hi << 8 | lo);
}

const char* TempFile(const char* pattern) {
    static char path[256] = {};
    if (path[0] == '\0') {
        if (std::strlen(pattern) >= sizeof path)
            Fail("temporary file name too long", __FILE__, __LINE__);
        std::strcpy(path, pattern);
        const int fd = mkstemps(path, 4);
        if (fd < 0) Fail("mkstemps", __FILE__, __LINE__);
        close(fd);
        std::atexit([] { unlink(path); });
    }
    return path;
}

void WriteTempFile(const char* pattern, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(TempFile(pattern), "wb");
    if (f == nullptr) Fail("fopen of the temporary file", __FILE__, __LINE__);
    if (size > 0 && std::fwrite(data, 1, size, f) != size) Fail("fwrite", __FILE__, __LINE__);
    std::fclose(f);
}

} // namespace kvor::fuzz

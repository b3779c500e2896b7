// SPDX-License-Identifier: GPL-3.0-or-later
// Definitions and load-time values of the instrument state.
#include "state/state.h"

#include <algorithm>
#include <iterator>

#include "runtime/runtime.h"

#include "state/panel_ids.h"

namespace kvor {

i32 pHandle;
i32 pPopup;
char proj_dir[PATH_LEN] = {};
i32 com;
i32 sync;
i32 order;
i32 target;
i32 rx_flag;
i32 graphrefresh;
i32 stop_flag;
double tstart;
double tdiff;
i32 nBytesW;
i32 nBytesR;
unsigned char szWriteBuf[1024] = {};
unsigned char szReadBuf[1024] = {};
u16 pp[PNUM] = {};
char szStatus[STATUS_LEN + 1] = {};
i32 awaited;
i32 answerPending;
double tsent;
i32 requestCount;
i32 answeredRequest;
double tanswer;
i32 requestPort;
i32 flushedAfter;
i32 rxResync;
i32 rxSyncHigh;
WaitRecord* innermostWait;
i32 wordSetBy[PNUM];
i32 answerRequest;

char szVersion[STATUS_LEN + 1] = {};
char szSoftVersion[STATUS_LEN + 1] = {};
char szSoftName[STATUS_LEN + 1] = {};
u16 ccdtype;
u16 ccdmaxpixel;
u16 ccdresolution;
u16 pcbtype;
u16 ccdvirtpixel;
u16 ccdsubpixel;
u16 ccdpixB;
u16 ccdpixE;
u16 softversion;
u16 hwtype;
u16 adcmax;
u16 YMAXADC;
u16 pixB;
u16 pixE;

u16 power;
u16 rs232Mode;
u16 vThd;
u16 anaMode;
u16 polarity;
u16 eMode;
u16 eBeg;
u16 eEnd;
u16 tVal;
u16 tTol;
u16 opMode;
u16 eHardware;
u16 slope;
u16 intersect;
u16 average;
u16 deltaTol;
u16 trigMode;

u16 Ledge;
u16 Redge;
u16 Mvalue;
i32 umValue;
u16 tol;
u16 edcnt;
u16 mvstart;
u16 mvend;
u16 freevar;
u16 anaMax;
u16 anaMin;
u16 in0;

u16 adcbuf[256] = {};
double xArray[256] = {};
double xArray8[256] = {};
u16 thdArray[256] = {};
double arrayNORM[500] = {};

double slopeval;
double interval;
double mse;
double pixel[2] = {};
double umeter[2] = {};
double zarray[2] = {};
u16 oldMode;
u16 flagstep1;
u16 flagstep2;

char file_name[PATH_LEN] = {};

// The values the program has at load, before start-up runs. Tests that start the program
// anew in one process call it between runs.
void SetParameterStartValues() {
    power = 500;
    rs232Mode = 0;
    vThd = 512;
    anaMode = 0;
    polarity = 1;
    eMode = 1;
    eBeg = 1;
    eEnd = 1024;
    tVal = 512;
    tTol = 100;
    eHardware = 1;
    slope = static_cast<u16>(SLOPEMULTI);
    intersect = static_cast<u16>(YOFFSET);
    pixB = 1;
    pixE = 1024;
}

void ResetInstrumentState() {
    pHandle = 0;
    pPopup = 0;
    CopyText(proj_dir, sizeof proj_dir, "");
    com = 1;
    sync = 0x55;
    order = 1;
    target = RAM;
    rx_flag = 0;
    graphrefresh = 0;
    stop_flag = 1;
    tstart = 0.0;
    tdiff = 0.0;
    nBytesW = 0;
    nBytesR = 0;
    awaited = 0;
    answerPending = 0;
    tsent = 0.0;
    requestCount = 0;
    answeredRequest = 0;
    tanswer = 0.0;
    requestPort = 0;
    flushedAfter = 0;
    rxResync = 0;
    rxSyncHigh = 0;
    innermostWait = nullptr;
    std::fill(std::begin(wordSetBy), std::end(wordSetBy), i32{});
    answerRequest = 0;
    std::fill(std::begin(szWriteBuf), std::end(szWriteBuf), static_cast<unsigned char>(0));
    std::fill(std::begin(szReadBuf), std::end(szReadBuf), static_cast<unsigned char>(0));
    std::fill(std::begin(pp), std::end(pp), u16{});
    CopyText(szStatus, sizeof szStatus, "InitVars");
    CopyText(szVersion, sizeof szVersion, "");
    CopyText(szSoftVersion, sizeof szSoftVersion, "Version 2.42");
    CopyText(szSoftName, sizeof szSoftName, "V-UDU-DA-Rired");
    ccdtype = 0;
    ccdmaxpixel = 1024;
    ccdresolution = 0;
    pcbtype = 100;
    ccdvirtpixel = 4096;
    ccdsubpixel = 2048;
    ccdpixB = 0;
    ccdpixE = 0;
    softversion = 0;
    hwtype = 0;
    adcmax = 0;
    YMAXADC = 0;
    SetParameterStartValues();
    opMode = 0;
    average = 0;
    deltaTol = 0;
    trigMode = 0;
    Ledge = 0;
    Redge = 0;
    Mvalue = 0;
    umValue = 0;
    tol = 0;
    edcnt = 0;
    mvstart = 0;
    mvend = 0;
    freevar = 0;
    anaMax = 0;
    anaMin = 0;
    in0 = 0;
    std::fill(std::begin(adcbuf), std::end(adcbuf), u16{});
    std::fill(std::begin(xArray), std::end(xArray), double{});
    std::fill(std::begin(xArray8), std::end(xArray8), double{});
    std::fill(std::begin(thdArray), std::end(thdArray), u16{});
    std::fill(std::begin(arrayNORM), std::end(arrayNORM), double{});
    slopeval = 0.0;
    interval = 0.0;
    mse = 0.0;
    pixel[0] = 241.0;
    pixel[1] = 662.0;
    umeter[0] = 7960.0;
    umeter[1] = 21960.0;
    zarray[0] = 0.0;
    zarray[1] = 0.0;
    oldMode = 0;
    flagstep1 = 0;
    flagstep2 = 0;
    CopyText(file_name, sizeof file_name, "");
}

namespace {
const bool kLoaded = (ResetInstrumentState(), true);
} // namespace

void CopyText(char* dest, int size, const char* src) {
    if (dest == nullptr || size <= 0) return;
    int i = 0;
    if (src != nullptr) {
        for (; i < size - 1 && src[i] != '\0'; ++i)
            dest[i] = src[i];
    }
    dest[i] = '\0';
}

const char* FileBaseName(const char* path) {
    const char* base = path;
    for (const char* p = path; *p != '\0'; ++p)
        if (*p == '/' || *p == '\\') base = p + 1;
    return base;
}

int LoadWindow(i32* panel, int resource) {
    if (*panel <= 0) *panel = LoadPanel(0, PANEL_FILE, resource);
    if (*panel > 0) return 1;
    *panel = 0;
    return 0;
}

void DiscardWindow(i32* panel) {
    if (*panel > 0) DiscardPanel(*panel);
    *panel = 0;
}

const char* FileFailureText(int code) {
    return code == kFileErrDiskFull ? "disk full"
           : code == kFileErrGone   ? "file or folder gone"
           : code == kFileErrOpen   ? "cannot create it"
           : code == kFileErrLocked ? "held locked by another program"
                                    : "cannot write";
}

void SetStatusText(const char* text) {
    CopyText(szStatus, sizeof szStatus, text);
}

void ShowStatus() {
    SetCtrlVal(pHandle, MAIN_STATUS, szStatus);
}

void ShowStatusLiteral(const char* text) {
    SetCtrlVal(pHandle, MAIN_STATUS, text);
}

} // namespace kvor

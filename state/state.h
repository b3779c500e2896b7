// SPDX-License-Identifier: GPL-3.0-or-later
// The instrument state: every datum of the program is a named global that lives for the whole
// run. Every 16-bit variable is unsigned; text buffers hold a terminated text.
#pragma once

#include <cstdint>

#include "wire/protocol.h"

// The program lives in namespace kvor, so that its globals (`sync`, `power`, ...) never meet the
// C library's functions of the same name.
namespace kvor {

using u16 = std::uint16_t;
using i32 = std::int32_t;

// ---- fixed values -------------------------------------------------------------------------
using protocol::PNUM;         // data words in a frame
inline constexpr i32 RAM = 1; // parameter targets
inline constexpr i32 EEPROM = 2;
inline constexpr i32 DATFILE = 3;
inline constexpr i32 SLOPEMULTI = 1024;    // scale of the calibration factor word
inline constexpr i32 SLOPEMULTI_512 = 512; // ... for CCD type 104
inline constexpr i32 YOFFSET = 30000;      // bias of the calibration offset word
inline constexpr double TIMEOUT = 1.5;     // seconds to wait for an answer
inline constexpr i32 eventMask = 0x8006;   // receive callback events

inline constexpr int STATUS_LEN = 72; // longest status or identification text
inline constexpr int PATH_LEN = 260;

// ---- panels, link and exchange ------------------------------------------------------------
extern i32 pHandle;
extern i32 pPopup;
extern char proj_dir[PATH_LEN];
extern i32 com;
extern i32 sync;
extern i32 order;
extern i32 target;
extern i32 rx_flag;
extern i32 graphrefresh;
extern i32 stop_flag;
extern double tstart;
extern double tdiff;
extern i32 nBytesW;
extern i32 nBytesR;
extern unsigned char szWriteBuf[1024];
extern unsigned char szReadBuf[1024];
extern u16 pp[PNUM];
extern char szStatus[STATUS_LEN + 1];
// The request on the line: its command code (the answer the receive callback takes), whether a
// frame answer to it is still on its way, when it was sent, and how many requests went out.
extern i32 awaited;
extern i32 answerPending;
extern double tsent;
extern i32 requestCount;
extern i32 answeredRequest; // the count of the request whose answer the callback took last
extern double tanswer;      // when that answer landed
extern i32 requestPort;     // the port the last request went out on
extern i32 flushedAfter;    // requestCount when the queues were last emptied for a request
extern i32 rxResync;        // 1 after a frame was set aside: the next frame starts at a sync word
extern i32 rxSyncHigh;      // 1 when the last byte the sync scan read was 0x00, a sync word's head
// An answer that landed for a request whose wait was interrupted by another exchange is kept in
// that wait's own record, on its own stack frame: one for every wait still waiting, however deep
// the operator's clicks nest, and none for answers nobody waits for.
struct WaitRecord {
    i32 request; // the request the wait is for
    i32 kept;    // 1 when its answer landed and lies below
    unsigned char frame[4 + 2 * PNUM];
    u16 words[PNUM];
    i32 refresh;
    double landed;
    WaitRecord* outer; // the wait this one runs inside, or null
};
extern WaitRecord* innermostWait;
// For each word of the parameter set, the request with which the scope last learned it from the
// sensor or told it to the sensor. An answer to an earlier request is older than what the
// panel holds for that word: the newest set wins.
extern i32 wordSetBy[PNUM];
extern i32 answerRequest; // the request whose answer the last wait returned

// ---- sensor identification ----------------------------------------------------------------
extern char szVersion[STATUS_LEN + 1];
extern char szSoftVersion[STATUS_LEN + 1];
extern char szSoftName[STATUS_LEN + 1];
extern u16 ccdtype;
extern u16 ccdmaxpixel;
extern u16 ccdresolution;
extern u16 pcbtype;
extern u16 ccdvirtpixel;
extern u16 ccdsubpixel;
extern u16 ccdpixB;
extern u16 ccdpixE;
extern u16 softversion;
extern u16 hwtype;
extern u16 adcmax;
extern u16 YMAXADC;
extern u16 pixB;
extern u16 pixE;

// ---- parameter set (one variable per frame word) ------------------------------------------
extern u16 power;     // 0
extern u16 rs232Mode; // 1
extern u16 vThd;      // 2
extern u16 anaMode;   // 3
extern u16 polarity;  // 4
extern u16 eMode;     // 5
extern u16 eBeg;      // 6
extern u16 eEnd;      // 7
extern u16 tVal;      // 8
extern u16 tTol;      // 9
extern u16 opMode;    // 10
extern u16 eHardware; // 11
extern u16 slope;     // 12
extern u16 intersect; // 13
extern u16 average;   // 14
extern u16 deltaTol;  // 15, firmware below 240
extern u16 trigMode;  // 15, firmware 240 and above

// ---- measurement values (answer to the measurement request) -------------------------------
extern u16 Ledge;
extern u16 Redge;
extern u16 Mvalue;
extern i32 umValue;
extern u16 tol;
extern u16 edcnt;
extern u16 mvstart;
extern u16 mvend;
extern u16 freevar;
extern u16 anaMax;
extern u16 anaMin;
extern u16 in0;

// ---- video and plotting -------------------------------------------------------------------
extern u16 adcbuf[256];
extern double xArray[256];
extern double xArray8[256];
extern u16 thdArray[256];
extern double arrayNORM[500];

// ---- calibration --------------------------------------------------------------------------
extern double slopeval;
extern double interval;
extern double mse;
extern double pixel[2];
extern double umeter[2];
extern double zarray[2];
extern u16 oldMode;
extern u16 flagstep1;
extern u16 flagstep2;

// ---- parameter file -----------------------------------------------------------------------
extern char file_name[PATH_LEN];

// The parameter variables' start values (a sensor at delivery) and the full line pixB..pixE.
void SetParameterStartValues();
// Gives every global its load-time value.
void ResetInstrumentState();

// Copies a text into szStatus, cut to its 72 characters.
void SetStatusText(const char* text);
// Shows szStatus in the status line.
void ShowStatus();
// Shows a literal in the status line without touching szStatus.
void ShowStatusLiteral(const char* text);
// A window of the panel file: panel `resource` loaded into *panel the first time it is asked
// for. Returns 1 when it is loaded, 0 when it will not load (*panel then stays 0).
int LoadWindow(i32* panel, int resource);
// Program end: a window loaded with LoadWindow goes; *panel is 0 again.
void DiscardWindow(i32* panel);
// Why a file the program writes failed, from the runtime's file failure code: "disk full", ...
const char* FileFailureText(int code);
// Copies at most `size - 1` characters of a text and terminates it.
void CopyText(char* dest, int size, const char* src);
// The file's own name in a path, without its folder.
const char* FileBaseName(const char* path);

} // namespace kvor

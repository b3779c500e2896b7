// Definitions and load-time values of the instrument state.
#include "app/state.h"

#include "ui/runtime.h"

#include "app/panel_ids.h"

namespace kvor {

i32 pHandle = 0;
i32 pPopup = 0;
char proj_dir[PATH_LEN] = "";
i32 com = 1;
i32 sync = 0x55;
i32 order = 1;
i32 target = RAM;
i32 rx_flag = 0;
i32 graphrefresh = 0;
i32 stop_flag = 1;
double tstart = 0.0;
double tdiff = 0.0;
i32 nBytesW = 0;
i32 nBytesR = 0;
unsigned char szWriteBuf[1024] = {};
unsigned char szReadBuf[1024] = {};
u16 pp[PNUM] = {};
char szStatus[STATUS_LEN + 1] = "InitVars";

char szVersion[STATUS_LEN + 1] = "";
char szSoftVersion[STATUS_LEN + 1] = "Version 2.42";
char szSoftName[STATUS_LEN + 1] = "V-UDU-DA-Rired";
u16 ccdtype = 0;
u16 ccdmaxpixel = 1024;
u16 ccdresolution = 0;
u16 pcbtype = 100;
u16 ccdvirtpixel = 4096;
u16 ccdsubpixel = 2048;
u16 ccdpixB = 0;
u16 ccdpixE = 0;
u16 softversion = 0;
u16 hwtype = 0;
u16 adcmax = 0;
u16 YMAXADC = 0;
u16 pixB = 1;
u16 pixE = 1024;

u16 power = 500;
u16 rs232Mode = 0;
u16 vThd = 512;
u16 anaMode = 0;
u16 polarity = 1;
u16 eMode = 1;
u16 eBeg = 1;
u16 eEnd = 1024;
u16 tVal = 512;
u16 tTol = 100;
u16 opMode = 0;
u16 eHardware = 1;
u16 slope = SLOPEMULTI;
u16 intersect = YOFFSET;
u16 average = 0;
u16 deltaTol = 0;
u16 trigMode = 0;

u16 Ledge = 0;
u16 Redge = 0;
u16 Mvalue = 0;
i32 umValue = 0;
u16 tol = 0;
u16 edcnt = 0;
u16 mvstart = 0;
u16 mvend = 0;
u16 freevar = 0;
u16 anaMax = 0;
u16 anaMin = 0;
u16 in0 = 0;

u16 adcbuf[256] = {};
double xArray[256] = {};
double xArray8[256] = {};
u16 thdArray[256] = {};
double arrayNORM[500] = {};

double slopeval = 0.0;
double interval = 0.0;
double mse = 0.0;
double pixel[2] = {241.0, 662.0};
double umeter[2] = {7960.0, 21960.0};
double zarray[2] = {0.0, 0.0};
u16 oldMode = 0;
u16 flagstep1 = 0;
u16 flagstep2 = 0;

char file_name[PATH_LEN] = "";

void CopyText(char* dest, int size, const char* src) {
    if (dest == nullptr || size <= 0) return;
    int i = 0;
    if (src != nullptr) {
        for (; i < size - 1 && src[i] != '\0'; ++i)
            dest[i] = src[i];
    }
    dest[i] = '\0';
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

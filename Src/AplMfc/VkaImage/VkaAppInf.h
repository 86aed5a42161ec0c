// The application's settings block theAppInf: section "Application Information" of Pictavo.ini,
// read in two stages (numbers and flags before the engine starts, texts and path lists once its
// text buffers exist) and written at exit; the file-type list and the open-file batch counters
// are kept here too and never stored. Plain data that the HalcorApp constructor resets; every
// module of the program reads it directly.
#pragma once
#include "VkaSubDat.h"

enum {
    VkaPnlCnt = 5,     // docked panels: folder tree, file list, preview, file commands, operations
    VkaFpiCnt = 2,     // folder lists: history and favourites
    VkaScrSizeCnt = 4, // SopShi_iScrSize_1 .. _4
    VkaMaxPathCnt = 1000 // the most entries a path list may have; a larger capacity read is damage
};

// The automatic display.
struct PciAii {
    int iMode;
    int bRunOnSelDir;
    int bRepeat;
    int iPerInd; // milliseconds
    // The running display's state, never stored: items at its start, items shown in this pass,
    // the next item.
    int iCntItm;
    int iCntShw;
    int iIdxNxt;
};

// The file-command panel's folder lists: capacity, count of stored entries and current index of
// each, and its path texts (an array of capacity engine text buffers made by InitApi).
struct PciFpi {
    int iMode;
    int iCntPathName[VkaFpiCnt];
    int iCurPathName[VkaFpiCnt];
    int iIdxPathName[VkaFpiCnt];
    AppMem* amPathName[VkaFpiCnt];
};

// The external tools: capacity, count, current index and their paths.
struct PciEti {
    int iCntPathName;
    int iCurPathName;
    int iIdxPathName;
    AppMem* amPathName;
};

// The open-information file dialog.
struct Ooi {
    int bOnlLcd;
    int bOpnLck;
    int bOpnApd;
    int bImgSel;
    int bCreBak;
    AppMem amOpiPathName;
};

// The save dialog.
struct Svi {
    AppMem amPathName;
    AppMem amSavDir;
    int iImgType;
    int lQltJpg;
    int bChkExt;
    int bOrgSiz;
};

// Batch printing.
struct Pai {
    int bSelImg;
    int bOnlLcd;
    int bPtrCls;
    int bClsLcd;
};

// The counters of one open-file bracket.
struct Obc {
    int iCntPagBgn;
    int iCntPagEnd;
    int iCntOpn;
    int iCurPagBgn;
    int iCurPagEnd;
    int iSelPag;
    HWND hFcsBgn;
};

// A size conversion: scale type 1 to 3, fraction, scale, fixed-scale and width-given flags, size.
struct Szi {
    int iTypSca;
    int lScaNum;
    int lScaDen;
    double dScale;
    int bFixSca;
    int bWidth;
    int iWidth;
    int iHeight;
};

// The options dialog's pages: basic, panel, show and auto-save.
struct SopBsi {
    int bClrErr;
    int bClrMdf;
    int bChgDir;
    int bOpnOpd;
    int bOpnLcd;
    int bOpnLck;
    int bCleLog;
};

struct SopPni {
    int bPrvImgTab;
};

struct SopShi {
    int iModeSca;
    int lScaNum;
    int lScaDen;
    int bOpnSubDir;
    double dScaleWheel;
    int bInvClrFrm;
    int iStylePenFrm;
    char strColor[1][CmnPathSize]; // the cut frame's colour text
    int iScrSize[VkaScrSizeCnt];
};

struct SopSvi {
    int bAutoSave;
    AppMem amAtsDir;
    int bCreSubDir;
    int bOrgNam;
    int bOvrWrt;
    AppMem amPrefix;
    int iModeAtsFil;
    int iSeqNoSta;
    int iCntDigMin;
    int bOrgTyp;
    int iImgType;
    AppMem amFilExt;
    int lQltJpg;
    int bOrgSiz;
    int bCnvSiz;
};

struct AppInf {
    SIZE sizBriDlb[VkaPnlCnt]; // the panels' sizes
    Poi poi;
    Fti fti;
    PciAii pciAii;
    PciFpi pciFpi;
    PciEti pciEti;
    Ooi ooi;
    Svi svi;
    Pai pai;
    Obc obc;
    Szi cnvSzi;
    SopBsi sopBsi;
    SopPni sopPni;
    SopShi sopShi;
    SopSvi sopSvi;
    Szi sopSviSzi;
    RECT rctDlgSetOpt;
    int bOpnSmpImg; // the next start is the first run: it opens the samples
    int iOpnOnSel;  // the page selected after opening: 1 keep, 2 last opened, 3 first opened
};

extern AppInf theAppInf;

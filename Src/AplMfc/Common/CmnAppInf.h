// The framework's process-wide block: the module state the application base object keeps (engine
// objects, main frame, diagnostics switches, folders) and the settings of section "Common
// Information". The CmnApp constructor zeroes it and gives the settings their defaults; every
// module reads it directly. It is written only while the program starts and ends.
#pragma once
#include "VkeEng.h"

class CWnd;

enum {
    CmnPathSize = 1024, // every path and settings text of the block, terminator included
    CmnColorCnt = 35,   // strColor_1 .. strColor_35
    CmnFontCnt = 14,    // strFont_1 .. strFont_14
    CmnScrSizeCnt = 8,  // iScrSize_1 .. iScrSize_8
    CmnLstColCnt = 6,   // column kinds of the file list
    CmnLstColWidth = 120 // a file-list column's default width
};

// The file list's settings (record 0x10003).
struct LscFii {
    int iModeLstViw;   // view mode 1 to 5
    int iWidthTmnImg;  // thumbnail size
    int iHeightTmnImg;
    AppMem amFilter;   // file-name filter, an engine text buffer
    int iCntLstColTyp; // shown columns
    int iIdxLstColTyp; // sort column
    int bAscent;
    int iTypLstCol[CmnLstColCnt];   // column kinds in shown order
    int iWidthLstCol[CmnLstColCnt];
};

// The scale dialog's last values.
struct SetSci {
    int iTypSca;
    int lScaNum;
    int lScaDen;
    double dScale;
    int bWidth;
    int iWidth;
    int iHeight;
};

struct CmnAppInf {
    // ---- Module state ----
    int bInit;           // 1 from a successful Init to Term
    VkiSys* pSys;        // the engine system object and the two it owns
    VkiSub* pSub;
    VkiDrw* pDrw;
    CWnd* pMainFrame;    // set by the application before Init, cleared by Term
    int bSingleInstance; // handed to the engine; the application sets it
    // Diagnostics switches, 0/1.
    int bTrace, bTraceClear;
    int bLog, bLogClear;
    int bFncTmr, bFncTmrClear;
    int bDiagnosis;
    // The bad field and its message number from the last parameter check; a non-zero message
    // number is the text shown for a negative status code.
    int iChkFld;
    int iChkMsg;
    // The engine parameter records Init filled, kept for the life of the process.
    VkeSysParam sysParam;
    TraceParam trcParam;
    LogParam logParam;
    FncTmrParam fctParam;
    // Folders without a trailing separator; the user, current and open folders are settings.
    char amSysDir[CmnPathSize];
    char amWrkDir[CmnPathSize];
    char amTmpDir[CmnPathSize];

    // ---- Settings of section "Common Information" ----
    char strUsrDir[CmnPathSize];
    char strCurDir[CmnPathSize];
    char strOpnDir[CmnPathSize];
    double dIniVersion;
    RECT rctWindow;      // the main window's saved rectangle; all zero: none saved
    RECT rctPrintMargin; // 0.01 mm; -1: not set yet
    int bReturnToTab;    // Return moves the focus like Tab
    int bCtlEditing;
    int bCtlError;
    int bCtlModified;
    int bPriorityError;
    int iScaBas;
    int iModeScale;
    int lScaNum;
    int lScaDen;
    int iModeStretch;
    double dScaleWheel;
    int bPrvImg;
    int iCntImgCacTmn;
    int iCntHexStr;               // parts of the tool-bar layout text
    char strBriTlb[CmnPathSize];  // the tool-bar layout text
    LscFii lscFii;
    SetSci setSci;
    char strColor[CmnColorCnt][CmnPathSize]; // [0] is strColor_1
    char strFont[CmnFontCnt][CmnPathSize];   // [0] is strFont_1
    int iScrSize[CmnScrSizeCnt];             // [0] is iScrSize_1
};

extern CmnAppInf theCmnAppInf;

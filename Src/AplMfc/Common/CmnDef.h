// Definitions every module of the program shares: its window messages, the window kinds by
// which colours and fonts are looked up, the window type codes of pages and child windows, and
// the one way the program reports a failure.
//
//   #define CMN_MODULE "Src\\AplMfc\\Common\\CmnSub"   // before the includes of a source file
//   ...
//   CMN_TRACE("GetColor", rc);                           // then, wherever an operation fails
#pragma once
#include "VkeEng.h"

// ---- Program window messages ----
#define CmnWmRfl        0x9001 // an engine window's message offered to its owner first
#define CmnWmInitApp    0x9002 // deferred start-up; wParam CmnInitAfterStart: the steps after it
#define CmnWmBusyClose  0x9003 // a close that waits for a pumping wait to end
#define CmnWmSetFcs     0x9004 // wParam the window to focus
#define CmnWmLogError   0x9005 // write the pending error report to the log
#define CmnWmMsgFcs     0x9006 // wParam the window to focus after message lParam
#define CmnWmChgSel     0x9008 // wParam the sender, lParam the selection
#define CmnWmChgOpt     0x9009 // the settings changed
#define CmnWmOpnDir     0x900A // wParam the sender, lParam a folder path
#define CmnWmReqOpnDir  0x900B // wParam the sender, lParam a folder path
#define CmnWmSelImg     0x900C // wParam the sender, lParam a file path
#define CmnWmReqOpnImg  0x900D // wParam the sender
#define CmnWmActImg     0x900E // wParam the sender
#define CmnInitAfterStart 1    // CmnWmInitApp's wParam for the steps after the start

// ---- Window kinds: whose colours and fonts a window takes ----
enum {
    CmnKndTab = 0x1,        // tab controls
    CmnKndReb = 0x11,       // the rebar
    CmnKndDlb = 0x41,       // docked panels
    CmnKndNon = 0x101,      // kept in the settings; no window asks for it
    CmnKndDlg = 0x1001,     // dialogs and pages
    CmnKndCtl = 0x10001,    // engine controls; the control type (1 to 5) is the sub-kind
    CmnKndDra = 0x100001,   // engine drawing areas
    CmnKndApl = 0x1000001,  // kept in the settings; no window asks for it
    CmnKndTrc = 0x10000001, // the folder tree
    CmnKndLsc = 0x10000002  // the file list
};

// ---- Window type codes of pages and child windows ----
enum {
    CmnTypCtl = 0x10001,  // an engine control
    CmnTypDra = 0x100001, // an engine drawing area
    CmnTypImg = 0x40001   // an image page
};

// Reports a failed operation through the engine's trace (the trace file while tracing is on, and
// the main window). Before the engine starts and after it ends nothing is reported.
void CmnTraceError(const char* module, int line, const char* name, int code);
#define CMN_TRACE(name, code) CmnTraceError(CMN_MODULE, __LINE__, (name), (code))

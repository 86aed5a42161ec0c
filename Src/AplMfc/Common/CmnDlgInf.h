// The common information of a window that hosts engine controls and drawing areas: a dialog
// (CmnDlg) or a docked panel. One slot per control and per drawing area, sized once by
// AllocCmnDlgInf; the recorded input error; the engine dialog object; one print page set per
// drawing area. A panel has no engine dialog object: it keeps its text and back colour and its
// context menu in the dialog parameters instead.
#pragma once
#include "VkeEng.h"

class CMenu;

struct CmnDlgInf {
    int bAllocated;   // set by AllocCmnDlgInf
    int bReady;       // set by the derived start once every control exists
    int bTerminating; // set by Term

    HWND hFcsWnd; // the focus at the last GetFocusCtl
    HWND hErrWnd; // the recorded input error: its window, its place among the children, its code
    int iErrIdx;  // -1: none recorded
    int iErrCode;

    VkiDlg* pDlg;          // the engine dialog object, null when none
    VkeDlgParam dlgParam;  // its parameters
    CMenu* pDlgMenu;       // the dialog's popup menu (empty until a derived start loads one)

    int iCtlCnt;
    VkiCtl** ppCtl;        // one engine control per slot, null while empty
    VkeCtlParam ctlParam;  // scratch parameters of the control being made
    Dti dti;               // scratch data of the data check, prepared through the first control
    CMenu* pCtlMenu;       // the context menu the controls share
    HWND* phCtlWnd;        // each slot's window

    int iDraCnt;
    VkiDra** ppDra;        // one drawing area per slot
    VkeDraParam draParam;  // scratch parameters of the area being made
    CMenu* pDraMenu;
    HWND* phDraWnd;        // each area's window: other windows find an area by it
    HWND* phHScrBar;       // each area's scroll bars
    HWND* phVScrBar;
    PrintInfo* pPrtInf;    // each area's print page set
    int* piHScrPos;        // scroll positions kept while a preview shows
    int* piVScrPos;

    int iExtPrtCnt;        // further print pages; printing is guarded when this or iDraCnt is positive
    CMenu* pPagMenu;
};

// One exchange between a window's controls and the members of its object (UpdateData runs
// DoDataExchange with it), and DDX_Control, which binds a control object to a child window.
#pragma once
#include "MfcWin.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    BOOL m_bSaveAndValidate; // TRUE: controls to members
    CWnd* m_pDlgWnd;
};

// Subclasses the child window nIDC of the exchange's window with rControl the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// The program's customisable tool bar. The user rearranges its buttons in the common tool-bar
// customisation dialog; an arrangement is a button record (Bri: a count and up to 100 command
// ids) that the frame keeps in the settings. The bar remembers the buttons it had at Init (its
// table, from which every arrangement is built) and four records: 0 the arrangement at Init,
// 1 the one after the saved arrangement was applied, 2 the one when customisation began (what
// Reset restores) and 3 the current one. Docked, it wraps its buttons to the width (or height)
// of the main frame's client area.
//
//   m_wndToolBar.CreateEx(this, TBSTYLE_FLAT | CCS_ADJUSTABLE, style);
//   m_wndToolBar.LoadToolBar(IDR_MAINFRAME);
//   m_wndToolBar.Init(&dflt, haveSaved ? &saved : nullptr);   // after the engine started
//   ...
//   m_wndToolBar.GetBri(3, &current);                          // to store at exit
//
// Failures are traced under the operation's name and returned; nothing is shown to the user.
#pragma once
#include "Mfc.h"

enum {
    CmnBriMax = 100, // buttons of an arrangement
    CmnBriCnt = 4    // records a bar keeps
};

// A tool-bar arrangement, stored as it is in memory (the settings hold it as hexadecimal text).
struct Bri {
    int iCount;         // buttons, 0 to 100
    int iId[CmnBriMax]; // the command id of each button in bar order; 0 a separator; 0 past iCount
};
static_assert(sizeof(Bri) == 404, "Bri is a stored record of 404 bytes");

class CmnTlb : public CToolBar {
    DECLARE_DYNAMIC(CmnTlb)

public:
    CmnTlb();
    ~CmnTlb() override;

    // ---- Layout: docked, the buttons wrap to the main frame ----
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;

    // ---- The customisation dialog's notifications (each answers *pResult; TRUE handled) ----
    // The arrangement the dialog opens with becomes record 2, however the dialog was opened.
    virtual BOOL OnTbnBeginAdjust(NMHDR* pNMHDR, LRESULT* pResult);
    virtual BOOL OnTbnEndAdjust(NMHDR* pNMHDR, LRESULT* pResult);
    virtual BOOL OnTbnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    virtual BOOL OnTbnEndDrag(NMHDR* pNMHDR, LRESULT* pResult);
    // No Help button.
    virtual BOOL OnTbnInitCustomize(NMHDR* pNMHDR, LRESULT* pResult);
    virtual BOOL OnTbnCustHelp(NMHDR* pNMHDR, LRESULT* pResult);
    // Button iItem of the table with the tip of its command (its string after the first line feed).
    virtual BOOL OnTbnGetButtonInfo(NMHDR* pNMHDR, LRESULT* pResult);
    // Every button may be removed and inserted anywhere.
    virtual BOOL OnTbnQueryDelete(NMHDR* pNMHDR, LRESULT* pResult);
    virtual BOOL OnTbnQueryInsert(NMHDR* pNMHDR, LRESULT* pResult);
    // Back to record 2, the arrangement when the dialog opened. A dialog that does not fill its
    // lists again afterwards (Wine's asks for no button) is closed and opened again, so it shows
    // the buttons restored.
    virtual BOOL OnTbnReset(NMHDR* pNMHDR, LRESULT* pResult);
    // The new arrangement becomes record 3.
    virtual BOOL OnTbnToolBarChange(NMHDR* pNMHDR, LRESULT* pResult);

    // ---- Creation ----
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                          UINT nID = AFX_IDW_TOOLBAR);

    // ---- Life cycle ----
    // Takes the bar's buttons (1 to 100, else -1) as its table, applies pDefault and keeps it in
    // every record, then applies pSaved (when given) and keeps it as record 1. -7 when
    // initialised already, -9 without pDefault. A saved arrangement with a count outside 0..100
    // (damaged settings) is traced and left out: the bar keeps the default one.
    virtual int Init(const Bri* pDefault, const Bri* pSaved);
    // Frees the table; the bar is no longer initialised. Always 0.
    virtual int Term();

    // ---- Arrangements ----
    // Applies record nIndex (0..3, else -9).
    virtual int SetBri(int nIndex);
    // Applies an arrangement and keeps it as record 3: for each id in order the first table
    // button of that id (0: a separator, when the table has one); ids the table lacks and
    // repeats of a command already placed are left out. -9 for a count outside 0..100.
    virtual int SetBri(const Bri* pBri);
    // Keeps the bar's current arrangement as record nIndex (0..3, else -9).
    virtual int GetBri(int nIndex);
    // The same, also copied to *pBri.
    virtual int GetBri(int nIndex, Bri* pBri);

    // Keeps the current arrangement as record 2 and opens the customisation dialog (modal).
    int Customize();

protected:
    // Routes the TBN_ notifications to the handlers above; the rest goes to the framework.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg void OnDestroy();
    // After a reset: the dialog (wParam) that asked for no button since is closed, and opened again.
    afx_msg LRESULT OnTlbWmReset(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTlbWmReopen(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    int m_bInit;
    int m_nBtnCnt;      // buttons of the table
    TBBUTTON* m_pBtn;   // the buttons at Init (calloc)
    Bri m_bri[CmnBriCnt];
    HWND m_hResetDlg;   // the dialog reset last, until it asks for a button

private:
    // The customisation dialog the bar's reset came from, or null.
    HWND CustomizeDialog();
    // -6, traced under name, while not initialised.
    int CheckInit(const char* name);
    // The bar's button count, 0 to 100, else -1.
    int ButtonCount();
    int ApplyBri(const Bri& bri);
};

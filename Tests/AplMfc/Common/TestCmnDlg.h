// The dialog and main-frame tests: a main frame as the program's (a status bar, a dialog bar
// docked at the top, a view pane, the deferred focus and message-and-focus requests handled) and
// a test dialog of engine controls and a drawing area made by its own start.
#pragma once
#include "CmnDlg.h"
#include "CmnRes.h"
#include "CmnWin.h"
#include "TestAplCmn.h"
#include "TestCmnDlgRes.h"

class TestFrame : public CFrameWnd {
public:
    CStatusBar status; // panes 0 and 101
    CDialogBar bar;
    CWnd pane;
    std::vector<std::string> traces;
    std::vector<int> messages; // ids of CmnWmMsgFcs

protected:
    afx_msg int OnCreate(LPCREATESTRUCTA lpcs);
    afx_msg LRESULT OnSetFcs(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMsgFcs(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTraceError(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// Slots 0 the real-number edit and 1 the whole-number edit (the reverse of their child order),
// 2 the check box; one drawing area of a 400 x 300 drawing kept in a draw memory, which its
// owner fills grey.
class TestDlg : public CmnDlg {
public:
    TestDlg() : CmnDlg(IDD_TDLG) {}
    BOOL OnInitDialog() override;
    using CmnDlg::Init;
    int Init() { return StartDialog(3, 1, 0, [this] { return InitCtl(); }); }
    int InitCtl();

    CmnDlgInf& Inf() { return m_inf; }
    VkiCtl* Ctl(int slot) { return m_inf.ppCtl[slot]; }
    VkiDra* Dra() { return m_inf.ppDra[0]; }
    HWND Item(int id) { return ::GetDlgItem(m_hWnd, id); }
    HWND AreaWnd() { return m_inf.phDraWnd[0]; }

protected:
    afx_msg LRESULT OnDrw(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// The engine started with a TestFrame as its main frame; dialogs open over it.
class DlgTest : public AppTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // The test dialog, modeless, shown and active.
    TestDlg* OpenDlg();
    // The failures reported under name so far.
    int Traced(const char* name);
    // The dialog's popup menu (25084) as it shows: its items' states set by the dialog.
    CMenu* ShowPopup(TestDlg* d);

    TestFrame* main = nullptr;
    TestDlg* dlg = nullptr;
};

// The menu item's state flags (MF_GRAYED, MF_CHECKED) by command id, searched in sub-menus too.
UINT ItemState(CMenu* menu, UINT id);
// The clipboard's text, empty when it holds none.
std::string ClipText();

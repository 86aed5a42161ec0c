// The tab view and tab dialog tests: a document whose frame handles the deferred focus and the
// message-and-focus requests as the program's main frame does and holds a docked panel, a tab
// view on an engine tab control with the tab popup, pages of the program's kind (a whole-number
// edit and a drawing area), a dialog outside the tabs, and a tab dialog.
#pragma once
#include "CmnDlt.h"
#include "CmnRes.h"
#include "CmnTbv.h"
#include "CmnWin.h"
#include "TestAplCmn.h"
#include "TestCmnDlb.h"
#include "TestCmnTbvRes.h"

class TbvDoc : public CDocument {
    DECLARE_DYNCREATE(TbvDoc)
};

class TbvFrame : public CFrameWnd {
    DECLARE_DYNCREATE(TbvFrame)

public:
    std::vector<int> messages; // ids of CmnWmMsgFcs, in order
    CStatusBar status;
    TestPnl panel; // docked at the left, the bar table's entry 2

protected:
    afx_msg int OnCreate(LPCREATESTRUCTA lpcs);
    afx_msg LRESULT OnSetFcs(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMsgFcs(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// The view: pages ready with the tab popup (IDR_TTAB_MENU) and the lock option once it exists.
class TestTbv : public CmnTbv {
    DECLARE_DYNCREATE(TestTbv)

public:
    TestTbv() : CmnTbv(IDD_TTBV) {}
    void OnInitialUpdate() override;
    int OnTcnSelChange() override;
    TbvPag& Pag() { return m_pag; }
    using CmnTbv::CmdTarget;
    // Records the tabs it is asked to close; failIndex fails with -1 instead.
    int ClosePage(int index, int flag) override;
    int selChanges = 0;
    std::vector<int> closed;
    int failIndex = -1;
};

// A page: slot 0 the whole-number edit (10), one drawing area of a 400 x 300 drawing drawn grey.
// Made as a child of any window; the tab control adopts it.
class TestPage : public CmnDlg {
public:
    TestPage() : CmnDlg(IDD_TPAG) {}
    BOOL OnInitDialog() override;
    // The header of a printed page is the document's title (as the image page prints its file
    // name); the headers of the pages printed are kept.
    int PreparePrinting(CPrintInfo* pInfo) override;
    int Print(CDC* pDC, CPrintInfo* pInfo) override;
    std::vector<std::string> headers;
    CmnDlgInf& Inf() { return m_inf; }
    HWND Edit() { return ::GetDlgItem(m_hWnd, IDC_TT_INT); }
    HWND Area() { return m_inf.phDraWnd[0]; }

protected:
    afx_msg LRESULT OnDrw(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// A page made over parent, or null.
TestPage* MakePage(CWnd* parent);

// A dialog of the program outside the tabs: slot 0 a text edit.
class TestOuter : public CmnDlg {
public:
    TestOuter() : CmnDlg(IDD_TFCS) {}
    BOOL OnInitDialog() override;
    HWND Edit() { return ::GetDlgItem(m_hWnd, IDC_TT_EDIT); }
};

// The tab dialog: free index off, locks on, three pages numbered 1 to 3 of the types 0x1000001
// to 0x1000003.
class TestDlt : public CmnDlt {
public:
    TestDlt() : CmnDlt(IDD_TDLT) {}
    BOOL OnInitDialog() override;
    TbvPag& Pag() { return m_pag; }
    TestPage* Page(int index);
    int cancels = 0;

protected:
    void OnCancel() override;
};

// A started engine and a document of the tab view, its frame the application's main frame at
// (40, 40), 640 x 480, its panel started and entered in the frame services' bar table.
class TbvTest : public AppTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Opens a new page as the view's page no at the end; the result of OpenPage.
    int Open(int no, int type = CmnTypImg, int locked = 0, TestPage** out = nullptr);
    int Count();
    int Sel();
    // The tab's window and its title.
    HWND TabWnd() { return view->Pag().hTabWnd; }
    std::string Title(int index);
    // A right click on tab index (its popup closed at once).
    void RightClick(int index);
    // The state of a menu item of id once the view's update handlers ran over its popup.
    UINT State(UINT id);
    bool Enabled(UINT id) { return (State(id) & MF_GRAYED) == 0; }
    // Failures reported under name so far.
    int Traced(const char* name);

    TbvFrame* main = nullptr;
    TestTbv* view = nullptr;
    CDocument* doc = nullptr;
};

// The docked panel tests: a frame with two test panels docked at the left and at the bottom
// around a pane, started as the program's frame is (the panels made first, started once the
// engine exists), and the mouse driven by messages where the panel has the capture.
#pragma once
#include "CmnDlb.h"
#include "CmnRes.h"
#include "TestAplCmn.h"
#include "TestCmnDlbRes.h"

// Slots: 0 the engine edit of whole numbers, 1 the engine combo box; one drawing area. Its
// context menu is the dialogs' popup menu; its default button counts its presses.
class TestPnl : public CmnDlb {
public:
    int presses = 0;
    int Start(SIZE* size = nullptr);
    CmnDlgInf& Inf() { return m_inf; }
    VkiCtl* Ctl(int slot) { return m_inf.ppCtl[slot]; }
    HWND Item(int id) { return ::GetDlgItem(m_hWnd, id); }
    int Hit() const { return m_iHit; }
    SIZE Current() const { return m_sizeCur; }
    SIZE Floating() const { return m_sizeFloat; }

protected:
    afx_msg void OnOk() { ++presses; }
    afx_msg LRESULT OnDrw(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CMenu m_menu;
};

class PnlFrame : public CFrameWnd {
public:
    TestPnl left;   // docked at the left
    TestPnl bottom; // docked at the bottom
    CWnd pane;
    std::vector<std::string> traces;

protected:
    afx_msg int OnCreate(LPCREATESTRUCTA lpcs);
    afx_msg LRESULT OnTraceError(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class DlbTest : public AppTest {
protected:
    // The frame at (100, 100), 640 x 480, shown, as the main frame of a started application,
    // with both panels started.
    void SetUp() override;
    void TearDown() override;
    bool Traced(const std::string& name);
    // A window's rectangle in the frame's client coordinates.
    CRect InFrame(HWND wnd);
    // Mouse messages to a panel: a press and a release at a client point, a move to a point
    // of the screen (wherever the panel is now).
    static void Press(TestPnl& p, CPoint client);
    static void MoveTo(TestPnl& p, CPoint screen);
    static void Release(TestPnl& p);
    static CSize ClientSize(CWnd& w);

    PnlFrame* frame = nullptr;
    HWND hFrame = nullptr;
};

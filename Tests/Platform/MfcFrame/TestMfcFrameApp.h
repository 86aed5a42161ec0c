// The frame tests' window: a frame with a tool bar, a status bar, two dialog bars docked on
// the left and a plain pane, and the fixture that makes it for each test (real input and
// screenshots come from TestMfcHelpers.h).
#pragma once
#include "TestMfcApp.h"
#include "TestMfcFrameRes.h"
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

// A customisable tool bar as the program has it: docked, it wraps its buttons to the frame's
// client width (height on the left and right); it answers the customisation dialog, restores
// the buttons of the dialog's start on Reset, and records what reaches it.
class CWrapToolBar : public CToolBar {
public:
    std::vector<std::pair<int, DWORD>> layouts; // CalcDynamicLayout's (length, mode), in order
    std::vector<UINT> notified;                  // TBN_ codes that reached OnChildNotify
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    std::vector<TBBUTTON> m_atStart; // the buttons when the dialog opened
};

// A dialog bar with an update handler of its own, a WM_INITDIALOG entry of its own and an
// edit bound by DDX_Control.
class COwnDialogBar : public CDialogBar {
public:
    CEdit m_edit;
    bool m_bInitDone = false;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT OnInitBar(WPARAM wParam, LPARAM lParam);
    void OnUpdateOwn(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

class CBarFrame : public CFrameWnd {
public:
    CWrapToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;
    COwnDialogBar m_wndBar1;
    CDialogBar m_wndBar2;
    CWnd m_wndPane;
    BOOL m_bCutEnabled = TRUE;
    int m_nCheck = 0;
    std::string log; // commands that reached the frame

protected:
    int OnCreate(LPCREATESTRUCTA lpcs);
    void OnFileOpen() { log += "open;"; }
    void OnBarFrame() { log += "bar;"; }
    void OnAny() {}
    void OnUpdateCut(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bCutEnabled); }
    void OnUpdateCheck(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_nCheck); }
    void OnUpdateEnable(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    DECLARE_MESSAGE_MAP()
};

class FrameTest : public ::testing::Test {
protected:
    // The frame at (100, 100), 640 x 480, shown and active, the application's main window.
    void SetUp() override;
    void TearDown() override;
    // A window's rectangle in the frame's client coordinates.
    CRect InFrame(const CWnd& wnd) const;
    // One idle turn of the application (command states, delayed layout).
    void Idle() { theTestApp.OnIdle(0); }
    CBarFrame* frame = nullptr;
    HWND hFrame = nullptr;
};

// The texts of a window's visible buttons, with their ids.
std::vector<std::pair<int, std::string>> Buttons(HWND hWnd);

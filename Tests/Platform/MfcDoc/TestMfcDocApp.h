// The document tests' program: an application with a single-document template whose frame
// has a status bar and a dialog bar and whose view is a form (two edits, a button). Every
// level of the command route records the commands and updates it handles in one log.
#pragma once
#include "TestMfcDocRes.h"
#include "TestMfcHelpers.h"
#include "VktSupport.h"
#include <gtest/gtest.h>
#include <string>

// What reached the handlers: "view:32801;doc:32802;..." and "open;" for Ctrl+O.
extern std::string g_log;

class CDocTestApp : public CWinApp {
public:
    CDocTestApp() : CWinApp("DocTest") {}

protected:
    void OnRoute(UINT nID);
    void OnUpdateRoute(CCmdUI* pCmdUI) { pCmdUI->SetText("app"); }
    void OnFileOpen() { g_log += "open;"; }
    DECLARE_MESSAGE_MAP()
};

extern CDocTestApp theDocApp;

class CTestDoc : public CDocument {
    DECLARE_DYNCREATE(CTestDoc)

public:
    static int s_nLive;
    BOOL m_bCanClose = TRUE;
    ~CTestDoc() override { --s_nLive; }
    BOOL CanCloseFrame(CFrameWnd* pFrame) override { return m_bCanClose && CDocument::CanCloseFrame(pFrame); }

protected:
    CTestDoc() { ++s_nLive; }
    void OnRoute(UINT nID);
    void OnUpdateRoute(CCmdUI* pCmdUI) { pCmdUI->SetText("doc"); }
    void OnEx(UINT nID);
    DECLARE_MESSAGE_MAP()
};

class CTestDocFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CTestDocFrame)

public:
    static bool s_bAppFirst; // the application's name before the document's in the caption
    CStatusBar m_wndStatusBar;
    CDialogBar m_wndBar;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

protected:
    CTestDocFrame() = default;
    int OnCreate(LPCREATESTRUCTA lpcs);
    void OnRoute(UINT nID);
    void OnUpdateRoute(CCmdUI* pCmdUI) { pCmdUI->SetText("frame"); }
    DECLARE_MESSAGE_MAP()
};

// A frame that fails in OnCreate after its view and a bar exist.
class CFailFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CFailFrame)

protected:
    CFailFrame() = default;
    CStatusBar m_wndStatusBar;
    int OnCreate(LPCREATESTRUCTA lpcs);
    DECLARE_MESSAGE_MAP()
};

class CTestFormView : public CFormView {
    DECLARE_DYNCREATE(CTestFormView)

public:
    static int s_nLive;
    CEdit m_edit1;
    int m_nInitialUpdates = 0;
    int m_nFilled = 0;         // exchanges that filled the controls
    std::string m_activations; // "view+", "view-", "frame+", "frame-" in order
    ~CTestFormView() override { --s_nLive; }
    void OnInitialUpdate() override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd) override;

protected:
    CTestFormView() : CFormView(IDD_DOCFORM) { ++s_nLive; }
    void DoDataExchange(CDataExchange* pDX) override;
    void OnRoute(UINT nID);
    void OnUpdateRoute(CCmdUI* pCmdUI) { pCmdUI->SetText("view"); }
    BOOL OnEx(UINT nID);
    // The window's own close goes to the document, as a tab view's does.
    void OnClose() { GetDocument()->OnCloseDocument(); }
    DECLARE_MESSAGE_MAP()
};

class DocTest : public ::testing::Test {
protected:
    // The template once; an empty profile in a folder of the test; the log cleared.
    void SetUp() override;
    // Every document closed (the loop is not told to end).
    void TearDown() override;
    // OnFileNew, then the frame, view and document it made.
    void NewDocument();
    // The frame shown at (100, 100) with the size, active.
    void Place(int cx, int cy);
    std::string Caption() const;

    CTestDocFrame* frame = nullptr;
    CTestFormView* view = nullptr;
    CTestDoc* doc = nullptr;
    VktTempDir dir;
};

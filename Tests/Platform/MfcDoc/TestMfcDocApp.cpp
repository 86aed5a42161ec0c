#include "TestMfcDocApp.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

std::string g_log;
CDocTestApp theDocApp;

static void Log(const char* level, UINT nID) { g_log += std::string(level) + ":" + std::to_string(nID) + ";"; }

// ---- Application ----

BEGIN_MESSAGE_MAP(CDocTestApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, &ThisClass::OnFileOpen)
    ON_COMMAND_RANGE(ID_ROUTE_ALL, ID_ROUTE_APP, &ThisClass::OnRoute)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ROUTE_ALL, ID_ROUTE_APP, &ThisClass::OnUpdateRoute)
END_MESSAGE_MAP()

void CDocTestApp::OnRoute(UINT nID) { Log("app", nID); }

// ---- Document ----

IMPLEMENT_DYNCREATE(CTestDoc, CDocument)
int CTestDoc::s_nLive = 0;

BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
    ON_COMMAND_RANGE(ID_ROUTE_ALL, ID_ROUTE_DOC, &ThisClass::OnRoute)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ROUTE_ALL, ID_ROUTE_DOC, &ThisClass::OnUpdateRoute)
    ON_COMMAND_RANGE(ID_EX_FIRST, ID_EX_LAST, &ThisClass::OnEx)
END_MESSAGE_MAP()

void CTestDoc::OnRoute(UINT nID) { Log("doc", nID); }
void CTestDoc::OnEx(UINT nID) { Log("doc", nID); }

// ---- Frames ----

IMPLEMENT_DYNCREATE(CTestDocFrame, CFrameWnd)
bool CTestDocFrame::s_bAppFirst = false;

BEGIN_MESSAGE_MAP(CTestDocFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND_RANGE(ID_ROUTE_ALL, ID_ROUTE_FRAME, &ThisClass::OnRoute)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ROUTE_ALL, ID_ROUTE_FRAME, &ThisClass::OnUpdateRoute)
END_MESSAGE_MAP()

BOOL CTestDocFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
    if (s_bAppFirst) cs.style &= ~FWS_PREFIXTITLE;
    return TRUE;
}

int CTestDocFrame::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    static const UINT indicators[] = {ID_SEPARATOR};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 1)) return -1;
    if (!m_wndBar.Create(this, IDD_DOCBAR, WS_CHILD | WS_VISIBLE | CBRS_TOP, ID_DOCBAR)) return -1;
    return 0;
}

void CTestDocFrame::OnRoute(UINT nID) { Log("frame", nID); }

IMPLEMENT_DYNCREATE(CFailFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CFailFrame, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CFailFrame::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    m_wndStatusBar.Create(this);
    return -1;
}

// ---- Form view ----

IMPLEMENT_DYNCREATE(CTestFormView, CFormView)
int CTestFormView::s_nLive = 0;

BEGIN_MESSAGE_MAP(CTestFormView, CFormView)
    ON_WM_CLOSE()
    ON_COMMAND_RANGE(ID_ROUTE_ALL, ID_ROUTE_ALL, &ThisClass::OnRoute)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ROUTE_ALL, ID_ROUTE_ALL, &ThisClass::OnUpdateRoute)
    ON_COMMAND_EX_RANGE(ID_EX_FIRST, ID_EX_LAST, &ThisClass::OnEx)
END_MESSAGE_MAP()

void CTestFormView::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_FORM_EDIT1, m_edit1);
    if (!pDX->m_bSaveAndValidate) ++m_nFilled;
}

void CTestFormView::OnInitialUpdate()
{
    ++m_nInitialUpdates;
    CFormView::OnInitialUpdate();
}

void CTestFormView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    m_activations += bActivate ? "view+" : "view-";
    CFormView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CTestFormView::OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd)
{
    m_activations += nState == WA_INACTIVE ? "frame-" : "frame+";
    CFormView::OnActivateFrame(nState, pFrameWnd);
}

void CTestFormView::OnRoute(UINT nID) { Log("view", nID); }

BOOL CTestFormView::OnEx(UINT nID)
{
    if (nID != ID_EX_FIRST) return FALSE;
    Log("view", nID);
    return TRUE;
}

// ---- Fixture ----

void DocTest::SetUp()
{
    static bool registered = false;
    if (!registered) {
        theDocApp.AddDocTemplate(new CSingleDocTemplate(IDR_DOCTEST, RUNTIME_CLASS(CTestDoc),
                                                        RUNTIME_CLASS(CTestDocFrame), RUNTIME_CLASS(CTestFormView)));
        registered = true;
    }
    free(const_cast<LPSTR>(theDocApp.m_pszProfileName));
    theDocApp.m_pszProfileName = _strdup((dir / "DocTest.ini").c_str());
    theDocApp.LoadStdProfileSettings(10);
    theDocApp.m_nCmdShow = SW_SHOWNORMAL;
    CTestDocFrame::s_bAppFirst = false;
    g_log.clear();
}

void DocTest::TearDown()
{
    theDocApp.m_pMainWnd = nullptr; // no quit message for the next test
    theDocApp.CloseAllDocuments(FALSE);
    PumpPending();
    EXPECT_EQ(CTestDoc::s_nLive, 0);
    EXPECT_EQ(CTestFormView::s_nLive, 0);
}

void DocTest::NewDocument()
{
    theDocApp.OnFileNew();
    frame = DYNAMIC_DOWNCAST(CTestDocFrame, theDocApp.m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    view = DYNAMIC_DOWNCAST(CTestFormView, frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    doc = DYNAMIC_DOWNCAST(CTestDoc, frame->GetActiveDocument());
    ASSERT_NE(doc, nullptr);
    PumpPending();
}

void DocTest::Place(int cx, int cy)
{
    frame->SetWindowPos(static_cast<HWND>(nullptr), 100, 100, cx, cy, SWP_NOZORDER | SWP_SHOWWINDOW);
    frame->SetForegroundWindow();
    PumpPending();
}

std::string DocTest::Caption() const
{
    char text[256] = {};
    frame->GetWindowText(text, sizeof(text));
    return text;
}

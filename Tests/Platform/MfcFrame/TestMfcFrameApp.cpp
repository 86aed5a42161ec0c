#include "TestMfcFrameApp.h"
#include <stdio.h>

// ---- The tool bar ----

CSize CWrapToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    layouts.emplace_back(nLength, dwMode);
    if ((dwMode & (LM_HORZDOCK | LM_VERTDOCK)) && m_pDockSite) {
        CRect client, inside(0, 0, 0, 0);
        m_pDockSite->GetClientRect(&client);
        CalcInsideRect(inside, (dwMode & LM_HORZDOCK) != 0);
        if (dwMode & LM_HORZDOCK) {
            nLength = client.Width() + inside.Width();
            dwMode = (dwMode & ~(LM_STRETCH | LM_HORZDOCK | LM_LENGTHY)) | LM_HORZ;
        } else {
            nLength = client.Height() + inside.Height();
            dwMode = (dwMode & ~(LM_STRETCH | LM_HORZ | LM_VERTDOCK)) | LM_LENGTHY;
        }
    }
    return CToolBar::CalcDynamicLayout(nLength, dwMode);
}

BOOL CWrapToolBar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_NOTIFY) return CToolBar::OnChildNotify(message, wParam, lParam, pResult);
    NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
    int code = static_cast<int>(hdr->code);
    const int first = static_cast<int>(TBN_FIRST);
    if (code > first || code < first - 30) return CToolBar::OnChildNotify(message, wParam, lParam, pResult);
    notified.push_back(hdr->code);
    *pResult = TRUE;
    switch (hdr->code) {
    case TBN_BEGINADJUST:
        m_atStart.assign(static_cast<size_t>(GetCount()), TBBUTTON());
        for (size_t i = 0; i < m_atStart.size(); ++i) SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&m_atStart[i]));
        return TRUE;
    case TBN_GETBUTTONINFOA: {
        NMTOOLBARA* info = reinterpret_cast<NMTOOLBARA*>(lParam);
        if (info->iItem < 0 || info->iItem >= static_cast<int>(m_atStart.size())) {
            *pResult = FALSE;
            return TRUE;
        }
        info->tbButton = m_atStart[static_cast<size_t>(info->iItem)];
        if (info->pszText && info->cchText > 0) snprintf(info->pszText, static_cast<size_t>(info->cchText), "%d", info->tbButton.idCommand);
        return TRUE;
    }
    case TBN_RESET:
        for (int i = GetCount(); i-- > 0;) SendMessage(TB_DELETEBUTTON, i);
        SendMessage(TB_ADDBUTTONSA, m_atStart.size(), reinterpret_cast<LPARAM>(m_atStart.data()));
        return TRUE;
    case TBN_INITCUSTOMIZE:
        *pResult = TBNRF_HIDEHELP;
        return TRUE;
    default:
        return TRUE; // queries are answered yes
    }
}

// ---- The dialog bar ----

BEGIN_MESSAGE_MAP(COwnDialogBar, CDialogBar)
    ON_MESSAGE(WM_INITDIALOG, &ThisClass::OnInitBar)
    ON_UPDATE_COMMAND_UI(IDC_BAR_OWN, &ThisClass::OnUpdateOwn)
END_MESSAGE_MAP()

void COwnDialogBar::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, IDC_BAR_EDIT1, m_edit); }

LRESULT COwnDialogBar::OnInitBar(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = HandleInitDialog(wParam, lParam);
    m_bInitDone = true;
    return result;
}

// ---- The frame ----

BEGIN_MESSAGE_MAP(CBarFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_FILE_OPEN, &ThisClass::OnFileOpen)
    ON_COMMAND(IDC_BAR_FRAME, &ThisClass::OnBarFrame)
    ON_COMMAND(ID_FILE_NEW, &ThisClass::OnAny)
    ON_COMMAND(ID_FILE_SAVE, &ThisClass::OnAny)
    ON_COMMAND(ID_EDIT_CUT, &ThisClass::OnAny)
    ON_COMMAND(ID_EDIT_COPY, &ThisClass::OnAny)
    ON_COMMAND(ID_EDIT_PASTE, &ThisClass::OnAny)
    ON_COMMAND(ID_TEST_CHECK, &ThisClass::OnAny)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, &ThisClass::OnUpdateCut)
    ON_UPDATE_COMMAND_UI(ID_TEST_CHECK, &ThisClass::OnUpdateCheck)
    ON_UPDATE_COMMAND_UI(IDC_BAR_OWN, &ThisClass::OnUpdateEnable)
END_MESSAGE_MAP()

int CBarFrame::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    const DWORD barStyle = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT | CCS_ADJUSTABLE, barStyle | CBRS_TOP | CBRS_SIZE_DYNAMIC) ||
        !m_wndToolBar.LoadToolBar(IDR_TESTFRAME))
        return -1;
    m_wndToolBar.SetWindowText("ツールバー");
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_PAGE};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 2)) return -1;
    if (!m_wndBar1.Create(this, IDD_TEST_BAR1, barStyle | CBRS_LEFT, ID_BAR1)) return -1;
    if (!m_wndBar2.Create(this, IDD_TEST_BAR2, barStyle | CBRS_LEFT, ID_BAR2)) return -1;
    if (!m_wndPane.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST)) return -1;
    EnableDocking(CBRS_ALIGN_ANY);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndBar1.EnableDocking(CBRS_ALIGN_ANY);
    m_wndBar2.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    DockControlBar(&m_wndToolBar);
    DockControlBar(&m_wndBar1, AFX_IDW_DOCKBAR_LEFT);
    DockControlBar(&m_wndBar2, AFX_IDW_DOCKBAR_LEFT);
    return 0;
}

// ---- The fixture ----

void FrameTest::SetUp()
{
    frame = new CBarFrame;
    ASSERT_TRUE(frame->LoadFrame(IDR_TESTFRAME));
    hFrame = frame->m_hWnd;
    frame->SetWindowPos(static_cast<HWND>(nullptr), 100, 100, 640, 480, SWP_NOZORDER | SWP_SHOWWINDOW);
    frame->SetForegroundWindow();
    theTestApp.m_pMainWnd = frame;
    PumpPending();
}

void FrameTest::TearDown()
{
    theTestApp.m_pMainWnd = nullptr; // no quit message for the next test
    if (::IsWindow(hFrame) && CWnd::FromHandlePermanent(hFrame) == frame) frame->DestroyWindow();
    PumpPending();
}

CRect FrameTest::InFrame(const CWnd& wnd) const
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    frame->ScreenToClient(&rect);
    return rect;
}

// ---- Buttons of a dialog ----

static BOOL CALLBACK CollectButton(HWND hWnd, LPARAM lParam)
{
    char cls[32] = {}, text[128] = {};
    ::GetClassNameA(hWnd, cls, sizeof(cls));
    if (lstrcmpiA(cls, "Button") != 0 || !::IsWindowVisible(hWnd)) return TRUE;
    ::GetWindowTextA(hWnd, text, sizeof(text));
    reinterpret_cast<std::vector<std::pair<int, std::string>>*>(lParam)->emplace_back(::GetDlgCtrlID(hWnd), text);
    return TRUE;
}

std::vector<std::pair<int, std::string>> Buttons(HWND hWnd)
{
    std::vector<std::pair<int, std::string>> found;
    ::EnumChildWindows(hWnd, &CollectButton, reinterpret_cast<LPARAM>(&found));
    return found;
}

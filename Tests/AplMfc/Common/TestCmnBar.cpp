#include "TestCmnBar.h"
#include <algorithm>
#include <set>

// ---- The tool bar ----

std::vector<int> TestTlb::Ids() const
{
    std::vector<int> ids;
    for (int i = 0; i < GetCount(); ++i) {
        UINT id = GetItemID(i);
        ids.push_back(id == ID_SEPARATOR ? 0 : static_cast<int>(id));
    }
    return ids;
}

int TestTlb::Rows() const
{
    std::set<LONG> tops;
    for (int i = 0; i < GetCount(); ++i) {
        CRect item;
        GetItemRect(i, &item);
        if (!(GetButtonStyle(i) & TBSTYLE_SEP)) tops.insert(item.top);
    }
    return static_cast<int>(tops.size());
}

BOOL TestTlb::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY) {
        UINT code = reinterpret_cast<NMHDR*>(lParam)->code;
        // TBN_INITCUSTOMIZE (-723) lies past TBN_LAST.
        if (static_cast<int>(code) <= static_cast<int>(TBN_FIRST) && static_cast<int>(code) >= static_cast<int>(TBN_INITCUSTOMIZE))
            notified.push_back(code);
    }
    return CmnTlb::OnChildNotify(message, wParam, lParam, pResult);
}

// ---- The frame ----

BEGIN_MESSAGE_MAP(BarFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_MESSAGE(VkeWmTraceError, &ThisClass::OnTraceError)
END_MESSAGE_MAP()

int BarFrame::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT | CCS_ADJUSTABLE, style | CBRS_BORDER_BOTTOM) ||
        !m_wndToolBar.LoadToolBar(IDR_TEST_BAR))
        return -1;
    if (!m_wndReBar.Create(this) || !m_wndBandBar.CreateEx(this, TBSTYLE_FLAT | CCS_ADJUSTABLE, style, CRect(0, 0, 0, 0), 0xE810) ||
        !m_wndBandBar.LoadToolBar(IDR_TEST_BAR))
        return -1;
    if (!m_wndPane.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST)) return -1;
    EnableDocking(CBRS_ALIGN_ANY);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);
    return 0;
}

LRESULT BarFrame::OnTraceError(WPARAM name, LPARAM)
{
    traces.push_back(name ? reinterpret_cast<const char*>(name) : "");
    return 0;
}

// ---- Records ----

Bri MakeBri(std::initializer_list<int> ids)
{
    Bri bri = {};
    for (int id : ids) bri.iId[bri.iCount++] = id;
    return bri;
}

std::vector<int> IdsOf(const Bri& bri)
{
    int count = bri.iCount < 0 ? 0 : (bri.iCount > CmnBriMax ? CmnBriMax : bri.iCount);
    return std::vector<int>(bri.iId, bri.iId + count);
}

// ---- The fixture ----

void BarTest::SetUp()
{
    AppTest::SetUp();
    bars = new BarFrame;
    ASSERT_TRUE(bars->Create(nullptr, "バー", WS_OVERLAPPEDWINDOW, CRect(100, 100, 740, 580)));
    hBars = bars->m_hWnd;
    bars->ShowWindow(SW_SHOWNORMAL);
    theCmnAppInf.pMainFrame = bars;
    ASSERT_EQ(Start(), 0);
    bars->RecalcLayout();
    PumpPending();
}

void BarTest::TearDown()
{
    if (::IsWindow(hBars) && CWnd::FromHandlePermanent(hBars) == bars) bars->DestroyWindow();
    PumpPending();
    AppTest::TearDown();
}

const std::vector<std::string>& BarTest::Traces()
{
    PumpPending();
    return bars->traces;
}

bool BarTest::Traced(const std::string& name)
{
    const std::vector<std::string>& names = Traces();
    return std::find(names.begin(), names.end(), name) != names.end();
}

void BarTest::SetClientWidth(int cx)
{
    CRect window, client;
    bars->GetWindowRect(&window);
    bars->GetClientRect(&client);
    bars->SetWindowPos(static_cast<HWND>(nullptr), 0, 0, window.Width() - client.Width() + cx, window.Height(),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    bars->RecalcLayout();
    PumpPending();
}

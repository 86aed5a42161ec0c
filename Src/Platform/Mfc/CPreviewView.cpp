#include "CPreviewView.h"
#include "CCmdUI.h"
#include "CFrameWnd.h"
#include "CPaintDC.h"
#include "CPreviewDC.h"
#include "CPrintDialog.h"
#include "CPrintInfo.h"
#include "CWinApp.h"
#include "MfcText.h"
#include "MsgThunks.h"
#include <algorithm>
#include <stdio.h>

IMPLEMENT_DYNCREATE(CPreviewView, CScrollView)

BEGIN_MESSAGE_MAP(CPreviewView, CScrollView)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_MESSAGE(WM_PRINTCLIENT, &ThisClass::OnPrintClient)
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, &ThisClass::OnPreviewClose)
    ON_COMMAND(AFX_ID_PREVIEW_PRINT, &ThisClass::OnPreviewPrint)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, &ThisClass::OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, &ThisClass::OnPrevPage)
    ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, &ThisClass::OnNumPageChange)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, &ThisClass::OnZoomIn)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, &ThisClass::OnZoomOut)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, &ThisClass::OnUpdateNextPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, &ThisClass::OnUpdatePrevPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, &ThisClass::OnUpdateNumPageChange)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, &ThisClass::OnUpdateZoomIn)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, &ThisClass::OnUpdateZoomOut)
END_MESSAGE_MAP()

namespace {
const int kMargin = 8; // grey around and between the pages

// a/b + c/d as one fraction, reduced.
void AddHalves(int a, int b, int c, int d, int& rNum, int& rDen)
{
    long long num = static_cast<long long>(a) * d + static_cast<long long>(c) * b, den = 2LL * b * d;
    for (long long x = num, y = den; y;) {
        long long r = x % y;
        x = y;
        y = r;
        if (!y) {
            num /= x;
            den /= x;
        }
    }
    rNum = static_cast<int>(num);
    rDen = static_cast<int>(den);
}

// The format's %u, in turn, replaced by the numbers (the rest of the text as it is).
CString FormatPages(const CString& format, UINT first, UINT second)
{
    CString text;
    UINT numbers[2] = {first, second};
    int used = 0;
    for (int i = 0; i < format.GetLength();) {
        int n = AfxCharLen(static_cast<LPCSTR>(format) + i);
        if (n == 0) break;
        if (n == 1 && format[i] == '%' && i + 1 < format.GetLength() && format[i + 1] == 'u' && used < 2) {
            char digits[16];
            snprintf(digits, sizeof(digits), "%u", numbers[used++]);
            text += digits;
            i += 2;
            continue;
        }
        text += format.Mid(i, n);
        i += n;
    }
    return text;
}
} // namespace

CView* AfxViewBehindPreview(CView* pView)
{
    CPreviewView* pPreview = DYNAMIC_DOWNCAST(CPreviewView, pView);
    return pPreview && pPreview->m_pOrigView ? pPreview->m_pOrigView : pView;
}

CPreviewView::CPreviewView() = default;

CPreviewView::~CPreviewView()
{
    delete m_pPreviewDC;
    delete m_pPreviewInfo; // with the printer DC made for the preview
    delete m_pPreviewState;
}

// ---- The job ----

BOOL CPreviewView::SetPrintView(CView* pPrintView)
{
    m_pPrintView = pPrintView;
    m_pPreviewInfo = new CPrintInfo;
    m_pPreviewInfo->m_bPreview = TRUE;
    if (!pPrintView->OnPreparePrinting(m_pPreviewInfo)) return FALSE;
    HDC printer = m_pPreviewInfo->m_pPD->m_pd.hDC;
    if (!printer) {
        AfxMessageBox("印刷プレビューを表示できませんでした。", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    m_pPreviewDC = new CPreviewDC;
    m_pPreviewDC->SetAttribDC(printer);
    m_sizePrintable = CSize(::GetDeviceCaps(printer, HORZRES), ::GetDeviceCaps(printer, VERTRES));
    m_sizePaper = CSize(::GetDeviceCaps(printer, PHYSICALWIDTH), ::GetDeviceCaps(printer, PHYSICALHEIGHT));
    m_ptPrintable = CPoint(::GetDeviceCaps(printer, PHYSICALOFFSETX), ::GetDeviceCaps(printer, PHYSICALOFFSETY));
    if (m_sizePaper.cx < m_sizePrintable.cx || m_sizePaper.cy < m_sizePrintable.cy) {
        m_sizePaper = m_sizePrintable; // a device without paper sizes
        m_ptPrintable = CPoint(0, 0);
    }
    m_sizePaper.cx = std::max(1L, m_sizePaper.cx);
    m_sizePaper.cy = std::max(1L, m_sizePaper.cy);
    m_nPrinterDpi = std::max(1, ::GetDeviceCaps(printer, LOGPIXELSX));
    pPrintView->OnBeginPrinting(m_pPreviewDC, m_pPreviewInfo);

    CWinApp* app = AfxGetApp();
    UINT pages = m_pPreviewInfo->m_nNumPreviewPages;
    if (!pages && app) pages = app->m_nNumPreviewPages;
    m_nPages = pages == 2 ? 2 : 1;
    m_nCurrentPage = std::max(m_pPreviewInfo->m_nCurPage, m_pPreviewInfo->GetMinPage());
    return TRUE;
}

UINT CPreviewView::LastPage() const { return m_pPreviewInfo->GetMaxPage(); }

BOOL CPreviewView::PageExists(UINT nPage)
{
    if (nPage < m_pPreviewInfo->GetMinPage() || nPage > LastPage()) return FALSE;
    CDCSave keep(m_pPreviewDC->m_hAttribDC);
    m_pPreviewInfo->m_nCurPage = nPage;
    m_pPreviewInfo->m_bContinuePrinting = TRUE;
    m_pPrintView->OnPrepareDC(m_pPreviewDC, m_pPreviewInfo);
    if (m_pPreviewInfo->m_bContinuePrinting) return TRUE;
    // The page before it was the last one.
    if (nPage > m_pPreviewInfo->GetMinPage()) m_pPreviewInfo->SetMaxPage(nPage - 1);
    return FALSE;
}

UINT CPreviewView::ShownPages() const
{
    return (m_nZoomState == ZOOM_OUT && m_nPages == 2 && m_nCurrentPage < LastPage()) ? 2 : 1;
}

void CPreviewView::SetCurrentPage(UINT nPage)
{
    UINT first = m_pPreviewInfo->GetMinPage();
    nPage = std::max(nPage, first);
    // Forward to the page, or to the last one before it that exists.
    while (nPage > first && !PageExists(nPage)) nPage = std::min(nPage - 1, LastPage());
    m_nCurrentPage = nPage;
    if (m_nZoomState != ZOOM_OUT) ScrollToDevicePosition(CPoint(GetDeviceScrollPosition().x, 0));
    ShowPageText();
    Invalidate(FALSE);
}

void CPreviewView::ShowLastPage()
{
    // An unknown last page is looked for from here on.
    UINT last = m_nCurrentPage;
    while (last < LastPage() && PageExists(last + 1)) ++last;
    if (m_nPages == 2 && m_nZoomState == ZOOM_OUT && last > m_pPreviewInfo->GetMinPage()) --last;
    SetCurrentPage(last);
}

void CPreviewView::SetPageCount(UINT nPages)
{
    m_nPages = nPages == 2 ? 2 : 1;
    if (m_nPages == 2 && m_nCurrentPage < LastPage()) PageExists(m_nCurrentPage + 1); // finds a last page
    ShowPageText();
    Invalidate(FALSE);
}

void CPreviewView::ShowPageText()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (!pFrame) return;
    const CString& desc = m_pPreviewInfo->m_strPageDesc;
    int split = desc.Find('\n');
    CString one = split >= 0 ? desc.Left(split) : desc;
    CString two = split >= 0 ? desc.Mid(split + 1) : desc;
    if (two.Find('\n') >= 0) two = two.Left(two.Find('\n'));
    bool both = ShownPages() == 2;
    pFrame->SetMessageText(FormatPages(both ? two : one, m_nCurrentPage, m_nCurrentPage + 1));
}

void CPreviewView::ClosePreview()
{
    m_pOrigView->OnEndPrintPreview(m_pPreviewDC, m_pPreviewInfo, CPoint(0, 0), this);
}

// ---- Geometry ----

CSize CPreviewView::FullClient() const
{
    CRect client;
    GetClientRect(&client);
    DWORD style = GetStyle();
    int cx = client.Width() + ((style & WS_VSCROLL) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0);
    int cy = client.Height() + ((style & WS_HSCROLL) ? ::GetSystemMetrics(SM_CYHSCROLL) : 0);
    return CSize(std::max(1, cx), std::max(1, cy));
}

void CPreviewView::UpdateScale()
{
    if (!m_pPreviewInfo || !m_hWnd) return;
    CSize client = FullClient();
    // The whole page(s) in the window.
    int n = m_nZoomState == ZOOM_OUT ? static_cast<int>(m_nPages) : 1;
    int availW = std::max(1, static_cast<int>((client.cx - kMargin * (n + 1)) / n));
    int availH = std::max(1, static_cast<int>(client.cy - 2 * kMargin));
    int fitNum = availH, fitDen = m_sizePaper.cy;
    if (static_cast<long long>(availW) * m_sizePaper.cy <= static_cast<long long>(availH) * m_sizePaper.cx) {
        fitNum = availW;
        fitDen = m_sizePaper.cx;
    }
    m_nScaleNum = fitNum;
    m_nScaleDen = fitDen;
    if (m_nZoomState != ZOOM_OUT) {
        // The page's own size on the screen, and halfway to it; never smaller than the fit.
        CClientDC screen(nullptr);
        int fullNum = screen.GetDeviceCaps(LOGPIXELSX), fullDen = m_nPrinterDpi;
        if (m_nZoomState == ZOOM_MIDDLE) AddHalves(fitNum, fitDen, fullNum, fullDen, fullNum, fullDen);
        if (static_cast<long long>(fullNum) * fitDen > static_cast<long long>(fitNum) * fullDen) {
            m_nScaleNum = fullNum;
            m_nScaleDen = fullDen;
        }
    }
    CSize total(0, 0);
    if (m_nZoomState != ZOOM_OUT)
        total = CSize(::MulDiv(m_sizePaper.cx, m_nScaleNum, m_nScaleDen) + 2 * kMargin,
                      ::MulDiv(m_sizePaper.cy, m_nScaleNum, m_nScaleDen) + 2 * kMargin);
    SetScrollSizes(MM_TEXT, total);
}

CRect CPreviewView::PaperRect(UINT i) const
{
    CRect client;
    GetClientRect(&client);
    int w = ::MulDiv(m_sizePaper.cx, m_nScaleNum, m_nScaleDen), h = ::MulDiv(m_sizePaper.cy, m_nScaleNum, m_nScaleDen);
    int n = static_cast<int>(ShownPages());
    int all = n * w + (n - 1) * kMargin;
    CPoint scroll = GetDeviceScrollPosition();
    int x = std::max(kMargin, static_cast<int>((client.Width() - all) / 2)) - scroll.x;
    int y = std::max(kMargin, static_cast<int>((client.Height() - h) / 2)) - scroll.y;
    x += static_cast<int>(i) * (w + kMargin);
    return CRect(x, y, x + w, y + h);
}

void CPreviewView::SetZoomState(int nState, CPoint point)
{
    nState = std::min(std::max(nState, static_cast<int>(ZOOM_OUT)), static_cast<int>(ZOOM_IN));
    // The place under the point, as a part of the page.
    CRect before = PaperRect(0);
    double fx = before.Width() ? static_cast<double>(point.x - before.left) / before.Width() : 0.5;
    double fy = before.Height() ? static_cast<double>(point.y - before.top) / before.Height() : 0.5;
    m_nZoomState = nState;
    UpdateScale();
    if (nState != ZOOM_OUT) {
        CRect after = PaperRect(0);
        CPoint scroll = GetDeviceScrollPosition();
        int x = after.left + scroll.x + static_cast<int>(fx * after.Width()) - point.x;
        int y = after.top + scroll.y + static_cast<int>(fy * after.Height()) - point.y;
        ScrollToDevicePosition(CPoint(x, y));
    }
    ShowPageText();
    Invalidate(FALSE);
}

// ---- Drawing ----

void CPreviewView::OnPaint()
{
    CPaintDC dc(this);
    Render(dc.m_hDC);
}

LRESULT CPreviewView::OnPrintClient(WPARAM wParam, LPARAM)
{
    Render(reinterpret_cast<HDC>(wParam));
    return 0;
}

void CPreviewView::OnDraw(CDC* pDC) { Render(pDC->m_hDC); }

BOOL CPreviewView::OnEraseBkgnd(CDC*) { return TRUE; }

void CPreviewView::Render(HDC hDC)
{
    if (!m_pPreviewInfo || !m_pPreviewDC) return;
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty()) return;
    // The whole client area is drawn off the screen first, then copied in one step.
    CDC mem;
    if (!mem.CreateCompatibleDC(CDC::FromHandle(hDC))) return;
    CBitmap bitmap;
    if (!bitmap.CreateCompatibleBitmap(hDC, client.Width(), client.Height())) return;
    CDCSelect selected(mem.m_hDC, bitmap.m_hObject);
    mem.FillSolidRect(&client, ::GetSysColor(COLOR_APPWORKSPACE));
    // A second page that turns out not to exist makes the first one the last: one page shows.
    if (ShownPages() == 2 && !PageExists(m_nCurrentPage + 1)) ShowPageText();
    UINT shown = ShownPages();
    for (UINT i = 0; i < shown; ++i) {
        UINT page = m_nCurrentPage + i;
        // A document without pages shows one empty sheet.
        bool exists = i > 0 || PageExists(page);
        CRect paper = PaperRect(i);
        CRect shadow = paper;
        shadow.OffsetRect(3, 3);
        mem.FillSolidRect(&shadow, ::GetSysColor(COLOR_BTNSHADOW));
        mem.FillSolidRect(&paper, RGB(255, 255, 255));
        ::FrameRect(mem.m_hDC, &paper, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        if (exists) RenderPage(mem.m_hDC, paper, page);
    }
    CDCSave keep(hDC);
    ::SetMapMode(hDC, MM_TEXT);
    ::SetViewportOrgEx(hDC, 0, 0, nullptr);
    ::SetWindowOrgEx(hDC, 0, 0, nullptr);
    ::BitBlt(hDC, 0, 0, client.Width(), client.Height(), mem.m_hDC, 0, 0, SRCCOPY);
}

void CPreviewView::RenderPage(HDC hDC, const CRect& paper, UINT nPage)
{
    HDC printer = m_pPreviewDC->m_hAttribDC;
    CDCSave keep(printer);
    CRect printable(paper.left + ::MulDiv(m_ptPrintable.x, m_nScaleNum, m_nScaleDen),
                    paper.top + ::MulDiv(m_ptPrintable.y, m_nScaleNum, m_nScaleDen), 0, 0);
    printable.right = printable.left + ::MulDiv(m_sizePrintable.cx, m_nScaleNum, m_nScaleDen);
    printable.bottom = printable.top + ::MulDiv(m_sizePrintable.cy, m_nScaleNum, m_nScaleDen);
    printable.IntersectRect(&printable, &paper);
    m_pPreviewDC->SetOutputDC(hDC);
    HRGN clip = ::CreateRectRgnIndirect(&printable);
    ::SelectClipRgn(hDC, clip);
    ::DeleteObject(clip);
    m_pPreviewDC->SetScaleRatio(m_nScaleNum, m_nScaleDen);
    m_pPreviewDC->SetTopLeftOffset(CSize(printable.left, printable.top));
    m_pPreviewInfo->m_nCurPage = nPage;
    m_pPreviewInfo->m_bContinuePrinting = TRUE;
    m_pPrintView->OnPrepareDC(m_pPreviewDC, m_pPreviewInfo);
    m_pPreviewInfo->m_rectDraw.SetRect(0, 0, m_sizePrintable.cx, m_sizePrintable.cy);
    ::DPtoLP(printer, reinterpret_cast<LPPOINT>(&m_pPreviewInfo->m_rectDraw), 2);
    m_pPrintView->OnPrint(m_pPreviewDC, m_pPreviewInfo);
    m_pPreviewDC->ReleaseOutputDC();
}

// ---- Input ----

void CPreviewView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    UpdateScale();
    Invalidate(FALSE);
}

void CPreviewView::OnLButtonDown(UINT, CPoint point)
{
    SetFocus();
    if (m_nZoomState == ZOOM_IN) {
        SetZoomState(ZOOM_OUT, point);
        return;
    }
    // A click on the second page zooms into that one.
    if (ShownPages() == 2 && PaperRect(1).PtInRect(point)) {
        CRect second = PaperRect(1), first = PaperRect(0);
        m_nCurrentPage += 1;
        point.x -= second.left - first.left;
    }
    SetZoomState(m_nZoomState + 1, point);
}

void CPreviewView::OnKeyDown(UINT nChar, UINT, UINT)
{
    switch (nChar) {
    case VK_ESCAPE: ClosePreview(); return;
    case VK_PRIOR: OnPrevPage(); return;
    case VK_NEXT: OnNextPage(); return;
    case VK_HOME: SetCurrentPage(m_pPreviewInfo->GetMinPage()); return;
    case VK_END: ShowLastPage(); return;
    case VK_UP: OnScroll(SB_VERT, SB_LINEUP); return;
    case VK_DOWN: OnScroll(SB_VERT, SB_LINEDOWN); return;
    case VK_LEFT: OnScroll(SB_HORZ, SB_LINEUP); return;
    case VK_RIGHT: OnScroll(SB_HORZ, SB_LINEDOWN); return;
    default: Default();
    }
}

// ---- The bar's commands ----

void CPreviewView::OnPreviewClose() { ClosePreview(); }

void CPreviewView::OnPreviewPrint()
{
    // The preview (and this object) ends first; the job then runs as the menu's would.
    CWnd* pMain = AfxGetMainWnd();
    HWND hMain = pMain ? pMain->m_hWnd : nullptr;
    ClosePreview();
    if (hMain) ::SendMessageA(hMain, WM_COMMAND, ID_FILE_PRINT, 0);
}

void CPreviewView::OnNextPage()
{
    SetCurrentPage(m_nCurrentPage + 1);
    SetFocus();
}

void CPreviewView::OnPrevPage()
{
    if (m_nCurrentPage > m_pPreviewInfo->GetMinPage()) SetCurrentPage(m_nCurrentPage - 1);
    SetFocus();
}

void CPreviewView::OnNumPageChange()
{
    SetPageCount(m_nPages == 2 ? 1 : 2);
    UpdateScale();
    SetFocus();
}

void CPreviewView::OnZoomIn()
{
    CRect client;
    GetClientRect(&client);
    SetZoomState(m_nZoomState + 1, client.CenterPoint());
    SetFocus();
}

void CPreviewView::OnZoomOut()
{
    CRect client;
    GetClientRect(&client);
    SetZoomState(m_nZoomState - 1, client.CenterPoint());
    SetFocus();
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nCurrentPage + ShownPages() - 1 < LastPage());
}

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nCurrentPage > m_pPreviewInfo->GetMinPage()); }

void CPreviewView::OnUpdateNumPageChange(CCmdUI* pCmdUI)
{
    pCmdUI->SetText(m_nPages == 2 ? "1 頁(&O)" : "2 頁(&T)");
    pCmdUI->Enable(m_nZoomState == ZOOM_OUT);
}

void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState != ZOOM_IN); }

void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState != ZOOM_OUT); }

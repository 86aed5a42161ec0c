// The print preview in the frame: pages shown with their marks (read back from the preview's own
// painting into a DIB section), paging by the bar and the keys, zoom and two pages, the ways
// it ends and what comes back, printing from it, and the preview DC's scaled drawing.
#include "TestMfcPrintApp.h"
#include <algorithm>

namespace {

// A white page of a DIB section with the checks the preview tests make and its picture file.
class Dib : public VktDib {
public:
    Dib(int cx, int cy) : VktDib(cx, cy), m_cx(cx), m_cy(cy)
    {
        RECT all = {0, 0, cx, cy};
        ::FillRect(Dc(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    // The brightest of the three channels; -1 outside.
    int Level(POINT p) const
    {
        if (p.x < 0 || p.y < 0 || p.x >= m_cx || p.y >= m_cy) return -1;
        COLORREF c = At(p.x, p.y);
        return std::max({GetRValue(c), GetGValue(c), GetBValue(c)});
    }
    bool Black(POINT p) const { return Level(p) >= 0 && Level(p) < 64; }
    bool White(POINT p) const { return Level(p) > 192; }
    // Black pixels inside r, and the rows that hold any.
    int Blacks(const RECT& r, int* top = nullptr, int* bottom = nullptr) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (Level(CPoint(x, y)) == 0) {
                    ++n;
                    if (top && *top < 0) *top = y;
                    if (bottom) *bottom = y;
                }
        return n;
    }
    // The picture as a bitmap file in MfcPrintShots beside the test program. (A screenshot of
    // the display is not taken here: ImageMagick's grab of the display, while a preview holds a
    // printer DC, was seen to leave Wine's print spooler without printers in this process.)
    void Save(const char* name) const
    {
        std::string dir = VktBesideExe("MfcPrintShots");
        ::CreateDirectoryA(dir.c_str(), nullptr);
        BITMAPFILEHEADER file = {};
        BITMAPINFOHEADER info = {};
        info.biSize = sizeof(info);
        info.biWidth = m_cx;
        info.biHeight = -m_cy;
        info.biPlanes = 1;
        info.biBitCount = 24;
        int stride = (m_cx * 3 + 3) & ~3;
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof(file) + sizeof(info);
        file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * m_cy);
        std::string data(reinterpret_cast<const char*>(&file), sizeof(file));
        data.append(reinterpret_cast<const char*>(&info), sizeof(info));
        for (int y = 0; y < m_cy; ++y) {
            std::string row(static_cast<size_t>(stride), '\0');
            for (int x = 0; x < m_cx; ++x) {
                COLORREF c = At(x, y);
                row[3 * x] = static_cast<char>(GetBValue(c));
                row[3 * x + 1] = static_cast<char>(GetGValue(c));
                row[3 * x + 2] = static_cast<char>(GetRValue(c));
            }
            data += row;
        }
        EXPECT_TRUE(VktWriteFile(dir + "\\" + name + ".bmp", data));
    }

private:
    int m_cx, m_cy;
};

CSize ClientSize(HWND hWnd)
{
    RECT r;
    ::GetClientRect(hWnd, &r);
    return CSize(r.right, r.bottom);
}

// A window's client area as it paints itself (WM_PRINTCLIENT).
class Shot : public Dib {
public:
    explicit Shot(HWND hWnd) : Dib(ClientSize(hWnd).cx, ClientSize(hWnd).cy)
    {
        ::SendMessageA(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(Dc()), PRF_CLIENT);
    }
};

class PreviewTest : public PrintTest {
protected:
    CPreviewView* Preview() const { return DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView()); }
    // The bars' states from the preview's update handlers, as at idle time.
    void Idle() { frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE); }
    HWND BarButton(UINT nID) const { return ::GetDlgItem(::GetDlgItem(frame->m_hWnd, AFX_IDW_PREVIEW_BAR), nID); }
    std::string Message() const { return std::string(frame->m_wndStatusBar.GetPaneText(0)); }
    void Key(UINT vk)
    {
        ::PostMessageA(::GetFocus(), WM_KEYDOWN, vk, 1);
        PumpPending();
    }
    // Starts the preview with the focus in the form's edit box.
    CPreviewView* Start()
    {
        HWND edit = ::GetDlgItem(view->m_hWnd, IDC_FORM_EDIT);
        ::SetFocus(edit);
        m_focus = ::GetFocus();
        m_accel = frame->m_hAccelTable;
        Command(ID_FILE_PRINT_PREVIEW);
        return Preview();
    }
    // Everything as it was before the preview.
    void ExpectRestored()
    {
        EXPECT_EQ(Preview(), nullptr);
        EXPECT_EQ(frame->GetActiveView(), view);
        EXPECT_TRUE(view->IsWindowVisible());
        EXPECT_EQ(view->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
        EXPECT_EQ(::GetMenu(frame->m_hWnd), frame->m_hMenuDefault);
        EXPECT_EQ(frame->m_hAccelTable, m_accel);
        EXPECT_EQ(frame->m_lpfnCloseProc, nullptr);
        EXPECT_TRUE(frame->m_wndBar.IsWindowVisible());
        EXPECT_TRUE(frame->m_wndFloat.GetParentFrame()->IsWindowVisible());
        EXPECT_EQ(::GetDlgItem(frame->m_hWnd, AFX_IDW_PREVIEW_BAR), nullptr);
        EXPECT_EQ(::GetFocus(), m_focus);
        EXPECT_TRUE(::IsWindow(frame->m_hWnd));
    }
    HWND m_focus = nullptr;
    HACCEL m_accel = nullptr;
};

} // namespace

TEST_F(PreviewTest, PagesShowInPlaceOfTheViewAndTurnByTheBar)
{
    CPreviewView* preview = Start();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(view->m_log, "prepare;begin;");
    // Only the status bar and the preview's bar are left; no menu, the view hidden.
    EXPECT_FALSE(view->IsWindowVisible());
    EXPECT_EQ(::GetMenu(frame->m_hWnd), nullptr);
    EXPECT_FALSE(frame->m_wndBar.IsWindowVisible());
    EXPECT_FALSE(frame->m_wndFloat.GetParentFrame()->IsWindowVisible());
    EXPECT_TRUE(frame->m_wndStatusBar.IsWindowVisible());
    EXPECT_TRUE(::IsWindowVisible(BarButton(AFX_ID_PREVIEW_CLOSE)));
    EXPECT_EQ(::GetFocus(), preview->m_hWnd);
    EXPECT_EQ(Message(), "ﾍﾟｰｼﾞ 1");
    {
        Shot shot(preview->m_hWnd);
        ASSERT_EQ(view->m_markAt.count(1), 1u);
        EXPECT_TRUE(shot.Black(view->m_markAt[1]));
    }
    Idle();
    EXPECT_FALSE(::IsWindowEnabled(BarButton(AFX_ID_PREVIEW_PREV)));
    EXPECT_TRUE(::IsWindowEnabled(BarButton(AFX_ID_PREVIEW_NEXT)));

    Command(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(preview->GetCurrentPage(), 2u);
    EXPECT_EQ(Message(), "ﾍﾟｰｼﾞ 2");
    {
        Shot shot(preview->m_hWnd);
        ASSERT_EQ(view->m_markAt.count(2), 1u);
        EXPECT_TRUE(shot.Black(view->m_markAt[2]));
        EXPECT_TRUE(shot.White(view->m_markAt[1])); // page 2 has no mark 1
        shot.Save("page2");
    }

    // Two pages side by side, then the keys.
    Command(AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(Message(), "ﾍﾟｰｼﾞ 2-3");
    {
        view->m_markAt.clear();
        Shot shot(preview->m_hWnd);
        EXPECT_TRUE(shot.Black(view->m_markAt[2]));
        EXPECT_TRUE(shot.Black(view->m_markAt[3]));
        EXPECT_GT(view->m_markAt[3].x, view->m_markAt[2].x);
        shot.Save("twopages");
    }
    Idle();
    EXPECT_FALSE(::IsWindowEnabled(BarButton(AFX_ID_PREVIEW_NEXT)));
    char text[32] = {};
    ::GetWindowTextA(BarButton(AFX_ID_PREVIEW_NUMPAGE), text, sizeof(text));
    EXPECT_STREQ(text, "1 頁(&O)");
    Key(VK_HOME);
    EXPECT_EQ(preview->GetCurrentPage(), 1u);
    EXPECT_EQ(Message(), "ﾍﾟｰｼﾞ 1-2");
    Key(VK_END);
    EXPECT_EQ(preview->GetCurrentPage(), 2u);
    Command(AFX_ID_PREVIEW_NUMPAGE);
    Key(VK_NEXT);
    EXPECT_EQ(preview->GetCurrentPage(), 3u);
    Key(VK_PRIOR);
    EXPECT_EQ(preview->GetCurrentPage(), 2u);

    Key(VK_ESCAPE);
    ExpectRestored();
    EXPECT_EQ(view->m_log, "prepare;begin;end;");
}

TEST_F(PreviewTest, ZoomStepsAndAClick)
{
    CPreviewView* preview = Start();
    ASSERT_NE(preview, nullptr);
    auto scrollBars = [&] { return (preview->GetStyle() & (WS_HSCROLL | WS_VSCROLL)) != 0; };
    EXPECT_FALSE(scrollBars());
    { Shot shot(preview->m_hWnd); }
    CPoint fit = view->m_markAt[1];
    Command(AFX_ID_PREVIEW_ZOOMIN);
    Command(AFX_ID_PREVIEW_ZOOMIN);
    EXPECT_EQ(preview->GetZoomState(), CPreviewView::ZOOM_IN);
    EXPECT_TRUE(scrollBars());
    Idle();
    EXPECT_FALSE(::IsWindowEnabled(BarButton(AFX_ID_PREVIEW_ZOOMIN)));
    EXPECT_FALSE(::IsWindowEnabled(BarButton(AFX_ID_PREVIEW_NUMPAGE)));
    Shot(preview->m_hWnd).Save("zoomed");
    Command(AFX_ID_PREVIEW_ZOOMOUT);
    Command(AFX_ID_PREVIEW_ZOOMOUT);
    EXPECT_EQ(preview->GetZoomState(), CPreviewView::ZOOM_OUT);
    EXPECT_FALSE(scrollBars());

    // Clicks zoom in step by step, then out again; the clicked mark stays in sight.
    preview->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(fit.x, fit.y));
    EXPECT_EQ(preview->GetZoomState(), CPreviewView::ZOOM_MIDDLE);
    {
        Shot shot(preview->m_hWnd);
        EXPECT_TRUE(shot.Black(view->m_markAt[1]));
        EXPECT_NEAR(view->m_markAt[1].y, fit.y, 1); // the page is taller than the window: it scrolls there
    }
    preview->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(fit.x, fit.y));
    preview->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(fit.x, fit.y));
    EXPECT_EQ(preview->GetZoomState(), CPreviewView::ZOOM_OUT);
    Command(AFX_ID_PREVIEW_CLOSE);
    ExpectRestored();
}

// The bar's Close, its command, Escape and closing the frame all end the preview alone.
TEST_F(PreviewTest, EveryWayOutEndsThePreviewOnly)
{
    const char* ways[] = {"button", "command", "escape", "close"};
    for (const char* way : ways) {
        SCOPED_TRACE(way);
        view->m_log.clear();
        CPreviewView* preview = Start();
        ASSERT_NE(preview, nullptr);
        std::string w = way;
        if (w == "button") ::SendMessageA(BarButton(AFX_ID_PREVIEW_CLOSE), BM_CLICK, 0, 0);
        if (w == "command") Command(AFX_ID_PREVIEW_CLOSE);
        if (w == "escape") Key(VK_ESCAPE);
        if (w == "close") frame->SendMessage(WM_CLOSE);
        PumpPending();
        ExpectRestored();
        EXPECT_EQ(view->m_log, "prepare;begin;end;");
        EXPECT_EQ(thePrintApp.m_pMainWnd, frame);
    }
}

TEST_F(PreviewTest, AnUnknownLastPageIsFoundAndPrintEndsThePreviewThenPrints)
{
    CPrintView::s_script.maxPage = 0xFFFF;
    CPreviewView* preview = Start();
    ASSERT_NE(preview, nullptr);
    Command(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(preview->GetCurrentPage(), 1u);
    Idle();
    EXPECT_FALSE(::IsWindowEnabled(BarButton(AFX_ID_PREVIEW_NEXT)));
    Command(AFX_ID_PREVIEW_CLOSE);

    CPrintView::s_script.maxPage = 3;
    std::string title = NameJob("Prv");
    view->m_log.clear();
    preview = Start();
    ASSERT_NE(preview, nullptr);
    AnswerPrintDialog();
    Command(AFX_ID_PREVIEW_PRINT);
    EXPECT_EQ(view->m_log, "prepare;begin;end;prepare;begin;dc1;print1;dc2;print2;dc3;print3;end;");
    ExpectRestored();
    ListJob(title, 3);
}

// Drawn through CDC or on the DC itself at LPtoDP plus GetViewportOrg, a rectangle in the
// printer's units covers the same preview pixels; text shrinks with the page.
TEST(PreviewDC, CDCAndRawDrawingMeetOnTheScaledPage)
{
    PRINTDLGA pd = {};
    pd.lStructSize = sizeof(pd);
    pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    ASSERT_TRUE(::PrintDlgA(&pd));
    ::GlobalFree(pd.hDevNames);
    ::GlobalFree(pd.hDevMode);
    {
        CPreviewDC dc;
        dc.SetAttribDC(pd.hDC);
        Dib out(400, 500);
        const RECT all = {0, 0, 400, 500};
        dc.SetOutputDC(out.Dc());
        dc.SetScaleRatio(1, 8);
        dc.SetTopLeftOffset(CSize(20, 30));
        // One logical unit is two printer pixels: a quarter of a preview pixel.
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(1000, 1000);
        dc.SetViewportExt(2000, 2000);
        dc.SetWindowOrg(100, 50);
        CRect logical(300, 250, 700, 650);
        dc.FillSolidRect(&logical, RGB(0, 0, 0));
        EXPECT_EQ(out.Blacks(all), 100 * 100);
        CRect device = logical;
        dc.LPtoDP(&device);
        device.OffsetRect(dc.GetViewportOrg());
        EXPECT_EQ(device, CRect(70, 80, 170, 180));
        EXPECT_EQ(out.Blacks(device), 100 * 100);
        {
            CDCSave keep(dc.m_hDC);
            ::SetMapMode(dc.m_hDC, MM_TEXT);
            ::SetViewportOrgEx(dc.m_hDC, 0, 0, nullptr);
            ::SetWindowOrgEx(dc.m_hDC, 0, 0, nullptr);
            ::FillRect(dc.m_hDC, &device, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        }
        EXPECT_EQ(out.Blacks(all), 0);
        CPoint back(50, 50);
        dc.DPtoLP(&back);
        EXPECT_EQ(back, CPoint(300, 250));
        // A saved mapping comes back with the state.
        int saved = dc.SaveDC();
        dc.SetWindowOrg(0, 0);
        dc.RestoreDC(saved);
        CRect again = logical;
        dc.LPtoDP(&again);
        EXPECT_EQ(again.TopLeft(), CPoint(50, 50));

        // A one-inch font of the printer is an eighth of an inch high here.
        dc.SetMapMode(MM_TEXT);
        dc.SetWindowOrg(0, 0);
        CFont font;
        font.CreatePointFont(720, "ＭＳ Ｐゴシック", pd.hDC);
        CFont* previous = dc.SelectObject(&font);
        dc.TextOut(0, 0, "■", 2);
        dc.SelectObject(previous);
        int top = -1, bottom = -1;
        out.Blacks(all, &top, &bottom);
        int inch = ::GetDeviceCaps(pd.hDC, LOGPIXELSY) / 8;
        EXPECT_GT(bottom - top + 1, inch / 2);
        EXPECT_LE(bottom - top + 1, inch + 2);
        dc.ReleaseOutputDC();
    }
    ::DeleteDC(pd.hDC);
}

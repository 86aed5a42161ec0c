// The image page's turns, scale and size conversion on the real drawing area: a refused angle, a
// shown frame that stays over the same pixels, the view's middle kept, the paper turned with the
// image, the scale slots with the frame, sizes at the edges, the bitmaps ten turns keep, and the
// convert-size dialog answered as a person would.
#include "CmnImg.h"
#include "TestDlgImgEdt.h"
#include "CmnRes.h"
#include "CmnWin.h"
#include "DlbPnlOpr.h"
#include "HalcorRes.h"
#include <thread>

namespace {

// The middle of the visible part of the drawing, display pixels.
struct Mid {
    double x, y;
};
Mid Middle(DlgImg* page)
{
    RECT client = {}, inner = {};
    ::GetClientRect(page->GetDraWnd(), &client);
    VkeDraGetInrDraRectSca(page->GetDra(), &inner);
    int x = 0, y = 0;
    VkeDraGetDraHScrPos(page->GetDra(), &x);
    VkeDraGetDraVScrPos(page->GetDra(), &y);
    return Mid{x + std::min<LONG>(client.right, inner.right - inner.left) / 2.0,
               y + std::min<LONG>(client.bottom, inner.bottom - inner.top) / 2.0};
}

// The drawing area's client pixels as the screen shows them.
std::vector<COLORREF> Grab(DlgImg* page)
{
    RECT c = {};
    ::GetClientRect(page->GetDraWnd(), &c);
    VktDib dib(c.right, c.bottom);
    HDC dc = ::GetDC(page->GetDraWnd());
    ::BitBlt(dib.Dc(), 0, 0, c.right, c.bottom, dc, 0, 0, SRCCOPY);
    ::ReleaseDC(page->GetDraWnd(), dc);
    std::vector<COLORREF> px;
    for (int y = 0; y < c.bottom; ++y)
        for (int x = 0; x < c.right; ++x) px.push_back(dib.At(x, y));
    return px;
}

// The convert-size dialog's form: percent (percent set), else the size with the ratio kept or
// released (a null side is not typed).
VktStep Percent(const char* percent)
{
    return [=](HWND box) {
        VktClick(box, IDC_CMN_RDO_1);
        TypeInto(::GetDlgItem(box, IDC_CMN_EDT_1), percent);
    };
}

VktStep Size(bool fixed, const char* width, const char* height)
{
    return [=](HWND box) {
        VktClick(box, IDC_CMN_RDO_3);
        if ((::IsDlgButtonChecked(box, IDC_DLGCNVSIZ_FIXSCA) == BST_CHECKED) != fixed) VktClick(box, IDC_DLGCNVSIZ_FIXSCA);
        if (!width) VktClick(box, IDC_CMN_RDO_5);
        if (width) TypeInto(::GetDlgItem(box, IDC_CMN_EDT_4), width);
        if (height) TypeInto(::GetDlgItem(box, IDC_CMN_EDT_5), height);
    };
}

// Counts the paints the drawing area takes from the queue while it lives.
class PaintCount {
public:
    explicit PaintCount(HWND area)
    {
        s_area = area;
        s_count = 0;
        m_hook = ::SetWindowsHookExA(WH_GETMESSAGE, Hook, nullptr, ::GetCurrentThreadId());
    }
    ~PaintCount() { ::UnhookWindowsHookEx(m_hook); }
    PaintCount(const PaintCount&) = delete;
    PaintCount& operator=(const PaintCount&) = delete;
    int Count() const { return s_count; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_PAINT && msg->hwnd == s_area) ++s_count;
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static HWND s_area;
    static int s_count;
    HHOOK m_hook;
};
HWND PaintCount::s_area;
int PaintCount::s_count;

// The operation panel's shown value of a control.
std::string PanelShows(ChildFrm* frame, int slot)
{
    char value[256] = {};
    VkeCtlGetDataValue(frame->GetPnlOpr().GetCmnDlgInf().ppCtl[slot], value, sizeof(value));
    return value;
}

} // namespace

TEST_F(EdtTest, ATurnOtherThanAQuarterIsRefusedWithoutAStep)
{
    DlgImg* page = PageWith(MakeNoiseDib(30, 20, 24, 1));
    ASSERT_NE(page, nullptr);
    const Shot before = TakeShot(page);
    EXPECT_EQ(page->RotateImage(45), VKE_ERR_ARG);
    EXPECT_EQ(page->RotateImage(0), VKE_ERR_ARG);
    EXPECT_EQ(page->ReflectImage(2), VKE_ERR_ARG);
    EXPECT_TRUE(TakeShot(page) == before);
    EXPECT_EQ(UndoSteps(page), 0);
    EXPECT_EQ(page->GetModifiedFlag(), 0);
    EXPECT_EQ(reports.Count("RotateImage"), 2);

    // Sizes at the edges turn and come back.
    for (SIZE size : {SIZE{1, 1}, SIZE{30000, 20}}) {
        DlgImg* edge = PageWith(MakeNoiseDib(size.cx, size.cy, 24, 2));
        ASSERT_NE(edge, nullptr);
        const Shot shot = TakeShot(edge);
        ASSERT_EQ(edge->RotateImage(90), VKE_OK);
        EXPECT_EQ(edge->GetIci()->pthImg.iWidth, size.cy);
        EXPECT_EQ(edge->GetIci()->pthImg.iHeight, size.cx);
        ASSERT_EQ(edge->ReflectImage(0), VKE_OK);
        ASSERT_EQ(edge->EditUnd(), VKE_OK);
        ASSERT_EQ(edge->EditUnd(), VKE_OK);
        EXPECT_TRUE(TakeShot(edge) == shot) << size.cx;
    }
}

TEST_F(EdtTest, AShownFrameStaysOverTheSamePixelsThroughTurnsAndFlips)
{
    DlgImg* page = FramedPage(300, 200, 4);
    ASSERT_NE(page, nullptr);
    const Ici& ici = *page->GetIci();
    for (int turn : {90, 180, 270, -1, -2}) {
        SCOPED_TRACE(turn);
        const RECT f = ici.rctFrm;
        const SIZE size = {ici.pthImg.iWidth, ici.pthImg.iHeight};
        const Shot before = TakeShot(page);
        ASSERT_EQ(turn > 0 ? page->RotateImage(turn) : page->ReflectImage(turn == -1 ? 1 : 0), VKE_OK);
        const RECT g = ici.rctFrm;
        EXPECT_EQ(CRect(g), CRect(turn > 0 ? FrmRotate(f, turn, size) : FrmReflect(f, turn == -1 ? 1 : 0, size)));
        EXPECT_EQ(theAppInf.poi.fri.bShwFrm, 1);
        EXPECT_EQ(ici.poi.fri.bShwFrm, 1);
        // The frame's corners hold the pixels that were at the matching corners.
        const Shot after = TakeShot(page);
        const POINT corners[4] = {{f.left, f.top}, {f.right - 1, f.top}, {f.right - 1, f.bottom - 1}, {f.left, f.bottom - 1}};
        const POINT turned[4] = {{g.left, g.top}, {g.right - 1, g.top}, {g.right - 1, g.bottom - 1}, {g.left, g.bottom - 1}};
        // Where the old corner i went: a quarter turn moves each one corner on.
        const int shift = turn == 90 ? 1 : turn == 180 ? 2 : turn == 270 ? 3 : 0;
        for (int i = 0; i < 4; ++i) {
            int j = (i + shift) % 4;
            if (turn == -1) j = 3 - i;         // top-bottom: 0<->3, 1<->2
            if (turn == -2) j = (5 - i) % 4;   // left-right: 0<->1, 2<->3
            EXPECT_EQ(after.At(turned[j].x, turned[j].y), before.At(corners[i].x, corners[i].y)) << i;
        }
    }
    EXPECT_EQ(ici.dRotate, 180);
    EXPECT_EQ(ici.bFlpTb, 1);
    EXPECT_EQ(ici.bFlpLr, 1);
}

TEST_F(EdtTest, AScrolledViewAtTwiceTheSizeKeepsItsMiddleThroughAQuarterTurn)
{
    DlgImg* page = PageWith(MakeNoiseDib(1000, 800, 24, 6));
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->SetScale(2, 1), VKE_OK);
    VkiDra* dra = page->GetDra();
    int h = 0, v = 0;
    VkeDraHDraPosToHScrPos(dra, &h, 700);
    VkeDraVDraPosToVScrPos(dra, &v, 500);
    VkeDraHScroll(dra, SB_THUMBPOSITION, h);
    VkeDraVScroll(dra, SB_THUMBPOSITION, v);
    VktPump();
    const Mid before = Middle(page);
    ASSERT_GT(before.x, 700);
    ASSERT_GT(before.y, 500);
    ASSERT_EQ(page->RotateImage(90), VKE_OK);
    VktPump();
    // Turned clockwise, the drawing is 1600 wide: the point's x is what lay below it.
    const Mid after = Middle(page);
    EXPECT_NEAR(after.x, 1600 - before.y, 1);
    EXPECT_NEAR(after.y, before.x, 1);
    ASSERT_EQ(page->ReflectImage(0), VKE_OK);
    VktPump();
    const Mid mirrored = Middle(page);
    EXPECT_NEAR(mirrored.x, 1600 - after.x, 1);
    EXPECT_NEAR(mirrored.y, after.y, 1);
}

TEST_F(EdtTest, TheLandscapeSettingTurnsToPortraitWithThePrinterAndBack)
{
    DlgImg* page = PageWith(MakeNoiseDib(300, 200, 24, 8));
    ASSERT_NE(page, nullptr);
    Pri& pri = theAppInf.poi.pri;
    pri.iOrientation = 3;
    ASSERT_GE(app->SetPrtOrient(1), 0);
    int landscape = -1;
    const struct {
        int turn, setting, landscape;
    } steps[] = {{90, 4, 0}, {180, 4, 0}, {270, 3, 1}};
    for (const auto& s : steps) {
        ASSERT_EQ(page->RotateImage(s.turn), VKE_OK);
        EXPECT_EQ(pri.iOrientation, s.setting) << s.turn;
        EXPECT_EQ(page->GetIci()->poi.pri.iOrientation, s.setting);
        ASSERT_EQ(app->GetPrtOrient(&landscape), VKE_OK);
        EXPECT_EQ(landscape, s.landscape) << s.turn;
    }
    pri.iOrientation = 2;
    ASSERT_EQ(page->RotateImage(90), VKE_OK);
    EXPECT_EQ(pri.iOrientation, 2) << "the larger print decides itself";

    // A page-set frame follows the paper: taller than wide once the paper stands.
    page = PageWith(MakeNoiseDib(300, 200, 24, 9));
    ASSERT_NE(page, nullptr);
    pri.iOrientation = 3;
    ASSERT_GE(app->SetPrtOrient(1), 0);
    Fri& fri = theAppInf.poi.fri;
    fri.bPagSet = 1;
    ASSERT_EQ(page->SetFrmMod(FrmModeFixedRatio), VKE_OK);
    ASSERT_EQ(page->SetShwFrmFlag(1), VKE_OK);
    const RECT wide = page->GetIci()->rctFrm;
    ASSERT_GT(wide.right - wide.left, wide.bottom - wide.top);
    Focus(page);
    ASSERT_EQ(page->RotateImage(90), VKE_OK);
    const RECT tall = page->GetIci()->rctFrm;
    EXPECT_LT(tall.right - tall.left, tall.bottom - tall.top);
    EXPECT_GE(tall.left, 0);
    EXPECT_LE(tall.bottom, page->GetIci()->pthImg.iHeight);
    EXPECT_EQ(fri.bShwFrm, 1);
}

TEST_F(EdtTest, TheScaleSlotsReadTheScaleBackAndDrawTheFrameAgain)
{
    DlgImg* page = FramedPage(400, 300, 10);
    ASSERT_NE(page, nullptr);
    const Ici& ici = *page->GetIci();
    ASSERT_EQ(page->SetScale(1, 2), VKE_OK);
    EXPECT_EQ(ici.lScaNum * 2, ici.lScaDen);
    int num = 0, den = 0, mode = 0;
    EXPECT_EQ(page->GetScale(&num, &den), VKE_OK);
    EXPECT_EQ(num * 2, den);
    VktPump();
    ::UpdateWindow(page->GetDraWnd());
    const std::vector<COLORREF> framed = Grab(page);
    ASSERT_EQ(page->SetShwFrmFlag(0), VKE_OK);
    EXPECT_NE(Grab(page), framed) << "the frame was drawn at the new scale";
    ASSERT_EQ(page->SetShwFrmFlag(1), VKE_OK);

    ASSERT_EQ(page->SetScaleMode(VKE_DRA_SCALE_FIT, 1, 1), VKE_OK);
    EXPECT_EQ(page->GetScaleMode(&mode), VKE_OK);
    EXPECT_EQ(mode, VKE_DRA_SCALE_FIT);
    EXPECT_EQ(ici.iModeSca, VKE_DRA_SCALE_FIT);
    EXPECT_EQ(page->SetScaleByDlg(-1), VKE_NOT_DONE);
    {
        VktMsgBox answer({IDOK}); // the stored 100 %
        EXPECT_EQ(page->SetScaleByDlg(4), VKE_OK);
        EXPECT_EQ(answer.Count(), 1);
    }
    EXPECT_EQ(ici.iModeSca, VKE_DRA_SCALE_FRACTION);
    EXPECT_EQ(ici.lScaNum, ici.lScaDen);
    EXPECT_EQ(theAppInf.poi.fri.bShwFrm, 1);
}

TEST_F(EdtTest, TenTurnsKeepTenSnapshotsWhichThePagesEndFrees)
{
    DWORD held = 0;
    auto cycle = [&] {
        DlgImg* page = PageWith(MakeNoiseDib(400, 300, 24, 12));
        ASSERT_NE(page, nullptr);
        VktPump();
        const DWORD before = VktGdiObjects();
        for (int i = 0; i < 10; ++i) ASSERT_EQ(page->RotateImage(90), VKE_OK);
        VktPump();
        held = VktGdiObjects() - before;
        ASSERT_EQ(View()->ClosePage(Count() - 1, 1, 1, 0), VKE_OK);
        VktPump();
    };
    cycle();
    const DWORD gdi = VktGdiObjects();
    cycle();
    EXPECT_EQ(held, 10u) << "one bitmap per undo step";
    EXPECT_EQ(VktGdiObjects(), gdi);
}

TEST_F(EdtTest, TheConvertSizeDialogAnsweredAsAPersonWouldSizesTheImage)
{
    theAppInf.cnvSzi = Szi{1, 1, 1, 1.0, 1, 1, 1, 1};
    DlgImg* page = PageWith(MakeNoiseDib(1280, 960, 24, 13));
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->SetModifiedFlag(0), VKE_OK);
    const Shot first = TakeShot(page);
    int rc = 99;
    auto convert = [&](const std::vector<VktStep>& steps, const std::vector<int>& buttons) {
        Focus(page);
        return VktDrive([&] { rc = page->CnvSiz(); }, steps, buttons);
    };
    auto size = [&] { return SIZE{page->GetIci()->pthImg.iWidth, page->GetIci()->pthImg.iHeight}; };

    // "閉じる": nothing recorded, nothing changed.
    std::vector<VktMsgBox::Box> seen = convert({nullptr}, {IDCANCEL});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "サイズ変換");
    EXPECT_EQ(rc, VKE_CANCELLED);
    EXPECT_EQ(UndoSteps(page), 0);
    EXPECT_EQ(page->GetModifiedFlag(), 0);

    // Bad values: the dialog says which and stays; closed, the page is as it was.
    const struct {
        VktStep step;
        int message;
    } bad[] = {{Percent("0"), IDS_CMN_SCA_PCT},
               {Percent("10000.1"), IDS_CMN_SCA_PCT},
               {Percent("abc"), 0}, // the edit's own message: no number
               {Size(false, "0", "100"), IDS_CMN_SCA_WIDTH},
               {Size(false, "640", "10000000"), IDS_CMN_SCA_PCT}};
    for (const auto& b : bad) {
        seen = convert({b.step, nullptr, nullptr}, {IDOK, IDOK, IDCANCEL});
        ASSERT_EQ(seen.size(), 3u);
        if (b.message) {
            EXPECT_EQ(seen[1].text, std::string(theCmnSub.GetMsgStr(b.message)));
        }
        EXPECT_NE(seen[1].caption, "サイズ変換");
        EXPECT_EQ(seen[2].caption, "サイズ変換");
        EXPECT_EQ(rc, VKE_CANCELLED);
    }
    EXPECT_TRUE(TakeShot(page) == first);
    EXPECT_EQ(UndoSteps(page), 0);

    // The ratio released: exactly as typed, one step, the page modified and focused.
    convert({Size(false, "640", "100")}, {IDOK});
    ASSERT_EQ(rc, VKE_OK);
    EXPECT_EQ(size().cx, 640);
    EXPECT_EQ(size().cy, 100);
    EXPECT_EQ(page->GetModifiedFlag(), 1);
    EXPECT_EQ(::GetFocus(), page->GetDraWnd());
    ASSERT_EQ(page->EditUnd(), VKE_OK);
    EXPECT_TRUE(TakeShot(page) == first);
    // The ratio kept, the height given; then down to one pixel.
    convert({Size(true, nullptr, "480")}, {IDOK});
    EXPECT_EQ(size().cx, 640);
    EXPECT_EQ(size().cy, 480);
    convert({Size(false, "1", "1")}, {IDOK});
    EXPECT_EQ(size().cx, 1);
    EXPECT_EQ(size().cy, 1);
    ASSERT_EQ(page->EditUnd(), VKE_OK);
    ASSERT_EQ(page->EditUnd(), VKE_OK);
    EXPECT_TRUE(TakeShot(page) == first);

    // With the frame shown: its part at the new size, the frame gone; at the same size its very
    // pixels.
    SetFrame(page, RECT{100, 60, 500, 360});
    convert({Percent("50")}, {IDOK});
    EXPECT_EQ(size().cx, 200);
    EXPECT_EQ(size().cy, 150);
    EXPECT_EQ(theAppInf.poi.fri.bShwFrm, 0);
    EXPECT_TRUE(IsRectEmpty(&page->GetIci()->rctFrm));
    ASSERT_EQ(page->EditUnd(), VKE_OK);
    SetFrame(page, RECT{100, 60, 500, 360});
    convert({Percent("100")}, {IDOK});
    const Shot part = TakeShot(page);
    ASSERT_EQ(part.width, 400);
    ASSERT_EQ(part.height, 300);
    int wrong = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) wrong += part.At(x, y) != first.At(x + 100, y + 60);
    EXPECT_EQ(wrong, 0);
    EXPECT_TRUE(reports.Names().empty()) << reports.Names()[0];
}

TEST_F(EdtTest, ATurnAtTheWindowsFitIsDrawnOnceAsAFreshPageOfTheTurnedImageIs)
{
    HBITMAP turned = nullptr;
    HBITMAP noise = MakeNoiseDib(900, 500, 24, 8);
    ASSERT_EQ(theCmnImg.RotateImage(&turned, noise, 90), VKE_OK);
    DlgImg* page = PageWith(noise);
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->SetScaleMode(VKE_DRA_SCALE_FIT, 1, 1), VKE_OK);
    VktPump();
    int paints = 0;
    {
        PaintCount count(page->GetDraWnd());
        ASSERT_EQ(page->RotateImage(90), VKE_OK);
        VktPump();
        paints = count.Count();
    }
    EXPECT_EQ(paints, 1) << "one drawing of the page";
    const std::vector<COLORREF> pixels = Grab(page);
    const Shot shot = TakeShot(page);
    const CString status = theCmnWin.GetStatusBarTxtById(ID_INDICATOR_PAGE);
    page->ShowStatus();
    EXPECT_EQ(theCmnWin.GetStatusBarTxtById(ID_INDICATOR_PAGE), status) << "the status line is the page's";
    EXPECT_EQ(PanelShows(main, OprCtlWidth), "500");
    EXPECT_EQ(PanelShows(main, OprCtlHeight), "900");

    DlgImg* fresh = PageWith(turned);
    ASSERT_NE(fresh, nullptr);
    ASSERT_EQ(fresh->SetScaleMode(VKE_DRA_SCALE_FIT, 1, 1), VKE_OK);
    VktPump();
    const Shot want = TakeShot(fresh);
    EXPECT_TRUE(shot.SameImage(want));
    EXPECT_EQ(shot.mode, want.mode);
    EXPECT_EQ(static_cast<double>(shot.num) / shot.den, static_cast<double>(want.num) / want.den);
    EXPECT_TRUE(Grab(fresh) == pixels) << "the same pixels on the screen";
}

// Undo and redo of a size change at the window's fit: each state on the screen, in the status
// line and the panel as a fresh page of that image shows it.
TEST_F(EdtTest, UndoAndRedoAtTheWindowsFitShowWhatAFreshPageOfTheirImageShows)
{
    DlgImg* page = PageWith(MakeNoiseDib(900, 500, 24, 9));
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->SetScaleMode(VKE_DRA_SCALE_FIT, 1, 1), VKE_OK);
    VktPump();
    ASSERT_EQ(page->RotateImage(90), VKE_OK);
    VktPump();
    struct Seen {
        std::vector<COLORREF> pixels;
        Shot shot;
        CString status;
        std::string width, height;
    };
    auto see = [&](DlgImg* p) {
        Seen s{Grab(p), TakeShot(p), theCmnWin.GetStatusBarTxtById(ID_INDICATOR_PAGE), PanelShows(main, OprCtlWidth),
               PanelShows(main, OprCtlHeight)};
        return s;
    };
    ASSERT_EQ(page->EditUnd(), VKE_OK);
    VktPump();
    const Seen undone = see(page);
    ASSERT_EQ(page->EditRdo(), VKE_OK);
    VktPump();
    const Seen redone = see(page);

    HBITMAP turned = nullptr;
    ASSERT_EQ(theCmnImg.RotateImage(&turned, MakeNoiseDib(900, 500, 24, 9), 90), VKE_OK);
    for (const auto& [want, image] : {std::pair<const Seen*, HBITMAP>{&undone, MakeNoiseDib(900, 500, 24, 9)},
                                      std::pair<const Seen*, HBITMAP>{&redone, turned}}) {
        DlgImg* fresh = PageWith(image);
        ASSERT_NE(fresh, nullptr);
        ASSERT_EQ(fresh->SetScaleMode(VKE_DRA_SCALE_FIT, 1, 1), VKE_OK);
        VktPump();
        const Seen got = see(fresh);
        EXPECT_TRUE(want->shot.SameImage(got.shot));
        EXPECT_EQ(static_cast<double>(want->shot.num) / want->shot.den, static_cast<double>(got.shot.num) / got.shot.den);
        EXPECT_EQ(want->pixels.size(), got.pixels.size());
        size_t differ = 0;
        for (size_t i = 0; i < want->pixels.size() && i < got.pixels.size(); ++i) differ += want->pixels[i] != got.pixels[i];
        EXPECT_EQ(differ, 0u) << "the same pixels on the screen";
        EXPECT_EQ(want->width, got.width);
        EXPECT_EQ(want->height, got.height);
        // The tab count differs (the fresh page is one more); the sizes and the scale agree.
        EXPECT_EQ(want->status.Left(want->status.Find("タブ頁数")), got.status.Left(got.status.Find("タブ頁数")));
    }
    EXPECT_TRUE(reports.Names().empty());
}

TEST_F(EdtTest, ATurnSentWhileThePageDrawsRunsOnceItHasDrawn)
{
    DlgImg* page = PageWith(MakeNoiseDib(60, 40, 24, 7));
    ASSERT_NE(page, nullptr);
    VktMsgBox boxes;
    // Another thread holds the image service: the page's drawing waits for it and takes the
    // messages sent meanwhile, among them a turn.
    HANDLE held = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const HWND frame = main->m_hWnd;
    std::thread other([&] {
        theCmnImg.LockCache(0);
        ::SetEvent(held);
        DWORD_PTR answer = 0;
        ::SendMessageTimeoutA(frame, WM_COMMAND, ID_VKA_IMG_ROT_90, 0, SMTO_NORMAL, 5000, &answer);
        theCmnImg.UnlockCache(0);
    });
    ::WaitForSingleObject(held, INFINITE);
    ::InvalidateRect(page->GetDraWnd(), nullptr, FALSE);
    ::UpdateWindow(page->GetDraWnd());
    other.join();
    ::CloseHandle(held);
    VktPump();
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(page->GetIci()->pthImg.iWidth, 40) << "turned after the drawing";
    EXPECT_EQ(UndoSteps(page), 1);
    EXPECT_TRUE(reports.Names().empty());
}

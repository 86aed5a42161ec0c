// The image page's cut frame in the real main frame: drawing and erasing it on the drawing area's
// window (pixels read back), dragging a handle past the opposite one, the modes' limits on mouse
// and keys, gestures and characters reaching the view, the paper orientation the printer gets,
// the page set-up's ratio and a stored row applied to a page that is not current.
#include "TestChildViw.h"
#include "DlgImgGeo.h"

namespace {

const COLORREF kPen = RGB(255, 0, 255);

// A bitmap file of noise: a reduction of it leaves no two neighbours alike.
void MakeNoiseBmp(const std::string& path, int width, int height)
{
    unsigned seed = 12345;
    MakeBmpFile(path, width, height, [&seed](int, int) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<COLORREF>(seed >> 8 & 0xFFFFFF);
    });
}

class FrmPageTest : public SelTest {
protected:
    // The drawing area's client pixels as the screen shows them.
    static void Grab(DlgImg* page, VktDib& dib, int w, int h)
    {
        HWND area = page->GetDraWnd();
        HDC dc = ::GetDC(area);
        ::BitBlt(dib.Dc(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
        ::ReleaseDC(area, dc);
    }
    static SIZE Client(DlgImg* page)
    {
        RECT c = {};
        ::GetClientRect(page->GetDraWnd(), &c);
        return SIZE{c.right, c.bottom};
    }
    // The frame where the window shows it (client pixels).
    static RECT OnScreen(DlgImg* page)
    {
        const Ici& ici = *page->GetIci();
        RECT r = FrmRectToDisp(ici.rctFrm, FrmScale{ici.lScaNum, ici.lScaDen}, FrmRoundTrunc);
        int x = 0, y = 0;
        VkeDraGetDraHScrPos(page->GetDra(), &x);
        VkeDraGetDraVScrPos(page->GetDra(), &y);
        OffsetRect(&r, -x, -y);
        return r;
    }
    static POINT Disp(DlgImg* page, int x, int y)
    {
        const Ici& ici = *page->GetIci();
        const FrmScale s = {ici.lScaNum, ici.lScaDen};
        return POINT{FrmToDisp(x, s, FrmRoundHalf) - ici.iPosX, FrmToDisp(y, s, FrmRoundHalf) - ici.iPosY};
    }
    static LRESULT Send(DlgImg* page, UINT msg, WPARAM wParam, POINT at)
    {
        return ::SendMessageA(page->GetDraWnd(), msg, wParam, MAKELPARAM(at.x, at.y));
    }
    static double Ratio(const RECT& r) { return static_cast<double>(r.right - r.left) / (r.bottom - r.top); }
    // A 300 x 200 image's page with its frame shown in the mode, the drawing area focused.
    DlgImg* OpenFramed(int mode)
    {
        const std::string path = dir / "wide.bmp";
        MakeBmpFile(path, 300, 200, RGB(255, 0, 0), RGB(0, 0, 255));
        DlgImg* page = OpenShown(path);
        if (!page) return nullptr;
        FreeFrame(page, mode);
        VkeDraSetFocusDra(page->GetDra());
        VktPump();
        return page;
    }
    void FreeFrame(DlgImg* page, int mode)
    {
        Fri& fri = theAppInf.poi.fri;
        fri.bPagSet = 0;
        ASSERT_EQ(page->SetFrmMod(mode), 0);
        ASSERT_EQ(page->SetShwFrmFlag(1), 0);
        VktPump();
        ASSERT_EQ(fri.bShwFrm, 1);
        ASSERT_FALSE(IsRectEmpty(&page->GetIci()->rctFrm));
    }
};

// Run without a printer (TestAplVkaNoPrinter): skipped where the session has one.
class FrmNoPrinter : public FrmPageTest {
protected:
    void SetUp() override
    {
        FrmPageTest::SetUp(); // first: the tear-down ends what it made
        char name[256] = {};
        DWORD size = sizeof(name);
        if (::GetDefaultPrinterA(name, &size)) GTEST_SKIP() << "this session has the printer " << name;
    }
};

} // namespace

TEST_F(FrmPageTest, DrawnAndErasedInBothPenModesTheWindowShowsTheImageAgainExactly)
{
    Run();
    const std::string path = dir / "noise.bmp";
    MakeNoiseBmp(path, 1300, 1000);
    DlgImg* page = OpenShown(path);
    ASSERT_NE(page, nullptr);
    ASSERT_LT(page->GetIci()->lScaNum, page->GetIci()->lScaDen) << "reduced to fit";
    const SIZE c = Client(page);
    VktDib before(c.cx, c.cy), shown(c.cx, c.cy), after(c.cx, c.cy);
    Grab(page, before, c.cx, c.cy);
    SopShi& shi = theAppInf.sopShi;
    const struct {
        int invert, style;
    } pens[] = {{1, PS_SOLID}, {1, PS_DOT}, {0, PS_SOLID}};
    for (const auto& pen : pens) {
        const int invert = pen.invert;
        SCOPED_TRACE(std::string(invert ? "inverting" : "painting") + (pen.style == PS_DOT ? ", dotted" : ""));
        shi.bInvClrFrm = invert;
        shi.iStylePenFrm = pen.style;
        theCmnSub.SetColor(shi.strColor[0], CmnPathSize, kPen);
        ASSERT_EQ(page->CreateFrmPen(), 0);
        FreeFrame(page, FrmModeFree);
        Grab(page, shown, c.cx, c.cy);
        const RECT f = OnScreen(page);
        // The outline at 0.8 of the view, centred; inside and outside untouched.
        EXPECT_NEAR(f.right - f.left, 0.8 * std::min<int>(c.cx, page->GetIci()->iShwWidth), 2);
        const POINT mid = {(f.left + f.right) / 2, (f.top + f.bottom) / 2};
        const POINT edges[] = {{mid.x, f.top}, {mid.x, f.bottom - 1}, {f.left, mid.y}, {f.right - 1, mid.y}};
        for (POINT p : edges) {
            if (pen.style == PS_DOT) break;
            const COLORREF was = before.At(p.x, p.y), is = shown.At(p.x, p.y);
            if (invert) EXPECT_EQ(is, RGB(255 - GetRValue(was), 255 - GetGValue(was), 255 - GetBValue(was)));
            else EXPECT_EQ(is, kPen);
        }
        EXPECT_EQ(shown.At(mid.x, mid.y), before.At(mid.x, mid.y));
        EXPECT_EQ(shown.At(f.left - 1, mid.y), before.At(f.left - 1, mid.y));
        // A dotted inverting pen leaves its gaps alone.
        if (pen.style == PS_DOT) {
            int same = 0;
            for (int x = f.left; x < f.right; ++x) same += shown.At(x, f.top) == before.At(x, f.top);
            EXPECT_GT(same, (f.right - f.left) / 4);
        }
        ASSERT_EQ(page->SetShwFrmFlag(0), 0);
        Grab(page, after, c.cx, c.cy);
        int differ = 0;
        for (int y = 0; y < c.cy; ++y)
            for (int x = 0; x < c.cx; ++x) differ += after.At(x, y) != before.At(x, y);
        EXPECT_EQ(differ, 0) << "pixels left changed by the frame";
    }
}

TEST_F(FrmPageTest, ALeftEdgeDraggedPastTheRightBecomesTheRightEdgeWithThePointerOnIt)
{
    Run();
    DlgImg* page = OpenFramed(FrmModeFree);
    ASSERT_NE(page, nullptr);
    const RECT f = page->GetIci()->rctFrm;
    const int midY = (f.top + f.bottom) / 2;
    const POINT left = Disp(page, f.left, midY);
    ASSERT_EQ(Send(page, WM_LBUTTONDOWN, MK_LBUTTON, left), 1);
    EXPECT_EQ(::GetCapture(), page->GetDraWnd());
    const POINT right = Disp(page, f.right, midY);
    EXPECT_EQ(Send(page, WM_MOUSEMOVE, MK_LBUTTON, POINT{right.x + 30, left.y}), 1);
    VktPump(50);
    // The frame stands; the pointer is on its right edge now.
    EXPECT_TRUE(EqualRect(&page->GetIci()->rctFrm, &f));
    POINT at = {};
    ::GetCursorPos(&at);
    ::ScreenToClient(page->GetDraWnd(), &at);
    EXPECT_NEAR(at.x, right.x, 1);
    EXPECT_NEAR(at.y, left.y, 1);
    // Dragged on, the right edge follows and the left one stays.
    Send(page, WM_MOUSEMOVE, MK_LBUTTON, right); // the move of the pointer's placing, if it did not come
    Send(page, WM_MOUSEMOVE, MK_LBUTTON, POINT{right.x + 20, left.y});
    const RECT g = page->GetIci()->rctFrm;
    EXPECT_EQ(g.left, f.left);
    EXPECT_GT(g.right, f.right);
    EXPECT_EQ(Send(page, WM_LBUTTONUP, 0, POINT{right.x + 20, left.y}), 1);
    EXPECT_NE(::GetCapture(), page->GetDraWnd());
    EXPECT_EQ(page->IsTracking(), 0);
}

TEST_F(FrmPageTest, FixedSizeOnlyMovesAndAWidthLeadingRatioTakesNoHeightKeys)
{
    Run();
    DlgImg* page = OpenFramed(FrmModeFixedSize);
    ASSERT_NE(page, nullptr);
    const RECT f = page->GetIci()->rctFrm;
    const int midY = (f.top + f.bottom) / 2;
    // The right edge is no handle: the button goes to the drawing area.
    EXPECT_EQ(Send(page, WM_LBUTTONDOWN, MK_LBUTTON, Disp(page, f.right, midY)), 0);
    Send(page, WM_LBUTTONUP, 0, Disp(page, f.right, midY));
    EXPECT_EQ(Send(page, WM_KEYDOWN, '6', POINT{}), 1);
    EXPECT_TRUE(EqualRect(&page->GetIci()->rctFrm, &f));
    // Inside it moves, keeping its size, and stops at the image's edge.
    const POINT in = Disp(page, (f.left + f.right) / 2, midY);
    ASSERT_EQ(Send(page, WM_LBUTTONDOWN, MK_LBUTTON, in), 1);
    Send(page, WM_MOUSEMOVE, MK_LBUTTON, POINT{in.x - 2000, in.y});
    Send(page, WM_LBUTTONUP, 0, POINT{in.x - 2000, in.y});
    const RECT g = page->GetIci()->rctFrm;
    EXPECT_EQ(g.left, 0);
    EXPECT_EQ(g.right - g.left, f.right - f.left);
    EXPECT_EQ(g.top, f.top);
    EXPECT_EQ(Send(page, WM_KEYDOWN, VK_RIGHT, POINT{}), 1);
    EXPECT_EQ(page->GetIci()->rctFrm.left, theAppInf.sopShi.iScrSize[0]);

    // Fixed ratio with the width leading: keys 5 and 7 do nothing, 6 widens and the height follows.
    ASSERT_EQ(page->SetFrmMod(FrmModeFixedRatio), 0);
    ASSERT_EQ(page->SetFrmSiz(3, 2), 0);
    ASSERT_EQ(page->SetHrzScaFlag(1), 0);
    const RECT r = page->GetIci()->rctFrm;
    EXPECT_NEAR(Ratio(r), 1.5, 0.05);
    EXPECT_EQ(Send(page, WM_KEYDOWN, '5', POINT{}), 1);
    EXPECT_EQ(Send(page, WM_KEYDOWN, '7', POINT{}), 1);
    EXPECT_TRUE(EqualRect(&page->GetIci()->rctFrm, &r));
    theAppInf.sopShi.iScrSize[0] = 9;
    EXPECT_EQ(Send(page, WM_KEYDOWN, '6', POINT{}), 1);
    const RECT w = page->GetIci()->rctFrm;
    EXPECT_EQ(w.right - w.left, r.right - r.left + 9);
    EXPECT_NEAR(w.bottom - w.top, (w.right - w.left) * 2.0 / 3, 0.5);
    EXPECT_EQ(w.left, r.left);
    EXPECT_EQ(w.top, r.top);
}

TEST_F(FrmPageTest, GesturesAndCharactersReachTheView)
{
    Run();
    Open("oo");
    ChildViw* view = View();
    ASSERT_EQ(view->SetCurSel(1), 0);
    VktPump();
    int current = -1;
    DlgImg* page = view->GetImgPage(1);
    auto gesture = [&](DlgImg* p, POINT from, POINT to) {
        Send(p, WM_RBUTTONDOWN, MK_RBUTTON, from);
        Send(p, WM_MOUSEMOVE, MK_RBUTTON, to);
        EXPECT_EQ(Send(p, WM_RBUTTONUP, 0, to), 1);
        VktPump();
    };
    gesture(page, POINT{150, 100}, POINT{60, 104}); // left: the previous page
    view->GetCurSel(&current);
    EXPECT_EQ(current, 0);
    gesture(view->GetImgPage(0), POINT{60, 100}, POINT{160, 96}); // right: the next page
    view->GetCurSel(&current);
    EXPECT_EQ(current, 1);
    int locked = 0;
    gesture(page, POINT{100, 150}, POINT{100, 100}); // up: locked
    view->GetLockedFlag(1, &locked);
    EXPECT_EQ(locked, 1);
    gesture(page, POINT{100, 150}, POINT{103, 100}); // up again: unlocked
    view->GetLockedFlag(1, &locked);
    EXPECT_EQ(locked, 0);
    // Characters: P the previous page, N the next.
    ::SendMessageA(page->GetDraWnd(), WM_CHAR, 'p', 0);
    VktPump();
    view->GetCurSel(&current);
    EXPECT_EQ(current, 0);
    ::SendMessageA(view->GetImgPage(0)->GetDraWnd(), WM_CHAR, 'N', 0);
    VktPump();
    view->GetCurSel(&current);
    EXPECT_EQ(current, 1);
    gesture(page, POINT{100, 50}, POINT{100, 150}); // down: closed
    EXPECT_EQ(Count(), 1);
}

TEST_F(FrmPageTest, ADoubleByteCharacterIsNoFrameOrZoomKeyWhateverItsLowByte)
{
    Run();
    DlgImg* page = OpenFramed(FrmModeFree);
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(Send(page, WM_KEYDOWN, VK_HOME, POINT{}), 1);
    const RECT corner = page->GetIci()->rctFrm;
    // The page's answer to the area's reflected message: 0 hands it on to the area.
    auto answer = [&](UINT message, WPARAM wParam) {
        MSG m = {page->GetDraWnd(), message, wParam, 0, 0, {}};
        return page->SendMessage(CmnWmRfl, reinterpret_cast<WPARAM>(m.hwnd), reinterpret_cast<LPARAM>(&m));
    };
    // Katakana typed through the input method whose trail bytes are C, I, Q, W, R, E and T (either
    // case) go on to the area, and the frame stays.
    for (WPARAM code : {0x8343u, 0x8349u, 0x8351u, 0x8357u, 0x8352u, 0x8345u, 0x8354u, 0x8363u, 0x8369u}) {
        EXPECT_EQ(answer(WM_IME_CHAR, code), 0) << std::hex << code;
        EXPECT_TRUE(EqualRect(&page->GetIci()->rctFrm, &corner)) << std::hex << code;
    }
    EXPECT_EQ(answer(WM_CHAR, 'c'), 1) << "C itself centres the frame";
    EXPECT_GT(page->GetIci()->rctFrm.left, 0);
    // After a zoom with the right button held only the single-byte zoom characters pass.
    EXPECT_EQ(answer(WM_MOUSEWHEEL, MAKEWPARAM(MK_RBUTTON, WHEEL_DELTA)), 0);
    for (WPARAM code : {0x8341u, 0x8353u, 0x8358u, 0x835Au, 0x817Bu, 0x817Cu})
        EXPECT_EQ(answer(WM_IME_CHAR, code), 1) << std::hex << code;
    EXPECT_EQ(answer(WM_CHAR, 'a'), 0);
    answer(WM_RBUTTONUP, 0);
}

TEST_F(FrmPageTest, TheLargerOrientationIsLandscapeForAWideOrSquareImageAndPortraitForAHighOne)
{
    Run();
    HalcorApp* halcor = app;
    const struct {
        int w, h, landscape;
    } cases[] = {{300, 200, 1}, {200, 300, 0}, {250, 250, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + " x " + std::to_string(c.h));
        const std::string path = dir / ("img" + std::to_string(c.w) + ".bmp");
        MakeBmpFile(path, c.w, c.h, RGB(255, 0, 0), RGB(0, 0, 255));
        DlgImg* page = OpenShown(path);
        ASSERT_NE(page, nullptr);
        theAppInf.poi.pri.iOrientation = 2;
        theAppInf.poi.fri.iMode = FrmModeFree;
        ASSERT_EQ(halcor->SetPrtOrient(c.landscape ? 0 : 1), 0) << "from the other one";
        ASSERT_EQ(page->SetupPrinter(), 0);
        int landscape = -1;
        ASSERT_EQ(halcor->GetPrtOrient(&landscape), 0);
        EXPECT_EQ(landscape, c.landscape);
    }
}

TEST_F(FrmPageTest, ThePageSetFrameHasThePrintableRatioAndTurnsWithThePaper)
{
    Run();
    const std::string path = dir / "photo.bmp";
    MakeBmpFile(path, 1200, 800, RGB(255, 0, 0), RGB(0, 0, 255));
    DlgImg* page = OpenShown(path);
    ASSERT_NE(page, nullptr);
    // The defaults: fixed ratio from the page set-up, landscape for a wide image.
    const Fri& fri = theAppInf.poi.fri;
    ASSERT_EQ(fri.iMode, FrmModeFixedRatio);
    ASSERT_EQ(fri.bPagSet, 1);
    ASSERT_EQ(page->SetShwFrmFlag(1), 0);
    const Ici& ici = *page->GetIci();
    const double printable = Ratio(ici.rctPrtImg);
    EXPECT_GT(printable, 1.2) << "A4 landscape";
    EXPECT_NEAR(Ratio(ici.rctFrm) / printable, 1.0, 0.01);
    EXPECT_EQ(theAppInf.poi.pri.iOrientation, 3);
    // A portrait set-up turns the frame.
    ASSERT_EQ(app->SetPrtOrient(0), 0);
    ASSERT_EQ(page->PageSetup(), 0);
    EXPECT_EQ(theAppInf.poi.pri.iOrientation, 4);
    const double portrait = Ratio(ici.rctPrtImg);
    EXPECT_LT(portrait, 0.85);
    EXPECT_NEAR(Ratio(ici.rctFrm) / portrait, 1.0, 0.01);
    EXPECT_EQ(fri.iWidth, ici.rctPrtImg.right - ici.rctPrtImg.left);
    // Margins that leave no room are the caller's message; the frame stays.
    const RECT kept = ici.rctFrm;
    theCmnAppInf.rctPrintMargin = RECT{20000, 20000, 20000, 20000};
    EXPECT_EQ(page->PageSetup(), VKE_ERR_CUT);
    EXPECT_TRUE(EqualRect(&ici.rctFrm, &kept));
}

TEST_F(FrmPageTest, AStoredRowOnAPageNotCurrentLeavesTheApplicationsValues)
{
    Run();
    const std::string path = dir / "photo.bmp";
    MakeBmpFile(path, 1200, 800, RGB(255, 0, 0), RGB(0, 0, 255));
    DlgImg* other = OpenShown(path);
    ASSERT_NE(other, nullptr);
    DlgImg* current = OpenShown(a);
    ASSERT_NE(current, nullptr);
    ASSERT_NE(current, other);
    ASSERT_EQ(app->SetPrtOrient(1), 0);
    const Poi before = theAppInf.poi;
    const RECT margins = theCmnAppInf.rctPrintMargin;

    Opi* opi = nullptr;
    ASSERT_EQ(theVkaSubDat.AllocDat(VkaCodOpi, reinterpret_cast<Dat**>(&opi)), 0);
    opi->iFrmMode = FrmModeFixedRatio;
    opi->bPagSet = 1;
    opi->bHrzSca = 1;
    opi->bShwFrm = 1;
    opi->iWidth = opi->iHeight = 1;
    opi->iOrientation = 4;
    opi->rctMargin = RECT{1000, 1000, 1000, 1000};
    opi->rctFrm = RECT{100, 100, 700, 500};
    EXPECT_EQ(other->GetOpi(opi), 0);
    theVkaSubDat.FreeDat(VkaCodOpi, reinterpret_cast<Dat**>(&opi));

    // The page's frame has the portrait printable ratio under the row's margins.
    const Ici& ici = *other->GetIci();
    EXPECT_EQ(ici.bFrmSet, 1);
    EXPECT_LT(Ratio(ici.rctPrtImg), 0.85);
    EXPECT_NEAR(Ratio(ici.rctFrm) / Ratio(ici.rctPrtImg), 1.0, 0.01);
    EXPECT_EQ(ici.rctFrm.left, 100);
    EXPECT_EQ(ici.poi.fri.iWidth, ici.rctPrtImg.right - ici.rctPrtImg.left);
    // The application's values and printer are as they were.
    int landscape = -1;
    ASSERT_EQ(app->GetPrtOrient(&landscape), 0);
    EXPECT_EQ(landscape, 1);
    EXPECT_EQ(theAppInf.poi.fri.iWidth, before.fri.iWidth);
    EXPECT_EQ(theAppInf.poi.fri.iHeight, before.fri.iHeight);
    EXPECT_EQ(theAppInf.poi.fri.iMode, before.fri.iMode);
    EXPECT_EQ(theAppInf.poi.pri.iOrientation, before.pri.iOrientation);
    EXPECT_TRUE(EqualRect(&theCmnAppInf.rctPrintMargin, &margins));
}

TEST_F(FrmNoPrinter, APageSetFrameShowsAsPlacedWithOneMessage)
{
    {
        VktMsgBox platform({IDOK}); // Wine's own box: no default printer
        Run();
    }
    const std::string path = dir / "photo.bmp";
    MakeBmpFile(path, 1200, 800, RGB(255, 0, 0), RGB(0, 0, 255));
    DlgImg* page = OpenShown(path);
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(theAppInf.poi.fri.iMode, FrmModeFixedRatio);
    {
        VktMsgBox answer({IDOK});
        Command(ID_VKA_FRM_TOGGLE);
        ASSERT_EQ(answer.Count(), 1);
        EXPECT_EQ(answer.Seen()[0].text, "プリンタの設定でエラーが起こりました。");
    }
    EXPECT_EQ(theAppInf.poi.fri.bShwFrm, 1);
    EXPECT_FALSE(IsRectEmpty(&page->GetIci()->rctFrm));
    // A 1 x 1 image takes a frame of its one pixel, which no key empties.
    const std::string dot = dir / "dot.bmp";
    MakeBmpFile(dot, 1, 1, RGB(0, 0, 0), RGB(0, 0, 0));
    DlgImg* small = OpenShown(dot);
    ASSERT_NE(small, nullptr);
    theAppInf.poi.fri.bPagSet = 0;
    ASSERT_EQ(small->SetFrmMod(FrmModeFree), 0);
    ASSERT_EQ(small->SetShwFrmFlag(1), 0);
    const RECT one = {0, 0, 1, 1};
    EXPECT_TRUE(EqualRect(&small->GetIci()->rctFrm, &one));
    SetKeyboardState(std::vector<BYTE>(256, 0).data());
    ::SendMessageA(small->GetDraWnd(), WM_KEYDOWN, '8', 0);
    EXPECT_TRUE(EqualRect(&small->GetIci()->rctFrm, &one));
}

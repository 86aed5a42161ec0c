// The operation panel in the real main frame: its setters' ranges and where their values go (the
// current image page or the application's values), values moving with the tabs, enable states,
// the orientation a fixed ratio pins, typed sizes and their errors, the font buttons' tips and the
// print target its print buttons keep.
#include "TestChildViw.h"
#include "DlbPnlOpr.h"
#include "DlbPnlPrv.h"

namespace {

class OprTest : public SelTest {
protected:
    void Start()
    {
        Run();
        opr = &main->GetPnlOpr();
    }
    const CmnDlgInf& Inf() { return opr->GetCmnDlgInf(); }
    HWND Wnd(int slot) { return Inf().phCtlWnd[slot]; }
    std::string Shown(int slot)
    {
        char value[2048] = {};
        VkeCtlGetDataValue(Inf().ppCtl[slot], value, sizeof(value));
        return value;
    }
    // The radio button of a group that shows "1" (-1 none).
    int RadioOn(int first, int last)
    {
        int on = -1;
        for (int i = first; i <= last; ++i)
            if (Shown(i) == "1") on = i;
        return on;
    }
    // A DEVMODE block without the orientation field, as some drivers give.
    static HGLOBAL DevModeWithoutOrientation()
    {
        HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEA));
        DEVMODEA* dm = static_cast<DEVMODEA*>(::GlobalLock(block));
        strcpy(reinterpret_cast<char*>(dm->dmDeviceName), "PDF");
        dm->dmSize = sizeof(DEVMODEA);
        dm->dmSpecVersion = DM_SPECVERSION;
        dm->dmFields = DM_PAPERSIZE;
        dm->dmPaperSize = DMPAPER_A4;
        ::GlobalUnlock(block);
        return block;
    }
    std::string Font(const char* face)
    {
        LOGFONTA font = {};
        font.lfHeight = -12;
        font.lfCharSet = SHIFTJIS_CHARSET;
        strcpy(font.lfFaceName, face);
        char text[256] = {};
        theCmnSub.SetFont(text, sizeof(text), &font);
        return text;
    }

    DlbPnlOpr* opr = nullptr;
};

} // namespace

TEST_F(OprTest, SettersRefuseValuesOutOfRangeAndStoreTheOthersWithoutAPage)
{
    Start();
    DlbPnlOpr lone;
    EXPECT_EQ(lone.SetFrmMod(2, 0), VKE_ERR_NOT_INIT);
    EXPECT_EQ(lone.SetData(-1, 0), VKE_ERR_NOT_INIT);
    for (int got : {lone.GetFrmMod(), lone.GetShwFrmFlag(), lone.GetPagSetFlag(), lone.GetHrzScaFlag(),
                    lone.GetPrtOriFlag()})
        EXPECT_EQ(got, VKE_ERR_NOT_INIT);
    Poi& poi = theAppInf.poi;
    poi.pri.iOrientation = 1; // no pinning by the printer below
    const std::string font = Font("MS UI Gothic");
    const struct {
        const char* name;
        std::function<int(int)> set; // the value to set
        int bad, good;
        std::function<int()> stored;
        int slot;
    } rows[] = {
        {"SetFrmMod", [&](int v) { return opr->SetFrmMod(v, 0); }, 0, 2, [&] { return poi.fri.iMode; }, OprCtlModFree + 1},
        {"SetShwFrmFlag", [&](int v) { return opr->SetShwFrmFlag(v, 0); }, 2, 1 - poi.fri.bShwFrm, [&] { return poi.fri.bShwFrm; }, OprCtlShwFrm},
        {"SetPagSetFlag", [&](int v) { return opr->SetPagSetFlag(v, 0); }, -1, 1 - poi.fri.bPagSet, [&] { return poi.fri.bPagSet; }, OprCtlPagSet},
        {"SetOmtDlgPrtFlag", [&](int v) { return opr->SetOmtDlgPrtFlag(v, 0); }, 3, 1 - poi.pri.bOmtDlgPrt, [&] { return poi.pri.bOmtDlgPrt; }, OprCtlOmtDlg},
        {"SetHrzScaFlag", [&](int v) { return opr->SetHrzScaFlag(v, 0); }, 2, 1 - poi.fri.bHrzSca, [&] { return poi.fri.bHrzSca; }, -1},
        {"SetPrtMod", [&](int v) { return opr->SetPrtMod(v, 0); }, 7, 5, [&] { return poi.pri.iMode; }, OprCtlFit},
        {"SetPrtHdrFlag", [&](int v) { return opr->SetPrtHdrFlag(v, 0); }, 2, 1 - poi.pri.bHeader, [&] { return poi.pri.bHeader; }, OprCtlHdrOn},
        {"SetPrtFtrFlag", [&](int v) { return opr->SetPrtFtrFlag(v, 0); }, 2, 1 - poi.pri.bFooter, [&] { return poi.pri.bFooter; }, OprCtlFtrOn},
        {"SetPrtOriFlag", [&](int v) { return opr->SetPrtOriFlag(v, 0); }, 5, 2, [&] { return poi.pri.iOrientation; }, OprCtlOriCur + 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const int was = row.stored();
        EXPECT_EQ(row.set(row.bad), VKE_ERR_ARG);
        EXPECT_EQ(row.stored(), was);
        EXPECT_EQ(row.set(was), 0) << "unchanged";
        EXPECT_EQ(row.set(row.good), 0);
        EXPECT_EQ(row.stored(), row.good);
        if (row.slot == OprCtlFit) {
            EXPECT_EQ(::SendMessageA(Wnd(OprCtlFit), CB_GETCURSEL, 0, 0), row.good - 1);
        } else if (row.slot >= OprCtlModFree) {
            EXPECT_EQ(Shown(row.slot), "1");
        } else if (row.slot >= 0) {
            EXPECT_EQ(Shown(row.slot), std::to_string(row.good));
        }
    }
    EXPECT_EQ(RadioOn(OprCtlHrz, OprCtlVrt), poi.fri.bHrzSca ? OprCtlHrz : OprCtlVrt);

    EXPECT_EQ(opr->SetFrmSiz(0, 5, 0), VKE_ERR_ARG);
    EXPECT_EQ(opr->SetFrmSiz(320, 240, 0), 0);
    EXPECT_EQ(poi.fri.iWidth, 320);
    EXPECT_EQ(Shown(OprCtlHeight), "240");
    EXPECT_EQ(opr->SetPrtHdrFnt("no font", 0), VKE_ERR_ARG);
    EXPECT_EQ(opr->SetPrtHdrFnt(font.c_str(), 0), 0);
    EXPECT_EQ(Text(poi.pri.amLogFontHdr), font);
    EXPECT_EQ(opr->SetPrtFtrStr("%d / %d", 0), 0);
    EXPECT_EQ(Shown(OprCtlFooter), "%d / %d");

    // A header of 2,000 bytes of 表 (0x5C trail bytes) keeps whole characters.
    std::string header;
    while (header.size() < 2000) header += "\x95\x5C";
    EXPECT_EQ(opr->SetPrtHdrStr(header.c_str(), 0), VKE_ERR_CUT);
    const std::string kept = Text(poi.pri.amHeader);
    EXPECT_EQ(kept.size(), 1022u);
    EXPECT_EQ(kept, header.substr(0, 1022));
}

TEST_F(OprTest, ChangesGoToTheCurrentPageAndMoveWithTheTabs)
{
    Start();
    Poi& poi = theAppInf.poi;
    poi.pri.iOrientation = 1;
    ASSERT_EQ(opr->SetFrmMod(1, 0), 0);
    DlgImg* first = OpenShown(a);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetIci()->poi.fri.iMode, 1) << "the page took the application's values";
    const std::string b = dir / "b.bmp";
    MakeBmpFile(b, 40, 30, RGB(0, 255, 0), RGB(0, 255, 0));
    DlgImg* second = OpenShown(b);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(opr->GetDlgImg(), second);

    ASSERT_EQ(opr->SetFrmMod(2, 0), 0);
    ASSERT_EQ(opr->SetFrmSiz(320, 240, 0), 0);
    EXPECT_EQ(second->GetFrmMod(), 2);
    ASSERT_EQ(opr->SetPrtMod(5, 0), 0);
    ASSERT_EQ(opr->SetPrtOriFlag(4, 0), 0);
    EXPECT_EQ(second->GetIci()->poi.pri.iMode, 5) << "the page's own copy";
    EXPECT_EQ(second->GetIci()->poi.pri.iOrientation, 4);
    EXPECT_EQ(second->GetIci()->bOrnSet, 1) << "the page settled its orientation";
    // The panel turns the printer; the page only takes the setting.
    int landscape = -1;
    ASSERT_EQ(app->GetPrtOrient(&landscape), 0);
    EXPECT_EQ(landscape, 0);
    ASSERT_EQ(second->SetPrtOriFlag(3), 0);
    ASSERT_EQ(app->GetPrtOrient(&landscape), 0);
    EXPECT_EQ(landscape, 0);
    ASSERT_EQ(opr->SetPrtOriFlag(4, 0), 0);
    View()->SetCurSel(0);
    VktPump();
    EXPECT_EQ(opr->GetDlgImg(), first);
    EXPECT_EQ(opr->GetFrmMod(), 1);
    EXPECT_EQ(RadioOn(OprCtlModFree, OprCtlModRatio), OprCtlModFree) << "the panel shows the first page's mode";
    EXPECT_EQ(Shown(OprCtlWidth), "32") << "a page's frame takes its image's size";
    View()->SetCurSel(1);
    VktPump();
    EXPECT_EQ(RadioOn(OprCtlModFree, OprCtlModRatio), OprCtlModFree + 1);
    EXPECT_EQ(Shown(OprCtlWidth), "320");
    EXPECT_EQ(::SendMessageA(Wnd(OprCtlFit), CB_GETCURSEL, 0, 0), 4);
    EXPECT_EQ(RadioOn(OprCtlOriCur, OprCtlPortrait), OprCtlPortrait);

    // Without a page a value waits in the application's values for the next page.
    CloseAll();
    EXPECT_EQ(opr->GetDlgImg(), nullptr);
    ASSERT_EQ(opr->SetFrmMod(3, 0), 0);
    ASSERT_EQ(opr->SetPrtMod(6, 0), 0);
    DlgImg* next = OpenShown(a);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->GetFrmMod(), 3);
    EXPECT_EQ(next->GetIci()->poi.fri.iMode, 3);
    EXPECT_EQ(next->GetIci()->poi.pri.iMode, 6);
    EXPECT_EQ(RadioOn(OprCtlModFree, OprCtlModRatio), OprCtlModRatio);
}

TEST_F(OprTest, TheFrameModeEnablesItsControls)
{
    Start();
    theAppInf.poi.pri.iOrientation = 3;
    const int pagSetSide[] = {OprCtlPagSet, OprCtlHrz, OprCtlVrt};
    const struct {
        int mode, pagSet;
        bool pagSetSide, size, curAuto, landPort;
    } rows[] = {{1, 0, false, false, true, true},
                {2, 0, false, true, true, true},
                {3, 1, true, false, false, true},
                {3, 0, true, true, true, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.mode * 10 + row.pagSet);
        theAppInf.poi.fri.bPagSet = row.pagSet;
        ASSERT_GE(opr->SetFrmMod(row.mode, 0), 0);
        ASSERT_EQ(opr->EnableCtl(), 0);
        for (int slot : pagSetSide) EXPECT_EQ(::IsWindowEnabled(Wnd(slot)) != 0, row.pagSetSide) << slot;
        EXPECT_EQ(::IsWindowEnabled(Wnd(OprCtlWidth)) != 0, row.size);
        EXPECT_EQ(::IsWindowEnabled(Wnd(OprCtlHeight)) != 0, row.size);
        EXPECT_EQ(::IsWindowEnabled(Wnd(OprCtlOriCur)) != 0, row.curAuto);
        EXPECT_EQ(::IsWindowEnabled(Wnd(OprCtlOriCur + 1)) != 0, row.curAuto);
        EXPECT_EQ(::IsWindowEnabled(Wnd(OprCtlLandscape)) != 0, row.landPort);
        EXPECT_EQ(::IsWindowEnabled(Wnd(OprCtlPortrait)) != 0, row.landPort);
    }
    for (int on : {0, 1}) {
        ASSERT_EQ(opr->SetPrtHdrFlag(on, 0), 0);
        ASSERT_EQ(opr->SetPrtFtrFlag(1 - on, 0), 0);
        EXPECT_EQ(::IsWindowEnabled(Wnd(OprCtlHeader)) != 0, on == 1);
        EXPECT_EQ(::IsWindowEnabled(Wnd(OprCtlFntHdr)) != 0, on == 1);
        EXPECT_EQ(::IsWindowEnabled(Wnd(OprCtlFooter)) != 0, on == 0);
        EXPECT_EQ(::IsWindowEnabled(Wnd(OprCtlFntFtr)) != 0, on == 0);
        EXPECT_TRUE(::IsWindowEnabled(Wnd(OprCtlFtrOn)));
        EXPECT_TRUE(::IsWindowEnabled(Wnd(OprCtlClbMon)));
    }
}

TEST_F(OprTest, AFixedRatioOfThePageSetUpPinsTheOrientationToThePrinters)
{
    Start();
    Poi& poi = theAppInf.poi;
    ASSERT_EQ(opr->SetFrmMod(1, 0), 0);
    poi.fri.bPagSet = 1;
    poi.pri.iOrientation = 2; // 自動
    VktMsgBox answer;
    int landscape = -1;
    ASSERT_EQ(app->GetPrtOrient(&landscape), 0);
    EXPECT_EQ(opr->SetFrmMod(3, 1), 0);
    EXPECT_EQ(poi.pri.iOrientation, landscape ? 3 : 4) << "the PDF queue's";
    EXPECT_EQ(RadioOn(OprCtlOriCur, OprCtlPortrait), landscape ? OprCtlLandscape : OprCtlPortrait);
    EXPECT_EQ(answer.Count(), 0);

    // No printer: portrait, quietly.
    HGLOBAL mode = app->m_hDevMode;
    app->m_hDevMode = nullptr;
    ASSERT_EQ(opr->SetFrmMod(1, 0), 0);
    poi.pri.iOrientation = 1;
    EXPECT_EQ(opr->SetFrmMod(3, 1), 0);
    EXPECT_EQ(poi.pri.iOrientation, 4);
    EXPECT_EQ(answer.Count(), 0);

    // A device mode that holds no orientation: landscape is assumed after a message.
    app->m_hDevMode = DevModeWithoutOrientation();
    ASSERT_EQ(opr->SetFrmMod(1, 0), 0);
    poi.pri.iOrientation = 2;
    EXPECT_EQ(opr->SetFrmMod(3, 1), 1);
    EXPECT_EQ(poi.fri.iMode, 3);
    EXPECT_EQ(poi.pri.iOrientation, 3);
    ASSERT_GE(answer.Count(), 1);
    EXPECT_EQ(answer.Seen()[0].text, "\x97\x70\x8E\x86\x95\xFB\x8C\xFC\x82\xCC\x8E\xE6\x93\xBE\x82\xAA\x82\xC5\x82\xAB\x82\xDC"
                                     "\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81\x42"); // 用紙方向の取得ができませんでした。
    // The same through the fixed ratio's radio: a second notice about it while the first is
    // handled (its message shows) is refused with -7.
    ASSERT_EQ(opr->SetFrmMod(1, 0), 0);
    poi.pri.iOrientation = 2;
    const WPARAM ratio = reinterpret_cast<WPARAM>(Inf().ppCtl[OprCtlModRatio]);
    LRESULT again = 0;
    answer.OnOpen = [&](HWND) { again = opr->SendMessage(VkeWmSetChk, ratio, 1); };
    EXPECT_EQ(opr->SendMessage(VkeWmSetChk, ratio, 1), 1);
    answer.OnOpen = nullptr;
    EXPECT_EQ(again, VKE_ERR_EXISTS);
    EXPECT_EQ(poi.fri.iMode, 3);
    ::GlobalFree(app->m_hDevMode);
    app->m_hDevMode = mode;
}

TEST_F(OprTest, TypedSizesBelowOneAreErrorsAndFixedSizeFocusesTheWidth)
{
    Start();
    Poi& poi = theAppInf.poi;
    poi.pri.iOrientation = 1;
    ASSERT_EQ(opr->SetFrmMod(1, 0), 0);
    ASSERT_EQ(opr->SetFrmMod(2, 1), 0);
    const HWND width = Wnd(OprCtlWidth);
    EXPECT_TRUE(VktPumpUntil([width] { return ::GetFocus() == width; }, 10000)) << "posted to the width";
    ASSERT_EQ(opr->SetFrmSiz(200, 100, 0), 0);
    for (const char* bad : {"0", "-5", "abc", "99999999999"}) {
        SCOPED_TRACE(bad);
        TypeInto(Wnd(OprCtlWidth), bad);
        EXPECT_EQ(opr->ReadCtlData(), IDS_DLBPNL_OPR_BAD_WID);
        EXPECT_EQ(poi.fri.iWidth, 200) << "the old width stays";
        opr->SetErrorFlag(0);
    }
    TypeInto(Wnd(OprCtlWidth), "320");
    TypeInto(Wnd(OprCtlHeight), "0");
    EXPECT_EQ(opr->ReadCtlData(), IDS_DLBPNL_OPR_BAD_HEI);
    EXPECT_EQ(poi.fri.iWidth, 320);
    EXPECT_EQ(poi.fri.iHeight, 100);
    opr->SetErrorFlag(0);
    TypeInto(Wnd(OprCtlHeight), "1,234");
    EXPECT_EQ(opr->ReadCtlData(), 0);
    EXPECT_EQ(poi.fri.iHeight, 1234);
}

TEST_F(OprTest, AFixedSizeLargerThanThePictureShowsTheSizeTheFrameTakes)
{
    // The frame of a fixed size is never larger than the picture: the boxes show the size used.
    Start();
    theAppInf.poi.pri.iOrientation = 1;
    const std::string small = dir / "small.bmp";
    MakeBmpFile(small, 40, 30, RGB(0, 255, 0), RGB(0, 0, 255));
    DlgImg* page = OpenShown(small);
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(opr->SetFrmMod(2, 0), 0);
    ASSERT_EQ(opr->SetFrmSiz(20, 10, 0), 0);
    ASSERT_EQ(opr->SetShwFrmFlag(1, 0), 0);
    const Fri& fri = theAppInf.poi.fri;
    const RECT& frame = page->GetIci()->rctFrm;
    EXPECT_EQ(frame.right - frame.left, 20);
    const struct {
        int slot;
        const char* typed;
        int width, height; // the frame and the settings after it
    } rows[] = {{OprCtlWidth, "99,999,999", 40, 10}, {OprCtlHeight, "99999999", 40, 30}, {OprCtlWidth, "25", 25, 30}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        TypeInto(Wnd(row.slot), row.typed);
        EXPECT_EQ(opr->ReadCtlData(), 0);
        EXPECT_EQ(frame.right - frame.left, row.width);
        EXPECT_EQ(frame.bottom - frame.top, row.height);
        EXPECT_EQ(fri.iWidth, row.width);
        EXPECT_EQ(fri.iHeight, row.height);
        EXPECT_EQ(page->GetIci()->poi.fri.iWidth, row.width) << "the page's own copy";
        EXPECT_EQ(Shown(OprCtlWidth), std::to_string(row.width));
        EXPECT_EQ(Shown(OprCtlHeight), std::to_string(row.height));
    }
    char text[32] = {};
    ::GetWindowTextA(Wnd(OprCtlHeight), text, sizeof(text));
    EXPECT_STREQ(text, "30");
}

TEST_F(OprTest, TheFontButtonsTipIsTheFacesName)
{
    Start();
    ASSERT_EQ(opr->SetPrtHdrFlag(1, 0), 0);
    ASSERT_EQ(opr->SetPrtHdrFnt(Font("Tahoma").c_str(), 0), 0);
    NMTTDISPINFOA tip = {};
    tip.hdr.hwndFrom = nullptr;
    tip.hdr.idFrom = reinterpret_cast<UINT_PTR>(Wnd(OprCtlFntHdr));
    tip.hdr.code = TTN_NEEDTEXTA;
    tip.uFlags = TTF_IDISHWND;
    LRESULT result = -1;
    ASSERT_TRUE(opr->OnTtnNeedText(0, &tip.hdr, &result));
    ASSERT_NE(tip.lpszText, nullptr);
    EXPECT_STREQ(tip.lpszText, "Tahoma");
}

TEST_F(OprTest, APrintButtonKeepsItsTargetOnlyWhileItHasTheFocus)
{
    Put("SopPni_bPrvImgTab", "0");
    Start();
    DlbPnlPrv& prv = main->GetPnlPrv();
    ASSERT_EQ(prv.PreviewImage(a.c_str()), 0);
    ChildViw* view = View();
    VkeDraSetFocusDra(prv.GetDra());
    VktPump();
    // The button takes the print command's state as the idle moment gives it.
    main->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    ASSERT_TRUE(::IsWindowEnabled(Wnd(OprCtlPrint)));
    ::SetFocus(Wnd(OprCtlPrint));
    VktPump();
    EXPECT_EQ(view->GetPrintTarget(), &prv) << "the preview had the focus";
    ::SetFocus(Wnd(OprCtlOmtDlg));
    VktPump();
    EXPECT_EQ(view->GetPrintTarget(), nullptr) << "a later Ctrl+P prints no stale window";
}

TEST_F(OprTest, TheControlsPaintInsideTheirGroupBoxes)
{
    Start();
    theAppInf.poi.pri.iOrientation = 1;
    ASSERT_EQ(opr->SetFrmMod(2, 0), 0);
    ASSERT_EQ(opr->SetFrmSiz(88888, 88888, 0), 0);
    main->SetForegroundWindow();
    opr->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    VktPump(50);
    // The width edit's digits as the panel's window shows them.
    CRect r;
    ::GetWindowRect(Wnd(OprCtlWidth), &r);
    opr->ScreenToClient(&r);
    VktDib dib(r.Width(), r.Height());
    HDC dc = ::GetDC(opr->m_hWnd);
    ::BitBlt(dib.Dc(), 0, 0, r.Width(), r.Height(), dc, r.left, r.top, SRCCOPY);
    ::ReleaseDC(opr->m_hWnd, dc);
    int dark = 0;
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x) {
            const COLORREF c = dib.At(x, y);
            dark += GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
        }
    EXPECT_GT(dark, 5) << "the digits show (none where the group box covers them)";
}

TEST_F(OprTest, AWidthTypedWhileItsPageClosesIsKeptForTheNextPage)
{
    Start();
    theAppInf.poi.pri.iOrientation = 1;
    ASSERT_EQ(opr->SetFrmMod(2, 0), 0);
    ASSERT_NE(OpenShown(a), nullptr);
    TypeInto(Wnd(OprCtlWidth), "321");
    CloseAll();
    VktPump();
    EXPECT_EQ(opr->GetDlgImg(), nullptr);
    EXPECT_EQ(opr->ReadCtlData(), 0);
    EXPECT_EQ(theAppInf.poi.fri.iWidth, 321);
    EXPECT_EQ(Shown(OprCtlWidth), "321");
}

TEST_F(OprTest, AWriteLeavesControlsThatShowTheirValueAndPutsItBackWhereTheUserChangedIt)
{
    Start();
    Poi& poi = theAppInf.poi;
    poi.pri.iOrientation = 1;
    ASSERT_EQ(opr->SetFrmMod(2, 0), 0);
    ASSERT_EQ(opr->SetFrmSiz(200, 100, 0), 0);
    ASSERT_EQ(opr->SetData(-1, 0), 0);
    VktPump();
    for (int slot = OprCtlWidth; slot < OprCtlCnt; ++slot) ::UpdateWindow(Wnd(slot));
    // Nothing changed: no control is written again, so none waits to be painted.
    ASSERT_EQ(opr->SetData(-1, 0), 0);
    for (int slot = OprCtlWidth; slot < OprCtlCnt; ++slot)
        EXPECT_FALSE(::GetUpdateRect(Wnd(slot), nullptr, FALSE)) << slot;

    // A width typed and refused shows the application's width again with the next write.
    TypeInto(Wnd(OprCtlWidth), "0");
    EXPECT_EQ(opr->ReadCtlData(), IDS_DLBPNL_OPR_BAD_WID);
    opr->SetErrorFlag(0);
    ::SetFocus(main->m_hWnd);
    VktPump();
    EXPECT_EQ(Shown(OprCtlWidth), "0");
    opr->ReadCtlData();
    EXPECT_EQ(poi.fri.iWidth, 200);
    ASSERT_EQ(opr->SetData(-1, 0), 0);
    EXPECT_EQ(Shown(OprCtlWidth), "200");
    // A mode clicked, then the value changed back elsewhere: the group shows it.
    VktClick(opr->m_hWnd, IDC_DLBPNL_OPR_MOD_FREE);
    VktPump();
    EXPECT_EQ(poi.fri.iMode, 1);
    poi.fri.iMode = 2;
    ASSERT_EQ(opr->SetData(-1, 0), 0);
    EXPECT_EQ(RadioOn(OprCtlModFree, OprCtlModRatio), OprCtlModFree + 1);
}

TEST_F(OprTest, EveryControlShowsTheSettingsFontAndColoursOfItsKind)
{
    Start();
    for (int slot = 0; slot < Inf().iCtlCnt; ++slot) {
        VkiCtl* ctl = Inf().ppCtl[slot];
        int type = 0;
        ASSERT_EQ(VkeCtlGetCtlType(ctl, &type), 0);
        LOGFONTA want = {}, shown = {};
        ASSERT_EQ(theCmnSub.GetFont(CmnKndCtl, type, &want), 0);
        HFONT font = nullptr;
        VkeCtlGetFontHandle(ctl, &font);
        EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageA(Wnd(slot), WM_GETFONT, 0, 0)), font) << slot;
        ASSERT_EQ(::GetObjectA(font, sizeof(shown), &shown), static_cast<int>(sizeof(shown))) << slot;
        EXPECT_EQ(shown.lfHeight, want.lfHeight) << slot;
        EXPECT_EQ(shown.lfWeight, want.lfWeight) << slot;
        EXPECT_EQ(shown.lfQuality, want.lfQuality) << slot;
        EXPECT_STREQ(shown.lfFaceName, want.lfFaceName) << slot;
        COLORREF text = 0, back = 0, color = 0;
        VkeCtlGetTextColor(ctl, &text);
        VkeCtlGetBackColor(ctl, &back);
        if (theCmnSub.GetTextColor(CmnKndCtl, type, &color) == 0) {
            EXPECT_EQ(text, color) << slot;
        }
        if (theCmnSub.GetBackColor(CmnKndCtl, type, &color) == 0) {
            EXPECT_EQ(back, color) << slot;
        }
    }
    // The panel answers with its own font again once its controls have started.
    HFONT own = reinterpret_cast<HFONT>(opr->SendMessage(WM_GETFONT));
    LOGFONTA lf = {};
    EXPECT_EQ(::GetObjectA(own, sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
}

// With the keyboard on a check box of the panel the edit commands are the page's, as from the
// page itself: the image copied and cut, no text box's states.
TEST_F(OprTest, EditCommandsFromACheckBoxGoToThePage)
{
    Start();
    DlgImg* page = OpenShown(a);
    ASSERT_NE(page, nullptr);
    ::SetFocus(Wnd(OprCtlShwFrm));
    VktPump();
    ASSERT_EQ(::GetFocus(), Wnd(OprCtlShwFrm));
    EXPECT_EQ(Update(ID_EDIT_COPY), 1);
    EXPECT_EQ(Update(ID_EDIT_CUT), 1);
    EXPECT_EQ(Update(ID_EDIT_UNDO), 0) << "the page has no step yet";
    EXPECT_EQ(Update(ID_EDIT_CLEAR), 0);
    Command(ID_EDIT_COPY);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT)) << "not the check box's value";
    CloseClipboard();
    // The frame shown and cut: the page takes the frame's part.
    ASSERT_EQ(opr->SetShwFrmFlag(1, 0), 0);
    page->GetIci()->rctFrm = RECT{4, 2, 20, 12};
    ::SetFocus(Wnd(OprCtlShwFrm));
    VktPump();
    Command(ID_EDIT_CUT);
    EXPECT_EQ(page->GetIci()->pthImg.iWidth, 16);
    EXPECT_EQ(page->GetIci()->pthImg.iHeight, 10);
    EXPECT_EQ(Update(ID_EDIT_UNDO), 1);
}

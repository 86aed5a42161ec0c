// The image page's edits: every depth turned, flipped and cut with undo and redo giving the exact
// images back, cut and copy as the clipboard receives them, paste as new pages, the base's
// slots while the drawing area is not focused, and a change whose undo step cannot be kept.
#include "TestDlgImgEdt.h"
#include "CmnRes.h"
#include "DlbPnlOpr.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

std::vector<BYTE> Row(const BYTE* p, int width, int bits)
{
    const int bytes = (width * bits + 7) / 8;
    std::vector<BYTE> row(p, p + bytes);
    // The bits past the last pixel are no part of the image.
    if ((width * bits) % 8) row.back() &= static_cast<BYTE>(0xFF << (8 - (width * bits) % 8));
    return row;
}

// A file list on the clipboard.
void PutFiles(HWND owner, const std::vector<std::string>& paths)
{
    std::string names;
    for (const std::string& p : paths) names += p + '\0';
    names += '\0';
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(DROPFILES) + names.size());
    DROPFILES* drop = static_cast<DROPFILES*>(GlobalLock(block));
    memset(drop, 0, sizeof(DROPFILES));
    drop->pFiles = sizeof(DROPFILES);
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(block);
    SetClipboardData(CF_HDROP, block);
    CloseClipboard();
    VktPump(50);
}

void PutText(HWND owner, const char* text)
{
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
    memcpy(GlobalLock(block), text, strlen(text) + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
    VktPump(50);
}

// The convert-size dialog answered with 100 % in the percent form.
int ConvertAt100(DlgImg* page)
{
    int rc = 99;
    VktStep percent = [](HWND box) {
        VktClick(box, IDC_CMN_RDO_1);
        TypeInto(::GetDlgItem(box, IDC_CMN_EDT_1), "100");
    };
    VktDrive([&] { rc = page->CnvSiz(); }, {percent}, {IDOK});
    return rc;
}

// A page whose undo snapshots cannot be made, as when memory runs out.
class NoSnapshotPage : public DlgImg {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        EudReq* req = reinterpret_cast<EudReq*>(wParam);
        if (message == VkeWmEudDat && req && req->iRequest == VKE_EUD_MAKE) {
            req->iResult = VKE_ERR_MEMORY;
            return 1;
        }
        return DlgImg::WindowProc(message, wParam, lParam);
    }
};

std::vector<std::string> g_reports;

LRESULT CALLBACK WatchReports(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == VkeWmTraceError && sent->wParam)
        g_reports.push_back(reinterpret_cast<const char*>(sent->wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

ReportWatch::ReportWatch()
{
    g_reports.clear();
    m_hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchReports, nullptr, GetCurrentThreadId());
}

ReportWatch::~ReportWatch() { UnhookWindowsHookEx(m_hook); }

const std::vector<std::string>& ReportWatch::Names() const { return g_reports; }

// ---- The shots ----

DWORD Shot::At(int x, int y) const
{
    const std::vector<BYTE>& row = rows[static_cast<size_t>(y)];
    if (bits < 8) {
        const int bit = x * bits, shift = 8 - bits - bit % 8;
        return (row[static_cast<size_t>(bit / 8)] >> shift) & ((1u << bits) - 1);
    }
    DWORD v = 0;
    const int n = bits / 8;
    for (int i = 0; i < n; ++i) v |= static_cast<DWORD>(row[static_cast<size_t>(x * n + i)]) << (8 * i);
    return v;
}

bool Shot::SameTable(const Shot& o) const
{
    if (table.size() != o.table.size()) return false;
    for (size_t i = 0; i < table.size(); ++i)
        if (memcmp(&table[i], &o.table[i], sizeof(RGBQUAD)) != 0) return false;
    return true;
}

bool Shot::operator==(const Shot& o) const
{
    return SameImage(o) && xRes == o.xRes && yRes == o.yRes && type == o.type && known == o.known && mode == o.mode &&
           num == o.num && den == o.den && flpTb == o.flpTb && flpLr == o.flpLr && rotate == o.rotate &&
           EqualRect(&frame, &o.frame);
}

Shot TakeBitmap(HBITMAP bitmap)
{
    Shot s;
    DIBSECTION ds = {};
    if (!bitmap || GetObjectA(bitmap, sizeof(ds), &ds) != sizeof(ds)) return s;
    GdiFlush();
    s.width = ds.dsBm.bmWidth;
    s.height = ds.dsBm.bmHeight;
    s.bits = ds.dsBm.bmBitsPixel;
    const BYTE* bits = static_cast<const BYTE*>(ds.dsBm.bmBits);
    const bool bottomUp = ds.dsBmih.biHeight > 0;
    for (int y = 0; y < s.height; ++y)
        s.rows.push_back(Row(bits + static_cast<size_t>(bottomUp ? s.height - 1 - y : y) * ds.dsBm.bmWidthBytes,
                             s.width, s.bits));
    if (s.bits <= 8) {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        RGBQUAD table[256];
        s.table.assign(table, table + GetDIBColorTable(dc, 0, 256, table));
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    return s;
}

Shot TakeShot(DlgImg* page)
{
    const Ici& ici = *page->GetIci();
    Shot s = TakeBitmap(ici.pthImg.hImg);
    s.xRes = ici.pthImg.fXRes;
    s.yRes = ici.pthImg.fYRes;
    s.type = ici.pthImg.iTypImg;
    s.known = ici.pthImg.bKnown;
    s.mode = ici.iModeSca;
    s.num = ici.lScaNum;
    s.den = ici.lScaDen;
    s.flpTb = ici.bFlpTb;
    s.flpLr = ici.bFlpLr;
    s.rotate = ici.dRotate;
    s.frame = ici.rctFrm;
    return s;
}

HBITMAP MakeNoiseDib(int width, int height, int bits, unsigned seed)
{
    HBITMAP b = nullptr;
    EXPECT_EQ(theCmnImg.CreateDIB(nullptr, width, height, bits, &b), 0);
    DIBSECTION ds = {};
    GetObjectA(b, sizeof(ds), &ds);
    BYTE* p = static_cast<BYTE*>(ds.dsBm.bmBits);
    const size_t size = static_cast<size_t>(ds.dsBm.bmWidthBytes) * height;
    for (size_t i = 0; i < size; ++i) {
        seed = seed * 1103515245u + 12345u;
        p[i] = static_cast<BYTE>(seed >> 16);
    }
    if (bits == 16)
        for (size_t i = 1; i < size; i += 2) p[i] &= 0x7F;
    if (bits <= 8) {
        RGBQUAD table[256];
        for (int i = 0; i < 256; ++i) table[i] = {static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 7), 0};
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, b);
        SetDIBColorTable(dc, 0, 1u << bits, table);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    return b;
}

Shot ReadClbDib()
{
    Shot s;
    if (!OpenClipboard(nullptr)) return s;
    HGLOBAL block = GetClipboardData(CF_DIB);
    const BITMAPINFOHEADER* h = block ? static_cast<const BITMAPINFOHEADER*>(GlobalLock(block)) : nullptr;
    if (h) {
        s.width = h->biWidth;
        s.height = std::abs(h->biHeight);
        s.bits = h->biBitCount;
        int entries = s.bits <= 8 ? (h->biClrUsed ? static_cast<int>(h->biClrUsed) : 1 << s.bits) : 0;
        const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(h) + h->biSize);
        s.table.assign(table, table + entries);
        if (h->biCompression == BI_BITFIELDS) entries += 3;
        const BYTE* rows = reinterpret_cast<const BYTE*>(h) + h->biSize + entries * 4;
        const int stride = ((s.width * s.bits + 31) / 32) * 4;
        for (int y = 0; y < s.height; ++y)
            s.rows.push_back(Row(rows + static_cast<size_t>(h->biHeight > 0 ? s.height - 1 - y : y) * stride, s.width, s.bits));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return s;
}

// ---- Every depth ----

// One depth a test, so the depths spread over the suite's entries and cores.
class EdtDepthTest : public EdtTest, public ::testing::WithParamInterface<int> {};

TEST_P(EdtDepthTest, TurnedFlippedAndCutIsExactAndUndoAndRedoGiveBothStatesBack)
{
    const RECT frame = {3, 2, 20, 15};
    using Map = std::function<DWORD(const Shot& in, int x, int y)>; // the source pixel of (x, y)
    const struct Op {
        const char* name;
        std::function<int(DlgImg*)> run;
        bool turns;  // width and height exchanged
        bool framed; // the frame shown over frame first
        Map source;
    } ops[] = {
        {"90", [](DlgImg* p) { return p->RotateImage(90); }, true, false,
         [](const Shot& in, int x, int y) { return in.At(y, in.height - 1 - x); }},
        {"180", [](DlgImg* p) { return p->RotateImage(180); }, false, false,
         [](const Shot& in, int x, int y) { return in.At(in.width - 1 - x, in.height - 1 - y); }},
        {"270", [](DlgImg* p) { return p->RotateImage(270); }, true, false,
         [](const Shot& in, int x, int y) { return in.At(in.width - 1 - y, x); }},
        {"top-bottom", [](DlgImg* p) { return p->ReflectImage(1); }, false, false,
         [](const Shot& in, int x, int y) { return in.At(x, in.height - 1 - y); }},
        {"left-right", [](DlgImg* p) { return p->ReflectImage(0); }, false, false,
         [](const Shot& in, int x, int y) { return in.At(in.width - 1 - x, y); }},
        {"cut", [](DlgImg* p) { return p->EditCut(); }, false, true,
         [](const Shot& in, int x, int y) { return in.At(x + 3, y + 2); }},
        {"cut shown", [](DlgImg* p) { return p->EditCutShw(); }, false, true,
         [](const Shot& in, int x, int y) { return in.At(x + 3, y + 2); }},
        {"converted at 100 %", [](DlgImg* p) { return ConvertAt100(p); }, false, false,
         [](const Shot& in, int x, int y) { return in.At(x, y); }},
    };
    const int bits = GetParam();
    unsigned seed = static_cast<unsigned>(bits) * 16;
    for (const Op& op : ops) {
        SCOPED_TRACE(std::to_string(bits) + " bits, " + op.name);
        DlgImg* page = PageWith(MakeNoiseDib(37, 23, bits, ++seed));
        ASSERT_NE(page, nullptr);
        ASSERT_EQ(page->SetModifiedFlag(0), VKE_OK);
        if (op.framed) SetFrame(page, frame);
        const Shot before = TakeShot(page);
        ASSERT_EQ(op.run(page), VKE_OK);
        const Shot after = TakeShot(page);
        EXPECT_EQ(after.bits, bits);
        EXPECT_TRUE(after.SameTable(before));
        const int w = op.framed ? 17 : op.turns ? 23 : 37, h = op.framed ? 13 : op.turns ? 37 : 23;
        ASSERT_EQ(after.width, w);
        ASSERT_EQ(after.height, h);
        int wrong = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) wrong += after.At(x, y) != op.source(before, x, y);
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(page->GetModifiedFlag(), 1);
        EXPECT_EQ(::GetFocus(), page->GetDraWnd());

        ASSERT_EQ(page->EditUnd(), VKE_OK);
        EXPECT_TRUE(TakeShot(page) == before) << "undone";
        ASSERT_EQ(page->EditRdo(), VKE_OK);
        EXPECT_TRUE(TakeShot(page) == after) << "done again";
        ASSERT_EQ(View()->ClosePage(Count() - 1, 1, 1, 0), VKE_OK);
    }
    // Four quarter turns and two flips each way: the image as it was, rotation and flips 0.
    DlgImg* page = PageWith(MakeNoiseDib(37, 23, bits, ++seed));
    ASSERT_NE(page, nullptr);
    const Shot before = TakeShot(page);
    for (int i = 0; i < 4; ++i) ASSERT_EQ(page->RotateImage(90), VKE_OK);
    for (int direction : {1, 1, 0, 0}) ASSERT_EQ(page->ReflectImage(direction), VKE_OK);
    EXPECT_TRUE(TakeShot(page) == before) << bits << " bits turned round";
    ASSERT_EQ(View()->ClosePage(Count() - 1, 1, 1, 0), VKE_OK);
    EXPECT_TRUE(reports.Names().empty()) << reports.Names()[0];
}

INSTANTIATE_TEST_SUITE_P(Depth, EdtDepthTest, ::testing::Values(1, 4, 8, 16, 24, 32),
                         [](const ::testing::TestParamInfo<int>& info) { return std::to_string(info.param) + "Bits"; });

// ---- Cut, copy, paste ----

TEST_F(EdtTest, CutWithoutAFrameKeepsTheWholeImageAndCopiesAtShownSizeGoToTheClipboard)
{
    DlgImg* page = PageWith(MakeNoiseDib(64, 32, 24, 7));
    ASSERT_NE(page, nullptr);
    const Shot whole = TakeShot(page);
    // Cut without a frame: the whole image copied, the page as it was (no step, not changed);
    // at the shown size of 100 % the same.
    ASSERT_EQ(page->GetModifiedFlag(), 0);
    ASSERT_EQ(page->EditCut(), VKE_OK);
    EXPECT_TRUE(TakeShot(page).SameImage(whole));
    EXPECT_TRUE(ReadClbDib().SameImage(whole));
    EXPECT_EQ(UndoSteps(page), 0);
    EXPECT_EQ(page->GetModifiedFlag(), 0);
    ::OpenClipboard(nullptr);
    ::EmptyClipboard();
    ::CloseClipboard();
    ASSERT_EQ(page->EditCutShw(), VKE_OK);
    EXPECT_TRUE(ReadClbDib().SameImage(whole));
    EXPECT_EQ(UndoSteps(page), 0);
    EXPECT_EQ(page->GetModifiedFlag(), 0);
    // Shown at 100 %: the copy is the image's own bits; at 50 %, half its size.
    ASSERT_EQ(page->EditCpyShw(), VKE_OK);
    EXPECT_TRUE(ReadClbDib().SameImage(whole));
    ASSERT_EQ(page->SetScale(1, 2), VKE_OK);
    ASSERT_EQ(page->EditCpyShw(), VKE_OK);
    Shot half = ReadClbDib();
    EXPECT_EQ(half.width, 32);
    EXPECT_EQ(half.height, 16);
    EXPECT_TRUE(TakeShot(page).SameImage(whole)) << "a copy leaves the page";
    // The frame's part: copied at its own size, and at the shown size.
    SetFrame(page, RECT{10, 4, 30, 24});
    ASSERT_EQ(page->EditCpy(), VKE_OK);
    Shot part = ReadClbDib();
    ASSERT_EQ(part.width, 20);
    ASSERT_EQ(part.height, 20);
    EXPECT_EQ(part.At(0, 0), whole.At(10, 4));
    EXPECT_EQ(part.At(19, 19), whole.At(29, 23));
    ASSERT_EQ(page->EditCpyShw(), VKE_OK);
    EXPECT_EQ(ReadClbDib().width, 10);
    // Cut at the shown size: the half-size part becomes the page, the frame goes.
    ASSERT_EQ(page->EditCutShw(), VKE_OK);
    EXPECT_EQ(page->GetIci()->pthImg.iWidth, 10);
    EXPECT_EQ(page->GetIci()->pthImg.iHeight, 10);
    EXPECT_EQ(theAppInf.poi.fri.bShwFrm, 0);
    EXPECT_TRUE(IsRectEmpty(&page->GetIci()->rctFrm));
    EXPECT_EQ(ReadClbDib().width, 10);

    // The path as text.
    DlgImg* named = OpenPage(a);
    ASSERT_NE(named, nullptr);
    ASSERT_EQ(named->EditCpyPth(), VKE_OK);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HGLOBAL text = GetClipboardData(CF_TEXT);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(text))), std::string(named->GetPathName()));
    GlobalUnlock(text);
    CloseClipboard();
    EXPECT_TRUE(reports.Names().empty()) << reports.Names()[0];
}

TEST_F(EdtTest, PastedFilesOpenAsPagesAndThePageKeepsItsImage)
{
    const std::string b = dir / "b.bmp", c = dir / "c.bmp", gone = dir / "gone.bmp";
    MakeBmpFile(b, 20, 10, kBlue, kRed);
    MakeBmpFile(c, 10, 20, kRed, kBlue);
    DlgImg* page = PageWith(MakeNoiseDib(40, 30, 24, 3));
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->SetModifiedFlag(0), VKE_OK);
    const HBITMAP image = page->GetIci()->pthImg.hImg;
    const int pages = Count();

    PutFiles(main->m_hWnd, {b, c});
    Focus(page);
    int flag = 0;
    EXPECT_EQ(page->GetEditPstFlag(&flag), VKE_OK);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(page->EditPst(), VKE_OK);
    EXPECT_EQ(Count(), pages + 2);
    EXPECT_EQ(page->GetIci()->pthImg.hImg, image);
    EXPECT_EQ(page->GetModifiedFlag(), 0);

    // Text only: nothing to paste. Files that are gone: said, nothing opened.
    Focus(page);
    PutText(main->m_hWnd, "text");
    EXPECT_EQ(page->GetEditPstFlag(&flag), VKE_OK);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(page->EditPst(), VKE_NOT_DONE);
    PutFiles(main->m_hWnd, {gone});
    Focus(page);
    {
        VktMsgBox answer({IDOK});
        page->EditPst();
        EXPECT_GE(answer.Count(), 1);
    }
    EXPECT_EQ(Count(), pages + 2);
    EXPECT_EQ(page->GetIci()->pthImg.hImg, image);

    // A copied image becomes a new page.
    Focus(page);
    ASSERT_EQ(page->EditCpy(), VKE_OK);
    EXPECT_EQ(page->EditPst(), VKE_OK);
    EXPECT_EQ(Count(), pages + 3);
    EXPECT_EQ(page->GetIci()->pthImg.hImg, image);
}

TEST_F(EdtTest, WithoutTheDrawingAreaFocusedTheBasesSlotsAnswerAndTheImageStays)
{
    DlgImg* page = PageWith(MakeNoiseDib(40, 30, 24, 5));
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->RotateImage(90), VKE_OK);
    int flag = 0;
    EXPECT_EQ(page->GetEditUndFlag(&flag), VKE_OK);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(page->IsDIBAttached(), 1);
    Probe probe;
    probe.m_nID = ID_VKA_IMG_ROT_90;
    probe.DoUpdate(page, FALSE);
    EXPECT_EQ(probe.enabled, 1);

    // The focus on the operation panel's edit: the page's image is no longer the edits' target.
    HWND edit = EditIn(&main->GetPnlOpr());
    ::SetFocus(edit);
    VktPump();
    const Shot shown = TakeShot(page);
    for (auto get : {&DlgImg::GetEditUndFlag, &DlgImg::GetEditCutFlag, &DlgImg::GetEditCpyFlag}) {
        flag = 1;
        (page->*get)(&flag);
        EXPECT_EQ(flag, 0);
    }
    page->EditUnd();
    page->EditCut();
    EXPECT_TRUE(TakeShot(page) == shown);
    int num = 5, den = 5, mode = 5;
    page->GetScale(&num, &den);
    page->GetScaleMode(&mode);
    EXPECT_EQ(num, 0);
    EXPECT_EQ(den, 1);
    EXPECT_EQ(mode, 0);
    EXPECT_EQ(page->SaveState(), VKE_NOT_DONE);
    EXPECT_EQ(page->IsDIBAttached(), 0);
    Probe off;
    off.m_nID = ID_VKA_IMG_ROT_90;
    off.DoUpdate(page, FALSE);
    EXPECT_EQ(off.enabled, 0);
    // The view's rule asks only for an image; its command turns the page.
    EXPECT_EQ(Update(ID_VKA_IMG_ROT_90), 1);
    Command(ID_VKA_IMG_ROT_90);
    EXPECT_EQ(page->GetIci()->dRotate, 180);
    ::DestroyWindow(edit);
}

TEST_F(EdtTest, FromAPanelsButtonTheEditCommandsWorkOnTheCurrentPage)
{
    DlgImg* page = PageWith(MakeNoiseDib(64, 32, 24, 11));
    ASSERT_NE(page, nullptr);
    theAppInf.poi.fri.bPagSet = 0;
    ASSERT_EQ(page->SetFrmMod(FrmModeFree), VKE_OK);
    ASSERT_EQ(page->RotateImage(180), VKE_OK);
    const Shot turned = TakeShot(page);

    // The keyboard on the operation panel's 枠表示, clicked: the frame shows.
    DlbPnlOpr& opr = main->GetPnlOpr();
    HWND box = ::GetDlgItem(opr.m_hWnd, IDC_DLBPNL_OPR_SHWFRM);
    ASSERT_NE(box, nullptr);
    FocusItem(opr.m_hWnd, box);
    ::SendMessageA(box, BM_CLICK, 0, 0);
    VktPump();
    ASSERT_EQ(::GetFocus(), box);
    ASSERT_TRUE(page->IsFrmShown());
    SetFrame(page, RECT{8, 4, 40, 20});

    // The menu is the page's: undo, cut and copy (also at the shown size); no delete.
    EXPECT_EQ(Update(ID_EDIT_UNDO), 1);
    EXPECT_EQ(Update(ID_EDIT_CUT), 1);
    EXPECT_EQ(Update(ID_EDIT_COPY), 1);
    EXPECT_EQ(Update(ID_VKA_CUT_SHOWN), 1);
    EXPECT_EQ(Update(ID_VKA_COPY_SHOWN), 1);
    EXPECT_EQ(Update(ID_EDIT_CLEAR), 0);

    // Copy puts the frame's part on the clipboard, not the box's value.
    Command(ID_EDIT_COPY);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    const Shot part = ReadClbDib();
    EXPECT_EQ(part.width, 32);
    EXPECT_EQ(part.height, 16);
    EXPECT_EQ(part.At(0, 0), turned.At(8, 4));
    Command(ID_EDIT_CLEAR);
    EXPECT_EQ(::SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(page->IsFrmShown());

    // Cut crops the page to the frame; undo from the box brings the turned image back.
    Command(ID_EDIT_CUT);
    EXPECT_EQ(page->GetIci()->pthImg.iWidth, 32);
    EXPECT_EQ(page->GetIci()->pthImg.iHeight, 16);
    FocusItem(opr.m_hWnd, box);
    ASSERT_EQ(::GetFocus(), box);
    Command(ID_EDIT_UNDO);
    EXPECT_TRUE(TakeShot(page).SameImage(turned));
    EXPECT_TRUE(reports.Names().empty()) << reports.Names()[0];
}

TEST_F(EdtTest, AChangeWhoseUndoStepCannotBeKeptDoesNotHappen)
{
    NoSnapshotPage* page = new NoSnapshotPage;
    ASSERT_TRUE(page->Create(IDD_DLGIMG, CWnd::FromHandle(TabWnd())));
    ASSERT_EQ(View()->OpenPage(page, -1, app->NextPageNo(), CmnTypImg, 0, ""), 0);
    View()->SetCurSel(Count() - 1);
    Adi adi = {MakeNoiseDib(30, 20, 24, 9), 2, 96, 96, 1, VKE_DRA_SCALE_FRACTION, 1, 1, 1, 0};
    ASSERT_EQ(page->AttachDIB(adi), VKE_OK);
    Focus(page);
    // A frame, so that the cut is a change too.
    SetFrame(page, RECT{2, 2, 20, 12});
    const Shot before = TakeShot(page);
    VktMsgBox answer({IDOK});
    EXPECT_EQ(page->RotateImage(90), VKE_ERR_MEMORY);
    EXPECT_EQ(page->ReflectImage(0), VKE_ERR_MEMORY);
    EXPECT_EQ(page->EditCut(), VKE_ERR_MEMORY);
    ASSERT_EQ(answer.Count(), 3);
    EXPECT_NE(answer.Seen()[0].text.find("メモリ不足"), std::string::npos) << answer.Seen()[0].text;
    EXPECT_TRUE(TakeShot(page) == before);
    EXPECT_EQ(page->GetModifiedFlag(), 0);
    EXPECT_EQ(UndoSteps(page), 0);
}

// The image page: where its drawing area goes, its folder and scale texts, drawing into a DIB
// section at 1:1, fitted and without an image, the undo data, its path, title and status line.
#include "TestVkaOpn.h"
#include "CmnImg.h"
#include "CmnWin.h"
#include "HalcorRes.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0);

std::string Full(const std::string& path)
{
    char full[CmnPathSize] = {};
    VkeSubGetPathName(theCmnAppInf.pSub, full, path.c_str(), sizeof(full));
    return full;
}

// The page's drawing of the rectangle (scaled units, the area's scroll at 0) into a DIB section.
void Draw(DlgImg* page, const VktDib& dib, int width, int height)
{
    int num = 1, den = 1;
    VkeDraGetScale(page->GetDra(), &num, &den);
    Dri dri = {dib.Dc(), num, den, RECT{0, 0, width, height}, 0, 1};
    ASSERT_EQ(page->SendMessage(VkeWmDrw, reinterpret_cast<WPARAM>(page->GetDra()), reinterpret_cast<LPARAM>(&dri)),
              1);
}

COLORREF Back(DlgImg* page)
{
    COLORREF back = 0;
    VkeDraGetBackColor(page->GetDra(), &back);
    return back;
}

} // namespace

TEST(DlgImgRules, TheDrawingAreaTheFolderTextAndTheScaleText)
{
    const struct {
        int cx, cy;
        RECT rect;
    } areas[] = {{50, 50, {3, 3, 103, 103}}, {206, 106, {3, 3, 203, 103}}, {300, 200, {3, 3, 297, 197}}};
    for (const auto& a : areas) EXPECT_EQ(DlgImg::GetDraRect(a.cx, a.cy), CRect(a.rect)) << a.cx << " x " << a.cy;

    // Separators are found by characters: the second byte of 表 is 0x5C.
    const struct {
        const char* folder;
        const char* text;
    } dirs[] = {{"C:", "C:\\"},
                {"C:\\a", "C:\\a"},
                {"C:\\a\\b\\c", "C:\\...\\c"},
                {"C:\\表", "C:\\表"},
                {"C:\\ソ\\表", "C:\\...\\表"},
                {"C:\\表\\ソ能", "C:\\...\\ソ能"},
                {"\\\\server\\share", "\\\\...\\share"},
                {"", ""}};
    for (const auto& d : dirs) EXPECT_EQ(std::string(DlgImg::GetDirText(d.folder)), d.text) << d.folder;

    const struct {
        int num, den;
        const char* text;
    } scales[] = {{1, 1, "100%"}, {1, 3, "33.33%"}, {3, 2, "150%"}, {7, 100, "7%"}, {1, 8, "12.50%"}, {2, 1, "200%"}};
    for (const auto& s : scales) EXPECT_EQ(std::string(DlgImg::GetScaleText(s.num, s.den)), s.text);
}

TEST_F(OpnTest, APageDrawsItsImageAt1To1AndFittedAndItsBackWithoutOne)
{
    const std::string path = dir / "赤青.bmp";
    MakeBmp(path, 64, 32, kRed, kBlue);
    DlgImg* page = Open(path);
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->IsExistDIBHandle(), 1);
    VkiDra* dra = page->GetDra();
    ASSERT_EQ(VkeDraSetScaleMode(dra, VKE_DRA_SCALE_FRACTION, 1, 1), VKE_OK);
    const COLORREF back = Back(page);
    {
        VktDib dib(200, 100);
        Draw(page, dib, 200, 100);
        EXPECT_EQ(dib.At(5, 5), kRed);
        EXPECT_EQ(dib.At(31, 31), kRed);
        EXPECT_EQ(dib.At(32, 0), kBlue);
        EXPECT_EQ(dib.At(63, 31), kBlue);
        EXPECT_EQ(dib.At(64, 5), back) << "right of the image";
        EXPECT_EQ(dib.At(5, 32), back) << "below the image";
        EXPECT_EQ(dib.At(199, 99), back);
    }
    // Fitted, a larger image reduced: the colour boundary at half the shown width, within a pixel.
    const std::string large = dir / "大.bmp";
    MakeBmp(large, 1600, 800, kRed, kBlue);
    theAppInf.sopShi.iModeSca = VKE_DRA_SCALE_FIT;
    ASSERT_EQ(page->OpenImageFile(large.c_str(), 0), VKE_OK);
    // The area fills its rectangle: no room is left for the bars the fit made needless.
    RECT area = {}, pageClient = {};
    ASSERT_EQ(VkeDraGetDraRect(dra, &area), VKE_OK);
    page->GetClientRect(&pageClient);
    EXPECT_EQ(CRect(area), DlgImg::GetDraRect(pageClient.right, pageClient.bottom));
    RECT inner = {}, client = {};
    ASSERT_EQ(VkeDraGetInrDraRectSca(dra, &inner), VKE_OK);
    ::GetClientRect(page->GetDraWnd(), &client);
    const int w = inner.right, h = inner.bottom;
    ASSERT_GT(w, 200);
    ASSERT_LT(w, 1600);
    EXPECT_NEAR(static_cast<double>(w) / h, 2.0, 0.02);
    {
        VktDib dib(client.right, client.bottom);
        Draw(page, dib, client.right, client.bottom);
        int edge = -1;
        for (int x = 0; x < w && edge < 0; ++x)
            if (GetBValue(dib.At(x, h / 2)) > GetRValue(dib.At(x, h / 2))) edge = x;
        EXPECT_NEAR(edge, w / 2, 1);
        EXPECT_EQ(dib.At(1, h / 2), kRed);
        EXPECT_EQ(dib.At(w - 2, h / 2), kBlue);
        if (h + 2 < client.bottom) {
            EXPECT_EQ(dib.At(w / 2, h + 1), back) << "below the image";
        }
        if (w + 2 < client.right) {
            EXPECT_EQ(dib.At(w + 1, h / 2), back) << "right of the image";
        }
    }
    EXPECT_EQ(page->GetIci()->iShwWidth, w);
    EXPECT_EQ(page->GetIci()->iModeSca, VKE_DRA_SCALE_FIT);

    // A page without an image: its whole area in the back colour.
    DlgImg* empty = Open("");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->IsExistDIBHandle(), 0);
    VktDib dib(120, 80);
    FillRect(dib.Dc(), CRect(0, 0, 120, 80), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    Draw(empty, dib, 120, 80);
    for (POINT p : {POINT{0, 0}, POINT{10, 10}, POINT{60, 40}, POINT{119, 79}}) EXPECT_EQ(dib.At(p.x, p.y), back);
    EXPECT_EQ(Traced("Draw"), 0);
}

TEST_F(OpnTest, ThePageLaysItsAreaOutAndZoomsWithTheWheel)
{
    const std::string path = dir / "a.bmp";
    MakeBmp(path, 64, 32, kRed, kBlue);
    DlgImg* page = Open(path);
    ASSERT_NE(page, nullptr);
    RECT rect = {};
    for (SIZE size : {SIZE{50, 50}, SIZE{300, 200}}) {
        page->MoveWindow(0, 0, size.cx, size.cy);
        ASSERT_EQ(VkeDraGetDraRect(page->GetDra(), &rect), VKE_OK);
        EXPECT_EQ(CRect(rect), DlgImg::GetDraRect(size.cx, size.cy)) << size.cx;
    }
    // The wheel with the right button held zooms the focused area; the record follows.
    ASSERT_EQ(VkeDraSetScaleMode(page->GetDra(), VKE_DRA_SCALE_FRACTION, 1, 1), VKE_OK);
    main->SetForegroundWindow();
    ASSERT_EQ(VkeDraSetFocusDra(page->GetDra()), VKE_OK);
    Pump();
    ASSERT_EQ(::GetFocus(), page->GetDraWnd());
    page->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_RBUTTON, 120), 0);
    const Ici& ici = *page->GetIci();
    // A notch away from the user: the ratio times 1 - the wheel scale.
    EXPECT_DOUBLE_EQ(static_cast<double>(ici.lScaNum) / ici.lScaDen, 1 - theCmnAppInf.dScaleWheel);
}

TEST_F(OpnTest, UndoPutsTheImageAndItsScaleBackAndRedoTheChange)
{
    const std::string path = dir / "a.bmp";
    MakeBmp(path, 64, 32, kRed, kBlue);
    DlgImg* page = Open(path);
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(VkeDraSetScaleMode(page->GetDra(), VKE_DRA_SCALE_FRACTION, 1, 2), VKE_OK);
    {
        VktDib dib(10, 10);
        Draw(page, dib, 10, 10); // the scale read back into the record
    }
    ASSERT_EQ(page->SetModifiedFlag(0), VKE_OK);
    ASSERT_EQ(page->SetEud(14), VKE_OK);
    const CmnVarPthImg& img = page->GetIci()->pthImg;
    // A change: another image, its view state afresh.
    Adi adi = {MakeDib(20, 40, kGreen), 2, 96, 96, 1, VKE_DRA_SCALE_FRACTION, 1, 1, 1, 0};
    ASSERT_NE(adi.hImg, nullptr);
    ASSERT_EQ(page->AttachDIB(adi), VKE_OK);
    EXPECT_EQ(img.hImg, adi.hImg);
    EXPECT_EQ(img.iWidth, 20);

    VkiSub* sub = theCmnAppInf.pSub;
    ASSERT_EQ(VkeSubEditUnd(sub, page->m_hWnd, page->GetEui(), 14, VkaCodIci, page->GetIci(), 0), VKE_OK);
    EXPECT_EQ(img.iWidth, 64);
    EXPECT_EQ(img.iHeight, 32);
    EXPECT_EQ(page->GetIci()->lScaNum, 1);
    EXPECT_EQ(page->GetIci()->lScaDen, 2);
    EXPECT_EQ(page->GetModifiedFlag(), 1);
    int num = 0, den = 0;
    VkeDraGetScale(page->GetDra(), &num, &den);
    EXPECT_EQ(num * 2, den) << "the drawing area shows the restored scale";
    {
        VktDib dib(64, 32);
        Draw(page, dib, 64, 32);
        EXPECT_EQ(dib.At(5, 5), kRed);
        EXPECT_EQ(dib.At(20, 5), kBlue);
    }
    ASSERT_EQ(VkeSubEditRdo(sub, page->m_hWnd, page->GetEui()), VKE_OK);
    EXPECT_EQ(img.iWidth, 20);
    EXPECT_EQ(img.iHeight, 40);
    EXPECT_EQ(Traced("OnVkeWmEudDat"), 0);
}

TEST_F(OpnTest, APageKnowsItsPathTitleAndStatusAndLeavesNothingBehind)
{
    const std::string good = dir / "表ソ.bmp", text = dir / "文.jpg", empty = dir / "空.jpg";
    MakeBmp(good, 64, 32, kRed, kBlue);
    ASSERT_TRUE(VktWriteFile(text, "not an image"));
    ASSERT_TRUE(VktWriteFile(empty, ""));

    // A file the codecs cannot read: the page keeps its path, holds no image, result 1.
    DlgImg* page = Open(good);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->OpenImageFile(text.c_str(), 0), VKE_NOT_DONE);
    EXPECT_EQ(std::string(page->GetPathName()), Full(text));
    EXPECT_EQ(page->IsExistDIBHandle(), 0);
    EXPECT_EQ(std::string(page->GetTitle()), "文.jpg");
    EXPECT_EQ(view->titles[0], "文.jpg");
    CRecentFileList* recent = app->m_pRecentFileList;
    ASSERT_NE(recent, nullptr);
    ASSERT_GT(recent->GetSize(), 0);
    EXPECT_EQ(std::string((*recent)[0]), Full(good)) << "only an image opened enters the list";

    // The image again: its file name, folder, size and the page count in the status line.
    EXPECT_EQ(page->OpenImageFile(good.c_str(), 0), VKE_OK);
    EXPECT_EQ(std::string(page->GetFileName()), "表ソ.bmp");
    VktDib dib(100, 50);
    Draw(page, dib, 100, 50);
    std::string status = theCmnWin.GetStatusBarTxtById(ID_INDICATOR_PAGE).GetString();
    EXPECT_EQ(status.rfind("画像(64, 32) 表示(64, 32) 枠(オフ) 倍率(100%) 形式(", 0), 0u) << status;
    EXPECT_NE(status.find(" 色深度(24) サイズ("), std::string::npos) << status;
    EXPECT_NE(status.find(" 自動() タブ頁数(1) Dir("), std::string::npos) << status;

    // Pages without a path count up from 1.
    DlgImg* first = Open("");
    DlgImg* second = Open("");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(std::string(first->GetTitle()), "新規_1");
    EXPECT_EQ(std::string(second->GetFileName()), "新規_2");
    EXPECT_EQ(first->IsNamed(), 0);
    EXPECT_EQ(first->SetPathName(nullptr, 0), VKE_ERR_ARG);
    EXPECT_EQ(first->SetPastedFlag(2), VKE_ERR_ARG);

    // Empty and unreadable files opened into new pages leave none behind.
    EXPECT_EQ(Open(empty), nullptr);
    EXPECT_EQ(Open(text), nullptr);
    EXPECT_EQ(view->pages.size(), 3u);

    // Pages closed give back what they held (every path once before the count).
    auto cycle = [&] {
        view->CloseAll();
        DlgImg* shown = Open(good);
        ASSERT_NE(shown, nullptr);
        Draw(shown, dib, 100, 50);
        Open("");
        Open(empty);
        view->CloseAll();
        Pump();
    };
    cycle();
    const DWORD gdi = VktGdiObjects();
    cycle();
    EXPECT_EQ(VktGdiObjects(), gdi);
}

// The image page's saving: the name the save dialog proposes, the file written at the image's own
// or the shown size (bit for bit for PNG and BMP) while the page keeps its own pixels, a failed
// save that says why and leaves the old file, the selected-image page's save opening a page, and
// the question before a modified page closes, answered as a person would.
#include "TestVkaFil.h"
#include "CmnImg.h"
#include "CmnWin.h"
#include "DlgSav.h"
#include "VkaSubDat.h"
#include <math.h>

namespace {

// The pixels of an image file, 0x00RRGGBB row by row; empty when it does not open.
struct Pixels {
    int width = 0, height = 0;
    std::vector<DWORD> rgb;
};

Pixels ReadPixels(const std::string& path)
{
    Pixels p;
    HBITMAP image = nullptr;
    int type = 0, known = 0;
    float xr = 0, yr = 0;
    if (theCmnImg.OpenImage(path.c_str(), &image, &type, &xr, &yr, &known) != VKE_OK) return p;
    BITMAP bm = {};
    ::GetObjectA(image, sizeof(bm), &bm);
    p.width = bm.bmWidth;
    p.height = bm.bmHeight;
    p.rgb.resize(static_cast<size_t>(p.width) * p.height);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), p.width, -p.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = ::GetDC(nullptr);
    ::GetDIBits(dc, image, 0, static_cast<UINT>(p.height), p.rgb.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, dc);
    for (DWORD& v : p.rgb) v &= 0xFFFFFF;
    theCmnImg.CloseImage(&image);
    return p;
}

long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA fa = {};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &fa)) return -1;
    return static_cast<long long>(fa.nFileSizeHigh) << 32 | fa.nFileSizeLow;
}

// The peak signal-to-noise ratio of two pictures of one size over their three channels, in dB.
double Psnr(const Pixels& a, const Pixels& b)
{
    if (a.rgb.size() != b.rgb.size() || a.rgb.empty()) return 0;
    double sum = 0;
    for (size_t i = 0; i < a.rgb.size(); ++i)
        for (int shift : {0, 8, 16}) {
            const double d = static_cast<double>(a.rgb[i] >> shift & 0xFF) - static_cast<double>(b.rgb[i] >> shift & 0xFF);
            sum += d * d;
        }
    const double mse = sum / (3.0 * a.rgb.size());
    return mse > 0 ? 10 * log10(255.0 * 255.0 / mse) : 99;
}

// A smooth picture with a little grain, as a photo is.
COLORREF Photo(int x, int y)
{
    unsigned seed = static_cast<unsigned>(x * 7919 + y * 104729);
    seed = seed * 1103515245u + 12345u;
    const int grain = static_cast<int>(seed >> 16 & 7);
    return RGB((x * 2 + grain) & 0xFF, (y * 3 + grain) & 0xFF, ((x + y) + grain) & 0xFF);
}

} // namespace

class SavTest : public OpnTest {
protected:
    void SetUp() override
    {
        OpnTest::SetUp();
        strcpy(theCmnAppInf.strCurDir, dir.Path().c_str());
        Svi& svi = theAppInf.svi;
        svi.iImgType = 1;
        svi.lQltJpg = 90;
        svi.bChkExt = 1;
        svi.bOrgSiz = 1;
    }
    // A page of a 64 x 32 picture (red and blue halves with a green dot), shown at num / den.
    DlgImg* OpenShown(const std::string& path, int num, int den)
    {
        MakeBmpFile(path, 64, 32, [](int x, int y) {
            return x == 5 && y == 7 ? RGB(0, 255, 0) : x < 32 ? RGB(255, 0, 0) : RGB(0, 0, 255);
        });
        DlgImg* page = Open(path);
        if (!page) return nullptr;
        view->SetCurSel(static_cast<int>(view->pages.size()) - 1);
        VkeDraSetScaleMode(page->GetDra(), VKE_DRA_SCALE_FRACTION, num, den);
        page->Redraw(0);
        ::UpdateWindow(page->GetDraWnd());
        return page;
    }
    // The page's save dialog: its name box's first text, then what steps do, then OK or cancel.
    int SaveAs(DlgImg* page, std::string* proposed, const VktStep& step, int button)
    {
        int rc = 99;
        VktDrive([&] { rc = page->SaveAsImage(); },
                 {[&](HWND sys) {
                     if (proposed) *proposed = WndText(NameBox(sys));
                     if (step) step(sys);
                 }},
                 {button});
        return rc;
    }
};

TEST_F(SavTest, TheDialogProposesThePagesNameWithTheTypesExtensionAndGivesTheTabBack)
{
    MakeBmpFile(dir / "a.b.png", 8, 8, RGB(1, 2, 3), RGB(1, 2, 3));
    MakeBmpFile(dir / "x.jpeg", 8, 8, RGB(1, 2, 3), RGB(1, 2, 3));
    DlgImg* dotted = Open(dir / "a.b.png");
    DlgImg* jpeg = Open(dir / "x.jpeg");
    ASSERT_EQ(view->OpenPageByPth("", 0, 0), 0);
    DlgImg* unnamed = view->pages.back();
    HBITMAP image = MakeDib(8, 8, RGB(9, 9, 9));
    const SopShi& shi = theAppInf.sopShi;
    ASSERT_EQ(unnamed->AttachDIB(Adi{image, 0, 96, 96, 1, shi.iModeSca, shi.lScaNum, shi.lScaDen, 1, 1}), 0);
    const struct {
        DlgImg* page;
        const char* proposed;
    } cases[] = {{dotted, "a.b.jpg"}, {jpeg, "x.jpeg"}, {unnamed, "*.jpg"}};
    for (const auto& c : cases) {
        view->SetCurSel(0);
        std::string proposed;
        int selected = -1;
        EXPECT_EQ(SaveAs(c.page, &proposed, [&](HWND) { view->GetCurSel(&selected); }, IDCANCEL), 2);
        EXPECT_EQ(proposed, c.proposed);
        int index = -1;
        view->SchPageByHdl(c.page->m_hWnd, &index);
        EXPECT_EQ(selected, index) << "the page's tab while the dialog shows";
        view->GetCurSel(&selected);
        EXPECT_EQ(selected, 0) << "the tab selected before, afterwards";
    }
    // A batch's abort cancels with 3.
    app->SetFlgPrtAll(1);
    EXPECT_EQ(SaveAs(dotted, nullptr, [](HWND sys) { VktClick(Part(sys), IDC_DLGSAV_ABORT); }, 0), 3);
    app->SetFlgPrtAll(0);
    app->SetFlgPrtAbt(0);
}

TEST_F(SavTest, TheFileHoldsTheOwnOrTheShownSizeAndThePageKeepsItsOwnPixels)
{
    const std::string src = dir / "src.bmp";
    DlgImg* page = OpenShown(src, 1, 2);
    ASSERT_NE(page, nullptr);
    const Pixels original = ReadPixels(src);
    const Ici& ici = *page->GetIci();
    ASSERT_EQ(ici.iShwWidth, 32);
    const HBITMAP image = ici.pthImg.hImg;

    // Own size, PNG and BMP: bit for bit; the page stands for the file written, its image kept.
    for (const char* name : {"own.png", "own.bmp"}) {
        const std::string path = dir / name;
        const int type = path.back() == 'g' ? 5 : 2;
        page->SetModifiedFlag(1);
        ASSERT_EQ(page->SaveImageFile(path.c_str(), type, 90), 0) << name;
        const Pixels back = ReadPixels(path);
        EXPECT_EQ(back.width, 64);
        EXPECT_TRUE(back.rgb == original.rgb) << name;
        EXPECT_EQ(std::string(page->GetPathName()), path);
        EXPECT_EQ(page->GetModifiedFlag(), 0);
        EXPECT_EQ(page->GetSavedFlag(), 1);
        EXPECT_EQ(ici.pthImg.hImg, image) << "the page's own image, not the file read back";
        EXPECT_EQ(ici.pthImg.iTypImg, type);
    }

    // The shown half: a file of half the size, while the page keeps its image, frame and view;
    // saved at its own size again, nothing of the smaller file has reached it.
    theAppInf.svi.bOrgSiz = 0;
    page->GetIci()->rctFrm = RECT{40, 10, 60, 30};
    const std::string half = dir / "half.png";
    ASSERT_EQ(page->SaveImageFile(half.c_str(), 5, 90), 0);
    const Pixels back = ReadPixels(half);
    EXPECT_EQ(back.width, 32);
    EXPECT_EQ(back.height, 16);
    EXPECT_EQ(back.rgb[0], 0xFF0000u);
    EXPECT_EQ(back.rgb[31], 0x0000FFu);
    EXPECT_EQ(ici.pthImg.iWidth, 64);
    EXPECT_EQ(ici.iShwWidth, 32);
    EXPECT_EQ(CRect(ici.rctFrm), CRect(40, 10, 60, 30));
    theAppInf.svi.bOrgSiz = 1;
    ASSERT_EQ(page->SaveImageFile((dir / "again.png").c_str(), 5, 90), 0);
    EXPECT_TRUE(ReadPixels(dir / "again.png").rgb == original.rgb);

    // JPEG at quality 10, then at 95: the second file is made from the page's pixels, not from
    // the first file's blocks.
    MakeBmpFile(dir / "photo.bmp", 320, 240, Photo);
    DlgImg* photo = Open(dir / "photo.bmp");
    ASSERT_NE(photo, nullptr);
    ASSERT_EQ(photo->SaveImageFile((dir / "q10.jpg").c_str(), 1, 10), 0);
    ASSERT_EQ(photo->SaveImageFile((dir / "q95.jpg").c_str(), 1, 95), 0);
    EXPECT_LE(FileSize(dir / "q10.jpg") * 2, FileSize(dir / "q95.jpg"));
    const Pixels q10 = ReadPixels(dir / "q10.jpg"), q95 = ReadPixels(dir / "q95.jpg"), own = ReadPixels(dir / "photo.bmp");
    const double toOwn = Psnr(q95, own), toQ10 = Psnr(q95, q10);
    EXPECT_GT(toOwn, 40) << "dB";
    EXPECT_GT(toOwn, toQ10 + 6) << "dB";

    // Saved over its own file as another type: the status line tells the file's new size and type.
    view->SetCurSel(static_cast<int>(view->pages.size()) - 1);
    ASSERT_EQ(photo->SaveImageFile((dir / "q95.jpg").c_str(), 5, 90), 0);
    double bytes = 0;
    const std::string size(theCmnSub.GetFileSizeStr((dir / "q95.jpg").c_str(), 1, &bytes));
    const std::string status(theCmnWin.GetStatusBarTxtById(ID_INDICATOR_PAGE));
    EXPECT_NE(status.find("(" + size + ")"), std::string::npos) << status;
    EXPECT_NE(status.find("(" + std::string(theVkaSubDat.GetFmtDes(5)) + ")"), std::string::npos) << status;
}

TEST_F(SavTest, ASaveLeavesNothingToUndoAndThePageUnchanged)
{
    const std::string src = dir / "src.png";
    DlgImg* page = OpenShown(dir / "src.bmp", 1, 1);
    ASSERT_NE(page, nullptr);
    auto undoable = [page] {
        int undo = -1;
        VkeSubGetEditUndFlag(theCmnAppInf.pSub, page->GetEui(), &undo);
        return undo;
    };
    ASSERT_EQ(undoable(), 0);
    ASSERT_EQ(page->SaveImageFile(src.c_str(), 5, 90), 0);
    EXPECT_EQ(undoable(), 0);
    EXPECT_EQ(page->GetModifiedFlag(), 0);
    // Turned and saved: the turn's is the one step, and its undo gives the image back.
    VkeDraSetFocusDra(page->GetDra());
    ASSERT_EQ(page->RotateImage(90), 0);
    ASSERT_EQ(page->SaveImageFile(src.c_str(), 5, 90), 0);
    EXPECT_EQ(ReadPixels(src).width, 32);
    ASSERT_EQ(page->EditUnd(), 0);
    EXPECT_EQ(page->GetIci()->pthImg.iWidth, 64);
    EXPECT_EQ(undoable(), 0);
}

TEST_F(SavTest, AFailedSaveSaysSoAndLeavesTheOldFileAndThePage)
{
    const std::string src = dir / "src.bmp", target = dir / "表ソ.png";
    DlgImg* page = OpenShown(src, 1, 1);
    ASSERT_NE(page, nullptr);
    page->SetModifiedFlag(1);
    ASSERT_TRUE(VktWriteFile(target, "old"));
    // Open for writing by another program, but not to be replaced.
    HANDLE held = ::CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    VktMsgBox answer({IDOK});
    EXPECT_EQ(page->SaveImageFile(target.c_str(), 5, 90), 1);
    ::CloseHandle(held);
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_EQ(answer.Seen()[0].text, MsgPath(IDS_VKA_CANNOT_SAVE, target));
    EXPECT_EQ(VktReadFile(target), "old");
    WIN32_FIND_DATAA fd;
    HANDLE find = ::FindFirstFileA((dir / "Vke*").c_str(), &fd);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE) << "no temporary file stays";
    if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
    EXPECT_EQ(page->GetModifiedFlag(), 1);
    EXPECT_EQ(std::string(page->GetPathName()), src);

    // A size shown that no bitmap can have: the file and the failure are named.
    const std::string wide = dir / "wide.bmp", big = dir / "big.png";
    MakeBmpFile(wide, 2000, 1000, RGB(1, 2, 3), RGB(1, 2, 3));
    DlgImg* huge = Open(wide);
    ASSERT_NE(huge, nullptr);
    view->SetCurSel(static_cast<int>(view->pages.size()) - 1);
    VkeDraSetScaleMode(huge->GetDra(), VKE_DRA_SCALE_FRACTION, 100, 1);
    huge->Redraw(0);
    ::UpdateWindow(huge->GetDraWnd());
    theAppInf.svi.bOrgSiz = 0;
    VktMsgBox stretch({IDOK});
    const int failed = huge->SaveImageFile(big.c_str(), 5, 90);
    theAppInf.svi.bOrgSiz = 1;
    EXPECT_LT(failed, 0);
    ASSERT_EQ(stretch.Count(), 1);
    EXPECT_EQ(stretch.Seen()[0].text, MsgPath(IDS_VKA_CANNOT_SAVE, big) + "\n\n" + Msg(failed));
    EXPECT_EQ(FileSize(big), -1);

    // Without an image nothing is saved, and the user is told.
    ASSERT_EQ(view->OpenPageByPth("", 0, 0), 0);
    VktMsgBox empty({IDOK});
    EXPECT_EQ(view->pages.back()->SaveAsImage(), VKE_ERR_SYSTEM);
    ASSERT_EQ(empty.Count(), 1);
    EXPECT_EQ(empty.Seen()[0].text, MsgPath(IDS_VKA_CANNOT_SAVE, ""));
}

TEST_F(SavTest, TheDialogSavesUnderAJapaneseNameAndTheTabTakesIt)
{
    DlgImg* page = OpenShown(dir / "src.bmp", 1, 1);
    ASSERT_NE(page, nullptr);
    page->SetModifiedFlag(1);
    const std::string target = dir / "表ソ.png";
    EXPECT_EQ(SaveAs(page, nullptr,
                     [](HWND sys) {
                         ChooseType(sys, 5);
                         Name("表ソ.png")(sys);
                     },
                     IDOK),
              0);
    EXPECT_EQ(ReadPixels(target).rgb, ReadPixels(dir / "src.bmp").rgb);
    EXPECT_EQ(view->titles[0], "表ソ.png");
    EXPECT_EQ(page->GetModifiedFlag(), 0);
}

TEST_F(SavTest, TheSelectedImagePageOpensTheSavedFileAsAPage)
{
    DlgImg* page = OpenShown(dir / "src.bmp", 1, 1);
    ASSERT_NE(page, nullptr);
    view->selImg = page;
    const std::string target = dir / "copy.png";
    ASSERT_EQ(page->SaveImageFile(target.c_str(), 5, 90), 0);
    ASSERT_EQ(view->pages.size(), 2u);
    EXPECT_EQ(std::string(view->pages[1]->GetPathName()), target);
    EXPECT_EQ(std::string(page->GetPathName()), dir / "src.bmp");
    EXPECT_EQ(page->GetSavedFlag(), 0) << "its own file was not written";
    view->selImg = nullptr;
}

TEST_F(SavTest, AModifiedPageAsksBeforeItClosesAsAPersonAnswers)
{
    DlgImg* page = OpenShown(dir / "src.bmp", 1, 1);
    ASSERT_NE(page, nullptr);
    const std::string question = "src.bmp" + Msg(IDS_VKA_SAVE_ASK);
    // Unmodified: nothing asked.
    {
        VktMsgBox none({});
        EXPECT_EQ(page->SaveModified(0), 1);
        EXPECT_EQ(none.Count(), 0);
    }
    const struct {
        const char* what;
        std::vector<VktStep> steps;
        std::vector<int> buttons;
        int result, modified, boxes;
    } cases[] = {
        {"no", {nullptr}, {IDNO}, 1, 0, 1},
        {"cancel", {nullptr}, {IDCANCEL}, 0, 1, 1},
        // The save dialog cancelled: asked again.
        {"yes, dialog closed, no", {nullptr, nullptr, nullptr}, {IDYES, IDCANCEL, IDNO}, 1, 0, 3},
        // A batch's abort in the dialog: the page stays.
        {"yes, batch aborted",
         {nullptr, [](HWND sys) { VktClick(Part(sys), IDC_DLGSAV_ABORT); }},
         {IDYES, 0},
         0,
         1,
         2},
        {"yes, saved",
         {nullptr,
          [](HWND sys) {
              ChooseType(sys, 2);
              Name("saved.bmp")(sys);
          }},
         {IDYES, IDOK},
         1,
         0,
         2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        page->SetModifiedFlag(1);
        app->SetFlgPrtAll(1); // the abort button shows
        app->SetFlgClsAll(1);
        int rc = -99, closingAll = -1;
        auto seen = VktDrive([&] { rc = page->SaveModified(0); }, c.steps, c.buttons);
        app->GetFlgClsAll(&closingAll);
        app->SetFlgPrtAll(0);
        app->SetFlgPrtAbt(0);
        app->SetFlgClsAll(0);
        EXPECT_EQ(rc, c.result);
        EXPECT_EQ(page->GetModifiedFlag(), c.modified);
        ASSERT_EQ(static_cast<int>(seen.size()), c.boxes);
        EXPECT_EQ(seen[0].text, question);
        EXPECT_EQ(closingAll, 1) << "the flag back as it was";
    }
    EXPECT_EQ(ReadPixels(dir / "saved.bmp").width, 64);
}

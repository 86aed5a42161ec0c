// The preview panel in the real main frame: images shown and replaced (pixels read back), files
// it cannot show emptying it without a box, palettes of indexed images, the drawing area's place,
// copying and the print layout of the shown image.
#include "TestChildViw.h"
#include "DlbPnlPrv.h"
#include <fstream>

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// A bitmap file of bits 1, 4 or 8 whose every pixel is colour table entry 1 (colour).
void MakeIndexedBmp(const std::string& path, int width, int height, int bits, COLORREF colour)
{
    const int colours = 1 << bits;
    const int stride = ((width * bits + 31) / 32) * 4;
    std::vector<unsigned char> row(stride, 0);
    for (int x = 0; x < width; ++x) {
        const int bit = x * bits;
        row[bit / 8] |= static_cast<unsigned char>(1 << (8 - bits - bit % 8));
    }
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(bits);
    info.biClrUsed = colours;
    std::vector<RGBQUAD> table(colours, RGBQUAD{0, 0, 0, 0});
    table[1] = RGBQUAD{GetBValue(colour), GetGValue(colour), GetRValue(colour), 0};
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info) + colours * sizeof(RGBQUAD);
    file.bfSize = file.bfOffBits + stride * height;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(reinterpret_cast<const char*>(table.data()), colours * sizeof(RGBQUAD));
    for (int y = 0; y < height; ++y) out.write(reinterpret_cast<const char*>(row.data()), stride);
}

void Write(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

unsigned Crc(const std::string& bytes)
{
    unsigned crc = 0xFFFFFFFFu;
    for (unsigned char c : bytes) {
        crc ^= c;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::string BigEndian(unsigned v)
{
    return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

// A PNG that declares width x height and holds no pixels.
std::string PngHeaderOnly(unsigned width, unsigned height)
{
    const std::string ihdr = "IHDR" + BigEndian(width) + BigEndian(height) + std::string("\x08\x02\x00\x00\x00", 5);
    const std::string iend = "IEND";
    return std::string("\x89PNG\r\n\x1a\n", 8) + BigEndian(13) + ihdr + BigEndian(Crc(ihdr)) + BigEndian(0) + iend +
           BigEndian(Crc(iend));
}

class PrvTest : public SelTest {
protected:
    // The program with the preview in its panel.
    void Start()
    {
        Put("SopPni_bPrvImgTab", "0");
        Run();
        prv = &main->GetPnlPrv();
        ASSERT_TRUE(prv->IsWindowVisible());
    }
    // A pixel of the drawing area's client as the screen shows it.
    COLORREF Pixel(int x, int y)
    {
        HWND area = prv->GetDraWnd();
        ::RedrawWindow(area, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        VktDib dib(1, 1);
        HDC dc = ::GetDC(area);
        ::BitBlt(dib.Dc(), 0, 0, 1, 1, dc, x, y, SRCCOPY);
        ::ReleaseDC(area, dc);
        return dib.At(0, 0);
    }
    COLORREF Back()
    {
        COLORREF back = 0;
        VkeDraGetBackColor(prv->GetDra(), &back);
        return back;
    }
    std::string Full(const std::string& path)
    {
        char full[MAX_PATH] = {};
        ::GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
        return full;
    }

    DlbPnlPrv* prv = nullptr;
};

// A print job's information over the PDF queue's device context.
class PdfJob {
public:
    PdfJob() { info.m_pPD->m_pd.hDC = ::CreateDCA("winspool", "PDF", nullptr, nullptr); }
    ~PdfJob()
    {
        ::DeleteDC(info.m_pPD->m_pd.hDC);
        info.m_pPD->m_pd.hDC = nullptr;
    }
    bool Ready() const { return info.m_pPD->m_pd.hDC != nullptr; }
    CPrintInfo info;
};

} // namespace

TEST_F(PrvTest, ShowsAnImageThenAFolderEmptiesItAndClosesTheImage)
{
    Start();
    DlbPnlPrv lone;
    EXPECT_EQ(lone.PreviewImage(a.c_str()), VKE_ERR_NOT_INIT);
    EXPECT_EQ(prv->PreviewImage(nullptr), VKE_ERR_ARG);
    EXPECT_EQ(prv->PreviewImage(""), VKE_ERR_ARG);
    EXPECT_EQ(prv->GetPathName(), "") << "nothing shown yet";

    ASSERT_EQ(prv->PreviewImage(a.c_str()), 0);
    EXPECT_EQ(std::string(prv->GetPathName()), Full(a));
    HBITMAP shown = prv->GetImage();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(Pixel(2, 2), kRed) << "at 1:1 from the corner";
    EXPECT_EQ(Pixel(30, 2), kBlue);
    EXPECT_EQ(Pixel(40, 2), Back()) << "the strip right of the image";
    EXPECT_EQ(Pixel(2, 20), Back()) << "the strip below it";

    const std::string b = dir / "b.bmp";
    MakeBmpFile(b, 20, 10, kBlue, kBlue);
    ASSERT_EQ(prv->PreviewImage(b.c_str()), 0);
    EXPECT_EQ(::GetObjectType(shown), 0u) << "the previous image closed";
    EXPECT_EQ(Pixel(2, 2), kBlue);
    EXPECT_EQ(Pixel(25, 2), Back());

    shown = prv->GetImage();
    EXPECT_EQ(prv->PreviewImage(dir.Path().c_str()), VKE_ERR_NOT_FOUND);
    EXPECT_EQ(prv->GetImage(), nullptr);
    EXPECT_EQ(::GetObjectType(shown), 0u);
    EXPECT_EQ(prv->GetPathName(), "");
    EXPECT_EQ(Pixel(2, 2), Back());

    // Without the main frame nothing happens.
    ASSERT_EQ(prv->PreviewImage(a.c_str()), 0);
    CWnd* frame = theCmnAppInf.pMainFrame;
    theCmnAppInf.pMainFrame = nullptr;
    EXPECT_EQ(prv->PreviewImage(b.c_str()), 0);
    theCmnAppInf.pMainFrame = frame;
    EXPECT_EQ(std::string(prv->GetPathName()), Full(a));
}

TEST_F(PrvTest, FilesItCannotShowEmptyItWithoutABox)
{
    Start();
    const std::string zero = dir / "zero.jpg", text = dir / "text.jpg", cut = dir / "cut.jpg", huge = dir / "huge.png",
                      gone = dir / "gone.bmp";
    Write(zero, "");
    Write(text, "this is no picture at all\r\n");
    Write(huge, PngHeaderOnly(60000, 60000));
    // A JPEG cut after its start and first segment.
    Write(cut, std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xFF\xDB", 22));
    VktMsgBox answer;
    for (const std::string& bad : {zero, text, cut, huge, gone}) {
        SCOPED_TRACE(bad);
        ASSERT_EQ(prv->PreviewImage(a.c_str()), 0);
        EXPECT_NE(prv->PreviewImage(bad.c_str()), 0);
        EXPECT_EQ(prv->GetImage(), nullptr);
        EXPECT_EQ(prv->GetPathName(), "");
        EXPECT_EQ(Pixel(2, 2), Back());
    }
    EXPECT_EQ(answer.Count(), 0);
}

TEST_F(PrvTest, AnImageTheDrawingAreaCannotLayOutIsClosedAgain)
{
    Start();
    // A one-pixel image at a millionth of its size is less than a pixel: the area refuses it.
    const std::string dot = dir / "dot.bmp";
    MakeBmpFile(dot, 1, 1, kRed, kRed);
    ASSERT_EQ(prv->PreviewImage(a.c_str()), 0);
    HBITMAP old = prv->GetImage();
    SopShi& shi = theAppInf.sopShi;
    const SopShi kept = shi;
    shi.iModeSca = 1;
    shi.lScaNum = 1;
    shi.lScaDen = 1000000;
    const int rc = prv->PreviewImage(dot.c_str());
    shi = kept;
    EXPECT_NE(rc, 0);
    EXPECT_EQ(prv->GetImage(), nullptr) << "the new image closed";
    EXPECT_EQ(prv->GetPathName(), "");
    EXPECT_EQ(::GetObjectType(old), 0u) << "the old one too";
    EXPECT_EQ(Pixel(2, 2), Back());
}

TEST_F(PrvTest, IndexedImagesShowWithTheirPaletteOthersWithout)
{
    Start();
    const std::string japanese = dir / "\x95\x5C\x8E\xA6"; // 表示
    ASSERT_TRUE(::CreateDirectoryA(japanese.c_str(), nullptr));
    for (int bits : {1, 4, 8, 24}) {
        SCOPED_TRACE(bits);
        const std::string path = japanese + "\\\x83\x5C" + std::to_string(bits) + ".bmp"; // ソ
        if (bits == 24) MakeBmpFile(path, 16, 8, kRed, kRed);
        else MakeIndexedBmp(path, 16, 8, bits, kRed);
        ASSERT_EQ(prv->PreviewImage(path.c_str()), 0);
        EXPECT_EQ(std::string(prv->GetPathName()), path);
        HPALETTE palette = nullptr;
        ASSERT_EQ(VkeDraGetPaletteHandle(prv->GetDra(), &palette), 0);
        EXPECT_EQ(palette != nullptr, bits <= 8);
        EXPECT_EQ(Pixel(2, 2), kRed);
    }
}

TEST_F(PrvTest, TheDrawingAreaKeepsTheGrippersMarginsAndAtLeastThirtyPixels)
{
    Start();
    const DWORD style = prv->GetBarStyle();
    auto area = [&](int width, int height, DWORD align) {
        prv->SetBarStyle((style & ~CBRS_ALIGN_ANY) | align);
        prv->SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        prv->MoveCtl();
        CRect r;
        ::GetWindowRect(prv->GetDraWnd(), &r);
        prv->ScreenToClient(&r);
        return r;
    };
    CRect r = area(200, 150, CBRS_ALIGN_TOP);
    EXPECT_EQ(r, CRect(9, 3, 9 + 200 - 13, 3 + 150 - 9));
    r = area(40, 150, CBRS_ALIGN_TOP);
    EXPECT_EQ(r.Width(), 30) << "27 would be left";
    r = area(200, 150, CBRS_ALIGN_LEFT);
    EXPECT_EQ(r, CRect(3, 8, 3 + 200 - 8, 8 + 150 - 13));
    r = area(200, 20, CBRS_ALIGN_LEFT);
    EXPECT_EQ(r.Height(), 30);
    prv->SetBarStyle(style);
}

TEST_F(PrvTest, CopyPutsTheShownImageOnTheClipboardOnlyWithTheAreaFocused)
{
    Start();
    int flag = -1;
    VkeDraSetFocusDra(prv->GetDra());
    VktPump();
    ASSERT_EQ(prv->GetEditCpyFlag(&flag), 0);
    EXPECT_EQ(flag, 0) << "nothing shown";
    ASSERT_EQ(prv->PreviewImage(a.c_str()), 0);
    ASSERT_EQ(prv->GetEditCpyFlag(&flag), 0);
    EXPECT_EQ(flag, 1);
    ASSERT_EQ(prv->EditCpy(), 0);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE dib = ::GetClipboardData(CF_DIB);
    const BITMAPINFOHEADER* head = dib ? static_cast<const BITMAPINFOHEADER*>(::GlobalLock(dib)) : nullptr;
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->biWidth, 32);
    EXPECT_EQ(std::abs(head->biHeight), 16);
    ::GlobalUnlock(dib);
    ::CloseClipboard();
}

TEST_F(PrvTest, PrintingLaysTheImageOutByTheFittingMode)
{
    Start();
    PdfJob job;
    if (!job.Ready()) GTEST_SKIP() << "no PDF queue";
    EXPECT_EQ(prv->PreparePrinting(&job.info), VKE_CANCELLED) << "nothing shown";
    ASSERT_EQ(prv->PreviewImage(a.c_str()), 0);
    Pri& pri = theAppInf.poi.pri;
    pri.bHeader = 1;
    pri.bFooter = 0;
    VkeSubSetAppMemStr(theCmnAppInf.pSub, &pri.amHeader, "");
    const PrintInfo& info = prv->GetCmnDlgInf().pPrtInf[0];
    for (int mode = 1; mode <= 6; ++mode) {
        SCOPED_TRACE(mode);
        pri.iMode = mode;
        ASSERT_EQ(prv->PreparePrinting(&job.info), 0);
        const bool centred = mode == 3 || mode == 4;
        EXPECT_EQ(info.iScaleMode, mode);
        EXPECT_EQ(info.iAlignH, centred ? VKE_PRT_ALIGN_HCENTRE : VKE_PRT_ALIGN_LEFT);
        EXPECT_EQ(info.iAlignV, centred ? VKE_PRT_ALIGN_VCENTRE : VKE_PRT_ALIGN_TOP);
        EXPECT_EQ(job.info.GetMinPage(), 1u);
        EXPECT_EQ(job.info.GetMaxPage(), static_cast<UINT>(info.iPageCount));
    }
    EXPECT_EQ(std::string(info.amHeader), Full(a)) << "an empty header is the path";
    EXPECT_EQ(info.iHeader, 1);
    EXPECT_EQ(info.iPageNo, 0);
    VkeSubSetAppMemStr(theCmnAppInf.pSub, &pri.amHeader, "\x8C\xA9\x8F\x6F\x82\xB5"); // 見出し
    ASSERT_EQ(prv->PreparePrinting(&job.info), 0);
    EXPECT_EQ(std::string(info.amHeader), "\x8C\xA9\x8F\x6F\x82\xB5");

    const RECT margins = theCmnAppInf.rctPrintMargin;
    theCmnAppInf.rctPrintMargin = RECT{20000, 20000, 20000, 20000};
    EXPECT_EQ(prv->PreparePrinting(&job.info), VKE_ERR_CUT) << "the margins leave no room";
    theCmnAppInf.rctPrintMargin = margins;
}

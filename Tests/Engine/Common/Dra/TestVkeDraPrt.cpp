// Print pages of the drawing area and the draw object: the record's defaults and checks, the
// header, page-number and image rectangles, the page grids and alignments of every scale mode,
// pages printed onto a memory page (what the owner is asked for, where it lands, the header and
// "%d / %d" lines), the page notice, and one job through the real queue. CheckPrintPdf.py reads
// that job's PDF back after this program.
#include "VktDra.h"
#include <stdio.h>

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255);

class DraPrt : public VktDraFixture {
protected:
    void SetUp() override
    {
        VktDraFixture::SetUp();
        s_onMessage = [this](UINT msg, WPARAM, LPARAM lParam, bool* handled) -> LRESULT {
            if (msg == VkeWmDrw) {
                const Dri& d = *reinterpret_cast<const Dri*>(lParam);
                if (d.iPrinting) requests.push_back(d);
                Paint(d);
            } else if (msg == VkeWmPrtPage) {
                PrintInfo* pi = reinterpret_cast<PrintInfo*>(lParam);
                parts.push_back(pi->rctPagePart);
                *handled = true;
                return onPage ? onPage(pi) : 0;
            } else {
                return 0;
            }
            *handled = true;
            return 1;
        };
    }
    // The owner's drawing: left of split one colour, right of it the other.
    void Paint(const Dri& d)
    {
        HBRUSH left = CreateSolidBrush(leftColor), right = CreateSolidBrush(rightColor);
        RECT l = d.rct, r = d.rct;
        l.right = std::min<LONG>(l.right, split);
        r.left = std::max<LONG>(r.left, split);
        if (l.right > l.left) FillRect(d.hDC, &l, left);
        if (r.right > r.left) FillRect(d.hDC, &r, right);
        DeleteObject(left);
        DeleteObject(right);
    }
    // A record for the page, laid out on the page rectangle and paged.
    PrintInfo Paged(HDC dc, const RECT& page, int mode, int expect = 0)
    {
        PrintInfo pi;
        EXPECT_EQ(VkeDraInitPrintInfo(dra, &pi), 0);
        pi.hDC = dc;
        pi.iScaleMode = mode;
        EXPECT_EQ(VkeDraSetPrintInfoRect(dra, &pi, &page), 0);
        EXPECT_EQ(VkeDraSetPrintPageInfo(dra, &pi), expect);
        return pi;
    }
    // Whether any pixel of the box differs from white.
    static bool Inked(const VktMemoryDC& page, const RECT& box)
    {
        GdiFlush();
        VktDIB pixels(page.dib);
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                if (pixels.Rgb(x, y) != 0xFFFFFF) return true;
        return false;
    }
    // The box's pixels as a line of text drawn into it the way the header and page number are.
    static bool Shows(const VktMemoryDC& page, const RECT& box, const LOGFONTA& font, const char* text)
    {
        VktMemoryDC want(box.right + 1, box.bottom + 1);
        LOGFONTA lf = font;
        lf.lfHeight = -(box.bottom - box.top) / 2;
        HFONT made = CreateFontIndirectA(&lf);
        HGDIOBJ old = SelectObject(want.dc, made);
        SetBkMode(want.dc, TRANSPARENT);
        RECT r = box;
        DrawTextA(want.dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(want.dc, old);
        DeleteObject(made);
        GdiFlush();
        VktDIB a(want.dib), b(page.dib);
        int differ = 0, inked = 0;
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x) {
                inked += a.Rgb(x, y) != 0xFFFFFF;
                differ += a.Rgb(x, y) != b.Rgb(x, y);
            }
        return inked > 0 && differ == 0;
    }

    std::vector<Dri> requests;
    std::vector<RECT> parts;
    std::function<LRESULT(PrintInfo*)> onPage;
    LONG split = 1000;
    COLORREF leftColor = kRed, rightColor = kBlue;
};

const RECT kPage = {50, 50, 950, 1350}; // on a 1000 x 1400 memory page, 1:1 with the screen

std::string JobsPath() { return VktBesideExe("TestEngDra.jobs"); }
const bool kJobsCleared = DeleteFileA(JobsPath().c_str()) || true; // each run lists its own job

} // namespace

TEST_F(DraPrt, RecordDefaultsRectanglesAndChecks)
{
    ASSERT_EQ(Start(), 0);
    PrintInfo pi;
    ASSERT_EQ(VkeDraInitPrintInfo(dra, &pi), 0);
    EXPECT_EQ(pi.iHeader, 1);
    EXPECT_EQ(pi.iPageNo, 1);
    EXPECT_EQ(pi.iScaleMode, 4);
    EXPECT_EQ(pi.iAlignH, 4);
    EXPECT_EQ(pi.iAlignV, 64);
    EXPECT_STREQ(pi.lfHeader.lfFaceName, "ＭＳ Ｐゴシック");
    EXPECT_EQ(memcmp(&pi.lfHeader, &pi.lfPageNo, sizeof(LOGFONTA)), 0);
    EXPECT_EQ(pi.iPrintedWidth + pi.iSourceWidth + pi.iPrintedHeight + pi.iSourceHeight, 4);
    PrintInfo drwInfo;
    ASSERT_EQ(VkeDrwInitPrintInfo(drw, &drwInfo), 0);
    EXPECT_EQ(drwInfo.iScaleMode, 1);
    EXPECT_EQ(drwInfo.iAlignH, 1);
    EXPECT_EQ(drwInfo.iAlignV, 16);
    EXPECT_EQ(VkeDraCheckPrintInfo(dra, &pi), -9); // no DC, page 0

    // Lines twice their printer height: 50 each on a 1:1 DC.
    VktMemoryDC page(100, 100);
    pi.hDC = page.dc;
    pi.lfHeader.lfHeight = pi.lfPageNo.lfHeight = -50;
    RECT big = {0, 0, 4000, 6000};
    ASSERT_EQ(VkeDraSetPrintInfoRect(dra, &pi, &big), 0);
    RECT header = {0, 0, 4000, 100}, number = {0, 5900, 4000, 6000}, image = {0, 100, 4000, 5900};
    EXPECT_TRUE(EqualRect(&pi.rctHeader, &header));
    EXPECT_TRUE(EqualRect(&pi.rctPageNo, &number));
    EXPECT_TRUE(EqualRect(&pi.rctImage, &image));
    pi.iCurPage = 1;
    EXPECT_EQ(VkeDraCheckPrintInfo(dra, &pi), -7); // not paged yet
    RECT low = {0, 0, 4000, 80};
    EXPECT_EQ(VkeDraSetPrintInfoRect(dra, &pi, &low), -13);
    EXPECT_EQ(pi.iHeader, 0);
    EXPECT_EQ(pi.iPageNo, 0);
    EXPECT_TRUE(EqualRect(&pi.rctImage, &low));
    EXPECT_EQ(Traced(), 2); // the two refusals; -13 goes back untraced

    // One bad field at a time on a good record.
    pi.iHeader = pi.iPageNo = 1;
    ASSERT_EQ(VkeDraSetPrintInfoRect(dra, &pi, &big), 0);
    ASSERT_EQ(VkeDraSetPrintPageInfo(dra, &pi), 0);
    ASSERT_EQ(VkeDraCheckPrintInfo(dra, &pi), 0);
    struct Bad {
        const char* what;
        std::function<void(PrintInfo&)> spoil;
        int check, page;
    } bad[] = {
        {"alignment 3", [](PrintInfo& p) { p.iAlignH = 3; }, -9, -9},
        {"vertical 48", [](PrintInfo& p) { p.iAlignV = 48; }, -9, -9},
        {"scale mode 7", [](PrintInfo& p) { p.iScaleMode = 7; }, -9, -9},
        {"page 0", [](PrintInfo& p) { p.iCurPage = 0; }, -9, 0},
        {"no DC", [](PrintInfo& p) { p.hDC = nullptr; }, -9, -9},
        {"empty image", [](PrintInfo& p) { p.rctImage.right = p.rctImage.left; }, -9, -9},
        {"half a source", [](PrintInfo& p) { p.rctSource = {0, 0, 10, 0}; }, -9, -9},
        {"page info 2", [](PrintInfo& p) { p.iPageInfo = 2; }, -9, 0},
        {"header flag 2", [](PrintInfo& p) { p.iHeader = 2; }, -9, 0},
    };
    for (const Bad& b : bad) {
        PrintInfo spoilt = pi;
        b.spoil(spoilt);
        EXPECT_EQ(VkeDraCheckPrintInfo(dra, &spoilt), b.check) << b.what;
        EXPECT_EQ(VkeDraSetPrintPageInfo(dra, &spoilt), b.page) << b.what;
    }
    EXPECT_EQ(VkeDraCheckPrintInfo(dra, nullptr), -9);
    PrintInfo copy = {};
    EXPECT_EQ(VkeDraCopyPrintInfo(dra, &copy, &pi), 0);
    EXPECT_EQ(memcmp(&copy, &pi, sizeof(pi)), 0);
}

TEST_F(DraPrt, PageGridsAndAlignmentsOfEveryMode)
{
    struct Row {
        int w, h, num, den, mode, alignH, alignV;
        RECT image;
        int across, down;
        RECT narrowed;
    } rows[] = {
        {2000, 1000, 1, 1, 1, 4, 64, {0, 0, 1500, 1200}, 2, 1, {0, 100, 1500, 1100}},
        {400, 300, 1, 1, 4, 4, 64, {0, 0, 1000, 1000}, 1, 1, {0, 125, 1000, 875}},
        {400, 2000, 1, 1, 5, 4, 64, {0, 0, 1000, 1000}, 1, 5, {0, 0, 1000, 1000}},
        {2000, 400, 1, 1, 6, 4, 64, {0, 0, 1000, 1000}, 5, 1, {0, 0, 1000, 1000}},
        {400, 300, 1, 1, 3, 4, 64, {0, 0, 1000, 1000}, 1, 1, {0, 0, 1000, 1000}},
        {400, 300, 2, 1, 2, 4, 64, {0, 0, 500, 500}, 2, 2, {0, 0, 500, 500}},
        {400, 300, 2, 1, 1, 4, 64, {0, 0, 500, 500}, 1, 1, {50, 100, 450, 400}},
        {400, 300, 1, 1, 1, 1, 16, {0, 0, 1000, 1000}, 1, 1, {0, 0, 400, 300}},
        {400, 300, 1, 1, 1, 2, 32, {0, 0, 1000, 1000}, 1, 1, {600, 700, 1000, 1000}},
        {400, 300, 1, 1, 1, 4, 64, {0, 0, 1001, 1001}, 1, 1, {300, 350, 700, 650}},
    };
    VktMemoryDC page(100, 100);
    ASSERT_EQ(Start(), 0);
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.w << "x" << r.h << " at " << r.num << "/" << r.den << " mode " << r.mode);
        RECT extent = {0, 0, r.w, r.h};
        ASSERT_EQ(VkeDraSetScale(dra, 1, 1), 0);
        ASSERT_EQ(VkeDraMove(dra, nullptr, &extent), 0);
        ASSERT_EQ(VkeDraSetScale(dra, r.num, r.den), 0);
        PrintInfo pi;
        ASSERT_EQ(VkeDraInitPrintInfo(dra, &pi), 0);
        pi.hDC = page.dc;
        pi.iHeader = pi.iPageNo = 0;
        pi.iScaleMode = r.mode;
        pi.iAlignH = r.alignH;
        pi.iAlignV = r.alignV;
        pi.rctImage = r.image;
        ASSERT_EQ(VkeDraSetPrintPageInfo(dra, &pi), 0);
        EXPECT_EQ(pi.iPagesAcross, r.across);
        EXPECT_EQ(pi.iPagesDown, r.down);
        EXPECT_EQ(pi.iPageCount, r.across * r.down);
        EXPECT_EQ(pi.iPageInfo, 1);
        EXPECT_TRUE(EqualRect(&pi.rctImage, &r.narrowed))
            << pi.rctImage.left << "," << pi.rctImage.top << "," << pi.rctImage.right << "," << pi.rctImage.bottom;
        RECT scaled = {0, 0, r.w * r.num / r.den, r.h * r.num / r.den};
        EXPECT_TRUE(EqualRect(&pi.rctSource, &scaled));
    }
    EXPECT_EQ(Traced(), 0);
}

// Page 2 of a 2000 x 1000 drawing printed 1:1 on a 1500 x 1200 image rectangle
// starts 1500 to the right and is cut to the drawing, 500 wide; a third page is empty.
TEST_F(DraPrt, PagesOfTheGridAndPagesPastIt)
{
    ASSERT_EQ(Start([](VkeDraParam& p) { p.rctInrDra = {0, 0, 2000, 1000}; }), 0);
    VktMemoryDC page(1500, 1200);
    PrintInfo pi;
    ASSERT_EQ(VkeDraInitPrintInfo(dra, &pi), 0);
    pi.hDC = page.dc;
    pi.iHeader = pi.iPageNo = 0;
    pi.iScaleMode = 1;
    pi.rctImage = {0, 0, 1500, 1200};
    ASSERT_EQ(VkeDraSetPrintPageInfo(dra, &pi), 0);
    pi.iCurPage = 2;
    ASSERT_EQ(VkeDraPrint(dra, &pi), 0);
    RECT second = {1500, 0, 2000, 1000};
    EXPECT_TRUE(EqualRect(&pi.rctPagePart, &second));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(EqualRect(&requests[0].rct, &second));
    EXPECT_EQ(requests[0].iPrinting, 1);
    EXPECT_EQ(pi.iEmpty, 0);
    EXPECT_EQ(page.Pixel(100, 500), kBlue);  // drawing x 1600
    EXPECT_EQ(page.Pixel(700, 500), kWhite); // beyond the drawing: clipped

    requests.clear();
    pi.iCurPage = 3;
    EXPECT_EQ(VkeDraPrint(dra, &pi), 0);
    EXPECT_EQ(pi.iEmpty, 1);
    EXPECT_TRUE(requests.empty());
    int printing = -1;
    VkeDraGetPrintFlag(dra, &printing);
    EXPECT_EQ(printing, 0);
    EXPECT_EQ(VkeDraCheckPrinting(dra), 0);
    EXPECT_EQ(Traced(), 0);
}

TEST_F(DraPrt, APagePrintsHeaderDrawingAndNumberInBothModes)
{
    for (int memory : {0, 1}) {
        SCOPED_TRACE(memory);
        if (memory) Restart();
        ASSERT_EQ(Start([memory](VkeDraParam& p) {
                      p.rctInrDra = {0, 0, 1500, 1000};
                      p.iDrawMemory = memory;
                  }),
                  0);
        PrintInfo pi;
        {
            VktMemoryDC page(1000, 1400);
            pi = Paged(page.dc, kPage, 1);
            ASSERT_EQ(pi.iPageCount, 2);
            RECT image = {50, 200, 950, 1200};
            EXPECT_TRUE(EqualRect(&pi.rctImage, &image));
            pi.iCurPage = 1;
            requests.clear();
            ASSERT_EQ(VkeDraPrint(dra, &pi), 0);
            EXPECT_EQ(requests.empty(), memory == 1); // a memory already drawn is only stretched
            EXPECT_EQ(page.Pixel(60, 700), kRed);
            EXPECT_EQ(page.Pixel(940, 700), kRed);
            EXPECT_EQ(page.Pixel(500, 190), kWhite);
            char module[1024] = {};
            ASSERT_EQ(VkeSysGetModuleName(sys, module, sizeof(module)), 0);
            EXPECT_TRUE(Shows(page, pi.rctHeader, pi.lfHeader, module)) << module;
            EXPECT_TRUE(Shows(page, pi.rctPageNo, pi.lfPageNo, "1 / 2"));
        }
        {
            VktMemoryDC page(1000, 1400);
            pi.hDC = page.dc;
            pi.iCurPage = 2;
            snprintf(pi.amPageNo, sizeof(pi.amPageNo), "p. %%d");
            ASSERT_EQ(VkeDraPrint(dra, &pi), 0);
            EXPECT_EQ(page.Pixel(100, 700), kRed);  // drawing x 950
            EXPECT_EQ(page.Pixel(400, 700), kBlue); // drawing x 1250
            EXPECT_EQ(page.Pixel(700, 700), kWhite);
            EXPECT_TRUE(Shows(page, pi.rctPageNo, pi.lfPageNo, "p. %d"));
        }
    }
    EXPECT_EQ(Traced(), 0);
}

TEST_F(DraPrt, AZoomedAreaPrintsAllOfTheDrawingAtItsBaseSize)
{
    for (int memory : {0, 1}) {
        SCOPED_TRACE(memory);
        if (memory) Restart();
        ASSERT_EQ(Start([memory](VkeDraParam& p) { p.iDrawMemory = memory; }), 0);
        ASSERT_EQ(VkeDraSetScale(dra, 2, 1), 0); // 800 x 600 on the screen
        split = 400;
        VktMemoryDC page(1000, 1400);
        PrintInfo pi = Paged(page.dc, kPage, 1);
        pi.iCurPage = 1;
        ASSERT_EQ(VkeDraPrint(dra, &pi), 0);
        RECT all = {0, 0, 800, 600}, printed = {300, 550, 700, 850};
        EXPECT_TRUE(EqualRect(&pi.rctPagePart, &all));
        EXPECT_TRUE(EqualRect(&pi.rctPrinted, &printed));
        EXPECT_EQ(pi.iEmpty, 1); // a one-page job
        EXPECT_TRUE(VktNear(page.Pixel(310, 700), kRed, 8));
        EXPECT_TRUE(VktNear(page.Pixel(690, 700), kBlue, 8));
        EXPECT_TRUE(VktNear(page.Pixel(310, 560), kRed, 8));
        EXPECT_TRUE(VktNear(page.Pixel(690, 840), kBlue, 8));
        EXPECT_EQ(page.Pixel(290, 700), kWhite);
        EXPECT_EQ(page.Pixel(710, 700), kWhite);
        EXPECT_EQ(page.Pixel(500, 860), kWhite);
    }
}

TEST_F(DraPrt, TheOwnerMayMoveThePagePartButNotPastTheSource)
{
    ASSERT_EQ(Start(), 0);
    VktMemoryDC page(1000, 1400);
    PrintInfo pi = Paged(page.dc, kPage, 1);
    pi.iCurPage = 1;
    onPage = [](PrintInfo* p) -> LRESULT {
        p->rctPagePart = {5000, 5000, 6000, 6000};
        return 1;
    };
    EXPECT_EQ(VkeDraPrint(dra, &pi), 0);
    EXPECT_EQ(pi.iEmpty, 1);
    EXPECT_TRUE(requests.empty());
    EXPECT_FALSE(Inked(page, RECT{0, 0, 1000, 1400})); // not even the header

    onPage = [](PrintInfo* p) -> LRESULT {
        p->iEmpty = 5;
        return 1;
    };
    EXPECT_EQ(VkeDraPrint(dra, &pi), -9);
    // A print inside the page notice is refused; the outer page still prints.
    int nested = 0;
    onPage = [&](PrintInfo* p) -> LRESULT {
        nested = VkeDraPrint(dra, p);
        return 0;
    };
    EXPECT_EQ(VkeDraPrint(dra, &pi), 0);
    EXPECT_EQ(nested, -7);
    EXPECT_EQ(parts.size(), 3u); // the nested print never reached the notice
    int depth = -1;
    VkeDrwGetDrawInfoCnt(drw, page.dc, &depth);
    EXPECT_EQ(depth, 0);
}

TEST_F(DraPrt, TheDrawObjectPrintsItsDefaultDrawMemory)
{
    ASSERT_EQ(Start(), 0);
    VktMemoryDC page(1000, 1400);
    PrintInfo pi;
    ASSERT_EQ(VkeDrwInitPrintInfo(drw, &pi), 0);
    pi.hDC = page.dc;
    ASSERT_EQ(VkeDrwSetPrintInfoRect(drw, &pi, &kPage), 0);
    EXPECT_EQ(VkeDrwSetPrintPageInfo(drw, &pi), -7); // nothing attached
    HBITMAP red = VktMakeDIB(300, 200, 24);
    VktDIB pixels(red);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x) pixels.SetRaw(x, y, 0xFF0000);
    ASSERT_EQ(VkeDrwAttachDrmDIB(drw, nullptr, red), 0);
    ASSERT_EQ(VkeDrwSetPrintPageInfo(drw, &pi), 0);
    RECT image = {50, 76, 350, 276};
    EXPECT_TRUE(EqualRect(&pi.rctImage, &image));
    pi.iCurPage = 1;
    EXPECT_EQ(VkeDrwCheckPrinting(drw), 0);
    ASSERT_EQ(VkeDrwPrint(drw, &pi), 0);
    EXPECT_EQ(pi.iEmpty, 1);
    EXPECT_EQ(page.Pixel(60, 80), kRed);
    EXPECT_EQ(page.Pixel(345, 270), kRed);
    EXPECT_EQ(page.Pixel(360, 80), kWhite);
    EXPECT_TRUE(Shows(page, pi.rctPageNo, pi.lfPageNo, "1 / 1"));

    // Page 2 of 1: the header and the number, no image.
    VktMemoryDC second(1000, 1400);
    pi.hDC = second.dc;
    pi.iCurPage = 2;
    ASSERT_EQ(VkeDrwPrint(drw, &pi), 0);
    EXPECT_EQ(pi.iEmpty, 1);
    EXPECT_EQ(second.Pixel(60, 80), kWhite);
    EXPECT_TRUE(Shows(second, pi.rctPageNo, pi.lfPageNo, "2 / 1"));
    EXPECT_TRUE(Inked(second, pi.rctHeader));

    ASSERT_EQ(VkeSysSetPrintingFlag(sys, 1), 0);
    EXPECT_EQ(VkeDrwCheckPrinting(drw), 1);
    EXPECT_EQ(VkeDraCheckPrinting(dra), 1);
    ASSERT_EQ(VkeSysSetPrintingFlag(sys, 0), 0);
    HBITMAP back = nullptr;
    ASSERT_EQ(VkeDrwDetachDrmDIB(drw, nullptr, &back), 0);
    DeleteObject(back);
    EXPECT_EQ(Traced(), 1); // the -7 before the attach
}

// A DC of the default printer (the queue "PDF"), or null.
HDC DefaultPrinterDC()
{
    char name[256] = {};
    DWORD size = sizeof(name);
    return GetDefaultPrinterA(name, &size) ? CreateDCA(nullptr, name, nullptr, nullptr) : nullptr;
}

// One job through the default printer: its DC (deleted on every path), the paper and the
// inches of a point on it, and at its end the pages' expectations for CheckPrintPdf.py.
struct PrinterJob {
    HDC dc = DefaultPrinterDC();
    char title[64] = {};
    double dpiX = 1, dpiY = 1;
    int offX = 0, offY = 0;
    RECT paper = {};
    ~PrinterJob()
    {
        if (dc) DeleteDC(dc);
    }
    // Starts the document, titled PREFIX with this process and time; false when it cannot.
    bool Begin(const char* prefix)
    {
        snprintf(title, sizeof(title), "%s%lu%lu", prefix, GetCurrentProcessId(), GetTickCount());
        DOCINFOA doc = {sizeof(doc), title, nullptr, nullptr, 0};
        if (!dc || StartDocA(dc, &doc) <= 0) return false;
        dpiX = GetDeviceCaps(dc, LOGPIXELSX);
        dpiY = GetDeviceCaps(dc, LOGPIXELSY);
        offX = GetDeviceCaps(dc, PHYSICALOFFSETX);
        offY = GetDeviceCaps(dc, PHYSICALOFFSETY);
        paper = {0, 0, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)};
        return true;
    }
    double InchX(double x) const { return (x + offX) / dpiX; }
    double InchY(double y) const { return (y + offY) / dpiY; }
    // A rectangle on the paper in inches, "left top right bottom".
    std::string Inches(const RECT& r) const
    {
        char line[128];
        snprintf(line, sizeof(line), "%.3f %.3f %.3f %.3f", InchX(r.left), InchY(r.top), InchX(r.right), InchY(r.bottom));
        return line;
    }
    // Ends the document and appends its SHEETS pages' PROBES to the jobs file.
    bool End(int sheets, const std::string& probes)
    {
        if (EndDoc(dc) <= 0) return false;
        FILE* f = fopen(JobsPath().c_str(), "a");
        if (!f) return false;
        fprintf(f, "job %s %d\n%s", title, sheets, probes.c_str());
        fclose(f);
        return true;
    }
};

// One job through the queue "PDF": a zoomed drawing (black left, grey right) in every scale mode,
// every page of each. The pages' expectations go to TestEngDra.jobs for CheckPrintPdf.py: ink in
// the header and page-number bands, the drawing's two colours where the page shows them, and
// page-number lines alike exactly where their texts are.
TEST_F(DraPrt, EveryScaleModeComesOutOfTheQueue)
{
    PrinterJob job;
    ASSERT_NE(job.dc, nullptr);
    ASSERT_EQ(Start([](VkeDraParam& p) { p.rctInrDra = {0, 0, 600, 400}; }), 0);
    ASSERT_EQ(VkeDraSetScale(dra, 2, 1), 0);
    split = 600;
    leftColor = RGB(0, 0, 0);
    rightColor = RGB(128, 128, 128);
    ASSERT_TRUE(job.Begin("VktDra"));
    HDC printer = job.dc;
    std::string probes;
    char line[256];
    int sheet = 0;
    int grids = 0;
    for (int mode = 1; mode <= 6; ++mode) {
        PrintInfo pi = Paged(printer, job.paper, mode);
        // The displayed size and the fit to the height run over more than one page.
        EXPECT_EQ(pi.iPageCount > 1, mode == 2 || mode == 6) << mode;
        grids += pi.iPageCount > 1;
        for (int n = 1; n <= pi.iPageCount; ++n) {
            pi.iCurPage = n;
            ASSERT_GT(StartPage(printer), 0);
            ASSERT_EQ(VkeDraPrint(dra, &pi), 0) << mode << " " << n;
            ASSERT_GT(EndPage(printer), 0);
            ++sheet;
            for (const RECT* band : {&pi.rctHeader, &pi.rctPageNo})
                probes += "ink " + std::to_string(sheet) + " " + job.Inches(*band) + "\n";
            snprintf(line, sizeof(line), "band %d %d/%d ", sheet, n, pi.iPageCount);
            probes += line + job.Inches(pi.rctPageNo) + "\n";
            // The middle of each colour's share of the page part, where it is wide enough.
            const RECT& p = pi.rctPagePart;
            const double sx = double(pi.rctPrinted.right - pi.rctPrinted.left) / (pi.rctSource.right - pi.rctSource.left);
            const double sy = double(pi.rctPrinted.bottom - pi.rctPrinted.top) / (pi.rctSource.bottom - pi.rctSource.top);
            const double y = pi.rctImage.top + (p.bottom - p.top) / 2.0 * sy;
            struct Share {
                LONG from, to;
                int lo, hi;
            } shares[] = {{p.left, std::min<LONG>(p.right, 600), 0, 60}, {std::max<LONG>(p.left, 600), p.right, 90, 170}};
            for (const Share& s : shares) {
                if (s.to - s.from < 40) continue;
                double x = pi.rctImage.left + ((s.from + s.to) / 2.0 - p.left) * sx;
                snprintf(line, sizeof(line), "grey %d %.3f %.3f %d %d\n", sheet, job.InchX(x), job.InchY(y), s.lo, s.hi);
                probes += line;
            }
        }
    }
    ASSERT_TRUE(job.End(sheet, probes));
    EXPECT_EQ(grids, 2);
    EXPECT_EQ(Traced(), 0);
}

// One job through the queue "PDF" of header lines in fonts a PostScript driver prints poorly or
// not at all: a face without glyph outlines of its own kind (Nimbus Sans, CFF; Wine's driver
// died downloading it) and a bold of a face that has no bold (MS UI Gothic: the driver printed
// it regular). The job comes out, every header has ink, and the bold one more than the regular.
TEST_F(DraPrt, HeaderFontsComeOutOfTheQueueAsChosen)
{
    PrinterJob job;
    ASSERT_NE(job.dc, nullptr);
    ASSERT_EQ(Start([](VkeDraParam& p) { p.rctInrDra = {0, 0, 600, 400}; }), 0);
    ASSERT_TRUE(job.Begin("VktDraFnt"));
    HDC printer = job.dc;
    struct Row {
        const char* face;
        LONG weight;
    } rows[] = {{"MS UI Gothic", FW_NORMAL}, {"MS UI Gothic", FW_BOLD}, {"Nimbus Sans", FW_NORMAL}, {"Nimbus Sans", FW_BOLD}};
    std::string probes;
    int sheet = 0;
    for (const Row& r : rows) {
        PrintInfo pi;
        ASSERT_EQ(VkeDraInitPrintInfo(dra, &pi), 0);
        pi.hDC = printer;
        pi.iPageNo = 0;
        pi.lfHeader.lfHeight = -60;
        pi.lfHeader.lfWeight = r.weight;
        snprintf(pi.lfHeader.lfFaceName, sizeof(pi.lfHeader.lfFaceName), "%s", r.face);
        snprintf(pi.amHeader, sizeof(pi.amHeader), "HEADER Test");
        ASSERT_EQ(VkeDraSetPrintInfoRect(dra, &pi, &job.paper), 0);
        ASSERT_EQ(VkeDraSetPrintPageInfo(dra, &pi), 0);
        pi.iCurPage = 1;
        ASSERT_GT(StartPage(printer), 0);
        ASSERT_EQ(VkeDraPrint(dra, &pi), 0) << r.face << " " << r.weight;
        ASSERT_GT(EndPage(printer), 0);
        ++sheet;
        const std::string line = job.Inches(pi.rctHeader);
        probes += "ink " + std::to_string(sheet) + " " + line + "\n";
        if (r.weight == FW_BOLD) probes += "heavier " + std::to_string(sheet) + " " + std::to_string(sheet - 1) + " " + line + "\n";
    }
    ASSERT_TRUE(job.End(sheet, probes));
    EXPECT_EQ(Traced(), 0);
}

TEST_F(DraPrt, PagesAndPassesLeaveNoGdiObjectBehind)
{
    ASSERT_EQ(Start([](VkeDraParam& p) { p.iDrawMemory = 1; }), 0);
    VktMemoryDC page(1000, 1400), target(300, 200);
    PrintInfo pi = Paged(page.dc, kPage, 1);
    pi.iCurPage = 1;
    RECT update = {0, 0, 100, 80};
    HWND area = wnd;
    auto round = [&]() {
        EXPECT_EQ(VkeDraPrint(dra, &pi), 0);
        EXPECT_EQ(VkeDraRedraw(dra, 0), 0);
        EXPECT_EQ(VkeDraDraw(dra, target.dc, &update, 0), 0);
        EXPECT_EQ(VkeDraSetDrawMemoryFlag(dra, 0), 0);
        EXPECT_EQ(VkeDraDraw(dra, target.dc, &update, 0), 0);
        InvalidateRect(area, nullptr, TRUE);
        UpdateWindow(area);
        EXPECT_EQ(VkeDraSetDrawMemoryFlag(dra, 1), 0);
    };
    round(); // the platform keeps a few objects for good on first use
    DWORD objects = VktGdiObjects();
    for (int i = 0; i < 30; ++i) round();
    EXPECT_EQ(VktGdiObjects(), objects);
}

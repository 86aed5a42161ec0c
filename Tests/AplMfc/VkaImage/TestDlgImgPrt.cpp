// The image page printed through the main frame's print command to the PDF queue: each job is
// listed with what its page must show where (TestAplVkaPdf, CheckPagePdf.py, reads the PDFs
// back): the four colours in place, only the frame's part, the paper turned for a wide image; the
// header that names the file, no dialog when the settings omit it, a page-set frame the print
// moved, margins that leave no room, a batch that closes its printed pages, and no printer.
#include "TestChildViw.h"
#include "CmnRes.h"
#include "DlgImgGeo.h"
#include <stdio.h>

namespace {

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kBlack = RGB(0, 0, 0);

// Quadrants: red, green above; blue, black below.
COLORREF Four(int x, int y, int w, int h)
{
    return y < h / 2 ? (x < w / 2 ? kRed : kGreen) : (x < w / 2 ? kBlue : kBlack);
}

std::string Caption(const VktMsgBox::Box& box) { return box.caption; }

// The engine's printing mark.
int Printing()
{
    int flag = -1;
    VkeSysGetPrintingFlag(theCmnAppInf.pSys, &flag);
    return flag;
}

class PrtPageTest : public SelTest {
protected:
    void SetUp() override
    {
        SelTest::SetUp();
        Run();
        Poi& poi = theAppInf.poi;
        poi.fri.iMode = FrmModeFree;
        poi.fri.bPagSet = 0;
        poi.pri.iMode = VKE_PRT_SCALE_FIT;
        poi.pri.bOmtDlgPrt = 1;
        poi.pri.bHeader = 0;
        poi.pri.bFooter = 0;
        poi.pri.iOrientation = 2;
        theCmnAppInf.rctPrintMargin = RECT{1000, 1000, 1000, 1000};
    }
    // A page of an image width x height painted by colour, named for its job (the job takes the
    // file name as its title), current and shown.
    DlgImg* OpenJob(int width, int height, const std::function<COLORREF(int, int)>& colour)
    {
        static int serial = 0;
        char name[32];
        snprintf(name, sizeof(name), "VkP%03lu%05lu%02d", ::GetCurrentProcessId() % 1000,
                 (::GetTickCount() / 1000) % 100000, ++serial % 100);
        job = name;
        const std::string path = dir / (job + ".bmp");
        MakeBmpFile(path, width, height, colour);
        DlgImg* page = OpenShown(path);
        if (page) page->GetPoi();
        return page;
    }
    // The print command as the menu gives it, the boxes that open answered in turn (0 leaves the
    // printing status alone); the boxes seen but the status.
    std::vector<VktMsgBox::Box> Print(const std::vector<int>& buttons = {0})
    {
        VktMsgBox answer(buttons);
        Command(ID_FILE_PRINT);
        VktPump(100);
        std::vector<VktMsgBox::Box> seen;
        for (const auto& box : answer.Seen())
            if (box.caption != "印刷中") seen.push_back(box);
        return seen;
    }
    // A point of the printer's device units (the printable area's) as fractions of the paper.
    std::string OnPaper(double x, double y)
    {
        HDC dc = nullptr;
        app->GetPrtHDC(&dc);
        char text[40];
        snprintf(text, sizeof(text), "%.3f,%.3f", (::GetDeviceCaps(dc, PHYSICALOFFSETX) + x) / ::GetDeviceCaps(dc, PHYSICALWIDTH),
                 (::GetDeviceCaps(dc, PHYSICALOFFSETY) + y) / ::GetDeviceCaps(dc, PHYSICALHEIGHT));
        return text;
    }
    // The printed image at (u, v) of its size shows the colour (r, g, b, k black, w white).
    std::string At(DlgImg* page, double u, double v, char colour)
    {
        const RECT& r = page->GetPrintInfo()->rctImage;
        return " " + OnPaper(r.left + (r.right - r.left) * u, r.top + (r.bottom - r.top) * v) + "," + colour;
    }
    // The rectangle holds ink (a text line).
    std::string InkIn(const RECT& r) { return " " + OnPaper(r.left, r.top) + "," + OnPaper(r.right, r.bottom) + ",i"; }
    // Lists the job for the PDF check: the paper (L landscape, P portrait) and the probes.
    void ListJob(char paper, const std::string& probes)
    {
        static bool cleared = false;
        const std::string path = VktBesideExe("TestAplVka.jobs");
        FILE* f = fopen(path.c_str(), cleared ? "a" : "w");
        cleared = true;
        ASSERT_NE(f, nullptr) << path;
        fprintf(f, "%s %c%s\n", job.c_str(), paper, probes.c_str());
        fclose(f);
    }
    std::string Quadrants(DlgImg* page)
    {
        return At(page, 0.25, 0.25, 'r') + At(page, 0.75, 0.25, 'g') + At(page, 0.25, 0.75, 'b') +
               At(page, 0.75, 0.75, 'k');
    }

    std::string job;
};

// Run without a printer (TestAplVkaNoPrinter): skipped where the session has one.
class PrtNoPrinter : public SelTest {
protected:
    void SetUp() override
    {
        SelTest::SetUp();
        char name[256] = {};
        DWORD size = sizeof(name);
        if (::GetDefaultPrinterA(name, &size)) GTEST_SKIP() << "this session has the printer " << name;
    }
};

} // namespace

TEST_F(PrtPageTest, TheDialogsRunPrintsTheFourColoursInPlaceWithTheFileNameAsHeader)
{
    theAppInf.poi.pri.bOmtDlgPrt = 0;
    theAppInf.poi.pri.bHeader = 1;
    DlgImg* page = OpenJob(200, 100, [](int x, int y) { return Four(x, y, 200, 100); });
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(Update(ID_FILE_PRINT), 1);
    auto seen = Print({IDOK, 0});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "印刷");
    EXPECT_EQ(page->GetPrintedFlag(), 1);
    EXPECT_EQ(std::string(page->GetPrintInfo()->amHeader), job + ".bmp") << "an empty header names the file";
    int landscape = -1;
    app->GetPrtOrient(&landscape);
    EXPECT_EQ(landscape, 1) << "a wide image prints larger across";
    // The header line holds ink; the image's quadrants their colours; white beside it.
    ListJob('L', Quadrants(page) + At(page, 0.5, 1.05, 'w') + InkIn(page->GetPrintInfo()->rctHeader));
    EXPECT_EQ(::GetFocus(), page->GetDraWnd()) << "the focus back where it was";

    // "閉じる" prints nothing and leaves nothing marked.
    page->SetPrintedFlag(0);
    seen = Print({IDCANCEL});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(page->GetPrintedFlag(), 0);
    EXPECT_EQ(Printing(), 0);
}

TEST_F(PrtPageTest, WithTheFrameOnlyItsPartPrintsAndATallImageOnPortrait)
{
    DlgImg* page = OpenJob(200, 100, [](int x, int y) { return Four(x, y, 200, 100); });
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->SetShwFrmFlag(1), 0);
    // Inside the red quadrant.
    page->GetIci()->rctFrm = RECT{10, 10, 90, 40};
    auto seen = Print();
    EXPECT_TRUE(seen.empty()) << "no dialog when the settings omit it: " << seen[0].caption;
    EXPECT_EQ(page->GetPrintedFlag(), 1);
    ListJob('L', At(page, 0.1, 0.1, 'r') + At(page, 0.9, 0.1, 'r') + At(page, 0.1, 0.9, 'r') + At(page, 0.9, 0.9, 'r'));

    page = OpenJob(100, 200, [](int x, int y) { return Four(x, y, 100, 200); });
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(Print().empty());
    ListJob('P', Quadrants(page));
}

TEST_F(PrtPageTest, APageSetFrameThePrintMovesIsShownFirstAndMarginsWithoutRoomAreSaid)
{
    DlgImg* page = OpenJob(300, 200, [](int x, int y) { return Four(x, y, 300, 200); });
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->SetFrmMod(FrmModeFixedRatio), 0);
    ASSERT_EQ(page->SetPagSetFlag(1), 0);
    ASSERT_EQ(page->SetShwFrmFlag(1), 0);
    const RECT placed = page->GetIci()->rctFrm;
    // Wider side margins: the printable area's ratio, and so the frame's, changes.
    page->GetIci()->rctMargin = RECT{6000, 1000, 6000, 1000};
    auto seen = Print({IDOK});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, std::string(theCmnSub.GetMsgStr(IDS_VKA_FRAME_MOVED)));
    EXPECT_EQ(page->GetPrintedFlag(), 0);
    EXPECT_FALSE(EqualRect(&page->GetIci()->rctFrm, &placed)) << "the frame shows where it will print";
    EXPECT_EQ(Printing(), 0);
    // Looked at, printed.
    EXPECT_TRUE(Print().empty());
    EXPECT_EQ(page->GetPrintedFlag(), 1);
    ListJob('L', At(page, 0.1, 0.1, 'r') + At(page, 0.9, 0.9, 'k'));

    page->SetPrintedFlag(0);
    page->GetIci()->rctMargin = RECT{20000, 20000, 20000, 20000};
    theCmnAppInf.rctPrintMargin = page->GetIci()->rctMargin;
    seen = Print({IDOK});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, std::string(theCmnSub.GetMsgStr(IDS_CMN_PRT_MARGIN)));
    EXPECT_EQ(page->GetPrintedFlag(), 0);
}

TEST_F(PrtPageTest, ABatchPrintsEveryPageAndClosesThePrintedUnlockedOnes)
{
    theAppInf.pai = Pai{0, 0, 1, 0};
    std::vector<std::string> jobs;
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(OpenJob(60, 40, [](int x, int y) { return Four(x, y, 60, 40); }), nullptr);
        jobs.push_back(job);
    }
    View()->SetLockedFlag(1, 1);
    View()->SetCurSel(0);
    {
        VktMsgBox answer({IDOK, 0});
        EXPECT_EQ(View()->OnFilePrtAll(), 0);
        ASSERT_GE(answer.Count(), 1);
        EXPECT_EQ(Caption(answer.Seen()[0]), "一括印刷");
    }
    ASSERT_EQ(Count(), 1);
    EXPECT_EQ(std::string(View()->GetImgPage(0)->GetFileName()), jobs[1] + ".bmp");
    for (const std::string& name : jobs) {
        job = name;
        ListJob('L', "");
    }
}

TEST_F(PrtNoPrinter, PrintingWithoutAPrinterSaysSoAndEnds)
{
    {
        VktMsgBox platform({IDOK}); // Wine's own box: no default printer
        Run();
    }
    const std::string path = dir / "np.bmp";
    MakeBmpFile(path, 40, 20, kRed, kBlue);
    DlgImg* page = OpenShown(path);
    ASSERT_NE(page, nullptr);
    theAppInf.poi.pri.bOmtDlgPrt = 1;
    VktMsgBox answer({IDOK, IDOK});
    Command(ID_FILE_PRINT);
    VktPump(100);
    // The print job's preparation finds no printer and says so; the page adds nothing.
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_EQ(answer.Seen()[0].text.rfind("プリンタが見つかりません。", 0), 0u) << answer.Seen()[0].text;
    EXPECT_EQ(page->GetPrintedFlag(), 0);
    EXPECT_EQ(Printing(), 0);
}

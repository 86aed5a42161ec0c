// Print jobs of the form view through the CUPS queue "PDF": the direct command, the print
// dialog's range, printing to a file, the view's answers that end a job early or never begin it,
// Stop in the status window, a refused job, and the DCs a job leaves. TestMfcPrintPdf checks the
// PDFs afterwards: each listed job's pages and their marks, and that stopped jobs left none.
#include "TestMfcPrintApp.h"
#include "VktMsgBox.h"

namespace {

class PrintJob : public PrintTest {};

std::string ItemText(HWND dialog, int id)
{
    char text[256] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}

// The texts of the program's message boxes among the dialogs answered.
std::vector<std::string> Messages(const VktMsgBox& answer)
{
    std::vector<std::string> texts;
    for (const VktMsgBox::Box& box : answer.Seen())
        if (box.caption == "PrintTest") texts.push_back(box.text);
    return texts;
}

int CountOf(const std::string& text, const std::string& part)
{
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

} // namespace

TEST_F(PrintJob, DirectPrintsEveryPageWithTheStatusShown)
{
    std::string title = NameJob("Dir");
    CPrintView::s_script.clearDC = true; // the DC the layer made still goes
    std::vector<std::string> pages;
    bool mainDisabled = true;
    CString port;
    CPrintView::s_script.onPrint = [&](CDC* pDC, CPrintInfo* pInfo) {
        HWND status = StatusWindow();
        pages.push_back(ItemText(status, 1005));
        mainDisabled = mainDisabled && !frame->IsWindowEnabled();
        EXPECT_TRUE(pDC->IsPrinting());
        EXPECT_EQ(ItemText(status, 1003), "PDF");
        port = pInfo->m_pPD->GetPortName();
        EXPECT_EQ(ItemText(status, 1004), std::string(port) + " へ出力中");
    };
    Command(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(view->m_log, "prepare;begin;dc1;print1;dc2;print2;dc3;print3;end;");
    EXPECT_EQ(std::string(view->m_lastStatusName), title);
    EXPECT_EQ(pages, (std::vector<std::string>{"ﾍﾟｰｼﾞ 1", "ﾍﾟｰｼﾞ 2", "ﾍﾟｰｼﾞ 3"}));
    EXPECT_TRUE(mainDisabled);
    EXPECT_TRUE(frame->IsWindowEnabled());
    EXPECT_EQ(StatusWindow(), nullptr);
    EXPECT_EQ(::GetObjectType(view->m_lastDC), 0u);
    ListJob(title, 3);
}

TEST_F(PrintJob, TheDialogsRangePrintsThosePages)
{
    std::string title = NameJob("Rng");
    AnswerPrintDialog(2, 3);
    Command(ID_FILE_PRINT);
    EXPECT_EQ(view->m_log, "prepare;begin;dc2;print2;dc3;print3;end;");
    ListJob(title, 2, 2);
}

// The job's name is the document's title cut to 31 bytes on a character boundary: 30 bytes
// here, since byte 31 would split 表.
TEST_F(PrintJob, PrintToFileAsksTheNameAndKeepsTheJobName)
{
    std::string path = dir / "出力.prn";
    doc->SetTitle("VkPrintToFileJobName_ABCDEFGHI表示");
    const std::string cut = "VkPrintToFileJobName_ABCDEFGHI";
    std::string port;
    CPrintView::s_script.onPrint = [&](CDC*, CPrintInfo*) { port = ItemText(StatusWindow(), 1004); };
    AnswerPrintDialog(0, 0, path);
    Command(ID_FILE_PRINT);
    EXPECT_EQ(view->m_log, "prepare;begin;dc1;print1;dc2;print2;dc3;print3;end;");
    EXPECT_EQ(std::string(view->m_lastStatusName), cut);
    EXPECT_EQ(port, path + " へ出力中");
    std::string output = VktReadFile(path);
    EXPECT_EQ(CountOf(output, "\n%%Page: "), 3);
    EXPECT_NE(output.find("%%Title: " + cut + "\n"), std::string::npos) << output.substr(0, 300);
    // The printer keeps its own port for the next job.
    CString appPort;
    AfxGetDevNames(thePrintApp.DevNames(), nullptr, nullptr, &appPort);
    EXPECT_FALSE(appPort.IsEmpty());
    EXPECT_NE(std::string(appPort), "FILE:");
}

// Nothing is begun when the dialog is cancelled or the view refuses; a document without pages
// begins and ends without a job; a view that skips the base prints the whole range, and the
// base prints one page when the last page is not known.
TEST_F(PrintJob, TheViewsAnswersDecideThePages)
{
    struct Case {
        const char* kind;
        UINT command;
        bool cancel, prepareFails, skipBase;
        UINT maxPage;
        const char* log;
        int pages;
    } cases[] = {
        {"Cnc", ID_FILE_PRINT, true, false, false, 3, "prepare;", 0},
        {"Ref", ID_FILE_PRINT, false, true, false, 3, "prepare;", 0},
        {"Zro", ID_FILE_PRINT_DIRECT, false, false, false, 0, "prepare;begin;end;", 0},
        {"Skp", ID_FILE_PRINT_DIRECT, false, false, true, 3, "prepare;begin;dc1;print1;dc2;print2;dc3;print3;end;", 3},
        {"Unk", ID_FILE_PRINT_DIRECT, false, false, false, 0xFFFF, "prepare;begin;dc1;print1;dc2;end;", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        view->m_log.clear();
        std::string title = NameJob(c.kind);
        CPrintView::s_script.maxPage = c.maxPage;
        CPrintView::s_script.prepareFails = c.prepareFails;
        CPrintView::s_script.skipBase = c.skipBase;
        // Any dialog or message that shows (but the printing status) is counted and cancelled.
        int dialogs = 0;
        WhenNewDialogShows(nullptr, [&](HWND dialog) {
            ++dialogs;
            ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        Command(c.command);
        EXPECT_EQ(view->m_log, c.log);
        EXPECT_EQ(dialogs, c.cancel ? 1 : 0);
        if (c.pages) ListJob(title, c.pages);
        AfterStart([] {}); // no answer left waiting for the next case
        PumpPending();
    }
}

TEST_F(PrintJob, StopOnTheSecondPageEndsTheJobThere)
{
    std::string title = NameJob("Stp");
    CPrintView::s_script.onPrint = [](CDC*, CPrintInfo* pInfo) {
        HWND status = StatusWindow();
        if (pInfo->m_nCurPage == 2)
            ::PostMessageA(status, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(status, IDCANCEL)));
    };
    Command(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(view->m_log, "prepare;begin;dc1;print1;dc2;print2;end;");
    EXPECT_TRUE(frame->IsWindowEnabled());
    EXPECT_EQ(StatusWindow(), nullptr);
    ListJob(title, 0);
}

// The program's own DCs stay the program's: a memory DC the printer refuses (one message, the
// view still told the end) and a printer DC that prints.
TEST_F(PrintJob, TheProgramsOwnDCStaysAndARefusedJobSaysSo)
{
    HDC memory = ::CreateCompatibleDC(nullptr);
    CPrintView::s_script.ownDC = memory;
    {
        VktMsgBox answer({IDOK});
        Command(ID_FILE_PRINT_DIRECT);
        ASSERT_EQ(Messages(answer), std::vector<std::string>{"印刷を開始できませんでした。"});
    }
    EXPECT_EQ(view->m_log, "prepare;begin;end;");
    EXPECT_TRUE(frame->IsWindowEnabled());
    EXPECT_EQ(::GetObjectType(memory), static_cast<DWORD>(OBJ_MEMDC));
    ::DeleteDC(memory);

    HDC printer = ::CreateDCA("winspool", "PDF", nullptr, nullptr);
    ASSERT_NE(printer, nullptr);
    CPrintView::s_script.ownDC = printer;
    CPrintView::s_script.maxPage = 1;
    std::string title = NameJob("Own");
    Command(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(view->m_lastDC, printer);
    EXPECT_EQ(::GetObjectType(printer), static_cast<DWORD>(OBJ_DC));
    ::DeleteDC(printer);
    ListJob(title, 1);
}

TEST_F(PrintJob, FiftyJobsLeaveNoObjectBehind)
{
    CPrintView::s_script.maxPage = 1;
    ListJob(NameJob("Lk"), 1); // the first job fills the platform's caches
    Command(ID_FILE_PRINT_DIRECT);
    DWORD objects = VktGdiObjects();
    for (int i = 0; i < 50; ++i) {
        ListJob(NameJob("Lk"), 1);
        Command(ID_FILE_PRINT_DIRECT);
    }
    EXPECT_EQ(VktGdiObjects(), objects);
    EXPECT_EQ(CountOf(view->m_log, "print1;"), 51);
}

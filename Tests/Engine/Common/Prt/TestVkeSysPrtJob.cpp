// Print jobs through the real queue with the printing-status dialog: the pages a job sends, Stop
// pressed with the mouse during a page, a quit message during a page, and the system object the
// dialog belongs to. CheckPdf.py runs after this program: the finished jobs' PDFs must show their
// pages and marks, and the aborted jobs must leave no PDF.
#include "VktPrt.h"
#include <stdio.h>
#include <string.h>

namespace {

class PrtJob : public VktPrtFixture {
protected:
    void SetUp() override
    {
        VktPrtFixture::SetUp();
        AttachDefault();
    }
    // A document name no other job of this machine has.
    void NameJob(const char* what)
    {
        snprintf(pdi.amDocName, sizeof(pdi.amDocName), "Vkt%s%lu%lu", what, GetCurrentProcessId(), GetTickCount());
    }
};

// The status dialog of this thread, null when none is shown.
HWND StatusDialog()
{
    HWND dlg = FindWindowA("#32770", "印刷中");
    return dlg && IsWindowVisible(dlg) ? dlg : nullptr;
}

std::string ItemText(HWND dlg, int id)
{
    char buf[256] = {};
    GetDlgItemTextA(dlg, id, buf, sizeof(buf));
    return buf;
}

// The mark of page n: a black square one inch wide, n inches from the left and one from the top.
void DrawMark(HDC dc, int n)
{
    int inch = GetDeviceCaps(dc, LOGPIXELSX);
    RECT r = {n * inch, inch, (n + 1) * inch, 2 * inch};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

// The list of jobs for the PDF check that runs after this program.
std::string JobsPath() { return VktBesideExe("TestEngPrt.jobs"); }
const bool kJobsCleared = DeleteFileA(JobsPath().c_str()) || true; // each run lists its own jobs

// Lists a job: the pages its PDF must have, 0 when no PDF may come out.
void ListJob(const char* title, int pages)
{
    FILE* f = fopen(JobsPath().c_str(), "a");
    ASSERT_NE(f, nullptr) << JobsPath();
    fprintf(f, "%s %d\n", title, pages);
    fclose(f);
}

// A one-page job with the mark of page 1, ended normally.
void OnePage(VkiSys* sys, Pdi* pdi)
{
    ASSERT_EQ(VkeSysPrintStartDoc(sys, pdi), 0);
    pdi->iCurPage = 1;
    ASSERT_EQ(VkeSysPrintStartPage(sys, pdi), 0);
    DrawMark(pdi->hDC, 1);
    ASSERT_EQ(VkeSysPrintEndPage(sys, pdi), 0);
    ASSERT_EQ(VkeSysPrintEndDoc(sys, pdi), 0);
    ListJob(pdi->amDocName, 1);
}

// A left click at the centre of a window, through the system's mouse input.
void Click(HWND wnd)
{
    RECT r;
    GetWindowRect(wnd, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(SendInput(2, in, sizeof(INPUT)), 2u);
}

// The exit code of a quit message waiting for this thread's loop; -1 when none comes in 5 s.
int QuitCode()
{
    MSG msg;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000;) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            Sleep(10);
            continue;
        }
        if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
        DispatchMessageA(&msg);
    }
    return -1;
}

} // namespace

TEST_F(PrtJob, ThreePagesWithTheStatusDialog)
{
    NameJob("Three");
    ASSERT_EQ(VkeSysPrintStartDoc(sys, &pdi), 0);
    HWND dlg = StatusDialog();
    ASSERT_NE(dlg, nullptr);
    EXPECT_FALSE(IsWindowEnabled(env->Window()));
    EXPECT_EQ(ItemText(dlg, 1002), pdi.amDocName);
    EXPECT_EQ(ItemText(dlg, 1003), "PDF");
    EXPECT_EQ(ItemText(dlg, 1004), std::string(pdi.amPort) + " へ出力中");
    // Another job waits until this one ends.
    EXPECT_EQ(VkeSysPrintStartDoc(sys, &pdi), -7);
    env->ClearReports();

    for (int page = 1; page <= 3; ++page) {
        pdi.iCurPage = page;
        ASSERT_EQ(VkeSysPrintStartPage(sys, &pdi), 0) << page;
        EXPECT_EQ(ItemText(dlg, 1005), "ﾍﾟｰｼﾞ " + std::to_string(page));
        DrawMark(pdi.hDC, page);
        ASSERT_EQ(VkeSysPrintEndPage(sys, &pdi), 0) << page;
        EXPECT_FALSE(IsWindowEnabled(env->Window()));
    }
    ASSERT_EQ(VkeSysPrintEndDoc(sys, &pdi), 0);
    EXPECT_TRUE(IsWindowEnabled(env->Window()));
    EXPECT_FALSE(IsWindow(dlg));
    EXPECT_EQ(Traced(), 0);
    ListJob(pdi.amDocName, 3);

    // A second job leaves nothing behind (the first one fills the platform's caches).
    DWORD objects = VktGdiObjects();
    NameJob("Again");
    OnePage(sys, &pdi);
    EXPECT_EQ(VktGdiObjects(), objects);
}

TEST_F(PrtJob, StopPressedDuringAPageAbortsTheJob)
{
    NameJob("Stop");
    ASSERT_EQ(VkeSysPrintStartDoc(sys, &pdi), 0);
    ASSERT_EQ(VkeSysPrintStartPage(sys, &pdi), 0);
    DrawMark(pdi.hDC, 1);
    HWND dlg = StatusDialog();
    ASSERT_NE(dlg, nullptr);
    Click(GetDlgItem(dlg, IDCANCEL));
    // The abort procedure lets the click through; Stop only raises the flag.
    EXPECT_EQ(VkeSysPrintEndPage(sys, &pdi), 3);
    EXPECT_FALSE(IsWindow(dlg));
    EXPECT_TRUE(IsWindowEnabled(env->Window()));
    EXPECT_EQ(Traced(), 0);
    ListJob(pdi.amDocName, 0);
    // Aborting again does no harm, and the printer takes the next job.
    EXPECT_EQ(VkeSysPrintAbortDoc(sys, &pdi), 0);
    EXPECT_EQ(GetObjectType(pdi.hDC), static_cast<DWORD>(OBJ_DC));
    NameJob("AfterStop");
    OnePage(sys, &pdi);
}

TEST_F(PrtJob, QuitDuringAPageStopsTheJobAndStillEndsTheLoop)
{
    NameJob("Quit");
    ASSERT_EQ(VkeSysPrintStartDoc(sys, &pdi), 0);
    ASSERT_EQ(VkeSysPrintStartPage(sys, &pdi), 0);
    PostQuitMessage(7);
    EXPECT_EQ(VkeSysPrintEndPage(sys, &pdi), 3);
    EXPECT_EQ(StatusDialog(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(env->Window()));
    EXPECT_EQ(QuitCode(), 7);
    ListJob(pdi.amDocName, 0);
}

TEST_F(PrtJob, RefusedJobsGiveTheMainWindowBack)
{
    Pdi memory = pdi;
    HDC dc = CreateCompatibleDC(nullptr);
    memory.hDC = dc;
    EXPECT_EQ(VkeSysPrintStartDoc(sys, &memory), -9);
    EXPECT_TRUE(IsWindowEnabled(env->Window()));
    EXPECT_EQ(StatusDialog(), nullptr);
    DeleteDC(dc);

    Pdi none = pdi;
    none.hDC = nullptr;
    using Step = int (*)(VkiSys*, Pdi*);
    for (Step step : {VkeSysPrintStartDoc, VkeSysPrintStartPage, VkeSysPrintEndPage, VkeSysPrintEndDoc,
                      VkeSysPrintAbortDoc}) {
        EXPECT_EQ(step(sys, &none), -9);
        EXPECT_EQ(step(sys, nullptr), -9);
    }
}

// The dialog belongs to the system object that prints: it centres over that object's window, even
// after other system objects were made and freed.
TEST_F(PrtJob, StatusDialogBelongsToThePrintingObject)
{
    { VktSys first; }
    { VktSys second; }
    delete new VktSys; // initialised last, then freed
    SetWindowPos(env->Window(), nullptr, 500, 400, 400, 300, SWP_NOZORDER | SWP_SHOWWINDOW);
    NameJob("Owner");
    ASSERT_EQ(VkeSysPrintStartDoc(sys, &pdi), 0);
    HWND dlg = StatusDialog();
    ASSERT_NE(dlg, nullptr);
    RECT d, w;
    GetWindowRect(dlg, &d);
    GetWindowRect(env->Window(), &w);
    EXPECT_NEAR((d.left + d.right) / 2, (w.left + w.right) / 2, 1);
    EXPECT_NEAR((d.top + d.bottom) / 2, (w.top + w.bottom) / 2, 1);
    EXPECT_EQ(VkeSysPrintAbortDoc(sys, &pdi), 0);
    ShowWindow(env->Window(), SW_HIDE);
    ListJob(pdi.amDocName, 0);
}

// Failures of the draw exports reach the main window with the export's name; expected outcomes
// do not. The draw object of a started system object reports through its utility object.
#include "VktDrw.h"

namespace {

using DrwReports = VktDrwSysFixture;

std::string DataPath(const std::string& name) { return VktBesideExe("DrwData\\" + name); }

} // namespace

TEST_F(DrwReports, FailuresAreReportedExpectedOutcomesAreNot)
{
    env->ClearReports();
    HBITMAP out = nullptr;
    int type = 0, known = 0;
    float xr = 0, yr = 0;
    // Expected outcomes: 1 for a file that is no image, -12 for a missing draw-info record, -13
    // for a fitted side below one pixel.
    EXPECT_EQ(VkeDrwOpenImage(drw, DataPath("bad\\text.jpg").c_str(), &out, &type, &xr, &yr, &known), 1);
    DrawInfo info = {};
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(VkeDrwGetDrawInfoLast(drw, dc, &info), -12);
    HBITMAP thin = VktMakeDIB(1000, 1, 24);
    EXPECT_EQ(VkeDrwStretchDIB(drw, &out, 10, 10, thin, 0, 0, 1000, 1, 1, nullptr, 0), -13);
    VkeDrwCloseImage(drw, &out);
    EXPECT_EQ(Traced(), 0);

    // A missing file is no expected outcome of the open.
    EXPECT_EQ(VkeDrwOpenImage(drw, DataPath("bad\\none.jpg").c_str(), &out, &type, &xr, &yr, &known), -12);
    EXPECT_EQ(VkeDrwGetDrawInfo(drw, dc, 0, &info), -9);
    ASSERT_EQ(Traced(), 2);
    EXPECT_EQ(env->Reports()[0].name, "VkeDrwOpenImage");
    EXPECT_EQ(env->Reports()[0].code, -12);
    EXPECT_EQ(env->Reports()[1].name, "VkeDrwGetDrawInfo");
    EXPECT_EQ(env->Reports()[1].code, -9);
    DeleteDC(dc);
    DeleteObject(thin);
}

TEST_F(DrwReports, StateColoursStayWhilePrintingOrPreviewing)
{
    ASSERT_EQ(VkeSysSetPrintingFlag(sys, 1), 0);
    EXPECT_EQ(VkeDrwSetModifiedColor(drw, 0x123456), -7);
    ASSERT_EQ(VkeSysSetPrintingFlag(sys, 0), 0);
    ASSERT_EQ(VkeSysSetPrintPreviewFlag(sys, 1), 0);
    EXPECT_EQ(VkeDrwSetModifiedColor(drw, 0x123456), -7);
    ASSERT_EQ(VkeSysSetPrintPreviewFlag(sys, 0), 0);
    COLORREF c = 0;
    VkeDrwGetModifiedColor(drw, &c);
    EXPECT_EQ(c, 0x80FF80u);
    EXPECT_EQ(VkeDrwSetModifiedColor(drw, 0x123456), 0);
    ASSERT_GE(Traced(), 2);
    EXPECT_EQ(env->Reports().back().name, "VkeDrwSetModifiedColor");
    EXPECT_EQ(env->Reports().back().code, -7);

    // The draw object knows its system object.
    VkiSys* back = nullptr;
    EXPECT_EQ(VkeDrwGetVkeSysPtr(drw, &back), 0);
    EXPECT_EQ(back, sys);
    EXPECT_EQ(VkeDrwSetVkeSysPtr(drw, nullptr), -9);
}

namespace {

struct WorkerJob {
    VkiDrw* drw;
    std::string in, out;
    int open = 99, rotate = 99, save = 99, failed = 99, reopen = 99;
    int width = 0, height = 0;
};

DWORD WINAPI ImageWorker(void* arg)
{
    auto* job = static_cast<WorkerJob*>(arg);
    HBITMAP b = nullptr, r = nullptr, back = nullptr, none = nullptr;
    int type = 0, known = 0;
    float xr = 0, yr = 0;
    job->open = VkeDrwOpenImage(job->drw, job->in.c_str(), &b, &type, &xr, &yr, &known);
    job->rotate = VkeDrwRotateImage(job->drw, &r, b, 90);
    job->save = VkeDrwSaveImage(job->drw, job->out.c_str(), r, 5, 0, 0, -1);
    job->failed = VkeDrwRotateImage(job->drw, &none, b, 45); // reported from this thread
    job->reopen = VkeDrwOpenImage(job->drw, job->out.c_str(), &back, &type, &xr, &yr, &known);
    int bits = 0;
    VkeDrwGetImageInf(job->drw, back, &job->width, &job->height, &bits);
    VkeDrwCloseImage(job->drw, &b);
    VkeDrwCloseImage(job->drw, &r);
    VkeDrwCloseImage(job->drw, &back);
    return 0;
}

} // namespace

TEST_F(DrwReports, ImageFunctionsRunOnAWorkerThread)
{
    env->ClearReports();
    WorkerJob job;
    job.drw = drw;
    job.in = DataPath("blocks.png");
    job.out = *env / "turned.png";
    HANDLE thread = CreateThread(nullptr, 0, ImageWorker, &job, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    // The user-interface thread pumps while it waits, as the program does.
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, 30000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) VktSys::Pump();
    CloseHandle(thread);
    VktSys::Pump();
    EXPECT_EQ(job.open, 0);
    EXPECT_EQ(job.rotate, 0);
    EXPECT_EQ(job.save, 0);
    EXPECT_EQ(job.failed, -9);
    EXPECT_EQ(job.reopen, 0);
    EXPECT_EQ(job.width, 16);
    EXPECT_EQ(job.height, 32);
    ASSERT_EQ(Traced(), 1);
    EXPECT_EQ(env->Reports()[0].name, "VkeDrwRotateImage");
}

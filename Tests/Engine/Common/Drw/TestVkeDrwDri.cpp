// The draw-info stack: push, fetch, reset and clear per device context.
#include "VktDrw.h"
#include "VkiDrw.h" // read the draw-info array's capacity

namespace {

class DrawInfoStack : public VktDrwFixture {
protected:
    void SetUp() override
    {
        VktDrwFixture::SetUp();
        dc = CreateCompatibleDC(nullptr);
        other = CreateCompatibleDC(nullptr);
        bmp = CreateCompatibleBitmap(dc, 200, 200);
        bmp2 = CreateCompatibleBitmap(dc, 200, 200);
        SelectObject(dc, bmp);
        SelectObject(other, bmp2);
    }
    void TearDown() override
    {
        VkeDrwClearDrawInfo(drw, dc);
        VkeDrwClearDrawInfo(drw, other);
        DeleteDC(dc);
        DeleteDC(other);
        DeleteObject(bmp);
        DeleteObject(bmp2);
        VktDrwFixture::TearDown();
    }
    static DrawInfo Mapping(HDC on, int ext, int orgX, RECT clip = {0, 0, 0, 0})
    {
        DrawInfo d = {};
        d.hDC = on;
        d.iMapMode = MM_ANISOTROPIC;
        d.iWindowOrgX = orgX;
        d.iWindowExtCx = d.iWindowExtCy = ext;
        d.iViewportExtCx = d.iViewportExtCy = 100;
        d.iClipLeft = clip.left;
        d.iClipTop = clip.top;
        d.iClipRight = clip.right;
        d.iClipBottom = clip.bottom;
        return d;
    }
    int Count(HDC on)
    {
        int n = -1;
        EXPECT_EQ(VkeDrwGetDrawInfoCnt(drw, on, &n), 0);
        return n;
    }
    static int WindowExt(HDC on)
    {
        SIZE s = {};
        GetWindowExtEx(on, &s);
        return s.cx;
    }
    static int WindowOrgX(HDC on)
    {
        POINT p = {};
        GetWindowOrgEx(on, &p);
        return p.x;
    }
    HDC dc = nullptr, other = nullptr;
    HBITMAP bmp = nullptr, bmp2 = nullptr;
};

} // namespace

TEST_F(DrawInfoStack, PushKeepsTheBaseAndAppliesTheMapping)
{
    EXPECT_EQ(Count(dc), 0);
    DrawInfo d = Mapping(dc, 50, 7);
    ASSERT_EQ(VkeDrwSetDrawInfoLast(drw, &d), 0);
    EXPECT_EQ(Count(dc), 2);
    EXPECT_EQ(GetMapMode(dc), MM_ANISOTROPIC);
    EXPECT_EQ(WindowExt(dc), 50);
    EXPECT_EQ(WindowOrgX(dc), 7);

    DrawInfo got = {};
    ASSERT_EQ(VkeDrwGetDrawInfo(drw, dc, 1, &got), 0);
    EXPECT_EQ(got.hDC, dc);
    EXPECT_EQ(got.iMapMode, MM_TEXT);
    EXPECT_EQ(got.iWindowOrgX, 0);
    EXPECT_EQ(got.iClipRight, 0);
    ASSERT_EQ(VkeDrwGetDrawInfoLast(drw, dc, &got), 0);
    EXPECT_EQ(got.iWindowExtCx, 50);
    EXPECT_EQ(got.iWindowOrgX, 7);
    DrawInfo copy = {};
    EXPECT_EQ(VkeDrwCopyDrawInfo(drw, &copy, &got), 0);
    EXPECT_EQ(memcmp(&copy, &got, sizeof(DrawInfo)), 0);
    EXPECT_EQ(VkeDrwCopyDrawInfo(drw, nullptr, &got), -9);
}

TEST_F(DrawInfoStack, ResetByOneAndByAll)
{
    DrawInfo a = Mapping(dc, 50, 1), b = Mapping(dc, 25, 2);
    ASSERT_EQ(VkeDrwSetDrawInfoLast(drw, &a), 0);
    ASSERT_EQ(VkeDrwSetDrawInfoLast(drw, &b), 0);
    EXPECT_EQ(Count(dc), 3);
    EXPECT_EQ(WindowExt(dc), 25);
    ASSERT_EQ(VkeDrwResetDrawInfo(drw, dc, 1), 0);
    EXPECT_EQ(Count(dc), 2);
    EXPECT_EQ(WindowExt(dc), 50);
    EXPECT_EQ(WindowOrgX(dc), 1);
    EXPECT_EQ(VkeDrwResetDrawInfo(drw, dc, 3), -9); // more than the DC holds
    ASSERT_EQ(VkeDrwSetDrawInfoLast(drw, &b), 0);
    ASSERT_EQ(VkeDrwResetDrawInfo(drw, dc, 3), 0);
    EXPECT_EQ(Count(dc), 0);
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    EXPECT_EQ(WindowOrgX(dc), 0);
    EXPECT_EQ(VkeDrwResetDrawInfo(drw, dc, -1), -9);
    EXPECT_EQ(VkeDrwResetDrawInfo(drw, nullptr, 0), -9);
}

TEST_F(DrawInfoStack, ClipRectangles)
{
    DrawInfo bad = Mapping(dc, 100, 0, {10, 10, 10, 20});
    EXPECT_EQ(VkeDrwSetDrawInfoLast(drw, &bad), -9);
    bad = Mapping(dc, 100, 0, {10, 5, 20, 5});
    EXPECT_EQ(VkeDrwSetDrawInfoLast(drw, &bad), -9);
    EXPECT_EQ(Count(dc), 0);

    DrawInfo none = Mapping(dc, 100, 0);
    ASSERT_EQ(VkeDrwSetDrawInfoLast(drw, &none), 0);
    RECT box = {};
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.right - box.left, 200);

    DrawInfo clip = Mapping(dc, 100, 0, {10, 20, 60, 70});
    ASSERT_EQ(VkeDrwSetDrawInfoLast(drw, &clip), 0);
    GetClipBox(dc, &box);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.top, 20);
    EXPECT_EQ(box.right, 60);
    EXPECT_EQ(box.bottom, 70);
    // Dropping the clipped record takes its clip away again.
    ASSERT_EQ(VkeDrwResetDrawInfo(drw, dc, 1), 0);
    GetClipBox(dc, &box);
    EXPECT_EQ(box.right - box.left, 200);
    ASSERT_EQ(VkeDrwClearDrawInfo(drw, dc), 0);
    EXPECT_EQ(Count(dc), 0);
}

TEST_F(DrawInfoStack, InterleavedDCsStayApart)
{
    DrawInfo a1 = Mapping(dc, 50, 1), b1 = Mapping(other, 40, 11), a2 = Mapping(dc, 30, 2),
             b2 = Mapping(other, 20, 12);
    for (DrawInfo* d : {&a1, &b1, &a2, &b2}) ASSERT_EQ(VkeDrwSetDrawInfoLast(drw, d), 0);
    EXPECT_EQ(Count(dc), 3);
    EXPECT_EQ(Count(other), 3);
    DrawInfo got = {};
    ASSERT_EQ(VkeDrwGetDrawInfo(drw, other, 3, &got), 0);
    EXPECT_EQ(got.iWindowOrgX, 12);
    ASSERT_EQ(VkeDrwGetDrawInfo(drw, dc, 2, &got), 0);
    EXPECT_EQ(got.iWindowOrgX, 1);

    ASSERT_EQ(VkeDrwResetDrawInfo(drw, dc, 1), 0);
    EXPECT_EQ(WindowOrgX(dc), 1);
    EXPECT_EQ(WindowOrgX(other), 12);
    EXPECT_EQ(Count(other), 3);
    ASSERT_EQ(VkeDrwGetDrawInfoLast(drw, other, &got), 0);
    EXPECT_EQ(got.iWindowOrgX, 12);

    // Index checks: below 1 or above all records -9; within the total but past the DC's own -12.
    EXPECT_EQ(Count(dc), 2);
    EXPECT_EQ(VkeDrwGetDrawInfo(drw, dc, 0, &got), -9);
    EXPECT_EQ(VkeDrwGetDrawInfo(drw, dc, 6, &got), -9);
    got.iMapMode = 99;
    EXPECT_EQ(VkeDrwGetDrawInfo(drw, dc, 3, &got), -12);
    EXPECT_EQ(got.iMapMode, 0);
    EXPECT_EQ(got.hDC, nullptr);
    EXPECT_EQ(VkeDrwGetDrawInfoCnt(drw, dc, nullptr), -9);
}

TEST_F(DrawInfoStack, MissingRecordsAndGrowth)
{
    DrawInfo got = {};
    got.iMapMode = 5;
    EXPECT_EQ(VkeDrwGetDrawInfoLast(drw, dc, &got), -12);
    EXPECT_EQ(got.iMapMode, 0);
    EXPECT_EQ(VkeDrwClearDrawInfo(drw, dc), 0); // nothing to clear
    EXPECT_EQ(VkeDrwSetDrawInfoLast(drw, nullptr), -9);
    DrawInfo noDc = Mapping(nullptr, 10, 0);
    EXPECT_EQ(VkeDrwSetDrawInfoLast(drw, &noDc), -9);

    // 300 pushes need a second block of 256 records.
    for (int i = 0; i < 300; ++i) {
        DrawInfo d = Mapping(dc, 10 + i, i);
        ASSERT_EQ(VkeDrwSetDrawInfoLast(drw, &d), 0);
    }
    EXPECT_EQ(Count(dc), 301);
    EXPECT_EQ(drw->m_iDriCapacity, 512);
    EXPECT_EQ(WindowOrgX(dc), 299);
    ASSERT_EQ(VkeDrwResetDrawInfo(drw, dc, 100), 0);
    EXPECT_EQ(WindowOrgX(dc), 199);
    ASSERT_EQ(VkeDrwClearDrawInfo(drw, dc), 0);
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    EXPECT_EQ(WindowOrgX(dc), 0);
}

TEST_F(DrawInfoStack, PrinterDCOfThePdfQueue)
{
    HDC prn = CreateDCA("WINSPOOL", "PDF", nullptr, nullptr);
    ASSERT_NE(prn, nullptr) << "the PDF printer queue is missing";
    int before = GetMapMode(prn);
    DrawInfo d = Mapping(prn, 600, 3, {0, 0, 300, 300});
    ASSERT_EQ(VkeDrwSetDrawInfoLast(drw, &d), 0);
    EXPECT_EQ(GetMapMode(prn), MM_ANISOTROPIC);
    EXPECT_EQ(WindowExt(prn), 600);
    EXPECT_EQ(Count(prn), 2);
    ASSERT_EQ(VkeDrwClearDrawInfo(drw, prn), 0);
    EXPECT_EQ(GetMapMode(prn), before);
    EXPECT_EQ(WindowOrgX(prn), 0);
    EXPECT_EQ(Count(prn), 0);
    DeleteDC(prn);
}

TEST(DrawInfoState, NeedsAnInitialisedObject)
{
    VkiDrw* drw = nullptr;
    ASSERT_EQ(VkeDrwAlloc(&drw), 0);
    HDC dc = CreateCompatibleDC(nullptr);
    DrawInfo d = {};
    d.hDC = dc;
    int n = 0;
    EXPECT_EQ(VkeDrwSetDrawInfoLast(drw, &d), -6);
    EXPECT_EQ(VkeDrwGetDrawInfoCnt(drw, dc, &n), -6);
    EXPECT_EQ(VkeDrwClearDrawInfo(drw, dc), -6);
    DeleteDC(dc);
    VkeDrwFree(&drw);
}

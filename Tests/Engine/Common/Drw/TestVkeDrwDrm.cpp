// Draw memories: attach, detach, create with reuse, copy and duplicate, the default draw memory,
// screen copies.
#include "VktDrw.h"
#include "VkiDrw.h" // the default draw memory is slot 0 of the draw object

namespace {

class DrawMemory : public VktDrwSysFixture {
protected:
    void SetUp() override
    {
        VktDrwSysFixture::SetUp();
        ASSERT_EQ(VkeDrwAllocDrm(drw, &drm), 0);
    }
    void TearDown() override
    {
        EXPECT_EQ(VkeDrwFreeDrm(drw, &drm), 0);
        EXPECT_EQ(drm, nullptr);
        VktDrwSysFixture::TearDown();
    }
    int Count(HDC dc)
    {
        int n = -1;
        VkeDrwGetDrawInfoCnt(drw, dc, &n);
        return n;
    }
    Drm* drm = nullptr;
};

} // namespace

TEST_F(DrawMemory, AllocInitAndFree)
{
    ASSERT_NE(drm->hDC, nullptr);
    EXPECT_EQ(drm->hDIB, nullptr);
    EXPECT_EQ(drm->iAttached, 0);
    Drm* again = drm;
    EXPECT_EQ(VkeDrwAllocDrm(drw, &again), -7);
    EXPECT_EQ(VkeDrwAllocDrm(drw, nullptr), -9);
    EXPECT_EQ(VkeDrwFreeDrm(drw, nullptr), -9);
    Drm* none = nullptr;
    EXPECT_EQ(VkeDrwFreeDrm(drw, &none), 0);

    // A plain record set up and torn down in place.
    Drm plain;
    memset(&plain, 0x5A, sizeof(plain));
    ASSERT_EQ(VkeDrwInitDrm(drw, &plain), 0);
    EXPECT_NE(plain.hDC, nullptr);
    EXPECT_EQ(plain.iBitCount, 0);
    EXPECT_EQ(VkeDrwTermDrm(drw, &plain), 0);
    EXPECT_EQ(plain.hDC, nullptr);
    EXPECT_EQ(VkeDrwInitDrm(drw, nullptr), -9);
    EXPECT_EQ(VkeDrwTermDrm(drw, nullptr), -9);
}

TEST_F(DrawMemory, AttachPushesAOneToOneMapping)
{
    HBITMAP dib = VktMakeDIB(30, 20, 8);
    ASSERT_EQ(VkeDrwAttachDrmDIB(drw, drm, dib), 0);
    EXPECT_EQ(drm->hDIB, dib);
    EXPECT_EQ(drm->iAttached, 1);
    EXPECT_EQ(drm->iDIBWidth, 30);
    EXPECT_EQ(drm->iUsedHeight, 20);
    EXPECT_EQ(drm->iBitCount, 8);
    EXPECT_EQ(Count(drm->hDC), 2);
    DrawInfo last = {};
    ASSERT_EQ(VkeDrwGetDrawInfoLast(drw, drm->hDC, &last), 0);
    EXPECT_EQ(last.iMapMode, MM_ANISOTROPIC);
    EXPECT_EQ(last.iWindowExtCx, 30);
    EXPECT_EQ(last.iWindowExtCy, 20);
    EXPECT_EQ(last.iViewportExtCx, 30);
    EXPECT_EQ(last.iViewportExtCy, 20);

    // Detach with an output already set changes nothing.
    HBITMAP out = reinterpret_cast<HBITMAP>(GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(VkeDrwDetachDrmDIB(drw, drm, &out), -7);
    EXPECT_EQ(drm->iAttached, 1);
    EXPECT_EQ(VkeDrwDetachDrmDIB(drw, drm, nullptr), -9);
    out = nullptr;
    ASSERT_EQ(VkeDrwDetachDrmDIB(drw, drm, &out), 0);
    EXPECT_EQ(out, dib);
    EXPECT_EQ(drm->iAttached, 0);
    EXPECT_EQ(drm->hDIB, nullptr);
    EXPECT_NE(drm->hOwnBitmap, nullptr);
    EXPECT_EQ(Count(drm->hDC), 0);
    out = nullptr;
    ASSERT_EQ(VkeDrwDetachDrmDIB(drw, drm, &out), 0); // nothing attached: null out
    EXPECT_EQ(out, nullptr);

    // Attaching another DIB deletes the one the Drm owns.
    ASSERT_EQ(VkeDrwAttachDrmDIB(drw, drm, dib), 0);
    HBITMAP second = VktMakeDIB(5, 5, 24);
    ASSERT_EQ(VkeDrwAttachDrmDIB(drw, drm, second), 0);
    EXPECT_FALSE(VktIsBitmap(dib));
    EXPECT_EQ(Count(drm->hDC), 2);
    EXPECT_EQ(VkeDrwAttachDrmDIB(drw, drm, nullptr), -9);
    EXPECT_EQ(VkeDrwAttachDrmDIB(drw, drm, reinterpret_cast<HBITMAP>(GetStockObject(WHITE_BRUSH))), -9);
}

TEST_F(DrawMemory, CreateReusesALargeEnoughDIB)
{
    ASSERT_EQ(VkeDrwCreateDrawMemory(drw, drm, 200, 100, 24), 0);
    HBITMAP first = drm->hDIB;
    ASSERT_EQ(VkeDrwCreateDrawMemory(drw, drm, 100, 50, 24), 0);
    EXPECT_EQ(drm->hDIB, first);
    EXPECT_EQ(drm->iDIBWidth, 200);
    EXPECT_EQ(drm->iUsedWidth, 100);
    EXPECT_EQ(drm->iUsedHeight, 50);
    EXPECT_EQ(Count(drm->hDC), 2);
    DrawInfo last = {};
    VkeDrwGetDrawInfoLast(drw, drm->hDC, &last);
    EXPECT_EQ(last.iWindowExtCx, 100);

    ASSERT_EQ(VkeDrwCreateDrawMemory(drw, drm, 100, 50, 8), 0);
    EXPECT_NE(drm->hDIB, first);
    EXPECT_FALSE(VktIsBitmap(first));
    HBITMAP eight = drm->hDIB;
    ASSERT_EQ(VkeDrwCreateDrawMemory(drw, drm, 300, 50, 8), 0);
    EXPECT_NE(drm->hDIB, eight);
    EXPECT_EQ(drm->iDIBWidth, 300);
    ASSERT_EQ(VkeDrwCreateDrawMemory(drw, drm, 10, 10, 0), 0);
    EXPECT_EQ(drm->iBitCount, 32);
    ASSERT_EQ(VkeDrwCreateDrawMemory(drw, drm, 10, 10, -1), 0);
    EXPECT_EQ(drm->iBitCount, 32);

    EXPECT_EQ(VkeDrwCreateDrawMemory(drw, drm, 0, 10, 8), -9);
    EXPECT_EQ(VkeDrwCreateDrawMemory(drw, drm, 10, 10, 12), -9);
    EXPECT_EQ(VkeDrwCreateDrawMemory(drw, nullptr, 10, 10, 8), -9);
}

TEST_F(DrawMemory, CopyTakesTheUsedRectangleAndTheMappings)
{
    ASSERT_EQ(VkeDrwCreateDrawMemory(drw, drm, 200, 100, 24), 0);
    PatBlt(drm->hDC, 0, 0, 200, 100, WHITENESS);
    ASSERT_EQ(VkeDrwCreateDrawMemory(drw, drm, 60, 40, 24), 0);
    DrawInfo extra = {};
    extra.hDC = drm->hDC;
    extra.iMapMode = MM_ANISOTROPIC;
    extra.iWindowExtCx = extra.iWindowExtCy = 10;
    extra.iViewportExtCx = extra.iViewportExtCy = 20;
    ASSERT_EQ(VkeDrwSetDrawInfoLast(drw, &extra), 0);

    Drm* copy = nullptr;
    ASSERT_EQ(VkeDrwDupDrm(drw, &copy, drm), 0);
    EXPECT_EQ(copy->iDIBWidth, 60);
    EXPECT_EQ(copy->iDIBHeight, 40);
    EXPECT_EQ(copy->iBitCount, 24);
    EXPECT_EQ(VktDIB(copy->hDIB).Rgb(59, 39), 0xFFFFFFu);
    // The source's three records come after the copy's own two.
    EXPECT_EQ(Count(copy->hDC), 5);
    DrawInfo last = {};
    VkeDrwGetDrawInfoLast(drw, copy->hDC, &last);
    EXPECT_EQ(last.hDC, copy->hDC);
    EXPECT_EQ(last.iViewportExtCx, 20);
    // The source is untouched and still draws.
    EXPECT_EQ(drm->iAttached, 1);
    EXPECT_EQ(GetCurrentObject(drm->hDC, OBJ_BITMAP), drm->hDIB);
    EXPECT_EQ(Count(drm->hDC), 3);

    // An empty source empties the destination.
    Drm* empty = nullptr;
    ASSERT_EQ(VkeDrwAllocDrm(drw, &empty), 0);
    HBITMAP held = copy->hDIB;
    ASSERT_EQ(VkeDrwCopyDrm(drw, copy, empty), 0);
    EXPECT_EQ(copy->iAttached, 0);
    EXPECT_FALSE(VktIsBitmap(held));
    EXPECT_EQ(VkeDrwCopyDrm(drw, nullptr, drm), -9);
    Drm* dup = drm;
    EXPECT_EQ(VkeDrwDupDrm(drw, &dup, drm), -7);
    VkeDrwFreeDrm(drw, &empty);
    VkeDrwFreeDrm(drw, &copy);
}

TEST_F(DrawMemory, DefaultDrawMemory)
{
    ASSERT_EQ(VkeDrwCreateDrawMemory(drw, drm, 12, 8, 8), 0);
    ASSERT_EQ(VkeDrwSetDrm(drw, drm), 0);
    Drm& slot = drw->m_aDrm[0];
    EXPECT_EQ(slot.iAttached, 1);
    EXPECT_EQ(slot.iDIBWidth, 12);
    EXPECT_NE(slot.hDIB, drm->hDIB);
    EXPECT_EQ(VkeDrwSetDrm(drw, &slot), 0); // onto itself: nothing

    Drm* back = nullptr;
    ASSERT_EQ(VkeDrwAllocDrm(drw, &back), 0);
    ASSERT_EQ(VkeDrwGetDrm(drw, back), 0);
    EXPECT_EQ(back->iDIBWidth, 12);
    EXPECT_EQ(back->iBitCount, 8);
    VkeDrwFreeDrm(drw, &back);

    // A null Drm means the default one.
    HBITMAP dib = VktMakeDIB(3, 3, 24);
    ASSERT_EQ(VkeDrwAttachDrmDIB(drw, nullptr, dib), 0);
    EXPECT_EQ(slot.hDIB, dib);
    HBITMAP out = nullptr;
    ASSERT_EQ(VkeDrwDetachDrmDIB(drw, nullptr, &out), 0);
    EXPECT_EQ(out, dib);
    DeleteObject(dib);
    EXPECT_EQ(VkeDrwSetDrm(drw, nullptr), -9);
}

TEST_F(DrawMemory, ScreenCopies)
{
    int w = GetDeviceCaps(GetDC(nullptr), HORZRES), h = GetDeviceCaps(GetDC(nullptr), VERTRES);
    ASSERT_EQ(VkeDrwCopyScreen(drw, drm, w - 20, h - 10, 20, 10, 24), 0);
    EXPECT_EQ(drm->iUsedWidth, 20);
    EXPECT_EQ(drm->iBitCount, 24);
    EXPECT_EQ(VkeDrwCopyScreen(drw, drm, w - 20, 0, 21, 10, 24), -9);
    EXPECT_EQ(VkeDrwCopyScreen(drw, drm, 0, h - 9, 10, 10, 24), -9);
    EXPECT_EQ(VkeDrwCopyScreen(drw, drm, -1, 0, 10, 10, 24), -9);
    EXPECT_EQ(VkeDrwCopyScreen(drw, drm, 0, 0, 10, 10, 5), -9);

    VktTempDir dir;
    std::string path = dir / "screen.bmp";
    ASSERT_EQ(VkeDrwWriteScreenDIB(drw, path.c_str(), nullptr, 0, 0, 10, 10, 8), 0);
    EXPECT_EQ(VktReadFile(path).size(), 54u + 1024u + 12u * 10u);
    // The default draw memory keeps the copy, selected into its DC.
    EXPECT_EQ(drw->m_aDrm[0].iDIBWidth, 10);
    EXPECT_EQ(GetCurrentObject(drw->m_aDrm[0].hDC, OBJ_BITMAP), drw->m_aDrm[0].hDIB);
}

TEST(DrawMemoryState, ReleaseWorksWithoutInit)
{
    VkiDrw* drw = nullptr;
    ASSERT_EQ(VkeDrwAlloc(&drw), 0);
    Drm* drm = nullptr;
    EXPECT_EQ(VkeDrwAllocDrm(drw, &drm), -6);
    Drm plain = {};
    plain.hDC = CreateCompatibleDC(nullptr);
    EXPECT_EQ(VkeDrwTermDrm(drw, &plain), 0);
    EXPECT_EQ(plain.hDC, nullptr);
    VkeDrwFree(&drw);
}

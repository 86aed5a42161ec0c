// The drawing area's scale: pens, fits, zoom steps that keep their anchor, refused scales and the
// recovery of a failed re-layout, the modified flag, paste and copy through the real clipboard,
// the focus frame on the parent, and what printing refuses.
#include "VktDra.h"
#include "VkiDra.h"
#include <stdlib.h>

namespace {

class DraSca : public VktDraFixture {
protected:
    int PenWidth()
    {
        HANDLE pen = nullptr;
        VkeDraGetPenHandle(dra, &pen);
        LOGPEN lp = {};
        GetObjectA(pen, sizeof(lp), &lp);
        return lp.lopnWidth.x;
    }
    std::pair<int, int> Scale()
    {
        int num = 0, den = 0;
        VkeDraGetScale(dra, &num, &den);
        return {num, den};
    }
    int Modified()
    {
        int flag = -1;
        VkeDraGetModifiedFlag(dra, &flag);
        return flag;
    }
    // The drawing point under the anchor of scale base 1 (the top-left on the screen) or 5.
    POINT Anchor(int base, int flip)
    {
        RECT c = Client(), s = Extent();
        POINT d = DraPos();
        int w = std::min<int>(c.right, s.right - d.x), h = std::min<int>(c.bottom, s.bottom - d.y);
        if (base == 5) return {d.x + (w + 1) / 2, d.y + (h + 1) / 2};
        return {d.x, flip ? d.y + h : d.y};
    }
    static void EmptyClipboardNow()
    {
        OpenClipboard(nullptr);
        EmptyClipboard();
        CloseClipboard();
    }
};

} // namespace

TEST_F(DraSca, PensFollowTheScaleAndBadScalesChangeNothing)
{
    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(PenWidth(), 1);
    EXPECT_EQ(VkeDraSetScale(dra, 3, 2), 0);
    EXPECT_EQ(PenWidth(), 2);
    RECT s = Extent();
    EXPECT_EQ(s.right, 600);
    EXPECT_EQ(s.bottom, 450);
    EXPECT_EQ(VkeDraSetScale(dra, 1, 3), 0);
    EXPECT_EQ(PenWidth(), 1);
    EXPECT_EQ(VkeDraSetScale(dra, 1, 1000001), -13); // just below 0.000001
    EXPECT_EQ(VkeDraSetScale(dra, 101, 1), -13);
    EXPECT_EQ(VkeDraSetScale(dra, 0, 1), -9);
    EXPECT_EQ(Scale(), std::make_pair(1, 3));
    EXPECT_EQ(VkeDraSetScale(dra, 100, 1), 0);
    EXPECT_EQ(Extent().right, 40000);

    // A 1 x 1 drawing has no size at 1/2: refused, the scale there was stays.
    ASSERT_EQ(VkeDraSetScale(dra, 1, 1), 0);
    RECT one = {0, 0, 1, 1};
    ASSERT_EQ(VkeDraMove(dra, nullptr, &one), 0);
    EXPECT_EQ(VkeDraSetScale(dra, 1, 2), -13);
    EXPECT_EQ(Scale(), std::make_pair(1, 1));
    s = Extent();
    EXPECT_TRUE(EqualRect(&s, &one));
    EXPECT_EQ(Traced(), 1); // only the bad pair: -13 is an expected outcome
}

TEST_F(DraSca, FitsTheDrawingToTheWindow)
{
    // The window takes the whole area: 210 x 110 with borders of 2.
    auto fit = [&](int mode, LONG w, LONG h) {
        VkeDraFree(&dra);
        VkeDraAlloc(sys, &dra);
        s_area = dra;
        param = Param();
        return Start([&](VkeDraParam& p) {
            p.iOwnScrBarLayout = 0;
            p.rctDra = {10, 10, 220, 120};
            p.rctInrDra = {0, 0, w, h};
            p.iScaleMode = mode;
        });
    };
    ASSERT_EQ(fit(2, 400, 300), 0);
    EXPECT_EQ(Scale(), std::make_pair(106, 300)); // 106/300 < 206/400: the vertical pair
    ASSERT_EQ(fit(3, 100, 50), 0);
    EXPECT_EQ(Scale(), std::make_pair(1, 1));
    // Drawings whose short side the fit would shrink below a pixel keep it one pixel (the rest
    // scrolls); a tiny one grows to the largest scale, never beyond.
    struct Row {
        int mode;
        LONG w, h;
        std::pair<int, int> scale;
        LONG sw, sh;
    } rows[] = {{2, 30000, 20, {1, 20}, 1500, 1},
                {2, 20, 30000, {1, 20}, 1, 1500},
                {3, 30000, 20, {1, 20}, 1500, 1},
                {2, 65000, 1, {1, 1}, 65000, 1},
                {2, 1, 1, {100, 1}, 100, 100}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.w << " x " << r.h << " mode " << r.mode);
        ASSERT_EQ(fit(r.mode, r.w, r.h), 0);
        EXPECT_EQ(Scale(), r.scale);
        RECT s = Extent();
        EXPECT_EQ(s.right - s.left, r.sw);
        EXPECT_EQ(s.bottom - s.top, r.sh);
    }
    ASSERT_EQ(fit(2, 412, 212), 0);
    EXPECT_EQ(Scale(), std::make_pair(106, 212)); // equal ratios: the vertical pair
    // A resize fits again.
    SetWindowPos(wnd, nullptr, 0, 0, 110, 110, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(Scale(), std::make_pair(106, 412));
    EXPECT_EQ(VkeDraSetScaleBase(dra, 1), 0); // a new base re-lays out once and fits the same
    EXPECT_EQ(Scale(), std::make_pair(106, 412));
    EXPECT_EQ(Modified(), 0);
}

TEST_F(DraSca, ZoomStepsKeepTheAnchorInPlace)
{
    struct Row {
        int base, flip;
        bool position;
    } rows[] = {{1, 0, false}, {1, 1, false}, {5, 0, false}, {5, 1, false},
                {5, 0, true},  {5, 1, true},  {1, 0, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "base " << row.base << " flip " << row.flip << " pos " << row.position);
        VkeDraFree(&dra);
        VkeDraAlloc(sys, &dra);
        s_area = dra;
        param = Param();
        ASSERT_EQ(Start([&](VkeDraParam& p) {
                      p.iScaleBase = row.base;
                      p.iFlipY = row.flip;
                  }),
                  0);
        VkeDraHScroll(dra, SB_THUMBPOSITION, 100);
        VkeDraVScroll(dra, SB_THUMBPOSITION, 60);
        POINT before = Anchor(row.base, row.flip);
        if (row.position) {
            ASSERT_EQ(VkeDraSetScaBasPos(dra, 50, 40), 0);
            POINT d = DraPos();
            before = {d.x + 50, row.flip ? d.y + Client().bottom - 40 : d.y + 40};
        }
        EXPECT_EQ(VkeDraMouseScale(dra, MK_RBUTTON, -240), 0); // two notches back: 1.21
        EXPECT_EQ(Scale(), std::make_pair(121, 100));
        POINT after = Anchor(row.base, row.flip);
        EXPECT_LE(abs(after.x - static_cast<int>(before.x * 1.21 + 0.5)), 1) << before.x << " " << after.x;
        EXPECT_LE(abs(after.y - static_cast<int>(before.y * 1.21 + 0.5)), 1) << before.y << " " << after.y;
        EXPECT_EQ(VkeDraMouseScale(dra, 0, 60), 0); // less than a notch
        EXPECT_EQ(Scale(), std::make_pair(121, 100));
        EXPECT_EQ(Modified(), 0);
    }
    // A point right of the drawing's visible part clears the position and is no error.
    RECT big = {10, 10, 600, 450};
    ASSERT_EQ(VkeDraSetScale(dra, 1, 2), 0);
    ASSERT_EQ(VkeDraMove(dra, &big, nullptr), 0);
    EXPECT_EQ(VkeDraSetScaBasPos(dra, 500, 10), 0);
    EXPECT_EQ(dra->m_iScaBasPosX, -1);
}

TEST_F(DraSca, AFailedRelayoutRecoversOnceAndLeavesNothingNested)
{
    // The caller's vertical bar is gone: every re-layout fails, and so does its recovery.
    HWND h = CreateWindowA("SCROLLBAR", "", WS_CHILD, 0, 0, 50, 16, parent, nullptr, nullptr, nullptr);
    HWND v = CreateWindowA("SCROLLBAR", "", WS_CHILD | SBS_VERT, 0, 0, 16, 50, parent, nullptr, nullptr, nullptr);
    ASSERT_EQ(Start([&](VkeDraParam& p) {
                  p.hHScrBar = h;
                  p.hVScrBar = v;
                  p.iOwnScrBarLayout = 0;
              }),
              0);
    DestroyWindow(v);
    const VkiDra* area = dra;
    for (int num : {2, 3}) {
        EXPECT_EQ(VkeDraSetScale(dra, num, 1), -7);
        // The recovery ran (a recovery flag left raised would keep num/1) and the outermost
        // call ended with the recovery fraction at the scale in force.
        EXPECT_EQ(Scale(), std::make_pair(1, 1));
        EXPECT_EQ(area->m_iRecoveryNum, area->m_iScaleNum);
        EXPECT_EQ(area->m_iRecoveryDen, area->m_iScaleDen);
    }
}

TEST_F(DraSca, PasteAttachesFromTheClipboardAndMarksTheDrawing)
{
    ASSERT_EQ(Start([](VkeDraParam& p) {
                  p.iDrawMemory = 1;
                  p.iCtlEditing = 1;
              }),
              0);
    EmptyClipboardNow();
    EXPECT_EQ(VkeDraEditPst(dra), -12);
    ASSERT_EQ(VkeDrwCopyStrToClb(drw, nullptr, "text"), 0);
    EXPECT_EQ(VkeDraEditPst(dra), -12);
    int flag = -1;
    EXPECT_EQ(VkeDraGetEditPstFlag(dra, &flag), 0);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(Modified(), 0);

    HBITMAP image = VktMakeDIB(120, 80, 24);
    ASSERT_EQ(VkeDrwCopyDIBToClb(drw, nullptr, image), 0);
    DeleteObject(image);
    EXPECT_EQ(VkeDraGetEditPstFlag(dra, &flag), 0);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(VkeDraEditPst(dra), 0);
    EXPECT_EQ(Modified(), 1);
    VkeDraGetPastedFlag(dra, &flag);
    EXPECT_EQ(flag, 1);
    RECT base = {}, want = {0, 0, 120, 80};
    VkeDraGetInrDraRectBas(dra, &base);
    EXPECT_TRUE(EqualRect(&base, &want));
    Drm* out = nullptr;
    ASSERT_EQ(VkeDrwAllocDrm(drw, &out), 0);
    EXPECT_EQ(VkeDraGetDrmPst(dra, out), 0);
    EXPECT_EQ(out->iUsedWidth, 120);
    VkeDrwFreeDrm(drw, &out);

    // A 1-bit image brings its palette.
    image = VktMakeDIB(33, 17, 1, {{0, 0, 0, 0}, {255, 255, 255, 0}});
    ASSERT_EQ(VkeDrwCopyDIBToClb(drw, nullptr, image), 0);
    DeleteObject(image);
    EXPECT_EQ(VkeDraEditPst(dra), 0);
    HPALETTE pal = nullptr;
    EXPECT_EQ(VkeDraGetPaletteHandle(dra, &pal), 0);
    EXPECT_NE(pal, nullptr);

    EmptyClipboardNow();
    EXPECT_EQ(VkeDraEditCpy(dra), 0);
    int exists = 0;
    VkeDrwIsExistClbDIB(drw, &exists);
    EXPECT_EQ(exists, 1);
    EXPECT_EQ(VkeDraAttachPasteDIB(dra, nullptr), -9);
    EXPECT_EQ(VkeDraSetDrawMemoryFlag(dra, 0), 0);
    EXPECT_EQ(VkeDraEditCpy(dra), -12);
    Drm none = {};
    EXPECT_EQ(VkeDraGetDrm(dra, &none), -12);
    image = VktMakeDIB(8, 8, 24);
    EXPECT_EQ(VkeDraAttachPasteDIB(dra, image), -7); // the caller keeps it
    DeleteObject(image);
}

TEST_F(DraSca, FrameOnTheParentAndRefusalsWhilePrinting)
{
    ASSERT_EQ(Start([](VkeDraParam& p) { p.uKillFocusColor = RGB(255, 0, 0); }), 0);
    ASSERT_EQ(VkeDraMove(dra, nullptr, nullptr), 0);
    RECT a = {};
    VkeDraGetDraRect(dra, &a);
    EXPECT_EQ(ParentPixel(a.left - 1, a.top + 20), RGB(255, 0, 0));
    EXPECT_EQ(ParentPixel(a.right + 2, a.bottom + 2), RGB(255, 0, 0));
    EXPECT_EQ(ParentPixel(a.left - 4, a.top + 20), RGB(255, 255, 255));

    ASSERT_EQ(VkeSysSetPrintingFlag(sys, 1), 0);
    EXPECT_EQ(VkeDraSetScale(dra, 2, 1), -7);
    EXPECT_EQ(VkeDraHScroll(dra, SB_LINERIGHT, 0), -7);
    EXPECT_EQ(VkeDraMove(dra, nullptr, nullptr), -7);
    EXPECT_EQ(VkeDraSetBackColor(dra, 0), -7);
    EXPECT_EQ(VkeDraMouseWheel(dra, 0, -120), -7);
    ASSERT_EQ(VkeDraSetFocusDra(dra), 0);
    int focus = -1;
    EXPECT_EQ(VkeDraIsFocus(dra, &focus), 0);
    EXPECT_EQ(focus, 0);
    EditFlag flags;
    EXPECT_EQ(VkeDraGetEditFlag(dra, &flags), 1);
    ASSERT_EQ(VkeSysSetPrintingFlag(sys, 0), 0);
    EXPECT_EQ(VkeDraIsFocus(dra, &focus), 0);
    EXPECT_EQ(focus, 1);
    HBRUSH brush = CreateSolidBrush(0);
    EXPECT_EQ(VkeDraSetPaletteHandle(dra, reinterpret_cast<HPALETTE>(brush)), -9);
    DeleteObject(brush);
}

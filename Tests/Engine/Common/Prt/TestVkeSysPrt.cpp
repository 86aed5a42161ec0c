// Printer settings blocks, printable rectangles, printer DCs and orientation, and the print and
// page-setup dialogs answered as a person would.
#include "VktPrt.h"
#include "VktMsgBox.h"
#include "VkiPrt.h"
#include <limits.h>
#include <string.h>

namespace {

class Prt : public VktPrtFixture {};

RECT Rect(LONG l, LONG t, LONG r, LONG b) { return RECT{l, t, r, b}; }

bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Str(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

bool IsValidBlock(HGLOBAL h) { return h && GlobalFlags(h) != GMEM_INVALID_HANDLE; }

} // namespace

TEST_F(Prt, SynHandleCopiesEachPairAndRefusesCrossedTargets)
{
    HGLOBAL srcNames = Block("names-1"), srcMode = Block("mode-12");
    HGLOBAL names = nullptr, mode = nullptr;
    // Empty copies get their own blocks.
    ASSERT_EQ(VkeSysPrintSynHandle(sys, &names, &mode, srcNames, srcMode), 0);
    ASSERT_TRUE(names && mode);
    EXPECT_NE(names, srcNames);
    EXPECT_EQ(Bytes(names).substr(0, 7), "names-1");
    EXPECT_EQ(Bytes(mode).substr(0, 7), "mode-12");

    // A target holding the other pair's source: -9, nothing changed.
    HGLOBAL crossed = srcMode;
    EXPECT_EQ(VkeSysPrintSynHandle(sys, &crossed, &mode, srcNames, srcMode), -9);
    EXPECT_EQ(crossed, srcMode);
    EXPECT_EQ(Bytes(srcMode).substr(0, 7), "mode-12");
    EXPECT_EQ(Traced(), 1);

    // A null source frees its target; the other pair is kept in step.
    HGLOBAL newMode = Block("mode-34");
    ASSERT_EQ(VkeSysPrintSynHandle(sys, &names, &mode, nullptr, newMode), 0);
    EXPECT_EQ(names, nullptr);
    EXPECT_EQ(Bytes(mode).substr(0, 7), "mode-34");

    EXPECT_EQ(VkeSysPrintSynHandle(sys, nullptr, &mode, srcNames, srcMode), -9);
    EXPECT_EQ(VkeSysPrintFreeHandle(sys, &names, &mode), 0);
    EXPECT_EQ(mode, nullptr);
    EXPECT_EQ(VkeSysPrintFreeHandle(sys, &names, nullptr), -9);
}

TEST(PrtBeforeInit, OnlyFreeHandleWorks)
{
    VktSys env(false);
    Pdi pdi = {};
    HGLOBAL names = GlobalAlloc(GMEM_MOVEABLE, 8), mode = nullptr;
    EXPECT_EQ(VkeSysPrintInitPdi(env.sys, &pdi), -6);
    EXPECT_EQ(VkeSysPrintDialogShow(env.sys, &pdi), -6);
    EXPECT_EQ(VkeSysPrintSynHandle(env.sys, &names, &mode, nullptr, nullptr), -6);
    EXPECT_EQ(VkeSysPrintFreeHandle(env.sys, &names, &mode), 0);
    EXPECT_EQ(names, nullptr);
    EXPECT_EQ(VkeSysPrintInitPdi(nullptr, &pdi), -9);
}

// The strip arithmetic on measures a printer could report (Wine's have no strips).
TEST(PrtRect, MarginsLessTheUnprintableStrips)
{
    const VkiPageMeasures page = {2550, 3300, 50, 60, 2450, 3180}; // strips 50/60 left and top, 50/60 right and bottom
    const struct {
        RECT margin;
        RECT want;
        int rc;
    } cases[] = {
        {Rect(0, 0, 0, 0), Rect(0, 0, 2450, 3180), 0},
        {Rect(10, 20, 30, 40), Rect(0, 0, 2450, 3180), 0},         // inside the strips
        {Rect(300, 300, 300, 300), Rect(250, 240, 2200, 2940), 0},
        {Rect(50, 60, 51, 61), Rect(0, 0, 2449, 3179), 0},
        {Rect(1300, 0, 1300, 0), Rect(1250, 0, 1200, 3180), -13}, // wider than the page
        {Rect(0, 1700, 0, 1700), Rect(0, 1640, 2450, 1540), -13},
    };
    for (const auto& c : cases) {
        RECT out = {};
        EXPECT_EQ(VkiPrintableRect(page, c.margin, &out), c.rc) << Str(c.margin);
        EXPECT_TRUE(out == c.want) << Str(c.margin) << " gave " << Str(out);
    }
}

TEST_F(Prt, CalcRectOnThePrinter)
{
    AttachDefault();
    HDC dc = pdi.hDC;
    int w = GetDeviceCaps(dc, HORZRES), h = GetDeviceCaps(dc, VERTRES), dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ASSERT_GT(w, 0);
    RECT out = {}, none = {};
    ASSERT_EQ(VkeSysPrintCalcRect(sys, dc, &none, &out), 0);
    EXPECT_TRUE(out == Rect(0, 0, w, h)) << Str(out);

    // One inch everywhere, less the strips the printer reports; the 0.01 mm mapping of GDI rests on
    // the page size in whole millimetres, so an inch may come out a pixel longer.
    int ox = GetDeviceCaps(dc, PHYSICALOFFSETX), oy = GetDeviceCaps(dc, PHYSICALOFFSETY);
    int rs = GetDeviceCaps(dc, PHYSICALWIDTH) - w - ox, bs = GetDeviceCaps(dc, PHYSICALHEIGHT) - h - oy;
    RECT inch = Rect(2540, 2540, 2540, 2540);
    ASSERT_EQ(VkeSysPrintCalcRect(sys, dc, &inch, &out), 0);
    EXPECT_NEAR(out.left, dpi - ox, 1);
    EXPECT_NEAR(out.top, dpi - oy, 1);
    EXPECT_NEAR(out.right, w - (dpi - rs), 1);
    EXPECT_NEAR(out.bottom, h - (dpi - bs), 1);
    EXPECT_EQ(GetMapMode(dc), MM_TEXT); // the DC's mapping is left as it was

    // Margins larger than the page: -13, untraced; a DC without a page: -9.
    for (RECT huge : {Rect(20000, 0, 20000, 0), Rect(0, INT_MIN, 0, INT_MAX)})
        EXPECT_EQ(VkeSysPrintCalcRect(sys, dc, &huge, &out), -13) << Str(huge);
    EXPECT_EQ(Traced(), 0);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(VkeSysPrintCalcRect(sys, screen, &none, &out), -9);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(VkeSysPrintCalcRect(sys, dc, nullptr, &out), -9);
    EXPECT_EQ(VkeSysPrintCalcRect(sys, dc, &none, nullptr), -9);
}

TEST_F(Prt, CreateDCReadsNothingOutsideTheNamesBlock)
{
    HDC dc = reinterpret_cast<HDC>(1);
    EXPECT_EQ(VkeSysPrintCreateDC(sys, nullptr, nullptr, &dc), 0);
    EXPECT_EQ(dc, nullptr);

    std::string good = VktDevNames("wineps.drv", "PDF", "CUPS:PDF");
    std::string past = good;
    reinterpret_cast<DEVNAMES*>(&past[0])->wOutputOffset = static_cast<WORD>(past.size() + 4);
    std::string unterminated = good.substr(0, good.size() - 1);
    std::string intoHeader = good;
    reinterpret_cast<DEVNAMES*>(&intoHeader[0])->wDeviceOffset = 2;
    const struct {
        const char* what;
        std::string bytes;
    } bad[] = {
        {"bogus names", VktDevNames("nonesuch.drv", "NoPrinter", "nowhere")},
        {"offset past the block", past},
        {"last name runs to the end", unterminated},
        {"offset into the header", intoHeader},
        {"shorter than its header", std::string(4, '\0')},
    };
    for (const auto& c : bad) {
        dc = reinterpret_cast<HDC>(1);
        EXPECT_EQ(VkeSysPrintCreateDC(sys, Block(c.bytes), nullptr, &dc), -9) << c.what;
        EXPECT_EQ(dc, nullptr) << c.what;
    }
    EXPECT_EQ(VkeSysPrintCreateDC(sys, Block(good), nullptr, nullptr), -9);
    EXPECT_EQ(VkeSysPrintDeleteDC(sys, nullptr), -9);
}

TEST_F(Prt, LandscapeSetReadBackAndUsedByANewDC)
{
    AttachDefault();
    int landscape = 9;
    ASSERT_EQ(VkeSysPrintDialogGetOrient(sys, &pdi, &landscape), 0);
    EXPECT_EQ(landscape, 0);
    ASSERT_EQ(VkeSysPrintDialogSetOrient(sys, &pdi, 1), 0);
    ASSERT_EQ(VkeSysPrintDialogGetOrient(sys, &pdi, &landscape), 0);
    EXPECT_EQ(landscape, 1);

    HGLOBAL names = nullptr, mode = nullptr;
    Attached(&names, &mode);
    HDC dc = nullptr;
    ASSERT_EQ(VkeSysPrintCreateDC(sys, names, mode, &dc), 0);
    EXPECT_GT(GetDeviceCaps(dc, PHYSICALWIDTH), GetDeviceCaps(dc, PHYSICALHEIGHT));
    ASSERT_EQ(VkeSysPrintDeleteDC(sys, &dc), 0);
    EXPECT_EQ(dc, nullptr);
    ASSERT_EQ(VkeSysPrintSetOrient(sys, mode, 0), 0);
    ASSERT_EQ(VkeSysPrintCreateDC(sys, names, mode, &dc), 0);
    EXPECT_LT(GetDeviceCaps(dc, PHYSICALWIDTH), GetDeviceCaps(dc, PHYSICALHEIGHT));
    VkeSysPrintDeleteDC(sys, &dc);

    // Without the orientation bit (or without a device mode): 1, untraced, nothing written.
    static_cast<DEVMODEA*>(GlobalLock(mode))->dmFields &= ~DM_ORIENTATION;
    GlobalUnlock(mode);
    std::string before = Bytes(mode);
    EXPECT_EQ(VkeSysPrintSetOrient(sys, mode, 1), 1);
    EXPECT_EQ(Bytes(mode), before);
    EXPECT_EQ(VkeSysPrintGetOrient(sys, mode, &landscape), 1);
    EXPECT_EQ(landscape, 0);
    EXPECT_EQ(VkeSysPrintSetOrient(sys, nullptr, 0), 1);
    EXPECT_EQ(Traced(), 0);
    EXPECT_EQ(VkeSysPrintSetOrient(sys, mode, 2), -9);
    EXPECT_EQ(VkeSysPrintDialogSetOrient(sys, nullptr, 1), -9);
    // A block too small for the device mode it claims.
    EXPECT_EQ(VkeSysPrintGetOrient(sys, Block(std::string(8, '\x7f')), &landscape), -9);
}

TEST_F(Prt, DefaultPrinterFillsTheRecord)
{
    AttachDefault();
    EXPECT_STRNE(pdi.amDriver, "");
    EXPECT_STREQ(pdi.amDevice, "PDF");
    EXPECT_STRNE(pdi.amPort, "");
    EXPECT_EQ(pdi.iCurPage, 1);
    EXPECT_EQ(pdi.iMinPage, 1);
    EXPECT_EQ(pdi.iMaxPage, 65535);
    EXPECT_EQ(GetObjectType(pdi.hDC), static_cast<DWORD>(OBJ_DC));
    RECT want = {};
    ASSERT_EQ(VkeSysPrintCalcRect(sys, pdi.hDC, &pdi.rctMargin, &want), 0);
    EXPECT_TRUE(pdi.rctPrint == want) << Str(pdi.rctPrint);
    EXPECT_GT(pdi.rctPrint.right, pdi.rctPrint.left);

    // Asked again, the old printer goes and a new DC comes: nothing is left behind.
    DWORD objects = VktGdiObjects();
    AttachDefault();
    EXPECT_EQ(VktGdiObjects(), objects);

    for (int mode : {0, 4}) {
        pdi.iMode = mode;
        EXPECT_EQ(VkeSysPrintDialogShow(sys, &pdi), -9) << mode;
    }
    EXPECT_EQ(VkeSysPrintDialogShow(sys, nullptr), -9);
}

TEST_F(Prt, CancelledDialogsLeaveTheAttachedPrinter)
{
    AttachDefault();
    HGLOBAL names = nullptr, mode = nullptr;
    Attached(&names, &mode);
    for (int dialogMode : {2, 3}) {
        VktMsgBox answer({IDCANCEL});
        pdi.iMode = dialogMode;
        EXPECT_EQ(VkeSysPrintDialogShow(sys, &pdi), 2) << dialogMode;
        ASSERT_EQ(answer.Count(), 1) << dialogMode;
    }
    EXPECT_EQ(Traced(), 0);
    HGLOBAL n = nullptr, m = nullptr;
    ASSERT_EQ(VkeSysPrintDialogDetach(sys, &n, &m), 0);
    EXPECT_EQ(n, names);
    EXPECT_EQ(m, mode);
    ASSERT_EQ(VkeSysPrintDialogAttach(sys, n, m), 0);
}

TEST_F(Prt, PrintDialogOkGivesANewDCAndDeletesTheOld)
{
    AttachDefault();
    VktMsgBox answer({IDOK});
    pdi.iMode = 2;
    // The first two showings fill the platform's caches, and how much they keep depends on how far
    // the dialog got before it was answered; a leak of the replaced DC would grow by one a showing.
    const int rounds = 7, settled = 3;
    DWORD objects = 0;
    for (int round = 1; round <= rounds; ++round) {
        HDC old = pdi.hDC;
        if (round == settled) objects = VktGdiObjects();
        ASSERT_EQ(VkeSysPrintDialogShow(sys, &pdi), 0) << round;
        ASSERT_EQ(answer.Count(), round);
        EXPECT_NE(pdi.hDC, old);
        EXPECT_EQ(GetObjectType(pdi.hDC), static_cast<DWORD>(OBJ_DC));
        EXPECT_EQ(GetObjectType(old), 0u);
    }
    EXPECT_LT(VktGdiObjects(), objects + (rounds - settled + 1));
    EXPECT_STREQ(pdi.amDevice, "PDF");
    EXPECT_EQ(pdi.iCurPage, 1);
    EXPECT_GE(pdi.iCopies, 1);
}

TEST_F(Prt, PageSetupOkAttachesWithItsMargins)
{
    AttachDefault();
    VktMsgBox answer({IDOK});
    pdi.iMode = 3;
    pdi.rctMargin = Rect(2540, 1270, 2540, 1270);
    ASSERT_EQ(VkeSysPrintDialogShow(sys, &pdi), 0);
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_TRUE(pdi.rctMargin == Rect(2540, 1270, 2540, 1270)) << Str(pdi.rctMargin);
    int dpi = GetDeviceCaps(pdi.hDC, LOGPIXELSX);
    EXPECT_NEAR(pdi.rctPrint.left, dpi - GetDeviceCaps(pdi.hDC, PHYSICALOFFSETX), 1);
    EXPECT_EQ(GetObjectType(pdi.hDC), static_cast<DWORD>(OBJ_DC));
    EXPECT_STREQ(pdi.amDevice, "PDF");

    // The margins stay with the page-setup dialog: the default printer takes them.
    pdi.rctMargin = Rect(0, 0, 0, 0);
    AttachDefault();
    EXPECT_TRUE(pdi.rctMargin == Rect(2540, 1270, 2540, 1270)) << Str(pdi.rctMargin);
}

// A cancelled page setup, a new printer attached, then the default printer asked for and the
// printer detached: blocks made meanwhile (which may reuse freed handles) are never freed.
TEST_F(Prt, NoBlockIsFreedTwice)
{
    AttachDefault();
    HGLOBAL names = nullptr, mode = nullptr;
    Attached(&names, &mode);
    {
        VktMsgBox answer({IDCANCEL});
        pdi.iMode = 3;
        ASSERT_EQ(VkeSysPrintDialogShow(sys, &pdi), 2);
    }
    HGLOBAL names2 = nullptr, mode2 = nullptr;
    ASSERT_EQ(VkeSysDupHGlobal(sys, &names2, names), 0);
    ASSERT_EQ(VkeSysDupHGlobal(sys, &mode2, mode), 0);
    ASSERT_EQ(VkeSysPrintDialogAttach(sys, names2, mode2), 0); // the first pair is freed here
    HGLOBAL mine[2] = {Block("keep-me-1"), Block("keep-me-2")};
    // Attaching the same handles again frees nothing.
    ASSERT_EQ(VkeSysPrintDialogAttach(sys, names2, mode2), 0);
    EXPECT_TRUE(IsValidBlock(names2) && IsValidBlock(mode2));
    AttachDefault();
    HGLOBAL n = nullptr, m = nullptr;
    ASSERT_EQ(VkeSysPrintDialogDetach(sys, &n, &m), 0);
    EXPECT_EQ(VkeSysPrintFreeHandle(sys, &n, &m), 0);
    for (HGLOBAL h : mine) {
        ASSERT_TRUE(IsValidBlock(h));
        EXPECT_EQ(Bytes(h).substr(0, 7), "keep-me");
    }
    EXPECT_EQ(Traced(), 0);
    // Detached twice: nothing attached any more.
    ASSERT_EQ(VkeSysPrintDialogDetach(sys, &n, &m), 0);
    EXPECT_TRUE(n == nullptr && m == nullptr);
    EXPECT_EQ(VkeSysPrintDialogAttach(sys, nullptr, nullptr), -9);
}

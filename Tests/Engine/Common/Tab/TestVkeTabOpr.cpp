// Pages of the tab control through the exports: opening, closing, moving, selecting, searching,
// locking and titles, with what the parent hears of each.
#include "VktTab.h"
#include <commctrl.h>
#include <string.h>

namespace {

using TabPages = VktTabFixture;

std::string TitleOf(VkiTab* tab, int index)
{
    char title[2048] = {};
    VkeTabGetTitle(tab, index, title, sizeof(title));
    return title;
}

} // namespace

TEST_F(TabPages, FirstPageShownLaterOnesWhenSelected)
{
    Start();
    OpenPages(10);
    EXPECT_EQ(Heard(), ""); // opening changes no selection
    EXPECT_EQ(Sel(), 0);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(IsWindowVisible(pages[i]) != 0, i == 0) << i;
        EXPECT_TRUE(Fits(pages[i])) << i; // each fitted as it opened, the hidden ones too
    }

    ASSERT_EQ(VkeTabShowPage(tab, 5), 0);
    EXPECT_EQ(Heard(), "changing change");
    EXPECT_TRUE(IsWindowVisible(pages[5]));
    EXPECT_EQ(GetWindow(wnd, GW_CHILD), pages[5]); // on top of the other pages
    EXPECT_EQ(GetParent(GetFocus()), pages[5]);   // its edit has the focus
    EXPECT_FALSE(IsWindowVisible(pages[6]));
    ASSERT_EQ(VkeTabShowPage(tab, 5), 0); // selected already: raised again, no notices
    EXPECT_EQ(Heard(), "");

    // The whole display area is the page's: moving the control fits it again.
    RECT moved = {10, 10, 400, 250};
    ASSERT_EQ(VkeTabMove(tab, &moved), 0);
    RECT now = {};
    GetWindowRect(wnd, &now);
    EXPECT_EQ(now.right - now.left, 390);
    EXPECT_TRUE(Fits(pages[3]));
    RECT empty = {5, 5, 5, 50};
    EXPECT_EQ(VkeTabMove(tab, &empty), -9);
}

TEST_F(TabPages, OpenRefusesBadInput)
{
    Start();
    OpenPages(3);
    HWND fresh = NewPage();
    struct Row {
        int index, pageNo;
        HWND child;
        int locked;
        const char* title;
        int want;
    } rows[] = {
        {-2, 9, fresh, 0, "t", -9},      {4, 9, fresh, 0, "t", -9},  // index outside -1 .. count
        {-1, 9, fresh, 2, "t", -9},      {-1, 9, fresh, 1, "t", -9}, // flag 2; locked without CtlLock
        {-1, 9, nullptr, 0, "t", -9},    {-1, 9, fresh, 0, nullptr, -9},
        {-1, 9, pages[0], 0, "t", -9},   {-1, 2, fresh, 0, "t", -9}, // child or number on another tab
        {-1, 2, pages[1], 0, "again", 0}, {-1, 9, wnd, 0, "t", -9},  // open already; the tab itself
    };
    for (const Row& r : rows) EXPECT_EQ(VkeTabOpenPage(tab, r.index, r.pageNo, r.child, r.locked, r.title), r.want) << r.index << " " << r.pageNo;
    EXPECT_EQ(Order(), "1 2 3");
    EXPECT_EQ(TitleOf(tab, 1), "頁2");
    ASSERT_EQ(VkeTabOpenPage(tab, 0, 9, fresh, 0, "先頭"), 0);
    EXPECT_EQ(Order(), "9 1 2 3");
}

TEST_F(TabPages, FixedPagesStandInNumberOrder)
{
    Start(1);
    for (int no : {3, 1, 2}) ASSERT_EQ(VkeTabOpenPage(tab, 0, no, NewPage(), 0, "p"), 0);
    EXPECT_EQ(Order(), "1 2 3");
    EXPECT_EQ(VkeTabOpenPage(tab, -1, 2, NewPage(), 0, "p"), -9); // number in use
    EXPECT_EQ(VkeTabOpenPage(tab, 5, 4, pages[0], 0, "p"), -9);    // child on another tab
    EXPECT_EQ(VkeTabMovePage(tab, 0, 2), -7);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, Centre(0));
    EXPECT_NE(GetCapture(), wnd); // no drag
    Post(WM_LBUTTONUP, 0, Centre(2));
    EXPECT_EQ(Order(), "1 2 3");
}

TEST_F(TabPages, CloseKeepsTheSelectedPageAndTheWindows)
{
    Start();
    OpenPages(5);
    ASSERT_EQ(VkeTabSetCurSel(tab, 2), 0);
    Heard();
    ASSERT_EQ(VkeTabClosePage(tab, 0, 0), 0); // before the selected one: the same page stays selected
    EXPECT_EQ(Heard(), "changing change");
    int no = 0;
    VkeTabGetCurPageNo(tab, &no);
    EXPECT_EQ(Sel() * 10 + no, 13);
    ASSERT_EQ(VkeTabSetCurSel(tab, 3), 0);
    ASSERT_EQ(VkeTabClosePage(tab, 3, 0), 0); // the selected last page: the one before
    VkeTabGetCurPageNo(tab, &no);
    EXPECT_EQ(Sel() * 10 + no, 24);
    ASSERT_EQ(VkeTabClosePage(tab, 2, 0), 0); // the selected one, last again
    ASSERT_EQ(VkeTabClosePage(tab, 1, 0), 0);
    ASSERT_EQ(VkeTabClosePage(tab, 0, 0), 0);
    int count = -1;
    VkeTabGetPageCnt(tab, &count);
    EXPECT_EQ(count * 10 + Sel(), -1);
    for (HWND page : pages) EXPECT_TRUE(IsWindow(page));
    EXPECT_EQ(VkeTabClosePage(tab, 0, 0), -9);
}

TEST_F(TabPages, CloseRangesLeaveLockedPages)
{
    struct Row {
        int (*close)(VkiTab*, int, int);
        int index, force, want;
        const char* left;
    } rows[] = {
        {[](VkiTab* t, int, int f) { return VkeTabClosePageAll(t, f); }, 0, 0, 1, "2 5"},
        {[](VkiTab* t, int, int f) { return VkeTabClosePageAll(t, f); }, 0, 1, 0, ""},
        {VkeTabClosePagePrevAll, 3, 0, 1, "2 4 5 6"},
        {VkeTabClosePageNextAll, 2, 0, 1, "1 2 3 5"},
        {VkeTabClosePageNextAll, 4, 0, 0, "1 2 3 4 5"},
        {VkeTabClosePageOtherAll, 2, 0, 1, "2 3 5"},
        {VkeTabClosePageOtherAll, 2, 1, 0, "3"},
    };
    Start(0, 1);
    for (const Row& r : rows) {
        VkeTabClosePageAll(tab, 1);
        for (HWND page : pages) DestroyWindow(page);
        pages.clear();
        OpenPages(6);
        VkeTabSetLockedFlag(tab, 1, 1); // pages 2 and 5
        VkeTabSetLockedFlag(tab, 4, 1);
        EXPECT_EQ(r.close(tab, r.index, r.force), r.want) << r.index << " " << r.force;
        EXPECT_EQ(Order(), r.left) << r.index << " " << r.force;
    }
    VkeTabSetLockedFlag(tab, 0, 1);
    int reports = static_cast<int>(env->Reports().size());
    EXPECT_EQ(VkeTabClosePage(tab, 0, 0), 1); // a locked page stays, untraced
    EXPECT_EQ(static_cast<int>(env->Reports().size()), reports);
}

TEST_F(TabPages, RefusingParentKeepsSelectionButNotCloseOrMove)
{
    Start();
    OpenPages(4);
    Heard();
    parent->refuseChanging = 1;
    EXPECT_EQ(VkeTabSetCurSel(tab, 2), 1);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, Centre(3));
    Post(WM_LBUTTONUP, 0, Centre(3));
    EXPECT_EQ(Sel(), 0);
    EXPECT_EQ(Heard(), "changing changing");
    EXPECT_EQ(VkeTabShowNextPage(tab, 0, 0), 1);
    Heard();
    EXPECT_EQ(VkeTabClosePage(tab, 1, 0), 0);
    EXPECT_EQ(VkeTabMovePage(tab, 0, 1), 0);
    EXPECT_EQ(Order(), "3 1 4");
    EXPECT_EQ(Heard(), "changing change changing change move 0 1");
}

TEST_F(TabPages, MoveKeepsTitleAndRecord)
{
    Start();
    OpenPages(4);
    Tbi before = {}, after = {};
    VkeTabGetTbi(tab, 0, &before);
    Heard();
    ASSERT_EQ(VkeTabMovePage(tab, 0, 2), 0);
    EXPECT_EQ(Heard(), "changing change move 0 2");
    EXPECT_EQ(Order(), "2 3 1 4");
    VkeTabGetTbi(tab, 2, &after);
    EXPECT_TRUE(before.hChdWnd == after.hChdWnd && before.iPageNo == after.iPageNo);
    EXPECT_EQ(TitleOf(tab, 2), "頁1");
    EXPECT_EQ(Sel(), 2);
    ASSERT_EQ(VkeTabMovePage(tab, 0, -1), 0); // to the end
    EXPECT_EQ(Order(), "3 1 4 2");
    EXPECT_EQ(VkeTabMovePage(tab, 3, -1), 0); // last already
    EXPECT_EQ(VkeTabMovePage(tab, 4, 0), -9);
    EXPECT_EQ(VkeTabMovePage(tab, 0, 4), -9);

    // A title of 2000 bytes of double-byte characters is cut at 1023 bytes, on a character
    // boundary (1022), when its tab moves; a small buffer cuts the same way (-13).
    std::string big;
    for (int i = 0; i < 1000; ++i) big += "日";
    ASSERT_EQ(VkeTabSetTitle(tab, 0, big.c_str()), 0);
    EXPECT_EQ(TitleOf(tab, 0).size(), 2000u);
    char small[8];
    EXPECT_EQ(VkeTabGetTitle(tab, 0, small, sizeof(small)), -13);
    EXPECT_STREQ(small, "日日日");
    ASSERT_EQ(VkeTabMovePage(tab, 0, 1), 0);
    EXPECT_EQ(TitleOf(tab, 1), big.substr(0, 1022));
    EXPECT_EQ(VkeTabSetTitle(tab, 0, nullptr), -9);
    EXPECT_EQ(VkeTabGetTitle(tab, 0, nullptr, 8), -9);
}

TEST_F(TabPages, ATitleRepaintsTheStripButNotThePage)
{
    Start();
    OpenPages(3);
    VktPumpFor(50);
    ASSERT_FALSE(GetUpdateRect(wnd, nullptr, FALSE));
    ASSERT_EQ(VkeTabSetTitle(tab, 2, "a longer title of the third page"), 0);
    RECT update = {}, area = {};
    ASSERT_TRUE(GetUpdateRect(wnd, &update, FALSE));
    GetClientRect(wnd, &area);
    TabCtrl_AdjustRect(wnd, FALSE, &area);
    EXPECT_LE(update.bottom, area.top);
    UpdateWindow(wnd);
    EXPECT_FALSE(GetUpdateRect(pages[0], nullptr, FALSE)) << "the shown page is not asked to repaint";
    EXPECT_EQ(TitleOf(tab, 2), "a longer title of the third page");
}

TEST_F(TabPages, ShowFamilyWrapsOrStays)
{
    Start();
    OpenPages(4);
    Heard();
    struct Row {
        int (*show)(VkiTab*, int, int);
        int index, wrap, sel; // the selection after the call
        const char* heard;
    } rows[] = {
        {VkeTabShowNextPage, 3, 0, 0, ""},                // the same end: nothing
        {VkeTabShowNextPage, 3, 1, 0, "changing change"}, // wraps to 0, selected already: notices all the same
        {VkeTabShowPrevPage, 0, 1, 3, "changing change"}, // wraps to the last
        {VkeTabShowPrevPage, 3, 0, 2, "changing change"},
        {VkeTabShowPrevPage, 0, 0, 2, ""},
    };
    for (const Row& r : rows) {
        int rc = r.show(tab, r.index, r.wrap);
        EXPECT_EQ(rc, 0);
        EXPECT_EQ(Sel(), r.sel) << r.index << " " << r.wrap;
        EXPECT_EQ(Heard(), r.heard) << r.index << " " << r.wrap;
    }
    ASSERT_EQ(VkeTabShowLastPage(tab), 0);
    EXPECT_EQ(VkeTabShowLastPage(tab), 0); // there already
    EXPECT_EQ(VkeTabShowFirstPage(tab), 0);
    EXPECT_EQ(VkeTabShowFirstPage(tab), 0);
    EXPECT_EQ(Heard(), "changing change changing change");
    EXPECT_EQ(VkeTabShowNextPage(tab, 0, 2), -9);
}

TEST_F(TabPages, SearchesAndGettersOfMissingPages)
{
    Start();
    OpenPages(3);
    int reports = static_cast<int>(env->Reports().size());
    int index = 7, no = 5;
    HWND child = wnd;
    EXPECT_EQ(VkeTabSchPageByChdHdl(tab, pages[2], &index), 0);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(VkeTabSchPageByChdHdl(tab, wnd, &index), -12);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(VkeTabSchPageByPageNo(tab, 9, &index), -12);
    EXPECT_EQ(VkeTabGetRbcPageNo(tab, &no), -12); // nothing right-clicked
    ASSERT_EQ(VkeTabSetCurSel(tab, -1), 0);
    EXPECT_EQ(VkeTabGetCurChdHdl(tab, &child), -12);
    EXPECT_TRUE(child == nullptr && no == 0);
    EXPECT_EQ(static_cast<int>(env->Reports().size()), reports); // the expected outcomes are not traced
    Tbi tbi = {5, wnd, 1};
    EXPECT_EQ(VkeTabGetTbi(tab, 3, &tbi), -9);
    EXPECT_TRUE(tbi.iPageNo == 0 && tbi.hChdWnd == nullptr && tbi.iLocked == 0);
    EXPECT_EQ(VkeTabGetTbiByPageNo(tab, 2, &tbi), 0);
    EXPECT_EQ(tbi.hChdWnd, pages[1]);
    EXPECT_EQ(VkeTabSchPageByChdHdl(tab, nullptr, &index) + VkeTabGetPageCnt(tab, nullptr), -18);
}

TEST_F(TabPages, LocksGoThroughTheParent)
{
    Start();
    OpenPages(3);
    EXPECT_EQ(VkeTabSetLockedFlag(tab, 0, 1), -7); // CtlLock off
    ASSERT_EQ(VkeTabSetCtlLockFlag(tab, 1), 0);
    ASSERT_EQ(VkeTabSetLockedFlag(tab, 0, 1), 0);
    ASSERT_EQ(VkeTabSetLockedFlag(tab, 2, 1), 0);
    EXPECT_EQ(Heard(), "lock 0 1 lock 2 1");
    int locked = 0;
    // Off: every page is unlocked first, then the flag goes.
    ASSERT_EQ(VkeTabSetCtlLockFlag(tab, 0), 0);
    EXPECT_EQ(Heard(), "lock 0 0 lock 1 0 lock 2 0");
    for (int i = 0; i < 3; ++i) {
        VkeTabGetLockedFlag(tab, i, &locked);
        EXPECT_EQ(locked, 0);
    }
    EXPECT_EQ(VkeTabSetLockedFlag(tab, 0, 2), -9);

    // A nested change is refused.
    ASSERT_EQ(VkeTabSetCtlLockFlag(tab, 1), 0);
    int nested = 0;
    parent->inside = [&](const std::string& what) {
        if (what == "lock 1 1") nested = VkeTabSetLockedFlag(tab, 2, 1);
    };
    ASSERT_EQ(VkeTabSetLockedFlag(tab, 1, 1), 0);
    EXPECT_EQ(nested, -7);
    parent->inside = nullptr;
}

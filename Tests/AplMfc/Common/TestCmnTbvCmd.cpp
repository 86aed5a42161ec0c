// The tab view's commands: the tab popup's on the addressed tab with their item states, the edit
// and scale commands of the focused dialog or the current page, and changed settings.
#include "TestCmnDlg.h"
#include "TestCmnTbv.h"

TEST_F(TbvTest, TabCommandsActOnTheRightClickedTabElseTheSelectedOne)
{
    for (int no = 2; no <= 4; ++no) ASSERT_EQ(Open(no), 0);
    ASSERT_EQ(Sel(), 0);
    // On the first tab: nothing before it.
    for (UINT id : {ID_CMN_TAB_FIRST, ID_CMN_TAB_PREV, ID_CMN_TAB_CLOSE_PREV}) EXPECT_FALSE(Enabled(id)) << id;
    for (UINT id : {ID_CMN_TAB_LAST, ID_CMN_TAB_NEXT, ID_CMN_TAB_CLOSE_NEXT, ID_CMN_TAB_CLOSE, ID_CMN_TAB_CLOSE_ALL,
                    ID_CMN_TAB_CLOSE_OTHR, ID_CMN_TAB_LOCK})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(ID_CMN_TAB_UNLOCK));
    for (UINT id : {ID_CMN_TAB_NEW, ID_CMN_TAB_OPEN, ID_CMN_TAB_SAVE, ID_CMN_TAB_SAVE_AS, ID_CMN_TAB_SAVE_ALL})
        EXPECT_FALSE(Enabled(id)) << id << " is the derived view's";

    // The right-clicked last tab is addressed instead.
    RightClick(2);
    int rbc = -1;
    view->GetRbcIdx(&rbc);
    ASSERT_EQ(rbc, 2);
    EXPECT_EQ(Sel(), 0);
    for (UINT id : {ID_CMN_TAB_LAST, ID_CMN_TAB_NEXT, ID_CMN_TAB_CLOSE_NEXT}) EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(ID_CMN_TAB_PREV));
    view->SendMessage(WM_COMMAND, ID_CMN_TAB_PREV);
    EXPECT_EQ(Sel(), 1) << "the tab before the right-clicked one";
    view->SendMessage(WM_COMMAND, ID_CMN_TAB_LAST);
    EXPECT_EQ(Sel(), 2);
    view->SendMessage(WM_COMMAND, ID_CMN_TAB_NEXT);
    EXPECT_EQ(Sel(), 2) << "disabled on the last tab";
    view->SendMessage(WM_COMMAND, ID_CMN_TAB_FIRST);
    EXPECT_EQ(Sel(), 0);

    // A locked tab is not closed while the lock option is on.
    view->SendMessage(WM_COMMAND, ID_CMN_TAB_LOCK);
    int locked = 0;
    view->GetLockedFlag(0, &locked);
    EXPECT_EQ(locked, 1);
    EXPECT_FALSE(Enabled(ID_CMN_TAB_CLOSE));
    EXPECT_FALSE(Enabled(ID_CMN_TAB_LOCK));
    EXPECT_TRUE(Enabled(ID_CMN_TAB_UNLOCK));
    view->SendMessage(WM_COMMAND, ID_CMN_TAB_CLOSE);
    EXPECT_EQ(Count(), 3);
    view->SendMessage(WM_COMMAND, ID_CMN_TAB_CLOSE_ALL);
    EXPECT_EQ(Count(), 1) << "the locked tab stays";
    view->SendMessage(WM_COMMAND, ID_CMN_TAB_UNLOCK);
    view->SendMessage(WM_COMMAND, ID_CMN_TAB_CLOSE);
    EXPECT_EQ(Count(), 0);
    for (UINT id = ID_CMN_TAB_NEW; id <= ID_CMN_TAB_UNLOCK; ++id) EXPECT_FALSE(Enabled(id)) << id << " without tabs";
}

TEST_F(TbvTest, EditAndScaleGoToTheFocusedPanelOrDialogBeforeTheShownPage)
{
    TestPage* page = nullptr;
    ASSERT_EQ(Open(2, CmnTypImg, 0, &page), 0);

    // The focus in the panel: copy takes its value, not the page's.
    TestPnl& panel = main->panel;
    TypeInto(panel.Item(IDC_P_INT), "77");
    ::SendMessageA(panel.Item(IDC_P_INT), EM_SETSEL, 0, -1);
    EXPECT_EQ(view->CmdTarget(), &panel);
    EXPECT_TRUE(Enabled(ID_EDIT_COPY));
    EXPECT_FALSE(Enabled(ID_CMN_SCA_100)) << "no drawing area has the focus";
    view->SendMessage(WM_COMMAND, ID_EDIT_COPY);
    EXPECT_EQ(ClipText(), "77");
    // Its drawing area keeps the commands; its button hands them to the shown page.
    FocusItem(panel.m_hWnd, panel.Item(IDC_P_AREA));
    EXPECT_EQ(view->CmdTarget(), &panel);
    FocusItem(panel.m_hWnd, panel.Item(IDOK));
    ASSERT_EQ(::GetFocus(), panel.Item(IDOK));
    EXPECT_EQ(view->CmdTarget(), page);

    // The focus in a dialog outside the tabs.
    TestOuter outer;
    ASSERT_TRUE(outer.Create(IDD_TFCS, main));
    outer.ShowWindow(SW_SHOW);
    PumpPending();
    FocusItem(outer.m_hWnd, outer.Edit());
    ::SendMessageA(outer.Edit(), EM_SETSEL, 0, -1);
    EXPECT_EQ(view->CmdTarget(), &outer);
    view->SendMessage(WM_COMMAND, ID_EDIT_COPY);
    EXPECT_EQ(ClipText(), "外の値");

    // The focus in the page: its edit, then its drawing area.
    main->SetForegroundWindow();
    FocusItem(page->m_hWnd, page->Edit());
    ::SendMessageA(page->Edit(), EM_SETSEL, 0, -1);
    EXPECT_EQ(view->CmdTarget(), page);
    view->SendMessage(WM_COMMAND, ID_EDIT_COPY);
    EXPECT_EQ(ClipText(), "10");
    FocusItem(page->m_hWnd, page->Area());
    EXPECT_TRUE(Enabled(ID_CMN_SCA_50));
    view->SendMessage(WM_COMMAND, ID_CMN_SCA_50);
    int num = 0, den = 0;
    VkeDraGetScale(page->Inf().ppDra[0], &num, &den);
    EXPECT_EQ(num * 2, den);
    EXPECT_TRUE(State(ID_CMN_SCA_50) & MF_CHECKED);
    EXPECT_FALSE(State(ID_CMN_SCA_100) & MF_CHECKED);

    // Without pages nothing is the target.
    outer.DestroyWindow();
    view->ClosePageAll(1);
    EXPECT_EQ(view->CmdTarget(), nullptr);
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE));
    view->SendMessage(WM_COMMAND, ID_EDIT_PASTE);
}

TEST_F(TbvTest, ChangedSettingsReachTheTabControlAndLeaveTheStateColours)
{
    ASSERT_EQ(Open(2), 0);
    VkiDrw* drw = theCmnAppInf.pDrw;
    COLORREF error = 0, modified = 0;
    VkeDrwGetErrorColor(drw, &error);
    VkeDrwGetModifiedColor(drw, &modified);
    HFONT font = nullptr;
    VkeTabGetFontHandle(view->Pag().pTab, &font);

    CmnAppInf& inf = theCmnAppInf;
    ASSERT_EQ(theCmnSub.SetColor(inf.strColor[4], CmnPathSize, RGB(200, 0, 0)), 0);  // strColor_5: tab text
    ASSERT_EQ(theCmnSub.SetColor(inf.strColor[5], CmnPathSize, RGB(0, 96, 160)), 0); // strColor_6: tab back
    EXPECT_EQ(view->SendMessage(CmnWmChgOpt, 0, 0), 0);
    COLORREF text = 0, back = 0, now = 0;
    VkeTabGetTextColor(view->Pag().pTab, &text);
    VkeTabGetBackColor(view->Pag().pTab, &back);
    EXPECT_EQ(text, RGB(200, 0, 0));
    EXPECT_EQ(back, RGB(0, 96, 160));
    VkeDrwGetErrorColor(drw, &now);
    EXPECT_EQ(now, error);
    VkeDrwGetModifiedColor(drw, &now);
    EXPECT_EQ(now, modified);
    HFONT after = nullptr;
    VkeTabGetFontHandle(view->Pag().pTab, &after);
    EXPECT_EQ(after, font) << "an unchanged font is not set again";

    // The tab is painted in its new back colour.
    ::UpdateWindow(TabWnd());
    RECT item = {};
    ::SendMessageA(TabWnd(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    VktDib dib(item.right, item.bottom);
    HDC dc = ::GetDC(TabWnd());
    ::BitBlt(dib.Dc(), 0, 0, item.right, item.bottom, dc, 0, 0, SRCCOPY);
    ::ReleaseDC(TabWnd(), dc);
    EXPECT_EQ(dib.At(item.left + 4, item.bottom - 4), RGB(0, 96, 160));

    // A state colour changed in the settings reaches the engine.
    ASSERT_EQ(theCmnSub.SetColor(inf.strColor[0], CmnPathSize, RGB(1, 2, 3)), 0);
    view->SendMessage(CmnWmChgOpt, 0, 0);
    VkeDrwGetErrorColor(drw, &now);
    EXPECT_EQ(now, RGB(1, 2, 3));
}

// Commands of the dialog base: edit commands on a focused control through the real clipboard and
// on a focused drawing area, scale commands with their marks in the dialog's popup menu, the
// wheel and the areas' scroll bars.
#include "TestCmnDlg.h"

namespace {

std::string Text(HWND wnd)
{
    char text[256] = {};
    ::GetWindowTextA(wnd, text, sizeof(text));
    return text;
}

bool Grayed(CMenu* menu, UINT id) { return (ItemState(menu, id) & MF_GRAYED) != 0; }
bool Checked(CMenu* menu, UINT id) { return (ItemState(menu, id) & MF_CHECKED) != 0; }

} // namespace

TEST_F(DlgTest, EditCommandsGoToTheFocusedControlOrOnlyCopyAndPasteToAnArea)
{
    TestDlg* d = OpenDlg();
    ASSERT_TRUE(d);
    HWND edit = d->Item(IDC_T_DBL);
    TypeInto(edit, "3.25");
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    CMenu* popup = ShowPopup(d);
    EXPECT_FALSE(Grayed(popup, ID_EDIT_UNDO));
    EXPECT_TRUE(Grayed(popup, ID_EDIT_REDO));
    EXPECT_FALSE(Grayed(popup, ID_EDIT_CUT));
    EXPECT_FALSE(Grayed(popup, ID_EDIT_COPY));
    EXPECT_FALSE(Grayed(popup, ID_EDIT_CLEAR));

    d->SendMessage(WM_COMMAND, ID_EDIT_CUT);
    EXPECT_EQ(ClipText(), "3.25");
    EXPECT_EQ(Text(edit), "");
    d->SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    EXPECT_EQ(Text(edit), "3.25");
    d->SendMessage(WM_COMMAND, ID_EDIT_REDO);
    EXPECT_EQ(Text(edit), "");
    d->SendMessage(WM_COMMAND, ID_EDIT_PASTE);
    EXPECT_EQ(Text(edit), "3.25");

    // On the drawing area: its picture is copied; undo, redo, cut and clear are the controls'.
    FocusItem(d->m_hWnd, d->AreaWnd());
    ::OpenClipboard(d->m_hWnd);
    ::EmptyClipboard();
    ::CloseClipboard();
    popup = ShowPopup(d);
    for (UINT id : {ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_CUT, ID_EDIT_CLEAR, ID_EDIT_PASTE}) EXPECT_TRUE(Grayed(popup, id)) << id;
    EXPECT_FALSE(Grayed(popup, ID_EDIT_COPY));
    d->SendMessage(WM_COMMAND, ID_EDIT_COPY);
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_DIB));
    popup = ShowPopup(d);
    EXPECT_FALSE(Grayed(popup, ID_EDIT_PASTE));
    EXPECT_EQ(Text(edit), "3.25") << "the edit got no command";
}

TEST_F(DlgTest, ScaleCommandsActOnTheFocusedAreaAndMarkTheirItems)
{
    TestDlg* d = OpenDlg();
    ASSERT_TRUE(d);
    FocusItem(d->m_hWnd, d->AreaWnd());
    d->SendMessage(WM_COMMAND, ID_CMN_SCA_75);
    int num = 0, den = 0;
    EXPECT_EQ(d->GetScale(&num, &den), 0);
    EXPECT_EQ(num * 4, den * 3);
    CMenu* popup = ShowPopup(d);
    EXPECT_TRUE(Checked(popup, ID_CMN_SCA_75));
    for (UINT id : {ID_CMN_SCA_50, ID_CMN_SCA_100, ID_CMN_SCA_150, ID_CMN_SCA_200, ID_CMN_SCA_WND, ID_CMN_SCA_WND_LRG})
        EXPECT_FALSE(Checked(popup, id)) << id;
    for (UINT id = ID_CMN_SCA_DLG; id <= ID_CMN_SCA_200; ++id) EXPECT_FALSE(Grayed(popup, id)) << id;

    d->SendMessage(WM_COMMAND, ID_CMN_SCA_WND);
    popup = ShowPopup(d);
    EXPECT_TRUE(Checked(popup, ID_CMN_SCA_WND));
    EXPECT_FALSE(Checked(popup, ID_CMN_SCA_WND_LRG));

    // With a control focused there is no scale: its items are off and the commands do nothing.
    FocusItem(d->m_hWnd, d->Item(IDC_T_INT));
    EXPECT_EQ(d->GetScale(&num, &den), CmnTypCtl);
    EXPECT_EQ(num, 0);
    EXPECT_EQ(den, 1);
    popup = ShowPopup(d);
    for (UINT id = ID_CMN_SCA_DLG; id <= ID_CMN_SCA_200; ++id) EXPECT_TRUE(Grayed(popup, id)) << id;
    EXPECT_EQ(d->SetScaleByDlg(4), 1);
    EXPECT_EQ(d->SetScaleByDlg(-1), -9);
}

TEST_F(DlgTest, TheWheelScrollsTheFocusedAreaAndZoomsWithTheRightButton)
{
    TestDlg* d = OpenDlg();
    ASSERT_TRUE(d);
    FocusItem(d->m_hWnd, d->AreaWnd());
    d->SendMessage(WM_COMMAND, ID_CMN_SCA_200);
    VkiDra* dra = d->Dra();
    auto vpos = [dra] {
        int pos = -1;
        VkeDraGetVScrPos(dra, &pos);
        return pos;
    };
    int before = vpos();
    ::SendMessageA(d->AreaWnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0);
    int wheeled = vpos();
    EXPECT_GT(wheeled, before);
    // The area's bar reaches the area through the dialog.
    d->SendMessage(WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(d->Inf().phVScrBar[0]));
    EXPECT_GT(vpos(), wheeled);

    double ratio = 0;
    d->GetScaleRatio(&ratio);
    EXPECT_EQ(ratio, 2.0);
    // A notch away from the user zooms out by the wheel step (0.1).
    ::SendMessageA(d->AreaWnd(), WM_MOUSEWHEEL, MAKEWPARAM(MK_RBUTTON, 120), 0);
    d->GetScaleRatio(&ratio);
    EXPECT_NEAR(ratio, 1.8, 1e-9);
}

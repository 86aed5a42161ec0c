// The dialog object in its window: Return as Tab, OK and Cancel ignored, the colours of the
// dialog and of its engine controls, buttons drawn through the dialog, the popup menu and the
// data check over the engine controls.
#include "VktDlg.h"
#include <algorithm>
#include <string.h>

namespace {

const COLORREF kBack = RGB(200, 230, 250);
const COLORREF kError = RGB(230, 40, 40);

class DlgWindow : public VktDlgFixture {
protected:
    void SetUp() override
    {
        VktDlgFixture::SetUp();
        VkeDrwSetErrorColor(env->drw, kError);
        AdoptAll();
    }
    VkiCtl* Ctl(int id) const
    {
        for (VkiCtl* c : ctls) {
            HWND w = nullptr;
            VkeCtlGetCtlHandle(c, &w);
            if (GetDlgCtrlID(w) == id) return c;
        }
        return nullptr;
    }
    int Commands(int id) const { return static_cast<int>(std::count(log.commands.begin(), log.commands.end(), id)); }
};

} // namespace

TEST_F(DlgWindow, ReturnMovesTheFocusLikeTab)
{
    dlg = Adopt(wnd);
    FocusItem(IDC_NAME);
    Press(VK_RETURN);
    EXPECT_EQ(FocusId(), IDC_N1); // past the disabled edit
    Press(VK_RETURN, {VK_SHIFT});
    EXPECT_EQ(FocusId(), IDC_NAME);

    // On a push button Return moves on too; Ctrl+Return presses the button.
    FocusItem(IDC_PUSH);
    Press(VK_RETURN);
    EXPECT_EQ(FocusId(), IDC_FONT);
    EXPECT_EQ(Commands(IDC_PUSH), 0);
    FocusItem(IDC_PUSH);
    Press(VK_RETURN, {VK_CONTROL});
    EXPECT_EQ(Commands(IDC_PUSH), 1);
    EXPECT_EQ(Commands(IDOK), 0);
    EXPECT_EQ(FocusId(), IDC_PUSH);
    // Return on the OK button moves on as well; the dialog stays.
    FocusItem(IDOK);
    Press(VK_RETURN);
    EXPECT_EQ(FocusId(), IDCANCEL);
    EXPECT_TRUE(IsWindow(wnd));

    // Without RetToTab, Return presses the focused button.
    ASSERT_EQ(VkeDlgSetRetToTabFlag(dlg, 0), 0);
    FocusItem(IDC_PUSH);
    Press(VK_RETURN);
    EXPECT_EQ(Commands(IDC_PUSH), 2);
    EXPECT_EQ(Traced(), 0);
}

TEST_F(DlgWindow, OkAndCancelCanBeIgnored)
{
    log.closes = true;
    dlg = Adopt(wnd, [](VkeDlgParam& p) {
        p.iIgnOKC = 1;
        p.iRetToTab = 0;
    });
    FocusItem(IDC_NAME);
    Press(VK_ESCAPE);
    Press(VK_RETURN);
    EXPECT_TRUE(IsWindow(wnd));
    EXPECT_TRUE(log.commands.empty());
    // Taken back, Escape reaches the dialog's own procedure, which closes it.
    ASSERT_EQ(VkeDlgSetIgnOKCFlag(dlg, 0), 0);
    Press(VK_ESCAPE);
    EXPECT_EQ(Commands(IDCANCEL), 1);
    EXPECT_FALSE(IsWindow(wnd));
    int flag = -1;
    EXPECT_EQ(VkeDlgGetIgnOKCFlag(dlg, &flag), -6); // terminated with its window
}

TEST_F(DlgWindow, TheDataCheckReportsTheFirstControlInError)
{
    dlg = Adopt(wnd);
    for (int id : {IDC_N1, IDC_N3}) ASSERT_EQ(VkeCtlSetDataValue(Ctl(id), "12", 0), 0);
    for (int id : {IDC_N2, IDC_N4}) ASSERT_EQ(VkeCtlSetDataValue(Ctl(id), "12x", 0), 0);
    FocusItem(IDC_N1);
    VkiCtl* first = nullptr;
    EXPECT_EQ(VkeDlgChkDataValue(dlg, &first), 0);
    EXPECT_EQ(first, Ctl(IDC_N2));
    EXPECT_EQ(FocusId(), IDC_N1);
    ASSERT_EQ(VkeCtlSetDataValue(Ctl(IDC_N2), "3", 0), 0);
    EXPECT_EQ(VkeDlgChkDataValue(dlg, &first), 0);
    EXPECT_EQ(first, Ctl(IDC_N4));
    EXPECT_EQ(VkeDlgChkDataValue(dlg, nullptr), -9);
}

TEST_F(DlgWindow, ColoursOfTheDialogAndOfItsControls)
{
    dlg = Adopt(wnd, [](VkeDlgParam& p) { p.uBackColor = kBack; });
    RECT rc;
    GetClientRect(wnd, &rc);
    EXPECT_EQ(Pixel(wnd, 4, rc.bottom - 4), kBack);
    // The dialog's owner decides when it answers VkeWmCtlColor.
    HBRUSH green = CreateSolidBrush(RGB(0, 160, 0));
    log.ctlColor = green;
    EXPECT_EQ(Pixel(wnd, 4, rc.bottom - 4), RGB(0, 160, 0));
    log.ctlColor = nullptr;
    DeleteObject(green);

    // An engine control in error colours itself through the dialog.
    FocusItem(IDC_NAME);
    ASSERT_EQ(VkeCtlSetDataValue(Ctl(IDC_N2), "12x", 0), 0);
    HWND n2 = GetDlgItem(wnd, IDC_N2);
    GetClientRect(n2, &rc);
    EXPECT_EQ(Pixel(n2, rc.right - 3, rc.bottom / 2), kError);

    // Push buttons are drawn through the dialog's WM_DRAWITEM.
    ASSERT_EQ(VkeCtlSetBackColor(Ctl(IDC_PUSH), RGB(250, 220, 180)), 0);
    HWND push = GetDlgItem(wnd, IDC_PUSH);
    GetClientRect(push, &rc);
    EXPECT_EQ(Pixel(push, 4, rc.bottom / 2), RGB(250, 220, 180));
    EXPECT_EQ(Traced(), 0);
}

TEST_F(DlgWindow, TheRightButtonOpensThePopupMenuOfTheDialog)
{
    HMENU menu = CreateMenu();
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 0x1234, "item");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "popup");
    dlg = Adopt(wnd, [&](VkeDlgParam& p) { p.hMenu = menu; });
    VktMenuCloser menus;
    SendMessageA(wnd, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(menus.Count(), 1);
    DestroyMenu(menu);
}

TEST_F(DlgWindow, ADropDownListAdoptsItsListInTheDialog)
{
    dlg = Adopt(wnd);
    HWND combo = GetDlgItem(wnd, IDC_DROPLIST);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("一"));
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(combo, &info);
    RedrawWindow(info.hwndList, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HWND list = nullptr, edit = nullptr;
    EXPECT_EQ(VkeCtlGetCtlLsbHandle(Ctl(IDC_DROPLIST), &list), 0);
    EXPECT_EQ(list, info.hwndList);
    EXPECT_EQ(VkeCtlGetCtlEdtHandle(Ctl(IDC_DROPLIST), &edit), 0);
    EXPECT_EQ(edit, nullptr);
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(Traced(), 0);
}

// List and combo boxes: a click is one edit step; a combo box's edit and list become engine
// controls at their first colour request, follow the combo box's settings, and go back to the
// platform when the combo box terminates.
#include "VktCtl.h"
#include "VkiCtl.h" // the combo box's part objects
#include <string.h>

namespace {

const COLORREF kError = RGB(230, 40, 40);

class Lists : public VktCtlFixture {
protected:
    void SetUp() override
    {
        VktCtlFixture::SetUp();
        VkeDrwSetErrorColor(env->drw, kError);
    }
    static void Fill(HWND wnd, bool combo, std::initializer_list<const char*> items)
    {
        for (const char* item : items)
            SendMessageA(wnd, combo ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    static COMBOBOXINFO Info(VkiCtl* combo)
    {
        COMBOBOXINFO info = {};
        info.cbSize = sizeof(info);
        GetComboBoxInfo(Wnd(combo), &info);
        return info;
    }
    // The window of the combo box's adopted edit (0) or list (1); null while not adopted.
    static HWND Part(VkiCtl* combo, int part)
    {
        HWND wnd = nullptr;
        EXPECT_EQ(part == 0 ? VkeCtlGetCtlEdtHandle(combo, &wnd) : VkeCtlGetCtlLsbHandle(combo, &wnd), 0);
        return wnd;
    }
    static LONG_PTR ProcOf(HWND wnd) { return GetWindowLongPtrA(wnd, GWLP_WNDPROC); }
    // Painted now, so that its colour requests go out.
    static void Paint(HWND wnd) { RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }
    // A click on the list's item as the mouse gives it.
    static void ClickItem(HWND list, int index)
    {
        auto height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
        LPARAM at = MAKELPARAM(10, height * index + height / 2);
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(list, WM_LBUTTONUP, 0, at);
    }
    static int Undoable(VkiCtl* ctl)
    {
        int flag = -1;
        VkeCtlGetEditUndFlag(ctl, &flag);
        return flag;
    }
};

} // namespace

TEST_F(Lists, AListClickIsOneEditStep)
{
    VkiCtl* list = Make(VKE_CTL_LISTBOX, LBS_NOTIFY | WS_VSCROLL);
    ASSERT_NE(list, nullptr);
    HWND wnd = Wnd(list);
    Fill(wnd, false, {"alpha", "beta", "gamma"});
    ASSERT_EQ(VkeCtlSetDataValue(list, "alpha", 0), 0);
    EXPECT_EQ(Undoable(list), 0);
    ClickItem(wnd, 1);
    EXPECT_EQ(Value(list), "beta");
    EXPECT_EQ(Undoable(list), 1);
    EXPECT_EQ(VkeCtlEditUnd(list), 0);
    EXPECT_EQ(Value(list), "alpha");
    EXPECT_EQ(SendMessageA(wnd, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(Traced(), 0);
}

TEST_F(Lists, AClickInASimpleComboBoxsListIsAStepOfTheComboBox)
{
    VkiCtl* combo = Make(VKE_CTL_COMBOBOX, CBS_SIMPLE);
    ASSERT_NE(combo, nullptr);
    Fill(Wnd(combo), true, {"alpha", "beta"});
    COMBOBOXINFO info = Info(combo);
    Paint(info.hwndList);
    ASSERT_EQ(Part(combo, 1), info.hwndList);
    Focus(info.hwndItem);
    ClickItem(info.hwndList, 1);
    EXPECT_EQ(Value(combo), "beta");
    EXPECT_EQ(Undoable(combo), 1);
    EXPECT_EQ(DtiOf(combo).sel.iEnd, 4); // the whole text
    EXPECT_EQ(Traced(), 0);
}

TEST_F(Lists, ADropDownListAdoptsItsListWhenFirstDropped)
{
    VkiCtl* combo = Make(VKE_CTL_COMBOBOX, CBS_DROPDOWNLIST | WS_VSCROLL);
    ASSERT_NE(combo, nullptr);
    Fill(Wnd(combo), true, {"alpha", "beta"});
    COMBOBOXINFO info = Info(combo);
    LONG_PTR proc = ProcOf(info.hwndList);
    LONG_PTR style = GetWindowLongPtrA(info.hwndList, GWL_STYLE);
    Paint(Wnd(combo));
    EXPECT_EQ(Part(combo, 0), nullptr); // no edit at all
    EXPECT_EQ(Part(combo, 1), nullptr); // not dropped yet
    SendMessageA(Wnd(combo), CB_SHOWDROPDOWN, TRUE, 0);
    Paint(info.hwndList);
    EXPECT_EQ(Part(combo, 1), info.hwndList);
    EXPECT_NE(ProcOf(info.hwndList), proc);
    // The list keeps the styles its combo box gave it, and drops as before.
    EXPECT_EQ(GetWindowLongPtrA(info.hwndList, GWL_STYLE) & ~WS_VISIBLE, style & ~WS_VISIBLE);
    EXPECT_TRUE(IsWindowVisible(info.hwndList));
    SendMessageA(Wnd(combo), CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(Part(combo, 0), nullptr);

    EXPECT_EQ(VkeCtlTerm(combo), 0);
    EXPECT_EQ(ProcOf(info.hwndList), proc);
    EXPECT_EQ(Part(combo, 1), nullptr);
    EXPECT_EQ(Traced(), 0);
}

TEST_F(Lists, AdoptedPartsFollowTheComboBox)
{
    VkiCtl* combo = Make(VKE_CTL_COMBOBOX, CBS_DROPDOWN | CBS_AUTOHSCROLL, "", [](VkeCtlParam& p) {
        strcpy(p.amDataValue, "abc");
        p.iCtlError = 1;
    });
    ASSERT_NE(combo, nullptr);
    COMBOBOXINFO info = Info(combo);
    HWND edit = info.hwndItem;
    LONG_PTR proc = ProcOf(edit);
    SetFocus(parent);
    Paint(edit);
    ASSERT_EQ(Part(combo, 0), edit);
    VkiCtl* part = static_cast<VkiCtlCmb*>(combo)->m_pEdt;
    RECT rc;
    GetClientRect(edit, &rc);
    auto inside = [&] { return Pixel(edit, rc.right - 4, rc.bottom / 2); };

    ASSERT_EQ(VkeCtlSetBackColor(combo, RGB(250, 250, 200)), 0);
    EXPECT_EQ(part->m_uBackColor, RGB(250, 250, 200));
    EXPECT_EQ(inside(), RGB(250, 250, 200));
    ASSERT_EQ(VkeCtlSetErrorFlag(combo, 1), 0);
    EXPECT_EQ(inside(), kError);
    ASSERT_EQ(VkeCtlSetCtlErrorFlag(combo, 0), 0);
    EXPECT_EQ(part->m_iCtlError, 0);
    EXPECT_EQ(inside(), RGB(250, 250, 200));

    LOGFONTA lf = {};
    ASSERT_EQ(VkeCtlGetLogFont(combo, &lf), 0);
    lf.lfHeight = -20;
    ASSERT_EQ(VkeCtlSetFontByLogFont(combo, &lf), 0);
    LOGFONTA shown = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0)), sizeof(shown), &shown);
    EXPECT_EQ(shown.lfHeight, -20);

    // Term gives the edit back to the platform, without a font that is gone.
    EXPECT_EQ(VkeCtlTerm(combo), 0);
    EXPECT_EQ(ProcOf(edit), proc);
    EXPECT_EQ(Part(combo, 0), nullptr);
    auto font = reinterpret_cast<HGDIOBJ>(SendMessageA(edit, WM_GETFONT, 0, 0));
    EXPECT_TRUE(!font || GetObjectType(font) == OBJ_FONT);
    EXPECT_EQ(Traced(), 0);
}

TEST_F(Lists, ComboBoxesGiveBackEveryGdiObject)
{
    // The list of a drop-down combo box is never dropped here: it is never adopted.
    auto round = [this] {
        VkiCtl* combo = Make(VKE_CTL_COMBOBOX, CBS_DROPDOWN);
        Paint(Info(combo).hwndItem);
        EXPECT_NE(Part(combo, 0), nullptr);
        EXPECT_EQ(Part(combo, 1), nullptr);
        VkeCtlSetBackColor(combo, 0x445566);
        for (VkiCtl*& c : made) EXPECT_EQ(VkeCtlFree(&c), 0);
        made.clear();
        nextY = 0;
    };
    round();
    DWORD before = VktGdiObjects();
    for (int i = 0; i < 5; ++i) round();
    EXPECT_EQ(VktGdiObjects(), before);
    EXPECT_EQ(Traced(), 0);
}

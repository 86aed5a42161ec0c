// A control in its window: state colours read back from its pixels, the parent's brush, the value
// cycle when the focus leaves, focus inside a combo box, and the popup menu.
#include "VktCtl.h"
#include "VktMsgBox.h"
#include <string.h>

namespace {

const COLORREF kBack = RGB(255, 255, 255);
const COLORREF kError = RGB(230, 40, 40);
const COLORREF kModified = RGB(40, 200, 40);
const COLORREF kSelected = RGB(40, 40, 230);

class Appearance : public VktCtlFixture {
protected:
    void SetUp() override
    {
        VktCtlFixture::SetUp();
        VkeDrwSetErrorColor(env->drw, kError);
        VkeDrwSetModifiedColor(env->drw, kModified);
        VkeDrwSetSelectedColor(env->drw, kSelected);
    }
    // A pixel inside the edit, right of any text.
    static COLORREF Inside(HWND edit)
    {
        RECT rc;
        GetClientRect(edit, &rc);
        return Pixel(edit, rc.right - 6, rc.bottom / 2);
    }
};

} // namespace

TEST_F(Appearance, StateColoursByPriority)
{
    struct Row {
        int selected, error, modified, ctlError, ctlModified, priority;
        COLORREF shown;
    } rows[] = {
        {0, 0, 0, 1, 1, 0, kBack},
        {1, 1, 1, 1, 1, 0, kSelected},
        {1, 1, 0, 1, 1, 1, kError},
        {0, 1, 1, 0, 1, 0, kModified}, // CtlError 0 hides the error
        {0, 1, 0, 0, 1, 1, kBack},
        {0, 0, 1, 1, 0, 0, kBack}, // CtlModified 0 hides the modification
        {0, 1, 1, 1, 1, 0, kError},
    };
    VkiCtl* edit = Make(VKE_CTL_EDIT, 0, "", [](VkeCtlParam& p) { strcpy(p.amDataValue, "v"); });
    ASSERT_NE(edit, nullptr);
    HWND wnd = Wnd(edit);
    SetFocus(parent);
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.selected << r.error << r.modified << r.ctlError << r.ctlModified
                                        << r.priority);
        ASSERT_EQ(VkeCtlSetSelectedFlag(edit, r.selected), 0);
        ASSERT_EQ(VkeCtlSetErrorFlag(edit, r.error), 0);
        ASSERT_EQ(VkeCtlSetModifiedFlag(edit, r.modified), 0);
        ASSERT_EQ(VkeCtlSetCtlErrorFlag(edit, r.ctlError), 0);
        ASSERT_EQ(VkeCtlSetCtlModifiedFlag(edit, r.ctlModified), 0);
        ASSERT_EQ(VkeCtlSetPriorityErrorFlag(edit, r.priority), 0);
        EXPECT_EQ(Inside(wnd), r.shown);
    }

    // A focused edit keeps its own colours; a parent's brush decides alone.
    Focus(wnd);
    EXPECT_EQ(Inside(wnd), kBack);
    HBRUSH brush = CreateSolidBrush(RGB(10, 120, 90));
    log.ctlColor = brush;
    log.notices.clear();
    EXPECT_EQ(Inside(wnd), RGB(10, 120, 90));
    ASSERT_GE(log.Count(VkeWmCtlColor), 1);
    EXPECT_EQ(reinterpret_cast<HWND>(log.notices.back().lParam), wnd);
    log.ctlColor = nullptr;
    DeleteObject(brush);
    EXPECT_EQ(VkeCtlSetBackColor(edit, RGB(250, 250, 200)), 0);
    EXPECT_EQ(Inside(wnd), RGB(250, 250, 200));
}

TEST_F(Appearance, ARadioGroupStartsUnmodified)
{
    // Started button by button with their values, as a dialog starts them: nothing is modified yet.
    auto radio = [this](DWORD style, const char* caption, const char* value) {
        return Make(VKE_CTL_BUTTON, BS_AUTORADIOBUTTON | style, caption, [value](VkeCtlParam& p) {
            p.iCtlModified = 1;
            strcpy(p.amDataValue, value);
        });
    };
    VkiCtl* group[] = {radio(WS_GROUP, "one", "1"), radio(0, "two", "0"), radio(0, "three", "0")};
    for (VkiCtl* ctl : group) {
        ASSERT_NE(ctl, nullptr);
        RECT rc;
        GetClientRect(Wnd(ctl), &rc);
        int modified = -1;
        VkeCtlGetModifiedFlag(ctl, &modified);
        EXPECT_EQ(modified, 0) << Text(Wnd(ctl));
        EXPECT_NE(Pixel(Wnd(ctl), rc.right - 3, rc.bottom / 2), kModified) << Text(Wnd(ctl));
    }
    EXPECT_EQ(Value(group[0]) + Value(group[1]) + Value(group[2]), "100");
}

TEST_F(Appearance, LeavingTheFocusRunsTheValueCycle)
{
    VkiCtl* number = Make(VKE_CTL_EDIT, ES_AUTOHSCROLL, "", [](VkeCtlParam& p) {
        p.iEditType = VKE_EDIT_INT;
        strcpy(p.amEditFormat, "%,v");
        p.iCtlError = 1;
    });
    VkiCtl* other = Make(VKE_CTL_EDIT, 0);
    ASSERT_TRUE(number && other);
    HWND wnd = Wnd(number);
    VktMsgBox boxes;
    Focus(wnd);
    Type(wnd, "1234567");
    log.notices.clear();
    Focus(Wnd(other));
    EXPECT_EQ(log.Count(VkeWmWndToDti), 1);
    EXPECT_EQ(log.Count(VkeWmDtiToWnd), 1);
    EXPECT_EQ(Text(wnd), "1,234,567");
    EXPECT_EQ(Value(number), "1234567");
    int flag = -1;
    EXPECT_EQ(VkeCtlGetEditUndFlag(number, &flag), 0); // the typing became an edit step
    EXPECT_EQ(flag, 1);

    // Back in, the editing text is shown and selected; a bad value stays as typed, in error.
    Focus(wnd);
    EXPECT_EQ(Text(wnd), "1234567");
    EXPECT_EQ(Selection(wnd), "0,7");
    Type(wnd, "12x");
    Focus(Wnd(other));
    EXPECT_EQ(Text(wnd), "12x");
    EXPECT_EQ(VkeCtlGetErrorFlag(number, &flag), 0);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(VkeCtlGetErrorCode(number, &flag), 0);
    EXPECT_EQ(flag, -18);
    EXPECT_EQ(Inside(wnd), kError);
    EXPECT_EQ(boxes.Count(), 0);

    // A parent that does both steps itself leaves the window as it was: not formatted.
    Focus(wnd);
    Type(wnd, "12345");
    log.wndToDti = log.dtiToWnd = 1;
    Focus(Wnd(other));
    EXPECT_EQ(Text(wnd), "12345");
    EXPECT_EQ(Traced(), 0);
}

TEST_F(Appearance, FocusInsideAComboBoxRunsNoCycle)
{
    VkiCtl* combo = Make(VKE_CTL_COMBOBOX, CBS_SIMPLE);
    VkiCtl* edit = Make(VKE_CTL_EDIT, 0);
    ASSERT_TRUE(combo && edit);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(Wnd(combo), &info));
    log.notices.clear();
    Focus(Wnd(combo)); // the box hands the focus to its edit
    EXPECT_EQ(GetFocus(), info.hwndItem);
    SetFocus(info.hwndList);
    SetFocus(info.hwndItem);
    EXPECT_EQ(log.Count(VkeWmWndToDti), 0);
    int is = -1;
    EXPECT_EQ(VkeCtlIsFocus(combo, &is), 0);
    EXPECT_EQ(is, 1);
    EXPECT_EQ(VkeCtlIsFocus(edit, &is), 0);
    EXPECT_EQ(is, 0);

    EXPECT_EQ(VkeCtlSetFocusCtl(edit), 0);
    EXPECT_EQ(GetFocus(), Wnd(edit));
    EXPECT_EQ(VkeCtlIsFocus(combo, &is), 0);
    EXPECT_EQ(is, 0);
    EXPECT_EQ(VkeCtlIsFocus(edit, nullptr), -9);
}

TEST_F(Appearance, TheRightButtonOpensThePopupMenuForTheParent)
{
    HMENU menu = CreateMenu();
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 0x1234, "item");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "popup");
    VkiCtl* edit = Make(VKE_CTL_EDIT, 0, "", [&](VkeCtlParam& p) { p.hMenu = menu; });
    ASSERT_NE(edit, nullptr);
    VktMenuCloser menus;
    EXPECT_NE(SendMessageA(Wnd(edit), WM_RBUTTONUP, 0, MAKELPARAM(5, 5)), 0);
    EXPECT_EQ(menus.Count(), 1);
    DestroyMenu(menu);
}

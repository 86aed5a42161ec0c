// Buttons: owner-drawn push buttons read back from their pixels in every state, check boxes and
// radio groups clicked as the mouse clicks them (their VkeWmSetChk notices and undo), a click
// inside a click, and what the dialog manager sees of an owner-drawn push button.
#include "VktCtl.h"
#include "VkiCtl.h" // a button's owner-draw record
#include <string.h>
#include <vector>

namespace {

const COLORREF kText = RGB(0, 0, 160);
const COLORREF kBack = RGB(220, 210, 190);
const COLORREF kSelected = RGB(40, 40, 230);
const COLORREF kGrey = RGB(128, 128, 128);

// A button drawn the way its host asks it to: WM_DRAWITEM sent to the button itself, with a DC
// on a DIB section of the button's size.
class Face {
public:
    Face(HWND button, UINT state) : m_dib(Width(button), Height(button))
    {
        RECT rc;
        GetClientRect(button, &rc);
        DRAWITEMSTRUCT dis = {ODT_BUTTON, static_cast<UINT>(GetDlgCtrlID(button)), 0, ODA_DRAWENTIRE, state, button,
                              m_dib.Dc(), rc, 0};
        SendMessageA(button, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    }
    COLORREF At(int x, int y) const { return m_dib.At(x, y); }
    // Pixels of the colour in [x0, x1) x [y0, y1).
    int Count(COLORREF color, int x0, int y0, int x1, int y1) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += At(x, y) == color;
        return n;
    }

private:
    static int Width(HWND wnd)
    {
        RECT rc;
        GetClientRect(wnd, &rc);
        return rc.right;
    }
    static int Height(HWND wnd)
    {
        RECT rc;
        GetClientRect(wnd, &rc);
        return rc.bottom;
    }
    VktDib m_dib;
};

class Buttons : public VktCtlFixture {
protected:
    void SetUp() override
    {
        VktCtlFixture::SetUp();
        VkeDrwSetSelectedColor(env->drw, kSelected);
    }
    // A push button in the test's colours with a solid square as its caption (its data name).
    VkiCtl* Push(int editType = VKE_EDIT_NONE, const char* value = "")
    {
        return Make(VKE_CTL_BUTTON, BS_PUSHBUTTON, "", [&](VkeCtlParam& p) {
            strcpy(p.amDataName, "■");
            p.uTextColor = kText;
            p.uBackColor = kBack;
            p.iEditType = editType;
            strcpy(p.amDataValue, value);
        });
    }
    // A click as the mouse gives it: the left button down and up inside the window.
    static void Click(HWND wnd)
    {
        SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    }
    static int Checked(HWND wnd) { return static_cast<int>(SendMessageA(wnd, BM_GETCHECK, 0, 0)); }
    // The VkeWmSetChk notices as (button, state), in order.
    std::vector<std::pair<VkiCtl*, int>> Checks() const
    {
        std::vector<std::pair<VkiCtl*, int>> out;
        for (const auto& n : log.notices)
            if (n.msg == VkeWmSetChk) out.emplace_back(reinterpret_cast<VkiCtl*>(n.wParam), static_cast<int>(n.lParam));
        return out;
    }
};

} // namespace

TEST_F(Buttons, PushButtonFacesInEveryState)
{
    VkiCtl* push = Push();
    ASSERT_NE(push, nullptr);
    HWND wnd = Wnd(push);
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW), shadow = GetSysColor(COLOR_BTNSHADOW);
    struct Row {
        const char* what;
        UINT state;
        int defPush, x, y;
        COLORREF color;
    } rows[] = {
        {"face", 0, 0, 30, 12, kBack},
        {"light left edge", 0, 0, 0, 10, light},
        {"shadow right edge", 0, 0, 298, 10, shadow},
        {"outer frame", 0, 0, 299, 10, frame},
        {"default: the frame stays at the left", 0, 1, 0, 10, frame},
        {"default: the light edge inside it", 0, 1, 1, 10, light},
        {"focused: dark right edge", ODS_FOCUS, 0, 298, 10, dark},
        {"focused: frame at the left", ODS_FOCUS, 0, 0, 10, frame},
        {"focused: light edge of the focus frame", ODS_FOCUS, 0, 2, 10, light},
        {"pressed: frame", ODS_FOCUS | ODS_SELECTED, 0, 0, 10, frame},
        {"pressed: sunk", ODS_FOCUS | ODS_SELECTED, 0, 1, 10, shadow},
        {"pressed: face", ODS_FOCUS | ODS_SELECTED, 0, 30, 12, kBack},
    };
    for (const Row& r : rows) {
        SendMessageA(wnd, BM_SETSTYLE, r.defPush ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, FALSE);
        EXPECT_EQ(Face(wnd, r.state).At(r.x, r.y), r.color) << r.what;
    }
    SendMessageA(wnd, BM_SETSTYLE, BS_PUSHBUTTON, FALSE);

    // The caption in the text colour, the dotted focus frame in it too; grey when disabled.
    Face plain(wnd, 0), focused(wnd, ODS_FOCUS);
    EXPECT_GT(plain.Count(kText, 100, 4, 200, 20), 10);
    EXPECT_EQ(plain.Count(kText, 4, 4, 296, 5), 0);
    EXPECT_GT(focused.Count(kText, 4, 4, 296, 5), 50);
    EnableWindow(wnd, FALSE);
    Face disabled(wnd, 0);
    EXPECT_EQ(disabled.Count(kText, 2, 2, 296, 20), 0);
    EXPECT_GT(disabled.Count(kGrey, 100, 4, 200, 20), 10);
    EnableWindow(wnd, TRUE);

    // A selected value paints the face in the selected colour.
    ASSERT_EQ(VkeCtlSetSelectedFlag(push, 1), 0);
    EXPECT_EQ(Face(wnd, 0).At(30, 12), kSelected);
    ASSERT_EQ(VkeCtlSetSelectedFlag(push, 0), 0);

    // The window's own painting goes through the parent, which hands WM_DRAWITEM on.
    EXPECT_EQ(Pixel(wnd, 30, 12), kBack);
    EXPECT_EQ(Traced(), 0);
}

TEST_F(Buttons, AColourButtonShowsItsValueAsASwatch)
{
    VkiCtl* color = Push(VKE_EDIT_COLOR, "10,200,30");
    VkiCtl* plain = Push(VKE_EDIT_NONE, "10,200,30");
    ASSERT_TRUE(color && plain);
    Face face(Wnd(color), 0);
    EXPECT_EQ(face.At(10, 12), RGB(10, 200, 30));
    EXPECT_EQ(face.At(30, 12), kBack);
    EXPECT_EQ(Face(Wnd(plain), 0).At(10, 12), kBack);

    ASSERT_EQ(VkeCtlSetDataValue(color, "250,0,0", 0), 0);
    EXPECT_EQ(Face(Wnd(color), 0).At(10, 12), RGB(250, 0, 0));
    // Without a colour there is no swatch, and the face is drawn all the same.
    ASSERT_EQ(VkeCtlSetDataValue(color, "", 0), 0);
    Face empty(Wnd(color), 0);
    EXPECT_EQ(empty.At(10, 12), kBack);
    EXPECT_GT(empty.Count(kText, 100, 4, 200, 20), 10);
    EXPECT_EQ(Traced(), 0);
}

TEST_F(Buttons, OnlyPushButtonsGetAnOwnerDrawRecord)
{
    VkiCtl* push = Push();
    VkiCtl* box = Make(VKE_CTL_BUTTON, BS_AUTOCHECKBOX, "box");
    VkiCtl* radio = Make(VKE_CTL_BUTTON, BS_AUTORADIOBUTTON | WS_GROUP, "radio");
    ASSERT_TRUE(push && box && radio);
    EXPECT_NE(static_cast<VkiCtlBtn*>(push)->m_pOwnerDraw, nullptr);
    for (VkiCtl* c : {box, radio}) {
        EXPECT_EQ(VkeCtlSetTextColor(c, RGB(1, 2, 3)), 0);
        EXPECT_EQ(static_cast<VkiCtlBtn*>(c)->m_pOwnerDraw, nullptr);
    }
    EXPECT_EQ(VkeCtlTerm(push), 0);
    EXPECT_EQ(static_cast<VkiCtlBtn*>(push)->m_pOwnerDraw, nullptr);
}

TEST_F(Buttons, PushButtonsStayPushButtonsForTheDialogManager)
{
    VkiCtl* push = Push();
    VkiCtl* box = Make(VKE_CTL_BUTTON, BS_AUTOCHECKBOX, "box");
    ASSERT_TRUE(push && box);
    HWND wnd = Wnd(push);
    EXPECT_EQ(SendMessageA(wnd, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    // The dialog manager makes it the default button through its style: it stays owner-drawn.
    SendMessageA(wnd, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(GetWindowLongPtrA(wnd, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(SendMessageA(wnd, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    SendMessageA(wnd, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_EQ(GetWindowLongPtrA(wnd, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(SendMessageA(wnd, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(SendMessageA(Wnd(box), WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON), 0);
}

TEST_F(Buttons, ACheckBoxClickIsOneUndoableStep)
{
    VkiCtl* box = Make(VKE_CTL_BUTTON, BS_AUTOCHECKBOX, "box", [](VkeCtlParam& p) { strcpy(p.amDataValue, "0"); });
    ASSERT_NE(box, nullptr);
    HWND wnd = Wnd(box);
    log.notices.clear();
    Click(wnd);
    EXPECT_EQ(Checked(wnd), 1);
    EXPECT_EQ(Value(box), "1");
    ASSERT_EQ(Checks().size(), 1u);
    EXPECT_EQ(Checks()[0], std::make_pair(box, 1));
    int flag = -1;
    EXPECT_EQ(VkeCtlGetDataFlag(box, &flag), 0);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(VkeCtlGetEditUndFlag(box, &flag), 0);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(VkeCtlEditUnd(box), 0);
    EXPECT_EQ(Checked(wnd), 0);
    EXPECT_EQ(Value(box), "0");
    EXPECT_EQ(Traced(), 0);
}

TEST_F(Buttons, ARadioClickSetsItsWholeGroup)
{
    // The group has no WS_GROUP after it: the edit that follows is in its group order.
    VkiCtl* one = Make(VKE_CTL_BUTTON, BS_AUTORADIOBUTTON | WS_GROUP, "one",
                       [](VkeCtlParam& p) { strcpy(p.amDataValue, "1"); });
    VkiCtl* two = Make(VKE_CTL_BUTTON, BS_AUTORADIOBUTTON, "two");
    HWND loose = Plain("Button", BS_AUTORADIOBUTTON, "not an engine control");
    VkiCtl* three = Make(VKE_CTL_BUTTON, BS_AUTORADIOBUTTON, "three");
    VkiCtl* after = Make(VKE_CTL_EDIT, 0);
    ASSERT_TRUE(one && two && three && after);
    SendMessageA(loose, BM_SETCHECK, BST_CHECKED, 0);
    // A second click on the button already set announces the group again.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        log.notices.clear();
        Click(Wnd(two));
        EXPECT_EQ(Checked(Wnd(one)) + Checked(Wnd(two)) + Checked(loose) + Checked(Wnd(three)), 1);
        EXPECT_EQ(Checked(Wnd(two)), 1);
        auto checks = Checks();
        ASSERT_EQ(checks.size(), 3u);
        EXPECT_EQ(checks[0], std::make_pair(two, 1));
        EXPECT_EQ(checks[1], std::make_pair(three, 0));
        EXPECT_EQ(checks[2], std::make_pair(one, 0));
    }
    EXPECT_EQ(Value(one), "0");
    EXPECT_EQ(Value(two), "1");
    EXPECT_EQ(Value(three), "0");
    // The change is one step of the group.
    EXPECT_EQ(VkeCtlEditUnd(two), 0);
    EXPECT_EQ(Checked(Wnd(one)), 1);
    EXPECT_EQ(Checked(Wnd(two)), 0);
    EXPECT_EQ(Value(one), "1");
    EXPECT_EQ(Traced(), 0);
}

TEST_F(Buttons, AClickInsideAClickGetsThePlatformsHandling)
{
    VkiCtl* box = Make(VKE_CTL_BUTTON, BS_AUTOCHECKBOX, "box", [](VkeCtlParam& p) { strcpy(p.amDataValue, "0"); });
    ASSERT_NE(box, nullptr);
    HWND wnd = Wnd(box);
    int nested = 0;
    // The parent's handler pumps messages, and the user clicks the box again meanwhile.
    log.inside = [&](UINT msg, WPARAM, LPARAM) {
        if (msg == VkeWmSetChk && nested++ == 0) Click(wnd);
    };
    Click(wnd);
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(SendMessageA(wnd, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    EXPECT_EQ(Checked(wnd), 0); // the inner click took the check off again
    EXPECT_EQ(Traced(), 0);
}

TEST_F(Buttons, DrawingGivesBackEveryGdiObject)
{
    auto round = [this] {
        for (VkiCtl* c : {Push(), Push(VKE_EDIT_COLOR, "1,2,3")}) {
            Face(Wnd(c), ODS_FOCUS);
            VkeCtlSetTextColor(c, RGB(9, 9, 9));
        }
        for (VkiCtl*& c : made) VkeCtlFree(&c);
        made.clear();
        nextY = 0;
    };
    round(); // the platform keeps what it makes on first use
    DWORD before = VktGdiObjects();
    for (int i = 0; i < 5; ++i) round();
    EXPECT_EQ(VktGdiObjects(), before);
}

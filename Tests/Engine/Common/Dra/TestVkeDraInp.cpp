// Keys, characters, mouse, wheel and drops on a real area: what the parent receives for each key
// and character, grab scrolling that gives the mouse back, the wheel offered to the parent first,
// zooming with the right button held without a menu after it, and files dropped with a real
// DROPFILES block.
#include "VktDra.h"
#include "VkiDra.h"
#include <shlobj.h>

namespace {

class DraInp : public VktDraFixture {
protected:
    struct Heard {
        UINT msg;
        int code;       // scroll code, command id, or wheel delta
        int keys;       // the wheel's key state
        LPARAM lParam;
    };

    void SetUp() override
    {
        VktDraFixture::SetUp();
        s_onMessage = [this](UINT msg, WPARAM wParam, LPARAM lParam, bool* handled) -> LRESULT {
            if (msg == WM_HSCROLL || msg == WM_VSCROLL)
                heard.push_back({msg, LOWORD(wParam), static_cast<int>(HIWORD(wParam)), lParam});
            if (msg == WM_COMMAND) heard.push_back({msg, LOWORD(wParam), 0, lParam});
            if (msg == WM_MOUSEWHEEL) {
                heard.push_back({msg, GET_WHEEL_DELTA_WPARAM(wParam), GET_KEYSTATE_WPARAM(wParam), lParam});
                *handled = true;
                return wheelAnswer;
            }
            return 0;
        };
    }
    void TearDown() override
    {
        Keys(false, false);
        VktDraFixture::TearDown();
    }
    // The modifier keys as GetKeyState reports them on this thread.
    static void Keys(bool shift, bool ctrl)
    {
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[VK_SHIFT] = shift ? 0x80 : 0;
        state[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(state);
    }
    int Scale()
    {
        int num = 0, den = 1;
        VkeDraGetScale(dra, &num, &den);
        return static_cast<int>(1000.0 * num / den);
    }
    // The cursor over the area's client point.
    void CursorAt(int x, int y)
    {
        POINT p = {x, y};
        ClientToScreen(wnd, &p);
        SetCursorPos(p.x, p.y);
    }

    std::vector<Heard> heard;
    LRESULT wheelAnswer = 0;
};

// A DROPFILES block naming the files, as the shell posts it.
HGLOBAL DropBlock(const std::vector<std::string>& files)
{
    std::string names;
    for (const std::string& f : files) names += f + '\0';
    names += '\0';
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(h));
    drop->pFiles = sizeof(DROPFILES);
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(h);
    return h;
}

} // namespace

TEST_F(DraInp, KeysReachTheParentAsScrollMessages)
{
    ASSERT_EQ(Start(), 0);
    const UINT H = WM_HSCROLL, V = WM_VSCROLL, W = WM_MOUSEWHEEL;
    struct Row {
        UINT key;
        bool shift, ctrl;
        std::vector<std::pair<UINT, int>> want; // message and code (a wheel: its delta)
        int wheelKeys;
    } rows[] = {
        {VK_LEFT, false, false, {{H, SB_LINELEFT}, {H, SB_ENDSCROLL}}, 0},
        {VK_LEFT, false, true, {{H, SB_LEFT}, {H, SB_ENDSCROLL}}, 0},
        {VK_LEFT, true, false, {{W, 120}}, MK_SHIFT},
        {VK_LEFT, true, true, {{W, 120}}, MK_SHIFT}, // Shift before Ctrl
        {VK_RIGHT, false, false, {{H, SB_LINERIGHT}, {H, SB_ENDSCROLL}}, 0},
        {VK_RIGHT, false, true, {{H, SB_RIGHT}, {H, SB_ENDSCROLL}}, 0},
        {VK_RIGHT, true, false, {{W, -120}}, MK_SHIFT},
        {VK_UP, false, false, {{V, SB_LINEUP}, {V, SB_ENDSCROLL}}, 0},
        {VK_UP, false, true, {{V, SB_TOP}, {V, SB_ENDSCROLL}}, 0},
        {VK_UP, true, false, {{W, 120}}, 0},
        {VK_DOWN, false, false, {{V, SB_LINEDOWN}, {V, SB_ENDSCROLL}}, 0},
        {VK_DOWN, false, true, {{V, SB_BOTTOM}, {V, SB_ENDSCROLL}}, 0},
        {VK_DOWN, true, false, {{W, -120}}, 0},
        {VK_PRIOR, false, false, {{V, SB_PAGEUP}, {V, SB_ENDSCROLL}}, 0},
        {VK_PRIOR, false, true, {{V, SB_PAGEUP}, {V, SB_ENDSCROLL}}, 0},
        {VK_PRIOR, true, false, {{H, SB_PAGELEFT}, {H, SB_ENDSCROLL}}, 0},
        {VK_NEXT, false, false, {{V, SB_PAGEDOWN}, {V, SB_ENDSCROLL}}, 0},
        {VK_NEXT, true, false, {{H, SB_PAGERIGHT}, {H, SB_ENDSCROLL}}, 0},
        {VK_HOME, false, false, {{H, SB_LEFT}, {H, SB_ENDSCROLL}, {V, SB_TOP}, {V, SB_ENDSCROLL}}, 0},
        {VK_END, false, false, {{H, SB_RIGHT}, {H, SB_ENDSCROLL}, {V, SB_BOTTOM}, {V, SB_ENDSCROLL}}, 0},
        {VK_HOME, false, true, {}, 0},
        {VK_DELETE, false, false, {}, 0},
        {'X', false, false, {}, 0},
    };
    HWND hBar = nullptr, vBar = nullptr;
    VkeDraGetHScrBarHandle(dra, &hBar);
    VkeDraGetVScrBarHandle(dra, &vBar);
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "key " << r.key << " shift " << r.shift << " ctrl " << r.ctrl);
        heard.clear();
        Keys(r.shift, r.ctrl);
        SendMessageA(wnd, WM_KEYDOWN, r.key, 1);
        ASSERT_EQ(heard.size(), r.want.size());
        for (size_t i = 0; i < heard.size(); ++i) {
            EXPECT_EQ(heard[i].msg, r.want[i].first);
            EXPECT_EQ(heard[i].code, r.want[i].second);
            if (heard[i].msg == W) EXPECT_EQ(heard[i].keys, r.wheelKeys);
            else EXPECT_EQ(heard[i].lParam, reinterpret_cast<LPARAM>(heard[i].msg == H ? hBar : vBar));
        }
    }
    Keys(false, false);
    // The parent does not take the notch: the area scrolls by its wheel step (30 across).
    ASSERT_EQ(VkeDraHScroll(dra, SB_THUMBPOSITION, 100), 0);
    Keys(true, false);
    SendMessageA(wnd, WM_KEYDOWN, VK_LEFT, 1);
    EXPECT_EQ(BarPos(true), 70);
    EXPECT_EQ(GetWindowTextLengthA(wnd), 0); // the hidden text never changed
}

TEST_F(DraInp, CharactersCopyPasteZoomCentreAndAnchor)
{
    ASSERT_EQ(Start(), 0);
    SendMessageA(wnd, WM_CHAR, 3, 1);
    SendMessageA(wnd, WM_CHAR, 22, 1);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].code, ID_EDIT_COPY);
    EXPECT_EQ(heard[1].code, ID_EDIT_PASTE);
    EXPECT_EQ(heard[0].lParam, reinterpret_cast<LPARAM>(wnd));

    // Zoom steps as wheel notches with the right button (offered to the parent first); the zoom
    // state does not outlive them, so keys work again.
    struct Zoom {
        UINT ch;
        int scale;
    } zooms[] = {{'a', 1100}, {'s', 990}, {'+', 1089}, {'-', 980}, {'A', 1078}, {'S', 970}};
    for (const Zoom& z : zooms) {
        heard.clear();
        SendMessageA(wnd, WM_CHAR, z.ch, 1);
        EXPECT_EQ(Scale(), z.scale) << static_cast<char>(z.ch);
        ASSERT_FALSE(heard.empty());
        EXPECT_EQ(heard[0].keys, MK_RBUTTON);
        EXPECT_EQ(reinterpret_cast<VkiDra*>(dra)->m_iWheelZoom, 0);
    }
    ASSERT_EQ(VkeDraSetScale(dra, 1, 1), 0);
    heard.clear();
    SendMessageA(wnd, WM_CHAR, 'x', 1);
    LRESULT ime = SendMessageA(wnd, WM_IME_CHAR, 0x82A0, 1); // あ
    EXPECT_EQ(ime, 1);
    EXPECT_TRUE(heard.empty());
    EXPECT_EQ(GetWindowTextLengthA(wnd), 0);

    // Centre: the drawing's centre to the view's centre, the parent told as by the bars.
    const RECT c = Client();
    SendMessageA(wnd, WM_CHAR, 'c', 1);
    const int cx = 200 - (c.right + 1) / 2, cy = 150 - (c.bottom + 1) / 2;
    EXPECT_EQ(BarPos(true), cx);
    EXPECT_EQ(BarPos(false), cy);
    ASSERT_EQ(heard.size(), 4u);
    EXPECT_EQ(heard[0].code, SB_THUMBPOSITION);
    EXPECT_EQ(heard[0].keys, cx);
    EXPECT_EQ(heard[1].code, SB_ENDSCROLL);
    EXPECT_EQ(heard[2].msg, static_cast<UINT>(WM_VSCROLL));

    // Anchor with scale base 1: the point under the mouse goes to the view's top-left corner.
    ASSERT_EQ(VkeDraSetScaleBase(dra, 1), 0);
    ASSERT_EQ(VkeDraHScroll(dra, SB_LEFT, 0), 0);
    ASSERT_EQ(VkeDraVScroll(dra, SB_TOP, 0), 0);
    CursorAt(40, 30);
    SendMessageA(wnd, WM_CHAR, 'b', 1);
    EXPECT_EQ(DraPos().x, 40);
    EXPECT_EQ(DraPos().y, 30);
    // A small drawing: the centre's position stays inside the bar's range.
    ASSERT_EQ(VkeDraSetScale(dra, 1, 4), 0);
    heard.clear();
    SendMessageA(wnd, WM_CHAR, 'C', 1);
    ASSERT_EQ(heard.size(), 4u);
    EXPECT_EQ(heard[0].keys, 0);
    EXPECT_EQ(BarPos(true), 0);
}

TEST_F(DraInp, GrabScrollingFollowsTheMouseAndGivesItBack)
{
    ASSERT_EQ(Start([](VkeDraParam& p) { p.iGrabScroll = 1; }), 0);
    ASSERT_EQ(VkeDraHScroll(dra, SB_THUMBPOSITION, 50), 0);
    ASSERT_EQ(VkeDraVScroll(dra, SB_THUMBPOSITION, 50), 0);
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    int tracking = 0;
    VkeDraGetTrackingFlag(dra, &tracking);
    EXPECT_EQ(tracking, 1);
    EXPECT_EQ(GetCapture(), wnd);
    SendMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(80, 90));
    EXPECT_EQ(DraPos().x, 70);
    EXPECT_EQ(DraPos().y, 60);
    // Keys and characters wait while the drawing is held.
    heard.clear();
    SendMessageA(wnd, WM_KEYDOWN, VK_LEFT, 1);
    SendMessageA(wnd, WM_CHAR, 3, 1);
    EXPECT_TRUE(heard.empty());
    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(80, 90));
    VkeDraGetTrackingFlag(dra, &tracking);
    EXPECT_EQ(tracking, 0);
    EXPECT_NE(GetCapture(), wnd);

    // Without grab scrolling a click leaves no capture behind either.
    ASSERT_EQ(VkeDraSetGrabScrollFlag(dra, 0), 0);
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_NE(GetCapture(), wnd);
    EXPECT_EQ(GetFocus(), wnd); // the click gave the area the focus
}

TEST_F(DraInp, TheWheelGoesToTheParentFirstAndZoomsWithTheRightButtonWithoutAMenu)
{
    ASSERT_EQ(Start(), 0);
    wheelAnswer = 1;
    SendMessageA(wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(BarPos(false), 0); // the parent took it
    wheelAnswer = 0;
    SendMessageA(wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
    EXPECT_EQ(BarPos(false), 40);

    HMENU menu = CreateMenu(), popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "item");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "popup");
    ASSERT_EQ(VkeDraSetMenuHandle(dra, menu), 0);
    // Every menu that opens is counted and closed again.
    static int menus = 0;
    menus = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND open = FindWindowA("#32768", nullptr);
        if (open && IsWindowVisible(open)) {
            ++menus;
            EndMenu();
        }
    });
    SendMessageA(wnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(60, 60));
    SendMessageA(wnd, WM_MOUSEWHEEL, MAKEWPARAM(MK_RBUTTON, -120), 0);
    EXPECT_EQ(Scale(), 1100);
    SendMessageA(wnd, WM_RBUTTONUP, 0, MAKELPARAM(60, 60));
    EXPECT_EQ(menus, 0);
    // A plain right click shows the menu.
    SendMessageA(wnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(60, 60));
    SendMessageA(wnd, WM_RBUTTONUP, 0, MAKELPARAM(60, 60));
    EXPECT_EQ(menus, 1);
    KillTimer(nullptr, timer);
    VkeDraSetMenuHandle(dra, nullptr);
    DestroyMenu(menu);
}

TEST_F(DraInp, ADropPastesTheFirstImageAndEveryDropIsReleased)
{
    ASSERT_EQ(Start([](VkeDraParam& p) {
                  p.iDrawMemory = 1;
                  p.iDragAccept = 1;
              }),
              0);
    VktTempDir dir;
    HBITMAP first = VktMakeDIB(40, 30, 24), second = VktMakeDIB(10, 10, 24);
    ASSERT_EQ(VkeDrwWriteDIB(drw, (dir / "first.bmp").c_str(), nullptr, first, 0), 0);
    ASSERT_EQ(VkeDrwWriteDIB(drw, (dir / "second.bmp").c_str(), nullptr, second, 0), 0);
    DeleteObject(first);
    DeleteObject(second);
    ASSERT_TRUE(VktWriteFile(dir / "note.txt", "not an image"));
    auto drop = [this](const std::vector<std::string>& files) {
        HGLOBAL block = DropBlock(files);
        PostMessageA(wnd, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
        VktSys::Pump();
        return GlobalSize(block) == 0; // released
    };
    auto pasted = [this]() {
        int flag = -1;
        VkeDraGetPastedFlag(dra, &flag);
        return flag;
    };

    EXPECT_TRUE(drop({dir / "note.txt"}));
    EXPECT_TRUE(drop({dir.Path()}));
    EXPECT_EQ(pasted(), 0);
    EXPECT_TRUE(drop({dir / "first.bmp", dir / "second.bmp"}));
    EXPECT_EQ(pasted(), 1);
    RECT base = {}, want = {0, 0, 40, 30};
    VkeDraGetInrDraRectBas(dra, &base);
    EXPECT_TRUE(EqualRect(&base, &want));

    ASSERT_EQ(VkeDraSetDrawMemoryFlag(dra, 0), 0);
    EXPECT_TRUE(drop({dir / "second.bmp"}));
    VkeDraGetInrDraRectBas(dra, &base);
    EXPECT_TRUE(EqualRect(&base, &want)); // not opened
    EXPECT_EQ(Traced(), 0);
}

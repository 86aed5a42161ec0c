// Keys and characters in controls and the edit commands they send: commands once each, Return,
// runs undone as one step, the clipboard, password edits and Shift-JIS pairs at the input limit.
#include "VktCtl.h"
#include <string.h>
#include <string>

namespace {

class Editing : public VktCtlFixture {
protected:
    // Puts bytes on the clipboard as text; without the terminator when terminated is false.
    void SetClip(const std::string& bytes, bool terminated = true)
    {
        size_t size = bytes.size() + (terminated ? 1 : 0);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
        memcpy(GlobalLock(block), bytes.c_str(), size);
        GlobalUnlock(block);
        ASSERT_TRUE(OpenClipboard(parent));
        EmptyClipboard();
        SetClipboardData(CF_TEXT, block);
        CloseClipboard();
    }
    std::string Clip()
    {
        std::string text;
        if (!OpenClipboard(parent)) return "(busy)";
        if (HANDLE block = GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(GlobalLock(block));
            GlobalUnlock(block);
        }
        CloseClipboard();
        return text;
    }
    VkiCtl* Limited(int limit, int password = 0, DWORD style = ES_AUTOHSCROLL)
    {
        return Make(VKE_CTL_EDIT, style, "", [=](VkeCtlParam& p) {
            p.iMaxInputLength = limit;
            p.iPasswordChar = password;
        });
    }
    void Select(HWND wnd, int start, int end) { SendMessageA(wnd, EM_SETSEL, start, end); }
};

using Commands = std::vector<std::pair<UINT, HWND>>;

} // namespace

TEST_F(Editing, EditKeysSendTheirCommandOnce)
{
    VkiCtl* edit = Make(VKE_CTL_EDIT, ES_AUTOHSCROLL, "", [](VkeCtlParam& p) { strcpy(p.amDataValue, "abcdef"); });
    VkiCtl* box = Make(VKE_CTL_BUTTON, BS_AUTOCHECKBOX, "box");
    ASSERT_TRUE(edit && box);
    HWND wnd = Wnd(edit);
    const struct {
        UINT vk;
        char ch;
        UINT id;
    } keys[] = {{'Z', 0x1A, ID_EDIT_UNDO}, {'Y', 0x19, ID_EDIT_REDO}, {'X', 0x18, ID_EDIT_CUT},
                {'C', 0x03, ID_EDIT_COPY}, {'V', 0x16, ID_EDIT_PASTE}};
    for (const auto& k : keys) {
        SCOPED_TRACE(k.vk);
        for (HWND target : {wnd, Wnd(box)}) {
            Focus(target);
            log.notices.clear();
            Hold({VK_CONTROL});
            Key(target, k.vk); // as the keyboard gives it: the key, then its character
            Type(target, std::string(1, k.ch));
            Hold({});
            EXPECT_EQ(log.Commands(), (Commands{{k.id, target}}));
        }
    }
    EXPECT_EQ(Text(wnd), "abcdef");

    // Delete sends clear for a selection; with Shift or Ctrl, like Ctrl+Backspace, it does nothing.
    Focus(wnd);
    Select(wnd, 1, 3);
    log.notices.clear();
    Key(wnd, VK_DELETE);
    EXPECT_EQ(log.Commands(), (Commands{{ID_EDIT_CLEAR, wnd}}));
    log.notices.clear();
    Select(wnd, 1, 1);
    for (int modifier : {VK_SHIFT, VK_CONTROL}) {
        Hold({modifier});
        Key(wnd, VK_DELETE);
        Type(wnd, "\b");
    }
    Hold({});
    Type(wnd, "\x7f");
    EXPECT_TRUE(log.notices.empty());
    EXPECT_EQ(Text(wnd), "abcdef");

    // Before Init the window's own handling is all there is.
    VkiCtl* bare = nullptr;
    ASSERT_EQ(VkeCtlAlloc(sys, VKE_CTL_EDIT, &bare), 0);
    made.push_back(bare);
    ASSERT_EQ(VkeCtlCreate(bare, "", WS_VISIBLE, 10, 500, 200, 24, parent, 99), 0);
    Focus(Wnd(bare));
    Type(Wnd(bare), "ab");
    EXPECT_EQ(Text(Wnd(bare)), "ab");
    Type(Wnd(bare), "\x1a"); // the window's own undo
    EXPECT_TRUE(log.Commands().empty());
    EXPECT_EQ(Traced(), 0);
}

TEST_F(Editing, RunsAtOnePlaceAreUndoneAsOneStep)
{
    RunEditCommands();
    VkiCtl* edit = Make(VKE_CTL_EDIT, ES_AUTOHSCROLL);
    ASSERT_NE(edit, nullptr);
    HWND wnd = Wnd(edit);
    Focus(wnd);
    Type(wnd, "abc");
    Type(wnd, "\x1a"); // Ctrl+Z: the parent runs VkeCtlEditUnd
    EXPECT_EQ(Text(wnd), "");
    int redo = -1;
    EXPECT_EQ(VkeCtlGetEditRdoFlag(edit, &redo), 0);
    EXPECT_EQ(redo, 1);
    Type(wnd, "\x19");
    EXPECT_EQ(Text(wnd), "abc");

    Select(wnd, 1, 1);
    Key(wnd, VK_DELETE);
    Key(wnd, VK_DELETE);
    EXPECT_EQ(Text(wnd), "a");
    Type(wnd, "\x1a");
    EXPECT_EQ(Text(wnd), "abc");
    EXPECT_EQ(Selection(wnd), "1,3"); // what the run removed
    Type(wnd, "\x19");
    EXPECT_EQ(Text(wnd), "a");

    Select(wnd, 1, 1);
    Type(wnd, "bcdef");
    Type(wnd, "\b\b\b");
    EXPECT_EQ(Text(wnd), "abc");
    Type(wnd, "\x1a");
    EXPECT_EQ(Text(wnd), "abcdef");
    for (int rc : rcs) EXPECT_EQ(rc, 0);

    // Shift-JIS: a pair is one character; a lead byte without its trail byte and a trail byte
    // alone are no characters.
    Select(wnd, 6, 6);
    Type(wnd, "\x82\xa0");
    Type(wnd, "\x82" "1");
    Type(wnd, "\x80\xb1");
    EXPECT_EQ(Text(wnd), "abcdefあ1ｱ");
    EXPECT_EQ(Value(edit), "abcdefあ1ｱ");
    EXPECT_EQ(Traced(), 0);
}

TEST_F(Editing, CutCopyPasteAndClearThroughTheClipboard)
{
    RunEditCommands();
    VkiCtl* edit = Make(VKE_CTL_EDIT, ES_AUTOHSCROLL, "", [](VkeCtlParam& p) { strcpy(p.amDataValue, "hello world"); });
    ASSERT_NE(edit, nullptr);
    HWND wnd = Wnd(edit);
    Focus(wnd);
    Select(wnd, 0, 5);
    Type(wnd, "\x18");
    EXPECT_EQ(Text(wnd), " world");
    EXPECT_EQ(Clip(), "hello");
    Select(wnd, 6, 6);
    Type(wnd, "\x16");
    EXPECT_EQ(Text(wnd), " worldhello");
    EXPECT_EQ(Selection(wnd), "11,11");
    Select(wnd, 1, 6);
    Type(wnd, "\x03");
    EXPECT_EQ(Clip(), "world");
    Type(wnd, "\x1a");
    EXPECT_EQ(Text(wnd), " world");
    Select(wnd, 0, 1);
    Key(wnd, VK_DELETE); // clear
    EXPECT_EQ(Text(wnd), "world");
    EXPECT_EQ(rcs, (std::vector<int>{0, 0, 0, 0, 0}));
    // Nothing selected in a focused edit: nothing to copy, and the clipboard stays.
    Select(wnd, 2, 2);
    EXPECT_EQ(VkeCtlEditCpy(edit), -12);
    EXPECT_EQ(Clip(), "world");
    // Without the focus the commands take the whole value.
    SetFocus(parent);
    EXPECT_EQ(VkeCtlEditCpy(edit), 0);
    EXPECT_EQ(Clip(), "world");

    // A paste keeps to the input limit and never ends in half a character, wherever it is cut.
    const struct {
        int limit;
        std::string clip;
        bool terminated;
        std::string result;
    } rows[] = {
        {5, "abcdあい", true, "abcd"},
        {5, "あいう", true, "あい"},
        {0, std::string(1022, 'a') + "あ", true, std::string(1022, 'a')},
        {0, std::string("ab") + "\x82", true, "ab"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.result.size());
        VkiCtl* limited = Limited(r.limit);
        ASSERT_NE(limited, nullptr);
        SetClip(r.clip, r.terminated);
        Focus(Wnd(limited));
        Type(Wnd(limited), "\x16");
        EXPECT_EQ(Text(Wnd(limited)), r.result);
        SetFocus(parent);
        EXPECT_EQ(Value(limited), r.result);
    }
    // A text without its terminator (the platform may end it itself, in its last byte).
    VkiCtl* open = Limited(0);
    ASSERT_NE(open, nullptr);
    SetClip("xyあ", false);
    Focus(Wnd(open));
    Type(Wnd(open), "\x16");
    EXPECT_TRUE(Text(Wnd(open)) == "xyあ" || Text(Wnd(open)) == "xy") << Text(Wnd(open));
    EXPECT_EQ(Traced(), 0);
}

TEST_F(Editing, ReturnIsSwallowedOrBecomesOk)
{
    host = Dialog();
    ASSERT_NE(host, nullptr);
    VkiCtl* single = Make(VKE_CTL_EDIT, ES_AUTOHSCROLL, "", [](VkeCtlParam& p) { strcpy(p.amDataValue, "one"); });
    // Multi-line edits scroll, or a line beyond the window's height is refused.
    const DWORD lines = ES_MULTILINE | ES_AUTOVSCROLL;
    VkiCtl* multi = Make(VKE_CTL_EDIT, lines);
    VkiCtl* wanted = Make(VKE_CTL_EDIT, lines | ES_WANTRETURN);
    VkiCtl* secret = Make(VKE_CTL_EDIT, lines | ES_WANTRETURN, "", [](VkeCtlParam& p) { p.iPasswordChar = '*'; });
    ASSERT_TRUE(single && multi && wanted && secret);
    log.notices.clear();
    Focus(Wnd(single));
    Key(Wnd(single), VK_RETURN);
    Type(Wnd(single), "\r");
    EXPECT_TRUE(log.Commands().empty());
    EXPECT_EQ(Text(Wnd(single)), "one");

    Focus(Wnd(multi));
    Key(Wnd(multi), VK_RETURN);
    Type(Wnd(multi), "\r");
    EXPECT_EQ(log.Commands(), (Commands{{IDOK, Wnd(multi)}}));
    EXPECT_EQ(Text(Wnd(multi)), "");

    for (VkiCtl* ctl : {wanted, secret}) {
        SCOPED_TRACE(ctl == secret ? "password" : "plain");
        Focus(Wnd(ctl));
        Type(Wnd(ctl), "a\rb");
        SetFocus(host);
        EXPECT_EQ(Value(ctl), "a\r\nb");
    }
    EXPECT_EQ(Text(Wnd(secret)), "*\r\n*");
    EXPECT_EQ(log.Commands().size(), 1u);
}

TEST_F(Editing, PasswordEditsKeepTheClearTextAndShowOneMaskPerByte)
{
    RunEditCommands();
    VkiCtl* secret = Limited(4, '*');
    ASSERT_NE(secret, nullptr);
    HWND wnd = Wnd(secret);
    Focus(wnd);
    Type(wnd, "abcde");
    EXPECT_EQ(Text(wnd), "****");
    EXPECT_EQ(Value(secret), "abcd");
    Type(wnd, "\b\b");
    Type(wnd, "あx"); // the pair fits, the fifth byte does not
    EXPECT_EQ(Value(secret), "abあ");
    Type(wnd, "\b");
    EXPECT_EQ(Value(secret), "ab");
    EXPECT_EQ(Text(wnd), "**");
    SendMessageA(wnd, WM_IME_CHAR, 0x82A2, 1); // い from an input method
    EXPECT_EQ(Value(secret), "abい");
    EXPECT_EQ(Selection(wnd), "4,4");
    Select(wnd, 2, 2);
    Key(wnd, VK_DELETE);
    EXPECT_EQ(Value(secret), "ab");
    Type(wnd, "\x1a");
    EXPECT_EQ(Value(secret), "abい");
    // The platform's own paste would put clear text into the window: it is refused.
    SendMessageA(wnd, WM_PASTE, 0, 0);
    SetFocus(parent);
    EXPECT_EQ(Text(wnd), "****");
    EXPECT_EQ(Value(secret), "abい");
}

TEST_F(Editing, JapaneseCharactersArriveWholeAtTheLimitToo)
{
    VkiCtl* typed = Limited(5);
    VkiCtl* ime = Limited(3);
    ASSERT_TRUE(typed && ime);
    Focus(Wnd(typed));
    Type(Wnd(typed), "あいう");
    EXPECT_EQ(Text(Wnd(typed)), "あい");
    Type(Wnd(typed), "xえ");
    EXPECT_EQ(Text(Wnd(typed)), "あいx");

    Focus(Wnd(ime));
    for (WPARAM ch : {0x82A0, 0x82A2, 0x7A}) SendMessageA(Wnd(ime), WM_IME_CHAR, ch, 1);
    VktSys::Pump(); // the platform turns each into its WM_CHAR bytes
    EXPECT_EQ(Text(Wnd(ime)), "あz");
    SetFocus(parent);
    EXPECT_EQ(Value(typed), "あいx");
    EXPECT_EQ(Value(ime), "あz");
}

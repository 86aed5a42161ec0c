// The value cycle on real controls: typed values by EditType, the parent's messages, radio
// groups and their walk, password edits, and Shift-JIS text counted in bytes.
#include "VktCtl.h"
#include <algorithm>
#include <sstream>
#include <string.h>
#include <string>
#include <vector>

namespace {

using Cycle = VktCtlFixture;

std::string Pair(int a, int b) { return std::to_string(a) + "," + std::to_string(b); }

int Check(HWND button) { return static_cast<int>(SendMessageA(button, BM_GETCHECK, 0, 0)); }

} // namespace

TEST_F(Cycle, TypedValuesAreParsedValidatedAndFormatted)
{
    struct Row {
        int type;
        const char* format;
        const char* typed;
        int indInput;
        const char* value; // DataValue after the read
        int code, error;
        const char* shown; // the window without the focus
    } rows[] = {
        {VKE_EDIT_NONE, "", " as typed ", 0, " as typed ", 0, 0, " as typed "},
        {VKE_EDIT_TEXT, "", "  abc ", 0, "abc", 0, 0, "abc"},
        {VKE_EDIT_INT, "%,v", "1234567", 0, "1234567", 0, 0, "1,234,567"},
        {VKE_EDIT_INT, "%,v", "12x", 0, "12x", -18, 1, "12x"}, // kept as typed, in error
        {VKE_EDIT_INT, "%v", "", 0, "", -12, 0, ""},
        {VKE_EDIT_INT, "%v", "", 1, "", -14, 1, ""},
        {VKE_EDIT_DATE, "%yyyy/%mm/%dd", "2024/1/5", 0, "20240105", 0, 0, "2024/01/05"},
        {VKE_EDIT_TIME, "%hh:%nn", "9:30:00", 0, "093000", 0, 0, "09:30"},
        {VKE_EDIT_DATE, "%yyyy", "2024/13/1", 0, "2024/13/1", -21, 1, "2024/13/1"},
        {VKE_EDIT_COLOR, "%r/%g/%b", "255,0,128", 0, "255,   0, 128", 0, 0, "255/0/128"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.typed);
        VkiCtl* edit = Make(VKE_CTL_EDIT, ES_AUTOHSCROLL, "", [&](VkeCtlParam& p) {
            p.iEditType = r.type;
            strcpy(p.amEditFormat, r.format);
            p.iIndInput = r.indInput;
        });
        ASSERT_NE(edit, nullptr);
        HWND wnd = Wnd(edit);
        Focus(wnd);
        ASSERT_EQ(GetFocus(), wnd);
        SetWindowTextA(wnd, r.typed);
        Dti dti = {};
        ASSERT_EQ(VkeCtlInitDti(edit, &dti), 0);
        ASSERT_EQ(VkeCtlGetDti(edit, &dti), 0);
        EXPECT_STREQ(dti.memDataValue.pBuffer, r.value);
        EXPECT_EQ(dti.iErrorCode, r.code);
        EXPECT_EQ(dti.iError, r.error);
        // Without the focus the value is shown formatted; the typed text stays the editing text.
        SetFocus(parent);
        ASSERT_EQ(VkeCtlSetDti(edit, &dti, 0), 0);
        EXPECT_EQ(Text(wnd), r.shown);
        EXPECT_EQ(DtiOf(edit).iFormat, 1);
        EXPECT_EQ(VkeCtlTermDti(edit, &dti), 0);
    }

    // A text that parses to the value the control holds leaves it unmodified.
    VkiCtl* number = Make(VKE_CTL_EDIT, 0, "", [](VkeCtlParam& p) {
        p.iEditType = VKE_EDIT_INT;
        strcpy(p.amEditFormat, "%,v");
        strcpy(p.amDataValue, "1234");
    });
    EXPECT_EQ(Text(Wnd(number)), "1,234");
    int modified = -1;
    EXPECT_EQ(VkeCtlGetModifiedFlag(number, &modified), 0);
    EXPECT_EQ(modified, 0);
    Focus(Wnd(number));
    SetWindowTextA(Wnd(number), "1,234");
    EXPECT_EQ(VkeCtlGetModifiedFlag(number, &modified), 0);
    EXPECT_EQ(modified, 0);
    SetWindowTextA(Wnd(number), "1235");
    EXPECT_EQ(VkeCtlGetModifiedFlag(number, &modified), 0);
    EXPECT_EQ(modified, 1);
    EXPECT_EQ(Value(number), "1235");

    // Setters: an equal value does nothing; bad arguments are refused.
    log.notices.clear();
    EXPECT_EQ(VkeCtlSetDataValue(number, "1235", 1), 0);
    EXPECT_TRUE(log.notices.empty());
    EXPECT_EQ(VkeCtlSetEditType(number, 0, 0), -9);
    EXPECT_EQ(VkeCtlSetEditType(number, 22, 0), -9);
    EXPECT_EQ(VkeCtlSetMaxInputLength(number, 1024, 0), -9);
    EXPECT_EQ(VkeCtlSetPasswordChar(number, 0x82, 0), -9);
    EXPECT_EQ(VkeCtlSetDataValue(number, "1", 2), -9);
}

TEST_F(Cycle, TheParentMayTakeOverEitherStep)
{
    VkiCtl* edit = Make(VKE_CTL_EDIT, 0, "", [](VkeCtlParam& p) { strcpy(p.amDataValue, "old"); });
    HWND wnd = Wnd(edit);
    Focus(wnd);
    SetWindowTextA(wnd, "typed");
    log.notices.clear();
    log.wndToDti = 1;
    EXPECT_EQ(Value(edit), "old"); // the parent answered: it did the read itself
    ASSERT_EQ(log.Count(VkeWmWndToDti), 1);
    EXPECT_EQ(log.notices[0].wParam, reinterpret_cast<WPARAM>(edit));
    EXPECT_EQ(reinterpret_cast<Dti*>(log.notices[0].lParam), &DtiOf(edit)); // the Ctd begins with the Dti

    log.wndToDti = 0;
    log.dtiToWnd = 1;
    SetFocus(parent);
    EXPECT_EQ(VkeCtlSetDataValue(edit, "new", 0), 0);
    EXPECT_EQ(Text(wnd), "typed"); // the parent did the write
    EXPECT_EQ(Value(edit), "new");

    // A parent that reads the control from inside its answer gets no second notice.
    log.dtiToWnd = 0;
    log.notices.clear();
    std::string seen;
    log.inside = [&](UINT msg, WPARAM, LPARAM) {
        if (msg == VkeWmWndToDti) seen = Value(edit);
    };
    EXPECT_EQ(Value(edit), "new");
    EXPECT_EQ(seen, "new");
    EXPECT_EQ(log.Count(VkeWmWndToDti), 1);
    log.inside = nullptr;
}

TEST_F(Cycle, RadioGroupWalkAndValue)
{
    VkiCtl* one = Make(VKE_CTL_BUTTON, BS_AUTORADIOBUTTON | WS_GROUP, "one");
    HWND lookalike = Plain("Edit", ES_CENTER | ES_UPPERCASE, "edit"); // low style bits 9 too
    VkiCtl* two = Make(VKE_CTL_BUTTON, BS_AUTORADIOBUTTON, "two");
    HWND loose = Plain("Button", BS_AUTORADIOBUTTON, "not an engine control");
    VkiCtl* three = Make(VKE_CTL_BUTTON, BS_AUTORADIOBUTTON, "three");
    HWND after = Plain("Button", BS_AUTOCHECKBOX | WS_GROUP, "next group");
    ASSERT_TRUE(one && two && three);

    HWND cursor = nullptr;
    std::vector<HWND> walk;
    while (VkeCtlSchAutoRdoBtn(one, &cursor, 1) == 0) walk.push_back(cursor);
    EXPECT_EQ(walk, (std::vector<HWND>{Wnd(two), Wnd(three)}));
    EXPECT_EQ(cursor, nullptr);
    walk.clear();
    while (VkeCtlSchAutoRdoBtn(one, &cursor, 0) == 0) walk.push_back(cursor);
    EXPECT_EQ(walk, (std::vector<HWND>{Wnd(two), loose, Wnd(three)}));
    cursor = after; // not in the group
    EXPECT_EQ(VkeCtlSchAutoRdoBtn(one, &cursor, 0), -12);
    EXPECT_EQ(cursor, nullptr);
    EXPECT_EQ(VkeCtlSchAutoRdoBtn(one, nullptr, 0), -9);
    VkiCtl* box = Make(VKE_CTL_BUTTON, BS_AUTOCHECKBOX, "box");
    EXPECT_EQ(VkeCtlSchAutoRdoBtn(box, &cursor, 0), -7);
    EXPECT_EQ(GetWindowTextLengthA(lookalike), 4); // left alone

    // "1" on a button checks it, clears the rest and tells the parent once per engine button.
    SendMessageA(loose, BM_SETCHECK, BST_CHECKED, 0);
    log.notices.clear();
    ASSERT_EQ(VkeCtlSetDataValue(two, "1", 0), 0);
    EXPECT_EQ(Pair(Check(Wnd(one)), Check(Wnd(two))) + Pair(Check(loose), Check(Wnd(three))), "0,10,0");
    ASSERT_EQ(log.Count(VkeWmSetChk), 3);
    std::string notices;
    for (const auto& n : log.notices)
        if (n.msg == VkeWmSetChk)
            notices += (n.wParam == reinterpret_cast<WPARAM>(two) ? "two" : "other") + std::to_string(n.lParam) + " ";
    EXPECT_EQ(notices, "two1 other0 other0 ");
    EXPECT_EQ(Value(one) + Value(two) + Value(three), "010");

    // The states and plain flags of one button go to the group.
    ASSERT_EQ(VkeCtlSetDataFlag(one, 0), 0);
    EXPECT_EQ(DtiOf(three).iData, 0);
    ASSERT_EQ(VkeCtlSetEditType(three, VKE_EDIT_INT, 0), 0);
    EXPECT_EQ(DtiOf(one).iEditType, VKE_EDIT_INT);
    ASSERT_EQ(VkeCtlSetDataValue(one, "1", 0), 0);
    EXPECT_EQ(Value(one) + Value(two) + Value(three), "100");
    EXPECT_EQ(VkeCtlSetDataValue(one, "2", 0), -9);

    // A disabled button's group is walked from the first usable one after it; a hidden member
    // is passed over as the platform's order passes it.
    ASSERT_EQ(VkeCtlSetDataFlag(one, 1), 0);
    EnableWindow(Wnd(one), FALSE);
    ShowWindow(Wnd(three), SW_HIDE);
    SendMessageA(loose, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(Wnd(three), BM_SETCHECK, BST_CHECKED, 0);
    ASSERT_EQ(VkeCtlSetDataValue(one, "1", 0), 0);
    EXPECT_EQ(Pair(Check(Wnd(one)), Check(Wnd(two))) + Pair(Check(loose), Check(Wnd(three))), "1,00,1");
    ASSERT_EQ(VkeCtlSetDataFlag(one, 0), 0);
    EXPECT_EQ(Pair(DtiOf(two).iData, DtiOf(three).iData), "0,1");
}

// The group the setters reach is the platform's group order from the button, whether the engine
// reads it from the group's ends or, where the order wraps round the list or meets a control
// parent, walks it: the buttons a "1" unchecks are those VkeCtlSchAutoRdoBtn hands out, and a
// state set on the button reaches the engine buttons among them. Each row is a layout of one
// container's windows: S the button set, R engine and r plain auto radio buttons, e an edit,
// c a control parent; g WS_GROUP, h hidden, d disabled.
TEST_F(Cycle, TheGroupIsThePlatformsGroupOrder)
{
    const char* rows[] = {"Sg R R eg",      "Rg R S r eg",   "Rgh R S rd R eg", "Rg Rd S Rh eg", "Sg R R",
                          "R S R eg",       "Rg S e R eg",   "eg Rg S R eg Rg R", "Rg S cg R",   "Rg S c R eg",
                          "Rgd S R eg",     "Sgd R r eg",    "Rg Rh Rd S eg",   "Sg eg",         "Rg S Rg R"};
    int n = 0;
    for (const char* row : rows) {
        SCOPED_TRACE(row);
        host = CreateWindowA("Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 600, 580, parent, nullptr, nullptr, nullptr);
        nextY = 0;
        VkiCtl* self = nullptr;
        std::vector<HWND> radios;
        std::vector<VkiCtl*> engine;
        std::istringstream tokens(row);
        for (std::string token; tokens >> token;) {
            const char kind = token[0];
            const auto has = [&](char flag) { return token.find(flag, 1) != std::string::npos; };
            const DWORD style = (has('g') ? WS_GROUP : 0) | (has('d') ? WS_DISABLED : 0);
            HWND wnd = nullptr;
            if (kind == 'S' || kind == 'R') {
                VkiCtl* ctl = Make(VKE_CTL_BUTTON, BS_AUTORADIOBUTTON | style, "radio");
                ASSERT_NE(ctl, nullptr);
                wnd = Wnd(ctl);
                if (kind == 'S') self = ctl;
                else engine.push_back(ctl);
            } else {
                const char* cls = kind == 'r' ? "Button" : kind == 'e' ? "Edit" : "Static";
                wnd = CreateWindowExA(kind == 'c' ? WS_EX_CONTROLPARENT : 0, cls, "",
                                      WS_CHILD | WS_VISIBLE | style | (kind == 'r' ? BS_AUTORADIOBUTTON : 0), 330,
                                      nextY, 200, 24, host, nullptr, nullptr, nullptr);
                nextY += 28;
            }
            if (has('h')) ShowWindow(wnd, SW_HIDE);
            if (kind == 'S' || kind == 'R' || kind == 'r') radios.push_back(wnd);
        }
        ASSERT_NE(self, nullptr);
        std::vector<HWND> walk;
        for (HWND cursor = nullptr; VkeCtlSchAutoRdoBtn(self, &cursor, 0) == 0;) walk.push_back(cursor);
        // Every button on, then the set one's "1": the others of its group go off.
        ASSERT_EQ(VkeCtlSetDataValue(self, "0", 0), 0);
        for (HWND r : radios) SendMessageA(r, BM_SETCHECK, BST_CHECKED, 0);
        ASSERT_EQ(VkeCtlSetDataValue(self, "1", 0), 0);
        std::vector<HWND> off;
        for (HWND r : radios)
            if (Check(r) == BST_UNCHECKED) off.push_back(r);
        std::sort(walk.begin(), walk.end());
        std::sort(off.begin(), off.end());
        EXPECT_EQ(off, walk);
        // A state set on the button reaches the engine buttons of the walk.
        for (VkiCtl* c : engine) DtiOf(c).iData = 1;
        ASSERT_EQ(VkeCtlSetDataFlag(self, 0), 0);
        for (VkiCtl* c : engine)
            EXPECT_EQ(DtiOf(c).iData, std::binary_search(walk.begin(), walk.end(), Wnd(c)) ? 0 : 1);
        ShowWindow(host, SW_HIDE);
        ++n;
    }
    EXPECT_EQ(n, static_cast<int>(sizeof(rows) / sizeof(rows[0])));
    host = nullptr;
}

TEST_F(Cycle, PasswordEditsShowOneMaskPerByte)
{
    VkiCtl* secret = Make(VKE_CTL_EDIT, 0, "", [](VkeCtlParam& p) { p.iPasswordChar = '*'; });
    HWND wnd = Wnd(secret);
    ASSERT_EQ(VkeCtlSetDataValue(secret, "あ", 0), 0);
    EXPECT_EQ(Text(wnd), "**");
    EXPECT_EQ(Value(secret), "あ");
    BYTE ch = 0;
    EXPECT_EQ(VkeCtlGetPasswordChar(secret, &ch), 0);
    EXPECT_EQ(ch, '*');
    // A selection that starts between the two bytes starts after them; one that ends there ends
    // before them.
    SendMessageA(wnd, EM_SETSEL, 1, 2);
    int start = -1, end = -1;
    ASSERT_EQ(VkeCtlNmlSelection(secret, &start, &end), 0);
    EXPECT_EQ(Pair(start, end), "2,2");
    SendMessageA(wnd, EM_SETSEL, 0, 1);
    ASSERT_EQ(VkeCtlNmlSelection(secret, &start, &end), 0);
    EXPECT_EQ(Pair(start, end), "0,0");
    ASSERT_EQ(VkeCtlSetDataValue(secret, "a\r\nb", 0), 0);
    EXPECT_EQ(Text(wnd), "*\r\n*");
    SendMessageA(wnd, EM_SETSEL, 2, 3);
    ASSERT_EQ(VkeCtlNmlSelection(secret, &start, &end), 0);
    EXPECT_EQ(Pair(start, end), "3,3");
}

TEST_F(Cycle, ShiftJisTextIsCountedInBytes)
{
    // Selections: "日本語abc" holds 日 at 0-1, 本 at 2-3, 語 at 4-5.
    VkiCtl* edit = Make(VKE_CTL_EDIT, ES_AUTOHSCROLL, "", [](VkeCtlParam& p) { strcpy(p.amDataValue, "日本語abc"); });
    VkiCtl* combo = Make(VKE_CTL_COMBOBOX, CBS_DROPDOWN | CBS_AUTOHSCROLL, "",
                         [](VkeCtlParam& p) { strcpy(p.amDataValue, "日本語abc"); });
    for (VkiCtl* ctl : {edit, combo}) {
        int start = -1, end = -1;
        ASSERT_EQ(VkeCtlSetSelection(ctl, 2, 6), 0);
        ASSERT_EQ(VkeCtlGetSelection(ctl, &start, &end), 0);
        EXPECT_EQ(Pair(start, end), "2,6");
        SelectInfo info = {3, 100}, got = {};
        ASSERT_EQ(VkeCtlSetSelectInfo(ctl, &info), 0);
        ASSERT_EQ(VkeCtlGetSelectInfo(ctl, &got), 0);
        EXPECT_EQ(Pair(got.iStart, got.iEnd), "2,9"); // off half a character, held at the end
    }

    // Values are cut to the limit on a character boundary; a lone lead byte at the end goes.
    struct Row {
        int type, max;
        const char* value;
        int rc;
        const char* kept;
    } rows[] = {
        {VKE_CTL_EDIT, 10, "日本語テキスト", -13, "日本語テキ"},
        {VKE_CTL_EDIT, 5, "日本語", -13, "日本"},
        {VKE_CTL_COMBOBOX, 3, "あいう", -13, "あ"},
        {VKE_CTL_LISTBOX, 3, "あいう", 0, "あいう"}, // a list keeps the 1023-byte limit
        {VKE_CTL_EDIT, 0, "ab\x82", -13, "ab"},
    };
    for (const Row& r : rows) {
        VkiCtl* ctl = Make(r.type, r.type == VKE_CTL_COMBOBOX ? CBS_SIMPLE : 0, "",
                           [&](VkeCtlParam& p) { p.iMaxInputLength = r.max; });
        if (r.type == VKE_CTL_LISTBOX) SendMessageA(Wnd(ctl), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(r.value));
        EXPECT_EQ(VkeCtlSetDataValue(ctl, r.value, 0), r.rc) << r.kept;
        EXPECT_EQ(Value(ctl), r.kept);
    }

    // Input past the limit is taken back to it, in bytes, whatever the control counts in.
    VkiCtl* limited = Make(VKE_CTL_EDIT, ES_AUTOHSCROLL, "", [](VkeCtlParam& p) { p.iMaxInputLength = 6; });
    Focus(Wnd(limited));
    SendMessageA(Wnd(limited), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("日本語です"));
    EXPECT_EQ(Text(Wnd(limited)), "日本語");
    SendMessageA(Wnd(limited), EM_SETSEL, 2, 2);
    SendMessageA(Wnd(limited), WM_CHAR, 'x', 0);
    EXPECT_EQ(Text(Wnd(limited)), "日本語");
    VkiCtl* box = Make(VKE_CTL_COMBOBOX, CBS_DROPDOWN | CBS_AUTOHSCROLL, "",
                       [](VkeCtlParam& p) { p.iMaxInputLength = 4; });
    HWND part = FindWindowExA(Wnd(box), nullptr, "Edit", nullptr);
    Focus(part);
    SendMessageA(part, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("日本語"));
    EXPECT_EQ(Text(Wnd(box)), "日本");
}

TEST_F(Cycle, CandidateValuesAndValidationWithoutStoring)
{
    VkiCtl* check = Make(VKE_CTL_BUTTON, BS_AUTOCHECKBOX);
    VkiCtl* three = Make(VKE_CTL_BUTTON, BS_AUTO3STATE);
    VkiCtl* list = Make(VKE_CTL_LISTBOX, 0);
    VkiCtl* colors = Make(VKE_CTL_COMBOBOX, CBS_DROPDOWNLIST, "", [](VkeCtlParam& p) {
        p.iEditType = VKE_EDIT_COLOR;
        strcpy(p.amEditFormat, "%r/%g/%b");
    });
    VkiCtl* number = Make(VKE_CTL_EDIT, 0, "", [](VkeCtlParam& p) {
        p.iEditType = VKE_EDIT_INT;
        p.iMaxInputLength = 4;
    });
    SendMessageA(Wnd(list), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Item"));
    struct Row {
        VkiCtl* ctl;
        const char* value;
        int rc;
        const char* def;
    } rows[] = {
        {check, "2", 1, "0"}, {check, "1", 0, "0"}, {three, "2", 0, "0"},
        {list, "Item", 0, ""}, {list, "item", 1, ""}, // items compare byte for byte
        {colors, "1,2,3", 0, ""}, {colors, "1,2", 1, ""},
        {number, "12x", 0, ""}, {number, "12345", -13, ""},
    };
    for (const Row& r : rows) {
        char def[64] = "?";
        EXPECT_EQ(VkeCtlChkDataValue(r.ctl, r.value, def, sizeof(def)), r.rc) << r.value;
        EXPECT_STREQ(def, r.def) << r.value;
    }
    // A colour list shows its value formatted, adding the item it lacks.
    ASSERT_EQ(VkeCtlSetDataValue(colors, "10,20,30", 0), 0);
    EXPECT_EQ(Text(Wnd(colors)), "10/20/30");

    int code = 1;
    for (auto [value, want] : {std::pair<const char*, int>{"12", 0}, {"12x", -18}, {"", -12}}) {
        EXPECT_EQ(VkeCtlChkDtv(number, value, &code), 0);
        EXPECT_EQ(code, want) << value;
    }
    EXPECT_EQ(VkeCtlSetIndInputFlag(number, 1, 0), 0);
    EXPECT_EQ(VkeCtlChkDtv(number, "", &code), 0);
    EXPECT_EQ(code, -14);
    EXPECT_EQ(Value(number), ""); // nothing stored
}

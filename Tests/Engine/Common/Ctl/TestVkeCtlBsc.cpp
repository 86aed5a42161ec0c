// The control object: kinds, creation and adoption, styles, the parameter check, the
// window-procedure swap, Term on destruction, properties and appearance.
#include "VktCtl.h"
#include <string.h>

namespace {

using Ctl = VktCtlFixture;

LRESULT CALLBACK FirstProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SecondProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
WNDPROC g_before = nullptr;

LRESULT CALLBACK FirstProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(g_before, wnd, msg, wParam, lParam);
}
LRESULT CALLBACK SecondProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(FirstProc, wnd, msg, wParam, lParam);
}

WNDPROC ProcOf(HWND wnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd, GWLP_WNDPROC)); }
DWORD StyleOf(HWND wnd) { return static_cast<DWORD>(GetWindowLongPtrA(wnd, GWL_STYLE)); }

} // namespace

TEST_F(Ctl, EachKindIsCreatedAndAdopted)
{
    struct Row {
        int type;
        DWORD style;
        const char* cls;
    } rows[] = {
        {VKE_CTL_STATIC, SS_LEFT, "Static"},
        {VKE_CTL_EDIT, ES_AUTOHSCROLL, "Edit"},
        {VKE_CTL_BUTTON, BS_AUTOCHECKBOX, "Button"},
        {VKE_CTL_LISTBOX, LBS_NOTIFY, "ListBox"},
        {VKE_CTL_COMBOBOX, CBS_DROPDOWNLIST, "ComboBox"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.cls);
        VkiCtl* ctl = Make(r.type, r.style, "x");
        ASSERT_NE(ctl, nullptr);
        int type = 0;
        char name[32] = {};
        EXPECT_EQ(VkeCtlGetCtlType(ctl, &type), 0);
        EXPECT_EQ(type, r.type);
        GetClassNameA(Wnd(ctl), name, sizeof(name));
        EXPECT_STREQ(name, r.cls);
        EXPECT_EQ(VkeCtlGetClassName(ctl, r.type, name, sizeof(name)), 0);
        EXPECT_EQ(lstrcmpiA(name, r.cls), 0);

        // The same kind of window made elsewhere is adopted only as its own type.
        HWND plain = Plain(r.cls, r.style | WS_BORDER | WS_THICKFRAME, "y");
        VkiCtl* other = nullptr;
        ASSERT_EQ(VkeCtlAlloc(sys, r.type == VKE_CTL_STATIC ? VKE_CTL_EDIT : VKE_CTL_STATIC, &other), 0);
        EXPECT_EQ(VkeCtlSubclassWindow(other, plain), -9);
        VkeCtlFree(&other);
        VkiCtl* adopted = nullptr;
        ASSERT_EQ(VkeCtlAlloc(sys, r.type, &adopted), 0);
        made.push_back(adopted);
        ASSERT_EQ(VkeCtlSubclassWindow(adopted, plain), 0);
        EXPECT_EQ(StyleOf(plain) & (WS_BORDER | WS_THICKFRAME | WS_CHILD | WS_CLIPSIBLINGS),
                  static_cast<DWORD>(WS_CHILD | WS_CLIPSIBLINGS));
        EXPECT_EQ(VkeCtlSubclassWindow(adopted, plain), -7); // it has a window already
    }
}

TEST_F(Ctl, PushButtonsBecomeOwnerDrawnAndOtherStylesAreRefused)
{
    VkiCtl* push = Make(VKE_CTL_BUTTON, BS_PUSHBUTTON, "OK");
    EXPECT_EQ(StyleOf(Wnd(push)) & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    HWND def = Plain("Button", BS_DEFPUSHBUTTON, "Def");
    // A frame style taken away gives the window its whole rectangle as client area.
    HWND framed = Plain("Edit", WS_BORDER);
    VkiCtl* unframed = nullptr;
    ASSERT_EQ(VkeCtlAlloc(sys, VKE_CTL_EDIT, &unframed), 0);
    made.push_back(unframed);
    ASSERT_EQ(VkeCtlSubclassWindow(unframed, framed), 0);
    RECT outer = {}, inner = {};
    GetWindowRect(framed, &outer);
    GetClientRect(framed, &inner);
    EXPECT_EQ(StyleOf(framed) & (WS_BORDER | WS_CLIPSIBLINGS), static_cast<DWORD>(WS_CLIPSIBLINGS));
    EXPECT_EQ(inner.right, outer.right - outer.left);
    VkiCtl* adopted = nullptr;
    ASSERT_EQ(VkeCtlAlloc(sys, VKE_CTL_BUTTON, &adopted), 0);
    made.push_back(adopted);
    ASSERT_EQ(VkeCtlSubclassDlgItem(adopted, parent, 12345), -9); // no such item
    ASSERT_EQ(VkeCtlSubclassWindow(adopted, def), 0);
    EXPECT_EQ(StyleOf(def) & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));

    struct Row {
        int type;
        DWORD style;
        int width;
    } refused[] = {
        {VKE_CTL_BUTTON, BS_GROUPBOX, 50},       {VKE_CTL_BUTTON, BS_USERBUTTON, 50},
        {VKE_CTL_BUTTON, BS_OWNERDRAW, 50},      {VKE_CTL_LISTBOX, LBS_MULTIPLESEL, 50},
        {VKE_CTL_LISTBOX, LBS_EXTENDEDSEL, 50},  {VKE_CTL_LISTBOX, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 50},
        {VKE_CTL_COMBOBOX, 0, 50},               {VKE_CTL_COMBOBOX, CBS_DROPDOWN | CBS_OWNERDRAWFIXED, 50},
        {VKE_CTL_EDIT, 0, 0},                    // an empty rectangle
    };
    for (const Row& r : refused) {
        VkiCtl* ctl = nullptr;
        ASSERT_EQ(VkeCtlAlloc(sys, r.type, &ctl), 0);
        EXPECT_EQ(VkeCtlCreate(ctl, "", r.style, 0, 0, r.width, 20, parent, 1), -9) << r.type << " " << r.style;
        VkeCtlFree(&ctl);
    }
    // The same styles are refused on adoption.
    HWND group = Plain("Button", BS_GROUPBOX, "g");
    VkiCtl* ctl = nullptr;
    ASSERT_EQ(VkeCtlAlloc(sys, VKE_CTL_BUTTON, &ctl), 0);
    EXPECT_EQ(VkeCtlSubclassWindow(ctl, group), -9);
    EXPECT_EQ(VkeCtlFree(&ctl), 0);
    EXPECT_EQ(VkeCtlFree(&ctl), 0); // null is accepted

    for (int type : {0, 6}) EXPECT_EQ(VkeCtlAlloc(sys, type, &ctl), -9);
    ctl = push;
    EXPECT_EQ(VkeCtlAlloc(sys, VKE_CTL_EDIT, &ctl), -7);
    EXPECT_EQ(VkeCtlAlloc(nullptr, VKE_CTL_EDIT, &ctl), -9);
}

TEST_F(Ctl, ParameterCheckReportsTheFirstBadField)
{
    VkiCtl* edit = nullptr;
    ASSERT_EQ(VkeCtlAlloc(sys, VKE_CTL_EDIT, &edit), 0);
    made.push_back(edit);
    ASSERT_EQ(VkeCtlCreate(edit, "", 0, 0, 0, 100, 20, parent, 1), 0);
    HMENU bare = CreatePopupMenu();
    struct Row {
        const char* what;
        void (*tweak)(VkeCtlParam&, HMENU);
        int rc, field, messageNo;
    } rows[] = {
        {"version 0.5", [](VkeCtlParam& p, HMENU) { p.dExecVersion = 0.5; }, 0, 0, 0},
        {"version 1.5", [](VkeCtlParam& p, HMENU) { p.dExecVersion = 1.5; }, -5, 2, 17},
        {"menu without submenu", [](VkeCtlParam& p, HMENU m) { p.hMenu = m; }, -9, 5, 67},
        {"edit type 0", [](VkeCtlParam& p, HMENU) { p.iEditType = 0; }, -9, 8, 93},
        {"edit type 22", [](VkeCtlParam& p, HMENU) { p.iEditType = 22; }, -9, 8, 93},
        {"password 0x07", [](VkeCtlParam& p, HMENU) { p.iPasswordChar = 0x07; }, -9, 10, 94},
        {"password 0x82", [](VkeCtlParam& p, HMENU) { p.iPasswordChar = 0x82; }, -9, 10, 94},
        {"password *", [](VkeCtlParam& p, HMENU) { p.iPasswordChar = '*'; }, 0, 0, 0},
        {"max length 1024", [](VkeCtlParam& p, HMENU) { p.iMaxInputLength = 1024; }, -9, 11, 95},
        {"IndInput 2", [](VkeCtlParam& p, HMENU) { p.iIndInput = 2; }, -9, 12, 96},
        {"Data -1", [](VkeCtlParam& p, HMENU) { p.iData = -1; }, -9, 13, 97},
        {"CtlEditing 2", [](VkeCtlParam& p, HMENU) { p.iCtlEditing = 2; }, -9, 14, 98},
        {"CtlError 2", [](VkeCtlParam& p, HMENU) { p.iCtlError = 2; }, -9, 15, 99},
        {"CtlModified 2", [](VkeCtlParam& p, HMENU) { p.iCtlModified = 2; }, -9, 16, 100},
        {"PriorityError 2", [](VkeCtlParam& p, HMENU) { p.iPriorityError = 2; }, -9, 17, 101},
        {"12 characters at 10",
         [](VkeCtlParam& p, HMENU) {
             p.iMaxInputLength = 10;
             strcpy(p.amDataValue, "abcdefghijkl");
         },
         -13, 7, 13},
        {"two faults: the first", [](VkeCtlParam& p, HMENU) {
             p.iEditType = 0;
             p.iMaxInputLength = 1024;
         }, -9, 8, 93},
    };
    for (const Row& r : rows) {
        VkeCtlParam param;
        ASSERT_EQ(VkeCtlInitParam(edit, &param), 0);
        r.tweak(param, bare);
        int field = -1, messageNo = -1;
        EXPECT_EQ(VkeCtlCheckParam(edit, &param, &field, &messageNo), r.rc) << r.what;
        EXPECT_EQ(field, r.field) << r.what;
        EXPECT_EQ(messageNo, r.messageNo) << r.what;
    }
    int field = -1, messageNo = -1;
    EXPECT_EQ(VkeCtlCheckParam(edit, nullptr, &field, &messageNo), -9);
    EXPECT_EQ(field * 100 + messageNo, 159);
    // The value limit is the edit's own; a list box keeps 1023.
    VkiCtl* list = Make(VKE_CTL_LISTBOX, 0, "", [](VkeCtlParam& p) {
        p.iMaxInputLength = 10;
        strcpy(p.amDataValue, "abcdefghijkl");
    });
    EXPECT_NE(list, nullptr);
    DestroyMenu(bare);
}

TEST_F(Ctl, ProcedureSwapsUnsubclassingAndDestruction)
{
    VkiCtl* edit = Make(VKE_CTL_EDIT, 0, "a");
    HWND wnd = Wnd(edit);
    WNDPROC engine = ProcOf(wnd);
    WNDPROC previous = nullptr;
    ASSERT_EQ(VkeCtlSetWindowProc(edit, FirstProc, &previous), 0);
    EXPECT_EQ(previous, engine);
    g_before = previous;
    ASSERT_EQ(VkeCtlSetWindowProc(edit, SecondProc, &previous), 0);
    EXPECT_EQ(previous, FirstProc);
    SetWindowTextA(wnd, "through both"); // messages still reach the edit
    EXPECT_EQ(Text(wnd), "through both");
    ASSERT_EQ(VkeCtlResetWindowProc(edit), 0);
    EXPECT_EQ(ProcOf(wnd), engine);
    EXPECT_EQ(VkeCtlResetWindowProc(edit), 0); // nothing left to reset

    // An adopted window goes back with its own procedure even under a swapped one.
    HWND plain = Plain("Edit", 0, "b");
    WNDPROC own = ProcOf(plain);
    VkiCtl* adopted = nullptr;
    ASSERT_EQ(VkeCtlAlloc(sys, VKE_CTL_EDIT, &adopted), 0);
    made.push_back(adopted);
    ASSERT_EQ(VkeCtlSubclassWindow(adopted, plain), 0);
    g_before = ProcOf(plain);
    ASSERT_EQ(VkeCtlSetWindowProc(adopted, FirstProc, &previous), 0);
    HWND back = nullptr;
    ASSERT_EQ(VkeCtlUnsubclassWindow(adopted, &back), 0);
    EXPECT_EQ(back, plain);
    EXPECT_EQ(ProcOf(plain), own);

    // Destroying the window terminates the control and puts back its procedure.
    ASSERT_EQ(VkeCtlSetWindowProc(edit, FirstProc, &previous), 0);
    g_before = previous;
    DestroyWindow(wnd);
    COLORREF color = 0;
    EXPECT_EQ(VkeCtlGetTextColor(edit, &color), -6);
    EXPECT_EQ(VkeCtlDestroy(edit), 0); // no window left
    EXPECT_EQ(VkeCtlSetWindowProc(edit, FirstProc, &previous), -7);
    EXPECT_EQ(previous, nullptr);
    int field = -1, messageNo = -1;
    VkeCtlParam param;
    VkeCtlInitParam(edit, &param);
    EXPECT_EQ(VkeCtlInit(edit, &param, &field, &messageNo), -7); // no window to initialise
    EXPECT_EQ(VkeCtlSetWindowProcEdt(edit, FirstProc, &previous), -7); // not a combo box
}

TEST_F(Ctl, PropertiesFontsAndColours)
{
    VkiCtl* edit = Make(VKE_CTL_EDIT, 0, "", [](VkeCtlParam& p) { strcpy(p.amDataValue, "v"); });
    VkiCtl* button = Make(VKE_CTL_BUTTON, BS_AUTOCHECKBOX);
    char text[1024] = {};
    EXPECT_EQ(VkeCtlGetProperty(edit, VKE_PROP_NAME, text), 0);
    EXPECT_STREQ(text, "VkeCtl");
    EXPECT_EQ(VkeCtlGetName(edit, text, 4), -13);
    double version = 0;
    EXPECT_EQ(VkeCtlGetProperty(edit, VKE_PROP_VERSION, &version), 0);
    EXPECT_EQ(version, 1.0);
    version = 1.5;
    EXPECT_EQ(VkeCtlSetProperty(edit, VKE_PROP_EXEC_VERSION, &version), -5);
    int n = 0;
    EXPECT_EQ(VkeCtlGetProperty(edit, VKE_CTL_PROP_CTL_TYPE, &n), 0);
    EXPECT_EQ(n, VKE_CTL_EDIT);
    HWND wnd = nullptr;
    EXPECT_EQ(VkeCtlGetProperty(edit, VKE_CTL_PROP_EDT_WND, &wnd), -7);
    EXPECT_EQ(VkeCtlGetProperty(edit, 31, &n), -9);
    EXPECT_EQ(VkeCtlGetProperty(edit, VKE_CTL_PROP_DATA_VALUE, text), 0);
    EXPECT_STREQ(text, "v");

    // Without a parent font the control takes messages 49 and 50: "ＭＳ Ｐゴシック", 9 points.
    EXPECT_EQ(VkeCtlGetFontName(edit, text, sizeof(text)), 0);
    EXPECT_STREQ(text, "ＭＳ Ｐゴシック");
    EXPECT_EQ(VkeCtlGetFontSize(edit, &n), 0);
    EXPECT_EQ(n, 9);
    LOGFONTA lf = {};
    strcpy(lf.lfFaceName, "ＭＳ Ｐゴシック");
    EXPECT_EQ(VkeCtlSetProperty(edit, VKE_CTL_PROP_LOGFONT, &lf), 0);
    EXPECT_EQ(VkeCtlGetLogFont(edit, &lf), 0);
    EXPECT_LT(lf.lfHeight, 0); // a height left to the mapper is stored as the font's
    HFONT font = nullptr;
    EXPECT_EQ(VkeCtlGetFontHandle(edit, &font), 0);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(Wnd(edit), WM_GETFONT, 0, 0)), font);

    COLORREF color = 0;
    EXPECT_EQ(VkeCtlGetTextColor(edit, &color), 0);
    EXPECT_EQ(color, 0x000000u); // an edit's default text colour
    EXPECT_EQ(VkeCtlGetBackColor(button, &color), 0);
    EXPECT_EQ(color, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(VkeCtlSetBackColor(edit, 0x123456), 0);
    HBRUSH brush = nullptr;
    EXPECT_EQ(VkeCtlGetBackBrushHandle(edit, &brush), 0);
    LOGBRUSH lb = {};
    GetObjectA(brush, sizeof(lb), &lb);
    EXPECT_EQ(lb.lbColor, 0x123456u);

    HMENU menu = CreatePopupMenu(), bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), "m");
    EXPECT_EQ(VkeCtlSetMenuHandle(edit, menu), -9); // no submenu at position 0
    EXPECT_EQ(VkeCtlSetMenuHandle(edit, bar), 0);
    HMENU got = nullptr;
    EXPECT_EQ(VkeCtlGetProperty(edit, VKE_CTL_PROP_MENU, &got), 0);
    EXPECT_EQ(got, bar);
    DestroyMenu(bar);

    for (int flag : {2, -1}) EXPECT_EQ(VkeCtlSetCtlErrorFlag(edit, flag), -9);
    EXPECT_EQ(VkeCtlSetPriorityErrorFlag(edit, 1), 0);
    EXPECT_EQ(VkeCtlGetPriorityErrorFlag(edit, &n), 0);
    EXPECT_EQ(n, 1);

    // Term leaves the window without the control's font; the control can start again.
    VkeCtlParam param;
    int field = -1, messageNo = -1;
    VkeCtlInitParam(edit, &param);
    EXPECT_EQ(VkeCtlInit(edit, &param, &field, &messageNo), -7);
    EXPECT_EQ(VkeCtlTerm(edit), 0);
    EXPECT_EQ(SendMessageA(Wnd(edit), WM_GETFONT, 0, 0), 0);
    EXPECT_EQ(VkeCtlInit(edit, &param, &field, &messageNo), 0);
}

TEST_F(Ctl, ControlsOfOneFontRecordShareItsFontUntilTheLastLetsGo)
{
    VkiCtl* first = Make(VKE_CTL_EDIT, 0);
    VkiCtl* second = Make(VKE_CTL_COMBOBOX, CBS_DROPDOWN);
    LOGFONTA lf = {};
    lf.lfHeight = -15;
    lf.lfQuality = PROOF_QUALITY;
    strcpy(lf.lfFaceName, "Tahoma");
    ASSERT_EQ(VkeCtlSetFontByLogFont(first, &lf), 0);
    ASSERT_EQ(VkeCtlSetFontByLogFont(second, &lf), 0);
    HFONT a = nullptr, b = nullptr;
    VkeCtlGetFontHandle(first, &a);
    VkeCtlGetFontHandle(second, &b);
    EXPECT_EQ(a, b);
    // Set again, the record leaves the window as it is; each window shows the font it is said to.
    ASSERT_EQ(VkeCtlSetFontByLogFont(second, &lf), 0);
    for (VkiCtl* c : {first, second}) EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(Wnd(c), WM_GETFONT, 0, 0)), a);

    // The font outlives the first control, and goes with the last.
    VkeCtlFree(&made[0]);
    LOGFONTA read = {};
    ASSERT_EQ(GetObjectA(a, sizeof(read), &read), static_cast<int>(sizeof(read)));
    EXPECT_EQ(read.lfHeight, -15);
    EXPECT_STREQ(read.lfFaceName, "Tahoma");
    lf.lfHeight = -16;
    ASSERT_EQ(VkeCtlSetFontByLogFont(second, &lf), 0);
    VkeCtlGetFontHandle(second, &b);
    EXPECT_NE(b, a);
    EXPECT_EQ(GetObjectA(a, sizeof(read), &read), 0) << "no control shows the first record any more";
}

TEST_F(Ctl, ControlsGiveBackEveryGdiObject)
{
    // The first control creates what the platform keeps for the rest of the process.
    for (VkiCtl* c : {Make(VKE_CTL_EDIT, 0), Make(VKE_CTL_COMBOBOX, CBS_DROPDOWN)}) VkeCtlSetBackColor(c, 0x445566);
    for (VkiCtl*& c : made) VkeCtlFree(&c);
    made.clear();
    DWORD before = VktGdiObjects();
    for (int i = 0; i < 5; ++i) {
        VkiCtl* edit = Make(VKE_CTL_EDIT, 0, "", [](VkeCtlParam& p) { strcpy(p.amDataValue, "12"); });
        VkiCtl* combo = Make(VKE_CTL_COMBOBOX, CBS_DROPDOWN);
        VkeCtlSetBackColor(edit, 0x445566);
        VkeCtlSetDataValue(combo, "x", 1);
        for (VkiCtl*& c : made) VkeCtlFree(&c);
        made.clear();
        nextY = 0;
    }
    EXPECT_EQ(VktGdiObjects(), before);
}

// The dialog object: adoption, the parameter check, properties, the font it gives the dialog and
// gives back, and the GDI objects it holds.
#include "VktDlg.h"
#include <string.h>

namespace {

class DlgObject : public VktDlgFixture {};

} // namespace

TEST_F(DlgObject, ParametersAreCheckedFieldByField)
{
    ASSERT_EQ(VkeDlgAlloc(sys, &dlg), 0);
    HMENU bare = CreatePopupMenu();
    struct Row {
        const char* what;
        std::function<void(VkeDlgParam&)> edit;
        int rc, field, messageNo;
    } rows[] = {
        {"defaults", [](VkeDlgParam&) {}, 0, 0, 0},
        {"version", [](VkeDlgParam& p) { p.dExecVersion = 1.5; }, -5, 2, 17},
        {"menu without a submenu", [&](VkeDlgParam& p) { p.hMenu = bare; }, -9, 5, 67},
        {"IgnOKC", [](VkeDlgParam& p) { p.iIgnOKC = 2; }, -9, 6, 71},
        {"RetToTab", [](VkeDlgParam& p) { p.iRetToTab = -1; }, -9, 7, 72},
    };
    for (const Row& r : rows) {
        VkeDlgParam param;
        ASSERT_EQ(VkeDlgInitParam(dlg, &param), 0);
        r.edit(param);
        int field = -1, messageNo = -1;
        EXPECT_EQ(VkeDlgCheckParam(dlg, &param, &field, &messageNo), r.rc) << r.what;
        EXPECT_EQ(field, r.field) << r.what;
        EXPECT_EQ(messageNo, r.messageNo) << r.what;
    }
    int field = -1, messageNo = -1;
    EXPECT_EQ(VkeDlgCheckParam(dlg, nullptr, &field, &messageNo), -9);
    EXPECT_EQ(field, 1);
    EXPECT_EQ(messageNo, 59);
    DestroyMenu(bare);

    // Init needs a window; only a "#32770" window is adopted, once.
    VkeDlgParam param;
    VkeDlgInitParam(dlg, &param);
    EXPECT_EQ(VkeDlgInit(dlg, &param, &field, &messageNo), -7);
    EXPECT_EQ(VkeDlgSubclassWindow(dlg, GetDlgItem(wnd, IDC_PUSH)), -9);
    EXPECT_EQ(VkeDlgSubclassWindow(dlg, nullptr), -9);
    EXPECT_EQ(VkeDlgSubclassWindow(dlg, wnd), 0);
    EXPECT_EQ(VkeDlgSubclassWindow(dlg, wnd), -7);
    EXPECT_EQ(VkeDlgGetTextColor(dlg, nullptr), -6);
    EXPECT_EQ(VkeDlgInit(dlg, &param, &field, &messageNo), 0);
    EXPECT_EQ(VkeDlgInit(dlg, &param, &field, &messageNo), -7);
}

TEST_F(DlgObject, Properties)
{
    dlg = Adopt(wnd);
    char name[1024] = {};
    EXPECT_EQ(VkeDlgGetProperty(dlg, VKE_PROP_NAME, name), 0);
    EXPECT_STREQ(name, "VkeDlg");
    HWND got = nullptr;
    EXPECT_EQ(VkeDlgGetProperty(dlg, VKE_DLG_PROP_WND, &got), 0);
    EXPECT_EQ(got, wnd);
    COLORREF color = RGB(1, 2, 3);
    EXPECT_EQ(VkeDlgSetProperty(dlg, VKE_DLG_PROP_BACK_COLOR, &color), 0);
    EXPECT_EQ(VkeDlgGetBackColor(dlg, &color), 0);
    EXPECT_EQ(color, RGB(1, 2, 3));
    int flag = 2;
    EXPECT_EQ(VkeDlgSetProperty(dlg, VKE_DLG_PROP_IGN_OKC, &flag), -9);
    flag = 1;
    EXPECT_EQ(VkeDlgSetProperty(dlg, VKE_DLG_PROP_IGN_OKC, &flag), 0);
    EXPECT_EQ(VkeDlgGetProperty(dlg, VKE_DLG_PROP_RET_TO_TAB, &flag), 0);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(VkeDlgSetProperty(dlg, VKE_DLG_PROP_WND, &got), -9); // read only
    EXPECT_EQ(VkeDlgGetProperty(dlg, 13, &flag), -9);
    HMENU menu = CreateMenu();
    EXPECT_EQ(VkeDlgSetMenuHandle(dlg, menu), -9); // no submenu
    DestroyMenu(menu);
    EXPECT_EQ(VkeDlgRedraw(dlg, 2), -9);
}

TEST_F(DlgObject, TheDialogGetsItsOwnFontBack)
{
    auto own = reinterpret_cast<HFONT>(SendMessageA(wnd, WM_GETFONT, 0, 0));
    ASSERT_NE(own, nullptr);
    LOGFONTA template_ = {};
    GetObjectA(own, sizeof(template_), &template_);
    dlg = Adopt(wnd);
    LOGFONTA lf = {};
    ASSERT_EQ(VkeDlgGetLogFont(dlg, &lf), 0);
    EXPECT_STREQ(lf.lfFaceName, template_.lfFaceName); // taken from the dialog
    ASSERT_EQ(VkeDlgSetFont(dlg, lf.lfFaceName, 12), 0);
    int size = 0;
    EXPECT_EQ(VkeDlgGetFontSize(dlg, &size), 0);
    EXPECT_EQ(size, 12);
    HFONT font = nullptr;
    EXPECT_EQ(VkeDlgGetFontHandle(dlg, &font), 0);
    EXPECT_NE(font, own);
    // Whether or not the platform's dialog keeps a font set on it, after Term it has its own.
    EXPECT_EQ(VkeDlgTerm(dlg), 0);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(wnd, WM_GETFONT, 0, 0)), own);
    EXPECT_EQ(GetObjectType(own), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(VkeDlgGetFontSize(dlg, &size), -6);
    EXPECT_EQ(Traced(), 1); // the call after Term
}

TEST_F(DlgObject, DestroyingTheDialogTerminatesItAndGivesBackEveryGdiObject)
{
    auto round = [this] {
        HWND made = MakeDialog();
        VkiDlg* object = Adopt(made, [](VkeDlgParam& p) { p.uBackColor = RGB(200, 230, 250); });
        VkeDlgSetFont(object, "ＭＳ Ｐゴシック", 11);
        RedrawWindow(made, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        DestroyWindow(made);
        int flag = -1;
        EXPECT_EQ(VkeDlgGetIgnOKCFlag(object, &flag), -6);
        EXPECT_EQ(VkeDlgFree(&object), 0);
        EXPECT_EQ(object, nullptr);
    };
    round();
    DWORD before = VktGdiObjects();
    for (int i = 0; i < 5; ++i) round();
    // The platform may keep one more cached object when painting runs late on a loaded display; a
    // leak of the dialog's own objects grows by at least one a round.
    EXPECT_LT(VktGdiObjects(), before + 5);
    EXPECT_EQ(VkeDlgFree(nullptr), -9);
}

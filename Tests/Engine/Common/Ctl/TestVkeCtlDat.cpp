// A control's records, its undo history through the real engine undo records, and the font and
// colour dialogs answered as a person would.
#include "VktCtl.h"
#include "VktMsgBox.h"
#include <string.h>
#include <string>

namespace {

using Records = VktCtlFixture;

int Steps(Eui* eui) { return eui ? eui->lkiEud.iCnt : 0; }

// Undo and redo as the control's edit commands will: the present value is kept first.
int Undo(VkiSub* sub, VkiCtl* ctl)
{
    Ctd* ctd = nullptr;
    HWND wnd = nullptr;
    VkeCtlGetCtdPtr(ctl, &ctd);
    VkeCtlGetCtlHandle(ctl, &wnd);
    VkeCtlCopyDti(ctl, &ctd->cud.dtiSnap, &ctd->dti);
    return VkeSubEditUnd(sub, wnd, ctd->pEui, 14, VKE_DAT_CTL_UND, &ctd->cud, 0);
}

} // namespace

TEST_F(Records, RecordsAreCopiedDuplicatedAndFreed)
{
    VkiCtl* edit = Make(VKE_CTL_EDIT, 0, "", [](VkeCtlParam& p) { strcpy(p.amDataValue, "first"); });
    ASSERT_EQ(VkeCtlSetDataValue(edit, "second", 1), 0); // one recorded step
    Ctd* ctd = nullptr;
    ASSERT_EQ(VkeCtlGetCtdPtr(edit, &ctd), 0);
    EXPECT_EQ(Steps(ctd->pEui), 2);

    void* und = nullptr;
    ASSERT_EQ(VkeCtlAllocDat(edit, VKE_DAT_CTL_UND, &und), 0);
    EXPECT_EQ(VkeCtlAllocDat(edit, VKE_DAT_CTL_UND, &und), -7);
    ASSERT_EQ(VkeCtlCopyDat(edit, VKE_DAT_CTL_UND, und, &ctd->cud), 0);
    EXPECT_STREQ(static_cast<CtlUndDat*>(und)->dtiSnap.memDataValue.pBuffer, "first");
    EXPECT_EQ(VkeCtlFreeDat(edit, VKE_DAT_CTL_UND, &und), 0);
    EXPECT_EQ(und, nullptr);

    // A duplicate of the data carries a duplicate of its undo history.
    void* copy = nullptr;
    ASSERT_EQ(VkeCtlDupDat(edit, VKE_DAT_CTD, &copy, ctd), 0);
    auto* dup = static_cast<Ctd*>(copy);
    EXPECT_STREQ(dup->dti.memDataValue.pBuffer, "second");
    EXPECT_NE(dup->pEui, ctd->pEui);
    EXPECT_EQ(Steps(dup->pEui), 2);
    EXPECT_EQ(VkeCtlEditDat(edit, 2, VKE_DAT_CTD, &copy, nullptr), 0); // freed through the dispatch
    EXPECT_EQ(copy, nullptr);

    void* edi = nullptr;
    EXPECT_EQ(VkeCtlEditDat(edit, 1, VKE_DAT_EDI, &edi, nullptr), 0);
    EXPECT_EQ(VkeCtlEditDat(edit, 9, VKE_DAT_EDI, &edi, nullptr), -9);
    EXPECT_EQ(VkeCtlEditDat(edit, 5, VKE_DAT_EDI, &edi, nullptr), -9);
    EXPECT_EQ(VkeCtlEditDat(edit, 3, 644, &edi, nullptr), -9);
    EXPECT_EQ(VkeCtlFreeDat(edit, VKE_DAT_EDI, &edi), 0);

    // The undo history's request without a block is not handled.
    EXPECT_EQ(SendMessageA(Wnd(edit), VkeWmEudDat, 0, 0), 0);

    VkiCtl* idle = nullptr;
    ASSERT_EQ(VkeCtlAlloc(sys, VKE_CTL_EDIT, &idle), 0);
    made.push_back(idle);
    EXPECT_EQ(VkeCtlAllocDat(idle, VKE_DAT_EDI, &edi), -6);
}

TEST_F(Records, ASettersChangeIsUndoneAndRedone)
{
    VkiCtl* edit = Make(VKE_CTL_EDIT, 0, "", [](VkeCtlParam& p) {
        p.iEditType = VKE_EDIT_INT;
        strcpy(p.amEditFormat, "%,v");
        strcpy(p.amDataValue, "1000");
    });
    HWND wnd = Wnd(edit);
    EXPECT_EQ(Text(wnd), "1,000");
    log.notices.clear();
    ASSERT_EQ(VkeCtlSetDataValue(edit, "2000", 1), 0);
    EXPECT_EQ(Text(wnd), "2,000");
    ASSERT_EQ(log.Count(VkeWmSetEud), 1);
    for (const auto& n : log.notices) {
        if (n.msg == VkeWmSetEud) {
            EXPECT_EQ(reinterpret_cast<HWND>(n.wParam), wnd);
        }
    }

    ASSERT_EQ(Undo(sub, edit), 0);
    EXPECT_EQ(Text(wnd), "1,000");
    EXPECT_EQ(Value(edit), "1000");
    Ctd* ctd = nullptr;
    VkeCtlGetCtdPtr(edit, &ctd);
    ASSERT_EQ(VkeSubEditRdo(sub, wnd, ctd->pEui), 0);
    EXPECT_EQ(Text(wnd), "2,000");

    // Without the editing flag nothing is recorded; switching it back with reset starts afresh.
    ASSERT_EQ(VkeCtlSetCtlEditingFlag(edit, 0, 0), 0);
    int steps = Steps(ctd->pEui);
    ASSERT_EQ(VkeCtlSetDataValue(edit, "3000", 1), 0);
    EXPECT_EQ(Steps(ctd->pEui), steps);
    ASSERT_EQ(VkeCtlSetCtlEditingFlag(edit, 1, 1), 0);
    EXPECT_EQ(Steps(ctd->pEui), 1);

    // Property 30 sets a whole record as one step and reads it back.
    Dti dti = {};
    ASSERT_EQ(VkeCtlInitDti(edit, &dti), 0);
    ASSERT_EQ(VkeCtlGetDti(edit, &dti), 0);
    VkeSubSetAppMemStr(sub, &dti.memDataValue, "4000");
    ASSERT_EQ(VkeCtlSetProperty(edit, VKE_CTL_PROP_DTI, &dti), 0);
    EXPECT_EQ(Text(wnd), "4,000");
    EXPECT_EQ(Steps(ctd->pEui), 2);
    VkeCtlTermDti(edit, &dti);
    EXPECT_EQ(Traced(), 0);
}

TEST_F(Records, FontAndColourButtonsUseTheCommonDialogs)
{
    VkiCtl* font = Make(VKE_CTL_BUTTON, BS_PUSHBUTTON, "Font", [](VkeCtlParam& p) { p.iEditType = VKE_EDIT_FONT; });
    VkiCtl* color = Make(VKE_CTL_BUTTON, BS_PUSHBUTTON, "Colour", [](VkeCtlParam& p) { p.iEditType = VKE_EDIT_COLOR; });
    VkiCtl* plain = Make(VKE_CTL_BUTTON, BS_PUSHBUTTON, "Plain");
    Ctd* ctd = nullptr;
    {
        VktMsgBox answer({IDCANCEL});
        EXPECT_EQ(VkeCtlChooseFont(font, 0), 2);
        EXPECT_EQ(VkeCtlChooseColor(color), 2);
        EXPECT_EQ(answer.Count(), 2);
    }
    EXPECT_EQ(Value(font), "");
    {
        VktMsgBox answer({IDOK});
        EXPECT_EQ(VkeCtlChooseFont(font, 0), 0);
        EXPECT_EQ(VkeCtlChooseColor(color), 0);
    }
    // What the dialogs gave (black, and the font the platform's dialog chose) became the values,
    // each as one undoable step.
    VkeFontRec chosen;
    EXPECT_EQ(VkeSubGetFontStr(sub, Value(font).c_str(), &chosen), 0);
    EXPECT_EQ(Value(color), "  0,   0,   0");
    EXPECT_EQ(Text(Wnd(color)), "Colour"); // the caption stays the name
    for (VkiCtl* ctl : {font, color}) {
        VkeCtlGetCtdPtr(ctl, &ctd);
        EXPECT_EQ(Steps(ctd->pEui), 2);
    }
    EXPECT_EQ(VkeCtlChooseFont(plain, 0), -7);
    EXPECT_EQ(VkeCtlChooseColor(font), -7);
    EXPECT_EQ(VkeCtlChooseFont(font, 2), -9);
}

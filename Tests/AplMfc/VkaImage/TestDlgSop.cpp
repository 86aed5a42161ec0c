// The options dialog's pages: every check's boundaries, what the pages store, their choices and
// enabling, the column list, the three copies and the colours the start leaves alone.
#include "CmnRes.h"
#include "TestChildFrm.h"
#include "TestDlgSetOpt.h"
#include <commctrl.h>
#include <functional>

namespace {

// The copy shown of a page's values.
const SopBsiVal& Cur(DlgSopBsi* page) { return page->GetVal(SopCur); }
const SopPniVal& Cur(DlgSopPni* page) { return page->GetVal(SopCur); }
const SopShiVal& Cur(DlgSopShi* page) { return page->GetVal(SopCur); }

std::string WndText(HWND wnd)
{
    char text[CmnPathSize] = {};
    ::GetWindowTextA(wnd, text, sizeof(text));
    return text;
}

bool Ticked(HWND wnd) { return ::SendMessageA(wnd, BM_GETCHECK, 0, 0) == BST_CHECKED; }

} // namespace

TEST_F(SopTest, EveryCheckKeepsToItsBoundaries)
{
    VktTempDir temp;
    ASSERT_TRUE(VktWriteFile(temp / "file", "x"));
    VkeSubSetAppMemStr(theCmnAppInf.pSub, &theAppInf.sopSvi.amAtsDir, (temp / "ats").c_str());
    Open();
    const std::string longName = temp / std::string(300, 'a');
    const struct {
        int type, id;
        std::string text;
        int code;                      // the message recorded, 0 when accepted
        std::function<bool()> stored;  // what an accepted value left in the page's copy
        int first = 0;                 // a radio clicked first
    } cases[] = {
        {SopTypBsi, IDC_DLGSOPBSI_DIR, "C:\\", IDS_VKA_SOP_SPECIAL_DIR, nullptr},
        {SopTypBsi, IDC_DLGSOPBSI_DIR, temp / "file", IDS_VKA_SOP_BAD_DIR, nullptr},
        {SopTypBsi, IDC_DLGSOPBSI_DIR, longName, IDS_VKA_SOP_BAD_DIR, nullptr},
        {SopTypBsi, IDC_DLGSOPBSI_DIR, temp / "ats\\sub", IDS_VKA_SOP_UNDER_ATS, nullptr},
        {SopTypBsi, IDC_DLGSOPBSI_DIR, temp / "ats", 0, [&] { return Cur(Bsi()).strUsrDir == temp / "ats"; }},
        {SopTypBsi, IDC_DLGSOPBSI_DIR, temp / "new  ", 0, [&] { return Cur(Bsi()).strUsrDir == temp / "new"; }},
        {SopTypBsi, IDC_DLGSOPBSI_DIR, temp / "表ソ", 0, [&] { return Cur(Bsi()).strUsrDir == temp / "表ソ"; }},
        {SopTypBsi, IDC_DLGSOPBSI_DIR, "", 0, [&] { return Cur(Bsi()).strUsrDir[0] == '\0'; }},
        {SopTypPni, IDC_DLGSOPPNI_WIDTH, "0", IDS_VKA_SOP_BAD_WIDTH, nullptr},
        {SopTypPni, IDC_DLGSOPPNI_WIDTH, "1", 0, [&] { return Cur(Pni()).iWidthTmnImg == 1; }},
        // Up to the largest number the settings hold; one above is named too large.
        {SopTypPni, IDC_DLGSOPPNI_WIDTH, "2147483647", 0, [&] { return Cur(Pni()).iWidthTmnImg == 2147483647; }},
        {SopTypPni, IDC_DLGSOPPNI_WIDTH, "2147483648", IDS_VKA_SOP_BIG_WIDTH, nullptr},
        {SopTypPni, IDC_DLGSOPPNI_WIDTH, "99999999999", IDS_VKA_SOP_BIG_WIDTH, nullptr},
        {SopTypPni, IDC_DLGSOPPNI_WIDTH, "1.5", IDS_VKA_SOP_BAD_WIDTH, nullptr},
        {SopTypPni, IDC_DLGSOPPNI_WIDTH, "99999999999.0", IDS_VKA_SOP_BAD_WIDTH, nullptr},
        {SopTypPni, IDC_DLGSOPPNI_HEIGHT, "0", IDS_VKA_SOP_BAD_HEIGHT, nullptr},
        {SopTypPni, IDC_DLGSOPPNI_HEIGHT, "99999999999", IDS_VKA_SOP_BIG_HEIGHT, nullptr},
        {SopTypPni, IDC_DLGSOPPNI_CACHE, "-1", IDS_VKA_SOP_BAD_CACHE, nullptr},
        {SopTypPni, IDC_DLGSOPPNI_CACHE, "-99999999999", IDS_VKA_SOP_BAD_CACHE, nullptr},
        {SopTypPni, IDC_DLGSOPPNI_CACHE, "99,999,999,999", IDS_VKA_SOP_BIG_CACHE, nullptr},
        {SopTypPni, IDC_DLGSOPPNI_COLWIDTH, "99999999999", IDS_VKA_SOP_BIG_COLWID, nullptr},
        {SopTypPni, IDC_DLGSOPPNI_CACHE, "0", 0, [&] { return Cur(Pni()).iCntImgCacTmn == 0; }},
        {SopTypPni, IDC_DLGSOPPNI_CACHE, "1000000", 0, [&] { return Cur(Pni()).iCntImgCacTmn == 1000000; }},
        {SopTypPni, IDC_DLGSOPPNI_CACHE, "", 0, [&] { return Cur(Pni()).iCntImgCacTmn == 300; }},
        {SopTypPni, IDC_DLGSOPPNI_COLWIDTH, "-1", IDS_VKA_SOP_BAD_COLWID, nullptr},
        {SopTypPni, IDC_DLGSOPPNI_COLWIDTH, "0", 0, [&] { return Cur(Pni()).iWidthLstCol[0] == 0; }},
        {SopTypShi, IDC_DLGSOPSHI_SCALE, "0", IDS_CMN_SCA_PCT, nullptr, IDC_DLGSOPSHI_RDO_GIVEN},
        {SopTypShi, IDC_DLGSOPSHI_SCALE, "0.0001", 0,
         [&] { return Cur(Shi()).sopShi.lScaNum == 1 && Cur(Shi()).sopShi.lScaDen == 1000000; }, IDC_DLGSOPSHI_RDO_GIVEN},
        {SopTypShi, IDC_DLGSOPSHI_SCALE, "10000", 0,
         [&] { return Cur(Shi()).sopShi.lScaNum == 100 && Cur(Shi()).sopShi.lScaDen == 1; }, IDC_DLGSOPSHI_RDO_GIVEN},
        {SopTypShi, IDC_DLGSOPSHI_SCALE, "10000.0001", IDS_CMN_SCA_PCT, nullptr, IDC_DLGSOPSHI_RDO_GIVEN},
        {SopTypShi, IDC_DLGSOPSHI_SCALE, "abc", IDS_CMN_SCA_PCT, nullptr, IDC_DLGSOPSHI_RDO_GIVEN},
        {SopTypShi, IDC_DLGSOPSHI_SCALE, "1e3", IDS_CMN_SCA_PCT, nullptr, IDC_DLGSOPSHI_RDO_GIVEN},
        {SopTypShi, IDC_DLGSOPSHI_SCALE, "", 0, [&] { return Cur(Shi()).sopShi.lScaNum == 1; }, IDC_DLGSOPSHI_RDO_GIVEN},
        {SopTypShi, IDC_DLGSOPSHI_SCALE + 5, "0.5", IDS_VKA_SOP_BAD_WHEEL, nullptr},
        {SopTypShi, IDC_DLGSOPSHI_SCALE + 5, "1", 0, [&] { return Cur(Shi()).dScaleWheel == 0.01; }},
        {SopTypShi, IDC_DLGSOPSHI_SCALE + 10, "90", 0, [&] { return Cur(Shi()).sopShi.dScaleWheel == 0.9; }},
        {SopTypShi, IDC_DLGSOPSHI_SCALE + 10, "90.5", IDS_VKA_SOP_BAD_WHEEL, nullptr},
        {SopTypShi, IDC_DLGSOPSHI_SCALE + 1, "0", 84, nullptr},
        {SopTypShi, IDC_DLGSOPSHI_SCALE + 4, "-1", 87, nullptr},
        {SopTypShi, IDC_DLGSOPSHI_SCALE + 6, "0", 84, nullptr},
        {SopTypShi, IDC_DLGSOPSHI_SCALE + 9, "0", 87, nullptr},
        {SopTypShi, IDC_DLGSOPSHI_SCALE + 9, "1", 0, [&] { return Cur(Shi()).sopShi.iScrSize[3] == 1; }},
        {SopTypShi, IDC_DLGSOPSHI_SCALE + 1, "99999999999", IDS_VKA_SOP_BIG_ARROW, nullptr},
        {SopTypShi, IDC_DLGSOPSHI_SCALE + 7, "2147483648", IDS_VKA_SOP_BIG_ARROW, nullptr},
        {SopTypShi, IDC_DLGSOPSHI_SCALE + 3, "99999999999", IDS_VKA_SOP_BIG_WHLSCR, nullptr},
        {SopTypShi, IDC_DLGSOPSHI_SCALE + 9, "2147483647", 0,
         [&] { return Cur(Shi()).sopShi.iScrSize[3] == 2147483647; }},
    };
    for (const auto& c : cases) {
        DlgSop* page = dlg->GetSopPage(c.type);
        Front(c.type);
        if (c.first) VktClick(page->m_hWnd, c.first);
        TypeInto(Item(page, c.id), c.text.c_str());
        const std::string what = std::to_string(c.id) + " \"" + c.text + "\"";
        EXPECT_EQ(Check(page), c.code) << what;
        if (c.code) {
            EXPECT_EQ(dlg->GetErrorFlag(), 1) << what;
            EXPECT_EQ(page->GetCmnDlgInf().hErrWnd, Item(page, c.id)) << what;
        } else if (c.stored) {
            EXPECT_TRUE(c.stored()) << what;
        }
        // The settings back in the page, nothing in error.
        page->SetNewVal();
        dlg->SetErrorFlag(0);
    }
    // A typed folder and number are shown as they were read.
    Front(SopTypBsi);
    TypeInto(Item(Bsi(), IDC_DLGSOPBSI_DIR), (temp / "x\\..\\y  ").c_str());
    Front(SopTypShi);
    EXPECT_EQ(WndText(Item(Bsi(), IDC_DLGSOPBSI_DIR)), temp / "y");
    VktClick(Shi()->m_hWnd, IDC_DLGSOPSHI_RDO_GIVEN);
    TypeInto(Item(Shi(), IDC_DLGSOPSHI_SCALE), "50.500");
    EXPECT_EQ(Check(Shi()), 0);
    EXPECT_EQ(WndText(Item(Shi(), IDC_DLGSOPSHI_SCALE)), "50.5");
    VkeSubSetAppMemStr(theCmnAppInf.pSub, &theAppInf.sopSvi.amAtsDir, "");
}

TEST_F(SopTest, TheBasicPageStoresItsValues)
{
    Open();
    // An empty user directory is the system folder's "Usr"; the colours' use follows the boxes.
    TypeInto(Item(Bsi(), IDC_DLGSOPBSI_DIR), "");
    VktClick(Bsi()->m_hWnd, IDC_DLGSOPBSI_CLRMDF);
    VktClick(Bsi()->m_hWnd, IDC_DLGSOPBSI_SEL_CUR);
    VktClick(Bsi()->m_hWnd, IDC_DLGSOPBSI_RET_TAB);
    ASSERT_EQ(Check(Bsi()), 0);
    ASSERT_EQ(Bsi()->GetBsi(), 0);
    EXPECT_EQ(std::string(theCmnAppInf.strUsrDir), Sys("Usr"));
    EXPECT_EQ(theCmnAppInf.bCtlModified, 0);
    EXPECT_EQ(theCmnAppInf.bCtlError, 1);
    EXPECT_EQ(theAppInf.sopBsi.bClrMdf, 0);
    EXPECT_EQ(theAppInf.iOpnOnSel, 1);
    EXPECT_EQ(theCmnAppInf.bReturnToTab, 1);

    // The browser starts at the folder of a typed path that does not exist; the folder chosen
    // goes into the edit.
    VktTempDir temp;
    HWND edit = Item(Bsi(), IDC_DLGSOPBSI_DIR);
    TypeInto(edit, (temp / "nothing").c_str());
    dlg->SetModifiedFlag(0);
    const std::string name = temp.Path().substr(temp.Path().rfind('\\') + 1);
    {
        // The browser belongs to the main window; the answerer looks for the topmost enabled
        // "#32770", which the options dialog must not be meanwhile.
        dlg->EnableWindow(FALSE);
        VktMsgBox answer({IDOK});
        answer.OnOpen = [&](HWND browser) {
            for (int i = 0; i < 1500 && VktSelectedFolder(browser) != name; ++i) {
                VktPump();
                Sleep(20);
            }
        };
        Bsi()->SendMessage(WM_COMMAND, IDC_DLGSOPBSI_BROWSE);
        EXPECT_EQ(answer.Count(), 1);
        dlg->EnableWindow(TRUE);
    }
    VktPump();
    EXPECT_EQ(WndText(edit), temp.Path());
    EXPECT_EQ(dlg->GetModifiedFlag(), 1);
    SetCurrentDirectoryA(Sys("").c_str());

    // The radios stand for 1, 2 and 3.
    for (int id : {IDC_DLGSOPBSI_SEL_LAST, IDC_DLGSOPBSI_SEL_FIRST, IDC_DLGSOPBSI_SEL_CUR}) {
        VktClick(Bsi()->m_hWnd, id);
        EXPECT_EQ(Cur(Bsi()).iOpnOnSel, id - IDC_DLGSOPBSI_SEL_CUR + 1);
    }

    // Closing the reopening disables its two boxes and keeps their values.
    EXPECT_FALSE(Enabled(Bsi(), IDC_DLGSOPBSI_OPNLCK));
    VktClick(Bsi()->m_hWnd, IDC_DLGSOPBSI_OPNOPD);
    ASSERT_TRUE(Enabled(Bsi(), IDC_DLGSOPBSI_OPNLCK));
    VktClick(Bsi()->m_hWnd, IDC_DLGSOPBSI_OPNLCK);
    VktClick(Bsi()->m_hWnd, IDC_DLGSOPBSI_OPNLCD);
    VktClick(Bsi()->m_hWnd, IDC_DLGSOPBSI_OPNOPD);
    EXPECT_FALSE(Enabled(Bsi(), IDC_DLGSOPBSI_OPNLCK));
    EXPECT_FALSE(Enabled(Bsi(), IDC_DLGSOPBSI_OPNLCD));
    EXPECT_FALSE(Ticked(Item(Bsi(), IDC_DLGSOPBSI_OPNLCK)));
    EXPECT_TRUE(Ticked(Item(Bsi(), IDC_DLGSOPBSI_OPNLCD)));
    ASSERT_EQ(Check(Bsi()), 0);
    EXPECT_EQ(Cur(Bsi()).sopBsi.bOpnLck, 0);
    EXPECT_EQ(Cur(Bsi()).sopBsi.bOpnLcd, 1);
    EXPECT_EQ(Cur(Bsi()).sopBsi.bOpnOpd, 0);
}

TEST_F(SopTest, TheStartLeavesTheEnginesStateColoursAlone)
{
    const COLORREF mine = RGB(1, 2, 3);
    ASSERT_EQ(theCmnSub.SetColor(theCmnAppInf.strColor[0], CmnPathSize, mine), 0);
    ASSERT_EQ(VkeDrwSetErrorColor(theCmnAppInf.pDrw, mine), 0);
    Open();
    COLORREF error = 0;
    ASSERT_EQ(VkeDrwGetErrorColor(theCmnAppInf.pDrw, &error), 0);
    EXPECT_EQ(error, mine);
    // The initial values still hold the built-in colour.
    COLORREF initial = 0;
    ASSERT_EQ(theCmnSub.GetColor(Bsi()->GetVal(SopIni).strColor[0], &initial), 0);
    EXPECT_EQ(initial, static_cast<COLORREF>(0x5A78FF));
    // Applied, a colour becomes the engine's.
    Command(IDC_DLGSETOPT_INIVAL);
    Command(IDC_DLGSETOPT_APPLY);
    ASSERT_EQ(VkeDrwGetErrorColor(theCmnAppInf.pDrw, &error), 0);
    EXPECT_EQ(error, static_cast<COLORREF>(0x5A78FF));
}

TEST_F(SopTest, TheThreeCopiesAndTheValueButtons)
{
    theCmnAppInf.iCntImgCacTmn = 700;
    Open();
    Front(SopTypPni);
    HWND cache = Item(Pni(), IDC_DLGSOPPNI_CACHE);
    TypeInto(cache, "500");
    EXPECT_EQ(dlg->GetModifiedFlag(), 1) << "typing is a change";
    dlg->SetModifiedFlag(0);
    Command(IDC_DLGSETOPT_INIVAL);
    EXPECT_EQ(WndText(cache), "300");
    EXPECT_EQ(Cur(Pni()).iCntImgCacTmn, 300);
    EXPECT_EQ(dlg->GetModifiedFlag(), 1) << "loaded values are a change";
    Command(IDC_DLGSETOPT_RUNVAL);
    EXPECT_EQ(WndText(cache), "700");
    theCmnAppInf.iCntImgCacTmn = 900;
    Command(IDC_DLGSETOPT_NEWVAL);
    EXPECT_EQ(WndText(cache), "900");
    EXPECT_EQ(Pni()->GetVal(SopRun).iCntImgCacTmn, 700);
    EXPECT_EQ(Pni()->GetVal(SopIni).iCntImgCacTmn, 300);
    EXPECT_EQ(Pni()->CopyPni(SopCur, SopIni), 0);
    EXPECT_EQ(Cur(Pni()).iCntImgCacTmn, 300);
    EXPECT_EQ(Pni()->CopyPni(3, 0), -9);
    EXPECT_EQ(Pni()->CopyPni(0, -1), -9);
}

TEST_F(SopTest, TheColumnListKeepsTheNameAndGivesTheColumnsInOrder)
{
    theCmnAppInf.lscFii.iIdxLstColTyp = 2;
    theCmnAppInf.lscFii.bAscent = 0;
    const LscFii start = theCmnAppInf.lscFii;
    Open();
    Front(SopTypPni);
    HWND list = Item(Pni(), IDC_DLGSOPPNI_COLUMNS);
    ASSERT_EQ(ListView_GetItemCount(list), 6);
    // The name is ticked again at once; the others go.
    for (int line = 0; line < 6; ++line) ListView_SetCheckState(list, line, FALSE);
    VktPump();
    EXPECT_TRUE(ListView_GetCheckState(list, 0));
    ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
    TypeInto(Item(Pni(), IDC_DLGSOPPNI_COLWIDTH), "80");
    ASSERT_EQ(Check(Pni()), 0);
    ASSERT_EQ(Pni()->GetPni(), 0);
    const LscFii& f = theCmnAppInf.lscFii;
    EXPECT_EQ(f.iCntLstColTyp, 1);
    EXPECT_EQ(std::vector<int>(f.iTypLstCol, f.iTypLstCol + 6), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(std::vector<int>(f.iWidthLstCol, f.iWidthLstCol + 6), (std::vector<int>{80, 120, 120, 120, 120, 120}));
    EXPECT_EQ(f.iIdxLstColTyp, 0);
    EXPECT_EQ(f.bAscent, 1);

    // Moves: the name down one place, a hidden column shown. The buttons follow the line.
    theCmnAppInf.lscFii = start;
    Pni()->SetNewVal();
    ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_FALSE(Enabled(Pni(), IDC_DLGSOPPNI_UP));
    EXPECT_FALSE(Enabled(Pni(), IDC_DLGSOPPNI_SHOW));
    EXPECT_FALSE(Enabled(Pni(), IDC_DLGSOPPNI_HIDE));
    VktClick(Pni()->m_hWnd, IDC_DLGSOPPNI_DOWN);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 1);
    ListView_SetItemState(list, 5, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(Enabled(Pni(), IDC_DLGSOPPNI_SHOW));
    EXPECT_FALSE(Enabled(Pni(), IDC_DLGSOPPNI_DOWN));
    VktClick(Pni()->m_hWnd, IDC_DLGSOPPNI_SHOW);
    VktClick(Pni()->m_hWnd, IDC_DLGSOPPNI_UP);
    ASSERT_EQ(Check(Pni()), 0);
    ASSERT_EQ(Pni()->GetPni(), 0);
    // Shown: 種類, 名前, サイズ, 更新日時, then 作成日時 moved above アクセス日時 (hidden).
    EXPECT_EQ(f.iCntLstColTyp, 5);
    EXPECT_EQ(std::vector<int>(f.iTypLstCol, f.iTypLstCol + 6), (std::vector<int>{2, 1, 3, 5, 6, 4}));
    EXPECT_EQ(f.iIdxLstColTyp, 1);
}

// The width box belongs to the line it shows the width of: a click on the list's empty space
// (no line selected any more) or on another line keeps a width typed for it.
TEST_F(SopTest, ATypedColumnWidthStaysWithItsLine)
{
    Open();
    Front(SopTypPni);
    HWND list = Item(Pni(), IDC_DLGSOPPNI_COLUMNS);
    HWND width = Item(Pni(), IDC_DLGSOPPNI_COLWIDTH);
    ListView_SetItemState(list, 3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    TypeInto(width, "80");
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    VktPump();
    ASSERT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), -1);
    EXPECT_EQ(Check(Pni()), 0);
    EXPECT_EQ(dlg->GetErrorFlag(), 0);
    EXPECT_EQ(Cur(Pni()).iWidthLstCol[3], 80);
    // Typed, then another line picked: the width stays with the line it was typed for.
    ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(WndText(width), "120");
    TypeInto(width, "64");
    ListView_SetItemState(list, 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(WndText(width), "120");
    EXPECT_EQ(Check(Pni()), 0);
    ASSERT_EQ(Pni()->GetPni(), 0);
    const LscFii& f = theCmnAppInf.lscFii;
    EXPECT_EQ(std::vector<int>(f.iWidthLstCol, f.iWidthLstCol + 4), (std::vector<int>{120, 64, 120, 80}));
}

TEST_F(SopTest, RepeatedColumnKindsAreWrittenOnceEachAndNothingBeyondTheColumns)
{
    LscFii& f = theCmnAppInf.lscFii;
    const int repeated[CmnLstColCnt] = {1, 1, 2, 3, 4, 5};
    memcpy(f.iTypLstCol, repeated, sizeof(repeated));
    for (int i = 0; i < CmnLstColCnt; ++i) f.iWidthLstCol[i] = 60 + i;
    f.iCntLstColTyp = 6;
    const SetSci after = theCmnAppInf.setSci;
    Open();
    Front(SopTypPni);
    ASSERT_EQ(Pni()->GetPni(), 0);
    EXPECT_EQ(memcmp(&theCmnAppInf.setSci, &after, sizeof(after)), 0) << "the settings after the columns";
    EXPECT_EQ(f.iCntLstColTyp, 5);
    EXPECT_EQ(std::vector<int>(f.iTypLstCol, f.iTypLstCol + 6), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(std::vector<int>(f.iWidthLstCol, f.iWidthLstCol + 6), (std::vector<int>{60, 62, 63, 64, 65, 120}));
}

TEST_F(SopTest, TheDisplayPagesChoices)
{
    Open();
    Front(SopTypShi);
    const struct {
        int id, mode;
    } radios[] = {{IDC_DLGSOPSHI_RDO_WND, 2}, {IDC_DLGSOPSHI_RDO_GIVEN, 1}, {IDC_DLGSOPSHI_RDO_LRG, 3}};
    for (const auto& r : radios) {
        VktClick(Shi()->m_hWnd, r.id);
        EXPECT_EQ(Cur(Shi()).sopShi.iModeSca, r.mode);
        EXPECT_EQ(Enabled(Shi(), IDC_DLGSOPSHI_SCALE), r.mode == 1);
    }
    // The pen style while the frame is not inverted.
    EXPECT_FALSE(Enabled(Shi(), IDC_DLGSOPSHI_PEN));
    VktClick(Shi()->m_hWnd, IDC_DLGSOPSHI_INVCLR);
    ASSERT_TRUE(Enabled(Shi(), IDC_DLGSOPSHI_PEN));
    EXPECT_TRUE(Enabled(Shi(), IDC_DLGSOPSHI_COLOR));
    HWND pen = Item(Shi(), IDC_DLGSOPSHI_PEN);
    EXPECT_EQ(::SendMessageA(pen, CB_GETCOUNT, 0, 0), 5);
    dlg->SetModifiedFlag(0);
    ::SendMessageA(pen, CB_SETCURSEL, 3, 0);
    ::SendMessageA(Shi()->m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_DLGSOPSHI_PEN, CBN_SELCHANGE), reinterpret_cast<LPARAM>(pen));
    EXPECT_EQ(dlg->GetModifiedFlag(), 1);
    ASSERT_EQ(Check(Shi()), 0);
    ASSERT_EQ(Shi()->GetShi(), 0);
    EXPECT_EQ(theAppInf.sopShi.iStylePenFrm, 3);
    EXPECT_EQ(theAppInf.sopShi.iModeSca, 3);
    EXPECT_EQ(theAppInf.sopShi.bInvClrFrm, 0);
    // The four scroll steps not shown keep what the settings hold.
    EXPECT_EQ(theCmnAppInf.iScrSize[4], 1);
    EXPECT_EQ(theCmnAppInf.iScrSize[6], 3);

    // Enter and Esc act on the dialog.
    Shi()->SendMessage(WM_COMMAND, IDCANCEL);
    VktPump();
    EXPECT_FALSE(dlg->IsWindowVisible());
}


// The scale dialog driven as a person would (forms chosen by clicks, values typed, OK or
// "閉じる" pressed, messages answered), its refusals, and the About box.
#include "CmnDlgSetSca.h"
#include "TestCmnDlg.h"

namespace {

// A person's step at a box before its button is pressed.
using Step = std::function<void(HWND box)>;

struct Outcome {
    int rc = 99;
    int num = -1, den = -1;
    std::vector<VktMsgBox::Box> seen;
};

// The scale dialog through the application object: steps[i] runs at the i-th box that opens
// (the dialog, a message, the dialog again), then buttons[i] is pressed.
Outcome RunScale(int decimals, int width, int height, std::vector<Step> steps, std::initializer_list<int> buttons)
{
    Outcome out;
    VktMsgBox answer(buttons);
    size_t next = 0;
    answer.OnOpen = [&](HWND box) {
        if (next < steps.size() && steps[next]) steps[next](box);
        ++next;
    };
    out.rc = CmnGetApp()->ShowSetScaDlg(decimals, width, height, &out.num, &out.den);
    out.seen = answer.Seen();
    return out;
}

HWND Item(HWND box, int id) { return ::GetDlgItem(box, id); }

void Click(HWND box, int id)
{
    ::SendMessageA(Item(box, id), BM_CLICK, 0, 0);
    PumpPending();
}

Step Type(int id, const char* text)
{
    return [id, text](HWND box) { TypeInto(Item(box, id), text); };
}

std::string Msg(int id) { return std::string(theCmnSub.GetMsgStr(id)); }

} // namespace

TEST_F(DlgTest, FiftyPercentGivesOneHalfAndIsKept)
{
    Outcome out = RunScale(4, 200, 100, {Type(IDC_CMN_EDT_1, "50")}, {IDOK});
    EXPECT_EQ(out.rc, 0);
    EXPECT_EQ(out.num, 1);
    EXPECT_EQ(out.den, 2);
    ASSERT_EQ(out.seen.size(), 1u);
    EXPECT_EQ(out.seen[0].caption, "倍率指定");
    const SetSci& kept = theCmnAppInf.setSci;
    EXPECT_EQ(kept.iTypSca, 1);
    EXPECT_EQ(kept.dScale, 0.5);
    EXPECT_EQ(kept.iWidth, 100);
    EXPECT_EQ(kept.iHeight, 50);

    // "閉じる" keeps nothing and gives 2 with 0 / 1.
    out = RunScale(4, 200, 100, {Type(IDC_CMN_EDT_1, "75")}, {IDCANCEL});
    EXPECT_EQ(out.rc, 2);
    EXPECT_EQ(out.num, 0);
    EXPECT_EQ(out.den, 1);
    EXPECT_EQ(theCmnAppInf.setSci.dScale, 0.5);
}

TEST_F(DlgTest, TheSizeFormWithHeightEnablesOnlyTheHeightEditAndDividesByTheSourceHeight)
{
    std::vector<int> enabled;
    Step choose = [&](HWND box) {
        Click(box, IDC_CMN_RDO_3);
        Click(box, IDC_CMN_RDO_5);
        for (int id = IDC_CMN_EDT_1; id <= IDC_CMN_EDT_5; ++id) enabled.push_back(::IsWindowEnabled(Item(box, id)) ? 1 : 0);
        TypeInto(Item(box, IDC_CMN_EDT_5), "50");
    };
    Outcome out = RunScale(4, 400, 200, {choose}, {IDOK});
    EXPECT_EQ(enabled, (std::vector<int>{0, 0, 0, 0, 1}));
    EXPECT_EQ(out.rc, 0);
    EXPECT_EQ(out.num, 50);
    EXPECT_EQ(out.den, 200);
    const SetSci& kept = theCmnAppInf.setSci;
    EXPECT_EQ(kept.iTypSca, 3);
    EXPECT_EQ(kept.bWidth, 0);
    EXPECT_EQ(kept.iWidth, 100);
    EXPECT_EQ(kept.iHeight, 50);
    EXPECT_EQ(kept.dScale, 0.25);

    // The next run starts in that form with the focus on the height edit.
    HWND focus = nullptr, height = nullptr;
    out = RunScale(4, 400, 200, {[&](HWND box) {
                       focus = ::GetFocus();
                       height = Item(box, IDC_CMN_EDT_5);
                   }},
                   {IDCANCEL});
    EXPECT_EQ(focus, height);
}

TEST_F(DlgTest, WrongValuesShowTheirMessageAndKeepTheDialogOpen)
{
    const struct {
        const char* what;
        int form; // the radio to click first, 0 for none
        int edit;
        const char* text;
        int message;
        int width, height;
        int shown = 0; // the edit the error is shown on, when not the one typed into
    } cases[] = {
        {"letters", 0, IDC_CMN_EDT_1, "abc", VKE_ERR_DBL, 100, 100},
        {"empty", 0, IDC_CMN_EDT_1, "", IDS_CMN_SCA_PCT, 100, 100},
        {"too large", 0, IDC_CMN_EDT_1, "10000.1", IDS_CMN_SCA_PCT, 100, 100},
        {"too small", 0, IDC_CMN_EDT_1, "0.00005", IDS_CMN_SCA_PCT, 100, 100},
        {"below a pixel", 0, IDC_CMN_EDT_1, "0.0001", IDS_CMN_SCA_SMALL, 100, 100},
        {"no int", IDC_CMN_RDO_2, IDC_CMN_EDT_2, "99999999999", VKE_ERR_INT, 100, 100},
        {"denominator 0", IDC_CMN_RDO_2, IDC_CMN_EDT_3, "0", IDS_CMN_SCA_DEN, 100, 100},
        {"fraction below a pixel", IDC_CMN_RDO_2, IDC_CMN_EDT_3, "1000", IDS_CMN_SCA_SMALL, 100, 100, IDC_CMN_EDT_2},
        {"width 0", IDC_CMN_RDO_3, IDC_CMN_EDT_4, "0", IDS_CMN_SCA_WIDTH, 100, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        theCmnAppInf.setSci = SetSci{1, 1, 1, 1.0, 1, 1, 1};
        HWND focus = nullptr, edit = nullptr;
        Step enter = [&](HWND box) {
            if (c.form) Click(box, c.form);
            TypeInto(Item(box, c.edit), c.text);
        };
        Step again = [&](HWND box) {
            focus = ::GetFocus();
            edit = Item(box, c.shown ? c.shown : c.edit);
        };
        Outcome out = RunScale(4, c.width, c.height, {enter, nullptr, again}, {IDOK, IDOK, IDCANCEL});
        EXPECT_EQ(out.rc, 2);
        ASSERT_EQ(out.seen.size(), 3u);
        EXPECT_EQ(out.seen[1].text, Msg(c.message));
        EXPECT_EQ(focus, edit) << "the wrong value's edit has the focus";
        EXPECT_EQ(theCmnAppInf.setSci.dScale, 1.0);
    }
}

TEST_F(DlgTest, StoredScalesOutOfRangeStartAtOneAndHalfAPixelIsRefused)
{
    for (double stored : {0.0, 200.0, 100.0}) {
        SCOPED_TRACE(stored);
        theCmnAppInf.setSci = SetSci{1, 1, 1, stored, 1, 1, 1};
        Outcome out = RunScale(4, 100, 100, {}, {IDOK});
        EXPECT_EQ(out.rc, 0);
        EXPECT_EQ(out.num, stored == 100.0 ? 100 : 1);
        EXPECT_EQ(out.den, 1);
    }
    // Half of a single pixel is no pixel a page can show: refused, nothing kept.
    theCmnAppInf.setSci = SetSci{1, 1, 1, 1.0, 1, 1, 1};
    Outcome out = RunScale(4, 1, 1, {Type(IDC_CMN_EDT_1, "50")}, {IDOK, IDOK, IDCANCEL});
    EXPECT_EQ(out.rc, 2);
    ASSERT_EQ(out.seen.size(), 3u);
    EXPECT_EQ(out.seen[1].text, Msg(IDS_CMN_SCA_SMALL));
    EXPECT_EQ(theCmnAppInf.setSci.dScale, 1.0);
}

TEST_F(DlgTest, AScaleTheDialogAcceptsIsOneTheAreaShows)
{
    // The dialog sizes as the area does (each side truncated): what it accepts the area applies,
    // what would leave a side below one pixel it refuses with 27593, in any form.
    TestDlg* d = OpenDlg();
    ASSERT_TRUE(d);
    const struct {
        const char* what;
        int form; // the radio to click first, 0 for none
        int edit;
        const char* text;
        int num, den; // the area's scale after it: 0 when refused
    } cases[] = {
        {"0.3 % of 400 x 300", 0, IDC_CMN_EDT_1, "0.3", 0, 0},
        {"0.5 % of 400 x 300", 0, IDC_CMN_EDT_1, "0.5", 1, 200},
        {"1 / 301", IDC_CMN_RDO_2, IDC_CMN_EDT_3, "301", 0, 0},
        {"1 / 300", IDC_CMN_RDO_2, IDC_CMN_EDT_3, "300", 1, 300},
        {"one pixel wide", IDC_CMN_RDO_3, IDC_CMN_EDT_4, "1", 0, 0},
        {"two pixels wide", IDC_CMN_RDO_3, IDC_CMN_EDT_4, "2", 2, 400},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        theCmnAppInf.setSci = SetSci{1, 1, 1, 1.0, 1, 1, 1};
        PumpPending(); // the focus the last dialog gave back
        FocusItem(d->m_hWnd, d->AreaWnd());
        d->SendMessage(WM_COMMAND, ID_CMN_SCA_100);
        const bool refused = c.num == 0;
        std::vector<VktMsgBox::Box> seen;
        {
            // Answered only while the dialog can open: the test dialog is a dialog window too.
            VktMsgBox answer(refused ? std::initializer_list<int>{IDOK, IDOK, IDCANCEL} : std::initializer_list<int>{IDOK});
            bool typed = false;
            answer.OnOpen = [&](HWND box) {
                if (typed) return;
                typed = true;
                if (c.form) Click(box, c.form);
                TypeInto(Item(box, c.edit), c.text);
            };
            EXPECT_EQ(d->SetScaleByDlg(4), refused ? VKE_CANCELLED : VKE_OK);
            seen = answer.Seen();
        }
        PumpPending();
        FocusItem(d->m_hWnd, d->AreaWnd());
        int num = 0, den = 0;
        EXPECT_EQ(d->GetScale(&num, &den), 0);
        if (refused) {
            ASSERT_EQ(seen.size(), 3u);
            EXPECT_EQ(seen[1].text, Msg(IDS_CMN_SCA_SMALL));
            EXPECT_EQ(num, den) << "the area keeps its scale";
        } else {
            EXPECT_EQ(seen.size(), 1u);
            EXPECT_EQ(num * c.den, den * c.num) << num << "/" << den;
        }
    }

    // The picture of the report: 0.1 % of 1200 x 800 is refused, as 0.0001 % is.
    for (const char* pct : {"0.1", "0.0001"}) {
        theCmnAppInf.setSci = SetSci{1, 1, 1, 1.0, 1, 1, 1};
        Outcome out = RunScale(4, 1200, 800, {Type(IDC_CMN_EDT_1, pct)}, {IDOK, IDOK, IDCANCEL});
        ASSERT_EQ(out.seen.size(), 3u) << pct;
        EXPECT_EQ(out.seen[1].text, Msg(IDS_CMN_SCA_SMALL)) << pct;
        EXPECT_EQ(theCmnAppInf.setSci.dScale, 1.0) << pct;
    }
}

TEST_F(DlgTest, RefusedParametersOrAMissingControlEndTheDialogWithNothingLeft)
{
    int num = -1, den = -1;
    EXPECT_EQ(app->ShowSetScaDlg(7, 10, 10, &num, &den), -9);
    EXPECT_EQ(num, 0);
    EXPECT_EQ(den, 1);
    EXPECT_EQ(app->ShowSetScaDlg(4, 0, 5, &num, &den), -9);
    EXPECT_EQ(Traced("SetParam"), 2);

    CmnDlgSetSca plain(main);
    EXPECT_EQ(plain.DoModal(), 3) << "without its parameters";
    EXPECT_EQ(Traced("OnInitDialog"), 1);

    // A template without the "縦" radio: the start fails and says so; nothing stays behind.
    auto run = [this] {
        CmnDlgSetSca broken(IDD_TSCA_BAD, main);
        broken.SetParam(4, 100, 100);
        VktMsgBox answer({IDOK});
        INT_PTR rc = broken.DoModal();
        EXPECT_EQ(rc, 3);
        EXPECT_EQ(answer.Count(), 1);
        if (answer.Count()) {
            EXPECT_EQ(answer.Seen()[0].text, Msg(IDS_CMN_SYS_MEMORY));
        }
    };
    run();
    PumpPending();
    DWORD before = VktGdiObjects();
    run();
    PumpPending();
    EXPECT_EQ(VktGdiObjects(), before);
}

// At its end the dialog takes its engine controls' windows down with it: none stays, nothing is
// traced and every GDI object they held goes back.
TEST_F(DlgTest, TheDialogsEndTakesItsControlsAlongAndGivesBackTheirGdiObjects)
{
    std::vector<HWND> items;
    Step keep = [&items](HWND box) {
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) items.push_back(c);
        TypeInto(Item(box, IDC_CMN_EDT_1), "50");
    };
    RunScale(4, 200, 100, {keep}, {IDOK}); // the shared fonts made once
    PumpPending();
    const DWORD before = VktGdiObjects();
    const size_t traced = main->traces.size();
    items.clear();
    Outcome out = RunScale(4, 200, 100, {keep}, {IDOK});
    PumpPending();
    EXPECT_EQ(out.rc, 0);
    ASSERT_FALSE(items.empty());
    for (HWND c : items) EXPECT_FALSE(IsWindow(c));
    EXPECT_EQ(VktGdiObjects(), before);
    EXPECT_EQ(main->traces.size(), traced);
}

TEST_F(DlgTest, TheAboutBoxNamesTheProgramAndItsVersion)
{
    VktMsgBox answer({IDOK});
    app->OnCmdMsg(ID_APP_ABOUT, CN_COMMAND, nullptr, nullptr);
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_EQ(answer.Seen()[0].caption, "Pictavo のバージョン情報");
    // The texts follow the icon's static.
    const std::string texts = "Pictavo\nバージョン 1.11\n" + Msg(IDS_CMN_ABT_NOTE);
    const std::string& seen = answer.Seen()[0].text;
    EXPECT_EQ(seen.substr(seen.size() - std::min(seen.size(), texts.size())), texts);
}

// The customisable tool bar: its table and records, saved arrangements, the customisation dialog
// of the platform's common controls answered as a person would, and the docked layout.
#include "TestCmnBar.h"
#include <algorithm>

namespace {

// Controls of the platform's customisation dialog.
const int kDlgAvailable = 201; // buttons not on the bar (and a separator)
const int kDlgOnBar = 203;     // buttons on the bar
const int kDlgReset = 202;
const int kDlgRemove = 204;
const int kDlgHelp = 205;

void Command(HWND dialog, int id, int code)
{
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// The lines of the dialog's two lists.
struct Lists {
    LRESULT available, onBar;
};
Lists ListsOf(HWND dialog)
{
    return {::SendDlgItemMessageA(dialog, kDlgAvailable, LB_GETCOUNT, 0, 0),
            ::SendDlgItemMessageA(dialog, kDlgOnBar, LB_GETCOUNT, 0, 0)};
}

// count dialogs were answered, and the last of them is gone.
bool Closed(const VktMsgBox& answer, int count)
{
    return answer.Count() == count && !::IsWindow(answer.Seen().back().hwnd);
}

// The first button on the bar removed as the user does it.
void RemoveFirst(HWND dialog)
{
    ::SendDlgItemMessageA(dialog, kDlgOnBar, LB_SETCURSEL, 0, 0);
    Command(dialog, kDlgOnBar, LBN_SELCHANGE);
    Command(dialog, kDlgRemove, BN_CLICKED);
}

// ids first, first + 1, ... as a bar's buttons.
void SetButtons(CToolBar& bar, int count, UINT first)
{
    std::vector<UINT> ids(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) ids[static_cast<size_t>(i)] = first + static_cast<UINT>(i);
    ASSERT_TRUE(bar.SetButtons(ids.data(), count));
}

} // namespace

class TlbTest : public BarTest {
protected:
    TestTlb& Bar() { return bars->m_wndToolBar; }
    static std::vector<int> Ids(std::initializer_list<int> ids) { return ids; }
};

TEST_F(TlbTest, InitTakesOneToHundredButtons)
{
    Bri first = MakeBri({50000, 0, 50001});
    static const struct {
        int buttons, rc;
    } cases[] = {{0, -1}, {101, -1}, {100, 0}, {1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.buttons);
        TestTlb bar;
        ASSERT_TRUE(bar.CreateEx(bars));
        if (c.buttons) SetButtons(bar, c.buttons, 50000);
        EXPECT_EQ(bar.Init(&first, nullptr), c.rc);
        EXPECT_EQ(bar.IsInit(), c.rc == 0);
        if (c.rc == 0) {
            EXPECT_EQ(bar.Ids()[0], 50000); // no separator on this bar
        }
    }
    EXPECT_TRUE(Traced("Init"));

    // Nothing works before Init; Init once, with a default.
    const struct {
        const char* name;
        int (*call)(TestTlb&);
    } idle[] = {{"SetBri", [](TestTlb& b) { return b.SetBri(0); }},
                {"GetBri", [](TestTlb& b) { return b.GetBri(0); }},
                {"Customize", [](TestTlb& b) { return b.Customize(); }}};
    for (const auto& call : idle) {
        EXPECT_EQ(call.call(Bar()), -6) << call.name;
        EXPECT_TRUE(Traced(call.name)) << call.name;
    }
    EXPECT_EQ(Bar().Init(nullptr, nullptr), -9);
    EXPECT_EQ(Bar().Init(&kResource, nullptr), 0);
    EXPECT_EQ(Bar().Init(&kResource, nullptr), -7);
    // The window's end ends the bar.
    Bar().DestroyWindow();
    EXPECT_FALSE(Bar().IsInit());
}

TEST_F(TlbTest, ArrangementsRoundTrip)
{
    ASSERT_EQ(Bar().Init(&kResource, nullptr), 0);
    Bri out = {};
    EXPECT_EQ(Bar().GetBri(3, &out), 0);
    EXPECT_EQ(IdsOf(out), IdsOf(kResource));

    Bri moved = MakeBri({ID_BAR_HELP, 0, ID_BAR_NEW, ID_BAR_ZOOM});
    EXPECT_EQ(Bar().SetBri(&moved), 0);
    EXPECT_EQ(Bar().Ids(), IdsOf(moved));
    EXPECT_EQ(IdsOf(Bar().Record(3)), IdsOf(moved));
    memset(&out, 0xFF, sizeof(out));
    EXPECT_EQ(Bar().GetBri(1, &out), 0);
    EXPECT_EQ(memcmp(&out, &moved, sizeof(out)), 0); // entries past the count are 0
    EXPECT_EQ(Bar().SetBri(0), 0);
    EXPECT_EQ(Bar().Ids(), IdsOf(kResource));
    EXPECT_EQ(Bar().SetBri(1), 0);
    EXPECT_EQ(Bar().Ids(), IdsOf(moved));

    // Refused, and the bar stays as it is.
    Bri negative = moved, tooMany = moved;
    negative.iCount = -1;
    tooMany.iCount = 101;
    for (int rc : {Bar().SetBri(-1), Bar().SetBri(4), Bar().GetBri(-1), Bar().GetBri(4), Bar().GetBri(0, nullptr),
                   Bar().SetBri(nullptr), Bar().SetBri(&negative), Bar().SetBri(&tooMany)})
        EXPECT_EQ(rc, -9);
    EXPECT_EQ(Bar().Ids(), IdsOf(moved));
    EXPECT_EQ(IdsOf(Bar().Record(3)), IdsOf(moved));
}

TEST_F(TlbTest, SavedArrangementsKeepToTheBarsButtons)
{
    // A bar of the same commands without separators.
    TestTlb plain;
    ASSERT_TRUE(plain.CreateEx(bars));
    SetButtons(plain, 8, ID_BAR_FIRST);
    const struct {
        const char* name;
        Bri saved;
        std::vector<int> shown, shownPlain;
    } cases[] = {
        {"an unknown id", MakeBri({ID_BAR_OPEN, 39999, ID_BAR_NEW, 0, ID_BAR_SAVE}), Ids({ID_BAR_OPEN, ID_BAR_NEW, 0, ID_BAR_SAVE}),
         Ids({ID_BAR_OPEN, ID_BAR_NEW, ID_BAR_SAVE})},
        {"repeated ids", MakeBri({ID_BAR_CUT, ID_BAR_CUT, 0, 0, ID_BAR_CUT}), Ids({ID_BAR_CUT, 0, 0}), Ids({ID_BAR_CUT})},
        {"only zeros", MakeBri({0, 0, 0}), Ids({0, 0, 0}), Ids({})},
        {"nothing", MakeBri({}), Ids({}), Ids({})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (TestTlb* bar : {&Bar(), &plain}) {
            if (bar->IsInit()) bar->SetBri(0); // all its buttons again: the next Init takes them
            bar->Term();
            ASSERT_EQ(bar->Init(&kResource, &c.saved), 0);
            std::vector<int> shown = bar == &plain ? c.shownPlain : c.shown;
            EXPECT_EQ(bar->Ids(), shown);
            EXPECT_EQ(IdsOf(bar->Record(1)), shown);
            EXPECT_EQ(IdsOf(bar->Record(2)), IdsOf(bar->Record(0))); // the default, as shown
        }
    }
    EXPECT_EQ(Traces().size(), 0u);

    // Damaged settings: the default stays.
    for (int count : {-1, 101}) {
        Bri damaged = MakeBri({ID_BAR_HELP});
        damaged.iCount = count;
        Bar().SetBri(0);
        Bar().Term();
        EXPECT_EQ(Bar().Init(&kResource, &damaged), 0);
        EXPECT_EQ(Bar().Ids(), IdsOf(kResource));
        EXPECT_EQ(IdsOf(Bar().Record(1)), IdsOf(kResource));
    }
    EXPECT_TRUE(Traced("Init"));
}

TEST_F(TlbTest, ButtonInfoGivesTheTipAfterTheLineFeed)
{
    ASSERT_EQ(Bar().Init(&kResource, nullptr), 0);
    const struct {
        int item, size;
        LRESULT answer;
        int id;
        const char* text;
    } cases[] = {
        {0, 64, TRUE, ID_BAR_NEW, "新規"},
        {3, 64, TRUE, 0, ""},                             // a separator
        {8, 64, TRUE, ID_BAR_ZOOM, "表ソ能ポ"},
        {8, 6, TRUE, ID_BAR_ZOOM, "表ソ"},                 // cut between characters
        {9, 64, TRUE, ID_BAR_HELP, "ヘルプを表示します"}, // no line feed: all of it
        {10, 64, FALSE, -1, "?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        char text[64] = "?";
        NMTOOLBARA info = {};
        info.hdr.hwndFrom = Bar().m_hWnd;
        info.hdr.idFrom = static_cast<UINT_PTR>(Bar().GetDlgCtrlID());
        info.hdr.code = TBN_GETBUTTONINFOA;
        info.iItem = c.item;
        info.tbButton.idCommand = -1;
        info.pszText = text;
        info.cchText = c.size;
        // As the control sends it: to the frame it was made in, which reflects it to the bar.
        EXPECT_EQ(bars->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info)), c.answer);
        EXPECT_EQ(info.tbButton.idCommand, c.id);
        EXPECT_STREQ(text, c.text);
    }
}

// Reset brings the bar back to the buttons it had when the dialog opened, and the dialog shows
// them: Wine's dialog fills its lists only when it opens, so it is opened again.
TEST_F(TlbTest, CustomisationResetRestoresTheArrangementAtOpen)
{
    // The docked bar notifies the frame it was made in; a bar made inside the rebar the rebar.
    TestTlb inBand;
    ASSERT_TRUE(inBand.CreateEx(&bars->m_wndReBar, TBSTYLE_FLAT | CCS_ADJUSTABLE));
    ASSERT_TRUE(inBand.LoadToolBar(IDR_TEST_BAR));
    Bri saved = MakeBri({ID_BAR_ZOOM, ID_BAR_NEW, 0, ID_BAR_SAVE});
    for (TestTlb* bar : {&Bar(), &inBand}) {
        SCOPED_TRACE(bar == &inBand ? "in the rebar" : "docked");
        ASSERT_EQ(bar->Init(&kResource, &saved), 0);
        std::vector<int> removed, current, reset;
        std::vector<Lists> shown; // what each dialog's lists held when it opened
        BOOL help = TRUE;
        VktMsgBox answer({IDCANCEL});
        answer.OnOpen = [&](HWND dialog) {
            shown.push_back(ListsOf(dialog));
            if (shown.size() > 1) return;
            help = ::IsWindowVisible(::GetDlgItem(dialog, kDlgHelp));
            // The user removes the first button, then presses Reset.
            RemoveFirst(dialog);
            removed = bar->Ids();
            current = IdsOf(bar->Record(3));
            Command(dialog, kDlgReset, BN_CLICKED);
            reset = bar->Ids();
        };
        EXPECT_EQ(bar->Customize(), 0);
        ASSERT_TRUE(VktPumpUntil([&] { return Closed(answer, 2); }));
        VktPump();
        EXPECT_EQ(answer.Count(), 2) << "opened again once";
        EXPECT_EQ(removed, Ids({ID_BAR_NEW, 0, ID_BAR_SAVE}));
        EXPECT_EQ(current, removed); // the change became the current record
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_EQ(shown[0].available, 6); // a separator and the five the bar's answers name that it lacks
        EXPECT_EQ(shown[1].available, shown[0].available) << "the dialog shows the buttons restored";
        EXPECT_EQ(shown[1].onBar, shown[0].onBar);
        EXPECT_FALSE(help);
        EXPECT_EQ(reset, IdsOf(saved)); // as when the dialog opened, not the default
        EXPECT_EQ(bar->Ids(), IdsOf(saved));
        EXPECT_EQ(IdsOf(bar->Record(2)), IdsOf(saved));
        for (UINT code : {TBN_BEGINADJUST, TBN_INITCUSTOMIZE, TBN_GETBUTTONINFOA, TBN_QUERYDELETE, TBN_TOOLBARCHANGE,
                          TBN_RESET, TBN_ENDADJUST})
            EXPECT_NE(std::find(bar->notified.begin(), bar->notified.end(), code), bar->notified.end())
                << static_cast<int>(code);
    }

    // The control opening the dialog itself (as for a double click on a button): Reset goes back
    // to what the bar showed then, not to what an earlier dialog opened with; the initial
    // arrangement stays record 0.
    Bri moved = MakeBri({ID_BAR_HELP, ID_BAR_CUT, 0, ID_BAR_OPEN});
    ASSERT_EQ(Bar().SetBri(&moved), 0);
    std::vector<int> reset;
    VktMsgBox answer({IDCANCEL});
    answer.OnOpen = [&](HWND dialog) {
        if (answer.Count() > 1) return;
        RemoveFirst(dialog);
        Command(dialog, kDlgReset, BN_CLICKED);
        reset = Bar().Ids();
    };
    Bar().SendMessage(TB_CUSTOMIZE);
    ASSERT_TRUE(VktPumpUntil([&] { return Closed(answer, 2); }));
    EXPECT_EQ(reset, IdsOf(moved));
    EXPECT_EQ(Bar().Ids(), IdsOf(moved));
    EXPECT_EQ(Bar().SetBri(0), 0);
    EXPECT_EQ(Bar().Ids(), IdsOf(kResource));
    EXPECT_EQ(Traces().size(), 0u);
}

TEST_F(TlbTest, DockedBarWrapsToTheFrame)
{
    // Before Init the framework's layout keeps one row.
    SetClientWidth(120);
    EXPECT_EQ(Bar().Rows(), 1);
    ASSERT_EQ(Bar().Init(&kResource, nullptr), 0);
    SetClientWidth(600);
    EXPECT_EQ(Bar().Rows(), 1);
    CRect wide;
    Bar().GetWindowRect(&wide);
    SetClientWidth(120);
    CRect narrow;
    Bar().GetWindowRect(&narrow);
    EXPECT_GT(Bar().Rows(), 2);
    EXPECT_GT(narrow.Height(), wide.Height());
    EXPECT_LE(narrow.Width(), 120);
    SetClientWidth(600);
    EXPECT_EQ(Bar().Rows(), 1);

    // Docked on a side, the buttons fill the frame's height in columns.
    CRect client;
    bars->GetClientRect(&client);
    CSize column = Bar().CalcDynamicLayout(-1, LM_VERTDOCK);
    EXPECT_LE(column.cy, client.Height());
    EXPECT_GT(column.cx, 0);
}

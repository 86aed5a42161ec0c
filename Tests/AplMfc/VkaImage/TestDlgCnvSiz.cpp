// The convert-size dialog driven as a person would: the form chosen by clicks, the ratio
// released, sizes typed, OK or "閉じる" pressed, messages answered.
#include "TestVkaOpn.h"
#include "CmnRes.h"
#include "DlgCnvSiz.h"
#include "HalcorRes.h"

namespace {

HWND Item(HWND box, int id) { return ::GetDlgItem(box, id); }

struct Outcome {
    INT_PTR rc = 99;
    int width = -1, height = -1;
    std::vector<VktMsgBox::Box> seen;
};

// The dialog on a source of width x height: steps[i] at the i-th box, then buttons[i].
Outcome RunCnv(int width, int height, std::vector<VktStep> steps, const std::vector<int>& buttons)
{
    Outcome out;
    DlgCnvSiz dialog;
    EXPECT_EQ(dialog.SetParam(4, width, height), 0);
    out.seen = VktDrive([&] { out.rc = dialog.DoModal(); }, steps, buttons);
    dialog.GetSize(&out.width, &out.height);
    return out;
}

// The size form with the ratio released or kept.
VktStep SizeForm(bool fixed, const char* width, const char* height)
{
    return [=](HWND box) {
        VktClick(box, IDC_CMN_RDO_3);
        if ((::IsDlgButtonChecked(box, IDC_DLGCNVSIZ_FIXSCA) == BST_CHECKED) != fixed) VktClick(box, IDC_DLGCNVSIZ_FIXSCA);
        if (width) TypeInto(Item(box, IDC_CMN_EDT_4), width);
        if (height) TypeInto(Item(box, IDC_CMN_EDT_5), height);
    };
}

std::string Msg(int id) { return std::string(theCmnSub.GetMsgStr(id)); }

} // namespace

class CnvSizTest : public OpnTest {
protected:
    void SetUp() override
    {
        OpnTest::SetUp();
        theAppInf.cnvSzi = Szi{1, 1, 1, 1.0, 1, 1, 1, 1};
    }
};

TEST_F(CnvSizTest, AReleasedRatioGivesBothSidesAsTyped)
{
    Outcome out = RunCnv(1280, 960, {SizeForm(false, "640", "100")}, {IDOK});
    EXPECT_EQ(out.rc, IDOK);
    ASSERT_EQ(out.seen.size(), 1u);
    EXPECT_EQ(out.seen[0].caption, "サイズ変換");
    EXPECT_EQ(out.width, 640);
    EXPECT_EQ(out.height, 100);
    const Szi& kept = theAppInf.cnvSzi;
    EXPECT_EQ(kept.iTypSca, 3);
    EXPECT_EQ(kept.bFixSca, 0);
    EXPECT_EQ(kept.dScale, 0.5) << "the percentage shown is the width's";
    EXPECT_EQ(kept.iWidth, 640);
    EXPECT_EQ(kept.iHeight, 100);

    // The next run starts in that form, both edits enabled, the focus on the fixed-ratio box.
    HWND focus = nullptr, box = nullptr;
    std::vector<int> enabled;
    out = RunCnv(1280, 960, {[&](HWND b) {
                     focus = ::GetFocus();
                     box = Item(b, IDC_DLGCNVSIZ_FIXSCA);
                     for (int id = IDC_CMN_EDT_1; id <= IDC_CMN_EDT_5; ++id) enabled.push_back(::IsWindowEnabled(Item(b, id)));
                 }},
                 {IDCANCEL});
    EXPECT_EQ(focus, box);
    EXPECT_EQ(enabled, (std::vector<int>{0, 0, 0, 1, 1}));
    EXPECT_EQ(out.rc, IDCANCEL);
    EXPECT_EQ(theAppInf.cnvSzi.iHeight, 100) << "閉じる keeps the record";
}

TEST_F(CnvSizTest, AFixedRatioByHeightEnablesOnlyTheHeight)
{
    std::vector<int> enabled;
    VktStep choose = [&](HWND box) {
        SizeForm(true, nullptr, nullptr)(box);
        VktClick(box, IDC_CMN_RDO_5);
        for (int id = IDC_CMN_EDT_1; id <= IDC_CMN_EDT_5; ++id) enabled.push_back(::IsWindowEnabled(Item(box, id)));
        TypeInto(Item(box, IDC_CMN_EDT_5), "480");
    };
    Outcome out = RunCnv(1280, 960, {choose}, {IDOK});
    EXPECT_EQ(enabled, (std::vector<int>{0, 0, 0, 0, 1}));
    EXPECT_EQ(out.rc, IDOK);
    EXPECT_EQ(out.width, 640);
    EXPECT_EQ(out.height, 480);
    EXPECT_EQ(theAppInf.cnvSzi.bFixSca, 1);
}

TEST_F(CnvSizTest, EachSideOfAReleasedRatioIsChecked)
{
    const struct {
        const char* what;
        const char* width;
        const char* height;
        int message;
        int focused;
    } cases[] = {
        {"height far beyond the ratio", "640", "10000000", IDS_CMN_SCA_PCT, IDC_CMN_EDT_5},
        {"width 0", "0", "100", IDS_CMN_SCA_WIDTH, IDC_CMN_EDT_4},
        {"height 0", "640", "0", IDS_CMN_SCA_HEIGHT, IDC_CMN_EDT_5},
        {"width far beyond", "99999999", "100", IDS_CMN_SCA_PCT, IDC_CMN_EDT_4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        theAppInf.cnvSzi = Szi{1, 1, 1, 1.0, 1, 1, 1, 1};
        HWND focus = nullptr, edit = nullptr;
        VktStep again = [&](HWND box) {
            focus = ::GetFocus();
            edit = Item(box, c.focused);
        };
        Outcome out = RunCnv(1280, 960, {SizeForm(false, c.width, c.height), nullptr, again}, {IDOK, IDOK, IDCANCEL});
        EXPECT_EQ(out.rc, IDCANCEL);
        ASSERT_EQ(out.seen.size(), 3u);
        EXPECT_EQ(out.seen[1].text, Msg(c.message));
        EXPECT_EQ(focus, edit);
        EXPECT_EQ(theAppInf.cnvSzi.iTypSca, 1) << "nothing kept";
    }
}

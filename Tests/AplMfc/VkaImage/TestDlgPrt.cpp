// The print dialog and the batch-print options dialog driven as a person would.
#include "TestVkaFil.h"
#include "CmnRes.h"
#include "DlgPrt.h"
#include "DlgPrtAll.h"
#include "HalcorRes.h"
#include <dlgs.h>

namespace {

SIZE SizeOf(HWND wnd)
{
    RECT r = {};
    ::GetWindowRect(wnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// A print dialog whose own start fails.
class FailingPrt : public DlgPrt {
protected:
    int Init() override { return VKE_ERR_SYSTEM; }
};

} // namespace

using PrtDlgTest = OpnTest;

TEST_F(PrtDlgTest, ThePrintDialogShowsTheProgramsButtonsAndAbortsOnlyABatch)
{
    struct Look {
        std::string ok, cancel, abort;
        int abortShown = -1;
        SIZE picture{}, template8x8{};
    } look;
    auto inspect = [&](HWND box) {
        look.ok = WndText(::GetDlgItem(box, IDOK));
        look.cancel = WndText(::GetDlgItem(box, IDCANCEL));
        look.abort = WndText(::GetDlgItem(box, IDC_DLGPRT_ABORT));
        look.abortShown = ::IsWindowVisible(::GetDlgItem(box, IDC_DLGPRT_ABORT));
        look.picture = SizeOf(::GetDlgItem(box, ico3));
        RECT units = {0, 0, 8, 8};
        ::MapDialogRect(box, &units);
        look.template8x8 = {units.right, units.bottom};
    };
    {
        DlgPrt dialog;
        VktMsgBox answer({IDOK});
        answer.OnOpen = inspect;
        ASSERT_EQ(dialog.DoModal(), IDOK);
        ASSERT_EQ(answer.Count(), 1);
        EXPECT_EQ(answer.Seen()[0].caption, "印刷");
        EXPECT_NE(dialog.GetPrinterDC(), nullptr);
        ::DeleteDC(dialog.GetPrinterDC());
        ::GlobalFree(dialog.m_pd.hDevNames);
        ::GlobalFree(dialog.m_pd.hDevMode);
    }
    EXPECT_EQ(look.ok, "実行");
    EXPECT_EQ(look.cancel, "閉じる");
    EXPECT_EQ(look.abort, "中止");
    EXPECT_EQ(look.abortShown, 0) << "no batch print runs";
    EXPECT_EQ(look.picture.cx, look.template8x8.cx + 100);
    EXPECT_EQ(look.picture.cy, look.template8x8.cy + 10);

    // During a batch print "中止" cancels this page and stops the batch.
    app->SetFlgPrtAll(1);
    DlgPrt dialog;
    VktMsgBox answer({0});
    answer.OnOpen = [&](HWND box) {
        inspect(box);
        VktClick(box, IDC_DLGPRT_ABORT);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    int aborted = 0;
    app->GetFlgPrtAbt(&aborted);
    app->SetFlgPrtAll(0);
    app->SetFlgPrtAbt(0);
    EXPECT_EQ(look.abortShown, 1);
    EXPECT_EQ(aborted, 1);
    ::GlobalFree(dialog.m_pd.hDevNames);
    ::GlobalFree(dialog.m_pd.hDevMode);

    // A start that fails says so and prints nothing.
    FailingPrt failing;
    VktMsgBox failed({IDOK, IDCANCEL});
    EXPECT_EQ(failing.DoModal(), IDCANCEL);
    ASSERT_GE(failed.Count(), 1);
    EXPECT_EQ(failed.Seen()[0].text, std::string(theCmnSub.GetMsgStr(IDS_CMN_SYS_MEMORY)));
    EXPECT_EQ(failing.GetPrinterDC(), nullptr);
    ::GlobalFree(failing.m_pd.hDevNames);
    ::GlobalFree(failing.m_pd.hDevMode);
}

TEST_F(PrtDlgTest, TheBatchOptionsKeepTheirSettingsAndCloseLockedOnlyWithClosing)
{
    theAppInf.pai = Pai{0, 0, 1, 1};
    std::vector<int> enabled, checked;
    auto look = [&](HWND box) {
        enabled.push_back(::IsWindowEnabled(::GetDlgItem(box, IDC_DLGPRTALL_CLSLCD)));
        checked.push_back(::IsDlgButtonChecked(box, IDC_DLGPRTALL_CLSLCD));
    };
    // "閉じる" changes nothing.
    {
        DlgPrtAll dialog(main);
        VktMsgBox answer({IDCANCEL});
        answer.OnOpen = [&](HWND box) { VktClick(box, IDC_DLGPRTALL_SELIMG); };
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        ASSERT_EQ(answer.Count(), 1);
        EXPECT_EQ(answer.Seen()[0].caption, "一括印刷");
    }
    EXPECT_EQ(theAppInf.pai.bSelImg, 0);

    // Unchecking closing disables the locked pages' box and keeps its value; both are stored.
    DlgPrtAll dialog(main);
    VktMsgBox answer({IDOK});
    answer.OnOpen = [&](HWND box) {
        look(box);
        VktClick(box, IDC_DLGPRTALL_PTRCLS);
        look(box);
        VktClick(box, IDC_DLGPRTALL_ONLLCD);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(enabled, (std::vector<int>{1, 0}));
    EXPECT_EQ(checked, (std::vector<int>{1, 1}));
    const Pai& pai = theAppInf.pai;
    EXPECT_EQ(std::vector<int>({pai.bSelImg, pai.bOnlLcd, pai.bPtrCls, pai.bClsLcd}), (std::vector<int>{0, 1, 0, 1}));
    theAppInf.pai = Pai();
}

// The print dialog with a template of the program, the application's printer (its pair through
// the dialog, a printer that is gone, the default one), and printing and previewing without any
// printer (TestMfcPrintNoPrinter runs those with a print server Wine cannot reach).
#include "TestMfcPrintApp.h"
#include "VktMsgBox.h"
#include "MfcPageSetup.h"
#include <dlgs.h>
#include <string.h>

namespace {

class PrintDialogTest : public PrintTest {};

class CStopPrintDialog : public CPrintDialog {
public:
    CStopPrintDialog() : CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION | PD_ENABLEPRINTTEMPLATE)
    {
        m_pd.lpPrintTemplateName = MAKEINTRESOURCEA(IDD_TESTPRINT);
    }
    int inits = 0, stops = 0;
    BOOL OnInitDialog() override
    {
        ++inits;
        return CPrintDialog::OnInitDialog();
    }

protected:
    void OnStop()
    {
        ++stops;
        PostMessage(WM_COMMAND, IDCANCEL);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStopPrintDialog, CPrintDialog)
    ON_BN_CLICKED(IDC_TEST_STOP, &ThisClass::OnStop)
END_MESSAGE_MAP()

} // namespace

TEST_F(PrintDialogTest, ATemplateButtonReachesTheMap)
{
    CStopPrintDialog dlg;
    ASSERT_TRUE(thePrintApp.GetPrinterDeviceDefaults(&dlg.m_pd));
    std::string stopText;
    WhenDialogShows([&](HWND dialog) {
        char text[32] = {};
        ::GetDlgItemTextA(dialog, IDC_TEST_STOP, text, sizeof(text));
        stopText = text;
        ::PostMessageA(::GetDlgItem(dialog, IDC_TEST_STOP), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(stopText, "中止");
    EXPECT_EQ(dlg.inits, 1);
    EXPECT_EQ(dlg.stops, 1);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_pd.hDC, nullptr);
}

TEST_F(PrintDialogTest, TheApplicationsPrinterGoesThroughTheDialogAndBack)
{
    ASSERT_TRUE(thePrintApp.GetPrinterDeviceDefaults(nullptr));
    CPrintDialog dlg(FALSE);
    AnswerPrintDialog();
    ASSERT_EQ(thePrintApp.DoPrintDialog(&dlg), IDOK);
    EXPECT_EQ(dlg.m_pd.hDevNames, thePrintApp.DevNames());
    EXPECT_EQ(dlg.m_pd.hDevMode, thePrintApp.DevMode());
    EXPECT_EQ(std::string(dlg.GetDeviceName()), "PDF");
    EXPECT_FALSE(dlg.GetPortName().IsEmpty());
    ASSERT_NE(dlg.GetDevMode(), nullptr);
    EXPECT_STREQ(reinterpret_cast<const char*>(dlg.GetDevMode()->dmDeviceName), "PDF");
    HDC returned = dlg.GetPrinterDC();
    EXPECT_EQ(::GetObjectType(returned), static_cast<DWORD>(OBJ_DC));
    HDC made = dlg.CreatePrinterDC();
    EXPECT_EQ(::GetDeviceCaps(made, TECHNOLOGY), DT_RASPRINTER);
    EXPECT_EQ(dlg.GetPrinterDC(), made);
    ::DeleteDC(returned);
    ::DeleteDC(made);
    // The blocks stay the application's.
    EXPECT_NE(::GlobalSize(thePrintApp.DevNames()), 0u);
}

TEST_F(PrintDialogTest, APrinterThatIsGoneGivesWayToTheDefault)
{
    for (bool throughDialog : {false, true}) {
        thePrintApp.SelectPrinter(AfxMakeDevNames("winspool", "VkPrinterGone", "nul"), nullptr);
        CPrintDialog dlg(FALSE);
        if (throughDialog) {
            AnswerPrintDialog();
            ASSERT_EQ(thePrintApp.DoPrintDialog(&dlg), IDOK);
            ::DeleteDC(dlg.GetPrinterDC());
        } else {
            ASSERT_TRUE(thePrintApp.GetPrinterDeviceDefaults(&dlg.m_pd));
        }
        EXPECT_EQ(std::string(dlg.GetDeviceName()), "PDF") << throughDialog;
    }
}

TEST_F(PrintDialogTest, PageSetupDefaultsAndTheShownDialog)
{
    CPageSetupDialog defaults(PSD_RETURNDEFAULT | PSD_INHUNDREDTHSOFMILLIMETERS);
    ASSERT_EQ(defaults.DoModal(), IDOK);
    CString device;
    EXPECT_TRUE(AfxGetDevNames(defaults.m_psd.hDevNames, nullptr, &device, nullptr));
    EXPECT_EQ(std::string(device), "PDF");
    ::GlobalFree(defaults.m_psd.hDevNames);
    ::GlobalFree(defaults.m_psd.hDevMode);

    class CCountedSetup : public CPageSetupDialog {
    public:
        CCountedSetup() : CPageSetupDialog(PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS) {}
        int inits = 0;
        BOOL OnInitDialog() override
        {
            ++inits;
            return CPageSetupDialog::OnInitDialog();
        }
    } shown;
    ASSERT_TRUE(thePrintApp.GetPrinterDeviceDefaults(nullptr));
    shown.m_psd.hDevNames = thePrintApp.DevNames();
    shown.m_psd.hDevMode = thePrintApp.DevMode();
    shown.m_psd.rtMargin = CRect(1000, 1500, 2000, 2500);
    WhenDialogShows([](HWND dialog) { ::PostMessageA(dialog, WM_COMMAND, IDOK, 0); });
    EXPECT_EQ(shown.DoModal(), IDOK);
    EXPECT_EQ(shown.inits, 1);
    EXPECT_EQ(shown.m_psd.rtMargin.left, 1000);
    EXPECT_EQ(shown.m_hWnd, nullptr);
    thePrintApp.SelectPrinter(shown.m_psd.hDevNames, shown.m_psd.hDevMode); // the dialog may replace them
}

// The page-setup dialog runs through its wide version: the device blocks go there and back whole,
// Shift-JIS names and the driver's own bytes included; a damaged block converts to nothing.
TEST_F(PrintDialogTest, DeviceBlocksCrossToTheWideDialogAndBackWhole)
{
    ASSERT_TRUE(thePrintApp.GetPrinterDeviceDefaults(nullptr));
    HGLOBAL mode = thePrintApp.DevMode();
    HGLOBAL wide = AfxDevModeToWide(mode), back = AfxDevModeToAnsi(wide);
    ASSERT_TRUE(back);
    ASSERT_EQ(::GlobalSize(back), ::GlobalSize(mode));
    {
        const void* a = ::GlobalLock(mode);
        const void* b = ::GlobalLock(back);
        EXPECT_EQ(memcmp(a, b, ::GlobalSize(mode)), 0);
        ::GlobalUnlock(mode);
        ::GlobalUnlock(back);
    }
    ::GlobalFree(wide);
    ::GlobalFree(back);

    const char texts[] = "winspool\0表ソ能プリンタ\0FILE:";
    HGLOBAL names = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + sizeof(texts));
    DEVNAMES* dn = static_cast<DEVNAMES*>(::GlobalLock(names));
    memcpy(dn + 1, texts, sizeof(texts));
    dn->wDriverOffset = sizeof(DEVNAMES);
    dn->wDeviceOffset = static_cast<WORD>(sizeof(DEVNAMES) + strlen(texts) + 1);
    dn->wOutputOffset = static_cast<WORD>(dn->wDeviceOffset + strlen(texts + strlen(texts) + 1) + 1);
    ::GlobalUnlock(names);
    wide = AfxDevNamesToWide(names);
    back = AfxDevNamesToAnsi(wide);
    CString driver, device, port;
    EXPECT_TRUE(AfxGetDevNames(back, &driver, &device, &port));
    EXPECT_EQ(std::string(device), "表ソ能プリンタ");
    EXPECT_EQ(std::string(port), "FILE:");
    ::GlobalFree(wide);
    ::GlobalFree(back);
    dn = static_cast<DEVNAMES*>(::GlobalLock(names));
    dn->wOutputOffset = 4000; // beyond the block
    ::GlobalUnlock(names);
    EXPECT_EQ(AfxDevNamesToWide(names), nullptr);
    ::GlobalFree(names);
}

// ---- Without a printer ----

namespace {
class NoPrinter : public PrintTest {
protected:
    void SetUp() override
    {
        char name[256] = {};
        DWORD size = sizeof(name);
        if (::GetDefaultPrinterA(name, &size)) GTEST_SKIP() << "this session has the printer " << name;
        PrintTest::SetUp();
    }
};
} // namespace

TEST_F(NoPrinter, PrintAndPreviewSayItOnceAndStartNothing)
{
    HMENU menu = ::GetMenu(frame->m_hWnd);
    VktMsgBox answer({IDOK});
    for (UINT command : {ID_FILE_PRINT_DIRECT, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW}) Command(command);
    EXPECT_EQ(view->m_log, "prepare;prepare;prepare;");
    ASSERT_EQ(answer.Count(), 3);
    for (const VktMsgBox::Box& box : answer.Seen())
        EXPECT_EQ(box.text, "プリンタが見つかりません。\n\nプリンタを設定してから、もう一度実行して下さい。");
    EXPECT_EQ(frame->GetActiveView(), view);
    EXPECT_EQ(::GetMenu(frame->m_hWnd), menu);
    EXPECT_TRUE(frame->m_wndBar.IsWindowVisible());
    EXPECT_EQ(frame->m_lpfnCloseProc, nullptr);
    EXPECT_EQ(StatusWindow(), nullptr);
}

// Dialogs from the test's templates: modal (answered by keys posted as a person would press
// them, so the application's filter and IsDialogMessage run inside the modal loop), modeless
// (destroyed from its own handler), and a dialog window made elsewhere taken over by a CDialog.
#include "TestMfcApp.h"
#include "TestMfcRes.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

void PostKey(HWND hWnd, UINT vk)
{
    ::PostMessageA(hWnd, WM_KEYDOWN, vk, 1);
    ::PostMessageA(hWnd, WM_KEYUP, vk, 0xC0000001);
}

class CTestModal : public CDialog {
public:
    CTestModal() : CDialog(IDD_TEST_MODAL) {}
    std::string log;
    CString label;
    CString typed;
    int m_nEndIn = 0; // ends from OnInitDialog with this result when not 0

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        log += "init;";
        GetDlgItemText(IDC_TEST_LABEL, label);
        if (m_nEndIn) EndDialog(m_nEndIn);
        return TRUE;
    }
    void OnOK() override
    {
        log += "ok;";
        GetDlgItemText(IDC_TEST_EDIT, typed);
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        log += "cancel;";
        CDialog::OnCancel();
    }

protected:
    void OnButton() { log += "button;"; EndDialog(77); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestModal, CDialog)
    ON_BN_CLICKED(IDC_TEST_BUTTON, &ThisClass::OnButton)
END_MESSAGE_MAP()

class CTestModeless : public CDialog {
public:
    explicit CTestModeless(bool* deleted) : m_pDeleted(deleted) {}
    ~CTestModeless() override { *m_pDeleted = true; }
    void OnCancel() override { DestroyWindow(); }

protected:
    void PostNcDestroy() override { delete this; }

private:
    bool* m_pDeleted;
};

// Presses keys in the dialog's focused control.
void AnswerWith(UINT vk, const char* typeText = nullptr)
{
    WhenDialogShows([vk, typeText](HWND dialog) {
        if (typeText) ::SetDlgItemTextA(dialog, IDC_TEST_EDIT, typeText);
        HWND focus = ::GetFocus();
        PostKey(focus ? focus : dialog, vk);
    });
}

} // namespace

TEST(MfcDialog, ModalOkRunsTheApplicationFilter)
{
    CTestModal dlg;
    theTestApp.keysSeen.clear();
    AnswerWith(VK_RETURN, "表ソ能ポ");
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.log, "init;ok;");
    EXPECT_EQ(dlg.label, CString("表示ソ能ポ"));
    EXPECT_EQ(dlg.typed, CString("表ソ能ポ"));
    EXPECT_NE(theTestApp.keysSeen.find(static_cast<char>(VK_RETURN)), std::string::npos);
    EXPECT_EQ(dlg.m_hWnd, nullptr); // destroyed before DoModal returned
}

// The characters an edit of a modal dialog is given, byte by byte.
std::vector<WPARAM> g_chars;
WNDPROC g_editProc = nullptr;
LRESULT CALLBACK RecordChars(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CHAR) g_chars.push_back(wParam);
    return ::CallWindowProcA(g_editProc, hWnd, message, wParam, lParam);
}

TEST(MfcDialog, DoubleByteCharactersReachTheEditAsTheirBytes)
{
    // 表 and ヘ as the keyboard gives them to an edit: each character's two bytes posted one after
    // the other, then Return.
    CTestModal dlg;
    g_chars.clear();
    WhenDialogShows([](HWND dialog) {
        HWND edit = ::GetDlgItem(dialog, IDC_TEST_EDIT);
        g_editProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordChars)));
        for (BYTE b : {0x95, 0x5C, 0x83, 0x77}) ::PostMessageA(edit, WM_CHAR, b, 1);
        PostKey(edit, VK_RETURN);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(g_chars, (std::vector<WPARAM>{0x95, 0x5C, 0x83, 0x77}));
}

TEST(MfcDialog, ModalCancelAndOwnResult)
{
    CTestModal dlg;
    AnswerWith(VK_ESCAPE);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.log, "init;cancel;");

    // The dialog's own button ends it with its own code.
    CTestModal own;
    WhenDialogShows([](HWND dialog) { ::PostMessageA(::GetDlgItem(dialog, IDC_TEST_BUTTON), BM_CLICK, 0, 0); });
    EXPECT_EQ(own.DoModal(), 77);
    EXPECT_EQ(own.log, "init;button;");
}

TEST(MfcDialog, ModalEndedDuringInitAndMissingTemplate)
{
    CTestModal dlg;
    dlg.m_nEndIn = 3;
    EXPECT_EQ(dlg.DoModal(), 3);
    EXPECT_EQ(dlg.log, "init;");
    CDialog missing(9999);
    EXPECT_EQ(missing.DoModal(), -1);
}

TEST(MfcDialog, ModalDisablesAndRestoresTheOwner)
{
    CTestFrame owner;
    ASSERT_TRUE(owner.CreateFrame());
    CTestModal dlg;
    dlg.m_pParentWnd = &owner;
    bool disabledInside = false;
    WhenDialogShows([&](HWND dialog) {
        disabledInside = !owner.IsWindowEnabled();
        PostKey(dialog, VK_ESCAPE);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(disabledInside);
    EXPECT_TRUE(owner.IsWindowEnabled());
    owner.DestroyWindow();
}

TEST(MfcDialog, AModalDialogOpensCentredOnItsOwnerUnlessItPlacedItself)
{
    CTestFrame owner;
    ASSERT_TRUE(owner.CreateFrame());
    owner.SetWindowPos(static_cast<HWND>(nullptr), 300, 200, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    CRect frame;
    owner.GetWindowRect(&frame);
    struct Row {
        const char* what;
        CPoint placed; // where OnInitDialog puts it, (0, 0): nowhere
    } rows[] = {{"not placed", {0, 0}}, {"placed", {20, 30}}};
    for (const Row& row : rows) {
        class CPlaced : public CTestModal {
        public:
            CPoint at;
            BOOL OnInitDialog() override
            {
                if (at != CPoint(0, 0)) SetWindowPos(static_cast<HWND>(nullptr), at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
                return CTestModal::OnInitDialog();
            }
        } dlg;
        dlg.at = row.placed;
        dlg.m_pParentWnd = &owner;
        CRect shown;
        WhenDialogShows([&](HWND dialog) {
            ::GetWindowRect(dialog, &shown);
            PostKey(dialog, VK_ESCAPE);
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        if (row.placed == CPoint(0, 0)) {
            EXPECT_NEAR(shown.CenterPoint().x, frame.CenterPoint().x, 1) << row.what;
            EXPECT_NEAR(shown.CenterPoint().y, frame.CenterPoint().y, 1) << row.what;
        } else {
            EXPECT_EQ(shown.TopLeft(), row.placed) << row.what;
        }
    }
    owner.DestroyWindow();
}

TEST(MfcDialog, QuitEndsTheModalLoopAndGoesOn)
{
    CTestModal dlg;
    AfterStart([] { ::PostQuitMessage(5); });
    EXPECT_EQ(dlg.DoModal(), -1);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 5u);
}

TEST(MfcDialog, ModelessDestroyedFromItsOwnHandler)
{
    bool deleted = false;
    CTestModeless* dlg = new CTestModeless(&deleted);
    ASSERT_TRUE(dlg->Create(IDD_TEST_MODELESS));
    HWND hWnd = dlg->m_hWnd;
    ::PostMessageA(::GetDlgItem(hWnd, IDCANCEL), BM_CLICK, 0, 0);
    PumpPending();
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST(MfcDialog, TakesOverADialogMadeElsewhere)
{
    // A dialog run by the system's own modal loop, taken over at WM_INITDIALOG.
    struct Run {
        static INT_PTR CALLBACK Proc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
        {
            if (message != WM_INITDIALOG) return FALSE;
            CTestModal* dlg = reinterpret_cast<CTestModal*>(lParam);
            dlg->SubclassWindow(hWnd);
            ::PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
            return TRUE;
        }
    };
    CTestModal dlg;
    INT_PTR result = ::DialogBoxParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDD_TEST_MODAL), nullptr, &Run::Proc,
                                       reinterpret_cast<LPARAM>(&dlg));
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.log, "ok;"); // OnOK of the object ended the system's dialog
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(MfcDialog, CentresOverTheOwner)
{
    CTestFrame owner;
    ASSERT_TRUE(owner.CreateFrame());
    CDialog dlg(IDD_TEST_MODELESS, &owner);
    ASSERT_TRUE(dlg.Create(IDD_TEST_MODELESS, &owner));
    EXPECT_FALSE(dlg.IsWindowVisible()); // the template has no WS_VISIBLE
    dlg.CenterWindow();
    CRect ro, rd;
    owner.GetWindowRect(&ro);
    dlg.GetWindowRect(&rd);
    EXPECT_NEAR(rd.CenterPoint().x, ro.CenterPoint().x, 1);
    EXPECT_NEAR(rd.CenterPoint().y, ro.CenterPoint().y, 1);
    dlg.DestroyWindow();
    owner.DestroyWindow();
}

// The common-dialog wrappers (answered through their windows as a person would), tooltips of
// child windows, and reflected WM_NOTIFY and WM_DRAWITEM.
#include "TestMfcApp.h"
#include "VktSupport.h"
#include <gtest/gtest.h>
#include <string>

namespace {

class CTestFileDialog : public CFileDialog {
public:
    CTestFileDialog(LPCSTR filter) : CFileDialog(FALSE, "bmp", nullptr, OFN_HIDEREADONLY, filter) {}
    int inits = 0, oks = 0;
    int keepOpen = 0; // OnFileNameOK refuses this many times
    CString pathAtOk;
    HWND system = nullptr;

    BOOL OnInitDialog() override
    {
        ++inits;
        system = GetSystemDialog();
        return CFileDialog::OnInitDialog();
    }

protected:
    BOOL OnFileNameOK() override
    {
        ++oks;
        pathAtOk = GetPathName();
        return keepOpen-- > 0;
    }
};

// The file dialog's name box: edt1 on Windows, cmb13 under Wine.
HWND NameBox(HWND dialog)
{
    HWND box = ::GetDlgItem(dialog, edt1);
    return box ? box : ::GetDlgItem(dialog, cmb13);
}

std::string ComboText(HWND combo, int index)
{
    char text[128] = {};
    ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

class CTestColorDialog : public CColorDialog {
public:
    CTestColorDialog() : CColorDialog(RGB(10, 20, 30), CC_FULLOPEN) {}
    int inits = 0;
    BOOL OnInitDialog() override
    {
        ++inits;
        return CColorDialog::OnInitDialog();
    }
};

class CTestFontDialog : public CFontDialog {
public:
    explicit CTestFontDialog(const LOGFONTA* lf) : CFontDialog(lf) {}
    int inits = 0;
    BOOL OnInitDialog() override
    {
        ++inits;
        return CFontDialog::OnInitDialog();
    }
};

class CTipFrame : public CTestFrame {
public:
    UINT flags = 0;
    UINT_PTR idFrom = 0;

protected:
    BOOL OnNeedText(UINT, NMHDR* nmhdr, LRESULT*)
    {
        TOOLTIPTEXTA* tip = reinterpret_cast<TOOLTIPTEXTA*>(nmhdr);
        flags = tip->uFlags;
        idFrom = nmhdr->idFrom;
        lstrcpynA(tip->szText, "表示ソ", sizeof(tip->szText));
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTipFrame, CTestFrame)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &ThisClass::OnNeedText)
END_MESSAGE_MAP()

class COwnerButton : public CButton {
public:
    int draws = 0;
    int clicks = 0;
    void DrawItem(LPDRAWITEMSTRUCT dis) { ++draws; ::FillRect(dis->hDC, &dis->rcItem, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH))); }

protected:
    void OnNotifyClick(NMHDR*, LRESULT* pResult) { ++clicks; *pResult = 3; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerButton, CButton)
    ON_WM_DRAWITEM_REFLECT()
    ON_NOTIFY_REFLECT(NM_CLICK, &ThisClass::OnNotifyClick)
END_MESSAGE_MAP()

} // namespace

TEST(MfcFileDialog, HookFilterAndFileNameCheck)
{
    VktTempDir dir;
    std::string path = dir / "画像ソ.bmp";
    // ポ ends in 0x7C: the filter keeps it.
    CTestFileDialog dlg("画像ポ (*.bmp)|*.bmp|すべて (*.*)|*.*||");
    dlg.m_ofn.lpstrInitialDir = dir.Path().c_str();
    dlg.keepOpen = 1;
    std::string firstType, secondType;
    WhenDialogShows([&](HWND dialog) {
        HWND types = ::GetDlgItem(dialog, cmb1);
        firstType = ComboText(types, 0);
        secondType = ComboText(types, 1);
        // Typed as a name in the dialog's folder (Wine joins a typed full path to the folder).
        ::SetWindowTextA(NameBox(dialog), "画像ソ.bmp");
        ::PostMessageA(dialog, WM_COMMAND, IDOK, 0); // refused once by OnFileNameOK
        AfterStart([dialog] { ::PostMessageA(dialog, WM_COMMAND, IDOK, 0); });
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.inits, 1);
    EXPECT_NE(dlg.system, nullptr);
    EXPECT_EQ(firstType, "画像ポ (*.bmp)");
    EXPECT_EQ(secondType, "すべて (*.*)");
    EXPECT_EQ(dlg.oks, 2);
    EXPECT_EQ(std::string(dlg.pathAtOk), path);
    EXPECT_EQ(std::string(dlg.GetPathName()), path);
    EXPECT_EQ(std::string(dlg.GetFileName()), "画像ソ.bmp");
    EXPECT_EQ(std::string(dlg.GetFileExt()), "bmp");
    EXPECT_EQ(std::string(dlg.GetFileTitle()), "画像ソ");
    EXPECT_EQ(std::string(dlg.GetFolderPath()), dir.Path());
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(MfcFileDialog, Cancel)
{
    CTestFileDialog dlg(nullptr);
    WhenDialogShows([](HWND dialog) { ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.oks, 0);
}

TEST(MfcColorDialog, OkKeepsTheInitialColour)
{
    CTestColorDialog dlg;
    WhenDialogShows([](HWND dialog) { ::PostMessageA(dialog, WM_COMMAND, IDOK, 0); });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.inits, 1);
    EXPECT_EQ(dlg.GetColor(), RGB(10, 20, 30));
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(MfcFontDialog, CancelAndTheShownFont)
{
    LOGFONTA lf = {};
    lf.lfHeight = -12;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    CTestFontDialog dlg(&lf);
    LOGFONTA shown = {};
    WhenDialogShows([&](HWND dialog) {
        dlg.GetCurrentFont(&shown); // asked of the open dialog
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.inits, 1);
    EXPECT_NE(shown.lfHeight, 0);
    EXPECT_NE(shown.lfFaceName[0], '\0');
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(MfcToolTips, ChildWindowsAskTheirParentForText)
{
    CTipFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    CButton button;
    ASSERT_TRUE(button.Create("b", WS_VISIBLE, CRect(20, 20, 120, 60), &frame, 77));
    ASSERT_TRUE(frame.EnableToolTips(TRUE));
    // No tooltip window until a mouse message comes: a window shown and left alone makes none.
    auto ownedTips = [&frame]() {
        int count = 0;
        for (HWND w = ::FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); w;
             w = ::FindWindowExA(nullptr, w, TOOLTIPS_CLASSA, nullptr))
            if (::GetWindow(w, GW_OWNER) == frame.m_hWnd) ++count;
        return count;
    };
    EXPECT_EQ(ownedTips(), 0);

    // A mouse move over the button on its way to dispatch makes the tooltip and the button a tool.
    CPoint inside(30, 30);
    frame.ClientToScreen(&inside);
    MSG msg = {button.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10), ::GetTickCount(), inside};
    EXPECT_FALSE(theTestApp.PreTranslateMessage(&msg));
    EXPECT_EQ(ownedTips(), 1);
    CToolTipCtrl* tips = frame.GetToolTipCtrl();
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(tips->GetToolCount(), 1);
    EXPECT_FALSE(theTestApp.PreTranslateMessage(&msg));
    EXPECT_EQ(tips->GetToolCount(), 1); // once per child

    // Its text comes from the parent through TTN_NEEDTEXT, the tool id being the window.
    char text[80] = {};
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = frame.m_hWnd;
    ti.uId = reinterpret_cast<UINT_PTR>(button.m_hWnd);
    ti.lpszText = text;
    tips->SendMessage(TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(text, "表示ソ");
    EXPECT_TRUE(frame.flags & TTF_IDISHWND);
    EXPECT_EQ(frame.idFrom, reinterpret_cast<UINT_PTR>(button.m_hWnd));

    EXPECT_TRUE(frame.EnableToolTips(FALSE));
    EXPECT_EQ(frame.GetToolTipCtrl(), nullptr);
    frame.DestroyWindow();
}

TEST(MfcReflect, NotifyAndDrawItemGoToTheControl)
{
    CTestFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    COwnerButton button;
    ASSERT_TRUE(button.Create("o", WS_VISIBLE | BS_OWNERDRAW, CRect(5, 5, 60, 30), &frame, 31));
    button.RedrawWindow();
    EXPECT_GE(button.draws, 1); // the system's WM_DRAWITEM to the parent
    NMHDR nmhdr = {button.m_hWnd, 31, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(frame.SendMessage(WM_NOTIFY, 31, reinterpret_cast<LPARAM>(&nmhdr)), 3);
    EXPECT_EQ(button.clicks, 1);
    frame.DestroyWindow();
}

// The thin control wrappers that do more than one call (texts read back in a buffer of the
// right size), message boxes of the application, and a plain procedure that another module
// puts in front of a window of this one.
#include "TestMfcApp.h"
#include <gtest/gtest.h>
#include <string>

namespace {

class ControlsOnFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES};
        ::InitCommonControlsEx(&icc);
        ASSERT_TRUE(frame.CreateFrame());
    }
    void TearDown() override { frame.DestroyWindow(); }
    CTestFrame frame;
};

CString LongJapanese()
{
    CString s;
    for (int i = 0; i < 100; ++i) s += "表ソ能ポ";
    return s; // 800 bytes: more than the first buffer of the wrappers
}

// The window behind which a plain procedure of "another module" is installed.
WNDPROC g_previous = nullptr;
int g_frontCalls = 0;
LRESULT CALLBACK FrontProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP + 9) ++g_frontCalls;
    return CallWindowProcA(g_previous, hWnd, message, wParam, lParam);
}

class CBehind : public CWnd {
public:
    int calls = 0;

protected:
    LRESULT OnProbe(WPARAM, LPARAM) { ++calls; return 5; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBehind, CWnd)
    ON_MESSAGE(WM_APP + 9, &ThisClass::OnProbe)
END_MESSAGE_MAP()

} // namespace

TEST_F(ControlsOnFrame, ListAndComboTexts)
{
    CListBox list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_NOTIFY, CRect(0, 0, 100, 100), &frame, 1));
    EXPECT_EQ(list.AddString("ソ"), 0);
    EXPECT_EQ(list.AddString(LongJapanese()), 1);
    CString text;
    list.GetText(1, text);
    EXPECT_EQ(text, LongJapanese());
    list.GetText(5, text);
    EXPECT_TRUE(text.IsEmpty());
    list.SetItemData(0, 1234);
    EXPECT_EQ(list.GetItemData(0), 1234u);

    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 110, 100, 200), &frame, 2));
    combo.AddString("能");
    combo.AddString("ポ");
    combo.SetCurSel(1);
    combo.GetLBText(combo.GetCurSel(), text);
    EXPECT_EQ(text, CString("ポ"));
    EXPECT_EQ(combo.FindStringExact(-1, "能"), 0);
}

TEST_F(ControlsOnFrame, ListViewTreeViewAndTabTexts)
{
    CListCtrl listView;
    ASSERT_TRUE(listView.Create(WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 100), &frame, 3));
    EXPECT_EQ(listView.InsertColumn(0, "名前", LVCFMT_LEFT, 80), 0);
    EXPECT_EQ(listView.InsertColumn(1, "種類", LVCFMT_LEFT, 80), 1);
    EXPECT_EQ(listView.InsertItem(0, LongJapanese()), 0);
    EXPECT_TRUE(listView.SetItemText(0, 1, "画像"));
    EXPECT_EQ(listView.GetItemText(0, 0), LongJapanese());
    EXPECT_EQ(listView.GetItemText(0, 1), CString("画像"));
    EXPECT_TRUE(listView.SetItemData(0, 77));
    EXPECT_EQ(listView.GetItemData(0), 77u);
    EXPECT_TRUE(listView.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(listView.GetNextItem(-1, LVNI_SELECTED), 0);

    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 100, 200, 200), &frame, 4));
    HTREEITEM root = tree.InsertItem("デスクトップ");
    HTREEITEM child = tree.InsertItem(LongJapanese(), root);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(tree.GetItemText(child), LongJapanese());
    EXPECT_EQ(tree.GetParentItem(child), root);
    EXPECT_EQ(tree.GetChildItem(root), child);
    EXPECT_TRUE(tree.SetItemData(child, 9));
    EXPECT_EQ(tree.GetItemData(child), 9u);
    EXPECT_TRUE(tree.ItemHasChildren(root) || tree.GetChildItem(root) != nullptr);
    EXPECT_TRUE(tree.SelectItem(child));
    EXPECT_EQ(tree.GetSelectedItem(), child);

    CTabCtrl tab;
    ASSERT_TRUE(tab.Create(WS_VISIBLE, CRect(0, 200, 200, 260), &frame, 5));
    EXPECT_EQ(tab.InsertItem(0, "頁ソ"), 0);
    EXPECT_EQ(tab.InsertItem(1, "二"), 1);
    EXPECT_EQ(tab.GetItemCount(), 2);
    char buf[16] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = buf;
    item.cchTextMax = sizeof(buf);
    EXPECT_TRUE(tab.GetItem(0, &item));
    EXPECT_STREQ(buf, "頁ソ");
    tab.SetCurSel(1);
    EXPECT_EQ(tab.GetCurSel(), 1);
}

TEST(MfcApp, MessageBoxOfTheApplication)
{
    std::string caption, text;
    WhenDialogShows([&](HWND box) {
        char buf[256] = {};
        ::GetWindowTextA(box, buf, sizeof(buf));
        caption = buf;
        HWND label = ::GetDlgItem(box, 0xFFFF);
        if (label) {
            ::GetWindowTextA(label, buf, sizeof(buf));
            text = buf;
        }
        ::PostMessageA(box, WM_COMMAND, IDNO, 0);
    });
    EXPECT_EQ(AfxMessageBox("表示しますか？", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(caption, "TestMfc");
    EXPECT_EQ(text, "表示しますか？");
}

TEST_F(ControlsOnFrame, PlainProcedureInFrontOfAModuleWindow)
{
    CBehind* wnd = new CBehind;
    ASSERT_TRUE(wnd->CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 10, 10), &frame, 6));
    HWND hWnd = wnd->m_hWnd;
    g_frontCalls = 0;
    g_previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrontProc)));
    EXPECT_EQ(g_previous, AfxGetAfxWndProc()); // one procedure for every window of the module
    EXPECT_EQ(::SendMessageA(hWnd, WM_APP + 9, 0, 0), 5);
    EXPECT_EQ(g_frontCalls, 1);
    EXPECT_EQ(wnd->calls, 1);
    // Destroyed with the plain procedure still in front: the object lets go, nothing dangles.
    ::DestroyWindow(hWnd);
    EXPECT_EQ(wnd->m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    delete wnd;
}

// The application base object and the windows: the default window rectangle, the broadcast to the
// frame's windows, Return as Tab in the message filter, and a modal dialog before the frame.
#include "TestAplCmn.h"

namespace {

CRect Centred(int width, int height)
{
    int cx = GetSystemMetrics(SM_CXMAXIMIZED), cy = GetSystemMetrics(SM_CYMAXIMIZED);
    int left = (cx - width) / 2, top = (cy - height) / 2;
    return CRect(left, top, left + width, top + height);
}

} // namespace

TEST_F(AppTest, TheDefaultRectangleIsCentredAtEightyPercentOrTheMainDialogsSize)
{
    int cx = GetSystemMetrics(SM_CXMAXIMIZED), cy = GetSystemMetrics(SM_CYMAXIMIZED);
    ASSERT_EQ(Start(), 0);
    const CRect expected = Centred(cx * 8 / 10, cy * 8 / 10);
    EXPECT_TRUE(EqualRect(&theCmnAppInf.rctWindow, &expected)) << "the start fills a rectangle of zeros";
    CRect rect;
    app->SetDefWinRct(&rect);
    EXPECT_EQ(rect, expected);

    CDialog dialog(IDD_TEST_DIALOG);
    ASSERT_TRUE(dialog.Create(IDD_TEST_DIALOG));
    theCmnAppInf.pMainFrame = &dialog;
    CRect own;
    dialog.GetWindowRect(&own);
    app->SetDefWinRct(&rect);
    EXPECT_EQ(rect, Centred(own.Width(), own.Height()));
    theCmnAppInf.pMainFrame = frame;
    dialog.DestroyWindow();

    // A saved rectangle stays.
    Restart();
    const RECT saved = {10, 20, 300, 400};
    theCmnAppInf.rctWindow = saved;
    ASSERT_EQ(Start(), 0);
    EXPECT_TRUE(EqualRect(&theCmnAppInf.rctWindow, &saved));
}

TEST_F(AppTest, TheBroadcastReachesTheFrameItsWindowsAndTheWindowsItOwnsOnce)
{
    CountWnd child, grandChild, owned, ownedChild, unowned;
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 50, 50), frame, 1));
    ASSERT_TRUE(grandChild.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &child, 2));
    ASSERT_TRUE(owned.CreateEx(0, nullptr, "owned", WS_POPUP, 0, 0, 50, 50, frame->m_hWnd, nullptr));
    ASSERT_TRUE(ownedChild.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &owned, 3));
    ASSERT_TRUE(unowned.CreateEx(0, nullptr, "unowned", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    auto counts = [&] {
        return std::vector<int>{frame->count, child.count, grandChild.count, owned.count, ownedChild.count,
                                unowned.count};
    };

    EXPECT_EQ(app->SendMessageToDescendants(CmnWmChgOpt, 0, 0, 0), 1) << "nothing before the start";
    EXPECT_EQ(counts(), std::vector<int>(6, 0));
    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(app->SendMessageToDescendants(CmnWmChgOpt, 0, 0, 0), 0);
    EXPECT_EQ(counts(), (std::vector<int>{1, 1, 1, 1, 1, 0}));
    EXPECT_EQ(app->SendMessageToDescendants(CmnWmChgOpt, 0, 0, 1), 0);
    EXPECT_EQ(counts(), (std::vector<int>{1, 2, 2, 2, 2, 0})) << "mode 1 leaves the frame out";
    EXPECT_EQ(app->SendMessageToDescendants(CmnWmChgOpt, 0, 0, 2), -9);
    EXPECT_EQ(counts(), (std::vector<int>{1, 2, 2, 2, 2, 0}));
}

TEST_F(AppTest, ReturnBecomesTabInTheFramesControlsButAMultiLineEdit)
{
    CEdit edit, multi;
    CButton button;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 20), frame, 11));
    ASSERT_TRUE(multi.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 30, 80, 60), frame, 12));
    ASSERT_TRUE(button.Create("OK", WS_CHILD | WS_VISIBLE, CRect(0, 70, 80, 90), frame, 13));
    CDialog outside(IDD_TEST_DIALOG);
    ASSERT_TRUE(outside.Create(IDD_TEST_DIALOG, frame)); // owned by the frame, not inside it
    frame->ShowWindow(SW_SHOW);
    frame->SetForegroundWindow();
    ASSERT_EQ(Start(), 0);

    const struct {
        const char* what;
        HWND focus;
        int returnToTab;
        bool ctrl;
        WPARAM expected;
    } cases[] = {
        {"edit", edit.m_hWnd, 1, false, VK_TAB},
        {"button", button.m_hWnd, 1, false, VK_TAB},
        {"multi-line edit", multi.m_hWnd, 1, false, VK_RETURN},
        {"with Ctrl", edit.m_hWnd, 1, true, VK_RETURN},
        {"setting off", edit.m_hWnd, 0, false, VK_RETURN},
        {"a dialog's control", ::GetDlgItem(outside.m_hWnd, IDC_TEST_EDIT), 1, false, VK_RETURN},
    };
    BYTE keys[256];
    GetKeyboardState(keys);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        theCmnAppInf.bReturnToTab = c.returnToTab;
        ::SetFocus(c.focus);
        ASSERT_EQ(::GetFocus(), c.focus);
        BYTE state[256];
        memcpy(state, keys, sizeof(state));
        state[VK_CONTROL] = c.ctrl ? 0x80 : 0;
        SetKeyboardState(state);
        MSG msg = {c.focus, WM_KEYDOWN, VK_RETURN, 0x1C0001, 0, {0, 0}};
        app->PreTranslateMessage(&msg);
        EXPECT_EQ(msg.wParam, c.expected);
    }
    SetKeyboardState(keys);
    outside.DestroyWindow();
}

TEST_F(AppTest, AModalDialogBeforeTheFrameIsServed)
{
    theCmnAppInf.pMainFrame = nullptr;
    MSG msg = {frame->m_hWnd, WM_PAINT, 0, 0, 0, {0, 0}};
    EXPECT_FALSE(app->PreTranslateMessage(&msg));
    // The answer comes from a timer inside the dialog's loop: it runs only when the loop hands
    // its messages on, and only after the dialog's paint went through.
    VktMsgBox answer({IDCANCEL});
    CDialog dialog(IDD_TEST_DIALOG);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_EQ(answer.Seen()[0].caption, "表示");
}

namespace {
class PlainView : public CView {
public:
    PlainView() = default;
    void OnDraw(CDC*) override {}
};
} // namespace

TEST_F(AppTest, TheActiveDocumentAndViewAreTheMainFramesOrNone)
{
    EXPECT_EQ(app->GetActiveView(), nullptr) << "a main window that is no frame has none";
    CFrameWnd* docFrame = new CFrameWnd;
    ASSERT_TRUE(docFrame->Create(nullptr, "Pictavo"));
    PlainView* view = new PlainView;
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), docFrame, AFX_IDW_PANE_FIRST));
    CDocument* doc = new CDocument; // goes with its last view
    doc->AddView(view);
    docFrame->SetActiveView(view, FALSE);
    theCmnAppInf.pMainFrame = docFrame;
    EXPECT_EQ(app->GetActiveView(), view);
    EXPECT_EQ(app->GetActiveDocument(), doc);
    theCmnAppInf.pMainFrame = frame;
    docFrame->DestroyWindow(); // the frame, the view and the document go
}

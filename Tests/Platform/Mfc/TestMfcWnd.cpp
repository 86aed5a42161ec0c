// Window objects on real windows: creation with system and registered classes, handle maps,
// reflection of a parent's notifications to the child, windows destroyed inside their own
// handlers, pre-translation and broadcasts.
#include "TestMfcApp.h"
#include <gtest/gtest.h>
#include <new>
#include <string.h>
#include <string>

namespace {

std::string g_log;

// An edit that colours itself and watches its own changes through reflection.
class CReflectEdit : public CEdit {
public:
    CBrush m_brush{RGB(1, 2, 3)};
    UINT m_nCtlColor = 99;
    int m_nChanges = 0;

protected:
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
    {
        m_nCtlColor = nCtlColor;
        pDC->SetTextColor(RGB(200, 0, 0));
        return m_brush;
    }
    void OnChange() { ++m_nChanges; g_log += "child-change;"; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectEdit, CEdit)
    ON_WM_CTLCOLOR_REFLECT()
    ON_CONTROL_REFLECT(EN_CHANGE, &ThisClass::OnChange)
END_MESSAGE_MAP()

// A parent that also has handlers for what the child takes itself.
class CReflectParent : public CTestFrame {
protected:
    void OnEditChange() { g_log += "parent-change;"; }
    void OnButton() { g_log += "parent-button;"; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectParent, CTestFrame)
    ON_EN_CHANGE(10, &ThisClass::OnEditChange)
    ON_BN_CLICKED(11, &ThisClass::OnButton)
END_MESSAGE_MAP()

// A window that lives on the heap and deletes itself after its last message.
class CSelfDeleting : public CWnd {
public:
    explicit CSelfDeleting(bool* deleted) : m_pDeleted(deleted) {}
    ~CSelfDeleting() override { *m_pDeleted = true; }

protected:
    void PostNcDestroy() override { delete this; }
    void OnCloseCommand() { DestroyWindow(); } // destroyed inside its own handler
    void OnLButtonDown(UINT, CPoint) { DestroyWindow(); }
    DECLARE_MESSAGE_MAP()

private:
    bool* m_pDeleted;
};

BEGIN_MESSAGE_MAP(CSelfDeleting, CWnd)
    ON_COMMAND(1, &ThisClass::OnCloseCommand)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

// Counts what reaches it and how it was created.
class CCounting : public CWnd {
public:
    std::string seen;
    BOOL m_bFilter = FALSE;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN) seen += "pre;";
        return m_bFilter;
    }

protected:
    int OnCreate(LPCREATESTRUCTA cs)
    {
        seen += std::string("create:") + (cs->lpszName ? cs->lpszName : "") + ";";
        return CWnd::OnCreate(cs);
    }
    void OnKeyDown(UINT nChar, UINT, UINT) { seen += "key:" + std::to_string(nChar) + ";"; }
    LRESULT OnPing(WPARAM, LPARAM) { seen += "ping;"; return 1; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCounting, CWnd)
    ON_WM_CREATE()
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_APP + 7, &ThisClass::OnPing)
END_MESSAGE_MAP()

} // namespace

TEST(MfcWnd, CreateWithSystemAndRegisteredClasses)
{
    CTestFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    EXPECT_EQ(CWnd::FromHandlePermanent(frame.m_hWnd), &frame);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(frame.m_hWnd, GWLP_WNDPROC)), AfxGetAfxWndProc());

    CCounting child;
    ASSERT_TRUE(child.Create("EDIT", "first", WS_VISIBLE, CRect(5, 5, 100, 30), &frame, 12));
    EXPECT_EQ(child.seen, "create:first;"); // the object saw the window's WM_CREATE
    EXPECT_EQ(child.GetDlgCtrlID(), 12);
    EXPECT_TRUE(child.GetStyle() & WS_CHILD);
    EXPECT_EQ(child.GetParent(), &frame);

    LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW)), cls); // same class again
    CCounting custom;
    ASSERT_TRUE(custom.CreateEx(0, cls, "second", WS_CHILD, CRect(0, 0, 10, 10), &frame, 13));
    EXPECT_EQ(custom.SendMessage(WM_APP + 7), 1);
    EXPECT_EQ(custom.seen, "create:second;ping;");

    CWnd failing;
    EXPECT_FALSE(failing.CreateEx(0, "NoSuchClassHere", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
    EXPECT_EQ(failing.m_hWnd, nullptr);
    frame.DestroyWindow();
    EXPECT_EQ(child.m_hWnd, nullptr);
    EXPECT_EQ(custom.m_hWnd, nullptr);
}

TEST(MfcWnd, ParentNotificationsReachTheChildFirst)
{
    g_log.clear();
    CReflectParent parent;
    ASSERT_TRUE(parent.CreateFrame());
    CReflectEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_BORDER, CRect(5, 5, 200, 30), &parent, 10));
    CButton button;
    ASSERT_TRUE(button.Create("b", WS_VISIBLE, CRect(5, 40, 60, 60), &parent, 11));

    // WM_CTLCOLOREDIT to the parent is answered by the child's reflected handler.
    HDC dc = ::GetDC(edit.m_hWnd);
    LRESULT brush = parent.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit.m_hWnd));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), static_cast<HBRUSH>(edit.m_brush));
    EXPECT_EQ(edit.m_nCtlColor, static_cast<UINT>(CTLCOLOR_EDIT));
    EXPECT_EQ(::GetTextColor(dc), RGB(200, 0, 0));
    // The system's own colouring of the control goes the same way.
    edit.m_nCtlColor = 99;
    edit.RedrawWindow();
    EXPECT_EQ(edit.m_nCtlColor, static_cast<UINT>(CTLCOLOR_EDIT));
    ::ReleaseDC(edit.m_hWnd, dc);

    // WM_COMMAND EN_CHANGE from the edit: the child takes it, the parent's entry is not run.
    edit.SetWindowText("表");
    EXPECT_EQ(edit.m_nChanges, 1);
    EXPECT_EQ(g_log, "child-change;");
    // A control without a reflected entry leaves it to the parent.
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(g_log, "child-change;parent-button;");
    parent.DestroyWindow();
}

TEST(MfcWnd, WindowDestroyedInItsOwnHandler)
{
    bool deleted = false;
    CSelfDeleting* wnd = new CSelfDeleting(&deleted);
    ASSERT_TRUE(wnd->CreateEx(0, nullptr, "self", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr));
    HWND hWnd = wnd->m_hWnd;
    ::SendMessageA(hWnd, WM_COMMAND, 1, 0);
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);

    // The same from a posted message dispatched by the loop.
    deleted = false;
    wnd = new CSelfDeleting(&deleted);
    ASSERT_TRUE(wnd->CreateEx(0, nullptr, "self", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr));
    hWnd = wnd->m_hWnd;
    ::PostMessageA(hWnd, WM_LBUTTONDOWN, 0, 0);
    PumpPending();
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST(MfcWnd, UnknownWindowsAndTemporaryObjects)
{
    // A window made without the layer: FromHandle gives a temporary object, freed at idle.
    HWND raw = ::CreateWindowExA(0, "STATIC", "raw", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
    CWnd* temp = CWnd::FromHandle(raw);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->m_hWnd, raw);
    EXPECT_EQ(CWnd::FromHandle(raw), temp);
    EXPECT_EQ(AfxGetThreadState()->tempWnd.count(raw), 1u);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    // Idle: count 0 asks for more, count 1 frees the temporary objects and is the last.
    EXPECT_TRUE(theTestApp.OnIdle(0));
    EXPECT_FALSE(theTestApp.OnIdle(1));
    EXPECT_TRUE(AfxGetThreadState()->tempWnd.empty());
    EXPECT_TRUE(::IsWindow(raw)); // freeing the wrapper left the window alone
    CMenu::FromHandle(::CreatePopupMenu());
    CDC::FromHandle(::GetDC(raw));
    EXPECT_FALSE(theTestApp.OnIdle(1));
    EXPECT_TRUE(AfxGetThreadState()->tempMenu.empty());
    EXPECT_TRUE(AfxGetThreadState()->tempDC.empty());

    // Attach binds without changing the procedure; Detach lets go.
    WNDPROC before = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(raw, GWLP_WNDPROC));
    CWnd attached;
    ASSERT_TRUE(attached.Attach(raw));
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), &attached);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(raw, GWLP_WNDPROC)), before);
    CWnd second;
    EXPECT_FALSE(second.Attach(raw)); // one object per window in a module
    EXPECT_EQ(attached.Detach(), raw);
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);

    // An object gone without letting its window go (a frame the platform unwound past its
    // destructors, its memory used again) is never followed: the map forgets it.
    alignas(CWnd) unsigned char memory[sizeof(CWnd)];
    CWnd* gone = new (memory) CWnd;
    ASSERT_TRUE(gone->Attach(raw));
    memset(memory, 0xFF, sizeof(memory));
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
    EXPECT_NE(CWnd::FromHandle(raw), nullptr) << "a temporary object stands for it again";
    theTestApp.OnIdle(1);
    ::DestroyWindow(raw);
}

TEST(MfcWnd, DetachedSubclassPassesMessagesOn)
{
    CTestFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    HWND edit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 100, 20, frame.m_hWnd, nullptr, nullptr, nullptr);
    WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit, GWLP_WNDPROC));
    {
        CCounting wnd;
        ASSERT_TRUE(wnd.SubclassWindow(edit));
        EXPECT_EQ(wnd.GetSuperWndProc(), original);
        EXPECT_EQ(wnd.SendMessage(WM_APP + 7), 1);
        wnd.Detach(); // the object goes, the window stays
    }
    // The message reaches the edit untouched and our procedure leaves the chain.
    ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("能"));
    char text[8] = {};
    ::GetWindowTextA(edit, text, sizeof(text));
    EXPECT_STREQ(text, "能");
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit, GWLP_WNDPROC)), original);
    frame.DestroyWindow();
}

TEST(MfcWnd, PreTranslateWalksUpThroughModuleWindows)
{
    CTestFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    CCounting middle;
    ASSERT_TRUE(middle.CreateEx(0, nullptr, "mid", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), &frame, 20));
    HWND leaf = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, middle.m_hWnd, nullptr, nullptr, nullptr);
    MSG msg = {leaf, WM_KEYDOWN, 'A', 0, 0, {0, 0}};
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(frame.m_hWnd, &msg));
    EXPECT_EQ(middle.seen, "create:mid;pre;");
    middle.m_bFilter = TRUE;
    EXPECT_TRUE(theTestApp.PreTranslateMessage(&msg));
    // The walk stops at the given window.
    middle.seen.clear();
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(leaf, &msg));
    EXPECT_EQ(middle.seen, "");
    frame.DestroyWindow();
}

TEST(MfcWnd, SendToDescendantsOfThisModule)
{
    CTestFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    CCounting a, b;
    ASSERT_TRUE(a.CreateEx(0, nullptr, "a", WS_CHILD, CRect(0, 0, 50, 50), &frame, 1));
    ASSERT_TRUE(b.CreateEx(0, nullptr, "b", WS_CHILD, CRect(0, 0, 20, 20), &a, 2)); // a grandchild
    HWND raw = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, frame.m_hWnd, nullptr, nullptr, nullptr);
    (void)raw;
    frame.SendMessageToDescendants(WM_APP + 7, 0, 0, TRUE, TRUE);
    EXPECT_EQ(a.seen, "create:a;ping;");
    EXPECT_EQ(b.seen, "create:b;ping;");
    frame.SendMessageToDescendants(WM_APP + 7, 0, 0, FALSE, TRUE); // children only
    EXPECT_EQ(a.seen, "create:a;ping;ping;");
    EXPECT_EQ(b.seen, "create:b;ping;");
    frame.DestroyWindow();
}

TEST(MfcGdi, SelectionsAreRestored)
{
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(nullptr));
    HGDIOBJ stockPen = ::GetCurrentObject(mem, OBJ_PEN);
    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    {
        CDCSelect select(mem, pen);
        EXPECT_EQ(::GetCurrentObject(mem, OBJ_PEN), pen.m_hObject);
        EXPECT_EQ(select.Old(), stockPen);
    }
    EXPECT_EQ(::GetCurrentObject(mem, OBJ_PEN), stockPen);
    CBitmap bitmap;
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(screen, 4, 4));
    ::ReleaseDC(nullptr, screen.Detach());
    CBitmap* old = mem.SelectObject(&bitmap);
    ASSERT_NE(old, nullptr);
    mem.FillSolidRect(0, 0, 4, 4, RGB(0, 0, 255));
    EXPECT_EQ(mem.GetPixel(1, 1), RGB(0, 0, 255));
    mem.SelectObject(old);
    BITMAP info = {};
    EXPECT_TRUE(bitmap.GetBitmap(&info));
    EXPECT_EQ(info.bmWidth, 4);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, "MS Shell Dlg"));
    LOGFONTA lf = {};
    EXPECT_TRUE(font.GetLogFont(&lf));
    EXPECT_LT(lf.lfHeight, 0);
    theTestApp.OnIdle(1);
}

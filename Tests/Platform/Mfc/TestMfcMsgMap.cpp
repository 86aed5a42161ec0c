// Run-time classes, the message-map search (derived class first, ranges, registered messages,
// notifications) and command-state updates of menu items and controls.
#include "TestMfcApp.h"
#include <gtest/gtest.h>
#include <string>

namespace {

class CBaseTarget : public CWnd {
    DECLARE_DYNCREATE(CBaseTarget)

public:
    std::string log;

protected:
    void OnRange(UINT id) { log += "base-range:" + std::to_string(id) + ";"; }
    void OnBaseOnly() { log += "base-only;"; }
    void OnSize(UINT, int cx, int cy) { log += "base-size:" + std::to_string(cx) + "x" + std::to_string(cy) + ";"; }
    LRESULT OnProbe(WPARAM w, LPARAM) { log += "base-probe;"; return static_cast<LRESULT>(w) + 1; }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CBaseTarget, CWnd)

BEGIN_MESSAGE_MAP(CBaseTarget, CWnd)
    ON_COMMAND_RANGE(100, 200, &ThisClass::OnRange)
    ON_COMMAND(300, &ThisClass::OnBaseOnly)
    ON_WM_SIZE()
    ON_MESSAGE(WM_APP + 1, &ThisClass::OnProbe)
END_MESSAGE_MAP()

UINT s_registered = ::RegisterWindowMessageA("TestMfcRegisteredProbe");

class CDerivedTarget : public CBaseTarget {
    DECLARE_DYNCREATE(CDerivedTarget)

public:
    BOOL m_bEnable150 = FALSE;
    int m_nCheck = 0;

protected:
    void OnSingle() { log += "derived-150;"; }
    void OnUpdate150(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bEnable150); pCmdUI->SetCheck(m_nCheck); }
    void OnUpdateRange(CCmdUI* pCmdUI) { pCmdUI->Enable(pCmdUI->m_nID % 2 == 0); }
    LRESULT OnRegistered(WPARAM, LPARAM l) { log += "registered;"; return l * 2; }
    void OnNotifyOne(NMHDR* nmhdr, LRESULT* pResult) { log += "notify:" + std::to_string(nmhdr->idFrom) + ";"; *pResult = 5; }
    void OnNotifyRange(UINT id, NMHDR*, LRESULT* pResult) { log += "notify-range:" + std::to_string(id) + ";"; *pResult = 6; }
    LRESULT OnIdleUpdate(WPARAM, LPARAM) { UpdateDialogControls(this, FALSE); return 0; }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CDerivedTarget, CBaseTarget)

BEGIN_MESSAGE_MAP(CDerivedTarget, CBaseTarget)
    ON_COMMAND(150, &ThisClass::OnSingle)
    ON_UPDATE_COMMAND_UI(150, &ThisClass::OnUpdate150)
    ON_UPDATE_COMMAND_UI_RANGE(160, 163, &ThisClass::OnUpdateRange)
    ON_REGISTERED_MESSAGE(s_registered, &ThisClass::OnRegistered)
    ON_NOTIFY(NM_CLICK, 400, &ThisClass::OnNotifyOne)
    ON_NOTIFY_RANGE(NM_CLICK, 401, 410, &ThisClass::OnNotifyRange)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &ThisClass::OnIdleUpdate)
END_MESSAGE_MAP()

LRESULT SendNotify(HWND hWnd, HWND from, UINT id, UINT code)
{
    NMHDR nmhdr = {from, id, code};
    return ::SendMessageA(hWnd, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&nmhdr));
}

} // namespace

TEST(MfcRuntimeClass, KindAndCreation)
{
    CObject* obj = RUNTIME_CLASS(CDerivedTarget)->CreateObject();
    ASSERT_NE(obj, nullptr);
    EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CDerivedTarget)));
    EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CBaseTarget)));
    EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(obj->IsKindOf(RUNTIME_CLASS(CDialog)));
    EXPECT_STREQ(obj->GetRuntimeClass()->m_lpszClassName, "CDerivedTarget");
    EXPECT_NE(DYNAMIC_DOWNCAST(CBaseTarget, obj), nullptr);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CDialog, obj), nullptr);
    delete obj;
    EXPECT_EQ(RUNTIME_CLASS(CDialog)->CreateObject(), nullptr); // not dynamically creatable
}

TEST(MfcMessageMap, DerivedClassIsSearchedFirst)
{
    CDerivedTarget wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "map", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    wnd.log.clear();
    wnd.SendMessage(WM_COMMAND, 150);                     // single id in the derived class
    wnd.SendMessage(WM_COMMAND, 120);                     // the base class's range
    wnd.SendMessage(WM_COMMAND, 200);                     // the range's last id
    wnd.SendMessage(WM_COMMAND, 300);                     // only in the base class
    EXPECT_EQ(wnd.SendMessage(WM_COMMAND, 201), 0);       // nobody: not handled
    EXPECT_EQ(wnd.log, "derived-150;base-range:120;base-range:200;base-only;");
    wnd.log.clear();
    EXPECT_EQ(wnd.SendMessage(WM_APP + 1, 41), 42);       // ON_MESSAGE in the base
    EXPECT_EQ(wnd.SendMessage(s_registered, 0, 21), 42);  // registered message
    ::SetWindowPos(wnd.m_hWnd, nullptr, 0, 0, 64, 32, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    EXPECT_NE(wnd.log.find("registered;"), std::string::npos);
    EXPECT_NE(wnd.log.find("base-size:"), std::string::npos);
    wnd.log.clear();
    EXPECT_EQ(SendNotify(wnd.m_hWnd, nullptr, 400, NM_CLICK), 5);
    EXPECT_EQ(SendNotify(wnd.m_hWnd, nullptr, 405, NM_CLICK), 6);
    EXPECT_EQ(SendNotify(wnd.m_hWnd, nullptr, 405, NM_DBLCLK), 0);
    EXPECT_EQ(wnd.log, "notify:400;notify-range:405;");
    wnd.DestroyWindow();
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}

TEST(MfcMessageMap, HandlerQueryDoesNotCall)
{
    CDerivedTarget target;
    AFX_CMDHANDLERINFO info = {nullptr};
    EXPECT_TRUE(target.OnCmdMsg(150, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, &target);
    EXPECT_TRUE(target.OnCmdMsg(110, CN_COMMAND, nullptr, &info));
    EXPECT_FALSE(target.OnCmdMsg(999, CN_COMMAND, nullptr, &info));
    EXPECT_TRUE(target.log.empty());
}

TEST(MfcCommandUI, MenuItemsOnInitMenuPopup)
{
    CDerivedTarget wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "menu", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING | MF_GRAYED, 150, "one-fifty");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING, 160, "even");
    popup.AppendMenu(MF_STRING, 161, "odd");
    popup.AppendMenu(MF_STRING | MF_GRAYED, 999, "no handler");

    wnd.m_bEnable150 = TRUE;
    wnd.m_nCheck = 1;
    wnd.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), MAKELPARAM(0, FALSE));
    EXPECT_FALSE(popup.GetMenuState(150, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(popup.GetMenuState(150, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(popup.GetMenuState(160, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(popup.GetMenuState(161, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(popup.GetMenuState(999, MF_BYCOMMAND) & MF_GRAYED); // untouched

    wnd.m_bEnable150 = FALSE;
    wnd.m_nCheck = 0;
    wnd.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), MAKELPARAM(0, FALSE));
    EXPECT_TRUE(popup.GetMenuState(150, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(popup.GetMenuState(150, MF_BYCOMMAND) & MF_CHECKED);
    wnd.DestroyWindow();
}

TEST(MfcCommandUI, ButtonAtIdle)
{
    CDerivedTarget wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "idle", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    ShowQuietly(wnd.m_hWnd);
    CButton button, plain;
    ASSERT_TRUE(button.Create("150", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(5, 5, 80, 30), &wnd, 150));
    ASSERT_TRUE(plain.Create("999", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(90, 5, 160, 30), &wnd, 999));

    CWnd* saved = theTestApp.m_pMainWnd;
    theTestApp.m_pMainWnd = &wnd;
    wnd.m_bEnable150 = FALSE;
    EXPECT_TRUE(theTestApp.OnIdle(0));
    EXPECT_FALSE(button.IsWindowEnabled());
    EXPECT_TRUE(plain.IsWindowEnabled());
    wnd.m_bEnable150 = TRUE;
    EXPECT_TRUE(theTestApp.OnIdle(0));
    EXPECT_TRUE(button.IsWindowEnabled());
    EXPECT_FALSE(theTestApp.OnIdle(1));
    theTestApp.m_pMainWnd = saved;
    wnd.DestroyWindow();
    EXPECT_EQ(button.m_hWnd, nullptr); // the children went with their parent
}

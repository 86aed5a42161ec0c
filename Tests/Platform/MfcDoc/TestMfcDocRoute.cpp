// The command route: the active view, its document, the frame and the application in turn,
// whatever sends the command (the frame's menu, a bar's button, an accelerator key); update
// handlers along the same route; items nobody handles disabled; range entries that decline.
#include "TestMfcDocApp.h"

class DocRouteTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        NewDocument();
        Place(640, 480);
    }
    // The items of a popup of the frame's menu after the frame updated them as it opens.
    CMenu* OpenPopup(int index)
    {
        CMenu* pPopup = CMenu::FromHandle(::GetSubMenu(::GetMenu(frame->m_hWnd), index));
        frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pPopup->m_hMenu), MAKELPARAM(index, FALSE));
        return pPopup;
    }
    static CString Text(CMenu* pMenu, UINT id)
    {
        CString text;
        pMenu->GetMenuString(id, text, MF_BYCOMMAND);
        return text;
    }
    static bool Enabled(CMenu* pMenu, UINT id) { return !(pMenu->GetMenuState(id, MF_BYCOMMAND) & MF_GRAYED); }
};

TEST_F(DocRouteTest, CommandsRunTheFirstHandlerOnTheRoute)
{
    static const struct {
        UINT id;
        const char* ran;
    } cases[] = {
        {ID_ROUTE_ALL, "view:32801;"},  {ID_ROUTE_DOC, "doc:32802;"},  {ID_ROUTE_FRAME, "frame:32803;"},
        {ID_ROUTE_APP, "app:32804;"},   {ID_ROUTE_NONE, ""},           {ID_EX_FIRST, "view:32810;"},
        {ID_EX_LAST, "doc:32811;"}, // the view's range entry declines it
    };
    for (const auto& c : cases) {
        g_log.clear();
        frame->SendMessage(WM_COMMAND, c.id); // as the menu sends it
        EXPECT_EQ(g_log, c.ran) << c.id;
    }
    // A button of a bar that nothing in the bar handles.
    g_log.clear();
    ::SendMessageA(::GetDlgItem(frame->m_wndBar.m_hWnd, ID_ROUTE_DOC), BM_CLICK, 0, 0);
    EXPECT_EQ(g_log, "doc:32802;");
    // Without an active view the document is out of the route too.
    frame->SetActiveView(nullptr);
    g_log.clear();
    frame->SendMessage(WM_COMMAND, ID_ROUTE_ALL);
    EXPECT_EQ(g_log, "frame:32801;");
}

TEST_F(DocRouteTest, UpdatesRouteAlikeAndUnhandledItemsAreDisabled)
{
    CMenu* pRoute = OpenPopup(1);
    static const struct {
        UINT id;
        const char* text;
    } cases[] = {{ID_ROUTE_ALL, "view"}, {ID_ROUTE_DOC, "doc"}, {ID_ROUTE_FRAME, "frame"}, {ID_ROUTE_APP, "app"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Text(pRoute, c.id), CString(c.text)) << c.id;
        EXPECT_TRUE(Enabled(pRoute, c.id)) << c.id;
    }
    EXPECT_FALSE(Enabled(pRoute, ID_ROUTE_NONE));

    // Items with a command handler but no update handler stay enabled; without the automatic
    // state, unhandled ones too.
    CMenu* pFile = OpenPopup(0);
    EXPECT_TRUE(Enabled(pFile, ID_FILE_NEW));
    EXPECT_TRUE(Enabled(pFile, ID_APP_EXIT));
    EXPECT_FALSE(Enabled(pFile, ID_ROUTE_NONE));
    frame->m_bAutoMenuEnable = FALSE;
    pFile->EnableMenuItem(ID_ROUTE_NONE, MF_BYCOMMAND | MF_ENABLED);
    OpenPopup(0);
    EXPECT_TRUE(Enabled(pFile, ID_ROUTE_NONE));

    // The dialog bar's button takes its state from the same route.
    theDocApp.OnIdle(0);
    HWND barButton = ::GetDlgItem(frame->m_wndBar.m_hWnd, ID_ROUTE_DOC);
    EXPECT_TRUE(::IsWindowEnabled(barButton));
    char text[16] = {};
    ::GetWindowTextA(barButton, text, sizeof(text));
    EXPECT_STREQ(text, "doc");
}

TEST_F(DocRouteTest, KeysFromTheFormReachTheFrameFirst)
{
    HWND edit1 = ::GetDlgItem(view->m_hWnd, IDC_FORM_EDIT1);
    HWND edit2 = ::GetDlgItem(view->m_hWnd, IDC_FORM_EDIT2);
    HWND button = ::GetDlgItem(view->m_hWnd, IDC_FORM_BUTTON);
    ::SetFocus(edit1);
    Xdotool("key ctrl+o");
    EXPECT_EQ(g_log, "open;");
    EXPECT_EQ(::GetFocus(), edit1);
    // Tab walks the form's controls in order and comes round.
    for (HWND next : {edit2, button, edit1}) {
        Xdotool("key Tab");
        EXPECT_EQ(::GetFocus(), next);
    }
}

TEST_F(DocRouteTest, AClickMakesTheViewActive)
{
    frame->SetActiveView(nullptr);
    frame->m_wndStatusBar.SetFocus();
    CRect rect;
    ::GetWindowRect(::GetDlgItem(view->m_hWnd, IDC_FORM_EDIT2), &rect);
    CPoint at = rect.CenterPoint();
    Xdotool("mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " click 1");
    EXPECT_EQ(frame->GetActiveView(), view);
    EXPECT_EQ(frame->GetActiveDocument(), doc);
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(view->m_hWnd, IDC_FORM_EDIT2));
}

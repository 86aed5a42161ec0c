// Two modules on one window: the test library (its own copy of the framework) and this
// program both subclass an edit control. Messages go through both layers, newest first, and
// on to the system's edit procedure; unsubclassing in either order restores the right
// procedure.
#include "TestMfcApp.h"
#include "TwinDll.h"
#include <gtest/gtest.h>
#include <string>

namespace {

std::string g_log;
void Log(const char* text) { g_log += text; }

class CHostEdit : public CEdit {
protected:
    LRESULT OnProbe(WPARAM, LPARAM)
    {
        g_log += "host:probe;";
        return Default() + 100;
    }
    LRESULT OnSetText(WPARAM, LPARAM)
    {
        g_log += "host:settext;";
        return Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHostEdit, CEdit)
    ON_MESSAGE(WM_APP + 1, &ThisClass::OnProbe)
    ON_MESSAGE(WM_SETTEXT, &ThisClass::OnSetText)
END_MESSAGE_MAP()

class MfcTwoModules : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.CreateFrame());
        edit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 20, frame.m_hWnd, nullptr, nullptr,
                                 nullptr);
        ASSERT_NE(edit, nullptr);
        original = Proc();
        g_log.clear();
    }
    void TearDown() override { frame.DestroyWindow(); }
    WNDPROC Proc() const { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit, GWLP_WNDPROC)); }
    std::string Text() const
    {
        char text[64] = {};
        ::GetWindowTextA(edit, text, sizeof(text));
        return text;
    }

    CTestFrame frame;
    HWND edit = nullptr;
    WNDPROC original = nullptr;
};

} // namespace

TEST_F(MfcTwoModules, BothLayersSeeMessagesNewestFirst)
{
    ASSERT_EQ(TwinSubclass(edit, &Log), 1);
    CHostEdit host;
    ASSERT_TRUE(host.SubclassWindow(edit));
    EXPECT_NE(TwinWndProc(), AfxGetAfxWndProc()); // each module has its own procedure
    EXPECT_EQ(host.GetSuperWndProc(), TwinWndProc());
    EXPECT_EQ(Proc(), AfxGetAfxWndProc());
    EXPECT_EQ(TwinOwns(edit), 1);

    // The edit's default for an unknown message is 0: each layer added its own part.
    EXPECT_EQ(::SendMessageA(edit, WM_APP + 1, 0, 0), 110);
    EXPECT_EQ(g_log, "host:probe;twin:probe;");
    g_log.clear();
    ::SetWindowTextA(edit, "表ソ能ポ");
    EXPECT_EQ(g_log, "host:settext;twin:settext;");
    EXPECT_EQ(Text(), "表ソ能ポ"); // Default reached the system's edit procedure

    host.UnsubclassWindow();
    EXPECT_EQ(Proc(), TwinWndProc());
    ASSERT_EQ(TwinUnsubclass(), 1);
    EXPECT_EQ(Proc(), original);
    g_log.clear();
    EXPECT_EQ(::SendMessageA(edit, WM_APP + 1, 0, 0), 0);
    EXPECT_EQ(g_log, "");
}

TEST_F(MfcTwoModules, LowerLayerLeavesFirst)
{
    CHostEdit host;
    ASSERT_TRUE(host.SubclassWindow(edit));
    ASSERT_EQ(TwinSubclass(edit, &Log), 1); // the library is on top now
    EXPECT_EQ(::SendMessageA(edit, WM_APP + 1, 0, 0), 110);
    EXPECT_EQ(g_log, "twin:probe;host:probe;");

    // This program's layer is below: giving the window back keeps the library's layer.
    host.UnsubclassWindow();
    EXPECT_EQ(Proc(), TwinWndProc());
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
    g_log.clear();
    EXPECT_EQ(::SendMessageA(edit, WM_APP + 1, 0, 0), 10);
    EXPECT_EQ(g_log, "twin:probe;"); // our procedure only passes it on
    ::SetWindowTextA(edit, "ソ");
    EXPECT_EQ(Text(), "ソ");

    // When the library gives it back, no layer of ours is left behind either.
    ASSERT_EQ(TwinUnsubclass(), 1);
    EXPECT_EQ(Proc(), original);
    g_log.clear();
    EXPECT_EQ(::SendMessageA(edit, WM_APP + 1, 0, 0), 0);
    EXPECT_EQ(g_log, "");
}

TEST_F(MfcTwoModules, UpperLayerLeavesFirstThenLowerComesBack)
{
    ASSERT_EQ(TwinSubclass(edit, &Log), 1);
    {
        CHostEdit host;
        ASSERT_TRUE(host.SubclassWindow(edit));
        ASSERT_EQ(TwinUnsubclass(), 1); // the library's layer is below ours: it only passes on
        EXPECT_EQ(Proc(), AfxGetAfxWndProc());
        EXPECT_EQ(TwinOwns(edit), 0);
        g_log.clear();
        EXPECT_EQ(::SendMessageA(edit, WM_APP + 1, 0, 0), 100);
        EXPECT_EQ(g_log, "host:probe;");
        // The library takes the window again: its old place in the chain is used.
        ASSERT_EQ(TwinSubclass(edit, &Log), 1);
        EXPECT_EQ(Proc(), AfxGetAfxWndProc());
        g_log.clear();
        EXPECT_EQ(::SendMessageA(edit, WM_APP + 1, 0, 0), 110);
        EXPECT_EQ(g_log, "host:probe;twin:probe;");
        host.UnsubclassWindow();
    }
    EXPECT_EQ(Proc(), TwinWndProc());
    ASSERT_EQ(TwinUnsubclass(), 1);
    EXPECT_EQ(Proc(), original);
}

TEST_F(MfcTwoModules, WindowDestroyedUnderBothLayers)
{
    ASSERT_EQ(TwinSubclass(edit, &Log), 1);
    CHostEdit host;
    ASSERT_TRUE(host.SubclassWindow(edit));
    ::DestroyWindow(edit);
    EXPECT_EQ(host.m_hWnd, nullptr);
    EXPECT_EQ(TwinOwns(edit), 0);
    EXPECT_EQ(TwinUnsubclass(), 1); // its object let go of the dead window already
}

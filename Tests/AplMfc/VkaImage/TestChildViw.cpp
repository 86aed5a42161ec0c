// The image tab view's clipboard monitor in Wine's real clipboard-viewer chain: joining once,
// chain changes, which owners reach the paste entries (a second process copies as another
// program would); its lock answer and the options moving the preview.
#include "TestChildFrm.h"
#include "ChildViw.h"
#include "CmnDlb.h"
#include "HalcorRes.h"

namespace {

// The application with its paste entries counted instead of run.
class ClbHalcor : public TestHalcor {
public:
    int dibs = 0;
    int lists = 0;
    int PasteDIB(HWND) override { return ++dibs, VKE_OK; }
    int PasteDropFiles(HWND, int, int, int* count) override
    {
        *count = 0;
        return ++lists, VKE_OK;
    }
};

// A view that never started.
class BareViw : public ChildViw {
public:
    BareViw() = default;
};

// A window that counts the clipboard notices that reach it.
class Viewer : public CWnd {
public:
    int draws = 0;
    int changes = 0;
    Viewer() { CreateEx(0, nullptr, "viewer", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr); }
    ~Viewer() override { DestroyWindow(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DRAWCLIPBOARD) ++draws;
        if (message == WM_CHANGECBCHAIN) ++changes;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Text (or a file list) on the clipboard, owned by wnd.
void Copy(HWND wnd, UINT format = CF_TEXT)
{
    ASSERT_TRUE(OpenClipboard(wnd));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 64);
    if (format == CF_HDROP) {
        DROPFILES* drop = static_cast<DROPFILES*>(GlobalLock(block));
        memset(drop, 0, 64);
        drop->pFiles = sizeof(DROPFILES);
        memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), "C:\\a.bmp\0", 10);
    } else {
        char* text = static_cast<char*>(GlobalLock(block));
        memset(text, 0, 64);
        memcpy(text, "x", 1);
    }
    GlobalUnlock(block);
    SetClipboardData(format, block);
    CloseClipboard();
    VktPump(100);
}

} // namespace

void CopyBitmapElsewhere()
{
    std::string exe = VktBesideExe("..\\VktWin.exe");
    std::string cmd = "\"" + exe + "\" copy-bitmap";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    while (MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 20000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) VktPump();
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    VktPump(100);
}

class ClbTest : public FrmTest {
protected:
    void SetUp() override
    {
        FrmTest::SetUp();
        delete app;
        app = clb = new ClbHalcor;
    }
    ChildViw* View() { return DYNAMIC_DOWNCAST(ChildViw, main->GetActiveView()); }

    ClbHalcor* clb = nullptr;
};

TEST_F(ClbTest, TheMonitorJoinsTheChainOnceAndPassesEveryNoticeOn)
{
    BareViw bare;
    EXPECT_EQ(bare.SetClbMonFlag(1), -6) << "not ready";
    Viewer before;
    HWND next = SetClipboardViewer(before.m_hWnd);
    Run();
    ChildViw* view = View();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetClbMonFlag(), 0) << "off in the settings";
    ASSERT_EQ(view->SetClbMonFlag(1), 0);
    ASSERT_EQ(view->SetClbMonFlag(1), 0);
    EXPECT_EQ(view->GetClbMonFlag(), 1);
    EXPECT_EQ(GetClipboardViewer(), view->m_hWnd);
    before.draws = 0;
    Copy(before.m_hWnd);
    EXPECT_EQ(before.draws, 1) << "passed on once";

    // The window after the view leaves: the one after it is the view's next.
    Viewer after;
    view->SendMessage(WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(before.m_hWnd), reinterpret_cast<LPARAM>(after.m_hWnd));
    Copy(before.m_hWnd);
    EXPECT_EQ(after.draws, 1);
    // Another window leaves: the news goes on.
    view->SendMessage(WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(next), 0);
    EXPECT_EQ(after.changes, 1);
    ASSERT_EQ(view->SetClbMonFlag(0), 0);
    EXPECT_NE(GetClipboardViewer(), view->m_hWnd);
    EXPECT_EQ(view->SetClbMonFlag(2), -9);
}

TEST_F(ClbTest, OnlyAnotherProgramsCopyIsPasted)
{
    Put("PoiFri_bClbMon", "1");
    Run();
    ChildViw* view = View();
    ASSERT_EQ(view->GetClbMonFlag(), 1) << "on in the settings";
    Copy(EditIn(&main->GetPnlOpr()), CF_HDROP);
    Copy(main->m_hWnd, CF_HDROP);
    ASSERT_EQ(theCmnWin.FloatBar(&main->GetPnlFilCmd(), CPoint(50, 50)), 0);
    ASSERT_TRUE(main->GetPnlFilCmd().IsFloating());
    Copy(EditIn(&main->GetPnlFilCmd()), CF_HDROP);
    EXPECT_EQ(clb->dibs + clb->lists, 0) << "copies of the program's own windows";

    main->ShowWindow(SW_MINIMIZE);
    VktPump();
    CopyBitmapElsewhere();
    EXPECT_EQ(clb->dibs, 1);
    EXPECT_EQ(clb->lists, 0);
    EXPECT_FALSE(main->IsIconic()) << "restored for the new page";
    Viewer stranger;
    Copy(stranger.m_hWnd, CF_HDROP);
    EXPECT_EQ(clb->lists, 1);
    EXPECT_EQ(clb->dibs, 1);
}

TEST_F(ClbTest, LockRequestsAreAnsweredAndOptionsMoveThePreview)
{
    Put("SopPni_bPrvImgTab", "0");
    Run();
    ChildViw* view = View();
    VkeTabLockReq req = {0, 0, 0};
    EXPECT_EQ(view->SendMessage(VkeWmSetLocked, 0, reinterpret_cast<LPARAM>(&req)), 0);
    EXPECT_EQ(view->SendMessage(VkeWmSetLocked, 1, reinterpret_cast<LPARAM>(&req)), 1);
    EXPECT_EQ(req.iHandled, 0) << "no selected-image page";

    CmnDlb& preview = main->GetPnlPrv();
    ASSERT_TRUE(Visible(preview));
    // Options that keep both switches leave the preview panel hidden as it was.
    Command(ID_VKA_PNL_FIRST + 3 * VkaPnlPrv);
    ASSERT_FALSE(Visible(preview));
    view->SendMessage(CmnWmChgOpt);
    VktPump();
    EXPECT_FALSE(Visible(preview));
    // The preview to a tab: its panel goes; back to the panel: it comes.
    Command(ID_VKA_PNL_FIRST + 3 * VkaPnlPrv);
    theAppInf.sopPni.bPrvImgTab = 1;
    view->SendMessage(CmnWmChgOpt);
    VktPump();
    EXPECT_FALSE(Visible(preview));
    EXPECT_EQ(app->GetPrvImgTab(), 1);
    theAppInf.sopPni.bPrvImgTab = 0;
    view->SendMessage(CmnWmChgOpt);
    VktPump();
    EXPECT_TRUE(Visible(preview));
}

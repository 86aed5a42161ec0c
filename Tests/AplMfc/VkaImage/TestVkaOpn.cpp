// The open bracket: the page it selects, the progress dialog on its thread, abort, the same file
// twice, a close or a quit during its waits, refusals, the command line, drops and pastes.
#include "TestVkaOpn.h"
#include "CmnImg.h"
#include "HalcorRes.h"
#include "VkaSubOpi.h"
#include <shlobj.h>

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

std::string Full(const std::string& path)
{
    char full[CmnPathSize] = {};
    VkeSubGetPathName(theCmnAppInf.pSub, full, path.c_str(), sizeof(full));
    return full;
}

// The text of an item of the progress dialog (another thread's window).
std::string OpnStsText(HalcorApp* app, int id)
{
    HWND dlg = app->GetOpnStsDlg().m_hWnd;
    if (!dlg || !IsWindow(dlg)) return "none";
    char text[256] = {};
    GetDlgItemTextA(dlg, id, text, sizeof(text));
    return text;
}

// Puts a dropped-file list of the paths on the clipboard, for the window.
bool PutDropList(HWND owner, const std::vector<std::string>& paths)
{
    std::string names;
    for (const std::string& p : paths) names += p + '\0';
    names += '\0';
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(block);
    if (!OpenClipboard(owner)) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    bool ok = SetClipboardData(CF_HDROP, block) != nullptr;
    CloseClipboard();
    return ok;
}

} // namespace

TEST(VkaOpnRules, ThePageSelectedAfterABatch)
{
    // rule, result, pages and current page at begin and end -> the page selected.
    const struct {
        int rule, result, cntBgn, cntEnd, curBgn, curEnd, sel;
    } cases[] = {
        {3, 0, 2, 5, 1, 1, 2},  // the first page added
        {2, 0, 2, 5, 1, 1, 4},  // the last page
        {1, 0, 2, 5, 1, 1, 1},  // kept
        {1, 0, 0, 3, -1, 0, 0}, // no page before: the first
        {3, 1, 2, 2, 1, 1, 1},  // nothing added: the page current at begin
        {2, 1, 2, 2, 1, 1, 1},
        {3, 0, 3, 2, 2, 1, -1}, // the page current at begin is gone
        {3, 3, 2, 4, 1, 3, 3},  // stopped: the page current at end
        {1, 3, 0, 2, -1, -1, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HalcorApp::GetSelPage(c.rule, c.result, c.cntBgn, c.cntEnd, c.curBgn, c.curEnd), c.sel)
            << c.rule << " " << c.result << " " << c.cntBgn << " " << c.cntEnd;
}

TEST_F(OpnTest, ABatchSelectsThePageItsRuleNames)
{
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp"}) MakeBmp(dir / name, 8, 8, kRed, kBlue);
    VktTempDir more;
    for (const char* name : {"x.bmp", "y.bmp", "z.bmp", "not.txt"}) MakeBmp(more / name, 8, 8, kRed, kBlue);
    const struct {
        int rule, sel;
    } rules[] = {{3, 2}, {2, 4}, {1, 1}};
    for (const auto& r : rules) {
        view->CloseAll();
        ASSERT_EQ(OpenInBracket(dir / "a.bmp"), VKE_OK);
        ASSERT_EQ(OpenInBracket(dir / "b.bmp"), VKE_OK);
        ASSERT_EQ(view->pages.size(), 2u);
        ASSERT_EQ(view->SetCurSel(1), VKE_OK);
        theAppInf.iOpnOnSel = r.rule;
        EXPECT_EQ(OpenInBracket(more.Path()), VKE_OK) << "a folder's images: the other file is skipped";
        EXPECT_EQ(view->pages.size(), 5u);
        EXPECT_EQ(view->cur, r.sel) << "rule " << r.rule;
        EXPECT_EQ(app->GetOpenedPageCnt(), 3);
    }
}

TEST_F(OpnTest, ProgressShowsFromTheSecondFileAndAbortStopsSilently)
{
    for (const char* name : {"1.bmp", "2.bmp", "3.bmp"}) MakeBmp(dir / name, 8, 8, kRed, kBlue);
    std::vector<std::string> counts;
    view->onOpen = [&](const char*) { counts.push_back(OpnStsText(app, IDC_DLGOPNSTS_CNT)); };

    // One file: no thread, no dialog.
    EXPECT_EQ(OpenInBracket(dir / "1.bmp"), VKE_OK);
    EXPECT_EQ(counts, std::vector<std::string>{"none"});
    view->CloseAll();

    counts.clear();
    EXPECT_EQ(OpenInBracket(dir.Path()), VKE_OK);
    EXPECT_EQ(counts, (std::vector<std::string>{"none", "2", "3"}));
    EXPECT_EQ(app->IsThreadAlive(), 0);
    EXPECT_TRUE(main->IsWindowEnabled()) << "the frame is enabled again";
    EXPECT_EQ(view->pages.size(), 3u);
    view->CloseAll();

    // Abort pressed while the second file opens: the batch stops before the third, quietly.
    view->onOpen = [&](const char*) {
        HWND dlg = app->GetOpnStsDlg().m_hWnd;
        if (!dlg) return;
        PostMessageA(::GetDlgItem(dlg, IDC_DLGOPNSTS_ABORT), BM_CLICK, 0, 0);
        for (DWORD start = GetTickCount(); !app->GetOpnStsDlg().IsAborted() && GetTickCount() - start < 5000;)
            Sleep(5);
    };
    VktMsgBox answer({IDOK});
    EXPECT_EQ(app->BeginOpenFile(), VKE_OK);
    int rc = app->OpenFile(dir.Path().c_str(), 0, 0, 0);
    EXPECT_EQ(rc, VKE_STOPPED);
    EXPECT_EQ(app->EndOpenFile(rc), VKE_OK);
    EXPECT_EQ(answer.Count(), 0);
    EXPECT_EQ(view->pages.size(), 2u);
    EXPECT_EQ(app->IsThreadAlive(), 0);
}

// A file whose page fails to open is named with the failure and skipped; the files after it
// still open, from the command line and from a folder; quiet, nothing is said.
TEST_F(OpnTest, AFileThatFailsIsNamedAndTheRestOfTheBatchOpens)
{
    const std::string a = dir / "1.bmp", bad = dir / "2長い.bmp", c = dir / "3.bmp";
    for (const std::string& path : {a, bad, c}) MakeBmp(path, 8, 8, kRed, kBlue);
    view->fails[Full(bad)] = VKE_ERR_CUT;
    const std::string told = "ファイルを開けませんでした。\n\n" + Full(bad) + "\n\n長すぎるため切り詰めたか、範囲を超えています。";

    std::vector<std::string> args = {"Pictavo.exe", a, bad, c};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(&arg[0]);
    VktMsgBox answer({IDOK, IDOK});
    EXPECT_EQ(app->ParseCommandLine(static_cast<int>(argv.size()), argv.data()), VKE_NOT_DONE);
    ASSERT_EQ(view->pages.size(), 2u);
    EXPECT_EQ(std::string(view->pages[1]->GetPathName()), Full(c));
    view->CloseAll();

    EXPECT_EQ(OpenInBracket(dir.Path()), VKE_NOT_DONE);
    EXPECT_EQ(view->pages.size(), 2u);
    ASSERT_EQ(answer.Count(), 2);
    for (const auto& box : answer.Seen()) EXPECT_EQ(box.text, told);
    view->CloseAll();

    EXPECT_EQ(app->BeginOpenFile(), VKE_OK);
    EXPECT_EQ(app->OpenFile(dir.Path().c_str(), 0, 0, 1), VKE_NOT_DONE);
    EXPECT_EQ(app->EndOpenFile(VKE_NOT_DONE), VKE_OK);
    EXPECT_EQ(view->pages.size(), 2u);
    EXPECT_EQ(answer.Count(), 2) << "quiet";
    EXPECT_EQ(Traced("ParseCommandLine") + Traced("OpenFile"), 0);
}

TEST_F(OpnTest, TheSameFileTwiceAsksAndNoSkipsIt)
{
    const std::string path = dir / "同じ.bmp";
    MakeBmp(path, 8, 8, kRed, kBlue);
    VktMsgBox answer({IDNO});
    EXPECT_EQ(app->BeginOpenFile(), VKE_OK);
    EXPECT_EQ(app->OpenFile(path.c_str(), 0, 0, 0), VKE_OK);
    EXPECT_EQ(app->OpenFile(path.c_str(), 0, 0, 0), VKE_NOT_DONE);
    EXPECT_EQ(app->IsThreadAlive(), 1) << "the second file brought the progress dialog";
    EXPECT_EQ(app->IsOpeningBusy(), 1);
    EXPECT_EQ(app->EndOpenFile(VKE_NOT_DONE), VKE_OK);
    EXPECT_EQ(app->IsOpeningBusy(), 0);
    ASSERT_EQ(answer.Count(), 2);
    EXPECT_EQ(answer.Seen()[0].text, "ファイルを既に開いています。\n\n" + Full(path) +
                                         "\n\n開き直すと変更した内容が適用されませんが、よろしいですか？");
    EXPECT_EQ(answer.Seen()[1].text, "ファイルを開いています。\n\n終了後に実行して下さい。");
    EXPECT_EQ(view->pages.size(), 1u);
    // Quietly: the page stays as it is, nothing is asked.
    EXPECT_EQ(app->BeginOpenFile(), VKE_OK);
    EXPECT_EQ(app->OpenFile(path.c_str(), 0, 0, 1), VKE_OK);
    EXPECT_EQ(app->EndOpenFile(VKE_OK), VKE_OK);
    EXPECT_EQ(answer.Count(), 2);
}

TEST_F(OpnTest, ACloseOrAQuitDuringAWaitHappensAfterIt)
{
    for (const char* name : {"1.bmp", "2.bmp"}) MakeBmp(dir / name, 8, 8, kRed, kBlue);
    view->onOpen = [&](const char* path) {
        if (std::string(path).find("1.bmp") != std::string::npos) main->PostMessage(WM_CLOSE);
    };
    EXPECT_EQ(OpenInBracket(dir.Path()), VKE_OK);
    EXPECT_EQ(main->closes, 0) << "not during the bracket";
    Pump();
    EXPECT_EQ(main->closes, 1);
    EXPECT_EQ(main->closesOpening, 0);

    view->CloseAll();
    view->onOpen = [&](const char* path) {
        if (std::string(path).find("1.bmp") != std::string::npos) PostQuitMessage(7);
    };
    EXPECT_EQ(OpenInBracket(dir.Path()), VKE_OK);
    EXPECT_EQ(view->pages.size(), 2u);
    MSG msg = {};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is still to come";
    EXPECT_EQ(msg.wParam, 7u);
}

// The progress dialog destroyed on its own thread before the stop: the abort cannot reach it,
// so the thread is ended through its queue (-1 tells of the fault) and the next batch starts its
// own thread and dialog again.
TEST_F(OpnTest, AStopThatCannotReachTheDialogStillEndsTheThread)
{
    ASSERT_EQ(app->ShowOpnStsDlg(), VKE_OK);
    HWND dlg = app->GetOpnStsDlg().m_hWnd;
    ASSERT_TRUE(dlg && IsWindow(dlg));
    struct Hook {
        static LRESULT CALLBACK Proc(int code, WPARAM remove, LPARAM lParam)
        {
            const MSG* msg = reinterpret_cast<const MSG*>(lParam);
            if (code == HC_ACTION && remove == PM_REMOVE && msg->message == WM_NULL && msg->wParam == 0x5A5A)
                DestroyWindow(msg->hwnd);
            return CallNextHookEx(nullptr, code, remove, lParam);
        }
    };
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, &Hook::Proc, nullptr, GetWindowThreadProcessId(dlg, nullptr));
    ASSERT_TRUE(hook);
    PostMessageA(dlg, WM_NULL, 0x5A5A, 0);
    for (DWORD start = GetTickCount(); IsWindow(dlg) && GetTickCount() - start < 5000;) Sleep(5);
    UnhookWindowsHookEx(hook);
    ASSERT_FALSE(IsWindow(dlg));
    EXPECT_EQ(app->IsThreadAlive(), 1) << "the thread outlives its dialog";

    EXPECT_EQ(app->HideOpnStsDlg(), VKE_ERR_SYSTEM);
    EXPECT_EQ(app->IsThreadAlive(), 0);
    EXPECT_TRUE(main->IsWindowEnabled());
    EXPECT_EQ(Traced("WaitThread"), 1);
    ASSERT_EQ(app->ShowOpnStsDlg(), VKE_OK);
    EXPECT_EQ(app->IsThreadAlive(), 1);
    EXPECT_EQ(app->HideOpnStsDlg(), VKE_OK);
    EXPECT_EQ(app->IsThreadAlive(), 0);
}

TEST_F(OpnTest, RefusalsAndMessagesOfOpenFile)
{
    VktMsgBox answer({IDOK, IDOK, IDCANCEL, IDOK, IDCANCEL});
    EXPECT_EQ(app->OpenFile(nullptr, 0, 0, 0), VKE_ERR_ARG);
    EXPECT_EQ(app->OpenFile("", 0, 0, 0), VKE_ERR_ARG);
    EXPECT_EQ(app->OpenFile("x", 2, 0, 0), VKE_ERR_ARG);
    EXPECT_EQ(Traced("OpenFile"), 3);

    const std::string missing = dir / "無い.bmp";
    EXPECT_EQ(OpenInBracket(missing), VKE_NOT_DONE);
    EXPECT_EQ(app->OpenFile(missing.c_str(), 0, 0, 1), VKE_NOT_DONE) << "quiet";

    // The auto-save folder (its name written otherwise in letter case, its 表 ending in 0x5C)
    // and a file in it: OK skips, Cancel stops.
    const std::string ats = dir / "Auto表";
    ASSERT_TRUE(CreateDirectoryA(ats.c_str(), nullptr));
    MakeBmp(ats + "\\in.bmp", 8, 8, kRed, kBlue);
    VkeSubSetAppMemStr(theCmnAppInf.pSub, &theAppInf.sopSvi.amAtsDir, (dir / "AUTO表\\").c_str());
    EXPECT_EQ(OpenInBracket(ats), VKE_NOT_DONE);
    EXPECT_EQ(OpenInBracket(ats), VKE_STOPPED);
    EXPECT_EQ(OpenInBracket(ats + "\\in.bmp"), VKE_NOT_DONE);
    EXPECT_EQ(OpenInBracket(ats + "\\in.bmp"), VKE_STOPPED);
    ASSERT_EQ(answer.Count(), 5);
    EXPECT_EQ(answer.Seen()[0].text, "ファイルが見つかりません。\n\n" + Full(missing));
    EXPECT_EQ(answer.Seen()[1].text, "自動保存ディレクトリは指定できません。\n\n" + Full(ats));
    EXPECT_EQ(answer.Seen()[3].text, "自動保存ディレクトリ下のファイルは指定できません。\n\n" + Full(ats + "\\in.bmp"));
    EXPECT_TRUE(view->pages.empty());

    // Entered as a sub-folder only with the setting; then the auto-save folder is left out.
    MakeBmp(dir / "top.bmp", 8, 8, kRed, kBlue);
    const std::string sub = dir / "下";
    ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
    MakeBmp(sub + "\\deep.bmp", 8, 8, kRed, kBlue);
    theAppInf.sopShi.bOpnSubDir = 0;
    EXPECT_EQ(OpenInBracket(dir.Path()), VKE_OK);
    EXPECT_EQ(view->pages.size(), 1u);
    view->CloseAll();
    theAppInf.sopShi.bOpnSubDir = 1;
    EXPECT_EQ(app->BeginOpenFile(), VKE_OK);
    EXPECT_EQ(app->OpenFile(dir.Path().c_str(), 0, 0, 1), VKE_NOT_DONE);
    EXPECT_EQ(app->EndOpenFile(VKE_NOT_DONE), VKE_OK);
    EXPECT_EQ(view->pages.size(), 2u);
    EXPECT_EQ(answer.Count(), 5) << "quiet";
}

TEST_F(OpnTest, TheCommandLineOpensItsFilesAndSaysWhichOneCannotBeRead)
{
    const std::string a = dir / "a.bmp", b = dir / "b.bmp", bad = dir / "壊れ.jpg", opi = dir / "open.csv";
    MakeBmp(a, 8, 8, kRed, kBlue);
    MakeBmp(b, 8, 8, kRed, kBlue);
    ASSERT_TRUE(VktWriteFile(bad, "text"));
    ASSERT_TRUE(VktWriteFile(opi, std::string(VkaSubOpi::GetHeader())));
    std::string missing = dir / "missing.bmp", folder = dir.Path();
    std::vector<std::string> args = {"Pictavo.exe", "-x", "/LC", "-i", missing, folder, a, b, bad};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(&arg[0]);

    // "-i" alone makes the first named file open information (a bitmap: a malformed header,
    // which its reading tells once; the end of the bracket does not tell it again).
    VktMsgBox answer({IDOK, IDOK});
    EXPECT_EQ(app->ParseCommandLine(static_cast<int>(argv.size()), argv.data()), VKE_ERR_MSGFILE);
    EXPECT_EQ(view->opi, Full(a) + " 0 0");
    ASSERT_EQ(view->pages.size(), 1u);
    EXPECT_EQ(std::string(view->pages[0]->GetPathName()), Full(b));
    EXPECT_EQ(view->cur, 0);
    ASSERT_EQ(answer.Count(), 2);
    EXPECT_EQ(answer.Seen()[0].text, "正しく読み込めなかった行があります。\n\n" + Full(a));
    EXPECT_EQ(answer.Seen()[1].text, "ファイルを開けませんでした。\n\n" + Full(bad));
    EXPECT_EQ(Traced("ParseCommandLine"), 0);

    view->CloseAll();
    args = {"Pictavo.exe", "/ikl", opi, a, b};
    argv.clear();
    for (std::string& arg : args) argv.push_back(&arg[0]);
    EXPECT_EQ(app->ParseCommandLine(static_cast<int>(argv.size()), argv.data()), VKE_OK);
    EXPECT_EQ(view->opi, Full(opi) + " 1 1");
    EXPECT_EQ(view->pages.size(), 2u);
    EXPECT_EQ(app->ParseCommandLine(1, argv.data()), VKE_OK);
    EXPECT_EQ(app->ParseCommandLine(2, nullptr), VKE_ERR_ARG);
    EXPECT_EQ(answer.Count(), 2);
}

TEST_F(OpnTest, PastedFileListsAndImagesBecomePages)
{
    const std::string a = dir / "a.bmp", b = dir / "b.bmp";
    MakeBmp(a, 8, 8, kRed, kBlue);
    MakeBmp(b, 16, 8, kRed, kBlue);
    ASSERT_TRUE(PutDropList(main->m_hWnd, {a, b}));
    int count = -1;
    EXPECT_EQ(app->PasteDropFiles(main->m_hWnd, 1, 0, &count), VKE_OK);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(view->pages.size(), 2u);
    EXPECT_EQ(view->pages[1]->GetPastedFlag(), 1);

    // While a bracket is open nothing more is opened.
    EXPECT_EQ(app->BeginOpenFile(), VKE_OK);
    EXPECT_EQ(app->PasteDropFiles(main->m_hWnd, 1, 0, &count), VKE_NOT_DONE);
    EXPECT_EQ(app->PasteDIB(main->m_hWnd), VKE_NOT_DONE);
    EXPECT_EQ(app->EndOpenFile(VKE_OK), VKE_OK);
    EXPECT_EQ(view->pages.size(), 2u);

    // An image on the clipboard: a new page "新規_1", pasted and modified.
    HBITMAP image = nullptr;
    int type = 0;
    float xRes = 0, yRes = 0;
    int known = 0;
    ASSERT_EQ(theCmnImg.OpenImage(b.c_str(), &image, &type, &xRes, &yRes, &known), VKE_OK);
    ASSERT_EQ(theCmnImg.CopyDIBToClb(main->m_hWnd, image), VKE_OK);
    theCmnImg.CloseImage(&image);
    EXPECT_EQ(app->PasteDIB(main->m_hWnd), VKE_OK);
    ASSERT_EQ(view->pages.size(), 3u);
    DlgImg* page = view->pages[2];
    EXPECT_EQ(std::string(page->GetTitle()), "新規_1");
    EXPECT_EQ(page->GetIci()->pthImg.iWidth, 16);
    EXPECT_EQ(page->GetPastedFlag(), 1);
    EXPECT_EQ(page->GetModifiedFlag(), 1);

    // Nothing on the clipboard: no empty page stays, the bracket says why.
    OpenClipboard(main->m_hWnd);
    EmptyClipboard();
    CloseClipboard();
    VktMsgBox answer({IDOK});
    EXPECT_EQ(app->PasteDIB(main->m_hWnd), VKE_ERR_NOT_FOUND);
    EXPECT_EQ(view->pages.size(), 3u);
    EXPECT_EQ(answer.Count(), 1);
}

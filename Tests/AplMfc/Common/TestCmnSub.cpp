// The utility services: messages with and without the engine, colours and fonts by window kind,
// size and padded texts, the current folder, paths and item-id lists, the system image list.
#include "TestAplCmn.h"
#include "CmnRes.h"
#include <commctrl.h>
#include <atomic>
#include <thread>

namespace {

CString Loaded(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

std::string EngineText(int code)
{
    char text[VKE_MSG_SIZE] = {};
    VkeSubGetErrMsg(theCmnAppInf.pSub, code, text);
    return text;
}

} // namespace

TEST_F(AppTest, MessageTextsWithAndWithoutTheEngine)
{
    // No engine: only the start-up messages.
    EXPECT_EQ(theCmnSub.GetMsgStr(-14), "");
    EXPECT_EQ(theCmnSub.GetMsgStr(3), "");
    EXPECT_EQ(theCmnSub.GetMsgStr(27576), Loaded(IDS_CMN_SYS_MEMORY));
    EXPECT_EQ(theCmnSub.GetMsgStr(27579), "システムは既に実行中です。\n\nこちらの画面で処理を行なって下さい。");
    {
        VktMsgBox answer;
        EXPECT_EQ(theCmnSub.MsgBoxById(3, MB_OK), IDOK);
        EXPECT_EQ(answer.Count(), 0) << "an empty text shows no box";
    }

    // A system object without its utility object: the program's own texts for status codes.
    ASSERT_EQ(VkeSysAllocByDefault(&theCmnAppInf.pSys), 0);
    EXPECT_EQ(theCmnSub.GetMsgStr(-14), "入力された値が正しくありません。");
    EXPECT_EQ(theCmnSub.GetMsgStr(-36), Loaded(IDS_CMN_INPUT_WRONG));
    EXPECT_EQ(theCmnSub.GetMsgStr(-13), Loaded(IDS_CMN_SYS_MEMORY));
    EXPECT_EQ(theCmnSub.GetMsgStr(3), "");
    EXPECT_EQ(theCmnSub.GetMsgStr(26598), "%s バイト");
    VkeSysFree(&theCmnAppInf.pSys);

    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(std::string(theCmnSub.GetMsgStr(-14)), EngineText(-14));
    EXPECT_EQ(std::string(theCmnSub.GetMsgStr(3)), EngineText(3));
    char nine[VKE_MSG_SIZE];
    VkeSubGetMsg(theCmnAppInf.pSub, 9, nine);
    EXPECT_EQ(theCmnSub.GetMsgStr(9), nine);
    EXPECT_EQ(theCmnSub.GetMsgStr(27587), "プリンタの設定でエラーが起こりました。");
    EXPECT_EQ(theCmnSub.GetMsgStr(-40), "");
    // A failed parameter check names its own message for every negative code.
    theCmnAppInf.iChkMsg = 20;
    char twenty[VKE_MSG_SIZE];
    VkeSubGetMsg(theCmnAppInf.pSub, 20, twenty);
    EXPECT_EQ(theCmnSub.GetMsgStr(-9), twenty);
    theCmnAppInf.iChkMsg = 0;
}

TEST_F(AppTest, ABoxIsNeverOpenedInsideAnother)
{
    ASSERT_EQ(Start(), 0);
    VktMsgBox answer({IDNO});
    int inner = -1;
    answer.OnOpen = [&](HWND) { inner = theCmnSub.MsgBox("二つ目", MB_OK); };
    EXPECT_EQ(theCmnSub.MsgBoxById(27578, MB_YESNO), IDNO);
    EXPECT_EQ(inner, 0);
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_EQ(answer.Seen()[0].text, "システムの初期化でエラーが起こりました。");
    EXPECT_EQ(answer.Seen()[0].caption, "TestAplCmn") << "the engine titles its boxes with the program's name";
    EXPECT_EQ(theCmnSub.MsgBox(static_cast<const char*>(nullptr), MB_OK), 0);
}

TEST_F(AppTest, EachWindowKindReadsItsOwnColoursAndFont)
{
    ASSERT_EQ(Start(), 0);
    CmnAppInf& inf = theCmnAppInf;
    // strColor_n holds grey n, strFont_n a font n pixels high.
    for (int i = 0; i < CmnColorCnt; ++i) snprintf(inf.strColor[i], CmnPathSize, "%d, %d, %d", i + 1, i + 1, i + 1);
    LOGFONTA font = {};
    snprintf(font.lfFaceName, sizeof(font.lfFaceName), "MS UI Gothic");
    for (int i = 0; i < CmnFontCnt; ++i) {
        font.lfHeight = -(i + 1);
        ASSERT_EQ(theCmnSub.SetFont(inf.strFont[i], CmnPathSize, &font), 0);
    }
    const struct {
        int kind, subKind, text, back, textBack, font;
    } kinds[] = {
        {CmnKndTab, 0, 5, 6, 6, 1},     {CmnKndReb, 0, 7, 8, 8, 2},     {CmnKndDlb, 0, 9, 10, 10, 3},
        {CmnKndNon, 0, 11, 12, 12, 4},  {CmnKndDlg, 0, 13, 14, 14, 5},  {CmnKndCtl, 1, 15, 16, 16, 6},
        {CmnKndCtl, 2, 17, 18, 18, 7},  {CmnKndCtl, 3, 19, 20, 20, 8},  {CmnKndCtl, 4, 21, 22, 22, 9},
        {CmnKndCtl, 5, 23, 24, 24, 10}, {CmnKndDra, 0, 25, 26, 26, 11}, {CmnKndApl, 0, 29, 30, 30, 12},
        {CmnKndTrc, 0, 31, 32, 32, 13}, {CmnKndLsc, 0, 33, 34, 35, 14},
    };
    for (const auto& k : kinds) {
        SCOPED_TRACE(testing::Message() << std::hex << k.kind << " " << k.subKind);
        COLORREF color = 0;
        ASSERT_EQ(theCmnSub.GetTextColor(k.kind, k.subKind, &color), 0);
        EXPECT_EQ(color, RGB(k.text, k.text, k.text));
        ASSERT_EQ(theCmnSub.GetBackColor(k.kind, k.subKind, &color), 0);
        EXPECT_EQ(color, RGB(k.back, k.back, k.back));
        ASSERT_EQ(theCmnSub.GetTextBackColor(k.kind, k.subKind, &color), 0);
        EXPECT_EQ(color, RGB(k.textBack, k.textBack, k.textBack));
        ASSERT_EQ(theCmnSub.GetFont(k.kind, k.subKind, &font), 0);
        EXPECT_EQ(font.lfHeight, -k.font);
    }
    COLORREF color = 0;
    EXPECT_EQ(theCmnSub.GetSetFocusColor(CmnKndDra, 0, &color), 0);
    EXPECT_EQ(color, RGB(27, 27, 27));
    EXPECT_EQ(theCmnSub.GetKillFocusColor(CmnKndDra, 0, &color), 0);
    EXPECT_EQ(color, RGB(28, 28, 28));
    EXPECT_EQ(theCmnSub.GetTextColor(CmnKndCtl, 6, &color), -9);
    EXPECT_EQ(theCmnSub.GetBackColor(0x2, 0, &color), -9);
    EXPECT_EQ(theCmnSub.GetSetFocusColor(CmnKndTab, 0, &color), -9);
    EXPECT_EQ(theCmnSub.GetColor("256, 0, 0", &color), -36);
    EXPECT_EQ(color, 0u);
}

TEST_F(AppTest, DefaultColoursAndFonts)
{
    ASSERT_EQ(Start(), 0);
    char text[64];
    COLORREF color = 1;
    const struct {
        int index;
        COLORREF expected;
    } colours[] = {{3, 0x3C5A60}, {6, GetSysColor(COLOR_BTNTEXT)}, {15, GetSysColor(COLOR_BTNFACE)}, {34, 0xFFFFFF}};
    for (const auto& c : colours) {
        ASSERT_EQ(theCmnSub.GetDflColor(c.index, text, sizeof(text), &color), 0) << c.index;
        EXPECT_EQ(color, c.expected) << c.index;
        COLORREF read = 0;
        EXPECT_EQ(theCmnSub.GetColor(text, &read), 0);
        EXPECT_EQ(read, c.expected);
    }
    ASSERT_EQ(VkeDrwGetHdrSelectedColor(theCmnAppInf.pDrw, &color), 0);
    EXPECT_EQ(color, 0x3C5A60u) << "the first four are the engine's state colours";
    EXPECT_EQ(theCmnSub.GetDflColor(35, text, sizeof(text), &color), -9);
    EXPECT_EQ(theCmnSub.GetDflColor(0, text, 0, &color), -9);

    char fontText[CmnPathSize];
    LOGFONTA font;
    ASSERT_EQ(theCmnSub.GetDflFont(12, fontText, sizeof(fontText)), 0);
    ASSERT_EQ(theCmnSub.GetFont(fontText, &font), 0);
    EXPECT_STREQ(font.lfFaceName, "MS UI Gothic");
    ASSERT_EQ(theCmnSub.GetDflFont(4, fontText, sizeof(fontText)), 0);
    ASSERT_EQ(theCmnSub.GetFont(fontText, &font), 0);
    EXPECT_STREQ(font.lfFaceName, "ＭＳ Ｐゴシック");
    EXPECT_EQ(theCmnSub.GetDflFont(14, fontText, sizeof(fontText)), -9);
}

TEST_F(AppTest, SizeTextsOfFilesAndADrive)
{
    ASSERT_EQ(Start(), 0);
    VktTempDir temp;
    const struct {
        int bytes, mode;
        const char* text;
        double shown;
    } cases[] = {
        {0, 0, "0 KB", 0},        {1023, 0, "1 KB", 1},   {1536, 0, "2 KB", 2},
        {0, 1, "0 バイト", 0},    {1023, 1, "1023 バイト", 1023}, {1536, 1, "2 KB", 2},
        {1536 * 1024, 0, "1,536 KB", 1536}, {1536 * 1024, 1, "2 MB", 2},
    };
    for (const auto& c : cases) {
        std::string path = temp / ("表" + std::to_string(c.bytes));
        ASSERT_TRUE(VktWriteFile(path, std::string(static_cast<size_t>(c.bytes), 'x')));
        double shown = -1;
        EXPECT_EQ(theCmnSub.GetFileSizeStr(path.c_str(), c.mode, &shown), c.text) << c.bytes << " " << c.mode;
        EXPECT_EQ(shown, c.shown);
    }
    double shown = -1;
    std::string drive(theCmnSub.GetFileSizeStr("C:", 1, &shown));
    EXPECT_GT(shown, 0);
    EXPECT_TRUE(drive.find(" GB") != std::string::npos || drive.find(" TB") != std::string::npos ||
                drive.find(" MB") != std::string::npos)
        << drive;
    EXPECT_EQ(theCmnSub.GetFileSizeStr((temp / "none").c_str(), 1, &shown), "");
    EXPECT_EQ(theCmnSub.GetFileSizeStr("", 1, &shown), "");
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(theCmnSub.GetFileSizeStr("C:", 2, &shown), "");
}

TEST_F(AppTest, NumbersAndPaddedTexts)
{
    ASSERT_EQ(Start(), 0);
    int w = 0, h = 0;
    const struct {
        int mode, num, den, width, height, w, h;
    } sizes[] = {{1, 1, 2, 5, -5, 3, -3}, {2, 1, 2, 5, -5, 2, -2}, {3, 1, 3, 4, -4, 2, -2}, {1, 3, 1, 7, 0, 21, 0}};
    for (const auto& s : sizes) {
        ASSERT_EQ(theCmnSub.GetSize(s.mode, s.num, s.den, s.width, s.height, &w, &h), 0);
        EXPECT_EQ(w, s.w) << s.mode;
        EXPECT_EQ(h, s.h) << s.mode;
    }
    EXPECT_EQ(theCmnSub.GetSize(4, 1, 1, 1, 1, &w, &h), -9);

    EXPECT_EQ(theCmnSub.GetFixedLenStr("abc", 5), "abc  ");
    EXPECT_EQ(theCmnSub.GetFixedLenStr("表示", 3), "表 ") << "no half character";
    EXPECT_EQ(theCmnSub.GetFixedLenStr("abc", 0), "");
    EXPECT_EQ(theCmnSub.GetTabbedStr("abcde", 12), "abcde\t\t");
    EXPECT_EQ(theCmnSub.GetTabbedStr("abcdefgh", 8), "abcdefgh\t");
    EXPECT_EQ(theCmnSub.GetTabbedStr("abcdefgh", 7), "");
}

TEST_F(AppTest, ComparedPathsWalkCharacters)
{
    const struct {
        const char* p;
        const char* q;
        int result;
    } cases[] = {
        {"C:\\A", "C:\\A\\B", -1},    {"C:\\A", "C:\\AB", -2},      {"", "", -3},
        {"", "C:\\A", -4},            {"C:\\A", "", -5},            {"C:\\A\\B", "C:\\A", 1},
        {"C:\\A", "C:\\A", 0},        {"C:\\B", "C:\\A", 2},        {"C:\\表", "C:\\表\\示", -1},
        {"C:\\\x95", "C:\\表", -2}, // the 0x5C after the prefix is the second byte of 表
        {"C:\\表示", "C:\\\x95", 2},
    };
    for (const auto& c : cases) EXPECT_EQ(theCmnSub.CmpPathName(c.p, c.q), c.result) << c.p << " | " << c.q;
    EXPECT_EQ(theCmnSub.CmpPathName(nullptr, "C:\\A"), 0);
}

TEST_F(AppTest, CurrentFolderIsTheNearestExistingFolder)
{
    ASSERT_EQ(Start(), 0);
    VktTempDir temp;
    CreateDirectoryA((temp / "表").c_str(), nullptr);
    ASSERT_TRUE(VktWriteFile(temp / "表\\file.txt", "x"));
    EXPECT_EQ(theCmnSub.SetCurDir((temp / "表\\file.txt").c_str()), 0);
    EXPECT_EQ(std::string(theCmnSub.GetCurDir()), temp / "表");
    EXPECT_EQ(theCmnSub.SetCurDir((temp / "none\\deeper").c_str()), 0);
    EXPECT_EQ(std::string(theCmnSub.GetCurDir()), temp.Path());
    EXPECT_EQ(theCmnSub.SetCurDir("\\\\"), 1);
    EXPECT_EQ(std::string(theCmnSub.GetCurDir()), temp.Path()) << "the network root changes nothing";
    SetCurrentDirectoryA(Sys("").c_str());
}

TEST_F(AppTest, ItemIdListsOfATemporaryTree)
{
    ASSERT_EQ(Start(), 0);
    VktTempDir temp;
    const std::string parentPath = temp / "表示", childPath = temp / "表示\\ソ能", filePath = temp / "表示\\ポ.txt";
    CreateDirectoryA(parentPath.c_str(), nullptr);
    CreateDirectoryA(childPath.c_str(), nullptr);
    ASSERT_TRUE(VktWriteFile(filePath, "x"));

    CmnIdl child(theCmnSub.GetItemIdList(childPath.c_str()));
    ASSERT_NE(child.Get(), nullptr);
    EXPECT_EQ(std::string(theCmnSub.GetPathName(child)), childPath);
    CmnIdl file(theCmnSub.GetItemIdList(filePath.c_str()));
    ASSERT_NE(file.Get(), nullptr);
    EXPECT_EQ(std::string(theCmnSub.GetPathName(file)), filePath);
    int normal = 0;
    char full[CmnPathSize];
    EXPECT_EQ(theCmnSub.IsNormalFile(file.Get(), full, sizeof(full), &normal), 0);
    EXPECT_EQ(normal, 1);
    CmnIdl drive(theCmnSub.GetItemIdList("C:"));
    EXPECT_EQ(std::string(theCmnSub.GetPathName(drive)), "C:\\");

    // A path is asked of the item's folder, kept bound between calls: items of other folders in
    // turn; the desktop's own folder; the computer has none.
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(std::string(theCmnSub.GetPathName(drive)), "C:\\");
        EXPECT_EQ(std::string(theCmnSub.GetPathName(file)), filePath);
    }
    LPITEMIDLIST desktop = nullptr, computer = nullptr;
    ASSERT_TRUE(SUCCEEDED(SHGetFolderLocation(nullptr, CSIDL_DESKTOP, nullptr, 0, &desktop)));
    ASSERT_TRUE(SUCCEEDED(SHGetFolderLocation(nullptr, CSIDL_DRIVES, nullptr, 0, &computer)));
    CmnIdl holdDesktop(desktop), holdComputer(computer);
    char desktopPath[MAX_PATH] = {};
    ASSERT_TRUE(SHGetPathFromIDListA(desktop, desktopPath));
    EXPECT_EQ(std::string(theCmnSub.GetPathName(desktop)), desktopPath);
    EXPECT_EQ(std::string(theCmnSub.GetPathName(computer)), "");

    // Threads keep bindings of their own; one that ends with its folder still bound ends too.
    for (bool release : {true, false}) {
        struct Ask {
            LPCITEMIDLIST list;
            bool release;
            std::string path;
        } ask = {file.Get(), release, ""};
        HANDLE thread = CreateThread(
            nullptr, 0,
            [](LPVOID p) -> DWORD {
                Ask* a = static_cast<Ask*>(p);
                a->path = static_cast<const char*>(theCmnSub.GetPathName(a->list));
                if (a->release) theCmnSub.ReleasePathBinding();
                return 0;
            },
            &ask, 0, nullptr);
        ASSERT_NE(thread, nullptr);
        EXPECT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0) << release;
        CloseHandle(thread);
        EXPECT_EQ(ask.path, filePath);
    }

    CmnIdl parent(theCmnSub.GetItemIdListParent(child));
    EXPECT_EQ(std::string(theCmnSub.GetPathName(parent)), parentPath);
    EXPECT_EQ(theCmnSub.CmpItemIdList(parent, child), -1);
    EXPECT_EQ(theCmnSub.CmpItemIdList(child, parent), 1);
    EXPECT_EQ(theCmnSub.CmpItemIdListByPath(parent, child), -1);
    int sibling = theCmnSub.CmpItemIdList(child, file);
    EXPECT_TRUE(sibling == -2 || sibling == 2) << sibling;
    EXPECT_EQ(theCmnSub.CmpItemIdList(child, nullptr), 0);

    // The last item joined to the parent is the child again; a duplicate equals it.
    LPCITEMIDLIST last = child;
    for (LPCITEMIDLIST next = theCmnSub.GetItemIdNext(last); next; next = theCmnSub.GetItemIdNext(last)) last = next;
    CmnIdl joined(theCmnSub.GetItemIdListFull(parent, last));
    EXPECT_EQ(theCmnSub.CmpItemIdList(joined, child), 0);
    CmnIdl copy(theCmnSub.DupItemIdList(child));
    EXPECT_NE(copy.Get(), child.Get());
    EXPECT_EQ(theCmnSub.GetItemIdListSize(copy), theCmnSub.GetItemIdListSize(child));
    EXPECT_EQ(theCmnSub.CmpItemIdList(copy, child), 0);
    EXPECT_EQ(theCmnSub.GetItemIdListSize(last), last->mkid.cb + 2u);
    EXPECT_EQ(theCmnSub.GetItemIdListParent(last), nullptr) << "nothing is left of one item";
    EXPECT_EQ(theCmnSub.FreeItemIdList(nullptr), -9);
    EXPECT_EQ(theCmnSub.GetItemIdList(""), nullptr);
    EXPECT_FALSE(theCmnSub.GetTypeName(filePath.c_str()).IsEmpty());
    HICON icon = theCmnSub.GetIcon(filePath.c_str(), SHGFI_SMALLICON);
    EXPECT_NE(icon, nullptr);
    if (icon) DestroyIcon(icon);
    EXPECT_GE(theCmnSub.GetSysImgLstIcoIdx(filePath.c_str(), SHGFI_SMALLICON), 0);
}

TEST_F(AppTest, TheSystemImageListLeaksNothing)
{
    ASSERT_EQ(Start(), 0);
    for (int i = 0; i < 5; ++i) ASSERT_NE(theCmnSub.GetSystemImageList(SHGFI_SMALLICON), nullptr);
    DWORD before = VktGdiObjects();
    for (int i = 0; i < 200; ++i) theCmnSub.GetSystemImageList(i % 2 ? SHGFI_SMALLICON : SHGFI_LARGEICON);
    EXPECT_LE(VktGdiObjects(), before);
}

TEST_F(AppTest, TheFolderBrowserGivesTheFolderChosen)
{
    ASSERT_EQ(Start(), 0);
    VktTempDir temp;
    VktMsgBox answer({IDOK});
    // A person presses OK once the browser shows the folder selected (it opens the tree down to
    // it in steps; a loaded machine may take many seconds).
    const std::string name = temp.Path().substr(temp.Path().rfind('\\') + 1);
    answer.OnOpen = [&](HWND browser) {
        for (int i = 0; i < 1500 && VktSelectedFolder(browser) != name; ++i) {
            PumpPending();
            Sleep(20);
        }
    };
    EXPECT_EQ(std::string(theCmnSub.SelectDirectory(frame->m_hWnd, temp.Path().c_str(), 0, 0)), temp.Path());
    EXPECT_EQ(std::string(theCmnSub.GetCurDir()), temp.Path());
    EXPECT_EQ(theCmnSub.SelectDirectory(frame->m_hWnd, "", 0, 0), "");

    // A folder below a busy one (the Unix /tmp, where files come and go, so that its access time
    // keeps changing): the browser still opens at it, and its tree takes no new names.
    const std::string pid = std::to_string(GetCurrentProcessId());
    const std::string busy = "Z:\\tmp\\vk-browse-" + pid, inner = busy + "\\深";
    ASSERT_TRUE(CreateDirectoryA(busy.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(inner.c_str(), nullptr));
    std::atomic<bool> churning{true};
    std::thread churn([&] {
        for (int i = 0; churning; ++i) {
            const std::string file = "Z:\\tmp\\vk-churn-" + pid + "-" + std::to_string(i % 4);
            VktWriteFile(file, "x");
            DeleteFileA(file.c_str());
            Sleep(5);
        }
    });
    bool renames = true;
    answer.OnOpen = [&](HWND browser) {
        for (int i = 0; i < 1500 && VktSelectedFolder(browser) != "深"; ++i) {
            PumpPending();
            Sleep(20);
        }
        EnumChildWindows(
            browser,
            [](HWND wnd, LPARAM out) {
                char name[32] = {};
                GetClassNameA(wnd, name, sizeof(name));
                if (strcmp(name, WC_TREEVIEWA) == 0) *reinterpret_cast<bool*>(out) = (GetWindowLongA(wnd, GWL_STYLE) & TVS_EDITLABELS) != 0;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&renames));
    };
    EXPECT_EQ(std::string(theCmnSub.SelectDirectory(frame->m_hWnd, inner.c_str(), 0, 0)), inner);
    churning = false;
    churn.join();
    SetCurrentDirectoryA(Sys("").c_str()); // the folder chosen became the current one
    RemoveDirectoryA(inner.c_str());
    RemoveDirectoryA(busy.c_str());
    EXPECT_FALSE(renames);
}

TEST(CmnSubTypes, UntranslatedFallbacksGetTheNamesWindowsGives)
{
    const struct {
        const char* shell;
        bool folder;
        const char* name;
        const char* local;
    } cases[] = {
        {"Folder", true, "sub", "ファイル フォルダー"},
        {"File folder", true, "sub", "ファイル フォルダー"},
        {"jpg file", false, "a.jpg", "JPG ファイル"},
        {"JPG file", false, "a.jpg", "JPG ファイル"},
        {"png-file", false, "表.png", "PNG ファイル"},
        {"File", false, "README", "ファイル"},
        {"JPEG イメージ", false, "a.jpg", "JPEG イメージ"},  // a registered type stays
        {"jpg file", false, "a.png", "jpg file"},           // not this item's extension
        {"システム フォルダー", true, "", "システム フォルダー"},
    };
    for (const auto& c : cases) EXPECT_EQ(std::string(CmnSub::LocalTypeName(c.shell, c.folder, c.name)), c.local) << c.shell;
}

TEST_F(AppTest, FocusRequestsGoThroughTheFramesQueue)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 20), frame, 11));
    PumpPending();
    theCmnSub.PostSetFocus(edit.m_hWnd);
    theCmnSub.PostMsgAndFocus(edit.m_hWnd, 27578);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, frame->m_hWnd, CmnWmSetFcs, CmnWmSetFcs, PM_REMOVE));
    EXPECT_EQ(msg.wParam, reinterpret_cast<WPARAM>(edit.m_hWnd));
    ASSERT_TRUE(PeekMessageA(&msg, frame->m_hWnd, CmnWmMsgFcs, CmnWmMsgFcs, PM_REMOVE));
    EXPECT_EQ(msg.wParam, reinterpret_cast<WPARAM>(edit.m_hWnd));
    EXPECT_EQ(msg.lParam, 27578);
    theCmnAppInf.pMainFrame = nullptr;
    theCmnSub.PostSetFocus(edit.m_hWnd);
    EXPECT_FALSE(PeekMessageA(&msg, frame->m_hWnd, CmnWmSetFcs, CmnWmSetFcs, PM_REMOVE)) << "no frame, no request";
}

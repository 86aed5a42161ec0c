// Start and end of the application base object: folders, the user-folder setting, the switches,
// the diagnostics files and the repaired colours and fonts.
#include "TestAplCmn.h"

namespace {

std::string CurrentDir()
{
    char dir[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof(dir), dir);
    return dir;
}

// A drive letter Wine does not map.
std::string LostDrive()
{
    DWORD drives = GetLogicalDrives();
    for (char letter = 'Q'; letter <= 'Y'; ++letter)
        if (!(drives & (1u << (letter - 'A')))) return std::string(1, letter) + ":\\Pictavo";
    return "Q:\\Pictavo";
}

} // namespace

TEST_F(AppTest, StartMakesTheFoldersInPlaceOfFilesAndStops)
{
    EXPECT_STREQ(app->m_pszProfileName, Sys("Pictavo.ini").c_str());
    ASSERT_NE(app->m_pRecentFileList, nullptr);
    EXPECT_EQ(app->m_pRecentFileList->GetSize(), 10);
    for (const char* name : {"Vkt", "Usr", "Tmp"}) ASSERT_TRUE(VktWriteFile(Sys(name), "x"));
    ASSERT_EQ(Start(), 0);
    const CmnAppInf& inf = theCmnAppInf;
    EXPECT_EQ(inf.bInit, 1);
    ASSERT_NE(inf.pSub, nullptr);
    EXPECT_NE(inf.pDrw, nullptr);
    std::string sysDir = Sys("");
    sysDir.pop_back();
    EXPECT_STREQ(inf.amSysDir, sysDir.c_str());
    EXPECT_STREQ(inf.amWrkDir, Sys("Vkt").c_str());
    EXPECT_STREQ(inf.strUsrDir, Sys("Usr").c_str());
    EXPECT_STREQ(inf.amTmpDir, Sys("Tmp").c_str());
    for (const char* name : {"Vkt", "Usr", "Tmp"}) EXPECT_TRUE(IsFolder(Sys(name))) << name;
    // The current folder is the user folder; no window rectangle was saved: the default one.
    EXPECT_STREQ(inf.strCurDir, Sys("Usr").c_str());
    EXPECT_EQ(CurrentDir(), Sys("Usr"));
    EXPECT_GT(inf.rctWindow.right, inf.rctWindow.left);
    EXPECT_GT(inf.rctWindow.bottom, inf.rctWindow.top);

    // A second start changes nothing.
    VkiSys* sys = inf.pSys;
    EXPECT_EQ(Start(), -7);
    EXPECT_EQ(inf.pSys, sys);
    EXPECT_EQ(inf.bInit, 1);

    app->Term();
    EXPECT_EQ(inf.pSys, nullptr);
    EXPECT_EQ(inf.pSub, nullptr);
    EXPECT_EQ(inf.pMainFrame, nullptr);
    EXPECT_EQ(inf.bInit, 0);
    app->Term(); // runs once
    EXPECT_EQ(Start(), -7) << "the engine stays ended after Term";
}

TEST_F(AppTest, WithoutAMainFrameTheStartFails)
{
    theCmnAppInf.pMainFrame = nullptr;
    EXPECT_EQ(Start(), -1);
    EXPECT_EQ(theCmnAppInf.pSys, nullptr);
}

TEST_F(AppTest, TheUserFolderSettingFallsBackToUsrWhenItCannotBeAFolder)
{
    VktTempDir temp;
    ASSERT_TRUE(VktWriteFile(temp / "file.txt", "x"));
    const std::string missing = temp / "表示\\新規";
    const struct {
        const char* what;
        std::string setting;
        std::string expected;
    } cases[] = {
        {"an existing folder", temp.Path(), temp.Path()},
        {"a missing folder (with a trail byte 0x5C)", missing, missing},
        {"a file", temp / "file.txt", Sys("Usr")},
        {"a lost drive", LostDrive(), Sys("Usr")},
        {"300 characters", "C:\\" + std::string(297, 'a'), Sys("Usr")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Restart();
        snprintf(theCmnAppInf.strUsrDir, CmnPathSize, "%s", c.setting.c_str());
        ASSERT_EQ(Start(), 0);
        EXPECT_STREQ(theCmnAppInf.strUsrDir, c.expected.c_str());
        EXPECT_TRUE(IsFolder(c.expected));
        EXPECT_STREQ(theCmnAppInf.strCurDir, c.expected.c_str());
    }
    EXPECT_TRUE(Exists(temp / "file.txt")) << "a file named as the user folder is left alone";
}

TEST_F(AppTest, LogSwitchesAreExactAndLcDeletesOldLogs)
{
    const struct {
        const char* arg;
        int log;
        bool oldKept;
    } cases[] = {{"-l", 1, true}, {"/lc", 1, false}, {"-L", 0, true}, {"-lx", 0, true}, {"l", 0, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arg);
        Restart();
        CreateDirectoryA(Sys("Tmp").c_str(), nullptr);
        const std::string old = Sys("Tmp\\Vke1_Log.txt"), other = Sys("Tmp\\Vke1_Trc.txt");
        ASSERT_TRUE(VktWriteFile(old, "old"));
        ASSERT_TRUE(VktWriteFile(other, "old"));
        char exe[] = "TestAplCmn.exe";
        char arg[16];
        snprintf(arg, sizeof(arg), "%s", c.arg);
        char* argv[] = {exe, arg};
        app->ReadSwitches(2, argv);
        EXPECT_EQ(theCmnAppInf.bLog, c.log);
        ASSERT_EQ(Start(), 0);
        EXPECT_EQ(Exists(old), c.oldKept);
        EXPECT_TRUE(Exists(other));
        if (c.log) {
            const char* path = theCmnAppInf.logParam.amPath;
            EXPECT_EQ(std::string(path).rfind(Sys("Tmp\\Vke"), 0), 0u) << path;
            EXPECT_TRUE(Exists(path)) << path;
            EXPECT_EQ(VkeSubWriteLog(theCmnAppInf.pSub, "表示"), 0);
            EXPECT_NE(VktReadFile(path).find("表示"), std::string::npos);
        }
    }
}

TEST_F(AppTest, AFailureReachesTheTraceFile)
{
    theCmnAppInf.bTrace = 1;
    ASSERT_EQ(Start(), 0);
    std::string path = theCmnAppInf.trcParam.amPath;
    EXPECT_EQ(path.rfind(Sys("Tmp\\Vke"), 0), 0u) << path;
    EXPECT_EQ(path.substr(path.size() - 8), "_Trc.txt");
    app->SetDefWinRct(nullptr);
    std::string text = VktReadFile(path);
    EXPECT_NE(text.find("Func (SetDefWinRct)"), std::string::npos) << text;
    app->Term();
    EXPECT_TRUE(Exists(path)) << "a trace with a report stays";
}

TEST_F(AppTest, UnreadableColoursFontsAndScrollSizesTakeTheirDefaults)
{
    CmnAppInf& inf = theCmnAppInf;
    snprintf(inf.strColor[0], CmnPathSize, "1, 2, 3");
    snprintf(inf.strColor[2], CmnPathSize, "赤");
    snprintf(inf.strFont[0], CmnPathSize, "0102");
    inf.iScrSize[0] = 7;
    inf.iScrSize[4] = -3;
    ASSERT_EQ(Start(), 0);
    EXPECT_STREQ(inf.strColor[0], "1, 2, 3");
    EXPECT_STREQ(inf.strColor[2], "160, 160, 255");
    COLORREF color = 0;
    ASSERT_EQ(VkeDrwGetSelectedColor(inf.pDrw, &color), 0);
    EXPECT_EQ(color, 0xFFA0A0u);
    ASSERT_EQ(VkeDrwGetErrorColor(inf.pDrw, &color), 0);
    EXPECT_EQ(color, RGB(1, 2, 3));
    for (int i = 0; i < CmnColorCnt; ++i) EXPECT_EQ(theCmnSub.GetColor(inf.strColor[i], &color), 0) << i;
    LOGFONTA font;
    for (int i = 0; i < CmnFontCnt; ++i) EXPECT_EQ(theCmnSub.GetFont(inf.strFont[i], &font), 0) << i;
    char face[VKE_MSG_SIZE];
    VkeSubGetMsg(inf.pSub, 49, face);
    ASSERT_EQ(theCmnSub.GetFont(inf.strFont[0], &font), 0);
    EXPECT_STREQ(font.lfFaceName, face);
    EXPECT_EQ(inf.iScrSize[0], 7);
    EXPECT_EQ(inf.iScrSize[4], 1);
    EXPECT_EQ(inf.iScrSize[7], 1);
}

TEST_F(AppTest, NoMessageBoxWithoutTheEngine)
{
    VktMsgBox answer({IDCANCEL});
    EXPECT_EQ(app->DoMessageBox("表示", MB_OKCANCEL, 0), IDOK);
    EXPECT_EQ(answer.Count(), 0);
    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(app->DoMessageBox("表示", MB_OKCANCEL, 0), IDCANCEL);
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_EQ(answer.Seen()[0].text, "表示");
}

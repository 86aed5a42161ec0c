// The system object started over a test system folder: start-up, names and folders, single
// instance, properties, printing flags and print sizes.
#include "VktSys.h"
#include "VkiSub.h" // reads the draw object a utility object was given
#include <limits.h>
#include <locale.h>
#include <string.h>

namespace {

bool IsFolder(const std::string& path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string LongPath(const std::string& path)
{
    char buf[MAX_PATH] = {};
    GetLongPathNameA(path.c_str(), buf, sizeof(buf));
    return buf;
}

std::string Text(int (*get)(VkiSys*, char*, int), VkiSys* sys)
{
    char buf[1024] = {};
    EXPECT_EQ(get(sys, buf, sizeof(buf)), 0);
    return buf;
}

// Starts the trace of a utility object on a file, so that failures before Init can be read.
std::string TraceTo(VkiSub* sub, const std::string& path)
{
    TraceParam t;
    VkeSubInitTraceParam(sub, &t);
    snprintf(t.amPath, sizeof(t.amPath), "%s", path.c_str());
    t.iOn = 1;
    EXPECT_EQ(VkeSubInitTrace(sub, &t), 0);
    return path;
}

class Sys : public VktSysFixture {};

} // namespace

TEST_F(Sys, StartsOverTheSystemFolder)
{
    std::string dir = LongPath(env->Dir());
    EXPECT_EQ(_stricmp(Text(VkeSysGetSystemDir, sys).c_str(), dir.c_str()), 0);
    EXPECT_EQ(_stricmp(Text(VkeSysGetTempDir, sys).c_str(), (dir + "\\Tmp").c_str()), 0);
    EXPECT_TRUE(IsFolder(env->Dir() + "\\Tmp"));
    EXPECT_EQ(Text(VkeSysGetSystemName, sys), "Pictavo");
    EXPECT_EQ(Text(VkeSysGetModuleName, sys), "TestEngSys");
    HWND wnd = nullptr;
    EXPECT_EQ(VkeSysGetMainWindowHandle(sys, &wnd), 0);
    EXPECT_EQ(wnd, env->Window());

    // The message file of the system folder is loaded.
    char msg[VKE_MSG_SIZE];
    EXPECT_EQ(VkeSubGetMsg(sub, 21, msg), 0);
    EXPECT_STREQ(msg, "msg 21");
    // The runtime library speaks Japanese.
    const char* locale = setlocale(LC_ALL, nullptr);
    ASSERT_NE(locale, nullptr);
    EXPECT_TRUE(strstr(locale, "932") || strstr(locale, "apan")) << locale;

    // The owned objects know the system object and each other.
    VkiSub* s = nullptr;
    VkiDrw* d = nullptr;
    VkiSys* back = nullptr;
    EXPECT_EQ(VkeSysGetVkeSubPtr(sys, &s), 0);
    EXPECT_EQ(s, sub);
    EXPECT_EQ(VkeSysGetVkeDrwPtr(sys, &d), 0);
    EXPECT_EQ(d, drw);
    ASSERT_NE(drw, nullptr);
    EXPECT_EQ(VkeSubGetVkeSysPtr(sub, &back), 0);
    EXPECT_EQ(back, sys);
    back = nullptr;
    EXPECT_EQ(VkeDrwGetVkeSysPtr(drw, &back), 0);
    EXPECT_EQ(back, sys);
    EXPECT_EQ(VkeSysGetVkeSubPtr(sys, nullptr), -9);
    EXPECT_EQ(VkeSysGetVkeDrwPtr(sys, nullptr), -9);

    // The probe files are gone again.
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((env->Dir() + "\\Tmp\\*").c_str(), &fd);
    int entries = 0;
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (strcmp(fd.cFileName, ".") && strcmp(fd.cFileName, "..")) ++entries;
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    EXPECT_EQ(entries, 0);
}

TEST_F(Sys, CallersUtilityObjectBindsToTheSystemObject)
{
    VkiSub* own = nullptr;
    ASSERT_EQ(VkeSubAlloc(&own), 0);
    VkeSubParam p;
    VkeSubInitParam(own, &p);
    int field = 0, messageNo = 0;
    ASSERT_EQ(VkeSubInit(own, &p, &field, &messageNo), 0);
    EXPECT_EQ(VkeSubSetVkeSysPtr(own, nullptr), -9);
    VktSys idle(false);
    EXPECT_EQ(VkeSubSetVkeSysPtr(own, idle.sys), -6); // kept, but it gives no draw object yet
    VkiSys* back = nullptr;
    EXPECT_EQ(VkeSubGetVkeSysPtr(own, &back), 0);
    EXPECT_EQ(back, idle.sys);
    EXPECT_EQ(own->m_pDrw, nullptr);

    EXPECT_EQ(VkeSubSetVkeSysPtr(own, sys), 0);
    EXPECT_EQ(own->m_pDrw, drw);
    // Its failures now reach the system object's main window.
    env->ClearReports();
    char small[2];
    EXPECT_EQ(VkeSubGetName(own, small, sizeof(small)), -13);
    ASSERT_EQ(env->Reports().size(), 1u);
    EXPECT_EQ(env->Reports()[0].name, "VkeSubGetName");
    VkeSubFree(&own);
}

TEST_F(Sys, InitTwiceTermTwiceAndAgain)
{
    env->ClearReports();
    VkeSysParam param = env->Param();
    int field = 5, messageNo = 5;
    EXPECT_EQ(VkeSysInit(sys, &param, &field, &messageNo), -7);
    EXPECT_EQ(field, 0);
    EXPECT_EQ(messageNo, 0);
    EXPECT_EQ(VkeSysInit(sys, &param, nullptr, &messageNo), -9);
    EXPECT_EQ(env->Reports().size(), 1u); // the -7 is not traced, the -9 is
    EXPECT_EQ(env->Reports()[0].code, -9);

    EXPECT_EQ(VkeSysTerm(sys), 0);
    EXPECT_EQ(VkeSysTerm(sys), 0);
    char buf[16];
    EXPECT_EQ(VkeSysGetSystemName(sys, buf, sizeof(buf)), -6);
    VkiSub* s = nullptr;
    EXPECT_EQ(VkeSysGetVkeSubPtr(sys, &s), -6);
    // The owned objects stay as they were.
    EXPECT_EQ(VkeSubGetMsg(sub, 21, buf), 0);
    EXPECT_EQ(env->Start(), 0);
    EXPECT_EQ(VkeSysGetSystemName(sys, buf, sizeof(buf)), 0);
}

TEST(SysStart, BadSystemFolders)
{
    VktSys env(false);
    std::string trace = TraceTo(env.sub, env / "trace.txt");
    int field = -1, messageNo = -1;

    VkeSysParam param = env.Param();
    snprintf(param.amSystemDir, sizeof(param.amSystemDir), "%s", (env / "missing").c_str());
    EXPECT_EQ(VkeSysInit(env.sys, &param, &field, &messageNo), -9);
    ASSERT_TRUE(VktWriteFile(env / "file", "x"));
    snprintf(param.amSystemDir, sizeof(param.amSystemDir), "%s", (env / "file").c_str());
    EXPECT_EQ(VkeSysInit(env.sys, &param, &field, &messageNo), -9);
    // A bad record fails with its field before anything else happens.
    param = env.Param();
    param.amSystemName[0] = 0;
    EXPECT_EQ(VkeSysInit(env.sys, &param, &field, &messageNo), -9);
    EXPECT_EQ(field, 4);
    EXPECT_EQ(messageNo, 61);
    EXPECT_EQ(VkeSysInit(env.sys, nullptr, &field, &messageNo), -9);
    EXPECT_EQ(field, 1);
    EXPECT_EQ(messageNo, 59);
    char buf[8];
    EXPECT_EQ(VkeSysGetSystemDir(env.sys, buf, sizeof(buf)), -6);

    // Every failure of Init is traced (no messages are loaded yet: the texts are empty).
    std::string rec = "<< TRACE >>  Func (VkeSysInit) : Error ()\r\n\r\n";
    std::string text = VktReadFile(trace);
    EXPECT_EQ(text.substr(0, rec.size() * 4), rec + rec + rec + rec) << text;
}

TEST(SysStart, NoMessageFile)
{
    VktSys env(false);
    ASSERT_TRUE(DeleteFileA((env / "Quorvane.vmg").c_str()));
    EXPECT_EQ(env.Start(), -12);
    char buf[8];
    EXPECT_EQ(VkeSysGetSystemDir(env.sys, buf, sizeof(buf)), -6);
    // With the file back, the same object starts.
    ASSERT_TRUE(VktWriteFile(env / "Quorvane.vmg", "1\r\ndefault\r\none\r\n"));
    EXPECT_EQ(env.Start(), 0);
    char msg[VKE_MSG_SIZE];
    EXPECT_EQ(VkeSubGetMsg(env.sub, 1, msg), 0);
    EXPECT_STREQ(msg, "one");
}

TEST(SysStart, FileNamedTmpBecomesAFolder)
{
    VktSys env(false);
    ASSERT_TRUE(VktWriteFile(env / "Tmp", "not a folder"));
    EXPECT_EQ(env.Start(), 0);
    EXPECT_TRUE(IsFolder(env / "Tmp"));
}

TEST(SysStart, JapaneseSystemFolder)
{
    VktSys env(false);
    std::string dir = env / "表示ソ";
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA((env / "Quorvane.vmg").c_str(), (dir + "\\Quorvane.vmg").c_str(), FALSE));
    VkeSysParam param = env.Param();
    snprintf(param.amSystemDir, sizeof(param.amSystemDir), "%s\\", dir.c_str()); // trailing backslash
    int field = 0, messageNo = 0;
    ASSERT_EQ(VkeSysInit(env.sys, &param, &field, &messageNo), 0);
    std::string temp = Text(VkeSysGetTempDir, env.sys);
    EXPECT_EQ(temp.substr(temp.size() - 10), "表示ソ\\Tmp");
    EXPECT_TRUE(IsFolder(dir + "\\Tmp"));
}

TEST(SysStart, EmptyFolderIsTheProgramsFolder)
{
    // The program's folder holds no message file, while the library's folder does: the
    // temporary folder appears beside the program and the message file is missing.
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof(exe));
    std::string folder(exe);
    folder = folder.substr(0, folder.rfind('\\'));
    std::string tmp = folder + "\\Tmp";
    bool hadTmp = IsFolder(tmp);
    VktSys env(false);
    VkeSysParam param = env.Param();
    param.amSystemDir[0] = 0;
    int field = 0, messageNo = 0;
    EXPECT_EQ(VkeSysInit(env.sys, &param, &field, &messageNo), -12);
    EXPECT_TRUE(IsFolder(tmp));
    if (!hadTmp) RemoveDirectoryA(tmp.c_str());
}

TEST(SysSingleInstance, SecondInstanceSeesTheFirst)
{
    VktSys first(false), second(false);
    ASSERT_EQ(first.Start(1), 0);
    // The first instance's window is minimised and has a visible, enabled popup above it.
    ShowWindow(first.Window(), SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(IsIconic(first.Window()));

    std::string trace = TraceTo(second.sub, second / "trace.txt");
    VkeSysParam param = second.Param();
    param.iSingleInstance = 1;
    int field = 0, messageNo = 0;
    EXPECT_EQ(VkeSysInit(second.sys, &param, &field, &messageNo), -7);
    EXPECT_EQ(param.hMainWnd, first.Window()); // written into the caller's record
    EXPECT_FALSE(IsIconic(first.Window()));    // restored
    EXPECT_EQ(VktReadFile(trace), "");          // not traced
    char buf[8];
    EXPECT_EQ(VkeSysGetSystemDir(second.sys, buf, sizeof(buf)), -6);

    // Without the guard any number of instances run.
    EXPECT_EQ(second.Start(0), 0);
    EXPECT_EQ(VkeSysTerm(second.sys), 0);

    // Once the first instance ends, a new one starts.
    VkeSysFree(&first.sys);
    EXPECT_EQ(second.Start(1), 0);
    VktSys third(false);
    EXPECT_EQ(third.Start(1), -7);
    EXPECT_EQ(VkeSysTerm(second.sys), 0); // Term gives the guard up as well
    EXPECT_EQ(third.Start(1), 0);
}

TEST(SysSingleInstance, PopupOfTheFirstComesForward)
{
    VktSys first(false), second(false);
    ASSERT_EQ(first.Start(1), 0);
    ShowWindow(first.Window(), SW_SHOWNOACTIVATE);
    // A visible, enabled window owned by the first instance's window, directly above it.
    HWND popup = CreateWindowExA(0, "STATIC", "popup", WS_POPUP | WS_CAPTION | WS_VISIBLE, 10, 10, 50, 20,
                                 first.Window(), nullptr, nullptr, nullptr);
    ASSERT_NE(popup, nullptr);
    SetWindowPos(first.Window(), popup, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetForegroundWindow(first.Window());
    VkeSysParam param = second.Param();
    param.iSingleInstance = 1;
    int field = 0, messageNo = 0;
    EXPECT_EQ(VkeSysInit(second.sys, &param, &field, &messageNo), -7);
    EXPECT_EQ(GetForegroundWindow(), popup);
    DestroyWindow(popup);
}

TEST_F(Sys, Properties)
{
    char buf[1024];
    double v = 0;
    EXPECT_EQ(VkeSysGetProperty(sys, 1, buf), 0);
    EXPECT_STREQ(buf, "VkeSys");
    EXPECT_EQ(VkeSysGetProperty(sys, 2, &v), 0);
    EXPECT_EQ(v, 1.0);
    EXPECT_EQ(VkeSysGetProperty(sys, 3, &v), 0);
    EXPECT_EQ(v, 1.0);
    v = 0.75;
    EXPECT_EQ(VkeSysSetProperty(sys, 3, &v), 0);
    EXPECT_EQ(VkeSysGetExecVersion(sys, &v), 0);
    EXPECT_EQ(v, 0.75);
    v = 1.5;
    EXPECT_EQ(VkeSysSetProperty(sys, 3, &v), -5);
    EXPECT_EQ(VkeSysSetExecVersion(sys, 1.0000001), -5);
    VkiSub* s = nullptr;
    VkiDrw* d = nullptr;
    EXPECT_EQ(VkeSysGetProperty(sys, 4, &s), 0);
    EXPECT_EQ(s, sub);
    EXPECT_EQ(VkeSysGetProperty(sys, 5, &d), 0);
    EXPECT_EQ(d, drw);
    EXPECT_EQ(VkeSysGetProperty(sys, 6, buf), 0);
    EXPECT_EQ(buf, Text(VkeSysGetSystemDir, sys));
    char name[32];
    EXPECT_EQ(VkeSysGetProperty(sys, 7, name), 0);
    EXPECT_STREQ(name, "Pictavo");
    EXPECT_EQ(VkeSysGetProperty(sys, 8, buf), 0);
    EXPECT_STREQ(buf, "TestEngSys");
    HWND wnd = nullptr;
    EXPECT_EQ(VkeSysGetProperty(sys, 10, &wnd), 0);
    EXPECT_EQ(wnd, env->Window());
    int flag = 1;
    EXPECT_EQ(VkeSysSetProperty(sys, 11, &flag), 0);
    EXPECT_EQ(VkeSysGetPrintingFlag(sys, &flag), 0);
    EXPECT_EQ(flag, 1);
    flag = 1;
    EXPECT_EQ(VkeSysSetProperty(sys, 12, &flag), 0);
    flag = 0;
    EXPECT_EQ(VkeSysGetProperty(sys, 12, &flag), 0);
    EXPECT_EQ(flag, 1);
    flag = 2;
    EXPECT_EQ(VkeSysSetProperty(sys, 11, &flag), -9);

    // Ids that do not exist or cannot be set, and null values.
    for (int id : {0, 9, 13, -1}) EXPECT_EQ(VkeSysGetProperty(sys, id, buf), -9) << id;
    for (int id : {1, 2, 4, 5, 6, 7, 8, 9, 10, 13}) EXPECT_EQ(VkeSysSetProperty(sys, id, buf), -9) << id;
    EXPECT_EQ(VkeSysGetProperty(sys, 6, nullptr), -9);
    EXPECT_EQ(VkeSysSetProperty(sys, 11, nullptr), -9);
}

TEST_F(Sys, NamesAreBounded)
{
    char small[4];
    EXPECT_EQ(VkeSysGetSystemName(sys, small, sizeof(small)), -13);
    EXPECT_STREQ(small, "Pic");
    EXPECT_EQ(VkeSysGetModuleName(sys, small, sizeof(small)), -13);
    EXPECT_EQ(VkeSysGetSystemDir(sys, small, sizeof(small)), -13);
    EXPECT_EQ(VkeSysGetTempDir(sys, small, sizeof(small)), -13);
    EXPECT_EQ(VkeSysGetSystemName(sys, small, 0), -9);
    EXPECT_EQ(VkeSysGetSystemDir(sys, nullptr, 8), -9);
    EXPECT_EQ(VkeSysGetMainWindowHandle(sys, nullptr), -9);
    char exact[8];
    EXPECT_EQ(VkeSysGetSystemName(sys, exact, sizeof(exact)), 0);
    EXPECT_STREQ(exact, "Pictavo");
}

TEST_F(Sys, TempPathNames)
{
    char a[1024], b[1024];
    ASSERT_EQ(VkeSysGetTempPathName(sys, a, sizeof(a), 1), 0);
    std::string temp = Text(VkeSysGetTempDir, sys);
    EXPECT_EQ(std::string(a).substr(0, temp.size() + 1), temp + "\\");
    EXPECT_NE(GetFileAttributesA(a), INVALID_FILE_ATTRIBUTES); // made
    ASSERT_EQ(VkeSysGetTempPathName(sys, b, sizeof(b), 0), 0);
    EXPECT_STRNE(a, b);
    EXPECT_EQ(GetFileAttributesA(b), INVALID_FILE_ATTRIBUTES); // only named
    EXPECT_EQ(VkeSysGetTempPathName(sys, b, sizeof(b), 2), -9);
}

TEST_F(Sys, PrintingFlags)
{
    int flag = 9;
    EXPECT_EQ(VkeSysGetPrintingFlag(sys, &flag), 0);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(VkeSysGetPrintPreviewFlag(sys, &flag), 0);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(VkeSysSetPrintingFlag(sys, 1), 0);
    EXPECT_EQ(VkeSysSetPrintPreviewFlag(sys, 1), 0);
    EXPECT_EQ(VkeSysGetPrintingFlag(sys, &flag), 0);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(VkeSysSetPrintingFlag(sys, 2), -9);
    EXPECT_EQ(VkeSysSetPrintPreviewFlag(sys, -1), -9);
    EXPECT_EQ(VkeSysGetPrintingFlag(sys, &flag), 0);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(VkeSysGetPrintPreviewFlag(sys, nullptr), -9);
    EXPECT_EQ(VkeSysSetPrintingFlag(sys, 0), 0);
    EXPECT_EQ(VkeSysGetPrintingFlag(sys, &flag), 0);
    EXPECT_EQ(flag, 0);
}

TEST_F(Sys, PrintScaleSizes)
{
    struct Row {
        int mode, boxW, boxH, srcW, srcH;
        int rc, w, h;
    };
    const Row rows[] = {
        {1, 100, 50, 300, 200, 0, 300, 200},
        {2, 100, 50, 300, 200, 0, 300, 200},
        {3, 100, 50, 300, 200, 0, 100, 50},
        {5, 100, 50, 300, 200, 0, 100, 66},
        {6, 100, 50, 300, 200, 0, 75, 50},
        {5, 1, 50, 300, 200, -13, 1, 1},  // 0 becomes 1 x 1
        {6, 100, 1, 1, 300, -13, 1, 1},
        {5, INT_MAX, 1, 1, INT_MAX, -13, INT_MAX, INT_MAX}, // beyond the int range: held
        {1, 1, 1, 1, 1, 0, 1, 1},
    };
    env->ClearReports();
    for (const Row& r : rows) {
        int w = -1, h = -1;
        EXPECT_EQ(VkeSysGetPrintScaleSize(sys, r.mode, r.boxW, r.boxH, r.srcW, r.srcH, &w, &h), r.rc) << r.mode;
        EXPECT_EQ(w, r.w) << r.mode << " " << r.boxW;
        EXPECT_EQ(h, r.h) << r.mode << " " << r.boxW;
    }
    EXPECT_EQ(env->Reports().size(), 0u); // -13 is expected

    // Mode 4 is the fixed-scale stretch of the utility object.
    int w = 0, h = 0, sw = 0, sh = 0;
    EXPECT_EQ(VkeSysGetPrintScaleSize(sys, 4, 100, 50, 300, 200, &w, &h), 0);
    EXPECT_EQ(VkeSubGetStretchFixedScaleSize(sub, 100, 50, 300, 200, &sw, &sh), 0);
    EXPECT_EQ(w, sw);
    EXPECT_EQ(h, sh);

    const int bad[][5] = {{0, 1, 1, 1, 1}, {7, 1, 1, 1, 1}, {1, 0, 1, 1, 1}, {1, 1, 0, 1, 1},
                          {1, 1, 1, 0, 1}, {1, 1, 1, 1, -5}};
    for (const auto& b : bad) EXPECT_EQ(VkeSysGetPrintScaleSize(sys, b[0], b[1], b[2], b[3], b[4], &w, &h), -9);
    EXPECT_EQ(VkeSysGetPrintScaleSize(sys, 1, 1, 1, 1, 1, nullptr, &h), -9);
    EXPECT_EQ(VkeSysGetPrintScaleSize(sys, 1, 1, 1, 1, 1, &w, nullptr), -9);
    EXPECT_EQ(env->Reports().size(), 8u);
}

#include "TestAplCmn.h"

BEGIN_MESSAGE_MAP(CountWnd, CWnd)
    ON_MESSAGE(CmnWmChgOpt, &ThisClass::OnChgOpt)
    ON_MESSAGE(VkeWmTraceError, &ThisClass::OnTraceError)
END_MESSAGE_MAP()

void PumpPending()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

bool AppTest::IsFolder(const std::string& path)
{
    DWORD attr = GetFileAttributesA(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool AppTest::Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void AppTest::RemoveFolders()
{
    // A folder that is the current directory cannot be removed.
    SetCurrentDirectoryA(Sys("").c_str());
    for (const char* name : {"Vkt", "Usr", "Tmp"}) {
        std::string path = Sys(name);
        if (IsFolder(path)) VktRemoveTree(path);
        else DeleteFileA(path.c_str());
    }
}

void AppTest::MakeApp()
{
    app = new TestApp;
    ASSERT_TRUE(app->InitInstance());
    frame = new CountWnd;
    ASSERT_TRUE(frame->CreateEx(0, nullptr, "Pictavo", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr));
    theCmnAppInf.pMainFrame = frame;
}

void AppTest::EndApp()
{
    if (!app) return;
    app->Term();
    delete frame;
    frame = nullptr;
    PumpPending();
    app->ExitInstance();
    delete app;
    app = nullptr;
}

void AppTest::SetUp()
{
    RemoveFolders();
    MakeApp();
}

void AppTest::TearDown()
{
    EndApp();
    RemoveFolders();
}

void AppTest::Restart()
{
    EndApp();
    MakeApp();
}

void ImgTest::SetUp()
{
    AppTest::SetUp();
    ASSERT_EQ(Start(), 0);
    ASSERT_EQ(app->InitApi(), 0);
    theCmnAppInf.iCntImgCacTmn = 300;
}

void ImgTest::TearDown()
{
    if (app) app->TermApi();
    AppTest::TearDown();
}

std::string ImgTest::Data(const std::string& name)
{
    char full[MAX_PATH] = {};
    GetFullPathNameA(Sys("..\\DrwData\\" + name).c_str(), sizeof(full), full, nullptr);
    return full;
}

std::string TmnData(const std::string& name)
{
    char full[MAX_PATH] = {};
    GetFullPathNameA(VktBesideExe("..\\TmnData\\" + name).c_str(), sizeof(full), full, nullptr);
    return full;
}

size_t ImgTest::Traced()
{
    PumpPending();
    return frame->traces.size();
}

Items::Items(const VktTempDir& dir, const std::string& source, int count)
{
    for (int i = 0; i < count; ++i) {
        paths.push_back(dir / ("画像" + std::to_string(i) + ".png"));
        CopyFileA(source.c_str(), paths.back().c_str(), FALSE);
        lists.push_back(theCmnSub.GetItemIdList(paths.back().c_str()));
    }
}

Items::~Items()
{
    for (LPITEMIDLIST& list : lists) theCmnSub.FreeItemIdList(&list);
}

void ListJob(const std::string& title, const char* pages)
{
    static bool cleared = false;
    std::string path = VktBesideExe("TestAplCmn.jobs");
    FILE* f = fopen(path.c_str(), cleared ? "a" : "w");
    cleared = true;
    ASSERT_NE(f, nullptr) << path;
    fprintf(f, "%s %s\n", title.c_str(), pages);
    fclose(f);
}

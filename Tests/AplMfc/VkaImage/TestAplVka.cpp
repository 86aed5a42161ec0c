#include "TestAplVka.h"
#include "CmnImg.h"

BEGIN_MESSAGE_MAP(TraceWnd, CWnd)
    ON_MESSAGE(VkeWmTraceError, &ThisClass::OnTraceError)
END_MESSAGE_MAP()

const char VkaTest::kSection[] = "Application Information";

void VkaTest::Clean()
{
    // A folder that is the current directory cannot be removed.
    SetCurrentDirectoryA(Sys("").c_str());
    // Through the profile functions, so that no cached copy of the file outlives it.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, Ini().c_str());
    DeleteFileA(Ini().c_str());
    for (const char* name : {"Vkt", "Usr", "Tmp"}) {
        std::string path = Sys(name);
        DWORD attr = GetFileAttributesA(path.c_str());
        if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY)) VktRemoveTree(path);
        else DeleteFileA(path.c_str());
    }
}

void VkaTest::Make()
{
    app = new TestHalcor;
    ASSERT_EQ(app->CmnApp::InitInstance(10), 1);
    frame = new TraceWnd;
    ASSERT_TRUE(frame->CreateEx(0, nullptr, "Pictavo", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr));
    m_exited = false;
}

void VkaTest::End()
{
    if (app && !m_exited) {
        app->Term();
        app->CmnApp::ExitInstance();
    }
    delete frame;
    delete app;
    frame = nullptr;
    app = nullptr;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

void VkaTest::SetUp()
{
    Clean();
    Make();
}

void VkaTest::TearDown()
{
    End();
    Clean();
}

void VkaTest::Exit()
{
    app->HalcorApp::ExitInstance();
    m_exited = true;
}

void VkaTest::Restart()
{
    if (!m_exited) Exit();
    End();
    Make();
}

const std::vector<std::string>& VkaTest::Traced()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    return frame->traces;
}

std::vector<std::string> VkaTest::Keys(const char* section)
{
    std::vector<char> names(1 << 16);
    DWORD n = GetPrivateProfileStringA(section, nullptr, "", names.data(), static_cast<DWORD>(names.size()),
                                       Ini().c_str());
    std::vector<std::string> keys;
    for (DWORD i = 0; i < n; i += static_cast<DWORD>(keys.back().size()) + 1) keys.emplace_back(&names[i]);
    return keys;
}

HBITMAP MakeDib(int width, int height, COLORREF color)
{
    HBITMAP b = nullptr;
    EXPECT_EQ(theCmnImg.CreateDIB(nullptr, width, height, 24, &b), 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, b);
    RECT r = {0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    return b;
}

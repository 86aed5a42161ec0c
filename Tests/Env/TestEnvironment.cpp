// The test bed itself: Japanese code page and Japanese file names under Wine, and fonts that
// show an underscore.
#include "VktSupport.h"
#include <windows.h>

TEST(Environment, AnsiCodePageIsJapanese) { EXPECT_EQ(GetACP(), 932u); }

TEST(Environment, JapaneseFileNamesRoundTrip)
{
    VktTempDir dir;
    // 表 (0x95 0x5C) and ソ (0x83 0x5C) end in the byte of a backslash.
    const std::string names[] = {"表示.txt", "ソフト", "ポイント.dat"};
    for (const std::string& name : names) {
        std::string path = dir / name;
        ASSERT_TRUE(VktWriteFile(path, "abc")) << path;
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA(path.c_str(), &fd);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
        EXPECT_STREQ(fd.cFileName, name.c_str());
        FindClose(h);
        EXPECT_EQ(VktReadFile(path), "abc");
        EXPECT_TRUE(DeleteFileA(path.c_str()));
        EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

TEST(Environment, TrailByteBackslashIsNotASeparator)
{
    VktTempDir dir;
    std::string folder = dir / "表";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    std::string file = folder + "\\中.txt";
    ASSERT_TRUE(VktWriteFile(file, "x"));
    DWORD attr = GetFileAttributesA(folder.c_str());
    ASSERT_NE(attr, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attr & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(VktReadFile(file), "x");
}

// The leak counter must see a leak: one bitmap more is one object more, and deleting it takes it back.
TEST(Environment, GdiObjectCountSeesOneBitmap)
{
    DWORD before = VktGdiObjects();
    ASSERT_GT(before, 0u);
    HBITMAP leaked = CreateBitmap(4, 4, 1, 1, nullptr);
    ASSERT_NE(leaked, nullptr);
    EXPECT_EQ(VktGdiObjects(), before + 1);
    DeleteObject(leaked);
    EXPECT_EQ(VktGdiObjects(), before);
}

namespace {
// Pixels of ink in a line of text drawn with the font: "_" alone, on white.
int UnderscoreInk(const LOGFONTA& lf)
{
    VktDib dib(64, 64);
    HFONT font = CreateFontIndirectA(&lf);
    HGDIOBJ old = SelectObject(dib.Dc(), font);
    RECT all = {0, 0, 64, 64};
    FillRect(dib.Dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dib.Dc(), TRANSPARENT);
    TextOutA(dib.Dc(), 4, 4, "___", 3);
    SelectObject(dib.Dc(), old);
    DeleteObject(font);
    int ink = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) ink += dib.At(x, y) != RGB(255, 255, 255);
    return ink;
}
} // namespace

// The Japanese faces the program asks for, and those of the window frames and menus, show an
// underscore at every size the program uses (Wine gives them to a font that has it in the cell).
TEST(Environment, UnderscoresShowInTheInterfaceFaces)
{
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof(ncm);
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0));
    EXPECT_GT(UnderscoreInk(ncm.lfCaptionFont), 0) << "caption";
    EXPECT_GT(UnderscoreInk(ncm.lfMenuFont), 0) << "menu";
    EXPECT_GT(UnderscoreInk(ncm.lfMessageFont), 0) << "message";
    for (int height = 9; height <= 24; ++height) {
        LOGFONTA lf = {};
        lf.lfHeight = -height;
        lf.lfCharSet = DEFAULT_CHARSET;
        lstrcpyA(lf.lfFaceName, "ＭＳ Ｐゴシック");
        EXPECT_GT(UnderscoreInk(lf), 0) << "ＭＳ Ｐゴシック " << height;
    }

    // A caption that shows nothing but underscores shows ink.
    HWND wnd = CreateWindowExA(0, "STATIC", "________", WS_POPUP | WS_CAPTION | WS_VISIBLE, 20, 20, 300, 80, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(wnd, nullptr);
    RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    // The band of the caption above the client area, without its edges.
    RECT outer = {};
    POINT client = {0, 0};
    GetWindowRect(wnd, &outer);
    ClientToScreen(wnd, &client);
    int height = GetSystemMetrics(SM_CYCAPTION) - 4, top = client.y - outer.top - height - 2;
    VktDib band(260, height);
    HDC dc = GetWindowDC(wnd);
    BitBlt(band.Dc(), 0, 0, 260, height, dc, 10, top, SRCCOPY);
    ReleaseDC(wnd, dc);
    DestroyWindow(wnd);
    COLORREF back = band.At(258, height / 2);
    int ink = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < 260; ++x) ink += band.At(x, y) != back;
    EXPECT_GT(ink, 10);
}

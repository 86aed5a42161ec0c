// The test bed itself: Japanese code page and Japanese file names under Wine.
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

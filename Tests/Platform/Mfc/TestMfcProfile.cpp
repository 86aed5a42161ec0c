// The application's settings file with Japanese values, and the library application object
// reached through the engine's exports.
#include "TestMfcApp.h"
#include "VktSupport.h"
#include <gtest/gtest.h>
#include <stdlib.h>

namespace {

class MfcProfile : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = theTestApp.m_pszProfileName;
        theTestApp.m_pszProfileName = _strdup((dir / "Test.ini").c_str());
    }
    void TearDown() override
    {
        free(const_cast<LPSTR>(theTestApp.m_pszProfileName));
        theTestApp.m_pszProfileName = saved;
    }
    VktTempDir dir;
    LPCSTR saved = nullptr;
};

} // namespace

TEST_F(MfcProfile, StringsRoundTripWithJapanese)
{
    const char* values[] = {"表", "ソ", "能", "ポ", "C:\\表示\\ソフト|能力ポ", "", "a b"};
    for (const char* v : values) {
        ASSERT_TRUE(theTestApp.WriteProfileString("共通 Information", "strPath", v));
        EXPECT_EQ(theTestApp.GetProfileString("共通 Information", "strPath"), CString(v)) << v;
    }
    EXPECT_EQ(theTestApp.GetProfileString("共通 Information", "missing", "既定"), CString("既定"));
    EXPECT_EQ(theTestApp.GetProfileString("共通 Information", "missing"), CString(""));
    // A value longer than the first read buffer comes back whole.
    CString longValue;
    for (int i = 0; i < 200; ++i) longValue += "ソ";
    ASSERT_TRUE(theTestApp.WriteProfileString("S", "long", longValue));
    EXPECT_EQ(theTestApp.GetProfileString("S", "long"), longValue);
    // Deleting an entry and a section.
    EXPECT_TRUE(theTestApp.WriteProfileString("共通 Information", "strPath", nullptr));
    EXPECT_EQ(theTestApp.GetProfileString("共通 Information", "strPath", "gone"), CString("gone"));
    EXPECT_TRUE(theTestApp.WriteProfileString("S", nullptr, nullptr));
    EXPECT_EQ(theTestApp.GetProfileString("S", "long"), CString(""));
}

TEST_F(MfcProfile, IntegersAndBinary)
{
    EXPECT_TRUE(theTestApp.WriteProfileInt("Common Information", "iValue", -42));
    EXPECT_EQ(static_cast<int>(theTestApp.GetProfileInt("Common Information", "iValue", 0)), -42);
    EXPECT_EQ(theTestApp.GetProfileInt("Common Information", "none", 17), 17u);
    EXPECT_EQ(theTestApp.GetProfileString("Common Information", "iValue"), CString("-42"));

    BYTE data[] = {0x00, 0x5C, 0x7C, 0xFF, 0x81, 0x40};
    ASSERT_TRUE(theTestApp.WriteProfileBinary("Bar", "state", data, sizeof(data)));
    LPBYTE read = nullptr;
    UINT size = 0;
    ASSERT_TRUE(theTestApp.GetProfileBinary("Bar", "state", &read, &size));
    ASSERT_EQ(size, sizeof(data));
    EXPECT_EQ(memcmp(read, data, sizeof(data)), 0);
    delete[] read;
    // Missing and damaged values give nothing.
    EXPECT_FALSE(theTestApp.GetProfileBinary("Bar", "none", &read, &size));
    EXPECT_EQ(read, nullptr);
    EXPECT_EQ(size, 0u);
    theTestApp.WriteProfileString("Bar", "bad", "ABZ");
    EXPECT_FALSE(theTestApp.GetProfileBinary("Bar", "bad", &read, &size));
    theTestApp.WriteProfileString("Bar", "bad", "AZ");
    EXPECT_FALSE(theTestApp.GetProfileBinary("Bar", "bad", &read, &size));
    EXPECT_EQ(read, nullptr);
    EXPECT_FALSE(theTestApp.GetProfileBinary("Bar", "state", nullptr, &size));
}

// Writes held back reach the file only at their end, each section in one piece: entries
// replaced in place (letter case aside), added after, deleted; other entries and sections kept;
// a section deleted first holds only what came after.
TEST_F(MfcProfile, HeldWritesLandSectionBySectionKeepingTheRest)
{
    const std::string ini = dir / "Test.ini";
    ASSERT_TRUE(VktWriteFile(ini, "[A]\r\nkeep=1\r\nOld=2\r\ngone=3\r\n[B]\r\nx=1\r\n[C]\r\nc=1\r\n"));
    theTestApp.BeginProfileWrites();
    theTestApp.WriteProfileString("A", "old", "表示");
    theTestApp.WriteProfileString("A", "gone", nullptr);
    theTestApp.WriteProfileInt("A", "new", 7);
    theTestApp.WriteProfileString("B", nullptr, nullptr);
    theTestApp.WriteProfileString("B", "y", "2");
    theTestApp.WriteProfileString("New", "n", "ソ");
    EXPECT_EQ(theTestApp.GetProfileString("A", "old"), CString("2")) << "nothing written yet";
    ASSERT_TRUE(theTestApp.EndProfileWrites());
    const struct {
        const char *section, *entry, *value;
    } expected[] = {{"A", "keep", "1"}, {"A", "old", "表示"}, {"A", "gone", "-"}, {"A", "new", "7"},
                    {"B", "x", "-"},    {"B", "y", "2"},     {"C", "c", "1"},     {"New", "n", "ソ"}};
    for (const auto& e : expected)
        EXPECT_EQ(theTestApp.GetProfileString(e.section, e.entry, "-"), CString(e.value)) << e.section << " " << e.entry;
    const std::string text = VktReadFile(ini);
    EXPECT_LT(text.find("keep=1"), text.find("表示")) << text;
    EXPECT_LT(text.find("表示"), text.find("new=7")) << text;
    // Writes go straight to the file again.
    theTestApp.WriteProfileString("C", "c", "2");
    EXPECT_EQ(theTestApp.GetProfileString("C", "c"), CString("2"));
}

TEST(MfcApp, ModuleObjects)
{
    EXPECT_EQ(AfxGetApp(), &theTestApp);
    EXPECT_EQ(AfxGetThread(), &theTestApp);
    EXPECT_EQ(AfxGetInstanceHandle(), ::GetModuleHandleA(nullptr));
    EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());
    EXPECT_EQ(AfxGetMainWnd(), theTestApp.m_pMainWnd);
}

TEST(MfcApp, LibraryApplicationThroughItsExports)
{
    // The library's filter knows none of this program's windows and takes nothing.
    CTestFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    MSG msg = {frame.m_hWnd, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_FALSE(VkeEngPreTranslateMessage(&msg));
    EXPECT_FALSE(VkeEngPreTranslateMessage(nullptr));
    EXPECT_EQ(VkeEngOnIdle(), 0);
    frame.DestroyWindow();
}

// The settings of section "Common Information": defaults, fallbacks, a round trip through the
// file, the tool-bar layout's parts, the column reset, files that cannot be written.
#include "TestAplCmn.h"
#include <math.h>
#include <stddef.h>

namespace {

const char kSection[] = "Common Information";

class IniTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        Clear();
    }
    void TearDown() override
    {
        RemoveDirectoryA(Ini().c_str());
        Clear();
        AppTest::TearDown();
    }
    static std::string Ini() { return Sys("Pictavo.ini"); }
    // The section goes through the profile functions, so no cached copy outlives it.
    static void Clear()
    {
        WritePrivateProfileStringA(kSection, nullptr, nullptr, Ini().c_str());
        DeleteFileA(Ini().c_str());
    }
    static void Put(const char* key, const char* value)
    {
        WritePrivateProfileStringA(kSection, key, value, Ini().c_str());
    }
    static std::string Get(const char* key)
    {
        char text[2048] = {};
        GetPrivateProfileStringA(kSection, key, "(none)", text, sizeof(text), Ini().c_str());
        return text;
    }
    // The whole start of the program's settings: ReadIni, the engine, the file list's keys.
    void ReadAll()
    {
        app->ReadIni();
        ASSERT_EQ(Start(), 0);
        ASSERT_EQ(app->InitApi(), 0);
        app->ReadLscFilInf();
    }
    void EndLsc() { app->TermApi(); }
    static std::string Filter()
    {
        char text[CmnPathSize] = {};
        VkeSubGetAppMemStr(theCmnAppInf.pSub, &theCmnAppInf.lscFii.amFilter, text, sizeof(text));
        return text;
    }
};

std::string Repeat(const char* part, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i) text += part;
    return text;
}

} // namespace

// The numeric keys: a stored text that cannot be used, what it reads as, and the key's default.
const struct Row {
    const char* key;
    const char* text;
    double (*get)();
    double expected;
    double dflt;
} kRows[] = {
#define AT(field) [] { return double(theCmnAppInf.field); }
    {"dIniVersion", "1e999", AT(dIniVersion), 1.11, 1.11},
    {"rctWindow_left", "99999999999", AT(rctWindow.left), 0, NAN}, // the start puts its own
    {"rctWindow_right", "800", AT(rctWindow.right), 800, NAN},
    {"rctPrintMargin_top", "-7", AT(rctPrintMargin.top), -7, -1},
    {"bReturnToTab", "2", AT(bReturnToTab), 0, 0},
    {"bCtlEditing", "abc", AT(bCtlEditing), 0, 1}, // no digits read as 0, a value in range
    {"bCtlError", "2", AT(bCtlError), 1, 1},
    {"bCtlModified", "-1", AT(bCtlModified), 1, 1},
    {"bPriorityError", "5", AT(bPriorityError), 0, 0},
    {"iScaBas", "0", AT(iScaBas), 5, 5},
    {"iModeScale", "", AT(iModeScale), 1, 1},
    {"lScaNum", "99999999999", AT(lScaNum), 1, 1},
    {"lScaDen", "0", AT(lScaDen), 1, 1},
    {"iModeStretch", "abc", AT(iModeStretch), 4, 4},
    {"dScaleWheel", "1.5", AT(dScaleWheel), 0.1, 0.1},
    {"bPrvImg", "7", AT(bPrvImg), 1, 1},
    {"iCntImgCacTmn", "-5", AT(iCntImgCacTmn), 0, 300},
    {"iCntHexStr", "-1", AT(iCntHexStr), 0, 0},
    {"LscFii_iModeLstViw", "6", AT(lscFii.iModeLstViw), 1, 1},
    {"LscFii_iWidthTmnImg", "0", AT(lscFii.iWidthTmnImg), 100, 100},
    {"LscFii_iHeightTmnImg", "1e999", AT(lscFii.iHeightTmnImg), 1, 100}, // reads 1 as atoi would
    {"LscFii_iCntLstColTyp", "7", AT(lscFii.iCntLstColTyp), 4, 4},
    {"LscFii_iIdxLstColTyp", "4", AT(lscFii.iIdxLstColTyp), 0, 0},
    {"LscFii_bAscent", "2", AT(lscFii.bAscent), 1, 1},
    {"LscFii_iWidthLstCol_2", "-5", AT(lscFii.iWidthLstCol[1]), 120, 120}, // the default -1 is out of range
    {"LscFii_iWidthLstCol_3", "64", AT(lscFii.iWidthLstCol[2]), 64, 120},
    {"SetSci_iTypSca", "4", AT(setSci.iTypSca), 1, 1},
    {"SetSci_lScaNum", "0", AT(setSci.lScaNum), 1, 1},
    {"SetSci_lScaDen", "-3", AT(setSci.lScaDen), 1, 1},
    {"SetSci_dScale", "nan", AT(setSci.dScale), 1.0, 1.0},
    {"SetSci_bWidth", "3", AT(setSci.bWidth), 1, 1},
    {"SetSci_iWidth", "0", AT(setSci.iWidth), 1, 1},
    {"SetSci_iHeight", "-2", AT(setSci.iHeight), 1, 1},
    {"iScrSize_2", "0", AT(iScrSize[1]), 1, 50},
    {"iScrSize_7", "x", AT(iScrSize[6]), 1, 3},
#undef AT
};

TEST_F(IniTest, ANewFileGivesTheDefaults)
{
    ReadAll();
    for (const Row& r : kRows) {
        if (isnan(r.dflt)) continue;
        EXPECT_DOUBLE_EQ(r.get(), r.dflt) << r.key;
    }
    const CmnAppInf& inf = theCmnAppInf;
    EXPECT_GT(inf.rctWindow.right, inf.rctWindow.left) << "no saved rectangle: the default one";
    EXPECT_STREQ(inf.strBriTlb, "");
    char nine[VKE_MSG_SIZE];
    VkeSubGetMsg(inf.pSub, 9, nine);
    EXPECT_EQ(Filter(), nine);
    const int kinds[] = {1, 2, 3, 5, 4, 6};
    EXPECT_EQ(memcmp(inf.lscFii.iTypLstCol, kinds, sizeof(kinds)), 0);
    EXPECT_STREQ(inf.strCurDir, Sys("Usr").c_str());
    // The printer set-up turns unset margins into 0.
    ASSERT_EQ(app->InitPrinter(), 0);
    EXPECT_EQ(inf.rctPrintMargin.left + inf.rctPrintMargin.top + inf.rctPrintMargin.right + inf.rctPrintMargin.bottom, 0);
    EndLsc();
}

TEST_F(IniTest, ValuesThatCannotBeUsedTakeTheirFallbacks)
{
    for (const Row& r : kRows) Put(r.key, r.text);
    ReadAll();
    for (const Row& r : kRows) EXPECT_DOUBLE_EQ(r.get(), r.expected) << r.key << "=" << r.text;
    EndLsc();
}

TEST_F(IniTest, WrittenSettingsReadBackTheSame)
{
    VktTempDir temp;
    const std::string usr = temp / "表示ソ能";
    CreateDirectoryA(usr.c_str(), nullptr);
    CmnAppInf& inf = theCmnAppInf;
    snprintf(inf.strUsrDir, CmnPathSize, "%s", usr.c_str());
    snprintf(inf.strCurDir, CmnPathSize, "C:\\ポ表\\十");
    snprintf(inf.strOpnDir, CmnPathSize, "\\\\サーバ\\共有");
    ASSERT_EQ(Start(), 0);
    ASSERT_EQ(app->InitApi(), 0);
    app->ReadLscFilInf();
    snprintf(inf.strCurDir, CmnPathSize, "C:\\ポ表\\十"); // the start made it the current folder
    inf.dIniVersion = 1.25;
    inf.rctWindow = {10, 20, 630, 460};
    inf.rctPrintMargin = {100, 200, 300, 400};
    inf.bReturnToTab = 1;
    inf.bCtlEditing = inf.bCtlError = inf.bCtlModified = 0;
    inf.bPriorityError = 1;
    inf.iScaBas = 3;
    inf.iModeScale = 2;
    inf.lScaNum = 3;
    inf.lScaDen = 7;
    inf.iModeStretch = 3;
    inf.dScaleWheel = 0.25;
    inf.bPrvImg = 0;
    inf.iCntImgCacTmn = 12;
    snprintf(inf.strBriTlb, CmnPathSize, "%s", Repeat("0123456789ABCDEF", 15).c_str());
    LscFii& lsc = inf.lscFii;
    lsc.iModeLstViw = 4;
    lsc.iWidthTmnImg = 160;
    lsc.iHeightTmnImg = 90;
    VkeSubSetAppMemStr(inf.pSub, &lsc.amFilter, "*.jpg;画像*.png");
    lsc.iCntLstColTyp = 6;
    lsc.iIdxLstColTyp = 5;
    lsc.bAscent = 0;
    for (int i = 0; i < CmnLstColCnt; ++i) {
        lsc.iTypLstCol[i] = 6 - i;
        lsc.iWidthLstCol[i] = 10 * (i + 1);
    }
    inf.setSci = {2, 4, 9, 2.5, 0, 640, 480};
    for (int i = 0; i < CmnColorCnt; ++i) snprintf(inf.strColor[i], CmnPathSize, "%d, 0, 0", i);
    for (int i = 0; i < CmnFontCnt; ++i) snprintf(inf.strFont[i], CmnPathSize, "フォント%d", i);
    for (int i = 0; i < CmnScrSizeCnt; ++i) inf.iScrSize[i] = 2 + i;
    app->WriteIni();
    EXPECT_EQ(inf.iCntHexStr, 3);
    CmnAppInf written;
    memcpy(&written, &inf, sizeof(written));
    app->TermApi();

    Restart();
    app->ReadIni();
    // Texts compared as texts (bytes after a terminator are no setting), numbers as they lie.
    const size_t from = offsetof(CmnAppInf, dIniVersion), to = offsetof(CmnAppInf, strBriTlb);
    EXPECT_EQ(memcmp(reinterpret_cast<const char*>(&written) + from, reinterpret_cast<const char*>(&inf) + from, to - from), 0);
    EXPECT_STREQ(inf.strUsrDir, usr.c_str());
    EXPECT_STREQ(inf.strCurDir, "C:\\ポ表\\十");
    EXPECT_STREQ(inf.strOpnDir, "\\\\サーバ\\共有");
    EXPECT_STREQ(inf.strBriTlb, written.strBriTlb);
    EXPECT_EQ(memcmp(&written.setSci, &inf.setSci, sizeof(SetSci)), 0);
    for (int i = 0; i < CmnColorCnt; ++i) EXPECT_STREQ(inf.strColor[i], written.strColor[i]) << i;
    for (int i = 0; i < CmnFontCnt; ++i) EXPECT_STREQ(inf.strFont[i], written.strFont[i]) << i;
    EXPECT_EQ(memcmp(&written.iScrSize, &inf.iScrSize, sizeof(inf.iScrSize)), 0);
    ASSERT_EQ(Start(), 0);
    ASSERT_EQ(app->InitApi(), 0);
    app->ReadLscFilInf();
    EXPECT_EQ(Filter(), "*.jpg;画像*.png");
    const size_t after = offsetof(LscFii, iCntLstColTyp);
    EXPECT_EQ(memcmp(&written.lscFii, &inf.lscFii, offsetof(LscFii, amFilter)), 0);
    EXPECT_EQ(memcmp(reinterpret_cast<const char*>(&written.lscFii) + after,
                     reinterpret_cast<const char*>(&inf.lscFii) + after, sizeof(LscFii) - after),
              0);

    // The default user folder is written as none.
    snprintf(inf.strUsrDir, CmnPathSize, "%s", Sys("Usr").c_str());
    app->WriteIni();
    EXPECT_EQ(Get("strUsrDir"), "");
    snprintf(inf.strUsrDir, CmnPathSize, "%s", Sys("Usr2").c_str());
    app->WriteIni();
    EXPECT_EQ(Get("strUsrDir"), Sys("Usr2"));
    EndLsc();
}

TEST_F(IniTest, TheToolBarLayoutGoesInPartsOf100Characters)
{
    CmnAppInf& inf = theCmnAppInf;
    const std::string layout = Repeat("0123456789", 25);
    snprintf(inf.strBriTlb, CmnPathSize, "%s", layout.c_str());
    app->WriteIni();
    EXPECT_EQ(Get("iCntHexStr"), "3");
    EXPECT_EQ(Get("strBriTlb_1"), layout.substr(0, 100));
    EXPECT_EQ(Get("strBriTlb_2"), layout.substr(100, 100));
    EXPECT_EQ(Get("strBriTlb_3"), layout.substr(200));
    EXPECT_EQ(Get("strBriTlb_4"), "(none)");
    EXPECT_EQ(Get("LscFii_iWidthTmnImg"), "(none)") << "the file list's keys were never read";
    inf.strBriTlb[0] = '\0';
    app->ReadIni();
    EXPECT_EQ(inf.iCntHexStr, 3);
    EXPECT_EQ(inf.strBriTlb, layout);

    // Parts missing on the way are skipped; parts longer than the text together are cut.
    Put("iCntHexStr", "50");
    Put("strBriTlb_2", nullptr);
    Put("strBriTlb_7", "XY");
    app->ReadIni();
    EXPECT_EQ(inf.strBriTlb, layout.substr(0, 100) + layout.substr(200) + "XY");
    const std::string big = Repeat("F", 400);
    Put("iCntHexStr", "2147483647");
    for (const char* key : {"strBriTlb_1", "strBriTlb_2", "strBriTlb_3"}) Put(key, big.c_str());
    const int mode = inf.lscFii.iModeLstViw = 77;
    app->ReadIni();
    EXPECT_EQ(strlen(inf.strBriTlb), size_t(CmnPathSize - 1));
    EXPECT_EQ(inf.lscFii.iModeLstViw, mode) << "nothing written past the text";

    inf.strBriTlb[0] = '\0';
    app->WriteIni();
    EXPECT_EQ(Get("iCntHexStr"), "0");
}

TEST_F(IniTest, AColumnKindOutOfRangeResetsTheColumnsButNotTheSortColumn)
{
    Put("LscFii_iCntLstColTyp", "5");
    Put("LscFii_iIdxLstColTyp", "4");
    Put("LscFii_iTypLstCol_1", "6");
    Put("LscFii_iTypLstCol_3", "9");
    Put("LscFii_iWidthLstCol_1", "77");
    ReadAll();
    const LscFii& lsc = theCmnAppInf.lscFii;
    const int kinds[] = {1, 2, 3, 5, 4, 6};
    for (int i = 0; i < CmnLstColCnt; ++i) {
        EXPECT_EQ(lsc.iTypLstCol[i], kinds[i]) << i;
        EXPECT_EQ(lsc.iWidthLstCol[i], 120) << i;
    }
    EXPECT_EQ(lsc.iCntLstColTyp, 4);
    EXPECT_EQ(lsc.iIdxLstColTyp, 4);
    EndLsc();
}

TEST_F(IniTest, AShownColumnOfWidth0TakesTheDefaultWidth)
{
    // What a start in the details view once wrote: the first three columns 0 wide.
    Put("LscFii_iCntLstColTyp", "4");
    for (const char* key : {"LscFii_iWidthLstCol_1", "LscFii_iWidthLstCol_2", "LscFii_iWidthLstCol_3",
                            "LscFii_iWidthLstCol_6"})
        Put(key, "0");
    Put("LscFii_iWidthLstCol_4", "131");
    ReadAll();
    const LscFii& lsc = theCmnAppInf.lscFii;
    const int widths[CmnLstColCnt] = {120, 120, 120, 131, 120, 0}; // the hidden sixth keeps its 0
    for (int i = 0; i < CmnLstColCnt; ++i) EXPECT_EQ(lsc.iWidthLstCol[i], widths[i]) << i;
    EndLsc();
}

// A key read from its section read whole answers as the platform's reader of the one key:
// letter case, blanks, quotes, repeats, a line without "=", a comment, texts beyond the buffer,
// a second section of the same name, keys that are missing and their defaults.
TEST_F(IniTest, ASectionReadWholeAnswersAsTheKeysOneByOne)
{
    const std::string file = "[Other]\r\nkey=other\r\n[common information]\r\nPlain=1\r\n"
                             "  Spaced  =  two  words  \r\nUPPER=up\r\nQuoted=\"in quotes\"\r\nSingle='single'\r\n"
                             "Half=\"open\r\nMixed=\"mixed'\r\nEmpty=\r\nNoEquals\r\n;Comment=3\r\n"
                             "Twice=first\r\ntwice=second\r\nLong=" + Repeat("表", 600) + "\r\nAscii=" +
                             std::string(1100, 'a') + "\r\n"
                             "[Common Information]\r\nLater=in the second section\r\n";
    HANDLE h = CreateFileA(Ini().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD n = 0;
    WriteFile(h, file.data(), static_cast<DWORD>(file.size()), &n, nullptr);
    CloseHandle(h);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, Ini().c_str()); // no cached copy
    const char* keys[] = {"Plain", "Spaced", "upper", "Quoted", "Single", "Half", "Mixed", "Empty", "NoEquals",
                          ";Comment", "Comment", "Twice", "Long", "Ascii", "Later", "key", "Missing"};
    const char* dflts[] = {"", "d", "d  ", "  d ", "\"q\""};
    std::vector<std::string> one, whole;
    for (const char* key : keys)
        for (const char* dflt : dflts) one.push_back(app->ReadProfile(key, dflt));
    {
        TestApp::ProfileBatch batch(app);
        for (const char* key : keys)
            for (const char* dflt : dflts) whole.push_back(app->ReadProfile(key, dflt));
    }
    ASSERT_EQ(one.size(), whole.size());
    for (size_t i = 0; i < one.size(); ++i)
        EXPECT_EQ(whole[i], one[i]) << keys[i / 5] << " with the default [" << dflts[i % 5] << "]";
}

TEST_F(IniTest, RepeatedColumnKindsResetTheColumnsAsOutOfRangeOnesDo)
{
    const struct {
        const char* kinds;
        bool reset;
    } cases[] = {{"1,1,2,3,4,5", true}, {"6,5,4,3,2,6", true}, {"2,2,2,2,2,2", true}, {"6,5,4,3,2,1", false}};
    ReadAll();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kinds);
        Put("LscFii_iCntLstColTyp", "6");
        Put("LscFii_iWidthLstCol_2", "77");
        int given[CmnLstColCnt] = {};
        sscanf(c.kinds, "%d,%d,%d,%d,%d,%d", &given[0], &given[1], &given[2], &given[3], &given[4], &given[5]);
        for (int i = 0; i < CmnLstColCnt; ++i) {
            char key[32], value[8];
            snprintf(key, sizeof(key), "LscFii_iTypLstCol_%d", i + 1);
            snprintf(value, sizeof(value), "%d", given[i]);
            Put(key, value);
        }
        app->ReadLscFilInf();
        const LscFii& lsc = theCmnAppInf.lscFii;
        const int defaults[] = {1, 2, 3, 5, 4, 6};
        for (int i = 0; i < CmnLstColCnt; ++i) EXPECT_EQ(lsc.iTypLstCol[i], c.reset ? defaults[i] : given[i]) << i;
        EXPECT_EQ(lsc.iCntLstColTyp, c.reset ? 4 : 6);
        EXPECT_EQ(lsc.iWidthLstCol[1], c.reset ? 120 : 77);
    }
    EndLsc();
}

TEST_F(IniTest, AFileThatCannotBeReadOrWrittenGivesTheDefaults)
{
    // A folder in the settings file's place (a read-only attribute does not stop root, under
    // which the tests may run).
    Put("iScaBas", "2");
    Clear();
    ASSERT_TRUE(CreateDirectoryA(Ini().c_str(), nullptr));
    app->ReadIni();
    EXPECT_EQ(theCmnAppInf.iScaBas, 5);
    theCmnAppInf.iScaBas = 4;
    app->WriteIni();
    EXPECT_TRUE(IsFolder(Ini()));
    RemoveDirectoryA(Ini().c_str());

    // A settings file in a folder that does not exist: defaults, and writing makes nothing.
    VktTempDir temp;
    free(const_cast<LPSTR>(app->m_pszProfileName));
    app->m_pszProfileName = _strdup((temp / "none\\Pictavo.ini").c_str());
    app->ReadIni();
    EXPECT_EQ(theCmnAppInf.iScaBas, 5);
    app->WriteIni();
    EXPECT_FALSE(Exists(temp / "none"));
}

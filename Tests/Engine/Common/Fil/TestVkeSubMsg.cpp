// The message file, message texts by number and by status code, and the engine's message boxes.
#include "VktMsgBox.h"
#include "VktMsgFile.h"
#include "VktSupport.h"
#include "VkiSub.h" // read the last traced export

namespace {

class Msg : public VktSubFixture {
protected:
    // Loads a message file made of exactly these bytes.
    int Load(const std::string& bytes)
    {
        std::string path = dir / "test.vmg";
        EXPECT_TRUE(VktWriteFile(path, bytes));
        return VkeSubLoadMsg(sub, path.c_str());
    }
    std::string Text(int no)
    {
        char out[VKE_MSG_SIZE] = {};
        EXPECT_EQ(VkeSubGetMsg(sub, no, out), 0);
        return out;
    }
    std::string ErrText(int code)
    {
        char out[VKE_MSG_SIZE] = {};
        EXPECT_EQ(VkeSubGetErrMsg(sub, code, out), 0);
        return out;
    }
    void LoadStandard() { ASSERT_EQ(VkeSubLoadMsg(sub, VktWriteMsgFile(dir.Path(), VktMsgTexts()).c_str()), 0); }

    VktTempDir dir;
};

// The shipped file lies in the runnable folder beside the tests' folder.
std::string ShippedFile()
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, sizeof(exe));
    std::string path = exe;
    path = path.substr(0, path.find_last_of('\\'));
    return path.substr(0, path.find_last_of('\\')) + "\\bin\\Quorvane.vmg";
}

} // namespace

TEST_F(Msg, LoadsCountDefaultAndTextsIgnoringBlankLines)
{
    ASSERT_EQ(Load("\n  2\n\n\tdefault text \n\nfirst\n \t \nsecond\n\n"), 0);
    EXPECT_EQ(sub->m_iMsgCnt, 2);
    EXPECT_EQ(Text(1), "first");
    EXPECT_EQ(Text(2), "second");
    for (int no : {0, 3, -1, 1000000}) EXPECT_EQ(Text(no), "default text") << no;
}

TEST_F(Msg, LineEndsOfEveryKind)
{
    for (const char* bytes : {"2\r\nd\r\na\r\nb\r\n", "2\nd\na\nb", "2\r\nd\r\na\r\nb\r\n\x1A", "2\nd\na\r\nb\n\n\n"}) {
        ASSERT_EQ(Load(bytes), 0) << bytes;
        EXPECT_EQ(Text(1), "a");
        EXPECT_EQ(Text(2), "b");
        EXPECT_EQ(Text(0), "d");
    }
}

TEST_F(Msg, CountRules)
{
    struct {
        const char* bytes;
        int rc;
    } cases[] = {
        {"2\nd\na\nb\nc\n", -11},               // a text beyond the count
        {"2\nd\na\n", -11},                     // fewer texts than the count
        {"0\nd\n", -11},                        // count below 1
        {"-2\nd\na\nb\n", -11},
        {"abc\nd\na\nb\n", -11},                // not a number: read as 0
        {"", -11},                              // empty file
        {"\r\n \r\n\x1A", -11},                 // only blank lines
        {"2147483647\nd\na\n", -11},            // a count the file cannot hold
        {"99999999999999999999\nd\na\n", -11},  // a count beyond any int
        {"1\n", -11},                           // no default text
        {"2abc\nd\na\nb\n", 0},                 // read like atoi: the digits in front
        {" +2\nd\na\nb\n", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(Load(c.bytes), c.rc) << c.bytes;
}

TEST_F(Msg, FailedLoadLeavesNoMessages)
{
    ASSERT_EQ(Load("1\nd\na\n"), 0);
    EXPECT_EQ(Load("1\nd\na\nb\n"), -11);
    EXPECT_EQ(sub->m_iMsgCnt, 0);
    for (int no : {0, 1, 2}) EXPECT_EQ(Text(no), "");
    char out[VKE_MSG_SIZE] = "x";
    EXPECT_EQ(VkeSubGetErrMsg(sub, -9, out), 0);
    EXPECT_STREQ(out, "");
}

TEST_F(Msg, ReloadReplacesTheTable)
{
    ASSERT_EQ(Load("1\nd\nold\n"), 0);
    ASSERT_EQ(Load("3\nD\nx\ny\nz\n"), 0);
    EXPECT_EQ(Text(1), "x");
    EXPECT_EQ(Text(3), "z");
    EXPECT_EQ(Text(4), "D");
}

TEST_F(Msg, TextLengthLimit)
{
    std::string fits(127, 'a'), over(128, 'a');
    ASSERT_EQ(Load("1\nd\n" + fits + "\n"), 0);
    EXPECT_EQ(Text(1), fits);
    EXPECT_EQ(Load("1\nd\n" + over + "\n"), -13);
    EXPECT_EQ(Load("1\n" + over + "\na\n"), -13); // the default text too
    // 63 double-byte characters and one byte fit; one more double-byte character does not.
    std::string kanji;
    for (int i = 0; i < 63; ++i) kanji += "表";
    ASSERT_EQ(Load("1\nd\n" + kanji + "a\n"), 0);
    EXPECT_EQ(Text(1), kanji + "a");
    EXPECT_EQ(Load("1\nd\n" + kanji + "表\n"), -13);
    // Escapes are replaced before the length is taken: 127 bytes after replacement fit.
    ASSERT_EQ(Load("1\nd\n" + std::string(126, 'a') + "\\n\n"), 0);
    EXPECT_EQ(Text(1), std::string(126, 'a') + "\n");
}

TEST_F(Msg, EscapesWalkCharacters)
{
    ASSERT_EQ(Load("6\nd\na\\nb\n\\tx\\t\nq\\\\n\n表n\nソ\\n\n\\x\\\n"), 0);
    EXPECT_EQ(Text(1), "a\nb");
    EXPECT_EQ(Text(2), "\tx\t");
    EXPECT_EQ(Text(3), "q\\\n");   // the second backslash starts the escape
    EXPECT_EQ(Text(4), "表n");     // 0x5C as a trail byte starts no escape
    EXPECT_EQ(Text(5), "ソ\n");
    EXPECT_EQ(Text(6), "\\x\\");
}

TEST_F(Msg, LongPhysicalLinesAreReadInPieces)
{
    // 2047 blanks make one empty piece; what follows on that line is the next piece.
    ASSERT_EQ(Load("1\nd\n" + std::string(2047, ' ') + "x\n"), 0);
    EXPECT_EQ(Text(1), "x");
    // A long text line becomes a piece too long for a message, never an over-read.
    EXPECT_EQ(Load("1\nd\n" + std::string(5000, 'a') + "\n"), -13);
}

TEST_F(Msg, OddBytesAreKeptAsTheyStand)
{
    // A lone lead byte at the end, bytes outside Shift-JIS, a NUL inside a line.
    const char bytes[] = "3\nd\nabc\x81\n\xFD\xFE\xFF\nab\0cd\n";
    ASSERT_EQ(Load(std::string(bytes, sizeof(bytes) - 1)), 0);
    EXPECT_EQ(Text(1), "abc\x81");
    EXPECT_EQ(Text(2), "\xFD\xFE\xFF");
    EXPECT_EQ(Text(3), "ab");
}

TEST_F(Msg, PathRules)
{
    EXPECT_EQ(VkeSubLoadMsg(sub, (dir / "missing.vmg").c_str()), -12);
    EXPECT_EQ(VkeSubLoadMsg(sub, dir.Path().c_str()), -9);
    EXPECT_EQ(VkeSubLoadMsg(sub, "C:"), -9);
    EXPECT_EQ(VkeSubLoadMsg(sub, nullptr), -9);
    EXPECT_EQ(VkeSubLoadMsg(sub, ""), -12);
    EXPECT_EQ(VkeSubLoadMsg(nullptr, "x"), -9);
    // A path with a trailing separator and slashes is normalised first.
    std::string path = VktWriteMsgFile(dir.Path(), {"a"});
    std::string slashed = path;
    for (char& c : slashed)
        if (c == '\\') c = '/';
    EXPECT_EQ(VkeSubLoadMsg(sub, ("  " + slashed + "  ").c_str()), 0);
    EXPECT_EQ(Text(1), "a");
}

TEST_F(Msg, JapaneseFolderAndFileNames)
{
    std::string folder = dir / "表ソ";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    std::string path = VktWriteMsgFile(folder, {"能"}, "既定", "ポ.vmg");
    ASSERT_EQ(VkeSubLoadMsg(sub, path.c_str()), 0);
    EXPECT_EQ(Text(1), "能");
    EXPECT_EQ(Text(9), "既定");
}

TEST_F(Msg, NotInitialised)
{
    VkiSub* raw = nullptr;
    ASSERT_EQ(VkeSubAlloc(&raw), 0);
    char out[VKE_MSG_SIZE];
    EXPECT_EQ(VkeSubLoadMsg(raw, "x"), -6);
    EXPECT_EQ(VkeSubGetMsg(raw, 1, out), -6);
    EXPECT_EQ(VkeSubGetErrMsg(raw, 0, out), -6);
    EXPECT_EQ(VkeSubShowMsg(raw, 1, MB_OK), 0); // nothing to show, no box
    VkeSubFree(&raw);
}

TEST_F(Msg, TermFreesTheTable)
{
    LoadStandard();
    ASSERT_EQ(VkeSubTerm(sub), 0);
    EXPECT_EQ(sub->m_iMsgCnt, 0);
    EXPECT_EQ(sub->m_pMsgTbl, nullptr);
}

TEST_F(Msg, StatusCodeTexts)
{
    LoadStandard();
    struct {
        int code, no;
    } cases[] = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {-1, 13}, {-5, 17}, {-9, 21}, {-13, 25}, {-14, 26},
                 {-17, 29}, {-36, 48}};
    for (const auto& c : cases) EXPECT_EQ(ErrText(c.code), "msg " + std::to_string(c.no)) << c.code;
    for (int code : {5, -37, 100, -1000}) EXPECT_EQ(ErrText(code), "default") << code;
    EXPECT_EQ(VkeSubGetErrMsg(sub, 0, nullptr), -9);
    EXPECT_EQ(VkeSubGetMsg(sub, 0, nullptr), -9);
    EXPECT_EQ(LastTraced(), std::string("VkeSubGetMsg")); // -9 is traced
}

TEST_F(Msg, ShippedFileHasEveryTextTheEngineReads)
{
    ASSERT_EQ(VkeSubLoadMsg(sub, ShippedFile().c_str()), 0) << ShippedFile();
    EXPECT_GE(sub->m_iMsgCnt, 108);
    std::string fallback = Text(0);
    EXPECT_FALSE(fallback.empty());
    std::vector<int> used;
    for (int no = 1; no <= 5; ++no) used.push_back(no);
    for (int no = 8; no <= 57; ++no) used.push_back(no);
    for (int no = 59; no <= 108; ++no) used.push_back(no);
    for (int no : used) {
        std::string text = Text(no);
        EXPECT_FALSE(text.empty()) << no;
        EXPECT_NE(text, fallback) << no;
    }
    // The values the engine reads, in Shift-JIS.
    EXPECT_EQ(Text(49), "ＭＳ Ｐゴシック");
    EXPECT_EQ(Text(49).substr(0, 2), "\x82\x6C");
    EXPECT_GT(atoi(Text(50).c_str()), 0);
    EXPECT_GT(atoi(Text(51).c_str()), 0);
    const char* markers[] = {"年", "月", "日", "時", "分", "秒"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(Text(52 + i), markers[i]);
    EXPECT_EQ(Text(12), "*.*");
}

// ---- Message boxes ----

TEST_F(Msg, BoxShowsTheTextTitledWithTheProgramName)
{
    LoadStandard();
    VktMsgBox answer({IDOK});
    EXPECT_EQ(VkeSubShowMsg(sub, 3, MB_OK), IDOK);
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_EQ(answer.Seen()[0].text, "msg 3");
    EXPECT_EQ(answer.Seen()[0].caption, "TestEngFil");
}

TEST_F(Msg, BoxReturnsTheButtonPressed)
{
    LoadStandard();
    VktMsgBox answer({IDNO, IDYES, IDCANCEL});
    EXPECT_EQ(VkeSubMsgBox(sub, "表示 ソ", MB_YESNO), IDNO);
    EXPECT_EQ(VkeSubShowErrMsg(sub, -9, MB_YESNO), IDYES);
    EXPECT_EQ(VkeSubShowMsg(sub, 1, MB_OKCANCEL), IDCANCEL);
    ASSERT_EQ(answer.Count(), 3);
    EXPECT_EQ(answer.Seen()[0].text, "表示 ソ");
    EXPECT_EQ(answer.Seen()[1].text, "msg 21");
}

TEST_F(Msg, BoxesNeverNest)
{
    LoadStandard();
    VktMsgBox answer({IDOK});
    int inner = -1;
    answer.OnOpen = [&](HWND) { inner = VkeSubShowMsg(sub, 2, MB_OK); };
    EXPECT_EQ(VkeSubShowMsg(sub, 1, MB_OK), IDOK);
    EXPECT_EQ(inner, 0);
    EXPECT_EQ(answer.Count(), 1);
    // Once it is closed the next box opens again.
    answer.OnOpen = nullptr;
    EXPECT_EQ(VkeSubShowMsg(sub, 2, MB_OK), IDOK);
    EXPECT_EQ(answer.Count(), 2);
}

TEST_F(Msg, NoBoxForNoText)
{
    VktMsgBox answer;
    EXPECT_EQ(VkeSubMsgBox(sub, nullptr, MB_OK), 0);
    EXPECT_EQ(VkeSubMsgBox(nullptr, "x", MB_OK), -9);
    EXPECT_EQ(VkeSubShowMsg(nullptr, 1, MB_OK), -9);
    EXPECT_EQ(VkeSubShowErrMsg(nullptr, 1, MB_OK), -9);
    EXPECT_EQ(answer.Count(), 0);
}

TEST_F(Msg, BoxWithoutMessageFileShowsEmptyText)
{
    VktMsgBox answer;
    EXPECT_EQ(VkeSubShowMsg(sub, 1, MB_OK), IDOK);
    ASSERT_EQ(answer.Count(), 1);
    EXPECT_EQ(answer.Seen()[0].text, "");
}

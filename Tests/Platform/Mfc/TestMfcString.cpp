// CString with Shift-JIS text: searches and cuts never split a double-byte character, and a
// trail byte 0x5C ("\") or 0x7C ("|") is never taken for the ASCII character.
#include "TestMfcApp.h"
#include "TestMfcRes.h"
#include <gtest/gtest.h>

// 表 95 5C, ソ 83 5C, 能 94 5C, ポ 83 7C, ヂ 83 61
static const char* const kHyo = "表";
static const char* const kSo = "ソ";
static const char* const kPo = "ポ";

TEST(MfcString, FindSkipsTrailBytes)
{
    CString s = CString(kHyo) + kSo + "\\" + kPo + "|x";
    EXPECT_EQ(s.GetLength(), 9);
    EXPECT_EQ(s.Find('\\'), 4);
    EXPECT_EQ(s.Find('|'), 7);
    EXPECT_EQ(s.ReverseFind('\\'), 4);
    EXPECT_EQ(s.ReverseFind('|'), 7);
    EXPECT_EQ(s.FindOneOf("|\\"), 4);
    // A start on a trail byte moves on to the next character.
    EXPECT_EQ(s.Find('\\', 1), 4);
    EXPECT_EQ(s.Find('x', 8), 8);
    EXPECT_EQ(s.Find('x', 9), -1);
    // A lone trail byte text never matches inside a character.
    EXPECT_EQ(CString(kHyo).Find("\\"), -1);
    EXPECT_EQ(CString(kPo).Find('|'), -1);
    EXPECT_EQ(CString(kPo).ReverseFind('|'), -1);
}

TEST(MfcString, FindSubstringAtBoundariesOnly)
{
    // "ソ" is 83 5C; "ャ" is 83 83. In "\x83\x83\x5C" a byte search for ソ would hit at 1.
    CString s = CString("ャ") + "\\";
    EXPECT_EQ(s.Find(kSo), -1);
    CString t = CString("a") + kSo + "b" + kSo;
    EXPECT_EQ(t.Find(kSo), 1);
    EXPECT_EQ(t.Find(kSo, 2), 4);
    EXPECT_EQ(t.Find(""), 0);
    EXPECT_EQ(t.Find(static_cast<LPCSTR>(nullptr)), -1);
}

TEST(MfcString, CutsKeepWholeCharacters)
{
    CString s = CString("a") + kHyo + kSo; // a 95 5C 83 5C
    EXPECT_STREQ(s.Left(2), "a");
    EXPECT_STREQ(s.Left(3), (CString("a") + kHyo).GetString());
    EXPECT_STREQ(s.Left(0), "");
    EXPECT_STREQ(s.Left(99), s.GetString());
    EXPECT_STREQ(s.Mid(2), (CString(kHyo) + kSo).GetString()); // start inside 表 moves to its start
    EXPECT_STREQ(s.Mid(1, 3), kHyo);
    EXPECT_STREQ(s.Mid(5, 1), "");
    EXPECT_STREQ(s.Mid(-3, 1), "a");
    EXPECT_STREQ(s.Right(1), "");
    EXPECT_STREQ(s.Right(2), kSo);
    EXPECT_STREQ(s.Right(3), kSo);
}

TEST(MfcString, CaseChangesOnlySingleByteLetters)
{
    CString s = CString("abc") + "ヂ" + "ａz"; // ヂ is 83 61: its trail byte is "a"
    s.MakeUpper();
    EXPECT_STREQ(s, (CString("ABC") + "ヂ" + "ａZ").GetString());
    s.MakeLower();
    EXPECT_STREQ(s, (CString("abc") + "ヂ" + "ａz").GetString());
    EXPECT_EQ(CString("ヂ").CompareNoCase("\x83" "A"), 1); // the trail byte is not folded
    EXPECT_EQ(CString("Abc").CompareNoCase("aBC"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("abd"), 0);
}

TEST(MfcString, EditsWalkCharacters)
{
    CString s = CString(kHyo) + "|" + kPo + "|";
    EXPECT_EQ(s.Replace('|', '/'), 2);
    EXPECT_STREQ(s, (CString(kHyo) + "/" + kPo + "/").GetString());
    CString r = CString(kPo) + "||" + kPo;
    EXPECT_EQ(r.Replace("|", "-"), 2);
    EXPECT_STREQ(r, (CString(kPo) + "--" + kPo).GetString());
    CString t = CString(kSo) + "\\";
    EXPECT_EQ(t.Remove('\\'), 1);
    EXPECT_STREQ(t, kSo);
    CString d = CString("a") + kHyo + "b";
    d.Delete(2, 1); // inside 表: the whole character goes
    EXPECT_STREQ(d, "ab");
    CString i = kHyo;
    i.Insert(1, "x"); // inside 表: after it
    EXPECT_STREQ(i, (CString(kHyo) + "x").GetString());
}

TEST(MfcString, TrimKeepsTrailBytes)
{
    CString s = CString(" \t") + kSo + " \r\n";
    s.Trim();
    EXPECT_STREQ(s, kSo);
    // 0x20 is never a trail byte, but a trail byte equal to the trimmed character must stay.
    CString t = CString(kSo) + "\\\\";
    t.TrimRight('\\');
    EXPECT_STREQ(t, kSo);
    CString u = CString("\\") + kSo;
    u.TrimLeft('\\');
    EXPECT_STREQ(u, kSo);
}

TEST(MfcString, FormatAndResources)
{
    CString s;
    s.Format("%s %d", kHyo, 42);
    EXPECT_STREQ(s, (CString(kHyo) + " 42").GetString());
    s.Format(IDS_TEST_PAGE, 7u);
    EXPECT_STREQ(s, "ﾍﾟｰｼﾞ 7");
    s.FormatMessage("%1 へ出力中", "LPT1:");
    EXPECT_STREQ(s, "LPT1: へ出力中");
    s.FormatMessage(IDS_TEST_PORT, "表示ソ");
    EXPECT_STREQ(s, "表示ソ へ出力中");
    s.FormatMessage("%2-%1", "a", "b");
    EXPECT_STREQ(s, "b-a");
    s.AppendFormat("%03d", 5);
    EXPECT_STREQ(s, "b-a005");
}

TEST(MfcString, LoadString)
{
    CString s;
    EXPECT_TRUE(s.LoadString(IDS_TEST_PORT));
    EXPECT_STREQ(s, "%1 へ出力中");
    // Longer than the first buffer: read whole.
    EXPECT_TRUE(s.LoadString(IDS_TEST_LONG));
    EXPECT_EQ(s.GetLength(), 40 * 8);
    EXPECT_EQ(s.Left(8), CString("表ソ能ポ"));
    EXPECT_FALSE(s.LoadString(9999));
    EXPECT_TRUE(s.IsEmpty());
}

TEST(MfcString, BufferAccess)
{
    CString s;
    char* p = s.GetBuffer(10);
    lstrcpyA(p, kHyo);
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 2);
    s.GetBufferSetLength(1)[0] = 'z';
    s.ReleaseBuffer(1);
    EXPECT_STREQ(s, "z");
    CString n(static_cast<LPCSTR>(nullptr));
    EXPECT_TRUE(n.IsEmpty());
    EXPECT_TRUE(CString("a") == "a");
    EXPECT_TRUE("b" != CString("a"));
}

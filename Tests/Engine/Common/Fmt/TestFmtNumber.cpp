// Text and numbers: checks, parses into the canonical text, thousands separators.
#include "TestFmtSupport.h"
#include <math.h>

using Number = VktFmt;

TEST_F(Number, TextIsTrimmed)
{
    EXPECT_EQ(VkeSubChkText(sub, "  a "), 0);
    EXPECT_EQ(VkeSubChkText(sub, " \t\r\n\x1A"), -12);
    EXPECT_EQ(VkeSubChkText(sub, ""), -12);
    EXPECT_EQ(VkeSubChkText(sub, nullptr), -9);
    VktGetTable(VkeSubGetText, sub,
                {{"  表ソ能ポ  ", 0, "表ソ能ポ"}, {"a b", 0, "a b"}, {" \t ", -12, nullptr}, {"", -12, nullptr}});
}

TEST_F(Number, IntParse)
{
    auto get = [](VkiSub* s, char* t, int n) {
        int v = -1;
        return VkeSubGetInt(s, t, &v, n);
    };
    VktGetTable(get, sub,
                {
                    {" 1,234 ", 0, "1234"},
                    {"-0012", 0, "-12"},
                    {"+5", 0, "5"},
                    {"-", 0, "0"},
                    {"+", 0, "0"},
                    {"0", 0, "0"},
                    {"-0", 0, "0"},
                    {"-2147483648", 0, "-2147483648"},
                    {"2147483647", 0, "2147483647"},
                    {"-2,147,483,648", 0, "-2147483648"},
                    {"00000000002147483647", 0, "2147483647"},
                    {"-1,234,567", 0, "-1234567"},
                    {"2147483648", -18, nullptr},
                    {"-2147483649", -18, nullptr},
                    {"99999999999", -18, nullptr},
                    {"12,34", -18, nullptr},
                    {"1 2", -18, nullptr},
                    {"1.0", -18, nullptr},
                    {"+-5", -18, nullptr},
                    {"5-", -18, nullptr},
                    {"１２", -18, nullptr}, // full-width digits are no digits here
                    {"表", -18, nullptr},
                    {"   ", -12, nullptr},
                });
}

TEST_F(Number, IntValueAndModes)
{
    int v = -1;
    char text[32] = " 1,234 ";
    EXPECT_EQ(VkeSubGetInt(sub, text, &v, sizeof(text)), 0);
    EXPECT_EQ(v, 1234);
    strcpy(text, "x");
    EXPECT_EQ(VkeSubGetInt(sub, text, &v, sizeof(text)), -18);
    EXPECT_EQ(v, 0);
    EXPECT_EQ(VkeSubGetInt(sub, text, nullptr, sizeof(text)), -9);

    struct Row {
        const char* text;
        int mode, rc, value;
    } rows[] = {
        {"007", 1, 0, 7},     {"-5", 1, -18, 0},     {"+5", 1, -18, 0},
        {"1,000", 1, -18, 0}, {"1,000", 0, 0, 1000}, {" 2147483647 ", 1, 0, 2147483647},
        {"", 1, -12, 0},      {"  ", 0, -12, 0},     {"-2147483648", 0, 0, INT_MIN},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        v = -1;
        EXPECT_EQ(VkeSubChkInt(sub, r.text, r.mode, &v), r.rc);
        EXPECT_EQ(v, r.value);
    }
    EXPECT_EQ(VkeSubChkInt(sub, "1", 2, &v), -9);
    EXPECT_EQ(VkeSubChkInt(sub, "1", -1, &v), -9);
    EXPECT_EQ(VkeSubChkInt(sub, "1", 0, nullptr), -9);
    EXPECT_EQ(VkeSubChkInt(sub, nullptr, 0, &v), -9);
}

TEST_F(Number, CurParse)
{
    auto get = [](VkiSub* s, char* t, int n) {
        double v = -1;
        return VkeSubGetCur(s, t, &v, n);
    };
    VktGetTable(get, sub,
                {
                    {"1,234,567", 0, "1234567"},
                    {"-1,000", 0, "-1000"},
                    {"+12", 0, "12"},
                    {"000123", 0, "123"},
                    {"123456789012345", 0, "123456789012345"},
                    {"12.5", -19, nullptr},
                    {"1,23", -19, nullptr},
                    {"1e5", -19, nullptr},
                    {"12-", -19, nullptr},
                    {" ", -12, nullptr},
                    {std::string(400, '9').c_str(), -19, nullptr}, // beyond a double
                });
    double v = -1;
    EXPECT_EQ(VkeSubChkCur(sub, "-1,234", &v), 0);
    EXPECT_EQ(v, -1234.0);
    EXPECT_EQ(VkeSubChkCur(sub, "x", &v), -19);
    EXPECT_EQ(v, 0.0);
    EXPECT_EQ(VkeSubChkCur(sub, "1", nullptr), -9);
}

TEST_F(Number, DblParse)
{
    auto get = [](VkiSub* s, char* t, int n) {
        double v = -1;
        return VkeSubGetDbl(s, t, &v, n);
    };
    VktGetTable(get, sub,
                {
                    {"3", 0, "3.0"},
                    {".5", 0, "0.5"},
                    {"5.", 0, "5.0"},
                    {"-0.25", 0, "-0.25"},
                    {"1,234.5", 0, "1234.5"},
                    {"0.1234567", 0, "0.123457"},
                    {"0.05", 0, "0.05"},
                    {"2.000000", 0, "2.0"},
                    {"1.2.3", -20, nullptr},
                    {"1e5", -20, nullptr},
                    {"1,234.5,6", -20, nullptr},
                    {"12,34.5", -20, nullptr},
                    {"ー1", -20, nullptr},
                });
    double v = -1;
    EXPECT_EQ(VkeSubChkDbl(sub, " 1,234.5 ", &v), 0);
    EXPECT_EQ(v, 1234.5);
    EXPECT_EQ(VkeSubChkDbl(sub, "", &v), -12);
    EXPECT_EQ(v, 0.0);
}

TEST_F(Number, CommaCheck)
{
    for (const char* ok : {"1,234", "1234", "1,234,567.89", "-1,234", "-123,456", "", "  1,234  ", "123", "+1,000"}) {
        SCOPED_TRACE(ok);
        EXPECT_EQ(VkeSubChkComma(sub, ok), 0);
    }
    for (const char* bad : {"12,34", "1,234.5,6", "-,123", ",123", "1,,234", "1234,567", "123,", "1,2345"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(VkeSubChkComma(sub, bad), 1);
    }
    int before = Traced();
    EXPECT_EQ(VkeSubChkComma(sub, ",1"), 1);
    EXPECT_EQ(Traced(), before); // an expected outcome
    EXPECT_EQ(VkeSubChkComma(sub, nullptr), -9);
    EXPECT_EQ(Traced(), before + 1);
}

TEST_F(Number, CommaInsert)
{
    struct Row {
        const char* in;
        const char* out;
    } rows[] = {
        {"1234567", "1,234,567"},
        {"-1234567", "-1,234,567"},
        {"-123", "-123"},
        {"+1234", "+1,234"},
        {"1234.5678", "1,234.5678"},
        {"0001234", "0,001,234"},
        {"123", "123"},
        {"", ""},
        {"  ", "  "},
        {" 12345 ", "12,345"},
        {"-123456", "-123,456"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.in);
        VktBuf b(r.in, 32);
        EXPECT_EQ(VkeSubSetComma(sub, b.Ptr(), b.Size()), 0);
        EXPECT_EQ(b.Text(), r.out);
    }
    // "1,234,567" needs 10 bytes: one fewer is -13 and the text stays whole.
    VktBuf exact("1234567", 10);
    EXPECT_EQ(VkeSubSetComma(sub, exact.Ptr(), exact.Size()), 0);
    EXPECT_EQ(exact.Text(), "1,234,567");
    VktBuf small("1234567", 9);
    EXPECT_EQ(VkeSubSetComma(sub, small.Ptr(), small.Size()), -13);
    EXPECT_EQ(small.Text(), "1234567");
    EXPECT_TRUE(small.Guarded());
    EXPECT_EQ(VkeSubSetComma(sub, nullptr, 8), -9);
    EXPECT_EQ(VkeSubSetComma(sub, small.Ptr(), 0), -9);
}

TEST_F(Number, CanonicalTextMustFit)
{
    // "3" becomes "3.0": a buffer of 3 bytes cannot hold it, and the text is not cut.
    VktOut o = VktRunGet(
        [](VkiSub* s, char* t, int n) {
            double v;
            return VkeSubGetDbl(s, t, &v, n);
        },
        sub, "3", 3);
    EXPECT_EQ(o.rc, -13);
    EXPECT_EQ(o.text, "3");
    o = VktRunGet(
        [](VkiSub* s, char* t, int n) {
            double v;
            return VkeSubGetDbl(s, t, &v, n);
        },
        sub, "3", 4);
    EXPECT_EQ(o.rc, 0);
    EXPECT_EQ(o.text, "3.0");
}

TEST_F(Number, BadArguments)
{
    char text[8] = "1";
    EXPECT_EQ(VkeSubGetText(sub, nullptr, 8), -9);
    EXPECT_EQ(VkeSubGetText(sub, text, 0), -9);
    EXPECT_EQ(VkeSubSetInt(sub, text, nullptr, 8), -9);
    EXPECT_EQ(VkeSubGetInt(nullptr, text, nullptr, 8), -9);
    // A text that does not end inside the given size is refused, not read past.
    char unended[4] = {'1', '2', '3', '4'};
    int v = 0;
    EXPECT_EQ(VkeSubGetInt(sub, unended, &v, sizeof(unended)), -9);

    VkiSub* idle = nullptr;
    ASSERT_EQ(VkeSubAlloc(&idle), 0);
    EXPECT_EQ(VkeSubChkText(idle, "a"), -6);
    EXPECT_EQ(VkeSubGetInt(idle, text, &v, 8), -6);
    EXPECT_EQ(VkeSubSetDbl(idle, text, "%v", 8), -6);
    EXPECT_EQ(VkeSubChkComma(idle, "1"), -6);
    VkeSubFree(&idle);
}

TEST_F(Number, TracesOnlyTheUnexpected)
{
    int before = Traced();
    VktRunGet(
        [](VkiSub* s, char* t, int n) {
            int v;
            return VkeSubGetInt(s, t, &v, n);
        },
        sub, "x");
    VktRunGet(VkeSubGetText, sub, " ");
    EXPECT_EQ(Traced(), before);
    VktRunGet(
        [](VkiSub* s, char* t, int n) {
            double v;
            return VkeSubGetDbl(s, t, &v, n);
        },
        sub, "3", 3);
    EXPECT_EQ(Traced(), before + 1);
    EXPECT_EQ(LastTraced(), "VkeSubGetDbl");
}

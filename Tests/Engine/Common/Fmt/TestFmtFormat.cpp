// The formatter, through the Set exports of every kind: edit format elements, literal text,
// flags, widths, separators, runs of calendar and time letters, and results that do not fit.
#include "TestFmtSupport.h"

namespace {

struct Row {
    VktSetFn fn;
    const char* value;
    const char* format;
    int rc;
    const char* out; // null: the canonical text stays
};

class Format : public VktFmt {
protected:
    void Table(const std::vector<Row>& rows)
    {
        for (const Row& r : rows) {
            SCOPED_TRACE(std::string("\"") + r.value + "\" with \"" + r.format + "\"");
            VktOut o = VktRunSet(r.fn, sub, r.value, r.format);
            EXPECT_EQ(o.rc, r.rc);
            if (r.out) {
                EXPECT_EQ(o.text, r.out);
            }
        }
    }
};

} // namespace

TEST_F(Format, Numbers)
{
    Table({
        {VkeSubSetInt, "1234567", "%,v", 0, "1,234,567"},
        {VkeSubSetInt, "1234567", "%,10v", 0, " 1,234,567"},
        {VkeSubSetInt, "1234", "%,-8v", 0, "1,234"},
        {VkeSubSetInt, "-1234567", "%,v", 0, "-1,234,567"},
        {VkeSubSetInt, "1234", "%,.6v", 0, "001,234"},
        {VkeSubSetInt, "42", "%-5v|", 0, "42   |"},
        {VkeSubSetInt, "42", "%05v", 0, "00042"},
        {VkeSubSetInt, "42", "%5v", 0, "   42"},
        {VkeSubSetInt, "42", "%.4v", 0, "0042"},
        {VkeSubSetInt, "7", "100%% %v", 0, "100% 7"},
        {VkeSubSetInt, "7", "%v%%", 0, "7%"},
        {VkeSubSetInt, "1,234", "合計 %v 円", 0, "合計 1234 円"},
        {VkeSubSetInt, "5", "ソ%v表", 0, "ソ5表"},
        {VkeSubSetCur, "1234567", "%,v", 0, "1,234,567"},
        {VkeSubSetCur, "12", "%.2v", 0, "12"},
        {VkeSubSetCur, "-1000", "%,8v", 0, "  -1,000"},
        {VkeSubSetDbl, "3.14159", "%.2v", 0, "3.14"},
        {VkeSubSetDbl, "2.5", "%.2v", 0, "2.5"},
        {VkeSubSetDbl, "2", "%v", 0, "2.0"},
        {VkeSubSetDbl, "1.5", "%8.3v", 0, "   1.5"},
        {VkeSubSetDbl, "1234.5", "%,.2v", 0, "1,234.5"},
        {VkeSubSetDbl, "1234.5", "%,10.2v", 0, "   1,234.5"},
        {VkeSubSetDbl, "0.1234567", "%.8v", 0, "0.123457"},
        {VkeSubSetDbl, "2.25", "%.v", 0, "2"},
    });
}

TEST_F(Format, Text)
{
    Table({
        {VkeSubSetText, "abcdef", "%.3t", 0, "abc"},
        {VkeSubSetText, "ab", "%5t", 0, "   ab"},
        {VkeSubSetText, "ab", "%-5t", 0, "ab   "},
        {VkeSubSetText, "ab", "%05t", 0, "   ab"},
        {VkeSubSetText, "  ab  ", "[%t]", 0, "[ab]"},
        {VkeSubSetText, "表示", "%.3t", 0, "表"}, // never half a character
        {VkeSubSetText, "表示", "%.4t", 0, "表示"},
        {VkeSubSetText, "%d%s%n", "<%t>", 0, "<%d%s%n>"}, // a value is never a format
        {VkeSubSetText, "ab", "%,t", -9, "ab"},
    });
}

TEST_F(Format, BadFormats)
{
    Table({
        {VkeSubSetInt, "42", "%0-5v", -9, "42"}, // flags out of order
        {VkeSubSetInt, "42", "%q", -9, "42"},
        {VkeSubSetInt, " 42 ", "no conversion", -9, "42"},
        {VkeSubSetInt, "42", "%v%", -9, "42"}, // a "%" at the very end
        {VkeSubSetInt, "42", "%", -9, "42"},
        {VkeSubSetInt, "42", "%%", -9, "42"}, // "%%" is no conversion
        {VkeSubSetInt, "42", "%t", -9, "42"}, // another kind's letter
        {VkeSubSetInt, "42", "%,,v", -9, "42"},
        {VkeSubSetDate, "2024/1/5", "%h", -9, "20240105"},
        {VkeSubSetTime, "093000", "%mm", -9, "093000"}, // the minute is "n"
        {VkeSubSetDate, "2024/1/5", "%-yy", -9, "20240105"},
        {VkeSubSetYYMM, "202403", "%d", -9, "202403"},
        {VkeSubSetInt, "x", "%v", -18, "x"}, // a text that does not parse stays as it was
        {VkeSubSetInt, "  ", "%v", -12, ""},
    });
    // After the last conversion a "%" is literal text.
    Table({{VkeSubSetInt, "5", "%v%v", 0, "5%v"}, {VkeSubSetInt, "5", "%v 50% off", 0, "5 50% off"}});
    char text[16] = "1";
    EXPECT_EQ(VkeSubSetInt(sub, text, nullptr, sizeof(text)), -9);
}

TEST_F(Format, Calendar)
{
    Table({
        {VkeSubSetDate, "2024/1/5", "%yy/%mm/%dd", 0, "24/01/05"},
        {VkeSubSetDate, "2024/1/5", "%y.%m.%d", 0, "24.1.5"},
        {VkeSubSetDate, "2024/1/5", "%yyyy/%mm/%dd", 0, "2024/01/05"},
        {VkeSubSetDate, "2024/1/5", "%y-%m-%d", 0, "24-1-5"},
        {VkeSubSetDate, "2024/1/5", "%yyyy", 0, "2024"},
        {VkeSubSetDate, "2024/1/5", "%mmmm", 0, "0001"},
        {VkeSubSetDate, "2024/1/5", "%yyy", 0, "2024"},
        {VkeSubSetDate, "2024/1/5", "%ddddd", 0, "5"},
        {VkeSubSetDate, "2024/1/5", "%d/%d/%d", 0, "5/5/5"},
        {VkeSubSetDate, "2024/1/5", "%yyyy年%m月%d日", 0, "2024年1月5日"},
        {VkeSubSetDate, "2024/1/5", "", 0, "20240105"},
        {VkeSubSetDate, "2005/1/5", "%y", 0, "5"},
        {VkeSubSetYYMM, "2024/3", "%yyyy-%mm", 0, "2024-03"},
        {VkeSubSetMMDD, "2/29", "%m/%d", 0, "2/29"},
        {VkeSubSetYear, "24", "%yy", 0, "24"},
        {VkeSubSetYear, "100", "%yy", 0, "00"},
        {VkeSubSetYear, "100", "%yyyy", 0, "0100"},
        {VkeSubSetMonth, "3", "%mm月", 0, "03月"},
        {VkeSubSetDay, "7", "%d", 0, "7"},
        {VkeSubSetWeekOfYear, "05", "%v", 0, "5"},
        {VkeSubSetWeekOfYear, "05", "%02v", 0, "05"},
        {VkeSubSetWeekOfYear, "5", "第%v週", 0, "第5週"},
        {VkeSubSetWeekOfMonth, "3", "%-3v|", 0, "3  |"},
        {VkeSubSetWeekOfYear, "05", "%,v", -9, "05"},
    });
}

TEST_F(Format, Time)
{
    Table({
        {VkeSubSetTime, "093000", "%hh:%nn:%ss", 0, "09:30:00"},
        {VkeSubSetTime, "9:30:0", "%h時%n分%s秒", 0, "9時30分0秒"},
        {VkeSubSetTime, "093000", "", 0, "093000"},
        {VkeSubSetHHMM, "0705", "%h:%nn", 0, "7:05"},
        {VkeSubSetMMSS, "5959", "%n'%s\"", 0, "59'59\""},
        {VkeSubSetHour, "7", "%hh", 0, "07"},
        {VkeSubSetMinute, "5", "%nnnn", 0, "0005"},
        {VkeSubSetSecond, "5", "%s", 0, "5"},
        {VkeSubSetHHMM, "0705", "%s", -9, "0705"},
    });
}

TEST_F(Format, EmptyFormatJoinsTheValues)
{
    Table({
        {VkeSubSetColor, "255,0,0", "", 0, "25500"},
        {VkeSubSetColor, "255,0,128", "", 0, "2550128"},
        {VkeSubSetInt, "1,000", "", 0, "1000"},
        {VkeSubSetDbl, "2", "", 0, "2.0"},
        {VkeSubSetMMSS, "5:7", "", 0, "0507"},
    });
}

TEST_F(Format, ResultsThatDoNotFit)
{
    // "1,234,567" needs 10 bytes; at 9 the formatter gives -13 and the canonical text stays.
    VktOut o = VktRunSet(VkeSubSetInt, sub, "1234567", "%,v", 10);
    EXPECT_EQ(o.rc, 0);
    EXPECT_EQ(o.text, "1,234,567");
    o = VktRunSet(VkeSubSetInt, sub, "1234567", "%,v", 9);
    EXPECT_EQ(o.rc, -13);
    EXPECT_EQ(o.text, "1234567");
    // "2024年01月05日" is 14 bytes with double-byte markers: exactly fits 15, not 14.
    o = VktRunSet(VkeSubSetDate, sub, "20240105", "%yyyy年%mm月%dd日", 15);
    EXPECT_EQ(o.rc, 0);
    EXPECT_EQ(o.text, "2024年01月05日");
    o = VktRunSet(VkeSubSetDate, sub, "20240105", "%yyyy年%mm月%dd日", 14);
    EXPECT_EQ(o.rc, -13);
    EXPECT_EQ(o.text, "20240105");
    // The canonical text itself must fit before anything is formatted.
    o = VktRunSet(VkeSubSetDate, sub, "240105", "%yy", 8);
    EXPECT_EQ(o.rc, -13);
    EXPECT_EQ(o.text, "240105");
    // A width is cut to the result size (and to 127).
    o = VktRunSet(VkeSubSetInt, sub, "42", "%10v", 5);
    EXPECT_EQ(o.rc, 0);
    EXPECT_EQ(o.text, "  42");
    o = VktRunSet(VkeSubSetInt, sub, "42", "%999999999999v", 1024);
    EXPECT_EQ(o.rc, 0);
    EXPECT_EQ(o.text.size(), 127u);
}

TEST_F(Format, LongLiteralText)
{
    std::string format = std::string(3000, 'a') + "%v" + std::string(3000, 'b');
    VktOut o = VktRunSet(VkeSubSetInt, sub, "7", format.c_str(), 8000);
    EXPECT_EQ(o.rc, 0);
    EXPECT_EQ(o.text, std::string(3000, 'a') + "7" + std::string(3000, 'b'));
    o = VktRunSet(VkeSubSetInt, sub, "7", format.c_str(), 1024);
    EXPECT_EQ(o.rc, -13);
    EXPECT_EQ(o.text, "7");
}

TEST_F(Format, TracesOnlyTheUnexpected)
{
    int before = Traced();
    VktRunSet(VkeSubSetDate, sub, "x", "%y");
    VktRunSet(VkeSubSetDate, sub, "", "%y");
    EXPECT_EQ(Traced(), before);
    VktRunSet(VkeSubSetDate, sub, "20240105", "%q");
    EXPECT_EQ(Traced(), before + 1);
    EXPECT_EQ(LastTraced(), "VkeSubSetDate");
}

// Field counts of CSV lines, and line statistics of text and CSV files.
#include "VktSupport.h"

namespace {

class TxtInfo : public VktSubFixture {
protected:
    std::string Write(const std::string& name, const std::string& bytes)
    {
        std::string path = dir / name;
        EXPECT_TRUE(VktWriteFile(path, bytes));
        return path;
    }
    VktTempDir dir;
};

} // namespace

TEST_F(TxtInfo, FieldCounts)
{
    struct {
        const char* line;
        const char* sepIn;
        int fields;
        const char* sepOut;
    } cases[] = {
        {"a,b,c", "", 3, ","},
        {"a\tb", "", 2, "\t"},
        {"a;b", "", 1, ","},
        {"a,b\tc\td", "", 2, ","},
        {"\"a,b\"\tc", "", 2, "\t"}, // the comma is inside quotes and ends no field
        {"a,", ",", 2, ","},          // a separator at the end ends an empty field
        {"a,,", ",", 3, ","},
        {",", ",", 2, ","},
        {"\"a,\"", ",", 1, ","},
        {"\"a,", ",", 1, ","},
        {"\"a\"\"b\",c", ",", 2, ","},
        {"表,ソ,能", "", 3, ","},
        {"a;;b;;", ";;", 3, ";;"},
        {"a b ", " ", 3, " "},
        {"x", "", 1, ","},
    };
    for (const auto& c : cases) {
        char sep[8];
        strcpy(sep, c.sepIn);
        int fields = -1;
        EXPECT_EQ(VkeSubGetFldInfo(sub, c.line, sep, sizeof(sep), &fields), 0) << c.line;
        EXPECT_EQ(fields, c.fields) << c.line;
        EXPECT_STREQ(sep, c.sepOut) << c.line;
    }
}

TEST_F(TxtInfo, FieldCountBadInput)
{
    char sep[4] = "";
    int fields = -1;
    EXPECT_EQ(VkeSubGetFldInfo(sub, "", sep, sizeof(sep), &fields), -12);
    EXPECT_EQ(fields, 0);
    EXPECT_EQ(VkeSubGetFldInfo(sub, nullptr, sep, sizeof(sep), &fields), -9);
    EXPECT_EQ(VkeSubGetFldInfo(sub, "a", sep, 0, &fields), -9);
    EXPECT_EQ(VkeSubGetFldInfo(sub, "a", sep, sizeof(sep), nullptr), -9);
    // The chosen separator does not fit a buffer of one byte.
    char tiny[1] = {0};
    EXPECT_EQ(VkeSubGetFldInfo(sub, "a\tb", tiny, sizeof(tiny), &fields), -13);
    EXPECT_EQ(fields, 2);
    // A separator that fills its buffer without a terminator is read only as far as the buffer.
    char full[2] = {';', ':'};
    EXPECT_EQ(VkeSubGetFldInfo(sub, "a;:b;c;:", full, sizeof(full), &fields), 0);
    EXPECT_EQ(fields, 3);
}

TEST_F(TxtInfo, TextFileLines)
{
    struct {
        std::string bytes;
        int lines, longest;
    } cases[] = {
        {"ab\r\ncde\n", 2, 5},
        {"abc", 1, 6},
        {"a\r\nb", 2, 4},
        {"\n\n", 2, 2},
        {"a\rb\n", 1, 5},                                   // a lone CR belongs to the line
        {std::string(2046, 'a') + "\r\nb\n", 2, 2049},       // CR LF split between two blocks
        {std::string(2046, 'a') + "\rb\n", 1, 2050},         // a CR at a block's end, no LF after it
        {std::string(5000, 'x') + "\n" + "表\r\n", 2, 5002},
    };
    for (const auto& c : cases) {
        std::string path = Write("t.txt", c.bytes);
        int lines = -1, longest = -1;
        EXPECT_EQ(VkeSubGetTxtFilInfo(sub, path.c_str(), &lines, &longest), 0) << c.bytes.size();
        EXPECT_EQ(lines, c.lines) << c.bytes.size();
        EXPECT_EQ(longest, c.longest) << c.bytes.size();
    }
}

TEST_F(TxtInfo, TextFileFaults)
{
    int lines = -1, longest = -1;
    EXPECT_EQ(VkeSubGetTxtFilInfo(sub, Write("e.txt", "").c_str(), &lines, &longest), -12);
    EXPECT_EQ(lines, 0);
    EXPECT_EQ(longest, 0);
    EXPECT_EQ(VkeSubGetTxtFilInfo(sub, (dir / "missing").c_str(), &lines, &longest), -12);
    EXPECT_EQ(VkeSubGetTxtFilInfo(sub, dir.Path().c_str(), &lines, &longest), -9);
    EXPECT_EQ(VkeSubGetTxtFilInfo(sub, "C:", &lines, &longest), -9);
    EXPECT_EQ(VkeSubGetTxtFilInfo(sub, "", &lines, &longest), -12);
    EXPECT_EQ(VkeSubGetTxtFilInfo(sub, "a", nullptr, &longest), -9);
}

TEST_F(TxtInfo, CsvFiles)
{
    char sep[4] = "";
    int lines = -1, longest = -1, fields = -1;
    std::string path = Write("表.csv", "h1,h2,h3\r\n1,2,3\r\n");
    EXPECT_EQ(VkeSubGetCsvFilInfo(sub, path.c_str(), sep, sizeof(sep), &lines, &longest, &fields), 0);
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(longest, 11);
    EXPECT_EQ(fields, 3);
    EXPECT_STREQ(sep, ",");

    sep[0] = '\0';
    path = Write("tab.csv", "a\tb\x1A");
    EXPECT_EQ(VkeSubGetCsvFilInfo(sub, path.c_str(), sep, sizeof(sep), &lines, &longest, &fields), 0);
    EXPECT_EQ(fields, 2);
    EXPECT_STREQ(sep, "\t");

    // A first line longer than the local line area.
    std::string line;
    for (int i = 0; i < 1500; ++i) line += "x,";
    path = Write("long.csv", line + "\n2\n");
    strcpy(sep, ",");
    EXPECT_EQ(VkeSubGetCsvFilInfo(sub, path.c_str(), sep, sizeof(sep), &lines, &longest, &fields), 0);
    EXPECT_EQ(fields, 1501);
    EXPECT_EQ(longest, 3002);
}

TEST_F(TxtInfo, CsvFileFaults)
{
    char sep[4] = "";
    int lines = -1, longest = -1, fields = -1;
    EXPECT_EQ(VkeSubGetCsvFilInfo(sub, "", sep, sizeof(sep), &lines, &longest, &fields), -12);
    EXPECT_STREQ(sep, ",");
    sep[0] = '\0';
    EXPECT_EQ(VkeSubGetCsvFilInfo(sub, (dir / "missing").c_str(), sep, sizeof(sep), &lines, &longest, &fields), -12);
    EXPECT_STREQ(sep, ",");
    EXPECT_EQ(lines, 0);
    EXPECT_EQ(fields, 0);
    // A first line that is empty has no field.
    std::string path = Write("blank.csv", "\r\na,b\r\n");
    EXPECT_EQ(VkeSubGetCsvFilInfo(sub, path.c_str(), sep, sizeof(sep), &lines, &longest, &fields), -12);
    EXPECT_EQ(VkeSubGetCsvFilInfo(sub, path.c_str(), nullptr, sizeof(sep), &lines, &longest, &fields), -9);
}

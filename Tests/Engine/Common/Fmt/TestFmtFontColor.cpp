// Hexadecimal strings, font texts and colour texts: their readers, writers and round trips.
#include "TestFmtSupport.h"
#include <ctype.h>

namespace {

class FontColor : public VktFmt {
protected:
    // A usable font description with every field set and the reserved bytes filled.
    static VkeFontRec Sample()
    {
        VkeFontRec f;
        memset(&f, 0, sizeof(f));
        f.lf.lfHeight = -12;
        f.lf.lfWeight = FW_BOLD;
        f.lf.lfItalic = 1;
        f.lf.lfCharSet = SHIFTJIS_CHARSET;
        f.lf.lfQuality = CLEARTYPE_QUALITY;
        f.lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
        strcpy(f.lf.lfFaceName, "ＭＳ Ｐゴシック");
        f.abReserved[0] = 1;
        f.abReserved[3] = 0xA5;
        return f;
    }
    std::string Text(const VkeFontRec& f)
    {
        char text[256];
        EXPECT_EQ(VkeSubSetFontStr(sub, text, sizeof(text), &f), 0);
        return text;
    }
};

std::string Lower(std::string s)
{
    for (char& c : s) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

TEST_F(FontColor, HexStrings)
{
    const BYTE bytes[2] = {0x0A, 0xFF};
    char text[8];
    EXPECT_EQ(VkeSubSetHexStr(sub, text, bytes, 2, sizeof(text)), 0);
    EXPECT_STREQ(text, "0AFF");
    BYTE out[2] = {0, 0};
    EXPECT_EQ(VkeSubGetHexStr(sub, "0aff", out, 2), 0);
    EXPECT_EQ(out[0], 0x0A);
    EXPECT_EQ(out[1], 0xFF);
    EXPECT_EQ(VkeSubGetHexStr(sub, "0AFFEE", out, 2), 0); // characters beyond 2 x count are ignored
    EXPECT_EQ(VkeSubGetHexStr(sub, "A 1x", out, 2), 0);   // a pair may hold one digit
    EXPECT_EQ(out[0], 0x0A);
    EXPECT_EQ(out[1], 0x01);

    memset(out, 0x55, sizeof(out));
    EXPECT_EQ(VkeSubGetHexStr(sub, "0af", out, 2), -9);
    EXPECT_EQ(VkeSubGetHexStr(sub, "zz00", out, 2), -9);
    EXPECT_EQ(VkeSubGetHexStr(sub, "00表", out, 2), -9);
    EXPECT_EQ(out[0], 0x55); // nothing stored on a failure
    EXPECT_EQ(VkeSubGetHexStr(sub, "", out, 2), -12);
    EXPECT_EQ(VkeSubGetHexStr(sub, "00", out, 0), -9);
    EXPECT_EQ(VkeSubGetHexStr(sub, "00", nullptr, 1), -9);
    EXPECT_EQ(VkeSubGetHexStr(sub, nullptr, out, 1), -9);

    std::vector<BYTE> big(512, 0x7C);
    std::vector<char> hex(1100, 0);
    EXPECT_EQ(VkeSubSetHexStr(sub, hex.data(), big.data(), 512, 1100), -9);
    EXPECT_EQ(VkeSubSetHexStr(sub, hex.data(), big.data(), 511, 1100), 0);
    EXPECT_EQ(strlen(hex.data()), 1022u);
    EXPECT_EQ(VkeSubGetHexStr(sub, hex.data(), big.data(), 512), -9);
    EXPECT_EQ(VkeSubGetHexStr(sub, hex.data(), big.data(), 511), 0);

    // Two bytes need 5 bytes of room: 4 is -13, the text cut and terminated; so is a buffer
    // that held no text.
    VktBuf small("keep", 4);
    EXPECT_EQ(VkeSubSetHexStr(sub, small.Ptr(), bytes, 2, small.Size()), -13);
    EXPECT_EQ(small.Text(), "0AF");
    EXPECT_TRUE(small.Guarded());
    char raw[4];
    memset(raw, 'x', sizeof(raw));
    EXPECT_EQ(VkeSubSetHexStr(sub, raw, bytes, 2, 1), -13);
    EXPECT_EQ(raw[0], '\0');
    EXPECT_EQ(raw[1], 'x');
    EXPECT_EQ(VkeSubSetHexStr(sub, text, bytes, 2, 0), -9);

    int before = Traced();
    EXPECT_EQ(VkeSubGetHexStr(sub, "", out, 1), -12);
    EXPECT_EQ(Traced(), before);
}

TEST_F(FontColor, FontRoundTrip)
{
    VkeFontRec f = Sample();
    std::string text = Text(f);
    ASSERT_EQ(text.size(), 128u);
    EXPECT_EQ(text.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(text.substr(0, 8), "F4FFFFFF"); // height -12, little-endian
    VkeFontRec back;
    ASSERT_EQ(VkeSubGetFontStr(sub, text.c_str(), &back), 0);
    EXPECT_EQ(memcmp(&back, &f, sizeof(f)), 0); // the reserved bytes are carried too
    EXPECT_EQ(VkeSubChkFont(sub, text.c_str()), 0);

    // Lower-case digits and blanks around become the canonical upper-case digits; anything after
    // the 128th digit is dropped.
    VktGetTable(VkeSubGetFont, sub,
                {{Lower(text).c_str(), 0, text.c_str()},
                 {("  " + text + "  ").c_str(), 0, text.c_str()},
                 {(text + "00").c_str(), 0, text.c_str()},
                 {" ", -12, nullptr}});
    // A zeroed record is a font too: the default face at the default size.
    VkeFontRec zero;
    memset(&zero, 0, sizeof(zero));
    EXPECT_EQ(VkeSubChkFont(sub, Text(zero).c_str()), 0);

    VktOut o = VktRunSet(VkeSubSetFont, sub, text, "font %x");
    EXPECT_EQ(o.rc, 0);
    EXPECT_EQ(o.text, "font " + text);
    o = VktRunSet(VkeSubSetFont, sub, Lower(text), "%5x");
    EXPECT_EQ(o.rc, -9);
    EXPECT_EQ(o.text, text); // the canonical text stays
    o = VktRunSet(VkeSubSetFont, sub, text, "%-x");
    EXPECT_EQ(o.rc, -9);
}

TEST_F(FontColor, TextsThatAreNoFont)
{
    std::string good = Text(Sample());
    std::vector<std::string> bad = {good.substr(0, 127), good.substr(0, 126) + "G0",
                                    good.substr(0, 2) + "表" + good.substr(4), std::string(128, 'F'), "12"};
    // Fields no font can have.
    auto with = [&](void (*change)(VkeFontRec&)) {
        VkeFontRec f = Sample();
        change(f);
        return Text(f);
    };
    bad.push_back(with([](VkeFontRec& f) { f.lf.lfWeight = 1001; }));
    bad.push_back(with([](VkeFontRec& f) { f.lf.lfWeight = -1; }));
    bad.push_back(with([](VkeFontRec& f) { f.lf.lfHeight = 0x10000; }));
    bad.push_back(with([](VkeFontRec& f) { f.lf.lfCharSet = 3; }));
    bad.push_back(with([](VkeFontRec& f) { f.lf.lfQuality = 7; }));
    bad.push_back(with([](VkeFontRec& f) { f.lf.lfOutPrecision = 11; }));
    bad.push_back(with([](VkeFontRec& f) { f.lf.lfPitchAndFamily = 3; }));
    bad.push_back(with([](VkeFontRec& f) { memset(f.lf.lfFaceName, 'A', LF_FACESIZE); })); // not terminated
    bad.push_back(with([](VkeFontRec& f) { strcpy(f.lf.lfFaceName, "a\tb"); }));
    bad.push_back(with([](VkeFontRec& f) {
        f.lf.lfFaceName[0] = '\x82';
        f.lf.lfFaceName[1] = '\0';
    }));
    int before = Traced();
    for (const std::string& t : bad) {
        SCOPED_TRACE(t);
        VkeFontRec out;
        memset(&out, 0x33, sizeof(out));
        EXPECT_EQ(VkeSubGetFontStr(sub, t.c_str(), &out), -35);
        EXPECT_EQ(out.lf.lfHeight, 0); // cleared
        EXPECT_EQ(VkeSubChkFont(sub, t.c_str()), -35);
        VktOut o = VktRunGet(VkeSubGetFont, sub, t);
        EXPECT_EQ(o.rc, -35);
        EXPECT_EQ(o.text, t);
    }
    EXPECT_EQ(Traced(), before); // a malformed font text is an expected outcome
    VkeFontRec out;
    EXPECT_EQ(VkeSubGetFontStr(sub, "", &out), -12);
    EXPECT_EQ(VkeSubGetFontStr(sub, nullptr, &out), -9);
    EXPECT_EQ(VkeSubGetFontStr(sub, good.c_str(), nullptr), -9);
}

TEST_F(FontColor, FontTextSize)
{
    VkeFontRec f = Sample();
    VktBuf exact("", 129);
    EXPECT_EQ(VkeSubSetFontStr(sub, exact.Ptr(), exact.Size(), &f), 0);
    EXPECT_EQ(exact.Text().size(), 128u);
    VktBuf small("old", 128);
    EXPECT_EQ(VkeSubSetFontStr(sub, small.Ptr(), small.Size(), &f), -13);
    EXPECT_EQ(small.Text(), exact.Text().substr(0, 127)); // cut and terminated
    EXPECT_TRUE(small.Guarded());
    EXPECT_EQ(VkeSubSetFontStr(sub, exact.Ptr(), exact.Size(), nullptr), -9);
}

TEST_F(FontColor, ColorParse)
{
    VktGetTable(VkeSubGetColor, sub,
                {
                    {"255,0,128", 0, "255,   0, 128"},
                    {" 1 , 2 , 3 ", 0, "  1,   2,   3"},
                    {"1,2,3,", 0, "  1,   2,   3"},
                    {"1,2,3, ", 0, "  1,   2,   3"},
                    {"007,0,0", 0, "  7,   0,   0"},
                    {"\"1\",2,3", 0, "  1,   2,   3"},
                    {"1,2", -36, nullptr},
                    {"1,2,", -36, nullptr},
                    {"1,2,3,4", -36, nullptr},
                    {"256,0,0", -36, nullptr},
                    {"-1,0,0", -36, nullptr},
                    {"+1,0,0", -36, nullptr},
                    {"1,,3", -36, nullptr},
                    {"１,2,3", -36, nullptr},
                    {"1;2;3", -36, nullptr},
                    {"1 2,3,4", -36, nullptr},
                    {",,", -36, nullptr},
                    {"", -12, nullptr},
                    {"  ", -12, nullptr},
                });
    BYTE r = 9, g = 9, b = 9;
    EXPECT_EQ(VkeSubGetColorStr(sub, " 10, 20 ,30 ", &r, &g, &b), 0);
    EXPECT_EQ(r, 10);
    EXPECT_EQ(g, 20);
    EXPECT_EQ(b, 30);
    EXPECT_EQ(VkeSubGetColorStr(sub, "10,20,300", &r, &g, &b), -36);
    EXPECT_EQ(r + g + b, 0);
    EXPECT_EQ(VkeSubGetColorStr(sub, "1,2,3", &r, nullptr, &b), -9);
    EXPECT_EQ(VkeSubChkColor(sub, "0,0,0"), 0);
    EXPECT_EQ(VkeSubChkColor(sub, "0,0"), -36);
}

TEST_F(FontColor, ColorWriteAndFormat)
{
    char text[16];
    EXPECT_EQ(VkeSubSetColorStr(sub, text, sizeof(text), 300, 0, -1), 0);
    EXPECT_STREQ(text, " 44,   0, 255"); // the low eight bits
    VktBuf exact("", 14);
    EXPECT_EQ(VkeSubSetColorStr(sub, exact.Ptr(), exact.Size(), 1, 2, 3), 0);
    EXPECT_EQ(exact.Text(), "  1,   2,   3");
    VktBuf small("old", 13);
    EXPECT_EQ(VkeSubSetColorStr(sub, small.Ptr(), small.Size(), 1, 2, 3), -13);
    EXPECT_EQ(small.Text(), "  1,   2,   "); // cut and terminated
    EXPECT_TRUE(small.Guarded());

    struct Row {
        const char* value;
        const char* format;
        int rc;
        const char* out;
    } rows[] = {
        {"255,0,128", "%r/%g/%b", 0, "255/0/128"},
        {"255,0,128", "%03g", 0, "000"},
        {"255,0,128", "", 0, "2550128"},
        {"255,0,128", "#%02r%02g%02b", 0, "#25500128"},
        {"255,0,128", "%-4r|", 0, "255 |"},
        {"255,0,128", "%b,%b", 0, "128,128"},
        {"255,0,128", "%x", -9, "255,0,128"}, // a failing format leaves the caller's text
        {"255,0,128", "%,r", -9, "255,0,128"},
        {"1,2", "%r", -36, "1,2"},
        {" ", "%r", -12, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.format);
        VktOut o = VktRunSet(VkeSubSetColor, sub, r.value, r.format);
        EXPECT_EQ(o.rc, r.rc);
        EXPECT_EQ(o.text, r.out);
    }
    // The colour is formatted from the caller's text, which need not fit its canonical form.
    VktOut o = VktRunSet(VkeSubSetColor, sub, "1,2,3", "%r%g%b", 6);
    EXPECT_EQ(o.rc, 0);
    EXPECT_EQ(o.text, "123");
}

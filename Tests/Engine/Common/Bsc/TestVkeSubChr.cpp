// Character classes, Shift-JIS / EUC conversion, case mapping and character codes.
#include "VktSupport.h"
#include <string>

namespace {

class Chr : public VktSubFixture {
protected:
    int Is(int (*test)(VkiSub*, int, int*), int ch)
    {
        int is = -1;
        EXPECT_EQ(test(sub, ch, &is), 0);
        return is;
    }
};

struct ClassRow {
    int byte;
    int ctl, nml, sjs1, sjs2, euc1, euc2;
};

// The boundary bytes of every class.
const ClassRow kRows[] = {
    {0x00, 1, 0, 0, 0, 0, 0}, {0x1F, 1, 0, 0, 0, 0, 0}, {0x20, 0, 1, 0, 0, 0, 0}, {0x3F, 0, 1, 0, 0, 0, 0},
    {0x40, 0, 1, 0, 1, 0, 0}, {0x7E, 0, 1, 0, 1, 0, 0}, {0x7F, 1, 0, 0, 0, 0, 0}, {0x80, 0, 0, 0, 1, 0, 0},
    {0x81, 0, 0, 1, 1, 0, 0}, {0x9F, 0, 0, 1, 1, 0, 0}, {0xA0, 0, 0, 0, 1, 0, 0}, {0xA1, 0, 1, 0, 1, 1, 1},
    {0xDF, 0, 1, 0, 1, 1, 1}, {0xE0, 0, 0, 1, 1, 1, 1}, {0xFC, 0, 0, 1, 1, 1, 1}, {0xFD, 0, 0, 0, 0, 1, 1},
    {0xFE, 0, 0, 0, 0, 1, 1}, {0xFF, 0, 0, 0, 0, 0, 0},
};

std::string Bytes(std::initializer_list<int> b)
{
    std::string s;
    for (int c : b) s += static_cast<char>(c);
    return s;
}

} // namespace

TEST_F(Chr, ClassTableOnBoundaryBytes)
{
    for (const ClassRow& r : kRows) {
        SCOPED_TRACE(r.byte);
        EXPECT_EQ(Is(VkeSubIsCtlChr, r.byte), r.ctl);
        EXPECT_EQ(Is(VkeSubIsNmlChr, r.byte), r.nml);
        EXPECT_EQ(Is(VkeSubIsSjsMbc1, r.byte), r.sjs1);
        EXPECT_EQ(Is(VkeSubIsSjsMbc2, r.byte), r.sjs2);
        EXPECT_EQ(Is(VkeSubIsEucMbc1, r.byte), r.euc1);
        EXPECT_EQ(Is(VkeSubIsEucMbc2, r.byte), r.euc2);
    }
    // Only the low 8 bits of the argument count.
    EXPECT_EQ(Is(VkeSubIsSjsMbc1, 0x181), 1);
}

TEST_F(Chr, PairTests)
{
    int is = -1;
    EXPECT_EQ(VkeSubIsSjsMbc(sub, 0x95, 0x5C, &is), 0);
    EXPECT_EQ(is, 1); // 表
    EXPECT_EQ(VkeSubIsSjsMbc(sub, 0x83, 0x7F, &is), 0);
    EXPECT_EQ(is, 0);
    EXPECT_EQ(VkeSubIsEucMbc(sub, 0xA3, 0xC1, &is), 0);
    EXPECT_EQ(is, 1);
    EXPECT_EQ(VkeSubIsSjsUINT(sub, 0x8260, &is), 0);
    EXPECT_EQ(is, 1);
    EXPECT_EQ(VkeSubIsSjsUINT(sub, 0x0041, &is), 0);
    EXPECT_EQ(is, 0);
    EXPECT_EQ(VkeSubIsEucUINT(sub, 0xA4A2, &is), 0);
    EXPECT_EQ(is, 1);
    EXPECT_EQ(VkeSubIsCtlChr(sub, 1, nullptr), -9);

    VkiSub* fresh = nullptr;
    ASSERT_EQ(VkeSubAlloc(&fresh), 0);
    is = 7;
    EXPECT_EQ(VkeSubIsCtlChr(fresh, 1, &is), -6);
    EXPECT_EQ(is, 7);
    VkeSubFree(&fresh);
}

TEST_F(Chr, ChkChrWalksFromTheStart)
{
    std::string t = Bytes({0x82, 0xA0, 0x41});
    EXPECT_EQ(VkeSubChkChr(sub, t.c_str(), 1), 1);
    EXPECT_EQ(VkeSubChkChr(sub, t.c_str(), 2), 2);
    EXPECT_EQ(VkeSubChkChr(sub, t.c_str(), 3), 0);
    EXPECT_EQ(VkeSubChkChr(sub, t.c_str(), 4), -9);
    EXPECT_EQ(VkeSubChkChr(sub, t.c_str(), 0), -9);
    EXPECT_EQ(VkeSubChkChr(sub, "\x82", 1), 0); // a lone first byte is single
    std::string all = Bytes({0x81, 0x81, 0x81, 0x81});
    EXPECT_EQ(VkeSubChkChr(sub, all.c_str(), 2), 2);
    EXPECT_EQ(VkeSubChkChr(sub, all.c_str(), 3), 1);
    // ソ表: trail bytes 0x5C are second bytes, never separators.
    EXPECT_EQ(VkeSubChkChr(sub, "ソ表", 2), 2);
    EXPECT_EQ(VkeSubChkChr(sub, "ソ表", 4), 2);
    EXPECT_EQ(VkeSubChkChr(sub, nullptr, 1), -9);
}

TEST_F(Chr, ShiftJisToEucAndBack)
{
    char out[32];
    EXPECT_EQ(VkeSubSJSToEUC(sub, out, "\x82\x60", sizeof(out)), 0);
    EXPECT_EQ(std::string(out), Bytes({0xA3, 0xC1}));
    EXPECT_EQ(VkeSubSJSToEUC(sub, out, "\xB1", sizeof(out)), 0);
    EXPECT_EQ(std::string(out), Bytes({0x8E, 0xB1}));

    const char* samples[] = {"表示ソフトポイント", "ＡＢＣａｂｃ漢字かなカナ", "abc ｱｲｳ 123", "熙鬱"};
    for (const char* s : samples) {
        char euc[64], back[64];
        ASSERT_EQ(VkeSubSJSToEUC(sub, euc, s, sizeof(euc)), 0) << s;
        ASSERT_EQ(VkeSubEUCToSJS(sub, back, euc, sizeof(back)), 0) << s;
        EXPECT_STREQ(back, s);
    }
    EXPECT_EQ(VkeSubEUCToSJS(sub, out, "\xA3\xC1", sizeof(out)), 0);
    EXPECT_STREQ(out, "\x82\x60");
    EXPECT_EQ(VkeSubEUCToSJS(sub, out, "\x8E\xB1", sizeof(out)), 0);
    EXPECT_STREQ(out, "\xB1");
}

TEST_F(Chr, ConversionSizesAndCuts)
{
    char out[8];
    memset(out, 'z', sizeof(out));
    EXPECT_EQ(VkeSubSJSToEUC(sub, out, "a", 1), -13);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(VkeSubSJSToEUC(sub, out, "\x82\x60", 3), 0); // exactly two bytes and terminator
    EXPECT_EQ(VkeSubSJSToEUC(sub, out, "\x82\x60", 2), -13);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(VkeSubSJSToEUC(sub, out, "a\x82\x60", 3), -13); // never half a character
    EXPECT_STREQ(out, "a");
    EXPECT_EQ(VkeSubSJSToEUC(sub, out, "a", 0), -9);
    EXPECT_EQ(VkeSubEUCToSJS(sub, out, "\xA3\xC1\xA3\xC1", 4), -13);
    EXPECT_STREQ(out, "\x82\x60");

    // In place: destination and source are one buffer.
    char same[16] = "\x82\x60x";
    EXPECT_EQ(VkeSubSJSToEUC(sub, same, same, sizeof(same)), 0);
    EXPECT_EQ(std::string(same), Bytes({0xA3, 0xC1, 'x'}));

    // A lone single shift at the end never reads past the terminator.
    char guard[8] = {'a', (char)0x8E, 0, 'Q', 'Q', 0};
    EXPECT_EQ(VkeSubEUCToSJS(sub, out, guard, sizeof(out)), 0);
    EXPECT_EQ(std::string(out).find('Q'), std::string::npos);
    EXPECT_EQ(out[0], 'a');

    // A long text uses a heap work copy.
    std::string longText;
    for (int i = 0; i < 700; ++i) longText += "表";
    std::string euc(longText.size() + 1, '\0');
    EXPECT_EQ(VkeSubSJSToEUC(sub, &euc[0], longText.c_str(), (int)euc.size()), 0);
    std::string back(longText.size() + 1, '\0');
    EXPECT_EQ(VkeSubEUCToSJS(sub, &back[0], euc.c_str(), (int)back.size()), 0);
    EXPECT_STREQ(back.c_str(), longText.c_str());
}

TEST_F(Chr, CaseMapping)
{
    UINT code = 0;
    EXPECT_EQ(VkeSubToUpper(sub, "\x82\x81", &code), 0);
    EXPECT_EQ(code, 0x8260u);
    EXPECT_EQ(VkeSubToLower(sub, "\x82\x60", &code), 0);
    EXPECT_EQ(code, 0x8281u);
    EXPECT_EQ(VkeSubToLower(sub, "\x82\x7A", &code), 0);
    EXPECT_EQ(code, 0x827Au); // not a letter
    EXPECT_EQ(VkeSubToLower(sub, "Q", &code), 0);
    EXPECT_EQ(code, (UINT)'q');
    EXPECT_EQ(VkeSubToUpper(sub, "", &code), 0);
    EXPECT_EQ(code, 0u);

    char text[] = "AbＡｚ表\\ソx";
    EXPECT_EQ(VkeSubToUpperStr(sub, text), 0);
    EXPECT_STREQ(text, "ABＡＺ表\\ソX");
    EXPECT_EQ(VkeSubToLowerStr(sub, text), 0);
    EXPECT_STREQ(text, "abａｚ表\\ソx"); // 表 and ソ keep their 0x5C trail bytes
}

TEST_F(Chr, CharacterCodes)
{
    UINT code = 0;
    EXPECT_EQ(VkeSubStrToUINT(sub, &code, "表"), 0);
    EXPECT_EQ(code, 0x955Cu);
    EXPECT_EQ(VkeSubStrToUINT(sub, &code, "\xB1"), 0);
    EXPECT_EQ(code, 0xFFFFFFB1u); // sign-extended
    EXPECT_EQ(VkeSubStrToUINT(sub, &code, ""), 0);
    EXPECT_EQ(code, 0u);
    char out[3];
    EXPECT_EQ(VkeSubUINTToStr(sub, out, 0xFFFFFFB1u), 0);
    EXPECT_STREQ(out, "\xB1");
    EXPECT_EQ(VkeSubUINTToStr(sub, out, 0x955Cu), 0);
    EXPECT_STREQ(out, "表");
    EXPECT_EQ(VkeSubUINTToStr(sub, out, 0x12340041u), 0); // bits 16-31 ignored
    EXPECT_STREQ(out, "A");
    EXPECT_EQ(VkeSubUINTToStr(sub, nullptr, 0x41u), -9);
}

// Strings, keywords and CSV fields on Shift-JIS text.
// Japanese samples carry trail bytes that look like separators: ソ 83 5C, 表 95 5C, 能 94 5C, ポ 83 7C.
#include "VktSupport.h"
#include "VkiSub.h" // the utility object's record of the last trace
#include <string.h>
#include <string>

namespace {

// A buffer of size bytes followed by guard bytes, to see that nothing is written past the size.
class Guarded {
public:
    explicit Guarded(int size, const char* init = "") : m_size(size), m_bytes(static_cast<size_t>(size) + 8, 'Z')
    {
        memcpy(&m_bytes[0], init, strlen(init) + 1);
    }
    char* p() { return &m_bytes[0]; }
    std::string Str() const { return std::string(m_bytes.c_str()); }
    bool Intact() const { return m_bytes.compare(static_cast<size_t>(m_size), 8, "ZZZZZZZZ") == 0; }

private:
    int m_size;
    std::string m_bytes;
};

class Str : public VktSubFixture {
protected:
};

const char kMixed[] = "a表ソb"; // a 1, 表 2-3, ソ 4-5, b 6

} // namespace

// ---- Copies and pieces ----

TEST_F(Str, CopyStrCutsOnCharacterBoundaries)
{
    struct Row {
        const char* src;
        int size;
        const char* expect;
        int rc;
    } rows[] = {
        {"A\x82\xA0", 4, "A\x82\xA0", 0}, {"A\x82\xA0", 3, "A", -13}, {"A\x82\xA0", 2, "A", -13},
        {"A\x82\xA0", 1, "", -13},        {"表ソ", 5, "表ソ", 0},      {"表ソ", 4, "表", -13},
        {"表ソ", 3, "表", -13},           {"表ソ", 2, "", -13},        {"", 1, "", 0},
        {"ポ|", 3, "ポ", -13},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.src) + " size " + std::to_string(r.size));
        Guarded g(r.size);
        int before = Traced();
        EXPECT_EQ(VkeSubCopyStr(sub, g.p(), r.src, r.size), r.rc);
        EXPECT_EQ(g.Str(), r.expect);
        EXPECT_TRUE(g.Intact());
        EXPECT_EQ(Traced(), before); // -13 is expected
    }
    char buf[16] = "abcdef";
    EXPECT_EQ(VkeSubCopyStr(sub, buf, buf + 2, sizeof(buf)), 0); // overlapping
    EXPECT_STREQ(buf, "cdef");
    EXPECT_EQ(VkeSubCopyStr(sub, buf, "x", 0), -9);
    EXPECT_EQ(VkeSubCopyStr(sub, nullptr, "x", 4), -9);
    EXPECT_EQ(VkeSubCopyStr(sub, buf, nullptr, 4), -9);
}

TEST_F(Str, CopyStrMemWritesNoTerminator)
{
    struct Row {
        const char* src;
        int count, room;
        const char* expect;
        int rc;
    } rows[] = {
        {"abc", 2, 5, "ab", 0},   {"a表", 2, 5, "a", 1},   {"a表", 3, 5, "a表", 0}, {"a表", 3, 2, "a", -13},
        {"a表", 3, 3, "a表", 0},  {"abc", 0, 5, "", 0},    {"abc", 3, 0, "", -13},  {"ソ", 1, 5, "", 1},
        {"ab", 10, 10, "ab", 0}, // bounded by the terminator
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.src) + " " + std::to_string(r.count) + "/" + std::to_string(r.room));
        char out[16];
        memset(out, 'Z', sizeof(out));
        int copied = -1;
        EXPECT_EQ(VkeSubCopyStrMem(sub, out, r.src, r.count, r.room, &copied), r.rc);
        EXPECT_EQ(copied, static_cast<int>(strlen(r.expect)));
        EXPECT_EQ(std::string(out, static_cast<size_t>(copied)), r.expect);
        EXPECT_EQ(out[copied], 'Z');
    }
    // Bytes after the terminator are never read into the copy.
    const char src[] = {'a', 'b', 0, 'X', 'Y', 0};
    char out[8];
    memset(out, 'Z', sizeof(out));
    int copied = -1;
    EXPECT_EQ(VkeSubCopyStrMem(sub, out, src, 5, 5, &copied), 0);
    EXPECT_EQ(copied, 2);
    EXPECT_EQ(out[2], 'Z');
    EXPECT_EQ(VkeSubCopyStrMem(sub, out, "a", -1, 5, &copied), -9);
    EXPECT_EQ(VkeSubCopyStrMem(sub, out, "a", 1, -1, &copied), -9);
    EXPECT_EQ(VkeSubCopyStrMem(sub, out, "a", 1, 1, nullptr), -9);
}

TEST_F(Str, LengthAndCompare)
{
    int n = -1;
    EXPECT_EQ(VkeSubGetStrLen(sub, "表ソa", &n), 0);
    EXPECT_EQ(n, 5);
    EXPECT_EQ(VkeSubGetStrLen(sub, nullptr, &n), -9);
    int order = 7;
    EXPECT_EQ(VkeSubCmpStr(sub, "abc", "abd", &order), 0);
    EXPECT_EQ(order, -1);
    EXPECT_EQ(VkeSubCmpStr(sub, "表", "ソ", &order), 0);
    EXPECT_EQ(order, 1); // 0x95 above 0x83: bytes are unsigned
    EXPECT_EQ(VkeSubCmpStr(sub, "ab", "ab", &order), 0);
    EXPECT_EQ(order, 0);
    EXPECT_EQ(VkeSubCmpStr(sub, "ab", "a", &order), 0);
    EXPECT_EQ(order, 1);
}

TEST_F(Str, ConcatStr)
{
    struct Row {
        const char* dest;
        const char* src;
        int size;
        const char* expect;
        int rc;
    } rows[] = {
        {"ab", "cd", 5, "abcd", 0},  {"ab", "cd", 4, "abc", -13}, {"a", "表", 4, "a表", 0},
        {"a", "表", 3, "a", -13},    {"表", "ソ", 5, "表ソ", 0},   {"表", "ソ", 4, "表", -13},
        {"", "", 1, "", 0},          {"ab", "", 3, "ab", 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.dest) + "+" + r.src);
        Guarded g(r.size, r.dest);
        EXPECT_EQ(VkeSubConcatStr(sub, g.p(), r.src, r.size), r.rc);
        EXPECT_EQ(g.Str(), r.expect);
        EXPECT_TRUE(g.Intact());
    }
    char self[16] = "ソx";
    EXPECT_EQ(VkeSubConcatStr(sub, self, self, sizeof(self)), 0);
    EXPECT_STREQ(self, "ソxソx");
    // A destination without a terminator inside its size is read no further.
    char full[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(VkeSubConcatStr(sub, full, "x", sizeof(full)), -13);
    EXPECT_STREQ(full, "abc");
    // Texts beyond the local work area.
    std::string big(1500, 'x');
    std::string both(3001, 0);
    memcpy(&both[0], big.c_str(), big.size() + 1);
    EXPECT_EQ(VkeSubConcatStr(sub, &both[0], big.c_str(), static_cast<int>(both.size())), 0);
    EXPECT_EQ(strlen(both.c_str()), 3000u);
}

TEST_F(Str, MidStrMovesOffHalfCharacters)
{
    struct Row {
        int start, count, size;
        const char* expect;
        int rc;
    } rows[] = {
        {1, 1, 8, "a", 0},     {2, 2, 8, "表", 0},      {2, 1, 8, "", 1},  // one first byte: nothing
        {3, 3, 8, "ソ", 1},    {3, 1, 8, "", 1},        {1, 2, 8, "a", 1}, // end on a first byte
        {1, 6, 7, kMixed, 0},  {1, 6, 4, "a表", -13},   {1, 6, 3, "a", -13},
        {1, 6, 1, "", -13},    {4, 0, 8, "", 0},        {6, 1, 2, "b", 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.start) + "," + std::to_string(r.count) + " size " + std::to_string(r.size));
        Guarded g(r.size);
        int before = Traced();
        EXPECT_EQ(VkeSubMidStr(sub, g.p(), kMixed, r.start, r.count, r.size), r.rc);
        EXPECT_EQ(g.Str(), r.expect);
        EXPECT_TRUE(g.Intact());
        EXPECT_EQ(Traced(), before);
    }
    char out[8];
    EXPECT_EQ(VkeSubMidStr(sub, out, kMixed, 0, 1, sizeof(out)), -9);
    EXPECT_EQ(VkeSubMidStr(sub, out, kMixed, 7, 0, sizeof(out)), -9);
    EXPECT_EQ(VkeSubMidStr(sub, out, kMixed, 2, 6, sizeof(out)), -9); // past the end
    EXPECT_EQ(VkeSubMidStr(sub, out, kMixed, 1, -1, sizeof(out)), -9);
    EXPECT_EQ(VkeSubMidStr(sub, out, kMixed, 1, 1, 0), -9);
    EXPECT_EQ(VkeSubMidStr(sub, out, "", 1, 0, sizeof(out)), -9);
    char same[16] = "abc表def";
    EXPECT_EQ(VkeSubMidStr(sub, same, same, 4, 3, sizeof(same)), 0); // the source itself
    EXPECT_STREQ(same, "表d");
}

TEST_F(Str, LeftAndRight)
{
    char out[8];
    EXPECT_EQ(VkeSubLeftStr(sub, out, kMixed, 2, sizeof(out)), 1);
    EXPECT_STREQ(out, "a");
    EXPECT_EQ(VkeSubLeftStr(sub, out, kMixed, 3, sizeof(out)), 0);
    EXPECT_STREQ(out, "a表");
    EXPECT_EQ(VkeSubLeftStr(sub, out, kMixed, 0, sizeof(out)), 0);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(VkeSubLeftStr(sub, out, "", 0, sizeof(out)), 0);
    EXPECT_EQ(VkeSubLeftStr(sub, out, kMixed, 7, sizeof(out)), -9);
    EXPECT_EQ(VkeSubLeftStr(sub, out, kMixed, -1, sizeof(out)), -9);
    EXPECT_EQ(VkeSubLeftStr(sub, out, kMixed, 1, 0), -9);

    EXPECT_EQ(VkeSubRightStr(sub, out, kMixed, 2, sizeof(out)), 1); // starts on ソ's second byte
    EXPECT_STREQ(out, "b");
    EXPECT_EQ(VkeSubRightStr(sub, out, kMixed, 3, sizeof(out)), 0);
    EXPECT_STREQ(out, "ソb");
    EXPECT_EQ(VkeSubRightStr(sub, out, kMixed, 6, 4), -13);
    EXPECT_STREQ(out, "a表");
    EXPECT_EQ(VkeSubRightStr(sub, out, "", 0, sizeof(out)), 0);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(VkeSubRightStr(sub, out, kMixed, 7, sizeof(out)), -9);
}

// ---- Insert, delete, update ----

TEST_F(Str, InsStr)
{
    struct Row {
        const char* buf;
        const char* ins;
        int pos, size;
        const char* expect;
        int atPos, inserted, rc;
    } rows[] = {
        {"abc", "X", 1, 8, "Xabc", 1, 1, 0},     {"abc", "X", 4, 8, "abcX", 4, 1, 0},   // append
        {"表b", "X", 2, 8, "表Xb", 3, 1, 1},     {"表b", "ソ", 1, 8, "ソ表b", 1, 2, 0},
        {"abc", "de", 2, 6, "adebc", 2, 2, 0},   {"abc", "de", 2, 5, "adbc", 2, 1, -13}, // exact, then short
        {"abc", "表", 2, 5, "abc", 2, 0, -13},   {"abc", "", 2, 4, "abc", 2, 0, 0},
        {"", "ポ|", 1, 4, "ポ|", 1, 3, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.buf) + " + " + r.ins + " at " + std::to_string(r.pos));
        Guarded g(r.size, r.buf);
        int atPos = -1, inserted = -1;
        EXPECT_EQ(VkeSubInsStr(sub, g.p(), r.ins, r.pos, r.size, &atPos, &inserted), r.rc);
        EXPECT_EQ(g.Str(), r.expect);
        EXPECT_EQ(atPos, r.atPos);
        EXPECT_EQ(inserted, r.inserted);
        EXPECT_TRUE(g.Intact());
    }
    char buf[16] = "abc";
    int atPos = 0, inserted = 0;
    EXPECT_EQ(VkeSubInsStr(sub, buf, "x", 5, sizeof(buf), &atPos, &inserted), -9); // length + 2
    EXPECT_EQ(VkeSubInsStr(sub, buf, "x", 0, sizeof(buf), &atPos, &inserted), -9);
    EXPECT_EQ(VkeSubInsStr(sub, buf, "x", 1, 3, &atPos, &inserted), -9); // smaller than text + terminator
    EXPECT_EQ(VkeSubInsStr(sub, buf, buf, 2, sizeof(buf), &atPos, &inserted), 0); // from itself
    EXPECT_STREQ(buf, "aabcbc");
}

TEST_F(Str, DelStr)
{
    struct Row {
        const char* buf;
        int pos, count, deletedSize;
        const char* expect;
        const char* deleted;
        int atPos, count2, rc;
    } rows[] = {
        {"abcdef", 2, 3, 8, "aef", "bcd", 2, 3, 0},
        {"a表b", 3, 1, 8, "a表b", "", 4, 0, 1}, // second byte: moves on, nothing left
        {"a表b", 2, 1, 8, "a表b", "", 2, 0, 1}, // a lone first byte
        {"a表b", 1, 2, 8, "表b", "a", 1, 1, 1},
        {"a表b", 3, 2, 8, "a表", "b", 4, 1, 1},
        {"ab表", 1, 4, 4, "", "ab", 1, 4, -13}, // the copy is cut, the deletion made
        {"ab表", 1, 4, 5, "", "ab表", 1, 4, 0},
        {"abc", 2, 0, 8, "abc", "", 2, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.buf) + " " + std::to_string(r.pos) + "," + std::to_string(r.count));
        char buf[16];
        strcpy(buf, r.buf);
        Guarded deleted(r.deletedSize, "zz");
        int atPos = -1, count = -1;
        EXPECT_EQ(VkeSubDelStr(sub, buf, deleted.p(), r.pos, r.count, r.deletedSize, &atPos, &count), r.rc);
        EXPECT_STREQ(buf, r.expect);
        EXPECT_EQ(deleted.Str(), r.deleted);
        EXPECT_EQ(atPos, r.atPos);
        EXPECT_EQ(count, r.count2);
        EXPECT_TRUE(deleted.Intact());
    }
    char buf[16] = "abc";
    int atPos = 0, count = 0;
    EXPECT_EQ(VkeSubDelStr(sub, buf, nullptr, 1, 1, 0, &atPos, &count), 0); // no copy wanted
    EXPECT_STREQ(buf, "bc");
    char d[4];
    EXPECT_EQ(VkeSubDelStr(sub, buf, d, 1, 1, 0, &atPos, &count), -9);
    EXPECT_EQ(VkeSubDelStr(sub, buf, nullptr, 3, 1, 0, &atPos, &count), -9);
    EXPECT_EQ(VkeSubDelStr(sub, buf, nullptr, 1, 3, 0, &atPos, &count), -9);
    EXPECT_EQ(VkeSubDelStr(sub, buf, nullptr, 0, 1, 0, &atPos, &count), -9);
    EXPECT_STREQ(buf, "bc");
}

TEST_F(Str, UpdStr)
{
    char buf[16] = "abcdef";
    char deleted[8] = "zz", copy[8] = "zz";
    int atPos = -1, count = -1, inserted = -1;
    EXPECT_EQ(VkeSubUpdStr(sub, buf, "XY", deleted, copy, 2, 3, sizeof(buf), sizeof(deleted), sizeof(copy), &atPos,
                           &count, &inserted),
              0);
    EXPECT_STREQ(buf, "aXYef");
    EXPECT_STREQ(deleted, "bcd");
    EXPECT_STREQ(copy, "XY");
    EXPECT_EQ(atPos, 2);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(inserted, 2);

    // Length + 1 appends and empties the deleted copy.
    strcpy(deleted, "zz");
    EXPECT_EQ(VkeSubUpdStr(sub, buf, "表", deleted, nullptr, 6, 0, sizeof(buf), sizeof(deleted), 0, &atPos, &count,
                           &inserted),
              0);
    EXPECT_STREQ(buf, "aXYef表");
    EXPECT_STREQ(deleted, "");
    EXPECT_EQ(atPos, 6);

    // A full buffer: the deletion is made, the insertion cut on a boundary.
    Guarded g(4, "abc");
    Guarded small(2, "z");
    EXPECT_EQ(VkeSubUpdStr(sub, g.p(), "XYZ", nullptr, small.p(), 2, 1, 4, 0, 2, &atPos, &count, &inserted), -13);
    EXPECT_EQ(g.Str(), "aXc");
    EXPECT_EQ(small.Str(), "X");
    EXPECT_EQ(inserted, 1);
    EXPECT_TRUE(g.Intact());
    EXPECT_TRUE(small.Intact());
    Guarded jp(5, "abc");
    EXPECT_EQ(VkeSubUpdStr(sub, jp.p(), "表ソ", nullptr, nullptr, 1, 1, 5, 0, 0, &atPos, &count, &inserted), -13);
    EXPECT_EQ(jp.Str(), "表bc");
    EXPECT_TRUE(jp.Intact());

    // The inserted copy is cut to its own size.
    char b2[16] = "ab";
    char c2[3];
    EXPECT_EQ(VkeSubUpdStr(sub, b2, "表ソ", nullptr, c2, 1, 1, sizeof(b2), 0, sizeof(c2), &atPos, &count, &inserted),
              -13);
    EXPECT_STREQ(b2, "表ソb");
    EXPECT_STREQ(c2, "表");

    // Count 0 on a second byte inserts after the character.
    char b3[16] = "表";
    EXPECT_EQ(VkeSubUpdStr(sub, b3, "x", nullptr, nullptr, 2, 0, sizeof(b3), 0, 0, &atPos, &count, &inserted), 1);
    EXPECT_STREQ(b3, "表x");
    EXPECT_EQ(atPos, 3);

    // New text taken from the buffer itself.
    char b4[16] = "abcdef";
    EXPECT_EQ(VkeSubUpdStr(sub, b4, b4 + 3, nullptr, nullptr, 1, 2, sizeof(b4), 0, 0, &atPos, &count, &inserted), 0);
    EXPECT_STREQ(b4, "defcdef");

    // Bad positions change nothing.
    strcpy(deleted, "zz");
    EXPECT_EQ(VkeSubUpdStr(sub, b4, "x", deleted, nullptr, 0, 1, sizeof(b4), sizeof(deleted), 0, &atPos, &count,
                           &inserted),
              -9);
    EXPECT_EQ(VkeSubUpdStr(sub, b4, "x", deleted, nullptr, 9, 0, sizeof(b4), sizeof(deleted), 0, &atPos, &count,
                           &inserted),
              -9);
    EXPECT_EQ(VkeSubUpdStr(sub, b4, "x", deleted, nullptr, 1, 1, sizeof(b4), 0, 0, &atPos, &count, &inserted), -9);
    EXPECT_STREQ(b4, "defcdef");
    EXPECT_STREQ(deleted, "zz");
}

TEST_F(Str, UpdStrKeepsItsPositionWhenALoneFirstByteMeetsTheTail)
{
    // 81 30 41: the 81 stands alone before the digit. Once the digit goes, 81 41 would pair;
    // the new text still goes where the digit was.
    char buf[8] = "\x81" "0A";
    int atPos = 0, count = 0, inserted = 0;
    EXPECT_EQ(VkeSubUpdStr(sub, buf, "-", nullptr, nullptr, 2, 1, sizeof(buf), 0, 0, &atPos, &count, &inserted), 0);
    EXPECT_STREQ(buf, "\x81-A");
    EXPECT_EQ(atPos, 2);
    char buf2[8] = "\x81" "0A";
    EXPECT_EQ(VkeSubChangeStr(sub, buf2, "0", "-", 0, 1, sizeof(buf2), &atPos, &count, &inserted), 0);
    EXPECT_STREQ(buf2, "\x81-A");
}

TEST_F(Str, InsertAndUpdateByCharacterCode)
{
    char buf[8] = "ab";
    int atPos = 0, inserted = 0, count = 0;
    EXPECT_EQ(VkeSubInsStrUINT(sub, buf, 0x955C, 2, sizeof(buf), &atPos, &inserted), 0);
    EXPECT_STREQ(buf, "a表b");
    EXPECT_EQ(inserted, 2);
    EXPECT_EQ(VkeSubInsStrUINT(sub, buf, 0x41, 3, sizeof(buf), &atPos, &inserted), 1); // inside 表
    EXPECT_STREQ(buf, "a表Ab");
    EXPECT_EQ(atPos, 4);
    EXPECT_EQ(VkeSubUpdStrUINT(sub, buf, 0x835C, nullptr, nullptr, 5, 1, sizeof(buf), 0, 0, &atPos, &count, &inserted),
              0);
    EXPECT_STREQ(buf, "a表Aソ");
    EXPECT_EQ(VkeSubInsStrUINT(sub, buf, 0x8340, 1, sizeof(buf), &atPos, &inserted), -13); // 6 + 2 > 7
    EXPECT_STREQ(buf, "a表Aソ");
}

// ---- Trimming ----

TEST_F(Str, Trim)
{
    const char* rows[][2] = {
        {"  a b \r\n", "a b"}, {"\x1A \t\r\n", ""}, {"ソ ", "ソ"}, {"\t表\\", "表\\"}, {"", ""}, {"x", "x"},
    };
    for (auto& r : rows) {
        char buf[32];
        strcpy(buf, r[0]);
        EXPECT_EQ(VkeSubTrimStr(sub, buf), 0);
        EXPECT_STREQ(buf, r[1]) << r[0];
    }
    EXPECT_EQ(VkeSubTrimStr(sub, nullptr), -9);
}

TEST_F(Str, TrimLeftZeroStopsAtTheFirstSignificantDigitOrPoint)
{
    const char* rows[][2] = {
        {"000", "0"},   {"007", "7"},     {"-007", "-7"},  {"0.5", ".5"},   {"0.05", ".05"}, {"00.50", ".50"},
        {"100", "100"}, {"0", "0"},       {"", ""},        {"0表", "表"},   {"-0", "-0"},    {"1.005", "1.005"},
    };
    for (auto& r : rows) {
        char buf[16];
        strcpy(buf, r[0]);
        EXPECT_EQ(VkeSubTrimStrLeftZero(sub, buf), 0);
        EXPECT_STREQ(buf, r[1]) << r[0];
    }
}

TEST_F(Str, TrimRightZero)
{
    const char* rows[][2] = {
        {"1.500", "1.5"}, {"1.000", "1.0"}, {"1.0", "1.0"}, {"10", "10"},     {"100.00", "100.0"},
        {"0.10", "0.1"},  {"1.", "1."},     {"", ""},       {"表.00", "表.0"},
    };
    for (auto& r : rows) {
        char buf[16];
        strcpy(buf, r[0]);
        EXPECT_EQ(VkeSubTrimStrRightZero(sub, buf), 0);
        EXPECT_STREQ(buf, r[1]) << r[0];
    }
}

// ---- Find ----

TEST_F(Str, FindWalksCharactersNotBytes)
{
    struct Row {
        const char* text;
        const char* pattern;
        int mode, start, found, rc;
    } rows[] = {
        {"表\\", "\\", 0, 1, 3, 0},         // the trail byte of 表 is no backslash
        {"ソ|ポ|", "|", 0, 1, 3, 0},        {"ソ|ポ|", "|", 0, 4, 6, 0}, // ポ's trail byte 0x7C skipped
        {"能\\", "\\", 0, 2, 3, 0},         // start on a second byte moves on
        {"表a", "\\", 0, 2, 0, -12},
        {"表a", "a", 0, 2, 3, 0},
        {"\x82\x60", "\x82\x81", 1, 1, 1, 0}, // full-width A for a, regardless of case
        {"\x82\x60", "\x82\x81", 0, 1, 0, -12},
        {"xabc", "ABC", 1, 1, 2, 0},        {"xabc", "ABC", 0, 1, 0, -12},
        {"abc", "abcd", 0, 1, 0, -12},      {"aab", "ab", 0, 1, 2, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.text) + " / " + r.pattern);
        int found = -1;
        int before = Traced();
        EXPECT_EQ(VkeSubFindStr(sub, r.text, r.pattern, r.mode, r.start, &found), r.rc);
        EXPECT_EQ(found, r.found);
        EXPECT_EQ(Traced(), before); // -12 is expected
    }
    int found = 0;
    int before = Traced();
    EXPECT_EQ(VkeSubFindStr(sub, "", "a", 0, 1, &found), -9); // an empty text
    EXPECT_EQ(Traced(), before + 1);
    EXPECT_EQ(VkeSubFindStr(sub, "abc", "", 0, 1, &found), -9);
    EXPECT_EQ(VkeSubFindStr(sub, "abc", "a", 2, 1, &found), -9);
    EXPECT_EQ(VkeSubFindStr(sub, "abc", "a", 0, 0, &found), -9);
    EXPECT_EQ(VkeSubFindStr(sub, "abc", "a", 0, 4, &found), -9);
    EXPECT_EQ(VkeSubFindStr(sub, "abc", "a", 0, 1, nullptr), -9);
}

TEST_F(Str, FindRevAndCount)
{
    int found = -1;
    EXPECT_EQ(VkeSubFindStrRev(sub, "abab", "ab", 0, 4, &found), 0);
    EXPECT_EQ(found, 3);
    EXPECT_EQ(VkeSubFindStrRev(sub, "abab", "ab", 0, 3, &found), 0); // the second ends past 3
    EXPECT_EQ(found, 1);
    EXPECT_EQ(VkeSubFindStrRev(sub, "abab", "ab", 0, 1, &found), -12);
    EXPECT_EQ(found, 0);
    EXPECT_EQ(VkeSubFindStrRev(sub, "aaa", "aa", 0, 3, &found), 0); // matches never overlap
    EXPECT_EQ(found, 1);
    EXPECT_EQ(VkeSubFindStrRev(sub, "ソ\\表\\", "\\", 0, 6, &found), 0);
    EXPECT_EQ(found, 6);
    EXPECT_EQ(VkeSubFindStrRev(sub, "ソ\\表\\", "\\", 0, 5, &found), 0);
    EXPECT_EQ(found, 3);
    EXPECT_EQ(VkeSubFindStrRev(sub, "", "a", 0, 1, &found), -9);

    struct Row {
        const char* text;
        const char* pattern;
        int mode, start, count;
    } rows[] = {
        {"aaaa", "aa", 0, 1, 2}, {"表表表", "表", 0, 1, 3}, {"ソソ", "\\", 0, 1, 0}, {"表表表", "表", 0, 3, 2},
        {"AaＡａ", "a", 1, 1, 2}, {"AaＡａ", "ａ", 1, 1, 2}, {"ポ|ポ", "|", 0, 1, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.text) + " / " + r.pattern);
        int count = -1;
        EXPECT_EQ(VkeSubGetFindStrCnt(sub, r.text, r.pattern, r.mode, r.start, &count), 0);
        EXPECT_EQ(count, r.count);
    }
    int count = 0;
    EXPECT_EQ(VkeSubGetFindStrCnt(sub, "abc", "", 0, 1, &count), -9);
    EXPECT_EQ(VkeSubGetFindStrCnt(sub, "", "a", 0, 1, &count), -9);
}

// ---- Change ----

TEST_F(Str, ChangeStrOne)
{
    char buf[16] = "abcabc";
    int atPos = -1, deleted = -1, inserted = -1;
    EXPECT_EQ(VkeSubChangeStr(sub, buf, "b", "XX", 0, 3, sizeof(buf), &atPos, &deleted, &inserted), 0);
    EXPECT_STREQ(buf, "abcaXXc");
    EXPECT_EQ(atPos, 5);
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(inserted, 2);
    EXPECT_EQ(VkeSubChangeStrRev(sub, buf, "c", "表", 0, 6, sizeof(buf), &atPos, &deleted, &inserted), 0);
    EXPECT_STREQ(buf, "ab表aXXc");
    EXPECT_EQ(atPos, 3);
    int before = Traced();
    EXPECT_EQ(VkeSubChangeStr(sub, buf, "q", "x", 0, 1, sizeof(buf), &atPos, &deleted, &inserted), -12);
    EXPECT_EQ(atPos, 0);
    EXPECT_EQ(deleted, 0);
    EXPECT_EQ(inserted, 0);
    EXPECT_EQ(Traced(), before);

    // A pattern ending on a first byte would split 表: refused, nothing changed.
    char jp[8] = "表";
    EXPECT_EQ(VkeSubChangeStr(sub, jp, "\x95", "x", 0, 1, sizeof(jp), &atPos, &deleted, &inserted), -9);
    EXPECT_STREQ(jp, "表");

    // Exactly full: cut on a boundary.
    Guarded g(4, "abc");
    EXPECT_EQ(VkeSubChangeStr(sub, g.p(), "b", "XY", 0, 1, 4, &atPos, &deleted, &inserted), -13);
    EXPECT_EQ(g.Str(), "aXc");
    EXPECT_TRUE(g.Intact());
    EXPECT_EQ(VkeSubChangeStr(sub, buf, "a", "x", 0, 1, 0, &atPos, &deleted, &inserted), -9);
    EXPECT_EQ(VkeSubChangeStr(sub, buf, "a", "x", 3, 1, sizeof(buf), &atPos, &deleted, &inserted), -9);
    char empty[4] = "";
    EXPECT_EQ(VkeSubChangeStr(sub, empty, "a", "x", 0, 1, sizeof(empty), &atPos, &deleted, &inserted), -9);
}

TEST_F(Str, ChangeStrAllNeverSearchesItsReplacement)
{
    struct Row {
        const char* buf;
        const char* pattern;
        const char* repl;
        int mode;
        const char* expect;
        int replaced, lastPos;
    } rows[] = {
        {"aa", "a", "ab", 0, "abab", 2, 3},
        {"ソ\\ソ\\", "\\", "/", 0, "ソ/ソ/", 2, 6}, // trail bytes stay
        {"能|ポ|", "|", "", 0, "能ポ", 2, 5},
        {"AaＡａ", "a", "x", 1, "xxＡａ", 2, 2},
        {"AaＡａ", "ａ", "表", 1, "Aa表表", 2, 5},
        {"abc", "z", "y", 0, "abc", 0, 0},
        {"", "a", "b", 0, "", 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.buf) + " / " + r.pattern);
        char buf[32];
        strcpy(buf, r.buf);
        int lastPos = -1, lastDel = -1, lastIns = -1, replaced = -1;
        EXPECT_EQ(VkeSubChangeStrAll(sub, buf, r.pattern, r.repl, r.mode, 1, sizeof(buf), &lastPos, &lastDel, &lastIns,
                                     &replaced),
                  0);
        EXPECT_STREQ(buf, r.expect);
        EXPECT_EQ(replaced, r.replaced);
        EXPECT_EQ(lastPos, r.lastPos);
    }

    // From the end, before each replacement.
    char buf[32] = "aa";
    int lastPos = 0, lastDel = 0, lastIns = 0, replaced = 0;
    EXPECT_EQ(VkeSubChangeStrRevAll(sub, buf, "a", "aa", 0, 2, sizeof(buf), &lastPos, &lastDel, &lastIns, &replaced), 0);
    EXPECT_STREQ(buf, "aaaa");
    EXPECT_EQ(replaced, 2);
    EXPECT_EQ(lastPos, 1);
    strcpy(buf, "a-b-c-d");
    EXPECT_EQ(VkeSubChangeStrRevAll(sub, buf, "-", "+", 0, 5, sizeof(buf), &lastPos, &lastDel, &lastIns, &replaced), 0);
    EXPECT_STREQ(buf, "a+b+c-d");
    EXPECT_EQ(replaced, 2);
}

TEST_F(Str, ChangeStrAllStopsWhenFull)
{
    Guarded g(5, "aaa");
    int lastPos = 0, lastDel = 0, lastIns = 0, replaced = 0;
    int before = Traced();
    EXPECT_EQ(VkeSubChangeStrAll(sub, g.p(), "a", "bb", 0, 1, 5, &lastPos, &lastDel, &lastIns, &replaced), -13);
    EXPECT_EQ(g.Str(), "bbba");
    EXPECT_EQ(replaced, 2);
    EXPECT_EQ(lastPos, 3);
    EXPECT_EQ(lastDel, 1);
    EXPECT_EQ(lastIns, 1);
    EXPECT_TRUE(g.Intact());
    EXPECT_EQ(Traced(), before);
}

TEST_F(Str, ChangeStrAllWithPatternAndReplacementInsideTheBuffer)
{
    // The pattern sits after the text, where the growing text overwrites it.
    char buf[32] = "x-y-z\0-";
    const char* pattern = buf + 6;
    int lastPos = 0, lastDel = 0, lastIns = 0, replaced = 0;
    EXPECT_EQ(VkeSubChangeStrAll(sub, buf, pattern, "++", 0, 1, sizeof(buf), &lastPos, &lastDel, &lastIns, &replaced),
              0);
    EXPECT_STREQ(buf, "x++y++z");
    EXPECT_EQ(replaced, 2);
    char buf2[32] = "ab";
    EXPECT_EQ(VkeSubChangeStrAll(sub, buf2, "b", buf2, 0, 1, sizeof(buf2), &lastPos, &lastDel, &lastIns, &replaced), 0);
    EXPECT_STREQ(buf2, "aab");
}

TEST_F(Str, ChangeStrAllOnLongText)
{
    std::string text;
    for (int i = 0; i < 400; ++i) text += "表,";
    std::string buf(text.size() * 2 + 1, '\0');
    memcpy(&buf[0], text.c_str(), text.size());
    int lastPos = 0, lastDel = 0, lastIns = 0, replaced = 0;
    EXPECT_EQ(VkeSubChangeStrAll(sub, &buf[0], ",", "\\\\", 0, 1, static_cast<int>(buf.size()), &lastPos, &lastDel,
                                 &lastIns, &replaced),
              0);
    EXPECT_EQ(replaced, 400);
    EXPECT_EQ(strlen(buf.c_str()), 1600u);
    EXPECT_EQ(VkeSubDeleteStr(sub, &buf[0], "\\", 0), 0);
    int count = -1;
    EXPECT_EQ(VkeSubGetFindStrCnt(sub, buf.c_str(), "表", 0, 1, &count), 0);
    EXPECT_EQ(count, 400);
    EXPECT_EQ(strlen(buf.c_str()), 800u);
}

TEST_F(Str, DeleteStr)
{
    const char* rows[][3] = {
        {"1,234,567", ",", "1234567"}, {"aXa", "a", "X"}, {"表,表", ",", "表表"}, {"表\\", "\\", "表"},
        {"", "a", ""},                 {"abc", "z", "abc"},
    };
    for (auto& r : rows) {
        char buf[16];
        strcpy(buf, r[0]);
        EXPECT_EQ(VkeSubDeleteStr(sub, buf, r[1], 0), 0);
        EXPECT_STREQ(buf, r[2]) << r[0];
    }
    char buf[16] = "abc";
    EXPECT_EQ(VkeSubDeleteStr(sub, buf, "", 0), -9);
    EXPECT_EQ(VkeSubDeleteStr(sub, buf, "a", 3), -9);
}

// ---- Keywords ----

TEST_F(Str, KeywordLeftAndRight)
{
    char out[16];
    int found = -1;
    EXPECT_EQ(VkeSubKwdGetLft(sub, "key=value", "=", out, sizeof(out), 1, &found), 0);
    EXPECT_STREQ(out, "key");
    EXPECT_EQ(found, 4);
    EXPECT_EQ(VkeSubKwdGetRgt(sub, "key=value", "=", out, sizeof(out), 1, &found), 0);
    EXPECT_STREQ(out, "value");
    // From a later start the piece still begins at the text's start.
    EXPECT_EQ(VkeSubKwdGetLft(sub, "a=b=c", "=", out, sizeof(out), 3, &found), 0);
    EXPECT_STREQ(out, "a=b");
    EXPECT_EQ(found, 4);
    EXPECT_EQ(VkeSubKwdGetRgt(sub, "a=b=c", "=", out, sizeof(out), 3, &found), 0);
    EXPECT_STREQ(out, "c");
    // 表 95 5C then a real backslash.
    EXPECT_EQ(VkeSubKwdGetLft(sub, "表\\ソ\\x", "\\", out, sizeof(out), 1, &found), 0);
    EXPECT_STREQ(out, "表");
    EXPECT_EQ(found, 3);
    EXPECT_EQ(VkeSubKwdGetRgt(sub, "表\\ソ\\x", "\\", out, sizeof(out), 1, &found), 0);
    EXPECT_STREQ(out, "ソ\\x");

    strcpy(out, "zz");
    int before = Traced();
    EXPECT_EQ(VkeSubKwdGetLft(sub, "abc", "=", out, sizeof(out), 1, &found), -12);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(found, 0);
    EXPECT_EQ(Traced(), before);
    Guarded g(3);
    EXPECT_EQ(VkeSubKwdGetLft(sub, "表表=x", "=", g.p(), 3, 1, &found), -13);
    EXPECT_EQ(g.Str(), "表");
    EXPECT_TRUE(g.Intact());
    EXPECT_EQ(Traced(), before + 1); // cutting is not an expected outcome here
    EXPECT_EQ(VkeSubKwdGetLft(sub, "abc", "", out, sizeof(out), 1, &found), -9);
    EXPECT_EQ(VkeSubKwdGetLft(sub, "", "=", out, sizeof(out), 1, &found), -9);
    EXPECT_EQ(VkeSubKwdGetRgt(sub, "abc", "b", out, 0, 1, &found), -9);
    // In place.
    char same[16] = "ab=cd";
    EXPECT_EQ(VkeSubKwdGetRgt(sub, same, "=", same, sizeof(same), 1, &found), 0);
    EXPECT_STREQ(same, "cd");
}

TEST_F(Str, KeywordSplitInSeveralPairs)
{
    char d1[8], d2[8], d3[8], d4[8];
    EXPECT_EQ(VkeSubKwdGetLftMulti(sub, "2024/05/06", sizeof(d1), "/", d1, "/", d2, "", d3), 0);
    EXPECT_STREQ(d1, "2024");
    EXPECT_STREQ(d2, "05");
    EXPECT_STREQ(d3, "06");

    EXPECT_EQ(VkeSubKwdGetLftMulti(sub, "ソ/表/ポ|", sizeof(d1), "/", d1, "/", d2, "|", d3, "", d4), 0);
    EXPECT_STREQ(d1, "ソ");
    EXPECT_STREQ(d2, "表");
    EXPECT_STREQ(d3, "ポ");
    EXPECT_STREQ(d4, "");

    EXPECT_EQ(VkeSubKwdGetLftMulti(sub, "12時34分", sizeof(d1), "時", d1, "分", d2, "", d3), 0);
    EXPECT_STREQ(d1, "12");
    EXPECT_STREQ(d2, "34");
    EXPECT_STREQ(d3, "");

    int before = Traced();
    EXPECT_EQ(VkeSubKwdGetLftMulti(sub, "a/b", sizeof(d1), "/", d1, "/", d2, "", d3), -12); // second keyword missing
    EXPECT_STREQ(d1, "a");
    EXPECT_STREQ(d2, "");
    EXPECT_EQ(VkeSubKwdGetLftMulti(sub, "a/", sizeof(d1), "/", d1, "/", d2, "", d3), -12); // nothing left
    EXPECT_EQ(VkeSubKwdGetLftMulti(sub, "", sizeof(d1), "/", d1, "", d2), -12);
    EXPECT_EQ(Traced(), before);
    EXPECT_EQ(VkeSubKwdGetLftMulti(sub, "a/b", sizeof(d1), "/", d1, (const char*)nullptr), -9); // no end pair
    EXPECT_EQ(VkeSubKwdGetLftMulti(sub, "a/b", sizeof(d1), "/", (char*)nullptr, "", d2), -9);
    EXPECT_EQ(VkeSubKwdGetLftMulti(sub, "a/b", 0, "/", d1, "", d2), -9);
    EXPECT_EQ(VkeSubKwdGetLftMulti(sub, "表表表/x", 5, "/", d1, "", d2), -13); // cut piece
    EXPECT_STREQ(d1, "表表");
    EXPECT_EQ(VkeSubKwdGetLftMulti(sub, "a/bcdef", 4, "/", d1, "", d2), -13); // cut rest
    EXPECT_STREQ(d2, "bcd");

    // The destinations may be the text itself.
    char text[16] = "ab/cd";
    EXPECT_EQ(VkeSubKwdGetLftMulti(sub, text, sizeof(text), "/", text, "", d2), 0);
    EXPECT_STREQ(text, "ab");
    EXPECT_STREQ(d2, "cd");
}

// ---- CSV fields ----

namespace {
struct CsvRead {
    std::string field;
    int next;
    int rc;
};
} // namespace

TEST_F(Str, CsvGetFldQuotesAndSeparators)
{
    auto read = [&](const char* line, const char* sep, int start, int size = 32) {
        char field[64];
        memset(field, 'Z', sizeof(field));
        int next = -1;
        int rc = VkeSubCsvGetFld(sub, line, sep, field, size, start, &next);
        EXPECT_EQ(field[size], 'Z');
        return CsvRead{field, next, rc};
    };
    struct Row {
        const char* line;
        const char* sep;
        int start;
        const char* field;
        int next, rc;
    } rows[] = {
        {"\"a,b\",c", ",", 1, "a,b", 7, 0},
        {"\"a,b\",c", ",", 7, "c", 8, 0},
        {"x\"\"y", ",", 1, "x\"y", 5, 0},
        {"\"he said \"\"hi\"\"\",x", ",", 1, "he said \"hi\"", 18, 0},
        {"\"\",x", ",", 1, "", 4, 0},          // an empty quoted field
        {"a,,b", ",", 3, "", 4, 0},            // an empty field inside
        {",a", ",", 1, "", 2, 0},
        {"a\"b,c\"d,e", ",", 1, "ab,cd", 9, 0}, // quotes inside an unquoted field
        {"ソ|ポ|表", "|", 1, "ソ", 4, 0},        // trail bytes are never separators
        {"ソ|ポ|表", "|", 4, "ポ", 7, 0},
        {"ソ|ポ|表", "|", 7, "表", 9, 0},
        {"表\\能", "\\", 1, "表", 4, 0},
        {"表a,b", ",", 2, "a", 5, 0},           // start on a second byte moves on
        {"a::b::", "::", 1, "a", 4, 0},        // a separator of several bytes
        {"\"a::b\"::c", "::", 1, "a::b", 9, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.line) + " from " + std::to_string(r.start));
        CsvRead got = read(r.line, r.sep, r.start);
        EXPECT_EQ(got.rc, r.rc);
        EXPECT_EQ(got.field, r.field);
        EXPECT_EQ(got.next, r.next);
    }
}

TEST_F(Str, CsvGetFldTrailingEmptyFieldIsNotReported)
{
    // "a," and "a" both end after their first field with next = length + 1, and a read at
    // length + 1 is refused: the trailing empty field cannot be read.
    char field[8];
    int next = 0;
    EXPECT_EQ(VkeSubCsvGetFld(sub, "a,", ",", field, sizeof(field), 1, &next), 0);
    EXPECT_STREQ(field, "a");
    EXPECT_EQ(next, 3);
    int before = Traced();
    EXPECT_EQ(VkeSubCsvGetFld(sub, "a,", ",", field, sizeof(field), 3, &next), -9);
    EXPECT_EQ(Traced(), before + 1);
    EXPECT_EQ(VkeSubCsvGetFld(sub, "a", ",", field, sizeof(field), 1, &next), 0);
    EXPECT_EQ(next, 2);
    // A line of one separator gives one empty field.
    EXPECT_EQ(VkeSubCsvGetFld(sub, ",", ",", field, sizeof(field), 1, &next), 0);
    EXPECT_STREQ(field, "");
    EXPECT_EQ(next, 2);
}

TEST_F(Str, CsvGetFldCutsOnCharacters)
{
    char field[8];
    memset(field, 'Z', sizeof(field));
    int next = 0;
    int before = Traced();
    EXPECT_EQ(VkeSubCsvGetFld(sub, "表表,x", ",", field, 3, 1, &next), -13);
    EXPECT_STREQ(field, "表");
    EXPECT_EQ(next, 3); // the character that did not fit
    EXPECT_EQ(field[3], 'Z');
    EXPECT_EQ(Traced(), before + 1); // traced
    EXPECT_EQ(VkeSubCsvGetFld(sub, "ab,x", ",", field, 3, 1, &next), 0); // exact fit
    EXPECT_STREQ(field, "ab");
    EXPECT_EQ(next, 4);
    EXPECT_EQ(VkeSubCsvGetFld(sub, "\"a::b\"", "::", field, 3, 1, &next), -13); // the separator whole or not at all
    EXPECT_STREQ(field, "a");
    EXPECT_EQ(next, 3);
    EXPECT_EQ(VkeSubCsvGetFld(sub, "a\"\"b", ",", field, 2, 1, &next), -13);
    EXPECT_STREQ(field, "a");
    EXPECT_EQ(next, 2);

    EXPECT_EQ(VkeSubCsvGetFld(sub, "a", ",", field, 0, 1, &next), -9);
    EXPECT_EQ(VkeSubCsvGetFld(sub, "a", "", field, 8, 1, &next), -9);
    EXPECT_EQ(VkeSubCsvGetFld(sub, "a", ",", field, 8, 0, &next), -9);
    EXPECT_EQ(VkeSubCsvGetFld(sub, "", ",", field, 8, 1, &next), -9);
    // The field may be read into the line itself.
    char line[16] = "\"x,y\",z";
    EXPECT_EQ(VkeSubCsvGetFld(sub, line, ",", line, sizeof(line), 1, &next), 0);
    EXPECT_STREQ(line, "x,y");
}

TEST_F(Str, CsvSetFld)
{
    char line[32] = "";
    EXPECT_EQ(VkeSubCsvSetFld(sub, line, ",", "a\"b", sizeof(line), 1, 0), 0);
    EXPECT_STREQ(line, "\"a\"\"b\"");
    line[0] = 0;
    EXPECT_EQ(VkeSubCsvSetFld(sub, line, ",", "a\"b", sizeof(line), 0, 0), 0);
    EXPECT_STREQ(line, "a\"\"b");
    strcpy(line, "x,");
    EXPECT_EQ(VkeSubCsvSetFld(sub, line, ",", "ソ", sizeof(line), 0, 1), 0);
    EXPECT_STREQ(line, "x,ソ,");

    struct Row {
        const char* line;
        const char* field;
        int size, quote, addSep;
        const char* expect;
        int rc;
    } rows[] = {
        {"", "表表", 5, 0, 0, "表表", 0},          {"", "表表", 4, 0, 0, "表", -13},
        {"ab", "x", 3, 1, 0, "ab", -13},           // no room for the opening quote
        {"", "a\"", 3, 0, 0, "a\"", -13},          // the doubled quote's second half dropped
        {"", "ab", 3, 0, 1, "ab", -13},            // the separator does not fit
        {"", "ab", 4, 0, 1, "ab,", 0},             {"", "a", 5, 1, 1, "\"a\",", 0},
        {"", "a", 4, 1, 1, "\"a\"", -13},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.field) + " size " + std::to_string(r.size));
        Guarded g(r.size, r.line);
        EXPECT_EQ(VkeSubCsvSetFld(sub, g.p(), ",", r.field, r.size, r.quote, r.addSep), r.rc);
        EXPECT_EQ(g.Str(), r.expect);
        EXPECT_TRUE(g.Intact());
    }
    Guarded multi(4, "a");
    EXPECT_EQ(VkeSubCsvSetFld(sub, multi.p(), ":::", "b", 4, 0, 1), -13); // whole separator or none
    EXPECT_EQ(multi.Str(), "ab");

    EXPECT_EQ(VkeSubCsvSetFld(sub, line, ",", "a", 0, 0, 0), -9);
    EXPECT_EQ(VkeSubCsvSetFld(sub, line, ",", "a", sizeof(line), 2, 0), -9);
    EXPECT_EQ(VkeSubCsvSetFld(sub, line, ",", "a", sizeof(line), 0, 2), -9);
    EXPECT_EQ(VkeSubCsvSetFld(sub, line, "", "a", sizeof(line), 0, 1), -9);
    char full[3] = {'a', 'b', 'c'};
    EXPECT_EQ(VkeSubCsvSetFld(sub, full, ",", "x", sizeof(full), 0, 0), -9); // no terminator inside the size
}

TEST_F(Str, CsvRoundTrip)
{
    const char* fields[] = {"a,b", "x\"y", "表ソ|ポ", "", "C:\\能\\"};
    char line[128] = "";
    for (size_t i = 0; i < sizeof(fields) / sizeof(fields[0]); ++i)
        ASSERT_EQ(VkeSubCsvSetFld(sub, line, ",", fields[i], sizeof(line), 1, i + 1 < 5 ? 1 : 0), 0);
    int pos = 1;
    for (const char* expect : fields) {
        char field[32];
        int next = 0;
        ASSERT_EQ(VkeSubCsvGetFld(sub, line, ",", field, sizeof(field), pos, &next), 0);
        EXPECT_STREQ(field, expect);
        pos = next;
    }
    EXPECT_EQ(pos, static_cast<int>(strlen(line)) + 1);
}

// ---- Frame ----

TEST_F(Str, NullObjectAndUninitialisedObject)
{
    char buf[8] = "abc";
    int n = 0;
    EXPECT_EQ(VkeSubMidStr(nullptr, buf, "abc", 1, 1, sizeof(buf)), -9);
    EXPECT_EQ(VkeSubFindStr(nullptr, "abc", "a", 0, 1, &n), -9);
    EXPECT_EQ(VkeSubKwdGetLftMulti(nullptr, "a/b", 8, "/", buf, "", buf), -9);
    VkiSub* fresh = nullptr;
    ASSERT_EQ(VkeSubAlloc(&fresh), 0);
    EXPECT_EQ(VkeSubCopyStr(fresh, buf, "x", sizeof(buf)), -6);
    EXPECT_EQ(VkeSubTrimStr(fresh, buf), -6);
    EXPECT_EQ(VkeSubCsvGetFld(fresh, "a", ",", buf, sizeof(buf), 1, &n), -6);
    EXPECT_EQ(VkeSubKwdGetLftMulti(fresh, "a/b", 8, "/", buf, "", buf), -6);
    EXPECT_STREQ(buf, "abc");
    VkeSubFree(&fresh);
}

// Application memory buffers: growth, self-copies, reads, comparison and release.
#include "VktSupport.h"
#include "VkiSub.h" // the utility object's record of the last trace
#include <string.h>
#include <string>

namespace {

class Mem : public VktSubFixture {
protected:
    void SetUp() override
    {
        VktSubFixture::SetUp();
        ASSERT_EQ(VkeSubAllocAppMem(sub, &mem), 0);
    }
    void TearDown() override
    {
        EXPECT_EQ(VkeSubFreeAppMem(sub, &mem), 0);
        VktSubFixture::TearDown();
    }
    std::string Text() const { return std::string(mem->pBuffer, static_cast<size_t>(mem->iLength)); }
    void ExpectHolds(const std::string& text, int capacity)
    {
        ASSERT_NE(mem->pBuffer, nullptr);
        EXPECT_EQ(Text(), text);
        EXPECT_EQ(mem->iCapacity, capacity);
        EXPECT_EQ(mem->pBuffer[mem->iLength], 0);
    }
    AppMem* mem = nullptr;
};

} // namespace

TEST_F(Mem, NewRecordHoldsTheEmptyText)
{
    ExpectHolds("", 1);
    EXPECT_EQ(mem->iLength, 0);
    AppMem* other = mem;
    EXPECT_EQ(VkeSubAllocAppMem(sub, &other), -7); // *out set: left alone
    EXPECT_EQ(other, mem);
    EXPECT_EQ(VkeSubAllocAppMem(sub, nullptr), -9);

    VkiSub* fresh = nullptr;
    ASSERT_EQ(VkeSubAlloc(&fresh), 0);
    AppMem* none = nullptr;
    EXPECT_EQ(VkeSubAllocAppMem(fresh, &none), -6);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(VkeSubSetAppMemStr(fresh, mem, "x"), -6);
    EXPECT_EQ(VkeSubFreeAppMem(fresh, &none), 0); // release needs no initialised object
    VkeSubFree(&fresh);
}

TEST_F(Mem, SetGrowsToExactSizeAndNeverShrinks)
{
    ASSERT_EQ(VkeSubSetAppMemStr(sub, mem, "abc"), 0);
    ExpectHolds("abc", 4);
    ASSERT_EQ(VkeSubSetAppMemStr(sub, mem, "ab"), 0);
    ExpectHolds("ab", 4);
    ASSERT_EQ(VkeSubSetAppMemStr(sub, mem, "表ソポ"), 0);
    ExpectHolds("表ソポ", 7);
    // Binary data with 0 bytes: the length counts them.
    const char bin[] = {'a', 0, 'b'};
    ASSERT_EQ(VkeSubSetAppMemBuf(sub, mem, bin, 3), 0);
    EXPECT_EQ(Text(), std::string(bin, 3));
    EXPECT_EQ(mem->iCapacity, 7);
    EXPECT_EQ(VkeSubSetAppMemBuf(sub, mem, nullptr, 1), -9);
    EXPECT_EQ(VkeSubSetAppMemBuf(sub, mem, bin, -1), -9);
    EXPECT_EQ(VkeSubSetAppMemStr(sub, mem, nullptr), -9);
    EXPECT_EQ(VkeSubSetAppMemStr(sub, nullptr, "x"), -9);
}

TEST_F(Mem, SetAndConcatFromTheRecordsOwnBlock)
{
    ASSERT_EQ(VkeSubSetAppMemStr(sub, mem, "abcdef"), 0);
    ASSERT_EQ(VkeSubSetAppMemStr(sub, mem, mem->pBuffer + 2), 0); // overlapping, no growth
    ExpectHolds("cdef", 7);
    ASSERT_EQ(VkeSubConcatAppMemStr(sub, mem, mem->pBuffer), 0); // self-append grows
    ExpectHolds("cdefcdef", 9);
    ASSERT_EQ(VkeSubConcatAppMemStr(sub, mem, mem->pBuffer + 4), 0);
    ExpectHolds("cdefcdefcdef", 13);
    ASSERT_EQ(VkeSubSetAppMemBuf(sub, mem, mem->pBuffer, 3), 0);
    ExpectHolds("cde", 13);
    // Growth by Set with the old block as source.
    ASSERT_EQ(VkeSubSetAppMemStr(sub, mem, "ソ表"), 0);
    std::string big;
    for (int i = 0; i < 8; ++i) big += "ソ表";
    for (int i = 0; i < 3; ++i) ASSERT_EQ(VkeSubConcatAppMemStr(sub, mem, mem->pBuffer), 0);
    ExpectHolds(big, static_cast<int>(big.size()) + 1);
}

TEST_F(Mem, ConcatGrowsAcrossManyAppends)
{
    ASSERT_EQ(VkeSubSetAppMemStr(sub, mem, "abc"), 0);
    ASSERT_EQ(VkeSubConcatAppMemStr(sub, mem, "de"), 0);
    ExpectHolds("abcde", 6);
    ASSERT_EQ(VkeSubConcatAppMemStr(sub, mem, ""), 0);
    ExpectHolds("abcde", 6);

    std::string expect = "abcde";
    for (int i = 0; i < 500; ++i) {
        const char* piece = (i % 2) ? "ポ|" : "表\\x";
        expect += piece;
        ASSERT_EQ(VkeSubConcatAppMemStr(sub, mem, piece), 0);
        ASSERT_EQ(mem->iLength, static_cast<int>(expect.size()));
        ASSERT_EQ(mem->iCapacity, mem->iLength + 1); // exactly the size needed
    }
    EXPECT_EQ(Text(), expect);

    // After shrinking the text, appends reuse the block.
    ASSERT_EQ(VkeSubSetAppMemStr(sub, mem, "a"), 0);
    int capacity = mem->iCapacity;
    ASSERT_EQ(VkeSubConcatAppMemStr(sub, mem, "bc"), 0);
    ExpectHolds("abc", capacity);
}

TEST_F(Mem, ConcatAfterBinaryDataAppendsToTheText)
{
    const char bin[] = {'a', 0, 'b', 'c'};
    ASSERT_EQ(VkeSubSetAppMemBuf(sub, mem, bin, 4), 0);
    ASSERT_EQ(VkeSubConcatAppMemStr(sub, mem, "xy"), 0);
    ExpectHolds("axy", 5); // length follows the text: the invariant holds
    char out[8];
    EXPECT_EQ(VkeSubGetAppMemStr(sub, mem, out, sizeof(out)), 0);
    EXPECT_STREQ(out, "axy");
}

TEST_F(Mem, RecordWithoutBlockCountsAsEmpty)
{
    ASSERT_EQ(VkeSubTermAppMem(sub, mem), 0);
    EXPECT_EQ(mem->pBuffer, nullptr);
    EXPECT_EQ(mem->iCapacity, 0);
    EXPECT_EQ(mem->iLength, 0);
    char out[4] = "zz";
    EXPECT_EQ(VkeSubGetAppMemStr(sub, mem, out, sizeof(out)), 0);
    EXPECT_STREQ(out, "");
    ASSERT_EQ(VkeSubConcatAppMemStr(sub, mem, "ab"), 0);
    ExpectHolds("ab", 3);
    ASSERT_EQ(VkeSubFreeAppMemBuf(sub, mem), 0);
    ASSERT_EQ(VkeSubSetAppMemStr(sub, mem, ""), 0);
    ExpectHolds("", 1);
}

TEST_F(Mem, InitAndAllocBuf)
{
    AppMem own = {};
    ASSERT_EQ(VkeSubInitAppMem(sub, &own), 0);
    EXPECT_EQ(own.iCapacity, 1);
    EXPECT_EQ(own.iLength, 0);
    ASSERT_NE(own.pBuffer, nullptr);
    EXPECT_EQ(own.pBuffer[0], 0);
    EXPECT_EQ(VkeSubInitAppMem(sub, &own), -7); // still holds a block
    EXPECT_EQ(VkeSubInitAppMem(sub, nullptr), -9);

    ASSERT_EQ(VkeSubSetAppMemStr(sub, &own, "abc"), 0);
    ASSERT_EQ(VkeSubAllocAppMemBuf(sub, &own, 10), 0);
    EXPECT_EQ(own.iCapacity, 11);
    EXPECT_EQ(own.iLength, 0);
    EXPECT_EQ(std::string(own.pBuffer, 11), std::string(11, '\0'));
    EXPECT_EQ(VkeSubAllocAppMemBuf(sub, &own, -1), -9);
    ASSERT_EQ(VkeSubAllocAppMemBuf(sub, &own, 0), 0);
    EXPECT_EQ(own.iCapacity, 1);
    ASSERT_EQ(VkeSubTermAppMem(sub, &own), 0);
    EXPECT_EQ(VkeSubTermAppMem(sub, &own), 0); // twice is harmless
    ASSERT_EQ(VkeSubInitAppMem(sub, &own), 0); // a block-less record may be prepared again
    ASSERT_EQ(VkeSubTermAppMem(sub, &own), 0);
    EXPECT_EQ(VkeSubTermAppMem(sub, nullptr), -9);
}

TEST_F(Mem, GetBufCopiesAtMostTheData)
{
    ASSERT_EQ(VkeSubSetAppMemStr(sub, mem, "abc"), 0);
    char out[8];
    memset(out, 'z', sizeof(out));
    int got = -1;
    EXPECT_EQ(VkeSubGetAppMemBuf(sub, mem, out, 2, &got), 0);
    EXPECT_EQ(got, 2);
    EXPECT_EQ(std::string(out, 3), "abz"); // no terminator, nothing past size
    int before = Traced();
    EXPECT_EQ(VkeSubGetAppMemBuf(sub, mem, out, 5, &got), -13);
    EXPECT_EQ(got, 3);
    EXPECT_EQ(std::string(out, 4), "abcz");
    EXPECT_EQ(Traced(), before + 1); // -13 is traced here
    EXPECT_EQ(VkeSubGetAppMemBuf(sub, mem, out, 0, &got), 0);
    EXPECT_EQ(got, 0);
    EXPECT_EQ(VkeSubGetAppMemBuf(sub, mem, out, 3, &got), 0);
    EXPECT_EQ(got, 3);
    EXPECT_EQ(VkeSubGetAppMemBuf(sub, mem, out, -1, &got), -9);
    EXPECT_EQ(VkeSubGetAppMemBuf(sub, mem, nullptr, 1, &got), -9);
    EXPECT_EQ(VkeSubGetAppMemBuf(sub, mem, out, 1, nullptr), -9);
}

TEST_F(Mem, GetStrIsABoundedCopy)
{
    ASSERT_EQ(VkeSubSetAppMemStr(sub, mem, "a表b"), 0);
    char out[8];
    memset(out, 'z', sizeof(out));
    EXPECT_EQ(VkeSubGetAppMemStr(sub, mem, out, 5), 0); // exact fit
    EXPECT_STREQ(out, "a表b");
    memset(out, 'z', sizeof(out));
    EXPECT_EQ(VkeSubGetAppMemStr(sub, mem, out, 4), -13);
    EXPECT_STREQ(out, "a表");
    memset(out, 'z', sizeof(out));
    EXPECT_EQ(VkeSubGetAppMemStr(sub, mem, out, 3), -13); // never half of 表
    EXPECT_STREQ(out, "a");
    EXPECT_EQ(out[3], 'z');
    EXPECT_EQ(VkeSubGetAppMemStr(sub, mem, out, 1), -13);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(VkeSubGetAppMemStr(sub, mem, out, 0), -9);
    EXPECT_EQ(VkeSubGetAppMemStr(sub, mem, nullptr, 4), -9);
}

TEST_F(Mem, CopyAndDup)
{
    ASSERT_EQ(VkeSubSetAppMemStr(sub, mem, "表示"), 0);
    AppMem* copy = nullptr;
    ASSERT_EQ(VkeSubDupAppMem(sub, &copy, mem), 0);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->pBuffer, mem->pBuffer);
    EXPECT_EQ(std::string(copy->pBuffer), "表示");
    EXPECT_EQ(copy->iLength, 4);
    EXPECT_EQ(VkeSubDupAppMem(sub, &copy, mem), -7);

    ASSERT_EQ(VkeSubSetAppMemStr(sub, copy, "x"), 0);
    ASSERT_EQ(VkeSubCopyAppMem(sub, mem, copy), 0);
    ExpectHolds("x", 5);
    ASSERT_EQ(VkeSubCopyAppMem(sub, mem, mem), 0); // onto itself
    ExpectHolds("x", 5);

    ASSERT_EQ(VkeSubTermAppMem(sub, copy), 0);
    EXPECT_EQ(VkeSubCopyAppMem(sub, mem, copy), -9); // a source without block
    AppMem* none = nullptr;
    EXPECT_EQ(VkeSubDupAppMem(sub, &none, copy), -9);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(VkeSubDupAppMem(sub, &none, nullptr), -9);
    EXPECT_EQ(VkeSubFreeAppMem(sub, &copy), 0);
}

TEST_F(Mem, CompareAsUnsignedBytes)
{
    struct Row {
        const char* a;
        const char* b;
        int order;
    } rows[] = {
        {"abc", "abd", -1}, {"abd", "abc", 1}, {"abc", "abc", 0}, {"ab", "abc", -1},
        {"abc", "ab", 1},   {"", "", 0},       {"a", "\xB1", -1}, {"表", "ソ", 1}, // 0x95 > 0x83
    };
    AppMem* other = nullptr;
    ASSERT_EQ(VkeSubAllocAppMem(sub, &other), 0);
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.a) + " / " + r.b);
        ASSERT_EQ(VkeSubSetAppMemStr(sub, mem, r.a), 0);
        ASSERT_EQ(VkeSubSetAppMemStr(sub, other, r.b), 0);
        int order = 7;
        EXPECT_EQ(VkeSubCmpAppMemStr(sub, mem, other, &order), 0);
        EXPECT_EQ(order, r.order);
    }
    // Without a block a record is the empty text.
    int order = 7;
    ASSERT_EQ(VkeSubTermAppMem(sub, other), 0);
    ASSERT_EQ(VkeSubSetAppMemStr(sub, mem, ""), 0);
    EXPECT_EQ(VkeSubCmpAppMemStr(sub, mem, other, &order), 0);
    EXPECT_EQ(order, 0);
    ASSERT_EQ(VkeSubSetAppMemStr(sub, mem, "a"), 0);
    EXPECT_EQ(VkeSubCmpAppMemStr(sub, other, mem, &order), 0);
    EXPECT_EQ(order, -1);
    EXPECT_EQ(VkeSubCmpAppMemStr(sub, mem, other, &order), 0);
    EXPECT_EQ(order, 1);
    EXPECT_EQ(VkeSubCmpAppMemStr(sub, mem, other, nullptr), -9);
    EXPECT_EQ(VkeSubFreeAppMem(sub, &other), 0);
}

TEST_F(Mem, FreeTwiceIsHarmless)
{
    AppMem* extra = nullptr;
    ASSERT_EQ(VkeSubAllocAppMem(sub, &extra), 0);
    ASSERT_EQ(VkeSubSetAppMemStr(sub, extra, "abc"), 0);
    EXPECT_EQ(VkeSubFreeAppMem(sub, &extra), 0);
    EXPECT_EQ(extra, nullptr);
    int before = Traced();
    EXPECT_EQ(VkeSubFreeAppMem(sub, &extra), 0);
    EXPECT_EQ(Traced(), before);
    EXPECT_EQ(VkeSubFreeAppMem(sub, nullptr), -9);
    EXPECT_EQ(VkeSubFreeAppMem(nullptr, &extra), -9);
}

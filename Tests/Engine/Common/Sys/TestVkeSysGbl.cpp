// Movable global memory blocks through the system object.
#include "VktSys.h"
#include <string.h>

namespace {

class Global : public VktSysFixture {
protected:
    void TearDown() override
    {
        for (HGLOBAL& h : made) VkeSysFreeHGlobal(sys, &h);
        VktSysFixture::TearDown();
    }
    // A new block holding bytes.
    HGLOBAL Block(const std::string& bytes)
    {
        HGLOBAL h = nullptr;
        EXPECT_EQ(VkeSysAllocHGlobal(sys, &h, static_cast<unsigned>(bytes.size())), 0);
        void* p = nullptr;
        EXPECT_EQ(VkeSysLockHGlobal(sys, h, &p), 0);
        memcpy(p, bytes.data(), bytes.size());
        EXPECT_EQ(VkeSysUnlockHGlobal(sys, h), 0);
        made.push_back(h);
        return h;
    }
    std::string Bytes(HGLOBAL h)
    {
        unsigned size = 0;
        EXPECT_EQ(VkeSysGetGlobalSize(sys, h, &size), 0);
        void* p = nullptr;
        EXPECT_EQ(VkeSysLockHGlobal(sys, h, &p), 0);
        std::string out(static_cast<const char*>(p), size);
        VkeSysUnlockHGlobal(sys, h);
        return out;
    }
    int Cmp(HGLOBAL a, HGLOBAL b)
    {
        int result = 9;
        EXPECT_EQ(VkeSysCmpHGlobal(sys, a, b, &result), 0);
        return result;
    }
    std::vector<HGLOBAL> made;
};

} // namespace

TEST_F(Global, AllocLockSizeFree)
{
    HGLOBAL h = nullptr;
    ASSERT_EQ(VkeSysAllocHGlobal(sys, &h, 10), 0);
    ASSERT_NE(h, nullptr);
    unsigned size = 0;
    EXPECT_EQ(VkeSysGetGlobalSize(sys, h, &size), 0);
    EXPECT_GE(size, 10u);
    void* p = nullptr;
    ASSERT_EQ(VkeSysLockHGlobal(sys, h, &p), 0);
    for (unsigned i = 0; i < 10; ++i) EXPECT_EQ(static_cast<unsigned char*>(p)[i], 0) << i; // zero-filled
    void* again = p;
    EXPECT_EQ(VkeSysLockHGlobal(sys, h, &again), -7); // *out already set
    EXPECT_EQ(GlobalFlags(h) & GMEM_LOCKCOUNT, 1u);
    EXPECT_EQ(VkeSysAllocHGlobal(sys, &h, 10), -7);
    // Freed while still locked: unlocked first.
    EXPECT_EQ(VkeSysFreeHGlobal(sys, &h), 0);
    EXPECT_EQ(h, nullptr);

    EXPECT_EQ(VkeSysAllocHGlobal(sys, &h, 0), -9);
    EXPECT_EQ(VkeSysAllocHGlobal(sys, nullptr, 4), -9);
    EXPECT_EQ(VkeSysLockHGlobal(sys, nullptr, &p), -9);
    p = nullptr;
    EXPECT_EQ(VkeSysLockHGlobal(sys, h, nullptr), -9);
    EXPECT_EQ(VkeSysUnlockHGlobal(sys, nullptr), -9);
    EXPECT_EQ(VkeSysGetGlobalSize(sys, nullptr, &size), -9);
    EXPECT_EQ(VkeSysGetGlobalSize(sys, Block("x"), nullptr), -9);
}

TEST_F(Global, CompareTheEdgeCases)
{
    HGLOBAL a = Block("0123456789"), b = Block("0123456789"), c = Block("0123456789ab"), d = Block("0123456780");
    EXPECT_EQ(Cmp(a, a), 0);
    EXPECT_EQ(Cmp(a, b), 0);
    EXPECT_EQ(Cmp(a, c), -1);
    EXPECT_EQ(Cmp(a, d), 1);
    EXPECT_EQ(Cmp(nullptr, nullptr), 0);
    EXPECT_EQ(Cmp(a, nullptr), -1);
    EXPECT_EQ(Cmp(nullptr, a), -1);
    EXPECT_EQ(VkeSysCmpHGlobal(sys, a, b, nullptr), -9);
    // No block is left locked by a comparison.
    EXPECT_EQ(GlobalFlags(a) & GMEM_LOCKCOUNT, 0u);
    EXPECT_EQ(GlobalFlags(d) & GMEM_LOCKCOUNT, 0u);
}

TEST_F(Global, CopyAndDuplicate)
{
    HGLOBAL a = Block("表示ソポ"), b = Block("........"), c = Block("short");
    EXPECT_EQ(VkeSysCopyHGlobal(sys, b, a), 0);
    EXPECT_EQ(Bytes(b), "表示ソポ");
    EXPECT_EQ(VkeSysCopyHGlobal(sys, c, a), -9); // sizes differ
    EXPECT_EQ(Bytes(c), "short");
    EXPECT_EQ(VkeSysCopyHGlobal(sys, nullptr, a), -9);
    EXPECT_EQ(VkeSysCopyHGlobal(sys, a, nullptr), -9);

    HGLOBAL dup = nullptr;
    ASSERT_EQ(VkeSysDupHGlobal(sys, &dup, c), 0);
    made.push_back(dup);
    EXPECT_NE(dup, c);
    EXPECT_EQ(Bytes(dup), "short");
    EXPECT_EQ(VkeSysDupHGlobal(sys, &dup, c), -7);
    HGLOBAL none = nullptr;
    EXPECT_EQ(VkeSysDupHGlobal(sys, &none, nullptr), -9);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(VkeSysDupHGlobal(sys, nullptr, c), -9);
    EXPECT_EQ(GlobalFlags(a) & GMEM_LOCKCOUNT, 0u);
    EXPECT_EQ(GlobalFlags(b) & GMEM_LOCKCOUNT, 0u);
}

TEST_F(Global, Synchronise)
{
    HGLOBAL src = Block("0123456789");
    // Equal: nothing changes.
    HGLOBAL target = nullptr;
    ASSERT_EQ(VkeSysDupHGlobal(sys, &target, src), 0);
    HGLOBAL before = target;
    EXPECT_EQ(VkeSysSynHGlobal(sys, &target, src), 0);
    EXPECT_EQ(target, before);
    // Same size, other bytes: copied in place.
    HGLOBAL other = Block("abcdefghij");
    EXPECT_EQ(VkeSysSynHGlobal(sys, &target, other), 0);
    EXPECT_EQ(target, before);
    EXPECT_EQ(Bytes(target), "abcdefghij");
    // Another size: replaced by a copy.
    HGLOBAL longer = Block("0123456789ABCDEF");
    EXPECT_EQ(VkeSysSynHGlobal(sys, &target, longer), 0);
    EXPECT_NE(target, longer);
    EXPECT_EQ(Bytes(target), "0123456789ABCDEF");
    // A null target receives a copy; a null source frees the target.
    HGLOBAL empty = nullptr;
    EXPECT_EQ(VkeSysSynHGlobal(sys, &empty, src), 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(Bytes(empty), "0123456789");
    VkeSysFreeHGlobal(sys, &empty);
    EXPECT_EQ(VkeSysSynHGlobal(sys, &target, nullptr), 0);
    EXPECT_EQ(target, nullptr);
    EXPECT_EQ(VkeSysSynHGlobal(sys, nullptr, src), -9);
}

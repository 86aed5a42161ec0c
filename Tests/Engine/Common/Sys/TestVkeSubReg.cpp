// Registry access under a key of our own, and typed copies by type code.
#include "VktSupport.h"
#include <stdio.h>
#include <string.h>
#include <set>

namespace {

// A key of its own under HKEY_CURRENT_USER, deleted with everything in it at the end.
class Registry : public VktSubFixture {
protected:
    void SetUp() override
    {
        VktSubFixture::SetUp();
        static int s_serial = 0;
        char name[128];
        snprintf(name, sizeof(name), "Software\\VktEngTest\\Reg%lu_%d", GetCurrentProcessId(), ++s_serial);
        subKey = name;
        ASSERT_EQ(VkeSubCreateReg(sub, "HKEY_CURRENT_USER", subKey.c_str(), &key), 0);
        ASSERT_NE(key, nullptr);
    }
    void TearDown() override
    {
        if (key) VkeSubCloseReg(sub, key);
        RegDeleteTreeA(HKEY_CURRENT_USER, subKey.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, subKey.c_str());
        VktSubFixture::TearDown();
    }
    // Stores raw bytes of a registry type, bypassing the engine.
    void PutRaw(const char* name, DWORD type, const void* bytes, DWORD n)
    {
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(bytes), n), ERROR_SUCCESS);
    }
    std::string subKey;
    HKEY key = nullptr;
};

} // namespace

TEST_F(Registry, RootNamesAreExact)
{
    HKEY k = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(VkeSubCreateReg(sub, "hkey_current_user", subKey.c_str(), &k), -9);
    EXPECT_EQ(k, nullptr);
    k = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(VkeSubCreateReg(sub, "HKEY_CURRENT_USER ", subKey.c_str(), &k), -9);
    EXPECT_EQ(k, nullptr);
    EXPECT_EQ(VkeSubCreateReg(sub, nullptr, subKey.c_str(), &k), -9);
    EXPECT_EQ(VkeSubCreateReg(sub, "HKEY_CURRENT_USER", nullptr, &k), -9);
    EXPECT_EQ(VkeSubCreateReg(sub, "HKEY_CURRENT_USER", subKey.c_str(), nullptr), -9);
    EXPECT_EQ(VkeSubOpenReg(sub, "Hkey_Current_User", subKey.c_str(), &k), -9);
    EXPECT_EQ(VkeSubOpenReg(sub, "HKEY_CURRENT_USER", nullptr, &k), -9);

    // Every root of the table is known; opening an existing key of each works.
    const char* roots[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_CONFIG", "HKEY_CURRENT_USER",
                           "HKEY_LOCAL_MACHINE", "HKEY_USERS"};
    for (const char* root : roots) {
        HKEY opened = nullptr;
        EXPECT_EQ(VkeSubOpenReg(sub, root, "", &opened), 0) << root;
        if (opened) {
            EXPECT_EQ(VkeSubCloseReg(sub, opened), 0);
        }
    }
    HKEY again = nullptr;
    ASSERT_EQ(VkeSubOpenReg(sub, "HKEY_CURRENT_USER", subKey.c_str(), &again), 0);
    EXPECT_EQ(VkeSubCloseReg(sub, again), 0);
    std::string missing = subKey + "\\missing";
    again = nullptr;
    EXPECT_EQ(VkeSubOpenReg(sub, "HKEY_CURRENT_USER", missing.c_str(), &again), -9);
    EXPECT_EQ(again, nullptr);
}

TEST_F(Registry, WriteReadEnumerate)
{
    EXPECT_EQ(VkeSubWriteReg(sub, key, "Path", "C:\\表示\\ソフト"), 0);
    EXPECT_EQ(VkeSubWriteReg(sub, key, "Empty", ""), 0);
    EXPECT_EQ(VkeSubWriteReg(sub, key, "Name", "abc"), 0);
    EXPECT_EQ(VkeSubWriteReg(sub, key, "Name", "ポイント"), 0); // replaced

    char buf[64];
    unsigned type = 99;
    EXPECT_EQ(VkeSubReadReg(sub, key, "Path", buf, &type, sizeof(buf)), 0);
    EXPECT_STREQ(buf, "C:\\表示\\ソフト");
    EXPECT_EQ(type, static_cast<unsigned>(REG_SZ));
    EXPECT_EQ(VkeSubReadReg(sub, key, "Name", buf, &type, sizeof(buf)), 0);
    EXPECT_STREQ(buf, "ポイント");
    EXPECT_EQ(VkeSubReadReg(sub, key, "Empty", buf, &type, sizeof(buf)), 0);
    EXPECT_STREQ(buf, "");

    std::set<std::string> names;
    char name[64];
    for (DWORD i = 0;; ++i) {
        DWORD n = sizeof(name);
        if (RegEnumValueA(key, i, name, &n, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.insert(name);
    }
    EXPECT_EQ(names, (std::set<std::string>{"Empty", "Name", "Path"}));

    // The engine's handles are the platform's: the key can be deleted and is gone.
    ASSERT_EQ(VkeSubCloseReg(sub, key), 0);
    key = nullptr;
    ASSERT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, subKey.c_str()), ERROR_SUCCESS);
    RegDeleteKeyA(HKEY_CURRENT_USER, subKey.c_str());
    HKEY gone = nullptr;
    EXPECT_EQ(VkeSubOpenReg(sub, "HKEY_CURRENT_USER", subKey.c_str(), &gone), -9);
}

TEST_F(Registry, ReadFitsOrRefusesWhole)
{
    ASSERT_EQ(VkeSubWriteReg(sub, key, "Nine", "abcdefgh"), 0);  // 9 bytes with the terminator
    ASSERT_EQ(VkeSubWriteReg(sub, key, "Ten", "abcdefghi"), 0);  // 10 bytes
    char buf[10];
    unsigned type = 0;
    EXPECT_EQ(VkeSubReadReg(sub, key, "Nine", buf, &type, sizeof(buf)), 0);
    EXPECT_STREQ(buf, "abcdefgh");
    memset(buf, 'x', sizeof(buf));
    type = 7;
    EXPECT_EQ(VkeSubReadReg(sub, key, "Ten", buf, &type, sizeof(buf)), -13);
    EXPECT_EQ(buf[0], 0);
    EXPECT_EQ(type, 0u);

    // A value stored without a terminator still comes back terminated, never read past.
    PutRaw("Raw", REG_BINARY, "abc", 3);
    char wide[16];
    memset(wide, 'x', sizeof(wide));
    EXPECT_EQ(VkeSubReadReg(sub, key, "Raw", wide, &type, sizeof(wide)), 0);
    EXPECT_STREQ(wide, "abc");
    EXPECT_EQ(type, static_cast<unsigned>(REG_BINARY));
    char exact[4];
    memset(exact, 'x', sizeof(exact));
    EXPECT_EQ(VkeSubReadReg(sub, key, "Raw", exact, &type, sizeof(exact)), 0);
    EXPECT_STREQ(exact, "abc");
    char tight[3];
    EXPECT_EQ(VkeSubReadReg(sub, key, "Raw", tight, &type, sizeof(tight)), -13);
    EXPECT_EQ(tight[0], 0);

    // Size 1 has room for an empty value only.
    char one[1] = {'x'};
    EXPECT_EQ(VkeSubReadReg(sub, key, "Nine", one, &type, 1), -13);
    EXPECT_EQ(one[0], 0);
}

TEST_F(Registry, BadReadsAndWrites)
{
    char buf[16] = "keep";
    unsigned type = 5;
    EXPECT_EQ(VkeSubReadReg(sub, key, "Missing", buf, &type, sizeof(buf)), -9);
    EXPECT_EQ(buf[0], 0);
    EXPECT_EQ(type, 0u);
    EXPECT_EQ(VkeSubReadReg(sub, key, nullptr, buf, &type, sizeof(buf)), -9);
    EXPECT_EQ(VkeSubReadReg(sub, key, "x", nullptr, &type, sizeof(buf)), -9);
    EXPECT_EQ(VkeSubReadReg(sub, key, "x", buf, nullptr, sizeof(buf)), -9);
    EXPECT_EQ(VkeSubReadReg(sub, key, "x", buf, &type, 0), -9);
    EXPECT_EQ(VkeSubReadReg(sub, nullptr, "x", buf, &type, sizeof(buf)), -9);
    EXPECT_EQ(VkeSubWriteReg(sub, key, nullptr, "a"), -9);
    EXPECT_EQ(VkeSubWriteReg(sub, key, "a", nullptr), -9);
    EXPECT_EQ(VkeSubWriteReg(sub, nullptr, "a", "b"), -9);
    EXPECT_EQ(VkeSubCloseReg(sub, nullptr), -9);
    EXPECT_EQ(VkeSubCloseReg(nullptr, key), -9);

    VkiSub* fresh = nullptr;
    ASSERT_EQ(VkeSubAlloc(&fresh), 0);
    HKEY k = nullptr;
    EXPECT_EQ(VkeSubCreateReg(fresh, "HKEY_CURRENT_USER", subKey.c_str(), &k), -6);
    EXPECT_EQ(VkeSubOpenReg(fresh, "HKEY_CURRENT_USER", subKey.c_str(), &k), -6);
    EXPECT_EQ(VkeSubReadReg(fresh, key, "x", buf, &type, sizeof(buf)), -6);
    EXPECT_EQ(VkeSubWriteReg(fresh, key, "x", "y"), -6);
    EXPECT_EQ(VkeSubCloseReg(fresh, key), -6);
    VkeSubFree(&fresh);
}

TEST(PtrVar, CopiesTheWidthOfEachType)
{
    VkiSub* sub = nullptr;
    ASSERT_EQ(VkeSubAlloc(&sub), 0); // the copies need no initialised object
    const int widths[20] = {0, 4, 1, 0, 2, 4, 4, 2, 4, 4, 8, 8, 4, 4, 4, 8, 16, 8, 4, 16};
    unsigned char src[24];
    for (int i = 0; i < 24; ++i) src[i] = static_cast<unsigned char>(i + 1);
    for (int type = 1; type <= 19; ++type) {
        if (type == 3) continue;
        unsigned char dest[24];
        memset(dest, 0xEE, sizeof(dest));
        EXPECT_EQ(VkeSubSetPtrVar(sub, dest, src, type), 0) << type;
        for (int i = 0; i < 24; ++i) EXPECT_EQ(dest[i], i < widths[type] ? src[i] : 0xEE) << type << " " << i;
        memset(dest, 0xEE, sizeof(dest));
        EXPECT_EQ(VkeSubGetPtrVar(sub, src, dest, type), 0) << type; // from the first to the second
        for (int i = 0; i < 24; ++i) EXPECT_EQ(dest[i], i < widths[type] ? src[i] : 0xEE) << type << " " << i;
    }
    char text[16];
    memset(text, 'x', sizeof(text));
    EXPECT_EQ(VkeSubSetPtrVar(sub, text, "表示", 3), 0);
    EXPECT_EQ(memcmp(text, "表示\0x", 6), 0); // the terminator and nothing more
    memset(text, 'x', sizeof(text));
    EXPECT_EQ(VkeSubGetPtrVar(sub, "ab", text, 3), 0);
    EXPECT_EQ(memcmp(text, "ab\0x", 4), 0);

    unsigned char dest[24] = {};
    EXPECT_EQ(VkeSubSetPtrVar(sub, dest, src, 0), -9);
    EXPECT_EQ(VkeSubSetPtrVar(sub, dest, src, 20), -9);
    EXPECT_EQ(VkeSubGetPtrVar(sub, src, dest, -1), -9);
    EXPECT_EQ(VkeSubSetPtrVar(sub, nullptr, src, 1), -9);
    EXPECT_EQ(VkeSubSetPtrVar(sub, dest, nullptr, 1), -9);
    EXPECT_EQ(VkeSubGetPtrVar(sub, nullptr, dest, 1), -9);
    EXPECT_EQ(VkeSubGetPtrVar(nullptr, src, dest, 1), -9);
    for (unsigned char b : dest) EXPECT_EQ(b, 0);
    VkeSubFree(&sub);
}

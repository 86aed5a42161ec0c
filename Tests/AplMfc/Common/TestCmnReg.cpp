// The registry key wrapper on a test key of HKEY_CURRENT_USER.
#include "TestAplCmn.h"

namespace {
std::string TestKey() { return "Software\\VktCmnReg" + std::to_string(GetCurrentProcessId()); }
} // namespace

TEST_F(AppTest, RegistryValuesRoundTripAndAFailedOpenKeepsTheKey)
{
    ASSERT_EQ(Start(), 0);
    CmnReg reg;
    DWORD disposition = 0;
    ASSERT_EQ(reg.Create("HKEY_CURRENT_USER", TestKey().c_str(), nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                         nullptr, &disposition),
              0);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    ASSERT_EQ(reg.Write("Text", "表示ソ能"), 0);
    ASSERT_EQ(reg.Write("Number", 0x12345678u), 0);
    CString text;
    ASSERT_EQ(reg.Read("Text", text), 0);
    EXPECT_EQ(text, "表示ソ能");
    DWORD number = 0;
    ASSERT_EQ(reg.Read("Number", &number), 0);
    EXPECT_EQ(number, 0x12345678u);
    EXPECT_EQ(reg.Read("Text", &number), -9) << "a text is no DWORD";

    // A cut lands on a character boundary.
    char cut[4];
    EXPECT_EQ(reg.Read("Text", cut, sizeof(cut)), -13);
    EXPECT_STREQ(cut, "表");
    EXPECT_EQ(reg.Read("Missing", text), -9);

    // Refused roots and a missing key leave the key held.
    EXPECT_EQ(reg.Open("hkey_current_user", TestKey().c_str()), -9);
    EXPECT_EQ(reg.Create("HKEY_CURRENT", "x", nullptr, 0, KEY_ALL_ACCESS, nullptr, nullptr), -9);
    EXPECT_EQ(reg.Open("HKEY_LOCAL_MACHINE", "Software\\VktNoSuchKey"), -9);
    ASSERT_EQ(reg.Read("Number", &number), 0);
    EXPECT_EQ(reg.Open("HKEY_CURRENT_USER", TestKey().c_str()), 0);
    ASSERT_EQ(reg.Read("Text", text), 0);
    reg.Close();
    EXPECT_EQ(reg.Read("Text", text), -9);
    RegDeleteTreeA(HKEY_CURRENT_USER, TestKey().c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, TestKey().c_str());
}

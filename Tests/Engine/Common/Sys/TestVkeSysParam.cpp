// The system object before Init: allocation, the parameter record and its checks.
#include "VktSupport.h"
#include <math.h>
#include <string.h>

namespace {

class SysParam : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(VkeSysAllocByDefault(&sys), 0);
        ASSERT_EQ(VkeSysInitParam(sys, &param), 0);
        strcpy(param.amSystemName, "Pictavo");
        param.hMainWnd = GetDesktopWindow();
    }
    void TearDown() override { VkeSysFree(&sys); }
    // Runs CheckParam and returns "code field message".
    std::string Check()
    {
        int field = -1, messageNo = -1;
        int rc = VkeSysCheckParam(sys, &param, &field, &messageNo);
        return std::to_string(rc) + " " + std::to_string(field) + " " + std::to_string(messageNo);
    }
    VkiSys* sys = nullptr;
    VkeSysParam param;
};

} // namespace

TEST(SysAlloc, AllocAndFree)
{
    EXPECT_EQ(VkeSysAlloc(nullptr, 1024), -9);
    VkiSys* sys = nullptr;
    EXPECT_EQ(VkeSysAlloc(&sys, -1), -9);
    EXPECT_EQ(sys, nullptr);
    ASSERT_EQ(VkeSysAlloc(&sys, 0), 0);
    VkiSys* same = sys;
    EXPECT_EQ(VkeSysAlloc(&sys, 0), -7);
    EXPECT_EQ(VkeSysAllocByDefault(&sys), -7);
    EXPECT_EQ(sys, same);

    // The owned utility object is there and initialised from the start, with at least 1024.
    VkiSub* sub = nullptr;
    EXPECT_EQ(VkeSysGetVkeSubPtr(sys, &sub), -6); // the getter needs Init
    EXPECT_EQ(VkeSysGetProperty(sys, 4, &sub), 0); // the property does not
    ASSERT_NE(sub, nullptr);
    int len = 0;
    EXPECT_EQ(VkeSubGetMaxBufLen(sub, &len), 0);
    EXPECT_EQ(len, 1024);
    EXPECT_EQ(VkeSysFree(&sys), 0);
    EXPECT_EQ(sys, nullptr);
    EXPECT_EQ(VkeSysFree(&sys), 0);
    EXPECT_EQ(VkeSysFree(nullptr), -9);

    ASSERT_EQ(VkeSysAlloc(&sys, 4096), 0);
    ASSERT_EQ(VkeSysGetProperty(sys, 4, &sub), 0);
    EXPECT_EQ(VkeSubGetMaxBufLen(sub, &len), 0);
    EXPECT_EQ(len, 4096);
    VkeSysFree(&sys);
}

TEST_F(SysParam, Defaults)
{
    VkeSysParam p;
    memset(&p, 0x5A, sizeof(p));
    ASSERT_EQ(VkeSysInitParam(sys, &p), 0);
    EXPECT_EQ(p.dExecVersion, 1.0);
    EXPECT_EQ(p.amSystemDir[0], 0);
    EXPECT_EQ(p.amSystemDir[1023], 0);
    EXPECT_EQ(p.amSystemName[31], 0);
    EXPECT_EQ(p.hMainWnd, nullptr);
    EXPECT_EQ(p.iSingleInstance, 0);
    EXPECT_EQ(VkeSysInitParam(sys, nullptr), -9);
    EXPECT_EQ(VkeSysInitParam(nullptr, &p), -9);
}

TEST_F(SysParam, EveryRowOfTheCheck)
{
    EXPECT_EQ(Check(), "0 0 0");
    int field = 0, messageNo = 0;
    EXPECT_EQ(VkeSysCheckParam(sys, &param, nullptr, &messageNo), -9);
    EXPECT_EQ(VkeSysCheckParam(sys, &param, &field, nullptr), -9);
    EXPECT_EQ(VkeSysCheckParam(sys, nullptr, &field, &messageNo), -9);
    EXPECT_EQ(field, 1);
    EXPECT_EQ(messageNo, 59);

    struct Row {
        const char* what;
        void (*change)(VkeSysParam&);
        const char* expect;
    };
    const Row rows[] = {
        {"version above 1.0", [](VkeSysParam& p) { p.dExecVersion = 1.0000001; }, "-5 2 17"},
        {"version 0.5", [](VkeSysParam& p) { p.dExecVersion = 0.5; }, "0 0 0"},
        {"version NaN", [](VkeSysParam& p) { p.dExecVersion = NAN; }, "0 0 0"},
        {"folder of 259 bytes", [](VkeSysParam& p) { memset(p.amSystemDir, 'a', 259); }, "0 0 0"},
        {"folder of 260 bytes", [](VkeSysParam& p) { memset(p.amSystemDir, 'a', 260); }, "-9 3 60"},
        {"folder without terminator", [](VkeSysParam& p) { memset(p.amSystemDir, 'a', 1024); }, "-9 3 60"},
        {"empty name", [](VkeSysParam& p) { p.amSystemName[0] = 0; }, "-9 4 61"},
        {"name of 31 bytes", [](VkeSysParam& p) { memset(p.amSystemName, 'n', 31); }, "0 0 0"},
        {"name without terminator", [](VkeSysParam& p) { memset(p.amSystemName, 'n', 32); }, "-9 4 61"},
        {"no main window", [](VkeSysParam& p) { p.hMainWnd = nullptr; }, "-9 6 63"},
        {"single instance 1", [](VkeSysParam& p) { p.iSingleInstance = 1; }, "0 0 0"},
        {"single instance 2", [](VkeSysParam& p) { p.iSingleInstance = 2; }, "-9 7 64"},
        {"single instance -1", [](VkeSysParam& p) { p.iSingleInstance = -1; }, "-9 7 64"},
        // The first bad field in table order is the one reported.
        {"version and name", [](VkeSysParam& p) { p.dExecVersion = 2; p.amSystemName[0] = 0; }, "-5 2 17"},
        {"folder and window", [](VkeSysParam& p) { memset(p.amSystemDir, 'a', 300); p.hMainWnd = nullptr; },
         "-9 3 60"},
        {"name and flag", [](VkeSysParam& p) { p.amSystemName[0] = 0; p.iSingleInstance = 9; }, "-9 4 61"},
    };
    for (const Row& row : rows) {
        VkeSysParam saved = param;
        row.change(param);
        EXPECT_EQ(Check(), row.expect) << row.what;
        param = saved;
    }
}

TEST_F(SysParam, BeforeInit)
{
    char buf[1024];
    int flag = 0;
    HWND wnd = nullptr;
    double v = 0;
    EXPECT_EQ(VkeSysGetSystemDir(sys, buf, sizeof(buf)), -6);
    EXPECT_EQ(VkeSysGetTempDir(sys, buf, sizeof(buf)), -6);
    EXPECT_EQ(VkeSysGetSystemName(sys, buf, sizeof(buf)), -6);
    EXPECT_EQ(VkeSysGetModuleName(sys, buf, sizeof(buf)), -6);
    EXPECT_EQ(VkeSysGetMainWindowHandle(sys, &wnd), -6);
    EXPECT_EQ(VkeSysSetPrintingFlag(sys, 1), -6);
    EXPECT_EQ(VkeSysGetPrintPreviewFlag(sys, &flag), -6);
    EXPECT_EQ(VkeSysGetExecVersion(sys, &v), -6);
    EXPECT_EQ(VkeSysSetExecVersion(sys, 1.0), -6);
    EXPECT_EQ(VkeSysGetProperty(sys, 3, &v), -6);
    EXPECT_EQ(VkeSysGetProperty(sys, 6, buf), -6);
    EXPECT_EQ(VkeSysSetProperty(sys, 11, &flag), -6);
    int w = 0, h = 0;
    EXPECT_EQ(VkeSysGetPrintScaleSize(sys, 1, 1, 1, 1, 1, &w, &h), -6);
    VkiDrw* drw = nullptr;
    EXPECT_EQ(VkeSysGetVkeDrwPtr(sys, &drw), -6);

    // Name, version and the two owned pointers work at once.
    EXPECT_EQ(VkeSysGetName(sys, buf, sizeof(buf)), 0);
    EXPECT_STREQ(buf, "VkeSys");
    EXPECT_EQ(VkeSysGetProperty(sys, 1, buf), 0);
    EXPECT_STREQ(buf, "VkeSys");
    EXPECT_EQ(VkeSysGetVersion(sys, &v), 0);
    EXPECT_EQ(v, 1.0);
    EXPECT_EQ(VkeSysGetProperty(sys, 2, &v), 0);
    EXPECT_EQ(v, 1.0);
    char small[4];
    EXPECT_EQ(VkeSysGetName(sys, small, sizeof(small)), -13);
    EXPECT_STREQ(small, "Vke");
    EXPECT_EQ(VkeSysGetName(sys, small, 0), -9);
    EXPECT_EQ(VkeSysGetName(sys, nullptr, 4), -9);
    EXPECT_EQ(VkeSysTerm(sys), 0); // harmless before Init
    EXPECT_EQ(VkeSysTerm(sys), 0);
}

TEST(SysNull, NullObjectGivesMinus9)
{
    int flag = 0;
    char buf[8];
    HGLOBAL h = nullptr;
    EXPECT_EQ(VkeSysTerm(nullptr), -9);
    EXPECT_EQ(VkeSysGetName(nullptr, buf, sizeof(buf)), -9);
    EXPECT_EQ(VkeSysGetPrintingFlag(nullptr, &flag), -9);
    EXPECT_EQ(VkeSysGetVkeSubPtr(nullptr, nullptr), -9);
    EXPECT_EQ(VkeSysAllocHGlobal(nullptr, &h, 4), -9);
    EXPECT_EQ(VkeSysFreeHGlobal(nullptr, &h), -9);
}

TEST(SysGlobal, FreeWorksBeforeInit)
{
    VkiSys* sys = nullptr;
    ASSERT_EQ(VkeSysAllocByDefault(&sys), 0);
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 16);
    ASSERT_NE(h, nullptr);
    ASSERT_NE(GlobalLock(h), nullptr);
    ASSERT_NE(GlobalLock(h), nullptr);
    EXPECT_EQ(GlobalFlags(h) & GMEM_LOCKCOUNT, 2u);
    // Locked twice: unlocked twice, then freed.
    EXPECT_EQ(VkeSysFreeHGlobal(sys, &h), 0);
    EXPECT_EQ(h, nullptr);
    EXPECT_EQ(VkeSysFreeHGlobal(sys, &h), 0); // a null handle is nothing to do
    EXPECT_EQ(VkeSysFreeHGlobal(sys, nullptr), -9);
    void* p = nullptr;
    EXPECT_EQ(VkeSysAllocHGlobal(sys, &h, 4), -6);
    EXPECT_EQ(VkeSysLockHGlobal(sys, h, &p), -6);
    VkeSysFree(&sys);
}

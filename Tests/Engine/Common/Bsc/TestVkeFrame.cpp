// The export frame and the object life cycle, through the utility family.
#include "VktSupport.h"
#include "VktSys.h"
#include <math.h>

namespace {

// The utility object of a started system object: every traced failure reaches the main window.
class Frame : public VktSysFixture {
protected:
    int Traced() const { return static_cast<int>(env->Reports().size()); }
    std::string LastName() const { return env->Reports().empty() ? "" : env->Reports().back().name; }
    int LastCode() const { return env->Reports().empty() ? 0 : env->Reports().back().code; }
};

} // namespace

TEST(FrameLifeCycle, NullObjectGivesMinus9)
{
    VkeSubParam param;
    int field = 0, messageNo = 0, out = 0;
    double d = 0;
    char buf[8];
    EXPECT_EQ(VkeSubInitParam(nullptr, &param), -9);
    EXPECT_EQ(VkeSubInit(nullptr, &param, &field, &messageNo), -9);
    EXPECT_EQ(VkeSubTerm(nullptr), -9);
    EXPECT_EQ(VkeSubGetVersion(nullptr, &d), -9);
    EXPECT_EQ(VkeSubGetName(nullptr, buf, sizeof(buf)), -9);
    EXPECT_EQ(VkeSubChkChr(nullptr, "a", 1), -9);
    EXPECT_EQ(VkeSubCalcGrtCmnDiv(nullptr, 1, 1, &out), -9);
    EXPECT_STREQ(VkeSubVarArgMsgPtr(nullptr, "%d", 1), "");
    EXPECT_EQ(VkeSubAllocMemory(nullptr, 1, 1), nullptr);
    EXPECT_EQ(VkeSubGetCPtr(nullptr, 5), 0);
    VkeSubTraceError(nullptr, "x", 1, "y", -9); // does nothing
}

TEST(FrameLifeCycle, AllocAndFree)
{
    EXPECT_EQ(VkeSubAlloc(nullptr), -9);
    EXPECT_EQ(VkeSubFree(nullptr), -9);
    VkiSub* sub = nullptr;
    ASSERT_EQ(VkeSubAlloc(&sub), 0);
    ASSERT_NE(sub, nullptr);
    VkiSub* same = sub;
    EXPECT_EQ(VkeSubAlloc(&sub), -7);
    EXPECT_EQ(sub, same);
    // A new object is not initialised and has version 1.0.
    double v = 0;
    EXPECT_EQ(VkeSubGetExecVersion(sub, &v), -6);
    EXPECT_EQ(VkeSubGetVersion(sub, &v), 0);
    EXPECT_EQ(v, 1.0);
    EXPECT_EQ(VkeSubFree(&sub), 0);
    EXPECT_EQ(sub, nullptr);
    EXPECT_EQ(VkeSubFree(&sub), 0); // null inside is harmless
}

TEST(FrameLifeCycle, InitCheckParamAndTerm)
{
    VkiSub* sub = nullptr;
    ASSERT_EQ(VkeSubAlloc(&sub), 0);
    VkeSubParam param;
    ASSERT_EQ(VkeSubInitParam(sub, &param), 0);
    EXPECT_EQ(param.dExecVersion, 1.0);
    EXPECT_EQ(param.iMaxBufLen, 1024);
    EXPECT_EQ(VkeSubInitParam(sub, nullptr), -9);

    int field = -1, messageNo = -1;
    EXPECT_EQ(VkeSubCheckParam(sub, &param, nullptr, &messageNo), -9);
    EXPECT_EQ(VkeSubCheckParam(sub, nullptr, &field, &messageNo), -9);
    EXPECT_EQ(field, 1);
    EXPECT_EQ(messageNo, 59);
    param.dExecVersion = 1.0000001;
    EXPECT_EQ(VkeSubCheckParam(sub, &param, &field, &messageNo), -5);
    EXPECT_EQ(field, 2);
    EXPECT_EQ(messageNo, 17);
    param.dExecVersion = NAN; // does not compare: accepted
    param.iMaxBufLen = -1;
    EXPECT_EQ(VkeSubCheckParam(sub, &param, &field, &messageNo), -9);
    EXPECT_EQ(field, 3);
    EXPECT_EQ(messageNo, 65);
    param.iMaxBufLen = 500;
    EXPECT_EQ(VkeSubCheckParam(sub, &param, &field, &messageNo), 0);
    EXPECT_EQ(field, 0);
    EXPECT_EQ(messageNo, 0);

    // A refused record leaves the object uninitialised.
    param.dExecVersion = 2.0;
    EXPECT_EQ(VkeSubInit(sub, &param, &field, &messageNo), -5);
    int len = 0;
    EXPECT_EQ(VkeSubGetMaxBufLen(sub, &len), -6);

    param.dExecVersion = 0.5;
    EXPECT_EQ(VkeSubInit(sub, &param, &field, &messageNo), 0);
    EXPECT_EQ(VkeSubGetMaxBufLen(sub, &len), 0);
    EXPECT_EQ(len, 1024); // 500 is raised to 1024
    double v = 0;
    EXPECT_EQ(VkeSubGetExecVersion(sub, &v), 0);
    EXPECT_EQ(v, 0.5);

    field = messageNo = 9;
    EXPECT_EQ(VkeSubInit(sub, &param, &field, &messageNo), -7);
    EXPECT_EQ(field, 0);
    EXPECT_EQ(messageNo, 0);

    EXPECT_EQ(VkeSubTerm(sub), 0);
    EXPECT_EQ(VkeSubGetMaxBufLen(sub, &len), -6);
    EXPECT_EQ(VkeSubTerm(sub), 0); // harmless when not initialised
    // Initialised again after Term, then freed while initialised.
    param.iMaxBufLen = 4096;
    EXPECT_EQ(VkeSubInit(sub, &param, &field, &messageNo), 0);
    EXPECT_EQ(VkeSubGetMaxBufLen(sub, &len), 0);
    EXPECT_EQ(len, 4096);
    EXPECT_EQ(VkeSubFree(&sub), 0);
}

TEST_F(Frame, ExecVersionRule)
{
    EXPECT_EQ(VkeSubSetExecVersion(sub, 1.0), 0);
    EXPECT_EQ(VkeSubSetExecVersion(sub, 0.9), 0);
    EXPECT_EQ(VkeSubSetExecVersion(sub, 1.0000001), -5);
    double v = 0;
    EXPECT_EQ(VkeSubGetExecVersion(sub, &v), 0);
    EXPECT_EQ(v, 0.9);
    EXPECT_EQ(VkeSubGetExecVersion(sub, nullptr), -9);
    double three = 0.25;
    EXPECT_EQ(VkeSubSetProperty(sub, 3, &three), 0);
    EXPECT_EQ(VkeSubGetProperty(sub, 3, &v), 0);
    EXPECT_EQ(v, 0.25);
    three = 1.5;
    EXPECT_EQ(VkeSubSetProperty(sub, 3, &three), -5);

    VkiSub* fresh = nullptr;
    ASSERT_EQ(VkeSubAlloc(&fresh), 0);
    EXPECT_EQ(VkeSubSetExecVersion(fresh, 1.0), -6);
    VkeSubFree(&fresh);
}

TEST_F(Frame, Properties)
{
    char name[1024];
    EXPECT_EQ(VkeSubGetProperty(sub, 1, name), 0);
    EXPECT_STREQ(name, "VkeSub");
    double v = 0;
    EXPECT_EQ(VkeSubGetProperty(sub, 2, &v), 0);
    EXPECT_EQ(v, 1.0);
    int len = 0;
    EXPECT_EQ(VkeSubGetProperty(sub, 4, &len), 0);
    EXPECT_EQ(len, 1024);
    EXPECT_EQ(VkeSubGetProperty(sub, 5, &len), -9);
    EXPECT_EQ(VkeSubGetProperty(sub, 1, nullptr), -9);
    EXPECT_EQ(VkeSubSetProperty(sub, 1, name), -9);
    EXPECT_EQ(VkeSubSetProperty(sub, 4, &len), -9);
    EXPECT_EQ(VkeSubSetProperty(sub, 3, nullptr), -9);

    char small[4];
    EXPECT_EQ(VkeSubGetName(sub, small, sizeof(small)), -13);
    EXPECT_STREQ(small, "Vke");
    EXPECT_EQ(VkeSubGetName(sub, small, 0), -9);
    char exact[7];
    EXPECT_EQ(VkeSubGetName(sub, exact, sizeof(exact)), 0);
    EXPECT_STREQ(exact, "VkeSub");
}

TEST_F(Frame, UnexpectedResultsAreTracedExpectedOnesAreNot)
{
    int before = Traced();
    // A null object is refused untraced.
    int num = 0, den = 0;
    EXPECT_EQ(VkeSubGetFraction(nullptr, 0.5, 9, &num, &den), -9);
    EXPECT_EQ(Traced(), before);
    // -13 is an expected outcome of VkeSubGetFraction's neighbours but -9 never is.
    EXPECT_EQ(VkeSubGetFraction(sub, 0.5, 9, &num, &den), -9);
    EXPECT_EQ(Traced(), before + 1);
    EXPECT_EQ(LastName(), "VkeSubGetFraction");
    EXPECT_EQ(LastCode(), -9);

    // VkeSubGetStretchFixedScale expects -13.
    EXPECT_EQ(VkeSubGetStretchFixedScale(sub, 1, 1, 30000000, 1, &num, &den), -13);
    EXPECT_EQ(Traced(), before + 1);
    // VkeSubChkChr expects 1 and 2 but traces -9.
    EXPECT_EQ(VkeSubChkChr(sub, "\x82\xA0", 1), 1);
    EXPECT_EQ(VkeSubChkChr(sub, "\x82\xA0", 2), 2);
    EXPECT_EQ(Traced(), before + 1);
    EXPECT_EQ(VkeSubChkChr(sub, "\x82\xA0", 3), -9);
    EXPECT_EQ(Traced(), before + 2);
    EXPECT_EQ(LastName(), "VkeSubChkChr");
    // GetName's cut (-13) is not one of its expected outcomes.
    char small[2];
    EXPECT_EQ(VkeSubGetName(sub, small, sizeof(small)), -13);
    EXPECT_EQ(Traced(), before + 3);
    EXPECT_EQ(LastName(), "VkeSubGetName");
    // The copy does expect -13.
    EXPECT_EQ(VkeSubCopyStr(sub, small, "abc", sizeof(small)), -13);
    EXPECT_EQ(Traced(), before + 3);
}

TEST_F(Frame, VarArgMessageBuffer)
{
    char* buf = nullptr;
    ASSERT_EQ(VkeSubGetVarArgBufPtr(sub, &buf), 0);
    EXPECT_EQ(VkeSubVarArgMsgPtr(sub, "%s-%d", "表", 7), buf);
    EXPECT_STREQ(buf, "表-7");

    std::string exact(1023, 'x'); // L - 1 bytes fit
    EXPECT_STREQ(VkeSubVarArgMsgPtr(sub, "%s", exact.c_str()), exact.c_str());
    int before = Traced();
    std::string over(1024, 'y');
    EXPECT_STREQ(VkeSubVarArgMsgPtr(sub, "%s", over.c_str()), "");
    EXPECT_EQ(Traced(), before + 1);
    EXPECT_EQ(LastCode(), -7);
    EXPECT_EQ(buf[1023], 0); // the last byte is never written
    EXPECT_STREQ(VkeSubVarArgMsgPtr(sub, nullptr), "");
    EXPECT_EQ(LastCode(), -9);

    char* w0 = nullptr;
    char* w1 = nullptr;
    EXPECT_EQ(VkeSubGetWkBufPtr(sub, 0, &w0), 0);
    EXPECT_EQ(VkeSubGetWkBufPtr(sub, 1, &w1), 0);
    EXPECT_NE(w0, w1);
    EXPECT_NE(w0, buf);
    EXPECT_EQ(VkeSubGetWkBufPtr(sub, 2, &w0), -9);
}

TEST_F(Frame, PlainMemory)
{
    unsigned char* block = static_cast<unsigned char*>(VkeSubAllocMemory(sub, 10, 10));
    ASSERT_NE(block, nullptr);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(block[i], 0);
    VkeSubCopyMemory(sub, block + 1, "abcdef", 6);
    VkeSubCopyMemory(sub, block, block + 1, 6); // overlapping
    EXPECT_EQ(memcmp(block, "abcdef", 6), 0);
    VkeSubFreeMemory(sub, block);
    VkeSubFreeMemory(sub, nullptr);
    EXPECT_EQ(VkeSubAllocMemory(sub, 0x80000000u, 0x80000000u), nullptr); // overflow refused
    int v = 42;
    EXPECT_EQ(VkeSubGetCPtr(sub, 7), 7);
    EXPECT_EQ(VkeSubGetCPtrByCPtrPtr(sub, &v), 42);
    EXPECT_EQ(VkeSubGetCPtrByCPtrPtr(sub, nullptr), 0);
}

TEST(FrameEngineApp, IdleAndPreTranslate)
{
    MSG msg = {};
    msg.message = WM_NULL;
    EXPECT_FALSE(VkeEngPreTranslateMessage(&msg));
    EXPECT_EQ(VkeEngOnIdle(), 0);
}

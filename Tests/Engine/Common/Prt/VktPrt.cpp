#include "VktPrt.h"
#include <string.h>

void VktPrtFixture::SetUp()
{
    VktSysFixture::SetUp();
    ASSERT_EQ(VkeSysPrintInitPdi(sys, &pdi), 0);
}

void VktPrtFixture::TearDown()
{
    if (sys) {
        HGLOBAL names = nullptr, mode = nullptr;
        EXPECT_EQ(VkeSysPrintDialogDetach(sys, &names, &mode), 0);
        EXPECT_EQ(VkeSysPrintFreeHandle(sys, &names, &mode), 0);
        for (HGLOBAL& h : made) VkeSysFreeHGlobal(sys, &h);
    }
    VktSysFixture::TearDown();
}

void VktPrtFixture::AttachDefault()
{
    pdi.iMode = 1;
    ASSERT_EQ(VkeSysPrintDialogShow(sys, &pdi), 0);
    ASSERT_NE(pdi.hDC, nullptr);
}

void VktPrtFixture::Attached(HGLOBAL* names, HGLOBAL* mode)
{
    *names = *mode = nullptr;
    ASSERT_EQ(VkeSysPrintDialogDetach(sys, names, mode), 0);
    ASSERT_NE(*names, nullptr);
    ASSERT_EQ(VkeSysPrintDialogAttach(sys, *names, *mode), 0);
}

HGLOBAL VktPrtFixture::Block(const std::string& bytes)
{
    HGLOBAL h = nullptr;
    EXPECT_EQ(VkeSysAllocHGlobal(sys, &h, static_cast<unsigned>(bytes.size())), 0);
    void* p = nullptr;
    EXPECT_EQ(VkeSysLockHGlobal(sys, h, &p), 0);
    if (p) memcpy(p, bytes.data(), bytes.size());
    VkeSysUnlockHGlobal(sys, h);
    made.push_back(h);
    return h;
}

std::string VktPrtFixture::Bytes(HGLOBAL h)
{
    std::string out(GlobalSize(h), '\0');
    void* p = GlobalLock(h);
    if (p) memcpy(&out[0], p, out.size());
    GlobalUnlock(h);
    return out;
}

std::string VktDevNames(const char* driver, const char* device, const char* port)
{
    std::string names[3] = {driver, device, port};
    DEVNAMES head = {};
    WORD* offsets[3] = {&head.wDriverOffset, &head.wDeviceOffset, &head.wOutputOffset};
    std::string tail;
    for (int i = 0; i < 3; ++i) {
        *offsets[i] = static_cast<WORD>(sizeof(head) + tail.size());
        tail += names[i] + '\0';
    }
    return std::string(reinterpret_cast<const char*>(&head), sizeof(head)) + tail;
}

// The test program's application object (the helpers are in TestMfcHelpers.h).
#pragma once
#include "TestMfcHelpers.h"

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp("TestMfc") {}
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Key-down messages the application's filter saw (virtual-key codes), in order.
    std::string keysSeen;
};

extern CTestApp theTestApp;

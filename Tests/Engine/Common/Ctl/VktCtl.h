// Helpers of the control tests: a started system object, a parent window that logs and answers
// the engine's notices, and controls made on it.
#pragma once
#include "VktSupport.h"
#include "VktSys.h"
#include <functional>
#include <string>
#include <vector>

// What the parent window received, and how it answers.
struct VktParentLog {
    struct Notice {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Notice> notices; // VkeWmWndToDti, VkeWmDtiToWnd, VkeWmSetChk and VkeWmSetEud
    LRESULT wndToDti = 0;        // the answers to the two value-transfer messages
    LRESULT dtiToWnd = 0;
    std::function<void(UINT msg, WPARAM wParam, LPARAM lParam)> inside;
    int Count(UINT msg) const;
};

class VktCtlFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A control of type created on the parent with style (WS_VISIBLE added) and initialised with
    // the default record as tweak edits it; null (and a test failure) when that fails.
    VkiCtl* Make(int type, DWORD style, const char* caption = "",
                 const std::function<void(VkeCtlParam&)>& tweak = nullptr);
    // A plain window of class on the parent, as a dialog template would make it.
    HWND Plain(const char* cls, DWORD style, const char* caption = "");
    // Gives the window the keyboard focus (the parent is brought to the front first).
    void Focus(HWND wnd);

    static HWND Wnd(VkiCtl* ctl);
    static std::string Text(HWND wnd);
    static std::string Value(VkiCtl* ctl);
    static Dti& DtiOf(VkiCtl* ctl); // the control's own record, read through its Ctd
    // Failures traced since the test began.
    int Traced() const { return static_cast<int>(env->Reports().size()); }

    VktSys* env = nullptr;
    VkiSys* sys = nullptr;
    VkiSub* sub = nullptr;
    HWND parent = nullptr;
    VktParentLog log;
    std::vector<VkiCtl*> made;
    int nextY = 0;
};

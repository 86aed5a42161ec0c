// Helpers of the control tests: a started system object, a parent window that logs and answers
// the engine's notices, and controls made on it.
#pragma once
#include "VktSupport.h"
#include "VktSys.h"
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// What the parent window (or the test dialog) received, and how it answers. Like the program's
// panels it passes each control's colour request and WM_DRAWITEM on to the control itself.
struct VktParentLog {
    struct Notice {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };
    // VkeWmWndToDti, VkeWmDtiToWnd, VkeWmSetChk, VkeWmSetEud, VkeWmCtlColor and the WM_COMMAND
    // commands (not control notifications)
    std::vector<Notice> notices;
    LRESULT wndToDti = 0;        // the answers to the two value-transfer messages
    LRESULT dtiToWnd = 0;
    HBRUSH ctlColor = nullptr;   // the answer to VkeWmCtlColor
    std::function<void(UINT msg, WPARAM wParam, LPARAM lParam)> inside;
    int Count(UINT msg) const;
    // The commands received (id, lParam window), in order.
    std::vector<std::pair<UINT, HWND>> Commands() const;
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
    // Gives the window the keyboard focus (its top-level window is brought to the front first).
    void Focus(HWND wnd);
    // A modeless dialog (class "#32770") over the parent, answering as the parent does; Make
    // puts controls on it while host is set to it.
    HWND Dialog();
    // The parent runs the VkeCtlEdit... export of each edit command it receives on the control
    // that sent it, as the program's command handlers do; rcs the results.
    void RunEditCommands();
    std::vector<int> rcs;

    // Input as the keyboard gives it: the modifiers held (VK_SHIFT, VK_CONTROL), a key, and
    // characters as their WM_CHAR bytes.
    static void Hold(std::initializer_list<int> keys);
    static void Key(HWND wnd, UINT vk);
    static void Type(HWND wnd, const std::string& bytes);
    // The window's client pixel at (x, y) after a full repaint.
    static COLORREF Pixel(HWND wnd, int x, int y);
    static std::string Selection(HWND wnd); // "start,end" as the window reports it

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
    HWND host = nullptr; // where Make puts controls: the parent unless a test sets it
    VktParentLog log;
    std::vector<VkiCtl*> made;
    int nextY = 0;
};

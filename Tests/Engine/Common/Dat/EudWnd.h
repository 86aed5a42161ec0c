// A real edit window for the undo tests: its data is one AppMem text, and it answers
// VkeWmEudDat as the program's windows do, with snapshots that are AppMem records of the engine.
// Its parent counts the VkeWmSetEud notices.
#pragma once
#include "VktSupport.h"
#include <functional>
#include <string>
#include <vector>

struct EudWndState {
    VkiSub* sub = nullptr;
    AppMem text = {}; // the window's data
    int live = 0;     // snapshots made and not yet freed
    int seen[9] = {}; // requests received, by number
    std::vector<int> kinds; // the kind field of every request

    // How the window answers.
    int handled = 1;     // the message's return value; 0: not handled
    int refuse = 0;      // request number answered with refuseCode
    int refuseCode = 0;
    int nullCopy = 0;    // request 6 answered with success but no snapshot
    std::function<void(EudReq*)> inside; // runs inside the handler, before the request is done

    // Back to answering every request.
    void Normal()
    {
        handled = 1;
        refuse = refuseCode = nullCopy = 0;
        inside = nullptr;
    }
};

struct ParentState {
    int notices = 0;
    WPARAM wParam = 0;
    WndMsg last = {};
    int answer = 0; // written as the result
    std::function<void()> inside;
};

// Owns a hidden parent window and a child edit window with their states; without a parent the
// edit window is a popup of its own.
class EudWnd {
public:
    explicit EudWnd(VkiSub* sub, bool withParent = true);
    ~EudWnd();
    EudWnd(const EudWnd&) = delete;
    EudWnd& operator=(const EudWnd&) = delete;

    HWND Wnd() const { return m_hWnd; }
    HWND Parent() const { return m_hParent; }
    EudWndState& State() { return m_state; }
    ParentState& Notices() { return m_parent; }

    // The window's text, and setting it (what an edit does).
    std::string Text();
    void SetText(const char* text);
    // The data argument handed to the undo exports: the window's AppMem.
    void* Data() { return &m_state.text; }

private:
    EudWndState m_state;
    ParentState m_parent;
    HWND m_hParent = nullptr;
    HWND m_hWnd = nullptr;
};

// The text a snapshot holds.
std::string SnapText(VkiSub* sub, void* snapshot);

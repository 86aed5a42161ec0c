// Answers the message boxes and modal dialogs that open on this thread, as a person would.
//
//   VktMsgBox answer({IDNO});          // the first box gets No, any later one OK
//   VkeSubShowMsg(sub, 3, MB_YESNO);   // returns IDNO
//   answer.Seen()[0].text, answer.Seen()[0].caption
//
// A timer of this thread runs inside the box's own message loop: it finds the top enabled dialog
// window of the thread (class #32770), records its caption and text, runs OnOpen and then presses
// the next scripted button (a WM_COMMAND with the button id, as a click sends). When the script is
// used up, its last button answers every further box. One answerer per thread at a time.
#pragma once
#include <windows.h>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class VktMsgBox {
public:
    struct Box {
        HWND hwnd;
        std::string caption;
        std::string text; // the message text; for another dialog its static texts, one per line
        int button;       // the id pressed
    };

    explicit VktMsgBox(std::initializer_list<int> buttons = {IDOK});
    explicit VktMsgBox(const std::vector<int>& buttons);
    ~VktMsgBox();
    VktMsgBox(const VktMsgBox&) = delete;
    VktMsgBox& operator=(const VktMsgBox&) = delete;

    // Boxes answered so far, in order.
    const std::vector<Box>& Seen() const { return m_seen; }
    int Count() const { return static_cast<int>(m_seen.size()); }

    // Runs while a box is open, before it is answered (for example to try to open a second one).
    std::function<void(HWND box)> OnOpen;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Answer(HWND box);

    std::vector<int> m_script;
    size_t m_next = 0;
    std::vector<Box> m_seen;
    UINT_PTR m_timer = 0;
    HWND m_last = nullptr; // the box answered last, pressed again if it stays open
    int m_waited = 0;
    bool m_busy = false;
};

// A person's step at a box before its button is pressed.
using VktStep = std::function<void(HWND box)>;
// Runs run while steps[i] acts on the i-th box that opens (a null step does nothing) and then
// buttons[i] is pressed there; the boxes seen.
std::vector<VktMsgBox::Box> VktDrive(const std::function<void()>& run, const std::vector<VktStep>& steps,
                                     const std::vector<int>& buttons);

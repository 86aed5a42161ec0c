// Helpers of the dialog tests: the test dialog made from its template by the test's own dialog
// procedure (as the program makes its dialogs), adopted as a dialog object, and its controls
// adopted as engine controls.
#pragma once
#include "TestVkeDlgRes.h"
#include "VktSupport.h"
#include "VktSys.h"
#include <functional>
#include <initializer_list>
#include <vector>

// What the test dialog's own procedure saw, and how it answers.
struct VktDlgLog {
    std::vector<int> commands;  // ids of WM_COMMAND clicks and menu commands, in order
    HBRUSH ctlColor = nullptr;  // the answer to VkeWmCtlColor
    bool closes = true;         // IDOK and IDCANCEL destroy the dialog, as a modeless one closes
};

class VktDlgFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new test dialog (its own procedure only).
    HWND MakeDialog();
    // The dialog adopted and initialised with the default record as tweak edits it.
    VkiDlg* Adopt(HWND dialog, const std::function<void(VkeDlgParam&)>& tweak = nullptr);
    // The dialog item adopted as an engine control of type, initialised as tweak edits its record.
    VkiCtl* Control(int id, int type, const std::function<void(VkeCtlParam&)>& tweak = nullptr);
    // Every item of the template adopted; the four number edits take whole numbers.
    void AdoptAll();

    // A key as the keyboard gives it to the dialog's message loop: the modifiers held and the key
    // down, offered to IsDialogMessage with the focus window as its window.
    void Press(UINT vk, std::initializer_list<int> held = {});
    // Moves the focus to the item as the dialog moves it.
    void FocusItem(int id);
    int FocusId() const;
    // The window's client pixel at (x, y) after a full repaint.
    static COLORREF Pixel(HWND wnd, int x, int y);
    int Traced() const { return static_cast<int>(env->Reports().size()); }

    VktSys* env = nullptr;
    VkiSys* sys = nullptr;
    HWND wnd = nullptr;     // the test dialog
    VkiDlg* dlg = nullptr;  // its dialog object
    VktDlgLog log;
    std::vector<VkiCtl*> ctls;
};

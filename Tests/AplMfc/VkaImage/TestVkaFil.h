// What the tests of the program's dialogs share to act as a person at a file dialog: its parts,
// the name typed into its name box, a save type picked, and the texts of messages.
#pragma once
#include "TestVkaOpn.h"
#include "HalcorRes.h"
#include <dlgs.h>

// The program's part of a file dialog: the child dialog made from its template.
inline HWND Part(HWND sys) { return ::FindWindowExA(sys, nullptr, "#32770", nullptr); }

inline std::string WndText(HWND wnd)
{
    char text[CmnPathSize] = {};
    ::GetWindowTextA(wnd, text, sizeof(text));
    return text;
}

// The name box: edt1, else the name combo (Wine).
inline HWND NameBox(HWND sys)
{
    HWND edit = ::GetDlgItem(sys, edt1);
    return edit && ::IsWindowVisible(edit) ? edit : ::GetDlgItem(sys, cmb13);
}

inline VktStep Name(const std::string& text)
{
    return [text](HWND sys) {
        ::SendMessageA(sys, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(text.c_str()));
        ::SendMessageA(sys, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(text.c_str()));
    };
}

// Chooses a save type (1 JPEG .. 5 PNG) as a person picks it from the list.
inline void ChooseType(HWND sys, int type)
{
    HWND part = Part(sys), combo = ::GetDlgItem(part, IDC_DLGSAV_TYPE);
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(type - 1), 0);
    ::SendMessageA(part, WM_COMMAND, MAKEWPARAM(IDC_DLGSAV_TYPE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    Pump();
}

// A message's text, and one with a path in it.
inline std::string Msg(int id) { return std::string(theCmnSub.GetMsgStr(id)); }
inline std::string MsgPath(int id, const std::string& path)
{
    CString text;
    text.Format(theCmnSub.GetMsgStr(id), path.c_str());
    return std::string(text);
}

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

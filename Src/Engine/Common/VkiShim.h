// The byte shim between the engine's Shift-JIS byte positions and the platform's edit and
// combo-box controls. Windows' ANSI controls count positions in bytes; Wine's count characters
// (UTF-16 units) whatever the window's character set. Nothing is assumed: each look compares the
// length the control's own line messages report with the byte and character lengths of its text.
#pragma once
#include "VkeEng.h"
#include <vector>

// The text of an edit window and the unit its positions count in, read once for a few conversions.
class VkiShimText {
public:
    explicit VkiShimText(HWND edit);
    // A byte position as the control's own: one inside a double-byte character goes to the
    // character's start, one past the end to the end. Negative values (the controls' "none" and
    // "to the end") pass unchanged, as does everything when the control counts bytes.
    int ToCtl(int bytePos) const;
    // A position of the control's as a byte position.
    int ToByte(int ctlPos) const;

private:
    // Bytes and UTF-16 units of the character at unit i.
    void CharAt(int i, int* bytes, int* units) const;

    std::vector<WCHAR> m_text;
    bool m_chars = false; // positions count characters and the text holds a double-byte one
};

// The window that holds a control's editable text: an edit itself, a combo box's edit child;
// null for anything else.
HWND VkiShimEditOf(HWND ctl);

// Sets the input limit of an edit or of a combo box's edit part to bytes. The control takes the
// number in its own unit, so a control that counts characters may take more bytes than that;
// VkiShimKeepLimit brings such an input back to the limit.
void VkiShimLimitText(HWND ctl, int bytes);

// True for the messages by which an edit control changes its text itself: input, its own
// clipboard and undo commands.
bool VkiShimEditsText(UINT message);

// When an edit's text holds more bytes than its limit, removes the excess: whole characters just
// before the caret, where the input that went over the limit ended.
void VkiShimKeepLimit(HWND edit);

// A dialog template made in memory, for the layer's own small windows (the printing status, the
// print preview's bar): the layer is linked into each module and brings no resources of its own.
// Texts are Shift-JIS; positions and sizes are dialog units; the font is given with DS_SETFONT.
#pragma once
#include "MfcWin.h"
#include <vector>

class AfxDlgTemplate {
public:
    AfxDlgTemplate(DWORD dwStyle, short cx, short cy, LPCSTR lpszCaption, WORD wPointSize, LPCSTR lpszFace);

    // A control of a system class: 0x0080 button, 0x0082 static (WS_CHILD and WS_VISIBLE added).
    void AddItem(WORD wClassAtom, WORD wID, LPCSTR lpszText, DWORD dwStyle, short x, short y, short cx, short cy);
    void AddButton(WORD wID, LPCSTR lpszText, DWORD dwStyle, short x, short y, short cx, short cy)
    { AddItem(0x0080, wID, lpszText, dwStyle | WS_TABSTOP, x, y, cx, cy); }
    void AddText(WORD wID, LPCSTR lpszText, DWORD dwStyle, short x, short y, short cx, short cy)
    { AddItem(0x0082, wID, lpszText, dwStyle, x, y, cx, cy); }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }
    DWORD Size() const { return static_cast<DWORD>(m_words.size() * sizeof(WORD)); }

private:
    void AddText(LPCSTR lpszText);
    void AddDword(DWORD value);
    std::vector<WORD> m_words;
};

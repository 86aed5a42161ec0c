#include "MfcDlgTemplate.h"

AfxDlgTemplate::AfxDlgTemplate(DWORD dwStyle, short cx, short cy, LPCSTR lpszCaption, WORD wPointSize, LPCSTR lpszFace)
{
    AddDword(dwStyle | DS_SETFONT);
    AddDword(0); // extended style
    m_words.push_back(0); // item count, counted by AddItem
    for (short v : {short(0), short(0), cx, cy}) m_words.push_back(static_cast<WORD>(v));
    m_words.push_back(0); // no menu
    m_words.push_back(0); // the dialog class
    AddText(lpszCaption);
    m_words.push_back(wPointSize);
    AddText(lpszFace);
}

void AfxDlgTemplate::AddItem(WORD wClassAtom, WORD wID, LPCSTR lpszText, DWORD dwStyle, short x, short y, short cx,
                             short cy)
{
    if (m_words.size() % 2) m_words.push_back(0); // items start on a DWORD
    AddDword(dwStyle | WS_CHILD | WS_VISIBLE);
    AddDword(0);
    for (short v : {x, y, cx, cy}) m_words.push_back(static_cast<WORD>(v));
    m_words.push_back(wID);
    m_words.push_back(0xFFFF);
    m_words.push_back(wClassAtom);
    AddText(lpszText);
    m_words.push_back(0); // no creation data
    ++m_words[4];         // the count: the word after the two styles
}

void AfxDlgTemplate::AddText(LPCSTR lpszText)
{
    int n = ::MultiByteToWideChar(932, 0, lpszText ? lpszText : "", -1, nullptr, 0);
    size_t at = m_words.size();
    m_words.resize(at + static_cast<size_t>(n > 0 ? n : 1), 0);
    if (n > 0) ::MultiByteToWideChar(932, 0, lpszText ? lpszText : "", -1, reinterpret_cast<LPWSTR>(&m_words[at]), n);
}

void AfxDlgTemplate::AddDword(DWORD value)
{
    m_words.push_back(LOWORD(value));
    m_words.push_back(HIWORD(value));
}

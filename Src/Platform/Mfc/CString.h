// A growable Shift-JIS byte string. Positions and counts are bytes; every search and every cut
// walks characters, so a result never holds half a double-byte character and a trail byte is
// never taken for an ASCII character.
#pragma once
#include "MfcWin.h"
#include <string>

class CString {
public:
    CString() = default;
    CString(const CString& s) = default;
    CString(CString&& s) noexcept = default;
    CString(LPCSTR psz) : m_s(psz ? psz : "") {}
    CString(LPCSTR pch, int nLength) : m_s(pch ? std::string(pch, nLength > 0 ? nLength : 0) : std::string()) {}
    CString(char ch, int nRepeat = 1) : m_s(nRepeat > 0 ? nRepeat : 0, ch) {}

    CString& operator=(const CString& s) = default;
    CString& operator=(CString&& s) noexcept = default;
    CString& operator=(LPCSTR psz) { m_s = psz ? psz : ""; return *this; }
    CString& operator=(char ch) { m_s.assign(1, ch); return *this; }

    int GetLength() const { return static_cast<int>(m_s.size()); }
    BOOL IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    char GetAt(int i) const { return m_s.at(static_cast<size_t>(i)); }
    void SetAt(int i, char ch) { m_s.at(static_cast<size_t>(i)) = ch; }
    char operator[](int i) const { return GetAt(i); }
    operator LPCSTR() const { return m_s.c_str(); }
    LPCSTR GetString() const { return m_s.c_str(); }

    CString& operator+=(const CString& s) { m_s += s.m_s; return *this; }
    CString& operator+=(LPCSTR psz) { if (psz) m_s += psz; return *this; }
    CString& operator+=(char ch) { m_s += ch; return *this; }
    friend CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
    friend CString operator+(const CString& a, LPCSTR b) { CString r(a); r += b; return r; }
    friend CString operator+(LPCSTR a, const CString& b) { CString r(a); r += b; return r; }
    friend CString operator+(const CString& a, char b) { CString r(a); r += b; return r; }

    // Byte order comparisons; CompareNoCase folds only single-byte ASCII letters.
    int Compare(LPCSTR psz) const;
    int CompareNoCase(LPCSTR psz) const;
    friend bool operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
    friend bool operator==(LPCSTR a, const CString& b) { return b.Compare(a) == 0; }
    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
    friend bool operator!=(const CString& a, LPCSTR b) { return a.Compare(b) != 0; }
    friend bool operator!=(LPCSTR a, const CString& b) { return b.Compare(a) != 0; }
    friend bool operator!=(const CString& a, const CString& b) { return a.m_s != b.m_s; }
    friend bool operator<(const CString& a, const CString& b) { return a.m_s < b.m_s; }

    // Parts. A start inside a character moves to that character's start; an end inside a
    // character drops the character.
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;

    // Byte index of the first / last match at a character boundary, -1 when none.
    int Find(char ch, int nStart = 0) const;
    int Find(LPCSTR pszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR pszCharSet) const;

    // Case of single-byte ASCII letters; double-byte characters stay as they are.
    CString& MakeUpper();
    CString& MakeLower();

    // Blanks are space, tab, CR and LF.
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim();
    CString& TrimLeft(char ch);
    CString& TrimRight(char ch);

    int Replace(char chOld, char chNew);
    int Replace(LPCSTR pszOld, LPCSTR pszNew);
    int Remove(char ch);
    int Insert(int nIndex, LPCSTR psz);
    int Insert(int nIndex, char ch);
    int Delete(int nIndex, int nCount = 1);

    // printf-style formatting (the C99 stdio of the toolchain).
    void Format(LPCSTR pszFormat, ...);
    void FormatV(LPCSTR pszFormat, va_list args);
    void AppendFormat(LPCSTR pszFormat, ...);
    void Format(UINT nFormatID, ...);
    // Inserts %1, %2, ... as the system's message formatter does (string arguments unless
    // the insert says otherwise, as in %1!d!).
    void FormatMessage(LPCSTR pszFormat, ...);
    void FormatMessage(UINT nFormatID, ...);

    // The string resource nID of the module's resource handle; FALSE (and empty) when missing.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // Direct access to a buffer of at least nMinBufLength bytes plus the terminator; the
    // length is fixed again by ReleaseBuffer (-1: up to the first NUL).
    LPSTR GetBuffer(int nMinBufLength);
    LPSTR GetBuffer() { return GetBuffer(GetLength()); }
    LPSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);

private:
    int ClampIndex(int i) const { return i < 0 ? 0 : (i > GetLength() ? GetLength() : i); }
    bool IsBoundary(int i) const;
    void FormatMessageV(LPCSTR pszFormat, va_list* args);

    std::string m_s;
};

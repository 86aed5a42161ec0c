#include "CString.h"
#include "MfcState.h"
#include "MfcText.h"
#include <stdio.h>
#include <string.h>

static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
static char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
static char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool CString::IsBoundary(int i) const
{
    return AfxCharStart(m_s.c_str(), GetLength(), i) == i;
}

int CString::Compare(LPCSTR psz) const { return strcmp(m_s.c_str(), psz ? psz : ""); }

int CString::CompareNoCase(LPCSTR psz) const
{
    const char* a = m_s.c_str();
    const char* b = psz ? psz : "";
    for (;;) {
        int na = AfxCharLen(a), nb = AfxCharLen(b);
        unsigned char ca = static_cast<unsigned char>(na == 1 ? AsciiUpper(*a) : *a);
        unsigned char cb = static_cast<unsigned char>(nb == 1 ? AsciiUpper(*b) : *b);
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
        if (na == 2 && nb == 2 && a[1] != b[1])
            return static_cast<unsigned char>(a[1]) < static_cast<unsigned char>(b[1]) ? -1 : 1;
        if (na != nb) return na < nb ? -1 : 1;
        a += na;
        b += nb;
    }
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength()); }

CString CString::Mid(int nFirst, int nCount) const
{
    int len = GetLength();
    int first = AfxCharStart(m_s.c_str(), len, ClampIndex(nFirst));
    if (nCount < 0) nCount = 0;
    long long wantEnd = static_cast<long long>(first) + nCount;
    int end = wantEnd > len ? len : static_cast<int>(wantEnd);
    end = AfxCharStart(m_s.c_str(), len, end);
    return CString(m_s.c_str() + first, end - first);
}

CString CString::Left(int nCount) const { return Mid(0, nCount); }

CString CString::Right(int nCount) const
{
    int len = GetLength();
    if (nCount < 0) nCount = 0;
    if (nCount >= len) return *this;
    int start = AfxCharBoundaryAfter(m_s.c_str(), len, len - nCount);
    return CString(m_s.c_str() + start, len - start);
}

int CString::Find(char ch, int nStart) const
{
    const char* s = m_s.c_str();
    int len = GetLength();
    for (int i = AfxCharBoundaryAfter(s, len, nStart < 0 ? 0 : nStart); i < len;) {
        int n = AfxCharLen(s + i);
        if (n == 1 && s[i] == ch) return i;
        i += n;
    }
    return -1;
}

int CString::Find(LPCSTR pszSub, int nStart) const
{
    if (!pszSub) return -1;
    const char* s = m_s.c_str();
    int len = GetLength();
    int subLen = static_cast<int>(strlen(pszSub));
    int i = AfxCharBoundaryAfter(s, len, nStart < 0 ? 0 : nStart);
    if (subLen == 0) return i <= len ? i : -1;
    for (; i + subLen <= len; i += AfxCharLen(s + i)) {
        if (memcmp(s + i, pszSub, static_cast<size_t>(subLen)) == 0 && IsBoundary(i + subLen)) return i;
    }
    return -1;
}

int CString::ReverseFind(char ch) const
{
    const char* s = m_s.c_str();
    int found = -1;
    for (int i = 0; s[i];) {
        int n = AfxCharLen(s + i);
        if (n == 1 && s[i] == ch) found = i;
        i += n;
    }
    return found;
}

int CString::FindOneOf(LPCSTR pszCharSet) const
{
    if (!pszCharSet) return -1;
    const char* s = m_s.c_str();
    for (int i = 0; s[i];) {
        int n = AfxCharLen(s + i);
        for (const char* c = pszCharSet; *c;) {
            int m = AfxCharLen(c);
            if (m == n && memcmp(c, s + i, static_cast<size_t>(n)) == 0) return i;
            c += m;
        }
        i += n;
    }
    return -1;
}

CString& CString::MakeUpper()
{
    for (size_t i = 0; i < m_s.size();) {
        int n = AfxCharLen(&m_s[i]);
        if (n == 1) m_s[i] = AsciiUpper(m_s[i]);
        i += static_cast<size_t>(n ? n : 1);
    }
    return *this;
}

CString& CString::MakeLower()
{
    for (size_t i = 0; i < m_s.size();) {
        int n = AfxCharLen(&m_s[i]);
        if (n == 1) m_s[i] = AsciiLower(m_s[i]);
        i += static_cast<size_t>(n ? n : 1);
    }
    return *this;
}

CString& CString::TrimLeft()
{
    size_t i = 0;
    while (i < m_s.size() && IsBlank(m_s[i])) ++i;
    m_s.erase(0, i);
    return *this;
}

CString& CString::TrimRight()
{
    // The end of the last character that is not blank, found walking from the start, so a
    // trail byte that looks like a blank is never cut.
    int keep = 0;
    for (int i = 0; i < GetLength();) {
        int n = AfxCharLen(m_s.c_str() + i);
        if (n != 1 || !IsBlank(m_s[static_cast<size_t>(i)])) keep = i + n;
        i += n;
    }
    m_s.resize(static_cast<size_t>(keep));
    return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::TrimLeft(char ch)
{
    size_t i = 0;
    while (i < m_s.size() && m_s[i] == ch && AfxCharLen(&m_s[i]) == 1) ++i;
    m_s.erase(0, i);
    return *this;
}

CString& CString::TrimRight(char ch)
{
    int keep = 0;
    for (int i = 0; i < GetLength();) {
        int n = AfxCharLen(m_s.c_str() + i);
        if (n != 1 || m_s[static_cast<size_t>(i)] != ch) keep = i + n;
        i += n;
    }
    m_s.resize(static_cast<size_t>(keep));
    return *this;
}

int CString::Replace(char chOld, char chNew)
{
    int count = 0;
    for (size_t i = 0; i < m_s.size();) {
        int n = AfxCharLen(&m_s[i]);
        if (n == 1 && m_s[i] == chOld) {
            m_s[i] = chNew;
            ++count;
        }
        i += static_cast<size_t>(n ? n : 1);
    }
    return count;
}

int CString::Replace(LPCSTR pszOld, LPCSTR pszNew)
{
    if (!pszOld || !*pszOld) return 0;
    std::string out;
    int count = 0, oldLen = static_cast<int>(strlen(pszOld));
    int i = 0;
    for (int hit = Find(pszOld); hit >= 0; hit = Find(pszOld, i)) {
        out.append(m_s, static_cast<size_t>(i), static_cast<size_t>(hit - i));
        if (pszNew) out += pszNew;
        i = hit + oldLen;
        ++count;
    }
    if (count) {
        out.append(m_s, static_cast<size_t>(i), std::string::npos);
        m_s.swap(out);
    }
    return count;
}

int CString::Remove(char ch)
{
    std::string out;
    int count = 0;
    for (int i = 0; i < GetLength();) {
        int n = AfxCharLen(m_s.c_str() + i);
        if (n == 1 && m_s[static_cast<size_t>(i)] == ch) ++count;
        else out.append(m_s, static_cast<size_t>(i), static_cast<size_t>(n));
        i += n;
    }
    m_s.swap(out);
    return count;
}

int CString::Insert(int nIndex, LPCSTR psz)
{
    if (psz) {
        int at = AfxCharBoundaryAfter(m_s.c_str(), GetLength(), ClampIndex(nIndex));
        m_s.insert(static_cast<size_t>(at), psz);
    }
    return GetLength();
}

int CString::Insert(int nIndex, char ch)
{
    char s[2] = {ch, 0};
    return Insert(nIndex, s);
}

int CString::Delete(int nIndex, int nCount)
{
    int len = GetLength();
    int first = AfxCharStart(m_s.c_str(), len, ClampIndex(nIndex));
    if (nCount > 0 && first < len) {
        long long wantEnd = static_cast<long long>(first) + nCount;
        int end = AfxCharBoundaryAfter(m_s.c_str(), len, wantEnd > len ? len : static_cast<int>(wantEnd));
        m_s.erase(static_cast<size_t>(first), static_cast<size_t>(end - first));
    }
    return GetLength();
}

void CString::FormatV(LPCSTR pszFormat, va_list args)
{
    if (!pszFormat) {
        Empty();
        return;
    }
    va_list probe;
    va_copy(probe, args);
    int need = vsnprintf(nullptr, 0, pszFormat, probe);
    va_end(probe);
    if (need < 0) {
        Empty();
        return;
    }
    std::string out(static_cast<size_t>(need) + 1, '\0');
    vsnprintf(&out[0], out.size(), pszFormat, args);
    out.resize(static_cast<size_t>(need));
    m_s.swap(out);
}

void CString::Format(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::Format(UINT nFormatID, ...)
{
    CString format;
    format.LoadString(nFormatID);
    va_list args;
    va_start(args, nFormatID);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(LPCSTR pszFormat, ...)
{
    CString more;
    va_list args;
    va_start(args, pszFormat);
    more.FormatV(pszFormat, args);
    va_end(args);
    *this += more;
}

void CString::FormatMessageV(LPCSTR pszFormat, va_list* args)
{
    Empty();
    if (!pszFormat) return;
    LPSTR buffer = nullptr;
    DWORD n = ::FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, pszFormat, 0, 0,
                               reinterpret_cast<LPSTR>(&buffer), 0, args);
    if (buffer) {
        m_s.assign(buffer, n);
        LocalFree(buffer);
    }
}

void CString::FormatMessage(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatMessageV(pszFormat, &args);
    va_end(args);
}

void CString::FormatMessage(UINT nFormatID, ...)
{
    CString format;
    format.LoadString(nFormatID);
    va_list args;
    va_start(args, nFormatID);
    FormatMessageV(format, &args);
    va_end(args);
}

BOOL CString::LoadString(UINT nID) { return LoadString(AfxGetResourceHandle(), nID); }

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    // LoadStringA gives no length of its own: grow until the text fits with room to spare.
    for (int size = 256; size <= 65536; size *= 4) {
        std::string buf(static_cast<size_t>(size), '\0');
        int n = ::LoadStringA(hInstance, nID, &buf[0], size);
        if (n <= 0) {
            Empty();
            return FALSE;
        }
        if (n < size - 2) {
            buf.resize(static_cast<size_t>(n));
            m_s.swap(buf);
            return TRUE;
        }
    }
    Empty();
    return FALSE;
}

LPSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength()) m_s.resize(static_cast<size_t>(nMinBufLength));
    return &m_s[0];
}

LPSTR CString::GetBufferSetLength(int nNewLength)
{
    m_s.resize(static_cast<size_t>(nNewLength < 0 ? 0 : nNewLength));
    return &m_s[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0) nNewLength = static_cast<int>(strnlen(m_s.c_str(), m_s.size()));
    m_s.resize(static_cast<size_t>(nNewLength > GetLength() ? GetLength() : nNewLength));
}

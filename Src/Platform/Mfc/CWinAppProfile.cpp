// The application's settings file (an ini file named by m_pszProfileName).
#include "CWinApp.h"
#include <stdio.h>
#include <string.h>
#include <algorithm>
#include <string>
#include <vector>

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    if (!m_pszProfileName || !lpszSection || !lpszEntry) return static_cast<UINT>(nDefault);
    return GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue)
{
    char text[16];
    snprintf(text, sizeof(text), "%d", nValue);
    return WriteProfileString(lpszSection, lpszEntry, text);
}

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault)
{
    if (!lpszDefault) lpszDefault = "";
    if (!m_pszProfileName || !lpszSection || !lpszEntry) return CString(lpszDefault);
    // The call reports size - 1 when the value was cut: grow until it fits.
    for (DWORD size = 256; size <= 1u << 20; size *= 4) {
        std::string buf(size, '\0');
        DWORD n = GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault, &buf[0], size, m_pszProfileName);
        if (n < size - 1) return CString(buf.c_str(), static_cast<int>(n));
    }
    return CString(lpszDefault);
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue)
{
    if (!m_pszProfileName || !lpszSection) return FALSE;
    if (m_bHoldProfileWrites) {
        HoldProfileWrite(lpszSection, lpszEntry, lpszValue);
        return TRUE;
    }
    return WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

// ---- Writes held back ----

namespace {

// The section's lines as the file holds them ("entry=value").
std::vector<std::string> ReadSectionLines(LPCSTR section, LPCSTR file)
{
    std::vector<std::string> lines;
    // The call reports size - 2 when the section was cut: grow until it fits.
    for (DWORD size = 4096; size <= 1u << 24; size *= 4) {
        std::string buf(size, '\0');
        DWORD n = GetPrivateProfileSectionA(section, &buf[0], size, file);
        if (n >= size - 2) continue;
        for (const char* p = buf.c_str(); *p && p < buf.c_str() + n; p += strlen(p) + 1) lines.emplace_back(p);
        break;
    }
    return lines;
}

// Whether the line holds the entry (letter case aside, as the profile compares names).
bool IsEntryLine(const std::string& line, const CString& entry)
{
    size_t eq = line.find('=');
    std::string name = line.substr(0, eq);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.pop_back();
    return _stricmp(name.c_str(), entry) == 0;
}

} // namespace

void CWinApp::HoldProfileWrite(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue)
{
    ProfileSection* section = nullptr;
    for (ProfileSection& s : m_profileWrites)
        if (_stricmp(s.name, lpszSection) == 0) section = &s;
    if (!section) {
        m_profileWrites.push_back(ProfileSection{lpszSection, false, {}});
        section = &m_profileWrites.back();
    }
    if (!lpszEntry) {
        section->cleared = true;
        section->writes.clear();
        return;
    }
    section->writes.push_back(ProfileWrite{lpszEntry, lpszValue ? lpszValue : "", lpszValue == nullptr});
}

BOOL CWinApp::EndProfileWrites()
{
    m_bHoldProfileWrites = false;
    BOOL ok = TRUE;
    for (const ProfileSection& section : m_profileWrites) {
        std::vector<std::string> lines;
        if (!section.cleared) lines = ReadSectionLines(section.name, m_pszProfileName);
        const bool had = section.cleared || !lines.empty();
        for (const ProfileWrite& w : section.writes) {
            auto at = std::find_if(lines.begin(), lines.end(),
                                   [&w](const std::string& line) { return IsEntryLine(line, w.entry); });
            if (w.erase) {
                if (at != lines.end()) lines.erase(at);
                continue;
            }
            std::string line = std::string(w.entry) + "=" + static_cast<LPCSTR>(w.value);
            if (at != lines.end()) *at = line;
            else lines.push_back(line);
        }
        if (lines.empty()) {
            if (had) ok = WritePrivateProfileStringA(section.name, nullptr, nullptr, m_pszProfileName) && ok;
            continue;
        }
        std::string block;
        for (const std::string& line : lines) block += line + '\0';
        ok = WritePrivateProfileSectionA(section.name, block.c_str(), m_pszProfileName) && ok;
    }
    m_profileWrites.clear();
    return ok;
}

BOOL CWinApp::GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    if (!ppData || !pBytes) return FALSE;
    *ppData = nullptr;
    *pBytes = 0;
    CString text = GetProfileString(lpszSection, lpszEntry, nullptr);
    int n = text.GetLength();
    if (n == 0 || n % 2 != 0) return FALSE;
    LPBYTE data = new BYTE[static_cast<size_t>(n / 2)];
    for (int i = 0; i < n; i += 2) {
        int lo = text[i] - 'A', hi = text[i + 1] - 'A';
        if (lo < 0 || lo > 15 || hi < 0 || hi > 15) {
            delete[] data;
            return FALSE;
        }
        data[i / 2] = static_cast<BYTE>(lo | (hi << 4));
    }
    *ppData = data;
    *pBytes = static_cast<UINT>(n / 2);
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (!pData && nBytes) return FALSE;
    std::string text(static_cast<size_t>(nBytes) * 2, 'A');
    for (UINT i = 0; i < nBytes; ++i) {
        text[i * 2] = static_cast<char>('A' + (pData[i] & 0x0F));
        text[i * 2 + 1] = static_cast<char>('A' + ((pData[i] >> 4) & 0x0F));
    }
    return WriteProfileString(lpszSection, lpszEntry, text.c_str());
}

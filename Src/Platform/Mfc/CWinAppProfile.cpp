// The application's settings file (an ini file named by m_pszProfileName).
#include "CWinApp.h"
#include <stdio.h>
#include <string.h>
#include <string>

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
    return WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
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

// One open registry key.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnReg"
#include "CmnReg.h"
#include "CmnAppInf.h"
#include "CmnDef.h"
#include <string.h>

namespace {

HKEY RootKey(const char* name)
{
    static const struct {
        const char* name;
        HKEY key;
    } kRoots[] = {{"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
                  {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
                  {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
                  {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
                  {"HKEY_USERS", HKEY_USERS}};
    for (const auto& root : kRoots)
        if (name && strcmp(name, root.name) == 0) return root.key;
    return nullptr;
}

// The longest text value read, without its terminator.
const DWORD kMaxText = 1023;

int Fail(const char* name, int code)
{
    CMN_TRACE(name, code);
    return code;
}

} // namespace

void CmnReg::Hold(HKEY key)
{
    Close();
    m_hKey = key;
}

void CmnReg::Close()
{
    if (m_hKey) ::RegCloseKey(m_hKey);
    m_hKey = nullptr;
}

int CmnReg::Create(const char* rootName, const char* subKey, LPSTR keyClass, DWORD options, REGSAM access,
                   LPSECURITY_ATTRIBUTES security, DWORD* disposition)
{
    HKEY root = RootKey(rootName);
    if (!root || !subKey) return Fail("Create", VKE_ERR_ARG);
    HKEY key = nullptr;
    DWORD done = 0;
    if (::RegCreateKeyExA(root, subKey, 0, keyClass, options, access, security, &key, &done) != ERROR_SUCCESS)
        return Fail("Create", VKE_ERR_MEMORY);
    if (disposition) *disposition = done;
    Hold(key);
    return VKE_OK;
}

int CmnReg::Open(const char* rootName, const char* subKey)
{
    HKEY root = RootKey(rootName);
    HKEY key = nullptr;
    if (!root || !subKey || ::RegOpenKeyExA(root, subKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return Fail("Open", VKE_ERR_ARG);
    Hold(key);
    return VKE_OK;
}

int CmnReg::Read(const char* valueName, CString& out)
{
    out.Empty();
    char text[kMaxText + 1] = {};
    DWORD size = kMaxText;
    if (!valueName || ::RegQueryValueExA(m_hKey, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) !=
                          ERROR_SUCCESS)
        return Fail("Read", VKE_ERR_ARG);
    out = text;
    return VKE_OK;
}

int CmnReg::Read(const char* valueName, char* buffer, int size)
{
    if (!valueName || !buffer || size < 1) return Fail("Read", VKE_ERR_ARG);
    CString text;
    int rc = Read(valueName, text);
    if (rc == VKE_OK) rc = VkeSubCopyStr(theCmnAppInf.pSub, buffer, text, size);
    if (rc != VKE_OK) CMN_TRACE("Read", rc);
    return rc;
}

int CmnReg::Read(const char* valueName, DWORD* out)
{
    DWORD value = 0, size = sizeof(value);
    if (!valueName || !out ||
        ::RegQueryValueExA(m_hKey, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        size != sizeof(value))
        return Fail("Read", VKE_ERR_ARG);
    *out = value;
    return VKE_OK;
}

int CmnReg::Write(const char* valueName, const char* text)
{
    if (!valueName || !text ||
        ::RegSetValueExA(m_hKey, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                         static_cast<DWORD>(strlen(text) + 1)) != ERROR_SUCCESS)
        return Fail("Write", VKE_ERR_ARG);
    return VKE_OK;
}

int CmnReg::Write(const char* valueName, DWORD value)
{
    if (!valueName ||
        ::RegSetValueExA(m_hKey, valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) !=
            ERROR_SUCCESS)
        return Fail("Write", VKE_ERR_ARG);
    return VKE_OK;
}

// Registry access with the root key named by its text, and typed copies through untyped pointers.
#define VKE_MODULE "Src\\Engine\\Common\\VkeSubBsc"
#include "VkiSub.h"
#include "VkeFrame.h"
#include <string.h>

namespace {

struct RootKey {
    const char* name;
    HKEY key;
};

const RootKey kRoots[] = {
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},   {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
    {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},   {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKEY_USERS", HKEY_USERS},
};

// The predefined key of an exact root name; null for any other text.
HKEY FindRoot(const char* name)
{
    for (const RootKey& r : kRoots)
        if (strcmp(r.name, name) == 0) return r.key;
    return nullptr;
}

// Bytes copied for a pointer-value type code; 0 for the terminated text (3), -1 outside 1 to 19.
int PtrVarWidth(int type)
{
    switch (type) {
    case 2: return 1;
    case 4: case 7: return 2;
    case 1: case 5: case 6: case 8: case 9: case 12: case 13: case 14: case 18: return 4;
    case 10: case 11: case 15: case 17: return 8;
    case 16: case 19: return 16;
    case 3: return 0;
    default: return -1;
    }
}

int CopyPtrVar(void* dest, const void* src, int type)
{
    int width = PtrVarWidth(type);
    if (!dest || !src || width < 0) return VKE_ERR_ARG;
    size_t n = width ? static_cast<size_t>(width) : strlen(static_cast<const char*>(src)) + 1;
    memmove(dest, src, n);
    return VKE_OK;
}

} // namespace

int VkiSub::CreateReg(const char* rootName, const char* subKey, HKEY* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = nullptr;
    HKEY root = (rootName && subKey) ? FindRoot(rootName) : nullptr;
    if (!root) return VKE_ERR_ARG;
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExA(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr);
    if (rc != ERROR_SUCCESS) return VKE_ERR_MEMORY;
    *out = key;
    return VKE_OK;
}

int VkiSub::OpenReg(const char* rootName, const char* subKey, HKEY* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!rootName || !subKey || !out) return VKE_ERR_ARG;
    HKEY root = FindRoot(rootName);
    if (!root) return VKE_ERR_ARG;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return VKE_ERR_ARG;
    *out = key;
    return VKE_OK;
}

int VkiSub::ReadReg(HKEY key, const char* valueName, char* buffer, unsigned* type, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!valueName || !buffer || !type || size < 1) return VKE_ERR_ARG;
    // Room for size - 1 bytes: the terminator is always ours, since a stored value need not end in one.
    DWORD got = static_cast<DWORD>(size - 1);
    DWORD kind = 0;
    LONG rc = RegQueryValueExA(key, valueName, nullptr, &kind, reinterpret_cast<BYTE*>(buffer), &got);
    if (rc != ERROR_SUCCESS || got > static_cast<DWORD>(size - 1)) {
        buffer[0] = '\0';
        *type = 0;
        return rc == ERROR_MORE_DATA ? VKE_ERR_CUT : VKE_ERR_ARG;
    }
    buffer[got] = '\0';
    *type = kind;
    return VKE_OK;
}

int VkiSub::WriteReg(HKEY key, const char* valueName, const char* text)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!key || !valueName || !text) return VKE_ERR_ARG;
    DWORD bytes = static_cast<DWORD>(strlen(text) + 1);
    LONG rc = RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes);
    return rc == ERROR_SUCCESS ? VKE_OK : VKE_ERR_ARG;
}

int VkiSub::CloseReg(HKEY key)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    return RegCloseKey(key) == ERROR_SUCCESS ? VKE_OK : VKE_ERR_ARG;
}

int VkiSub::SetPtrVar(void* dest, const void* src, int type) { return CopyPtrVar(dest, src, type); }

int VkiSub::GetPtrVar(const void* src, void* dest, int type) { return CopyPtrVar(dest, src, type); }

// ---- Exports ----

VKE_API int VkeSubCreateReg(VkiSub* sub, const char* rootName, const char* subKey, HKEY* out)
{
    VKE_SUB_FRAME(sub, CreateReg(rootName, subKey, out));
}

VKE_API int VkeSubOpenReg(VkiSub* sub, const char* rootName, const char* subKey, HKEY* out)
{
    VKE_SUB_FRAME(sub, OpenReg(rootName, subKey, out));
}

VKE_API int VkeSubReadReg(VkiSub* sub, HKEY key, const char* valueName, char* buffer, unsigned* type, int size)
{
    VKE_SUB_FRAME(sub, ReadReg(key, valueName, buffer, type, size));
}

VKE_API int VkeSubWriteReg(VkiSub* sub, HKEY key, const char* valueName, const char* text)
{
    VKE_SUB_FRAME(sub, WriteReg(key, valueName, text));
}

VKE_API int VkeSubCloseReg(VkiSub* sub, HKEY key) { VKE_SUB_FRAME(sub, CloseReg(key)); }

VKE_API int VkeSubSetPtrVar(VkiSub* sub, void* dest, const void* src, int type)
{
    VKE_SUB_FRAME(sub, SetPtrVar(dest, src, type));
}

VKE_API int VkeSubGetPtrVar(VkiSub* sub, const void* src, void* dest, int type)
{
    VKE_SUB_FRAME(sub, GetPtrVar(src, dest, type));
}

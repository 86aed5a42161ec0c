// Item-id lists: a chain of items, each headed by its 16-bit byte count, ended by a zero count;
// all memory through the shell allocator. Path comparison.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnSub"
#include "CmnSub.h"
#include "CmnApp.h"
#include <string.h>
#include <string>

namespace {

// Bytes of the items without the terminator.
UINT ItemBytes(LPCITEMIDLIST list)
{
    UINT n = 0;
    for (const BYTE* p = reinterpret_cast<const BYTE*>(list); p && reinterpret_cast<LPCITEMIDLIST>(p)->mkid.cb;) {
        USHORT cb = reinterpret_cast<LPCITEMIDLIST>(p)->mkid.cb;
        n += cb;
        p += cb;
    }
    return n;
}

// Whether bytes ends exactly at an item of list.
bool EndsAtItem(LPCITEMIDLIST list, UINT bytes)
{
    UINT n = 0;
    for (const BYTE* p = reinterpret_cast<const BYTE*>(list); n < bytes;) {
        USHORT cb = reinterpret_cast<LPCITEMIDLIST>(p)->mkid.cb;
        if (!cb) return false;
        n += cb;
        p += cb;
    }
    return n == bytes;
}

// The byte at pos of text stands as a character of its own (not the second byte of a pair).
bool IsSingleByteAt(const char* text, int pos)
{
    const char* p = text;
    while (*p && p - text < pos) p = ::CharNextExA(932, p, 0);
    return p - text == pos && !::IsDBCSLeadByteEx(932, static_cast<BYTE>(*p));
}

void* ShellAlloc(SIZE_T size)
{
    CmnApp* app = CmnGetApp();
    IMalloc* malloc = app ? app->GetShellMalloc() : nullptr;
    return malloc ? malloc->Alloc(size) : ::CoTaskMemAlloc(size);
}

void ShellFree(void* block)
{
    CmnApp* app = CmnGetApp();
    IMalloc* malloc = app ? app->GetShellMalloc() : nullptr;
    if (malloc) malloc->Free(block);
    else ::CoTaskMemFree(block);
}

// A new list: the first bytes of a, then the items of b, then the terminator; name is the
// service traced when memory fails.
LPITEMIDLIST JoinLists(const char* name, LPCITEMIDLIST a, UINT headBytes, LPCITEMIDLIST b)
{
    UINT tail = ItemBytes(b);
    BYTE* block = static_cast<BYTE*>(ShellAlloc(headBytes + tail + sizeof(USHORT)));
    if (!block) {
        CMN_TRACE(name, VKE_ERR_MEMORY);
        return nullptr;
    }
    if (headBytes) memcpy(block, a, headBytes);
    if (tail) memcpy(block + headBytes, b, tail);
    memset(block + headBytes + tail, 0, sizeof(USHORT));
    return reinterpret_cast<LPITEMIDLIST>(block);
}

} // namespace

LPITEMIDLIST CmnSub::GetItemIdNext(LPCITEMIDLIST list)
{
    if (!list || !list->mkid.cb) return nullptr;
    LPITEMIDLIST next = reinterpret_cast<LPITEMIDLIST>(const_cast<BYTE*>(reinterpret_cast<const BYTE*>(list)) + list->mkid.cb);
    return next->mkid.cb ? next : nullptr;
}

UINT CmnSub::GetItemIdListSize(LPCITEMIDLIST list) { return list ? ItemBytes(list) + sizeof(USHORT) : 0; }

int CmnSub::FreeItemIdList(LPITEMIDLIST* list)
{
    if (!list) {
        CMN_TRACE("FreeItemIdList", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    if (*list) ShellFree(*list);
    *list = nullptr;
    return VKE_OK;
}

LPITEMIDLIST CmnSub::DupItemIdList(LPCITEMIDLIST list)
{
    return list ? JoinLists("DupItemIdList", nullptr, 0, list) : nullptr;
}

LPITEMIDLIST CmnSub::GetItemIdList(const char* path)
{
    CmnApp* app = CmnGetApp();
    IShellFolder* desktop = app ? app->GetDesktopFolder() : nullptr;
    if (!path || !*path || !desktop) return nullptr;
    // With a separator at the end, so that a drive parses as its root.
    CString full(path);
    int last = 0;
    for (const char* p = full; *p; p = ::CharNextExA(932, p, 0)) last = static_cast<int>(p - static_cast<const char*>(full));
    if (full[last] != '\\') full += '\\';
    int n = ::MultiByteToWideChar(CP_ACP, 0, full, -1, nullptr, 0);
    if (n < 1) return nullptr;
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, full, -1, &wide[0], n);
    LPITEMIDLIST list = nullptr;
    ULONG eaten = 0;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, &wide[0], &eaten, &list, nullptr))) return nullptr;
    return list;
}

LPITEMIDLIST CmnSub::GetItemIdListFull(LPCITEMIDLIST parent, LPCITEMIDLIST child)
{
    return JoinLists("GetItemIdListFull", parent, ItemBytes(parent), child);
}

LPITEMIDLIST CmnSub::GetItemIdListParent(LPCITEMIDLIST list)
{
    if (!list || !list->mkid.cb || !GetItemIdNext(list)) return nullptr;
    // Everything up to the last item.
    LPCITEMIDLIST last = list;
    for (LPCITEMIDLIST next = GetItemIdNext(last); next; next = GetItemIdNext(last)) last = next;
    UINT head = static_cast<UINT>(reinterpret_cast<const BYTE*>(last) - reinterpret_cast<const BYTE*>(list));
    return JoinLists("GetItemIdListParent", list, head, nullptr);
}

int CmnSub::CmpItemIdList(LPCITEMIDLIST a, LPCITEMIDLIST b)
{
    if (!a || !b) {
        CMN_TRACE("CmpItemIdList", VKE_ERR_ARG);
        return 0;
    }
    UINT na = ItemBytes(a), nb = ItemBytes(b);
    int order = memcmp(a, b, na < nb ? na : nb);
    if (order) return order < 0 ? -2 : 2;
    if (na == nb) return 0;
    if (na < nb) return EndsAtItem(b, na) ? -1 : -2;
    return EndsAtItem(a, nb) ? 1 : 2;
}

int CmnSub::CmpItemIdListByPath(LPCITEMIDLIST a, LPCITEMIDLIST b)
{
    return CmpPathName(GetPathName(a), GetPathName(b));
}

int CmnSub::CmpPathName(const char* p, const char* q)
{
    if (!p || !q) {
        CMN_TRACE("CmpPathName", VKE_ERR_ARG);
        return 0;
    }
    if (!*p && !*q) return -3;
    if (!*p) return -4;
    if (!*q) return -5;
    char a[CmnPathSize], b[CmnPathSize];
    snprintf(a, sizeof(a), "%s", p);
    snprintf(b, sizeof(b), "%s", q);
    int na = static_cast<int>(strlen(a)), nb = static_cast<int>(strlen(b));
    int order = memcmp(a, b, static_cast<size_t>(na < nb ? na : nb));
    if (order) return order < 0 ? -2 : 2;
    if (na == nb) return 0;
    // One is a folder above the other when a backslash of its own follows the shorter.
    if (na < nb) return b[na] == '\\' && IsSingleByteAt(b, na) ? -1 : -2;
    return a[nb] == '\\' && IsSingleByteAt(a, nb) ? 1 : 2;
}

// Application memory buffers: AppMem records whose blocks live on the library's heap.
// A block grows by reallocation to exactly the size needed and never shrinks; a new block
// is filled before the old one is freed, so the data may come from the record itself.
#define VKE_MODULE "Src\\Engine\\Common\\VkeSubStr"
#include "VkiSub.h"
#include "VkeFrame.h"
#include "VkiTxt.h"
#include <limits.h>
#include <stdlib.h>
#include <string.h>

namespace {

bool HasBlock(const AppMem* mem) { return mem->pBuffer != nullptr && mem->iCapacity > 0; }

// Bytes of the record's text: its data up to the first 0 byte; 0 without a block.
int TextLen(const AppMem* mem)
{
    if (!HasBlock(mem) || mem->iLength <= 0) return 0;
    return VkiStrLen(mem->pBuffer, mem->iLength);
}

// Puts a new block in place of the old one.
void Replace(AppMem* mem, char* block, int capacity)
{
    free(mem->pBuffer);
    mem->pBuffer = block;
    mem->iCapacity = capacity;
}

} // namespace

int VkiSub::AllocAppMem(AppMem** out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    AppMem* mem = static_cast<AppMem*>(calloc(1, sizeof(AppMem)));
    if (!mem) return VKE_ERR_MEMORY;
    int rc = InitAppMem(mem);
    if (rc != VKE_OK) {
        free(mem);
        return rc;
    }
    *out = mem;
    return VKE_OK;
}

int VkiSub::FreeAppMem(AppMem** out)
{
    if (!out) return VKE_ERR_ARG;
    if (*out) {
        free((*out)->pBuffer);
        free(*out);
        *out = nullptr;
    }
    return VKE_OK;
}

int VkiSub::InitAppMem(AppMem* mem)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!mem) return VKE_ERR_ARG;
    if (mem->pBuffer) return VKE_ERR_EXISTS;
    char* block = static_cast<char*>(calloc(1, 1));
    if (!block) return VKE_ERR_MEMORY;
    mem->pBuffer = block;
    mem->iCapacity = 1;
    mem->iLength = 0;
    return VKE_OK;
}

int VkiSub::TermAppMem(AppMem* mem)
{
    if (!mem) return VKE_ERR_ARG;
    free(mem->pBuffer);
    mem->pBuffer = nullptr;
    mem->iCapacity = 0;
    mem->iLength = 0;
    return VKE_OK;
}

int VkiSub::AllocAppMemBuf(AppMem* mem, int n)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!mem || n < 0 || n == INT_MAX) return VKE_ERR_ARG;
    char* block = static_cast<char*>(calloc(static_cast<size_t>(n) + 1, 1));
    if (!block) return VKE_ERR_MEMORY;
    Replace(mem, block, n + 1);
    mem->iLength = 0;
    return VKE_OK;
}

int VkiSub::FreeAppMemBuf(AppMem* mem) { return TermAppMem(mem); }

int VkiSub::SetAppMemBuf(AppMem* mem, const void* data, int n)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!mem || !data || n < 0 || n == INT_MAX) return VKE_ERR_ARG;
    if (!HasBlock(mem) || n + 1 > mem->iCapacity) {
        char* block = static_cast<char*>(calloc(static_cast<size_t>(n) + 1, 1));
        if (!block) return VKE_ERR_MEMORY;
        memcpy(block, data, static_cast<size_t>(n)); // data may still lie in the old block
        Replace(mem, block, n + 1);
    } else {
        memmove(mem->pBuffer, data, static_cast<size_t>(n));
    }
    mem->pBuffer[n] = 0;
    mem->iLength = n;
    return VKE_OK;
}

int VkiSub::GetAppMemBuf(AppMem* mem, void* out, int size, int* got)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!mem || !out || !got || size < 0) return VKE_ERR_ARG;
    int length = HasBlock(mem) ? mem->iLength : 0;
    int n = size <= length ? size : length;
    if (n > 0) memmove(out, mem->pBuffer, static_cast<size_t>(n));
    *got = n;
    return size > length ? VKE_ERR_CUT : VKE_OK;
}

int VkiSub::SetAppMemStr(AppMem* mem, const char* text)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!mem || !text) return VKE_ERR_ARG;
    size_t n = strlen(text);
    if (n >= INT_MAX) return VKE_ERR_ARG;
    return SetAppMemBuf(mem, text, static_cast<int>(n));
}

int VkiSub::GetAppMemStr(AppMem* mem, char* out, int size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!mem || !out || size < 1) return VKE_ERR_ARG;
    if (!HasBlock(mem)) {
        out[0] = 0;
        return VKE_OK;
    }
    return VkiCopyStr(out, mem->pBuffer, size);
}

// Appends after the record's text (its data up to the first 0 byte), so the length always
// matches what the text functions see.
int VkiSub::ConcatAppMemStr(AppMem* mem, const char* text)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!mem || !text) return VKE_ERR_ARG;
    size_t n = strlen(text);
    if (n == 0) return VKE_OK;
    int cur = TextLen(mem);
    if (n >= static_cast<size_t>(INT_MAX - cur)) return VKE_ERR_MEMORY;
    int length = cur + static_cast<int>(n);
    if (!HasBlock(mem) || length + 1 > mem->iCapacity) {
        char* block = static_cast<char*>(malloc(static_cast<size_t>(length) + 1));
        if (!block) return VKE_ERR_MEMORY;
        if (cur > 0) memcpy(block, mem->pBuffer, static_cast<size_t>(cur));
        memcpy(block + cur, text, n); // text may still lie in the old block
        Replace(mem, block, length + 1);
    } else {
        memmove(mem->pBuffer + cur, text, n);
    }
    mem->pBuffer[length] = 0;
    mem->iLength = length;
    return VKE_OK;
}

int VkiSub::CopyAppMem(AppMem* dest, AppMem* src)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || !src || !HasBlock(src)) return VKE_ERR_ARG;
    return SetAppMemBuf(dest, src->pBuffer, src->iLength);
}

int VkiSub::DupAppMem(AppMem** out, AppMem* src)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out || !src) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    AppMem* mem = nullptr;
    int rc = AllocAppMem(&mem);
    if (rc != VKE_OK) return rc;
    rc = CopyAppMem(mem, src);
    if (rc != VKE_OK) {
        FreeAppMem(&mem);
        return rc;
    }
    *out = mem;
    return VKE_OK;
}

int VkiSub::CmpAppMemStr(AppMem* a, AppMem* b, int* result)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!a || !b || !result) return VKE_ERR_ARG;
    int la = TextLen(a);
    int lb = TextLen(b);
    int order = (la > 0 && lb > 0) ? memcmp(a->pBuffer, b->pBuffer, static_cast<size_t>(la < lb ? la : lb)) : 0;
    if (order == 0) order = la - lb; // the shorter text meets its terminator first
    *result = order < 0 ? -1 : (order > 0 ? 1 : 0);
    return VKE_OK;
}

// ---- Exports ----

VKE_API int VkeSubAllocAppMem(VkiSub* sub, AppMem** out) { VKE_SUB_FRAME(sub, AllocAppMem(out)); }
VKE_API int VkeSubFreeAppMem(VkiSub* sub, AppMem** out) { VKE_SUB_FRAME(sub, FreeAppMem(out)); }
VKE_API int VkeSubInitAppMem(VkiSub* sub, AppMem* mem) { VKE_SUB_FRAME(sub, InitAppMem(mem)); }
VKE_API int VkeSubTermAppMem(VkiSub* sub, AppMem* mem) { VKE_SUB_FRAME(sub, TermAppMem(mem)); }
VKE_API int VkeSubAllocAppMemBuf(VkiSub* sub, AppMem* mem, int n) { VKE_SUB_FRAME(sub, AllocAppMemBuf(mem, n)); }
VKE_API int VkeSubFreeAppMemBuf(VkiSub* sub, AppMem* mem) { VKE_SUB_FRAME(sub, FreeAppMemBuf(mem)); }
VKE_API int VkeSubSetAppMemBuf(VkiSub* sub, AppMem* mem, const void* data, int n)
{
    VKE_SUB_FRAME(sub, SetAppMemBuf(mem, data, n));
}
VKE_API int VkeSubGetAppMemBuf(VkiSub* sub, AppMem* mem, void* out, int size, int* got)
{
    VKE_SUB_FRAME(sub, GetAppMemBuf(mem, out, size, got));
}
VKE_API int VkeSubSetAppMemStr(VkiSub* sub, AppMem* mem, const char* text) { VKE_SUB_FRAME(sub, SetAppMemStr(mem, text)); }
VKE_API int VkeSubGetAppMemStr(VkiSub* sub, AppMem* mem, char* out, int size)
{
    VKE_SUB_FRAME(sub, GetAppMemStr(mem, out, size));
}
VKE_API int VkeSubConcatAppMemStr(VkiSub* sub, AppMem* mem, const char* text)
{
    VKE_SUB_FRAME(sub, ConcatAppMemStr(mem, text));
}
VKE_API int VkeSubCopyAppMem(VkiSub* sub, AppMem* dest, AppMem* src) { VKE_SUB_FRAME(sub, CopyAppMem(dest, src)); }
VKE_API int VkeSubDupAppMem(VkiSub* sub, AppMem** out, AppMem* src) { VKE_SUB_FRAME(sub, DupAppMem(out, src)); }
VKE_API int VkeSubCmpAppMemStr(VkiSub* sub, AppMem* a, AppMem* b, int* result)
{
    VKE_SUB_FRAME(sub, CmpAppMemStr(a, b, result));
}

// Movable global memory blocks of the system object: printer settings and packed bitmaps travel in them.
#define VKE_MODULE "Src\\Engine\\Common\\VkeSysBsc"
#include "VkiGdi.h"
#include "VkiSys.h"
#include "VkeFrame.h"
#include <string.h>

namespace {

unsigned BlockSize(HGLOBAL h) { return h ? static_cast<unsigned>(GlobalSize(h)) : 0; }

} // namespace

int VkiSys::LockHGlobal(HGLOBAL h, void** out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!h || !out) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    *out = GlobalLock(h);
    return *out ? VKE_OK : VKE_ERR_ARG;
}

int VkiSys::UnlockHGlobal(HGLOBAL h)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!h) return VKE_ERR_ARG;
    // The result only says whether the block is still locked.
    GlobalUnlock(h);
    return VKE_OK;
}

int VkiSys::GetGlobalSize(HGLOBAL h, unsigned* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!h || !out) return VKE_ERR_ARG;
    *out = BlockSize(h);
    return VKE_OK;
}

int VkiSys::AllocHGlobal(HGLOBAL* out, unsigned size)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out || size == 0) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    *out = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    return *out ? VKE_OK : VKE_ERR_MEMORY;
}

int VkiSys::FreeHGlobal(HGLOBAL* h)
{
    if (!h) return VKE_ERR_ARG;
    if (!*h) return VKE_OK;
    UINT flags = GlobalFlags(*h);
    if (flags == GMEM_INVALID_HANDLE) return VKE_ERR_ARG;
    for (UINT locks = flags & GMEM_LOCKCOUNT; locks > 0; --locks) GlobalUnlock(*h);
    if (GlobalFree(*h)) return VKE_ERR_ARG;
    *h = nullptr;
    return VKE_OK;
}

int VkiSys::CopyHGlobal(HGLOBAL dest, HGLOBAL src)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!dest || !src) return VKE_ERR_ARG;
    unsigned size = BlockSize(src);
    if (size == 0 || BlockSize(dest) != size) return VKE_ERR_ARG;
    if (dest == src) return VKE_OK;
    VkiGlobalLock<unsigned char> to(dest), from(src);
    if (!to || !from) return VKE_ERR_ARG;
    memcpy(to.Get(), from.Get(), size);
    return VKE_OK;
}

int VkiSys::DupHGlobal(HGLOBAL* out, HGLOBAL src)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out || !src) return VKE_ERR_ARG;
    if (*out) return VKE_ERR_EXISTS;
    unsigned size = BlockSize(src);
    if (size == 0) return VKE_ERR_ARG;
    HGLOBAL copy = nullptr;
    int rc = AllocHGlobal(&copy, size);
    if (rc == VKE_OK) rc = CopyHGlobal(copy, src);
    if (rc != VKE_OK) {
        FreeHGlobal(&copy);
        return rc;
    }
    *out = copy;
    return VKE_OK;
}

int VkiSys::CmpHGlobal(HGLOBAL a, HGLOBAL b, int* result)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!result) return VKE_ERR_ARG;
    if (a == b) {
        *result = 0;
        return VKE_OK;
    }
    if (!a || !b) {
        *result = -1;
        return VKE_OK;
    }
    unsigned sizeA = BlockSize(a), sizeB = BlockSize(b);
    if (sizeA == 0 || sizeB == 0) return VKE_ERR_ARG;
    if (sizeA != sizeB) {
        *result = -1;
        return VKE_OK;
    }
    VkiGlobalLock<unsigned char> la(a), lb(b);
    if (!la || !lb) return VKE_ERR_ARG;
    *result = memcmp(la.Get(), lb.Get(), sizeA) == 0 ? 0 : 1;
    return VKE_OK;
}

int VkiSys::SynHGlobal(HGLOBAL* target, HGLOBAL src)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!target) return VKE_ERR_ARG;
    int same = 0;
    int rc = CmpHGlobal(*target, src, &same);
    if (rc != VKE_OK || same == 0) return rc;
    if (same == 1) return CopyHGlobal(*target, src);
    if (!src) return FreeHGlobal(target);
    HGLOBAL copy = nullptr;
    rc = DupHGlobal(&copy, src);
    if (rc != VKE_OK) return rc; // the target stays as it was
    rc = FreeHGlobal(target);
    if (rc != VKE_OK) {
        FreeHGlobal(&copy);
        return rc;
    }
    *target = copy;
    return VKE_OK;
}

// ---- Exports ----

VKE_API int VkeSysLockHGlobal(VkiSys* sys, HGLOBAL h, void** out)
{
    VKE_FRAME(sys, sys->Sub(), sys->LockHGlobal(h, out));
}

VKE_API int VkeSysUnlockHGlobal(VkiSys* sys, HGLOBAL h) { VKE_FRAME(sys, sys->Sub(), sys->UnlockHGlobal(h)); }

VKE_API int VkeSysGetGlobalSize(VkiSys* sys, HGLOBAL h, unsigned* out)
{
    VKE_FRAME(sys, sys->Sub(), sys->GetGlobalSize(h, out));
}

VKE_API int VkeSysAllocHGlobal(VkiSys* sys, HGLOBAL* out, unsigned size)
{
    VKE_FRAME(sys, sys->Sub(), sys->AllocHGlobal(out, size));
}

VKE_API int VkeSysFreeHGlobal(VkiSys* sys, HGLOBAL* h) { VKE_FRAME(sys, sys->Sub(), sys->FreeHGlobal(h)); }

VKE_API int VkeSysCopyHGlobal(VkiSys* sys, HGLOBAL dest, HGLOBAL src)
{
    VKE_FRAME(sys, sys->Sub(), sys->CopyHGlobal(dest, src));
}

VKE_API int VkeSysDupHGlobal(VkiSys* sys, HGLOBAL* out, HGLOBAL src)
{
    VKE_FRAME(sys, sys->Sub(), sys->DupHGlobal(out, src));
}

VKE_API int VkeSysCmpHGlobal(VkiSys* sys, HGLOBAL a, HGLOBAL b, int* result)
{
    VKE_FRAME(sys, sys->Sub(), sys->CmpHGlobal(a, b, result));
}

VKE_API int VkeSysSynHGlobal(VkiSys* sys, HGLOBAL* target, HGLOBAL src)
{
    VKE_FRAME(sys, sys->Sub(), sys->SynHGlobal(target, src));
}

// The clipboard: text as CF_TEXT; images out as a packed DIB (CF_DIB), in from CF_DIB or, when
// there is none, from CF_BITMAP. Another program may hold the clipboard for a moment, so every
// opening is retried; every opening is closed again and a failed call leaves nothing behind.
#define VKE_MODULE "Src\\Engine\\Common\\VkeDrwDrm"
#include "VkiDrw.h"
#include "VkiGdi.h"
#include "VkiSys.h"
#include "VkiTxt.h"
#include "VkeFrame.h"
#include <limits.h>
#include <stdlib.h>
#include <string.h>

namespace {

const int kOpenTries = 10;
const DWORD kOpenWaitMs = 200;

bool OpenClb(VkiClipboard* clb, HWND owner) { return clb->Open(owner, kOpenTries, kOpenWaitMs); }

// Hands the block to the clipboard as format; the block is freed when that fails.
int PutOnClb(HWND owner, UINT format, HGLOBAL block)
{
    VkiGlobal held(block);
    VkiClipboard clb;
    if (!OpenClb(&clb, owner) || !EmptyClipboard() || !SetClipboardData(format, held.Get())) return VKE_ERR_MEMORY;
    held.Release();
    return VKE_OK;
}

void ClearImageOuts(int* type, float* xRes, float* yRes)
{
    *type = 0;
    *xRes = *yRes = 0;
}

} // namespace

// ---- Text ----

int VkiDrw::IsExistClbStr(int* exists)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!exists) return VKE_ERR_ARG;
    *exists = IsClipboardFormatAvailable(CF_TEXT) ? 1 : 0;
    return VKE_OK;
}

int VkiDrw::CopyStrToClb(HWND owner, const char* text)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!text || !*text) return VKE_ERR_ARG;
    if (!m_pSys) return VKE_ERR_NOT_INIT;
    size_t length = strlen(text);
    if (length >= UINT_MAX) return VKE_ERR_ARG;
    HGLOBAL made = nullptr;
    int rc = m_pSys->AllocHGlobal(&made, static_cast<unsigned>(length + 1));
    if (rc != VKE_OK) return rc;
    VkiGlobal block(made);
    {
        VkiGlobalLock<char> lock(block.Get());
        if (!lock) return VKE_ERR_MEMORY;
        memcpy(lock.Get(), text, length + 1);
    }
    return PutOnClb(owner, CF_TEXT, block.Release());
}

int VkiDrw::CopyClbToStr(HWND owner, char** out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = nullptr;
    VkiClipboard clb;
    if (!OpenClb(&clb, owner)) return VKE_ERR_MEMORY;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return VKE_ERR_NOT_FOUND;
    VkiGlobalLock<const char> lock(data);
    if (!lock) return VKE_ERR_ARG;
    // Another program's block may lack its terminator: read no further than the block.
    SIZE_T size = lock.Size();
    int length = VkiStrLen(lock.Get(), size < INT_MAX ? static_cast<int>(size) : INT_MAX - 1);
    char* copy = static_cast<char*>(malloc(static_cast<size_t>(length) + 1));
    if (!copy) return VKE_ERR_MEMORY;
    memcpy(copy, lock.Get(), static_cast<size_t>(length));
    copy[length] = 0;
    *out = copy;
    return VKE_OK;
}

int VkiDrw::FreeClbStr(char** text)
{
    if (!text) return VKE_ERR_ARG;
    free(*text);
    *text = nullptr;
    return VKE_OK;
}

// ---- Images ----

int VkiDrw::IsExistClbDIB(int* exists)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!exists) return VKE_ERR_ARG;
    *exists = IsClipboardFormatAvailable(CF_DIB) || IsClipboardFormatAvailable(CF_BITMAP) ? 1 : 0;
    return VKE_OK;
}

int VkiDrw::CopyDIBToClbWithColor(HWND owner, HBITMAP bitmap, COLORREF)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!bitmap) return VKE_ERR_ARG;
    int width = 0, height = 0, bits = 0;
    int rc = GetImageInf(bitmap, &width, &height, &bits);
    if (rc != VKE_OK) return rc;
    HGLOBAL packed = nullptr;
    rc = DIBToMemDIB(nullptr, bitmap, bits == 16 || bits == 32 ? 24 : bits, &packed);
    if (rc != VKE_OK) return rc;
    return PutOnClb(owner, CF_DIB, packed);
}

int VkiDrw::CopyDrmToClbWithColor(HWND owner, Drm* drm, COLORREF color)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!drm) drm = &m_aDrm[0];
    if (!drm->iAttached || !drm->hDIB) return VKE_ERR_EXISTS;
    HBITMAP made = nullptr;
    int rc;
    {
        // The DIB leaves its DC while it is copied.
        VkiSelect out(drm->hDC, drm->hOwnBitmap);
        rc = CopyDIBRgn(&made, drm->hDIB, 0, 0, drm->iUsedWidth, drm->iUsedHeight);
    }
    VkiGdiObj<HBITMAP> part(made);
    if (rc != VKE_OK) return rc;
    return CopyDIBToClbWithColor(owner, part.Get(), color);
}

int VkiDrw::CopyClbToDIB(HWND owner, HBITMAP* out, int* type, float* xRes, float* yRes)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out || !type || !xRes || !yRes) return VKE_ERR_ARG;
    ClearImageOuts(type, xRes, yRes);
    if (*out) return VKE_ERR_EXISTS;
    VkiClipboard clb;
    if (!OpenClb(&clb, owner)) return VKE_ERR_MEMORY;
    if (HANDLE packed = GetClipboardData(CF_DIB)) return MemDIBToDIB(nullptr, packed, 0, out, type, xRes, yRes);
    HANDLE ddb = GetClipboardData(CF_BITMAP);
    if (!ddb) return VKE_ERR_NOT_FOUND;
    int rc = CopyDIB(out, static_cast<HBITMAP>(ddb));
    if (rc != VKE_OK && rc != VKE_ERR_CUT) return rc;
    *type = VKE_IMG_BMP;
    return rc;
}

int VkiDrw::FreeClbDIB(HBITMAP* bitmap) { return CloseImage(bitmap); }

int VkiDrw::CopyClbToDrm(HWND owner, Drm* drm, int* type, float* xRes, float* yRes)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!drm) drm = &m_aDrm[0];
    HBITMAP made = nullptr;
    int rc = CopyClbToDIB(owner, &made, type, xRes, yRes);
    if (rc != VKE_OK && rc != VKE_ERR_CUT) return rc;
    VkiGdiObj<HBITMAP> image(made);
    int attached = AttachDrmDIB(drm, image.Get());
    if (attached != VKE_OK) {
        ClearImageOuts(type, xRes, yRes);
        return attached;
    }
    image.Release();
    return rc;
}

// ---- Exports ----

VKE_API int VkeDrwIsExistClbStr(VkiDrw* drw, int* exists) { VKE_FRAME(drw, drw->Sub(), drw->IsExistClbStr(exists)); }
VKE_API int VkeDrwCopyStrToClb(VkiDrw* drw, HWND owner, const char* text) { VKE_FRAME(drw, drw->Sub(), drw->CopyStrToClb(owner, text)); }
VKE_API int VkeDrwCopyClbToStr(VkiDrw* drw, HWND owner, char** out) { VKE_FRAME(drw, drw->Sub(), drw->CopyClbToStr(owner, out)); }
VKE_API int VkeDrwFreeClbStr(VkiDrw* drw, char** text) { VKE_FRAME(drw, drw->Sub(), drw->FreeClbStr(text)); }
VKE_API int VkeDrwIsExistClbDIB(VkiDrw* drw, int* exists) { VKE_FRAME(drw, drw->Sub(), drw->IsExistClbDIB(exists)); }
VKE_API int VkeDrwCopyDIBToClb(VkiDrw* drw, HWND owner, HBITMAP bitmap) { VKE_FRAME(drw, drw->Sub(), drw->CopyDIBToClb(owner, bitmap)); }
VKE_API int VkeDrwCopyDIBToClbWithColor(VkiDrw* drw, HWND owner, HBITMAP bitmap, COLORREF color) { VKE_FRAME(drw, drw->Sub(), drw->CopyDIBToClbWithColor(owner, bitmap, color)); }
VKE_API int VkeDrwCopyClbToDIB(VkiDrw* drw, HWND owner, HBITMAP* out, int* type, float* xRes, float* yRes) { VKE_FRAME(drw, drw->Sub(), drw->CopyClbToDIB(owner, out, type, xRes, yRes)); }
VKE_API int VkeDrwFreeClbDIB(VkiDrw* drw, HBITMAP* bitmap) { VKE_FRAME(drw, drw->Sub(), drw->FreeClbDIB(bitmap)); }
VKE_API int VkeDrwCopyDrmToClb(VkiDrw* drw, HWND owner, Drm* drm) { VKE_FRAME(drw, drw->Sub(), drw->CopyDrmToClb(owner, drm)); }
VKE_API int VkeDrwCopyDrmToClbWithColor(VkiDrw* drw, HWND owner, Drm* drm, COLORREF color) { VKE_FRAME(drw, drw->Sub(), drw->CopyDrmToClbWithColor(owner, drm, color)); }
VKE_API int VkeDrwCopyClbToDrm(VkiDrw* drw, HWND owner, Drm* drm, int* type, float* xRes, float* yRes) { VKE_FRAME(drw, drw->Sub(), drw->CopyClbToDrm(owner, drm, type, xRes, yRes)); }

// The thumbnail cache: thumbnails made once (decoded and reduced, or drawn from the item's icon),
// handed out with use counts, evicted oldest first when the cache is full, condemned by
// ClearCache. A JPEG whose thumbnail is at most an eighth of it is read by the program's own
// reduced decode (CmnImgJpg) outside the lock; everything else takes the engine's decode.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnImg"
#include "CmnImg.h"
#include "CmnDef.h"
#include "CmnHold.h"
#include "CmnImgJpg.h"
#include "CmnSub.h"
#include <algorithm>
#include <stdio.h>
#include <string.h>
#include <memory>
#include <new>
#include <vector>

// A thumbnail being made: closed at the end of the scope unless handed on.
struct CmnImg::Tmn {
    HBITMAP hImg = nullptr;
    int iWidth = 0;
    int iHeight = 0;
    int iBitCnt = 0;
    char amPath[CmnPathSize] = {};
    int bNormal = 0;            // the path names a normal file
    HBITMAP hReduced = nullptr; // a JPEG decoded at one eighth by the program's own decode
    int iReducedWidth = 0;
    int iReducedHeight = 0;
    int iFitWidth = 0; // the thumbnail's size, from the picture's own size
    int iFitHeight = 0;

    Tmn() = default;
    Tmn(const Tmn&) = delete;
    Tmn& operator=(const Tmn&) = delete;
    ~Tmn()
    {
        if (hImg) VkeDrwCloseImage(theCmnAppInf.pDrw, &hImg);
        if (hReduced) ::DeleteObject(hReduced);
    }
    HBITMAP Release()
    {
        HBITMAP h = hImg;
        hImg = nullptr;
        return h;
    }
};

namespace {

int Refuse(const char* name, int rc)
{
    CMN_TRACE(name, rc);
    return rc;
}

// An image the engine opened, closed at the end of the scope.
class EngineImage {
public:
    EngineImage() = default;
    ~EngineImage()
    {
        if (h) VkeDrwCloseImage(theCmnAppInf.pDrw, &h);
    }
    EngineImage(const EngineImage&) = delete;
    EngineImage& operator=(const EngineImage&) = delete;
    HBITMAP h = nullptr;
};

CmnImgElm* AsElm(Dat* p) { return static_cast<CmnImgElm*>(p); }

// The item's icon kind for thumbnails: the shell's own icon size.
const UINT kIconKind = SHGFI_SHELLICONSIZE;

// Files larger than this are left to the engine's decode, as is everything the reduced decode does
// not take.
const LONGLONG kJpegMost = 64ll << 20;
// Read first: the markers up to the frame header normally lie within it.
const size_t kJpegHead = 64 * 1024;

// A file's bytes, read from the start as far as asked.
class FileBytes {
public:
    explicit FileBytes(const char* path)
        : m_h(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr))
    {
        LARGE_INTEGER size;
        if (m_h != INVALID_HANDLE_VALUE && ::GetFileSizeEx(m_h, &size) && size.QuadPart <= kJpegMost)
            m_nSize = static_cast<size_t>(size.QuadPart);
    }
    ~FileBytes()
    {
        if (m_h != INVALID_HANDLE_VALUE) ::CloseHandle(m_h);
    }
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    // The file's size; 0 when it cannot be read here.
    size_t Size() const { return m_nSize; }
    // The first count bytes (at most the file's size) held; false when the file gave fewer.
    bool Read(size_t count)
    {
        if (count > m_nSize) count = m_nSize;
        size_t have = bytes.size();
        if (have >= count) return true;
        bytes.resize(count);
        while (have < count) {
            DWORD got = 0, want = static_cast<DWORD>(count - have > (1u << 30) ? (1u << 30) : count - have);
            if (!::ReadFile(m_h, bytes.data() + have, want, &got, nullptr) || got == 0) {
                bytes.resize(have);
                return false;
            }
            have += got;
        }
        return true;
    }

    std::vector<uint8_t> bytes;

private:
    HANDLE m_h;
    size_t m_nSize = 0;
};

// A 24-bit DIB section of the reduced decode's pixels (rows top first, not padded).
HBITMAP MakeDib(const std::vector<uint8_t>& pixels, int width, int height)
{
    HBITMAP dib = nullptr;
    DIBSECTION ds = {};
    if (theCmnImg.CreateDIB(nullptr, width, height, 24, &dib) != VKE_OK) return nullptr;
    if (::GetObjectA(dib, sizeof(ds), &ds) != sizeof(ds) || !ds.dsBm.bmBits) {
        ::DeleteObject(dib);
        return nullptr;
    }
    // Bottom-up rows.
    const size_t row = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; ++y)
        memcpy(static_cast<uint8_t*>(ds.dsBm.bmBits) + static_cast<size_t>(height - 1 - y) * ds.dsBm.bmWidthBytes,
               pixels.data() + static_cast<size_t>(y) * row, row);
    return dib;
}

} // namespace

// The JPEG at one eighth of its size, when the thumbnail is at most an eighth of the picture both
// ways and the reduced decode takes the file; otherwise nothing, at the cost of its header.
void CmnImg::ReduceJpeg(Tmn* tmn)
{
    FileBytes file(tmn->amPath);
    if (file.Size() < 4 || !file.Read(kJpegHead)) return;
    // Its tables (some 80 KB) on the heap: a worker's stack may be small.
    std::unique_ptr<CmnImgJpg> decoder(new (std::nothrow) CmnImgJpg);
    if (!decoder) return;
    CmnImgJpg& jpg = *decoder;
    int rc = jpg.ReadHeader(file.bytes.data(), file.bytes.size());
    if (rc == CmnImgJpg::NeedMore && file.bytes.size() < file.Size() && file.Read(file.Size()))
        rc = jpg.ReadHeader(file.bytes.data(), file.bytes.size());
    if (rc != CmnImgJpg::Ok) return;
    const LscFii& lsc = theCmnAppInf.lscFii;
    int fitW = 0, fitH = 0;
    if (VkeSubGetStretchFixedScaleSize(theCmnAppInf.pSub, lsc.iWidthTmnImg, lsc.iHeightTmnImg, jpg.Width(),
                                       jpg.Height(), &fitW, &fitH) != VKE_OK ||
        fitW * 8 > jpg.Width() || fitH * 8 > jpg.Height())
        return;
    std::vector<uint8_t> pixels;
    if (!file.Read(file.Size()) ||
        jpg.Decode(file.bytes.data(), file.bytes.size(), &pixels) != CmnImgJpg::Ok)
        return;
    tmn->hReduced = MakeDib(pixels, jpg.ReducedWidth(), jpg.ReducedHeight());
    tmn->iReducedWidth = jpg.ReducedWidth();
    tmn->iReducedHeight = jpg.ReducedHeight();
    tmn->iFitWidth = fitW;
    tmn->iFitHeight = fitH;
}

void CmnImg::ReadTmn(LPCITEMIDLIST item, Tmn* tmn)
{
    CString path = theCmnSub.GetPathName(item);
    snprintf(tmn->amPath, sizeof(tmn->amPath), "%s", static_cast<const char*>(path));
    if (path.IsEmpty()) return;
    char full[CmnPathSize];
    if (theCmnSub.IsNormalFile(path, full, sizeof(full), &tmn->bNormal) != VKE_OK) tmn->bNormal = 0;
    else if (full[0]) snprintf(tmn->amPath, sizeof(tmn->amPath), "%s", full);
    if (tmn->bNormal) ReduceJpeg(tmn);
}

int CmnImg::MakeTmn(LPCITEMIDLIST item, HBRUSH background, Tmn* tmn)
{
    VkiDrw* drw = theCmnAppInf.pDrw;
    const LscFii& lsc = theCmnAppInf.lscFii;
    int result = VKE_OK;
    // The reduced picture stretched to the size the whole picture would fit; the engine's own
    // road when that fails.
    if (tmn->hReduced &&
        VkeDrwStretchDIBWithBitCnt(drw, &tmn->hImg, tmn->iFitWidth, tmn->iFitHeight, tmn->hReduced, 0, 0,
                                   tmn->iReducedWidth, tmn->iReducedHeight, -1, 0, nullptr,
                                   theCmnAppInf.iModeStretch) != VKE_OK)
        tmn->hImg = nullptr;
    bool byIcon = !tmn->bNormal;
    if (tmn->bNormal && !tmn->hImg) {
        EngineImage image;
        int type = 0, known = 0;
        float xRes = 0, yRes = 0;
        int rc = VkeDrwOpenImage(drw, tmn->amPath, &image.h, &type, &xRes, &yRes, &known);
        if (rc == VKE_NOT_DONE) {
            byIcon = true; // no image the engine can read
        } else {
            if (rc != VKE_OK) return rc;
            if (!image.h) return VKE_ERR_SYSTEM;
            int width = 0, height = 0, bits = 0;
            rc = VkeDrwGetImageInf(drw, image.h, &width, &height, &bits);
            if (rc != VKE_OK) return rc;
            rc = VkeDrwStretchDIBWithBitCnt(drw, &tmn->hImg, lsc.iWidthTmnImg, lsc.iHeightTmnImg, image.h, 0, 0, width,
                                            height, -1, 1, nullptr, theCmnAppInf.iModeStretch);
            if (rc != VKE_OK && rc != VKE_ERR_CUT) return rc;
            result = rc;
        }
    }
    if (byIcon) {
        CmnIcon icon(theCmnSub.GetIcon(item, kIconKind));
        if (!icon.Get()) return VKE_NOT_DONE;
        int rc = VkeDrwCopyDIBByIcon(drw, &tmn->hImg, icon.Get(), background);
        if (rc != VKE_OK) return rc;
    }
    if (!tmn->hImg) return VKE_ERR_SYSTEM;
    int rc = VkeDrwGetImageInf(drw, tmn->hImg, &tmn->iWidth, &tmn->iHeight, &tmn->iBitCnt);
    return rc == VKE_OK ? result : rc;
}

int CmnImg::GetCacheCapacity() { return std::min<int>(theCmnAppInf.iCntImgCacTmn, CmnImgMaxTmn); }

int CmnImg::CacheTmn(LPCITEMIDLIST item, Tmn* tmn, int* cached)
{
    *cached = 0;
    const int capacity = GetCacheCapacity();
    Dat* p = nullptr;
    int rc = VKE_OK;
    if (m_lki.iCnt < capacity) {
        rc = AllocDat(CmnImgCodElm, &p);
        if (rc != VKE_OK) return rc;
    }
    // Full: the oldest elements not in use go until there is room; the last one is reused.
    while (!p) {
        CmnImgElm* old = nullptr;
        rc = SchCmnImgElmByNo(0, 0, &old);
        if (rc == VKE_ERR_NOT_FOUND) return VKE_OK; // all in use: the thumbnail stays the caller's
        if (rc != VKE_OK) return rc;
        Dat* gone = nullptr;
        rc = DelDat(CmnImgCodElm, VKE_LKE_BY_ELM, &m_lki, old, &gone);
        if (rc != VKE_OK) return rc;
        if (m_lki.iCnt < capacity) {
            rc = TermDat(CmnImgCodElm, gone);
            if (rc == VKE_OK) rc = InitDat(CmnImgCodElm, gone);
            if (rc != VKE_OK) {
                FreeDat(CmnImgCodElm, &gone);
                return rc;
            }
            p = gone;
        } else {
            rc = FreeDat(CmnImgCodElm, &gone);
            if (rc != VKE_OK) return rc;
        }
    }
    CmnImgElm* e = AsElm(p);
    e->pIdl = theCmnSub.DupItemIdList(item);
    rc = e->pIdl ? VkeSubSetAppMemStr(theCmnAppInf.pSub, &e->pthImg.amPath, tmn->amPath) : VKE_ERR_MEMORY;
    if (rc == VKE_OK) rc = AddDat(CmnImgCodElm, &m_lki, p);
    if (rc != VKE_OK) {
        // The thumbnail is not the element's yet: freeing the element leaves it to the caller.
        FreeDat(CmnImgCodElm, &p);
        return rc;
    }
    CmnVarPthImg& img = e->pthImg;
    img.hImg = tmn->hImg;
    img.iTypImg = VKE_IMG_BMP;
    img.iWidth = tmn->iWidth;
    img.iHeight = tmn->iHeight;
    img.iBitCnt = tmn->iBitCnt;
    img.fXRes = 0;
    img.fYRes = 0;
    img.bKnown = 1;
    e->iCntUse = 1;
    e->bStale = 0;
    *cached = 1;
    return VKE_OK;
}

int CmnImg::HandOutTmn(LPCITEMIDLIST item, HBITMAP* out, int* width, int* height, int* cached, bool* stale)
{
    CmnImgElm* e = nullptr;
    int rc = SchCmnImgElmByKey(0, item, &e);
    *stale = rc == VKE_OK && e->bStale;
    if (rc != VKE_OK) return rc;
    if (e->bStale) return VKE_ERR_NOT_FOUND;
    ++e->iCntUse;
    *out = e->pthImg.hImg;
    *width = e->pthImg.iWidth;
    *height = e->pthImg.iHeight;
    *cached = 1;
    return VKE_OK;
}

int CmnImg::OpenTmnImage(LPCITEMIDLIST item, int mode, HBRUSH background, HBITMAP* out, int* width, int* height,
                         int* cached)
{
    if (!m_bInit) return Refuse("OpenTmnImage", VKE_ERR_NOT_INIT);
    if (!item || !out || !width || !height || !cached || (mode != 0 && mode != 1))
        return Refuse("OpenTmnImage", VKE_ERR_ARG);
    if (*out) return Refuse("OpenTmnImage", VKE_ERR_EXISTS);
    *width = *height = *cached = 0;
    bool stale = false;
    {
        CmnImgLock hold(*this, mode == 1);
        int rc = HandOutTmn(item, out, width, height, cached, &stale);
        if (rc == VKE_OK) return rc;
        if (rc != VKE_ERR_NOT_FOUND) return Refuse("OpenTmnImage", rc);
    }
    // A miss: the path is made and a JPEG read and decoded without the lock, so that other
    // threads' hits and drawing go on meanwhile; the engine's part and the cache take it.
    Tmn tmn;
    ReadTmn(item, &tmn);
    CmnImgLock hold(*this, mode == 1);
    const int made = MakeTmn(item, background, &tmn);
    if (made == VKE_NOT_DONE) return made;
    if (made != VKE_OK && made != VKE_ERR_CUT) return Refuse("OpenTmnImage", made);
    // Another thread may have cached the item meanwhile: that thumbnail is handed out, this one
    // closed.
    int rc = HandOutTmn(item, out, width, height, cached, &stale);
    if (rc == VKE_OK) return rc;
    if (rc != VKE_ERR_NOT_FOUND) return Refuse("OpenTmnImage", rc);
    // A condemned element is not handed out: a fresh thumbnail, the caller's alone.
    int inCache = 0;
    if (!stale) {
        rc = CacheTmn(item, &tmn, &inCache);
        if (rc != VKE_OK) return Refuse("OpenTmnImage", rc);
    }
    *width = tmn.iWidth;
    *height = tmn.iHeight;
    *cached = inCache;
    *out = tmn.Release();
    return made;
}

int CmnImg::OpenCachedTmnImage(LPCITEMIDLIST item, HBITMAP* out, int* width, int* height)
{
    if (!m_bInit) return Refuse("OpenCachedTmnImage", VKE_ERR_NOT_INIT);
    if (!item || !out || !width || !height) return Refuse("OpenCachedTmnImage", VKE_ERR_ARG);
    if (*out) return Refuse("OpenCachedTmnImage", VKE_ERR_EXISTS);
    *width = *height = 0;
    int cached = 0;
    bool stale = false;
    int rc = HandOutTmn(item, out, width, height, &cached, &stale);
    return rc == VKE_OK || rc == VKE_ERR_NOT_FOUND ? rc : Refuse("OpenCachedTmnImage", rc);
}

int CmnImg::OpenTmnImage(const char* path, int mode, HBRUSH background, HBITMAP* out, int* width, int* height,
                         int* cached)
{
    if (!m_bInit) return Refuse("OpenTmnImage", VKE_ERR_NOT_INIT);
    if (!path || !out || !width || !height || !cached || (mode != 0 && mode != 1))
        return Refuse("OpenTmnImage", VKE_ERR_ARG);
    if (*out) return Refuse("OpenTmnImage", VKE_ERR_EXISTS);
    *width = *height = *cached = 0;
    // A path the shell does not know (a file deleted meanwhile) has no item and no thumbnail.
    CmnIdl item(theCmnSub.GetItemIdList(path));
    if (!item.Get()) return VKE_NOT_DONE;
    return OpenTmnImage(item.Get(), mode, background, out, width, height, cached);
}

int CmnImg::CloseTmnImage(int mode, HBITMAP* image)
{
    if (!m_bInit) return Refuse("CloseTmnImage", VKE_ERR_NOT_INIT);
    if (!image || (mode != 0 && mode != 1)) return Refuse("CloseTmnImage", VKE_ERR_ARG);
    CmnImgLock hold(*this, mode == 1);
    if (!*image) return VKE_OK;
    CmnImgElm* e = nullptr;
    int rc = SchCmnImgElmByHdl(0, *image, &e);
    if (rc == VKE_OK) {
        if (e->iCntUse > 0) --e->iCntUse;
        if (e->iCntUse == 0 && e->bStale) {
            Dat* gone = nullptr;
            rc = DelDat(CmnImgCodElm, VKE_LKE_BY_ELM, &m_lki, e, &gone);
            if (rc == VKE_OK) rc = FreeDat(CmnImgCodElm, &gone);
        }
        *image = nullptr;
    } else if (rc == VKE_ERR_NOT_FOUND) {
        // Not the cache's: the caller's own thumbnail.
        rc = VkeDrwCloseImage(theCmnAppInf.pDrw, image);
    }
    return rc == VKE_OK ? rc : Refuse("CloseTmnImage", rc);
}

int CmnImg::ClearCache(int index)
{
    if (!m_bInit) return Refuse("ClearCache", VKE_ERR_NOT_INIT);
    if (index != 0) return Refuse("ClearCache", VKE_ERR_ARG);
    CmnImgLock hold(*this, true);
    Lke* l = m_lki.pHead;
    for (int i = 0; l && i < m_lki.iCnt; ++i, l = l->pNxt) AsElm(l)->bStale = 1;
    int first = VKE_OK;
    for (;;) {
        CmnImgElm* e = nullptr;
        int rc = SchCmnImgElmByNo(0, 0, &e);
        if (rc == VKE_ERR_NOT_FOUND) break;
        if (rc != VKE_OK) {
            first = rc;
            break;
        }
        Dat* gone = nullptr;
        rc = DelDat(CmnImgCodElm, VKE_LKE_BY_ELM, &m_lki, e, &gone);
        if (rc != VKE_OK) {
            // The element stays on the list and would be found again: stop here.
            if (first == VKE_OK) first = rc;
            break;
        }
        rc = FreeDat(CmnImgCodElm, &gone);
        if (first == VKE_OK) first = rc;
    }
    return first == VKE_OK ? first : Refuse("ClearCache", first);
}

// The program's image service (the process-wide theCmnImg): the one road from the program's
// windows to the engine's image, draw-memory and clipboard exports, and the thumbnail cache.
//
// The cache lock is the program's only lock: recursive per thread (an auto-reset event, the
// owning thread's id and a count). The user-interface thread and the file list's thumbnail worker
// share the cache and the engine calls the lock guards; a thread that waits for it still takes
// the messages other threads send it, so a worker that sends while holding the lock cannot
// deadlock against a window thread that waits. The user-interface thread (the one that started
// the service) goes first: while it waits, another thread does not start a wait of its own. A
// painting window never waits: it tries the lock (TryLockCache) and takes only what the cache
// holds (OpenCachedTmnImage). Searches and the record family take no lock: callers hold it.
//
//   HBITMAP tmn = nullptr;
//   int width, height, cached;
//   if (theCmnImg.OpenTmnImage(path, 1, nullptr, &tmn, &width, &height, &cached) == 0) {
//       ...                                      // draw it; it stays valid until closed
//       theCmnImg.CloseTmnImage(1, &tmn);
//   }
#pragma once
#include "CmnDat.h"
#include "CmnVar.h"
#include <atomic>
#include <list>

enum {
    CmnImgCodElm = 0x20001, // CmnImgElm
    CmnImgCodLst = 0x20002  // the cache list (an Lki of CmnImgElm)
};

// The most thumbnails the cache holds whatever the setting asks: each is a GDI object, and a
// process may hold 10,000 of them. Worker threads that fill thumbnails ahead keep to it too.
enum { CmnImgMaxTmn = 4000 };

// Search modes of the cache's elements besides the engine's 1 and 2.
enum {
    CmnImgSchIdl = 0x1001, // key: an item-id list, equal by CmpItemIdList
    CmnImgSchUse = 0x1003, // key: int*, the use count
    CmnImgSchImg = 0x1004, // key: the thumbnail's HBITMAP
    CmnImgSchPth = 0x1005  // key: a path text, equal byte for byte
};

// One cached thumbnail. Its item-id list (a duplicate it owns) is the cache key; the embedded
// record owns the thumbnail.
struct CmnImgElm {
    Lke lke;
    LPITEMIDLIST pIdl;
    CmnVarPthImg pthImg;
    int iCntUse; // callers holding the thumbnail; never evicted above 0
    int bStale;  // condemned by ClearCache: never handed out again, removed at use count 0
};

class CmnImg : public CmnDat {
public:
    CmnImg();
    ~CmnImg() override;

    // ---- Life cycle ----
    // The cache list and the lock (free). -7 when initialised already.
    virtual int Init();
    // Closes every cached thumbnail and the lock; runs once. Takes no lock: no other thread may
    // use the service any more.
    virtual void Term();
    int IsInit() const { return m_bInit; }

    // ---- The cache (index 0 only) ----
    virtual int GetCacheCount(int index);
    // The thumbnails the cache keeps: the setting, at most CmnImgMaxTmn.
    static int GetCacheCapacity();
    // Condemns every thumbnail: those not in use go at once, the others at their last close.
    virtual int ClearCache(int index);
    // 1 while some thread holds the lock.
    virtual int IsLocked(int index);
    virtual void LockCache(int index);
    virtual void UnlockCache(int index);
    // The lock without waiting: 1 when taken (a holder takes it once more), 0 while another
    // thread holds it. Released with UnlockCache.
    virtual int TryLockCache(int index);

    // ---- Wrappers without the lock (the engine's exports of the same name) ----
    virtual int SetColor(COLORREF color);
    virtual int OpenPalette(HPALETTE* out, HBITMAP bitmap, int halftone, int withList);
    virtual int ClosePalette(HPALETTE* palette);
    virtual int GetEncClsId(const char* mimeType, CLSID* out);
    virtual int GetEncClsIdByImgTyp(int type, CLSID* out);
    virtual int GetImageType(const char* path, int* type);
    virtual int GetFilter(int kind, char* filter, char* extensions, int filterSize, int extensionsSize);
    virtual int GetImageInf(HBITMAP bitmap, int* width, int* height, int* bitCount);

    // ---- Searches of the cache: 0 found, -12 not found (untraced) ----
    // The element at a 1-based position.
    virtual int SchCmnImgElm(int index, int position, CmnImgElm** out);
    virtual int SchCmnImgElmByKey(int index, LPCITEMIDLIST key, CmnImgElm** out);
    // The first element from the head with that use count.
    virtual int SchCmnImgElmByNo(int index, int useCount, CmnImgElm** out);
    virtual int SchCmnImgElmByHdl(int index, HBITMAP image, CmnImgElm** out);
    // By the path, normalised first.
    virtual int SchCmnImgElmByNam(int index, const char* path, CmnImgElm** out);

    // ---- Images ----
    virtual int OpenImage(const char* path, HBITMAP* out, int* type, float* xRes, float* yRes, int* typeKnown);
    // The same open with the decode on a worker thread (under the lock, as every engine image
    // call) while the calling user-interface thread waits answering only what other threads send:
    // the decode queued for the path (QueueOpenImage) if there is one, else one queued now. On
    // another thread, or while the caller holds the lock, it is OpenImage.
    int OpenImageAnswering(const char* path, HBITMAP* out, int* type, float* xRes, float* yRes, int* typeKnown);
    // Starts the decode of a file the user-interface thread opens soon on a worker. Decodes run
    // one after the other in the order queued; a path queued already is not queued again.
    // Nothing on another thread. 0, or the failure to start a worker (the open then decodes on
    // its own thread).
    int QueueOpenImage(const char* path);
    // The file a batch of openings opens after the one it opens now (null or "": none); only a
    // plain file is kept. QueueNextOpenImage queues it (once the page now opened no longer
    // needs the lock to be drawn) and forgets it.
    void SetNextOpenImage(const char* path);
    void QueueNextOpenImage();
    // Decodes queued and not taken are waited for and their images closed: the path's (null:
    // every one, and the file named next is forgotten).
    void DropOpenImages(const char* path = nullptr);
    // Without the lock: for callers that hold it or run where no worker can.
    virtual int CloseImageDirect(HBITMAP* bitmap);
    virtual int CloseImage(HBITMAP* bitmap);
    // The thumbnail of a shell item (LscFii's thumbnail size, the settings' stretch mode), from
    // the cache or made and cached; the item's icon drawn over background (may be null) when the
    // item is no image file the engine can read. mode 1 takes the lock, 0: the caller holds it.
    // *cached 1: the cache's (shared, counted), 0: the caller's alone. Both kinds go back through
    // CloseTmnImage. 0, -13 (a side below one pixel), 1 without a thumbnail (outputs cleared).
    virtual int OpenTmnImage(const char* path, int mode, HBRUSH background, HBITMAP* out, int* width, int* height,
                             int* cached);
    virtual int OpenTmnImage(LPCITEMIDLIST item, int mode, HBRUSH background, HBITMAP* out, int* width, int* height,
                             int* cached);
    virtual int CloseTmnImage(int mode, HBITMAP* image);
    // The item's cached thumbnail, handed out as a hit of OpenTmnImage is (given back through
    // CloseTmnImage): 0, or -12 (untraced) when the cache holds none to hand out. Never makes
    // one; the caller holds the lock.
    virtual int OpenCachedTmnImage(LPCITEMIDLIST item, HBITMAP* out, int* width, int* height);
    virtual int SaveImage(const char* path, HBITMAP bitmap, int type, float xRes, float yRes, int quality);
    virtual int SaveImageWithEncPrm(const char* path, HBITMAP bitmap, int type, float xRes, float yRes,
                                    const Gdiplus::EncoderParameters* params);
    virtual int RotateImage(HBITMAP* out, HBITMAP src, double angle);
    virtual int ReflectImage(HBITMAP* out, HBITMAP src, int direction);

    // ---- Further wrappers without the lock ----
    int GetDefaultBitCnt(int* bits);
    int FreeMemDIB(HGLOBAL* mem);
    int CreateDIB(HDC dc, int width, int height, int bits, HBITMAP* out);
    int GetDIBData(HDC dc, HBITMAP bitmap, int bits, BITMAPFILEHEADER** fileHeader, BITMAPINFOHEADER** infoHeader,
                   int* tableSize, RGBQUAD** table, int* imageSize, BYTE** pixels);
    int FreeDIBData(BITMAPFILEHEADER** fileHeader, BITMAPINFOHEADER** infoHeader, RGBQUAD** table, BYTE** pixels);
    int WriteDIBData(const char* path, const BITMAPFILEHEADER* fileHeader, const BITMAPINFOHEADER* infoHeader,
                     int tableSize, const RGBQUAD* table, int imageSize, const BYTE* pixels);
    int WriteDIB(const char* path, HDC dc, HBITMAP bitmap, int bits);
    int AllocDrm(Drm** out);
    int FreeDrm(Drm** drm);
    int InitDrm(Drm* drm);
    int TermDrm(Drm* drm);
    int AttachDrmDIB(Drm* drm, HBITMAP dib);
    int DetachDrmDIB(Drm* drm, HBITMAP* out);
    int CreateDrawMemory(Drm* drm, int width, int height, int bitCount);
    int IsExistClbStr(int* exists);
    int CopyStrToClb(HWND owner, const char* text);
    int CopyClbToStr(HWND owner, char** out);
    int FreeClbStr(char** text);
    int IsExistClbDIB(int* exists);
    int FreeClbDIB(HBITMAP* bitmap);

    // ---- Further wrappers under the lock ----
    int DIBToMemDIB(HDC dc, HBITMAP bitmap, int bits, HGLOBAL* out);
    int MemDIBToDIB(HDC dc, HGLOBAL mem, int bits, HBITMAP* out, int* type, float* xRes, float* yRes);
    int CopyDIBByIcon(HBITMAP* inOut, HICON icon, HBRUSH brush);
    int CopyDIB(HBITMAP* inOut, HBITMAP src);
    int CopyDIBRgn(HBITMAP* inOut, HBITMAP src, int x, int y, int width, int height);
    int CopyDIBWithBitCnt(HBITMAP* inOut, HBITMAP src, int bits);
    int CopyDIBRgnWithBitCnt(HBITMAP* inOut, HBITMAP src, int x, int y, int width, int height, int bits);
    int StretchDIB(HBITMAP* inOut, int dstWidth, int dstHeight, HBITMAP src, int x, int y, int width, int height,
                   int keepRatio, HBRUSH brush, int mode);
    int StretchDIBWithBitCnt(HBITMAP* inOut, int dstWidth, int dstHeight, HBITMAP src, int x, int y, int width,
                             int height, int bits, int keepRatio, HBRUSH brush, int mode);
    int CopyImage(HDC dst, int dx, int dy, HDC src, int sx, int sy, int width, int height);
    int CopyImageWithMode(HDC dst, int dx, int dy, HDC src, int sx, int sy, int width, int height, int mode);
    int StretchImage(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw, int sh);
    // A drawing area takes an image (null: none) to show at scale mode, num / den: the image's
    // palette for 1 to 8 bits (none for the others), the image's size as its content (1 x 1
    // without), laid out at 1:1 first unless the area fits in that mode already (then it fits the
    // new content in one layout). The first failing step's code.
    int ShowOnDra(VkiDra* dra, const CmnVarPthImg& img, int mode, int num, int den);
    // Fills a rectangle of the DC with a colour, whatever clip region the DC has (an empty
    // rectangle fills nothing): the back around a drawn image.
    static void FillBack(HDC dc, const RECT& rect, COLORREF color);
    int StretchImageWithMode(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw, int sh,
                             int mode);
    // alpha: 0 GDI, else GDI+ at that opacity (the program passes 255).
    int DrawText(HDC dc, const LOGFONTA* font, int x, int y, const char* text, int length, BYTE alpha, double angle,
                 int flip, int centreX, int centreY);
    int FillRectangle(HDC dc, const RECT* rect, COLORREF color, BYTE alpha);
    int CopyScreen(Drm* drm, int x, int y, int width, int height, int bitCount);
    int WriteScreenDIB(const char* path, Drm* drm, int x, int y, int width, int height, int bitCount);
    int CopyDrm(Drm* dst, Drm* src);
    int DupDrm(Drm** out, Drm* src);
    int SetDrm(Drm* src);
    int GetDrm(Drm* dst);
    int CopyDIBToClb(HWND owner, HBITMAP bitmap);
    int CopyDrmToClb(HWND owner, Drm* drm);
    int CopyDrmToClb(HWND owner, Drm* drm, COLORREF color);
    int CopyClbToDIB(HWND owner, HBITMAP* out, int* type, float* xRes, float* yRes);
    int CopyClbToDrm(HWND owner, Drm* drm, int* type, float* xRes, float* yRes);

protected:
    int InitRec(int code, Dat* p) override;
    int TermRec(int code, Dat* p) override;
    int CopyRec(int code, Dat* to, Dat* from) override;
    bool IsHeld(int code, const Dat* p) override;
    bool IsKeyMode(int code, int mode) override;
    bool Match(int code, int mode, void* key, Dat* p) override;

private:
    struct Tmn;
    // Hands out the item's cached thumbnail: 0; -12 when the cache has none to hand out (*stale:
    // it holds a condemned one); or a search's failure. The caller holds the lock.
    int HandOutTmn(LPCITEMIDLIST item, HBITMAP* out, int* width, int* height, int* cached, bool* stale);
    // What a thumbnail needs before the engine, without the lock: the item's path and, for a JPEG
    // at least eight times the thumbnail, the picture at one eighth by the program's own decode.
    void ReadTmn(LPCITEMIDLIST item, Tmn* tmn);
    static void ReduceJpeg(Tmn* tmn);
    // A thumbnail of the item: the reduced picture stretched, or the picture decoded and reduced
    // by the engine, or its icon. 0, -13, 1 (none), or a failure. The caller holds the lock.
    int MakeTmn(LPCITEMIDLIST item, HBRUSH background, Tmn* tmn);
    // Puts a new thumbnail into the cache (evicting the oldest elements not in use when it is
    // full); *cached 0 when no element could be freed for it.
    int CacheTmn(LPCITEMIDLIST item, Tmn* tmn, int* cached);
    // Waits for the lock event while delivering messages sent to this thread.
    bool WaitLock();
    // Takes the free lock; first: the user-interface thread or a decode it waits for, which
    // other threads let go first; answering: the wait delivers messages sent to this thread (a
    // thread without windows waits plainly: a message queue made for it would tell the platform
    // the process waits for input).
    void TakeLock(bool first, bool answering);
    // Waits for the handle while delivering messages sent to this thread (posted ones stay
    // queued); false when the wait fails.
    static bool WaitAnswering(HANDLE handle);

    // A decode on a worker of the system thread pool (CmnImgOpn.cpp): its input and, once done,
    // its result; only the user-interface thread queues, takes and drops them.
    struct Opn {
        CmnImg* pImg = nullptr;
        char amPath[CmnPathSize] = {};
        HANDLE hDone = nullptr; // set once the decode ended (manual reset)
        HANDLE hPrev = nullptr; // the decode queued before, waited for first (a duplicate handle)
        int bWaited = 0;        // a caller waits for it: not dropped
        int bStamp = 0;         // the file's time and size as the decode began
        WIN32_FILE_ATTRIBUTE_DATA fad = {};
        HBITMAP hImg = nullptr;
        int iTypImg = 0;
        float fXRes = 0;
        float fYRes = 0;
        int bKnown = 0;
        int iRc = VKE_ERR_SYSTEM;
        Opn() = default;
        Opn(const Opn&) = delete;
        Opn& operator=(const Opn&) = delete;
        ~Opn();
    };
    static void CALLBACK RunOpn(PTP_CALLBACK_INSTANCE instance, void* param);
    bool IsUiCall() const;
    Opn* FindOpn(const char* path);
    Opn* StartOpn(const char* path);
    // The decode's outputs handed over and its record gone; a file changed since the decode
    // began is decoded again.
    int TakeOpn(Opn* o, HBITMAP* out, int* type, float* xRes, float* yRes, int* typeKnown);
    void EraseOpn(Opn* o, bool close);

    int m_bInit = 0;
    int m_bTerm = 0;
    Lki m_lki = {};                     // the cache list
    std::atomic<int> m_iLockCnt{0};     // the owner's recursion depth
    HANDLE m_hLock = nullptr;           // auto-reset; signalled while the lock is free
    std::atomic<DWORD> m_dwOwner{0};    // the owning thread's id, 0 when free
    DWORD m_dwUiThread = 0;             // the thread that started the service
    std::atomic<int> m_iUiWait{0};      // the threads that go first waiting for the lock
    std::list<Opn> m_lstOpn;            // decodes queued on workers, in their order
    char m_amOpnNext[CmnPathSize] = {}; // the file named to open next
};

// Holds the cache lock for a scope (nothing when take is false).
class CmnImgLock {
public:
    CmnImgLock(CmnImg& img, bool take) : m_pImg(take ? &img : nullptr)
    {
        if (m_pImg) m_pImg->LockCache(0);
    }
    ~CmnImgLock()
    {
        if (m_pImg) m_pImg->UnlockCache(0);
    }
    CmnImgLock(const CmnImgLock&) = delete;
    CmnImgLock& operator=(const CmnImgLock&) = delete;

private:
    CmnImg* m_pImg;
};

extern CmnImg theCmnImg;

// An image of the image service, closed through it at the end of the scope unless released.
//
//   CmnImgHold copy;
//   if (theCmnImg.CopyDIB(copy.Out(), src) == 0) Use(copy.Get());   // closed here
class CmnImgHold {
public:
    CmnImgHold() = default;
    ~CmnImgHold()
    {
        if (m_img) theCmnImg.CloseImage(&m_img);
    }
    CmnImgHold(const CmnImgHold&) = delete;
    CmnImgHold& operator=(const CmnImgHold&) = delete;
    HBITMAP* Out() { return &m_img; }
    HBITMAP Get() const { return m_img; }
    // The image handed on: the holder forgets it.
    HBITMAP Release()
    {
        HBITMAP img = m_img;
        m_img = nullptr;
        return img;
    }

private:
    HBITMAP m_img = nullptr;
};

// An image attached to a draw memory for one draw; detached (not closed) at the end of the scope.
//
//   CmnDrmImage attached(&drm, image);
//   if (attached.Result() == 0) Draw(drm.hDC);
class CmnDrmImage {
public:
    CmnDrmImage(Drm* drm, HBITMAP image) : m_drm(drm) { m_rc = theCmnImg.AttachDrmDIB(drm, image); }
    ~CmnDrmImage()
    {
        HBITMAP image = nullptr;
        if (m_rc == VKE_OK) theCmnImg.DetachDrmDIB(m_drm, &image);
    }
    CmnDrmImage(const CmnDrmImage&) = delete;
    CmnDrmImage& operator=(const CmnDrmImage&) = delete;
    int Result() const { return m_rc; }

private:
    Drm* m_drm;
    int m_rc;
};

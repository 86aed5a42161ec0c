// The image service: its life cycle, the cache lock, the cache's records and searches. The
// thumbnails are CmnImgTmn.cpp, the engine wrappers CmnImgDrw.cpp.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnImg"
#include "CmnImg.h"
#include "CmnDef.h"
#include "CmnSub.h"
#include <string.h>

namespace {

const CmnDatKind kKinds[] = {{CmnImgCodElm, sizeof(CmnImgElm), CmnDatElm, 0},
                             {CmnImgCodLst, sizeof(Lki), CmnDatList, CmnImgCodElm}};

CmnImgElm* AsElm(Dat* p) { return static_cast<CmnImgElm*>(p); }

// A search's result: 0 and -12 pass untraced.
int Searched(const char* name, int rc)
{
    if (rc != VKE_OK && rc != VKE_ERR_NOT_FOUND) CMN_TRACE(name, rc);
    return rc;
}

int Refuse(const char* name, int rc)
{
    CMN_TRACE(name, rc);
    return rc;
}

} // namespace

CmnImg::CmnImg() : CmnDat(CMN_MODULE, kKinds, sizeof(kKinds) / sizeof(kKinds[0])) {}

CmnImg::~CmnImg() { Term(); }

// ---- Life cycle ----

int CmnImg::Init()
{
    if (m_bInit) return Refuse("Init", VKE_ERR_EXISTS);
    m_bTerm = 0;
    m_iLockCnt = 0;
    memset(&m_lki, 0, sizeof(m_lki));
    m_hLock = nullptr;
    m_dwOwner = 0;
    m_bInit = 1;
    int rc = InitDat(CmnImgCodLst, &m_lki);
    if (rc != VKE_OK) {
        Term();
        return Refuse("Init", rc);
    }
    m_hLock = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!m_hLock) {
        Term();
        return Refuse("Init", VKE_ERR_MEMORY);
    }
    // Taken by this thread, then released: the lock starts free.
    m_dwUiThread = ::GetCurrentThreadId();
    m_dwOwner = m_dwUiThread;
    m_iLockCnt = 1;
    UnlockCache(0);
    return VKE_OK;
}

void CmnImg::Term()
{
    if (m_bTerm) return;
    m_bTerm = 1;
    if (m_bInit) DropOpenImages();
    if (m_bInit) TermDat(CmnImgCodLst, &m_lki);
    if (m_hLock) ::CloseHandle(m_hLock);
    m_hLock = nullptr;
    m_dwOwner = 0;
    m_iLockCnt = 0;
    m_bInit = 0;
}

// ---- The lock ----

bool CmnImg::WaitAnswering(HANDLE handle)
{
    for (;;) {
        DWORD rc = ::MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_SENDMESSAGE);
        if (rc == WAIT_OBJECT_0) return true;
        if (rc != WAIT_OBJECT_0 + 1) return false;
        // Only the messages other threads send: posted ones stay queued for the loop.
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

bool CmnImg::WaitLock() { return WaitAnswering(m_hLock); }

void CmnImg::LockCache(int index)
{
    if (index != 0 || !m_hLock) {
        CMN_TRACE("LockCache", VKE_ERR_SYSTEM);
        return;
    }
    DWORD self = ::GetCurrentThreadId();
    if (m_dwOwner == self) {
        ++m_iLockCnt;
        return;
    }
    TakeLock(self == m_dwUiThread, true);
}

void CmnImg::TakeLock(bool first, bool answering)
{
    // Another thread lets a waiting user-interface thread (or a decode it waits for) go first: it
    // would otherwise take the lock again and again as soon as it gave it back.
    if (first) ++m_iUiWait;
    else
        while (m_iUiWait) ::Sleep(1);
    bool taken = answering ? WaitLock() : ::WaitForSingleObject(m_hLock, INFINITE) == WAIT_OBJECT_0;
    if (first) --m_iUiWait;
    if (!taken) {
        CMN_TRACE("LockCache", VKE_ERR_SYSTEM);
        return;
    }
    m_dwOwner = ::GetCurrentThreadId();
    // A free lock has no count; one left behind is a fault, and the lock is held all the same.
    if (m_iLockCnt.exchange(1) != 0) CMN_TRACE("LockCache", VKE_ERR_SYSTEM);
}

void CmnImg::UnlockCache(int index)
{
    if (index != 0 || !m_hLock || m_dwOwner != ::GetCurrentThreadId()) {
        CMN_TRACE("UnlockCache", VKE_ERR_SYSTEM);
        return;
    }
    if (--m_iLockCnt <= 0) {
        m_iLockCnt = 0;
        m_dwOwner = 0;
        ::SetEvent(m_hLock);
    }
}

int CmnImg::TryLockCache(int index)
{
    if (index != 0 || !m_hLock) {
        CMN_TRACE("TryLockCache", VKE_ERR_SYSTEM);
        return 0;
    }
    DWORD self = ::GetCurrentThreadId();
    if (m_dwOwner == self) {
        ++m_iLockCnt;
        return 1;
    }
    if (::WaitForSingleObject(m_hLock, 0) != WAIT_OBJECT_0) return 0;
    m_dwOwner = self;
    if (m_iLockCnt.exchange(1) != 0) CMN_TRACE("TryLockCache", VKE_ERR_SYSTEM);
    return 1;
}

int CmnImg::IsLocked(int index)
{
    if (index != 0 || !m_hLock) {
        CMN_TRACE("IsLocked", VKE_ERR_SYSTEM);
        return 0;
    }
    // The event is not looked at: waiting on an auto-reset event would take the lock.
    return m_dwOwner != 0 && m_iLockCnt > 0 ? 1 : 0;
}

int CmnImg::GetCacheCount(int index)
{
    if (index != 0) {
        CMN_TRACE("GetCacheCount", VKE_ERR_ARG);
        return 0;
    }
    return m_lki.iCnt;
}

// ---- The cache's records ----

bool CmnImg::IsHeld(int code, const Dat* p)
{
    const CmnImgElm* e = static_cast<const CmnImgElm*>(p);
    return code == CmnImgCodElm && (e->pIdl || e->pthImg.hImg);
}

int CmnImg::InitRec(int code, Dat* p)
{
    return code == CmnImgCodElm ? theCmnVar.InitDat(CmnVarCodPthImg, &AsElm(p)->pthImg) : VKE_OK;
}

int CmnImg::TermRec(int code, Dat* p)
{
    if (code != CmnImgCodElm) return VKE_OK;
    CmnImgElm* e = AsElm(p);
    int rc = theCmnSub.FreeItemIdList(&e->pIdl);
    int closed = theCmnVar.TermDat(CmnVarCodPthImg, &e->pthImg);
    e->iCntUse = 0;
    e->bStale = 0;
    return rc == VKE_OK ? closed : rc;
}

int CmnImg::CopyRec(int code, Dat* to, Dat* from)
{
    if (code != CmnImgCodElm) return VKE_OK;
    CmnImgElm* t = AsElm(to);
    CmnImgElm* f = AsElm(from);
    theCmnSub.FreeItemIdList(&t->pIdl);
    if (f->pIdl && !(t->pIdl = theCmnSub.DupItemIdList(f->pIdl))) return VKE_ERR_MEMORY;
    int rc = theCmnVar.CopyDat(CmnVarCodPthImg, &t->pthImg, &f->pthImg);
    if (rc != VKE_OK) return rc;
    t->iCntUse = f->iCntUse;
    t->bStale = f->bStale;
    return VKE_OK;
}

bool CmnImg::IsKeyMode(int code, int mode)
{
    return code == CmnImgCodElm &&
           (mode == CmnImgSchIdl || mode == CmnImgSchUse || mode == CmnImgSchImg || mode == CmnImgSchPth);
}

bool CmnImg::Match(int, int mode, void* key, Dat* p)
{
    CmnImgElm* e = AsElm(p);
    switch (mode) {
    case CmnImgSchIdl:
        return e->pIdl && theCmnSub.CmpItemIdList(e->pIdl, static_cast<LPCITEMIDLIST>(key)) == 0;
    case CmnImgSchUse:
        return e->iCntUse == *static_cast<const int*>(key);
    case CmnImgSchImg:
        return e->pthImg.hImg == static_cast<HBITMAP>(key);
    default: {
        const AppMem& path = e->pthImg.amPath;
        return path.pBuffer && strcmp(path.pBuffer, static_cast<const char*>(key)) == 0;
    }
    }
}

// ---- Searches ----

int CmnImg::SchCmnImgElm(int index, int position, CmnImgElm** out)
{
    if (index != 0 || position < 1 || !out) return Refuse("SchCmnImgElm", VKE_ERR_ARG);
    return Searched("SchCmnImgElm",
                    SchDat(CmnImgCodElm, VKE_LKE_BY_NO, &m_lki, &position, reinterpret_cast<Dat**>(out)));
}

int CmnImg::SchCmnImgElmByKey(int index, LPCITEMIDLIST key, CmnImgElm** out)
{
    if (index != 0 || !key || !out) return Refuse("SchCmnImgElmByKey", VKE_ERR_ARG);
    return Searched("SchCmnImgElmByKey", SchDat(CmnImgCodElm, CmnImgSchIdl, &m_lki, const_cast<LPITEMIDLIST>(key),
                                                reinterpret_cast<Dat**>(out)));
}

int CmnImg::SchCmnImgElmByNo(int index, int useCount, CmnImgElm** out)
{
    if (index != 0 || !out) return Refuse("SchCmnImgElmByNo", VKE_ERR_ARG);
    // From the head, whatever the cursor: the oldest element first.
    m_lki.pCur = m_lki.pHead;
    return Searched("SchCmnImgElmByNo",
                    SchDat(CmnImgCodElm, CmnImgSchUse, &m_lki, &useCount, reinterpret_cast<Dat**>(out)));
}

int CmnImg::SchCmnImgElmByHdl(int index, HBITMAP image, CmnImgElm** out)
{
    if (index != 0 || !image || !out) return Refuse("SchCmnImgElmByHdl", VKE_ERR_ARG);
    return Searched("SchCmnImgElmByHdl",
                    SchDat(CmnImgCodElm, CmnImgSchImg, &m_lki, image, reinterpret_cast<Dat**>(out)));
}

int CmnImg::SchCmnImgElmByNam(int index, const char* path, CmnImgElm** out)
{
    if (index != 0 || !path || !out) return Refuse("SchCmnImgElmByNam", VKE_ERR_ARG);
    *out = nullptr;
    char full[CmnPathSize];
    int rc = VkeSubGetPathName(theCmnAppInf.pSub, full, path, sizeof(full));
    if (rc != VKE_OK) return Refuse("SchCmnImgElmByNam", rc);
    return Searched("SchCmnImgElmByNam",
                    SchDat(CmnImgCodElm, CmnImgSchPth, &m_lki, full, reinterpret_cast<Dat**>(out)));
}

// The image service's opens on worker threads: a file's decode runs on a worker of the system
// thread pool (a thread made per decode costs its start and end under Wine), under the lock as
// every engine image call, while the user-interface thread waits answering only what
// other threads send (a frame asked by another thread or program answers during a long decode).
// A batch of openings names the file it opens next: its decode is queued after the next one asked
// for, so it runs while that file's page is set up. Each decode waits for the one queued before
// it, so they run in their order; only the user-interface thread queues, takes and drops them.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnImg"
#include "CmnImg.h"
#include "CmnDef.h"
#include "CmnSub.h"
#include <string.h>

namespace {

// The full path of a plain file ("" for anything else), as the pages' opens make it.
void PlainFile(const char* path, char* full, int size)
{
    int normal = 0;
    if (!path || !*path || theCmnSub.IsNormalFile(path, full, size, &normal) != VKE_OK || !normal) full[0] = '\0';
}

// One file whatever the letter case of its names.
bool SameFile(const char* a, const char* b)
{
    char x[CmnPathSize], y[CmnPathSize];
    snprintf(x, sizeof(x), "%s", a);
    snprintf(y, sizeof(y), "%s", b);
    VkeSubToLowerStr(theCmnAppInf.pSub, x);
    VkeSubToLowerStr(theCmnAppInf.pSub, y);
    return strcmp(x, y) == 0;
}

// Whether the file is as it was when the decode began.
bool IsUnchanged(const char* path, int stamped, const WIN32_FILE_ATTRIBUTE_DATA& then)
{
    WIN32_FILE_ATTRIBUTE_DATA now = {};
    bool found = ::GetFileAttributesExA(path, GetFileExInfoStandard, &now) != FALSE;
    if (!stamped || !found) return !stamped && !found;
    return CompareFileTime(&now.ftLastWriteTime, &then.ftLastWriteTime) == 0 &&
           now.nFileSizeHigh == then.nFileSizeHigh && now.nFileSizeLow == then.nFileSizeLow;
}

// Results the engine's open traces (it gives 1 for a file without an image it reads, untraced).
bool IsTraced(int rc) { return rc != VKE_OK && rc != VKE_NOT_DONE; }

// The engine traces a failure on a worker by posting its report to the main window: delivered
// now, where the report of a decode on this thread would have been sent.
void DeliverTraceReports()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, VkeWmTraceError, VkeWmTraceError, PM_REMOVE)) ::DispatchMessageA(&msg);
}

} // namespace

CmnImg::Opn::~Opn()
{
    if (hDone) ::CloseHandle(hDone);
    if (hPrev) ::CloseHandle(hPrev);
}

void CALLBACK CmnImg::RunOpn(PTP_CALLBACK_INSTANCE, void* param)
{
    Opn* o = static_cast<Opn*>(param);
    if (o->hPrev) ::WaitForSingleObject(o->hPrev, INFINITE);
    o->bStamp = ::GetFileAttributesExA(o->amPath, GetFileExInfoStandard, &o->fad) ? 1 : 0;
    // The user-interface thread waits for it (or soon will): it goes first, as that thread would.
    {
        struct Hold {
            CmnImg* p;
            explicit Hold(CmnImg* img) : p(img) { p->TakeLock(true, false); }
            ~Hold() { p->UnlockCache(0); }
        } hold(o->pImg);
        o->iRc =
            VkeDrwOpenImage(theCmnAppInf.pDrw, o->amPath, &o->hImg, &o->iTypImg, &o->fXRes, &o->fYRes, &o->bKnown);
    }
    // The last touch of the record: its owner may erase it at once.
    ::SetEvent(o->hDone);
}

bool CmnImg::IsUiCall() const { return m_bInit && ::GetCurrentThreadId() == m_dwUiThread; }

CmnImg::Opn* CmnImg::FindOpn(const char* path)
{
    for (Opn& o : m_lstOpn)
        if (SameFile(o.amPath, path)) return &o;
    return nullptr;
}

CmnImg::Opn* CmnImg::StartOpn(const char* path)
{
    HANDLE prev = nullptr;
    if (!m_lstOpn.empty() &&
        !::DuplicateHandle(::GetCurrentProcess(), m_lstOpn.back().hDone, ::GetCurrentProcess(), &prev, SYNCHRONIZE,
                           FALSE, 0))
        return nullptr;
    m_lstOpn.emplace_back();
    Opn& o = m_lstOpn.back();
    o.pImg = this;
    o.hPrev = prev;
    snprintf(o.amPath, sizeof(o.amPath), "%s", path);
    o.hDone = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (o.hDone && ::TrySubmitThreadpoolCallback(&CmnImg::RunOpn, &o, nullptr)) return &o;
    m_lstOpn.pop_back();
    return nullptr;
}

void CmnImg::EraseOpn(Opn* o, bool close)
{
    if (close && o->hImg) CloseImage(&o->hImg);
    for (auto i = m_lstOpn.begin(); i != m_lstOpn.end(); ++i) {
        if (&*i != o) continue;
        m_lstOpn.erase(i);
        return;
    }
}

int CmnImg::QueueOpenImage(const char* path)
{
    if (!IsUiCall()) return VKE_OK;
    if (!path || !*path || strlen(path) >= sizeof(Opn::amPath)) {
        CMN_TRACE("QueueOpenImage", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    if (FindOpn(path) || StartOpn(path)) return VKE_OK;
    CMN_TRACE("QueueOpenImage", VKE_ERR_MEMORY);
    return VKE_ERR_MEMORY;
}

void CmnImg::QueueNextOpenImage()
{
    if (!IsUiCall() || !m_amOpnNext[0]) return;
    if (!FindOpn(m_amOpnNext)) StartOpn(m_amOpnNext);
    m_amOpnNext[0] = '\0';
}

void CmnImg::SetNextOpenImage(const char* path)
{
    if (!IsUiCall()) return;
    PlainFile(path, m_amOpnNext, sizeof(m_amOpnNext));
}

void CmnImg::DropOpenImages(const char* path)
{
    if (!path) m_amOpnNext[0] = '\0';
    const bool ui = IsUiCall();
    for (auto i = m_lstOpn.begin(); i != m_lstOpn.end();) {
        Opn& o = *i++;
        if (o.bWaited || (path && !SameFile(o.amPath, path))) continue;
        // A decode still to come waits for the lock a caller holding it would never give back.
        if (m_dwOwner == ::GetCurrentThreadId() && ::WaitForSingleObject(o.hDone, 0) != WAIT_OBJECT_0) continue;
        if (ui) WaitAnswering(o.hDone);
        else ::WaitForSingleObject(o.hDone, INFINITE);
        EraseOpn(&o, true);
    }
}

int CmnImg::TakeOpn(Opn* o, HBITMAP* out, int* type, float* xRes, float* yRes, int* typeKnown)
{
    // Changed since: decoded once more (a file that keeps changing is taken as the last decode
    // found it).
    for (int again = 0; again < 2 && !IsUnchanged(o->amPath, o->bStamp, o->fad); ++again) {
        char path[CmnPathSize];
        snprintf(path, sizeof(path), "%s", o->amPath);
        EraseOpn(o, true);
        o = StartOpn(path);
        if (!o) return VKE_ERR_MEMORY;
        o->bWaited = 1;
        if (!WaitAnswering(o->hDone)) ::WaitForSingleObject(o->hDone, INFINITE);
    }
    const int rc = o->iRc;
    *out = o->hImg;
    *type = o->iTypImg;
    *xRes = o->fXRes;
    *yRes = o->fYRes;
    *typeKnown = o->bKnown;
    o->hImg = nullptr;
    EraseOpn(o, false);
    return rc;
}

int CmnImg::OpenImageAnswering(const char* path, HBITMAP* out, int* type, float* xRes, float* yRes, int* typeKnown)
{
    // The decode runs here: off the user-interface thread, with the lock held (a worker would
    // wait for it), or for arguments the engine refuses itself (a path too long for the record).
    const bool worker = IsUiCall() && m_dwOwner != ::GetCurrentThreadId() && path && *path &&
                        strlen(path) < sizeof(Opn::amPath) && out && !*out && type && xRes && yRes && typeKnown;
    if (!worker || QueueOpenImage(path) != VKE_OK) return OpenImage(path, out, type, xRes, yRes, typeKnown);
    Opn* o = FindOpn(path);
    o->bWaited = 1;
    if (!WaitAnswering(o->hDone)) ::WaitForSingleObject(o->hDone, INFINITE);
    int rc = TakeOpn(o, out, type, xRes, yRes, typeKnown);
    if (IsTraced(rc)) {
        DeliverTraceReports();
        CMN_TRACE("OpenImage", rc);
    }
    return rc;
}

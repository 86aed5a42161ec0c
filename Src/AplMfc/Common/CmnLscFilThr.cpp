// The file list's workers and thumbnails: starting, stopping and waiting for the two workers,
// worker 1's warm-up of the thumbnail cache with painting's requests served first, and painting
// the thumbnails.
//
// Painting never makes a thumbnail nor waits: it tries the image service's lock and draws the
// thumbnails the cache (or the element) holds; a cell without one gets its outline and goes to
// worker 1, which makes the thumbnail, keeps it in the element while the cell is in sight and
// has the cell painted again.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnLscFilPro"
#include "CmnLscFil.h"
#include "CmnApp.h"
#include "CmnHold.h"
#include "CmnImg.h"
#include "CmnSub.h"
#include "CmnWin.h"
#include <math.h>
#include <objbase.h>

namespace {

LscFilElm* AsElm(Lke* l) { return static_cast<LscFilElm*>(static_cast<void*>(l)); }

bool Meets(const RECT& a, const RECT& b)
{
    RECT both;
    return ::IntersectRect(&both, &a, &b) != FALSE;
}

// COM for a worker, and the shell folder it kept bound for paths let go before it ends.
class WorkerScope {
public:
    WorkerScope() : m_hr(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~WorkerScope()
    {
        theCmnSub.ReleasePathBinding();
        if (SUCCEEDED(m_hr)) ::CoUninitialize();
    }
    WorkerScope(const WorkerScope&) = delete;
    WorkerScope& operator=(const WorkerScope&) = delete;

private:
    HRESULT m_hr;
};

} // namespace

// ---- Workers ----

int CmnLscFil::IsActiveThread(int worker)
{
    if (worker != 0 && worker != 1) {
        LSC_PRO("IsActiveThread", VKE_ERR_ARG);
        return 0;
    }
    DWORD code = 0;
    CWinThread* thread = m_pThr[worker];
    return thread && m_hStop[worker] && ::GetExitCodeThread(thread->m_hThread, &code) && code == STILL_ACTIVE ? 1 : 0;
}

int CmnLscFil::BeginThread(int worker)
{
    if (!CheckInit("BeginThread", "Src\\AplMfc\\Common\\CmnLscFilPro")) return VKE_ERR_NOT_INIT;
    if (worker != 0 && worker != 1) return LSC_PRO("BeginThread", VKE_ERR_ARG);
    int rc = WaitThread(worker, 1);
    if (rc != VKE_OK) return LSC_PRO("BeginThread", rc);
    if (worker == 1) m_strPattern[1] = Pattern();
    if (!m_pReq) m_pReq = new ReqQueue;
    if (worker == 1) m_pReq->Reserve(static_cast<size_t>(m_lst.iCnt));
    HANDLE stop = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!stop) return LSC_PRO("BeginThread", VKE_ERR_MEMORY);
    CWinThread* thread = AfxBeginThread(worker == 0 ? GF_CmnLscFilThrPrcSetLstCtl : GF_CmnLscFilThrPrcAddImg, this,
                                        THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!thread) {
        ::CloseHandle(stop);
        return LSC_PRO("BeginThread", VKE_ERR_MEMORY);
    }
    thread->m_bAutoDelete = FALSE;
    m_pThr[worker] = thread;
    m_hStop[worker] = stop;
    if (worker == 1) m_bTmnOpen = 1;
    ::ResetEvent(stop);
    thread->ResumeThread();
    return VKE_OK;
}

int CmnLscFil::WaitThread(int worker, int stop)
{
    if (!CheckInit("WaitThread", "Src\\AplMfc\\Common\\CmnLscFilPro")) return VKE_ERR_NOT_INIT;
    if ((worker != 0 && worker != 1) || (stop != 0 && stop != 1)) return LSC_PRO("WaitThread", VKE_ERR_ARG);
    CWinThread* thread = m_pThr[worker];
    if (thread && thread->m_nThreadID == ::GetCurrentThreadId()) return VKE_OK;
    if (IsActiveThread(worker)) {
        if (stop) ::SetEvent(m_hStop[worker]);
        CmnWaitCursor wait;
        // A handle of its own: a wait nested in this one may end the thread object meanwhile.
        HANDLE handle = nullptr;
        if (::DuplicateHandle(::GetCurrentProcess(), thread->m_hThread, ::GetCurrentProcess(), &handle, SYNCHRONIZE, FALSE,
                              0)) {
            CmnWin::WaitPumping(&handle, 1, &m_bPump[worker]);
            ::CloseHandle(handle);
        }
    }
    // A wait nested in the pump may have ended this worker and started another: that one is still
    // running on its object, so it is waited for in turn rather than deleted under it.
    if (m_pThr[worker] != thread) return WaitThread(worker, stop);
    m_pThr[worker] = nullptr;
    delete thread;
    if (worker == 1) m_bTmnOpen = 0;
    if (m_hStop[worker]) ::CloseHandle(m_hStop[worker]);
    m_hStop[worker] = nullptr;
    if (worker == 0) {
        FinishFill(stop != 0);
        if (stop) {
            // Stopping the filling stops the thumbnails; the elements may change or go.
            WaitThread(1, 1);
            ResetTmnRequests();
        }
    }
    return VKE_OK;
}

UINT CmnLscFil::GF_CmnLscFilThrPrcSetLstCtl(LPVOID param)
{
    WorkerScope scope;
    return static_cast<UINT>(static_cast<CmnLscFil*>(param)->SetListCtrlBackground());
}

UINT CmnLscFil::GF_CmnLscFilThrPrcAddImg(LPVOID param)
{
    WorkerScope scope;
    return static_cast<UINT>(static_cast<CmnLscFil*>(param)->AddImageBackground());
}

// ---- Worker 1 ----

int CmnLscFil::WarmCount(int elements, int setting)
{
    const int cache = setting < CmnImgMaxTmn ? setting : CmnImgMaxTmn;
    return elements < cache ? elements : cache;
}

// The last N elements (WarmCount), with painting's requests taken before each one.
int CmnLscFil::AddImageBackground()
{
    if (!CheckInit("AddImageBackground", "Src\\AplMfc\\Common\\CmnLscFilPro")) return VKE_ERR_NOT_INIT;
    if (!m_sli.pIdl || m_fii.iModeLstViw != LscModeTmn || !m_pReq) return LSC_PRO("AddImageBackground", VKE_ERR_SYSTEM);
    HANDLE stop = m_hStop[1];
    const CString pattern = m_strPattern[1];
    const int n = WarmCount(m_lst.iCnt, m_iCntTmn);
    Lke* l = nullptr;
    if (n > 0) {
        l = m_lst.pTail;
        for (int i = 1; i < n && l; ++i) l = l->pPrv;
    }
    int first = VKE_OK;
    for (;;) {
        // Stopped before a request is taken: one taken is always answered.
        if (stop && ::WaitForSingleObject(stop, 0) == WAIT_OBJECT_0) {
            first = VKE_STOPPED;
            break;
        }
        LscFilElm* request = m_pReq->Pop();
        if (request) {
            // Out of the queue first: a request made again from here on goes in again.
            ::InterlockedExchange(&request->lTmnQueued, 0);
            // A request withdrawn (its cell went out of sight) is passed over.
            if (::InterlockedCompareExchange(&request->lTmnReq, LscTmnReqQueued, LscTmnReqQueued) != LscTmnReqQueued)
                continue;
        }
        if (!request && !l) break;
        int rc = WarmElement(request ? request : AsElm(l), pattern, request != nullptr);
        if (!request) l = l->pNxt;
        if (rc != VKE_OK && rc != VKE_NOT_DONE && first == VKE_OK) first = rc;
    }
    // From here on painting starts the worker again for a request of its own; one it made just
    // before is found by the start posted here.
    m_bTmnOpen = 0;
    if (first != VKE_STOPPED) PostMessage(LscWmTmnStart, 1);
    if (first != VKE_OK && first != VKE_STOPPED) LSC_PRO("AddImageBackground", first);
    return first;
}

int CmnLscFil::WarmElement(LscFilElm* elm, const char* pattern, bool request)
{
    if (!request) {
        if (elm->aiImage[0] != -1 || !elm->bNormal || !Matches(pattern, elm)) return VKE_OK;
        elm->aiImage[0] = -2;
        if (elm->hTmn) return VKE_OK;
    } else {
        // Asked again while painting found the lock taken: the thumbnail it holds is painted.
        bool held = false;
        {
            CmnImgLock hold(theCmnImg, true);
            if (elm->hTmn) {
                ::InterlockedExchange(&elm->lTmnReq, LscTmnReqFilled);
                held = true;
            }
        }
        if (held) {
            PostMessage(LscWmTmnDone, static_cast<WPARAM>(m_iGen.load()), reinterpret_cast<LPARAM>(elm));
            return VKE_OK;
        }
    }
    HBITMAP tmn = nullptr;
    int width = 0, height = 0, cached = 0;
    int rc = theCmnImg.OpenTmnImage(elm->pIdl, 1, static_cast<HBRUSH>(m_brBack.m_hObject), &tmn, &width, &height, &cached);
    if (rc != VKE_OK && rc != VKE_ERR_CUT) {
        if (request) ::InterlockedExchange(&elm->lTmnReq, LscTmnReqEmpty);
        return rc;
    }
    if (request) {
        // Held for painting while its cell is in sight (painting gives it back).
        CmnImgLock hold(theCmnImg, true);
        if (!elm->hTmn) {
            elm->hTmn = tmn;
            tmn = nullptr;
        }
        ::InterlockedExchange(&elm->lTmnReq, LscTmnReqFilled);
    }
    if (tmn) theCmnImg.CloseTmnImage(1, &tmn);
    if (request) PostMessage(LscWmTmnDone, static_cast<WPARAM>(m_iGen.load()), reinterpret_cast<LPARAM>(elm));
    return VKE_OK;
}

LRESULT CmnLscFil::OnLscWmTmnDone(WPARAM wParam, LPARAM lParam)
{
    LscFilElm* elm = reinterpret_cast<LscFilElm*>(lParam);
    if (!m_bInit || static_cast<int>(wParam) != m_iGen || !elm || elm->iItem < 0) return 0;
    RECT icon;
    if (GetItemRect(elm->iItem, &icon, LVIR_ICON)) {
        RECT outer = OuterRect(CellRect(icon, m_fii.iWidthTmnImg, m_fii.iHeightTmnImg));
        InvalidateRect(&outer, FALSE);
    }
    return 0;
}

// wParam 1: worker 1 took its last request (it may not have taken those made meanwhile); 0:
// painting asks. A worker still taking requests takes these too.
LRESULT CmnLscFil::OnLscWmTmnStart(WPARAM, LPARAM)
{
    m_bTmnPosted = 0;
    if (!m_bInit || m_fii.iModeLstViw != LscModeTmn || !m_sli.pIdl || !m_pReq || m_pReq->Empty() || IsActiveThread(0) ||
        m_bTmnOpen)
        return 0;
    BeginThread(1);
    return 0;
}

void CmnLscFil::RequestTmn(LscFilElm* elm, bool busy)
{
    LONG state = elm->lTmnReq;
    if (state == LscTmnReqQueued || state == LscTmnReqEmpty || (state == LscTmnReqFilled && !busy) || !m_pReq) return;
    ::InterlockedExchange(&elm->lTmnReq, LscTmnReqQueued);
    // A request withdrawn and made again while still in the queue is found there.
    if (!::InterlockedExchange(&elm->lTmnQueued, 1) && !m_pReq->Push(elm)) {
        ::InterlockedExchange(&elm->lTmnQueued, 0);
        ::InterlockedExchange(&elm->lTmnReq, state);
        return;
    }
    if (!m_bTmnOpen && !m_bTmnPosted.exchange(1)) PostMessage(LscWmTmnStart, 0);
}

void CmnLscFil::ResetTmnRequests()
{
    if (!m_pReq) m_pReq = new ReqQueue;
    m_pReq->Clear();
    m_pReq->Reserve(static_cast<size_t>(m_lst.iCnt));
    for (Lke* l = m_lst.pHead; l; l = l->pNxt) {
        AsElm(l)->lTmnReq = LscTmnReqNone;
        AsElm(l)->lTmnQueued = 0;
    }
}

void CmnLscFil::ReleaseTmn(LscFilElm* elm)
{
    theCmnImg.CloseTmnImage(0, &elm->hTmn);
    ::InterlockedExchange(&elm->lTmnReq, LscTmnReqNone);
}

// ---- Painting ----

void CmnLscFil::OnPaint()
{
    if (!m_bInit || m_fii.iModeLstViw != LscModeTmn || m_bPainting) {
        Default();
        return;
    }
    CRect update;
    GetUpdateRect(&update, FALSE);
    Default();
    m_bPainting = 1;
    {
        CClientDC dc(this);
        Draw(dc.m_hDC, &update);
    }
    m_bPainting = 0;
}

int CmnLscFil::Draw(HDC dc, const RECT* update)
{
    if (!CheckInit("Draw", "Src\\AplMfc\\Common\\CmnLscFilPro")) return VKE_ERR_NOT_INIT;
    if (!dc || !update) return LSC_PRO("Draw", VKE_ERR_ARG);
    CDCSelect pen(dc, m_penBlack.m_hObject);
    CDCSelect brush(dc, ::GetStockObject(HOLLOW_BRUSH));
    RECT client;
    GetClientRect(&client);
    const bool locked = theCmnImg.TryLockCache(0) != 0;
    const bool focused = ::GetFocus() == m_hWnd;
    int first = VKE_OK;
    for (Lke* l = m_lst.pHead; l; l = l->pNxt) {
        LscFilElm* elm = AsElm(l);
        RECT icon;
        bool shown = elm->iItem >= 0 && GetItemRect(elm->iItem, &icon, LVIR_ICON);
        RECT cell = shown ? CellRect(icon, m_fii.iWidthTmnImg, m_fii.iHeightTmnImg) : RECT();
        if (!shown || !Meets(cell, client)) {
            // A thumbnail is held, and asked for, only while its cell is in sight: a request the
            // worker has not taken yet is withdrawn, so the cells in sight come first.
            ::InterlockedCompareExchange(&elm->lTmnReq, LscTmnReqNone, LscTmnReqQueued);
            if (locked && elm->hTmn) ReleaseTmn(elm);
            continue;
        }
        if (!Meets(cell, *update)) continue;
        int rc = locked ? DrawImage(dc, &cell, elm) : VKE_NOT_DONE;
        if (rc == VKE_NOT_DONE) RequestTmn(elm, !locked);
        else if (rc != VKE_OK && rc != VKE_ERR_CUT && first == VKE_OK) first = rc;
        ::SelectObject(dc, m_penBlack.m_hObject);
        ::Rectangle(dc, cell.left, cell.top, cell.right, cell.bottom);
        RECT frame = FrameRect(cell), outer = OuterRect(cell);
        bool selected = (GetItemState(elm->iItem, LVIS_SELECTED) & LVIS_SELECTED) != 0;
        if (selected && focused) {
            ::SelectObject(dc, m_penBlue.m_hObject);
            ::Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);
        } else {
            ::SelectObject(dc, m_penBack.m_hObject);
            ::Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);
            ::Rectangle(dc, outer.left, outer.top, outer.right, outer.bottom);
            if (selected) {
                ::SelectObject(dc, m_penDot.m_hObject);
                ::Rectangle(dc, outer.left + 1, outer.top + 1, outer.right - 1, outer.bottom - 1);
            }
        }
    }
    if (locked) theCmnImg.UnlockCache(0);
    return first == VKE_OK ? first : LSC_PRO("Draw", first);
}

int CmnLscFil::DrawImage(HDC dc, const RECT* cell, LscFilElm* elm)
{
    if (!CheckInit("DrawImage", "Src\\AplMfc\\Common\\CmnLscFilPro")) return VKE_ERR_NOT_INIT;
    if (m_fii.iModeLstViw != LscModeTmn) return LSC_PRO("DrawImage", VKE_ERR_SYSTEM);
    if (!dc || !cell || !elm || !elm->pIdl || cell->right <= cell->left || cell->bottom <= cell->top)
        return LSC_PRO("DrawImage", VKE_ERR_ARG);
    HBITMAP hit = nullptr;
    HBITMAP picture = elm->hTmn;
    int width = 0, height = 0, bits = 0;
    int rc = picture ? theCmnImg.GetImageInf(picture, &width, &height, &bits)
                     : theCmnImg.OpenCachedTmnImage(elm->pIdl, &hit, &width, &height);
    if (rc == VKE_ERR_NOT_FOUND) return VKE_NOT_DONE;
    if (rc != VKE_OK) return rc;
    if (!picture) picture = hit;
    const int cw = cell->right - cell->left, ch = cell->bottom - cell->top;
    int dw = width, dh = height;
    // A picture larger than its cell is fitted into it; one that cannot be fitted is not drawn
    // and fails (the cell keeps its outline, as for any failure).
    if (width > cw || height > ch) {
        rc = VkeSubGetStretchFixedScaleSize(theCmnAppInf.pSub, cw, ch, width, height, &dw, &dh);
        if (rc != VKE_OK && rc != VKE_ERR_CUT) {
            if (hit) theCmnImg.CloseTmnImage(0, &hit);
            return LSC_PRO("DrawImage", rc);
        }
    }
    int result = rc == VKE_ERR_CUT ? rc : VKE_OK;
    if (dw > 0 && dh > 0) {
        rc = theCmnImg.AttachDrmDIB(&m_drm, picture);
        if (rc == VKE_OK) {
            int x = cell->left + static_cast<int>(floor((cw - dw) / 2.0));
            int y = cell->top + static_cast<int>(floor((ch - dh) / 2.0));
            rc = theCmnImg.StretchImageWithMode(dc, x, y, dw, dh, m_drm.hDC, 0, 0, width, height,
                                                theCmnAppInf.iModeStretch);
            HBITMAP back = nullptr;
            theCmnImg.DetachDrmDIB(&m_drm, &back);
        }
        if (rc != VKE_OK) result = rc;
    }
    if (hit) theCmnImg.CloseTmnImage(0, &hit);
    return result;
}

// ---- Geometry ----

RECT CmnLscFil::CellRect(const RECT& icon, int width, int height)
{
    int dx = static_cast<int>(floor((icon.right - icon.left - width) / 2.0));
    int dy = static_cast<int>(floor((icon.bottom - icon.top - height) / 2.0));
    RECT cell = {icon.left + dx, icon.top + dy, icon.right - dx, icon.bottom - dy};
    return cell;
}

RECT CmnLscFil::FrameRect(const RECT& cell)
{
    RECT frame = {cell.left - 1, cell.top - 1, cell.right + 2, cell.bottom + 2};
    return frame;
}

RECT CmnLscFil::OuterRect(const RECT& cell)
{
    RECT frame = FrameRect(cell);
    RECT outer = {frame.left - 2, frame.top - 2, frame.right + 1, frame.bottom + 1};
    return outer;
}

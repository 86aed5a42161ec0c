// The tab dialog: start and end, OK, sizing, focus, lock requests and the commands.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnDlt"
#include "CmnDlt.h"
#include "CmnRes.h"
#include "CmnSub.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CmnDlt, CmnDlg)

BEGIN_MESSAGE_MAP(CmnDlt, CmnDlg)
    ON_WM_SIZE()
    ON_WM_ACTIVATE()
    ON_MESSAGE(VkeWmSetLocked, &ThisClass::OnVkeWmSetLocked)
    CMN_TBV_COMMAND_ENTRIES()
END_MESSAGE_MAP()

namespace {

const CmnDatKind kKinds[] = {{0x50001, sizeof(DltElm), CmnDatElm, 0},
                             {0x50002, sizeof(DltPag), CmnDatList, 0x50001}};

// The smallest side the tab control takes.
const int kMinSide = 50;

bool IsShownAndEnabled(HWND wnd) { return wnd && ::IsWindowVisible(wnd) && ::IsWindowEnabled(wnd); }

} // namespace

CmnDlt::CmnDlt() : CmnTbvOpr(static_cast<CWnd&>(*this), CMN_MODULE, kKinds, 0, false), m_bDltInit(0) {}

CmnDlt::CmnDlt(UINT nIDTemplate, CWnd* pParentWnd)
    : CmnDlg(nIDTemplate, pParentWnd), CmnTbvOpr(static_cast<CWnd&>(*this), CMN_MODULE, kKinds, 0, false),
      m_bDltInit(0)
{
}

CmnDlt::~CmnDlt()
{
    if (m_hWnd && CWnd::FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

// ---- Start and end ----

int CmnDlt::InitPageList(int freeIdx, int lockOpt)
{
    if (freeIdx != 0 && freeIdx != 1) return Fail("Init", VKE_ERR_ARG);
    if (lockOpt != 0 && lockOpt != 1) return Fail("Init", VKE_ERR_ARG);
    if (m_bDltInit) return Fail("Init", VKE_ERR_EXISTS);
    int rc = InitPages(freeIdx, lockOpt);
    if (rc != VKE_OK) return Fail("Init", rc);
    m_bDltInit = 1;
    return VKE_OK;
}

int CmnDlt::Init(int ctlCnt, int draCnt, int extPrtCnt, int freeIdx, int lockOpt)
{
    if ((freeIdx != 0 && freeIdx != 1) || (lockOpt != 0 && lockOpt != 1)) return Fail("Init", VKE_ERR_ARG);
    if (m_bDltInit) return Fail("Init", VKE_ERR_EXISTS);
    int rc = CmnDlg::Init(ctlCnt, draCnt, extPrtCnt);
    if (rc != VKE_OK) return rc;
    rc = InitPageList(freeIdx, lockOpt);
    if (rc != VKE_OK) Term();
    return rc;
}

int CmnDlt::StartDialog(int ctlCnt, int draCnt, int extPrtCnt, int freeIdx, int lockOpt,
                        const std::function<int()>& initCtl)
{
    return CmnDlg::StartDialog(ctlCnt, draCnt, extPrtCnt, [=] {
        int rc = InitPageList(freeIdx, lockOpt);
        return rc == VKE_OK && initCtl ? initCtl() : rc;
    });
}

int CmnDlt::Term()
{
    // The pages go before their tab control, and both before the dialog's own objects.
    int rc = TermPages();
    m_bDltInit = 0;
    int base = CmnDlg::Term();
    return rc != VKE_OK ? rc : base;
}

BOOL CmnDlt::OnInitDialog()
{
    if (!m_bDltInit) {
        m_bError = m_bModified = 0;
        m_hFcsWnd = nullptr;
    }
    return CmnDlg::OnInitDialog();
}

void CmnDlt::OnOK()
{
    if (m_pag.bReady && GetDataAll() != VKE_OK) return;
    CmnDlg::OnOK();
}

int CmnDlt::SaveFocus()
{
    HWND focus = ::GetFocus();
    bool keep = focus && (focus == m_pag.hTabWnd || (::IsChild(m_hWnd, focus) && IsShownAndEnabled(focus)));
    if (keep) m_hFcsWnd = focus;
    return keep ? 1 : 0;
}

// ---- Window ----

LRESULT CmnDlt::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    int notice = m_pag.bReady ? TabNotice(message, lParam) : 0;
    LRESULT result = CmnDlg::WindowProc(message, wParam, lParam);
    return notice ? RunTabNotice(notice) : result;
}

BOOL CmnDlt::PreTranslateMessage(MSG* pMsg)
{
    if (m_pag.bReady && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && pMsg->hwnd == m_pag.hTabWnd) {
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, IDCANCEL)));
        return TRUE;
    }
    return CmnDlg::PreTranslateMessage(pMsg);
}

void CmnDlt::OnSize(UINT nType, int cx, int cy)
{
    if (!m_pag.bReady) {
        CmnDlg::OnSize(nType, cx, cy);
        return;
    }
    MoveTab(CRect(0, 0, std::max(cx, kMinSide), std::max(cy, kMinSide)));
}

void CmnDlt::OnActivate(UINT nState, CWnd*, BOOL)
{
    if (!m_pag.bReady) {
        Default();
        return;
    }
    if (nState == WA_INACTIVE) {
        SaveFocus();
        Default();
        return;
    }
    Default();
    HWND last = m_hFcsWnd;
    m_hFcsWnd = nullptr;
    if (last && ::IsChild(m_hWnd, last) && IsShownAndEnabled(last) && ::GetFocus() != last) theCmnSub.PostSetFocus(last);
}

LRESULT CmnDlt::OnVkeWmSetLocked(WPARAM, LPARAM lParam)
{
    VkeTabLockReq* req = reinterpret_cast<VkeTabLockReq*>(lParam);
    if (!m_pag.bReady || !req) return 0;
    void* page = nullptr;
    int type = 0;
    if (GetPage(req->iIndex, &page, &type) == 1) req->iHandled = 1;
    return 1;
}

// ---- Commands ----

BOOL CmnDlt::OnTargetCmd(UINT nID)
{
    RunTargetCmd(nID);
    return TRUE;
}

void CmnDlt::OnUpdateTargetCmd(CCmdUI* pCmdUI) { RunUpdateTargetCmd(pCmdUI); }

BOOL CmnDlt::OnTabCmd(UINT nID)
{
    RunTabCmd(nID);
    return TRUE;
}

void CmnDlt::OnUpdateTabCmd(CCmdUI* pCmdUI) { RunUpdateTabCmd(pCmdUI); }

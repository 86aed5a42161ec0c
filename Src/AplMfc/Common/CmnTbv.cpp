// The tab view: start and end, its window's messages, the commands it routes and the settings.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnTbv"
#include "CmnTbv.h"
#include "CmnApp.h"
#include "CmnDlgOpr.h"
#include "CmnRes.h"
#include "CmnSub.h"
#include "CmnWin.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CmnTbv, CFormView)

BEGIN_MESSAGE_MAP(CmnTbv, CFormView)
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_INITMENUPOPUP()
    ON_WM_SETFOCUS()
    ON_WM_RBUTTONUP()
    ON_MESSAGE(CmnWmChgOpt, &ThisClass::OnCmnWmChgOpt)
    CMN_TBV_COMMAND_ENTRIES()
    ON_COMMAND_EX(ID_EDIT_SELECT_ALL, &ThisClass::OnEditSelAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, &ThisClass::OnUpdateEditSelAll)
    ON_COMMAND(ID_FILE_PAGE_SETUP, &ThisClass::OnFilePageSetup)
    ON_UPDATE_COMMAND_UI(ID_FILE_PAGE_SETUP, &ThisClass::OnUpdatePrintCmd)
    ON_COMMAND(ID_FILE_PRINT, &ThisClass::OnFilePrint)
    ON_UPDATE_COMMAND_UI(ID_FILE_PRINT, &ThisClass::OnUpdatePrintCmd)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, &ThisClass::OnFilePrint)
    ON_UPDATE_COMMAND_UI(ID_FILE_PRINT_DIRECT, &ThisClass::OnUpdatePrintCmd)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, &ThisClass::OnFilePrintPreview)
    ON_UPDATE_COMMAND_UI(ID_FILE_PRINT_PREVIEW, &ThisClass::OnUpdatePrintCmd)
END_MESSAGE_MAP()

namespace {

const CmnDatKind kKinds[] = {{0x40001, sizeof(TbvElm), CmnDatElm, 0},
                             {0x40002, sizeof(TbvPag), CmnDatList, 0x40001}};

// The smallest side the form and the tab control take.
const int kMinSide = 50;

// The engine's state colours and the settings that hold them (strColor_1 .. strColor_4).
struct StateColor {
    int (*get)(VkiDrw*, COLORREF*);
    int (*set)(VkiDrw*, COLORREF);
};
const StateColor kStateColors[] = {{VkeDrwGetErrorColor, VkeDrwSetErrorColor},
                                   {VkeDrwGetModifiedColor, VkeDrwSetModifiedColor},
                                   {VkeDrwGetSelectedColor, VkeDrwSetSelectedColor},
                                   {VkeDrwGetHdrSelectedColor, VkeDrwSetHdrSelectedColor}};

bool IsShownAndEnabled(HWND wnd) { return wnd && ::IsWindowVisible(wnd) && ::IsWindowEnabled(wnd); }

} // namespace

CmnTbv::CmnTbv(UINT nIDTemplate)
    : CFormView(nIDTemplate), CmnTbvOpr(*this, CMN_MODULE, kKinds, CmnTypImg, true), m_bInit(0), m_bTitleKept(0),
      m_wpPreview()
{
}

// ---- Start and end ----

int CmnTbv::Init(int freeIdx, int lockOpt)
{
    if (freeIdx != 0 && freeIdx != 1) return Fail("Init", VKE_ERR_ARG);
    if (lockOpt != 0 && lockOpt != 1) return Fail("Init", VKE_ERR_ARG);
    if (m_bInit) return Fail("Init", VKE_ERR_EXISTS);
    m_strTitle.Empty();
    m_bTitleKept = 0;
    int rc = InitPages(freeIdx, lockOpt);
    if (rc != VKE_OK) {
        Term();
        return Fail("Init", rc);
    }
    m_bInit = 1;
    return VKE_OK;
}

int CmnTbv::Term()
{
    int rc = TermPages();
    m_bInit = 0;
    return rc;
}

int CmnTbv::SaveFocus()
{
    HWND focus = ::GetFocus();
    TbvElm* e = nullptr;
    HWND page = m_pag.bReady && SchCurElm(&e) == VKE_OK ? e->hWnd : nullptr;
    if (focus && focus == m_pag.hTabWnd) m_hFcsWnd = focus;
    else if (focus && page && ::IsChild(page, focus) && IsShownAndEnabled(focus)) m_hFcsWnd = focus;
    else if (IsShownAndEnabled(page)) m_hFcsWnd = page;
    else return 0;
    return 1;
}

// ---- Window ----

LRESULT CmnTbv::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    int notice = TabNotice(message, lParam);
    LRESULT result = CFormView::WindowProc(message, wParam, lParam);
    return notice ? RunTabNotice(notice) : result;
}

void CmnTbv::OnInitialUpdate()
{
    if (m_bInit) return;
    CFormView::OnInitialUpdate();
    if (CFrameWnd* frame = GetParentFrame()) frame->RecalcLayout(TRUE);
    ResizeParentToFit(FALSE);
    CRect client;
    GetClientRect(&client);
    SetScaleToFitSize(CSize(std::max(client.Width(), kMinSide), std::max(client.Height(), kMinSide)));
}

void CmnTbv::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    // A remembered window keeps the focus where it was.
    if (SaveFocus()) return;
    CFormView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CmnTbv::OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd)
{
    if (nState == WA_INACTIVE) SaveFocus();
    CFormView::OnActivateFrame(nState, pFrameWnd);
}

void CmnTbv::OnDestroy()
{
    Term();
    CFormView::OnDestroy();
}

void CmnTbv::OnClose()
{
    if (CDocument* doc = GetDocument()) doc->OnCloseDocument();
    else Default();
}

void CmnTbv::OnSize(UINT nType, int cx, int cy)
{
    if (!m_pag.bReady) {
        CFormView::OnSize(nType, cx, cy);
        return;
    }
    int width = std::max(cx, kMinSide), height = std::max(cy, kMinSide);
    SetScaleToFitSize(CSize(width, height));
    // A preview shows the pages as they print: the tabs stay as they are meanwhile.
    int preview = 0;
    VkeSysGetPrintPreviewFlag(theCmnAppInf.pSys, &preview);
    if (!preview) MoveTab(CRect(0, 0, width, height));
}

void CmnTbv::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    Default();
    if (m_pag.bReady && !bSysMenu && pPopupMenu) theCmnWin.UpdateMenu(this, pPopupMenu, nullptr);
}

void CmnTbv::OnSetFocus(CWnd* pOldWnd)
{
    HWND last = m_hFcsWnd;
    if (last && ::IsChild(m_hWnd, last) && IsShownAndEnabled(last)) {
        if (::GetFocus() != last) theCmnSub.SetFocusWnd(last);
        return;
    }
    m_hFcsWnd = nullptr;
    CFormView::OnSetFocus(pOldWnd);
}

void CmnTbv::OnRButtonUp(UINT, CPoint)
{
    if (!m_pag.bReady) {
        Default();
        return;
    }
    CMenu* popup = m_pag.pMenu ? m_pag.pMenu->GetSubMenu(0) : nullptr;
    POINT at = {};
    ::GetCursorPos(&at);
    if (!popup || !popup->TrackPopupMenu(TPM_RIGHTBUTTON, at.x, at.y, this)) Fail("OnRButtonUp", VKE_ERR_SYSTEM);
}

LRESULT CmnTbv::OnCmnWmChgOpt(WPARAM, LPARAM)
{
    UpdateColor();
    return 0;
}

// ---- Commands ----

CWnd* CmnTbv::CmdTarget()
{
    CWnd* panel = nullptr;
    int found = 0;
    theCmnWin.IsExistEdtDlg(&panel, &found);
    return found && panel ? panel : CmnTbvOpr::CmdTarget();
}

// Select all belongs to a text box that has the keyboard; elsewhere the command goes on (the
// file list's).
BOOL CmnTbv::OnEditSelAll(UINT) { return theCmnWin.SelectAllText(::GetFocus()) == 1; }

void CmnTbv::OnUpdateEditSelAll(CCmdUI* pCmdUI)
{
    if (theCmnWin.IsTextBox(::GetFocus())) pCmdUI->Enable(TRUE);
    else pCmdUI->ContinueRouting();
}

BOOL CmnTbv::OnTargetCmd(UINT nID)
{
    RunTargetCmd(nID);
    return TRUE;
}

void CmnTbv::OnUpdateTargetCmd(CCmdUI* pCmdUI) { RunUpdateTargetCmd(pCmdUI); }

BOOL CmnTbv::OnTabCmd(UINT nID)
{
    RunTabCmd(nID);
    return TRUE;
}

void CmnTbv::OnUpdateTabCmd(CCmdUI* pCmdUI) { RunUpdateTabCmd(pCmdUI); }

// ---- Settings ----

int CmnTbv::UpdateColor()
{
    VkiDrw* drw = theCmnAppInf.pDrw;
    for (int i = 0; drw && i < 4; ++i) {
        COLORREF want = 0, now = 0;
        if (theCmnSub.GetColor(theCmnAppInf.strColor[i], &want) == VKE_OK && kStateColors[i].get(drw, &now) == VKE_OK &&
            want != now)
            kStateColors[i].set(drw, want);
    }
    ApplyTabSettings();
    return m_pag.bReady ? Redraw(0) : VKE_OK;
}

// The customisable tool bar: its button table and records, the customisation dialog's
// notifications and the docked layout that wraps to the main frame.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnTlb"
#include "CmnTlb.h"
#include "CmnApp.h"
#include "CmnDef.h"
#include "CmnWin.h"
#include <algorithm>
#include <stdlib.h>
#include <string.h>

IMPLEMENT_DYNAMIC(CmnTlb, CToolBar)

namespace {

// The bar's private messages (posted to its own window).
enum {
    TlbWmReset = 0x9111, // wParam the dialog reset: its lists are looked at
    TlbWmReopen = 0x9112 // the dialog closed after a reset opens again
};

// Controls of the platform's customisation dialog: its close button, and the list of the bar's
// buttons.
const int kDlgClose = IDCANCEL;
const int kDlgOnBar = 203;

CFrameWnd* MainFrame()
{
    CmnApp* app = CmnGetApp();
    return app ? DYNAMIC_DOWNCAST(CFrameWnd, app->GetMainFrame()) : nullptr;
}

// A notification's answer, and whether it was handled.
BOOL Answer(LRESULT* pResult, LRESULT value, BOOL handled)
{
    *pResult = value;
    return handled;
}

} // namespace

BEGIN_MESSAGE_MAP(CmnTlb, CToolBar)
    ON_WM_DESTROY()
    ON_MESSAGE(TlbWmReset, &ThisClass::OnTlbWmReset)
    ON_MESSAGE(TlbWmReopen, &ThisClass::OnTlbWmReopen)
END_MESSAGE_MAP()

CmnTlb::CmnTlb() : m_bInit(0), m_nBtnCnt(0), m_pBtn(nullptr), m_bri(), m_hResetDlg(nullptr) {}

CmnTlb::~CmnTlb() { Term(); }

BOOL CmnTlb::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) { return CToolBar::Create(pParentWnd, dwStyle, nID); }

BOOL CmnTlb::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    return CToolBar::CreateEx(pParentWnd, dwCtrlStyle, dwStyle, rcBorders, nID);
}

// ---- Life cycle ----

int CmnTlb::Init(const Bri* pDefault, const Bri* pSaved)
{
    if (m_bInit) {
        CMN_TRACE("Init", VKE_ERR_EXISTS);
        return VKE_ERR_EXISTS;
    }
    if (!pDefault) {
        CMN_TRACE("Init", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    Term();
    int count = ButtonCount();
    int rc = count < 1 ? VKE_ERR_SYSTEM : VKE_OK;
    if (rc == VKE_OK && !(m_pBtn = static_cast<TBBUTTON*>(calloc(static_cast<size_t>(count), sizeof(TBBUTTON)))))
        rc = VKE_ERR_MEMORY;
    for (int i = 0; rc == VKE_OK && i < count; ++i)
        if (!SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&m_pBtn[i]))) rc = VKE_ERR_SYSTEM;
    if (rc == VKE_OK) {
        m_nBtnCnt = count;
        m_bInit = 1;
        rc = SetBri(pDefault);
    }
    for (int i = 0; rc == VKE_OK && i < CmnBriCnt; ++i) rc = GetBri(i);
    if (rc == VKE_OK && pSaved) {
        // Damaged settings must not keep the program from starting: the default stays.
        if (pSaved->iCount < 0 || pSaved->iCount > CmnBriMax) CMN_TRACE("Init", VKE_ERR_ARG);
        else if ((rc = SetBri(pSaved)) == VKE_OK) rc = GetBri(1);
    }
    if (rc != VKE_OK) {
        Term();
        CMN_TRACE("Init", rc);
    }
    return rc;
}

int CmnTlb::Term()
{
    free(m_pBtn);
    m_pBtn = nullptr;
    m_nBtnCnt = 0;
    m_bInit = 0;
    return VKE_OK;
}

void CmnTlb::OnDestroy()
{
    Term();
    CToolBar::OnDestroy();
}

int CmnTlb::CheckInit(const char* name)
{
    if (m_bInit) return VKE_OK;
    CMN_TRACE(name, VKE_ERR_NOT_INIT);
    return VKE_ERR_NOT_INIT;
}

int CmnTlb::ButtonCount()
{
    int count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    return count >= 0 && count <= CmnBriMax ? count : -1;
}

// ---- Arrangements ----

int CmnTlb::SetBri(int nIndex)
{
    int rc = CheckInit("SetBri");
    if (rc != VKE_OK) return rc;
    if (nIndex < 0 || nIndex >= CmnBriCnt) {
        CMN_TRACE("SetBri", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    return SetBri(&m_bri[nIndex]);
}

int CmnTlb::SetBri(const Bri* pBri)
{
    int rc = CheckInit("SetBri");
    if (rc != VKE_OK) return rc;
    if (!pBri || pBri->iCount < 0 || pBri->iCount > CmnBriMax) {
        CMN_TRACE("SetBri", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    if (pBri != &m_bri[3]) m_bri[3] = *pBri;
    rc = ApplyBri(m_bri[3]);
    if (rc != VKE_OK) {
        CMN_TRACE("SetBri", rc);
        return rc;
    }
    m_bDelayedButtonLayout = TRUE;
    theCmnWin.RedrawBar(this);
    return VKE_OK;
}

int CmnTlb::ApplyBri(const Bri& bri)
{
    int count = ButtonCount();
    if (count < 0) return VKE_ERR_SYSTEM;
    while (count-- > 0)
        if (!SendMessage(TB_DELETEBUTTON, count)) return VKE_ERR_SYSTEM;
    int placed = 0;
    int ids[CmnBriMax];
    for (int i = 0; i < bri.iCount; ++i) {
        int id = bri.iId[i];
        // A command shows once: the bar's state updates reach only the first button of an id.
        if (id != 0 && std::find(ids, ids + placed, id) != ids + placed) continue;
        const TBBUTTON* button = nullptr;
        for (int k = 0; k < m_nBtnCnt && !button; ++k)
            if (m_pBtn[k].idCommand == id) button = &m_pBtn[k];
        if (!button) continue; // a command the bar no longer has
        if (!SendMessage(TB_INSERTBUTTONA, placed, reinterpret_cast<LPARAM>(button))) return VKE_ERR_SYSTEM;
        ids[placed++] = id;
    }
    return VKE_OK;
}

int CmnTlb::GetBri(int nIndex)
{
    int rc = CheckInit("GetBri");
    if (rc != VKE_OK) return rc;
    if (nIndex < 0 || nIndex >= CmnBriCnt) {
        CMN_TRACE("GetBri", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    return GetBri(nIndex, &m_bri[nIndex]);
}

int CmnTlb::GetBri(int nIndex, Bri* pBri)
{
    int rc = CheckInit("GetBri");
    if (rc != VKE_OK) return rc;
    if (!pBri || nIndex < 0 || nIndex >= CmnBriCnt) {
        CMN_TRACE("GetBri", VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    Bri bri = {};
    bri.iCount = ButtonCount();
    for (int i = 0; i < bri.iCount && rc == VKE_OK; ++i) {
        TBBUTTON button = {};
        if (!SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button))) rc = VKE_ERR_SYSTEM;
        bri.iId[i] = (button.fsStyle & TBSTYLE_SEP) ? 0 : button.idCommand;
    }
    if (bri.iCount < 0) rc = VKE_ERR_SYSTEM;
    if (rc != VKE_OK) {
        CMN_TRACE("GetBri", rc);
        return rc;
    }
    m_bri[nIndex] = bri;
    if (pBri != &m_bri[nIndex]) *pBri = bri;
    return VKE_OK;
}

int CmnTlb::Customize()
{
    int rc = CheckInit("Customize");
    if (rc == VKE_OK) rc = GetBri(2);
    if (rc != VKE_OK) {
        CMN_TRACE("Customize", rc);
        return rc;
    }
    SendMessage(TB_CUSTOMIZE);
    return VKE_OK;
}

// ---- The customisation dialog ----

BOOL CmnTlb::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    static const struct {
        UINT code;
        BOOL (CmnTlb::*handler)(NMHDR*, LRESULT*);
    } kRoutes[] = {
        {TBN_GETBUTTONINFOA, &CmnTlb::OnTbnGetButtonInfo}, {TBN_BEGINDRAG, &CmnTlb::OnTbnBeginDrag},
        {TBN_ENDDRAG, &CmnTlb::OnTbnEndDrag},               {TBN_BEGINADJUST, &CmnTlb::OnTbnBeginAdjust},
        {TBN_ENDADJUST, &CmnTlb::OnTbnEndAdjust},           {TBN_RESET, &CmnTlb::OnTbnReset},
        {TBN_QUERYINSERT, &CmnTlb::OnTbnQueryInsert},       {TBN_QUERYDELETE, &CmnTlb::OnTbnQueryDelete},
        {TBN_TOOLBARCHANGE, &CmnTlb::OnTbnToolBarChange},   {TBN_CUSTHELP, &CmnTlb::OnTbnCustHelp},
        {TBN_INITCUSTOMIZE, &CmnTlb::OnTbnInitCustomize}};
    if (message == WM_NOTIFY && lParam) {
        NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
        LRESULT result = 0;
        // A dialog that asks for the buttons fills its lists.
        if (hdr->code == TBN_GETBUTTONINFOA) m_hResetDlg = nullptr;
        for (const auto& route : kRoutes) {
            if (hdr->code != route.code || !(this->*route.handler)(hdr, &result)) continue;
            if (pResult) *pResult = result;
            return TRUE;
        }
    }
    return CToolBar::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CmnTlb::OnTbnBeginAdjust(NMHDR*, LRESULT* pResult)
{
    // The control opens the dialog itself too (a double click on a button), without Customize.
    if (m_bInit) GetBri(2);
    return Answer(pResult, 1, TRUE);
}

BOOL CmnTlb::OnTbnEndAdjust(NMHDR*, LRESULT* pResult) { return Answer(pResult, 1, TRUE); }

BOOL CmnTlb::OnTbnBeginDrag(NMHDR*, LRESULT* pResult) { return Answer(pResult, 0, FALSE); }

BOOL CmnTlb::OnTbnEndDrag(NMHDR*, LRESULT* pResult) { return Answer(pResult, 0, FALSE); }

BOOL CmnTlb::OnTbnInitCustomize(NMHDR*, LRESULT* pResult) { return Answer(pResult, TBNRF_HIDEHELP, TRUE); }

BOOL CmnTlb::OnTbnCustHelp(NMHDR*, LRESULT* pResult) { return Answer(pResult, 1, TRUE); }

BOOL CmnTlb::OnTbnGetButtonInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTOOLBARA* info = reinterpret_cast<NMTOOLBARA*>(pNMHDR);
    if (info->iItem < 0 || info->iItem >= m_nBtnCnt) return Answer(pResult, FALSE, TRUE);
    info->tbButton = m_pBtn[info->iItem];
    if (info->pszText && info->cchText > 0) {
        // "prompt\ntip": the dialog lists the tip.
        CString text;
        if (info->tbButton.idCommand) text.LoadString(static_cast<UINT>(info->tbButton.idCommand));
        int end = text.Find('\n');
        if (end >= 0) text = text.Mid(end + 1);
        VkeSubCopyStr(theCmnAppInf.pSub, info->pszText, text, info->cchText);
    }
    return Answer(pResult, TRUE, TRUE);
}

BOOL CmnTlb::OnTbnQueryDelete(NMHDR*, LRESULT* pResult) { return Answer(pResult, TRUE, TRUE); }

BOOL CmnTlb::OnTbnQueryInsert(NMHDR*, LRESULT* pResult) { return Answer(pResult, TRUE, TRUE); }

BOOL CmnTlb::OnTbnReset(NMHDR*, LRESULT* pResult)
{
    *pResult = 1;
    int rc = SetBri(2);
    if (rc != VKE_OK) CMN_TRACE("OnTbnReset", rc);
    // Whether the dialog fills its lists again is seen once its reset is done.
    m_hResetDlg = rc == VKE_OK ? CustomizeDialog() : nullptr;
    if (m_hResetDlg) PostMessage(TlbWmReset, reinterpret_cast<WPARAM>(m_hResetDlg));
    return TRUE;
}

HWND CmnTlb::CustomizeDialog()
{
    HWND owner = ::GetAncestor(m_hWnd, GA_ROOT);
    HWND dialog = ::GetActiveWindow();
    char name[16] = {};
    if (!dialog || dialog == owner || ::GetWindow(dialog, GW_OWNER) != owner) return nullptr;
    ::GetClassNameA(dialog, name, sizeof(name));
    HWND list = ::GetDlgItem(dialog, kDlgOnBar);
    return strcmp(name, "#32770") == 0 && list && ::GetDlgItem(dialog, kDlgClose) ? dialog : nullptr;
}

LRESULT CmnTlb::OnTlbWmReset(WPARAM wParam, LPARAM)
{
    HWND dialog = reinterpret_cast<HWND>(wParam);
    if (!dialog || dialog != m_hResetDlg || !::IsWindow(dialog) || !::IsWindowVisible(dialog)) return 0;
    // Its lists still show the buttons from before the reset: a new dialog shows them as they are.
    m_hResetDlg = nullptr;
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kDlgClose, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, kDlgClose)));
    PostMessage(TlbWmReopen);
    return 0;
}

LRESULT CmnTlb::OnTlbWmReopen(WPARAM, LPARAM)
{
    if (m_bInit) Customize();
    return 0;
}

BOOL CmnTlb::OnTbnToolBarChange(NMHDR*, LRESULT* pResult)
{
    *pResult = 1;
    int rc = GetBri(3);
    if (rc == VKE_OK) theCmnWin.RedrawBar(this);
    else CMN_TRACE("OnTbnToolBarChange", rc);
    return TRUE;
}

// ---- Layout ----

CSize CmnTlb::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (!m_bInit || (m_dwStyle & CBRS_SIZE_FIXED) || GetCount() == 0) return CToolBar::CalcFixedLayout(bStretch, bHorz);
    return CalcDynamicLayout(-1, bHorz ? LM_HORZDOCK : LM_VERTDOCK);
}

CSize CmnTlb::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    CFrameWnd* pFrame = MainFrame();
    if (m_bInit && !(m_dwStyle & CBRS_SIZE_FIXED) && GetCount() > 0 && (dwMode & (LM_HORZDOCK | LM_VERTDOCK)) && pFrame) {
        // The row (or column) is as long as the frame's client area inside the bar's borders.
        CRect client, inside(0, 0, 0, 0);
        pFrame->GetClientRect(&client);
        CalcInsideRect(inside, (dwMode & LM_HORZDOCK) != 0);
        if (dwMode & LM_HORZDOCK) {
            nLength = client.Width() + inside.Width();
            dwMode = (dwMode & ~(LM_STRETCH | LM_HORZDOCK | LM_LENGTHY)) | LM_HORZ;
        } else {
            nLength = client.Height() + inside.Height();
            dwMode = (dwMode & ~(LM_STRETCH | LM_HORZ | LM_VERTDOCK)) | LM_LENGTHY;
        }
    }
    return CToolBar::CalcDynamicLayout(nLength, dwMode);
}

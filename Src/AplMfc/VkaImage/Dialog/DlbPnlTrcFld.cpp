#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlbPnlTrcFld"
#include "DlbPnlTrcFld.h"
#include "CmnSub.h"
#include "Halcor.h"
#include "HalcorRes.h"

BEGIN_MESSAGE_MAP(DlbPnlTrcFld, DlbPnlBrw)
    ON_COMMAND(ID_VKA_SEL_DIR_OPEN, &ThisClass::OnOpnSelDir)
    ON_UPDATE_COMMAND_UI(ID_VKA_SEL_DIR_OPEN, &ThisClass::OnUpdateOpnSelDir)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VKA_VIEW_BACK, ID_VKA_VIEW_FORWARD, &ThisClass::OnUpdateByFrame)
END_MESSAGE_MAP()

namespace {

bool IsFolder(const char* path)
{
    int folder = 0;
    return path && *path && VkeSubIsDirectory(theCmnAppInf.pSub, path, &folder) == VKE_OK && folder;
}

} // namespace

DlbPnlTrcFld::DlbPnlTrcFld() : m_pTrcFld(nullptr) {}

DlbPnlTrcFld::~DlbPnlTrcFld()
{
    if (m_hWnd && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
    Term();
}

const char* DlbPnlTrcFld::Module() const { return CMN_MODULE; }

// ---- Start and end ----

int DlbPnlTrcFld::Init()
{
    int rc = InitPanel(VkaPnlTrcFld);
    if (rc != VKE_OK) return rc;
    m_pTrcFld = new CmnTrcFld;
    rc = ReplaceCtl(IDC_DLBPNL_TRCFLD, m_pTrcFld, WC_TREEVIEWA);
    if (rc == VKE_OK) rc = LoadMenu(m_menuPnl, IDR_DLBPNL_TRCFLD);
    if (rc == VKE_OK) rc = SetMenuHandle(m_menuPnl.m_hMenu);
    if (rc == VKE_OK) rc = InitCtl();
    if (rc != VKE_OK) {
        m_inf.bReady = 0;
        DeleteTree();
        CMN_TRACE("Init", rc);
        return rc;
    }
    MoveCtl();
    return VKE_OK;
}

int DlbPnlTrcFld::InitCtl()
{
    if (!m_pTrcFld || !m_pTrcFld->m_hWnd) {
        CMN_TRACE("InitCtl", VKE_ERR_SYSTEM);
        return VKE_ERR_SYSTEM;
    }
    UpdateData(TRUE);
    int rc = LoadMenu(m_menuTrc, IDR_DLBPNL_TRCFLD_CTX);
    if (rc == VKE_OK) rc = m_pTrcFld->Init();
    COLORREF color = 0;
    LOGFONTA font = {};
    if (rc == VKE_OK) rc = theCmnSub.GetTextColor(CmnKndTrc, 0, &color);
    if (rc == VKE_OK) rc = m_pTrcFld->SetTextColor(color);
    if (rc == VKE_OK) rc = theCmnSub.GetBackColor(CmnKndTrc, 0, &color);
    if (rc == VKE_OK) rc = m_pTrcFld->SetBackColor(color);
    if (rc == VKE_OK) rc = theCmnSub.GetFont(CmnKndTrc, 0, &font);
    if (rc == VKE_OK) rc = m_pTrcFld->SetFontByLogFont(&font);
    if (rc == VKE_OK) rc = m_pTrcFld->SetMenuHandle(m_menuTrc.m_hMenu);
    if (rc != VKE_OK) CMN_TRACE("InitCtl", rc);
    return rc;
}

void DlbPnlTrcFld::DeleteTree()
{
    CmnTrcFld* tree = m_pTrcFld;
    m_pTrcFld = nullptr;
    if (!tree) return;
    tree->Term();
    if (tree->m_hWnd) tree->DestroyWindow();
    delete tree;
}

int DlbPnlTrcFld::Term()
{
    DeleteTree();
    m_menuTrc.DestroyMenu();
    m_menuPnl.DestroyMenu();
    return DlbPnlBrw::Term();
}

// ---- Keys and commands ----

// Return on the tree, with no input error recorded in the panel, expands or collapses the
// selected folder.
BOOL DlbPnlTrcFld::PreTranslateMessage(MSG* pMsg)
{
    HWND focus = ::GetFocus();
    bool returnKey = pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && focus && ::IsChild(m_hWnd, focus);
    BOOL handled = DlbPnlBrw::PreTranslateMessage(pMsg);
    if (returnKey && m_inf.bReady && m_inf.iErrIdx < 0 && IsReady() && focus == m_pTrcFld->m_hWnd) {
        HTREEITEM item = m_pTrcFld->GetSelectedItem();
        if (item) m_pTrcFld->Expand(item, TVE_TOGGLE);
    }
    return handled;
}

void DlbPnlTrcFld::OnOpnSelDir()
{
    CString path = GetCurPathName();
    if (IsFolder(path)) OpenDirectory(path);
}

void DlbPnlTrcFld::OnUpdateOpnSelDir(CCmdUI* pCmdUI) { pCmdUI->Enable(IsFolder(GetCurPathName())); }

// ---- What the shell asks ----

int DlbPnlTrcFld::SetCurPath(const char* path, int force)
{
    return IsReady() ? m_pTrcFld->SetCurPath(path, force) : VKE_NOT_DONE;
}

int DlbPnlTrcFld::Search(const char* path)
{
    HTREEITEM item = nullptr;
    return IsReady() ? m_pTrcFld->Search(path, &item) : VKE_NOT_DONE;
}

int DlbPnlTrcFld::SetTree() { return IsReady() ? m_pTrcFld->SetTree(nullptr, nullptr) : VKE_NOT_DONE; }

int DlbPnlTrcFld::ViewBkw() { return IsReady() ? m_pTrcFld->ViewBkw() : VKE_NOT_DONE; }

int DlbPnlTrcFld::ViewFrw() { return IsReady() ? m_pTrcFld->ViewFrw() : VKE_NOT_DONE; }

int DlbPnlTrcFld::IsEnableViewBkw()
{
    int on = 0;
    if (IsReady()) m_pTrcFld->IsEnableViewBkw(&on);
    return on;
}

int DlbPnlTrcFld::IsEnableViewFrw()
{
    int on = 0;
    if (IsReady()) m_pTrcFld->IsEnableViewFrw(&on);
    return on;
}

CString DlbPnlTrcFld::GetCurPathName() { return IsReady() ? m_pTrcFld->GetCurPathName() : CString(); }

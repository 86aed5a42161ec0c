#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlbPnlLscFil"
#include "DlbPnlLscFil.h"
#include "ChildFrm.h"
#include "CmnRes.h"
#include "CmnSub.h"
#include "CmnWin.h"
#include "DlbPnlFilCmd.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include "VkaBatch.h"
#include <string.h>

BEGIN_MESSAGE_MAP(DlbPnlLscFil, DlbPnlBrw)
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SETFOCUS()
    ON_WM_MOUSEWHEEL()
    ON_MESSAGE(CmnWmChgOpt, &ThisClass::OnCmnWmChgOptLsc)
    ON_COMMAND(ID_VKA_SEL_DIR_OPEN, &ThisClass::OnOpnSelDir)
    ON_UPDATE_COMMAND_UI(ID_VKA_SEL_DIR_OPEN, &ThisClass::OnUpdateOpnSelDir)
    ON_COMMAND(ID_EDIT_SELECT_ALL, &ThisClass::OnEditSelAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, &ThisClass::OnUpdateEditSelAll)
    ON_UPDATE_COMMAND_UI(ID_VKA_SEL_DIR_GO, &ThisClass::OnUpdateByFrame)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VKA_VIEW_MODE_FIRST, ID_VKA_SORT_LAST, &ThisClass::OnUpdateByFrame)
END_MESSAGE_MAP()

namespace {

VkiSub* Sub() { return theCmnAppInf.pSub; }

bool IsFolder(const char* path)
{
    int folder = 0;
    return path && *path && VkeSubIsDirectory(Sub(), path, &folder) == VKE_OK && folder;
}

ChildFrm* MainFrame()
{
    HalcorApp* app = HalcorGetApp();
    return app ? DYNAMIC_DOWNCAST(ChildFrm, app->GetMainFrame()) : nullptr;
}

// The file-command panel when it offers its filter.
DlbPnlFilCmd* FilterPanel()
{
    HalcorApp* app = HalcorGetApp();
    DlbPnlFilCmd* panel = app ? app->GetPnlFilCmd() : nullptr;
    return panel && panel->m_hWnd && panel->HasFilter() ? panel : nullptr;
}

} // namespace

DlbPnlLscFil::DlbPnlLscFil() : m_pLscFil(nullptr) {}

DlbPnlLscFil::~DlbPnlLscFil()
{
    if (m_hWnd && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
    Term();
}

const char* DlbPnlLscFil::Module() const { return CMN_MODULE; }

// ---- Start and end ----

int DlbPnlLscFil::Init()
{
    int rc = InitPanel(VkaPnlLscFil);
    if (rc != VKE_OK) return rc;
    m_pLscFil = new CmnLscFil;
    rc = ReplaceCtl(IDC_DLBPNL_LSCFIL, m_pLscFil, WC_LISTVIEWA);
    if (rc == VKE_OK) UpdateLscFii();
    if (rc == VKE_OK) rc = LoadMenu(m_menuPnl, IDR_DLBPNL_LSCFIL);
    if (rc == VKE_OK) rc = ShowMenu(&m_menuPnl);
    if (rc == VKE_OK) rc = SetMenuHandle(m_menuPnl.m_hMenu);
    if (rc == VKE_OK) rc = InitCtl();
    if (rc != VKE_OK) {
        m_inf.bReady = 0;
        DeleteList();
        CMN_TRACE("Init", rc);
        return rc;
    }
    MoveCtl();
    return VKE_OK;
}

int DlbPnlLscFil::InitCtl()
{
    if (!m_pLscFil || !m_pLscFil->m_hWnd) {
        CMN_TRACE("InitCtl", VKE_ERR_SYSTEM);
        return VKE_ERR_SYSTEM;
    }
    UpdateData(TRUE);
    int rc = LoadMenu(m_menuLsc, IDR_DLBPNL_LSCFIL_CTX);
    if (rc == VKE_OK) rc = ShowMenu(&m_menuLsc);
    if (rc == VKE_OK) rc = m_pLscFil->Init();
    COLORREF color = 0;
    LOGFONTA font = {};
    if (rc == VKE_OK) rc = theCmnSub.GetTextColor(CmnKndLsc, 0, &color);
    if (rc == VKE_OK) rc = m_pLscFil->SetTextColor(color);
    if (rc == VKE_OK) rc = theCmnSub.GetBackColor(CmnKndLsc, 0, &color);
    if (rc == VKE_OK) rc = m_pLscFil->SetBackColor(color);
    if (rc == VKE_OK) rc = theCmnSub.GetTextBackColor(CmnKndLsc, 0, &color);
    if (rc == VKE_OK) rc = m_pLscFil->SetTextBackColor(color);
    if (rc == VKE_OK) rc = theCmnSub.GetFont(CmnKndLsc, 0, &font);
    if (rc == VKE_OK) rc = m_pLscFil->SetFontByLogFont(&font);
    if (rc == VKE_OK) rc = m_pLscFil->SetMenuHandle(m_menuLsc.m_hMenu);
    if (rc != VKE_OK) CMN_TRACE("InitCtl", rc);
    return rc;
}

void DlbPnlLscFil::DeleteList()
{
    CmnLscFil* list = m_pLscFil;
    m_pLscFil = nullptr;
    if (!list) return;
    list->Term();
    if (list->m_hWnd) list->DestroyWindow();
    delete list;
}

int DlbPnlLscFil::Term()
{
    DeleteList();
    m_menuLsc.DestroyMenu();
    m_menuPnl.DestroyMenu();
    return DlbPnlBrw::Term();
}

// ---- Messages ----

void DlbPnlLscFil::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    DlbPnlBrw::OnWindowPosChanged(lpwndpos);
    if (!IsReady() || !m_pLscFil->m_hWnd) return;
    CRect rect;
    GetWindowRect(&rect);
    DWORD align = rect.Width() > rect.Height() ? LVS_ALIGNLEFT : LVS_ALIGNTOP;
    if ((m_pLscFil->GetStyle() & LVS_ALIGNMASK) == align) return;
    int mode = m_pLscFil->GetListViewMode();
    if (mode >= LscModeTmn && mode <= LscModeSml) {
        int rc = m_pLscFil->SetListViewMode(mode);
        if (rc != VKE_OK && rc != VKE_STOPPED) {
            CMN_TRACE("OnWindowPosChanged", rc);
            return;
        }
    }
    m_pLscFil->ModifyStyle(LVS_ALIGNMASK, align);
    // Sized a pixel smaller and back, the list lays its items out again.
    CRect list;
    m_pLscFil->GetWindowRect(&list);
    const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    ::SetWindowPos(m_pLscFil->m_hWnd, nullptr, 0, 0, list.Width() - 1, list.Height() - 1, flags);
    ::SetWindowPos(m_pLscFil->m_hWnd, nullptr, 0, 0, list.Width(), list.Height(), flags);
}

void DlbPnlLscFil::OnSetFocus(CWnd* pOldWnd)
{
    DlbPnlBrw::OnSetFocus(pOldWnd);
    ChildFrm* frame = MainFrame();
    if (!frame || !frame->IsInit()) return;
    if (m_pLscFil && m_pLscFil->m_hWnd && m_pLscFil->IsWindowVisible() && m_pLscFil->IsWindowEnabled())
        theCmnSub.SetFocusWnd(m_pLscFil->m_hWnd);
    else
        ::SetFocus(nullptr);
}

BOOL DlbPnlLscFil::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    if (IsTracking()) return TRUE;
    if (!IsReady() || m_pLscFil->MouseWheel(nFlags, zDelta) == VKE_NOT_DONE) return FALSE;
    DlbPnlBrw::OnMouseWheel(nFlags, zDelta, pt);
    return TRUE;
}

BOOL DlbPnlLscFil::PreTranslateMessage(MSG* pMsg)
{
    HWND focus = ::GetFocus();
    bool returnKey = pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && focus && ::IsChild(m_hWnd, focus);
    BOOL handled = DlbPnlBrw::PreTranslateMessage(pMsg);
    if (!returnKey || !IsReady() || focus != m_pLscFil->m_hWnd) return handled;
    m_pLscFil->SetReturnOpened(0);
    if (m_inf.bReady && m_inf.iErrIdx < 0 && OnKeyReturnLsc()) return TRUE;
    return handled;
}

BOOL DlbPnlLscFil::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* nm = reinterpret_cast<const NMHDR*>(lParam);
    if (nm && nm->code == static_cast<UINT>(NM_DBLCLK) && OnNmDblClkLsc()) {
        *pResult = 0;
        return TRUE;
    }
    return DlbPnlBrw::OnNotify(wParam, lParam, pResult);
}

int DlbPnlLscFil::OnKeyReturnLsc()
{
    if (!IsReady() || !m_inf.bReady) return 0;
    int selected = 0, folder = 0;
    CString path = m_pLscFil->IsSelected(&selected, &folder);
    if (!selected || path.IsEmpty() || folder) return 0;
    OpenImage();
    // The key's release leaves the page opened in front.
    m_pLscFil->SetReturnOpened(1);
    return 0;
}

int DlbPnlLscFil::OnNmDblClkLsc()
{
    int rc = OnKeyReturnLsc();
    if (IsReady()) m_pLscFil->SetReturnOpened(0); // no key is held
    return rc;
}

// Settings changed: only other columns change the list and the sort commands of the menus.
LRESULT DlbPnlLscFil::OnCmnWmChgOptLsc(WPARAM wParam, LPARAM lParam)
{
    CmnDlb::OnCmnWmChgOpt(wParam, lParam);
    if (!IsReady()) return 1;
    const LscFii& app = theCmnAppInf.lscFii;
    const LscFii& list = m_pLscFil->GetSettings();
    if (app.iCntLstColTyp == list.iCntLstColTyp && memcmp(app.iTypLstCol, list.iTypLstCol, sizeof(app.iTypLstCol)) == 0)
        return 1;
    UpdateLscFii();
    ShowMenu(&m_menuLsc);
    ShowMenu(&m_menuPnl);
    return 1;
}

// ---- Commands ----

CString DlbPnlLscFil::SelectedFolder()
{
    int selected = 0, folder = 0;
    CString path = IsSelected(&selected, &folder);
    return folder ? path : CString();
}

void DlbPnlLscFil::OnOpnSelDir()
{
    CString folder = SelectedFolder();
    if (!folder.IsEmpty()) OpenDirectory(folder);
}

void DlbPnlLscFil::OnUpdateOpnSelDir(CCmdUI* pCmdUI) { pCmdUI->Enable(!SelectedFolder().IsEmpty()); }

void DlbPnlLscFil::OnEditSelAll() { EditSelAll(); }

void DlbPnlLscFil::OnUpdateEditSelAll(CCmdUI* pCmdUI) { pCmdUI->Enable(CanEditSelAll()); }

int DlbPnlLscFil::EditSelAll()
{
    if (!IsReady()) {
        CMN_TRACE("EditSelAll", VKE_ERR_NOT_INIT);
        return VKE_ERR_NOT_INIT;
    }
    m_pLscFil->EditSelAll();
    return VKE_OK;
}

int DlbPnlLscFil::CanEditSelAll()
{
    int on = 0;
    if (IsReady()) m_pLscFil->IsEnableEditSelAll(&on);
    return on;
}

int DlbPnlLscFil::ShowMenu(CMenu* menu)
{
    HMENU popup = menu && menu->m_hMenu ? ::GetSubMenu(menu->m_hMenu, 0) : nullptr;
    HMENU sort = nullptr;
    for (int i = 0, n = popup ? ::GetMenuItemCount(popup) : 0; i < n && !sort; ++i) sort = ::GetSubMenu(popup, i);
    if (!sort) {
        CMN_TRACE("ShowMenu", VKE_ERR_SYSTEM);
        return VKE_ERR_SYSTEM;
    }
    while (::GetMenuItemCount(sort) > 0) ::DeleteMenu(sort, 0, MF_BYPOSITION);
    const LscFii& fii = IsReady() ? m_pLscFil->GetSettings() : theCmnAppInf.lscFii;
    CString of, asc, dsc;
    of.LoadString(IDS_VKA_LSC_OF);
    asc.LoadString(IDS_VKA_LSC_ASC);
    dsc.LoadString(IDS_VKA_LSC_DSC);
    const int count = fii.iCntLstColTyp < CmnLstColCnt ? fii.iCntLstColTyp : CmnLstColCnt;
    for (int pos = 0; pos < count; ++pos) {
        int kind = fii.iTypLstCol[pos];
        if (kind < 1 || kind > CmnLstColCnt) continue;
        CString title;
        title.LoadString(static_cast<UINT>(IDS_CMN_LSC_COL_FIRST + kind - 1));
        UINT id = static_cast<UINT>(ID_VKA_SORT_FIRST + 2 * (kind - 1));
        if (pos > 0) ::AppendMenuA(sort, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(sort, MF_STRING, id, title + of + asc + "(&A)");
        ::AppendMenuA(sort, MF_STRING, id + 1, title + of + dsc + "(&D)");
    }
    // The bar of the menu's window (none for these popups) shows it again.
    HWND owner = menu == &m_menuLsc && m_pLscFil ? m_pLscFil->m_hWnd : m_hWnd;
    if (owner && ::GetMenu(owner)) ::DrawMenuBar(owner);
    return VKE_OK;
}

int DlbPnlLscFil::SetPli()
{
    if (!IsReady()) return VKE_NOT_DONE;
    m_pLscFil->GetLscFii();
    DlbPnlFilCmd* filter = FilterPanel();
    if (!filter) return VKE_OK;
    int rc = VkeSubSetAppMemStr(Sub(), &theCmnAppInf.lscFii.amFilter, filter->GetFlt());
    if (rc != VKE_OK) CMN_TRACE("SetPli", rc);
    return rc;
}

int DlbPnlLscFil::UpdateLscFii()
{
    if (!m_pLscFil) return VKE_NOT_DONE;
    m_pLscFil->SetLscFii();
    DlbPnlFilCmd* filter = FilterPanel();
    const AppMem& text = theCmnAppInf.lscFii.amFilter;
    if (filter) filter->SetFilter(text.pBuffer ? text.pBuffer : "", 1);
    return VKE_OK;
}

// ---- Opening ----

int DlbPnlLscFil::OpenImage()
{
    if (!m_pLscFil || !m_pLscFil->m_hWnd) return VKE_OK;
    if (!IsReady() || !m_inf.bReady) {
        CMN_TRACE("OpenImage", VKE_ERR_NOT_INIT);
        return VKE_ERR_NOT_INIT;
    }
    HalcorApp* app = HalcorGetApp();
    ChildFrm* frame = MainFrame();
    if (!app || !frame) return VKE_OK;
    if (m_pLscFil->GetSelectedCount() == 0) return VKE_ERR_NOT_FOUND;
    VkaBatch batch({VKE_OK, VKE_NOT_DONE, VKE_STOPPED});
    batch.Add(app->BeginOpenFile());
    for (int i = m_pLscFil->GetNextItem(-1, LVNI_SELECTED); i >= 0 && batch.Going();
         i = m_pLscFil->GetNextItem(i, LVNI_SELECTED)) {
        CString path = m_pLscFil->GetPathName(i);
        char full[CmnPathSize] = {};
        int normal = 0;
        bool file = !path.IsEmpty() && VkeSubIsNormalFile(Sub(), full, path, sizeof(full), &normal) == VKE_OK && normal;
        if (file || IsFolder(path)) batch.Add(app->OpenFile(path, 0, 0, 0));
    }
    batch.End(app->EndOpenFile(batch.Result()));
    if (frame->IsInit()) theCmnSub.SetFocusWnd(m_pLscFil->m_hWnd);
    if (!batch.IsQuiet()) CMN_TRACE("OpenImage", batch.Result());
    return batch.Result();
}

// ---- What the shell asks ----

int DlbPnlLscFil::SetList(int root, LPCITEMIDLIST list) { return IsReady() ? m_pLscFil->SetList(root, list) : VKE_NOT_DONE; }

int DlbPnlLscFil::SetCurPath(const char* path, int force)
{
    return IsReady() ? m_pLscFil->SetCurPath(path, force) : VKE_NOT_DONE;
}

int DlbPnlLscFil::SortList(int kind, int ascending)
{
    return IsReady() ? m_pLscFil->SortList(kind, ascending) : VKE_NOT_DONE;
}

int DlbPnlLscFil::SetListViewMode(int mode) { return IsReady() ? m_pLscFil->SetListViewMode(mode) : VKE_NOT_DONE; }

int DlbPnlLscFil::GetListViewMode() { return IsReady() ? m_pLscFil->GetListViewMode() : 0; }

int DlbPnlLscFil::GetSortCol()
{
    if (!IsReady()) return -1;
    m_pLscFil->GetLscFii();
    return theCmnAppInf.lscFii.iIdxLstColTyp;
}

CString DlbPnlLscFil::IsSelected(int* selected, int* folder)
{
    if (IsReady()) return m_pLscFil->IsSelected(selected, folder);
    if (selected) *selected = 0;
    if (folder) *folder = 0;
    return CString();
}

CString DlbPnlLscFil::GetCurPathName() { return IsReady() ? m_pLscFil->GetCurPathName() : CString(); }

void DlbPnlLscFil::SetFilter(const char* text)
{
    if (IsReady()) m_pLscFil->SetFilter(text);
}

CString DlbPnlLscFil::GetFilter() { return IsReady() ? m_pLscFil->GetFilter() : CString(); }

int DlbPnlLscFil::IsFilling() { return IsReady() ? m_pLscFil->IsActiveThread(0) : 0; }

int DlbPnlLscFil::IsPumping() { return m_pLscFil ? m_pLscFil->IsPumping() : 0; }

void DlbPnlLscFil::StopThreads()
{
    if (IsReady()) m_pLscFil->WaitThread(0, 1);
}

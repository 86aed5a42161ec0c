// The application's commands on the file list and the folder tree: the selection's folder and
// image, select all, back and forward, the list's view modes and sorting, refresh and locate.
// Each update handler asks the panels, so a panel that is missing or hidden disables its items.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Halcor"
#include "Halcor.h"
#include "ChildViw.h"
#include "CmnImg.h"
#include "CmnWin.h"
#include "DlbPnlLscFil.h"
#include "DlbPnlPrv.h"
#include "DlbPnlTrcFld.h"
#include "DlgImg.h"
#include "HalcorRes.h"

namespace {

VkiSub* Sub() { return theCmnAppInf.pSub; }

bool IsLive(CWnd* wnd) { return wnd && wnd->m_hWnd && ::IsWindow(wnd->m_hWnd); }

bool IsShown(CControlBar* bar) { return IsLive(bar) && theCmnWin.IsBarVisible(bar); }

bool CanFocus(CWnd* wnd) { return IsShown(static_cast<CControlBar*>(wnd)) && wnd->IsWindowVisible() && wnd->IsWindowEnabled(); }

bool IsFolder(const char* path)
{
    int folder = 0;
    return path && *path && VkeSubIsDirectory(Sub(), path, &folder) == VKE_OK && folder;
}

// The names the sort commands report under, in command order.
const char* const kSortNames[] = {"OnViewSrtNamAsc",    "OnViewSrtNamDsc",    "OnViewSrtTypAsc",
                                  "OnViewSrtTypDsc",    "OnViewSrtSizAsc",    "OnViewSrtSizDsc",
                                  "OnViewSrtDttAcsAsc", "OnViewSrtDttAcsDsc", "OnViewSrtDttMdfAsc",
                                  "OnViewSrtDttMdfDsc", "OnViewSrtDttCreAsc", "OnViewSrtDttCreDsc"};

} // namespace

CString HalcorApp::SelectedFolder()
{
    DlbPnlLscFil* list = m_pPnlLscFil;
    int selected = 0, folder = 0;
    CString path = IsLive(list) ? list->IsSelected(&selected, &folder) : CString();
    return selected == 1 && folder ? path : CString();
}

bool HalcorApp::IsTreeAndListLive() { return IsLive(m_pPnlTrcFld) && IsLive(m_pPnlLscFil); }

// ---- The selection ----

void HalcorApp::OnFileSwtSelDir()
{
    if (!IsTreeAndListLive()) return;
    CString folder = SelectedFolder();
    if (!folder.IsEmpty() && m_pPnlTrcFld->Search(folder) == VKE_OK) m_pPnlTrcFld->SetCurPath(folder, 1);
}

void HalcorApp::OnFileOpnSelDir()
{
    if (!IsTreeAndListLive() || IsOpeningBusy()) return;
    CString folder = SelectedFolder();
    if (!folder.IsEmpty()) {
        m_pPnlLscFil->OpenDirectory(folder);
        return;
    }
    CString current = m_pPnlTrcFld->GetCurPathName();
    if (IsFolder(current)) m_pPnlTrcFld->OpenDirectory(current);
}

void HalcorApp::OnFileShwSelImg()
{
    if (!IsLive(m_pPnlLscFil)) return;
    CString path = m_pPnlLscFil->GetCurPathName();
    if (path.IsEmpty() || !GetPrvImg()) return;
    ChildViw* view = GetChildViw();
    if (GetPrvImgTab()) {
        if (view) view->OpenPageSelImg(path);
    } else if (IsLive(m_pPnlPrv)) {
        m_pPnlPrv->PreviewImage(path);
    }
}

void HalcorApp::OnFileOpnSelImg()
{
    if (!IsLive(m_pPnlLscFil) || IsOpeningBusy()) return;
    int selected = 0;
    if (!m_pPnlLscFil->IsSelected(&selected, nullptr).IsEmpty()) m_pPnlLscFil->OpenImage();
}

void HalcorApp::OnEditSelAll()
{
    // A text box with the keyboard selects its text; elsewhere the file list its items.
    if (SelectAllText(::GetFocus(), true)) return;
    if (IsShown(m_pPnlLscFil)) m_pPnlLscFil->EditSelAll();
}

void HalcorApp::OnUpdateSel(CCmdUI* pCmdUI)
{
    DlbPnlLscFil* list = m_pPnlLscFil;
    bool on = false;
    switch (pCmdUI->m_nID) {
    case ID_VKA_SEL_DIR_GO:
        on = IsTreeAndListLive() && !SelectedFolder().IsEmpty();
        break;
    case ID_VKA_SEL_DIR_OPEN:
        on = IsTreeAndListLive() && (IsFolder(m_pPnlTrcFld->GetCurPathName()) || !SelectedFolder().IsEmpty());
        break;
    case ID_VKA_SEL_IMG_SHOW:
        on = IsLive(list) && !list->GetCurPathName().IsEmpty() && GetPrvImg() &&
             (GetPrvImgTab() ? GetChildViw() != nullptr : IsLive(m_pPnlPrv));
        break;
    case ID_VKA_SEL_IMG_OPEN: {
        int selected = 0;
        on = IsLive(list) && !list->IsSelected(&selected, nullptr).IsEmpty();
        break;
    }
    case ID_EDIT_SELECT_ALL:
        on = SelectAllText(::GetFocus(), false) || (IsShown(list) && list->CanEditSelAll());
        break;
    }
    pCmdUI->Enable(on);
}

// ---- Back and forward, view modes, sorting ----

void HalcorApp::OnViewBkwFrw(UINT nID)
{
    DlbPnlTrcFld* tree = m_pPnlTrcFld;
    if (!IsShown(tree)) return;
    if (nID == ID_VKA_VIEW_BACK) tree->ViewBkw();
    else tree->ViewFrw();
}

void HalcorApp::OnUpdateViewBkwFrw(CCmdUI* pCmdUI)
{
    DlbPnlTrcFld* tree = m_pPnlTrcFld;
    bool back = pCmdUI->m_nID == ID_VKA_VIEW_BACK;
    pCmdUI->Enable(IsShown(tree) && (back ? tree->IsEnableViewBkw() : tree->IsEnableViewFrw()));
}

void HalcorApp::OnViewMode(UINT nID)
{
    if (IsShown(m_pPnlLscFil)) m_pPnlLscFil->SetListViewMode(static_cast<int>(nID - ID_VKA_VIEW_MODE_FIRST) + 1);
}

void HalcorApp::OnUpdateViewMode(CCmdUI* pCmdUI)
{
    bool shown = IsShown(m_pPnlLscFil);
    pCmdUI->Enable(shown);
    pCmdUI->SetCheck(shown &&
                     m_pPnlLscFil->GetListViewMode() == static_cast<int>(pCmdUI->m_nID - ID_VKA_VIEW_MODE_FIRST) + 1);
}

void HalcorApp::OnViewSort(UINT nID)
{
    if (!IsShown(m_pPnlLscFil)) return;
    int n = static_cast<int>(nID - ID_VKA_SORT_FIRST);
    int rc = m_pPnlLscFil->SortList(n / 2 + 1, n % 2 == 0 ? 1 : 0);
    if (rc < 0) CMN_TRACE(kSortNames[n], rc);
}

void HalcorApp::OnUpdateViewSort(CCmdUI* pCmdUI)
{
    DlbPnlLscFil* list = m_pPnlLscFil;
    int col = IsShown(list) ? list->GetSortCol() : -1;
    bool valid = col >= 0 && col <= 5;
    pCmdUI->Enable(valid);
    int n = static_cast<int>(pCmdUI->m_nID - ID_VKA_SORT_FIRST);
    const LscFii& fii = theCmnAppInf.lscFii;
    pCmdUI->SetCheck(valid && fii.iTypLstCol[col] == n / 2 + 1 && (fii.bAscent == 1) == (n % 2 == 0));
}

// ---- Refresh and locate ----

void HalcorApp::FocusListOrTree(bool listSelected)
{
    if (listSelected && CanFocus(m_pPnlLscFil)) theCmnSub.SetFocusWnd(m_pPnlLscFil->m_hWnd);
    else if (CanFocus(m_pPnlTrcFld)) theCmnSub.SetFocusWnd(m_pPnlTrcFld->m_hWnd);
}

void HalcorApp::OnViewRfs()
{
    if (!IsTreeAndListLive()) return;
    theCmnImg.ClearCache(0);
    CString folder = m_pPnlTrcFld->GetCurPathName(), image = m_pPnlLscFil->GetCurPathName();
    m_pPnlTrcFld->SetTree();
    int rc = m_pPnlTrcFld->SetCurPath(folder, 1);
    if (rc != VKE_OK && rc != VKE_NOT_DONE) return;
    bool listSelected = rc == VKE_OK && m_pPnlLscFil->SetCurPath(image, 1) == VKE_OK && !image.IsEmpty();
    FocusListOrTree(listSelected);
}

CString HalcorApp::CurImagePath()
{
    ChildViw* view = GetChildViw();
    int index = -1;
    DlgImg* page = view && view->GetCurSel(&index) == VKE_OK && index >= 0 ? view->GetImgPage(index) : nullptr;
    return page ? page->GetPathName() : CString();
}

void HalcorApp::OnViewLocImg()
{
    CString path = CurImagePath();
    if (!IsTreeAndListLive() || path.IsEmpty()) return;
    DlbPnlTrcFld* tree = m_pPnlTrcFld;
    DlbPnlLscFil* list = m_pPnlLscFil;
    bool selected = list->SetCurPath(path, 1) == VKE_OK;
    if (!selected) {
        char folder[CmnPathSize] = {};
        VkeSubGetDirPath(Sub(), folder, path, sizeof(folder));
        int rc = tree->SetCurPath(folder, 1);
        if (rc != VKE_OK) {
            tree->SetTree();
            rc = tree->SetCurPath(folder, 1);
        }
        selected = rc == VKE_OK && list->SetCurPath(path, 1) == VKE_OK;
    }
    FocusListOrTree(selected);
}

void HalcorApp::OnUpdateViewRfsLoc(CCmdUI* pCmdUI)
{
    bool on = IsTreeAndListLive();
    if (pCmdUI->m_nID == ID_VKA_VIEW_LOCATE) on = on && !CurImagePath().IsEmpty();
    pCmdUI->Enable(on);
}

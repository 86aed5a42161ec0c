// The folder tree's object: start and end, the notifications, the folder history and its records,
// the image list, font, colours and menu.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnTrcFld"
#include "CmnTrcFld.h"
#include "CmnApp.h"
#include "CmnHold.h"
#include "CmnSub.h"
#include "CmnWndFnt.h"
#include <string.h>

IMPLEMENT_DYNAMIC(CmnTrcFld, CTreeCtrl)

BEGIN_MESSAGE_MAP(CmnTrcFld, CTreeCtrl)
    ON_WM_DESTROY()
    ON_MESSAGE(VkeWmEudDat, &ThisClass::OnVkeWmEudDat)
    ON_NOTIFY_REFLECT_EX(NM_RCLICK, &ThisClass::OnNmRClick)
    ON_NOTIFY_REFLECT_EX(TVN_DELETEITEMA, &ThisClass::OnTvnDeleteItem)
    ON_NOTIFY_REFLECT_EX(TVN_ITEMEXPANDINGA, &ThisClass::OnTvnItemExpanding)
    ON_NOTIFY_REFLECT_EX(TVN_SELCHANGEDA, &ThisClass::OnTvnSelChanged)
END_MESSAGE_MAP()

namespace {

VkiSub* Sub() { return theCmnAppInf.pSub; }

const char* Text(const AppMem& text) { return text.pBuffer ? text.pBuffer : ""; }

// The records of code 354: one path text each.
class HstDat : public CmnDat {
public:
    HstDat() : CmnDat(CMN_MODULE, kKinds, 1) {}

protected:
    int InitRec(int, Dat* p) override { return VkeSubInitAppMem(Sub(), &Hst(p)->amPath); }
    int TermRec(int, Dat* p) override { return VkeSubTermAppMem(Sub(), &Hst(p)->amPath); }
    int CopyRec(int, Dat* to, Dat* from) override
    {
        return VkeSubCopyAppMem(Sub(), &Hst(to)->amPath, &Hst(from)->amPath);
    }
    bool IsHeld(int, const Dat* p) override { return static_cast<const TrcFldHst*>(p)->amPath.pBuffer != nullptr; }

private:
    static TrcFldHst* Hst(Dat* p) { return static_cast<TrcFldHst*>(p); }
    static const CmnDatKind kKinds[1];
};

const CmnDatKind HstDat::kKinds[1] = {{CmnTrcFldCodHst, sizeof(TrcFldHst), CmnDatPlain, 0}};

HstDat s_hstDat;

// A getter's answer: -6 before the start, -9 without a place for it.
template <class T>
int Answer(bool init, const char* name, T* out, const T& value)
{
    if (!init) return VKE_ERR_NOT_INIT;
    if (!out) {
        CMN_TRACE(name, VKE_ERR_ARG);
        return VKE_ERR_ARG;
    }
    *out = value;
    return VKE_OK;
}

} // namespace

CmnTrcFld::CmnTrcFld()
    : m_bInit(0), m_bTerminating(0), m_bDeleting(0), m_iQuiet(0), m_bSelByKey(0), m_hMenu(nullptr), m_pEui(nullptr), m_hstCur(), m_lf(),
      m_iSortDir(1), m_hImgLst(nullptr), m_aiIcoPlain{-1, -1}, m_sli()
{
}

CmnTrcFld::~CmnTrcFld()
{
    if (m_hWnd && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
    Term();
}

int CmnTrcFld::Fail(const char* name, int code)
{
    CMN_TRACE(name, code);
    return code;
}

bool CmnTrcFld::CheckInit(const char* name)
{
    if (m_bInit) return true;
    CMN_TRACE(name, VKE_ERR_NOT_INIT);
    return false;
}

// ---- Start and end ----

int CmnTrcFld::Init()
{
    if (m_bInit) return Fail("Init", VKE_ERR_EXISTS);
    if (!m_hWnd) return Fail("Init", VKE_ERR_NOT_INIT);
    m_bTerminating = m_bDeleting = 0;
    m_hMenu = nullptr;
    m_pEui = nullptr;
    m_hstCur = TrcFldHst();
    m_iSortDir = 1;
    m_hImgLst = nullptr;
    m_aiIcoPlain[0] = m_aiIcoPlain[1] = -1;
    m_sli = CmnVarItmIdl();
    m_strCurPath.Empty();
    m_bInit = 1;
    int rc = VkeSubInitEui(Sub(), m_hWnd, &m_pEui);
    if (rc == VKE_OK) rc = InitDat(CmnTrcFldCodHst, &m_hstCur);
    if (rc == VKE_OK) rc = theCmnVar.InitDat(CmnVarCodItmIdl, &m_sli);
    if (rc == VKE_OK) rc = OpenImageList();
    if (rc == VKE_OK) rc = SetImageList();
    if (rc == VKE_OK) {
        rc = SetTree(nullptr, nullptr);
        if (rc == VKE_STOPPED) rc = VKE_OK;
    }
    if (rc == VKE_OK) rc = SetPathName("");
    if (rc != VKE_OK) {
        Term();
        return Fail("Init", rc);
    }
    return VKE_OK;
}

int CmnTrcFld::Term()
{
    if (!m_bInit || m_bTerminating) return VKE_NOT_DONE;
    m_bTerminating = 1;
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        DeleteAll();
        CTreeCtrl::SetImageList(static_cast<HIMAGELIST>(nullptr), TVSIL_NORMAL);
    }
    CloseImageList();
    theCmnVar.TermDat(CmnVarCodItmIdl, &m_sli);
    if (m_hstCur.amPath.pBuffer) TermDat(CmnTrcFldCodHst, &m_hstCur);
    int rc = m_pEui ? VkeSubTermEui(Sub(), m_hWnd, &m_pEui) : VKE_OK;
    m_pEui = nullptr;
    m_font.DeleteObject();
    m_strCurPath.Empty();
    m_bInit = 0;
    m_bTerminating = 0;
    if (rc != VKE_OK) CMN_TRACE("Term", rc);
    return rc;
}

void CmnTrcFld::OnDestroy()
{
    Term();
    CTreeCtrl::OnDestroy();
}

void CmnTrcFld::DeleteAll()
{
    m_bDeleting = 1;
    DeleteAllItems();
    m_bDeleting = 0;
}

// ---- Notifications ----

BOOL CmnTrcFld::OnNmRClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    HMENU popup = m_bInit && m_hMenu ? ::GetSubMenu(m_hMenu, 0) : nullptr;
    CWnd* owner = GetParent();
    if (!popup || !owner) return FALSE;
    POINT point = {};
    ::GetCursorPos(&point);
    return ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, owner->m_hWnd, nullptr);
}

BOOL CmnTrcFld::OnTvnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    TrcFldItm* item = reinterpret_cast<TrcFldItm*>(reinterpret_cast<NMTREEVIEWA*>(pNMHDR)->itemOld.lParam);
    FreeItem(&item);
    return TRUE;
}

BOOL CmnTrcFld::OnTvnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMTREEVIEWA* nm = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    HTREEITEM item = nm->itemNew.hItem;
    if (!m_bInit || (nm->action & (TVE_EXPAND | TVE_COLLAPSE)) != TVE_EXPAND) return TRUE;
    if (GetItemState(item, TVIS_EXPANDEDONCE) & TVIS_EXPANDEDONCE) return TRUE;
    TrcFldItm* rec = Record(item);
    if (!rec || !rec->pIdl) {
        CMN_TRACE("OnTvnItemExpanding", VKE_ERR_SYSTEM);
        return TRUE;
    }
    SetTree(item, rec->pIdl);
    // A search shows only the item it ends at.
    if (!m_iQuiet) ScrollTree(item);
    return TRUE;
}

BOOL CmnTrcFld::OnTvnSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    // While items go their records may be released already.
    if (!m_bInit || m_bDeleting || m_bTerminating) return TRUE;
    CmnApp* app = CmnGetApp();
    CWnd* frame = app ? app->GetMainFrame() : nullptr;
    HTREEITEM item = reinterpret_cast<NMTREEVIEWA*>(pNMHDR)->itemNew.hItem;
    TrcFldItm* rec = Record(item);
    if (!frame || !frame->m_hWnd || !rec || !rec->pIdl) {
        CMN_TRACE("OnTvnSelChanged", frame ? VKE_ERR_SYSTEM : VKE_ERR_NOT_INIT);
        return TRUE;
    }
    SetPathName(theCmnSub.GetPathName(rec->pIdl));
    ScrollTree(item);
    frame->SendMessage(CmnWmOpnDir, reinterpret_cast<WPARAM>(m_hWnd),
                       reinterpret_cast<LPARAM>(static_cast<const char*>(m_strCurPath)));
    CmnVarItmIdl sel = {item, rec->pIdl, !item || item == GetRootItem() ? 1 : 0};
    m_bSelByKey = reinterpret_cast<NMTREEVIEWA*>(pNMHDR)->action == TVC_BYKEYBOARD;
    frame->SendMessage(CmnWmChgSel, reinterpret_cast<WPARAM>(m_hWnd), reinterpret_cast<LPARAM>(&sel));
    m_bSelByKey = 0;
    return TRUE;
}

TrcFldItm* CmnTrcFld::Record(HTREEITEM item) const
{
    return item ? reinterpret_cast<TrcFldItm*>(GetItemData(item)) : nullptr;
}

int CmnTrcFld::FreeItem(TrcFldItm** p)
{
    if (!p || !*p) return VKE_OK;
    TrcFldItm* rec = *p;
    theCmnSub.FreeItemIdList(&rec->pIdlParent);
    theCmnSub.FreeItemIdList(&rec->pIdl);
    int rc = rec->amName.pBuffer ? VkeSubTermAppMem(Sub(), &rec->amName) : VKE_OK;
    delete rec;
    *p = nullptr;
    return rc;
}

// ---- The folder history ----

int CmnTrcFld::AllocDat(int code, Dat** out) { return s_hstDat.AllocDat(code, out); }
int CmnTrcFld::FreeDat(int code, Dat** p) { return s_hstDat.FreeDat(code, p); }
int CmnTrcFld::InitDat(int code, Dat* p) { return s_hstDat.InitDat(code, p); }
int CmnTrcFld::TermDat(int code, Dat* p) { return s_hstDat.TermDat(code, p); }
int CmnTrcFld::CopyDat(int code, Dat* to, Dat* from) { return s_hstDat.CopyDat(code, to, from); }
int CmnTrcFld::DupDat(int code, Dat** out, Dat* from) { return s_hstDat.DupDat(code, out, from); }
int CmnTrcFld::SetDat(int code, Dat* to, Dat* from) { return s_hstDat.SetDat(code, to, from); }

int CmnTrcFld::EditDat(int request, int code, Dat** p, Dat** q, Dat* current)
{
    if (!CheckInit("EditDat")) return VKE_ERR_NOT_INIT;
    bool needP = request >= 1 && request <= 7;
    bool needQ = request >= 5 && request <= 8;
    bool needRecP = request == 3 || request == 4 || request == 5 || request == 7;
    if (code != CmnTrcFldCodHst || request < 1 || request > 8 || (needP && !p) || (needQ && (!q || !*q)) ||
        (needRecP && !*p) || (request == 8 && !current))
        return Fail("EditDat", VKE_ERR_ARG);
    switch (request) {
    case 1: return AllocDat(code, p);
    case 2: return FreeDat(code, p);
    case 3: return InitDat(code, *p);
    case 4: return TermDat(code, *p);
    case 5: return CopyDat(code, *p, *q);
    case 6: return DupDat(code, p, *q);
    case 7: return SetDat(code, *p, *q);
    default: break;
    }
    int rc = SetDat(code, current, *q);
    return rc == VKE_OK && current == &m_hstCur ? SelectHistory() : rc;
}

// The history's current folder is the one selected now, so the selection records no step. A
// step without a path is the computer folder's: its item, not the root that an empty path selects
// (a new step from the root would drop the way forward).
int CmnTrcFld::SelectHistory()
{
    if (m_hstCur.amPath.iLength > 0) {
        int rc = SetCurPath(Text(m_hstCur.amPath), 0);
        return rc == VKE_ERR_NOT_FOUND || rc == VKE_NOT_DONE ? VKE_OK : rc;
    }
    HTREEITEM computer = ComputerItem();
    if (computer && computer != GetSelectedItem()) SelectItem(computer);
    return VKE_OK;
}

HTREEITEM CmnTrcFld::ComputerItem()
{
    LPITEMIDLIST list = nullptr;
    if (FAILED(::SHGetFolderLocation(m_hWnd, CSIDL_DRIVES, nullptr, 0, &list))) return nullptr;
    CmnIdl hold(list);
    HTREEITEM item = nullptr;
    return Search(nullptr, list, &item) == VKE_OK ? item : nullptr;
}

LRESULT CmnTrcFld::OnVkeWmEudDat(WPARAM wParam, LPARAM)
{
    EudReq* req = reinterpret_cast<EudReq*>(wParam);
    if (!req) {
        CMN_TRACE("OnVkeWmEudDat", VKE_ERR_ARG);
        return 0;
    }
    req->iResult = EditDat(req->iRequest, req->iKind, reinterpret_cast<Dat**>(req->ppSlot1),
                           reinterpret_cast<Dat**>(req->ppSlot2), &m_hstCur);
    return 1;
}

int CmnTrcFld::SetHistory(int step)
{
    if (!CheckInit("SetHistory")) return VKE_ERR_NOT_INIT;
    int rc = VkeSubSetEud(Sub(), m_hWnd, m_pEui, step, step, CmnTrcFldCodHst, &m_hstCur, 0);
    return rc == VKE_OK ? rc : Fail("SetHistory", rc);
}

// A path of the file system is the current path and folder and, when it differs from the
// history's current path, a step records that one before the path takes its place. An empty
// path, or the computer folder's, empties the current path; a history not empty records a step
// and becomes empty.
int CmnTrcFld::SetPathName(const char* path)
{
    if (!path) return Fail("SetPathName", VKE_ERR_ARG);
    if (!CheckInit("SetPathName")) return VKE_ERR_NOT_INIT;
    LPITEMIDLIST drives = nullptr;
    bool computerKnown = SUCCEEDED(::SHGetFolderLocation(m_hWnd, CSIDL_DRIVES, nullptr, 0, &drives));
    CmnIdl hold(drives);
    CString computer = computerKnown ? theCmnSub.GetPathName(drives) : CString();
    const char* next = path;
    if (!*path || (computerKnown && computer == path)) {
        if (!computerKnown) return Fail("SetPathName", VKE_ERR_SYSTEM);
        m_strCurPath.Empty();
        next = "";
    } else {
        m_strCurPath = path;
        theCmnSub.SetCurDir(path);
    }
    if (strcmp(next, Text(m_hstCur.amPath)) == 0) return VKE_OK;
    int rc = SetHistory(14);
    if (rc == VKE_OK) rc = VkeSubSetAppMemStr(Sub(), &m_hstCur.amPath, next);
    return rc == VKE_OK ? rc : Fail("SetPathName", rc);
}

int CmnTrcFld::GetHistoryFlag(EditFlag* flags)
{
    if (!CheckInit("GetHistoryFlag")) return VKE_ERR_NOT_INIT;
    int rc = VkeSubGetEditFlag(Sub(), m_pEui, flags);
    return rc == VKE_OK ? rc : Fail("GetHistoryFlag", rc);
}

int CmnTrcFld::IsEnableViewBkw(int* out)
{
    EditFlag flags = {};
    int rc = out ? GetHistoryFlag(&flags) : Fail("IsEnableViewBkw", VKE_ERR_ARG);
    if (out) *out = rc == VKE_OK ? flags.iUnd : 0;
    return rc;
}

int CmnTrcFld::IsEnableViewFrw(int* out)
{
    EditFlag flags = {};
    int rc = out ? GetHistoryFlag(&flags) : Fail("IsEnableViewFrw", VKE_ERR_ARG);
    if (out) *out = rc == VKE_OK ? flags.iRdo : 0;
    return rc;
}

int CmnTrcFld::ViewBkw()
{
    if (!CheckInit("ViewBkw")) return VKE_ERR_NOT_INIT;
    int can = 0;
    if (IsEnableViewBkw(&can) != VKE_OK || !can) return VKE_NOT_DONE;
    int rc = VkeSubEditUnd(Sub(), m_hWnd, m_pEui, 14, CmnTrcFldCodHst, &m_hstCur, 0);
    return rc == VKE_OK ? rc : Fail("ViewBkw", rc);
}

int CmnTrcFld::ViewFrw()
{
    if (!CheckInit("ViewFrw")) return VKE_ERR_NOT_INIT;
    int can = 0;
    if (IsEnableViewFrw(&can) != VKE_OK || !can) return VKE_NOT_DONE;
    int rc = VkeSubEditRdo(Sub(), m_hWnd, m_pEui);
    return rc == VKE_OK ? rc : Fail("ViewFrw", rc);
}

// ---- The image list ----

int CmnTrcFld::OpenImageList()
{
    if (!CheckInit("OpenImageList")) return VKE_ERR_NOT_INIT;
    m_hImgLst = theCmnSub.GetSystemImageList(SHGFI_SMALLICON);
    return m_hImgLst ? VKE_OK : Fail("OpenImageList", VKE_ERR_SYSTEM);
}

HIMAGELIST CmnTrcFld::CloseImageList()
{
    HIMAGELIST old = m_hImgLst;
    m_hImgLst = nullptr;
    return old;
}

int CmnTrcFld::SetImageList()
{
    if (!CheckInit("SetImageList")) return VKE_ERR_NOT_INIT;
    if (!m_hImgLst) return Fail("SetImageList", VKE_ERR_SYSTEM);
    CTreeCtrl::SetImageList(m_hImgLst, TVSIL_NORMAL);
    return VKE_OK;
}

// ---- Font, colours and menu ----

int CmnTrcFld::SetFont(const char* face, int points)
{
    if (!CheckInit("SetFont")) return VKE_ERR_NOT_INIT;
    LOGFONTA font = {};
    int rc = CmnGetWndLogFont(this, face, points, &font);
    return rc == VKE_OK ? SetFontByLogFont(&font) : Fail("SetFont", rc);
}

int CmnTrcFld::SetFontByLogFont(const LOGFONTA* pFont)
{
    if (!CheckInit("SetFontByLogFont")) return VKE_ERR_NOT_INIT;
    int rc = CmnSetWndFont(this, pFont, &m_lf, &m_font);
    return rc == VKE_OK ? rc : Fail("SetFontByLogFont", rc);
}

int CmnTrcFld::GetFontName(char* buffer, int size)
{
    if (!CheckInit("GetFontName")) return VKE_ERR_NOT_INIT;
    int rc = buffer && size >= 1 ? VkeSubCopyStr(Sub(), buffer, m_lf.lfFaceName, size) : VKE_ERR_ARG;
    return rc == VKE_OK ? rc : Fail("GetFontName", rc);
}

int CmnTrcFld::GetFontSize(int* points)
{
    return Answer(CheckInit("GetFontSize"), "GetFontSize", points, CmnGetWndFontSize(this, m_lf));
}

int CmnTrcFld::GetLogFont(LOGFONTA* pFont) { return Answer(CheckInit("GetLogFont"), "GetLogFont", pFont, m_lf); }

// A colour goes on the draw object's colour list (a full list is no failure) before the tree
// takes it.
int CmnTrcFld::TakeColor(const char* name, COLORREF color)
{
    if (!CheckInit(name)) return VKE_ERR_NOT_INIT;
    int rc = VkeDrwSetColor(theCmnAppInf.pDrw, color);
    return rc == VKE_OK || rc == VKE_ERR_CUT ? VKE_OK : Fail(name, rc);
}

int CmnTrcFld::SetTextColor(COLORREF color)
{
    int rc = TakeColor("SetTextColor", color);
    if (rc == VKE_OK) CTreeCtrl::SetTextColor(color);
    return rc;
}

int CmnTrcFld::GetTextColor(COLORREF* color)
{
    return Answer(CheckInit("GetTextColor"), "GetTextColor", color, CTreeCtrl::GetTextColor());
}

int CmnTrcFld::SetBackColor(COLORREF color)
{
    int rc = TakeColor("SetBackColor", color);
    if (rc == VKE_OK) CTreeCtrl::SetBkColor(color);
    return rc;
}

int CmnTrcFld::GetBackColor(COLORREF* color)
{
    return Answer(CheckInit("GetBackColor"), "GetBackColor", color, CTreeCtrl::GetBkColor());
}

int CmnTrcFld::SetMenuHandle(HMENU menu)
{
    if (!CheckInit("SetMenuHandle")) return VKE_ERR_NOT_INIT;
    m_hMenu = menu;
    return VKE_OK;
}

int CmnTrcFld::GetMenuHandle(HMENU* menu) { return Answer(CheckInit("GetMenuHandle"), "GetMenuHandle", menu, m_hMenu); }

int CmnTrcFld::Redraw(int erase)
{
    if (!CheckInit("Redraw")) return VKE_ERR_NOT_INIT;
    if (erase != 0 && erase != 1) return Fail("Redraw", VKE_ERR_ARG);
    Invalidate(erase);
    return VKE_OK;
}

// The file list's object: start and end, the records, font, colours and menu, the settings and
// view modes, the image lists, the header's sort images and the details view's columns.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnLscFilBsc"
#include "CmnLscFil.h"
#include "CmnApp.h"
#include "CmnHold.h"
#include "CmnImg.h"
#include "CmnLscFilShl.h"
#include "CmnRes.h"
#include "CmnSub.h"
#include "CmnWndFnt.h"
#include <string.h>

IMPLEMENT_DYNAMIC(CmnLscFil, CListCtrl)

BEGIN_MESSAGE_MAP(CmnLscFil, CListCtrl)
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_MESSAGE(CmnWmChgOpt, &ThisClass::OnCmnWmChgOpt)
    ON_MESSAGE(LscWmFill, &ThisClass::OnLscWmFill)
    ON_MESSAGE(LscWmFillEnd, &ThisClass::OnLscWmFillEnd)
    ON_MESSAGE(LscWmTmnDone, &ThisClass::OnLscWmTmnDone)
    ON_MESSAGE(LscWmTmnStart, &ThisClass::OnLscWmTmnStart)
    ON_NOTIFY_REFLECT_EX(NM_CLICK, &ThisClass::OnNmClick)
    ON_NOTIFY_REFLECT_EX(NM_DBLCLK, &ThisClass::OnNmDblClk)
    ON_NOTIFY_REFLECT_EX(NM_RCLICK, &ThisClass::OnNmRClick)
    ON_NOTIFY_REFLECT_EX(LVN_DELETEITEM, &ThisClass::OnLvnDeleteItem)
    ON_NOTIFY_REFLECT_EX(LVN_DELETEALLITEMS, &ThisClass::OnLvnDeleteAllItems)
    ON_NOTIFY_REFLECT_EX(LVN_ITEMCHANGED, &ThisClass::OnLvnItemChanged)
    ON_NOTIFY_REFLECT_EX(LVN_COLUMNCLICK, &ThisClass::OnLvnColumnClick)
    ON_NOTIFY_REFLECT_EX(LVN_BEGINDRAG, &ThisClass::OnLvnBeginDrag)
    ON_NOTIFY_REFLECT_EX(LVN_BEGINRDRAG, &ThisClass::OnLvnBeginRDrag)
END_MESSAGE_MAP()

int CmnLscFilBsc(int line, const char* name, int code)
{
    CmnTraceError("Src\\AplMfc\\Common\\CmnLscFilBsc", line, name, code);
    return code;
}

int CmnLscFilPro(int line, const char* name, int code)
{
    CmnTraceError("Src\\AplMfc\\Common\\CmnLscFilPro", line, name, code);
    return code;
}

namespace {

VkiSub* Sub() { return theCmnAppInf.pSub; }

const COLORREF kBlue = RGB(0, 0, 255);

// ---- The records 0x30001 and 0x30002 ----

// A search key: the item-id list and its path, asked once per search.
struct Key {
    LPCITEMIDLIST list;
    CString path;
};

class LscDat : public CmnDat {
public:
    LscDat() : CmnDat("Src\\AplMfc\\Common\\CmnLscFilPro", kKinds, 2) {}

protected:
    int InitRec(int code, Dat* p) override
    {
        if (code != CmnLscFilCodElm) return VKE_OK;
        LscFilElm* e = static_cast<LscFilElm*>(p);
        e->iItem = -1;
        for (int& image : e->aiImage) image = -1;
        int rc = VkeSubInitAppMem(Sub(), &e->amPath);
        for (AppMem& text : e->amCol)
            if (rc == VKE_OK) rc = VkeSubInitAppMem(Sub(), &text);
        return rc;
    }
    int TermRec(int code, Dat* p) override
    {
        if (code != CmnLscFilCodElm) return VKE_OK;
        LscFilElm* e = static_cast<LscFilElm*>(p);
        int first = VKE_OK;
        auto keep = [&first](int rc) {
            if (first == VKE_OK) first = rc;
        };
        keep(theCmnSub.FreeItemIdList(&e->pIdlFolder));
        keep(theCmnSub.FreeItemIdList(&e->pIdl));
        if (e->hTmn) keep(theCmnImg.CloseTmnImage(1, &e->hTmn));
        if (e->amPath.pBuffer) keep(VkeSubTermAppMem(Sub(), &e->amPath));
        for (AppMem& text : e->amCol)
            if (text.pBuffer) keep(VkeSubTermAppMem(Sub(), &text));
        Lke head = e->lke;
        memset(e, 0, sizeof(*e));
        e->lke = head;
        e->iItem = -1;
        for (int& image : e->aiImage) image = -1;
        return first;
    }
    int CopyRec(int code, Dat* to, Dat* from) override
    {
        if (code != CmnLscFilCodElm) return VKE_OK;
        LscFilElm* t = static_cast<LscFilElm*>(to);
        const LscFilElm* f = static_cast<const LscFilElm*>(from);
        theCmnSub.FreeItemIdList(&t->pIdlFolder);
        theCmnSub.FreeItemIdList(&t->pIdl);
        if ((f->pIdlFolder && !(t->pIdlFolder = theCmnSub.DupItemIdList(f->pIdlFolder))) ||
            (f->pIdl && !(t->pIdl = theCmnSub.DupItemIdList(f->pIdl))))
            return VKE_ERR_MEMORY;
        t->iItem = f->iItem;
        memcpy(t->aiImage, f->aiImage, sizeof(t->aiImage));
        t->dSize = f->dSize;
        t->iTimeAcs = f->iTimeAcs;
        t->iTimeMdf = f->iTimeMdf;
        t->iTimeCre = f->iTimeCre;
        t->bFolder = f->bFolder;
        t->bNormal = f->bNormal;
        // A held thumbnail stays its holder's.
        int rc = VkeSubCopyAppMem(Sub(), &t->amPath, const_cast<AppMem*>(&f->amPath));
        for (int i = 0; rc == VKE_OK && i < CmnLstColCnt; ++i)
            rc = VkeSubCopyAppMem(Sub(), &t->amCol[i], const_cast<AppMem*>(&f->amCol[i]));
        return rc;
    }
    bool IsHeld(int code, const Dat* p) override
    {
        if (code != CmnLscFilCodElm) return false;
        const LscFilElm* e = static_cast<const LscFilElm*>(p);
        return e->pIdl || e->pIdlFolder || e->hTmn || e->amPath.pBuffer;
    }
    bool IsKeyMode(int code, int mode) override { return code == CmnLscFilCodElm && mode == CmnLscFilSchIdl; }
    bool Match(int, int, void* key, Dat* p) override
    {
        const Key* k = static_cast<const Key*>(key);
        const LscFilElm* e = static_cast<const LscFilElm*>(p);
        if (!k->path.IsEmpty() && e->amPath.iLength > 0 && k->path == e->amPath.pBuffer) return true;
        return e->pIdl && theCmnSub.CmpItemIdList(e->pIdl, k->list) == 0;
    }

private:
    static const CmnDatKind kKinds[2];
};

const CmnDatKind LscDat::kKinds[2] = {{CmnLscFilCodElm, sizeof(LscFilElm), CmnDatElm, 0},
                                      {CmnLscFilCodLst, sizeof(LscFilLst), CmnDatList, CmnLscFilCodElm}};

LscDat s_dat;

// A getter's answer: -6 before the start, -9 without a place for it.
template <class T>
int Answer(bool init, const char* name, T* out, const T& value)
{
    if (!init) return VKE_ERR_NOT_INIT;
    if (!out) return LSC_BSC(name, VKE_ERR_ARG);
    *out = value;
    return VKE_OK;
}

// The shell's flags of each mode's system image list.
UINT ShellFlags(int mode)
{
    switch (mode) {
    case LscModeIco: return SHGFI_SHELLICONSIZE;
    case LscModeSml: return SHGFI_SMALLICON | SHGFI_SHELLICONSIZE;
    default: return SHGFI_SMALLICON;
    }
}

const DWORD kViewStyle[LscModeCnt + 1] = {0, LVS_ICON, LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};

} // namespace

CmnLscFil::CmnLscFil()
    : m_bInit(0), m_bTerminating(0), m_clrTextBack(::GetSysColor(COLOR_WINDOW)), m_hMenu(nullptr), m_bPending(0),
      m_iPending(-1), m_aiColKind(), m_lst(), m_drm(), m_pThr{nullptr, nullptr}, m_hStop{nullptr, nullptr}, m_lf(),
      m_iCntTmn(0), m_fii(), m_hImgLst(), m_amFilter(), m_sli(), m_bPump{0, 0}, m_pFolder(nullptr), m_pShl(nullptr),
      m_bDeleting(0), m_bFillOpen(0), m_bRedrawOff(0), m_bFillInsert(0), m_iFillFirst(0), m_pReq(nullptr),
      m_bPainting(0), m_bRetOpened(0)
{
}

CmnLscFil::~CmnLscFil()
{
    if (m_hWnd && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
    Term();
}

bool CmnLscFil::CheckInit(const char* name, const char* module)
{
    if (m_bInit) return true;
    CmnTraceError(module, __LINE__, name, VKE_ERR_NOT_INIT);
    return false;
}

// ---- Messages ----

// While worker 0 fills, scrolling waits; a wheel first drops the scrolls it posted before. The
// header's divider double-click (either character set) repaints the header.
LRESULT CmnLscFil::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL: {
        if (m_bInit && IsActiveThread(0)) return 1;
        if (message == WM_MOUSEWHEEL) {
            MSG msg;
            while (::PeekMessageA(&msg, m_hWnd, WM_HSCROLL, WM_VSCROLL, PM_REMOVE)) {
            }
            if (OnWmMouseWheel(message, wParam, lParam)) return 0;
            break;
        }
        int code = LOWORD(wParam), position = static_cast<short>(HIWORD(wParam));
        BOOL done = message == WM_HSCROLL ? OnWmHScroll(message, code, position) : OnWmVScroll(message, code, position);
        if (done) return 0;
        break;
    }
    case WM_KEYUP: {
        LRESULT result = CListCtrl::WindowProc(message, wParam, lParam);
        OnWmKeyUp(message, static_cast<UINT>(wParam), static_cast<UINT>(lParam));
        return result;
    }
    case WM_NOTIFY: {
        const NMHDR* nm = reinterpret_cast<const NMHDR*>(lParam);
        if (nm && (nm->code == HDN_DIVIDERDBLCLICKA || nm->code == HDN_DIVIDERDBLCLICKW) && nm->hwndFrom)
            ::InvalidateRect(nm->hwndFrom, nullptr, TRUE);
        break;
    }
    default: break;
    }
    return CListCtrl::WindowProc(message, wParam, lParam);
}

void CmnLscFil::OnDestroy()
{
    Term();
    CListCtrl::OnDestroy();
}

LRESULT CmnLscFil::OnCmnWmChgOpt(WPARAM, LPARAM)
{
    if (m_bInit) SetLscFii();
    return 1;
}

// ---- Start and end ----

int CmnLscFil::Init()
{
    if (m_bInit) return LSC_BSC("Init", VKE_ERR_EXISTS);
    if (!m_hWnd) return LSC_BSC("Init", VKE_ERR_NOT_INIT);
    m_bTerminating = 0;
    m_hMenu = nullptr;
    m_bPending = 0;
    m_iPending = -1;
    memset(m_aiColKind, 0, sizeof(m_aiColKind));
    memset(m_hImgLst, 0, sizeof(m_hImgLst));
    m_amFilter[0] = '\0';
    m_strCurPath.Empty();
    m_bPump[0] = m_bPump[1] = 0;
    m_iCntTmn = theCmnAppInf.iCntImgCacTmn;
    // A copy taken before the start is taken again.
    if (m_fii.amFilter.pBuffer) theCmnVar.TermDat(CmnVarCodLscFii, &m_fii);
    int rc = theCmnVar.InitDat(CmnVarCodLscFii, &m_fii);
    if (rc == VKE_OK) SetLscFii(); // before the start: a plain copy
    if (rc != VKE_OK) return LSC_BSC("Init", rc);
    m_pShl = new CmnLscFilShl;
    m_bInit = 1;
    ModifyStyle(LVS_OWNERDRAWFIXED | LVS_SORTASCENDING | LVS_SORTDESCENDING, 0);

    LOGBRUSH dotted = {BS_SOLID, kBlue, 0};
    const DWORD dashes[2] = {1, 2};
    if (!m_penBlack.CreatePen(PS_SOLID, 1, RGB(0, 0, 0)) ||
        !m_penDot.CreatePen(PS_COSMETIC | PS_USERSTYLE, 1, &dotted, 2, dashes) || !m_penBlue.CreatePen(PS_SOLID, 2, kBlue))
        rc = VKE_ERR_MEMORY;
    if (rc == VKE_OK) rc = SetBackColor(m_clrTextBack);
    if (rc == VKE_OK) rc = InitDat(CmnLscFilCodLst, &m_lst);
    if (rc == VKE_OK) rc = theCmnImg.InitDrm(&m_drm);
    if (rc == VKE_OK) rc = theCmnVar.InitDat(CmnVarCodItmIdl, &m_sli);
    if (rc == VKE_OK) rc = CreateColumn();
    if (rc == VKE_OK) {
        // The header's sort images: ascending, then descending.
        m_hImgLst[0] = ImageList_Create(16, 16, ILC_MASK | ILC_COLOR32, 2, 0);
        for (UINT id : {UINT(IDI_CMN_SORT_ASC), UINT(IDI_CMN_SORT_DSC)}) {
            HICON icon = static_cast<HICON>(
                ::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
            if (!m_hImgLst[0] || !icon || ImageList_AddIcon(m_hImgLst[0], icon) < 0) rc = VKE_ERR_MEMORY;
            if (icon) ::DestroyIcon(icon);
        }
    }
    if (rc == VKE_OK) {
        rc = SetListViewMode(m_fii.iModeLstViw);
        if (rc == VKE_STOPPED) rc = VKE_OK;
    }
    if (rc != VKE_OK) {
        Term();
        return LSC_BSC("Init", rc);
    }
    return VKE_OK;
}

int CmnLscFil::Term()
{
    if (!m_bInit && m_fii.amFilter.pBuffer && theCmnAppInf.pSub) theCmnVar.TermDat(CmnVarCodLscFii, &m_fii);
    if (!m_bInit || m_bTerminating) return VKE_NOT_DONE;
    m_bTerminating = 1;
    int first = WaitThread(0, 1);
    auto keep = [&first](int rc) {
        if (first == VKE_OK) first = rc;
    };
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        DeleteItems();
        CListCtrl::SetImageList(static_cast<HIMAGELIST>(nullptr), LVSIL_NORMAL);
        CListCtrl::SetImageList(static_cast<HIMAGELIST>(nullptr), LVSIL_SMALL);
        if (HWND header = GetHeaderCtrl()) Header_SetImageList(header, nullptr);
    }
    m_bPending = 0;
    m_iPending = -1;
    for (int mode = 1; mode <= LscModeCnt; ++mode) CloseImageList(mode);
    if (m_hImgLst[0]) ImageList_Destroy(m_hImgLst[0]);
    m_hImgLst[0] = nullptr;
    keep(theCmnVar.TermDat(CmnVarCodItmIdl, &m_sli));
    if (m_drm.hDC) keep(theCmnImg.TermDrm(&m_drm));
    keep(TermDat(CmnLscFilCodLst, &m_lst));
    keep(theCmnVar.TermDat(CmnVarCodLscFii, &m_fii));
    if (m_pFolder) m_pFolder->Release();
    m_pFolder = nullptr;
    delete m_pShl;
    m_pShl = nullptr;
    delete m_pReq;
    m_pReq = nullptr;
    m_font.DeleteObject();
    for (CPen* pen : {&m_penBlack, &m_penBack, &m_penDot, &m_penBlue}) pen->DeleteObject();
    m_brBack.DeleteObject();
    m_strCurPath.Empty();
    m_bInit = 0;
    m_bTerminating = 0;
    if (first != VKE_OK && first != VKE_STOPPED) LSC_BSC("Term", first);
    return first;
}

// ---- Records ----

int CmnLscFil::AllocDat(int code, Dat** out) { return s_dat.AllocDat(code, out); }
int CmnLscFil::FreeDat(int code, Dat** p) { return s_dat.FreeDat(code, p); }
int CmnLscFil::InitDat(int code, Dat* p) { return s_dat.InitDat(code, p); }
int CmnLscFil::TermDat(int code, Dat* p) { return s_dat.TermDat(code, p); }
int CmnLscFil::CopyDat(int code, Dat* to, Dat* from) { return s_dat.CopyDat(code, to, from); }
int CmnLscFil::DupDat(int code, Dat** out, Dat* from) { return s_dat.DupDat(code, out, from); }
int CmnLscFil::InsDat(int code, int mode, Lki* list, void* key, Dat* p)
{
    if (mode == CmnLscFilSchIdl && key) {
        Key k = {static_cast<LPCITEMIDLIST>(key), theCmnSub.GetPathName(static_cast<LPCITEMIDLIST>(key))};
        return s_dat.InsDat(code, mode, list, &k, p);
    }
    return s_dat.InsDat(code, mode, list, key, p);
}
int CmnLscFil::AddDat(int code, Lki* list, Dat* p) { return s_dat.AddDat(code, list, p); }
int CmnLscFil::DelDat(int code, int mode, Lki* list, void* key, Dat** out)
{
    if (mode == CmnLscFilSchIdl && key) {
        Key k = {static_cast<LPCITEMIDLIST>(key), theCmnSub.GetPathName(static_cast<LPCITEMIDLIST>(key))};
        return s_dat.DelDat(code, mode, list, &k, out);
    }
    return s_dat.DelDat(code, mode, list, key, out);
}

int CmnLscFil::SchDat(int code, int mode, Lki* list, void* key, Dat** out)
{
    if (mode == CmnLscFilSchIdl) {
        if (!key) return LSC_PRO("SchDat", VKE_ERR_ARG);
        // The key's path is asked once for the whole search.
        Key k = {static_cast<LPCITEMIDLIST>(key), theCmnSub.GetPathName(static_cast<LPCITEMIDLIST>(key))};
        return s_dat.SchDat(code, mode, list, &k, out);
    }
    return s_dat.SchDat(code, mode, list, key, out);
}

int CmnLscFil::SchLscFilElm(int index, LscFilElm** out)
{
    if (!CheckInit("SchLscFilElm", "Src\\AplMfc\\Common\\CmnLscFilPro")) return VKE_ERR_NOT_INIT;
    Dat* found = nullptr;
    int rc = SchDat(CmnLscFilCodElm, VKE_LKE_BY_NO, &m_lst, &index, &found);
    if (out) *out = static_cast<LscFilElm*>(found);
    return rc;
}

int CmnLscFil::SchLscFilElmByKey(LPCITEMIDLIST key, LscFilElm** out)
{
    if (!CheckInit("SchLscFilElmByKey", "Src\\AplMfc\\Common\\CmnLscFilPro")) return VKE_ERR_NOT_INIT;
    Dat* found = nullptr;
    int rc = SchDat(CmnLscFilCodElm, CmnLscFilSchIdl, &m_lst, const_cast<ITEMIDLIST*>(key), &found);
    if (out) *out = static_cast<LscFilElm*>(found);
    return rc;
}

// ---- Font, colours and menu ----

int CmnLscFil::SetFont(const char* face, int points)
{
    if (!CheckInit("SetFont", "Src\\AplMfc\\Common\\CmnLscFilBsc")) return VKE_ERR_NOT_INIT;
    LOGFONTA font = {};
    int rc = CmnGetWndLogFont(this, face, points, &font);
    return rc == VKE_OK ? SetFontByLogFont(&font) : LSC_BSC("SetFont", rc);
}

int CmnLscFil::SetFontByLogFont(const LOGFONTA* pFont)
{
    if (!CheckInit("SetFontByLogFont", "Src\\AplMfc\\Common\\CmnLscFilBsc")) return VKE_ERR_NOT_INIT;
    int rc = CmnSetWndFont(this, pFont, &m_lf, &m_font);
    if (rc != VKE_OK) return LSC_BSC("SetFontByLogFont", rc);
    if (HWND header = GetHeaderCtrl()) ::SendMessageA(header, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);
    // The thumbnails' spacing follows the text's height.
    if (m_fii.iModeLstViw == LscModeTmn && m_sli.pIdl) SetImage();
    return VKE_OK;
}

int CmnLscFil::GetFontName(char* buffer, int size)
{
    if (!CheckInit("GetFontName", "Src\\AplMfc\\Common\\CmnLscFilBsc")) return VKE_ERR_NOT_INIT;
    int rc = buffer && size >= 1 ? VkeSubCopyStr(Sub(), buffer, m_lf.lfFaceName, size) : VKE_ERR_ARG;
    return rc == VKE_OK ? rc : LSC_BSC("GetFontName", rc);
}

int CmnLscFil::GetFontSize(int* points)
{
    return Answer(m_bInit != 0, "GetFontSize", points, CmnGetWndFontSize(this, m_lf));
}

int CmnLscFil::GetLogFont(LOGFONTA* pFont) { return Answer(m_bInit != 0, "GetLogFont", pFont, m_lf); }

// A colour goes on the draw object's colour list (a full list is no failure) first.
int CmnLscFil::TakeColor(const char* name, COLORREF color)
{
    if (!CheckInit(name, "Src\\AplMfc\\Common\\CmnLscFilBsc")) return VKE_ERR_NOT_INIT;
    int rc = VkeDrwSetColor(theCmnAppInf.pDrw, color);
    return rc == VKE_OK || rc == VKE_ERR_CUT ? VKE_OK : LSC_BSC(name, rc);
}

int CmnLscFil::SetTextColor(COLORREF color)
{
    int rc = TakeColor("SetTextColor", color);
    if (rc == VKE_OK) CListCtrl::SetTextColor(color);
    return rc;
}

int CmnLscFil::GetTextColor(COLORREF* color)
{
    return Answer(m_bInit != 0, "GetTextColor", color, CListCtrl::GetTextColor());
}

int CmnLscFil::SetBackColor(COLORREF color)
{
    int rc = TakeColor("SetBackColor", color);
    if (rc != VKE_OK) return rc;
    CPen pen;
    CBrush brush;
    if (!pen.CreatePen(PS_SOLID, 2, color) || !brush.CreateSolidBrush(color)) return LSC_BSC("SetBackColor", VKE_ERR_MEMORY);
    m_penBack.DeleteObject();
    m_penBack.Attach(pen.Detach());
    m_brBack.DeleteObject();
    m_brBack.Attach(brush.Detach());
    CListCtrl::SetBkColor(color);
    CListCtrl::SetTextBkColor(color);
    m_clrTextBack = color;
    return VKE_OK;
}

int CmnLscFil::GetBackColor(COLORREF* color) { return Answer(m_bInit != 0, "GetBackColor", color, CListCtrl::GetBkColor()); }

int CmnLscFil::SetTextBackColor(COLORREF color)
{
    int rc = TakeColor("SetTextBackColor", color);
    if (rc == VKE_OK) {
        CListCtrl::SetTextBkColor(color);
        m_clrTextBack = color;
    }
    return rc;
}

int CmnLscFil::GetTextBackColor(COLORREF* color)
{
    return Answer(m_bInit != 0, "GetTextBackColor", color, CListCtrl::GetTextBkColor());
}

int CmnLscFil::SetMenuHandle(HMENU menu)
{
    if (!CheckInit("SetMenuHandle", "Src\\AplMfc\\Common\\CmnLscFilBsc")) return VKE_ERR_NOT_INIT;
    m_hMenu = menu;
    return VKE_OK;
}

int CmnLscFil::GetMenuHandle(HMENU* menu) { return Answer(m_bInit != 0, "GetMenuHandle", menu, m_hMenu); }

int CmnLscFil::Redraw(int erase)
{
    if (!CheckInit("Redraw", "Src\\AplMfc\\Common\\CmnLscFilBsc")) return VKE_ERR_NOT_INIT;
    if (erase != 0 && erase != 1) return LSC_BSC("Redraw", VKE_ERR_ARG);
    Invalidate(erase);
    UpdateWindow();
    return VKE_OK;
}

// ---- Settings ----

void CmnLscFil::SetLscFii()
{
    LscFii& app = theCmnAppInf.lscFii;
    if (!m_bInit) {
        int rc = m_fii.amFilter.pBuffer ? VKE_OK : theCmnVar.InitDat(CmnVarCodLscFii, &m_fii);
        if (rc == VKE_OK) rc = theCmnVar.CopyDat(CmnVarCodLscFii, &m_fii, &app);
        if (rc != VKE_OK) LSC_BSC("SetLscFii", rc);
        return;
    }
    GetColumnInf();
    const int count = theCmnAppInf.iCntImgCacTmn;
    bool tmn = count != m_iCntTmn || app.iWidthTmnImg != m_fii.iWidthTmnImg || app.iHeightTmnImg != m_fii.iHeightTmnImg;
    bool mode = app.iModeLstViw != m_fii.iModeLstViw || (tmn && app.iModeLstViw == LscModeTmn);
    bool columns = app.iCntLstColTyp != m_fii.iCntLstColTyp ||
                   memcmp(app.iTypLstCol, m_fii.iTypLstCol, sizeof(app.iTypLstCol)) != 0;
    bool widths = memcmp(app.iWidthLstCol, m_fii.iWidthLstCol, sizeof(app.iWidthLstCol)) != 0;
    // Another sort column (by kind) or direction sorts the items again.
    bool sort = SortKind(app) != SortKind(m_fii) || app.bAscent != m_fii.bAscent;
    const int oldMode = m_fii.iModeLstViw;
    int rc = theCmnVar.CopyDat(CmnVarCodLscFii, &m_fii, &app);
    if (rc != VKE_OK) {
        LSC_BSC("SetLscFii", rc);
        return;
    }
    // The mode is the list's to change.
    m_fii.iModeLstViw = oldMode;
    m_iCntTmn = count;
    if (tmn) {
        WaitThread(0, 1);
        CloseImageList(LscModeTmn);
        theCmnImg.ClearCache(0);
    }
    if (mode) {
        rc = SetListViewMode(app.iModeLstViw);
        // Leaving the details view read its columns back: the settings' columns stand.
        m_fii.iCntLstColTyp = app.iCntLstColTyp;
        m_fii.iIdxLstColTyp = app.iIdxLstColTyp;
        memcpy(m_fii.iTypLstCol, app.iTypLstCol, sizeof(m_fii.iTypLstCol));
        memcpy(m_fii.iWidthLstCol, app.iWidthLstCol, sizeof(m_fii.iWidthLstCol));
        if (rc != VKE_OK && rc != VKE_STOPPED) {
            LSC_BSC("SetLscFii", rc);
            return;
        }
    }
    if (columns) {
        WaitThread(0, 1);
        rc = CreateColumn();
        if (rc == VKE_OK && m_sli.pIdl) {
            LPITEMIDLIST folder = theCmnSub.DupItemIdList(m_sli.pIdl);
            rc = folder ? SetList(m_sli.bRoot, folder) : VKE_ERR_MEMORY;
            theCmnSub.FreeItemIdList(&folder);
        }
        if (rc != VKE_OK && rc != VKE_STOPPED) LSC_BSC("SetLscFii", rc);
    } else if (widths) {
        SetColumnWidth();
    }
    // A refill above sorted as the settings say; otherwise the items (or, with fewer than two,
    // the header alone) follow the new sort here.
    const int kind = SortKind(m_fii);
    if (sort && !columns && kind) {
        rc = m_lst.iCnt < 2 ? SetHeaderImage(kind, m_fii.bAscent) : SortList(kind, m_fii.bAscent);
        if (rc != VKE_OK && rc != VKE_STOPPED) LSC_BSC("SetLscFii", rc);
    }
}

int CmnLscFil::SortKind(const LscFii& fii)
{
    const int pos = fii.iIdxLstColTyp;
    return pos >= 0 && pos < fii.iCntLstColTyp && pos < CmnLstColCnt ? fii.iTypLstCol[pos] : 0;
}

void CmnLscFil::GetLscFii()
{
    if (!m_bInit) return;
    GetColumnInf();
    LscFii& app = theCmnAppInf.lscFii;
    app.iModeLstViw = m_fii.iModeLstViw;
    app.iWidthTmnImg = m_fii.iWidthTmnImg;
    app.iHeightTmnImg = m_fii.iHeightTmnImg;
    if (VkeSubCopyAppMem(Sub(), &app.amFilter, &m_fii.amFilter) != VKE_OK) LSC_BSC("GetLscFii", VKE_ERR_MEMORY);
    app.iCntLstColTyp = m_fii.iCntLstColTyp;
    app.iIdxLstColTyp = m_fii.iIdxLstColTyp;
    app.bAscent = m_fii.bAscent;
    memcpy(app.iTypLstCol, m_fii.iTypLstCol, sizeof(app.iTypLstCol));
    memcpy(app.iWidthLstCol, m_fii.iWidthLstCol, sizeof(app.iWidthLstCol));
}

int CmnLscFil::GetListViewMode() { return m_bInit ? m_fii.iModeLstViw : 0; }

int CmnLscFil::SetListViewMode(int mode)
{
    if (!CheckInit("SetListViewMode", "Src\\AplMfc\\Common\\CmnLscFilBsc")) return VKE_ERR_NOT_INIT;
    if (mode < 1 || mode > LscModeCnt) return LSC_BSC("SetListViewMode", VKE_ERR_ARG);
    WaitThread(0, 1);
    CmnWaitCursor wait;
    GetColumnInf();
    const int old = m_fii.iModeLstViw;
    // Columns dragged into another order are made again when the details view is left.
    bool rebuild = old == LscModeRpt && mode != old && memcmp(m_aiColKind, m_fii.iTypLstCol, sizeof(m_aiColKind)) != 0;
    if (mode <= LscModeSml || (old == LscModeRpt) != (mode == LscModeRpt)) DeleteItems();
    ModifyStyle(LVS_TYPEMASK, kViewStyle[mode] | LVS_AUTOARRANGE | LVS_SHAREIMAGELISTS);
    m_fii.iModeLstViw = mode;
    if (mode == LscModeRpt) {
        SetExtendedStyle(GetExtendedStyle() | LVS_EX_HEADERDRAGDROP);
        int pos = m_fii.iIdxLstColTyp;
        if (pos >= 0 && pos < CmnLstColCnt && SetHeaderImage(Kinds(pos), m_fii.bAscent) != VKE_OK)
            LSC_BSC("SetListViewMode", VKE_ERR_SYSTEM);
    } else {
        SetExtendedStyle(GetExtendedStyle() & ~static_cast<DWORD>(LVS_EX_HEADERDRAGDROP));
    }
    if (!m_sli.pIdl) return VKE_OK;
    int rc = SetImage();
    if (rc == VKE_OK && rebuild) {
        CString path = m_strCurPath;
        rc = CreateColumn();
        LPITEMIDLIST folder = rc == VKE_OK ? theCmnSub.DupItemIdList(m_sli.pIdl) : nullptr;
        if (rc == VKE_OK) rc = folder ? SetList(m_sli.bRoot, folder) : VKE_ERR_MEMORY;
        theCmnSub.FreeItemIdList(&folder);
        if (rc == VKE_OK) {
            rc = SetCurPath(path, 1);
            if (rc == VKE_ERR_NOT_FOUND) rc = VKE_OK;
        }
    } else if (rc == VKE_OK) {
        rc = SetListCtrl();
        if (rc == VKE_STOPPED) rc = VKE_OK;
    }
    return rc == VKE_OK || rc == VKE_STOPPED ? rc : LSC_BSC("SetListViewMode", rc);
}

// ---- Image lists and the header ----

int CmnLscFil::OpenImageList(int mode)
{
    if (!CheckInit("OpenImageList", "Src\\AplMfc\\Common\\CmnLscFilPro")) return VKE_ERR_NOT_INIT;
    if (mode < 1 || mode > LscModeCnt) return LSC_PRO("OpenImageList", VKE_ERR_ARG);
    CloseImageList(mode);
    if (mode == LscModeTmn) {
        // Blank: the list paints the thumbnails itself.
        m_hImgLst[mode] = ImageList_Create(m_fii.iWidthTmnImg, m_fii.iHeightTmnImg, ILC_COLORDDB, 1, 1);
    } else {
        m_hImgLst[mode] = theCmnSub.GetSystemImageList(ShellFlags(mode));
    }
    return m_hImgLst[mode] ? VKE_OK : LSC_PRO("OpenImageList", VKE_ERR_MEMORY);
}

void CmnLscFil::CloseImageList(int mode)
{
    if (mode < 1 || mode > LscModeCnt) return;
    if (mode == LscModeTmn && m_hImgLst[mode]) {
        if (m_hWnd && CListCtrl::GetImageList(LVSIL_NORMAL) == m_hImgLst[mode])
            CListCtrl::SetImageList(static_cast<HIMAGELIST>(nullptr), LVSIL_NORMAL);
        ImageList_Destroy(m_hImgLst[mode]);
    }
    m_hImgLst[mode] = nullptr;
}

int CmnLscFil::SetImage()
{
    if (!CheckInit("SetImage", "Src\\AplMfc\\Common\\CmnLscFilPro")) return VKE_ERR_NOT_INIT;
    const int mode = m_fii.iModeLstViw;
    if (mode < 1 || mode > LscModeCnt) return LSC_PRO("SetImage", VKE_ERR_ARG);
    if (!m_hImgLst[mode]) {
        int rc = OpenImageList(mode);
        if (rc != VKE_OK) return rc;
    }
    bool large = mode <= LscModeIco;
    CListCtrl::SetImageList(large ? m_hImgLst[mode] : nullptr, LVSIL_NORMAL);
    CListCtrl::SetImageList(large ? nullptr : m_hImgLst[mode], LVSIL_SMALL);
    if (HWND header = GetHeaderCtrl()) Header_SetImageList(header, mode == LscModeRpt ? m_hImgLst[0] : nullptr);
    if (mode == LscModeTmn) {
        // The letter's height in the list's font gives the room around each thumbnail.
        CClientDC dc(this);
        CDCSelect select(dc.m_hDC, m_font.m_hObject ? m_font.m_hObject : GetFont() ? GetFont()->m_hObject : nullptr);
        SIZE z = {};
        ::GetTextExtentPoint32A(dc.m_hDC, "Z", 1, &z);
        SetIconSpacing(m_fii.iWidthTmnImg + z.cy, m_fii.iHeightTmnImg + (5 * z.cy + 1) / 2);
    } else if (mode == LscModeIco) {
        // The default spacing is asked with -1 as the whole parameter: on 64 bits MAKELPARAM(-1,
        // -1) is 0xFFFFFFFF, not -1, and Wine's control takes it as a spacing of 65535 both ways.
        SendMessage(LVM_SETICONSPACING, 0, static_cast<LPARAM>(-1));
    }
    return VKE_OK;
}

int CmnLscFil::AddImage(LPCITEMIDLIST list, int* out) { return AddImageOf(nullptr, list, out); }

// With the element, its facts let it share its extension's icon.
int CmnLscFil::AddImageOf(const LscFilElm* elm, LPCITEMIDLIST list, int* out)
{
    if (!CheckInit("AddImage", "Src\\AplMfc\\Common\\CmnLscFilPro")) return VKE_ERR_NOT_INIT;
    if (!list || !out) return LSC_PRO("AddImage", VKE_ERR_ARG);
    const int mode = m_fii.iModeLstViw;
    *out = -1;
    if (mode == LscModeTmn) return VKE_OK;
    UINT flags = SHGFI_SYSICONINDEX | ShellFlags(mode);
    int index = -1;
    if (elm && m_pShl) {
        CmnLscFilShl::Facts facts;
        m_pShl->GetFacts(elm->amPath.pBuffer, &facts);
        index = m_pShl->GetIconIndex(list, elm->amPath.pBuffer, facts, flags);
    } else {
        index = theCmnSub.GetSysImgLstIcoIdx(list, flags);
    }
    if (index < 0) {
        *out = -2;
        return LSC_PRO("AddImage", VKE_ERR_MEMORY);
    }
    *out = index;
    return VKE_OK;
}

int CmnLscFil::SetHeaderImage(int kind, int ascending)
{
    if (!CheckInit("SetHeaderImage", "Src\\AplMfc\\Common\\CmnLscFilPro")) return VKE_ERR_NOT_INIT;
    if (m_fii.iModeLstViw != LscModeRpt) return VKE_OK;
    HWND header = GetHeaderCtrl();
    if (!header) return LSC_PRO("SetHeaderImage", VKE_ERR_SYSTEM);
    int sorted = ColumnOf(kind);
    for (int column = 0, count = Header_GetItemCount(header); column < count; ++column) {
        HDITEMA item = {};
        item.mask = HDI_FORMAT | HDI_IMAGE;
        item.fmt = HDF_STRING | (ColumnKind(column) == LscColSiz ? HDF_RIGHT : HDF_LEFT);
        if (column == sorted) {
            item.fmt |= HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
            item.iImage = ascending ? 0 : 1;
        }
        if (!::SendMessageA(header, HDM_SETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item)))
            return LSC_PRO("SetHeaderImage", VKE_ERR_SYSTEM);
    }
    return VKE_OK;
}

// ---- Columns ----

int CmnLscFil::KindPos(int kind) const
{
    for (int pos = 0; pos < m_fii.iCntLstColTyp && pos < CmnLstColCnt; ++pos)
        if (m_fii.iTypLstCol[pos] == kind) return pos;
    return -1;
}

// Column 0 is the name; column n the n-th other kind the columns were made from.
int CmnLscFil::ColumnKind(int column) const
{
    if (column == 0) return LscColNam;
    int n = 0;
    for (int pos = 0; pos < m_fii.iCntLstColTyp && pos < CmnLstColCnt; ++pos)
        if (m_aiColKind[pos] != LscColNam && ++n == column) return m_aiColKind[pos];
    return 0;
}

int CmnLscFil::ColumnOf(int kind) const
{
    if (kind == LscColNam) return 0;
    int n = 0;
    for (int pos = 0; pos < m_fii.iCntLstColTyp && pos < CmnLstColCnt; ++pos) {
        if (m_aiColKind[pos] == LscColNam) continue;
        ++n;
        if (m_aiColKind[pos] == kind) return n;
    }
    return -1;
}

int CmnLscFil::CreateColumn()
{
    if (!CheckInit("CreateColumn", "Src\\AplMfc\\Common\\CmnLscFilPro")) return VKE_ERR_NOT_INIT;
    while (DeleteColumn(0)) {
    }
    const int count = m_fii.iCntLstColTyp < CmnLstColCnt ? m_fii.iCntLstColTyp : CmnLstColCnt;
    int namePos = KindPos(LscColNam);
    if (namePos < 0) return LSC_PRO("CreateColumn", VKE_ERR_SYSTEM);
    memcpy(m_aiColKind, m_fii.iTypLstCol, sizeof(m_aiColKind));
    auto add = [this](int column, int kind, int pos) {
        CString title;
        title.LoadString(static_cast<UINT>(IDS_CMN_LSC_COL_FIRST + kind - 1));
        return InsertColumn(column, title, kind == LscColSiz ? LVCFMT_RIGHT : LVCFMT_LEFT, ShownWidth(kind, pos)) == column;
    };
    if (!add(0, LscColNam, namePos)) return LSC_PRO("CreateColumn", VKE_ERR_SYSTEM);
    int column = 1;
    for (int pos = 0; pos < count; ++pos) {
        if (m_fii.iTypLstCol[pos] == LscColNam) continue;
        if (!add(column, m_fii.iTypLstCol[pos], pos)) return LSC_PRO("CreateColumn", VKE_ERR_SYSTEM);
        ++column;
    }
    // Shown in the kind list's order, the name at its own place.
    int order[CmnLstColCnt] = {};
    for (int pos = 0; pos < count; ++pos) order[pos] = ColumnOf(m_fii.iTypLstCol[pos]);
    if (!SendMessage(LVM_SETCOLUMNORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order)))
        return LSC_PRO("CreateColumn", VKE_ERR_SYSTEM);
    return VKE_OK;
}

int CmnLscFil::GetColumnInf()
{
    if (!CheckInit("GetColumnInf", "Src\\AplMfc\\Common\\CmnLscFilPro")) return VKE_ERR_NOT_INIT;
    // Only the details view shows its columns: the control answers a width of 0 in the other
    // views, also while the settings already say details and the control has not switched yet.
    if (m_fii.iModeLstViw != LscModeRpt || (GetStyle() & LVS_TYPEMASK) != LVS_REPORT) return VKE_OK;
    HWND header = GetHeaderCtrl();
    int count = header ? Header_GetItemCount(header) : 0;
    if (count < 1 || count > CmnLstColCnt) return VKE_OK;
    int order[CmnLstColCnt] = {};
    if (!SendMessage(LVM_GETCOLUMNORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order)))
        return LSC_PRO("GetColumnInf", VKE_ERR_SYSTEM);
    int pos0 = m_fii.iIdxLstColTyp;
    int sorted = pos0 >= 0 && pos0 < CmnLstColCnt ? m_fii.iTypLstCol[pos0] : 0;
    for (int pos = 0; pos < count; ++pos) {
        int kind = ColumnKind(order[pos]);
        if (!kind) return LSC_PRO("GetColumnInf", VKE_ERR_SYSTEM);
        m_fii.iTypLstCol[pos] = kind;
        m_fii.iWidthLstCol[pos] = GetColumnWidth(order[pos]);
    }
    int pos = KindPos(sorted);
    if (pos < 0) pos = KindPos(LscColNam);
    m_fii.iIdxLstColTyp = pos < 0 ? 0 : pos;
    return VKE_OK;
}

int CmnLscFil::ShownWidth(int kind, int pos)
{
    int width = LOWORD(m_fii.iWidthLstCol[pos]);
    // A column of no width would not show: it takes the default width.
    if (width < 1) width = CmnLstColWidth;
    if (width != CmnLstColWidth || (kind != LscColAcs && kind != LscColMdf && kind != LscColCre)) return width;
    // A time column at the default width (which knows no font) shows a time whole: as wide as
    // the widest time, with the margins the control leaves on both sides of a text. Any other
    // width was chosen, and is shown as it is.
    const int fit = GetStringWidth("8888/88/88 88:88") + 2 * ::GetSystemMetrics(SM_CXEDGE) + 12;
    return width > fit ? width : fit;
}

int CmnLscFil::SetColumnWidth()
{
    if (!CheckInit("SetColumnWidth", "Src\\AplMfc\\Common\\CmnLscFilPro")) return VKE_ERR_NOT_INIT;
    if (m_fii.iModeLstViw == LscModeRpt) {
        HWND header = GetHeaderCtrl();
        for (int column = 0, count = header ? Header_GetItemCount(header) : 0; column < count; ++column) {
            int pos = KindPos(ColumnKind(column));
            if (pos >= 0) CListCtrl::SetColumnWidth(column, ShownWidth(ColumnKind(column), pos));
        }
    } else if (m_fii.iModeLstViw == LscModeLst) {
        // The list view measures its column again when it comes back from the details view.
        ModifyStyle(LVS_TYPEMASK, LVS_REPORT);
        ModifyStyle(LVS_TYPEMASK, LVS_LIST);
    }
    return VKE_OK;
}

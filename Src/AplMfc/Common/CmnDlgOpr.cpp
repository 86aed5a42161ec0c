// The shared operations of dialogs and panels: the information, the focus lookup, the edit,
// scale and flag families, errors and data, and the slots a derived start fills.
#define CMN_MODULE "Src\\AplMfc\\Common\\CmnDlg"
#include "CmnDlgOpr.h"
#include "CmnApp.h"
#include "CmnSub.h"
#include <mutex>
#include <new>
#include <set>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

// The edit family by operation: undo, redo, cut, copy, paste, clear. Areas copy and paste only.
enum { kUnd, kRdo, kCut, kCpy, kPst, kCle };
struct EditRow {
    const char* name; // the flag getter's
    int (*ctlFlag)(VkiCtl*, int*);
    int (*draFlag)(VkiDra*, int*);
    int (*ctlEdit)(VkiCtl*);
    int (*draEdit)(VkiDra*);
};
const EditRow kEditRows[] = {
    {"GetEditUndFlag", VkeCtlGetEditUndFlag, nullptr, VkeCtlEditUnd, nullptr},
    {"GetEditRdoFlag", VkeCtlGetEditRdoFlag, nullptr, VkeCtlEditRdo, nullptr},
    {"GetEditCutFlag", VkeCtlGetEditCutFlag, nullptr, VkeCtlEditCut, nullptr},
    {"GetEditCpyFlag", VkeCtlGetEditCpyFlag, VkeDraGetEditCpyFlag, VkeCtlEditCpy, VkeDraEditCpy},
    {"GetEditPstFlag", VkeCtlGetEditPstFlag, VkeDraGetEditPstFlag, VkeCtlEditPst, VkeDraEditPst},
    {"GetEditCleFlag", VkeCtlGetEditCleFlag, nullptr, VkeCtlEditCle, nullptr}};

// The flag family by flag: data, error, modified, selected.
enum { kData, kError, kModified, kSelected };
struct FlagRow {
    const char* name; // the setter's
    int (*set)(VkiCtl*, int);
    int (*get)(VkiCtl*, int*);
};
const FlagRow kFlagRows[] = {{"SetDataFlag", VkeCtlSetDataFlag, VkeCtlGetDataFlag},
                             {"SetErrorFlag", VkeCtlSetErrorFlag, VkeCtlGetErrorFlag},
                             {"SetModifiedFlag", VkeCtlSetModifiedFlag, VkeCtlGetModifiedFlag},
                             {"SetSelectedFlag", VkeCtlSetSelectedFlag, VkeCtlGetSelectedFlag}};

template <class T>
T* AllocArray(int count)
{
    return static_cast<T*>(calloc(static_cast<size_t>(count), sizeof(T)));
}

template <class T>
void FreeArray(T*& p)
{
    free(p);
    p = nullptr;
}

void DeleteMenu(CMenu*& menu)
{
    delete menu; // destroys the menu it holds
    menu = nullptr;
}

// The dialogs and panels that exist. Made at first use and never destroyed: static objects of
// the program (the application's own dialogs) come and go around every other static object.
struct Living {
    std::mutex lock;
    std::set<CmnDlgOpr*> all;
};

Living& TheLiving()
{
    static Living* living = new Living;
    return *living;
}

} // namespace

CmnDlgOpr::CmnDlgOpr(CWnd& wnd) : m_wnd(wnd), m_inf()
{
    m_inf.iErrIdx = -1;
    Living& living = TheLiving();
    std::lock_guard<std::mutex> hold(living.lock);
    living.all.insert(this);
}

CmnDlgOpr::~CmnDlgOpr()
{
    {
        Living& living = TheLiving();
        std::lock_guard<std::mutex> hold(living.lock);
        living.all.erase(this);
    }
    // A window destroyed without its Term still gives its tables back.
    if (m_inf.bAllocated) FreeCmnDlgInf();
}

CmnDlgOpr* CmnDlgOpr::FromWindow(HWND wnd)
{
    if (!wnd) return nullptr;
    Living& living = TheLiving();
    std::lock_guard<std::mutex> hold(living.lock);
    for (CmnDlgOpr* opr : living.all)
        if (opr->m_wnd.m_hWnd == wnd) return opr;
    return nullptr;
}

int CmnDlgOpr::Fail(const char* name, int code)
{
    CMN_TRACE(name, code);
    return code;
}

bool CmnDlgOpr::CheckReady(const char* name)
{
    if (m_inf.bReady) return true;
    Fail(name, VKE_ERR_NOT_INIT);
    return false;
}

// ---- The information ----

int CmnDlgOpr::AllocMemory(int ctlCnt, int draCnt, int extPrtCnt)
{
    int rc = AllocCmnDlgInf(ctlCnt, draCnt, extPrtCnt);
    if (rc != VKE_OK) {
        FreeMemory();
        return Fail("AllocMemory", rc);
    }
    return VKE_OK;
}

int CmnDlgOpr::FreeMemory()
{
    int rc = FreeCmnDlgInf();
    return rc == VKE_OK ? rc : Fail("FreeMemory", rc);
}

int CmnDlgOpr::AllocCmnDlgInf(int ctlCnt, int draCnt, int extPrtCnt)
{
    if (m_inf.bAllocated) return Fail("AllocCmnDlgInf", VKE_ERR_EXISTS);
    CmnDlgInf& inf = m_inf;
    memset(&inf, 0, sizeof(inf));
    bool ok = (inf.pDlgMenu = new (std::nothrow) CMenu) != nullptr;
    if (ok && ctlCnt > 0) {
        ok = (inf.ppCtl = AllocArray<VkiCtl*>(ctlCnt)) && (inf.pCtlMenu = new (std::nothrow) CMenu) &&
             (inf.phCtlWnd = AllocArray<HWND>(ctlCnt));
    }
    if (ok && draCnt > 0) {
        ok = (inf.ppDra = AllocArray<VkiDra*>(draCnt)) && (inf.pDraMenu = new (std::nothrow) CMenu) &&
             (inf.phDraWnd = AllocArray<HWND>(draCnt)) && (inf.phHScrBar = AllocArray<HWND>(draCnt)) &&
             (inf.phVScrBar = AllocArray<HWND>(draCnt)) && (inf.pPrtInf = AllocArray<PrintInfo>(draCnt)) &&
             (inf.piHScrPos = AllocArray<int>(draCnt)) && (inf.piVScrPos = AllocArray<int>(draCnt));
    }
    if (ok) ok = (inf.pPagMenu = new (std::nothrow) CMenu) != nullptr;
    if (!ok) {
        FreeCmnDlgInf();
        return Fail("AllocCmnDlgInf", VKE_ERR_MEMORY);
    }
    inf.bAllocated = 1;
    inf.iErrIdx = -1;
    inf.iCtlCnt = ctlCnt > 0 ? ctlCnt : 0;
    inf.iDraCnt = draCnt > 0 ? draCnt : 0;
    inf.iExtPrtCnt = extPrtCnt;
    return VKE_OK;
}

int CmnDlgOpr::FreeCmnDlgInf()
{
    CmnDlgInf& inf = m_inf;
    FreeArray(inf.ppCtl);
    FreeArray(inf.phCtlWnd);
    FreeArray(inf.ppDra);
    FreeArray(inf.phDraWnd);
    FreeArray(inf.phHScrBar);
    FreeArray(inf.phVScrBar);
    FreeArray(inf.pPrtInf);
    FreeArray(inf.piHScrPos);
    FreeArray(inf.piVScrPos);
    DeleteMenu(inf.pDlgMenu);
    DeleteMenu(inf.pCtlMenu);
    DeleteMenu(inf.pDraMenu);
    DeleteMenu(inf.pPagMenu);
    memset(&inf, 0, sizeof(inf));
    inf.iErrIdx = -1;
    return VKE_OK;
}

// ---- Slots ----

int CmnDlgOpr::CtlSlot(VkiCtl* ctl) const
{
    for (int i = 0; ctl && i < m_inf.iCtlCnt; ++i)
        if (m_inf.ppCtl[i] == ctl) return i;
    return -1;
}

int CmnDlgOpr::CtlSlotByWnd(HWND wnd) const
{
    for (int i = 0; wnd && i < m_inf.iCtlCnt; ++i)
        if (m_inf.ppCtl[i] && m_inf.phCtlWnd[i] == wnd) return i;
    return -1;
}

int CmnDlgOpr::InitCtlSlot(int slot, int type, int id, int editType, const char* format, const char* value)
{
    CmnDlgInf& inf = m_inf;
    if (slot < 0 || slot >= inf.iCtlCnt || inf.ppCtl[slot]) return VKE_ERR_ARG;
    HWND item = ::GetDlgItem(m_wnd.m_hWnd, id);
    VkiCtl*& ctl = inf.ppCtl[slot];
    int rc = VkeCtlAlloc(theCmnAppInf.pSys, type, &ctl);
    // The item found once: each look-up by id costs the platform a round trip.
    if (rc == VKE_OK) rc = VkeCtlSubclassWindow(ctl, item);
    if (rc != VKE_OK) return rc;

    VkeCtlParam& p = inf.ctlParam;
    rc = VkeCtlInitParam(ctl, &p);
    if (rc != VKE_OK) return rc;
    COLORREF color = 0;
    if (theCmnSub.GetTextColor(CmnKndCtl, type, &color) == VKE_OK) p.uTextColor = color;
    if (theCmnSub.GetBackColor(CmnKndCtl, type, &color) == VKE_OK) p.uBackColor = color;
    p.hMenu = inf.pCtlMenu ? inf.pCtlMenu->m_hMenu : nullptr;
    p.iEditType = editType;
    snprintf(p.amEditFormat, sizeof(p.amEditFormat), "%s", format ? format : "");
    // A button's caption is its data name; a static without a value keeps its text.
    char text[sizeof(p.amDataValue)] = {};
    ::GetWindowTextA(item, text, sizeof(text));
    if (type == VKE_CTL_BUTTON) snprintf(p.amDataName, sizeof(p.amDataName), "%s", text);
    snprintf(p.amDataValue, sizeof(p.amDataValue), "%s", value ? value : text);
    const CmnAppInf& app = theCmnAppInf;
    p.iCtlEditing = app.bCtlEditing;
    p.iCtlError = app.bCtlError;
    p.iCtlModified = app.bCtlModified;
    p.iPriorityError = app.bPriorityError;
    LOGFONTA font;
    bool haveFont = theCmnSub.GetFont(CmnKndCtl, type, &font) == VKE_OK;
    {
        // The control starts with the parent's font: the settings' one while it starts.
        CFont start;
        if (haveFont && start.CreateFontIndirect(&font)) m_hStartFont = static_cast<HFONT>(start.m_hObject);
        rc = VkeCtlInit(ctl, &p, &theCmnAppInf.iChkFld, &theCmnAppInf.iChkMsg);
        m_hStartFont = nullptr;
    }
    if (rc == VKE_OK && slot == 0 && !m_bDtiReady) {
        rc = VkeCtlInitDti(ctl, &inf.dti);
        m_bDtiReady = rc == VKE_OK;
    }
    if (rc == VKE_OK) rc = VkeCtlGetCtlHandle(ctl, &inf.phCtlWnd[slot]);
    // The same record again: the engine finds the window showing it already.
    if (rc == VKE_OK && haveFont) rc = VkeCtlSetFontByLogFont(ctl, &font);
    return rc;
}

int CmnDlgOpr::InitDraSlot(int slot, int id, const RECT& extent, UINT hBarId, UINT vBarId,
                           const std::function<void(VkeDraParam&)>& tweak)
{
    CmnDlgInf& inf = m_inf;
    if (slot < 0 || slot >= inf.iDraCnt || inf.ppDra[slot]) return VKE_ERR_ARG;
    HWND item = ::GetDlgItem(m_wnd.m_hWnd, id);
    VkiDra*& dra = inf.ppDra[slot];
    int rc = VkeDraAlloc(theCmnAppInf.pSys, &dra);
    if (rc == VKE_OK) rc = VkeDraSubclassWindow(dra, item);
    VkeDraParam& p = inf.draParam;
    if (rc == VKE_OK) rc = VkeDraInitParam(dra, &p);
    if (rc != VKE_OK) return rc;

    const CmnAppInf& app = theCmnAppInf;
    COLORREF color = 0;
    if (theCmnSub.GetTextColor(CmnKndDra, 0, &color) == VKE_OK) p.uTextColor = color;
    if (theCmnSub.GetBackColor(CmnKndDra, 0, &color) == VKE_OK) p.uBackColor = color;
    if (theCmnSub.GetSetFocusColor(CmnKndDra, 0, &color) == VKE_OK) p.uSetFocusColor = color;
    if (theCmnSub.GetKillFocusColor(CmnKndDra, 0, &color) == VKE_OK) p.uKillFocusColor = color;
    ::GetWindowRect(item, &p.rctDra);
    ::MapWindowPoints(nullptr, m_wnd.m_hWnd, reinterpret_cast<POINT*>(&p.rctDra), 2);
    p.rctInrDra = extent;
    p.uHScrBarId = hBarId;
    p.uVScrBarId = vBarId;
    p.iStretchMode = app.iModeStretch;
    p.iArrowScrSizeH = app.iScrSize[0];
    p.iArrowScrSizeV = app.iScrSize[1];
    p.iWheelScrSizeH = app.iScrSize[2];
    p.iWheelScrSizeV = app.iScrSize[3];
    p.dWheelScale = app.dScaleWheel;
    p.iCtlEditing = app.bCtlEditing;
    if (tweak) tweak(p);
    rc = VkeDraInit(dra, &p, &theCmnAppInf.iChkFld, &theCmnAppInf.iChkMsg);
    if (rc == VKE_OK) rc = VkeDraGetDraHandle(dra, &inf.phDraWnd[slot]);
    if (rc == VKE_OK) rc = VkeDraGetHScrBarHandle(dra, &inf.phHScrBar[slot]);
    if (rc == VKE_OK) rc = VkeDraGetVScrBarHandle(dra, &inf.phVScrBar[slot]);
    LOGFONTA font;
    if (rc == VKE_OK && theCmnSub.GetFont(CmnKndDra, 0, &font) == VKE_OK) rc = VkeDraSetFontByLogFont(dra, &font);
    return rc;
}

void CmnDlgOpr::FreeSlots()
{
    CmnDlgInf& inf = m_inf;
    if (m_bDtiReady) {
        for (int i = 0; i < inf.iCtlCnt; ++i) {
            if (!inf.ppCtl[i]) continue;
            VkeCtlTermDti(inf.ppCtl[i], &inf.dti);
            break;
        }
        m_bDtiReady = false;
    }
    for (int i = 0; i < inf.iCtlCnt; ++i) {
        if (m_bWindowGoes && inf.ppCtl[i]) {
            // The platform destroys the window's children with it, all at once: each control
            // ends on its window and gives it back rather than destroying it alone.
            HWND back = nullptr;
            VkeCtlTerm(inf.ppCtl[i]);
            VkeCtlUnsubclassWindow(inf.ppCtl[i], &back);
        }
        VkeCtlFree(&inf.ppCtl[i]);
        inf.phCtlWnd[i] = nullptr;
    }
    for (int i = 0; i < inf.iDraCnt; ++i) {
        VkeDraFree(&inf.ppDra[i]);
        inf.phDraWnd[i] = inf.phHScrBar[i] = inf.phVScrBar[i] = nullptr;
    }
}

void CmnDlgOpr::MarkSlot(int slot, int code)
{
    VkeCtlSetErrorFlag(m_inf.ppCtl[slot], 1);
    VkeCtlSetErrorCode(m_inf.ppCtl[slot], code);
}

void CmnDlgOpr::RejectSlot(VkiCtl* checked, int slot, int code)
{
    if (!checked || checked == m_inf.ppCtl[slot]) SetError(m_inf.phCtlWnd[slot], code);
    else MarkSlot(slot, code);
}

// ---- Focus ----

int CmnDlgOpr::GetFocusCtl(void** out)
{
    if (!out) return 0;
    *out = nullptr;
    if (!m_inf.bReady) return 0;
    m_inf.hFcsWnd = ::GetFocus();
    for (int i = 0; i < m_inf.iCtlCnt; ++i) {
        int focus = 0;
        if (m_inf.ppCtl[i] && VkeCtlIsFocus(m_inf.ppCtl[i], &focus) == VKE_OK && focus == 1) {
            *out = m_inf.ppCtl[i];
            return CmnTypCtl;
        }
    }
    for (int i = 0; i < m_inf.iDraCnt; ++i) {
        int focus = 0;
        if (m_inf.ppDra[i] && VkeDraIsFocus(m_inf.ppDra[i], &focus) == VKE_OK && focus == 1) {
            *out = m_inf.ppDra[i];
            return CmnTypDra;
        }
    }
    return 0;
}

// ---- Edit family ----

int CmnDlgOpr::GetEditFlag(EditFlag* flags)
{
    if (!flags) return Fail("GetEditFlag", VKE_ERR_ARG);
    VkeSubInitEditFlag(theCmnAppInf.pSub, flags);
    void* obj = nullptr;
    int kind = GetFocusCtl(&obj);
    if (kind == CmnTypCtl) return VkeCtlGetEditFlag(static_cast<VkiCtl*>(obj), flags);
    if (kind == CmnTypDra) return VkeDraGetEditFlag(static_cast<VkiDra*>(obj), flags);
    return kind;
}

int CmnDlgOpr::GetEditFlagOf(int op, int* out)
{
    const EditRow& row = kEditRows[op];
    if (!out) return Fail(row.name, VKE_ERR_ARG);
    void* obj = nullptr;
    int kind = GetFocusCtl(&obj);
    if (kind == CmnTypCtl) return row.ctlFlag(static_cast<VkiCtl*>(obj), out);
    if (kind == CmnTypDra && row.draFlag) return row.draFlag(static_cast<VkiDra*>(obj), out);
    *out = 0;
    return kind;
}

// The edit of the focused object when its flag, asked through the (overridable) getter, is 1.
int CmnDlgOpr::EditOf(int op, int (CmnDlgOpr::*getFlag)(int*))
{
    EndDrag();
    int flag = 0;
    int rc = (this->*getFlag)(&flag);
    if (flag != 1) return rc;
    const EditRow& row = kEditRows[op];
    void* obj = nullptr;
    int kind = GetFocusCtl(&obj);
    if (kind == CmnTypCtl) return row.ctlEdit(static_cast<VkiCtl*>(obj));
    if (kind == CmnTypDra && row.draEdit) return row.draEdit(static_cast<VkiDra*>(obj));
    return rc;
}

int CmnDlgOpr::GetEditUndFlag(int* out) { return GetEditFlagOf(kUnd, out); }
int CmnDlgOpr::EditUnd() { return EditOf(kUnd, &CmnDlgOpr::GetEditUndFlag); }
int CmnDlgOpr::GetEditRdoFlag(int* out) { return GetEditFlagOf(kRdo, out); }
int CmnDlgOpr::EditRdo() { return EditOf(kRdo, &CmnDlgOpr::GetEditRdoFlag); }
int CmnDlgOpr::GetEditCutFlag(int* out) { return GetEditFlagOf(kCut, out); }
int CmnDlgOpr::EditCut() { return EditOf(kCut, &CmnDlgOpr::GetEditCutFlag); }
int CmnDlgOpr::GetEditCpyFlag(int* out) { return GetEditFlagOf(kCpy, out); }
int CmnDlgOpr::EditCpy() { return EditOf(kCpy, &CmnDlgOpr::GetEditCpyFlag); }
int CmnDlgOpr::GetEditPstFlag(int* out) { return GetEditFlagOf(kPst, out); }
int CmnDlgOpr::EditPst() { return EditOf(kPst, &CmnDlgOpr::GetEditPstFlag); }
int CmnDlgOpr::GetEditCleFlag(int* out) { return GetEditFlagOf(kCle, out); }
int CmnDlgOpr::EditCle() { return EditOf(kCle, &CmnDlgOpr::GetEditCleFlag); }

// ---- Scale family ----

int CmnDlgOpr::SetScaleByWnd() { return SetScaleMode(VKE_DRA_SCALE_FIT, 1, 1); }

int CmnDlgOpr::SetScaleByWndLrg() { return SetScaleMode(VKE_DRA_SCALE_FIT_LARGER, 1, 1); }

int CmnDlgOpr::SetScaleMode(int mode, int num, int den)
{
    EndDrag();
    void* obj = nullptr;
    if (GetFocusCtl(&obj) != CmnTypDra) return VKE_NOT_DONE;
    return VkeDraSetScaleMode(static_cast<VkiDra*>(obj), mode, num, den);
}

int CmnDlgOpr::GetScaleMode(int* out)
{
    if (!out) return Fail("GetScaleMode", VKE_ERR_ARG);
    void* obj = nullptr;
    int kind = GetFocusCtl(&obj);
    if (kind == CmnTypDra) return VkeDraGetScaleMode(static_cast<VkiDra*>(obj), out);
    *out = 0;
    return kind;
}

int CmnDlgOpr::SetScale(int num, int den)
{
    EndDrag();
    void* obj = nullptr;
    if (GetFocusCtl(&obj) != CmnTypDra) return VKE_NOT_DONE;
    return VkeDraSetScale(static_cast<VkiDra*>(obj), num, den);
}

int CmnDlgOpr::GetScaleRatio(double* out)
{
    if (!out) return Fail("GetScaleRatio", VKE_ERR_ARG);
    int num = 0, den = 1;
    int rc = GetScale(&num, &den);
    *out = den > 0 ? static_cast<double>(num) / den : 0.0;
    return rc;
}

int CmnDlgOpr::GetScale(int* num, int* den)
{
    if (!num || !den) return Fail("GetScale", VKE_ERR_ARG);
    void* obj = nullptr;
    int kind = GetFocusCtl(&obj);
    if (kind == CmnTypDra) return VkeDraGetScale(static_cast<VkiDra*>(obj), num, den);
    *num = 0;
    *den = 1;
    return kind;
}

int CmnDlgOpr::SetScaleByDlg(int decimals)
{
    EndDrag();
    if (!CheckReady("SetScaleByDlg")) return VKE_ERR_NOT_INIT;
    if (decimals < 0) return Fail("SetScaleByDlg", VKE_ERR_ARG);
    void* obj = nullptr;
    if (GetFocusCtl(&obj) != CmnTypDra) return VKE_NOT_DONE;
    VkiDra* dra = static_cast<VkiDra*>(obj);
    RECT rect = {};
    int rc = VkeDraGetInrDraRectBas(dra, &rect);
    CmnApp* app = CmnGetApp();
    if (rc == VKE_OK && !app) rc = Fail("SetScaleByDlg", VKE_ERR_SYSTEM);
    int num = 0, den = 1;
    if (rc == VKE_OK) rc = app->ShowSetScaDlg(decimals, rect.right - rect.left, rect.bottom - rect.top, &num, &den);
    if (rc == VKE_OK) rc = VkeDraSetScale(dra, num, den);
    return rc;
}

// ---- Flag family ----

int CmnDlgOpr::SetFlagOf(int op, int value)
{
    const FlagRow& row = kFlagRows[op];
    if (!CheckReady(row.name)) return VKE_ERR_NOT_INIT;
    if (value == 1) return VKE_OK;
    if (value != 0) return Fail(row.name, VKE_ERR_ARG);
    for (int i = 0; i < m_inf.iCtlCnt; ++i) {
        VkiCtl* ctl = m_inf.ppCtl[i];
        if (!ctl) continue;
        row.set(ctl, 0);
        if (op == kError) VkeCtlSetErrorCode(ctl, 0);
    }
    if (op == kError) ClearError();
    for (int i = 0; op == kModified && i < m_inf.iDraCnt; ++i)
        if (m_inf.ppDra[i]) VkeDraSetModifiedFlag(m_inf.ppDra[i], 0);
    return VKE_OK;
}

int CmnDlgOpr::GetFlagOf(int op)
{
    if (!m_inf.bReady) return 0;
    for (int i = 0; i < m_inf.iCtlCnt; ++i) {
        int flag = 0;
        if (m_inf.ppCtl[i] && kFlagRows[op].get(m_inf.ppCtl[i], &flag) == VKE_OK && flag == 1) return 1;
    }
    for (int i = 0; op == kModified && i < m_inf.iDraCnt; ++i) {
        int flag = 0;
        if (m_inf.ppDra[i] && VkeDraGetModifiedFlag(m_inf.ppDra[i], &flag) == VKE_OK && flag == 1) return 1;
    }
    return 0;
}

int CmnDlgOpr::SetDataFlag(int value) { return SetFlagOf(kData, value); }
int CmnDlgOpr::GetDataFlag() { return GetFlagOf(kData); }
int CmnDlgOpr::SetErrorFlag(int value) { return SetFlagOf(kError, value); }
int CmnDlgOpr::GetErrorFlag() { return GetFlagOf(kError); }
int CmnDlgOpr::SetModifiedFlag(int value) { return SetFlagOf(kModified, value); }
int CmnDlgOpr::GetModifiedFlag() { return GetFlagOf(kModified); }
int CmnDlgOpr::SetSelectedFlag(int value) { return SetFlagOf(kSelected, value); }
int CmnDlgOpr::GetSelectedFlag() { return GetFlagOf(kSelected); }

// ---- Errors and data ----

int CmnDlgOpr::ClearError()
{
    EndDrag();
    if (!CheckReady("ClearError")) return VKE_ERR_NOT_INIT;
    m_inf.iErrIdx = -1;
    m_inf.hErrWnd = nullptr;
    m_inf.iErrCode = 0;
    return VKE_OK;
}

int CmnDlgOpr::SetError(HWND wnd, int code)
{
    EndDrag();
    if (!CheckReady("SetError")) return VKE_ERR_NOT_INIT;
    int slot = CtlSlotByWnd(wnd);
    if (slot >= 0) {
        VkeCtlSetErrorFlag(m_inf.ppCtl[slot], 1);
        VkeCtlSetErrorCode(m_inf.ppCtl[slot], code);
    }
    // Of several errors the one earliest in the child order is shown.
    int index = 0;
    for (HWND child = ::GetWindow(m_wnd.m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT), ++index) {
        if (m_inf.iErrIdx >= 0 && index >= m_inf.iErrIdx) break;
        if (child == wnd) {
            m_inf.hErrWnd = wnd;
            m_inf.iErrIdx = index;
            m_inf.iErrCode = code;
            break;
        }
    }
    return VKE_OK;
}

int CmnDlgOpr::ShowErrMsg()
{
    EndDrag();
    if (!CheckReady("ShowErrMsg")) return VKE_ERR_NOT_INIT;
    if (m_inf.iErrIdx >= 0 && m_inf.hErrWnd) theCmnSub.ShowMsgAndFocus(m_inf.hErrWnd, m_inf.iErrCode);
    return VKE_OK;
}

int CmnDlgOpr::GetData(VkiCtl* ctl, void* data, int mode)
{
    EndDrag();
    if (m_inf.bTerminating) return VKE_OK;
    if (!CheckReady("GetData")) return VKE_ERR_NOT_INIT;
    ClearError();
    if ((ctl && !data) || (mode != 0 && mode != 1)) return Fail("GetData", VKE_ERR_ARG);
    int first = 0, last = m_inf.iCtlCnt;
    if (ctl) {
        first = CtlSlot(ctl);
        if (first < 0) return Fail("GetData", VKE_ERR_ARG);
        last = first + 1;
        if (mode == 1) VkeCtlSetWndFromDti(ctl);
    }
    Dti& dti = m_inf.dti;
    for (int i = first; i < last; ++i) {
        if (m_inf.ppCtl[i] && VkeCtlGetDti(m_inf.ppCtl[i], &dti) == VKE_OK && dti.iError)
            SetError(m_inf.phCtlWnd[i], dti.iErrorCode);
    }
    return m_inf.iErrCode;
}

int CmnDlgOpr::ClearEdi(HWND wnd)
{
    EndDrag();
    if (!CheckReady("ClearEdi")) return VKE_ERR_NOT_INIT;
    for (int i = 0; i < m_inf.iCtlCnt; ++i) {
        VkiCtl* ctl = m_inf.ppCtl[i];
        if (!ctl || (wnd && m_inf.phCtlWnd[i] != wnd)) continue;
        // Setting the editing flag again with reset 1 starts a busy undo history afresh.
        int editing = 0;
        if (VkeCtlGetCtlEditingFlag(ctl, &editing) == VKE_OK) VkeCtlSetCtlEditingFlag(ctl, editing, 1);
        VkeCtlSetErrorFlag(ctl, 0);
        VkeCtlSetModifiedFlag(ctl, 0);
        if (wnd) break;
    }
    return VKE_OK;
}

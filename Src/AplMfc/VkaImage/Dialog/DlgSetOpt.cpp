// The options dialog: its start, its pages, OK, Apply and Close, the value buttons, the user
// directory and the layout.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgSetOpt"
#include "DlgSetOpt.h"
#include "CmnRes.h"
#include "DlgSopBsi.h"
#include "DlgSopPni.h"
#include "DlgSopShi.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include <algorithm>
#include <new>

IMPLEMENT_DYNAMIC(DlgSetOpt, CmnDlt)

BEGIN_MESSAGE_MAP(DlgSetOpt, CmnDlt)
    ON_WM_SIZE()
    ON_COMMAND(IDC_DLGSETOPT_APPLY, &ThisClass::OnApply)
    ON_COMMAND(IDC_DLGSETOPT_RUNVAL, &ThisClass::OnRunVal)
    ON_COMMAND(IDC_DLGSETOPT_INIVAL, &ThisClass::OnIniVal)
    ON_COMMAND(IDC_DLGSETOPT_NEWVAL, &ThisClass::OnNewVal)
    ON_COMMAND_RANGE(ID_VKA_SOP_BSI, ID_VKA_SOP_SHI, &ThisClass::OnTabOpnSop)
    ON_MESSAGE(CmnWmChgOpt, &ThisClass::OnChgOpt)
END_MESSAGE_MAP()

namespace {

// The buttons' ids in the order of their slots (and sizes).
const int kBtnIds[] = {IDOK, IDCANCEL, IDC_DLGSETOPT_APPLY, IDC_DLGSETOPT_RUNVAL, IDC_DLGSETOPT_INIVAL,
                       IDC_DLGSETOPT_NEWVAL};
// The gap between the buttons, and below and above their row.
const int kGap = 5;
// The smallest side the tab control takes.
const int kMinTab = 50;

int Failed(const char* name, int code)
{
    CMN_TRACE(name, code);
    return code;
}

// A page's template and tab title by its type.
struct PageRow {
    int type;
    UINT tmpl;
    UINT title;
};
const PageRow kPages[] = {{SopTypBsi, IDD_DLGSOPBSI, IDS_VKA_SOP_BSI},
                          {SopTypPni, IDD_DLGSOPPNI, IDS_VKA_SOP_PNI},
                          {SopTypShi, IDD_DLGSOPSHI, IDS_VKA_SOP_SHI}};

} // namespace

DlgSetOpt::DlgSetOpt() : CmnDlt(IDD_DLGSETOPT, nullptr), m_iWidthBtn(), m_iHeightBtn() {}

// ---- Start ----

BOOL DlgSetOpt::OnInitDialog()
{
    CmnDlt::OnInitDialog();
    if (Init() != VKE_OK) return TRUE;
    CRect client;
    GetClientRect(&client);
    LayOut(client.Width(), client.Height());
    OnChgFlag();
    // Made hidden, it takes no focus from the windows that show: each showing focuses its page.
    return IsWindowVisible();
}

int DlgSetOpt::Init()
{
    return StartDialog(BtnCnt, 0, 0, 0, 1, [this] {
        int rc = InitCtl(0, 1);
        for (int i = 0; rc == VKE_OK && i < BtnCnt; ++i) {
            CRect r;
            ::GetWindowRect(m_inf.phCtlWnd[i], &r);
            m_iWidthBtn[i] = r.Width();
            m_iHeightBtn[i] = r.Height();
        }
        // The pages are opened on a ready dialog, by OpenPages.
        m_inf.bReady = rc == VKE_OK ? 1 : 0;
        return rc;
    });
}

int DlgSetOpt::OpenPages()
{
    if (!m_inf.bReady) return Failed("OpenPages", VKE_ERR_NOT_INIT);
    int rc = VKE_OK;
    for (const PageRow& row : kPages)
        if (rc == VKE_OK && !GetSopPage(row.type)) rc = OpenPage(row.type);
    if (rc == VKE_OK) return rc;
    // As a dialog that cannot start: told once, then of no use.
    m_inf.bReady = 0;
    theCmnSub.MsgBoxById(IDS_CMN_SYS_MEMORY, MB_OK | MB_ICONSTOP);
    return Failed("OpenPages", rc);
}

UINT DlgSetOpt::DlgMenuId() const { return IDR_DLGSETOPT_EDIT; }

int DlgSetOpt::InitCtl(int a, int b)
{
    if ((a != 0 && a != 1) || (b != 0 && b != 1)) return Failed("InitCtl", VKE_ERR_ARG);
    // The tab's context menu without the save settings, which have no page.
    m_pag.pMenu = new (std::nothrow) CMenu;
    if (!m_pag.pMenu || !m_pag.pMenu->LoadMenu(IDR_DLGSETOPT_TAB)) return Failed("InitCtl", VKE_ERR_MEMORY);
    m_pag.pMenu->RemoveMenu(ID_VKA_SOP_SVI, MF_BYCOMMAND);
    int rc = StartTab(IDC_DLGSETOPT_TAB, m_pag.pMenu->m_hMenu, a, b);
    for (int i = 0; rc == VKE_OK && i < BtnCnt; ++i) rc = InitCtlSlot(i, VKE_CTL_BUTTON, kBtnIds[i], VKE_EDIT_NONE, "", "");
    if (rc == VKE_OK) SendMessage(DM_SETDEFID, IDOK);
    return rc == VKE_OK ? rc : Failed("InitCtl", rc);
}

int DlgSetOpt::OpenPage(int type)
{
    if (!m_inf.bReady || !m_pag.bReady) return Failed("OpenPage", VKE_ERR_NOT_INIT);
    const PageRow* row = nullptr;
    for (const PageRow& r : kPages)
        if (r.type == type) row = &r;
    // The save settings have no page; a page is made once.
    if (!row || GetSopPage(type)) return Failed("OpenPage", VKE_ERR_ARG);
    DlgSop* page = nullptr;
    switch (type) {
    case SopTypBsi: page = new (std::nothrow) DlgSopBsi(this); break;
    case SopTypPni: page = new (std::nothrow) DlgSopPni(this); break;
    default: page = new (std::nothrow) DlgSopShi(this); break;
    }
    if (!page) return Failed("OpenPage", VKE_ERR_MEMORY);
    if (!page->Create(row->tmpl, CWnd::FromHandle(m_pag.hTabWnd))) {
        delete page;
        return Failed("OpenPage", VKE_ERR_MEMORY);
    }
    CString title = theCmnSub.GetMsgStr(static_cast<int>(row->title));
    const int index = static_cast<int>(row - kPages);
    int rc = CmnTbvOpr::OpenPage(page, index, index + 1, type, 0, title);
    if (rc != VKE_OK) {
        page->DestroyWindow();
        delete page;
    }
    return rc;
}

DlgSop* DlgSetOpt::GetSopPage(int type)
{
    DltElm* e = nullptr;
    return SchDltElmByTyp(type, &e) == VKE_OK ? static_cast<DlgSop*>(static_cast<CWnd*>(e->pPage)) : nullptr;
}

// ---- The settings ----

int DlgSetOpt::ForEachPage(const char* name, int (DlgSop::*op)())
{
    int count = 0;
    GetPageCnt(&count);
    int result = VKE_OK;
    for (int i = 0; i < count; ++i) {
        void* page = nullptr;
        int type = 0;
        if (GetPage(i, &page, &type) != 1) continue;
        int rc = (static_cast<DlgSop*>(static_cast<CWnd*>(page))->*op)();
        if (rc != VKE_OK && result == VKE_OK) result = Failed(name, rc);
    }
    return result;
}

int DlgSetOpt::GetSoi() { return ForEachPage("GetSoi", &DlgSop::SaveVal); }

int DlgSetOpt::InitData() { return ForEachPage("InitData", &DlgSop::SetNewVal); }

int DlgSetOpt::CreateDir()
{
    if (!m_inf.bReady) return Failed("CreateDir", VKE_ERR_NOT_INIT);
    VkiSub* sub = theCmnAppInf.pSub;
    const char* dir = theCmnAppInf.strUsrDir;
    if (!dir[0]) return VKE_OK;
    int exists = 0, folder = 0;
    int rc = VkeSubIsExistPath(sub, dir, &exists);
    if (rc == VKE_OK && exists) rc = VkeSubIsDirectory(sub, dir, &folder);
    if (rc == VKE_OK && exists && !folder) return -1;
    if (rc == VKE_OK && !exists) rc = VkeSubCreateDir(sub, dir);
    HalcorApp* app = HalcorGetApp();
    if (rc == VKE_OK) rc = app ? app->MakeDatDir() : VKE_ERR_SYSTEM;
    if (rc == VKE_OK) return rc;
    theCmnSub.MsgBoxById(IDS_VKA_SOP_MAKE_DIR, MB_OK | MB_ICONEXCLAMATION);
    return VKE_NOT_DONE;
}

void DlgSetOpt::SendChgOpt()
{
    if (HalcorApp* app = HalcorGetApp()) app->SendMessageToDescendants(CmnWmChgOpt, 0, 0, 0);
}

void DlgSetOpt::ShowUsrDir(int rc)
{
    int index = -1;
    if (SchPageByTyp(SopTypBsi, &index) != VKE_OK) return;
    ShowPage(index);
    DlgSopBsi* page = static_cast<DlgSopBsi*>(GetSopPage(SopTypBsi));
    HWND edit = page ? page->GetUsrDirWnd() : nullptr;
    // A name that is no directory is told as the page's own check tells it.
    if (rc == -1) theCmnSub.PostMsgAndFocus(edit, IDS_VKA_SOP_BAD_DIR);
    else theCmnSub.PostSetFocus(edit);
}

int DlgSetOpt::ApplyChanges()
{
    GetSoi();
    int rc = CreateDir();
    if (rc != VKE_OK) {
        ShowUsrDir(rc);
        return rc;
    }
    SendChgOpt();
    return VKE_OK;
}

// ---- OK, Apply, Close ----

void DlgSetOpt::OnOK()
{
    if (!m_inf.bReady) {
        CmnDlt::OnOK();
        return;
    }
    if (!::IsWindowEnabled(m_inf.phCtlWnd[BtnOk])) return;
    if (!GetSopPage(SopTypBsi) || !GetSopPage(SopTypPni) || !GetSopPage(SopTypShi)) {
        Failed("OnOK", VKE_ERR_SYSTEM);
        return;
    }
    SetErrorFlag(0);
    if (GetDataAll() != VKE_OK) {
        SetErrorFlag(1);
        return;
    }
    if (GetModifiedFlag() == 1 && ApplyChanges() != VKE_OK) return;
    ShowWindow(SW_HIDE);
}

void DlgSetOpt::OnApply()
{
    if (!m_inf.bReady || !::IsWindowEnabled(m_inf.phCtlWnd[BtnApply])) return;
    SetErrorFlag(0);
    // The other pages passed their check when they were left.
    int rc = GetDataCur();
    if (rc != VKE_OK && rc != VKE_NOT_DONE) {
        SetErrorFlag(1);
        return;
    }
    if (GetModifiedFlag() != 1 || ApplyChanges() != VKE_OK) return;
    InitData();
    SetModifiedFlag(0);
    SetFocusPage();
}

void DlgSetOpt::OnCancel() { ShowWindow(SW_HIDE); }

BOOL DlgSetOpt::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && m_pag.hTabWnd && pMsg->hwnd == m_pag.hTabWnd) {
        SendMessage(WM_COMMAND, IDCANCEL);
        return TRUE;
    }
    return CmnDlt::PreTranslateMessage(pMsg);
}

void DlgSetOpt::OnChgFlag()
{
    if (!m_inf.bReady) return;
    const BOOL on = GetModifiedFlag() == 1;
    ::EnableWindow(m_inf.phCtlWnd[BtnOk], on);
    ::EnableWindow(m_inf.phCtlWnd[BtnApply], on);
}

int DlgSetOpt::ResetForShow()
{
    if (!m_inf.bReady) return Failed("ResetForShow", VKE_ERR_NOT_INIT);
    int rc = InitData();
    SetErrorFlag(0);
    SetModifiedFlag(0);
    SetFocusPage();
    return rc;
}

// ---- The value buttons and the tab menu ----

void DlgSetOpt::LoadCurPage(bool initial)
{
    void* page = nullptr;
    int type = 0;
    if (!m_inf.bReady) return;
    if (GetCurPage(&page, &type) != 1) {
        Failed(initial ? "OnBtnIniVal" : "OnBtnRunVal", VKE_ERR_NOT_FOUND);
        return;
    }
    DlgSop* sop = static_cast<DlgSop*>(static_cast<CWnd*>(page));
    if (initial) sop->SetIniVal();
    else sop->SetRunVal();
    // Values loaded into the page are a change to be applied.
    SetModifiedFlag(1);
}

void DlgSetOpt::OnRunVal() { LoadCurPage(false); }

void DlgSetOpt::OnIniVal() { LoadCurPage(true); }

void DlgSetOpt::OnNewVal()
{
    if (m_inf.bReady) InitData();
}

void DlgSetOpt::OnTabOpnSop(UINT nID)
{
    if (!m_inf.bReady) return;
    int index = -1;
    const int type = SopTypBsi + static_cast<int>(nID - ID_VKA_SOP_BSI);
    if (SchPageByTyp(type, &index) != VKE_OK) {
        Failed("OnTabOpnSop", VKE_ERR_NOT_FOUND);
        return;
    }
    ShowPage(index);
}

// ---- Layout and settings ----

void DlgSetOpt::LayOut(int cx, int cy)
{
    if (!m_inf.bReady || !m_pag.bReady || m_iHeightBtn[BtnOk] <= 0) return;
    const int tabHeight = std::max(cy - (m_iHeightBtn[BtnOk] + 2 * kGap), kMinTab);
    MoveTab(CRect(0, 0, std::max(cx, kMinTab), tabHeight));
    const int y = tabHeight + kGap;
    auto place = [&](int btn, int x) {
        ::SetWindowPos(m_inf.phCtlWnd[btn], nullptr, x, y, m_iWidthBtn[btn], m_iHeightBtn[btn],
                       SWP_NOZORDER | SWP_NOACTIVATE);
    };
    int x = 0;
    for (int btn : {BtnOk, BtnApply, BtnClose}) {
        place(btn, x);
        x += m_iWidthBtn[btn] + kGap;
    }
    x = cx;
    for (int btn : {BtnNewVal, BtnIniVal, BtnRunVal}) {
        x -= m_iWidthBtn[btn];
        place(btn, x);
        x -= kGap;
    }
}

void DlgSetOpt::OnSize(UINT nType, int cx, int cy)
{
    if (!m_inf.bReady || !m_pag.bReady) {
        CmnDlt::OnSize(nType, cx, cy);
        return;
    }
    LayOut(cx, cy);
}

LRESULT DlgSetOpt::OnChgOpt(WPARAM wParam, LPARAM lParam)
{
    LRESULT rc = CmnDlg::OnCmnWmChgOpt(wParam, lParam);
    if (m_pag.bReady) ApplyTabSettings();
    return rc;
}

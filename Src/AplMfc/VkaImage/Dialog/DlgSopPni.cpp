// The options dialog's panel page: its values, controls, checks and the column list.
#define CMN_MODULE "Src\\AplMfc\\VkaImage\\Dialog\\DlgSopPni"
#include "DlgSopPni.h"
#include "DlbPnlFilCmd.h"
#include "DlbPnlLscFil.h"
#include "Halcor.h"
#include "HalcorRes.h"
#include <commctrl.h>
#include <stdio.h>
#include <string.h>

IMPLEMENT_DYNAMIC(DlgSopPni, DlgSop)

BEGIN_MESSAGE_MAP(DlgSopPni, DlgSop)
    ON_COMMAND(IDC_DLGSOPPNI_UP, &ThisClass::OnUp)
    ON_COMMAND(IDC_DLGSOPPNI_DOWN, &ThisClass::OnDown)
    ON_COMMAND(IDC_DLGSOPPNI_SHOW, &ThisClass::OnShow)
    ON_COMMAND(IDC_DLGSOPPNI_HIDE, &ThisClass::OnHide)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_DLGSOPPNI_COLUMNS, &ThisClass::OnColChanged)
END_MESSAGE_MAP()

LRESULT CALLBACK GF_DlgSopPniWndPrcCtl(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DlgSop::RunCtlProc(hWnd, message, wParam, lParam);
}

namespace {

const int kNameKind = 1;
// The width of a column that is not shown.
const int kHiddenWidth = CmnLstColWidth;
// The file list's filter by default: the engine's message 9.
const int kMsgFilter = 9;

// The state image of a line: 1 unticked, 2 ticked.
UINT TickState(bool ticked) { return INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1); }

} // namespace

DlgSopPni::DlgSopPni(DlgSetOpt* owner)
    : DlgSop(IDD_DLGSOPPNI, owner, GF_DlgSopPniWndPrcCtl), m_hList(nullptr), m_iColPlace(0)
{
    memset(m_val, 0, sizeof(m_val));
}

// ---- The copies ----

int DlgSopPni::CopyPni(int to, int from) { return CopyOf(m_val, to, from, "CopyPni"); }

int DlgSopPni::IniVal()
{
    memset(m_val, 0, sizeof(m_val));
    SopPniVal& v = m_val[SopIni];
    v.bPrvImg = v.bPrvImgTab = 1;
    v.iCntImgCacTmn = 300;
    v.iModeLstViw = 1;
    v.iWidthTmnImg = v.iHeightTmnImg = 100;
    v.iCntLstColTyp = 4;
    v.iIdxLstColTyp = 0;
    v.bAscent = 1;
    const int kinds[CmnLstColCnt] = {1, 2, 3, 5, 4, 6};
    for (int i = 0; i < CmnLstColCnt; ++i) {
        v.iTypLstCol[i] = kinds[i];
        v.iWidthLstCol[i] = kHiddenWidth;
        v.bShwLstCol[i] = i < v.iCntLstColTyp;
    }
    char filter[VKE_MSG_SIZE] = {};
    VkeSubGetMsg(theCmnAppInf.pSub, kMsgFilter, filter);
    snprintf(v.amFilter, sizeof(v.amFilter), "%s", filter);
    return VKE_OK;
}

int DlgSopPni::LoadVal()
{
    HalcorApp* app = HalcorGetApp();
    DlbPnlLscFil* panel = app ? app->GetPnlLscFil() : nullptr;
    if (panel && panel->m_hWnd) panel->SetPli();
    SopPniVal& v = m_val[SopCur];
    LscFii& f = theCmnAppInf.lscFii;
    v.bPrvImg = theCmnAppInf.bPrvImg;
    v.bPrvImgTab = theAppInf.sopPni.bPrvImgTab;
    v.iCntImgCacTmn = theCmnAppInf.iCntImgCacTmn;
    v.iModeLstViw = f.iModeLstViw;
    v.iWidthTmnImg = f.iWidthTmnImg;
    v.iHeightTmnImg = f.iHeightTmnImg;
    v.iCntLstColTyp = f.iCntLstColTyp;
    v.iIdxLstColTyp = f.iIdxLstColTyp;
    v.bAscent = f.bAscent;
    VkeSubGetAppMemStr(theCmnAppInf.pSub, &f.amFilter, v.amFilter, sizeof(v.amFilter));
    for (int i = 0; i < CmnLstColCnt; ++i) {
        v.iTypLstCol[i] = f.iTypLstCol[i];
        v.iWidthLstCol[i] = f.iWidthLstCol[i];
        v.bShwLstCol[i] = i < f.iCntLstColTyp;
    }
    return VKE_OK;
}

int DlgSopPni::GetPni()
{
    const SopPniVal& v = m_val[SopCur];
    LscFii& f = theCmnAppInf.lscFii;
    theCmnAppInf.bPrvImg = v.bPrvImg;
    theAppInf.sopPni.bPrvImgTab = v.bPrvImgTab;
    theCmnAppInf.iCntImgCacTmn = v.iCntImgCacTmn;
    f.iModeLstViw = v.iModeLstViw;
    f.iWidthTmnImg = v.iWidthTmnImg;
    f.iHeightTmnImg = v.iHeightTmnImg;

    // The shown columns in order, then the others by kind: each kind once, whatever the lines
    // hold (a kind out of range or named again is left out).
    bool taken[CmnLstColCnt + 1] = {};
    int count = 0;
    for (int i = 0; i < CmnLstColCnt; ++i) {
        const int kind = v.iTypLstCol[i];
        if (!v.bShwLstCol[i] || kind < 1 || kind > CmnLstColCnt || taken[kind]) continue;
        taken[kind] = true;
        f.iTypLstCol[count] = kind;
        f.iWidthLstCol[count++] = v.iWidthLstCol[i];
    }
    f.iCntLstColTyp = count;
    for (int kind = 1, next = count; kind <= CmnLstColCnt; ++kind) {
        if (taken[kind]) continue;
        f.iTypLstCol[next] = kind;
        f.iWidthLstCol[next++] = kHiddenWidth;
    }
    f.iIdxLstColTyp = 0;
    for (int i = 0; i < CmnLstColCnt; ++i)
        if (f.iTypLstCol[i] == kNameKind) f.iIdxLstColTyp = i;
    f.bAscent = 1;

    HalcorApp* app = HalcorGetApp();
    DlbPnlLscFil* list = app ? app->GetPnlLscFil() : nullptr;
    if (list && list->GetLscFil()) f.iModeLstViw = list->GetListViewMode();
    DlbPnlFilCmd* commands = app ? app->GetPnlFilCmd() : nullptr;
    // The panel's filter once it is ready, an empty one too (every file shows).
    if (commands && commands->m_hWnd && commands->HasFilter()) {
        CString filter = commands->GetFlt();
        int rc = VkeSubSetAppMemStr(theCmnAppInf.pSub, &f.amFilter, filter);
        if (rc != VKE_OK) return rc;
        snprintf(m_val[SopCur].amFilter, sizeof(v.amFilter), "%s", static_cast<const char*>(filter));
    }
    return VKE_OK;
}

// ---- The controls ----

int DlgSopPni::InitCtl()
{
    const int ids[SlotCnt] = {IDC_DLGSOPPNI_LBL,      IDC_DLGSOPPNI_LBL + 1, IDC_DLGSOPPNI_LBL + 2, IDC_DLGSOPPNI_LBL + 3,
                              IDC_DLGSOPPNI_LBL + 4,  IDC_DLGSOPPNI_WIDTH,   IDC_DLGSOPPNI_HEIGHT,  IDC_DLGSOPPNI_CACHE,
                              IDC_DLGSOPPNI_COLWIDTH, IDC_DLGSOPPNI_UP,      IDC_DLGSOPPNI_DOWN,    IDC_DLGSOPPNI_SHOW,
                              IDC_DLGSOPPNI_HIDE,     IDC_DLGSOPPNI_PRVIMG,  IDC_DLGSOPPNI_PRVTAB};
    int rc = VKE_OK;
    for (int slot = 0; slot < SlotCnt && rc == VKE_OK; ++slot) {
        const int type = slot < SlotWidth ? VKE_CTL_STATIC : slot < SlotUp ? VKE_CTL_EDIT : VKE_CTL_BUTTON;
        rc = InitCtlSlot(slot, type, ids[slot], type == VKE_CTL_EDIT ? VKE_EDIT_TEXT : VKE_EDIT_NONE, "",
                         type == VKE_CTL_STATIC ? nullptr : "");
    }
    m_hList = ::GetDlgItem(m_hWnd, IDC_DLGSOPPNI_COLUMNS);
    if (rc != VKE_OK || !m_hList) return rc != VKE_OK ? rc : VKE_ERR_SYSTEM;
    ListView_SetExtendedListViewStyle(m_hList, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    CRect client;
    ::GetClientRect(m_hList, &client);
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    column.cx = client.Width();
    return ::SendMessageA(m_hList, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column)) == 0 ? VKE_OK
                                                                                                  : VKE_ERR_SYSTEM;
}

int DlgSopPni::SetData()
{
    const SopPniVal& v = m_val[SopCur];
    ShowInt(SlotWidth, v.iWidthTmnImg);
    ShowInt(SlotHeight, v.iHeightTmnImg);
    ShowInt(SlotCache, v.iCntImgCacTmn);
    ShowFlag(SlotPrvImg, v.bPrvImg);
    ShowFlag(SlotPrvTab, v.bPrvImgTab);
    if (!m_hList) return VKE_ERR_SYSTEM;
    m_bLoading++;
    ListView_DeleteAllItems(m_hList);
    int rc = VKE_OK;
    for (int i = 0; i < CmnLstColCnt && rc == VKE_OK; ++i) {
        CString title = theCmnSub.GetMsgStr(IDS_VKA_COL_FIRST - 1 + v.iTypLstCol[i]);
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = i;
        item.pszText = const_cast<char*>(static_cast<const char*>(title));
        item.lParam = i;
        if (::SendMessageA(m_hList, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)) != i) rc = VKE_ERR_MEMORY;
        else ListView_SetItemState(m_hList, i, TickState(v.bShwLstCol[i] != 0), LVIS_STATEIMAGEMASK);
    }
    ListView_SetItemState(m_hList, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_bLoading--;
    m_iColPlace = 0;
    ShowInt(SlotColWidth, v.iWidthLstCol[0]);
    return rc;
}

int DlgSopPni::EnableCtl()
{
    EnableSlot(SlotPrvTab, m_val[SopCur].bPrvImg == 1);
    const int line = SelLine();
    const bool name = line >= 0 && KindOf(line) == kNameKind;
    const bool ticked = line >= 0 && IsTicked(line);
    EnableSlot(SlotUp, line > 0);
    EnableSlot(SlotDown, line >= 0 && line < CmnLstColCnt - 1);
    EnableSlot(SlotShow, line >= 0 && !name && !ticked);
    EnableSlot(SlotHide, line >= 0 && !name && ticked);
    return VKE_OK;
}

void DlgSopPni::OnCheck(int slot, int state)
{
    SopPniVal& v = m_val[SopCur];
    if (slot == SlotPrvImg) v.bPrvImg = state;
    else if (slot == SlotPrvTab) v.bPrvImgTab = state;
}

// ---- The column list ----

int DlgSopPni::SelLine() const
{
    return m_hList ? ListView_GetNextItem(m_hList, -1, LVNI_SELECTED) : -1;
}

int DlgSopPni::PlaceOf(int line) const
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = line;
    ::SendMessageA(m_hList, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam >= 0 && item.lParam < CmnLstColCnt ? static_cast<int>(item.lParam) : 0;
}

int DlgSopPni::KindOf(int line) const { return m_val[SopCur].iTypLstCol[PlaceOf(line)]; }

bool DlgSopPni::IsTicked(int line) const { return ListView_GetCheckState(m_hList, line) != 0; }

void DlgSopPni::OnColChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMLISTVIEW* nm = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if (m_bLoading || !m_inf.bReady || !(nm->uChanged & LVIF_STATE) || nm->iItem < 0) return;
    const UINT changed = nm->uNewState ^ nm->uOldState;
    if (changed & LVIS_STATEIMAGEMASK) {
        // The name column is always shown.
        if (KindOf(nm->iItem) == kNameKind && !IsTicked(nm->iItem)) {
            m_bLoading++;
            ListView_SetItemState(m_hList, nm->iItem, TickState(true), LVIS_STATEIMAGEMASK);
            m_bLoading--;
        }
        SetModified();
    }
    if ((changed & LVIS_SELECTED) && (nm->uNewState & LVIS_SELECTED)) {
        // A width typed for the line before is kept for it before the box shows this one's.
        const int place = PlaceOf(nm->iItem);
        int width = 0;
        if (place != m_iColPlace && ReadInt(SlotColWidth, &width) == VKE_OK && width >= 0)
            m_val[SopCur].iWidthLstCol[m_iColPlace] = width;
        m_iColPlace = place;
        ShowInt(SlotColWidth, m_val[SopCur].iWidthLstCol[place]);
        SetModified();
    }
    EnableCtl();
}

int DlgSopPni::MoveCol(int step)
{
    const int line = SelLine();
    const int to = line + step;
    if (line < 0 || (step != 1 && step != -1) || to < 0 || to >= CmnLstColCnt) return VKE_NOT_DONE;
    char text[2][64] = {};
    LVITEMA items[2] = {};
    const int lines[2] = {line, to};
    for (int i = 0; i < 2; ++i) {
        items[i].mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
        items[i].iItem = lines[i];
        items[i].stateMask = LVIS_STATEIMAGEMASK;
        items[i].pszText = text[i];
        items[i].cchTextMax = sizeof(text[i]);
        ::SendMessageA(m_hList, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&items[i]));
    }
    m_bLoading++;
    for (int i = 0; i < 2; ++i) {
        LVITEMA item = items[1 - i];
        item.iItem = lines[i];
        item.pszText = text[1 - i];
        ::SendMessageA(m_hList, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    ListView_SetItemState(m_hList, to, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(m_hList, to, FALSE);
    m_bLoading--;
    SetModified();
    EnableCtl();
    return VKE_OK;
}

int DlgSopPni::ShowCol(bool show)
{
    const int line = SelLine();
    if (line < 0 || KindOf(line) == kNameKind) return VKE_NOT_DONE;
    ListView_SetItemState(m_hList, line, TickState(show), LVIS_STATEIMAGEMASK);
    EnableCtl();
    return VKE_OK;
}

void DlgSopPni::FocusListIfOff(int slot)
{
    if (!::IsWindowEnabled(m_inf.phCtlWnd[slot])) theCmnSub.PostSetFocus(m_hList);
}

void DlgSopPni::OnUp()
{
    MoveCol(-1);
    FocusListIfOff(SlotUp);
}

void DlgSopPni::OnDown()
{
    MoveCol(1);
    FocusListIfOff(SlotDown);
}

void DlgSopPni::OnShow()
{
    ShowCol(true);
    theCmnSub.PostSetFocus(m_hList);
}

void DlgSopPni::OnHide()
{
    ShowCol(false);
    theCmnSub.PostSetFocus(m_hList);
}

void DlgSopPni::ReadList()
{
    SopPniVal& v = m_val[SopCur];
    SopPniVal read = v;
    int widthLine = 0;
    for (int line = 0; line < CmnLstColCnt; ++line) {
        const int place = PlaceOf(line);
        if (place == m_iColPlace) widthLine = line;
        read.iTypLstCol[line] = v.iTypLstCol[place];
        read.iWidthLstCol[line] = v.iWidthLstCol[place];
        read.bShwLstCol[line] = IsTicked(line) ? 1 : 0;
    }
    m_bLoading++;
    for (int line = 0; line < CmnLstColCnt; ++line) {
        LVITEMA item = {};
        item.mask = LVIF_PARAM;
        item.iItem = line;
        item.lParam = line;
        ::SendMessageA(m_hList, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    m_bLoading--;
    read.iCntLstColTyp = 0;
    for (int shown : read.bShwLstCol) read.iCntLstColTyp += shown;
    v = read;
    m_iColPlace = widthLine;
}

// ---- The check ----

void DlgSopPni::Check(VkiCtl* checked)
{
    SopPniVal& v = m_val[SopCur];
    // The column width belongs to the line it was shown for, selected or not any more (a click
    // on the list's empty space leaves no line selected).
    const struct {
        int slot, min, small, big;
        int* value;
    } numbers[] = {{SlotWidth, 1, IDS_VKA_SOP_BAD_WIDTH, IDS_VKA_SOP_BIG_WIDTH, &v.iWidthTmnImg},
                   {SlotHeight, 1, IDS_VKA_SOP_BAD_HEIGHT, IDS_VKA_SOP_BIG_HEIGHT, &v.iHeightTmnImg},
                   {SlotCache, 0, IDS_VKA_SOP_BAD_CACHE, IDS_VKA_SOP_BIG_CACHE, &v.iCntImgCacTmn},
                   {SlotColWidth, 0, IDS_VKA_SOP_BAD_COLWID, IDS_VKA_SOP_BIG_COLWID, &v.iWidthLstCol[m_iColPlace]}};
    for (const auto& n : numbers)
        if (Wanted(checked, n.slot)) CheckWhole(checked, n.slot, n.min, n.small, n.big, n.value);
    if (Wanted(checked, SlotPrvImg)) v.bPrvImg = IsOn(SlotPrvImg);
    if (Wanted(checked, SlotPrvTab)) v.bPrvImgTab = IsOn(SlotPrvTab);
    if (!checked) ReadList();
}

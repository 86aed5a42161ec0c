// The page lists' tab control: its start and settings, its selection notices, the tab popup's
// commands and the edit and scale commands handed to a page.
#include "CmnDlgOpr.h"
#include "CmnRes.h"
#include "CmnSub.h"
#include "CmnTbvPag.h"

// ---- The tab control ----

int CmnTbvOpr::StartTab(int id, HMENU menu, int fixedPage, int ctlLock)
{
    TbvPag& pag = m_pag;
    if (pag.pTab) return Fail("StartTab", VKE_ERR_EXISTS);
    int rc = VkeTabAlloc(theCmnAppInf.pSys, &pag.pTab);
    if (rc == VKE_OK) rc = VkeTabSubclassDlgItem(pag.pTab, m_wnd.m_hWnd, id);
    VkeTabParam& p = pag.tabParam;
    if (rc == VKE_OK) rc = VkeTabInitParam(pag.pTab, &p);
    if (rc == VKE_OK) {
        COLORREF color = 0;
        if (theCmnSub.GetTextColor(CmnKndTab, 0, &color) == VKE_OK) p.uTextColor = color;
        if (theCmnSub.GetBackColor(CmnKndTab, 0, &color) == VKE_OK) p.uBackColor = color;
        p.hMenu = menu;
        p.iFixedPage = fixedPage;
        p.iCtlLock = ctlLock;
        rc = VkeTabInit(pag.pTab, &p, &theCmnAppInf.iChkFld, &theCmnAppInf.iChkMsg);
    }
    LOGFONTA font;
    if (rc == VKE_OK && theCmnSub.GetFont(CmnKndTab, 0, &font) == VKE_OK) rc = VkeTabSetFontByLogFont(pag.pTab, &font);
    if (rc == VKE_OK) rc = VkeTabGetTabHandle(pag.pTab, &pag.hTabWnd);
    if (rc != VKE_OK) {
        VkeTabFree(&pag.pTab);
        pag.hTabWnd = nullptr;
        return Fail("StartTab", rc);
    }
    pag.bReady = 1;
    return VKE_OK;
}

void CmnTbvOpr::ApplyTabSettings()
{
    VkiTab* tab = m_pag.pTab;
    if (!tab) return;
    CmnDlgOpr::ApplyColor(tab, CmnKndTab, 0, &CmnSub::GetTextColor, VkeTabGetTextColor, VkeTabSetTextColor);
    CmnDlgOpr::ApplyColor(tab, CmnKndTab, 0, &CmnSub::GetBackColor, VkeTabGetBackColor, VkeTabSetBackColor);
    CmnDlgOpr::ApplyFont(tab, CmnKndTab, 0, VkeTabGetLogFont, VkeTabSetFontByLogFont);
}

// ---- Selection notices ----

int CmnTbvOpr::TabNotice(UINT message, LPARAM lParam) const
{
    const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
    if (message != WM_NOTIFY || !hdr || !m_pag.hTabWnd || hdr->hwndFrom != m_pag.hTabWnd) return 0;
    return hdr->code == static_cast<UINT>(TCN_SELCHANGING) || hdr->code == static_cast<UINT>(TCN_SELCHANGE)
               ? static_cast<int>(hdr->code)
               : 0;
}

LRESULT CmnTbvOpr::RunTabNotice(int code)
{
    return code == static_cast<int>(TCN_SELCHANGING) ? OnTcnSelChanging() : OnTcnSelChange();
}

// ---- The tab popup's commands ----

bool CmnTbvOpr::TabCmdEnabled(UINT id, int tab)
{
    int count = 0, locked = 0;
    GetPageCnt(&count);
    if (tab >= 0 && tab < count) GetLockedFlag(tab, &locked);
    else tab = -1;
    bool lockOpt = m_pag.bLockOpt == 1;
    switch (id) {
    case ID_CMN_TAB_CLOSE: return tab >= 0 && !(lockOpt && locked);
    case ID_CMN_TAB_CLOSE_ALL: return count > 0;
    case ID_CMN_TAB_CLOSE_PREV:
    case ID_CMN_TAB_FIRST:
    case ID_CMN_TAB_PREV: return tab > 0;
    case ID_CMN_TAB_CLOSE_NEXT:
    case ID_CMN_TAB_LAST:
    case ID_CMN_TAB_NEXT: return tab >= 0 && tab < count - 1;
    case ID_CMN_TAB_CLOSE_OTHR: return count > 1;
    case ID_CMN_TAB_LOCK: return lockOpt && tab >= 0 && !locked;
    case ID_CMN_TAB_UNLOCK: return lockOpt && tab >= 0 && locked;
    default: return false; // new, open and the saves belong to the derived windows
    }
}

void CmnTbvOpr::RunTabCmd(UINT id)
{
    if (!m_pag.bReady) return;
    int tab = -1;
    GetRbcIdx(&tab);
    if (tab < 0) GetCurSel(&tab);
    if (!TabCmdEnabled(id, tab)) return;
    switch (id) {
    case ID_CMN_TAB_CLOSE: ClosePage(tab, 0); break;
    case ID_CMN_TAB_CLOSE_ALL: ClosePageAll(0); break;
    case ID_CMN_TAB_CLOSE_PREV: ClosePagePrevAll(tab, 0); break;
    case ID_CMN_TAB_CLOSE_NEXT: ClosePageNextAll(tab, 0); break;
    case ID_CMN_TAB_CLOSE_OTHR: ClosePageOtherAll(tab, 0); break;
    case ID_CMN_TAB_FIRST: ShowFirstPage(); break;
    case ID_CMN_TAB_LAST: ShowLastPage(); break;
    case ID_CMN_TAB_PREV: ShowPrevPage(tab, 0); break;
    case ID_CMN_TAB_NEXT: ShowNextPage(tab, 0); break;
    case ID_CMN_TAB_LOCK: SetLockedFlag(tab, 1); break;
    case ID_CMN_TAB_UNLOCK: SetLockedFlag(tab, 0); break;
    default: break;
    }
}

void CmnTbvOpr::RunUpdateTabCmd(CCmdUI* pCmdUI)
{
    int tab = -1;
    if (m_pag.bReady) {
        GetRbcIdx(&tab);
        if (tab < 0) GetCurSel(&tab);
    }
    pCmdUI->Enable(m_pag.bReady && TabCmdEnabled(pCmdUI->m_nID, tab));
}

// ---- Edit and scale commands ----

CWnd* CmnTbvOpr::CmdTarget(UINT)
{
    TbvElm* e = nullptr;
    return m_pag.bReady && SchCurElm(&e) == VKE_OK ? PageWnd(e) : nullptr;
}

void CmnTbvOpr::RunTargetCmd(UINT id)
{
    if (CWnd* target = CmdTarget(id)) target->OnCmdMsg(id, CN_COMMAND, nullptr, nullptr);
}

void CmnTbvOpr::RunUpdateTargetCmd(CCmdUI* pCmdUI)
{
    // The target's own update handlers set the item; without a target or a handler it is off.
    CWnd* target = CmdTarget(pCmdUI->m_nID);
    if (!target || !target->OnCmdMsg(pCmdUI->m_nID, CN_UPDATE_COMMAND_UI, pCmdUI, nullptr)) pCmdUI->Enable(FALSE);
}

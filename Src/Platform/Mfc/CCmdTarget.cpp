#include "CCmdTarget.h"
#include "CCmdUI.h"
#include "CWinApp.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

static bool Matches(const AFX_MSGMAP_ENTRY* e, UINT nKey, int nCode, UINT nID)
{
    UINT message = e->pRegistered ? *e->pRegistered : e->nMessage;
    return message == nKey && e->nCode == nCode && nID >= e->nID && nID <= e->nLastID;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(const AFX_MSGMAP* map, UINT nKey, int nCode, UINT nID,
                                              const AFX_MSGMAP_ENTRY* after)
{
    // Walk the tables from the most derived class; "after" resumes behind an entry that declined.
    bool resumed = (after == nullptr);
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
            if (!resumed) {
                resumed = (e == after);
                continue;
            }
            if (Matches(e, nKey, nCode, nID)) return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::DispatchMsgMap(AFX_MSG& m, UINT nKey, int nCode, UINT nID)
{
    const AFX_MSGMAP* map = GetMessageMap();
    for (const AFX_MSGMAP_ENTRY* e = FindEntry(map, nKey, nCode, nID, nullptr); e;
         e = FindEntry(map, nKey, nCode, nID, e)) {
        // A handler may destroy this object: nothing here touches it after a taken message.
        if (e->pfn(this, m)) return TRUE;
    }
    return FALSE;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (pHandlerInfo) {
        if (!FindEntry(GetMessageMap(), WM_COMMAND, nCode, nID, nullptr)) return FALSE;
        pHandlerInfo->pTarget = this;
        return TRUE;
    }
    AFX_MSG m = {WM_COMMAND, 0, 0, 0, nID, pExtra};
    if (nCode != CN_UPDATE_COMMAND_UI) return DispatchMsgMap(m, WM_COMMAND, nCode, nID);
    CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
    if (!pCmdUI) return FALSE;
    pCmdUI->m_bContinueRouting = FALSE;
    BOOL handled = DispatchMsgMap(m, WM_COMMAND, nCode, nID);
    return handled && !pCmdUI->m_bContinueRouting;
}

void CCmdTarget::BeginWaitCursor() { AfxGetApp() ? AfxGetApp()->DoWaitCursor(1) : (void)0; }
void CCmdTarget::EndWaitCursor() { AfxGetApp() ? AfxGetApp()->DoWaitCursor(-1) : (void)0; }
void CCmdTarget::RestoreWaitCursor() { AfxGetApp() ? AfxGetApp()->DoWaitCursor(0) : (void)0; }

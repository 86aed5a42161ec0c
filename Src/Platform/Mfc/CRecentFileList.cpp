#include "CRecentFileList.h"
#include "CCmdUI.h"
#include "CMenu.h"
#include "CWinApp.h"
#include "MfcPath.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize, int nMaxDispLen)
    : m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat), m_nStart(nStart),
      m_nMaxDisplayLength(nMaxDispLen), m_arrNames(static_cast<size_t>(nSize > 0 ? nSize : 0))
{
}

int CRecentFileList::Find(LPCSTR lpszPathName) const
{
    for (size_t i = 0; i < m_arrNames.size(); ++i)
        if (!m_arrNames[i].IsEmpty() && m_arrNames[i].CompareNoCase(lpszPathName) == 0) return static_cast<int>(i);
    return -1;
}

void CRecentFileList::Add(LPCSTR lpszPathName)
{
    if (!lpszPathName || !*lpszPathName || m_arrNames.empty()) return;
    CString path = AfxFullPath(lpszPathName);
    int found = Find(path);
    int last = found >= 0 ? found : GetSize() - 1;
    for (int i = last; i > 0; --i) m_arrNames[static_cast<size_t>(i)] = m_arrNames[static_cast<size_t>(i - 1)];
    m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetSize()) return;
    m_arrNames.erase(m_arrNames.begin() + nIndex);
    m_arrNames.push_back(CString());
}

CString CRecentFileList::EntryName(int nIndex) const
{
    CString entry;
    entry.Format(m_strEntryFormat, static_cast<int>(m_nStart) + nIndex + 1);
    return entry;
}

void CRecentFileList::ReadList()
{
    CWinApp* app = AfxGetApp();
    if (!app) return;
    for (CString& name : m_arrNames) name.Empty();
    // Places keep the entries' order; holes and repeats do not take a place.
    int filled = 0;
    for (int i = 0; i < GetSize(); ++i) {
        CString path = app->GetProfileString(m_strSectionName, EntryName(i));
        path.Trim();
        if (path.IsEmpty() || Find(path) >= 0) continue;
        m_arrNames[static_cast<size_t>(filled++)] = path;
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* app = AfxGetApp();
    if (!app) return;
    app->WriteProfileString(m_strSectionName, nullptr, nullptr);
    int written = 0;
    for (const CString& name : m_arrNames)
        if (!name.IsEmpty()) app->WriteProfileString(m_strSectionName, EntryName(written++), name);
}

CString CRecentFileList::GetDisplayName(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetSize()) return CString();
    CString name = AfxAbbreviateName(m_arrNames[static_cast<size_t>(nIndex)], m_nMaxDisplayLength);
    name.Replace("&", "&&");
    return name;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    CMenu* pMenu = pCmdUI->m_pMenu;
    bool empty = m_arrNames.empty() || m_arrNames[0].IsEmpty();
    if (!pMenu) {
        pCmdUI->Enable(!empty);
        return;
    }
    if (m_strOriginal.IsEmpty()) pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);
    if (empty) {
        // Items of an earlier, longer list go; the first stays as the disabled placeholder.
        for (int i = 1; i < GetSize(); ++i) pMenu->DeleteMenu(pCmdUI->m_nID + static_cast<UINT>(i), MF_BYCOMMAND);
        pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
        pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    for (int i = 0; i < GetSize(); ++i) pMenu->DeleteMenu(pCmdUI->m_nID + static_cast<UINT>(i), MF_BYCOMMAND);
    UINT index = pCmdUI->m_nIndex;
    for (int i = 0; i < GetSize() && !m_arrNames[static_cast<size_t>(i)].IsEmpty(); ++i) {
        CString text;
        text.Format("&%d %s", (static_cast<int>(m_nStart) + i + 1) % 10, static_cast<LPCSTR>(GetDisplayName(i)));
        pMenu->InsertMenu(index++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID + static_cast<UINT>(i), text);
    }
    pCmdUI->m_nIndex = index - 1; // the last item made
    pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}

// The application's documents: its templates, the new and open commands, the shell command of
// the command line, the recent-file list and the exit command.
#include "CCmdUI.h"
#include "CCommandLineInfo.h"
#include "CDocTemplate.h"
#include "CDocument.h"
#include "CFrameWnd.h"
#include "CRecentFileList.h"
#include "CView.h"
#include "CWinApp.h"
#include "MfcPath.h"
#include <stdlib.h>

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, &ThisClass::OnAppExit)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, &ThisClass::OnUpdateRecentFileMenu)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, &ThisClass::OnOpenRecentFile)
END_MESSAGE_MAP()

// ---- Templates and documents ----

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate) m_templates.push_back(pTemplate);
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& rPosition) const { return AfxNextAt(m_templates, rPosition); }

// The open document with that full path (letter case aside), or null.
static CDocument* FindOpenDocument(const std::vector<CDocTemplate*>& templates, const CString& path)
{
    for (CDocTemplate* pTemplate : templates) {
        for (POSITION pos = pTemplate->GetFirstDocPosition(); pos;) {
            CDocument* pDoc = pTemplate->GetNextDoc(pos);
            if (!pDoc->GetPathName().IsEmpty() && pDoc->GetPathName().CompareNoCase(path) == 0) return pDoc;
        }
    }
    return nullptr;
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName)
{
    if (!lpszFileName || m_templates.empty()) return nullptr;
    CString path = AfxFullPath(lpszFileName);
    if (CDocument* pDoc = FindOpenDocument(m_templates, path)) {
        POSITION pos = pDoc->GetFirstViewPosition();
        CView* pView = pos ? pDoc->GetNextView(pos) : nullptr;
        CFrameWnd* pFrame = pView && pView->m_hWnd ? pView->GetParentFrame() : nullptr;
        if (pFrame) pFrame->ActivateFrame();
        return pDoc;
    }
    return m_templates.front()->OpenDocumentFile(path);
}

BOOL CWinApp::SaveAllModified()
{
    for (CDocTemplate* pTemplate : m_templates)
        if (!pTemplate->SaveAllModified()) return FALSE;
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (CDocTemplate* pTemplate : m_templates) pTemplate->CloseAllDocuments(bEndSession);
}

void CWinApp::OnFileNew()
{
    if (!m_templates.empty()) m_templates.front()->OpenDocumentFile(nullptr);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd && m_pMainWnd->m_hWnd) m_pMainWnd->SendMessage(WM_CLOSE);
}

// ---- Command line ----

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    if (!__argv) return;
    for (int i = 1; i < __argc; ++i) {
        LPCSTR param = __argv[i];
        if (!param) continue;
        BOOL flag = param[0] == '-' || param[0] == '/';
        rCmdInfo.ParseParam(flag ? param + 1 : param, flag, i + 1 == __argc);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNothing:
        return TRUE;
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr)) OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    default:
        return FALSE; // printing and registration are not offered
    }
}

// ---- Recent files ----

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (nMaxMRU == 0) return;
    const UINT most = ID_FILE_MRU_LAST - ID_FILE_MRU_FIRST + 1;
    int size = static_cast<int>(nMaxMRU < most ? nMaxMRU : most);
    m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", size);
    m_pRecentFileList->ReadList();
}

void CWinApp::AddToRecentFileList(LPCSTR lpszPathName)
{
    if (m_pRecentFileList) m_pRecentFileList->Add(lpszPathName);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    int index = static_cast<int>(nID) - ID_FILE_MRU_FILE1;
    if (!m_pRecentFileList || index < 0 || index >= m_pRecentFileList->GetSize()) return FALSE;
    CString path = (*m_pRecentFileList)[index];
    if (path.IsEmpty()) return FALSE;
    if (!OpenDocumentFile(path)) m_pRecentFileList->Remove(index);
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList) m_pRecentFileList->UpdateMenu(pCmdUI);
    else pCmdUI->Enable(FALSE);
}

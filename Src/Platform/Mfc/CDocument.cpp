#include "CDocument.h"
#include "CDocTemplate.h"
#include "CFrameWnd.h"
#include "CView.h"
#include "CWinApp.h"
#include "MfcPath.h"
#include <algorithm>

IMPLEMENT_DYNCREATE(CDocument, CCmdTarget)

CDocument::CDocument() : m_bAutoDelete(TRUE), m_pDocTemplate(nullptr), m_bModified(FALSE) {}

CDocument::~CDocument()
{
    for (CView* pView : m_viewList) pView->m_pDocument = nullptr;
    if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

// ---- Title and path ----

void CDocument::SetTitle(LPCSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU)
{
    m_strPathName = AfxFullPath(lpszPathName);
    SetTitle(AfxFileNameOf(m_strPathName));
    CWinApp* app = AfxGetApp();
    if (bAddToMRU && app) app->AddToRecentFileList(m_strPathName);
}

// ---- Views ----

void CDocument::AddView(CView* pView)
{
    if (!pView || std::find(m_viewList.begin(), m_viewList.end(), pView) != m_viewList.end()) return;
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    auto it = std::find(m_viewList.begin(), m_viewList.end(), pView);
    if (it == m_viewList.end()) return;
    m_viewList.erase(it);
    pView->m_pDocument = nullptr;
    OnChangedViewList(); // may delete this document
}

CView* CDocument::GetNextView(POSITION& rPosition) const { return AfxNextAt(m_viewList, rPosition); }

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    std::vector<CView*> views = m_viewList; // a view may go while others update
    for (CView* pView : views)
        if (pView != pSender && std::find(m_viewList.begin(), m_viewList.end(), pView) != m_viewList.end())
            pView->OnUpdate(pSender, lHint, pHint);
}

void CDocument::UpdateFrameCounts()
{
    std::vector<CFrameWnd*> done;
    for (CView* pView : m_viewList) {
        CFrameWnd* pFrame = pView->m_hWnd ? pView->GetParentFrame() : nullptr;
        if (!pFrame || std::find(done.begin(), done.end(), pFrame) != done.end()) continue;
        done.push_back(pFrame);
        pFrame->OnUpdateFrameTitle(TRUE);
    }
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.empty() && m_bAutoDelete) OnCloseDocument();
}

// ---- Life cycle ----

BOOL CDocument::SaveModified()
{
    if (!IsModified()) return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : AfxFileNameOf(m_strPathName);
    CString prompt;
    prompt.Format("%s への変更を保存しますか?", static_cast<LPCSTR>(name));
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES: return OnSaveDocument(m_strPathName);
    case IDNO: return TRUE;
    default: return FALSE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame)
{
    for (CView* pView : m_viewList)
        if (pView->m_hWnd && pView->GetParentFrame() != pFrame) return TRUE; // shown elsewhere still
    return SaveModified();
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName)
{
    HANDLE file = ::CreateFileA(lpszPathName ? lpszPathName : "", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        CString text;
        text.Format("ファイルを開けませんでした。\n\n%s", lpszPathName ? lpszPathName : "");
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    ::CloseHandle(file);
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCSTR)
{
    CString text;
    text.Format("%s を保存できませんでした。", static_cast<LPCSTR>(m_strTitle));
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

void CDocument::OnCloseDocument()
{
    // While the frames go, their views leave the list; the document must outlive that.
    BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.empty()) {
        CView* pView = m_viewList.front();
        CFrameWnd* pFrame = pView->m_hWnd ? pView->GetParentFrame() : nullptr;
        if (pFrame) pFrame->DestroyWindow();
        else if (pView->m_hWnd) pView->DestroyWindow();
        // A view that stays (no window, or one that refused to go) is let go.
        if (!m_viewList.empty() && m_viewList.front() == pView) RemoveView(pView);
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete) delete this;
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

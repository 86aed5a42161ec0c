#include "CDocTemplate.h"
#include "CCreateContext.h"
#include "CDocument.h"
#include "CFrameWnd.h"
#include "CWinApp.h"
#include <vector>

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                           const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
    m_strDocStrings.LoadString(nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const
{
    rString.Empty();
    int start = 0;
    for (int i = 0; i < index; ++i) {
        start = m_strDocStrings.Find('\n', start);
        if (start < 0) return FALSE;
        ++start;
    }
    int end = m_strDocStrings.Find('\n', start);
    rString = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
    return !rString.IsEmpty();
}

void CDocTemplate::AddDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = this; }

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc->m_pDocTemplate == this) pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CDocument* pDoc = DYNAMIC_CREATE_AS(CDocument, m_pDocClass);
    if (!pDoc) return nullptr;
    AddDocument(pDoc);
    return pDoc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CFrameWnd* pFrame = DYNAMIC_CREATE_AS(CFrameWnd, m_pFrameClass);
    if (!pFrame) return nullptr;
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    // A frame that fails has deleted itself, its views with it.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) return nullptr;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

void CDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (!GetDocString(title, docName)) title = "無題";
    pDocument->SetTitle(title);
}

BOOL CDocTemplate::SaveAllModified()
{
    POSITION pos = GetFirstDocPosition();
    while (pos)
        if (!GetNextDoc(pos)->SaveModified()) return FALSE;
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    // Closing deletes documents: the list is taken first.
    std::vector<CDocument*> docs;
    for (POSITION pos = GetFirstDocPosition(); pos;) docs.push_back(GetNextDoc(pos));
    for (CDocument* pDoc : docs) pDoc->OnCloseDocument();
}

void CDocTemplate::ReportCreateFailure()
{
    AfxMessageBox("文書を作成できませんでした。", MB_OK | MB_ICONEXCLAMATION);
}

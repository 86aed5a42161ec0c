#include "CSingleDocTemplate.h"
#include "CDocument.h"
#include "CFrameWnd.h"
#include "CView.h"
#include "CWinThread.h"

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                                       const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_pOnlyDoc(nullptr)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc) RemoveDocument(m_pOnlyDoc);
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc) m_pOnlyDoc = nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* pDoc = rPos ? m_pOnlyDoc : nullptr;
    rPos = nullptr;
    return pDoc;
}

// The frame of the document's first view, when it has one.
static CFrameWnd* FrameOf(CDocument* pDoc)
{
    POSITION pos = pDoc->GetFirstViewPosition();
    CView* pView = pos ? pDoc->GetNextView(pos) : nullptr;
    return pView && pView->m_hWnd ? pView->GetParentFrame() : nullptr;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDoc = m_pOnlyDoc;
    bool newDoc = pDoc == nullptr;
    if (pDoc && !pDoc->SaveModified()) return nullptr;
    if (newDoc) pDoc = CreateNewDocument();
    if (!pDoc) {
        ReportCreateFailure();
        return nullptr;
    }
    CFrameWnd* pFrame = newDoc ? nullptr : FrameOf(pDoc);
    bool newFrame = pFrame == nullptr;
    if (newFrame) {
        // A failing frame takes its view with it; the document must not go with that view.
        BOOL autoDelete = pDoc->m_bAutoDelete;
        pDoc->m_bAutoDelete = FALSE;
        pFrame = CreateNewFrame(pDoc, nullptr);
        pDoc->m_bAutoDelete = autoDelete;
        if (!pFrame) {
            ReportCreateFailure();
            if (newDoc) delete pDoc;
            return nullptr;
        }
    }
    BOOL ready;
    if (!lpszPathName) {
        SetDefaultTitle(pDoc);
        ready = pDoc->OnNewDocument();
    } else {
        ready = pDoc->OnOpenDocument(lpszPathName); // tells the user itself when it fails
        if (ready) pDoc->SetPathName(lpszPathName);
    }
    if (!ready) {
        if (newFrame) {
            pFrame->DestroyWindow(); // an auto-deleting document goes with its last view
            if (newDoc && m_pOnlyDoc == pDoc) delete pDoc;
        } else if (!pDoc->IsModified()) {
            SetDefaultTitle(pDoc); // what was there is gone: show an empty document
            if (!pDoc->OnNewDocument()) pFrame->DestroyWindow();
        }
        return nullptr;
    }
    CWinThread* pThread = AfxGetThread();
    if (newFrame && pThread && !pThread->m_pMainWnd) pThread->m_pMainWnd = pFrame;
    InitialUpdateFrame(pFrame, pDoc, bMakeVisible);
    return pDoc;
}

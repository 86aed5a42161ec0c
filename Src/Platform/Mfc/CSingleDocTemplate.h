// The template of a program that shows one document at a time in one frame: the first
// document makes the frame and its view; a later new or opened document reuses both.
#pragma once
#include "CDocTemplate.h"

class CSingleDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CSingleDocTemplate)

public:
    CSingleDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                       const CRuntimeClass* pViewClass);
    // Lets go of its document, which stays without a template.
    ~CSingleDocTemplate() override;

    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    POSITION GetFirstDocPosition() const override { return m_pOnlyDoc ? AfxPositionOf(0) : nullptr; }
    CDocument* GetNextDoc(POSITION& rPos) const override;

    // The document and frame of the template (made on first use: the frame becomes the
    // thread's main window when there is none); an existing document is first asked
    // SaveModified. A file that cannot be opened leaves a new frame destroyed, an existing
    // document empty and unmodified, and gives null.
    CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) override;

protected:
    CDocument* m_pOnlyDoc;
};

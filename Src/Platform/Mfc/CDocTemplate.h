// A document template: the resource id and the document, frame and view classes that together
// make one kind of document. It creates documents and their frames (the frame of LoadFrame with
// the resource id, its pane the view) and keeps the documents it made. The string resource of
// the id holds "\n"-separated parts: the window title, the document name, ...
#pragma once
#include "CCmdTarget.h"
#include "CString.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)

public:
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };
    // The index-th "\n"-separated field of the template's string; FALSE (and empty) when there is none.
    virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;

    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;

    // A new document of the template's class, added to the template; null when it cannot be made.
    virtual CDocument* CreateNewDocument();
    // A new frame of the template's class showing pDoc in a new view: LoadFrame with the
    // resource id; null when it fails (then nothing of the frame is left).
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    // Runs the initial update of the frame's views and, with bMakeVisible, shows the frame.
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    // The document name of the string resource, else "無題".
    virtual void SetDefaultTitle(CDocument* pDocument);

    // A document for the file (an empty one when null), shown in its frame; null on failure,
    // after one message to the user.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    // SaveModified of every document; FALSE as soon as one refuses.
    virtual BOOL SaveAllModified();
    // OnCloseDocument of every document.
    virtual void CloseAllDocuments(BOOL bEndSession);

    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;

protected:
    CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                 const CRuntimeClass* pViewClass);
    // Tells the user that a document or its window could not be made.
    static void ReportCreateFailure();
};

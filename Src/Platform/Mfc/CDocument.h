// A document: the data one or more views show, with its title, path and modified flag. It
// belongs to the template that made it and lives while it has views: closing it destroys the
// frames of its views and, with m_bAutoDelete, the document itself. The layer reads no file
// format: opening only checks that the file can be read, and a document that keeps data
// overrides OnOpenDocument and OnSaveDocument.
#pragma once
#include "CCmdTarget.h"
#include "CString.h"
#include <vector>

class CDocTemplate;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNCREATE(CDocument)

public:
    CDocument();
    // Leaves its template; views that remain forget it.
    ~CDocument() override;

    BOOL m_bAutoDelete; // deleted when its last view goes or it is closed

    const CString& GetTitle() const { return m_strTitle; }
    // Sets the title and puts it in the captions of the frames that show the document.
    virtual void SetTitle(LPCSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // The full path; the title becomes the file name, and with bAddToMRU the path enters the
    // application's recent-file list.
    virtual void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // ---- Views ----
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    POSITION GetFirstViewPosition() const { return m_viewList.empty() ? nullptr : AfxPositionOf(0); }
    CView* GetNextView(POSITION& rPosition) const;
    // OnUpdate of every view but pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);
    // Retitles the frames of the views (each frame's OnUpdateFrameTitle).
    void UpdateFrameCounts();

    // ---- Life cycle ----
    // When modified, asks whether to save (Yes saves through OnSaveDocument, No leaves the
    // changes, Cancel keeps the document). TRUE: the document may be closed.
    virtual BOOL SaveModified();
    // Whether pFrame may close: another frame that shows the document lets it close; the last
    // one asks SaveModified.
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // An empty document: contents deleted, no path, not modified.
    virtual BOOL OnNewDocument();
    // The file must exist and be readable; else one message names it and FALSE is returned.
    virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
    // Writes the document; the layer has nothing to write, so the base says so and fails.
    virtual BOOL OnSaveDocument(LPCSTR lpszPathName);
    virtual void DeleteContents() {}
    // Destroys the frames of all views, deletes the contents and, with m_bAutoDelete, itself.
    virtual void OnCloseDocument();
    // A view came or went; without views an auto-deleting document closes.
    virtual void OnChangedViewList();

    // The document's own map, then its template's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate;
    BOOL m_bModified;
    std::vector<CView*> m_viewList;

    friend class CDocTemplate;
};

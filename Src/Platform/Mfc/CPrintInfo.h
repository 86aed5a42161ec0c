// What one print job or print preview needs: the print dialog with the printer and the page
// range, the page being printed and where it may be drawn. The view's print architecture makes
// one per job and hands it to the view's print steps.
//
// Its end deletes its dialog and the printer DC that the layer or the dialog made for the job,
// even when the program took that DC out of m_pPD->m_pd.hDC; a DC the program put there itself
// stays the program's.
#pragma once
#include "CRect.h"
#include "CString.h"

class CPrintDialog;
class CView;

struct CPrintInfo {
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    CPrintDialog* m_pPD;        // made here; a program may replace it with its own (new) dialog
    BOOL m_bDirect;             // print without the print dialog (ID_FILE_PRINT_DIRECT)
    BOOL m_bPreview;            // the job is a print preview
    BOOL m_bContinuePrinting;   // OnPrepareDC clears it when the document has no page m_nCurPage
    UINT m_nCurPage;            // the page being printed or shown
    UINT m_nNumPreviewPages;    // pages a preview shows at first (1 or 2; 0: the application's choice)
    CString m_strPageDesc;      // "one page\ntwo pages\n" with %u for the page numbers
    CRect m_rectDraw;           // the printable area of the page, in logical units

    // The document's pages; the maximum 0xFFFF means the last page is not known.
    void SetMinPage(UINT nMinPage);
    void SetMaxPage(UINT nMaxPage);
    UINT GetMinPage() const;
    UINT GetMaxPage() const;
    // The range the user chose (the whole document unless the dialog gave pages).
    UINT GetFromPage() const;
    UINT GetToPage() const;

private:
    HDC m_hDCMade; // the printer DC the layer or the dialog made for this job
    friend class CView;
};

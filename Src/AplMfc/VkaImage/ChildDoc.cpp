#define CMN_MODULE "Src\\AplMfc\\VkaImage\\ChildDoc"
#include "ChildDoc.h"
#include "ChildFrm.h"
#include "ChildViw.h"
#include "Halcor.h"
#include "VkaSubOpi.h"

IMPLEMENT_DYNCREATE(ChildDoc, CDocument)

BOOL ChildDoc::CanCloseFrame(CFrameWnd* pFrame)
{
    if (!CDocument::CanCloseFrame(pFrame)) return FALSE;
    HalcorApp* app = HalcorGetApp();
    ChildFrm* frame = DYNAMIC_DOWNCAST(ChildFrm, pFrame);
    if (!app || !frame) {
        CMN_TRACE("CanCloseFrame", VKE_ERR_SYSTEM);
        return TRUE;
    }
    // The frame must outlive a wait that pumps its messages (opening files, the file list's wait
    // for its workers): the close comes again after it.
    if (app->IsPumping() || frame->GetPnlLscFil().IsPumping()) {
        frame->PostMessage(CmnWmBusyClose);
        frame->PostMessage(WM_CLOSE);
        return FALSE;
    }
    ChildViw* view = DYNAMIC_DOWNCAST(ChildViw, frame->GetActiveView());
    if (!view) {
        CMN_TRACE("CanCloseFrame", VKE_ERR_SYSTEM);
        frame->SaveState();
        return TRUE;
    }
    CString path = VkaSubOpi::GetExitPath();
    // With the clear-log option the file is written after the pages are gone: only its header.
    bool clear = theAppInf.sopBsi.bCleLog == 1;
    if (!clear) view->WriteOpenInfo(path, 0, 0, 0, 0, 1);
    app->SetFlgClsFrm(1);
    // Every question first: a cancel leaves every page open.
    int rc = view->SaveModifiedAll(1);
    if (rc == VKE_OK) rc = view->ClosePageAll(1, 1, 0);
    app->SetFlgClsFrm(0);
    if (rc == VKE_STOPPED) return FALSE;
    if (clear) view->WriteOpenInfo(path, 0, 0, 0, 0, 1);
    frame->SaveState();
    return TRUE;
}

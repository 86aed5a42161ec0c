// The progress thread of a batch of openings: a user-interface thread whose only window is the
// application's progress dialog (DlgOpnSts). The application starts it when a batch reaches
// its second file (HalcorApp::BeginThread) and ends it with the batch (HalcorApp::WaitThread).
#pragma once
#include "Mfc.h"

class HalcorThr : public CWinThread {
    DECLARE_DYNCREATE(HalcorThr)

public:
    // Shows the progress dialog, then sets the application's start event. FALSE without the
    // application's events or when the dialog cannot be made.
    BOOL InitInstance() override;
    // The dialog goes, then the thread's end.
    int ExitInstance() override;

    // Waits until one of the handles is signalled (or the wait fails), handling the calling
    // thread's messages meanwhile, one at a time with *pumping 1 around each, but none while a
    // CmnWmBusyClose waits at the head of the queue (a close waits for the end of the wait). A
    // quit message met is posted again at the end.
    static void Wait(const HANDLE* handles, int count, int* pumping);
};

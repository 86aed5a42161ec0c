// The main window's document. It holds no data of its own: it gives the main window its title
// and the order of the exit (CanCloseFrame). Its path is never set, so the framework adds no
// document to the recent-file list.
#pragma once
#include "Mfc.h"

class ChildDoc : public CDocument {
    DECLARE_DYNCREATE(ChildDoc)

public:
    // The exit: refused while a pumping wait runs (the close comes again once it has ended);
    // the open pages written to the open-information file, every modified page asked to be
    // saved (a cancel keeps the program running with every page), every page closed, then the
    // frame's state saved.
    BOOL CanCloseFrame(CFrameWnd* pFrame) override;
    void SetPathName(LPCSTR, BOOL = TRUE) override {}

protected:
    ChildDoc() = default;
};

// The main window's view: a form (template 100) that will hold the image pages on tabs.
#pragma once
#include "Mfc.h"
#include "VkeEng.h"

class ChildViw : public CFormView {
    DECLARE_DYNCREATE(ChildViw)

public:
    // Reads an open-information file into pages: 0, 1 (absent, or nothing opened), 3 stopped,
    // -11 a malformed row, or an error. Until the pages exist nothing can be opened: 1.
    int ReadOpenInfo(const char* path, int remember, int onlyLocked, int openLocked);

protected:
    ChildViw();
};

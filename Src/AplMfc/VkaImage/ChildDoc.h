// The main window's document. It holds no data of its own.
#pragma once
#include "Mfc.h"

class ChildDoc : public CDocument {
    DECLARE_DYNCREATE(ChildDoc)

protected:
    ChildDoc() = default;
};

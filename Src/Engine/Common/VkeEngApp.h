// VkeEng: the library's application class.
#pragma once
#include "VkeEng.h"
#include "Mfc.h"

class VkeEng : public CWinApp {
public:
    VkeEng() : CWinApp("VkeEng") {}
    // Answers TRUE and does nothing else.
    BOOL InitInstance() override;
};

extern VkeEng theVkeEng;

// VkeEng: the library's application class.
#pragma once
#include "VkeEng.h"
#include "Mfc.h"

class VkeEng {
public:
    virtual ~VkeEng() = default;
    virtual BOOL InitInstance();
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual BOOL OnIdle(LONG count);
};

extern VkeEng theVkeEng;

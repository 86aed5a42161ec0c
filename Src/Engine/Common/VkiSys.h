// VkiSys: the system object. It owns one utility object and one draw object, guards the single
// instance, and knows the program's system folder, names and main window.
#pragma once
#include "VkiObj.h"

class VkiSub;
class VkiDrw;

class VkiSys : public VkiObj {
public:
    VkiSys() = default;
    ~VkiSys() override;

    // Makes the owned utility object (and the draw object) with the given buffer length.
    int AllocOwned(int bufferLength);
    int GetVkeSubPtr(VkiSub** out);
    int GetVkeDrwPtr(VkiDrw** out);
    // The utility object to trace through (read without checking the initialised flag).
    VkiSub* Sub() const { return m_pSub; }

    // ---- System object (VkeSysBsc.cpp) ----
    int Term();
    // ---- end: system object ----

public:
    int m_iOwnsSub = 0;
    int m_iOwnsDrw = 0;
    VkiSub* m_pSub = nullptr;
    VkiDrw* m_pDrw = nullptr;
    char m_amSystemDir[1024] = {};
    char m_amSystemName[32] = {};
    char m_amModuleName[1024] = {};
    HWND m_hMainWnd = nullptr;
    HANDLE m_hSingleMap = nullptr;
    int m_iPrinting = 0;
    int m_iPrintPreview = 0;
    // ---- end: system object state ----

private:
    void FreeOwned();
};

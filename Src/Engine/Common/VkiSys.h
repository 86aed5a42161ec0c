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

    // Makes the owned utility object and draw object with the given buffer length.
    int AllocOwned(int bufferLength);
    // The utility object to trace through (read without checking the initialised flag).
    VkiSub* Sub() const { return m_pSub; }

    // ---- System object (VkeSysBsc.cpp) ----
    int InitParam(VkeSysParam* param);
    int CheckParam(VkeSysParam* param, int* field, int* messageNo);
    int Init(VkeSysParam* param, int* field, int* messageNo);
    int Term();
    int SetProperty(int id, void* value);
    int GetProperty(int id, void* out);
    int GetName(char* buffer, int size);
    int GetVkeSubPtr(VkiSub** out);
    int GetVkeDrwPtr(VkiDrw** out);
    int GetSystemDir(char* buffer, int size);
    int GetTempDir(char* buffer, int size);
    int GetTempPathName(char* buffer, int size, int flag);
    int GetSystemName(char* buffer, int size);
    int GetModuleName(char* buffer, int size);
    int GetMainWindowHandle(HWND* out);
    int SetPrintingFlag(int flag);
    int SetPrintPreviewFlag(int flag);
    int GetPrintingFlag(int* out);
    int GetPrintPreviewFlag(int* out);
    int GetPrintScaleSize(int mode, int boxW, int boxH, int srcW, int srcH, int* outW, int* outH);
    // ---- end: system object ----

    // ---- Global memory blocks (VkeSysGbl.cpp) ----
    int LockHGlobal(HGLOBAL h, void** out);
    int UnlockHGlobal(HGLOBAL h);
    int GetGlobalSize(HGLOBAL h, unsigned* out);
    int AllocHGlobal(HGLOBAL* out, unsigned size);
    int FreeHGlobal(HGLOBAL* h);
    int CopyHGlobal(HGLOBAL dest, HGLOBAL src);
    int DupHGlobal(HGLOBAL* out, HGLOBAL src);
    int CmpHGlobal(HGLOBAL a, HGLOBAL b, int* result);
    int SynHGlobal(HGLOBAL* target, HGLOBAL src);
    // ---- end: global memory blocks ----

    // ---- Printing services (VkeSysPrt.cpp) ----
    int PrintSynHandle(HGLOBAL* devNames, HGLOBAL* devMode, HGLOBAL srcNames, HGLOBAL srcMode);
    int PrintFreeHandle(HGLOBAL* devNames, HGLOBAL* devMode);
    int PrintCalcRect(HDC dc, const RECT* margins, RECT* out);
    int PrintInitPdi(Pdi* pdi);
    int PrintTermPdi(Pdi* pdi);
    int PrintCopyPdi(Pdi* dest, const Pdi* src);
    int PrintCreateDC(HGLOBAL devNames, HGLOBAL devMode, HDC* out);
    int PrintDeleteDC(HDC* dc);
    int PrintSetOrient(HGLOBAL devMode, int landscape);
    int PrintGetOrient(HGLOBAL devMode, int* landscape);
    int PrintDialogAttach(HGLOBAL devNames, HGLOBAL devMode);
    int PrintDialogDetach(HGLOBAL* devNames, HGLOBAL* devMode);
    int PrintDialogSetOrient(Pdi* pdi, int landscape);
    int PrintDialogGetOrient(Pdi* pdi, int* landscape);
    int PrintDialogShow(Pdi* pdi);
    int PrintStartDoc(Pdi* pdi);
    int PrintStartPage(Pdi* pdi);
    int PrintEndPage(Pdi* pdi);
    int PrintEndDoc(Pdi* pdi);
    int PrintAbortDoc(Pdi* pdi);
    // ---- end: printing services ----

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
    int AllocDrw();
    int FindSystemDir();
    int GuardSingleInstance(VkeSysParam* param);
    int WakeFirstInstance(HANDLE map, VkeSysParam* param);
    int PrepareTempDir();
    int ProbeWrite();
    int BindOwned();
    // Printing (VkeSysPrt.cpp).
    int ShowDefaultPrinter();
    int ShowPrintDialog(Pdi* pdi);
    int ShowPageSetup(Pdi* pdi);
    int FillPdi(Pdi* pdi);
    void EndJob();
};

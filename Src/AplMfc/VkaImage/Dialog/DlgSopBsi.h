// The options dialog's basic page ("基本設定", template 107): the user directory, Enter as
// Tab, the error and modified colours of controls and whether they are used, the page shown
// after opening, and what the program does at start and at exit. It follows the page scheme of
// DlgSop; its values are those of SopBsiVal.
#pragma once
#include "DlgSop.h"
#include "VkaAppInf.h"

// The basic page's values (one copy).
struct SopBsiVal {
    char strUsrDir[CmnPathSize]; // empty: the system folder's "Usr"
    int bReturnToTab;
    char strColor[CmnColorCnt][CmnPathSize];
    int iOpnOnSel; // 1 current page, 2 last page, 3 first page opened
    SopBsi sopBsi;
};

class DlgSopBsi : public DlgSop {
    DECLARE_DYNAMIC(DlgSopBsi)

public:
    explicit DlgSopBsi(DlgSetOpt* owner);

    int CopyBsi(int to, int from);
    // Copy 2 into the settings; an empty user directory is the system folder's "Usr". The use of
    // the error and modified colours follows their boxes, and the first four colours become
    // the engine's state colours again.
    int GetBsi();
    int CopyVal(int to, int from) override { return CopyBsi(to, from); }
    int IniVal() override;
    int LoadVal() override;
    int SaveVal() override { return GetBsi(); }
    int SetData() override;
    int InitCtl() override;
    // The colour buttons while their boxes are ticked; the two open-locked boxes while opening
    // the last pages is ticked.
    int EnableCtl() override;
    // The user directory's edit (null while not ready).
    HWND GetUsrDirWnd() const { return m_inf.bReady ? m_inf.phCtlWnd[SlotDir] : nullptr; }
    const SopBsiVal& GetVal(int copy) const { return m_val[copy]; }

protected:
    enum {
        SlotDirLbl, SlotDir, SlotBrowse, SlotClrErrBtn, SlotClrMdfBtn, SlotRetTab, SlotClrErr, SlotClrMdf, SlotChgDir,
        SlotOpnOpd, SlotOpnLcd, SlotOpnLck, SlotCleLog, SlotSelCur, SlotSelLast, SlotSelFirst, SlotCnt
    };
    int CtlCount() const override { return SlotCnt; }
    void Check(VkiCtl* checked) override;
    void OnCheck(int slot, int state) override;

    // The folder browser from the edit's path (when usable) or the user directory; the folder
    // chosen goes into the edit.
    afx_msg void OnBrowse();
    afx_msg void OnClrErr();
    afx_msg void OnClrMdf();
    DECLARE_MESSAGE_MAP()

    SopBsiVal m_val[SopCopyCnt];

private:
    // The setting a check box stands for.
    int* Flag(SopBsiVal& val, int slot);
    void CheckDir(VkiCtl* checked);
    CString BrowseStart();
};

LRESULT CALLBACK GF_DlgSopBsiWndPrcCtl(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

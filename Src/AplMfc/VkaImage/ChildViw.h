// The main window's view: a form (template 100) that will hold the image pages on tabs.
#pragma once
#include "Mfc.h"
#include "HalcorViw.h"
#include "VkeEng.h"

class ChildViw : public CFormView, public HalcorViw {
    DECLARE_DYNCREATE(ChildViw)

public:
    // Reads an open-information file into pages: 0, 1 (absent, or nothing opened), 3 stopped,
    // -11 a malformed row, or an error. Until the pages exist nothing can be opened: 1.
    int ReadOpenInfo(const char* path, int remember, int onlyLocked, int openLocked) override;

    // TEMPORARY until the tab view holds pages: no tabs; a file is taken without a page and
    // nothing is said, so the program's openings stay quiet meanwhile.
    int GetPageCnt(int* out) override { return Zero(out); }
    int GetCurSel(int* out) override { return out ? (*out = -1, VKE_OK) : VKE_ERR_ARG; }
    int SetCurSel(int) override { return VKE_NOT_DONE; }
    DlgImg* GetImgPage(int) override { return nullptr; }
    int SchPageByHdl(HWND, int*) override { return VKE_ERR_NOT_FOUND; }
    int SetTitle(int, const char*) override { return VKE_NOT_DONE; }
    int SchPageByPth(const char*, int*) override { return VKE_ERR_NOT_FOUND; }
    int OpenPageByPth(const char*, int, int) override { return VKE_OK; }
    int ClosePage(int, int, int, int) override { return VKE_NOT_DONE; }
    DlgImg* GetPageSelImg() override { return nullptr; }
    int SetFocusCurPage() override { return VKE_NOT_DONE; }
    int SetClbMonFlag(int) override { return VKE_NOT_DONE; }
    int GetClbMonFlag() override { return 0; }
    // Writes the open pages into an open-information file; until pages exist, nothing (1).
    int WriteOpenInfo(const char*, int, int, int, int, int) { return VKE_NOT_DONE; }
    // Closes every page with save prompts; 3 when one was cancelled. No pages yet: 0.
    int ClosePageAll(int, int, int) { return VKE_OK; }
    int SetFocusTab() { return VKE_NOT_DONE; }
    int SetFocusPage() { return VKE_NOT_DONE; }
    // The selected-image page follows the file list while the preview is in a tab: none yet,
    // so nothing opens, shows or hides.
    int OpenPageSelImg(const char*) { return VKE_NOT_DONE; }
    int ShowPageSelImg() { return VKE_NOT_DONE; }
    int HidePageSelImg() { return VKE_NOT_DONE; }

protected:
    ChildViw();

private:
    static int Zero(int* out) { return out ? (*out = 0, VKE_OK) : VKE_ERR_ARG; }
};

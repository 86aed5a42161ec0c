// The image tab view as the application object and the image pages reach it: the page
// services that the open bracket, the drops and pastes and the pages call. The main window's
// view implements it; HalcorApp::GetImgViw finds it as the main frame's active view.
//
// Results are status codes; searches answer -12 untraced when nothing matches. Tab indexes
// count from 0; -1 is no tab.
#pragma once
#include "Mfc.h"

class DlgImg;

class HalcorViw {
public:
    virtual ~HalcorViw() = default;

    // ---- Tabs ----
    virtual int GetPageCnt(int* out) = 0;
    // The selected tab, -1 when none.
    virtual int GetCurSel(int* out) = 0;
    // 0, 1 when the selection was refused, or an error.
    virtual int SetCurSel(int index) = 0;
    // The image page on a tab; null for another kind of page or no tab.
    virtual DlgImg* GetImgPage(int index) = 0;
    // The tab that shows a window.
    virtual int SchPageByHdl(HWND wnd, int* index) = 0;
    // Sets a tab's title; the document's title follows the current page.
    virtual int SetTitle(int index, const char* title) = 0;
    // Whether a tab is locked, 0 or 1.
    virtual int GetLockedFlag(int index, int* out) = 0;

    // ---- Page services ----
    // The tab of the image page that shows the path (made full first; case matters), the
    // selected-image page left out.
    virtual int SchPageByPth(const char* path, int* index) = 0;
    // Opens the path into a new page at the end (an empty path: an empty page for pasting), or
    // again into the page that shows it; 0, 1 when the file holds no image the codecs read (no
    // page stays behind), or an error.
    virtual int OpenPageByPth(const char* path, int pasted, int locked) = 0;
    // Closes a tab and its page; answer is the save prompt's answer when the page cannot be
    // asked. 0, 1 (locked, or the page declined), 3 (cancelled) or an error.
    virtual int ClosePage(int index, int answer, int tabClose, int prompt) = 0;
    // The page that follows the file list; null while it does not exist.
    virtual DlgImg* GetPageSelImg() = 0;
    // Loads a path into that page (made on first use) and selects it; shows it again; hides its
    // tab keeping the page. -1 unless the preview is on and shown in a tab.
    virtual int OpenPageSelImg(const char* path) = 0;
    virtual int ShowPageSelImg() = 0;
    virtual int HidePageSelImg() = 0;
    // The current image page gives the focus to its drawing area; 1 when there is none.
    virtual int SetFocusCurPage() = 0;
    // The framework's preparation of a print job for the page that prints: the job's print
    // dialog, or the printer DC it holds when the job prints directly. 0, 2 refused or cancelled.
    virtual int PreparePrintJob(CPrintInfo* pInfo) = 0;
    // The clipboard monitor, 0 or 1.
    virtual int SetClbMonFlag(int flag) = 0;
    virtual int GetClbMonFlag() = 0;
    // The open-information file (VkaSubOpi.h, whose functions the view's own only call).
    // Reads one into pages: 0, 1 (absent or not opened), 3, -11 (a malformed row) or an error.
    virtual int ReadOpenInfo(const char* path, int remember, int onlyLocked, int openLocked) = 0;
    // Writes the image pages into one: 0, 1 (the file cannot be opened) or an error.
    virtual int WriteOpenInfo(const char* path, int remember, int onlyLocked, int append, int withSelImg,
                              int backup) = 0;
};

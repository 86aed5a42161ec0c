// The main window's view: the tab view on form 100, whose engine tab control (item 17384) holds
// the image pages, one image per tab. It starts and ends the tab control, monitors the clipboard
// (images and file lists copied by other programs become pages), takes dropped files, keeps the
// selected-image page locked and applies changed options. It is the HalcorViw the application
// and the pages reach.
//
// Life cycle: made by the document template -> OnInitialUpdate (Init: tab control, drops, the
// monitor as the settings say) -> pages ready -> WM_DESTROY (Term).
#pragma once
#include "CmnTbv.h"
#include "HalcorViw.h"

class ChildViw : public CmnTbv, public HalcorViw {
    DECLARE_DYNCREATE(ChildViw)

public:
    void OnInitialUpdate() override;
    // The base's page list (free index 0, lock option 1), the tab control in the colours and
    // font of tab controls with menu 130, drops accepted, the monitor as PoiFri_bClbMon says.
    using CmnTbv::Init;
    int Init();
    // The selected-image page destroyed, the monitor off, drops refused, then the base's Term.
    int Term() override;

    // ---- The clipboard monitor ----
    // 1 joins the clipboard-viewer chain, 0 leaves it; the same value again does nothing. -6
    // while the pages are not ready.
    int SetClbMonFlag(int flag) override;
    int GetClbMonFlag() override { return m_bClbMon; }

    // ---- Tabs, as the application and the pages reach them ----
    int GetPageCnt(int* out) override { return CmnTbv::GetPageCnt(out); }
    int GetCurSel(int* out) override { return CmnTbv::GetCurSel(out); }
    int SetCurSel(int index) override { return CmnTbv::SetCurSel(index); }
    int SchPageByHdl(HWND wnd, int* index) override { return CmnTbv::SchPageByHdl(wnd, index); }
    DlgImg* GetImgPage(int index) override;
    // The tab's title; the document's title follows the current page (its path, or its own
    // title without one; empty for another kind of page).
    int SetTitle(int index, const char* title) override;
    int GetLockedFlag(int index, int* out) override { return CmnTbv::GetLockedFlag(index, out); }
    // The current tab's title from its image page's title; -7 for another kind of page.
    int SetTitle();
    DlgImg* GetPageSelImg() override { return m_pPageSelImg; }
    // The current image page gives the focus to its drawing area; 1 without one.
    int SetFocusCurPage() override;
    // The application's idle step: the current image page refreshes its status line.
    void OnIdleStep();

    // ---- The open-information file (VkaSubOpi.h) ----
    int WriteOpenInfo(const char* path, int remember, int onlyLocked, int append, int withSelImg,
                      int backup) override;
    int ReadOpenInfo(const char* path, int remember, int onlyLocked, int openLocked) override;

    // ---- Page services ----
    // The image page's element whose path is the full form of path (case matters), the
    // selected-image page left out; the list's search cursor moves past it. -12 when none.
    int SchTbvElmByPth(const char* path, TbvElm** out);
    int SchPageByPth(const char* path, int* index) override;
    int OpenPageByPth(const char* path, int pasted, int locked) override;
    // The page's save prompt first (prompt 1); the selected-image page closes only with the
    // frame and is kept even then. The tab-change flag clears; the title follows.
    using CmnTbv::ClosePage;
    int ClosePage(int index, int answer, int tabClose, int prompt) override;
    // Every page from the last back, the selected-image page last and only while the frame
    // closes; 1 when a page declined, 3 stops at once, an error wins.
    using CmnTbv::ClosePageAll;
    int ClosePageAll(int answer, int tabClose, int prompt);

    // ---- Page services still to come (the selected-image page): until then nothing opens ----
    int OpenPageSelImg(const char*) { return VKE_NOT_DONE; }
    int ShowPageSelImg() { return VKE_NOT_DONE; }
    int HidePageSelImg() { return VKE_NOT_DONE; }

    // ---- Tab hooks ----
    // The current image page takes the operation panel's values back before it is left; 1
    // keeps it.
    int OnTcnSelChanging() override;
    // The new current image page shows its values in the operation panel; the title follows.
    int OnTcnSelChange() override;

protected:
    ChildViw();

    afx_msg void OnDrawClipboard();
    afx_msg void OnChangeCbChain(HWND hWndRemove, HWND hWndAfter);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg LRESULT OnSetLocked(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnChgOpt(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    int m_bClbMon;           // the view is in the clipboard-viewer chain
    HWND m_hWndClbNxt;       // the next window of that chain
    DlgImg* m_pPageSelImg;   // the page that follows the file list; null until first used

private:
    // The clipboard's owner is the main frame, one of its windows or a window of a panel.
    static bool IsProgramWindow(HWND owner);
    // A copied file list, else a copied image, as pages; the current page then gets the focus.
    int PasteFromMonitor();
    // A new hidden image page on the tab control's window; -8 when it cannot be made.
    int MakeImgPage(DlgImg** out);
    static void DeletePage(DlgImg* page);
    // The document's title after the current page.
    void UpdateDocTitle();
};

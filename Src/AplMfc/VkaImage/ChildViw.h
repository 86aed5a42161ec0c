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
#include <vector>

class DlbPnlOpr;

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
    // The tab right-clicked while its popup menu is open or its command runs; -1 afterwards, so
    // that the main menu and the tool bar address the selected tab again.
    int GetRbcIdx(int* out) override;
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
    // closes; 1 when a page declined, 3 stops at once, an error wins. One pass: the page left
    // current is shown once at the end.
    using CmnTbv::ClosePageAll;
    int ClosePageAll(int answer, int tabClose, int prompt);
    // The save question of every modified page (answer when one cannot be asked), in the order
    // ClosePageAll closes them, before any closes: 3 at the first cancel, nothing closed.
    int SaveModifiedAll(int answer);

    // Range closes, each under the closing-all flag with the tab control redrawn at the end;
    // results fold as in ClosePageAll. The tabs index-1 down to 0 / the last down to index+1 /
    // both, the next ones first (a 3 there ends at once).
    int ClosePagePrevAll(int index, int answer, int tabClose, int prompt);
    int ClosePageNextAll(int index, int answer, int tabClose, int prompt);
    int ClosePageOtherAll(int index, int answer, int tabClose, int prompt);

    // ---- The selected-image page: tab 0, number 1, locked, no title ----
    // Each needs the preview on and shown in a tab (-1). Made on first use, loads the full path
    // (1: no image the codecs read) and is selected.
    int OpenPageSelImg(const char* path) override;
    // Puts its tab back and selects it; as the only tab it is activated as after a click. 0
    // without the page.
    int ShowPageSelImg() override;
    // Closes its tab, keeping the page (told first that it is left when current).
    int HidePageSelImg() override;
    // The selected-image page has a tab.
    bool IsShownPageSelImg();

    // Paste: nothing while files open (message 32831); the focused panel, else the current image
    // page, pastes when it can; else a copied file list, else a copied image, becomes pages. The
    // current page then gets the focus.
    int EditPst();

    // ---- Images of the pages (which: 0 the current page, 1 the right-clicked one) ----
    // 1 when that page is an image page holding an image; a bad which is reported and gives 0.
    int IsExistDIBHandle(int which);
    // 1 when any image page holds an image.
    int ChkExistDIBHandleAll();
    // The page's save decides (0 to 3, not reported); -1 for another kind of page.
    int SaveImage(int which);
    // Every image page holding an image saves, the selected tab and the focus kept: 1 (declined)
    // wins over 0 and 2, 2 over 0; 3 stops and wins; an error stops.
    int SaveImageAll();

    // ---- Commands (ChildViwCmd.cpp) ----
    // The open-information files chosen in the open dialog are read in turn: one that cannot be
    // read is named (32826) and the next follows; 3 stops. The error, else 3, -11, 1, 0.
    int OnFileReaOpi();
    // The open pages written to the file chosen in the save dialog; a failure is named (32827).
    int OnFileWrtOpi();
    // Every printable image page printed in turn as the batch-print settings say, closing the
    // printed ones when asked; the tab current before is shown again.
    int OnFilePrtAll();

    // ---- Printing (ChildViwPrt.cpp) ----
    // A job of the current image page: the page settles its paper (SetupPrinter) and prepares
    // the job; a job that does not start shows 32842 (the page-set frame moved), 27586 (-13),
    // nothing (2) or 27587, and gives the focus back. Other targets take the base's road.
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    int PreparePrintJob(CPrintInfo* pInfo) override;

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
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg LRESULT OnExitMenuLoop(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRbcDone(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnViwCmd(UINT nID);
    afx_msg void OnUpdateViwCmd(CCmdUI* pCmdUI);
    afx_msg BOOL OnPageCmd(UINT nID);
    afx_msg void OnUpdatePageCmd(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
    // The batch-print options; IDOK prints.
    virtual int RunPrtAllDialog();

    int m_bClbMon;           // the view is in the clipboard-viewer chain
    HWND m_hWndClbNxt;       // the next window of that chain
    DlgImg* m_pPageSelImg;   // the page that follows the file list; null until first used
    int m_bRbcLive;          // the tab popup is open, or its command is still to come

private:
    // The clipboard's owner is the main frame, one of its windows or a window of a panel.
    static bool IsProgramWindow(HWND owner);
    // A copied file list, else a copied image, as pages; the current page then gets the focus.
    int PasteFromMonitor();
    int PasteAsPages();
    // A new hidden image page on the tab control's window; -8 when it cannot be made.
    int MakeImgPage(DlgImg** out);
    static void DeletePage(DlgImg* page);
    // A close result into a walk's result: 1 counts when nothing else happened, 3 wins over 0
    // and 1, an error over everything. False: the walk stops.
    static bool FoldClose(int* result, int rc);
    // The element removed from the page list and freed; ForgetElm first detaches its page, which
    // then stays.
    int RemoveElm(TbvElm* e);
    int ForgetElm(TbvElm* e);
    bool HasElm(const CWnd* page) const;
    // Tab 0 for the selected-image page (made or selected) and its index.
    int PutPageSelImg(int* index);
    // The selected-image page's tab selected after a load (0, 1 or an error).
    int SelectPageSelImg(int index);
    // A walk of closes (ClosePageAll and the ranges): the closing-all flag raised around it,
    // the current page's values taken back first, shown again at the end.
    void BeginCloses();
    void EndCloses();
    static bool IsClosingAll();
    // The tabs after index (next) or before it, from the last down, under the closing-all flag.
    int ClosePageRange(const char* name, int index, bool next, int answer, int tabClose, int prompt);
    DlgImg* AddressedImgPage(int which);
    DlgImg* CurImgPage();
    // Every image page in tab order, the selected-image page among them while it has a tab.
    std::vector<DlgImg*> ImgPages();
    // The operation panel for the frame switch (32772) without an image page; else null.
    static DlbPnlOpr* FramePanel(UINT id);
    // The focused panel, else the current image page, when it accepts a paste; else null.
    CmnDlgOpr* PasteTarget();
    // The document's title after the current page.
    void UpdateDocTitle();

    // ---- Commands (ChildViwCmd.cpp) ----
    // The tab last right-clicked, else the selected one; -1 when none.
    int AddressedTab();
    bool IsSelImgTab(int index);
    bool CmdEnabled(UINT id);
    bool CloseEnabled(int kind, int tab);
    // Locking (lock 1) or unlocking the tab would change it.
    bool LockEnabled(int lock, int tab);
    // The focused panel or the current image page pastes, or the clipboard holds files or an image.
    bool PasteEnabled();
    bool AnyImgPage(bool (*test)(DlgImg&));
    void RunClose(int kind, int prompt);
    // The open (several files) or save dialog of open-information files; 3 when cancelled.
    int RunOpiDialog(bool open, std::vector<CString>* names);
    // The current image page settles its orientation, the set-up dialog runs, the page takes it.
    int PageSetup();
    // After a question, every image page takes the current page set-up as an undo step.
    int SetupAll();
    // The tab is printed by the batch: a printable image page the settings let through.
    bool BatchPrints(int index);
    void ClearPrintedFlags();
    int PrintWalk(CWnd* frame, int* show);
};

// The program's application class: one static object (theApp, HalcorMain.cpp). Over the
// framework's start (CmnApp) it adds the order in which the settings of section "Application
// Information", the main frame, the application's records, the options dialog and the deferred
// start-up come up, the reverse order at exit, the process flags through which windows tell each
// other that a long operation runs, and the page counters.
//
// Life cycle: constructed -> InitInstance (ReadIni; the template makes the frame, whose creation
// runs Init: the engine, InitApi with the texts and lists and the file-type list) -> InitApp
// (posted, once the loop turns: the first run's samples) -> the first wait for input, then
// RunAfterStart (what the first painted frame does not need) -> message loop -> ExitInstance
// (WriteIni, Term: TermApi, TermApp, the engine).
#pragma once
#include "CmnApp.h"
#include "DlgOpnSts.h"
#include "VkaAppInf.h"
#include <vector>

class CmnDlb;
class ChildViw;
class DlbPnlFilCmd;
class DlbPnlLscFil;
class DlbPnlOpr;
class DlbPnlPrv;
class DlbPnlTrcFld;
class DlgImg;
class DlgSetOpt;
class HalcorThr;
class HalcorViw;
struct VkaIniKey;

// The two ends WaitThread waits for: the progress dialog shown, the thread gone.
enum { HalcorWaitStart = 0x1000011, HalcorWaitStop = 0x1000012 };

// The bytes of the open dialog's name buffer (many names chosen at once).
enum { VkaOpnNameBufSize = 20480 };
// The names of a multiple-selection buffer of the file dialogs: one full path, or the folder
// followed by the names chosen in it, each closed by a zero and the whole by one more.
std::vector<CString> VkaSelectedNames(const char* buffer);

enum {
    VkaPnlTrcFld = 0, // the docked panels by their place in the application's panel table
    VkaPnlLscFil = 1,
    VkaPnlPrv = 2,
    VkaPnlFilCmd = 3,
    VkaPnlOpr = 4
};

class HalcorApp : public CmnApp {
    DECLARE_DYNAMIC(HalcorApp)

public:
    HalcorApp();
    ~HalcorApp() override;

    // ---- Start and end (Halcor.cpp) ----
    BOOL InitInstance() override;
    // After the engine's idle work, the image tab view's idle step.
    BOOL OnIdle(LONG lCount) override;
    // Escape stops the file-command panel's automatic display (the key goes on), then the
    // framework's filter.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Writes the settings when the start had reached the initialised state, then Term.
    int ExitInstance() override;
    // The options dialog, TermApi, TermApp, then the framework's end.
    void Term() override;

    // ---- Start-up steps (VkaSubBsc.cpp) ----
    using CmnApp::Init;
    // Called by the main frame while it is made: the engine (-7 when another instance runs,
    // untraced), then InitApi; the frame's title. Anything that fails is ended again.
    int Init(HWND hFrame);
    // The "Dat" folder, the operation panel's values, the path lists and texts, the texts and
    // lists of the settings with their fix-ups, the file-type list.
    int InitApi() override;
    int TermApi() override;
    // The deferred start-up: the recent files that are gone leave the list; the first run asks
    // about the page set-up and opens the samples, later runs reopen the pages and open the
    // command line's files. 0, 1, 3 and -11 are quiet.
    int InitApp() override;
    int TermApp() override;
    // Index 0 to 34: the default of that colour of the common settings; 35: the cut frame's
    // colour, black.
    int GetDflColor(int index, char* buffer, int size, COLORREF* out);
    // Shows the options dialog inside the screen; a dialog that was hidden shows the settings
    // afresh, without errors or changes.
    int ShowSetOptDlg();
    // The folder "Dat" of the user folder: anything else of that name goes to the recycle bin.
    int MakeDatDir();

    // ---- The main frame's panels (VkaSubBscPnl.cpp) ----
    // Mode 1 lays the panels out afresh (the first run's layout), mode 0 lets each fit its inner
    // window again; -9 for any other mode.
    int RepositionWindow(int mode);
    // 80 % of the maximised screen, or what the bars and the panels in use need, centred.
    void SetDefWinRct(RECT* pRect) override;
    // The frame's panels, kept by the frame as it makes them (null before and after).
    void SetPanels(DlbPnlTrcFld* trcFld, DlbPnlLscFil* lscFil, DlbPnlPrv* prv, DlbPnlFilCmd* filCmd, DlbPnlOpr* opr);
    DlbPnlTrcFld* GetPnlTrcFld() const { return m_pPnlTrcFld; }
    DlbPnlLscFil* GetPnlLscFil() const { return m_pPnlLscFil; }
    DlbPnlPrv* GetPnlPrv() const { return m_pPnlPrv; }
    DlbPnlFilCmd* GetPnlFilCmd() const { return m_pPnlFilCmd; }
    DlbPnlOpr* GetPnlOpr() const { return m_pPnlOpr; }
    // A panel by its index (VkaPnl...), null outside 0..4.
    CmnDlb* GetPanel(int index) const;
    // The view of the main frame when it is the image tab view, else null.
    ChildViw* GetChildViw();

    // ---- Panel commands and tests (HalcorPnl.cpp) ----
    // *out 1 when the bar's window exists and is shown and enabled, else 0: the tool bar, then
    // the five panels.
    int IsPnlMain(int* out);
    int IsPnlTrcFld(int* out);
    int IsPnlLscFil(int* out);
    int IsPnlPrv(int* out);
    int IsPnlCmdFil(int* out);
    int IsPnlOpr(int* out);
    // After a panel was hidden: the current page, else the first panel shown and enabled.
    void FocusAfterHide();
    // The first of the five panels that is shown and enabled, or null.
    CmnDlb* FirstShownPanel();

    // ---- Settings (VkaSubIni.cpp) ----
    void ReadIni() override;
    void ReadLscFilInf() override;
    void WriteIni() override;

    // ---- Opening files: the bracket (VkaSubOpn.cpp) ----
    // Every batch of openings runs BeginOpenFile, OpenFile per file or folder, then EndOpenFile
    // with the combined result (VkaBatch.h), also after a failure. The end shows an error's
    // message, selects a page by iOpnOnSel and gives the focus back. Brackets never nest.
    int BeginOpenFile();
    int EndOpenFile(int result);
    // 0 opened, 1 skipped or declined, 3 stopped by the user, or an error. quiet 1: no message.
    int OpenFile(const char* path, int pasted, int locked, int quiet);
    // The page EndOpenFile selects (-1: none) for the setting rule (1 keep, 2 last opened, 3
    // first opened), the combined result and the page counts and current pages at both ends.
    static int GetSelPage(int rule, int result, int cntBgn, int cntEnd, int curBgn, int curEnd);
    // The progress dialog: shown from the second file of a batch (the main frame disabled),
    // hidden at its end; the file being opened.
    int ShowOpnStsDlg();
    int HideOpnStsDlg();
    int SetPathOpnStsDlg(const char* path);
    // 1 when the user aborted, or when the running dialog cannot be asked.
    int IsAbortedOpening();
    // 1, after message 32831, while the progress thread runs: the command does nothing.
    int IsOpeningBusy();
    // 1 while a bracket is open.
    int IsOpening() const { return m_bOpening; }
    // The pages added by the last bracket.
    int GetOpenedPageCnt() const { return m_iCntPagAdd; }
    // A message of the program's with the path in it; the button pressed.
    static int MsgPath(int id, const char* path, UINT type);
    // The file could not be opened: message 32829 with its path, and for an error (below 0)
    // the error's own text after it.
    static void MsgCannotOpen(const char* path, int rc);
    // Whether the folder is the auto-save folder of the settings.
    static bool IsAtsDir(const char* folder);

    // ---- The progress thread (HalcorOpnThr.cpp) ----
    // Ends an earlier thread, starts one and waits until its dialog shows (or it ends without
    // one: the batch goes on without a dialog). -8 when it cannot be started.
    int BeginThread();
    // HalcorWaitStart or HalcorWaitStop (the abort command posted, the stop event set); the
    // wait handles this thread's messages. After the stop the thread and its events are gone,
    // also when the dialog could not take the abort (then -1: the thread's queue ended it).
    int WaitThread(int mode);
    int IsThreadAlive();
    // 1 while a wait of the application handles a message: the main frame must not close.
    int IsPumping() const { return m_bPumping; }
    DlgOpnSts& GetOpnStsDlg() { return m_dlgOpnSts; }
    HANDLE GetThrStartEvent() const { return m_hThrStart; }
    HANDLE GetThrStopEvent() const { return m_hThrStop; }

    // ---- Drops, pastes and the command line (HalcorOpnDrp.cpp) ----
    // The dropped files in one bracket (quiet as given, never locked); the drop is finished
    // unless pasted. *count: the files counted. Nothing while a bracket is open.
    int OpenDropFiles(HDROP drop, int pasted, int toFront, int quiet, int* count);
    // The clipboard's dropped-file list (its names copied, the clipboard closed) opened so.
    virtual int PasteDropFiles(HWND wnd, int pasted, int quiet, int* count);
    // The clipboard's image on a new page; 1 while files are being opened.
    virtual int PasteDIB(HWND wnd);
    // Opens the files named on the command line (the program's name first); a switch "-i"
    // ("-il", "-ik", "-ilk", "-ikl"; "/" too) reads the first named file as open information.
    using CWinApp::ParseCommandLine;
    int ParseCommandLine(int argc, char** argv);

    // The image tab view: the main frame's active view when it holds image pages, else null.
    HalcorViw* GetImgViw();
    // The image tab view a path opens into: without an active document the framework opens
    // one for the path first. Null when there is none.
    HalcorViw* ViewToOpen(const char* path);

    // ---- Process flags: 0 or 1 each, set while the operation runs ----
    int SetFlgPrtAll(int value) { return SetFlg(&m_bFlgPrtAll, value); } // printing all pages
    int GetFlgPrtAll(int* out) const { return GetFlg(m_bFlgPrtAll, out); }
    int SetFlgPrtAbt(int value) { return SetFlg(&m_bFlgPrtAbt, value); } // that printing was aborted
    int GetFlgPrtAbt(int* out) const { return GetFlg(m_bFlgPrtAbt, out); }
    int SetFlgOpnInf(int value) { return SetFlg(&m_bFlgOpnInf, value); } // reading an open-information file
    int GetFlgOpnInf(int* out) const { return GetFlg(m_bFlgOpnInf, out); }
    int SetFlgSelImg(int value) { return SetFlg(&m_bFlgSelImg, value); } // the selected-image page busy
    int GetFlgSelImg(int* out) const { return GetFlg(m_bFlgSelImg, out); }
    int SetFlgClsAll(int value) { return SetFlg(&m_bFlgClsAll, value); } // closing all pages
    int GetFlgClsAll(int* out) const { return GetFlg(m_bFlgClsAll, out); }
    int SetFlgClsFrm(int value) { return SetFlg(&m_bFlgClsFrm, value); } // the main frame closing
    int GetFlgClsFrm(int* out) const { return GetFlg(m_bFlgClsFrm, out); }
    int SetFlgTabChg(int value) { return SetFlg(&m_bFlgTabChg, value); } // the current page changing
    int GetFlgTabChg(int* out) const { return GetFlg(m_bFlgTabChg, out); }

    // ---- Page numbers: never reused within a run ----
    // An image page's number: the page counter plus 2 (1 is the selected-image page's).
    int NextPageNo() { return 2 + m_iCntPag++; }
    // The number in the title "新規_%d" of a page without a file: 1 for the first.
    int NextNewPageNo() { return ++m_iCntNewPag; }

    // ---- State ----
    int IsStarted() const { return m_bStarted; }
    // What the first painted frame does not need, run once after the deferred start-up, when the
    // program has waited for input a first time with the file list's start folder filled
    // (ScheduleAfterStart, from the idle step, sets a pool timer that posts them to the frame):
    // the printer set-up and the hidden options dialog with its pages (a printer helper or the
    // options command that comes first makes them itself). True when this call ran it; nothing
    // once the frame is gone.
    void ScheduleAfterStart();
    bool RunAfterStart();
    // The pool timer of ScheduleAfterStart released (it posts nothing more).
    void EndAfterStartTimer();
    DlgSetOpt* GetSetOptDlg() const { return m_pDlgSetOpt; }
    // The current folder of the settings as the run started.
    const char* GetStartDir() const { return m_amStartDir; }
    // The preview state in effect (read at start): on, and shown in a tab page.
    int GetPrvImg() const { return m_bPrvImg; }
    int GetPrvImgTab() const { return m_bPrvImgTab; }
    // The options changed them.
    void SetPrvState(int prv, int tab)
    {
        m_bPrvImg = prv;
        m_bPrvImgTab = tab;
    }

protected:
    DlgSetOpt* m_pDlgSetOpt;
    RECT m_rctSetOptOwner; // the frame's place when the options dialog would have been made
    char m_amStartDir[CmnPathSize];
    int m_bPrvImg;
    int m_bPrvImgTab;
    int m_bStarted;
    int m_bAfterStart = 0; // RunAfterStart ran
    HANDLE m_hAfterStartTimer = nullptr; // ScheduleAfterStart's pool timer
    int m_iCntPag;
    int m_iCntNewPag;
    int m_bFlgPrtAll, m_bFlgPrtAbt, m_bFlgOpnInf, m_bFlgSelImg, m_bFlgClsAll, m_bFlgClsFrm, m_bFlgTabChg;
    int m_bPumping = 0; // a wait handles a message
    DlbPnlTrcFld* m_pPnlTrcFld;
    DlbPnlLscFil* m_pPnlLscFil;
    DlbPnlPrv* m_pPnlPrv;
    DlbPnlFilCmd* m_pPnlFilCmd;
    DlbPnlOpr* m_pPnlOpr;

    // ---- Commands of the panels, the tool bar, the options and help (HalcorPnl.cpp) ----
    afx_msg void OnFcsPnl(UINT nID);
    afx_msg void OnUpdateFcsPnl(CCmdUI* pCmdUI);
    afx_msg void OnFcsTab(UINT nID);
    afx_msg void OnUpdateFcsTab(CCmdUI* pCmdUI);
    afx_msg void OnTlb(UINT nID);
    afx_msg void OnUpdateTlb(CCmdUI* pCmdUI);
    afx_msg void OnPnl(UINT nID);
    afx_msg void OnUpdatePnl(CCmdUI* pCmdUI);
    afx_msg void OnSetOpt();
    afx_msg void OnHelp(UINT nID);
    DECLARE_MESSAGE_MAP()

public:
    // ---- The open commands (HalcorOpn.cpp) ----
    // The open dialog's files, in one bracket.
    afx_msg void OnFileOpen();
    // The folder the folder browser gives, from the current folder of the settings.
    afx_msg void OnFileOpnDir();
    // A recent entry: one that is gone, a drive or folder, or inside the auto-save folder gives
    // its message and leaves the list; an open page is selected and opened again only on Yes;
    // an entry that does not open leaves the list too.
    afx_msg BOOL OnOpenRecentFile(UINT nID);
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    afx_msg void OnUpdateAlways(CCmdUI* pCmdUI);

    // ---- The file list's and the folder tree's commands (HalcorLsc.cpp) ----
    afx_msg void OnFileSwtSelDir();
    afx_msg void OnFileOpnSelDir();
    afx_msg void OnFileShwSelImg();
    afx_msg void OnFileOpnSelImg();
    afx_msg void OnEditSelAll();
    afx_msg void OnUpdateSel(CCmdUI* pCmdUI);
    afx_msg void OnViewBkwFrw(UINT nID);
    afx_msg void OnUpdateViewBkwFrw(CCmdUI* pCmdUI);
    afx_msg void OnViewMode(UINT nID);
    afx_msg void OnUpdateViewMode(CCmdUI* pCmdUI);
    afx_msg void OnViewSort(UINT nID);
    afx_msg void OnUpdateViewSort(CCmdUI* pCmdUI);
    afx_msg void OnViewRfs();
    afx_msg void OnViewLocImg();
    afx_msg void OnUpdateViewRfsLoc(CCmdUI* pCmdUI);

protected:

private:
    // The stop of a thread that can be told nothing: it deletes itself when it ends and keeps
    // its events; -1.
    int ForgetThread();
    static int SetFlg(int* flag, int value);
    static int GetFlg(int flag, int* out);
    // A failed start: the message (none for 0), the report, the main window gone; FALSE.
    BOOL FailStart(int nMessage, int rc);
    void DeleteSetOptDlg();
    // The options dialog made hidden, unless it stands: 0, else -8 (27576 shown).
    int MakeSetOptDlg();
    int AllocPathLists();
    void FixSettings();
    // The entries of the recent-file list whose file is gone leave it.
    void PruneRecentFiles();
    // The first run: the page set-up question and the two samples in one open bracket; *opened
    // true when a sample opened; folder takes the first sample's folder, which the folder tree
    // shows.
    int OpenSamples(bool* opened, CString* folder);
    // The folder tree selects the start's folder: the samples', else the start-up directory when
    // the setting says so (the kept one is forgotten otherwise).
    void ShowStartFolder(const char* sampleFolder);
    // The end of the start: the first page selected, the samples' note, the current page focused
    // once the start is over; without pages the first panel shown and enabled.
    int ShowStartPage(bool samples);
    // The histories of this run forgotten (the clear-log-at-exit option).
    void ClearLogs();
    // The tests of IsPnl... for panel index (VkaPnl...); the show/hide and size commands.
    int IsPnlShown(CControlBar* bar, int* out);
    void ShowPanel(int index, bool show);
    void TogglePanel(int index);
    // The preview in a tab: the selected-image page hidden or shown again.
    void TogglePageSelImg();
    // A saved rectangle of no size gives way to the default one, one off the screen is moved
    // onto it.
    void FixWindowRect();
    void ReadKeys(bool lsc);
    void ReadKey(const VkaIniKey& key, int index);
    void WriteKey(const VkaIniKey& key, int index);

    // A batch of openings: the progress dialog and its thread with their start and stop events,
    // the bracket's state.
    DlgOpnSts m_dlgOpnSts;
    HalcorThr* m_pThr = nullptr;
    HANDLE m_hThrStart = nullptr;
    HANDLE m_hThrStop = nullptr;
    int m_bOpening = 0;
    int m_bNoOpnSts = 0; // the thread ended without its dialog: the batch goes on without one
    int m_iCntPagAdd = 0;
    // The files of a batch of dropped or pasted names, in one bracket.
    int OpenNames(const std::vector<CString>& names, int pasted, int toFront, int quiet, int* count, const char* name);
    // The view's current page when it is an image page.
    DlgImg* GetCurImgPage();
    // One file of OpenFile's search (named: the file was named by itself), and its page.
    int OpenEntry(const char* path, bool named, int pasted, int locked, int quiet);
    int OpenPage(HalcorViw* view, const char* path, bool named, int pasted, int locked, int quiet);
    // The names in one bracket, results other than 0, 1 and 3 reported under name.
    int OpenNamesInBracket(const std::vector<CString>& names, const char* name);
    // The view's current page takes the focus (its drawing area).
    void FocusOpenedPage();
    // A recent entry's full path checked: 0 to open, 1 after its message, or an error.
    int CheckRecentPath(const char* full);
    // The file list's selection when it is one folder, else empty.
    CString SelectedFolder();
    bool IsTreeAndListLive();
    // The path of the view's current image page, empty when none.
    CString CurImagePath();
    // The focus to the file list when it selected its file and can take it, else to the tree.
    void FocusListOrTree(bool listSelected);

    bool m_bApiInit = false;    // InitApi began: TermApi has something to end
    bool m_bAppLscRead = false; // ReadLscFilInf ran: the texts and lists hold settings
};

// The application object when it is a HalcorApp, else null.
HalcorApp* HalcorGetApp();

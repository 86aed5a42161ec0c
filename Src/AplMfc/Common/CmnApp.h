// The framework's application class: the program's application object derives from it. It
// starts what every window needs before it can work (locale, COM and the shell allocator, the
// settings file name, the diagnostics switches, the engine system object, the work, user and
// temporary folders, the diagnostics files, colours, fonts and the printer set-up) and ends it
// again. The process-wide state it keeps is theCmnAppInf (CmnAppInf.h).
//
// Life cycle: constructed -> InitInstance -> ReadIni -> (main frame created and set in
// theCmnAppInf.pMainFrame) -> Init -> InitApi -> ReadLscFilInf -> InitPrinter -> message loop ->
// WriteIni -> TermApi -> Term -> ExitInstance.
#pragma once
#include "Mfc.h"
#include "CmnAppInf.h"
#include "CmnDef.h"
#include <shlobj.h>
#include <vector>

struct CmnIniKey;

class CmnApp : public CWinApp {
    DECLARE_DYNAMIC(CmnApp)

public:
    CmnApp();
    ~CmnApp() override;

    // ---- The framework's slots ----
    BOOL InitInstance() override { return InitInstance(10); }
    // No main frame yet: the message goes on (a modal dialog before the frame must still
    // paint). Then Return as Tab, the framework's filter, and the engine's filter last.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The framework's idle work first; when it wants no more, the engine's.
    BOOL OnIdle(LONG lCount) override;
    // Releases the shell and COM; Term must have run before.
    int ExitInstance() override;
    // Shows nothing (IDOK) while the engine does not exist.
    int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;
    // Whether the window is a text box whose text "select all" selects (an edit box, a combo
    // box's own one included, or a combo box; no drawing area); with select, it is selected.
    static bool SelectAllText(HWND wnd, bool select);

    // ---- Start and end ----
    // Locale, COM, shell allocator and desktop folder, the settings file beside the program,
    // the diagnostics switches of the command line. 1 success, 0 failure.
    virtual int InitInstance(int nMaxMRU);
    // Starts the engine with the main frame as its main window and makes the folders and the
    // diagnostics files; repairs colours, fonts and scroll sizes of the settings. 0, -1 without
    // a main frame, -7 when initialised already or another instance runs, else the engine's code
    // (everything started is ended again).
    virtual int Init();
    // The printer of the printer files in the work folder, else the default printer.
    virtual int InitPrinter();
    // Ends what Init started (the printer files are written first); runs once.
    virtual void Term();
    // Writes the printer files and frees the printer set-up.
    virtual void TermPrinter();
    // Start / end the file list's settings record (theCmnAppInf.lscFii).
    virtual int InitApi();
    virtual int TermApi();
    virtual int InitApp() { return 0; }
    virtual int TermApp() { return 0; }

    // ---- Settings of section "Common Information" ----
    // Missing keys give their defaults; numbers out of range (or beyond what they can hold) their
    // fallbacks. Failures to write are ignored.
    // The file list's keys: after InitApi (the filter is an engine text).
    virtual void ReadLscFilInf();
    // Every other key; before the engine starts.
    virtual void ReadIni();
    // Every key (the file list's once they were read); the default user folder is written empty.
    virtual void WriteIni();

    // The default main-window rectangle: 80 % of the maximised screen or what the frame's bars
    // need (the bar table of CmnWin), centred; a dialog as the main window keeps its size.
    virtual void SetDefWinRct(RECT* pRect);
    // The main frame while its window exists, else null.
    virtual CWnd* GetMainFrame();
    // The main frame's active document and view; null without a frame.
    virtual CDocument* GetActiveDocument();
    virtual CView* GetActiveView();

    // ---- Printer ----
    // The printer set-up is read when it is first needed (NeedPrinter), not at once.
    void DeferPrinter() { m_bPrtDue = true; }
    // A deferred printer set-up read now (InitPrinter, whose message tells a failure): each
    // printer helper asks first, and the framework before its print dialog and printer defaults.
    int NeedPrinter();
    void UsePrinter() override { NeedPrinter(); }
    // Makes *pDevNames / *pDevMode copies of the new pair; a pair that was the current printer
    // stays the current printer.
    virtual int SetPrtInf(HGLOBAL* pDevNames, HGLOBAL* pDevMode, HGLOBAL hNewNames, HGLOBAL hNewMode);
    // The current printer's blocks (the framework's own; not to be freed).
    virtual int GetPrtInf(HGLOBAL* pDevNames, HGLOBAL* pDevMode);
    virtual int CreatePrtHDC(HGLOBAL hDevNames, HGLOBAL hDevMode, HDC* pDC);
    virtual int DeletePrtHDC(HDC* pDC);
    virtual int SetPrtHDC(HDC hDC);
    virtual int GetPrtHDC(HDC* pDC);
    // Mode 0 hands the pair to the framework; mode 1 also keeps the engine's copies and the
    // printer DC in step with it.
    virtual int SelectPrinter(HGLOBAL hDevNames, HGLOBAL hDevMode, int nMode);
    // Orientation of the current device mode: 0 portrait, 1 landscape.
    virtual int SetPrtOrient(int nOrient);
    virtual int GetPrtOrient(int* pOrient);

    // Mode 0: the main frame, then as mode 1; mode 1: every window of the frame and of the
    // windows it owns. Nothing while not initialised.
    virtual int SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, int nMode);
    // The scale dialog over a source of the size, its percent with the decimals: 0 with the
    // chosen fraction; 2 with 0 / 1 when it was not confirmed; the parameter check's code.
    virtual int ShowSetScaDlg(int decimals, int srcWidth, int srcHeight, int* num, int* den);

    // The shell's allocator and desktop folder, held from InitInstance to ExitInstance.
    IMalloc* GetShellMalloc() const { return m_pMalloc; }
    IShellFolder* GetDesktopFolder() const { return m_pDesktop; }

protected:
    // ID_APP_ABOUT: the About box.
    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()

    // The command-line switches "l" (log on) and "lc" (log on, old logs deleted) after "-" or
    // "/", compared exactly; arguments from the second on.
    void ReadSwitches(int argc, char* const* argv);
    // A key of the section in use (m_pszSection) into the profile buffer (a lone lead byte at the
    // cut dropped), and a key written.
    const char* ReadProfile(const char* key, const char* dflt);
    void WriteProfile(const char* key, const char* value);
    // While one lives, ReadProfile answers from the section in use read whole (one question to
    // the platform a section instead of one a key, each of which opens the file), as the
    // platform's reader answers a key. Writes end what was read.
    class ProfileBatch {
    public:
        explicit ProfileBatch(CmnApp* app) : m_app(app) { ++m_app->m_iProfileBatch; }
        ~ProfileBatch();
        ProfileBatch(const ProfileBatch&) = delete;
        ProfileBatch& operator=(const ProfileBatch&) = delete;

    private:
        CmnApp* m_app;
    };
    // A number key read as atoi (atof for dbl) reads it: a number that cannot be held (beyond int,
    // infinite, not a number) or lies outside lo..hi gives fallback (NaN: the default's value).
    double ReadNumber(const char* key, const char* dflt, bool dbl, double lo, double hi, double fallback);
    // The index-th of a row's comma-separated defaults (the last one for the rest).
    static void DefaultText(const char* dflts, int index, char* out, size_t size);
    // Makes sure path is a folder: anything else under the name goes to the recycle bin first.
    int MakeDir(const char* path);

    int m_bTerminated;
    LPCSTR m_pszSection;                // the settings section in use
    char m_amProfile[CmnPathSize];      // the text of each settings read and write
    HGLOBAL m_hPrtDevNames;             // the engine's copies of the current printer
    HGLOBAL m_hPrtDevMode;
    HDC m_hPrtDC;
    IMalloc* m_pMalloc;
    IShellFolder* m_pDesktop;

private:
    // A batch's section: its name and its lines "key=value" as the platform gives them.
    int m_iProfileBatch = 0;
    CString m_strBatchSection;
    std::vector<char> m_batchLines;
    // The key from the batch's section into the profile buffer; false when none is read.
    bool ReadBatchKey(const char* key, const char* dflt);
    // One row of the settings table (CmnAppIni.cpp) and the index of a numbered key.
    void ReadKeys(bool lsc);
    void ReadKey(const CmnIniKey& key, int index);
    void WriteKey(const CmnIniKey& key, int index);
    int FailInit(int nMessage, int rc);
    int InitUsrDir();
    int InitDiagFiles();
    int InitDiagFile(const char* suffix, int clear, char* path);
    void RepairSettings();
    // The printer of the two printer files; false (nothing held) when they give none.
    bool ReadPrinterFiles(HGLOBAL* pNames, HGLOBAL* pMode);
    int ReadPrinterFile(const char* name, HGLOBAL* pBlock);
    int WritePrinterFile(const char* name, HGLOBAL hBlock);

    bool m_bComStarted = false;
    // InitPrinter ran: only then does the end rewrite the printer files.
    bool m_bPrtRead = false;
    bool m_bPrtDue = false; // DeferPrinter: read when first needed
    // ReadLscFilInf ran: only then does WriteIni write the file list's keys.
    bool m_bLscRead = false;
};

// The application object when it is a CmnApp, else null.
CmnApp* CmnGetApp();

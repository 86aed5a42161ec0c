// The application object: one per module, reached with AfxGetApp. In a program it runs the
// main thread's message loop (the program's WinMain calls AfxWinMain: InitInstance, then
// Run); in a library
// it is built when the library is loaded, InitInstance runs from DllMain and no loop runs: the
// program reaches the library's PreTranslateMessage and OnIdle through the library's exports.
#pragma once
#include "CString.h"
#include "CWinThread.h"
#include <vector>

class CCmdUI;
class CCommandLineInfo;
class CPrintDialog;
class CDocTemplate;
class CDocument;
class CRecentFileList;

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)

public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    HINSTANCE m_hInstance;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    // Heap strings (malloc / _strdup): a program that replaces one frees the old value with
    // free and stores its own _strdup copy. The object frees them at the end.
    LPCSTR m_pszAppName = nullptr;
    LPCSTR m_pszExeName = nullptr;
    LPCSTR m_pszProfileName = nullptr; // the ini file of the profile functions
    LPCSTR m_pszRegistryKey = nullptr;

    virtual BOOL InitApplication() { return TRUE; }
    BOOL InitInstance() override { return TRUE; }
    // Without a main window the loop ends at once (as the program would have no window).
    int Run() override;
    BOOL OnIdle(LONG lCount) override;
    // Writes the recent-file list (when LoadStdProfileSettings made one).
    int ExitInstance() override;

    // ---- Documents (CWinAppDoc.cpp) ----
    // The application owns its templates and deletes them when it ends.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const { return m_templates.empty() ? nullptr : AfxPositionOf(0); }
    CDocTemplate* GetNextDocTemplate(POSITION& rPosition) const;
    // The file (made a full path) as a document of the first template; a document open with
    // that path (letter case aside) is shown again. Null when it cannot be opened.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    // Each argument after the program's name goes to rCmdInfo.ParseParam; a flag is one that
    // starts with "-" or "/" (given without it).
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // FileNew: ID_FILE_NEW through the application's map (else OnFileNew), and a main window
    // must result; FileOpen: OpenDocumentFile; FileNothing: nothing. FALSE when it failed.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // ---- Recent files (CWinAppDoc.cpp) ----
    CRecentFileList* m_pRecentFileList = nullptr;
    // Makes the list of nMaxMRU entries (at most 16; 0: none) and reads it from the section
    // "Recent File List", entries "File1", "File2", ...
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    virtual void AddToRecentFileList(LPCSTR lpszPathName);

    // ---- Commands a program's map may name (CWinAppDoc.cpp) ----
    // A new document of the first template.
    afx_msg void OnFileNew();
    // Closes the main window (which ends the program when it closes).
    afx_msg void OnAppExit();
    // Opens entry nID - ID_FILE_MRU_FILE1 of the recent-file list; an entry that does not
    // open leaves the list.
    afx_msg BOOL OnOpenRecentFile(UINT nID);
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

    // Message boxes with the application's name as caption, owned by the main window.
    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    // Wait cursor: 1 begin, -1 end, 0 show it again while one is running.
    virtual void DoWaitCursor(int nCode);

    // Settings in the ini file named by m_pszProfileName.
    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
    CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr);
    // A null value deletes the entry; a null entry deletes the section.
    BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
    // Bytes kept as text, two letters 'A'..'P' per byte (low half first). *ppData is new[]
    // memory the caller deletes with delete[]; FALSE (and null, 0) when missing or malformed.
    BOOL GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes);
    // Between these two the writes are kept in memory and each section is written once at the
    // end, its other entries kept (Wine rewrites the whole file at every single write, about
    // 2 ms). Reads meanwhile see the file as it was. FALSE when a section could not be written.
    void BeginProfileWrites() { m_bHoldProfileWrites = true; }
    BOOL EndProfileWrites();

    // The chosen printer: device names and device mode (global memory the application owns).
    void SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld = TRUE);

    // ---- Printing (CWinAppPrint.cpp) ----
    // The print dialog with the application's printer: its pair goes into pPD->m_pd and comes
    // back as the dialog leaves it, but for "print to file", which stays the job's. A pair that
    // names a printer no longer there is dropped first (and once more when the dialog refuses
    // it), so the dialog offers the default printer.
    virtual INT_PTR DoPrintDialog(CPrintDialog* pPD);
    // Puts the application's printer into pPrintDlg (hDevNames, hDevMode), the system's default
    // printer when it has none or only one that is gone. FALSE when there is no printer.
    BOOL GetPrinterDeviceDefaults(PRINTDLGA* pPrintDlg);
    // Called before the print dialog or the defaults use the application's printer: an
    // application that reads its printer set-up when first needed reads it here.
    virtual void UsePrinter() {}
    // Pages a print preview shows at first (1 or 2; 0: one) unless its print information says.
    UINT m_nNumPreviewPages = 0;

    // Kept for programs that call it; the platform draws controls in 3-D by itself.
    BOOL Enable3dControls() { return TRUE; }

    // Fills the names and handles the program start gives (called by AfxWinMain).
    void SetCurrentHandles(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow);

protected:
    HGLOBAL m_hDevMode = nullptr;
    HGLOBAL m_hDevNames = nullptr;
    std::vector<CDocTemplate*> m_templates;
    DECLARE_MESSAGE_MAP()

private:
    // Frees the printer pair when its printer cannot be opened any more.
    void DropStalePrinter();
    // Gives the printer pair its printer's own port again after a job printed to a file.
    void KeepPrinterPort();
    int m_nWaitCursorCount = 0;
    HCURSOR m_hcurWaitCursorRestore = nullptr;
    // The writes held back, by section in the order first written.
    struct ProfileWrite {
        CString entry;
        CString value;
        bool erase; // the entry deleted
    };
    struct ProfileSection {
        CString name;
        bool cleared; // the section deleted first
        std::vector<ProfileWrite> writes;
    };
    bool m_bHoldProfileWrites = false;
    std::vector<ProfileSection> m_profileWrites;
    void HoldProfileWrite(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
};

CWinApp* AfxGetApp();
// The calling thread's main window (the thread object's, else the application's).
CWnd* AfxGetMainWnd();
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// The program start: InitInstance, then Run (or ExitInstance when it fails); the result is
// the exit code. A program's WinMain is this one call.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

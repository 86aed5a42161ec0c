// The print tests' program: a single-document application whose frame has a status bar, a
// docked dialog bar and a floating one, and whose form view prints numbered pages. Page n
// shows a black square one inch wide, n inches from the left and one inch from the top of the
// printable area (printer units, drawn through CDC). Every print step of the view is logged.
#pragma once
#include "TestMfcHelpers.h"
#include "TestMfcPrintRes.h"
#include "VktSupport.h"
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>

class CPrintTestApp : public CWinApp {
public:
    CPrintTestApp() : CWinApp("PrintTest") {}
    HGLOBAL DevNames() const { return m_hDevNames; }
    HGLOBAL DevMode() const { return m_hDevMode; }
};

extern CPrintTestApp thePrintApp;

class CPrintDoc : public CDocument {
    DECLARE_DYNCREATE(CPrintDoc)

protected:
    CPrintDoc() = default;
};

class CPrintFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CPrintFrame)

public:
    CStatusBar m_wndStatusBar;
    CDialogBar m_wndBar;   // docked at the top
    CDialogBar m_wndFloat; // floating

protected:
    CPrintFrame() = default;
    int OnCreate(LPCREATESTRUCTA lpcs);
    DECLARE_MESSAGE_MAP()
};

// How the next job of the view behaves; reset by the fixture.
struct ViewScript {
    UINT maxPage = 3;          // 0xFFFF: not known
    bool prepareFails = false; // OnPreparePrinting answers FALSE before the printer is asked
    bool skipBase = false;     // OnPrepareDC does not call the base
    HDC ownDC = nullptr;       // put in m_pPD before DoPreparePrinting
    bool clearDC = false;      // OnEndPrinting takes the DC out of m_pPD, as a program that owns it
    std::function<void(CDC*, CPrintInfo*)> onPrint; // after the page is drawn
};

class CPrintView : public CFormView {
    DECLARE_DYNCREATE(CPrintView)

public:
    static ViewScript s_script;
    std::string m_log;                 // "prepare;begin;dc1;print1;...;end;"
    std::map<UINT, CPoint> m_markAt;   // the centre of page n's mark in a preview, in its pixels
    HDC m_lastDC = nullptr;            // the printer DC of the last job
    CString m_lastStatusName;          // the job name the status window showed

    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

protected:
    CPrintView() : CFormView(IDD_PRINTFORM) {}
    DECLARE_MESSAGE_MAP()
};

// The printing status window of this thread, or null.
HWND StatusWindow();

class PrintTest : public ::testing::Test {
protected:
    // A new document with its frame shown at (60, 60), 640 x 480, and a unique title.
    void SetUp() override;
    void TearDown() override;
    // Sends the command to the frame (the job or the preview runs inside).
    void Command(UINT nID);
    // The document's title for a job of this kind: short, so that the PDF's name keeps it.
    std::string NameJob(const char* kind);

    CPrintFrame* frame = nullptr;
    CPrintView* view = nullptr;
    CDocument* doc = nullptr;
    VktTempDir dir;
};

// Lists a job for the PDF check that runs after this program: its pages, 0 when no PDF may
// come out, and the mark its first page shows.
void ListJob(const std::string& title, int pages, int firstMark = 1);

// Answers the next dialog of the thread; the one shown before (when given) is waited out first.
void WhenNewDialogShows(HWND previous, std::function<void(HWND)> action);

// The print dialog's answer: OK, with a page range when from > 0, and printing to the file when
// one is given (its name dialog answered too).
void AnswerPrintDialog(int from = 0, int to = 0, const std::string& file = std::string());
// The file dialog's answer: the full path, then OK.
void AnswerFileDialog(HWND previous, const std::string& path);

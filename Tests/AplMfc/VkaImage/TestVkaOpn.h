// The image page and the open bracket tests: the application started through a document
// template whose frame has the status bar's page pane and whose view keeps image pages as the
// image tab view does (one shown at a time, the first one opened shown, the others hidden), so
// the pages and the bracket run as in the program. Images are bitmap files written by the test.
#pragma once
#include "TestAplVka.h"
#include "DlgImg.h"
#include "HalcorViw.h"
#include <functional>
#include <map>

class TestDoc : public CDocument {
    DECLARE_DYNCREATE(TestDoc)

protected:
    TestDoc() = default;
};

// The main frame: a status bar with the page pane; the failures reported; a close refused while
// a wait of the application handles messages, as the program's frame refuses it.
class TestFrm : public CFrameWnd {
    DECLARE_DYNCREATE(TestFrm)

public:
    CStatusBar status;
    std::vector<std::string> traces;
    int closes = 0;         // closes accepted (the window stays)
    int closesOpening = 0;  // of them, inside a bracket

protected:
    TestFrm() = default;
    afx_msg int OnCreate(LPCREATESTRUCTA lpcs);
    afx_msg void OnClose();
    afx_msg LRESULT OnBusyClose(WPARAM, LPARAM) { return 0; }
    afx_msg LRESULT OnTraceError(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class TestViw : public CView, public HalcorViw {
    DECLARE_DYNCREATE(TestViw)

public:
    std::vector<DlgImg*> pages;
    std::vector<std::string> titles;
    std::vector<int> locks;
    DlgImg* selImg = nullptr; // the page that stands for the selected-image page
    int lockFail = 0;         // an error the lock query answers instead
    int cur = -1;
    int monitor = 0;
    std::string opi; // the last open-information file read: "path onlyLocked openLocked"
    // Runs as each page opens, with its path.
    std::function<void(const char*)> onOpen;
    // Full paths whose opening answers this error instead of a page.
    std::map<std::string, int> fails;

    int GetPageCnt(int* out) override;
    int GetCurSel(int* out) override;
    int SetCurSel(int index) override;
    DlgImg* GetImgPage(int index) override;
    int SchPageByHdl(HWND wnd, int* index) override;
    int SetTitle(int index, const char* title) override;
    int GetLockedFlag(int index, int* out) override;
    int SchPageByPth(const char* path, int* index) override;
    int OpenPageByPth(const char* path, int pasted, int locked) override;
    int ClosePage(int index, int answer, int tabClose, int prompt) override;
    DlgImg* GetPageSelImg() override { return selImg; }
    int OpenPageSelImg(const char*) override { return 1; }
    int ShowPageSelImg() override { return 0; }
    int HidePageSelImg() override { return 0; }
    int SetFocusCurPage() override;
    int PreparePrintJob(CPrintInfo* pInfo) override { return DoPreparePrinting(pInfo) ? 0 : 2; }
    int SetClbMonFlag(int flag) override;
    int GetClbMonFlag() override { return monitor; }
    int ReadOpenInfo(const char* path, int remember, int onlyLocked, int openLocked) override;
    int WriteOpenInfo(const char* path, int remember, int onlyLocked, int append, int withSelImg,
                      int backup) override;
    void CloseAll();

protected:
    TestViw() = default;
    void OnDraw(CDC*) override {}
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

class OpnTest : public VkaTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Failures reported so far under a name.
    int Traced(const char* name);
    // A bitmap file: its left half one colour, its right half another.
    static void MakeBmp(const std::string& path, int width, int height, COLORREF left, COLORREF right);
    // The page a path opens into (nullptr when it did not stay).
    DlgImg* Open(const std::string& path);
    // The bracket around one OpenFile.
    int OpenInBracket(const std::string& path);

    TestFrm* main = nullptr;
    TestViw* view = nullptr;
    VktTempDir dir;
};

// Handles the messages waiting for this thread.
void Pump();

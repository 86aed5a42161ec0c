// The framework tests: each test makes its own application object (the constructor zeroes the
// process-wide block, so every test starts clean) and a hidden top-level window as its main
// frame. The engine's system folder is the test program's folder; the folders Vkt, Usr and Tmp
// made there are removed before and after each test.
#pragma once
#include "CmnApp.h"
#include "CmnHold.h"
#include "CmnImg.h"
#include "CmnReg.h"
#include "CmnSub.h"
#include "TestAplCmnRes.h"
#include "VktMsgBox.h"
#include "VktSupport.h"
#include <functional>
#include <string>
#include <vector>

// The application object with the parts the tests look into.
class TestApp : public CmnApp {
public:
    using CmnApp::ReadSwitches;
    using CmnApp::ReadProfile;
    using CmnApp::ProfileBatch;
    HGLOBAL DevNames() const { return m_hDevNames; }
    HGLOBAL DevMode() const { return m_hDevMode; }
    HGLOBAL EngineNames() const { return m_hPrtDevNames; }
    HGLOBAL EngineMode() const { return m_hPrtDevMode; }
    HDC PrinterDC() const { return m_hPrtDC; }
};

// A window that counts the settings-changed broadcast and keeps the names of the failures the
// engine reports to its main window (the tests' main frame is one).
class CountWnd : public CWnd {
public:
    int count = 0;
    std::vector<std::string> traces;

protected:
    LRESULT OnChgOpt(WPARAM, LPARAM)
    {
        ++count;
        return 0;
    }
    LRESULT OnTraceError(WPARAM name, LPARAM)
    {
        traces.push_back(name ? reinterpret_cast<const char*>(name) : "");
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

class AppTest : public ::testing::Test {
protected:
    // A new application object through InitInstance, and a hidden main frame.
    void SetUp() override;
    // Term, the frame's end, ExitInstance; the folders go.
    void TearDown() override;
    // Ends the application object and makes a new one (the folders stay).
    void Restart();
    int Start() { return app->Init(); }

    // Path of a name in the system folder (the test program's folder).
    static std::string Sys(const std::string& name) { return VktBesideExe(name); }
    // Removes Vkt, Usr and Tmp of the system folder, whether folders or files.
    static void RemoveFolders();
    static bool IsFolder(const std::string& path);
    static bool Exists(const std::string& path);

    TestApp* app = nullptr;
    CountWnd* frame = nullptr;

private:
    void MakeApp();
    void EndApp();
};

// The engine started with the file list's settings record (thumbnails 100 x 100) and a cache of
// 300 thumbnails; the images of the draw tests beside the program's folder.
class ImgTest : public AppTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Full path of a file of the draw tests' images.
    static std::string Data(const std::string& name);
    // Failures reported since the start of the test (posted ones from other threads included).
    size_t Traced();
};

// Full path of a JPEG variant of the thumbnail tests (made at build time in ../TmnData).
std::string TmnData(const std::string& name);

// Copies of one image under names of their own, each another shell item, with the item-id lists
// a caller keeps (as the file list keeps its items). A list parsed anew may differ from the kept
// one: it carries the file's last access time, which the first read of a new file changes.
struct Items {
    Items(const VktTempDir& dir, const std::string& source, int count);
    ~Items();
    std::vector<std::string> paths;
    std::vector<LPITEMIDLIST> lists;
};

// Whether call waited for the image service's lock: another thread takes the lock and, holding
// it, sends this thread a message; a call that waits for the lock takes the message while it
// waits, any other returns before.
bool WaitedForLock(const std::function<void()>& call);

// Handles the messages waiting for this thread.
void PumpPending();

// Lists a print job for TestAplCmnPdf (CheckDlgPdf.py): its title, then per page b (a dark centre)
// or g (a mid-grey one). The first job of a run starts the list again.
void ListJob(const std::string& title, const char* pages);

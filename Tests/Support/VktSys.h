// A system object started the way the program starts it, for tests that need the engine:
// a temporary system folder holding a test message file, a hidden main window on this thread
// that keeps every VkeWmTraceError it receives, and VkeSysInit over the two.
//
//   VktSys env;                       // started; env.sys, env.sub, env.drw ready
//   VkeSubGetFraction(env.sub, ...);  // a traced failure reaches the window at once
//   env.Reports().back().name         // "VkeSubGetFraction"
//
// Reports raised on other threads are posted: Pump() delivers them.
#pragma once
#include "VktSupport.h"
#include <functional>
#include <string>
#include <vector>

class VktSys {
public:
    struct Report {
        std::string name; // the export's name ("" when none came)
        int code;
    };

    // start false: the object is allocated and the folder, file and window exist, but Init is
    // left to the test (Start, or VkeSysInit with Param()).
    explicit VktSys(bool start = true);
    ~VktSys();
    VktSys(const VktSys&) = delete;
    VktSys& operator=(const VktSys&) = delete;

    // Fills the record: the system folder, the name "Pictavo", the window, single instance off.
    VkeSysParam Param() const;
    // VkeSysInit with Param() (and the single-instance flag); its result.
    int Start(int singleInstance = 0);

    const std::string& Dir() const { return m_dir.Path(); }
    std::string operator/(const std::string& name) const { return m_dir / name; }
    HWND Window() const { return m_wnd; }

    const std::vector<Report>& Reports() const { return m_reports; }
    void ClearReports() { m_reports.clear(); }
    // Runs inside the window's handler of each report, after it was kept.
    std::function<void(const char* name, int code)> OnReport;
    // Delivers the messages waiting for this thread.
    static void Pump();

    int started = 1;       // the result of the constructor's Start (1 when it did not start)
    VkiSys* sys = nullptr;
    VkiSub* sub = nullptr; // the system object's own utility and draw objects
    VkiDrw* drw = nullptr;

private:
    static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

    VktTempDir m_dir;
    HWND m_wnd = nullptr;
    std::vector<Report> m_reports;
};

// A test with a started system object.
class VktSysFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    VktSys* env = nullptr;
    VkiSys* sys = nullptr;
    VkiSub* sub = nullptr;
    VkiDrw* drw = nullptr;
};

// The application shell's tests: each test makes its own application object (its constructor
// resets the settings blocks) with the framework's start, and a hidden top-level window as its
// main frame. The engine's system folder is the test program's own folder; the settings file,
// Vkt, Usr and Tmp there are removed before and after each test.
#pragma once
#include "CmnSub.h"
#include "Halcor.h"
#include "VktMsgBox.h"
#include "VktSupport.h"
#include <functional>
#include <string>
#include <vector>

// A window that keeps the names of the failures the engine reports to its main window.
class TraceWnd : public CWnd {
public:
    std::vector<std::string> traces;

protected:
    LRESULT OnTraceError(WPARAM name, LPARAM)
    {
        traces.push_back(name ? reinterpret_cast<const char*>(name) : "");
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

// The application object with the parts the tests look into.
class TestHalcor : public HalcorApp {
public:
    using HalcorApp::m_pDlgSetOpt;
    using HalcorApp::m_bPumping;
    using HalcorApp::m_hDevMode;
};

class VkaTest : public ::testing::Test {
protected:
    static const char kSection[];

    void SetUp() override;
    void TearDown() override;
    // The settings read (stage R), then the start inside the frame's creation.
    int Start()
    {
        app->ReadIni();
        return app->Init(frame->m_hWnd);
    }
    // The end as the program ends: the settings written, the engine ended.
    void Exit();
    // Exit, then a new application object and main frame (the files stay).
    void Restart();
    // Failures reported since the test began.
    const std::vector<std::string>& Traced();

    static std::string Sys(const std::string& name) { return VktBesideExe(name); }
    static std::string Ini() { return Sys("Pictavo.ini"); }
    static void Put(const char* key, const char* value, const char* section = kSection)
    {
        WritePrivateProfileStringA(section, key, value, Ini().c_str());
    }
    static std::string Get(const char* key, const char* section = kSection)
    {
        char text[2048] = {};
        GetPrivateProfileStringA(section, key, "(none)", text, sizeof(text), Ini().c_str());
        return text;
    }
    // The names of the keys of a section, in the file's order.
    static std::vector<std::string> Keys(const char* section = kSection);
    static std::string Text(AppMem& text)
    {
        char buffer[CmnPathSize] = {};
        VkeSubGetAppMemStr(theCmnAppInf.pSub, &text, buffer, sizeof(buffer));
        return buffer;
    }

    // Removes the settings file, Vkt, Usr and Tmp of the system folder.
    static void Clean();

    TestHalcor* app = nullptr;
    TraceWnd* frame = nullptr;

private:
    void Make();
    void End();
    bool m_exited = false;
};

// A DIB section of the image service in one colour.
HBITMAP MakeDib(int width, int height, COLORREF color);


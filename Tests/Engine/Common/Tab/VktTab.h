// Helpers of the tab-control tests: a parent window that records what the control tells it and
// answers as a program would, page windows, and a fixture with a started tab control on it.
#pragma once
#include "VktDrw.h"
#include <functional>
#include <string>
#include <vector>

// A top-level parent: a plain window or a dialog (class #32770), with or without WS_CLIPCHILDREN.
class VktTabParent {
public:
    enum Kind { kPlain, kDialog };
    VktTabParent(Kind kind, bool clipChildren);
    ~VktTabParent();
    VktTabParent(const VktTabParent&) = delete;
    VktTabParent& operator=(const VktTabParent&) = delete;

    HWND Wnd() const { return m_hWnd; }
    // What reached the parent since the last call, one entry each: "changing", "change",
    // "lock 2 1", "move 0 2", "wheel", "command 7"; a notice whose header is wrong is "bad".
    std::string Heard();
    // The last WM_MOUSEWHEEL's values.
    WPARAM wheelW = 0;
    LPARAM wheelL = 0;

    // How the parent answers.
    LRESULT refuseChanging = 0; // the answer to TCN_SELCHANGING
    int handleLock = 0;         // 1: VkeWmSetLocked answered non-zero with handled 1
    LRESULT takeWheel = 0;      // the answer to WM_MOUSEWHEEL
    HWND tab = nullptr;         // the tab window the notices must name
    UINT id = 0;                // and its control id
    std::function<void(const std::string&)> inside; // runs inside each notice, after it was kept
    int paints = 0;             // WM_PAINT messages of the parent
    HFONT font = nullptr;       // the answer to WM_GETFONT

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void Keep(const std::string& what);

    HWND m_hWnd = nullptr;
    WNDPROC m_old = nullptr;
    std::string m_heard;
};

// A started system object, a shown parent and a tab control created and initialised on it.
class VktTabFixture : public VktSysFixture {
protected:
    enum { kId = 77 };
    void TearDown() override;
    // The parent; Start makes a plain one with WS_CLIPCHILDREN when none was made.
    void MakeParent(VktTabParent::Kind kind, bool clipChildren);
    // Creates and initialises the control (the whole client area of the parent) with the flags.
    void Start(int fixedPage = 0, int ctlLock = 0, DWORD style = WS_VISIBLE | WS_TABSTOP);
    // A page window of the parent with an edit control in it, not yet on a tab.
    HWND NewPage();
    // Opens pages numbered first.. at the end, titled "頁<n>"; each asserts success.
    void OpenPages(int count, int first = 1);
    // The page window covers the display area of the tab window.
    bool Fits(HWND page) const;
    // The centre of a tab, in the tab window's client coordinates.
    POINT Centre(int index) const;
    // Posted input, delivered before the call returns. Modifiers through the keyboard state.
    void Post(UINT msg, WPARAM wParam, POINT pt);
    void Key(UINT vk, bool ctrl = false, bool shift = false);
    void Wheel(int delta, POINT client);
    int Sel() const;
    // Page numbers from the first tab on: "1 2 3".
    std::string Order() const;
    std::string Heard() { return parent->Heard(); }

    VktTabParent* parent = nullptr;
    VkiTab* tab = nullptr;
    HWND wnd = nullptr;
    std::vector<HWND> pages; // every page window made, in order
};

// Delivers the messages waiting for this thread, for at least ms milliseconds.
void VktPumpFor(DWORD ms);

// The client area of a window as it stands on the screen, read back into a DIB section.
struct VktShot {
    explicit VktShot(HWND wnd);
    ~VktShot() { DeleteObject(dib); }
    // Pixels of the colour inside the rectangle.
    int Count(const RECT& r, COLORREF color) const;
    // The longest row of pixels of the colour inside the rectangle.
    int Run(const RECT& r, COLORREF color) const;
    HBITMAP dib = nullptr;
};

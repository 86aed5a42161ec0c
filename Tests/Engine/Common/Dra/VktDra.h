// Helpers of the drawing-area tests: a started system object, a visible parent window that
// answers its bars' WM_HSCROLL and WM_VSCROLL with VkeDraHScroll / VkeDraVScroll and keeps the
// codes it saw, and an area made in it from a parameter record the test may change first.
#pragma once
#include "VktDrw.h"
#include <functional>
#include <vector>

class VktDraFixture : public VktDrwSysFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // The record Start uses: 400 x 300 drawing, area (10, 10, 230, 180), steps 5 / 7 (arrow)
    // and 30 / 40 (wheel), bar ids 101 and 102.
    VkeDraParam Param();
    // Makes the area window at the record's area rectangle and runs VkeDraInit; its result.
    int Start(const std::function<void(VkeDraParam&)>& change = nullptr);
    // A new area object in place of the one there (its window goes with it) and a fresh record,
    // for a test that starts areas one after the other.
    void Restart();

    // State read back through the exports.
    RECT Extent();           // the scaled extent
    RECT Client();           // the area's client rectangle
    RECT InParent(HWND wnd); // a window's rectangle in the parent's client coordinates
    POINT DraPos();          // the drawing coordinates at the left and top (bottom with y up) edges
    int BarPos(bool h);
    SCROLLINFO BarInfo(bool h);
    // The parent's pixel as 0x00BBGGRR, read back through a DIB section.
    COLORREF ParentPixel(int x, int y);

public:
    struct Scroll {
        UINT msg;
        int code;
    };
    static std::vector<Scroll> s_scrolls; // every bar message the parent answered
    static VkiDra* s_area;                // the area the parent answers for
    // Runs first for every message of the parent; setting handled answers it with the result.
    static std::function<LRESULT(UINT msg, WPARAM wParam, LPARAM lParam, bool* handled)> s_onMessage;

protected:
    HWND parent = nullptr;
    VkiDra* dra = nullptr;
    HWND wnd = nullptr;
    VkeDraParam param = {};
};

// A memory DC over a white 32-bit DIB section of width x height, deleted at the end.
struct VktMemoryDC {
    VktMemoryDC(int width, int height);
    ~VktMemoryDC();
    VktMemoryDC(const VktMemoryDC&) = delete;
    VktMemoryDC& operator=(const VktMemoryDC&) = delete;
    // The pixel as a COLORREF.
    COLORREF Pixel(int x, int y) const;
    HBITMAP dib;
    HDC dc;
    HGDIOBJ old;
};

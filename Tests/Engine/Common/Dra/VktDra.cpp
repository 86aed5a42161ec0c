#include "VktDra.h"

std::vector<VktDraFixture::Scroll> VktDraFixture::s_scrolls;
VkiDra* VktDraFixture::s_area = nullptr;
std::function<LRESULT(UINT, WPARAM, LPARAM, bool*)> VktDraFixture::s_onMessage;

namespace {

LRESULT CALLBACK ParentProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (VktDraFixture::s_onMessage) {
        bool handled = false;
        LRESULT result = VktDraFixture::s_onMessage(msg, wParam, lParam, &handled);
        if (handled) return result;
    }
    if ((msg == WM_HSCROLL || msg == WM_VSCROLL) && VktDraFixture::s_area) {
        VktDraFixture::s_scrolls.push_back({msg, LOWORD(wParam)});
        if (msg == WM_HSCROLL) VkeDraHScroll(VktDraFixture::s_area, LOWORD(wParam), HIWORD(wParam));
        else VkeDraVScroll(VktDraFixture::s_area, LOWORD(wParam), HIWORD(wParam));
        return 0;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

const char* ParentClass()
{
    static const char name[] = "VktDraParent";
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = name;
        registered = RegisterClassA(&wc) != 0;
    }
    return name;
}

} // namespace

void VktDraFixture::SetUp()
{
    VktDrwSysFixture::SetUp();
    parent = CreateWindowExA(0, ParentClass(), "area", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
    ASSERT_EQ(VkeDraAlloc(sys, &dra), 0);
    s_area = dra;
    s_scrolls.clear();
    s_onMessage = nullptr;
    param = Param();
}

void VktDraFixture::TearDown()
{
    s_area = nullptr;
    s_onMessage = nullptr;
    VkeDraFree(&dra);
    DestroyWindow(parent);
    VktSys::Pump();
    VktDrwSysFixture::TearDown();
}

VkeDraParam VktDraFixture::Param()
{
    VkeDraParam p;
    VkeDraInitParam(dra, &p);
    p.uHScrBarId = 101;
    p.uVScrBarId = 102;
    p.rctDra = {10, 10, 230, 180};
    p.rctInrDra = {0, 0, 400, 300};
    p.iArrowScrSizeH = 5;
    p.iArrowScrSizeV = 7;
    p.iWheelScrSizeH = 30;
    p.iWheelScrSizeV = 40;
    return p;
}

int VktDraFixture::Start(const std::function<void(VkeDraParam&)>& change)
{
    if (change) change(param);
    int rc = VkeDraCreateByRect(dra, &param.rctDra, parent, 100);
    if (rc != 0) return rc;
    wnd = GetDlgItem(parent, 100);
    int field = -1, messageNo = -1;
    rc = VkeDraInit(dra, &param, &field, &messageNo);
    VktSys::Pump();
    return rc;
}

void VktDraFixture::Restart()
{
    VkeDraFree(&dra);
    ASSERT_EQ(VkeDraAlloc(sys, &dra), 0);
    s_area = dra;
    param = Param();
}

RECT VktDraFixture::Extent()
{
    RECT r = {};
    VkeDraGetInrDraRectSca(dra, &r);
    return r;
}

RECT VktDraFixture::Client()
{
    RECT r = {};
    GetClientRect(wnd, &r);
    return r;
}

RECT VktDraFixture::InParent(HWND w)
{
    RECT r = {};
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

POINT VktDraFixture::DraPos()
{
    POINT p = {};
    int x = 0, y = 0;
    VkeDraGetDraHScrPos(dra, &x);
    VkeDraGetDraVScrPos(dra, &y);
    p.x = x;
    p.y = y;
    return p;
}

int VktDraFixture::BarPos(bool h)
{
    int pos = -1;
    if (h) VkeDraGetHScrPos(dra, &pos);
    else VkeDraGetVScrPos(dra, &pos);
    return pos;
}

SCROLLINFO VktDraFixture::BarInfo(bool h)
{
    SCROLLINFO si = {};
    if (h) VkeDraGetHScrInfo(dra, &si, SIF_ALL);
    else VkeDraGetVScrInfo(dra, &si, SIF_ALL);
    return si;
}

COLORREF VktDraFixture::ParentPixel(int x, int y)
{
    HBITMAP dib = VktMakeDIB(1, 1, 32);
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, dib);
    HDC dc = GetDC(parent);
    BitBlt(mem, 0, 0, 1, 1, dc, x, y, SRCCOPY);
    ReleaseDC(parent, dc);
    SelectObject(mem, old);
    DeleteDC(mem);
    DWORD rgb = VktDIB(dib).Rgb(0, 0);
    DeleteObject(dib);
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

VktMemoryDC::VktMemoryDC(int width, int height) : dib(VktMakeDIB(width, height, 32)), dc(CreateCompatibleDC(nullptr))
{
    old = SelectObject(dc, dib);
    RECT all = {0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

VktMemoryDC::~VktMemoryDC()
{
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(dib);
}

COLORREF VktMemoryDC::Pixel(int x, int y) const
{
    GdiFlush();
    DWORD rgb = VktDIB(dib).Rgb(x, y);
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

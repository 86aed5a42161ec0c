// Times the drawing area's drawing pass on a 6000 x 4000 24-bit image (made in memory) shown in a
// 1200 x 900 area without draw memory: the owner answers each draw request by StretchDIBits of
// the image part under the request's rectangle with the area's stretch mode (HALFTONE). One pass
// is VkeDraRedraw, UpdateWindow and GdiFlush (the owner's drawing and the output to the screen),
// at the fit (about 1/5), 1:1 and 400 %, and a scroll by 100 pixels at 400 % (what stays moved,
// the strip drawn; the bar it moved paints after the pass, timed on its own line); beside each, a
// bare StretchDIBits of the same rectangles onto the same window in the same run. Last, the fit
// and 400 % passes with the owner drawing through VkeDrwStretchImageWithMode, as the program's
// pages do (made by the engine where the platform's HALFTONE does not average). Prints the median
// milliseconds of the rounds.
// scripts/bench BenchDraDraw [rounds]
#include "BenchSupport.h"
#include <stdlib.h>
#include <algorithm>
#include <functional>
#include <vector>

namespace {

const int kWidth = 6000, kHeight = 4000;

struct Image {
    BITMAPINFO info = {};
    BYTE* rows = nullptr;
    HBITMAP dib = nullptr;
};

// A photo-like source: smooth gradients with fine detail on top.
bool MakeImage(Image* image)
{
    BITMAPINFOHEADER& h = image->info.bmiHeader;
    h.biSize = sizeof(h);
    h.biWidth = kWidth;
    h.biHeight = kHeight;
    h.biPlanes = 1;
    h.biBitCount = 24;
    void* bits = nullptr;
    image->dib = CreateDIBSection(nullptr, &image->info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!image->dib) return false;
    image->rows = static_cast<BYTE*>(bits);
    size_t stride = (static_cast<size_t>(kWidth) * 3 + 3) & ~size_t(3);
    for (int y = 0; y < kHeight; ++y) {
        BYTE* p = image->rows + stride * y;
        for (int x = 0; x < kWidth; ++x) {
            p[3 * x] = static_cast<BYTE>(x * 255 / kWidth + (x % 3) * 20);
            p[3 * x + 1] = static_cast<BYTE>(y * 255 / kHeight + ((x ^ y) & 15));
            p[3 * x + 2] = static_cast<BYTE>((x + y) % 256);
        }
    }
    return true;
}

// One rectangle the owner drew: where on the window (device units) and which part of the image.
struct Blit {
    RECT device;
    RECT source;
};

struct Bench {
    Image image;
    VkiDra* dra = nullptr;
    VkiDrw* drw = nullptr;
    HDC imageDC = nullptr;  // the image selected, for the engine's stretch
    bool engineStretch = false;
    std::vector<Blit> blits;  // of the last pass
} g;

// The image part under the request's rectangle (at the area's scale), clipped to the image.
bool SourceOf(const Dri& d, RECT* source, RECT* dest)
{
    *dest = d.rct;
    source->left = static_cast<LONG>(static_cast<long long>(d.rct.left) * d.iScaleDen / d.iScaleNum);
    source->top = static_cast<LONG>(static_cast<long long>(d.rct.top) * d.iScaleDen / d.iScaleNum);
    source->right = static_cast<LONG>((static_cast<long long>(d.rct.right) * d.iScaleDen + d.iScaleNum - 1) / d.iScaleNum);
    source->bottom = static_cast<LONG>((static_cast<long long>(d.rct.bottom) * d.iScaleDen + d.iScaleNum - 1) / d.iScaleNum);
    source->left = std::max<LONG>(source->left, 0);
    source->top = std::max<LONG>(source->top, 0);
    source->right = std::min<LONG>(source->right, kWidth);
    source->bottom = std::min<LONG>(source->bottom, kHeight);
    if (source->right <= source->left || source->bottom <= source->top) return false;
    // The destination covers exactly the clipped source at the scale.
    dest->left = static_cast<LONG>(static_cast<long long>(source->left) * d.iScaleNum / d.iScaleDen);
    dest->top = static_cast<LONG>(static_cast<long long>(source->top) * d.iScaleNum / d.iScaleDen);
    dest->right = static_cast<LONG>(static_cast<long long>(source->right) * d.iScaleNum / d.iScaleDen);
    dest->bottom = static_cast<LONG>(static_cast<long long>(source->bottom) * d.iScaleNum / d.iScaleDen);
    return true;
}

void Draw(const Dri& d)
{
    RECT source, dest;
    if (!SourceOf(d, &source, &dest)) return;
    int mode = 0;
    VkeDraGetStretchMode(g.dra, &mode);
    int w = dest.right - dest.left, h = dest.bottom - dest.top;
    int sw = source.right - source.left, sh = source.bottom - source.top;
    if (g.engineStretch) {
        VkeDrwStretchImageWithMode(g.drw, d.hDC, dest.left, dest.top, w, h, g.imageDC, source.left, source.top, sw, sh,
                                   mode);
    } else {
        int old = SetStretchBltMode(d.hDC, mode);
        // The DIB is bottom-up: its y runs from the last row.
        StretchDIBits(d.hDC, dest.left, dest.top, w, h, source.left, kHeight - source.bottom, sw, sh, g.image.rows,
                      &g.image.info, DIB_RGB_COLORS, SRCCOPY);
        SetStretchBltMode(d.hDC, old);
    }
    Blit b = {dest, source};
    LPtoDP(d.hDC, reinterpret_cast<POINT*>(&b.device), 2);
    g.blits.push_back(b);
}

LRESULT CALLBACK ParentProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == VkeWmDrw && lParam) {
        Draw(*reinterpret_cast<const Dri*>(lParam));
        return 1;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2] * 1000;
}

// One full pass: the area invalidated, painted and flushed to the screen.
double Pass(HWND wnd, const std::function<void()>& before)
{
    double t0 = BenchNow();
    if (before) before();
    else VkeDraRedraw(g.dra, 0);
    UpdateWindow(wnd);
    GdiFlush();
    return BenchNow() - t0;
}

// The last pass's rectangles drawn straight onto the window.
double Bare(HWND wnd, const std::vector<Blit>& blits)
{
    double t0 = BenchNow();
    HDC dc = GetDC(wnd);
    int old = SetStretchBltMode(dc, HALFTONE);
    for (const Blit& b : blits)
        StretchDIBits(dc, b.device.left, b.device.top, b.device.right - b.device.left, b.device.bottom - b.device.top,
                      b.source.left, kHeight - b.source.bottom, b.source.right - b.source.left,
                      b.source.bottom - b.source.top, g.image.rows, &g.image.info, DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(dc, old);
    ReleaseDC(wnd, dc);
    GdiFlush();
    return BenchNow() - t0;
}

// The scroll bars' paints a pass left for later.
double PaintBars()
{
    double t0 = BenchNow();
    HWND bar = nullptr;
    VkeDraGetHScrBarHandle(g.dra, &bar);
    UpdateWindow(bar);
    VkeDraGetVScrBarHandle(g.dra, &bar);
    UpdateWindow(bar);
    GdiFlush();
    return BenchNow() - t0;
}

// A row of passes against its limit; a row with a step before each pass (a scroll) also times the
// bars' paints the step left. With overBare the limit holds what the area adds to the bare calls
// (where the platform's own stretch alone takes longer than a frame, the program draws through the
// engine's stretch instead).
void Row(const char* what, HWND wnd, int rounds, double limit, const std::function<void()>& before = nullptr,
         bool overBare = false)
{
    std::vector<double> pass, bare, bars;
    Pass(wnd, before); // warm up
    PaintBars();
    for (int i = 0; i < rounds; ++i) {
        g.blits.clear();
        pass.push_back(Pass(wnd, before));
        bars.push_back(PaintBars());
        std::vector<Blit> drawn = g.blits;
        bare.push_back(Bare(wnd, drawn));
    }
    int num = 0, den = 1;
    VkeDraGetScale(g.dra, &num, &den);
    double p = Median(pass), b = Median(bare);
    const bool ok = (overBare ? p - b : p) <= limit;
    printf("%-28s %9d/%-7d %9.2f %9.2f %7.2f %s\n", what, num, den, p, b, p / b, ok ? "ok" : "over");
    if (before) printf("%-28s %17s %9.2f\n", "  then the bar painted", "", Median(bars));
    if (overBare) BenchTarget(std::string("drawing pass over bare StretchDIBits, ") + what, p - b, limit, "ms");
    else BenchTarget(std::string("drawing pass, ") + what, p, limit, "ms");
}

} // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? atoi(argv[1]) : 20;
    if (rounds < 1) rounds = 1;
    BenchEngine engine;
    g.drw = engine.drw;
    if (!g.drw || !MakeImage(&g.image)) return 1;
    g.imageDC = CreateCompatibleDC(nullptr);
    HGDIOBJ oldImage = SelectObject(g.imageDC, g.image.dib);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "BenchDraParent";
    RegisterClassA(&wc);
    HWND parent = CreateWindowExA(0, wc.lpszClassName, "bench", WS_POPUP | WS_VISIBLE, 0, 0, 1240, 940, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    VkeDraParam param;
    int field = 0, messageNo = 0;
    if (!parent || VkeDraAlloc(engine.sys, &g.dra) != 0 || VkeDraInitParam(g.dra, &param) != 0) return 1;
    param.rctDra = {10, 10, 1210, 910};
    param.rctInrDra = {0, 0, kWidth, kHeight};
    param.uHScrBarId = 101;
    param.uVScrBarId = 102;
    param.iArrowScrSizeH = param.iArrowScrSizeV = param.iWheelScrSizeH = param.iWheelScrSizeV = 10;
    param.iScaleMode = VKE_DRA_SCALE_FIT;
    if (VkeDraCreateByRect(g.dra, &param.rctDra, parent, 100) != 0 ||
        VkeDraInit(g.dra, &param, &field, &messageNo) != 0) {
        fprintf(stderr, "the area did not start (field %d)\n", field);
        return 1;
    }
    HWND wnd = nullptr;
    VkeDraGetDraHandle(g.dra, &wnd);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);

    printf("%-28s %17s %9s %9s %7s %s\n", "pass", "scale", "area ms", "bare ms", "ratio",
           "(at most 16 ms, a scroll 5, beyond the platform's stretch 5)");
    Row("fit", wnd, rounds, 5, nullptr, true);
    VkeDraSetScale(g.dra, 1, 1);
    Row("1:1", wnd, rounds, 16);
    VkeDraSetScale(g.dra, 4, 1);
    Row("400 %", wnd, rounds, 5, nullptr, true);
    int step = 100;
    Row("scroll 100 px at 400 %", wnd, rounds, 5, [&step]() {
        int pos = 0;
        VkeDraGetHScrPos(g.dra, &pos);
        VkeDraHScroll(g.dra, SB_THUMBPOSITION, pos + step);
        step = -step;
    });
    VkeDraSetScaleMode(g.dra, VKE_DRA_SCALE_FIT, 1, 1);
    g.engineStretch = true;
    Row("fit, engine's stretch", wnd, rounds, 16);
    VkeDraSetScale(g.dra, 4, 1);
    Row("400 %, engine's stretch", wnd, rounds, 16);

    VkeDraFree(&g.dra);
    DestroyWindow(parent);
    SelectObject(g.imageDC, oldImage);
    DeleteDC(g.imageDC);
    DeleteObject(g.image.dib);
    return 0;
}

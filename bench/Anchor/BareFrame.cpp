// The bare window BenchStartUp measures the program's start-up against: one overlapped frame of
// the program's default size (80 % of the maximised screen, centred), shown, painted once in the
// button face, then a plain message loop until it is closed.
#include "AnchorFrame.h"

namespace {

LRESULT CALLBACK FrameProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
        EndPaint(wnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(wnd, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "BareFrame";
    if (!RegisterClassA(&wc)) return 1;
    HWND wnd = AnchorCreateFrame("BareFrame", nullptr, instance);
    return wnd ? AnchorRun(wnd, show) : 1;
}

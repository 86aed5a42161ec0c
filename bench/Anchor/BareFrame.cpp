// The bare window BenchStartUp measures the program's start-up against: one overlapped frame of
// the program's default size (80 % of the maximised screen, centred), shown, painted once in the
// button face, then a plain message loop until it is closed.
#include <windows.h>

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
    const int cx = GetSystemMetrics(SM_CXMAXIMIZED), cy = GetSystemMetrics(SM_CYMAXIMIZED);
    const int width = cx * 4 / 5, height = cy * 4 / 5;
    HWND wnd = CreateWindowExA(0, "BareFrame", "BareFrame", WS_OVERLAPPEDWINDOW, (cx - width) / 2,
                               (cy - height) / 2, width, height, nullptr, nullptr, instance, nullptr);
    if (!wnd) return 1;
    ShowWindow(wnd, show);
    UpdateWindow(wnd);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

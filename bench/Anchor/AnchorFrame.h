// What the anchors of BenchStartUp share: their frame at the program's default place (80 % of the
// maximised screen, centred) and the message loop that runs until it is closed.
#pragma once
#include <windows.h>

// The frame of a registered class, made hidden at the default place; null when it cannot be.
inline HWND AnchorCreateFrame(const char* className, HMENU menu, HINSTANCE instance)
{
    const int cx = GetSystemMetrics(SM_CXMAXIMIZED), cy = GetSystemMetrics(SM_CYMAXIMIZED);
    const int width = cx * 4 / 5, height = cy * 4 / 5;
    return CreateWindowExA(0, className, className, WS_OVERLAPPEDWINDOW, (cx - width) / 2, (cy - height) / 2,
                           width, height, nullptr, menu, instance, nullptr);
}

// Shows and paints the frame, then handles messages until the application's end.
inline int AnchorRun(HWND frame, int show)
{
    ShowWindow(frame, show);
    UpdateWindow(frame);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(frame, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

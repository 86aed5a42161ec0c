#include "VktSys.h"
#include "VktMsgFile.h"
#include <string.h>

namespace {
const char kClass[] = "VktMainWnd";

void RegisterMainClass()
{
    static bool s_done = false;
    if (s_done) return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA; // each window installs its own procedure
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
    s_done = true;
}
} // namespace

VktSys::VktSys(bool start)
{
    RegisterMainClass();
    m_wnd = CreateWindowExA(0, kClass, "Pictavo", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(m_wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(m_wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&VktSys::WndProc));
    VktWriteMsgFile(Dir(), VktMsgTexts());
    if (VkeSysAllocByDefault(&sys) != 0) return;
    VkeSysGetProperty(sys, 4, &sub);
    VkeSysGetProperty(sys, 5, &drw);
    if (start) started = Start();
}

VktSys::~VktSys()
{
    VkeSysFree(&sys);
    if (m_wnd) DestroyWindow(m_wnd);
    Pump();
}

VkeSysParam VktSys::Param() const
{
    VkeSysParam param;
    VkeSysInitParam(sys, &param);
    snprintf(param.amSystemDir, sizeof(param.amSystemDir), "%s", Dir().c_str());
    snprintf(param.amSystemName, sizeof(param.amSystemName), "Pictavo");
    param.hMainWnd = m_wnd;
    return param;
}

int VktSys::Start(int singleInstance)
{
    VkeSysParam param = Param();
    param.iSingleInstance = singleInstance;
    int field = 0, messageNo = 0;
    return VkeSysInit(sys, &param, &field, &messageNo);
}

void VktSys::Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

LRESULT CALLBACK VktSys::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == VkeWmTraceError) {
        auto* self = reinterpret_cast<VktSys*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
        const char* name = reinterpret_cast<const char*>(wParam);
        if (self) {
            self->m_reports.push_back({name ? name : "", static_cast<int>(lParam)});
            if (self->OnReport) self->OnReport(name, static_cast<int>(lParam));
        }
        return 0;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

void VktSysFixture::SetUp()
{
    env = new VktSys();
    ASSERT_NE(env->sys, nullptr);
    sys = env->sys;
    sub = env->sub;
    drw = env->drw;
    ASSERT_EQ(env->started, 0) << "the system object did not start";
}

void VktSysFixture::TearDown()
{
    delete env;
    env = nullptr;
}

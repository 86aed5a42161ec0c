#include "VktCtl.h"

namespace {

const char kParentClass[] = "VktCtlParent";

LRESULT CALLBACK ParentProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* log = reinterpret_cast<VktParentLog*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (log && (msg == VkeWmWndToDti || msg == VkeWmDtiToWnd || msg == VkeWmSetChk || msg == VkeWmSetEud)) {
        log->notices.push_back({msg, wParam, lParam});
        if (log->inside) log->inside(msg, wParam, lParam);
        return msg == VkeWmWndToDti ? log->wndToDti : msg == VkeWmDtiToWnd ? log->dtiToWnd : 0;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

} // namespace

int VktParentLog::Count(UINT msg) const
{
    int n = 0;
    for (const Notice& notice : notices) n += notice.msg == msg;
    return n;
}

void VktCtlFixture::SetUp()
{
    env = new VktSys();
    ASSERT_EQ(env->started, 0);
    sys = env->sys;
    sub = env->sub;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kParentClass;
    RegisterClassA(&wc);
    parent = CreateWindowA(kParentClass, "VktCtl", WS_POPUP | WS_VISIBLE, 20, 20, 640, 600, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&log));
}

void VktCtlFixture::TearDown()
{
    for (VkiCtl*& ctl : made) VkeCtlFree(&ctl);
    DestroyWindow(parent);
    VktSys::Pump();
    delete env;
}

VkiCtl* VktCtlFixture::Make(int type, DWORD style, const char* caption,
                            const std::function<void(VkeCtlParam&)>& tweak)
{
    VkiCtl* ctl = nullptr;
    EXPECT_EQ(VkeCtlAlloc(sys, type, &ctl), 0);
    if (!ctl) return nullptr;
    made.push_back(ctl);
    int height = type == VKE_CTL_COMBOBOX || type == VKE_CTL_LISTBOX ? 120 : 24;
    EXPECT_EQ(VkeCtlCreate(ctl, caption, style | WS_VISIBLE, 10, nextY, 300, height, parent, 100 + made.size()), 0);
    nextY += type == VKE_CTL_LISTBOX ? 124 : 28;
    VkeCtlParam param;
    VkeCtlInitParam(ctl, &param);
    if (tweak) tweak(param);
    int field = -1, messageNo = -1;
    int rc = VkeCtlInit(ctl, &param, &field, &messageNo);
    EXPECT_EQ(rc, 0) << "field " << field << " message " << messageNo;
    return rc == 0 ? ctl : nullptr;
}

HWND VktCtlFixture::Plain(const char* cls, DWORD style, const char* caption)
{
    HWND wnd = CreateWindowA(cls, caption, WS_CHILD | WS_VISIBLE | style, 330, nextY, 280, 24, parent, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    nextY += 28;
    return wnd;
}

void VktCtlFixture::Focus(HWND wnd)
{
    SetForegroundWindow(parent);
    SetFocus(wnd);
}

HWND VktCtlFixture::Wnd(VkiCtl* ctl)
{
    HWND wnd = nullptr;
    VkeCtlGetCtlHandle(ctl, &wnd);
    return wnd;
}

std::string VktCtlFixture::Text(HWND wnd)
{
    char text[2048] = {};
    GetWindowTextA(wnd, text, sizeof(text));
    return text;
}

std::string VktCtlFixture::Value(VkiCtl* ctl)
{
    char text[1024] = {};
    VkeCtlGetDataValue(ctl, text, sizeof(text));
    return text;
}

Dti& VktCtlFixture::DtiOf(VkiCtl* ctl)
{
    Ctd* ctd = nullptr;
    VkeCtlGetCtdPtr(ctl, &ctd);
    return ctd->dti;
}

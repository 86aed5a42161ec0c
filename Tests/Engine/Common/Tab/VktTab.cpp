#include "VktTab.h"
#include <commctrl.h>
#include <string.h>

namespace {
const char kPlainClass[] = "VktTabParent";
const char kPageClass[] = "VktTabPage";

void RegisterClasses()
{
    static bool s_done = false;
    if (s_done) return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = kPlainClass;
    RegisterClassA(&wc);
    wc.lpszClassName = kPageClass;
    RegisterClassA(&wc);
    s_done = true;
}
} // namespace

VktTabParent::VktTabParent(Kind kind, bool clipChildren)
{
    RegisterClasses();
    DWORD style = WS_POPUP | WS_VISIBLE | (clipChildren ? WS_CLIPCHILDREN : 0);
    m_hWnd = CreateWindowExA(0, kind == kDialog ? "#32770" : kPlainClass, "", style, 20, 20, 600, 300, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_old = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    SetForegroundWindow(m_hWnd);
}

VktTabParent::~VktTabParent()
{
    if (m_hWnd) DestroyWindow(m_hWnd);
}

std::string VktTabParent::Heard()
{
    std::string heard = m_heard;
    m_heard.clear();
    return heard;
}

void VktTabParent::Keep(const std::string& what)
{
    m_heard += (m_heard.empty() ? "" : " ") + what;
    if (inside) inside(what);
}

LRESULT CALLBACK VktTabParent::Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<VktTabParent*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    return self->Handle(msg, wParam, lParam);
}

LRESULT VktTabParent::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr->code != TCN_SELCHANGING && hdr->code != TCN_SELCHANGE) break;
        bool good = hdr->hwndFrom == tab && hdr->idFrom == id && wParam == id;
        Keep(!good ? "bad" : hdr->code == TCN_SELCHANGING ? "changing" : "change");
        return hdr->code == TCN_SELCHANGING ? refuseChanging : 0;
    }
    case VkeWmSetLocked: {
        auto* req = reinterpret_cast<VkeTabLockReq*>(lParam);
        Keep("lock " + std::to_string(req->iIndex) + " " + std::to_string(req->iFlag));
        if (!handleLock) return 0;
        req->iHandled = 1;
        return 1;
    }
    case VkeWmMovePage: {
        auto* moved = reinterpret_cast<VkeTabMoveInf*>(lParam);
        Keep("move " + std::to_string(moved->iFrom) + " " + std::to_string(moved->iTo));
        return 0;
    }
    case WM_MOUSEWHEEL:
        wheelW = wParam;
        wheelL = lParam;
        Keep("wheel");
        return takeWheel;
    case WM_COMMAND:
        if (lParam == 0) Keep("command " + std::to_string(LOWORD(wParam)));
        return 0;
    case WM_PAINT:
        ++paints;
        break;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font);
    }
    return CallWindowProcA(m_old, m_hWnd, msg, wParam, lParam);
}

// ---- Fixture ----

void VktPumpFor(DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        VktSys::Pump();
        if (ms) Sleep(10);
    } while (GetTickCount() - start < ms);
}

void VktTabFixture::MakeParent(VktTabParent::Kind kind, bool clipChildren)
{
    parent = new VktTabParent(kind, clipChildren);
}

void VktTabFixture::Start(int fixedPage, int ctlLock, DWORD style)
{
    if (!parent) MakeParent(VktTabParent::kPlain, true);
    ASSERT_EQ(VkeTabAlloc(sys, &tab), 0);
    RECT client;
    GetClientRect(parent->Wnd(), &client);
    ASSERT_EQ(VkeTabCreateExByRect(tab, style, 0, &client, parent->Wnd(), kId), 0);
    ASSERT_EQ(VkeTabGetTabHandle(tab, &wnd), 0);
    parent->tab = wnd;
    parent->id = kId;
    VkeTabParam param;
    ASSERT_EQ(VkeTabInitParam(tab, &param), 0);
    param.iFixedPage = fixedPage;
    param.iCtlLock = ctlLock;
    int field = -1, messageNo = -1;
    ASSERT_EQ(VkeTabInit(tab, &param, &field, &messageNo), 0);
    VktSys::Pump();
}

void VktTabFixture::TearDown()
{
    VkeTabFree(&tab);
    for (HWND page : pages) DestroyWindow(page);
    delete parent;
    VktSys::Pump();
    VktSysFixture::TearDown();
}

HWND VktTabFixture::NewPage()
{
    HWND page = CreateWindowExA(0, kPageClass, "", WS_CHILD, 0, 0, 50, 50, parent->Wnd(), nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 5, 5, 100, 20, page, nullptr,
                    GetModuleHandleA(nullptr), nullptr);
    pages.push_back(page);
    return page;
}

void VktTabFixture::OpenPages(int count, int first)
{
    for (int n = first; n < first + count; ++n) {
        std::string title = "頁" + std::to_string(n);
        ASSERT_EQ(VkeTabOpenPage(tab, -1, n, NewPage(), 0, title.c_str()), 0) << n;
    }
}

bool VktTabFixture::Fits(HWND page) const
{
    RECT area = {}, rect = {};
    GetClientRect(wnd, &area);
    SendMessageA(wnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    GetWindowRect(page, &rect);
    MapWindowPoints(nullptr, wnd, reinterpret_cast<POINT*>(&rect), 2);
    return EqualRect(&area, &rect) != 0;
}

POINT VktTabFixture::Centre(int index) const
{
    RECT r = {};
    SendMessageA(wnd, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void VktTabFixture::Post(UINT msg, WPARAM wParam, POINT pt)
{
    PostMessageA(wnd, msg, wParam, MAKELPARAM(pt.x, pt.y));
    VktSys::Pump();
}

void VktTabFixture::Key(UINT vk, bool ctrl, bool shift)
{
    BYTE keys[256] = {};
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageA(wnd, WM_KEYDOWN, vk, 1);
    VktSys::Pump();
    memset(keys, 0, sizeof(keys));
    SetKeyboardState(keys);
}

void VktTabFixture::Wheel(int delta, POINT client)
{
    ClientToScreen(wnd, &client);
    PostMessageA(wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<short>(delta)), MAKELPARAM(client.x, client.y));
    VktSys::Pump();
}

int VktTabFixture::Sel() const
{
    int sel = -2;
    VkeTabGetCurSel(tab, &sel);
    return sel;
}

std::string VktTabFixture::Order() const
{
    std::string order;
    int count = 0;
    VkeTabGetPageCnt(tab, &count);
    for (int i = 0; i < count; ++i) {
        int no = 0;
        VkeTabGetPageNo(tab, i, &no);
        order += (i ? " " : "") + std::to_string(no);
    }
    return order;
}

VktShot::VktShot(HWND wnd)
{
    RECT r = {};
    GetClientRect(wnd, &r);
    dib = VktMakeDIB(r.right, r.bottom, 32);
    HDC screen = GetDC(wnd);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, r.right, r.bottom, screen, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(wnd, screen);
}

int VktShot::Count(const RECT& r, COLORREF color) const
{
    VktDIB pixels(dib);
    DWORD want = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    int n = 0;
    for (int y = r.top; y < r.bottom && y < pixels.height; ++y)
        for (int x = r.left; x < r.right && x < pixels.width; ++x) n += pixels.Rgb(x, y) == want;
    return n;
}

int VktShot::Run(const RECT& r, COLORREF color) const
{
    VktDIB pixels(dib);
    DWORD want = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    int longest = 0;
    for (int y = r.top; y < r.bottom && y < pixels.height; ++y)
        for (int x = r.left, run = 0; x < r.right && x < pixels.width; ++x) {
            run = pixels.Rgb(x, y) == want ? run + 1 : 0;
            if (run > longest) longest = run;
        }
    return longest;
}
